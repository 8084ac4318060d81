// Dataset behaviour over a table file: moves, positions, editing, notifications.
#include "TestTables.h"

#include "platform/data/AutoIncField.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSource.h"
#include "platform/data/DatabaseError.h"
#include "platform/data/StringField.h"
#include "platform/data/Table.h"

#include <gtest/gtest.h>

namespace {

// Records every notification a control would hear, as short words.
class RecordingLink : public TDataLink {
public:
    std::vector<std::string> log;
    std::string Joined() const
    {
        std::string s;
        for (const auto& e : log)
            s += (s.empty() ? "" : " ") + e;
        return s;
    }

protected:
    void ActiveChanged() override { log.push_back(Active() ? "active" : "inactive"); }
    void EditingChanged() override { log.push_back(Editing() ? "editing" : "browsing"); }
    void DataSetChanged() override { log.push_back("changed"); }
    void DataSetScrolled(int distance) override { log.push_back("scrolled(" + std::to_string(distance) + ")"); }
    void RecordChanged(TField* field) override { log.push_back("record(" + (field ? field->FieldName() : std::string("*")) + ")"); }
    void LayoutChanged() override { log.push_back("layout"); }
    void UpdateData() override { log.push_back("update"); }
    void CheckBrowseMode() override { log.push_back("check"); }
};

class TableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeArbolo(dir.File("ARBOLO.DB"), 5);
        table.SetDatabaseName(dir.Path());
        table.SetTableName("ARBOLO.DB");
    }
    int Id() const { return table.FieldByName("ID")->AsInteger(); }

    TempDir dir;
    TTable table;
};

} // namespace

TEST_F(TableTest, MovesStopAtBothEndsAndReportTheDistanceMoved)
{
    table.Open();
    ASSERT_EQ(table.RecordCount(), 5);
    struct Step {
        const char* what;
        std::function<int(TTable&)> action; // answers the distance where the action has one
        int moved, recNo;
        bool bof, eof;
    };
    const Step steps[] = {
        {"after open", [](TTable&) { return 0; }, 0, 1, true, false},
        {"prior at the start", [](TTable& t) { return t.MoveBy(-1); }, 0, 1, true, false},
        {"next", [](TTable& t) { return t.MoveBy(1); }, 1, 2, false, false},
        {"far forward stops at the end", [](TTable& t) { return t.MoveBy(99999999); }, 3, 5, false, true},
        {"next at the end", [](TTable& t) { return t.MoveBy(1); }, 0, 5, false, true},
        {"back two", [](TTable& t) { return t.MoveBy(-2); }, -2, 3, false, false},
        {"far back stops at the start", [](TTable& t) { return t.MoveBy(-99999999); }, -2, 1, true, false},
        {"last", [](TTable& t) { t.Last(); return 0; }, 0, 5, false, true},
        {"first", [](TTable& t) { t.First(); return 0; }, 0, 1, true, false},
        {"record number", [](TTable& t) { t.SetRecNo(4); return 0; }, 0, 4, false, false},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(s.action(table), s.moved) << s.what;
        EXPECT_EQ(table.RecNo(), s.recNo) << s.what;
        EXPECT_EQ(Id(), s.recNo) << s.what; // IDs 1..5 in key order
        EXPECT_EQ(table.Bof(), s.bof) << s.what;
        EXPECT_EQ(table.Eof(), s.eof) << s.what;
    }
}

TEST_F(TableTest, EmptyTableIsAtBothEnds)
{
    ExecSql(dir.File("ARBOLO.DB"), "DELETE FROM ARBOLO");
    table.Open();
    EXPECT_TRUE(table.Bof());
    EXPECT_TRUE(table.Eof());
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_EQ(table.RecNo(), 0);
    EXPECT_EQ(table.MoveBy(-99999999), 0);
    EXPECT_EQ(table.MoveBy(3), 0);
    EXPECT_TRUE(table.FieldByName("ID")->IsNull());
    EXPECT_EQ(table.FieldByName("ID")->AsInteger(), 0);
    EXPECT_THROW(table.Delete(), EDatabaseError);
}

