// How a bar window sizes its buttons, frames itself, fits one line (a personalized bar
// dropping its least recently used buttons) and wraps several lines at group starts.
#include "bars/tests/BarWindowsFixture.h"
#include "bars/BarEdit.h"
#include "platform/controls/Form.h"
#include "platform/controls/TextMeasure.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/SystemMetrics.h"

namespace {

class BarLayoutTest : public BarWindowsFixture {
protected:
    // A one-link bar docked on a side, its button made by `setup`.
    TzqBarItemControl* Single(TzqBarDockingStyle side, const std::function<TzqBarItem*()>& setup,
                              bool rotate = true)
    {
        TzqBar* bar = AddBar("Bar" + std::to_string(manager->Bars()->Count()));
        bar->SetRotateWhenVertical(rotate);
        Link(bar->ItemLinks(), setup());
        bar->SetDockingStyle(side);
        bar->SetVisible(true);
        TzqBarControl* window = Window(bar);
        return window && window->ItemControlCount() == 1 ? window->ItemControls(0) : nullptr;
    }
    TSize Text(const std::string& s) { return MeasureText(*manager->Bars()->Items(0)->Font(), s); }
};

TEST_F(BarLayoutTest, ButtonSizesFollowThePaintStyleLoweringAndTheDropDownArrow)
{
    const int arrow = manager->ArrowWidth();
    int made = 0;
    auto glyph = [&](std::function<void(TzqBarButton*)> more) {
        return [&, more] {
            TzqBarButton* b = GlyphButton("g" + std::to_string(made++));
            more(b);
            return static_cast<TzqBarItem*>(b);
        };
    };
    auto plain = [&](std::function<void(TzqBarButton*)> more) {
        return [&, more] {
            TzqBarButton* b = Make("p" + std::to_string(made++), "Open");
            more(b);
            return static_cast<TzqBarItem*>(b);
        };
    };
    auto none = [](TzqBarButton*) {};
    const int captionHeight = std::max(FontLineHeight(*manager->Font()), 22);
    const int captionWidth = MeasureText(*manager->Font(), "Open").cx;
    const int points = manager->Font()->Size();
    struct Case {
        const char* what;
        std::function<TzqBarItem*()> make;
        int width;
        int height;
    };
    const Case cases[] = {
        {"glyph", glyph(none), 23, 22},
        {"no glyph: caption", plain(none), captionWidth + points, captionHeight},
        {"caption in menu: glyph only",
         glyph([](TzqBarButton* b) { b->SetPaintStyle(TzqBarPaintStyle::psCaptionInMenu); }), 23, 22},
        {"caption and glyph", glyph([](TzqBarButton* b) {
             b->SetCaption("Open");
             b->SetPaintStyle(TzqBarPaintStyle::psCaptionGlyph);
         }),
         captionWidth + 23 + 4, captionHeight},
        {"lowered", glyph([](TzqBarButton* b) { b->SetLowered(true); }), 25, 24},
        {"drop-down", glyph([](TzqBarButton* b) { b->SetButtonStyle(TzqBarButtonStyle::bsDropDown); }),
         23 + arrow, 22},
        {"lowered drop-down caption", plain([](TzqBarButton* b) {
             b->SetLowered(true);
             b->SetButtonStyle(TzqBarButtonStyle::bsDropDown);
         }),
         captionWidth + points + 2 + arrow, captionHeight + 2},
    };
    for (const Case& c : cases) {
        TzqBarItemControl* control = Single(TzqBarDockingStyle::dsTop, c.make);
        ASSERT_NE(control, nullptr) << c.what;
        EXPECT_EQ(control->Rect().Width(), c.width) << c.what;
        EXPECT_EQ(control->Rect().Height(), c.height) << c.what;
    }
}

TEST_F(BarLayoutTest, CaptionsTurnInVerticalBarsOnlyWhenTheBarRotatesThem)
{
    const int captionWidth = MeasureText(*manager->Font(), "Open").cx + manager->Font()->Size();
    const int captionHeight = FontLineHeight(*manager->Font());
    auto open = [&] { return static_cast<TzqBarItem*>(Make("open" + std::to_string(manager->ItemCount()), "Open")); };
    TzqBarItemControl* turned = Single(TzqBarDockingStyle::dsLeft, open, true);
    ASSERT_NE(turned, nullptr);
    EXPECT_EQ(turned->Rect().Height(), captionWidth);
    EXPECT_EQ(turned->Rect().Width(), std::max(captionHeight, 23));
    TzqBarItemControl* kept = Single(TzqBarDockingStyle::dsRight, open, false);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->Rect().Width(), captionWidth);
    EXPECT_EQ(kept->Rect().Height(), std::max(captionHeight, 22));
    // A glyph button is square-ish either way: 23 along the bar, 22 across.
    TzqBarItemControl* glyph = Single(TzqBarDockingStyle::dsLeft, [&] { return GlyphButton("gv"); });
    EXPECT_EQ(glyph->Rect().Height(), 23);
    EXPECT_EQ(glyph->Rect().Width(), 22);
}

