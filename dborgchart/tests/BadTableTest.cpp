// A table full of bad records: parent cycles of one, two and five records, orphans
// with descendants, null and duplicate keys, values outside the enumerations, negative
// and huge sizes, a 10,000-character caption, and text and fractions in integer
// columns. It loads without a crash or a hang, shows what the loading rules say, and
// can be edited afterwards.
#include "dborgchart/tests/DbChartFixture.h"

#include "platform/data/DatabaseError.h"

#include <sys/stat.h>

#include <fstream>

namespace {

class BadTableTest : public DbChartTest {
protected:
    void SetUp() override
    {
        DbChartTest::SetUp();
        // No primary key: the records stay in the order written, duplicates and null
        // keys allowed, and SQLite keeps any value in any column.
        std::string sql =
            "CREATE TABLE ARBOLO (ID INTEGER, PARENT INTEGER, NAME VARCHAR(100), WIDTH INTEGER, HEIGHT INTEGER,"
            " TYPE INTEGER, COLOR INTEGER, IMAGE INTEGER, IMAGEALIGN INTEGER, \"ORDER\" INTEGER, ALIGN INTEGER);"
            "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES"
            " (1, NULL, 'root', 0), (2, 2, 'names itself', 1),"
            " (3, 4, 'cycle two a', 2), (4, 3, 'cycle two b', 0),"
            " (5, 6, 'cycle five a', 3), (6, 7, 'b', 0), (7, 8, 'c', 0), (8, 9, 'd', 0), (9, 5, 'e', 0),"
            " (10, 99, 'orphan', 0), (11, 10, 'below the orphan', 0), (12, 11, 'further below', 0),"
            " (NULL, 1, 'no key', 0), (NULL, NULL, 'no key either', 0),"
            " (13, 1, 'duplicate, first', 13), (13, 1, 'duplicate, second', 13),"
            " (20, 'one', 'parent is text', 0);"
            "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\", TYPE, ALIGN, IMAGEALIGN) VALUES"
            " (14, 1, 'type 9', 14, 9, 1, 0), (15, 1, 'align 7', 15, 0, 7, 0), (16, 1, 'image align 40', 16, 0, 1, 40);"
            "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\", WIDTH, HEIGHT) VALUES (17, 1, 'negative', 17, -5, -1000);"
            "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (18, 1, '" +
            std::string(10000, 'w') +
            "', 18);"
            "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\", WIDTH, HEIGHT, TYPE, COLOR, IMAGE) VALUES"
            " (19, 1, 'text in integers', 19, 'wide', '12', 'round', 'red', 2.7),"
            " (22, 1, 'too large', 22, 70000, NULL, 300, 99999999999, 40000);"
            "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\", ALIGN) VALUES (22.5, 1, 'fractional key', 23, -1),"
            " ('abc', 1, 'text key, text order', 'first', 1);";
        Sql(sql);
        OpenBound();
    }
    // Opens the table with every attribute field bound.
    void OpenBound()
    {
        Open([](TestDbOrgChart& c) {
            c.SetWidthFieldName("WIDTH");
            c.SetHeightFieldName("HEIGHT");
            c.SetColorFieldName("COLOR");
            c.SetShapeFieldName("TYPE");
            c.SetAlignFieldName("ALIGN");
            c.SetImageFieldName("IMAGE");
            c.SetImageAlignFieldName("IMAGEALIGN");
        });
    }
};

TEST_F(BadTableTest, LoadsWhatTheRulesSay)
{
    // Cycles broken at the record met first; orphans, their descendants, null keys and
    // a parent that is text matching no key left out; the later duplicate wins; the
    // order value that is no number compares with nothing and goes first.
    EXPECT_EQ(Tree(), "1(abc,13,14,15,16,17,18,19,22,22.5),2,3(4),5(9(8(7(6))))");
    EXPECT_EQ(Node(13)->Text(), "duplicate, second");
    EXPECT_EQ(Node(13)->RecordIndex(), 15);
    EXPECT_EQ(chart->Count(), 19);
    EXPECT_EQ(chart->LastIndex(), 25);
    // The largest key that new integer keys can count on from.
    EXPECT_EQ(chart->MaxKey(), Variant(22.5));
    ExpectConsistent();

    struct Expected {
        Variant key;
        int width, height;
        TColor color;
        int shape, align, imageAlign, image;
    };
    // Without images the smallest node is 16 x 16.
    const Expected expected[] = {
        {Variant(14), 0, 0, clNone, 9, 1, 0, -1},    // shape out of range: kept, draws no box
        {Variant(15), 0, 0, clNone, 0, 7, 0, -1},    // align out of range: kept
        {Variant(16), 0, 0, clNone, 0, 1, 40, -1},   // image align out of range: kept, no image
        {Variant(17), 16, 16, clNone, 0, 1, 0, -1},  // negative sizes: non-zero, below the minimum
        {Variant(19), 0, 16, clNone, 0, 1, 0, 3},    // text reads as null; '12' and 2.7 are numbers
        {Variant(22), 65535, 0, clNone, 255, 1, 0, -1}, // too large: limited, not wrapped
        {Variant(22.5), 0, 0, clNone, 0, 255, 0, -1}, // -1 is outside the alignments
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.key.AsString());
        TzqDbOcNode* n = Node(e.key);
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->Width(), e.width);
        EXPECT_EQ(n->Height(), e.height);
        EXPECT_EQ(n->Color(), e.color);
        EXPECT_EQ(int(n->Shape()), e.shape);
        EXPECT_EQ(int(n->Align()), e.align);
        EXPECT_EQ(int(n->ImageAlign()), e.imageAlign);
        EXPECT_EQ(n->ImageIndex(), e.image);
    }
    EXPECT_EQ(Node(18)->Text(), std::string(100, 'w'));
    EXPECT_EQ(Node(Variant("abc"))->OrderValue(), Variant("first"));
}

