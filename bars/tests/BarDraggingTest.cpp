// Dragging bars: between sites and rows, floating and docking again after a rest, with
// Ctrl held, ended by Esc, and a bar that goes while it is dragged.
#include "bars/tests/BarWindowsFixture.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/InputInjection.h"

namespace {

class BarDraggingTest : public BarWindowsFixture {
protected:
    // A floating toolbar with its window's top-left corner at a screen point.
    TzqBar* FloatingToolbar(const std::string& caption, int count, TPoint at)
    {
        TzqBar* bar = AddBar(caption);
        for (int i = 0; i < count; ++i)
            Link(bar->ItemLinks(), GlyphButton(caption + std::to_string(i)));
        bar->SetFloatLeft(at.X);
        bar->SetFloatTop(at.Y);
        bar->SetVisible(true);
        return bar;
    }
    // Queues steps the drag loop takes one per wait.
    void Step(std::function<void()> action) { driver.Backend().PushIdleAction(std::move(action)); }
    void StepMove(TPoint p)
    {
        Step([p] { RawInput::MouseMove(p); });
    }
    void StepRelease(TPoint p)
    {
        Step([p] { RawInput::MouseButton(p, TMouseButton::mbLeft, false); });
    }
    TPoint FormClientToScreen(int x, int y) { return form->ClientToScreen(TPoint{x, y}); }
};

TEST_F(BarDraggingTest, ADockedBarDraggedToTheFormsLeftEdgeDocksInTheEmptyLeftSite)
{
    TzqBar* bar = Toolbar("Tools", 4, TzqBarDockingStyle::dsTop);
    TzqDockControl* left = Site(TzqBarDockingStyle::dsLeft);
    ASSERT_EQ(left->Width(), 0);
    driver.Drag(Handle(Window(bar)), FormClientToScreen(4, 200), 6);
    EXPECT_EQ(bar->DockingStyle(), TzqBarDockingStyle::dsLeft);
    ASSERT_NE(Window(bar), nullptr);
    EXPECT_EQ(Window(bar)->DockSite(), left);
    EXPECT_TRUE(Window(bar)->Vertical());
    // A vertical bar: the buttons stack, the site is as wide as the row.
    EXPECT_EQ(left->Width(), 22 + 4);
    EXPECT_EQ(Window(bar)->Height(), 4 * 23 + 10 + 11);
    EXPECT_EQ(Site(TzqBarDockingStyle::dsTop)->Height(), 0);
    EXPECT_FALSE(Window(bar)->Moving());
}

TEST_F(BarDraggingTest, DraggingADockedBarOutOfEverySiteFloatsItUnderTheCursor)
{
    TzqBar* bar = Toolbar("Tools", 4, TzqBarDockingStyle::dsTop);
    const TPoint from = Handle(Window(bar));
    const TPoint grab{from.X - OnScreen(Window(bar)).Left, from.Y - OnScreen(Window(bar)).Top};
    const TPoint to = FormClientToScreen(300, 200);
    driver.Drag(from, to, 4);
    ASSERT_EQ(bar->DockingStyle(), TzqBarDockingStyle::dsNone);
    TzqBarControl* window = Window(bar);
    EXPECT_TRUE(window->Floating());
    EXPECT_TRUE(window->Visible());
    // The grab offset is kept as far as the floating window allows.
    EXPECT_EQ(window->Left(), to.X - std::min(grab.X, window->Width() - 1));
    EXPECT_EQ(bar->FloatLeft(), window->Left());
    EXPECT_EQ(bar->FloatTop(), window->Top());
}

TEST_F(BarDraggingTest, AFloatingBarDocksOnlyAfterRestingForTheWaitingTime)
{
    ASSERT_EQ(manager->WaitForDockingTime(), 21);
    TzqBar* bar = FloatingToolbar("Tools", 3, FormClientToScreen(200, 200));
    const TPoint from = Handle(Window(bar));
    const TPoint overTop = FormClientToScreen(250, 5);
    std::vector<TzqBarDockingStyle> seen;
    auto look = [&] { Step([&] { seen.push_back(bar->DockingStyle()); }); };
    StepMove(overTop);
    look();
    Step([&] { driver.AdvanceTime(15); });
    StepMove({overTop.X + 2, overTop.Y}); // a move starts the wait again
    Step([&] { driver.AdvanceTime(15); });
    look();
    Step([&] { driver.AdvanceTime(10); });
    look();
    StepRelease({overTop.X + 2, overTop.Y});
    driver.Press(from);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], TzqBarDockingStyle::dsNone);
    EXPECT_EQ(seen[1], TzqBarDockingStyle::dsNone);
    EXPECT_EQ(seen[2], TzqBarDockingStyle::dsTop);
    EXPECT_EQ(Window(bar)->DockSite(), Site(TzqBarDockingStyle::dsTop));
}

