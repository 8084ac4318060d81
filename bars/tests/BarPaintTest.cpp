// Painting bars: glyph transparency and effects, item backgrounds by state and style,
// the mark button's chevrons; pictures of every state in each style are saved beside
// the build for people to look at.
#include "bars/tests/BarWindowsFixture.h"
#include "bars/BarButtonControl.h"
#include "bars/BarGlyphDrawing.h"
#include "bars/BarPopupMenu.h"
#include "platform/drawing/Brush.h"

namespace {

class BarPaintTest : public BarWindowsFixture {
protected:
    // A toolbar of six buttons put in the states normal, hot, pressed, down, disabled
    // and split (hot on its arrow's button).
    TzqBar* StatesBar()
    {
        TzqBar* bar = Toolbar("States", 6);
        auto button = [&](int i) { return static_cast<TzqBarButton*>(bar->ItemLinks()->Items(i)->Item()); };
        button(3)->SetButtonStyle(TzqBarButtonStyle::bsChecked);
        button(3)->SetDown(true);
        button(4)->SetEnabled(false);
        button(5)->SetButtonStyle(TzqBarButtonStyle::bsDropDown);
        button(5)->SetDropDownMenu(new TzqBarPopupMenu(form));
        return bar;
    }
    void SetStates(TzqBar* bar)
    {
        TzqBarControl* window = Window(bar);
        window->SetSelectedControl(window->ItemControls(1));
        window->ItemControls(2)->SetPressed(true);
    }
    // A pixel of the bar's client area as the form shows it.
    TColor Shown(TzqBarControl* bar, int x, int y)
    {
        driver.PaintAll();
        const TPoint screen = bar->ClientToScreen(TPoint{x, y});
        return WindowSurface(form->Handle())->Pixel(screen.X - form->Left(), screen.Y - form->Top()) & 0xFFFFFF;
    }
    // A pixel of a button's glyph (glyph coordinates; the glyph is centred in the button).
    TColor GlyphPixel(TzqBarControl* bar, int index, int gx, int gy)
    {
        const TRect r = bar->ItemControls(index)->Rect();
        return Shown(bar, r.Left + (r.Width() - 16) / 2 + gx, r.Top + (r.Height() - 16) / 2 + gy);
    }
};

TEST_F(BarPaintTest, EveryStateInEachStyle)
{
    TzqBar* bar = StatesBar();
    for (auto [style, name] : {std::pair{TzqBarManagerStyle::bmsStandard, "standard"},
                               std::pair{TzqBarManagerStyle::bmsEnhanced, "enhanced"},
                               std::pair{TzqBarManagerStyle::bmsFlat, "flat"}}) {
        manager->SetStyle(style);
        SetStates(bar);
        ASSERT_EQ(Window(bar)->ItemControlCount(), 6);
        SavePicture(form->Handle(), std::string("states-") + name);
    }
}

TEST_F(BarPaintTest, GlyphsAreTransparentWhereTheyShowTheirBottomLeftColour)
{
    TzqBar* bar = Toolbar("Tools", 1);
    manager->SetStyle(TzqBarManagerStyle::bmsStandard);
    TzqBarControl* window = Window(bar);
    EXPECT_EQ(GlyphPixel(window, 0, 0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(GlyphPixel(window, 0, 3, 3), ColorToRGB(clNavy));
    EXPECT_EQ(GlyphPixel(window, 0, 7, 7), ColorToRGB(clWhite));
}

TEST_F(BarPaintTest, TheFlatStyleLightensRestingGlyphsAndRaisesTheHotOneOverItsShadow)
{
    TzqBar* bar = StatesBar();
    manager->SetStyle(TzqBarManagerStyle::bmsFlat);
    SetStates(bar);
    TzqBarControl* window = Window(bar);
    // v + (255 - v) * 3 / 10 on each channel of a resting glyph.
    EXPECT_EQ(GlyphPixel(window, 0, 3, 3), ColorToRGB(LightenedGlyphColor(clNavy)));
    EXPECT_EQ(LightenedGlyphColor(RGB(0, 100, 255)), RGB(77, 147, 255));
    // The hot glyph one pixel up and left, its shadow one down and right.
    EXPECT_EQ(GlyphPixel(window, 1, 2, 2), ColorToRGB(clNavy));
    EXPECT_EQ(GlyphPixel(window, 1, 14, 14), ColorToRGB(clBtnShadow));
    // Hot: framed in the highlight colour, filled with the light selection colour.
    const TRect hot = window->ItemControls(1)->Rect();
    EXPECT_EQ(Shown(window, hot.Left, hot.Top + 5), ColorToRGB(clHighlight));
    EXPECT_EQ(Shown(window, hot.Left + 1, hot.Top + 1), ColorToRGB(manager->FlatSelectBrush(0)->Color()));
    // Pressed and down get their own mixes.
    const TRect pressed = window->ItemControls(2)->Rect();
    EXPECT_EQ(Shown(window, pressed.Left + 1, pressed.Top + 1), ColorToRGB(manager->FlatSelectBrush(1)->Color()));
    const TRect down = window->ItemControls(3)->Rect();
    EXPECT_EQ(Shown(window, down.Left + 1, down.Top + 1), ColorToRGB(manager->FlatSelectBrush(2)->Color()));
    // A disabled glyph is its silhouette in the shadow colour, nothing under it.
    EXPECT_EQ(GlyphPixel(window, 4, 3, 3), ColorToRGB(clBtnShadow));
    EXPECT_NE(GlyphPixel(window, 4, 14, 14), ColorToRGB(clBtnHighlight));
}

TEST_F(BarPaintTest, RaisedStylesFillADownButtonWithTheHalftoneAndEmbossDisabledGlyphs)
{
    TzqBar* bar = StatesBar();
    manager->SetStyle(TzqBarManagerStyle::bmsStandard);
    TzqBarControl* window = Window(bar);
    const TRect down = window->ItemControls(3)->Rect();
    // Beside the glyph, inside the sunken edge: highlight and face by turns.
    const TColor a = Shown(window, down.Left + 2, down.Top + 2);
    const TColor b = Shown(window, down.Left + 3, down.Top + 2);
    const TColor c = Shown(window, down.Left + 2, down.Top + 3);
    EXPECT_NE(a, b);
    EXPECT_EQ(b, c);
    EXPECT_TRUE((a == ColorToRGB(clBtnHighlight) && b == ColorToRGB(clBtnFace)) ||
                (a == ColorToRGB(clBtnFace) && b == ColorToRGB(clBtnHighlight)));
    // Hot, the down button loses the halftone.
    window->SetSelectedControl(window->ItemControls(3));
    EXPECT_EQ(Shown(window, down.Left + 3, down.Top + 2), Shown(window, down.Left + 2, down.Top + 2));
    // Disabled: the dark parts in the shadow colour over the highlight one pixel down-right.
    EXPECT_EQ(GlyphPixel(window, 4, 3, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(GlyphPixel(window, 4, 14, 14), ColorToRGB(clBtnHighlight));
}

TEST_F(BarPaintTest, TheMarkShowsChevronsOnlyWhenTheBarIsTruncated)
{
    TzqBar* bar = Toolbar("Tools", 8);
    bar->SetUseRecentItems(false);
    TzqBarControl* window = Window(bar);
    auto inkIn = [&](const TRect& r) {
        int ink = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                ink += Shown(window, x, y) == ColorToRGB(clBtnText);
        return ink;
    };
    ASSERT_TRUE(window->MarkShown());
    ASSERT_FALSE(window->Truncated());
    const TRect mark = window->MarkRect();
    const TRect chevronArea(mark.Left, mark.Top, mark.Right, mark.Top + 11);
    const int whole = inkIn(chevronArea);
    form->SetClientWidth(5 * 23 + 10 + 11);
    ASSERT_TRUE(Window(bar)->Truncated());
    window = Window(bar);
    const TRect truncatedMark = window->MarkRect();
    const int truncated = inkIn(TRect(truncatedMark.Left, truncatedMark.Top, truncatedMark.Right, truncatedMark.Top + 11));
    EXPECT_EQ(whole, 0);
    EXPECT_GT(truncated, 6);
    SavePicture(form->Handle(), "truncated-chevrons");
}

} // namespace

namespace {

TEST_F(BarPaintTest, AButtonRepaintsWhenItGoesDownOrIsDisabledFromCode)
{
    TzqBar* bar = Toolbar("Tools", 2);
    manager->SetStyle(TzqBarManagerStyle::bmsStandard);
    auto* button = static_cast<TzqBarButton*>(bar->ItemLinks()->Items(0)->Item());
    button->SetButtonStyle(TzqBarButtonStyle::bsChecked);
    TzqBarControl* window = Window(bar);
    const TRect r = window->ItemControls(0)->Rect();
    EXPECT_EQ(Shown(window, r.Left, r.Top), ColorToRGB(clBtnFace));
    button->SetDown(true);
    // The sunken edge of a down button.
    EXPECT_NE(Shown(window, r.Left, r.Top), ColorToRGB(clBtnFace));
    EXPECT_EQ(GlyphPixel(window, 1, 3, 3), ColorToRGB(clNavy));
    bar->ItemLinks()->Items(1)->Item()->SetEnabled(false);
    driver.Pump();
    EXPECT_EQ(GlyphPixel(window, 1, 3, 3), ColorToRGB(clBtnShadow));
}

} // namespace
