// Field values, conversions and texts; calculated and lookup fields; filters.
#include "TestTables.h"

#include "platform/data/BooleanField.h"
#include "platform/data/CurrencyField.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSource.h"
#include "platform/data/DatabaseError.h"
#include "platform/data/DateField.h"
#include "platform/data/FilterExpression.h"
#include "platform/data/MemoField.h"
#include "platform/data/SmallintField.h"
#include "platform/data/StringField.h"
#include "platform/data/Table.h"
#include "platform/data/WordField.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class TypedTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ExecSql(dir.File("T.DB"),
                "CREATE TABLE T (ID INTEGER PRIMARY KEY, S SMALLINT, W WORD, NAME VARCHAR(5), D DATE, DT DATETIME, "
                "F REAL, C MONEY, B BOOLEAN, M TEXT, BL BLOB, BIG BIGINT);"
                "INSERT INTO T (ID, NAME, D, B, C) VALUES (1, 'abc', '2024-05-31', 1, 12.5);");
        table.SetDatabaseName(dir.Path());
        table.SetTableName("T.DB");
        table.Open();
        table.Edit();
    }
    TField* F(const char* name) { return table.FieldByName(name); }

    TempDir dir;
    TTable table;
};

} // namespace

TEST_F(TypedTableTest, ValuesAreConvertedToTheFieldTypeOrRefused)
{
    struct Case {
        const char* field;
        Variant input;
        const char* text;  // AsString afterwards; nullptr: refused
        const char* error; // part of the message when refused
    };
    const Case cases[] = {
        {"S", Variant("123"), "123", nullptr},
        {"S", Variant(2.6), "3", nullptr},
        {"S", Variant(40000), nullptr, "The allowed range is -32768 to 32767"},
        {"S", Variant("12x"), nullptr, "'12x' is not a valid integer value for field 'S'"},
        {"W", Variant(-1), nullptr, "The allowed range is 0 to 65535"},
        {"BIG", Variant(int64_t(1) << 40), "1099511627776", nullptr},
        {"NAME", Variant("abcdefgh"), "abcde", nullptr},                       // cut to Size
        {"NAME", Variant("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"), "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", nullptr}, // characters, not bytes
        {"NAME", Variant(42), "42", nullptr},
        {"D", Variant("2024-02-29 13:00"), "2024-02-29", nullptr},               // a date keeps no time
        {"D", Variant("2023-02-29"), nullptr, "not a valid date value"},
        {"DT", Variant("2024-02-29 13:05:07"), "2024-02-29 13:05:07", nullptr},
        {"F", Variant("1.5e2"), "150", nullptr},
        {"F", Variant("x"), nullptr, "not a valid floating point value"},
        {"C", Variant(0.125), "0.125", nullptr},
        {"B", Variant("True"), "True", nullptr},
        {"B", Variant(0), "False", nullptr},
        {"B", Variant("perhaps"), nullptr, "not a valid Boolean value"},
        {"M", Variant(std::string(5000, 'm')), nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const std::string before = F(c.field)->AsString();
        try {
            F(c.field)->SetValue(c.input);
            if (c.text) {
                EXPECT_EQ(F(c.field)->AsString(), c.text) << c.field << " " << c.input;
            }
            EXPECT_EQ(c.error, nullptr) << c.field << " accepted " << c.input;
        } catch (const EDatabaseError& e) {
            ASSERT_NE(c.error, nullptr) << c.field << " refused " << c.input << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
            EXPECT_EQ(F(c.field)->AsString(), before) << "a refused value changes nothing";
        }
    }
    table.Post();
    EXPECT_EQ(QuerySql(dir.File("T.DB"), "SELECT S, W, NAME, D, DT, F, C, B, length(M), BIG FROM T"),
              "3|NULL|42|2024-02-29|2024-02-29 13:05:07|150.0|0.125|0|5000|1099511627776");
}

TEST_F(TypedTableTest, DisplayAndEditTexts)
{
    F("C")->SetAsFloat(1234.5);
    F("F")->SetAsFloat(1.0 / 3);
    EXPECT_EQ(F("C")->DisplayText(), "1234.50");
    EXPECT_EQ(F("C")->EditText(), "1234.5");
    EXPECT_EQ(F("F")->DisplayText(), "0.333333333333333");
    static_cast<TBooleanField*>(F("B"))->SetDisplayValues("Yes;No");
    F("B")->SetEditText("no");
    EXPECT_EQ(F("B")->DisplayText(), "No");
    F("M")->SetAsString("long text");
    EXPECT_EQ(F("M")->DisplayText(), "(Memo)");
    EXPECT_EQ(F("M")->EditText(), "long text");
    F("NAME")->SetEditText("");
    EXPECT_TRUE(F("NAME")->IsNull()); // an empty text clears a string field
    F("S")->OnGetText = [](TField* f, std::string& text, bool display) { text = display ? "<" + text + ">" : text; };
    F("S")->SetAsInteger(5);
    EXPECT_EQ(F("S")->DisplayText(), "<5>");
    EXPECT_EQ(F("S")->EditText(), "5");
    F("S")->OnSetText = [](TField* f, const std::string& text) { f->SetAsInteger(int(text.size())); };
    F("S")->SetEditText("four");
    EXPECT_EQ(F("S")->AsInteger(), 4);
    // Null reads as zero and empty.
    F("W")->Clear();
    EXPECT_EQ(F("W")->AsInteger(), 0);
    EXPECT_EQ(F("W")->AsString(), "");
    EXPECT_EQ(F("W")->DisplayText(), "");
    EXPECT_DOUBLE_EQ(F("DT")->AsDateTime(), 0);
    EXPECT_TRUE(F("S")->IsValidChar('7'));
    EXPECT_FALSE(F("S")->IsValidChar('x'));
    EXPECT_TRUE(F("NAME")->IsValidChar('x'));
}

TEST_F(TypedTableTest, WritingOutsideEditStateAndReadOnlyFieldsAreRefused)
{
    table.Cancel();
    EXPECT_THROW(F("S")->SetAsInteger(1), EDatabaseError);
    table.Edit();
    F("S")->SetReadOnly(true);
    EXPECT_FALSE(F("S")->CanModify());
    EXPECT_THROW(F("S")->SetAsInteger(1), EDatabaseError);
    EXPECT_TRUE(F("W")->CanModify());
    // OnValidate may refuse a value; the old one stays.
    F("W")->OnValidate = [](TField* f) {
        if (f->AsInteger() > 10)
            throw EDatabaseError("too big");
    };
    F("W")->SetAsInteger(5);
    EXPECT_THROW(F("W")->SetAsInteger(11), EDatabaseError);
    EXPECT_EQ(F("W")->AsInteger(), 5);
}

TEST(PersistentFields, ChangeHandlersRunAndCalculatedAndLookupFieldsFollowTheRecord)
{
    TempDir dir;
    MakeArbolo(dir.File("ARBOLO.DB"), 3);
    ExecSql(dir.File("ARBOLO.DB"), "UPDATE ARBOLO SET PARENT = 1 WHERE ID > 1;");
    TTable parents;
    parents.SetDatabaseName(dir.Path());
    parents.SetTableName("ARBOLO.DB");
    parents.Open();

    TTable table;
    table.SetDatabaseName(dir.Path());
    table.SetTableName("ARBOLO.DB");
    auto* id = table.CreateField<TIntegerField>("ID");
    auto* parent = table.CreateField<TIntegerField>("PARENT");
    auto* width = table.CreateField<TIntegerField>("WIDTH");
    auto* doubled = table.CreateField<TIntegerField>("DOUBLED");
    doubled->SetFieldKind(TFieldKind::fkCalculated);
    auto* parentName = table.CreateField<TStringField>("PARENTNAME", 100);
    parentName->SetFieldKind(TFieldKind::fkLookup);
    parentName->SetLookupDataSet(&parents);
    parentName->SetKeyFields("PARENT");
    parentName->SetLookupKeyFields("ID");
    parentName->SetLookupResultField("NAME");
    std::vector<int> widthChanges;
    width->OnChange = [&](TField* f) { widthChanges.push_back(f->AsInteger()); };
    table.OnCalcFields = [&](TDataSet* ds) { doubled->SetAsInteger(2 * ds->FieldByName("WIDTH")->AsInteger()); };
    table.Open();

    EXPECT_EQ(table.FieldCount(), 5);
    EXPECT_EQ(id->FieldNo(), 1);
    EXPECT_EQ(doubled->FieldNo(), 0);
    EXPECT_EQ(doubled->AsInteger(), 20);
    EXPECT_TRUE(parentName->IsNull()); // record 1 has no parent
    table.Next();
    EXPECT_EQ(doubled->AsInteger(), 40);
    EXPECT_EQ(parentName->AsString(), "N1");
    EXPECT_FALSE(doubled->CanModify());
    EXPECT_THROW(doubled->SetAsInteger(1), EDatabaseError);

    table.Edit();
    width->SetAsInteger(25);
    EXPECT_EQ(doubled->AsInteger(), 50); // recalculated from the edited value
    parentName->SetAsString("N3");       // choosing by the shown value writes the key
    EXPECT_EQ(parent->AsInteger(), 3);
    EXPECT_THROW(parentName->SetAsString("nobody"), EDatabaseError);
    EXPECT_EQ(parent->AsInteger(), 3);
    table.Post();
    EXPECT_EQ(widthChanges, std::vector<int>{25});
    EXPECT_EQ(QuerySql(dir.File("ARBOLO.DB"), "SELECT PARENT, WIDTH FROM ARBOLO WHERE ID = 2"), "3|25");

    // Persistent fields stay across Close and Open; default fields do not.
    table.Close();
    EXPECT_EQ(table.FieldCount(), 5);
    EXPECT_EQ(parents.FieldCount(), 13);
    parents.Close();
    EXPECT_EQ(parents.FieldCount(), 0);
}

TEST(FilterExpression, ParsesWhatItShouldAndRefusesTheRest)
{
    const char* valid[] = {
        "NAME = 'x'", "NAME = 'it''s'", "WIDTH > 10 AND (TYPE = 1 OR NOT TYPE = 2)", "[ORDER] >= 3", "\"ORDER\" <> 1",
        "PARENT IS NULL", "PARENT is not null", "NAME = 'Sal*'", "W != 2.5e1", "B", "not (a=1) or b",
    };
    for (const char* text : valid)
        EXPECT_NO_THROW(TFilterExpression::Parse(text)) << text;
    struct Bad {
        const char* text;
        const char* message;
    };
    const Bad invalid[] = {
        {"NAME = 'x'; DROP TABLE ARBOLO", "Invalid filter at position 11: unexpected ';'."},
        {"NAME = 'x' --", "Invalid filter at position 12: unexpected '-'."},
        {"NAME = 'x", "Invalid filter at position 10: unterminated string."},
        {"(WIDTH > 1", "Invalid filter at position 11: ')' expected."},
        {"WIDTH >", "Invalid filter at position 8: operand expected at the end."},
        {"AND NAME = 1", "Invalid filter at position 1: operand expected instead of 'AND'."},
        {"NAME IS 'x'", "Invalid filter at position 9: NULL expected after IS."},
    };
    for (const Bad& b : invalid) {
        try {
            TFilterExpression::Parse(b.text);
            ADD_FAILURE() << "accepted: " << b.text;
        } catch (const EFilterError& e) {
            EXPECT_STREQ(e.what(), b.message);
        }
    }
}

TEST(FilterExpression, LongAndDeepFiltersNeverExhaustTheStack)
{
    // Long chains are parsed, evaluated and freed without recursion that grows with
    // them; nesting of parentheses is refused beyond a stated depth.
    auto repeat = [](const std::string& part, int times) {
        std::string out;
        out.reserve(part.size() * size_t(times));
        for (int i = 0; i < times; ++i)
            out += part;
        return out;
    };
    struct Case {
        const char* what;
        std::string text;
        bool whenA1, whenA2;
    };
    const Case cases[] = {
        {"50,000 OR terms", repeat("a = 7 OR ", 50000) + "a = 2", false, true},
        {"50,000 AND terms", repeat("a < 9 AND ", 50000) + "a = 1", true, false},
        {"50,000 NOT, an even count", repeat("NOT ", 50000) + "a = 1", true, false},
        {"50,001 NOT, an odd count", repeat("NOT ", 50001) + "a = 1", false, true},
        {"256 parentheses", repeat("(", 256) + "a = 1" + repeat(")", 256), true, false},
        {"256 nested ORs", repeat("(a = 9 OR ", 255) + "a = 2" + repeat(")", 255), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<TFilterExpression> expr;
        ASSERT_NO_THROW(expr = TFilterExpression::Parse(c.text));
        ASSERT_EQ(expr->FieldNames(), std::vector<std::string>{"a"});
        EXPECT_EQ(expr->Evaluate([](int) { return Variant(1); }), c.whenA1);
        EXPECT_EQ(expr->Evaluate([](int) { return Variant(2); }), c.whenA2);
    }
    for (int depth : {257, 3768, 15000}) {
        const std::string text = repeat("(", depth) + "a = 1" + repeat(")", depth);
        try {
            TFilterExpression::Parse(text);
            ADD_FAILURE() << depth << " parentheses accepted";
        } catch (const EFilterError& e) {
            EXPECT_STREQ(e.what(), "Invalid filter at position 257: parentheses nested deeper than 256.") << depth;
        }
    }
    EXPECT_THROW(TFilterExpression::Parse(repeat("(", 15000)), EFilterError);
}

TEST(FilterExpression, WildcardsAndCaseFolding)
{
    EXPECT_TRUE(WildcardMatch("Sales team", "Sal*"));
    EXPECT_TRUE(WildcardMatch("Sales team", "*team"));
    EXPECT_TRUE(WildcardMatch("Sales team", "S*s*m"));
    EXPECT_FALSE(WildcardMatch("Sales", "*team"));
    EXPECT_TRUE(WildcardMatch("", "*"));
    EXPECT_EQ(FoldCase("\xC3\x89" "COLE \xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xCE\xA9"), "\xC3\xA9" "cole \xD0\xBC\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xCF\x89");
}

TEST(Filter, SelectsRecordsAndRefusesInjection)
{
    TempDir dir;
    MakeArbolo(dir.File("ARBOLO.DB"), 6);
    ExecSql(dir.File("ARBOLO.DB"), "UPDATE ARBOLO SET NAME = 'Sales ' || ID WHERE ID <= 3; UPDATE ARBOLO SET PARENT = 1 WHERE ID = 5;");
    TTable table;
    table.SetDatabaseName(dir.Path());
    table.SetTableName("ARBOLO.DB");
    table.Open();
    TDataSource source(&table);
    struct Counter : TDataLink {
        int changes = 0;
        void DataSetChanged() override { ++changes; }
    } link;
    link.SetDataSource(&source);

    struct Case {
        const char* filter;
        TFilterOptions options;
        const char* ids;
    };
    const Case cases[] = {
        {"NAME = 'Sales*'", {}, "1,2,3"},
        {"NAME = 'sales*'", {}, ""},
        {"NAME = 'sales*'", {TFilterOption::foCaseInsensitive}, "1,2,3"},
        {"NAME = 'Sales*'", {TFilterOption::foNoPartialCompare}, ""},
        {"WIDTH >= 30 AND NOT ([ORDER] = 5)", {}, "3,4,6"},
        {"PARENT IS NOT NULL OR ID = 2", {}, "2,5"},
        {"PARENT = 1", {}, "5"},
        {"WIDTH > '25'", {}, "3,4,5,6"}, // a numeric string compares as a number
        {"", {}, "1,2,3,4,5,6"},
    };
    table.SetFiltered(true);
    for (const Case& c : cases) {
        table.SetFilterOptions(c.options);
        table.SetFilter(c.filter);
        std::string ids;
        for (table.First(); !table.Eof(); table.Next())
            ids += (ids.empty() ? "" : ",") + table.FieldByName("ID")->AsString();
        EXPECT_EQ(ids, c.ids) << c.filter;
        EXPECT_EQ(table.RecordCount(), c.ids[0] ? int(std::count(c.ids, c.ids + strlen(c.ids), ',')) + 1 : 0) << c.filter;
    }

    table.SetFilterOptions({});
    table.SetFilter("ID > 2");
    const int changesBefore = link.changes;
    EXPECT_THROW(table.SetFilter("NAME = 'x'; DROP TABLE ARBOLO"), EFilterError);
    EXPECT_THROW(table.SetFilter("NOSUCHFIELD = 1"), EFilterError);
    EXPECT_EQ(table.Filter(), "ID > 2"); // unchanged
    EXPECT_EQ(table.RecordCount(), 4);
    EXPECT_EQ(link.changes, changesBefore);
    EXPECT_EQ(QuerySql(dir.File("ARBOLO.DB"), "SELECT count(*) FROM ARBOLO"), "6");

    // A posted record the filter no longer shows leaves the view.
    table.First();
    table.Edit();
    table.FieldByName("ID")->SetAsInteger(0 + 1);
    EXPECT_THROW(table.Post(), EDatabaseError); // key 1 exists
    table.FieldByName("ID")->SetAsInteger(-3);
    table.Post();
    EXPECT_EQ(table.RecordCount(), 3);
    EXPECT_EQ(table.FieldByName("ID")->AsInteger(), 4);
    // OnFilterRecord joins in.
    table.OnFilterRecord = [](TDataSet* ds, bool& accept) { accept = ds->FieldByName("ID")->AsInteger() % 2 == 0; };
    table.Refresh();
    EXPECT_EQ(table.RecordCount(), 2); // 4 and 6
    table.SetFiltered(false);
    EXPECT_EQ(table.RecordCount(), 6);
}

TEST(Filter, AFilterSetWhileClosedIsCheckedOnOpen)
{
    TempDir dir;
    MakeArbolo(dir.File("ARBOLO.DB"), 4);
    TTable table;
    table.SetDatabaseName(dir.Path());
    table.SetTableName("ARBOLO.DB");
    EXPECT_THROW(table.SetFilter("ID = "), EFilterError); // syntax is checked at once
    table.SetFilter("NOPE = 1");                           // names only when the fields exist
    table.SetFiltered(true);
    EXPECT_THROW(table.Open(), EFilterError);
    EXPECT_FALSE(table.Active());
    table.SetFilter("ID >= 3");
    table.Open();
    EXPECT_EQ(table.RecordCount(), 2);
}
