// Loading the tree from a table: placement under parents in any record order, sibling
// order, cycles, duplicates and missing parents, reloads in place and rebuilds after a
// filter change, and the failure rules for bindings that do not match the table.
#include "dborgchart/tests/DbChartFixture.h"

#include "platform/data/StringField.h"

namespace {

using LoadingTest = DbChartTest;

// Rows of the demonstration layout: ID, PARENT, NAME, ORDER.
std::string Rows(std::initializer_list<std::tuple<int, const char*, const char*, int>> rows)
{
    std::string sql = std::string(kArboloSchema) + "BEGIN;";
    for (const auto& [id, parent, name, order] : rows)
        sql += "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (" + std::to_string(id) + ", " + parent + ", '" +
               name + "', " + std::to_string(order) + ");";
    return sql + "COMMIT;";
}

TEST_F(LoadingTest, AnEmptyTableGivesAnEmptyChart)
{
    Sql(kArboloSchema);
    Open();
    EXPECT_TRUE(chart->IsReady());
    EXPECT_EQ(chart->Count(), 0);
    EXPECT_EQ(chart->LastIndex(), -1);
    EXPECT_EQ(chart->CurrentIndex(), 0);
    EXPECT_TRUE(chart->MaxKey().IsNull());
    EXPECT_EQ(chart->Selected(), nullptr);
}

TEST_F(LoadingTest, NodesGoUnderTheirParentsInSiblingOrderWhateverTheRecordOrder)
{
    struct Case {
        const char* what;
        std::string sql;
        std::string tree;
    };
    const Case cases[] = {
        {"child before parent", Rows({{5, "9", "child", 0}, {9, "NULL", "parent", 0}}), "9(5)"},
        {"a record naming itself as parent is top level", Rows({{3, "3", "self", 0}, {4, "3", "below", 0}}), "3(4)"},
        {"order 3, 1, 2 is shown 1, 2, 3",
         Rows({{1, "10", "c", 3}, {2, "10", "a", 1}, {3, "10", "b", 2}, {10, "NULL", "top", 0}}), "10(2,3,1)"},
        {"equal order values: the later record first", Rows({{1, "NULL", "x", 0}, {2, "NULL", "y", 0}}), "2,1"},
        {"a deep chain loaded leaf first",
         Rows({{1, "2", "", 0}, {2, "3", "", 0}, {3, "4", "", 0}, {4, "5", "", 0}, {5, "NULL", "", 0}}), "5(4(3(2(1))))"},
        {"a parent key that matches no record leaves its branch out",
         Rows({{1, "7", "orphan", 0}, {2, "1", "below orphan", 0}, {3, "NULL", "kept", 0}, {4, "2", "deeper", 0}}), "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        std::filesystem::remove(file);
        Sql(c.sql);
        Open();
        EXPECT_EQ(Tree(), c.tree);
        ExpectConsistent(c.what);
    }
}

TEST_F(LoadingTest, WithoutAnOrderFieldSiblingsAreOrderedByKey)
{
    // No primary key: the records stay in the order they were written, 3, 1, 2.
    Sql("CREATE TABLE ARBOLO (ID INTEGER, PARENT INTEGER, NAME VARCHAR(100));"
        "INSERT INTO ARBOLO VALUES (3, NULL, 'c'), (1, NULL, 'a'), (2, NULL, 'b');");
    Open([](TestDbOrgChart& c) { c.SetOrderFieldName(""); });
    EXPECT_EQ(Tree(), "1,2,3");
    EXPECT_EQ(Node(1)->OrderValue(), Variant(1));
    EXPECT_EQ(Node(3)->RecordIndex(), 0);
}

TEST_F(LoadingTest, ParentCyclesAreBrokenAtTheRecordMetFirst)
{
    // Cycles of one (a record naming itself), two and five records.
    Sql(Rows({{1, "1", "self", 0},
              {10, "11", "a", 1},
              {11, "10", "b", 0},
              {20, "21", "p", 2},
              {21, "22", "q", 0},
              {22, "23", "r", 0},
              {23, "24", "s", 0},
              {24, "20", "t", 0}}));
    Open();
    EXPECT_EQ(Tree(), "1,10(11),20(24(23(22(21))))");
    ExpectConsistent();
}

TEST_F(LoadingTest, EachNodeAnswersTheParentKeyItsRecordHolds)
{
    // Under its parent a node answers its parent's key; a cycle's head, shown at the top
    // level, answers the key its record names, and keeps it while its branch moves.
    Sql(Rows({{1, "NULL", "top", 0}, {2, "1", "child", 0}, {3, "2", "grandchild", 0}, {10, "11", "a", 1}, {11, "10", "b", 0}}));
    Open();
    ASSERT_EQ(Tree(), "1(2(3)),10(11)");
    const std::pair<int, Variant> expected[] = {
        {1, Variant::Null()}, {2, Variant(1)}, {3, Variant(2)}, {10, Variant(11)}, {11, Variant(10)}};
    for (const auto& [key, parentKey] : expected) {
        SCOPED_TRACE(key);
        EXPECT_EQ(Node(key)->ParentKey(), parentKey);
    }
    Node(3)->MoveTo(Node(1), TzqOcAttachMode::amAddChild);
    EXPECT_EQ(Tree(), "1(2,3),10(11)");
    EXPECT_EQ(Node(3)->ParentKey(), Variant(1));
    EXPECT_EQ(Query("SELECT PARENT FROM ARBOLO WHERE ID = 3"), "1");
    Node(10)->MoveTo(Node(1), TzqOcAttachMode::amAddChild);
    EXPECT_EQ(Node(10)->ParentKey(), Variant(1));
    EXPECT_EQ(Node(11)->ParentKey(), Variant(10));
    ExpectConsistent();
}

// A table without a primary key keeps its records in the order they were written.
std::string UnkeyedRows(const char* rows)
{
    return std::string("CREATE TABLE ARBOLO (ID INTEGER, PARENT INTEGER, NAME VARCHAR(100), \"ORDER\" INTEGER);"
                       "INSERT INTO ARBOLO VALUES ") +
           rows + ";";
}

TEST_F(LoadingTest, NodesWaitingForTheirParentsTakeThePlaceOfTheOrderRule)
{
    // Equal order values: the record read later comes first, whether its node could go
    // under its parent at once or had to wait for it, and whatever the keys.
    struct Case {
        const char* what;
        const char* rows; // (ID, PARENT, NAME, ORDER) in reading order
        std::string tree;
    };
    const Case cases[] = {
        {"two forward references to one parent", "(1, 3, '', 0), (2, 3, '', 0), (3, NULL, '', 0)", "3(2,1)"},
        {"forward references in falling key order", "(2, 3, '', 0), (1, 3, '', 0), (3, NULL, '', 0)", "3(1,2)"},
        {"a forward reference and a sibling read after its parent", "(1, 3, '', 0), (3, NULL, '', 0), (2, 3, '', 0)",
         "3(2,1)"},
        {"order values come first", "(1, 3, '', 1), (2, 3, '', 0), (3, NULL, '', 0)", "3(2,1)"},
        {"a cycle's head stands after equal top-level nodes read later", "(1, 3, '', 0), (2, NULL, '', 0), (3, 1, '', 0)",
         "2,1(3)"},
        {"a cycle's head stands before equal top-level nodes read earlier",
         "(2, NULL, '', 0), (1, 3, '', 0), (3, 1, '', 0)", "1(3),2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        std::filesystem::remove(file);
        Sql(UnkeyedRows(c.rows));
        Open();
        EXPECT_EQ(Tree(), c.tree);
        ExpectConsistent(c.what);
    }
}

TEST_F(LoadingTest, ADuplicateKeysLaterRecordGivesTheOrderAndParentAndIsNeverDropped)
{
    struct Case {
        const char* what;
        const char* rows;
        std::string tree;
    };
    const Case cases[] = {
        {"waiting for a parent, then top level by the later record", "(7, 9, '', 0), (7, NULL, '', 0), (9, NULL, '', 0)",
         "9,7"},
        {"the same, the other top-level record read first", "(9, NULL, '', 0), (7, 9, '', 1), (7, NULL, '', 0)", "7,9"},
        {"the later record's order value", "(1, NULL, '', 0), (2, NULL, '', 1), (1, NULL, '', 5)", "2,1"},
        {"the later record's parent", "(1, NULL, '', 0), (2, NULL, '', 1), (1, 2, '', 0)", "2(1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        std::filesystem::remove(file);
        Sql(UnkeyedRows(c.rows));
        Open();
        EXPECT_EQ(Tree(), c.tree);
        ExpectConsistent(c.what);
    }
}

TEST_F(LoadingTest, AReloadAfterAnOnlyChildsOrderChangedKeepsItsParentExpanded)
{
    Sql(Rows({{1, "NULL", "top", 0}, {2, "1", "only child", 0}, {3, "NULL", "other", 1}}));
    Open();
    Node(1)->Expand(false);
    const int64_t height = chart->TotalHeight();
    Sql("UPDATE ARBOLO SET \"ORDER\" = 4 WHERE ID = 2;");
    table->Refresh();
    EXPECT_EQ(Tree(), "1(2),3");
    EXPECT_TRUE(Node(1)->Expanded());
    EXPECT_EQ(chart->TotalHeight(), height);
    EXPECT_EQ(Node(2)->OrderValue(), Variant(4));
}

TEST_F(LoadingTest, MissingParentBroughtInLaterJoinsOnReload)
{
    Sql(Rows({{1, "7", "waits for 7", 0}, {2, "1", "below it", 0}, {3, "NULL", "top", 0}}));
    Open();
    EXPECT_EQ(Tree(), "3");
    TzqDbOcNode* top = Node(3);
    // Another program adds the missing parent; the table's refresh reloads the chart.
    Sql("INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (7, NULL, 'seven', 1);");
    table->Refresh();
    EXPECT_EQ(Tree(), "3,7(1(2))");
    EXPECT_EQ(Node(3), top);
    ExpectConsistent();
}

TEST_F(LoadingTest, DuplicateKeysResolveToTheLaterRecord)
{
    Sql("CREATE TABLE ARBOLO (ID INTEGER, PARENT INTEGER, NAME VARCHAR(100), \"ORDER\" INTEGER);"
        "INSERT INTO ARBOLO VALUES (1, NULL, 'first', 0), (2, NULL, 'two', 1), (1, 2, 'second', 0), (NULL, NULL, 'no key', 0);");
    Open();
    EXPECT_EQ(Tree(), "2(1)");
    EXPECT_EQ(Node(1)->Text(), "second");
    EXPECT_EQ(Node(1)->RecordIndex(), 2);
    EXPECT_EQ(chart->Count(), 2);
    EXPECT_EQ(chart->LastIndex(), 3);
    EXPECT_EQ(chart->MaxKey(), Variant(2));
}

TEST_F(LoadingTest, BindingsThatDoNotMatchTheTableLeaveTheChartEmptyWithoutError)
{
    Sql(Rows({{1, "NULL", "a", 0}}));
    struct Case {
        const char* what;
        std::function<void(TestDbOrgChart&)> configure;
    };
    const Case cases[] = {
        {"key field not found", [](TestDbOrgChart& c) { c.SetKeyFieldName("NOSUCH"); }},
        {"no parent field name", [](TestDbOrgChart& c) { c.SetParentFieldName(""); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.configure);
        EXPECT_FALSE(chart->IsReady());
        EXPECT_EQ(chart->Count(), 0);
        EXPECT_EQ(chart->AddChild(nullptr, 0), nullptr);
    }
    // Correcting the name rebinds and loads.
    chart->SetParentFieldName("PARENT");
    EXPECT_EQ(Tree(), "1");
}

TEST_F(LoadingTest, AttributeFieldsOfANonIntegerTypeAreNotBound)
{
    Sql(Rows({{1, "NULL", "a", 0}}));
    Open([](TestDbOrgChart& c) {
        c.SetWidthFieldName("NAME");   // a string
        c.SetHeightFieldName("CDATE"); // a date
        c.SetOrderFieldName("CBY");    // a string
        c.SetImageFieldName("IMAGE");
    });
    EXPECT_EQ(chart->WidthField(), nullptr);
    EXPECT_EQ(chart->HeightField(), nullptr);
    EXPECT_EQ(chart->OrderField(), nullptr);
    ASSERT_NE(chart->ImageField(), nullptr);
    EXPECT_EQ(Tree(), "1");
}

TEST_F(LoadingTest, CaptionsAreCutToTheFieldSize)
{
    const std::string longName(150, 'x');
    Sql(Rows({{1, "NULL", longName.c_str(), 0}}));
    Open();
    EXPECT_EQ(chart->CaptionLimit(), 100);
    EXPECT_EQ(Node(1)->Text(), std::string(100, 'x'));
    // Through OnSetText too, and counted in characters, not bytes.
    std::string handed;
    chart->OnSetText = [&](TObject*, TzqOcNode*, const std::string& text) { handed = text; };
    std::string accented;
    for (int i = 0; i < 150; ++i)
        accented += "\xC3\xA9";
    Node(1)->AssignText(accented);
    EXPECT_EQ(handed, accented.substr(0, 200));
}

TEST_F(LoadingTest, EventsSeeTheRecordBeingLoaded)
{
    Sql(Rows({{1, "NULL", "one", 0}, {2, "1", "two", 0}, {3, "NULL", "three", 1}}));
    std::vector<std::string> created, loaded;
    Open([&](TestDbOrgChart& c) {
        // OnCreateNode: the node is new and empty, the cursor on its record.
        c.OnCreateNode = [&](TObject*, TzqOcNode* n) {
            created.push_back(table->FieldByName("NAME")->AsString() + (n->Text().empty() ? "" : "?"));
        };
        // OnLoadNode: the node carries the record's values.
        c.OnLoadNode = [&](TObject* sender, TzqOcNode* n) {
            auto* node = static_cast<TzqDbOcNode*>(n);
            EXPECT_EQ(sender, chart.get());
            loaded.push_back(node->Text() + "@" + std::to_string(node->RecordIndex()));
        };
    });
    EXPECT_EQ(created, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(loaded, (std::vector<std::string>{"one@0", "two@1", "three@2"}));
    // The cursor went back where it was: the first record, whose node is selected.
    EXPECT_EQ(table->RecNo(), 1);
    EXPECT_EQ(chart->Selected(), Node(1));
    EXPECT_FALSE(table->ControlsDisabled());
}

TEST_F(LoadingTest, AReloadKeepsNodesAndExpansionAFilterChangeRebuilds)
{
    Sql(Rows({{1, "NULL", "top", 0}, {2, "1", "a", 0}, {3, "1", "b", 1}, {4, "NULL", "other", 1}}));
    Open();
    TzqDbOcNode* top = Node(1);
    top->Expand(false);
    top->SetData(42); // kept by the node, not by the record

    // Another control edits a record: the post reloads in place.
    GoToRecord(3);
    table->Edit();
    table->FieldByName("NAME")->SetAsString("b renamed");
    table->FieldByName("PARENT")->SetAsInteger(4);
    table->Post();
    EXPECT_EQ(Node(1), top);
    EXPECT_EQ(top->Data(), 42u);
    EXPECT_TRUE(top->Expanded());
    EXPECT_EQ(Captions(), "top(a),other(b renamed)");
    EXPECT_EQ(chart->Selected(), Node(3));
    ExpectConsistent("after a post");

    // A new order value puts the node in its new place among its siblings.
    GoToRecord(1);
    table->Edit();
    table->FieldByName("ORDER")->SetAsInteger(5);
    table->Post();
    EXPECT_EQ(Tree(), "4(3),1(2)");
    EXPECT_EQ(Node(1), top);
    ExpectConsistent("after a new order");

    // A filter is a new set of records: everything is built again.
    table->SetFilter("ID <> 3");
    table->SetFiltered(true);
    EXPECT_EQ(Tree(), "4,1(2)");
    EXPECT_EQ(Node(1)->Data(), 0u);
    EXPECT_FALSE(Node(1)->Expanded());
    ExpectConsistent("after the filter");
}

TEST_F(LoadingTest, AfterAReloadTheCurrentRecordsNodeIsSelected)
{
    Sql("CREATE TABLE ARBOLO (ID INTEGER, PARENT INTEGER, NAME VARCHAR(100), \"ORDER\" INTEGER);"
        "INSERT INTO ARBOLO VALUES (1, NULL, 'a', 0), (NULL, NULL, 'no key', 1), (2, NULL, 'b', 2);");
    Open();
    table->Last();
    table->Refresh();
    EXPECT_EQ(chart->Selected(), Node(2));
    table->Prior();
    EXPECT_EQ(chart->Selected(), nullptr);
    table->Refresh();
    EXPECT_EQ(chart->Selected(), nullptr);
}

TEST_F(LoadingTest, ClosingTheTableEmptiesTheChartAndOpeningLoadsAgain)
{
    Sql(Rows({{1, "NULL", "a", 0}, {2, "1", "b", 0}}));
    Open();
    EXPECT_EQ(chart->Count(), 2);
    table->Close();
    EXPECT_EQ(chart->Count(), 0);
    EXPECT_EQ(chart->KeyIndex().Count(), 0);
    EXPECT_FALSE(chart->IsReady());
    table->Open();
    EXPECT_EQ(Tree(), "1(2)");
}

} // namespace
