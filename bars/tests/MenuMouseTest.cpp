// Menus and the mouse: opening and closing after resting, the opening sequence and its
// sounds, clicks outside the chain, placement with flips, cut menus that scroll, and
// popup menus with their own loop.
#include "bars/tests/MenusFixture.h"

#include "bars/BarContainerItem.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarPopupMenuLinks.h"

namespace {

class MenuMouseTest : public MenusFixture {
protected:
    // Opens File from the main menu bar with a click.
    TzqBarSubMenuControl* OpenFile()
    {
        driver.Click(Middle(MenuBar(), 0));
        return Head();
    }
    int Count(const std::string& sound)
    {
        const auto& all = Sounds();
        return static_cast<int>(std::count(all.begin(), all.end(), sound));
    }
};

TEST_F(MenuMouseTest, AClickOnABarItemOpensItsMenuAndASecondOneClosesIt)
{
    std::vector<std::string> events;
    file->OnPopup = [&](TObject*) { events.push_back("popup"); };
    file->OnClick = [&](TObject*) { events.push_back(OpenMenus().empty() ? "click" : "click while shown"); };
    file->OnCloseUp = [&](TObject*) { events.push_back("closeup"); };
    TzqBarSubMenuControl* menu = OpenFile();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"popup", "click"}));
    EXPECT_EQ(Count("MenuPopup"), 1);
    EXPECT_TRUE(MenuBar()->InChain());
    EXPECT_EQ(menu->SelectedControl(), nullptr) << "opened by the mouse: nothing selected";
    EXPECT_TRUE(MenuBar()->ItemControls(0)->DroppedDown());
    // Below the item's left edge.
    const TRect item = MenuBar()->ItemControls(0)->Rect();
    EXPECT_EQ(menu->BoundsRect().Left, MenuBar()->ClientToScreen(TPoint{item.Left, 0}).X);
    EXPECT_EQ(menu->BoundsRect().Top, MenuBar()->ClientToScreen(TPoint{0, item.Bottom}).Y);

    driver.Click(Middle(MenuBar(), 0));
    EXPECT_TRUE(OpenMenus().empty());
    EXPECT_FALSE(TzqBarMenuChain::Active());
    EXPECT_EQ(events.back(), "closeup");
}

TEST_F(MenuMouseTest, ClickingACommandClosesTheChainFirstPlaysMenuCommandAndMarksTheLinkUsed)
{
    TzqBarSubMenuControl* menu = OpenFile();
    ASSERT_NE(menu, nullptr);
    TzqBarItemLink* open = file->ItemLinks()->Items(1);
    const int uses = open->UseCount();
    bool chainOpenDuringClick = true;
    open->Item()->OnClick = [&](TObject*) {
        chainOpenDuringClick = TzqBarMenuChain::Active();
        EXPECT_EQ(open->Item()->ActiveLink(), open);
    };
    driver.Click(Middle(menu, IndexOf(menu, "&Open")));
    EXPECT_FALSE(chainOpenDuringClick);
    EXPECT_EQ(Count("MenuCommand"), 1);
    EXPECT_EQ(open->UseCount(), uses + 1);
    EXPECT_EQ(file->ItemLinks()->RecentItems(0), open);
}

TEST_F(MenuMouseTest, ASubmenuOpensAfterTheMouseRests400msAndClosesAfterLeaving400ms)
{
    TzqBarSubMenuControl* menu = OpenFile();
    ASSERT_NE(menu, nullptr);
    driver.MoveTo(Middle(menu, IndexOf(menu, "&Recent")));
    driver.AdvanceTime(399);
    EXPECT_EQ(OpenMenus().size(), 1u);
    driver.AdvanceTime(1);
    ASSERT_EQ(OpenMenus().size(), 2u);
    EXPECT_EQ(Head()->ItemLinks(), recent->ItemLinks());
    EXPECT_EQ(Count("MenuPopup"), 2);
    // Raised by 3 pixels beside the item.
    const TRect item = menu->ItemControls(IndexOf(menu, "&Recent"))->Rect();
    EXPECT_EQ(Head()->BoundsRect().Left, menu->ClientToScreen(TPoint{item.Right, 0}).X);
    EXPECT_EQ(Head()->BoundsRect().Top, menu->ClientToScreen(TPoint{0, item.Top}).Y - 3);

    // Another item of the same menu: the open submenu waits 400 ms, then closes.
    driver.MoveTo(Middle(menu, IndexOf(menu, "&Open")));
    driver.AdvanceTime(399);
    EXPECT_EQ(OpenMenus().size(), 2u);
    driver.AdvanceTime(1);
    EXPECT_EQ(OpenMenus().size(), 1u);
    // A press opens it at once.
    driver.Press(Middle(menu, IndexOf(menu, "&Recent")));
    EXPECT_EQ(OpenMenus().size(), 2u);
}

