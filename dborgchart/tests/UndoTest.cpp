// Undo and redo of the chart's actions on a real table file. The records are read back
// with SQLite directly (a second connection to the file): after an undo they must be
// the records from before the action, after a redo the records from after it, and the
// chart must show them as a fresh load would.
#include "dborgchart/OcUndoGroup.h"
#include "dborgchart/tests/DbChartFixture.h"

#include "platform/core/Exception.h"

#include <sys/stat.h>

namespace {

// A top node with four children ordered 0..3, a branch of three levels under 12 and a
// second top node; CBY is a field the chart does not show.
const char* const kFamily =
    "INSERT INTO ARBOLO (ID, PARENT, NAME, CBY, WIDTH, \"ORDER\") VALUES "
    "(1, NULL, 'top', 'ann', 100, 0), (10, 1, 'a', 'bob', 90, 0), (11, 1, 'b', NULL, 90, 1), "
    "(12, 1, 'c', 'cy', 90, 2), (13, 1, 'd', 'di', 90, 3), (20, 12, 'c1', 'ed', 80, 0), "
    "(21, 12, 'c2', 'flo', 80, 1), (30, 20, 'c1a', 'gus', 70, 0), (2, NULL, 'other', 'hal', 100, 1);";

class UndoTest : public DbChartTest {
protected:
    void OpenFamily()
    {
        std::filesystem::remove(file);
        Sql(std::string(kArboloSchema) + kFamily);
        Open([](TestDbOrgChart& c) { c.SetWidthFieldName("WIDTH"); });
        table->SetLockTimeout(50);
        historyChanges = 0;
        chart->OnUndoChange = [this](TObject* Sender) {
            EXPECT_EQ(Sender, chart.get());
            ++historyChanges;
        };
    }

    std::string Rows() { return Query("SELECT * FROM ARBOLO ORDER BY ID"); }

    // The keys of the expanded nodes, in tree order.
    std::string ExpandedKeys() const
    {
        std::string out;
        for (TzqOcNode* n = chart->GetFirstNode(); n; n = n->GetNext()) {
            if (n->Expanded() && n->Count() > 0)
                out += static_cast<TzqDbOcNode*>(n)->Key().AsString() + ' ';
        }
        return out;
    }

    // Runs an undo or a redo that must fail; answers its message.
    static std::string FailureOf(const std::function<void()>& Step)
    {
        try {
            Step();
        } catch (const std::exception& e) {
            return e.what();
        }
        ADD_FAILURE() << "no error";
        return {};
    }