TEST_F(BarLayoutTest, AnEditIsAsLongAsItsWidth)
{
    auto* edit = new TzqBarEdit(form);
    edit->SetName("Find");
    edit->SetWidth(5);
    EXPECT_EQ(edit->Width(), 20);
    edit->SetWidth(120);
    TzqBarItemControl* control = Single(TzqBarDockingStyle::dsTop, [&] { return edit; });
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Rect().Width(), 120);
}

TEST_F(BarLayoutTest, FramesOfDockedAndFloatingBarsInEachStyle)
{
    TzqBar* bar = Toolbar("Tools", 2, TzqBarDockingStyle::dsTop);
    const int cx = GetSystemMetrics(SM_CXFRAME), cy = GetSystemMetrics(SM_CYFRAME);
    const int caption = GetSystemMetrics(SM_CYSMCAPTION);
    struct Case {
        TzqBarManagerStyle style;
        TzqBarDockingStyle side;
        TRect margins;
    };
    const Case cases[] = {
        {TzqBarManagerStyle::bmsStandard, TzqBarDockingStyle::dsTop, TRect(2 + 9, 2, 2, 2)},
        {TzqBarManagerStyle::bmsEnhanced, TzqBarDockingStyle::dsTop, TRect(2 + 6, 2, 2, 2)},
        {TzqBarManagerStyle::bmsFlat, TzqBarDockingStyle::dsLeft, TRect(2, 2 + 6, 2, 2)},
        {TzqBarManagerStyle::bmsStandard, TzqBarDockingStyle::dsNone, TRect(cx + 4, cy + caption + 2, cx + 4, cy + 1)},
        {TzqBarManagerStyle::bmsEnhanced, TzqBarDockingStyle::dsNone, TRect(cx + 4, cy + caption + 2, cx + 4, cy + 1)},
        {TzqBarManagerStyle::bmsFlat, TzqBarDockingStyle::dsNone, TRect(cx, cy + caption, cx, cy)},
    };
    for (const Case& c : cases) {
        manager->SetStyle(c.style);
        bar->SetDockingStyle(c.side);
        ASSERT_NE(Window(bar), nullptr);
        EXPECT_EQ(Window(bar)->FrameMargins(), c.margins) << int(c.style) << " " << int(c.side);
        // The client area is what the frame leaves.
        const TRect client = Window(bar)->ClientRect();
        EXPECT_EQ(client.Width(), Window(bar)->Width() - c.margins.Left - c.margins.Right);
        EXPECT_EQ(client.Height(), Window(bar)->Height() - c.margins.Top - c.margins.Bottom);
    }
}

TEST_F(BarLayoutTest, ABorderlessBottomBarHasASizeGripOnlyInTheFormsCornerWhenNotMaximized)
{
    TzqBar* bar = Toolbar("Status", 2, TzqBarDockingStyle::dsBottom);
    bar->SetBorderStyle(TzqBarBorderStyle::bbsNone);
    bar->SetUseRestSpace(true); // reaches the row's end
    TzqDockControl* site = Site(TzqBarDockingStyle::dsBottom);
    site->UpdateDock();
    const int grip = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_TRUE(Window(bar)->HasSizeGrip());
    EXPECT_EQ(Window(bar)->FrameMargins(), TRect(0, 2, grip, 0));
    const TRect r = OnScreen(Window(bar));
    EXPECT_EQ(Window(bar)->HitTest({r.Right - 2, r.Bottom - 2}), HTBOTTOMRIGHT);

    bar->SetUseRestSpace(false); // short of the corner
    site->UpdateDock();
    EXPECT_FALSE(Window(bar)->HasSizeGrip());
    EXPECT_EQ(Window(bar)->FrameMargins(), TRect(0, 2, 0, 0));

    bar->SetUseRestSpace(true);
    form->SetWindowState(TWindowState::wsMaximized);
    site->UpdateDock();
    EXPECT_FALSE(Window(bar)->HasSizeGrip());

    bar->SetSizeGrip(false);
    form->SetWindowState(TWindowState::wsNormal);
    site->UpdateDock();
    EXPECT_FALSE(Window(bar)->HasSizeGrip());
}

