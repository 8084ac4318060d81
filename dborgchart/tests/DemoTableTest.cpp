// The demonstration table with the chart configured as the demonstration program
// configures it: every record loads, and an "add child" command leaves the record the
// program's description says it leaves.
#include "dborgchart/tests/DbChartFixture.h"

namespace {

class DemoTableTest : public DbChartTest {
protected:
    void SetUp() override
    {
        DbChartTest::SetUp();
        std::filesystem::copy_file(VELMORA_DEMO_TABLE, file);
    }
};

TEST_F(DemoTableTest, EveryRecordLoadsAndAnAddedChildGetsTheProgramsDefaults)
{
    bool tableOpened = false;
    Open([&](TestDbOrgChart& c) {
        c.SetImageFieldName("IMAGE");
        c.SetDefaultNodeWidth(90);
        c.SetDefaultNodeHeight(70);
        // The program's node creation handler: white "New Item" boxes once it runs.
        c.OnCreateNode = [&](TObject*, TzqOcNode* n) {
            if (tableOpened) {
                n->SetColor(0xFFFFFF);
                n->AssignText("New Item");
            }
        };
    });
    tableOpened = true;
    // The program's after-insert handler fills the defaults of a new record.
    table->AfterInsert = [this](TDataSet* t) {
        t->FieldByName("HEIGHT")->SetAsInteger(chart->DefaultNodeHeight());
        t->FieldByName("WIDTH")->SetAsInteger(chart->DefaultNodeWidth());
        t->FieldByName("TYPE")->SetAsInteger(0);
        t->FieldByName("COLOR")->SetAsInteger(0xFFFFFF);
        t->FieldByName("IMAGE")->SetAsInteger(0);
        t->FieldByName("IMAGEALIGN")->SetAsInteger(0);
        t->FieldByName("NAME")->SetAsString("New Item");
        t->FieldByName("ALIGN")->SetAsInteger(1);
    };
    EXPECT_EQ(chart->Count(), table->RecordCount());
    EXPECT_EQ(chart->GetFirstNode()->Text(), "Board of Directors");
    ExpectConsistent("loaded");

    // "Add Child Node": a new last child of the selected node, then shape, colour and
    // caption set, the parent expanded and the new node selected.
    TzqOcNode* parent = chart->GetFirstNode();
    const int lastOrder = static_cast<TzqDbOcNode*>(parent->GetLastChild())->OrderValue().AsInteger();
    TzqOcNode* added = chart->AddChild(parent, 0);
    ASSERT_NE(added, nullptr);
    added->SetShape(TzqOcShape::shRectangle);
    added->SetColor(0xFFFFFF);
    added->AssignText("New topic");
    parent->Expand(false);
    chart->SetSelected(added);
    const int id = static_cast<TzqDbOcNode*>(added)->Key().AsInteger();
    // The node took the picture its new record names (IMAGE 0) and kept it.
    EXPECT_EQ(added->ImageIndex(), 0);
    EXPECT_EQ(Query("SELECT PARENT, NAME, WIDTH, HEIGHT, TYPE, COLOR, IMAGE, IMAGEALIGN, ALIGN, \"ORDER\" FROM ARBOLO "
                    "WHERE ID = " + std::to_string(id)),
              "1|New topic|90|70|0|16777215|0|0|1|" + std::to_string(lastOrder + 1));
    EXPECT_EQ(table->FieldByName("ID")->AsInteger(), id);
    ExpectConsistent("after the command");
    table->AfterInsert = nullptr;
    chart->OnCreateNode = nullptr;
}

} // namespace
