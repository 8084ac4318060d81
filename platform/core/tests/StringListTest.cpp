#include "platform/core/StringList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

TEST(StringList, KeepsStringsWithTheirValuesAndRefusesBadIndexes)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.AddData("Rectangle", 0);
    list.AddData("Ellipse", 2);
    list.InsertData(1, "Round Rect", 1);
    list.Move(2, 0);
    EXPECT_EQ(list.ToVector(), (Strings{"Ellipse", "Rectangle", "Round Rect"}));
    EXPECT_EQ(list.Data(0), 2);
    EXPECT_EQ(list.IndexOf("Round Rect"), 2);
    EXPECT_EQ(list.IndexOf("round rect"), -1);
    list.SetCaseSensitive(false);
    EXPECT_EQ(list.IndexOf("round rect"), 2);
    EXPECT_EQ(changes, 4);

    EXPECT_THROW(list.Strings(3), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(5, "x"), EListError);
    EXPECT_EQ(changes, 4) << "a refused change changes nothing";
}

TEST(StringList, SortedListsPlaceStringsAndApplyTheDuplicateRule)
{
    TStringList list;
    list.SetText("clSilver\nclBlack\nclWhite");
    list.SetSorted(true);
    EXPECT_EQ(list.ToVector(), (Strings{"clBlack", "clSilver", "clWhite"}));
    EXPECT_EQ(list.Add("clGray"), 1);
    EXPECT_EQ(list.Add("clGray"), 1) << "dupIgnore answers the existing index";
    EXPECT_EQ(list.Count(), 4);
    list.SetDuplicates(TDuplicates::dupAccept);
    list.AddData("clGray", 7);
    EXPECT_EQ(list.Data(2), 7) << "an accepted duplicate goes after its equals";
    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_THROW(list.Add("clGray"), EListError);
    EXPECT_THROW(list.Insert(0, "zzz"), EListError) << "a place of one's own breaks the order";
}

TEST(StringList, TextValuesAndBatchedChanges)
{
    TStrings& list = *new TStringList;
    std::unique_ptr<TStrings> owner(&list);
    list.SetText("a=1\r\nb=2\rc\n");
    EXPECT_EQ(list.ToVector(), (Strings{"a=1", "b=2", "c"}));
    EXPECT_EQ(list.Text(), "a=1\r\nb=2\r\nc\r\n");
    EXPECT_EQ(list.Values("b"), "2");
    list.SetValues("b", "");
    list.SetValues("d", "4");
    EXPECT_EQ(list.ToVector(), (Strings{"a=1", "c", "d=4"}));

    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.BeginUpdate();
    list.Add("e");
    list.Clear();
    EXPECT_EQ(changes, 0);
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_EQ(changes, 1) << "nothing changed: no event";
}

} // namespace
