// The categories of a side-bar store: the stored items keep pointing at the same names
// through insertion, deletion, moves, exchanges and assignment, and categories that
// still hold items cannot be deleted.
#include "sidebar/SideBarError.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/StoredSideBarItemsStoreStrings.h"
#include "sidebar/StoredSideItem.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A store with categories "A".."D" and one stored item in "B" and one in "D".
class StoreCategories : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Both items in the first category, so that any list may be replaced.
        inB.SetCategory(0);
        inD.SetCategory(0);
        TStringList names;
        for (const char* n : {"A", "B", "C", "D"})
            names.Add(n);
        store.SetCategories(names);
        inB.SetStore(&store);
        inB.SetCategory(1);
        inD.SetStore(&store);
        inD.SetCategory(3);
    }
    void TearDown() override
    {
        inB.SetStore(nullptr);
        inD.SetStore(nullptr);
    }
    // The category name each item points at.
    std::vector<std::string> ItemCategories() const
    {
        return {store.Categories()->Strings(inB.Category()), store.Categories()->Strings(inD.Category())};
    }

    TzqSideBarStore store;
    TzqStoredSideItem inB;
    TzqStoredSideItem inD;
};

TEST(StoreCategoriesDefault, NewStoreHasDefaultAndDeletingItBringsItBack)
{
    TzqSideBarStore store;
    EXPECT_EQ(store.Categories()->ToVector(), std::vector<std::string>{"Default"});
    store.Categories()->Delete(0);
    EXPECT_EQ(store.Categories()->ToVector(), std::vector<std::string>{"Default"});
    store.Categories()->Clear();
    EXPECT_EQ(store.Categories()->ToVector(), std::vector<std::string>{"Default"});
    TzqStoredSideItem item;
    item.SetStore(&store);
    EXPECT_EQ(item.Category(), 0);
    item.SetCategory(1);
    EXPECT_EQ(item.Category(), 0) << "an index beyond the list is ignored";
    item.SetStore(nullptr);
}

TEST_F(StoreCategories, ItemsFollowTheirEntries)
{
    struct Case {
        const char* name;
        std::function<void(TStoredSideBarItemsStoreStrings*)> change;
        std::vector<std::string> categories;
        std::vector<int> indexes; // of the item in B, of the item in D
    } cases[] = {
        {"insert before B", [](auto* c) { c->Insert(1, "New"); }, {"A", "New", "B", "C", "D"}, {2, 4}},
        {"insert after D", [](auto* c) { c->Insert(4, "New"); }, {"A", "B", "C", "D", "New"}, {1, 3}},
        {"delete A", [](auto* c) { c->Delete(0); }, {"B", "C", "D"}, {0, 2}},
        {"delete C", [](auto* c) { c->Delete(2); }, {"A", "B", "D"}, {1, 2}},
        {"move B to the end", [](auto* c) { c->Move(1, 3); }, {"A", "C", "D", "B"}, {3, 2}},
        {"move D to the front", [](auto* c) { c->Move(3, 0); }, {"D", "A", "B", "C"}, {2, 0}},
        {"exchange B and D", [](auto* c) { c->Exchange(1, 3); }, {"A", "D", "C", "B"}, {3, 1}},
        {"rename B in place", [](auto* c) { c->SetStrings(1, "Bee"); }, {"A", "Bee", "C", "D"}, {1, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.change(store.Categories());
        EXPECT_EQ(store.Categories()->ToVector(), c.categories);
        EXPECT_EQ((std::vector<int>{inB.Category(), inD.Category()}), c.indexes);
    }
}

TEST_F(StoreCategories, DeletingCategoriesWithItemsFailsAndChangesNothing)
{
    const std::vector<std::string> before = store.Categories()->ToVector();
    TStringList shorter;
    shorter.Add("X");
    shorter.Add("Y");
    TStringList empty;
    struct Case {
        const char* name;
        std::function<void()> change;
    } cases[] = {
        {"delete B", [&] { store.Categories()->Delete(1); }},
        {"clear", [&] { store.Categories()->Clear(); }},
        {"assign a shorter list", [&] { store.SetCategories(shorter); }},
        {"assign an empty list", [&] { store.SetCategories(empty); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.change();
            ADD_FAILURE() << "no error";
        } catch (const EzqSideBarError& e) {
            EXPECT_STREQ(e.what(), "Can't delete the group. It has items.");
        }
        EXPECT_EQ(store.Categories()->ToVector(), before);
        EXPECT_EQ(ItemCategories(), (std::vector<std::string>{"B", "D"}));
    }
}

TEST_F(StoreCategories, AssigningRenamesInPlaceAndAppends)
{
    TStringList longer;
    for (const char* n : {"a", "b", "c", "d", "e"})
        longer.Add(n);
    store.SetCategories(longer);
    EXPECT_EQ(store.Categories()->ToVector(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ((std::vector<int>{inB.Category(), inD.Category()}), (std::vector<int>{1, 3}));
    // Shorter, dropping only entries without items.
    inD.SetCategory(0);
    TStringList two;
    two.Add("x");
    two.Add("y");
    store.SetCategories(two);
    EXPECT_EQ(store.Categories()->ToVector(), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ((std::vector<int>{inB.Category(), inD.Category()}), (std::vector<int>{1, 0}));
}

} // namespace
