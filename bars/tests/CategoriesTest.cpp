// Categories: items keep their category name through every change of the list, and
// a category's item visibility switches its items and, on request, empty bars.
#include "BarsFixture.h"

namespace {

class CategoriesTest : public BarsFixture {
protected:
    // Four categories "A" to "D" with two items each, named after their category.
    void MakeFourCategories()
    {
        TStringList names;
        for (const char* name : {"A", "B", "C", "D"})
            names.Add(name);
        manager->SetCategories(names);
        for (int c = 0; c < 4; ++c)
            for (int n = 1; n <= 2; ++n) {
                const std::string name = names.Strings(c) + std::to_string(n);
                items.push_back(Make(name, name, c));
            }
    }

    // Every item's category name, as "item:category".
    std::vector<std::string> ItemCategories() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < manager->ItemCount(); ++i) {
            TzqBarItem* item = manager->Items(i);
            const int c = item->Category();
            out.push_back(item->Name() + ":" +
                          (c >= 0 && c < manager->Categories()->Count() ? manager->Categories()->Strings(c) : "?"));
        }
        return out;
    }

    std::vector<TzqBarItem*> items;
};

struct ListChange {
    const char* what;
    std::function<void(TStrings&)> change;
    std::vector<std::string> names;
};

TEST_F(CategoriesTest, EveryItemKeepsItsCategoryNameWhenTheListChanges)
{
    const std::vector<std::string> kept = {"A1:A", "A2:A", "B1:B", "B2:B", "C1:C", "C2:C", "D1:D", "D2:D"};
    const ListChange changes[] = {
        {"move 0 to 2", [](TStrings& s) { s.Move(0, 2); }, {"B", "C", "A", "D"}},
        {"move 3 to 0", [](TStrings& s) { s.Move(3, 0); }, {"D", "A", "B", "C"}},
        {"move 1 to 3", [](TStrings& s) { s.Move(1, 3); }, {"A", "C", "D", "B"}},
        {"exchange 0 and 3", [](TStrings& s) { s.Exchange(0, 3); }, {"D", "B", "C", "A"}},
        {"insert at 1", [](TStrings& s) { s.Insert(1, "New"); }, {"A", "New", "B", "C", "D"}},
        {"insert at the end", [](TStrings& s) { s.Add("New"); }, {"A", "B", "C", "D", "New"}},
    };
    for (const ListChange& c : changes) {
        SCOPED_TRACE(c.what);
        MakeFourCategories();
        c.change(*manager->Categories());
        EXPECT_EQ(manager->Categories()->ToVector(), c.names);
        EXPECT_EQ(ItemCategories(), kept);
        for (TzqBarItem* item : std::vector<TzqBarItem*>(items))
            delete item;
        items.clear();
    }
}

TEST_F(CategoriesTest, DeletingACategoryDestroysItsItemsAndRenumbersTheRest)
{
    MakeFourCategories();
    TzqBar* bar = AddBar("Tools");
    Link(bar->ItemLinks(), items[2]); // B1
    Link(bar->ItemLinks(), items[4]); // C1
    manager->Categories()->Delete(1);
    EXPECT_EQ(manager->Categories()->ToVector(), (std::vector<std::string>{"A", "C", "D"}));
    EXPECT_EQ(ItemCategories(), (std::vector<std::string>{"A1:A", "A2:A", "C1:C", "C2:C", "D1:D", "D2:D"}));
    EXPECT_EQ(manager->ItemByName("B1"), nullptr);
    ASSERT_EQ(bar->ItemLinks()->Count(), 1);
    EXPECT_EQ(bar->ItemLinks()->Items(0)->Item()->Name(), "C1");
}

TEST_F(CategoriesTest, DeletingEveryCategoryLeavesDefault)
{
    MakeFourCategories();
    while (manager->Categories()->Count() > 1)
        manager->Categories()->Delete(0);
    manager->Categories()->Delete(0);
    EXPECT_EQ(manager->Categories()->ToVector(), std::vector<std::string>{"Default"});
    EXPECT_EQ(manager->ItemCount(), 0);
    // Assigning an empty list does the same.
    TStringList none;
    manager->SetCategories(none);
    EXPECT_EQ(manager->Categories()->ToVector(), std::vector<std::string>{"Default"});
}