TEST_F(BadTableTest, EditingAfterwardsWorks)
{
    // A new child gets the next whole number after the largest numeric key.
    TzqOcNode* added = chart->AddChild(Node(1), 0);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(static_cast<TzqDbOcNode*>(added)->Key(), Variant(23));
    EXPECT_EQ(Query("SELECT PARENT, \"ORDER\" FROM ARBOLO WHERE ID = 23"), "1|24");
    ExpectConsistent("after the insert");

    // A rename writes the record of the node, with its attributes as the chart has them.
    Node(17)->AssignText("no longer negative");
    EXPECT_EQ(Query("SELECT NAME, WIDTH, HEIGHT FROM ARBOLO WHERE ID = 17"), "no longer negative|16|16");

    // Moves and deletions, including the node that stands for the later duplicate:
    // deleting it deletes the earlier record of its key too, which would bring it back.
    Node(14)->MoveTo(Node(2), TzqOcAttachMode::amAddChild);
    EXPECT_EQ(Query("SELECT PARENT FROM ARBOLO WHERE ID = 14"), "2");
    chart->DeleteNode(Node(3));
    chart->DeleteNode(Node(13));
    EXPECT_EQ(Query("SELECT count(*) FROM ARBOLO WHERE ID IN (3, 4, 13)"), "0");
    ExpectConsistent("after the edits");

    // Reloaded in place, and loaded afresh, the chart agrees with the table (the new
    // record, written after the text order value, which compares with nothing, goes
    // before it).
    const std::string edited = Tree();
    table->Refresh();
    EXPECT_EQ(Tree(), edited);
    ExpectConsistent("after the reload");
    OpenBound();
    EXPECT_EQ(Tree(), "1(23,abc,15,16,17,18,19,22,22.5),2(14),5(9(8(7(6))))");
    ExpectConsistent("loaded afresh");
}