TEST_F(MenuMouseTest, WithAMenuOpenHoveringAnotherBarItemSwitchesMenusAtOnce)
{
    ASSERT_NE(OpenFile(), nullptr);
    driver.MoveTo(Middle(MenuBar(), 1));
    ASSERT_EQ(OpenMenus().size(), 1u);
    EXPECT_EQ(Head()->ItemLinks(), edit->ItemLinks());
    EXPECT_EQ(SelectedCaption(Head()), "") << "switched by the mouse: nothing selected";
}

TEST_F(MenuMouseTest, APressOutsideTheChainClosesEveryMenuAndStillReachesItsWindow)
{
    TzqBarSubMenuControl* menu = OpenFile();
    driver.MoveTo(Middle(menu, IndexOf(menu, "&Recent")));
    driver.AdvanceTime(400);
    ASSERT_EQ(OpenMenus().size(), 2u);
    // A press in a menu of the chain closes nothing; its release clicks.
    driver.Press(Middle(menu, IndexOf(menu, "&Open")));
    EXPECT_EQ(OpenMenus().size(), 2u);
    driver.Release(Middle(menu, IndexOf(menu, "&Open")));
    EXPECT_EQ(clicked, std::vector<std::string>{"Open"});
    EXPECT_FALSE(TzqBarMenuChain::Active());

    menu = OpenFile();
    ASSERT_NE(menu, nullptr);
    const int before = recorder->presses;
    driver.Click(recorder->ClientToScreen(TPoint{5, 5}));
    EXPECT_FALSE(TzqBarMenuChain::Active());
    EXPECT_EQ(recorder->presses, before + 1);
}

