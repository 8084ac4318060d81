// Changes to the tree written to the table file: new keys, auto-increment keys, sibling
// renumbering with and without an order field, moves, branch deletions, attribute
// writes, the stream read, and a table that cannot be modified.
#include "dborgchart/tests/DbChartFixture.h"

#include "dborgchart/DbOrgChartError.h"
#include "platform/core/Stream.h"
#include "platform/data/DatabaseError.h"

#include <sys/stat.h>

namespace {

class WriteBackTest : public DbChartTest {
protected:
    // Counts the posts the table makes.
    void CountPosts()
    {
        table->AfterPost = [this](TDataSet*) { ++posts; };
    }
    // Runs an action that must fail with a message containing `expected`.
    template <typename E = Exception>
    static void ExpectError(const std::function<void()>& action, const std::string& expected)
    {
        try {
            action();
            ADD_FAILURE() << "no error; expected: " << expected;
        } catch (const E& e) {
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
        }
    }
    int posts = 0;
};

TEST_F(WriteBackTest, NewKeysCountOnFromTheLargestKeyMet)
{
    Sql(kPlainKeySchema);
    Open();
    TzqOcNode* first = chart->AddChild(nullptr, 0);
    TzqOcNode* second = chart->AddChild(first, 0);
    chart->AddChild(first, 0);
    EXPECT_EQ(Tree(), "0(1,2)");
    EXPECT_EQ(Query("SELECT ID, PARENT, \"ORDER\" FROM ARBOLO ORDER BY ID"), "0|NULL|0\n1|0|0\n2|0|1");
    EXPECT_EQ(static_cast<TzqDbOcNode*>(second)->RecordIndex(), 1);
    ExpectConsistent();

    // After loading a table whose largest key is 41 the next key is 42.
    Sql("INSERT INTO ARBOLO (ID, NAME) VALUES (41, 'forty-one'), (7, 'seven');");
    Open();
    EXPECT_EQ(chart->MaxKey(), Variant(41));
    chart->AddChild(nullptr, 0);
    EXPECT_EQ(Query("SELECT max(ID) FROM ARBOLO"), "42");
    EXPECT_EQ(chart->MaxKey(), Variant(42));
}

TEST_F(WriteBackTest, OnNewKeyOffersAreTakenOnlyWhenAboveEveryKnownKey)
{
    Sql(std::string(kPlainKeySchema) + "INSERT INTO ARBOLO (ID, NAME) VALUES (41, 'a');");
    struct Case {
        const char* what;
        std::function<Variant(const Variant& max)> offer;
        const char* key;
    };
    const Case cases[] = {
        {"a key above MaxKey", [](const Variant& max) { return Variant(max.AsInteger() + 100); }, "141"},
        {"a key below it: MaxKey + 1", [](const Variant&) { return Variant(5); }, "42"},
        {"a key equal to it", [](const Variant& max) { return max; }, "42"},
        {"no key offered", [](const Variant&) { return Variant::Null(); }, "42"},
        {"an unassigned value", [](const Variant&) { return Variant(); }, "42"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sql("DELETE FROM ARBOLO WHERE ID <> 41;");
        Variant seen;
        Open([&](TestDbOrgChart& chart) {
            chart.OnNewKey = [&](TObject*, Variant max, Variant& key) {
                EXPECT_TRUE(key.IsNull());
                seen = max;
                key = c.offer(max);
            };
        });
        chart->AddChild(nullptr, 0);
        EXPECT_EQ(seen, Variant(41));
        EXPECT_EQ(Query("SELECT max(ID) FROM ARBOLO"), c.key);
    }
}

TEST_F(WriteBackTest, AStringKeyWithoutAnAcceptedOfferCannotBeMade)
{
    Sql("CREATE TABLE ARBOLO (ID VARCHAR(10) PRIMARY KEY, PARENT VARCHAR(10), NAME VARCHAR(100));"
        "INSERT INTO ARBOLO VALUES ('m', NULL, 'em'), ('n', 'm', 'en');");
    Variant offer("a");
    Open([&](TestDbOrgChart& c) {
        c.SetOrderFieldName("");
        c.OnNewKey = [&](TObject*, Variant, Variant& key) { key = offer; };
    });
    const std::string before = ReadFileBytes(file);
    table->Last();
    ExpectError<EzqDbOrgChartError>([&] { chart->AddChild(Node(Variant("m")), 0); }, "Cannot create new key.");
    // The node never stays without a record; nothing was written; the guard is back.
    EXPECT_EQ(Tree(), "m(n)");
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(table->FieldByName("ID")->AsString(), "n");
    ExpectConsistent("after the refusal");

    // Keys without an order field: a string key is its own order value, and an insert
    // after a sibling whose order value is no number still works.
    offer = Variant("z");
    TzqOcNode* added = chart->AddChild(Node(Variant("m")), 0);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(Tree(), "m(n,z)");
    EXPECT_EQ(static_cast<TzqDbOcNode*>(added)->OrderValue(), Variant("z"));
    EXPECT_EQ(Query("SELECT ID, PARENT FROM ARBOLO ORDER BY ID"), "m|NULL\nn|m\nz|m");
    ExpectConsistent("after the insert");
}

TEST_F(WriteBackTest, AKeyThatDoesNotFitTheKeyFieldIsRefusedNotWrapped)
{
    struct Case {
        const char* type;
        const char* largest;
    };
    const Case cases[] = {{"SMALLINT", "32767"}, {"WORD", "65535"}, {"INTEGER", "2147483647"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Reset();
        std::filesystem::remove(file);
        Sql(std::string("CREATE TABLE ARBOLO (ID ") + c.type + ", PARENT " + c.type + ", NAME VARCHAR(20));" +
            "INSERT INTO ARBOLO VALUES (0, NULL, 'low'), (" + c.largest + ", NULL, 'high');");
        Open([](TestDbOrgChart& chart) { chart.SetOrderFieldName(""); });
        ExpectError<EzqDbOrgChartError>([&] { chart->AddChild(nullptr, 0); }, "Cannot create new key.");
        EXPECT_EQ(Query("SELECT count(*) FROM ARBOLO"), "2");
        EXPECT_EQ(chart->Count(), 2);
    }
}

TEST_F(WriteBackTest, AutoIncrementKeysComeFromTheTable)
{
    Sql(std::string(kArboloSchema) + "INSERT INTO ARBOLO (ID, NAME, \"ORDER\") VALUES (5, 'five', 0);");
    bool asked = false;
    Open([&](TestDbOrgChart& c) { c.OnNewKey = [&](TObject*, Variant, Variant&) { asked = true; }; });
    TzqOcNode* child = chart->AddChild(Node(5), 0);
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(asked);
    EXPECT_EQ(static_cast<TzqDbOcNode*>(child)->Key(), Variant(6));
    EXPECT_EQ(static_cast<TzqDbOcNode*>(child)->OrderValue(), Variant(0));
    EXPECT_EQ(chart->MaxKey(), Variant(5));
    EXPECT_EQ(Query("SELECT ID, PARENT, \"ORDER\" FROM ARBOLO ORDER BY ID"), "5|NULL|0\n6|5|0");
    ExpectConsistent();
}

TEST_F(WriteBackTest, InsertingAtTheThirdPlaceRenumbersTheSiblingsAfterIt)
{
    Sql(std::string(kArboloSchema) +
        "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (1, NULL, 'top', 0),"
        "(10, 1, 'a', 0), (11, 1, 'b', 1), (12, 1, 'c', 2), (13, 1, 'd', 3);");
    Open();
    CountPosts();
    TzqOcNode* added = chart->Insert(Node(12), 0);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(Tree(), "1(10,11,14,12,13)");
    EXPECT_EQ(static_cast<TzqDbOcNode*>(added)->OrderValue(), Variant(2));
    EXPECT_EQ(Node(12)->OrderValue(), Variant(3));
    EXPECT_EQ(Node(13)->OrderValue(), Variant(4));
    // The new record and two renumbered ones, in the file when the insert returns.
    EXPECT_EQ(posts, 3);
    EXPECT_EQ(Query("SELECT ID, \"ORDER\" FROM ARBOLO WHERE PARENT = 1 ORDER BY \"ORDER\""),
              "10|0\n11|1\n14|2\n12|3\n13|4");
    ExpectConsistent();
}

TEST_F(WriteBackTest, InsertingBeforeHundredsOfSiblingsRenumbersEveryOneOfThem)
{
    // Enough siblings for the renumbering to read the record positions in one pass;
    // once with the positions as the chart knows them, once with a record added behind
    // the chart's back, which leaves every position it knows one short.
    for (const bool behind : {false, true}) {
        SCOPED_TRACE(behind ? "a record added behind the chart's back" : "positions as known");
        Reset();
        std::filesystem::remove(file);
        std::string rows = "INSERT INTO ARBOLO VALUES (1, NULL, 'top', 0)";
        for (int i = 0; i < 300; ++i)
            rows += ", (" + std::to_string(100 + i) + ", 1, 's', " + std::to_string(i) + ")";
        Sql(std::string(kPlainKeySchema) + rows + ";");
        Open();
        if (behind) {
            chart->OnChange = [&](TObject*, TzqOcNode*) {
                chart->OnChange = nullptr;
                table->Append();
                table->FieldByName("ID")->SetAsInteger(0);
                table->FieldByName("NAME")->SetAsString("added first");
                table->Post();
            };
            GoToRecord(150);
            ASSERT_EQ(table->RecordCount(), 302);
        }
        TzqOcNode* added = chart->Insert(Node(100), 0);
        ASSERT_NE(added, nullptr);
        const std::string key = static_cast<TzqDbOcNode*>(added)->Key().AsString();
        // In the file: the new record first, then every old sibling one place later.
        std::string expected = key + "|0";
        for (int i = 0; i < 300; ++i)
            expected += "\n" + std::to_string(100 + i) + "|" + std::to_string(i + 1);
        EXPECT_EQ(Query("SELECT ID, \"ORDER\" FROM ARBOLO WHERE PARENT = 1 ORDER BY \"ORDER\""), expected);
        if (!behind)
            ExpectConsistent();
        table->Refresh();
        EXPECT_EQ(Node(399)->OrderValue(), Variant(300));
        ExpectConsistent();
    }
}

TEST_F(WriteBackTest, MovingToTheTopLevelWritesNullOrTheNodesOwnKeyWhenAParentIsRequired)
{
    struct Case {
        const char* schema;
        const char* parent;
    };
    const Case cases[] = {{kPlainKeySchema, "NULL"}, {kRequiredParentSchema, "2"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parent);
        Reset();
        std::filesystem::remove(file);
        Sql(std::string(c.schema) + "INSERT INTO ARBOLO VALUES (1, 1, 'top', 0), (2, 1, 'child', 0);");
        Open();
        ASSERT_EQ(Tree(), "1(2)");
        Node(2)->MoveTo(nullptr, TzqOcAttachMode::amAdd);
        EXPECT_EQ(Tree(), "1,2");
        EXPECT_TRUE(Node(2)->ParentKey().IsNull());
        EXPECT_EQ(Query("SELECT PARENT FROM ARBOLO WHERE ID = 2"), c.parent);
        // Read back, either way the record is a top-level one.
        table->Refresh();
        EXPECT_EQ(Tree(), "1,2");
        ExpectConsistent();
    }
}

TEST_F(WriteBackTest, AMoveRewritesTheParentAndRenumbersItsNewSiblings)
{
    Sql(std::string(kArboloSchema) +
        "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (1, NULL, 'p', 0), (2, NULL, 'q', 1),"
        "(10, 1, 'a', 0), (11, 1, 'b', 1), (20, 2, 'x', 0), (21, 2, 'y', 1);");
    Open();
    CountPosts();
    Node(20)->MoveTo(Node(11), TzqOcAttachMode::amInsert);
    EXPECT_EQ(Tree(), "1(10,20,11),2(21)");
    EXPECT_EQ(Query("SELECT ID, PARENT, \"ORDER\" FROM ARBOLO WHERE ID IN (10, 11, 20) ORDER BY \"ORDER\""),
              "10|1|0\n20|1|1\n11|1|2");
    // The moved record's parent, then its own order value (its previous sibling's was
    // not below it) and the one after it.
    EXPECT_EQ(posts, 3);
    // A move that would make a node its own ancestor changes nothing and writes nothing.
    chart->MoveNode(Node(20), Node(1), -1);
    EXPECT_EQ(Tree(), "1(10,20,11),2(21)");
    EXPECT_EQ(posts, 3);
    ExpectConsistent();
}

TEST_F(WriteBackTest, DeletingABranchDeletesItsRecordsParentFirst)
{
    Sql(std::string(kArboloSchema) +
        "CREATE TABLE LOG (N INTEGER PRIMARY KEY AUTOINCREMENT, ID INTEGER);"
        "CREATE TRIGGER LOGDELETE AFTER DELETE ON ARBOLO BEGIN INSERT INTO LOG (ID) VALUES (OLD.ID); END;"
        "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (1, NULL, 'top', 0), (2, 1, 'node', 0),"
        "(3, 2, 'child one', 0), (4, 2, 'child two', 1), (5, 3, 'grandchild', 0), (6, 1, 'sibling', 1);");
    Open();
    chart->SetSelected(Node(5));
    std::vector<std::string> deleted;
    chart->OnDeletion = [&](TObject*, TzqOcNode* n) { deleted.push_back(static_cast<TzqDbOcNode*>(n)->Key().AsString()); };
    chart->DeleteNode(Node(2));
    EXPECT_EQ(Query("SELECT group_concat(ID) FROM (SELECT ID FROM LOG ORDER BY N)"), "2,3,5,4");
    EXPECT_EQ(deleted, (std::vector<std::string>{"2", "3", "5", "4"}));
    chart->OnDeletion = nullptr;
    EXPECT_EQ(Tree(), "1(6)");
    EXPECT_EQ(Query("SELECT group_concat(ID) FROM ARBOLO"), "1,6");
    // The selection moved to the next sibling and the cursor followed it.
    EXPECT_EQ(chart->Selected(), Node(6));
    EXPECT_EQ(table->FieldByName("ID")->AsInteger(), 6);
    ExpectConsistent();
}

TEST_F(WriteBackTest, DeletingTheLastRecordLeavesTheCursorOnTheNewLastOne)
{
    Sql(std::string(kArboloSchema) +
        "INSERT INTO ARBOLO (ID, NAME, \"ORDER\") VALUES (1, 'a', 0), (2, 'b', 1), (3, 'c', 2);");
    Open();
    table->Last();
    ASSERT_EQ(chart->CurrentIndex(), 2);
    chart->DeleteNode(Node(3));
    EXPECT_EQ(chart->CurrentIndex(), 1);
    EXPECT_EQ(chart->LastIndex(), 1);
    EXPECT_EQ(table->RecNo(), 2);
    ExpectConsistent();
}

TEST_F(WriteBackTest, DeletingARecordBeforeTheCursorKeepsTheCursorOnItsRecord)
{
    Sql(std::string(kArboloSchema) +
        "INSERT INTO ARBOLO (ID, NAME, \"ORDER\") VALUES (1, 'a', 0), (2, 'b', 1), (3, 'c', 2), (4, 'd', 3);");
    Open();
    chart->SetSelected(Node(4));
    // Deleting an unselected node before the cursor: the cursor stays on record 4.
    chart->DeleteNode(Node(2));
    EXPECT_EQ(table->FieldByName("ID")->AsInteger(), 4);
    EXPECT_EQ(chart->CurrentIndex(), 2);
    ExpectConsistent();
}

TEST_F(WriteBackTest, AnAttributeChangeWritesEveryBoundAttributeInOnePost)
{
    Sql(std::string(kArboloSchema) +
        "INSERT INTO ARBOLO VALUES (1, NULL, 'box', NULL, NULL, 90, 70, 1, 255, 2, 3, 0, 0);");
    Open([](TestDbOrgChart& c) {
        c.SetWidthFieldName("WIDTH");
        c.SetHeightFieldName("HEIGHT");
        c.SetColorFieldName("COLOR");
        c.SetShapeFieldName("TYPE");
        c.SetAlignFieldName("ALIGN");
        c.SetImageAlignFieldName("IMAGEALIGN");
        c.SetImageFieldName("IMAGE");
    });
    TzqDbOcNode* node = Node(1);
    EXPECT_EQ(node->Width(), 90);
    EXPECT_EQ(node->Shape(), TzqOcShape::shRoundRect);
    EXPECT_EQ(node->Align(), TzqOcNodeAlign::naLeft);
    CountPosts();
    // What the table says changes behind the chart's back stays unseen...
    Sql("UPDATE ARBOLO SET HEIGHT = 1, NAME = 'stale' WHERE ID = 1;");
    node->SetWidth(120);
    EXPECT_EQ(posts, 1);
    // ...and the post writes every bound value as the chart shows it.
    EXPECT_EQ(Query("SELECT NAME, WIDTH, HEIGHT, TYPE, COLOR, IMAGE, IMAGEALIGN, ALIGN FROM ARBOLO"),
              "box|120|70|1|255|2|3|0");
    // A system colour goes into an integer field as a negative number.
    node->SetColor(0x8000000F);
    EXPECT_EQ(Query("SELECT COLOR FROM ARBOLO"), std::to_string(int32_t(0x8000000F)));
    // Assigning the same value again writes nothing.
    node->SetWidth(120);
    node->AssignText("box");
    EXPECT_EQ(posts, 2);
}

TEST_F(WriteBackTest, ReadingTheAttributeBlockWritesTheRecordOnce)
{
    Sql(std::string(kArboloSchema) + "INSERT INTO ARBOLO (ID, NAME, \"ORDER\", WIDTH) VALUES (1, 'a', 0, 90);");
    Open([](TestDbOrgChart& c) {
        c.SetWidthFieldName("WIDTH");
        c.SetHeightFieldName("HEIGHT");
        c.SetShapeFieldName("TYPE");
        c.SetImageFieldName("IMAGE");
    });
    CountPosts();
    TMemoryStream block;
    const uint8_t record[13] = {100, 0, 80, 0, 0xFF, 0, 0, 0, 1, 2, 3, 0, 4};
    block.WriteBuffer(record, sizeof record);
    block.SetPosition(0);
    Node(1)->ReadData(&block);
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(Query("SELECT WIDTH, HEIGHT, TYPE, IMAGE FROM ARBOLO"), "100|80|2|3");

    // A block cut short: the error reaches the caller, nothing more is written and
    // write-back is on again.
    TMemoryStream shortBlock;
    shortBlock.WriteBuffer(record, 5);
    shortBlock.SetPosition(0);
    EXPECT_THROW(Node(1)->ReadData(&shortBlock), EStreamError);
    EXPECT_EQ(posts, 1);
    EXPECT_TRUE(chart->SyncEnabled());
    Node(1)->SetWidth(110);
    EXPECT_EQ(posts, 2);
}

TEST_F(WriteBackTest, KeyOrderGivesFollowingSiblingsNewKeysAndRepointsTheirChildren)
{
    Sql(std::string(kPlainKeySchema) +
        "INSERT INTO ARBOLO (ID, PARENT, NAME) VALUES (10, NULL, 'top'), (1, 10, 'a'), (2, 10, 'b'), (3, 10, 'c'),"
        "(30, 3, 'below c');");
    Open([](TestDbOrgChart& c) {
        c.SetOrderFieldName("");
        c.SetKeyOrder(true);
    });
    ASSERT_EQ(Tree(), "10(1,2,3(30))");
    chart->SetSelected(Node(30));
    chart->Insert(Node(2), 0);
    EXPECT_EQ(Tree(), "10(1,31,32,33(30))");
    EXPECT_EQ(Query("SELECT ID, PARENT FROM ARBOLO ORDER BY ID"), "1|10\n10|NULL\n30|33\n31|10\n32|10\n33|10");
    EXPECT_EQ(Node(30)->ParentKey(), Variant(33));
    // Records moved in the table's order (their keys changed); the cursor is still on
    // the selected node's record.
    EXPECT_EQ(table->FieldByName("ID")->AsInteger(), 30);
    ExpectConsistent();
    // Read back, the table gives the same tree.
    table->Refresh();
    EXPECT_EQ(Tree(), "10(1,31,32,33(30))");
}

TEST_F(WriteBackTest, ATableThatCannotBeModifiedRefusesEveryChange)
{
    Sql(std::string(kArboloSchema) +
        "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (1, NULL, 'top', 0), (2, 1, 'a', 0), (3, NULL, 'b', 1);");
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    const std::string before = ReadFileBytes(file);
    Open();
    ASSERT_FALSE(table->CanModify());
    EXPECT_EQ(chart->AddChild(nullptr, 0), nullptr);
    EXPECT_EQ(chart->Insert(Node(3), 0), nullptr);
    chart->DeleteNode(Node(2));
    Node(3)->MoveTo(Node(1), TzqOcAttachMode::amAddChild);
    EXPECT_EQ(Tree(), "1(2),3");
    // Nor does a caption: the box keeps what the record holds.
    Node(1)->AssignText("renamed");
    EXPECT_EQ(Node(1)->Text(), "top");
    // In-place editing does not start (OnEditing is the first thing it would fire).
    bool editingAsked = false;
    chart->OnEditing = [&](TObject*, TzqOcNode*, bool&) { editingAsked = true; };
    chart->SetSelected(Node(1));
    chart->ShowEditor();
    EXPECT_FALSE(editingAsked);
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_TRUE(chart->SyncEnabled());
}

} // namespace
