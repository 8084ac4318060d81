// The demonstration table as built from arbolo.sql: its layout and a sensible
// organisation in it.
#include "platform/data/Table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#ifndef VELMORA_DEMO_DIR
#error "VELMORA_DEMO_DIR names the folder of the built ARBOLO.DB"
#endif

TEST(DemoTable, HasTheLayoutAndAVariedOrganisationOfFourLevels)
{
    TTable table;
    table.SetDatabaseName(VELMORA_DEMO_DIR);
    table.SetTableName("ARBOLO.DB");
    table.Open();

    std::string layout;
    for (TField* f : table.Fields())
        layout += f->FieldName() + ":" + FieldTypeName(f->DataType()) + (f->Size() ? "(" + std::to_string(f->Size()) + ")" : "") + " ";
    EXPECT_EQ(layout, "ID:AutoInc PARENT:Integer NAME:String(100) CDATE:Date CBY:String(100) WIDTH:Integer HEIGHT:Integer "
                      "TYPE:Integer COLOR:Integer IMAGE:Integer IMAGEALIGN:Integer ORDER:Integer ALIGN:Integer ");

    std::map<int, int> parentOf;
    std::set<int> shapes, images;
    std::map<int, std::set<int>> ordersByParent;
    int smallSizes = 0, records = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        ++records;
        const int id = table.FieldByName("ID")->AsInteger();
        parentOf[id] = table.FieldByName("PARENT")->IsNull() ? 0 : table.FieldByName("PARENT")->AsInteger();
        shapes.insert(table.FieldByName("TYPE")->AsInteger());
        images.insert(table.FieldByName("IMAGE")->AsInteger());
        if (table.FieldByName("WIDTH")->AsInteger() < 50 || table.FieldByName("HEIGHT")->AsInteger() < 50)
            ++smallSizes;
        EXPECT_FALSE(table.FieldByName("NAME")->AsString().empty());
        const bool newOrder = ordersByParent[parentOf[id]].insert(table.FieldByName("ORDER")->AsInteger()).second;
        EXPECT_TRUE(newOrder) << "siblings share an ORDER value under " << parentOf[id];
    }
    EXPECT_GE(records, 25);
    EXPECT_LE(records, 40);
    EXPECT_EQ(shapes, (std::set<int>{0, 1, 2, 3}));
    EXPECT_TRUE(images.count(-1));
    EXPECT_GE(images.size(), 8u);
    EXPECT_GE(smallSizes, 2);

    int deepest = 0;
    for (const auto& [id, parent] : parentOf) {
        int depth = 1;
        for (int p = parent; p != 0; p = parentOf.at(p)) // every parent exists
            ASSERT_LT(++depth, 10) << "a cycle through " << id;
        deepest = std::max(deepest, depth);
    }
    EXPECT_EQ(deepest, 4);
}
