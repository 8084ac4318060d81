// Explicit transactions: one user action, all or nothing.
#include "TestTables.h"

#include "platform/data/DataLink.h"
#include "platform/data/DataSource.h"
#include "platform/data/DatabaseError.h"
#include "platform/data/Table.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class TransactionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = dir.File("ARBOLO.DB");
        MakeArbolo(file, 10);
        table.SetDatabaseName(dir.Path());
        table.SetTableName("ARBOLO.DB");
        table.Open();
    }
    std::string Ids()
    {
        std::string ids;
        for (table.First(); !table.Eof(); table.Next())
            ids += (ids.empty() ? "" : ",") + table.FieldByName("ID")->AsString();
        return ids;
    }
    std::string FileIds() { return QuerySql(file, "SELECT group_concat(ID) FROM (SELECT ID FROM ARBOLO ORDER BY ID)"); }

    TempDir dir;
    std::string file;
    TTable table;
};

} // namespace

TEST_F(TransactionTest, ChangesReachTheFileOnlyWithTheOutermostCommit)
{
    table.StartTransaction();
    table.SetRecNo(2);
    table.Delete();
    table.Append();
    table.Post(); // ID 11
    EXPECT_EQ(FileIds(), "1,2,3,4,5,6,7,8,9,10"); // another connection sees nothing yet
    table.StartTransaction(); // nested
    table.SetRecNo(1);
    table.Delete();
    table.Commit(); // inner: still nothing in the file
    EXPECT_EQ(FileIds(), "1,2,3,4,5,6,7,8,9,10");
    EXPECT_EQ(table.TransactionDepth(), 1);
    table.Commit();
    EXPECT_FALSE(table.InTransaction());
    EXPECT_EQ(FileIds(), "3,4,5,6,7,8,9,10,11");
    EXPECT_EQ(Ids(), "3,4,5,6,7,8,9,10,11");
    EXPECT_THROW(table.Commit(), EDatabaseError);
}

TEST_F(TransactionTest, RollbackRestoresTheRecordsAndTheCursorFromTheFile)
{
    TDataSource source(&table);
    struct Counter : TDataLink {
        int changes = 0;
        void DataSetChanged() override { ++changes; }
    } link;
    link.SetDataSource(&source);

    table.SetRecNo(5); // ID 5
    table.StartTransaction();
    table.SetRecNo(2);
    table.Delete();
    table.Edit();
    table.FieldByName("NAME")->SetAsString("renamed");
    table.Post();
    table.StartTransaction();
    table.Append();
    table.Post(); // ID 11
    table.Rollback(); // the inner level only: the new record goes
    EXPECT_EQ(Ids(), "1,3,4,5,6,7,8,9,10");
    table.Locate("ID", Variant(3));
    table.Edit();
    table.FieldByName("NAME")->SetAsString("pending"); // an edit pending at rollback is dropped
    link.changes = 0;
    table.Rollback();
    EXPECT_EQ(link.changes, 1);
    EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(table.FieldByName("ID")->AsInteger(), 3); // the record it was on
    EXPECT_EQ(table.FieldByName("NAME")->AsString(), "N3");
    EXPECT_EQ(Ids(), "1,2,3,4,5,6,7,8,9,10");
    EXPECT_EQ(FileIds(), "1,2,3,4,5,6,7,8,9,10");
    EXPECT_EQ(QuerySql(file, "SELECT count(*) FROM ARBOLO WHERE NAME IN ('renamed', 'pending')"), "0");
}

TEST_F(TransactionTest, AFailureInsideTheTransactionIsUndoneByRollback)
{
    {
        TTableTransaction action(table);
        table.Last();
        table.Delete(); // ID 10
        table.First();
        table.Edit();
        table.FieldByName("ID")->SetAsInteger(2); // a key violation
        EXPECT_THROW(table.Post(), EDatabaseError);
        EXPECT_EQ(table.State(), TDataSetState::dsEdit);
        // the scope ends without Commit: everything is rolled back
    }
    EXPECT_FALSE(table.InTransaction());
    EXPECT_EQ(Ids(), "1,2,3,4,5,6,7,8,9,10");
    EXPECT_EQ(FileIds(), "1,2,3,4,5,6,7,8,9,10");
}

TEST_F(TransactionTest, DeletingTenThousandRecordsInOneTransaction)
{
    table.Close();
    std::string sql = "BEGIN; DELETE FROM ARBOLO;";
    for (int i = 1; i <= 20000; ++i)
        sql += "INSERT INTO ARBOLO (ID, NAME) VALUES (" + std::to_string(i) + ", 'R" + std::to_string(i) + "');";
    ExecSql(file, sql + "COMMIT;");
    table.Open();
    table.SetRecNo(5001);
    table.DisableControls();
    {
        TTableTransaction action(table);
        for (int i = 0; i < 10000; ++i)
            table.Delete();
        action.Commit();
    }
    table.EnableControls();
    EXPECT_EQ(table.RecordCount(), 10000);
    EXPECT_EQ(table.RecNo(), 5001);
    EXPECT_EQ(table.FieldByName("ID")->AsInteger(), 15001);
    EXPECT_EQ(QuerySql(file, "SELECT count(*), min(ID), max(ID) FROM ARBOLO WHERE ID > 5000 AND ID <= 15000"), "0|NULL|NULL");
    EXPECT_EQ(QuerySql(file, "SELECT count(*) FROM ARBOLO"), "10000");
}

