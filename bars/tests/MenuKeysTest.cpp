// Menu mode from the keyboard: Alt and F10, accelerators, shortcuts sought in order,
// the keys of bars and submenus, and the keys the menus leave to the form's controls.
#include "bars/tests/MenusFixture.h"

#include "bars/BarMenuHooks.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarPopupMenuLinks.h"
#include "bars/BarTooltips.h"

namespace {

using Key = THeadlessDriver;

// One step of a key sequence: down or up.
struct KeyStep {
    WORD vk;
    bool down;
};
KeyStep Down(WORD vk) { return {vk, true}; }
KeyStep Up(WORD vk) { return {vk, false}; }

class MenuKeysTest : public MenusFixture {
protected:
    void Play(const std::vector<KeyStep>& steps)
    {
        for (const KeyStep& s : steps)
            s.down ? driver.KeyDown(s.vk) : driver.KeyUp(s.vk);
    }
};

TEST_F(MenuKeysTest, AltAloneOrF10EntersMenuModeAndAltWithAnotherKeyDoesNot)
{
    struct Case {
        const char* name;
        bool useF10;
        std::vector<KeyStep> steps;
        bool menuMode;
    };
    const std::vector<Case> cases = {
        {"Alt alone", true, {Down(VK_MENU), Up(VK_MENU)}, true},
        {"Alt with a key", true, {Down(VK_MENU), Down('Q'), Up('Q'), Up(VK_MENU)}, false},
        {"Alt with Shift", true, {Down(VK_MENU), Down(VK_SHIFT), Up(VK_SHIFT), Up(VK_MENU)}, false},
        {"F10", true, {Down(VK_F10), Up(VK_F10)}, true},
        {"F10 without UseF10ForMenu", false, {Down(VK_F10), Up(VK_F10)}, false},
        {"Ctrl+F10", true, {Down(VK_CONTROL), Down(VK_F10), Up(VK_F10), Up(VK_CONTROL)}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager->SetUseF10ForMenu(c.useF10);
        Play(c.steps);
        EXPECT_EQ(MenuBar()->InChain(), c.menuMode);
        EXPECT_EQ(SelectedCaption(MenuBar()), c.menuMode ? "&File" : "");
        if (MenuBar()->InChain())
            Tap(VK_ESCAPE);
        EXPECT_FALSE(TzqBarMenuChain::Active());
    }
}

TEST_F(MenuKeysTest, MenuModeTakesEveryKeyAndGivesTheFocusBack)
{
    Play({Down(VK_MENU), Up(VK_MENU)});
    ASSERT_TRUE(MenuBar()->InChain());
    recorder->keys.clear();
    Tap(VK_RIGHT);
    EXPECT_EQ(SelectedCaption(MenuBar()), "&Edit");
    Tap(VK_RIGHT);
    Tap(VK_RIGHT); // cyclic
    EXPECT_EQ(SelectedCaption(MenuBar()), "&File");
    Tap(VK_LEFT);
    EXPECT_EQ(SelectedCaption(MenuBar()), "&View");
    Tap(VK_HOME);
    EXPECT_EQ(SelectedCaption(MenuBar()), "&File");
    Tap(VK_END);
    EXPECT_EQ(SelectedCaption(MenuBar()), "&View");
    driver.PressKey(VK_TAB, Key::Shift);
    EXPECT_EQ(SelectedCaption(MenuBar()), "&Edit");
    EXPECT_TRUE(recorder->keys.empty()) << "no key reached the focused control";
    // Alt leaves menu mode; its release does not enter it again.
    Play({Down(VK_MENU), Up(VK_MENU)});
    EXPECT_FALSE(MenuBar()->InChain());
    EXPECT_EQ(GetFocus(), recorder->Handle());
    // F10 leaves it too, and its release does not come back either.
    Play({Down(VK_F10), Up(VK_F10)});
    ASSERT_TRUE(MenuBar()->InChain());
    Play({Down(VK_F10), Up(VK_F10)});
    EXPECT_FALSE(MenuBar()->InChain());
}

TEST_F(MenuKeysTest, AltLetterOpensTheOnlyMatchAndTwoMatchesAreSelectedInTurn)
{
    Play({Down(VK_MENU), Down('F'), Up('F'), Up(VK_MENU)});
    ASSERT_TRUE(MenuBar()->InChain());
    ASSERT_EQ(OpenMenus().size(), 1u);
    EXPECT_EQ(SelectedCaption(Head()), "&New") << "opened by keyboard: its first link is selected";
    Tap(VK_ESCAPE); // back to the bar, still in menu mode
    EXPECT_TRUE(OpenMenus().empty());
    EXPECT_TRUE(MenuBar()->InChain());
    EXPECT_EQ(SelectedCaption(MenuBar()), "&File");
    Tap(VK_ESCAPE);
    EXPECT_FALSE(TzqBarMenuChain::Active());

    // A second item with the letter E: each press selects the next, none opens.
    auto* extra = Make<TzqBarSubItem>("Extra", "&Extra");
    Link(mainMenu->ItemLinks(), extra);
    driver.Pump();
    Play({Down(VK_MENU), Down('E'), Up('E')});
    EXPECT_EQ(SelectedCaption(MenuBar()), "&Edit");
    Play({Down('E'), Up('E')});
    EXPECT_EQ(SelectedCaption(MenuBar()), "&Extra");
    Play({Down('E'), Up('E'), Up(VK_MENU)});
    EXPECT_EQ(SelectedCaption(MenuBar()), "&Edit");
    EXPECT_TRUE(OpenMenus().empty());
}

TEST_F(MenuKeysTest, AnAltCombinationWithoutAMatchReachesTheFocusedControl)
{
    recorder->keys.clear();
    Play({Down(VK_MENU), Down(VK_DOWN), Up(VK_DOWN), Up(VK_MENU)});
    EXPECT_FALSE(TzqBarMenuChain::Active());
    EXPECT_NE(std::find(recorder->keys.begin(), recorder->keys.end(), VK_DOWN), recorder->keys.end());
    // A matching one is the menu's.
    recorder->keys.clear();
    Play({Down(VK_MENU), Down('V'), Up('V'), Up(VK_MENU)});
    EXPECT_EQ(std::find(recorder->keys.begin(), recorder->keys.end(), WORD('V')), recorder->keys.end());
    EXPECT_EQ(OpenMenus().size(), 1u);
}

TEST_F(MenuKeysTest, KeysInSubmenusMoveOpenCloseAndPassToTheRootBar)
{
    Play({Down(VK_MENU), Down('F'), Up('F'), Up(VK_MENU)});
    TzqBarSubMenuControl* fileMenu = Head();
    ASSERT_NE(fileMenu, nullptr);
    Tap(VK_UP); // cyclic
    EXPECT_EQ(SelectedCaption(fileMenu), "&Save");
    Tap(VK_HOME);
    Tap(VK_DOWN);
    Tap(VK_DOWN);
    EXPECT_EQ(SelectedCaption(fileMenu), "&Recent");
    Tap(VK_RIGHT);
    ASSERT_EQ(OpenMenus().size(), 2u);
    EXPECT_EQ(SelectedCaption(Head()), "&1 One");
    Tap(VK_LEFT); // closes the child, its parent is a menu
    ASSERT_EQ(OpenMenus().size(), 1u);
    EXPECT_EQ(SelectedCaption(Head()), "&Recent");
    Tap(VK_UP); // "Open", not a submenu item: Right goes to the bar
    Tap(VK_RIGHT);
    ASSERT_EQ(OpenMenus().size(), 1u);
    EXPECT_EQ(SelectedCaption(MenuBar()), "&Edit");
    EXPECT_EQ(OpenMenus()[0]->ItemLinks(), edit->ItemLinks());
    Tap(VK_LEFT);
    EXPECT_EQ(SelectedCaption(MenuBar()), "&File");
    ASSERT_EQ(OpenMenus().size(), 1u);
    EXPECT_EQ(OpenMenus()[0]->ItemLinks(), file->ItemLinks());
    // Enter on a command closes everything, then runs it.
    Tap(VK_DOWN);
    Tap(VK_RETURN);
    EXPECT_EQ(clicked, std::vector<std::string>{"Open"});
    EXPECT_FALSE(TzqBarMenuChain::Active());
}

TEST_F(MenuKeysTest, ShortcutsAreSoughtInLinkedPopupsThenTheMainMenuThenOtherBars)
{
    const TShortCut f5 = ShortCut(VK_F5, {});
    TzqBar* tools = Toolbar("Tools", 1);
    auto* onBar = static_cast<TzqBarButton*>(tools->ItemLinks()->Items(0)->Item());
    onBar->SetShortCut(f5);
    onBar->OnClick = [this](TObject*) { clicked.push_back("bar"); };
    Link(view->ItemLinks(), Command("Refresh", "&Refresh", f5));
    auto* popup = new TzqBarPopupMenu(form);
    Link(popup->ItemLinks(), Command("Local", "&Local", f5));
    TzqBarPopupMenuLink* link = manager->PopupMenuLinks()->Add();
    link->SetControl(recorder);
    link->SetPopupMenu(popup);
    bool allow = true;
    link->OnAction = [&](TObject*, int&, int&, bool, bool& AllowPopup) { AllowPopup = allow; };

    Tap(VK_F5);
    EXPECT_EQ(clicked, std::vector<std::string>{"Local"});
    allow = false; // the link vetoes: the main menu's command runs
    Tap(VK_F5);
    EXPECT_EQ(clicked.back(), "Refresh");
    mainMenu->ItemLinks()->Items(2)->Item()->SetEnabled(false);
    Tap(VK_F5);
    EXPECT_EQ(clicked.back(), "bar");
    EXPECT_EQ(clicked.size(), 3u);
    // Ctrl+N: the value with the Ctrl bit.
    driver.PressKey('N', Key::Ctrl);
    EXPECT_EQ(clicked.back(), "New");
}

TEST_F(MenuKeysTest, ShiftF10AndTheContextKeyOpenTheFocusedControlsLinkedPopup)
{
    auto* popup = new TzqBarPopupMenu(form);
    Link(popup->ItemLinks(), Command("Local", "&Local"));
    TzqBarPopupMenuLink* link = manager->PopupMenuLinks()->Add();
    link->SetControl(recorder);
    link->SetPopupMenu(popup);
    int opened = 0;
    popup->OnPopup = [&](TObject*) { ++opened; };

    // Each opening runs the menu's loop: the next step closes it from inside.
    driver.Backend().PushIdleAction([&] {
        EXPECT_TRUE(popup->MenuOpen());
        driver.PressKey(VK_ESCAPE);
    });
    driver.PressKey(VK_F10, Key::Shift);
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(popup->MenuOpen());

    driver.Backend().PushIdleAction([&] {
        EXPECT_TRUE(popup->MenuOpen());
        driver.PressKey(VK_DOWN);
        driver.PressKey(VK_RETURN);
    });
    driver.KeyDown(VK_APPS);
    EXPECT_EQ(opened, 1) << "the context key opens on its release";
    driver.KeyUp(VK_APPS);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(clicked, std::vector<std::string>{"Local"});
}

TEST_F(MenuKeysTest, AlongAVerticalBarTheArrowsTurn)
{
    TzqBar* side = AddBar("Side");
    auto* tools = Make<TzqBarSubItem>("SideTools", "&Tools");
    auto* more = Make<TzqBarSubItem>("SideMore", "&More");
    Link(side->ItemLinks(), tools);
    Link(side->ItemLinks(), more);
    Link(tools->ItemLinks(), Command("Ruler", "&Ruler"));
    Link(more->ItemLinks(), Command("Grid", "&Grid"));
    side->SetDockingStyle(TzqBarDockingStyle::dsLeft);
    side->SetVisible(true);
    driver.Pump();
    TzqBarControl* window = Window(side);
    ASSERT_TRUE(window->Vertical());
    window->ActivateKeyboard(nullptr);
    ASSERT_EQ(SelectedCaption(window), "&Tools");
    Tap(VK_DOWN); // along the bar: the next item
    EXPECT_EQ(SelectedCaption(window), "&More");
    Tap(VK_UP);
    EXPECT_EQ(SelectedCaption(window), "&Tools");
    Tap(VK_RIGHT); // across the bar: opens the menu, beside the item
    ASSERT_EQ(OpenMenus().size(), 1u);
    const TRect item = window->ItemControls(0)->Rect();
    EXPECT_EQ(Head()->BoundsRect().Left, window->ClientToScreen(TPoint{item.Right, 0}).X);
    EXPECT_EQ(Head()->BoundsRect().Top, window->ClientToScreen(TPoint{0, item.Top}).Y);
    Tap(VK_LEFT); // from a menu of a vertical bar, Left closes it
    EXPECT_TRUE(OpenMenus().empty());
    EXPECT_TRUE(window->InChain());
    Tap(VK_ESCAPE);
    EXPECT_FALSE(TzqBarMenuChain::Active());
}

TEST_F(MenuKeysTest, F1AndTheApplicationGoingToTheBackgroundCloseTheMenus)
{
    driver.PressKey('F', Key::Alt);
    ASSERT_EQ(OpenMenus().size(), 1u);
    Tap(VK_F1);
    EXPECT_FALSE(TzqBarMenuChain::Active());

    driver.PressKey('F', Key::Alt);
    ASSERT_EQ(OpenMenus().size(), 1u);
    SendMessage(form->Handle(), WM_ACTIVATEAPP, 0, 0);
    EXPECT_FALSE(TzqBarMenuChain::Active());
    EXPECT_EQ(manager->SelectedLink(), nullptr);
}

TEST_F(MenuKeysTest, OnlyMenusOpenedByAMousePressAreToBeAnimated)
{
    manager->SetMenuAnimations(TzqBarMenuAnimations::maUnfold);
    driver.PressKey('F', Key::Alt);
    ASSERT_NE(Head(), nullptr);
    EXPECT_FALSE(Head()->Animate());
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    driver.Click(Middle(MenuBar(), 0));
    ASSERT_NE(Head(), nullptr);
    EXPECT_TRUE(Head()->Animate());
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    manager->SetMenuAnimations(TzqBarMenuAnimations::maNone);
    driver.Click(Middle(MenuBar(), 0));
    ASSERT_NE(Head(), nullptr);
    EXPECT_FALSE(Head()->Animate());
}

TEST_F(MenuKeysTest, ThePressOnTheDetachBarFloatsTheNamedBarWithTheMenusLinks)
{
    TzqBar* floating = AddBar("Edit Bar");
    edit->SetDetachable(true);
    edit->SetDetachingBar(manager->Bars()->Count() - 1);
    int detached = 0;
    edit->OnDetaching = [&](TObject*) { ++detached; };
    driver.Click(Middle(MenuBar(), 1));
    TzqBarSubMenuControl* menu = Head();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->Detachable());
    const TRect strip = menu->DetachRect();
    EXPECT_EQ(strip.Height(), menu->Metrics().DetachBarHeight);
    EXPECT_EQ(menu->ItemControls(0)->Rect().Top, strip.Bottom);
    const TPoint on = menu->ClientToScreen(TPoint{strip.Left + 10, strip.Top + strip.Height() / 2});
    driver.MoveTo(on);
    driver.AdvanceTime(1000);
    EXPECT_EQ(manager->Tooltips()->Text(), "Drag to make this menu float");
    driver.Click(on);
    EXPECT_FALSE(TzqBarMenuChain::Active());
    EXPECT_EQ(detached, 1);
    EXPECT_TRUE(floating->Visible());
    EXPECT_EQ(floating->DockingStyle(), TzqBarDockingStyle::dsNone);
    EXPECT_EQ(Displayed(floating->ItemLinks()), (std::vector<std::string>{"Cu&t", "&Copy"}));
}

TEST_F(MenuKeysTest, AnotherFormUsesTheMainFormsManagerOnlyWhenItAllowsIt)
{
    app->AddForm(form); // the main form
    auto* tool = new TForm(app.get());
    app->AddForm(tool);
    tool->SetBounds(500, 100, 200, 150);
    tool->Show();
    SetActiveWindow(tool->Handle());
    driver.Pump();
    ASSERT_EQ(app->MainForm(), form);

    driver.PressKey('N', Key::Ctrl);
    EXPECT_TRUE(clicked.empty());
    manager->SetAllowCallFromAnotherForm(true);
    driver.PressKey('N', Key::Ctrl);
    EXPECT_EQ(clicked, std::vector<std::string>{"New"});
    // Not while the main form is disabled (a modal dialog runs).
    form->SetEnabled(false);
    driver.PressKey('N', Key::Ctrl);
    EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(MenuKeysTest, ARepeatingKeyCountsOnceAndEscFirstLetsGoOfTheMouse)
{
    driver.PressKey('F', Key::Alt);
    TzqBarSubMenuControl* menu = Head();
    ASSERT_NE(menu, nullptr);
    driver.KeyDown(VK_DOWN);
    driver.KeyDown(VK_DOWN); // held: the keyboard repeats it
    driver.KeyDown(VK_DOWN);
    EXPECT_EQ(SelectedCaption(menu), "&Open");
    driver.KeyUp(VK_DOWN);
    Tap(VK_DOWN);
    EXPECT_EQ(SelectedCaption(menu), "&Recent");

    // A press held on an item: Esc releases the mouse and leaves the menu open.
    driver.Press(Middle(menu, IndexOf(menu, "&Save")));
    ASSERT_EQ(GetCapture(), menu->Handle());
    Tap(VK_ESCAPE);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Head(), menu);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(OpenMenus().empty());
    EXPECT_TRUE(clicked.empty());
}

} // namespace
