// Recent use: the threshold new links start with, which links a personalized menu
// shows, and how marking a link used reaches the links that opened its menu.
#include "BarsFixture.h"

#include "bars/BarContainerItem.h"
#include "bars/BarPopupMenu.h"

namespace {

class RecentUseTest : public BarsFixture {
protected:
    void SetUp() override
    {
        BarsFixture::SetUp();
        manager->SetStyle(TzqBarManagerStyle::bmsFlat);
    }

    // A bar with one link per use count, the recent order being the collection order.
    TzqBarItemLinks* BarWithUseCounts(const std::vector<int>& useCounts, const std::string& caption = "Tools")
    {
        TzqBar* bar = AddBar(caption);
        for (size_t i = 0; i < useCounts.size(); ++i) {
            TzqBarItemLink* link = Link(bar->ItemLinks(), Make(caption + char('A' + i), std::string(1, char('A' + i))));
            link->SetPendingUsage(useCounts[i], static_cast<int>(i));
        }
        bar->ItemLinks()->ReinitializeUsage(false);
        return bar->ItemLinks();
    }
};

TEST_F(RecentUseTest, UsageThresholdFollowsMostRecentItemsPercents)
{
    const std::pair<int, int> cases[] = {{0, 1}, {50, 2}, {95, 20}, {99, 100}, {100, 0}};
    for (auto [percents, threshold] : cases) {
        manager->SetMostRecentItemsPercents(percents);
        EXPECT_EQ(manager->UsageThreshold(), threshold) << percents;
        TzqBarItemLink* link = Link(AddBar("Bar" + std::to_string(percents))->ItemLinks(), Make("b" + std::to_string(percents)));
        EXPECT_EQ(link->UseCount(), threshold) << percents;
    }
}

struct RecentCase {
    int percents;
    std::vector<int> useCounts; // in recent order
    int count;
};

TEST_F(RecentUseTest, RecentCountComesFromTheSpreadOfUseCounts)
{
    const RecentCase cases[] = {
        {95, {20, 20, 20}, -1},    // all alike: all shown
        {95, {30, 20, 0, 0}, 2},   // limit 0 + 30 * 5% = 1.5, rounded to 2
        {95, {0, 0, 25, 5}, -1},   // the last one reaches the limit: all
        {95, {100, 0, 0, 0, 0}, 1},
        {95, {41, 40, 0}, 2},
        {95, {10, 0}, 1},          // limit 0.5 rounds to 1
        {50, {10, 6, 4}, 1},       // limit 4 + 3 = 7
        {50, {10, 8, 4}, 2},
        {100, {3, 2, 1}, -1},      // the limit is the minimum: every link reaches it
    };
    int n = 0;
    for (const RecentCase& c : cases) {
        manager->SetMostRecentItemsPercents(c.percents);
        TzqBarItemLinks* links = BarWithUseCounts(c.useCounts, "Case" + std::to_string(n++));
        EXPECT_EQ(links->CalcRecentItemCount(), c.count) << "case " << n;
    }
}

TEST_F(RecentUseTest, RecentCountLooksAtVisibleLinksOnlyAndNeedsPersonalizedBehaviour)
{
    TzqBarItemLinks* links = BarWithUseCounts({30, 20, 0, 0});
    EXPECT_EQ(links->CalcRecentItemCount(), 2);
    links->Items(2)->SetVisible(false);
    links->Items(3)->SetVisible(false);
    EXPECT_EQ(links->CalcRecentItemCount(), 1); // between 20 and 30 the limit is 21
    links->Items(2)->SetVisible(true);
    EXPECT_EQ(links->CalcRecentItemCount(), 2);

    links->OwnerBar()->SetUseRecentItems(false);
    EXPECT_EQ(links->CalcRecentItemCount(), -1);
    links->OwnerBar()->SetUseRecentItems(true);
    manager->SetStyle(TzqBarManagerStyle::bmsStandard);
    EXPECT_EQ(links->CalcRecentItemCount(), -1);
}

TEST_F(RecentUseTest, DisplayedLinksAreTheFirstRecentOnesInCollectionOrder)
{
    TzqBarItemLinks* links = BarWithUseCounts({20, 20, 20, 20});
    links->Items(2)->MarkUsed(true); // recent order C A B D
    EXPECT_EQ(Recent(links), (std::vector<std::string>{"C", "A", "B", "D"}));
    links->SetRecentItemCount(2);
    EXPECT_EQ(Displayed(links), (std::vector<std::string>{"A", "C"}));
    links->SetRecentItemCount(-1);
    EXPECT_EQ(links->PrevRecentItemCount(), 2);
    EXPECT_EQ(Displayed(links), (std::vector<std::string>{"A", "B", "C", "D"}));

    links->SetRecentItemCount(1);
    manager->SetStyle(TzqBarManagerStyle::bmsStandard); // personalized behaviour off
    EXPECT_EQ(links->RecentItemCount(), -1);
    EXPECT_EQ(links->DisplayedCount(), 4);
}

TEST_F(RecentUseTest, MarkUsedMovesAVisibleLinkFirstAndCountsTheUse)
{
    TzqBarItemLinks* links = BarWithUseCounts({20, 20, 20});
    TzqBarItemLink* c = links->Items(2);
    c->MarkUsed(true);
    EXPECT_EQ(Recent(links), (std::vector<std::string>{"C", "A", "B"}));
    EXPECT_EQ(c->UseCount(), 21);
    c->MarkUsed(false);
    EXPECT_EQ(c->UseCount(), 21);
    c->MarkNotUsed();
    EXPECT_EQ(Recent(links), (std::vector<std::string>{"A", "B", "C"}));

    // A hidden link is not marked.
    links->Items(1)->SetVisible(false);
    links->Items(1)->MarkUsed(true);
    EXPECT_EQ(links->Items(1)->UseCount(), 20);
    EXPECT_EQ(Recent(links), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(RecentUseTest, MostRecentlyUsedSetsTheUseCountAndThePlace)
{
    TzqBarItemLinks* links = BarWithUseCounts({25, 25, 25});
    TzqBarItemLink* a = links->Items(0);
    a->SetMostRecentlyUsed(false);
    EXPECT_EQ(a->UseCount(), 0);
    EXPECT_EQ(Recent(links), (std::vector<std::string>{"B", "C", "A"}));
    a->SetMostRecentlyUsed(true);
    EXPECT_EQ(a->UseCount(), 20);
    EXPECT_EQ(Recent(links), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(RecentUseTest, AMarkReachesTheLinkThatOpenedTheMenuAndTheContainerLink)
{
    TzqBar* bar = AddBar("Main");
    auto* file = Make<TzqBarSubItem>("File");
    TzqBarItemLink* fileLink = Link(bar->ItemLinks(), file);
    Link(bar->ItemLinks(), Make("Other"));
    auto* recent = Make<TzqBarSubItem>("Recent");
    TzqBarItemLink* recentLink = Link(file->ItemLinks(), recent);
    TzqBarItemLink* open = Link(recent->ItemLinks(), Make("Open"));
    file->SetActiveLink(fileLink);
    recent->SetActiveLink(recentLink);

    open->MarkUsed(true);
    EXPECT_EQ(open->UseCount(), 21);
    EXPECT_EQ(recentLink->UseCount(), 21);
    EXPECT_EQ(fileLink->UseCount(), 21);

    // A link made from a container marks the container's link too.
    auto* list = Make<TzqBarListItem>("List");
    list->Items()->Add("one");
    TzqBarItemLink* listLink = Link(file->ItemLinks(), list);
    list->InsertContent(file->ItemLinks(), listLink->Index() + 1, listLink);
    TzqBarItemLink* entry = file->ItemLinks()->Items(listLink->Index() + 1);
    EXPECT_EQ(entry->OriginalLink(), listLink);
    entry->MarkUsed(true);
    EXPECT_EQ(listLink->UseCount(), 21);
    EXPECT_EQ(fileLink->UseCount(), 22);
}

TEST_F(RecentUseTest, MarkingAroundADropDownCycleEnds)
{
    // A popup menu that links a button dropping down that same popup menu.
    auto* popup = new TzqBarPopupMenu(form);
    auto* dropper = Make("Dropper");
    dropper->SetButtonStyle(TzqBarButtonStyle::bsDropDown);
    dropper->SetDropDownMenu(popup);
    TzqBarItemLink* dropperLink = Link(popup->ItemLinks(), dropper);
    TzqBarItemLink* save = Link(popup->ItemLinks(), Make("Save"));
    dropper->SetActiveLink(dropperLink);
    popup->SetOpenerButton(dropper);

    save->MarkUsed(true);
    EXPECT_EQ(save->UseCount(), 21);
    EXPECT_EQ(dropperLink->UseCount(), 21); // marked once, though the chain comes back to it
}

TEST_F(RecentUseTest, PersonalizedBehaviourOfASubmenuIsThatOfTheMenuThatOpenedIt)
{
    auto* file = Make<TzqBarSubItem>("File");
    EXPECT_TRUE(file->ItemLinks()->PersonalizedBehaviour()); // not opened: its own
    TzqBar* bar = AddBar("Main");
    TzqBarItemLink* fromBar = Link(bar->ItemLinks(), file);
    auto* popup = new TzqBarPopupMenu(form);
    TzqBarItemLink* fromPopup = Link(popup->ItemLinks(), file);
    EXPECT_FALSE(popup->UseRecentItems());

    file->SetActiveLink(fromBar);
    EXPECT_TRUE(file->ItemLinks()->PersonalizedBehaviour());
    bar->SetUseRecentItems(false);
    EXPECT_FALSE(file->ItemLinks()->PersonalizedBehaviour());
    file->SetActiveLink(fromPopup);
    EXPECT_FALSE(file->ItemLinks()->PersonalizedBehaviour());
    popup->SetUseRecentItems(true);
    EXPECT_TRUE(file->ItemLinks()->PersonalizedBehaviour());
    manager->SetStyle(TzqBarManagerStyle::bmsStandard);
    EXPECT_FALSE(file->ItemLinks()->PersonalizedBehaviour());
}

TEST_F(RecentUseTest, ReinitializingPlacesLinksReadWithARecentPosition)
{
    TzqBar* bar = AddBar("Tools");
    TzqBarItemLinks* links = bar->ItemLinks();
    for (const char* name : {"A", "B", "C", "D", "E"})
        Link(links, Make(name));
    links->Items(0)->SetMostRecentlyUsed(false);
    links->Items(3)->SetPendingUsage(40, 0);
    links->Items(4)->SetPendingUsage(35, 1);
    links->Items(1)->SetVisible(false);
    links->ReinitializeUsage(false);
    // D and E placed first with their counts; A, not recently used, after the others;
    // the hidden B behind every visible link.
    EXPECT_EQ(Recent(links), (std::vector<std::string>{"D", "E", "C", "A", "B"}));
    EXPECT_EQ(links->Items(3)->UseCount(), 40);
    EXPECT_EQ(links->Items(4)->UseCount(), 35);
    EXPECT_EQ(links->Items(0)->UseCount(), 0);
    EXPECT_EQ(links->Items(2)->UseCount(), 20);
    EXPECT_EQ(links->Items(3)->PendingRecentIndex(), -1);

    // Copying usage takes MostRecentlyUsed position by position.
    TzqBar* other = AddBar("Other");
    for (const char* name : {"a", "b", "c"})
        Link(other->ItemLinks(), Make(name));
    other->ItemLinks()->Items(0)->SetMostRecentlyUsed(false);
    links->CopyUsageFrom(*other->ItemLinks());
    EXPECT_FALSE(links->Items(0)->MostRecentlyUsed());
    EXPECT_TRUE(links->Items(1)->MostRecentlyUsed());
    EXPECT_EQ(links->Items(3)->UseCount(), 20);
    EXPECT_EQ(Recent(links), (std::vector<std::string>{"C", "D", "E", "A", "B"}));
}

} // namespace