TEST_F(TransactionTest, DeletingRecordsTogetherRemovesExactlyThemAndPlacesTheCursor)
{
    struct Case {
        const char* what;
        std::vector<int> positions;
        bool outerTransaction;
        std::string ids;
        int cursorId;
    };
    const Case cases[] = {
        {"unsorted, repeated", {6, 2, 6, 0}, false, "2,4,5,6,8,9,10", 2},
        {"the last records", {8, 9}, false, "1,2,3,4,5,6,7,8", 8},
        {"all of them", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, false, "", 0},
        {"inside the caller's transaction", {3, 4}, true, "1,2,3,6,7,8,9,10", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        table.Close();
        std::remove(file.c_str());
        MakeArbolo(file, 10);
        table.Open();
        int afterDelete = 0;
        table.AfterDelete = [&](TDataSet*) { ++afterDelete; };
        if (c.outerTransaction) {
            TTableTransaction action(table);
            table.DeleteRecords(c.positions);
            action.Commit();
        } else {
            table.DeleteRecords(c.positions);
        }
        EXPECT_EQ(afterDelete, 1);
        EXPECT_EQ(table.IsEmpty() ? 0 : table.FieldByName("ID")->AsInteger(), c.cursorId);
        EXPECT_EQ(Ids(), c.ids);
        EXPECT_EQ(FileIds(), c.ids.empty() ? "NULL" : c.ids);
    }
}

TEST_F(TransactionTest, DeletingRecordsTogetherIsAllOrNothing)
{
    // Many records, one of which the file refuses to delete.
    table.Close();
    std::string sql = "BEGIN; DELETE FROM ARBOLO;";
    for (int i = 1; i <= 1500; ++i)
        sql += "INSERT INTO ARBOLO (ID, NAME) VALUES (" + std::to_string(i) + ", 'R" + std::to_string(i) + "');";
    sql += "CREATE TRIGGER keep BEFORE DELETE ON ARBOLO WHEN old.ID = 1400 BEGIN SELECT RAISE(ABORT, 'kept'); END;";
    ExecSql(file, sql + "COMMIT;");
    table.Open();
    std::vector<int> all(1500);
    for (int i = 0; i < 1500; ++i)
        all[size_t(i)] = i;
    EXPECT_THROW(table.DeleteRecords(all), EDatabaseError);
    EXPECT_EQ(table.RecordCount(), 1500);
    EXPECT_EQ(QuerySql(file, "SELECT count(*) FROM ARBOLO"), "1500");
    // Out of range: nothing happens either.
    EXPECT_THROW(table.DeleteRecords({3, 1500}), EDatabaseError);
    EXPECT_EQ(table.RecordCount(), 1500);
    // Without the refusing record, every batch goes.
    all.erase(all.begin() + 1399);
    table.DeleteRecords(all);
    EXPECT_EQ(Ids(), "1400");
    EXPECT_EQ(FileIds(), "1400");
}

TEST_F(TransactionTest, PostingRecordsTogetherPutsThemInTheirPlacesAndKeepsTheCursor)
{
    table.DeleteRecords({2, 4, 7}); // IDs 3, 5 and 8
    ASSERT_TRUE(table.Locate("ID", Variant(6)));
    int afterPost = 0, newRecords = 0;
    table.AfterPost = [&](TDataSet*) { ++afterPost; };
    table.OnNewRecord = [&](TDataSet*) { ++newRecords; };
    const std::vector<TField*> fields = {table.FieldByName("ID"), table.FieldByName("NAME"), table.FieldByName("WIDTH")};
    {
        TTableTransaction action(table);
        table.PostRecords(fields, {{Variant(8), Variant("eight"), Variant(80)},
                                   {Variant(3), Variant("three"), Variant::Null()},
                                   {Variant(5), Variant("five"), Variant(50)}});
        action.Commit();
    }
    EXPECT_EQ(afterPost, 1);
    EXPECT_EQ(newRecords, 0);
    EXPECT_EQ(table.FieldByName("ID")->AsInteger(), 6);
    EXPECT_EQ(table.RecNo(), 6);
    EXPECT_EQ(Ids(), "1,2,3,4,5,6,7,8,9,10");
    EXPECT_EQ(FileIds(), "1,2,3,4,5,6,7,8,9,10");
    // The columns not given are null; the values given are as given, null included.
    EXPECT_EQ(QuerySql(file, "SELECT ID, NAME, quote(WIDTH), quote(\"ORDER\") FROM ARBOLO WHERE ID IN (3, 5, 8) ORDER BY ID"),
              "3|three|NULL|NULL\n5|five|50|NULL\n8|eight|80|NULL");
    ASSERT_TRUE(table.Locate("ID", Variant(5)));
    EXPECT_EQ(table.FieldByName("NAME")->AsString(), "five");
}

TEST_F(TransactionTest, PostingRecordsTogetherInATransactionIsAllOrNothing)
{
    table.DeleteRecords({2, 4}); // IDs 3 and 5
    const std::vector<TField*> fields = {table.FieldByName("ID"), table.FieldByName("NAME")};
    {
        // The second record's key is taken: the first one goes with the rollback.
        TTableTransaction action(table);
        EXPECT_THROW(table.PostRecords(fields, {{Variant(3), Variant("three")}, {Variant(1), Variant("again")}}),
                     EDatabaseError);
    }
    EXPECT_EQ(Ids(), "1,2,4,6,7,8,9,10");
    EXPECT_EQ(FileIds(), "1,2,4,6,7,8,9,10");
    // A row that does not fit the fields adds nothing.
    EXPECT_THROW(table.PostRecords(fields, {{Variant(3), Variant("three")}, {Variant(5)}}), EDatabaseError);
    EXPECT_EQ(FileIds(), "1,2,4,6,7,8,9,10");
    EXPECT_EQ(table.RecordCount(), 8);
}