    int historyChanges = 0;
};

TEST_F(UndoTest, EachActionIsUndoneAndRedoneRecordForRecord)
{
    struct Case {
        const char* what;
        const char* caption;
        std::function<void()> action;
    };
    const Case cases[] = {
        {"add node (its following sibling renumbered)", "Add Node", [this] { chart->Insert(Node(12), 0); }},
        {"add child", "Add Node", [this] { chart->AddChild(Node(13), 0); }},
        {"rename", "Rename Node", [this] { Node(11)->AssignText("Sales"); }},
        {"attribute change", "Change Node", [this] { Node(10)->SetWidth(150); }},
        {"delete branch of four records", "Delete Node", [this] { chart->DeleteNode(Node(12)); }},
        {"drag to another parent", "Move Node", [this] { Node(11)->MoveTo(Node(2), TzqOcAttachMode::amAddChild); }},
        {"drag before a sibling (three renumbered)", "Move Node",
         [this] { Node(13)->MoveTo(Node(10), TzqOcAttachMode::amInsert); }},
        {"add node with its look, grouped", "Add Node",
         [this] {
             TzqOcUndoGroup group(*chart, "Add Node");
             TzqOcNode* node = chart->AddChild(Node(2), 0);
             ASSERT_NE(node, nullptr);
             node->AssignText("New topic");
             node->SetWidth(120);
             group.Commit();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenFamily();
        Node(1)->Expand(false);
        const std::string rowsBefore = Rows(), treeBefore = Tree(), captionsBefore = Captions();
        EXPECT_FALSE(chart->CanUndo());

        c.action();
        const std::string rowsAfter = Rows(), treeAfter = Tree(), captionsAfter = Captions();
        ASSERT_NE(rowsAfter, rowsBefore);
        ASSERT_TRUE(chart->CanUndo());
        EXPECT_EQ(chart->UndoHistory().UndoCount(), 1);
        EXPECT_EQ(chart->UndoCaption(), c.caption);

        chart->Undo();
        EXPECT_EQ(Rows(), rowsBefore);
        EXPECT_EQ(Tree(), treeBefore);
        EXPECT_EQ(Captions(), captionsBefore);
        EXPECT_FALSE(chart->CanUndo());
        EXPECT_TRUE(chart->CanRedo());
        ExpectConsistent("after the undo");

        chart->Redo();
        EXPECT_EQ(Rows(), rowsAfter);
        EXPECT_EQ(Tree(), treeAfter);
        EXPECT_EQ(Captions(), captionsAfter);
        ExpectConsistent("after the redo");

        // The round again, then the file read by a chart of its own shows what the
        // undone chart shows.
        chart->Undo();
        EXPECT_EQ(Rows(), rowsBefore);
        Open([](TestDbOrgChart& c) { c.SetWidthFieldName("WIDTH"); });
        EXPECT_EQ(Tree(), treeBefore);
        EXPECT_EQ(Captions(), captionsBefore);
    }
}

TEST_F(UndoTest, RecordsChangedFromOutsideRefuseTheUndoAndDropTheHistory)
{
    struct Case {
        const char* what;
        std::function<void()> action;
        std::function<void()> outside;
        const char* message;
    };
    const Case cases[] = {
        {"caption changed by another program", [this] { Node(11)->AssignText("Sales"); },
         [this] {
             Sql("UPDATE ARBOLO SET NAME = 'Marketing' WHERE ID = 11;");
             table->Refresh();
         },
         "Cannot undo \"Rename Node\": record 11 (\"Sales\") was changed meanwhile: NAME is \"Marketing\" now, not "
         "\"Sales\"."},
        {"a field the chart does not show changed by another program", [this] { Node(11)->AssignText("Sales"); },
         [this] {
             Sql("UPDATE ARBOLO SET CBY = 'zoe' WHERE ID = 11;");
             table->Refresh();
         },
         "record 11 (\"Sales\") was changed meanwhile: CBY is \"zoe\" now, not empty."},
        {"record deleted through the dataset", [this] { Node(11)->AssignText("Sales"); },
         [this] {
             GoToRecord(11);
             table->Delete();
         },
         "Cannot undo \"Rename Node\": record 11 (\"Sales\") was deleted meanwhile."},
        {"key of a deleted record taken again", [this] { chart->DeleteNode(Node(13)); },
         [this] {
             Sql("INSERT INTO ARBOLO (ID, PARENT, NAME) VALUES (13, 2, 'newcomer');");
             table->Refresh();
         },
         "Cannot undo \"Delete Node\": a record with the key 13 was added meanwhile."},
        {"moved record moved back by another program", [this] { Node(11)->MoveTo(Node(2), TzqOcAttachMode::amAddChild); },
         [this] {
             Sql("UPDATE ARBOLO SET PARENT = 1 WHERE ID = 11;");
             table->Refresh();
         },
         "PARENT is 1 now, not 2."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenFamily();
        // An earlier action, which builds on nothing the outside change touched, goes
        // with the refused one: the history before a refused step is not trusted.
        Node(10)->AssignText("first");
        c.action();
        c.outside();
        const std::string rows = Rows(), tree = Tree();
        ASSERT_EQ(chart->UndoHistory().UndoCount(), 2);
        const int changesBefore = historyChanges;

        const std::string message = FailureOf([this] { chart->Undo(); });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(Rows(), rows) << "a record was written";
        EXPECT_EQ(Tree(), tree);
        EXPECT_FALSE(chart->CanUndo());
        EXPECT_GT(historyChanges, changesBefore);
        EXPECT_FALSE(table->InTransaction());
        ExpectConsistent();
    }
}

TEST_F(UndoTest, RedoIsRefusedWhenTheRecordsChangedAfterTheUndo)
{
    OpenFamily();
    Node(11)->AssignText("Sales");
    chart->Undo();
    Sql("UPDATE ARBOLO SET NAME = 'Legal' WHERE ID = 11;");
    table->Refresh();
    const std::string rows = Rows();
    const std::string message = FailureOf([this] { chart->Redo(); });
    EXPECT_NE(message.find("Cannot redo \"Rename Node\": record 11 (\"b\") was changed meanwhile: NAME is \"Legal\" now"),
              std::string::npos)
        << message;
    EXPECT_EQ(Rows(), rows);
    EXPECT_FALSE(chart->CanRedo());
    EXPECT_EQ(Node(11)->Text(), "Legal");
}

TEST_F(UndoTest, FailedWriteLeavesTableChartAndHistoryAsTheyWere)
{
    struct Case {
        const char* what;
        std::function<void()> fault;
        std::function<void()> lift;
        const char* message;
        // The file cannot be read while the fault lasts.
        bool locks = false;
    };
    std::unique_ptr<LockHolder> holder;
    const Case cases[] = {
        {"table locked by another program", [&] { holder = std::make_unique<LockHolder>(file); },
         [&] { holder.reset(); }, "", true},
        {"dataset read-only", [this] { table->SetReadOnly(true); }, [this] { table->SetReadOnly(false); },
         "Cannot undo \"Delete Node\": the table cannot be modified."},
        {"file read-only",
         [this] {
             table->Close();
             ASSERT_EQ(chmod(file.c_str(), 0444), 0);
             table->Open();
         },
         [this] {
             table->Close();
             ASSERT_EQ(chmod(file.c_str(), 0644), 0);
             table->Open();
         },
         "the table cannot be modified"},
        {"the last record of the branch refused by the table",
         [this] {
             Sql("CREATE TRIGGER REFUSE BEFORE INSERT ON ARBOLO WHEN NEW.ID = 30 "
                 "BEGIN SELECT RAISE(ABORT, 'refused by the table'); END;");
         },
         [this] { Sql("DROP TRIGGER REFUSE;"); }, "refused by the table"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenFamily();
        const std::string rowsBefore = Rows(), treeBefore = Tree();
        chart->DeleteNode(Node(12));
        // A locked file is read before the fault (it cannot be read during it); a
        // trigger changes the file itself, so the others are read after.
        std::string bytes, rows;
        const std::string tree = Tree();
        const auto snapshot = [&] {
            bytes = ReadFileBytes(file);
            rows = Rows();
        };
        if (c.locks)
            snapshot();
        c.fault();
        if (!c.locks)
            snapshot();
        const int changes = historyChanges;

        const std::string message = FailureOf([this] { chart->Undo(); });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(Tree(), tree);
        EXPECT_EQ(Node(12), nullptr);
        EXPECT_TRUE(chart->CanUndo());
        EXPECT_FALSE(chart->CanRedo());
        EXPECT_EQ(historyChanges, changes);
        EXPECT_EQ(table->State(), TDataSetState::dsBrowse);
        EXPECT_FALSE(table->InTransaction());
        ExpectConsistent("after the failed undo");
        const auto expectFileUnchanged = [&] {
            EXPECT_TRUE(ReadFileBytes(file) == bytes) << "the table file changed";
            EXPECT_EQ(Rows(), rows);
        };
        if (!c.locks)
            expectFileUnchanged();
        c.lift();
        if (c.locks)
            expectFileUnchanged();

        // Once the fault is gone, the same step goes through.
        chart->Undo();
        EXPECT_EQ(Rows(), rowsBefore);
        EXPECT_EQ(Tree(), treeBefore);
        ExpectConsistent("after the undo");
    }
}

TEST_F(UndoTest, DeletedBranchComesBackWithItsExpansionAndSelection)
{
    struct Case {
        const char* what;
        std::vector<int> expand;
        const char* expanded;
    };
    const Case cases[] = {
        {"head expanded, inner node collapsed", {1, 12}, "1 12 "},
        {"head collapsed, inner node expanded", {1, 20}, "1 20 "},
        {"all expanded", {1, 12, 20}, "1 12 20 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenFamily();
        for (int key : c.expand)
            Node(key)->Expand(false);
        ASSERT_EQ(ExpandedKeys(), c.expanded);
        chart->SetSelected(Node(12));
        chart->DeleteNode(Node(12));
        ASSERT_EQ(Node(12), nullptr);

        chart->Undo();
        EXPECT_EQ(ExpandedKeys(), c.expanded);
        EXPECT_EQ(chart->Selected(), Node(12));
        EXPECT_EQ(table->FieldByName("ID")->AsInteger(), 12);
        ExpectConsistent();
    }
}

TEST_F(UndoTest, NewActionClearsRedoAndTheLimitDropsTheOldest)
{
    OpenFamily();
    Node(10)->AssignText("x");
    EXPECT_EQ(historyChanges, 1);
    chart->Undo();
    EXPECT_EQ(historyChanges, 2);
    EXPECT_TRUE(chart->CanRedo());
    EXPECT_EQ(chart->RedoCaption(), "Rename Node");

    Node(11)->AssignText("y");
    EXPECT_FALSE(chart->CanRedo());
    EXPECT_EQ(chart->UndoHistory().UndoCount(), 1);
    EXPECT_EQ(historyChanges, 3);

    chart->SetUndoLimit(2);
    Node(12)->AssignText("z");
    Node(13)->AssignText("w");
    EXPECT_EQ(chart->UndoHistory().UndoCount(), 2);
    chart->Undo();
    chart->Undo();
    EXPECT_FALSE(chart->CanUndo());
    // The oldest rename was dropped, not undone.
    EXPECT_EQ(Query("SELECT NAME FROM ARBOLO WHERE ID IN (10, 11, 12, 13) ORDER BY ID"), "a\ny\nc\nd");
}

TEST_F(UndoTest, AbandonedGroupRecordsNothing)
{
    OpenFamily();
    {
        TzqOcUndoGroup group(*chart, "Add Node");
        TTableTransaction transaction(*table);
        chart->AddChild(Node(2), 0);
        // Neither committed: the records go with the transaction, the group with them.
    }
    EXPECT_FALSE(chart->CanUndo());
    EXPECT_EQ(Query("SELECT COUNT(*) FROM ARBOLO"), "9");
}

// Without an order field, with the key as the order: an insert gives the siblings after
// it new keys, and their children new parent keys. The undo must give every record its
// old key back (and the redo the new ones), whatever the order the keys are rewritten in.
TEST_F(UndoTest, NewKeysGivenBySiblingOrderAreTakenBackAndGivenAgain)
{
    Sql(std::string(kPlainKeySchema) +
        "INSERT INTO ARBOLO (ID, PARENT, NAME) VALUES (1, NULL, 'top'), (2, 1, 'a'), (3, 1, 'b'), (4, 1, 'c'), "
        "(5, 3, 'b1'), (6, 4, 'c1');");
    Open([](TestDbOrgChart& c) {
        c.SetOrderFieldName("");
        c.SetKeyOrder(true);
    });
    const std::string rowsBefore = Rows(), treeBefore = Tree();
    ASSERT_EQ(Captions(), "top(a,b(b1),c(c1))");
    chart->Insert(Node(3), 0); // before 'b': 'b' and 'c' take new keys
    const std::string rowsAfter = Rows(), treeAfter = Tree();
    ASSERT_EQ(Captions(), "top(a,,b(b1),c(c1))");
    ASSERT_NE(treeAfter, treeBefore);

    chart->Undo();
    EXPECT_EQ(Rows(), rowsBefore);
    EXPECT_EQ(Tree(), treeBefore);
    EXPECT_EQ(Captions(), "top(a,b(b1),c(c1))");
    ExpectConsistent("after the undo");
    chart->Redo();
    EXPECT_EQ(Rows(), rowsAfter);
    EXPECT_EQ(Tree(), treeAfter);
    ExpectConsistent("after the redo");
}

} // namespace