TEST_F(BarLayoutTest, AFloatingBarHasACloseButtonOnlyWhenItMayCloseAndCornersHitTheHorizontalEdges)
{
    TzqBar* bar = Toolbar("Tools", 3, TzqBarDockingStyle::dsNone);
    TzqBarControl* window = Window(bar);
    ASSERT_TRUE(window->Floating());
    EXPECT_TRUE(window->CloseButtonShown());
    const TRect r = OnScreen(window);
    const TRect close = window->CloseButtonRect();
    EXPECT_EQ(window->HitTest({r.Left + close.Left + 2, r.Top + close.Top + 2}), HTCLOSE);
    EXPECT_EQ(window->HitTest({r.Left + 40, r.Top + window->TitleRect().Top + 3}), HTCAPTION);
    EXPECT_EQ(window->HitTest({r.Left, r.Top}), HTTOP);
    EXPECT_EQ(window->HitTest({r.Right - 1, r.Top}), HTTOP);
    EXPECT_EQ(window->HitTest({r.Left, r.Bottom - 1}), HTBOTTOM);
    EXPECT_EQ(window->HitTest({r.Right - 1, r.Bottom - 1}), HTBOTTOM);
    EXPECT_EQ(window->HitTest({r.Left, r.Top + r.Height() / 2}), HTLEFT);
    EXPECT_EQ(window->HitTest({r.Right - 1, r.Top + r.Height() - 8}), HTRIGHT);

    // Releasing the mouse on the close button hides the bar and tells the manager.
    int closed = 0;
    manager->OnBarClose = [&](TzqBarManager*, TzqBar* b) { closed += b == bar; };
    driver.Click({r.Left + close.Left + 2, r.Top + close.Top + 2});
    EXPECT_FALSE(bar->Visible());
    EXPECT_EQ(bar->Control(), nullptr);
    EXPECT_EQ(closed, 1);

    bar->SetAllowClose(false);
    bar->SetVisible(true);
    EXPECT_FALSE(Window(bar)->CloseButtonShown());
    bar->SetAllowClose(true);
    bar->SetIsMainMenu(true);
    EXPECT_FALSE(Window(bar)->CloseButtonShown());
}

TEST_F(BarLayoutTest, APersonalizedToolbarMadeNarrowerDropsItsLeastRecentlyUsedButtonsFirst)
{
    TzqBar* bar = Toolbar("Tools", 6, TzqBarDockingStyle::dsTop);
    ASSERT_TRUE(bar->ItemLinks()->PersonalizedBehaviour());
    // Used most recently: 5, then 4, then 0 (0 is first in the recent order).
    for (int i : {5, 4, 0})
        bar->ItemLinks()->Items(i)->MarkUsed(true);
    // Room for the frame, the mark strip and three buttons.
    form->SetClientWidth(3 * 23 + 10 + 11 + 5);
    TzqBarControl* window = Window(bar);
    ASSERT_EQ(window->ItemControlCount(), 3);
    std::vector<std::string> shown;
    for (int i = 0; i < window->ItemControlCount(); ++i)
        shown.push_back(window->ItemControls(i)->Item()->Name());
    EXPECT_EQ(shown, (std::vector<std::string>{"Tools0", "Tools4", "Tools5"}));
    EXPECT_TRUE(window->Truncated());
    EXPECT_EQ(bar->ItemLinks()->RecentItemCount(), 3);

    // Wide again: every button, and the count back to all.
    form->SetClientWidth(600);
    EXPECT_EQ(window->ItemControlCount(), 6);
    EXPECT_FALSE(window->Truncated());
    EXPECT_EQ(bar->ItemLinks()->RecentItemCount(), -1);
}