TEST_F(BarDraggingTest, WithCtrlHeldAFloatingBarNeverDocks)
{
    TzqBar* bar = FloatingToolbar("Tools", 3, FormClientToScreen(200, 200));
    const TPoint from = Handle(Window(bar));
    const TPoint overTop = FormClientToScreen(250, 5);
    Step([] { RawInput::Key(VK_CONTROL, true); });
    StepMove(overTop);
    Step([&] { driver.AdvanceTime(500); });
    StepMove({overTop.X + 3, overTop.Y + 1});
    Step([&] { driver.AdvanceTime(500); });
    StepRelease(overTop);
    driver.Press(from);
    driver.KeyUp(VK_CONTROL);
    EXPECT_EQ(bar->DockingStyle(), TzqBarDockingStyle::dsNone);
    EXPECT_EQ(Window(bar)->Left(), overTop.X + 3 - (from.X - 200 - form->ClientOrigin().X));
}

TEST_F(BarDraggingTest, EscEndsTheDragWithTheBarWhereItWasLastPlaced)
{
    TzqBar* bar = Toolbar("Tools", 3, TzqBarDockingStyle::dsTop);
    const TPoint from = Handle(Window(bar));
    const TPoint out = FormClientToScreen(300, 220);
    StepMove(out);
    Step([] { RawInput::Key(VK_ESCAPE, true); });
    StepMove(FormClientToScreen(10, 5)); // after the loop: an ordinary move
    StepRelease(FormClientToScreen(10, 5));
    driver.Press(from);
    driver.Pump();
    EXPECT_EQ(bar->DockingStyle(), TzqBarDockingStyle::dsNone);
    EXPECT_FALSE(Window(bar)->Moving());
    EXPECT_LE(Window(bar)->Left(), out.X);
    EXPECT_GT(Window(bar)->Left() + Window(bar)->Width(), out.X);
}

TEST_F(BarDraggingTest, ABarDestroyedDuringItsOwnDragEndsTheLoopCleanly)
{
    TzqBar* bar = Toolbar("Tools", 3, TzqBarDockingStyle::dsTop);
    TzqBar* other = Toolbar("Other", 3, TzqBarDockingStyle::dsTop, 1);
    const TPoint from = Handle(Window(bar));
    StepMove(FormClientToScreen(200, 8));
    Step([&] { delete bar; });
    StepMove(FormClientToScreen(250, 200));
    StepRelease(FormClientToScreen(250, 200));
    driver.Press(from);
    driver.Pump();
    EXPECT_EQ(manager->Bars()->Count(), 1);
    EXPECT_EQ(Site(TzqBarDockingStyle::dsTop)->RowCount(), 1);
    EXPECT_EQ(Window(other)->Top(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(BarDraggingTest, MovingAlongItsRowKeepsTheBarInItAndRefreshesTheDockedPosition)
{
    TzqBar* first = Toolbar("First", 3, TzqBarDockingStyle::dsTop, 0, 0);
    TzqBar* second = Toolbar("Second", 3, TzqBarDockingStyle::dsTop, 1, 0);
    const TPoint from = Handle(Window(second));
    // Across by a few pixels only and along by 250: same row, moved along it.
    driver.Drag(from, {from.X + 250, from.Y + 4}, 5);
    TzqDockControl* site = Site(TzqBarDockingStyle::dsTop);
    EXPECT_EQ(site->RowCount(), 2);
    int row = -1, col = -1;
    ASSERT_TRUE(site->Find(Window(second), row, col));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(Window(second)->Left(), 250);
    EXPECT_EQ(second->DockedLeft(), 250);
    EXPECT_EQ(second->Row(), 1);
    EXPECT_EQ(Window(first)->Left(), 0);
}

} // namespace

namespace {

TEST_F(BarDraggingTest, AQuitDuringADragEndsItAndStaysForTheLoopOutside)
{
    TzqBar* bar = Toolbar("Tools", 3, TzqBarDockingStyle::dsTop);
    const TPoint from = Handle(Window(bar));
    StepMove(FormClientToScreen(300, 220));
    Step([] { PostQuitMessage(7); });
    driver.Press(from);
    EXPECT_FALSE(Window(bar)->Moving());
    EXPECT_NE(GetCapture(), Window(bar)->Handle());
    MSG msg;
    ASSERT_TRUE(PeekMessage(msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    driver.Release(FormClientToScreen(300, 220));
}

TEST_F(BarDraggingTest, DraggingTheRightEdgeOfAFloatingBarRewrapsItsButtons)
{
    TzqBar* bar = FloatingToolbar("Tools", 6, FormClientToScreen(100, 100));
    TzqBarControl* window = Window(bar);
    ASSERT_EQ(window->ClientRect().Width(), 6 * 23);
    const TRect r = OnScreen(window);
    const TPoint edge{r.Right - 2, r.Top + r.Height() / 2};
    ASSERT_EQ(window->HitTest(edge), HTRIGHT);
    driver.Drag(edge, {edge.X - 60, edge.Y}, 3);
    // 78 pixels asked for: three buttons a line, two lines, the client as wide as a line.
    EXPECT_EQ(bar->FloatClientWidth(), 6 * 23 - 60);
    EXPECT_EQ(window->ClientRect().Width(), 3 * 23);
    EXPECT_EQ(window->ItemControls(3)->Rect().Left, 0);
    EXPECT_GT(window->ItemControls(3)->Rect().Top, 0);
    EXPECT_EQ(OnScreen(window).Left, r.Left);
}

} // namespace