TEST_F(MenuMouseTest, PlacementFlipsAndCutsToTheWorkArea)
{
    const TRect work(0, 0, 1000, 700);
    const auto area = [&](TPoint) { return work; };
    const TSize size{200, 300};
    struct Case {
        const char* name;
        TzqBarMenuAnchor anchor;
        TRect opener;
        bool preferLeft;
        TRect bounds;
        bool left, up, cut;
    };
    using A = TzqBarMenuAnchor;
    const std::vector<Case> cases = {
        {"beside a menu item", A::FromMenu, {100, 100, 250, 120}, false, {250, 97, 450, 397}, false, false, false},
        {"right edge: to the left", A::FromMenu, {700, 100, 900, 120}, false, {500, 97, 700, 397}, true, false, false},
        {"continues left", A::FromMenu, {300, 100, 450, 120}, true, {100, 97, 300, 397}, true, false, false},
        {"no room left: back right", A::FromMenu, {100, 100, 250, 120}, true, {250, 97, 450, 397}, false, false, false},
        {"low menu item moves up", A::FromMenu, {100, 600, 250, 620}, false, {250, 400, 450, 700}, false, false, false},
        {"below a bar item", A::FromHorizontalBar, {100, 40, 150, 60}, false, {100, 60, 300, 360}, false, false, false},
        {"bar item at the right edge", A::FromHorizontalBar, {950, 40, 990, 60}, false, {800, 60, 1000, 360}, false, false, false},
        {"bar at the bottom: above", A::FromHorizontalBar, {100, 660, 150, 680}, false, {100, 360, 300, 660}, false, true, false},
        {"vertical bar", A::FromVerticalBar, {0, 100, 30, 130}, false, {30, 100, 230, 400}, false, false, false},
        {"point", A::AtPoint, {400, 100, 400, 100}, false, {400, 100, 600, 400}, false, false, false},
        {"point near the bottom: above", A::AtPoint, {400, 650, 400, 650}, false, {400, 350, 600, 650}, false, true, false},
        {"point near the right edge", A::AtPoint, {950, 100, 950, 100}, false, {800, 100, 1000, 400}, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TzqBarMenuPlacement p = PlaceSubMenu(size, c.anchor, c.opener, c.preferLeft, false, area);
        EXPECT_EQ(p.Bounds, c.bounds);
        EXPECT_EQ(p.OpensLeft, c.left);
        EXPECT_EQ(p.OpensUp, c.up);
        EXPECT_EQ(p.Cut, c.cut);
    }
    // Below a bar item with more room below than above: cut to the room below.
    const TzqBarMenuPlacement below = PlaceSubMenu({200, 600}, A::FromHorizontalBar, {100, 250, 150, 270}, false, false, area);
    EXPECT_EQ(below.Bounds, TRect(100, 270, 300, 700));
    EXPECT_TRUE(below.Cut);
    EXPECT_FALSE(below.OpensUp);
    // Taller than the work area: cut to it and scrolled.
    const TzqBarMenuPlacement tall = PlaceSubMenu({200, 900}, A::AtPoint, {10, 10, 10, 10}, false, false, area);
    EXPECT_EQ(tall.Bounds, TRect(10, 0, 210, 700));
    EXPECT_TRUE(tall.Cut);
    // The flat style raises a menu by 2 pixels.
    EXPECT_EQ(PlaceSubMenu(size, A::FromMenu, {100, 100, 250, 120}, false, true, area).Bounds.Top, 98);
}

TEST_F(MenuMouseTest, AMenuAtTheRightEdgeOpensLeftOfItsItemAndItsChildContinuesLeft)
{
    auto* deeper = Make<TzqBarSubItem>("Deeper", "&Deeper");
    Link(recent->ItemLinks(), deeper);
    Link(deeper->ItemLinks(), Command("Deepest", "Deepes&t"));
    const TRect screen = MonitorWorkAreaAt(TPoint{0, 0});
    form->SetBounds(screen.Right - 160, 40, 160, 300);
    driver.Pump();
    TzqBarSubMenuControl* fileMenu = OpenFile();
    ASSERT_NE(fileMenu, nullptr);
    EXPECT_FALSE(fileMenu->OpensLeft());
    Tap(VK_DOWN); // keyboard from here on
    Tap(VK_DOWN);
    Tap(VK_DOWN);
    ASSERT_EQ(SelectedCaption(fileMenu), "&Recent");
    Tap(VK_RIGHT);
    TzqBarSubMenuControl* recentMenu = Head();
    ASSERT_NE(recentMenu, fileMenu);
    EXPECT_TRUE(recentMenu->OpensLeft());
    EXPECT_EQ(recentMenu->BoundsRect().Right, fileMenu->ClientToScreen(fileMenu->ItemControls(2)->Rect().TopLeft()).X);
    Tap(VK_END);
    Tap(VK_RIGHT);
    TzqBarSubMenuControl* deeperMenu = Head();
    ASSERT_NE(deeperMenu, recentMenu);
    EXPECT_TRUE(deeperMenu->OpensLeft());
    EXPECT_EQ(deeperMenu->BoundsRect().Right, recentMenu->ClientToScreen(recentMenu->ItemControls(2)->Rect().TopLeft()).X);
    EXPECT_GE(deeperMenu->BoundsRect().Left, screen.Left);
}

TEST_F(MenuMouseTest, ACutMenuScrollsEvery80msWhileTheMouseRestsOnAnArrow)
{
    auto* big = Make<TzqBarSubItem>("Big", "&Big");
    for (int i = 0; i < 200; ++i)
        Link(big->ItemLinks(), Command("Item" + std::to_string(i), "Item " + std::to_string(i)));
    Link(mainMenu->ItemLinks(), big);
    driver.Pump();
    driver.Click(Middle(MenuBar(), 3));
    TzqBarSubMenuControl* menu = Head();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->Cut());
    EXPECT_EQ(menu->BoundsRect().Bottom, MonitorWorkAreaAt(TPoint{0, 0}).Bottom);
    EXPECT_EQ(menu->TopIndex(), 0);
    EXPECT_TRUE(menu->UpArrowRect().Height() > 0);
    const TRect down = menu->DownArrowRect();
    driver.MoveTo(menu->ClientToScreen(TPoint{down.Left + down.Width() / 2, down.Top + down.Height() / 2}));
    driver.AdvanceTime(79);
    EXPECT_EQ(menu->TopIndex(), 0);
    driver.AdvanceTime(1);
    EXPECT_EQ(menu->TopIndex(), 1);
    driver.AdvanceTime(160);
    EXPECT_EQ(menu->TopIndex(), 3);
    // Off the arrow: it stops.
    driver.MoveTo(Middle(menu, 10));
    driver.AdvanceTime(400);
    EXPECT_EQ(menu->TopIndex(), 3);
    // The keyboard scrolls the selection into view, to the end and round again.
    Tap(VK_END);
    EXPECT_EQ(SelectedCaption(menu), "Item 199");
    EXPECT_EQ(menu->TopIndex() + menu->VisibleRowCount(), 200);
    EXPECT_FALSE(menu->ItemControls(199)->Rect().IsEmpty());
    Tap(VK_DOWN);
    EXPECT_EQ(menu->TopIndex(), 0);
}