TEST_F(TableTest, RecNoAfterEachEditingOperation)
{
    table.Open();
    table.SetRecNo(3);
    table.Delete(); // deletes ID 3; the cursor stands on the next record
    EXPECT_EQ(table.RecNo(), 3);
    EXPECT_EQ(Id(), 4);
    table.Last();
    table.Delete(); // the last record: the cursor moves to the new last one
    EXPECT_EQ(table.RecNo(), 3);
    EXPECT_EQ(Id(), 4);
    EXPECT_EQ(table.RecordCount(), 3);

    table.First();
    table.Insert(); // shown before the current record while inserting
    EXPECT_EQ(table.RecNo(), 1);
    table.FieldByName("ID")->SetAsInteger(3);
    table.Post(); // placed by key: 1, 2, 3, 4
    EXPECT_EQ(table.RecNo(), 3);
    EXPECT_EQ(Id(), 3);

    table.Append();
    EXPECT_EQ(table.RecNo(), 5);
    EXPECT_EQ(table.RecordCount(), 4);
    table.Post(); // the auto-increment key is larger than every key used so far
    EXPECT_EQ(table.RecNo(), 5);
    EXPECT_EQ(Id(), 6);

    table.First();
    table.Edit();
    table.FieldByName("ID")->SetAsInteger(10); // changing the key moves the record
    table.Post();
    EXPECT_EQ(table.RecNo(), 5);
    EXPECT_EQ(Id(), 10);
    EXPECT_EQ(QuerySql(dir.File("ARBOLO.DB"), "SELECT group_concat(ID) FROM (SELECT ID FROM ARBOLO ORDER BY ID)"), "2,3,4,6,10");
}

TEST_F(TableTest, AppendAndPostAssignTheKeyAfterAfterInsertFilledDefaults)
{
    auto* name = table.CreateField<TStringField>("NAME", 100);
    auto* id = table.CreateField<TAutoIncField>("ID");
    table.CreateField<TIntegerField>("WIDTH");
    std::vector<std::string> order;
    table.AfterInsert = [&](TDataSet* ds) {
        order.push_back("AfterInsert");
        EXPECT_EQ(ds->State(), TDataSetState::dsInsert);
        EXPECT_TRUE(id->IsNull()); // no key before the post
        ds->FieldByName("NAME")->SetAsString("New Item");
        ds->FieldByName("WIDTH")->SetAsInteger(90);
    };
    table.BeforePost = [&](TDataSet*) { order.push_back("BeforePost"); };
    table.AfterPost = [&](TDataSet*) { order.push_back("AfterPost"); };
    table.Open();
    EXPECT_EQ(table.FieldCount(), 3); // persistent fields only, in creation order
    EXPECT_EQ(table.Fields()[0], name);
    table.Append();
    EXPECT_TRUE(table.Modified());
    table.Post();
    EXPECT_EQ((std::vector<std::string>{"AfterInsert", "BeforePost", "AfterPost"}), order);
    EXPECT_EQ(id->AsInteger(), 6);
    EXPECT_EQ(table.RecNo(), 6);
    EXPECT_EQ(QuerySql(dir.File("ARBOLO.DB"), "SELECT ID, NAME, WIDTH, HEIGHT FROM ARBOLO WHERE ID = 6"), "6|New Item|90|NULL");
}

TEST_F(TableTest, CancelDiscardsEditsAndInserts)
{
    table.Open();
    table.SetRecNo(2);
    table.Edit();
    table.FieldByName("NAME")->SetAsString("changed");
    EXPECT_EQ(table.FieldByName("NAME")->AsString(), "changed");
    table.Cancel();
    EXPECT_EQ(table.FieldByName("NAME")->AsString(), "N2");
    EXPECT_FALSE(table.Modified());

    table.Append();
    table.FieldByName("NAME")->SetAsString("never saved");
    table.Cancel();
    EXPECT_EQ(table.RecNo(), 2); // back where it was
    EXPECT_EQ(table.RecordCount(), 5);
    EXPECT_EQ(QuerySql(dir.File("ARBOLO.DB"), "SELECT count(*), max(NAME) FROM ARBOLO"), "5|N5");
}

TEST_F(TableTest, MovingPostsAModifiedEditAndCancelsAnUnmodifiedOne)
{
    table.Open();
    table.Edit();
    table.FieldByName("NAME")->SetAsString("first");
    EXPECT_EQ(table.MoveBy(1), 1);
    EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(QuerySql(dir.File("ARBOLO.DB"), "SELECT NAME FROM ARBOLO WHERE ID = 1"), "first");

    int posts = 0;
    table.BeforePost = [&](TDataSet*) { ++posts; };
    table.Edit();
    table.Next();
    EXPECT_EQ(posts, 0);
    EXPECT_EQ(table.State(), TDataSetState::dsBrowse);

    table.Append(); // an appended record nobody touched disappears on moving
    table.First();
    EXPECT_EQ(table.RecordCount(), 5);
    EXPECT_EQ(posts, 0);
}

