// Faults of table files: read-only, locked, not a database, wrong schema; and
// durability of a post when the process dies right after it.
#include "TestTables.h"

#include "platform/data/DatabaseError.h"
#include "platform/data/IntegerField.h"
#include "platform/data/Table.h"

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <cstdlib>

namespace {

class TableFaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = dir.File("ARBOLO.DB");
        MakeArbolo(file, 3);
        table.SetDatabaseName(dir.Path());
        table.SetTableName("ARBOLO.DB");
    }
    // Runs an action that must fail with a message containing `expected`.
    static void ExpectError(const std::function<void()>& action, const std::string& expected)
    {
        try {
            action();
            ADD_FAILURE() << "no error; expected: " << expected;
        } catch (const EDatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
        }
    }

    TempDir dir;
    std::string file;
    TTable table;
};

} // namespace

TEST_F(TableFaultTest, ReadOnlyFileOrFolderOpensButRefusesChanges)
{
    struct Case {
        const char* what;
        std::string path;
        const char* reason;
    };
    const Case cases[] = {{"read-only file", file, "is read-only"}, {"read-only folder", dir.Path(), "folder"}};
    for (const Case& c : cases) {
        const std::string before = ReadFileBytes(file);
        ASSERT_EQ(chmod(c.path.c_str(), 0555), 0);
        table.Open();
        EXPECT_FALSE(table.CanModify()) << c.what;
        EXPECT_EQ(table.RecordCount(), 3) << c.what;
        ExpectError([&] { table.Edit(); }, c.reason);
        ExpectError([&] { table.Append(); }, "Cannot modify a read-only dataset");
        ExpectError([&] { table.Delete(); }, "Cannot modify a read-only dataset");
        ExpectError([&] { table.StartTransaction(); }, "Cannot modify a read-only dataset");
        EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
        table.Close();
        ASSERT_EQ(chmod(c.path.c_str(), 0755), 0);
        EXPECT_EQ(ReadFileBytes(file), before) << c.what;
    }
    table.Open();
    EXPECT_TRUE(table.CanModify());
}

TEST_F(TableFaultTest, LockedByAnotherProgramWaitsThenFailsAndLosesNothing)
{
    table.SetLockTimeout(150);
    table.Open();
    table.Edit();
    table.FieldByName("NAME")->SetAsString("edited while locked");
    {
        LockHolder holder(file);
        ASSERT_TRUE(holder.Locked());
        ExpectError([&] { table.Post(); }, "locked by another program");
        EXPECT_EQ(table.State(), TDataSetState::dsEdit);
        EXPECT_EQ(table.FieldByName("NAME")->AsString(), "edited while locked");
        ExpectError([&] { table.Delete(); }, "locked by another program");
        holder.Release();
    }
    table.Edit();
    table.FieldByName("NAME")->SetAsString("edited while locked");
    table.Post(); // the lock is gone: the same record goes through now
    EXPECT_EQ(QuerySql(file, "SELECT NAME FROM ARBOLO WHERE ID = 1"), "edited while locked");
    table.Close();

    // Opening while another program holds the lock fails clearly, too.
    LockHolder holder(file);
    ASSERT_TRUE(holder.Locked());
    ExpectError([&] { table.Open(); }, "locked by another program");
    EXPECT_FALSE(table.Active());
}

TEST_F(TableFaultTest, FilesAndSchemasThatCannotBeUsedGiveClearErrorsOnOpen)
{
    struct Case {
        const char* name; // of the file T.DB and of the table T inside
        std::function<void(const std::string& path, const std::string& table)> make;
        const char* expected;
    };
    const auto sql = [](const char* text) {
        return [text](const std::string& path, const std::string& table) {
            std::string s = text;
            s.replace(s.find("$T"), 2, table);
            ExecSql(path, s);
        };
    };
    const Case cases[] = {
        {"GARBAGE",
         [](const std::string& path, const std::string&) {
             std::FILE* o = std::fopen(path.c_str(), "wb");
             for (int i = 0; i < 300; ++i)
                 std::fputs("not a database ", o);
             std::fclose(o);
         },
         "is not a database"},
        {"MISSING", sql("CREATE TABLE OTHER$T (ID INTEGER);"), "Table 'MISSING' not found"},
        {"GEOMETRY", sql("CREATE TABLE $T (ID INTEGER, SHAPE GEOMETRY);"), "has the type 'GEOMETRY', which this program cannot use"},
        {"UNTYPED", sql("CREATE TABLE $T (ID INTEGER, X);"), "no declared type"},
        {"NOROWID", sql("CREATE TABLE $T (ID INTEGER PRIMARY KEY) WITHOUT ROWID;"), "WITHOUT ROWID"},
        {"FOLDER", [](const std::string& path, const std::string&) { mkdir(path.c_str(), 0755); }, "is not a table file"},
        {"NOFILE", [](const std::string&, const std::string&) {}, "does not exist"},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File(std::string(c.name) + ".DB");
        c.make(path, c.name);
        const std::string before = ReadFileBytes(path);
        TTable t;
        t.SetDatabaseName(dir.Path());
        t.SetTableName(std::string(c.name) + ".DB");
        ExpectError([&] { t.Open(); }, c.expected);
        EXPECT_FALSE(t.Active()) << c.name;
        EXPECT_EQ(ReadFileBytes(path), before) << c.name;
    }
}