TEST_F(MenuMouseTest, APopupMenuRunsItsOwnLoopAndIgnoresASecondPopupWhileOpen)
{
    auto* popup = new TzqBarPopupMenu(form);
    Link(popup->ItemLinks(), Command("Local", "&Local"));
    Link(popup->ItemLinks(), Command("Other", "&Other"));
    int popups = 0, closeUps = 0;
    popup->OnPopup = [&](TObject*) { ++popups; };
    popup->OnCloseUp = [&](TObject*) { ++closeUps; };
    const TPoint at = form->ClientToScreen(TPoint{100, 100});
    driver.Backend().PushIdleAction([&] {
        ASSERT_TRUE(popup->MenuOpen());
        TzqBarSubMenuControl* menu = popup->MenuWindow();
        EXPECT_EQ(menu->BoundsRect().TopLeft(), at);
        popup->Popup(at.X + 50, at.Y + 50); // nothing while open
        EXPECT_EQ(popups, 1);
        EXPECT_EQ(menu, popup->MenuWindow());
        driver.Click(Middle(menu, 1));
    });
    popup->Popup(at.X, at.Y);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(closeUps, 1);
    EXPECT_FALSE(popup->MenuOpen());
    EXPECT_EQ(clicked, std::vector<std::string>{"Other"});
    EXPECT_EQ(Count("MenuCommand"), 1);
}