TEST_F(TableTest, LinksHearNotificationsInOrderWithTheirDistances)
{
    TDataSource source(&table);
    RecordingLink link;
    link.SetDataSource(&source);
    std::vector<std::string> dataChanges;
    source.OnDataChange = [&](TDataSource*, TField* f) { dataChanges.push_back(f ? f->FieldName() : "*"); };

    struct Step {
        const char* what;
        std::function<void(TTable&)> action;
        const char* heard;
    };
    const Step steps[] = {
        {"open", [](TTable& t) { t.Open(); }, "active"},
        {"next", [](TTable& t) { t.Next(); }, "check scrolled(1)"},
        {"move by 3", [](TTable& t) { t.MoveBy(3); }, "check scrolled(3)"},
        {"past the end", [](TTable& t) { t.MoveBy(10); }, "check"},
        {"first", [](TTable& t) { t.First(); }, "check scrolled(-4)"},
        {"last", [](TTable& t) { t.Last(); }, "check scrolled(4)"},
        {"locate", [](TTable& t) { t.Locate("NAME", Variant("N2")); }, "check scrolled(-3)"},
        {"edit", [](TTable& t) { t.Edit(); }, "check editing record(*)"},
        {"set a field", [](TTable& t) { t.FieldByName("WIDTH")->SetAsInteger(7); }, "record(WIDTH)"},
        {"post", [](TTable& t) { t.Post(); }, "update browsing changed"},
        {"append", [](TTable& t) { t.Append(); }, "check editing changed"},
        {"cancel", [](TTable& t) { t.Cancel(); }, "browsing changed"},
        {"delete", [](TTable& t) { t.Delete(); }, "check changed"},
        {"refresh", [](TTable& t) { t.Refresh(); }, "check changed"},
        {"hide a field", [](TTable& t) { t.FieldByName("CBY")->SetVisible(false); }, "layout"},
        {"close", [](TTable& t) { t.Close(); }, "inactive"},
    };
    for (const Step& s : steps) {
        link.log.clear();
        s.action(table);
        EXPECT_EQ(link.Joined(), s.heard) << s.what;
    }
    // The data source reports whole-record changes with no field, field changes with it.
    EXPECT_NE(std::find(dataChanges.begin(), dataChanges.end(), "WIDTH"), dataChanges.end());
    EXPECT_EQ(dataChanges.front(), "*"); // opening
}

TEST_F(TableTest, DisabledControlsHearNoScrollingAndOneChangeAtTheEnd)
{
    TDataSource source(&table);
    RecordingLink link;
    link.SetDataSource(&source);
    table.Open();
    link.log.clear();
    table.DisableControls();
    table.DisableControls(); // nested
    while (!table.Eof())
        table.Next();
    table.EnableControls();
    EXPECT_EQ(link.Joined(), "check check check check check"); // requests still arrive, scrolls do not
    link.log.clear();
    table.EnableControls();
    EXPECT_EQ(link.Joined(), "changed");
    link.log.clear();
    table.DisableControls();
    table.EnableControls(); // nothing happened: nothing to tell
    EXPECT_EQ(link.Joined(), "");
}

TEST_F(TableTest, LinkEditFollowsAutoEditAndReadOnly)
{
    TDataSource source(&table);
    RecordingLink link;
    link.SetDataSource(&source);
    table.Open();
    source.SetAutoEdit(false);
    EXPECT_FALSE(link.Edit());
    EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
    source.SetAutoEdit(true);
    link.SetReadOnly(true);
    EXPECT_FALSE(link.Edit());
    link.SetReadOnly(false);
    EXPECT_TRUE(link.Edit());
    EXPECT_EQ(table.State(), TDataSetState::dsEdit);
    EXPECT_TRUE(link.Editing());
    table.Cancel();
    // A data source without a dataset, and a dataset going away, leave links inactive.
    auto other = std::make_unique<TTable>();
    other->SetDatabaseName(dir.Path());
    other->SetTableName("ARBOLO.DB");
    other->Open();
    TDataSource source2(other.get());
    RecordingLink link2;
    link2.SetDataSource(&source2);
    EXPECT_TRUE(link2.Active());
    other.reset();
    EXPECT_FALSE(link2.Active());
    EXPECT_EQ(source2.DataSet(), nullptr);
}

