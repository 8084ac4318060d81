// The selected node and the table's current record following each other, both ways,
// also when records changed behind the chart's back.
#include "dborgchart/tests/DbChartFixture.h"

#include "platform/data/DataLink.h"

namespace {

// Another control on the same data source, counting what it hears.
class CountingLink : public TDataLink {
public:
    int scrolls = 0;
    int changes = 0;

protected:
    void DataSetScrolled(int) override { ++scrolls; }
    void DataSetChanged() override { ++changes; }
};

class CursorTest : public DbChartTest {
protected:
    void OpenFamily()
    {
        Sql(std::string(kArboloSchema) +
            "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\", IMAGE) VALUES (1, NULL, 'top', 0, 1), (2, 1, 'middle', 0, 1),"
            "(3, 2, 'bottom', 0, 1), (4, NULL, 'other', 1, 1), (5, 99, 'orphan', 0, 1);");
        Open([](TestDbOrgChart& c) {
            c.SetImageFieldName("IMAGE");
            c.SetWidthFieldName("WIDTH");
        });
    }
    int CurrentId() const { return table->FieldByName("ID")->AsInteger(); }
};

TEST_F(CursorTest, SelectingANodeMovesTheCursorAndTheCursorSelectsTheNode)
{
    OpenFamily();
    CountingLink other;
    other.SetDataSource(source.get());

    chart->SetSelected(Node(3));
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_EQ(chart->CurrentIndex(), 2);
    EXPECT_GT(other.scrolls, 0);

    chart->FullCollapse();
    GoToRecord(4);
    EXPECT_EQ(chart->Selected(), Node(4));
    // A record deep in a collapsed branch: its node is selected and shown.
    GoToRecord(3);
    EXPECT_EQ(chart->Selected(), Node(3));
    EXPECT_TRUE(Node(3)->IsVisible());
    // A record that has no node (its parent does not exist): nothing is selected.
    GoToRecord(5);
    EXPECT_EQ(chart->Selected(), nullptr);
    EXPECT_EQ(chart->CurrentIndex(), 4);
    ExpectConsistent();
    other.SetDataSource(nullptr);
}

TEST_F(CursorTest, AUserSelectionIsRefusedWhenTheCursorCannotFollow)
{
    Sql("CREATE TABLE ARBOLO (ID INTEGER PRIMARY KEY, PARENT INTEGER, NAME VARCHAR(20) NOT NULL, \"ORDER\" INTEGER);"
        "INSERT INTO ARBOLO VALUES (1, NULL, 'a', 0), (2, NULL, 'b', 1), (3, NULL, 'c', 2);");
    Open();
    ASSERT_EQ(chart->Selected(), Node(1));

    // OnChanging says no.
    chart->OnChanging = [](TObject*, TzqOcNode*, bool& allow) { allow = false; };
    EXPECT_FALSE(chart->SelectByUser(Node(2)));
    chart->OnChanging = nullptr;
    EXPECT_TRUE(chart->SelectByUser(Node(2)));
    EXPECT_EQ(CurrentId(), 2);

    // A pending edit that cannot be posted keeps the cursor, so the selection stays.
    table->Edit();
    table->FieldByName("NAME")->Clear();
    EXPECT_FALSE(chart->SelectByUser(Node(3)));
    EXPECT_EQ(chart->Selected(), Node(2));
    EXPECT_EQ(table->State(), TDataSetState::dsEdit);
    table->Cancel();
    EXPECT_TRUE(chart->SelectByUser(Node(3)));
    EXPECT_EQ(CurrentId(), 3);
    ExpectConsistent();
}

TEST_F(CursorTest, EditingTheCurrentRecordUpdatesTheSelectedNodesCaptionAndImageAtOnce)
{
    OpenFamily();
    chart->SetSelected(Node(2));
    table->Edit();
    table->FieldByName("NAME")->SetAsString("typed in another control");
    table->FieldByName("IMAGE")->SetAsInteger(7);
    table->FieldByName("WIDTH")->SetAsInteger(150);
    EXPECT_EQ(Node(2)->Text(), "typed in another control");
    EXPECT_EQ(Node(2)->ImageIndex(), 7);
    // Other attributes follow only when the record is posted and the chart reloads.
    EXPECT_EQ(Node(2)->Width(), 0);
    table->Post();
    EXPECT_EQ(Node(2)->Width(), 150);
    EXPECT_EQ(Query("SELECT NAME, IMAGE, WIDTH FROM ARBOLO WHERE ID = 2"), "typed in another control|7|150");
    ExpectConsistent();
}

TEST_F(CursorTest, RecordsChangedBehindTheChartsBackAreFoundByKeyOrLeftAlone)
{
    Sql(std::string(kPlainKeySchema) +
        "INSERT INTO ARBOLO VALUES (10, NULL, 'ten', 0), (20, NULL, 'twenty', 1), (30, NULL, 'thirty', 2);");
    Open();
    // An OnChange handler runs while the chart itself moves the cursor, so what it does
    // to the table goes unnoticed by the chart.
    std::function<void()> behindTheBack;
    chart->OnChange = [&](TObject*, TzqOcNode*) {
        if (auto action = std::exchange(behindTheBack, nullptr))
            action();
    };
    behindTheBack = [&] {
        table->Append();
        table->FieldByName("ID")->SetAsInteger(5);
        table->FieldByName("NAME")->SetAsString("added before the others");
        table->Post();
    };
    GoToRecord(20);
    ASSERT_EQ(table->RecordCount(), 4);

    // Every record index is now one short; the record is found by its key once.
    Node(30)->AssignText("thirty, renamed");
    EXPECT_EQ(Query("SELECT ID, NAME FROM ARBOLO ORDER BY ID"),
              "5|added before the others\n10|ten\n20|twenty\n30|thirty, renamed");

    // A record that is truly gone: the node cannot be written or selected by the user,
    // and nothing fails.
    behindTheBack = [&] {
        ASSERT_TRUE(table->Locate("ID", Variant(20)));
        table->Delete();
    };
    table->First(); // a record without a node: the selection goes, OnChange runs
    ASSERT_EQ(chart->Selected(), nullptr);
    Node(20)->AssignText("twenty, renamed");
    EXPECT_EQ(Node(20)->Text(), "twenty, renamed");
    EXPECT_EQ(Query("SELECT count(*) FROM ARBOLO WHERE ID = 20"), "0");
    EXPECT_FALSE(chart->SelectByUser(Node(20)));
    chart->OnChange = nullptr;

    // The next reload brings the chart in line with the table again.
    table->Refresh();
    EXPECT_EQ(Tree(), "5,10,30");
    ExpectConsistent();
}

TEST_F(CursorTest, OnAFormTheCursorScrollsItsNodeIntoView)
{
    std::string sql = std::string(kArboloSchema) + "BEGIN;";
    for (int i = 1; i <= 40; ++i)
        sql += "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (" + std::to_string(i) + ", " +
               (i == 1 ? std::string("NULL") : std::to_string(i - 1)) + ", 'level " + std::to_string(i) + "', 0);";
    Sql(sql + "COMMIT;");

    CountingLink other;
    Open([&](TestDbOrgChart& c) {
        auto* form = new TForm(app.get());
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, 400, 300);
        c.SetParent(form);
        c.SetBounds(0, 0, 400, 300);
        form->Show();
        other.SetDataSource(source.get());
    });
    driver.Pump();
    // The load moved the cursor over every record; the other control saw none of it.
    EXPECT_EQ(other.scrolls, 0);
    EXPECT_EQ(chart->Count(), 40);
    EXPECT_EQ(chart->TopPos(), 0);

    GoToRecord(40);
    EXPECT_EQ(chart->Selected(), Node(40));
    EXPECT_TRUE(Node(40)->IsVisible());
    EXPECT_GT(chart->TopPos(), 0);
    const TRect slot = chart->NodeSlotRect(Node(40));
    EXPECT_GE(slot.Top, 0);
    EXPECT_LE(slot.Bottom, chart->ClientHeight());
    other.SetDataSource(nullptr);
    chart->SetParent(nullptr);
}

} // namespace
