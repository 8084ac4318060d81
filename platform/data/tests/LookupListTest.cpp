#include "TestTables.h"

#include "platform/data/DataSource.h"
#include "platform/data/DatabaseError.h"
#include "platform/data/LookupList.h"
#include "platform/data/Table.h"
#include "platform/data/TableWriter.h"

#include <gtest/gtest.h>

TEST(TableWriter, WritesRowsInOneTransactionThatATableReads)
{
    TempDir dir;
    const std::string file = dir.File("KINDS.DB");
    {
        TTableWriter writer(file, "CREATE TABLE KINDS (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), SINCE DATE);", "KINDS",
                            {"ID", "NAME", "SINCE"});
        writer.Add({Variant(3), Variant("Earth"), Variant::Null()});
        writer.Add({Variant(1), Variant("Chemical"), Variant::FromDate(EncodeDate(2001, 2, 3))});
        writer.Add({Variant(2), Variant("Chip"), Variant::Null()});
        EXPECT_THROW(writer.Add({Variant(4)}), EDatabaseError);
        EXPECT_THROW(writer.Add({Variant(1), Variant("again"), Variant::Null()}), EDatabaseError);
        writer.Commit();
    }
    EXPECT_EQ(QuerySql(file, "SELECT ID, NAME, SINCE FROM KINDS ORDER BY ID"), "1|Chemical|2001-02-03\n2|Chip|NULL\n3|Earth|NULL");
    EXPECT_THROW(TTableWriter(file, "CREATE TABLE X (A INTEGER);", "X", {"A"}), EDatabaseError); // exists
    {
        TTableWriter abandoned(dir.File("GONE.DB"), "CREATE TABLE GONE (A INTEGER);", "GONE", {"A"});
        abandoned.Add({Variant(1)});
    }
    EXPECT_TRUE(ReadFileBytes(dir.File("GONE.DB")).empty()); // not committed: no file left

    TTable table;
    table.SetDatabaseName(dir.Path());
    table.SetTableName("KINDS.DB");
    table.Open();
    TDataSource source(&table);
    TLookupList list;
    int changes = 0;
    list.OnChange = [&](TLookupList*) { ++changes; };
    list.SetKeyField("ID");
    list.SetListField("NAME;SINCE");
    EXPECT_FALSE(list.Active());
    list.SetListSource(&source);
    EXPECT_EQ(changes, 1);
    ASSERT_TRUE(list.Active());
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ColumnCount(), 2);
    EXPECT_EQ(list.Text(0), "Chemical");
    EXPECT_EQ(list.Text(0, 1), "2001-02-03");
    EXPECT_EQ(list.Text(2), "Earth");
    EXPECT_EQ(list.SelectedIndex(), -1);
    list.SetKeyValue(Variant(2));
    EXPECT_EQ(list.SelectedIndex(), 1);
    EXPECT_EQ(table.FieldByName("NAME")->AsString(), "Chip"); // the list dataset follows
    list.Select(2);
    EXPECT_EQ(list.KeyValue().AsInteger(), 3);
    EXPECT_EQ(list.FindPrefix("c"), 0);
    EXPECT_EQ(list.FindPrefix("CHI"), 1);
    EXPECT_EQ(list.FindPrefix("x"), -1);
    table.Delete();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.SelectedIndex(), -1); // the chosen record is gone
    EXPECT_EQ(changes, 2);
    table.Close();
    EXPECT_EQ(list.Count(), 0);
}