TEST_F(TableTest, RequiredFieldAndKeyViolationKeepTheRecordInEditState)
{
    ExecSql(dir.File("ARBOLO.DB"), "CREATE TABLE T (ID INTEGER PRIMARY KEY, NAME VARCHAR(10) NOT NULL, CODE INTEGER UNIQUE);"
                                   "INSERT INTO T VALUES (1, 'one', 100);");
    TTable t;
    t.SetDatabaseName(dir.Path());
    t.SetTableName("T.DB");
    EXPECT_THROW(t.Open(), EDatabaseError); // no such file
    std::rename(dir.File("ARBOLO.DB").c_str(), dir.File("T.DB").c_str());
    t.Open();
    EXPECT_TRUE(t.FieldByName("NAME")->Required());
    t.Append();
    t.FieldByName("CODE")->SetAsInteger(200);
    try {
        t.Post();
        FAIL() << "posted without NAME";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'NAME' must have a value.");
    }
    EXPECT_EQ(t.State(), TDataSetState::dsInsert);
    t.FieldByName("NAME")->SetAsString("two");
    t.FieldByName("CODE")->SetAsInteger(100);
    try {
        t.Post();
        FAIL() << "posted a duplicate";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Key violation: another record already has this value of CODE.");
    }
    EXPECT_EQ(t.State(), TDataSetState::dsInsert);
    EXPECT_EQ(t.FieldByName("NAME")->AsString(), "two"); // what was typed is kept
    t.FieldByName("CODE")->SetAsInteger(101);
    t.Post();
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(QuerySql(dir.File("T.DB"), "SELECT NAME, CODE FROM T ORDER BY ID"), "one|100\ntwo|101");
}

TEST_F(TableTest, LocateWithCaseAndPartialOptions)
{
    ExecSql(dir.File("ARBOLO.DB"), "UPDATE ARBOLO SET NAME = 'Chemical' WHERE ID = 2; UPDATE ARBOLO SET NAME = 'Chip' WHERE ID = 4;"
                                   "UPDATE ARBOLO SET NAME = '\xC3\x89tude' WHERE ID = 5;");
    table.Open();
    struct Case {
        const char* fields;
        std::vector<Variant> values;
        TLocateOptions options;
        bool found;
        int id; // where the cursor stands afterwards
    };
    const Case cases[] = {
        {"NAME", {Variant("Chip")}, {}, true, 4},
        {"name", {Variant("chip")}, {}, false, 4},
        {"NAME", {Variant("chip")}, {TLocateOption::loCaseInsensitive}, true, 4},
        {"NAME", {Variant("Ch")}, {TLocateOption::loPartialKey}, true, 2},
        {"NAME", {Variant("chi")}, {TLocateOption::loPartialKey, TLocateOption::loCaseInsensitive}, true, 4},
        {"NAME", {Variant("\xC3\xA9tu")}, {TLocateOption::loPartialKey, TLocateOption::loCaseInsensitive}, true, 5},
        {"ID", {Variant("3")}, {}, true, 3}, // string against integer compares numerically
        {"ID;WIDTH", {Variant(2), Variant(20)}, {}, true, 2},
        {"ID;WIDTH", {Variant(2), Variant(30)}, {}, false, 2},
        {"PARENT", {Variant::Null()}, {}, true, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(table.Locate(c.fields, c.values, c.options), c.found) << c.fields << " " << c.values[0];
        EXPECT_EQ(Id(), c.id) << c.fields << " " << c.values[0];
    }
    EXPECT_THROW(table.Locate("NOPE", Variant(1)), EDatabaseError);
    EXPECT_EQ(table.Lookup("ID", Variant(4), "NAME").AsString(), "Chip");
    EXPECT_TRUE(table.Lookup("ID", Variant(40), "NAME").IsNull());
    EXPECT_EQ(Id(), 1); // Lookup does not move
    EXPECT_TRUE(table.FindKey({Variant(5)}));
    EXPECT_EQ(table.RecNo(), 5);
    EXPECT_FALSE(table.FindKey({Variant(50)}));
    EXPECT_EQ(table.RecNo(), 5);
}

TEST_F(TableTest, FindFieldAndFieldByNameIgnoreCase)
{
    table.Open();
    EXPECT_EQ(table.FindField("order"), table.FieldByName("ORDER"));
    EXPECT_EQ(table.FindField("nothing"), nullptr);
    try {
        table.FieldByName("nothing");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'nothing' not found.");
    }
    // The thirteen columns in their declared order, typed from the schema.
    std::string names;
    for (TField* f : table.Fields())
        names += f->FieldName() + ":" + FieldTypeName(f->DataType()) + " ";
    EXPECT_EQ(names, "ID:AutoInc PARENT:Integer NAME:String CDATE:Date CBY:String WIDTH:Integer HEIGHT:Integer "
                     "TYPE:Integer COLOR:Integer IMAGE:Integer IMAGEALIGN:Integer ORDER:Integer ALIGN:Integer ");
    EXPECT_EQ(table.FieldByName("NAME")->Size(), 100);
    // Writing the keyword-named column works.
    table.Edit();
    table.FieldByName("ORDER")->SetAsInteger(42);
    table.Post();
    EXPECT_EQ(QuerySql(dir.File("ARBOLO.DB"), "SELECT \"ORDER\" FROM ARBOLO WHERE ID = 1"), "42");
}
