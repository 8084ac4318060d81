// The pointer on a shown side bar, driven through the headless window system: clicks on
// items (reported at the release), context menus chosen by what is under the pointer,
// hot and pressed headers activating groups, and the scroll buttons repeating on the
// virtual clock.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/controls/Action.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PopupMenu.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/Input.h"
#include "sidebar/SideBarDragObject.h"
#include "sidebar/StoredSideItem.h"

#include <vector>

namespace {

class SideBarMouse : public SideBarTest {
protected:
    // Headers One, Two (active, `items` items) and Three on a 150 x `height` side bar.
    void Setup(int items = 4, int height = 300)
    {
        bar = NewShownSideBar(150, height);
        one = AddGroup(bar, "One", 1);
        two = AddGroup(bar, "Two", items);
        three = AddGroup(bar, "Three", 0);
        bar->SetActiveGroup(two);
        bar->OnItemClick = [this](TObject* sender, TzqSideBarItem* item) {
            EXPECT_EQ(sender, bar);
            clicks.push_back(item);
        };
        bar->CalculateLayout();
    }
    TzqSideBarItem* Item(int i) const { return two->Items()->Items(i); }
    static TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    // The middle of an item's caption, of a header, of a scroll button (client points).
    TPoint AtItem(int i)
    {
        bar->CalculateLayout();
        const TzqSideItemViewInfo* info = bar->ViewInfo()->FindItem(Item(i));
        EXPECT_NE(info, nullptr) << "item " << i << " is not placed";
        return info ? Centre(info->CaptionRect) : TPoint{};
    }
    TPoint AtHeader(const TzqSideGroup* group)
    {
        bar->CalculateLayout();
        const TzqSideGroupViewInfo* header = bar->ViewInfo()->FindHeader(group);
        EXPECT_NE(header, nullptr);
        return header ? Centre(header->Rect) : TPoint{};
    }
    TPoint AtDownButton()
    {
        bar->CalculateLayout();
        EXPECT_FALSE(bar->ViewInfo()->DownButton().IsEmpty()) << "the down button is not shown";
        return Centre(bar->ViewInfo()->DownButton());
    }
    // A point of the items area below the last item.
    TPoint AtEmptyArea()
    {
        bar->CalculateLayout();
        const TzqSideBarViewInfo* vi = bar->ViewInfo();
        return {vi->ItemsArea().Left + 3, vi->ItemsArea().Bottom - 3};
    }
    TPoint Screen(TPoint p) { return driver.ToScreen(bar->Handle(), p); }
    void Press(TPoint p, TMouseButton b = TMouseButton::mbLeft) { driver.Press(Screen(p), b); }
    void Release(TPoint p, TMouseButton b = TMouseButton::mbLeft) { driver.Release(Screen(p), b); }
    void MoveTo(TPoint p) { driver.MoveTo(Screen(p)); }
    // Moves with the left button held (the button stays down in between).
    void LeftMoveTo(TPoint p) { driver.MoveTo(Screen(p)); }

