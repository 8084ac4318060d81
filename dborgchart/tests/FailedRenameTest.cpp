// A caption or attribute change the table refuses: the box shows what the record holds,
// and text typed in the in-place editor stays there, still to be stored, so that trying
// again once the table lets it writes it. The same holds when the refused post is the
// one a deletion makes by ending the editor: the deletion then does not happen at all.
#include "dborgchart/tests/DbChartFixture.h"

#include "orgchart/OcInplaceEdit.h"
#include "platform/core/VirtualKeys.h"
#include "platform/data/DatabaseError.h"

#include <sys/stat.h>

namespace {

using D = THeadlessDriver;

const char* const kFamily = "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\", IMAGE) VALUES (1, NULL, 'Board', 0, 1),"
                            "(2, 1, 'Sales', 0, 2), (3, 1, 'Finance', 1, 3);";
const char* const kRefuseNames =
    "CREATE TRIGGER REFUSE BEFORE UPDATE OF NAME ON ARBOLO BEGIN SELECT RAISE(ABORT, 'names are fixed'); END;";

class FailedRenameTest : public DbChartTest {
protected:
    void SetUp() override
    {
        DbChartTest::SetUp();
        app->OnException = [this](TObject*, const std::exception& e) { errors.push_back(e.what()); };
    }

    void OpenOnForm(bool readOnly = false)
    {
        Sql(std::string(kArboloSchema) + kFamily);
        if (readOnly) {
            ASSERT_EQ(chmod(file.c_str(), 0444), 0);
        }
        Open([this](TestDbOrgChart& c) {
            c.SetImageFieldName("IMAGE");
            PutOnForm(c);
        });
        table->SetLockTimeout(50);
        Node(1)->Expand(false);
        chart->SetFocus();
        driver.PaintAll();
    }

    // Opens the editor on the node and adds text at the end of its caption.
    void Type(int key, const std::string& text)
    {
        chart->SetSelected(Node(key));
        driver.PressKey(VK_RETURN);
        ASSERT_TRUE(chart->IsEditing());
        driver.PressKey(VK_END);
        driver.Type(text);
    }

    std::string Name(int key) { return Query("SELECT NAME FROM ARBOLO WHERE ID = " + std::to_string(key)); }

    std::vector<std::string> errors;
};

TEST_F(FailedRenameTest, ARefusedRenameShowsTheRecordsCaptionAndKeepsTheTypedTextForARetry)
{
    struct Case {
        const char* what;
        std::function<std::function<void()>()> refuse; // refuses; returns what lets go
        const char* message;
    };
    const Case cases[] = {
        {"another program holds the file locked",
         [this]() -> std::function<void()> {
             auto holder = std::make_shared<LockHolder>(file);
             EXPECT_TRUE(holder->Locked());
             return [holder] { holder->Release(); };
         },
         "locked by another program"},
        {"a trigger refuses the new name",
         [this]() -> std::function<void()> {
             Sql(kRefuseNames);
             return [this] { Sql("DROP TRIGGER REFUSE;"); };
         },
         "names are fixed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(file);
        errors.clear();
        OpenOnForm();
        Type(2, " X");
        const auto letGo = c.refuse();
        const std::string before = ReadFileBytes(file);
        driver.PressKey(VK_RETURN, D::Alt);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(c.message), std::string::npos) << errors[0];
        EXPECT_EQ(Node(2)->Text(), "Sales") << "the box shows what the record holds";
        ASSERT_TRUE(chart->IsEditing()) << "the typed text is not lost";
        EXPECT_EQ(chart->Editor()->Text(), "Sales X");
        EXPECT_TRUE(chart->Editor()->Modified());
        EXPECT_TRUE(ReadFileBytes(file) == before) << "the table file changed";
        letGo();
        EXPECT_EQ(Name(2), "Sales");
        ExpectConsistent();

        // Once the table lets it, accepting the same text stores it.
        driver.PressKey(VK_RETURN, D::Alt);
        EXPECT_EQ(errors.size(), 1u);
        EXPECT_FALSE(chart->IsEditing());
        EXPECT_EQ(Node(2)->Text(), "Sales X");
        EXPECT_EQ(Name(2), "Sales X");
        ExpectConsistent();
    }
}

TEST_F(FailedRenameTest, ChangesByCodeOnAReadOnlyTableLeaveTheBoxAsTheRecordHasIt)
{
    OpenOnForm(true);
    ASSERT_FALSE(table->CanModify());
    const std::string before = ReadFileBytes(file);
    Node(2)->AssignText("Renamed");
    Node(3)->SetImageIndex(7);
    EXPECT_EQ(Node(2)->Text(), "Sales");
    EXPECT_EQ(Node(3)->ImageIndex(), 3);
    EXPECT_TRUE(ReadFileBytes(file) == before) << "the table file changed";
    EXPECT_TRUE(errors.empty());
    ExpectConsistent();
}

TEST_F(FailedRenameTest, ADeletionWhoseEditorPostFailsDeletesNothingAndKeepsTheEditor)
{
    OpenOnForm();
    Type(2, " X");
    Sql(kRefuseNames);
    const std::string before = ReadFileBytes(file);
    TzqDbOcNode* finance = Node(3);
    try {
        chart->DeleteNode(finance);
        ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("names are fixed"), std::string::npos) << e.what();
    }
    // Nothing of the deletion happened: the node, its record, the count, the key index.
    EXPECT_EQ(Tree(), "1(2,3)");
    EXPECT_EQ(Node(3), finance);
    EXPECT_EQ(chart->Count(), 3);
    EXPECT_TRUE(ReadFileBytes(file) == before) << "the table file changed";
    ExpectConsistent();
    ASSERT_TRUE(chart->IsEditing());
    EXPECT_EQ(chart->Editor()->Text(), "Sales X");
    EXPECT_TRUE(chart->Editor()->Modified());

    // Allowed again, the deletion goes through and the typed text is stored on the way.
    Sql("DROP TRIGGER REFUSE;");
    chart->DeleteNode(finance);
    EXPECT_EQ(Tree(), "1(2)");
    EXPECT_FALSE(chart->IsEditing());
    EXPECT_EQ(Name(2), "Sales X");
    EXPECT_EQ(Query("SELECT count(*) FROM ARBOLO"), "2");
    ExpectConsistent();
}

TEST_F(FailedRenameTest, DeletingTheEditedNodeDropsItsTypedTextAndWritesNoCaption)
{
    OpenOnForm();
    Type(2, " X");
    Sql(kRefuseNames);
    chart->DeleteNode(Node(2));
    EXPECT_EQ(Tree(), "1(3)");
    EXPECT_FALSE(chart->IsEditing());
    EXPECT_EQ(Query("SELECT group_concat(ID) FROM ARBOLO"), "1,3");
    ExpectConsistent();
}

} // namespace