TEST_F(CategoriesTest, RecordsMoveWithTheirNames)
{
    MakeFourCategories();
    manager->SetCategoryVisible(0, false);
    manager->SetCategoryItemsVisible(3, TzqBarItemVisible::ivInCustomizing);
    manager->Categories()->Exchange(0, 3);
    EXPECT_EQ(manager->Categories()->Visibles(), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(manager->Categories()->ItemsVisibles(), (std::vector<int>{1, 2, 2, 2}));
    EXPECT_EQ(manager->ShownCategoryToIndex(2), 2);
    EXPECT_EQ(manager->ShownCategoryToIndex(3), -1);
}

TEST_F(CategoriesTest, ItemsOfACategoryOutsideTheListAreInNoCategory)
{
    MakeFourCategories();
    manager->BeginLoading();
    items[0]->SetCategory(99); // as read from a stored form
    manager->EndLoading();
    EXPECT_EQ(items[0]->Category(), 99);
    std::vector<TzqBarItem*> list;
    for (int c = -1; c <= 4; ++c) {
        manager->GetItemsByCategory(c, list);
        EXPECT_EQ(std::count(list.begin(), list.end(), items[0]), 0) << c;
    }
    EXPECT_EQ(manager->GetItemsByCategory(99, list), 0);
    // Outside loading such a value is refused.
    items[1]->SetCategory(4);
    EXPECT_EQ(items[1]->Category(), 0);
    items[1]->SetCategory(-1);
    EXPECT_EQ(items[1]->Category(), 0);
    manager->SetCategoryItemsVisible(99, TzqBarItemVisible::ivNever);
    EXPECT_EQ(items[0]->Visible(), TzqBarItemVisible::ivAlways);
}

TEST_F(CategoriesTest, ItemsVisibleSwitchesItemsThatHadTheOldValue)
{
    MakeFourCategories();
    items[1]->SetVisible(TzqBarItemVisible::ivInCustomizing);
    manager->SetCategoryItemsVisible(0, TzqBarItemVisible::ivNever);
    EXPECT_EQ(items[0]->Visible(), TzqBarItemVisible::ivNever);
    EXPECT_EQ(items[1]->Visible(), TzqBarItemVisible::ivInCustomizing);
    EXPECT_EQ(items[2]->Visible(), TzqBarItemVisible::ivAlways);
    manager->SetCategoryItemsVisible(0, TzqBarItemVisible::ivAlways);
    EXPECT_EQ(items[0]->Visible(), TzqBarItemVisible::ivAlways);
    EXPECT_EQ(items[1]->Visible(), TzqBarItemVisible::ivInCustomizing);
    std::vector<TzqBarItem*> shown;
    EXPECT_EQ(manager->GetShownItemsByCategory(0, shown), 1);
}

TEST_F(CategoriesTest, ItemsShownAgainComeFirstInTheRecentOrderInPoolOrder)
{
    MakeFourCategories();
    manager->SetStyle(TzqBarManagerStyle::bmsFlat);
    auto* menu = Make<TzqBarSubItem>("Menu", "Menu", 2);
    Link(menu->ItemLinks(), items[6]); // D1
    Link(menu->ItemLinks(), items[0]); // A1
    Link(menu->ItemLinks(), items[7]); // D2
    Link(menu->ItemLinks(), items[1]); // A2
    manager->SetCategoryItemsVisible(0, TzqBarItemVisible::ivNever);
    EXPECT_EQ(Recent(menu->ItemLinks()), (std::vector<std::string>{"D1", "D2", "A1", "A2"}));
    manager->SetCategoryItemsVisible(0, TzqBarItemVisible::ivAlways);
    EXPECT_EQ(Recent(menu->ItemLinks()), (std::vector<std::string>{"A1", "A2", "D1", "D2"}));
}

TEST_F(CategoriesTest, EmptyBarsAreHiddenAndShownAgainWithAutoHideEmptyBars)
{
    MakeFourCategories();
    manager->SetAutoHideEmptyBars(true);
    TzqBar* onlyA = AddBar("Only A");
    Link(onlyA->ItemLinks(), items[0]);
    TzqBar* mixed = AddBar("Mixed");
    Link(mixed->ItemLinks(), items[1]);
    Link(mixed->ItemLinks(), items[2]);
    TzqBar* emptyAlready = AddBar("Empty");
    TzqBar* hiddenByUser = AddBar("Hidden");
    Link(hiddenByUser->ItemLinks(), items[0]);
    for (TzqBar* bar : {onlyA, mixed, emptyAlready})
        bar->SetVisible(true);

    std::vector<std::string> visibleChanges;
    manager->OnBarVisibleChange = [&](TzqBarManager*, TzqBar* bar) { visibleChanges.push_back(bar->Caption()); };
    manager->SetCategoryItemsVisible(0, TzqBarItemVisible::ivNever);
    EXPECT_FALSE(onlyA->Visible());
    EXPECT_TRUE(onlyA->AutoHidden());
    EXPECT_TRUE(mixed->Visible());
    EXPECT_TRUE(emptyAlready->Visible()); // it had no links before the change
    EXPECT_FALSE(hiddenByUser->AutoHidden());
    EXPECT_EQ(visibleChanges, std::vector<std::string>{"Only A"});

    manager->SetCategoryItemsVisible(0, TzqBarItemVisible::ivAlways);
    EXPECT_TRUE(onlyA->Visible());
    EXPECT_FALSE(onlyA->AutoHidden());
    EXPECT_FALSE(hiddenByUser->Visible());

    manager->SetCategoryItemsVisible(0, TzqBarItemVisible::ivNever);
    manager->SetAutoHideEmptyBars(false);
    EXPECT_FALSE(onlyA->AutoHidden());
}

} // namespace