TEST_F(BarLayoutTest, AMultiLineBarBreaksAtGroupStartsSoThatWholeGroupsMoveDown)
{
    manager->SetStyle(TzqBarManagerStyle::bmsStandard); // separators of 2
    TzqBar* bar = Toolbar("Tools", 9, TzqBarDockingStyle::dsNone);
    bar->ItemLinks()->Items(3)->SetBeginGroup(true);
    bar->ItemLinks()->Items(6)->SetBeginGroup(true);
    // Two groups (69 + 2 + 69) and one more button fit; the third group does not.
    bar->SetFloatClientWidth(3 * 23 + 2 + 3 * 23 + 2 + 23 + 10);
    bar->SetVisible(false);
    bar->SetVisible(true);
    TzqBarControl* window = Window(bar);
    ASSERT_EQ(window->ItemControlCount(), 9);
    for (int i = 0; i < 9; ++i) {
        const bool secondLine = i >= 6;
        EXPECT_EQ(window->ItemControls(i)->Rect().Top, window->ItemControls(secondLine ? 6 : 0)->Rect().Top) << i;
        EXPECT_EQ(window->ItemControls(i)->LineStart(), i == 0 || i == 6) << i;
    }
    EXPECT_GT(window->ItemControls(6)->Rect().Top, window->ItemControls(0)->Rect().Bottom);
    EXPECT_EQ(window->ItemControls(6)->Rect().Left, 0);
    // The client keeps the widest line.
    EXPECT_EQ(window->ClientRect().Width(), 3 * 23 + 2 + 3 * 23);
}

TEST_F(BarLayoutTest, AlignedItemsEndTheirLine)
{
    TzqBar* bar = Toolbar("Menu", 3, TzqBarDockingStyle::dsTop);
    bar->SetWholeRow(true);
    TzqBarItem* help = bar->ItemLinks()->Items(1)->Item();
    help->SetAlign(TzqBarItemAlign::iaRight);
    TzqBarControl* window = Window(bar);
    // Right-aligned: moved to the end of the line; what follows is left out.
    ASSERT_EQ(window->ItemControlCount(), 2);
    EXPECT_EQ(window->ItemControls(1)->Rect().Right, window->ClientRect().Width() - TzqBarControl::kMarkSize);
    EXPECT_TRUE(window->Truncated());
}

} // namespace

namespace {

TEST_F(BarLayoutTest, LinksAddedOrRemovedShowInTheBarOnceItHandlesItsMessages)
{
    TzqBar* bar = Toolbar("Tools", 2);
    TzqBarControl* window = Window(bar);
    const int width = window->Width();
    // A batch of changes: one layout when the window next handles its messages.
    Link(bar->ItemLinks(), GlyphButton("Third"));
    Link(bar->ItemLinks(), GlyphButton("Fourth"));
    driver.Pump();
    ASSERT_EQ(window->ItemControlCount(), 4);
    EXPECT_EQ(window->Width(), width + 2 * 23);
    EXPECT_EQ(window->ItemControls(3)->Item()->Name(), "Fourth");

    // A link that goes takes its control with it at once.
    TzqBarItemLink* first = bar->ItemLinks()->Items(0);
    window->SetSelectedControl(window->ControlOf(first));
    delete first;
    EXPECT_EQ(window->ItemControlCount(), 3);
    EXPECT_EQ(window->SelectedControl(), nullptr);
    EXPECT_EQ(window->ItemControls(0)->Item()->Name(), "Tools1");
    driver.Pump();
    EXPECT_EQ(window->Width(), width + 23);
    EXPECT_EQ(window->ItemControls(0)->Rect().Left, 0);

    // An item that goes takes its links and their controls.
    delete bar->ItemLinks()->Items(1)->Item();
    driver.Pump();
    EXPECT_EQ(window->ItemControlCount(), 2);
    // A hidden link leaves the bar too.
    bar->ItemLinks()->Items(0)->SetVisible(false);
    driver.Pump();
    EXPECT_EQ(window->ItemControlCount(), 1);
}

} // namespace
