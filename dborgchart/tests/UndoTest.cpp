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

    // The tree with captions and widths as a second chart shows it after loading the
    // file afresh.
    std::string FreshTree()
    {
        TTable fresh;
        fresh.SetDatabaseName(folder);
        fresh.SetTableName("ARBOLO.DB");
        TDataSource freshSource(&fresh);
        TestDbOrgChart reader(nullptr);
        reader.SetKeyFieldName("ID");
        reader.SetParentFieldName("PARENT");
        reader.SetTextFieldName("NAME");
        reader.SetOrderFieldName("ORDER");
        reader.SetWidthFieldName("WIDTH");
        reader.SetDataSource(&freshSource);
        fresh.Open();
        const std::string shown = Shown(reader.RootNode());
        reader.SetDataSource(nullptr);
        return shown;
    }
    static std::string Shown(TzqOcNode* Root)
    {
        return Describe(Root, [](TzqDbOcNode* n) {
            return n->Key().AsString() + ":" + n->Text() + ":" + std::to_string(n->Width());
        });
    }

    // Counts the records the chart reads (each load of a record fires OnLoadNode).
    void CountReads()
    {
        reads = 0;
        chart->OnLoadNode = [this](TObject*, TzqOcNode*) { ++reads; };
    }

    int historyChanges = 0;
    int reads = 0;
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

// An undo that only adds records back, or a redo that only deletes them, is followed
// node by node: only the records written are read, and the chart is what a fresh load
// shows, record positions included.
TEST_F(UndoTest, DeletionUndoneOrRedoneNodeByNodeShowsWhatAFreshLoadShows)
{
    struct Case {
        const char* what;
        const char* extra; // records added to the family first
        std::vector<int> deleted; // deleted in this order, then undone last first
        bool redo;              // the last deletion made again after the undos
        const char* tree;       // by keys after the undos (or the redo)
    };
    const Case cases[] = {
        {"a leaf", "", {13}, false, "1(10,11,12(20(30),21),13),2"},
        {"the only child of its parent", "", {30}, false, "1(10,11,12(20(30),21),13),2"},
        {"a branch of three levels", "", {12}, false, "1(10,11,12(20(30),21),13),2"},
        {"a top-level branch", "", {1}, false, "1(10,11,12(20(30),21),13),2"},
        {"a branch whose parent was restored before it", "", {20, 12}, false, "1(10,11,12(20(30),21),13),2"},
        // 14 shares 12's order value and was read later: it stands before 12.
        {"a branch among siblings of equal order", "(14, 1, 'e', 90, 2), (40, 14, 'e1', 80, 0);", {12}, false,
         "1(10,11,14(40),12(20(30),21),13),2"},
        {"the later of two siblings of equal order", "(14, 1, 'e', 90, 2), (40, 14, 'e1', 80, 0);", {14}, false,
         "1(10,11,14(40),12(20(30),21),13),2"},
        {"two siblings of equal order, both restored", "(14, 1, 'e', 90, 2);", {12, 14}, false,
         "1(10,11,14,12(20(30),21),13),2"},
        {"redo of a branch deletion", "", {12}, true, "1(10,11,13),2"},
        {"redo of a leaf deletion", "", {30}, true, "1(10,11,12(20,21),13),2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(file);
        std::string records = kFamily;
        if (*c.extra)
            records += std::string("INSERT INTO ARBOLO (ID, PARENT, NAME, WIDTH, \"ORDER\") VALUES ") + c.extra;
        Sql(std::string(kArboloSchema) + records);
        Open([](TestDbOrgChart& chart) { chart.SetWidthFieldName("WIDTH"); });
        const std::string rowsBefore = Rows();
        const std::string shownBefore = Shown(chart->RootNode());
        std::vector<int> sizes;
        for (int key : c.deleted) {
            const int before = table->RecordCount();
            chart->DeleteNode(Node(key));
            sizes.push_back(before - table->RecordCount());
        }
        CountReads();
        for (size_t i = c.deleted.size(); i-- > 0;) {
            const int readsBefore = reads;
            chart->Undo();
            EXPECT_EQ(reads - readsBefore, sizes[i]) << "undo of the deletion of " << c.deleted[i];
            EXPECT_EQ(Shown(chart->RootNode()), FreshTree());
            ExpectConsistent("after an undo");
        }
        EXPECT_EQ(Rows(), rowsBefore);
        if (!c.redo) {
            EXPECT_EQ(Shown(chart->RootNode()), shownBefore);
        } else {
            const int readsBefore = reads;
            chart->Redo();
            EXPECT_EQ(reads, readsBefore);
            EXPECT_EQ(Shown(chart->RootNode()), FreshTree());
            ExpectConsistent("after the redo");
        }
        EXPECT_EQ(Tree(), c.tree);
    }
}

// Where the chart cannot be sure a node-by-node update shows what a fresh load shows, it
// builds itself from every record again.
TEST_F(UndoTest, OtherUndosReadEveryRecordAgain)
{
    struct Case {
        const char* what;
        const char* extra;
        std::function<void()> act;
        const char* tree; // after the undo
    };
    const Case cases[] = {
        {"a move (records rewritten)", "", [this] { chart->MoveNode(Node(2), Node(12), 0); },
         "1(10,11,12(20(30),21),13),2"},
        // 50 names a parent that is not there: the chart leaves it out.
        {"a deletion in a table with a record left out", "(50, 99, 'lost', 10, 0);",
         [this] { chart->DeleteNode(Node(12)); }, "1(10,11,12(20(30),21),13),2"},
        // 60 names 61, 61 names 60: the cycle's head stands at the top level.
        {"a deletion in a table with a parent cycle", "(60, 61, 'x', 10, 5), (61, 60, 'y', 10, 0);",
         [this] { chart->DeleteNode(Node(13)); }, "1(10,11,12(20(30),21),13),2,60(61)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(file);
        std::string records = kFamily;
        if (*c.extra)
            records += std::string("INSERT INTO ARBOLO (ID, PARENT, NAME, WIDTH, \"ORDER\") VALUES ") + c.extra;
        Sql(std::string(kArboloSchema) + records);
        Open([](TestDbOrgChart& chart) { chart.SetWidthFieldName("WIDTH"); });
        c.act();
        CountReads();
        chart->Undo();
        EXPECT_EQ(reads, table->RecordCount());
        EXPECT_EQ(Tree(), c.tree);
        EXPECT_EQ(Shown(chart->RootNode()), FreshTree());
        ExpectConsistent();
    }
}

} // namespace
