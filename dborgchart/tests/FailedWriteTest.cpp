// A write-back that fails part of the way through: the table file stays exactly as it
// was, the chart shows what the table holds again, the cursor is back on its record,
// the guards are restored and the error reaches the caller.
#include "dborgchart/tests/DbChartFixture.h"

#include "platform/data/DatabaseError.h"

namespace {

class FailedWriteTest : public DbChartTest {
protected:
    // What must not change when an action fails.
    struct Snapshot {
        std::string file;
        std::string rows;
        std::string tree;
        std::string captions;
        std::string orders;
        int cursorId;
        TzqOcNode* selected;
    };
    Snapshot Take()
    {
        std::string orders;
        for (TzqOcNode* n = chart->GetFirstNode(); n; n = n->GetNext())
            orders += static_cast<TzqDbOcNode*>(n)->OrderValue().AsString() + " ";
        return {ReadFileBytes(file),
                Query("SELECT * FROM ARBOLO ORDER BY ID"),
                Tree(),
                Captions(),
                orders,
                table->FieldByName("ID")->AsInteger(),
                chart->Selected()};
    }
    void ExpectUnchanged(const Snapshot& before)
    {
        const Snapshot after = Take();
        EXPECT_EQ(after.file, before.file) << "the table file changed";
        EXPECT_EQ(after.rows, before.rows);
        EXPECT_EQ(after.tree, before.tree);
        EXPECT_EQ(after.captions, before.captions);
        EXPECT_EQ(after.orders, before.orders);
        EXPECT_EQ(after.cursorId, before.cursorId);
        EXPECT_EQ(after.selected, before.selected);
        EXPECT_EQ(table->State(), TDataSetState::dsBrowse);
        EXPECT_FALSE(table->InTransaction());
        ExpectConsistent();
    }
    static void ExpectFailure(const std::function<void()>& action, const std::string& message)
    {
        try {
            action();
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
};

// The records: a top node with four children ordered 0..3, and a second top node.
const char* const kFamily = "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (1, NULL, 'top', 0),"
                            "(10, 1, 'a', 0), (11, 1, 'b', 1), (12, 1, 'c', 2), (13, 1, 'd', 3), (2, NULL, 'other', 1);";

TEST_F(FailedWriteTest, EveryKindOfWriteIsAllOrNothing)
{
    struct Case {
        const char* what;
        const char* trigger;
        std::function<void()> action;
    };
    const Case cases[] = {
        {"an insert whose record is refused",
         "BEFORE INSERT ON ARBOLO BEGIN SELECT RAISE(ABORT, 'refused by the table'); END",
         [this] { chart->AddChild(Node(1), 0); }},
        {"an insert whose renumbering fails on the last sibling",
         "BEFORE UPDATE OF \"ORDER\" ON ARBOLO WHEN NEW.ID = 13 BEGIN SELECT RAISE(ABORT, 'refused by the table'); END",
         [this] { chart->Insert(Node(12), 0); }},
        {"a move whose parent field is refused",
         "BEFORE UPDATE OF PARENT ON ARBOLO BEGIN SELECT RAISE(ABORT, 'refused by the table'); END",
         [this] { Node(11)->MoveTo(Node(2), TzqOcAttachMode::amAddChild); }},
        {"a move whose renumbering fails",
         "BEFORE UPDATE OF \"ORDER\" ON ARBOLO WHEN NEW.ID = 12 BEGIN SELECT RAISE(ABORT, 'refused by the table'); END",
         [this] { Node(2)->MoveTo(Node(11), TzqOcAttachMode::amInsert); }},
        {"a rename", "BEFORE UPDATE OF NAME ON ARBOLO BEGIN SELECT RAISE(ABORT, 'refused by the table'); END",
         [this] { Node(12)->AssignText("renamed"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        std::filesystem::remove(file);
        Sql(std::string(kArboloSchema) + kFamily + "CREATE TRIGGER REFUSE " + c.trigger + ";");
        Open();
        Node(1)->Expand(false);
        chart->SetSelected(Node(11));
        const Snapshot before = Take();
        TzqDbOcNode* moved = Node(11);
        ExpectFailure(c.action, "refused by the table");
        ExpectUnchanged(before);
        // The nodes are the same ones, expansion included.
        EXPECT_EQ(Node(11), moved);
        EXPECT_TRUE(Node(1)->Expanded());
    }
}

TEST_F(FailedWriteTest, ABranchDeletionFailingInTheMiddleLeavesTableAndChartAsTheyWere)
{
    // A branch of 1 + 30 + 30 * 5 records under node 1; the table refuses to delete one
    // of the grandchildren, long after the first records of the branch were deleted.
    std::string sql = std::string(kArboloSchema) + "BEGIN;"
                      "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (1, NULL, 'top', 0), (2, NULL, 'other', 1);";
    int id = 100;
    for (int c = 0; c < 30; ++c) {
        const int child = id++;
        sql += "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (" + std::to_string(child) + ", 1, 'c', " +
               std::to_string(c) + ");";
        for (int g = 0; g < 5; ++g)
            sql += "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (" + std::to_string(id++) + ", " +
                   std::to_string(child) + ", 'g', " + std::to_string(g) + ");";
    }
    sql += "COMMIT;"
           "CREATE TABLE LOG (ID INTEGER);"
           "CREATE TRIGGER LOGDELETE AFTER DELETE ON ARBOLO BEGIN INSERT INTO LOG VALUES (OLD.ID); END;"
           "CREATE TRIGGER PROTECT BEFORE DELETE ON ARBOLO WHEN OLD.ID = 250 "
           "BEGIN SELECT RAISE(ABORT, 'record 250 is protected'); END;";
    Sql(sql);
    Open();
    Node(1)->Expand(true);
    chart->SetSelected(Node(2));
    const Snapshot before = Take();
    ASSERT_EQ(chart->Count(), 182);

    ExpectFailure([&] { chart->DeleteNode(Node(1)); }, "record 250 is protected");
    ExpectUnchanged(before);
    EXPECT_EQ(chart->Count(), 182);
    EXPECT_EQ(Query("SELECT count(*) FROM LOG"), "0");
    EXPECT_TRUE(Node(1)->Expanded());

    // Once the table lets it, the same deletion goes through whole.
    Sql("DROP TRIGGER PROTECT;");
    chart->DeleteNode(Node(1));
    EXPECT_EQ(Tree(), "2");
    EXPECT_EQ(Query("SELECT count(*) FROM LOG"), "181");
    EXPECT_EQ(Query("SELECT group_concat(ID) FROM ARBOLO"), "2");
    ExpectConsistent();
}

TEST_F(FailedWriteTest, AnActionInsideTheApplicationsTransactionGoesWithItsRollback)
{
    // The application holds a transaction of its own with a pending change it rolls
    // back: the chart's action nests inside it and goes with it.
    Sql(std::string(kArboloSchema) + kFamily);
    Open();
    table->StartTransaction();
    TzqOcNode* added = chart->AddChild(Node(2), 0);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(Query("SELECT count(*) FROM ARBOLO"), "6"); // not yet in the file
    table->Rollback();
    // The rollback reloads the table, and the chart follows it.
    EXPECT_EQ(Tree(), "1(10,11,12,13),2");
    ExpectConsistent();
}

} // namespace
