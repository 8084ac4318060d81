// The mouse on bar windows: hot tracking, checked and split buttons, tooltips, and
// floating bars following the form's activation.
#include "bars/tests/BarWindowsFixture.h"
#include "bars/BarButtonControl.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarTooltips.h"
#include "bars/BarWindowHooks.h"
#include "platform/controls/Action.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/ShortCuts.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/InputInjection.h"

namespace {

class BarInteractionTest : public BarWindowsFixture {
protected:
    // The screen point in the middle of a link's control.
    TPoint Middle(TzqBar* bar, int index)
    {
        TzqBarControl* window = Window(bar);
        const TRect r = window->ItemControls(index)->Rect();
        return window->ClientToScreen(TPoint{r.Left + r.Width() / 2, r.Top + r.Height() / 2});
    }
    TPoint Outside() { return form->ClientToScreen(TPoint{300, 250}); }
};

TEST_F(BarInteractionTest, HotTrackingFollowsTheMouseOnlyWhileTheApplicationIsActive)
{
    TzqBar* bar = Toolbar("Tools", 3);
    TzqBarControl* window = Window(bar);
    driver.MoveTo(Middle(bar, 1));
    EXPECT_EQ(window->SelectedControl(), window->ItemControls(1));
    EXPECT_TRUE(window->ItemControls(1)->Hot());
    driver.MoveTo(Middle(bar, 2));
    EXPECT_FALSE(window->ItemControls(1)->Hot());
    EXPECT_TRUE(window->ItemControls(2)->Hot());
    // Leaving the bar clears the selection.
    driver.MoveTo(Outside());
    EXPECT_EQ(window->SelectedControl(), nullptr);

    RawInput::NativeActivated(form->Handle(), false);
    driver.Pump();
    driver.MoveTo(Middle(bar, 0));
    EXPECT_EQ(window->SelectedControl(), nullptr);
    EXPECT_FALSE(window->ItemControls(0)->Hot());
}

TEST_F(BarInteractionTest, AClickRunsTheItemAndACheckedButtonTogglesDown)
{
    TzqBar* bar = Toolbar("Tools", 2);
    auto* check = static_cast<TzqBarButton*>(bar->ItemLinks()->Items(0)->Item());
    check->SetButtonStyle(TzqBarButtonStyle::bsChecked);
    int clicks = 0;
    check->OnClick = [&](TObject*) { ++clicks; };
    driver.Click(Middle(bar, 0));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(check->Down());
    driver.Click(Middle(bar, 0));
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(check->Down());
    // Released elsewhere: no click.
    driver.Press(Middle(bar, 0));
    driver.MoveTo(Outside());
    driver.Release(Outside());
    EXPECT_EQ(clicks, 2);
}

TEST_F(BarInteractionTest, TheArrowOfASplitButtonOpensItsMenuInsteadOfClicking)
{
    TzqBar* bar = Toolbar("Tools", 1);
    auto* split = static_cast<TzqBarButton*>(bar->ItemLinks()->Items(0)->Item());
    auto* menu = new TzqBarPopupMenu(form);
    menu->SetBarManager(manager);
    split->SetButtonStyle(TzqBarButtonStyle::bsDropDown);
    split->SetDropDownMenu(menu);
    int clicks = 0, popups = 0;
    TPoint openedAt;
    split->OnClick = [&](TObject*) { ++clicks; };
    menu->OnPopup = [&](TObject*) {
        ++popups;
        openedAt = menu->PopupPoint();
    };
    TzqBarControl* window = Window(bar);
    auto* control = static_cast<TzqBarButtonControl*>(window->ItemControls(0));
    const TRect arrow = control->ArrowRect();
    EXPECT_EQ(arrow.Width(), manager->ArrowWidth());
    driver.Click(window->ClientToScreen(TPoint{arrow.Left + 2, arrow.Top + 5}));
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(clicks, 0);
    const TRect r = control->Rect();
    EXPECT_EQ(openedAt, window->ClientToScreen(TPoint{r.Left, r.Bottom}));
    driver.Click(window->ClientToScreen(TPoint{r.Left + 3, r.Top + 5}));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(popups, 1);
}

TEST_F(BarInteractionTest, TooltipsWaitASecondComeAtOnceAfterOneAndHideAfterTenSeconds)
{
    manager->SetShowShortCutInHint(true);
    TzqBar* bar = Toolbar("Tools", 3);
    TzqBarItem* open = bar->ItemLinks()->Items(0)->Item();
    open->SetHint("Open a chart|Opens a chart from a file");
    open->SetShortCut(ShortCut('O', {TShiftStateFlag::ssCtrl}));
    bar->ItemLinks()->Items(1)->Item()->SetHint("Save");
    bar->ItemLinks()->Items(2)->Item()->SetHint("");
    TzqBarTooltips* tips = manager->Tooltips();

    const TPoint onOpen = Middle(bar, 0);
    driver.MoveTo(onOpen);
    driver.AdvanceTime(999);
    EXPECT_FALSE(tips->Visible());
    driver.AdvanceTime(1);
    ASSERT_TRUE(tips->Visible());
    EXPECT_EQ(tips->Text(), "Open a chart (" + ShortCutToText(open->ShortCut()) + ")");
    const TRect shown = tips->Window()->BoundsRect();
    EXPECT_EQ(shown.Top, onOpen.Y + TzqBarTooltips::kCursorOffset);
    EXPECT_EQ(shown.Left, onOpen.X);

    // Another item while one shows: at once.
    driver.MoveTo(Middle(bar, 1));
    EXPECT_TRUE(tips->Visible());
    EXPECT_EQ(tips->Text(), "Save");
    driver.AdvanceTime(9999);
    EXPECT_TRUE(tips->Visible());
    driver.AdvanceTime(1);
    EXPECT_FALSE(tips->Visible());

    // Within 400 ms of the last one hiding, the next comes at once; later it waits again.
    driver.AdvanceTime(399);
    driver.MoveTo(onOpen);
    EXPECT_TRUE(tips->Visible());
    // A click hides it.
    driver.Click(onOpen);
    EXPECT_FALSE(tips->Visible());
    driver.MoveTo(Outside());
    driver.AdvanceTime(401);
    driver.MoveTo(Middle(bar, 1));
    EXPECT_FALSE(tips->Visible());
    driver.AdvanceTime(1000);
    EXPECT_TRUE(tips->Visible());

    // Nothing for an item without a hint, nor while the manager's hints are off.
    driver.MoveTo(Middle(bar, 2));
    EXPECT_FALSE(tips->Visible());
    manager->SetShowHint(false);
    driver.MoveTo(onOpen);
    driver.AdvanceTime(2000);
    EXPECT_FALSE(tips->Visible());
}

TEST_F(BarInteractionTest, ADisabledItemShowsItsTooltipOnlyWhenTheManagerSaysSo)
{
    TzqBar* bar = Toolbar("Tools", 2);
    TzqBarItem* item = bar->ItemLinks()->Items(0)->Item();
    item->SetHint("Print");
    item->SetEnabled(false);
    driver.MoveTo(Middle(bar, 0));
    driver.AdvanceTime(1000);
    EXPECT_EQ(manager->Tooltips()->Text(), "Print");
    driver.MoveTo(Outside());
    manager->SetShowHintForDisabledItems(false);
    driver.AdvanceTime(1000);
    driver.MoveTo(Middle(bar, 0));
    driver.AdvanceTime(1000);
    EXPECT_FALSE(manager->Tooltips()->Visible());
}

TEST_F(BarInteractionTest, ABoundActionMayChangeOrRefuseTheTooltip)
{
    TzqBar* bar = Toolbar("Tools", 1);
    TzqBarItem* item = bar->ItemLinks()->Items(0)->Item();
    auto* action = new TAction(form);
    action->SetHint("Print the chart");
    item->SetAction(action);
    bool refuse = false;
    action->OnHint = [&](std::string& text, bool& canShow) {
        text += "!";
        canShow = !refuse;
    };
    driver.MoveTo(Middle(bar, 0));
    driver.AdvanceTime(1000);
    EXPECT_EQ(manager->Tooltips()->Text(), "Print the chart!");
    driver.MoveTo(Outside());
    driver.AdvanceTime(1000);
    refuse = true;
    driver.MoveTo(Middle(bar, 0));
    driver.AdvanceTime(1000);
    EXPECT_FALSE(manager->Tooltips()->Visible());
}

TEST_F(BarInteractionTest, FloatingBarsHideWhileTheFormIsInactiveAndComeBackWithoutTheActivation)
{
    TzqBar* bar = Toolbar("Tools", 3, TzqBarDockingStyle::dsNone);
    TzqBarControl* window = Window(bar);
    ASSERT_TRUE(window->Floating());
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_TRUE(GetWindowLong(window->Handle(), GWL_EXSTYLE) & WS_EX_NOACTIVATE);

    RawInput::NativeActivated(form->Handle(), false);
    driver.Pump();
    EXPECT_FALSE(IsWindowVisible(window->Handle()));

    RawInput::NativeActivated(form->Handle(), true);
    driver.Pump();
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(GetActiveWindow(), form->Handle());

    // Clicking the floating bar leaves the form active.
    const TRect r = OnScreen(window);
    driver.Click({r.Left + window->ClientRect().Width() - 3, r.Bottom - 6});
    EXPECT_EQ(GetActiveWindow(), form->Handle());

    // Kept while inactive when the manager does not hide them.
    manager->SetHideFloatingBarsWhenInactive(false);
    RawInput::NativeActivated(form->Handle(), false);
    driver.Pump();
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
}

TEST_F(BarInteractionTest, AFloatingBarWhoseTitleWouldBeOffEveryMonitorIsBroughtBack)
{
    TzqBar* bar = AddBar("Lost");
    Link(bar->ItemLinks(), GlyphButton("Lost0"));
    bar->SetFloatLeft(5000);
    bar->SetFloatTop(-3000);
    bar->SetVisible(true);
    const TRect r = OnScreen(Window(bar));
    const TRect area = MonitorWorkAreaAt({5000, -3000});
    EXPECT_TRUE(area.Contains(r.TopLeft()));
    EXPECT_LE(r.Right, area.Right);
}

TEST_F(BarInteractionTest, RightClicksAndSiteDoubleClicksGoToTheManagersHooks)
{
    TzqBar* bar = Toolbar("Tools", 2);
    TzqBarWindowHooks* hooks = manager->WindowHooks();
    std::vector<TCustomzqBarControl*> menus;
    std::vector<TPoint> menuPoints;
    int doubleClicks = 0;
    hooks->OnContextMenu = [&](TCustomzqBarControl* control, TPoint at) {
        menus.push_back(control);
        menuPoints.push_back(at);
    };
    hooks->OnSiteDblClick = [&](TzqDockControl*) { ++doubleClicks; };
    const TPoint onBar = Middle(bar, 1);
    driver.Click(onBar, TMouseButton::mbRight);
    // The empty part of the top site, right of the bar.
    TzqDockControl* top = Site(TzqBarDockingStyle::dsTop);
    const TPoint onSite = top->ClientToScreen(TPoint{top->ClientWidth() - 5, 5});
    driver.Click(onSite, TMouseButton::mbRight);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0], Window(bar));
    EXPECT_EQ(menuPoints[0], onBar);
    EXPECT_EQ(menus[1], nullptr);
    EXPECT_EQ(menuPoints[1], onSite);

    driver.DoubleClick(onSite);
    EXPECT_EQ(doubleClicks, 1);
    manager->SetCanCustomize(false);
    driver.DoubleClick(onSite);
    EXPECT_EQ(doubleClicks, 1);
    // Not while customizing.
    manager->SetCustomizing(true);
    driver.Click(onSite, TMouseButton::mbRight);
    EXPECT_EQ(menus.size(), 2u);
}

} // namespace