TEST_F(MenuMouseTest, APopupLoopEndsOnAQuitAndPostsItAgain)
{
    auto* popup = new TzqBarPopupMenu(form);
    Link(popup->ItemLinks(), Command("Local", "&Local"));
    driver.Backend().PushIdleAction([&] { PostQuitMessage(7); });
    popup->Popup(100, 100);
    EXPECT_FALSE(popup->MenuOpen());
    EXPECT_FALSE(TzqBarMenuChain::Active());
    MSG msg;
    ASSERT_TRUE(PeekMessage(msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(MenuMouseTest, MenuSizesFollowTheMetrics)
{
    // An empty menu is 100 wide.
    auto* empty = Make<TzqBarSubItem>("Empty", "E&mpty");
    Link(mainMenu->ItemLinks(), empty);
    driver.Pump();
    driver.Click(Middle(MenuBar(), 3));
    ASSERT_NE(Head(), nullptr);
    EXPECT_EQ(Head()->Width(), 100);
    EXPECT_EQ(Head()->Height(), Head()->Metrics().ExtraHeight);
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);

    // File: four rows, one separator; the shortcut widens the widest row; the side band
    // adds its width.
    TzqBarSubMenuControl* menu = OpenFile();
    const TzqBarSubMenuMetrics m = menu->Metrics();
    EXPECT_EQ(m.TextRowHeight, m.TextHeight + 6);
    EXPECT_EQ(menu->Height(), 4 * m.ItemHeight + m.SeparatorHeight + m.ExtraHeight);
    const int width = menu->Width();
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    file->SetBarSize(24);
    menu = OpenFile();
    EXPECT_EQ(menu->Width(), width + 24);
    EXPECT_EQ(menu->ItemControls(0)->Rect().Left, m.Border + 24);
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);

    // The flat style: one more pixel a text row, two more an item, 5-pixel separators.
    manager->SetStyle(TzqBarManagerStyle::bmsFlat);
    menu = OpenFile();
    const TzqBarSubMenuMetrics flat = menu->Metrics();
    EXPECT_EQ(flat.TextRowHeight, m.TextRowHeight + 1);
    EXPECT_EQ(flat.ItemHeight, flat.TextRowHeight + 2);
    EXPECT_EQ(menu->Height(), 4 * flat.ItemHeight + 5 + 3);
}

TEST_F(MenuMouseTest, ListsShowTheirEntriesInMenusAndOpenedFromABar)
{
    auto* windows = Make<TzqBarListItem>("Windows", "&Windows");
    TStringList strings;
    strings.Add("Chart");
    strings.Add("Table");
    windows->SetItems(strings);
    int data = 0;
    windows->OnGetData = [&](TObject*) { ++data; };
    Link(view->ItemLinks(), windows);
    Link(mainMenu->ItemLinks(), windows);
    driver.Pump();

    // In a menu the entries take the list's place.
    driver.Click(Middle(MenuBar(), 2));
    TzqBarSubMenuControl* menu = Head();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->ItemControlCount(), 3);
    EXPECT_EQ(menu->ItemControls(1)->Link()->Caption(), "&1 Chart");
    EXPECT_EQ(menu->ItemControls(2)->Link()->Caption(), "&2 Table");
    EXPECT_EQ(data, 1);
    driver.Click(Middle(menu, 2));
    EXPECT_EQ(windows->ItemIndex(), 1);
    EXPECT_FALSE(TzqBarMenuChain::Active());

    // Opened from the bar, its menu is its entries.
    driver.Click(Middle(MenuBar(), 3));
    menu = Head();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->ItemControlCount(), 2);
    EXPECT_EQ(data, 2);
    driver.Click(Middle(menu, 0));
    EXPECT_EQ(windows->ItemIndex(), 0);
}

TEST_F(MenuMouseTest, ARightClickOnALinkedControlOpensItsPopupAtTheCursorAndCommandsWaitMeanwhile)
{
    auto* popup = new TzqBarPopupMenu(form);
    Link(popup->ItemLinks(), Command("Local", "&Local"));
    TzqBarPopupMenuLink* link = manager->PopupMenuLinks()->Add();
    link->SetControl(recorder);
    link->SetPopupMenu(popup);
    bool byMouse = false;
    link->OnAction = [&](TObject*, int&, int&, bool ClickedByMouse, bool&) { byMouse = ClickedByMouse; };
    int commands = 0;
    auto* target = new KeyRecorder(form);
    target->SetParent(form);
    target->SetBounds(10, 200, 40, 20);
    target->OnCommand = [&] { ++commands; };
    driver.Pump();
    const TPoint at = recorder->ClientToScreen(TPoint{10, 8});
    TPoint shownAt;
    driver.Backend().PushIdleAction([&] {
        ASSERT_TRUE(popup->MenuOpen());
        shownAt = popup->MenuWindow()->BoundsRect().TopLeft();
        // A command sent through the queue while the menu is open is dropped.
        PostMessage(target->Handle(), WM_COMMAND, 0, 0);
        driver.PressKey(VK_ESCAPE);
    });
    driver.Click(at, TMouseButton::mbRight);
    EXPECT_TRUE(byMouse);
    EXPECT_EQ(shownAt, at);
    EXPECT_FALSE(popup->MenuOpen());
    driver.Pump();
    EXPECT_EQ(commands, 0);
    // Outside the menu's loop commands arrive as usual.
    PostMessage(target->Handle(), WM_COMMAND, 0, 0);
    driver.Pump();
    EXPECT_EQ(commands, 1);
}

} // namespace