    TzqSideBar* bar = nullptr;
    TzqSideGroup* one = nullptr;
    TzqSideGroup* two = nullptr;
    TzqSideGroup* three = nullptr;
    std::vector<TzqSideBarItem*> clicks;
};

TEST_F(SideBarMouse, ClickReportsTheItemUnderThePointerAtTheRelease)
{
    Setup(4, 420);
    Item(3)->SetEnabled(false);
    // Press on one place, release on another: the item reported (-1 for none).
    struct Case {
        const char* name;
        std::function<TPoint()> press;
        std::function<TPoint()> release;
        int clicked;
    } cases[] = {
        {"press and release on item 1", [&] { return AtItem(1); }, [&] { return AtItem(1); }, 1},
        {"press on item 0, release on item 2", [&] { return AtItem(0); }, [&] { return AtItem(2); }, 2},
        {"press on item 2, release on the empty area", [&] { return AtItem(2); }, [&] { return AtEmptyArea(); }, -1},
        {"press on the empty area, release on item 1", [&] { return AtEmptyArea(); }, [&] { return AtItem(1); }, -1},
        {"press and release on a disabled item", [&] { return AtItem(3); }, [&] { return AtItem(3); }, -1},
        {"press on item 0, release on a disabled item", [&] { return AtItem(0); }, [&] { return AtItem(3); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clicks.clear();
        Press(c.press());
        Release(c.release());
        std::vector<TzqSideBarItem*> expected;
        if (c.clicked >= 0)
            expected.push_back(Item(c.clicked));
        EXPECT_EQ(clicks, expected);
        EXPECT_FALSE(bar->ClickArmed());
    }
}

TEST_F(SideBarMouse, PressFocusesPressedAndSelectsOnlyWhenSelectionIsOn)
{
    Setup();
    for (bool canSelect : {false, true}) {
        SCOPED_TRACE(canSelect ? "CanSelected" : "no selection");
        bar->SetCanSelected(canSelect);
        Press(AtItem(1));
        EXPECT_EQ(bar->FocusedItem(), Item(1));
        EXPECT_TRUE(bar->FocusedItemPressed());
        EXPECT_TRUE(bar->ClickArmed());
        EXPECT_EQ(bar->SelectedItem(), canSelect ? Item(1) : nullptr);
        // While the click is armed the focus stays on the pressed item.
        MoveTo(AtItem(2));
        EXPECT_EQ(bar->FocusedItem(), Item(1));
        Release(AtItem(2));
        // After the release, the pointer moves the focus again, unpressed.
        MoveTo(AtItem(0));
        EXPECT_EQ(bar->FocusedItem(), Item(0));
        EXPECT_FALSE(bar->FocusedItemPressed());
        MoveTo(AtEmptyArea());
        EXPECT_EQ(bar->FocusedItem(), nullptr);
    }
}

TEST_F(SideBarMouse, StoredItemClickReplacesTheSideBarEvent)
{
    Setup();
    TzqStoredSideItem stored;
    Item(0)->SetStoredItem(&stored);
    std::vector<std::pair<TObject*, TzqSideBarItem*>> storedClicks;
    stored.OnClick = [&](TObject* sender, TzqSideBarItem* item) { storedClicks.emplace_back(sender, item); };
    Press(AtItem(0));
    Release(AtItem(0));
    ASSERT_EQ(storedClicks.size(), 1u);
    EXPECT_EQ(storedClicks[0].first, bar);
    EXPECT_EQ(storedClicks[0].second, Item(0));
    EXPECT_TRUE(clicks.empty());

    // Its handler wins over its action too.
    TAction action;
    action.SetCaption(Item(0)->Caption());
    int executed = 0;
    action.OnExecute = [&](TObject*) { ++executed; };
    stored.SetAction(&action);
    Press(AtItem(0));
    Release(AtItem(0));
    EXPECT_EQ(storedClicks.size(), 2u);
    EXPECT_EQ(executed, 0);

    // Without a handler of its own the stored item runs its action, and the side bar
    // reports the click as well.
    stored.OnClick = nullptr;
    Press(AtItem(0));
    Release(AtItem(0));
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(clicks, std::vector<TzqSideBarItem*>{Item(0)});
    // A disabled item runs nothing.
    action.SetEnabled(false);
    ASSERT_FALSE(Item(0)->Enabled());
    Press(AtItem(0));
    Release(AtItem(0));
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(clicks.size(), 1u);
    stored.SetAction(nullptr);
    Item(0)->SetStoredItem(nullptr);
}

TEST_F(SideBarMouse, RightPressChoosesTheMenuOfWhatIsUnderThePointer)
{
    Setup();
    auto* groupMenu = new TPopupMenu(form);
    auto* itemMenu = new TPopupMenu(form);
    auto* storedMenu = new TPopupMenu(form);
    for (TPopupMenu* m : {groupMenu, itemMenu, storedMenu})
        m->AddItem("Entry", 0, nullptr);
    TzqStoredSideItem stored;
    stored.SetPopupMenu(storedMenu);
    Item(0)->SetStoredItem(&stored);
    TzqStoredSideItem storedWithoutMenu;
    Item(1)->SetStoredItem(&storedWithoutMenu);

    struct Case {
        const char* name;
        std::function<TPoint()> at;
        TPopupMenu* itemPopup;
        TPopupMenu* expected;
    } cases[] = {
        {"item with a stored menu", [&] { return AtItem(0); }, itemMenu, storedMenu},
        {"item whose stored item has no menu", [&] { return AtItem(1); }, itemMenu, itemMenu},
        {"unlinked item", [&] { return AtItem(2); }, itemMenu, itemMenu},
        {"unlinked item, no item menu", [&] { return AtItem(2); }, nullptr, groupMenu},
        {"empty area", [&] { return AtEmptyArea(); }, itemMenu, groupMenu},
        {"header", [&] { return AtHeader(one); }, itemMenu, groupMenu},
    };
    bar->SetGroupPopupMenu(groupMenu);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar->SetItemPopupMenu(c.itemPopup);
        Press(c.at(), TMouseButton::mbRight);
        EXPECT_EQ(bar->PopupMenu(), c.expected);
        // The platform shows that menu on the release.
        TPopupMenu* open = nullptr;
        driver.Backend().PushIdleAction([&] {
            for (TPopupMenu* m : {groupMenu, itemMenu, storedMenu})
                if (m->IsOpen())
                    open = m;
            driver.PressKey(VK_ESCAPE);
        });
        Release(c.at(), TMouseButton::mbRight);
        EXPECT_EQ(open, c.expected);
    }
    Item(0)->SetStoredItem(nullptr);
    Item(1)->SetStoredItem(nullptr);
}

TEST_F(SideBarMouse, HeaderIsHotUnderThePointerAndAClickActivatesItsGroup)
{
    Setup();
    MoveTo(AtHeader(three));
    EXPECT_EQ(bar->HotGroup(), three);
    EXPECT_FALSE(bar->HotGroupPressed());
    MoveTo(AtItem(0));
    EXPECT_EQ(bar->HotGroup(), nullptr);

    // Press, leave the header (unpressed, still hot), come back (pressed), release.
    Press(AtHeader(three));
    EXPECT_EQ(bar->HotGroup(), three);
    EXPECT_TRUE(bar->HotGroupPressed());
    LeftMoveTo(AtItem(0));
    EXPECT_EQ(bar->HotGroup(), three);
    EXPECT_FALSE(bar->HotGroupPressed());
    LeftMoveTo(AtHeader(three));
    EXPECT_TRUE(bar->HotGroupPressed());
    int changes = 0;
    bar->OnChangeActiveGroup = [&](TObject*) { ++changes; };
    Release(AtHeader(three));
    EXPECT_EQ(bar->ActiveGroup(), three);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(bar->HotGroupPressed());
}

TEST_F(SideBarMouse, HotHeaderShowsTheGroupCursor)
{
    Setup();
    MoveTo(AtHeader(three));
    EXPECT_EQ(GetCursor(), ZQSIDEBARGROUPCURSOR);
    MoveTo(AtItem(0));
    EXPECT_NE(GetCursor(), ZQSIDEBARGROUPCURSOR);
}

TEST_F(SideBarMouse, ReleaseAwayFromThePressedHeaderActivatesNothing)
{
    Setup();
    Press(AtHeader(one));
    LeftMoveTo(AtItem(0));
    Release(AtItem(0));
    EXPECT_EQ(bar->ActiveGroup(), two);
    EXPECT_EQ(bar->HotGroup(), nullptr);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(SideBarMouse, ActivatingAGroupDropsFocusAndMarker)
{
    Setup();
    MoveTo(AtItem(1));
    ASSERT_EQ(bar->FocusedItem(), Item(1));
    bar->SetDropTarget(Item(2), TzqSideBarDropPosition::dpBefore);
    Press(AtHeader(three));
    Release(AtHeader(three));
    EXPECT_EQ(bar->ActiveGroup(), three);
    EXPECT_EQ(bar->FocusedItem(), nullptr);
    EXPECT_EQ(bar->DropTarget(), nullptr);
    EXPECT_EQ(bar->DropPosition(), TzqSideBarDropPosition::dpNone);
}

// Holding the down button: one item at once, then one per ScrollDelay, until the
// release or until the button goes at the end of the group.
TEST_F(SideBarMouse, HoldingTheDownButtonRepeatsOnTheScrollDelay)
{
    Setup(12, 220);
    bar->SetScrollDelay(300);
    const TPoint down = AtDownButton();
    Press(down);
    EXPECT_TRUE(bar->DownButtonPressed());
    EXPECT_EQ(two->TopItemIndex(), 1) << "at 0 ms";
    driver.AdvanceTime(299);
    EXPECT_EQ(two->TopItemIndex(), 1) << "at 299 ms";
    driver.AdvanceTime(1);
    EXPECT_EQ(two->TopItemIndex(), 2) << "at 300 ms";
    driver.AdvanceTime(300);
    EXPECT_EQ(two->TopItemIndex(), 3) << "at 600 ms";
    Release(down);
    EXPECT_FALSE(bar->DownButtonPressed());
    driver.AdvanceTime(900);
    EXPECT_EQ(two->TopItemIndex(), 3) << "after the release";
    EXPECT_FALSE(bar->ScrollTimerRunning());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(SideBarMouse, ScrollingStopsWhenTheButtonGoes)
{
    Setup(6, 220);
    bar->SetScrollDelay(100);
    Press(AtDownButton());
    driver.AdvanceTime(5000);
    bar->CalculateLayout();
    // The last item shows whole, so there is nothing more to scroll to.
    EXPECT_TRUE(bar->ViewInfo()->DownButton().IsEmpty());
    const TzqSideItemViewInfo& last = bar->ViewInfo()->Items(bar->ViewInfo()->ItemCount() - 1);
    EXPECT_EQ(last.Index, 5);
    EXPECT_FALSE(last.CutOff);
    EXPECT_FALSE(bar->DownButtonPressed());
    EXPECT_FALSE(bar->ScrollTimerRunning());
    const int top = two->TopItemIndex();
    driver.AdvanceTime(1000);
    EXPECT_EQ(two->TopItemIndex(), top);
}

TEST_F(SideBarMouse, UpButtonScrollsBackOneItemAtOnce)
{
    Setup(12, 220);
    two->SetTopItemIndex(4);
    bar->CalculateLayout();
    ASSERT_FALSE(bar->ViewInfo()->UpButton().IsEmpty());
    const TPoint up = Centre(bar->ViewInfo()->UpButton());
    Press(up);
    EXPECT_TRUE(bar->UpButtonPressed());
    EXPECT_EQ(two->TopItemIndex(), 3);
    Release(up);
    EXPECT_EQ(two->TopItemIndex(), 3);
}

// With the side bar's drag mode manual (the default) or without headers no item drag
// starts: moving far from the pressed item still ends in a click at the release.
TEST_F(SideBarMouse, NoDragStartsWithManualModeOrWithoutHeaders)
{
    Setup();
    struct Case {
        const char* name;
        TDragMode mode;
        bool showGroups;
    } cases[] = {
        {"manual", TDragMode::dmManual, true},
        {"automatic, no headers", TDragMode::dmAutomatic, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar->SetDragMode(c.mode);
        bar->SetShowGroups(c.showGroups);
        clicks.clear();
        Press(AtItem(0));
        LeftMoveTo(AtItem(2));
        EXPECT_FALSE(bar->Dragging());
        EXPECT_TRUE(bar->ClickArmed());
        Release(AtItem(2));
        EXPECT_EQ(clicks, std::vector<TzqSideBarItem*>{Item(2)});
    }
}

TEST_F(SideBarMouse, LeavingTheSideBarDropsFocusAndHotHeader)
{
    Setup();
    int enters = 0, leaves = 0;
    bar->OnMouseEnter = [&](TObject* s) { EXPECT_EQ(s, bar); ++enters; };
    bar->OnMouseLeave = [&](TObject* s) { EXPECT_EQ(s, bar); ++leaves; };
    MoveTo(AtItem(1));
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(bar->FocusedItem(), Item(1));
    // Off the side bar, onto the form beside it.
    form->SetBounds(0, 0, 250, 300);
    driver.Pump();
    driver.MoveTo(driver.ToScreen(form->Handle(), {200, 100}));
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(bar->FocusedItem(), nullptr);
    MoveTo(AtHeader(one));
    EXPECT_EQ(bar->HotGroup(), one);
    driver.MoveTo(driver.ToScreen(form->Handle(), {200, 100}));
    EXPECT_EQ(bar->HotGroup(), nullptr);
}

} // namespace
