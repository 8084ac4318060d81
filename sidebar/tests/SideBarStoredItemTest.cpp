// A stored item leaving its store or dying takes the side-bar items linked to it in the
// store's side bars along, each firing its side bar's OnDeleteItem.
#include "sidebar/tests/SideBarFixture.h"

#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/StoredSideItem.h"

namespace {

class StoredItemLinks : public SideBarTest {
protected:
    // Two side bars of one store, each with a group holding [plain, linked, plain].
    void Fill()
    {
        for (auto& bar : bars) {
            bar = NewSideBar();
            bar->SetStore(&store);
            TzqSideGroup* group = AddGroup(bar.get(), "G", 3);
            group->Items()->Items(1)->SetStoredItem(stored);
            bar->OnDeleteItem = [this, b = bar.get()](TObject* sender, TzqSideBarItem* item) {
                EXPECT_EQ(sender, b);
                EXPECT_EQ(item->StoredItem(), stored);
                ++deletions;
            };
        }
    }
    static std::vector<std::string> Captions(const TzqSideBar* bar)
    {
        std::vector<std::string> out;
        const TzqSideBarItems* items = bar->Groups()->Items(0)->Items();
        for (int i = 0; i < items->Count(); ++i)
            out.push_back(items->Items(i)->Caption());
        return out;
    }
    void TearDown() override
    {
        // The side bars' own destruction deletes the rest: not what the tests count.
        for (auto& bar : bars)
            if (bar)
                bar->OnDeleteItem = nullptr;
        for (auto& bar : bars)
            bar.reset();
        SideBarTest::TearDown();
    }

    TzqSideBarStore store;
    TzqStoredSideItem* stored = [this] {
        auto* s = new TzqStoredSideItem(&store);
        s->SetCaption("Linked");
        s->SetStore(&store);
        return s;
    }();
    std::unique_ptr<TzqSideBar> bars[2];
    int deletions = 0;
};

TEST_F(StoredItemLinks, DyingStoredItemDeletesItsItemsInEverySideBar)
{
    Fill();
    delete stored;
    stored = nullptr;
    EXPECT_EQ(deletions, 2);
    for (auto& bar : bars)
        EXPECT_EQ(Captions(bar.get()), (std::vector<std::string>{"G 1", "G 3"}));
}

TEST_F(StoredItemLinks, LeavingTheStoreDeletesItsItemsToo)
{
    Fill();
    TzqSideBarStore other;
    stored->SetStore(&other);
    EXPECT_EQ(deletions, 2);
    for (auto& bar : bars)
        EXPECT_EQ(Captions(bar.get()), (std::vector<std::string>{"G 1", "G 3"}));
    stored->SetStore(nullptr);
}

} // namespace