TEST_F(TableFaultTest, PersistentFieldsMustMatchTheColumns)
{
    table.CreateField<TIntegerField>("MISSING");
    ExpectError([&] { table.Open(); }, "Field 'MISSING' not found.");
    table.DestroyField(table.FieldByName("MISSING"));
    table.CreateField<TIntegerField>("NAME");
    ExpectError([&] { table.Open(); }, "Type mismatch for field 'NAME', expecting: Integer actual: String.");
    EXPECT_FALSE(table.Active());
}

TEST_F(TableFaultTest, MessagesNameTheRealCauseAndWhatCanBeDone)
{
    struct Case {
        const char* what;
        std::function<void()> make; // prepares ARBOLO.DB in the folder
        std::function<void(TTable&)> act;
        const char* expected;
    };
    const std::string path = file;
    const auto open = [](TTable& t) { t.Open(); };
    const Case cases[] = {
        {"a database of a format this program cannot read",
         [&] {
             // The schema format number (bytes 44..47 of the header) of a newer kind.
             std::string bytes = ReadFileBytes(path);
             bytes[47] = 9;
             std::FILE* o = std::fopen(path.c_str(), "wb");
             std::fwrite(bytes.data(), 1, bytes.size(), o);
             std::fclose(o);
         },
         open, "is in a database format this program cannot read"},
        {"an unfinished change left in a read-only file",
         [&] {
             // Another program stopped in the middle of a transaction: its journal,
             // still to be played back, lies beside the file, which is read-only now.
             sqlite3* db = nullptr;
             sqlite3_open(path.c_str(), &db);
             sqlite3_exec(db, "PRAGMA cache_size = 1; BEGIN; UPDATE ARBOLO SET NAME = printf('%.500c', 'x');"
                              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
                              " INSERT INTO ARBOLO (NAME) SELECT printf('%.900c', 'y') FROM n;",
                          nullptr, nullptr, nullptr);
             const std::string copy = dir.File("COPY.DB");
             std::filesystem::copy_file(path, copy);
             std::filesystem::copy_file(path + "-journal", copy + "-journal");
             sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
             sqlite3_close(db);
             std::filesystem::rename(copy, path);
             std::filesystem::rename(copy + "-journal", path + "-journal");
             chmod(path.c_str(), 0444);
         },
         open, "was left unfinished"},
        {"every key of the table used up",
         [&] {
             ExecSql(path, "CREATE TABLE T2 (ID INTEGER PRIMARY KEY AUTOINCREMENT, NAME VARCHAR(20));"
                           "INSERT INTO T2 VALUES (9223372036854775807, 'last');");
             ExecSql(path, "DROP TABLE ARBOLO; ALTER TABLE T2 RENAME TO ARBOLO;");
         },
         [](TTable& t) {
             t.Open();
             t.Append();
             t.FieldByName("NAME")->SetAsString("one more");
             t.Post();
         },
         "has used up its keys"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        table.Close();
        std::filesystem::remove(path + "-journal");
        chmod(path.c_str(), 0644);
        std::filesystem::remove(path);
        MakeArbolo(path, 3);
        c.make();
        TTable t;
        t.SetDatabaseName(dir.Path());
        t.SetTableName("ARBOLO.DB");
        ExpectError([&] { c.act(t); }, c.expected);
    }
    chmod(path.c_str(), 0644);
}

TEST_F(TableFaultTest, APostedRecordSurvivesTheProcessBeingKilledAtOnce)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TTable t;
        t.SetDatabaseName(dir.Path());
        t.SetTableName("ARBOLO.DB");
        t.Open();
        t.Append();
        t.FieldByName("NAME")->SetAsString("survivor");
        t.Post();
        kill(getpid(), SIGKILL); // no destructor, no close: only what Post made durable
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    table.Open();
    EXPECT_TRUE(table.Locate("NAME", Variant("survivor")));
    EXPECT_EQ(table.FieldByName("ID")->AsInteger(), 4);
    table.Close();
    // The command-line tool sees it as well.
    const std::string command = "sqlite3 '" + file + "' \"SELECT ID || ':' || NAME FROM ARBOLO WHERE NAME = 'survivor'\" > '" +
                                dir.File("cli.txt") + "'";
    if (std::system("command -v sqlite3 > /dev/null") == 0) {
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_EQ(ReadFileBytes(dir.File("cli.txt")), "4:survivor\n");
    } else {
        GTEST_SKIP() << "the sqlite3 command-line tool is not installed";
    }
}
