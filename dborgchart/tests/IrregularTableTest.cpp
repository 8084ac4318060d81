// Edits on tables whose records say other than the chart shows: the head of a parent
// cycle (its record names a parent below it), records left out because their parent's
// key is missing, and a key held by two records. Each action writes what keeps the
// table, read again, showing what the chart shows.
#include "dborgchart/tests/DbChartFixture.h"

namespace {

const char* const kNoPrimaryKeySchema =
    "CREATE TABLE ARBOLO (ID INTEGER, PARENT INTEGER, NAME VARCHAR(100), \"ORDER\" INTEGER);";

class IrregularTableTest : public DbChartTest {
protected:
    // The tree after the table is opened again from its file.
    std::string ReadAgain()
    {
        Open();
        return Tree();
    }
};

TEST_F(IrregularTableTest, TheHeadOfAParentCycleIsStoredAtTheTopLevelOnceTheCycleChanges)
{
    // 2 names 3 and 3 names 2: the record read first heads the cycle, 2(3).
    struct Case {
        const char* what;
        std::function<void()> action;
        const char* tree;
        // The cycle's shape changed: its head's record says top level now.
        bool headStored;
    };
    const Case cases[] = {
        {"the lower member deleted", [this] { chart->DeleteNode(Node(3)); }, "1,2", true},
        {"the lower member moved out", [this] { Node(3)->MoveTo(Node(1), TzqOcAttachMode::amAddChild); },
         "1(3),2", true},
        {"another node moved in below (the cycle keeps its shape)", [this] { Node(1)->MoveTo(Node(3), TzqOcAttachMode::amAddChild); },
         "2(3(1))", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        std::filesystem::remove(file);
        Sql(std::string(kPlainKeySchema) +
            "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (1, NULL, 'a', 0), (2, 3, 'b', 1), (3, 2, 'c', 0);");
        Open();
        ASSERT_EQ(Tree(), "1,2(3)");
        c.action();
        EXPECT_EQ(Tree(), c.tree);
        EXPECT_EQ(Query("SELECT PARENT FROM ARBOLO WHERE ID = 2"), c.headStored ? "NULL" : "3");
        ExpectConsistent();
        EXPECT_EQ(ReadAgain(), c.tree);
    }
}

TEST_F(IrregularTableTest, ANewNodeWhoseKeyRecordsWaitedForTakesThemWithTheViewKept)
{
    // 5 and 6 name 8, which no record has; the next new key is 8.
    Sql(std::string(kPlainKeySchema) + "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES"
                                       " (1, NULL, 'a', 0), (2, 1, 'b', 0), (7, 2, 'c', 0), (5, 8, 'd', 0), (6, 5, 'e', 0);");
    Open();
    ASSERT_EQ(Tree(), "1(2(7))");
    Node(1)->Expand(false);
    Node(2)->Expand(false);
    chart->SetSelected(Node(7));
    TzqOcNode* added = chart->AddChild(Node(1), 0);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added, Node(8)) << "the node answered is the one in the chart";
    EXPECT_EQ(Tree(), "1(2(7),8(5(6)))");
    EXPECT_TRUE(Node(1)->Expanded());
    EXPECT_TRUE(Node(2)->Expanded());
    EXPECT_FALSE(Node(5)->Expanded());
    EXPECT_EQ(chart->Selected(), Node(7));
    ExpectConsistent();
    EXPECT_EQ(ReadAgain(), "1(2(7),8(5(6)))");
}

TEST_F(IrregularTableTest, DeletingTheNodeOfADuplicateKeyDeletesEveryRecordOfTheKey)
{
    // Key 7 twice: the later record (top level) has the node; the earlier one names 9.
    Sql(std::string(kNoPrimaryKeySchema) + "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES"
                                           " (7, 9, 'first', 0), (7, NULL, 'second', 1), (9, NULL, 'other', 0), (8, 7, 'below', 0);");
    Open();
    ASSERT_EQ(Tree(), "9,7(8)");
    chart->DeleteNode(Node(7));
    EXPECT_EQ(Tree(), "9");
    EXPECT_EQ(Query("SELECT group_concat(ID) FROM ARBOLO"), "9");
    ExpectConsistent();
    EXPECT_EQ(ReadAgain(), "9");
}

} // namespace