// Files that are no usable table, or that cannot be written: each loads by the rules of
// loading or gives a clear message, and nothing is written to a file the chart only read.
class BadFileTest : public DbChartTest {};

TEST_F(BadFileTest, EachLoadsByTheRulesOrGivesAClearMessageAndIsLeftAsItWas)
{
    struct Case {
        const char* what;
        std::function<void(const std::string& path)> make;
        const char* tree;    // what the chart shows, when the file opens
        const char* message; // else: part of the error's message
        std::function<void()> check = {};
    };
    const auto sql = [](const std::string& text) { return [text](const std::string& path) { ExecSql(path, text); }; };
    const auto bytes = [](const std::string& content) {
        return [content](const std::string& path) { std::ofstream(path, std::ios::binary) << content; };
    };
    std::string noise(4096, '\0');
    uint32_t x = 12345;
    for (char& c : noise)
        c = char((x = x * 1103515245 + 12345) >> 16);
    const Case cases[] = {
        {"a caption of a megabyte", sql(std::string(kArboloSchema) + "INSERT INTO ARBOLO (ID, NAME) VALUES (1, '" +
                                        std::string(1 << 20, 'm') + "');"),
         "1", nullptr,
         [this] { EXPECT_EQ(Node(1)->Text(), std::string(100, 'm')); }},
        {"a file of no bytes", bytes(""), nullptr, "Table 'ARBOLO' not found"},
        {"random bytes", bytes(noise), nullptr, "is not a database"},
        {"a database without the table", sql("CREATE TABLE OTHER (ID INTEGER);"), nullptr, "Table 'ARBOLO' not found"},
        {"a table without the parent column",
         sql("CREATE TABLE ARBOLO (ID INTEGER PRIMARY KEY, NAME VARCHAR(100)); INSERT INTO ARBOLO VALUES (1, 'a');"), "",
         nullptr},
        {"a read-only file",
         [&](const std::string& path) {
             MakeArbolo(path, 3);
             chmod(path.c_str(), 0444);
         },
         "1,2,3", nullptr, [this] { EXPECT_FALSE(table->CanModify()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        chmod(file.c_str(), 0644);
        std::filesystem::remove(file);
        c.make(file);
        const std::string before = ReadFileBytes(file);
        try {
            Open();
            if (c.tree) {
                EXPECT_EQ(Tree(), c.tree);
                if (c.check)
                    c.check();
            } else {
                ADD_FAILURE() << "opened";
            }
        } catch (const EDatabaseError& e) {
            EXPECT_TRUE(c.message && std::string(e.what()).find(c.message) != std::string::npos) << e.what();
            EXPECT_EQ(chart->Count(), 0);
        }
        Reset();
        EXPECT_TRUE(ReadFileBytes(file) == before) << "the file changed";
    }
    chmod(file.c_str(), 0644);
}

TEST_F(BadFileTest, AFileLockedByAnotherProgramIsReportedAndLeftAsItWas)
{
    MakeArbolo(file, 3);
    const std::string before = ReadFileBytes(file);
    LockHolder holder(file);
    ASSERT_TRUE(holder.Locked());
    table = std::make_unique<TTable>();
    table->SetDatabaseName(folder);
    table->SetTableName("ARBOLO.DB");
    table->SetLockTimeout(50);
    source = std::make_unique<TDataSource>(table.get());
    chart = std::make_unique<TestDbOrgChart>(nullptr);
    chart->SetKeyFieldName("ID");
    chart->SetParentFieldName("PARENT");
    chart->SetDataSource(source.get());
    try {
        table->Open();
        ADD_FAILURE() << "opened";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("locked by another program"), std::string::npos) << e.what();
    }
    EXPECT_EQ(chart->Count(), 0);
    holder.Release();
    EXPECT_TRUE(ReadFileBytes(file) == before) << "the file changed";
    // Once the lock is gone the same table opens.
    table->Open();
    EXPECT_EQ(Tree(), "1,2,3");
}

} // namespace
