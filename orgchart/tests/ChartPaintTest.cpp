// Painting: pixel checks of lines, borders, the 3D shadow, the buttons and the focused
// highlight, repainting on image list changes, and pictures of a sample chart in each
// look, saved beside the build for people to look at.
#include "orgchart/tests/ChartFixture.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/Backend.h"
#include "platform/controls/Button.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/WinApi.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#ifndef ORGCHART_PNG_DIR
#define ORGCHART_PNG_DIR "."
#endif

namespace {

class PaintTest : public ChartTest {
protected:
    // The chart's client area as the window system last painted it.
    std::unique_ptr<TBitmap> Picture(TzqOrgChart* chart)
    {
        // A copy of the window's picture, taken in memory: tests run in parallel
        // processes, so a shared file would be read while another test writes it.
        driver.PaintAll();
        const TBitmap* surface = WindowSurface(form->Handle());
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(surface->Width(), surface->Height());
        bitmap->Canvas()->Draw(0, 0, const_cast<TBitmap*>(surface));
        return bitmap;
    }
    void Save(const std::string& name)
    {
        driver.PaintAll();
        ASSERT_TRUE(driver.SavePng(form->Handle(), std::string(ORGCHART_PNG_DIR) + "/orgchart-" + name + ".png"));
    }
};

TColor At(const std::unique_ptr<TBitmap>& b, int x, int y)
{
    return b->Pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST_F(PaintTest, SingleTopLevelNodeHasNoLineAboveAndTwoAreJoinedAtHalfTheGap)
{
    TzqOrgChart* chart = NewShownChart(300, 120);
    chart->SetColor(clWhite);
    TzqOcNode* a = chart->AddChild(nullptr, 0);
    auto one = Picture(chart);
    // The box's centre column above the box (the gap of 16 pixels) stays background.
    const int cx = 8 + 65 / 2;
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ(At(one, cx, y), clWhite) << y;
    chart->AddChild(nullptr, 0);
    chart->SetSelected(nullptr);
    (void)a;
    auto two = Picture(chart);
    // Joined at gy / 2 = 8 from the first centre to the second, connectors down to each box.
    EXPECT_EQ(At(two, cx, 8), clBlack);
    EXPECT_EQ(At(two, cx + 40, 8), clBlack);
    EXPECT_EQ(At(two, cx + 81, 8), clBlack);
    EXPECT_EQ(At(two, cx, 12), clBlack);
    EXPECT_EQ(At(two, cx, 7), clWhite);
    EXPECT_EQ(At(two, cx + 40, 12), clWhite);
}

TEST_F(PaintTest, WideLinesStayInsideTheSlotAndTheShadowIsRightAndBelow)
{
    TzqOrgChart* chart = NewShownChart(300, 120);
    chart->SetColor(clWhite);
    chart->SetLineWidth(3);
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    n->SetColor(clYellow);
    chart->SetSelected(nullptr);
    const TRect slot = chart->NodeSlotRect(n); // 67 x 59 from (9, 0)
    auto flat = Picture(chart);
    const int top = slot.Top + 16;
    // A 3-pixel border starting exactly at the slot's left edge, fill after it.
    EXPECT_EQ(At(flat, slot.Left - 1, top + 20), clWhite);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(At(flat, slot.Left + i, top + 20), clBlack) << i;
    EXPECT_EQ(At(flat, slot.Left + 3, top + 20), clYellow);
    EXPECT_EQ(At(flat, slot.Right - 1, top + 20), clBlack);
    EXPECT_EQ(At(flat, slot.Right, top + 20), clWhite);

    chart->SetOptions(chart->Options() + TzqOcOption::ocRect3D);
    auto raised = Picture(chart);
    // The box is 3 pixels narrower and shorter: its border ends 3 pixels earlier, and the
    // 3-pixel shadow line, centred half a line width outside the box, runs beside it.
    EXPECT_EQ(At(raised, slot.Right - 6, top + 20), clBlack);  // the box's own border
    EXPECT_EQ(At(raised, slot.Right - 7, top + 20), clYellow); // fill
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ(At(raised, slot.Right - i, top + 20), clBlack) << i;
    EXPECT_EQ(At(raised, slot.Right - 1, top + 20), clWhite);
    EXPECT_EQ(At(raised, slot.Left + 20, slot.Bottom - 2), clBlack);
    EXPECT_EQ(At(raised, slot.Left + 20, slot.Bottom - 1), clWhite);
    EXPECT_EQ(At(raised, slot.Left + 1, slot.Bottom - 2), clWhite); // the shadow starts lw in
}

TEST_F(PaintTest, ButtonsShowPlusWhenCollapsedAndMinusWhenExpanded)
{
    TzqOrgChart* chart = NewShownChart(300, 200);
    chart->SetColor(clWhite);
    TzqOcNode* p = chart->AddChild(nullptr, 0);
    chart->AddChild(p, 0);
    chart->SetSelected(nullptr);
    const TRect slot = chart->NodeSlotRect(p);
    const int cx = slot.Left + slot.Width() / 2;
    const int cy = slot.Bottom - 1;
    auto plus = Picture(chart);
    EXPECT_EQ(At(plus, cx - 5, cy - 5), clBlack); // frame corner
    EXPECT_EQ(At(plus, cx + 5, cy + 5), clBlack);
    EXPECT_EQ(At(plus, cx + 2, cy), clBlack);    // horizontal bar
    EXPECT_EQ(At(plus, cx, cy + 2), clBlack);    // vertical bar
    EXPECT_EQ(At(plus, cx + 3, cy), clWhite);
    p->Expand(false);
    auto minus = Picture(chart);
    EXPECT_EQ(At(minus, cx + 2, cy), clBlack);
    EXPECT_EQ(At(minus, cx, cy + 2), clWhite);
    chart->SetOptions(chart->Options() - TzqOcOption::ocButtons);
    auto none = Picture(chart);
    EXPECT_NE(At(none, cx + 5, cy + 5), clBlack);
}

TEST_F(PaintTest, SampleChartPicturesInEveryLook)
{
    TzqOrgChart* chart = NewShownChart(480, 300);
    BuildSampleChart(chart);
    Save("plain");

    chart->SetRotated(true);
    Save("rotated");
    chart->SetRotated(false);

    form->SetBounds(0, 0, 240, 120);
    chart->SetBounds(0, 0, 240, 120);
    chart->SetZoom(true);
    Save("zoomed");
    chart->SetZoom(false);
    form->SetBounds(0, 0, 480, 300);
    chart->SetBounds(0, 0, 480, 300);

    chart->SetLineWidth(3);
    chart->SetOptions(chart->Options() + TzqOcOption::ocRect3D);
    Save("linewidth3-3d");
    chart->SetLineWidth(1);
    chart->SetOptions(chart->Options() - TzqOcOption::ocRect3D);

    TzqOcNode* board = chart->GetFirstNode();
    board->SetShape(TzqOcShape::shRoundRect);
    board->Items(0)->SetShape(TzqOcShape::shEllipse);
    board->Items(1)->SetShape(TzqOcShape::shDiamond);
    board->Items(1)->SetHeight(64);
    board->Items(2)->SetShape(static_cast<TzqOcShape>(9)); // no box
    Save("shapes");

    TImageList images(16, 16);
    TBitmap strip(48, 16);
    strip.Fill(clFuchsia);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->Ellipse(2, 2, 14, 14);
    strip.Canvas()->Brush()->SetColor(clGreen);
    strip.Canvas()->Rectangle(18, 3, 30, 13);
    strip.Canvas()->Brush()->SetColor(clBlue);
    const TPoint tri[] = {{40, 2}, {46, 14}, {34, 14}};
    strip.Canvas()->Polygon(tri, 3);
    images.AddMasked(&strip, clFuchsia);
    chart->SetImages(&images);
    const TzqOcImageAlign aligns[] = {TzqOcImageAlign::iaLT, TzqOcImageAlign::iaRC, TzqOcImageAlign::iaTC,
                                      TzqOcImageAlign::iaBR};
    int i = 0;
    for (TzqOcNode* n = chart->GetFirstNode(); n; n = n->GetNext(), ++i) {
        n->SetShape(TzqOcShape::shRectangle);
        n->SetImageIndex(static_cast<int16_t>(i % 3));
        n->SetImageAlign(aligns[i % 4]);
    }
    chart->GetFirstNode()->SetImageIndex(99); // out of range: no picture, nothing read
    Save("images");
    chart->SetImages(nullptr);
}

TEST_F(PaintTest, TheSelectedNodeIsHighlightedOnlyWhileTheChartHasTheFocus)
{
    TzqOrgChart* chart = NewShownChart(300, 200);
    chart->SetColor(clWhite);
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    n->SetColor(clYellow);
    auto* other = new TButton(form);
    other->SetParent(form);
    other->SetBounds(200, 160, 80, 30);
    const TColor highlight = ColorToRGB(clHighlight) & 0xFFFFFF;
    ASSERT_NE(highlight, clYellow);
    const int x = 40, y = 36; // inside the box, clear of the focus rectangle

    chart->SetFocus();
    EXPECT_EQ(At(Picture(chart), x, y), highlight);
    // Losing and gaining the focus repaint the node without any other request.
    other->SetFocus();
    EXPECT_EQ(At(Picture(chart), x, y), clYellow);
    chart->SetFocus();
    EXPECT_EQ(At(Picture(chart), x, y), highlight);
    chart->SetOptions(chart->Options() - TzqOcOption::ocSelect);
    EXPECT_EQ(At(Picture(chart), x, y), clYellow);
}

// One node of the size each case gives, drawn on white in yellow with line width 1,
// no 3D, nothing selected unless the case says so. Every expected place below is worked out by hand from the node's slot: the box is the slot
// less the gap of 16 above it; the text area is the box less the shape's margins (plus
// lw / 2 + 1 on each side); the image takes its room out of the text area.
TEST_F(PaintTest, ShapesImagesCaptionsAndTheFocusRectangleInPixels)
{
    using IA = TzqOcImageAlign;
    using S = TzqOcShape;
    const TColor fill = clYellow;
    const TColor red = RGB(200, 0, 0);
    // A pixel relative to the slot's top-left corner, and its colour.
    struct Probe {
        int x, y;
        TColor colour;
    };
    enum class Across { Left, Centre, Right };
    enum class Down { Top, Middle };
    struct Caption {
        TzqOcEditMode mode;
        Across across;
        Down down;
    };
    struct Case {
        const char* what;
        TzqOcShape shape;
        int width, height;
        std::vector<Probe> probes = {};
        // The image: its alignment and where it must be drawn, relative to the slot
        // (an empty rectangle: nowhere).
        std::optional<std::pair<TzqOcImageAlign, TRect>> image = {};
        std::optional<Caption> caption = {};
        // Selected: the focus rectangle's dots on the text area's edge (with ocFocus)
        // or none (without).
        std::optional<bool> focus = {};
    };
    const TColor W = clWhite, B = clBlack, F = fill;
    // The box of a 90 x 70 node spans slot x 0..90, y 16..86.
    const std::vector<Case> cases = {
        {"rectangle", S::shRectangle, 90, 70, {{0, 16, B}, {90, 86, B}, {45, 51, F}, {91, 51, W}, {45, 15, W}}},
        {"round rectangle", S::shRoundRect, 90, 70, {{0, 16, W}, {3, 19, W}, {0, 51, B}, {45, 16, B}, {45, 51, F}}},
        {"ellipse", S::shEllipse, 90, 70,
         {{0, 16, W}, {10, 26, W}, {0, 51, B}, {45, 16, B}, {90, 51, B}, {45, 86, B}, {45, 51, F}}},
        {"diamond", S::shDiamond, 90, 70,
         {{0, 51, B}, {45, 16, B}, {90, 51, B}, {45, 86, B}, {10, 26, W}, {80, 76, W}, {45, 51, F}}},
        {"a shape above 3 draws no box", static_cast<S>(9), 90, 70, {{0, 51, W}, {45, 16, W}, {45, 51, W}}},
        // Rectangle 90 x 70: text area x 1..90, y 17..86 (89 x 69); the image is 32 x 32.
        {"image none", S::shRectangle, 90, 70, {}, std::pair{IA::iaNone, TRect()}},
        {"image LT", S::shRectangle, 90, 70, {}, std::pair{IA::iaLT, TRect(1, 17, 33, 49)}},
        {"image LC", S::shRectangle, 90, 70, {}, std::pair{IA::iaLC, TRect(1, 35, 33, 67)}},
        {"image LB", S::shRectangle, 90, 70, {}, std::pair{IA::iaLB, TRect(1, 54, 33, 86)}},
        {"image RT", S::shRectangle, 90, 70, {}, std::pair{IA::iaRT, TRect(58, 17, 90, 49)}},
        {"image RC", S::shRectangle, 90, 70, {}, std::pair{IA::iaRC, TRect(58, 35, 90, 67)}},
        {"image RB", S::shRectangle, 90, 70, {}, std::pair{IA::iaRB, TRect(58, 54, 90, 86)}},
        {"image TL", S::shRectangle, 90, 70, {}, std::pair{IA::iaTL, TRect(1, 17, 33, 49)}},
        {"image TC", S::shRectangle, 90, 70, {}, std::pair{IA::iaTC, TRect(29, 17, 61, 49)}},
        {"image TR", S::shRectangle, 90, 70, {}, std::pair{IA::iaTR, TRect(58, 17, 90, 49)}},
        {"image BL", S::shRectangle, 90, 70, {}, std::pair{IA::iaBL, TRect(1, 54, 33, 86)}},
        {"image BC", S::shRectangle, 90, 70, {}, std::pair{IA::iaBC, TRect(29, 54, 61, 86)}},
        {"image BR", S::shRectangle, 90, 70, {}, std::pair{IA::iaBR, TRect(58, 54, 90, 86)}},
        {"an alignment above 12 shows no image", S::shRectangle, 90, 70, {},
         std::pair{static_cast<IA>(13), TRect()}},
        // Ellipse 90 x 70: margins 13 + 1 across and 10 + 1 down: text area x 14..77,
        // y 27..76 (63 x 49).
        {"ellipse image LT", S::shEllipse, 90, 70, {}, std::pair{IA::iaLT, TRect(14, 27, 46, 59)}},
        {"ellipse image LC", S::shEllipse, 90, 70, {}, std::pair{IA::iaLC, TRect(14, 35, 46, 67)}},
        {"ellipse image TC", S::shEllipse, 90, 70, {}, std::pair{IA::iaTC, TRect(29, 27, 61, 59)}},
        {"ellipse image RB", S::shEllipse, 90, 70, {}, std::pair{IA::iaRB, TRect(45, 44, 77, 76)}},
        // Diamond 90 x 64: margins 22 + 1 and 16 + 1: text area x 23..68, y 33..64, 31
        // high; the 32-pixel image starts at its top and overhangs its bottom by one.
        {"diamond image LC", S::shDiamond, 90, 64, {}, std::pair{IA::iaLC, TRect(23, 33, 55, 65)}},
        // Captions in the rectangle's text area.
        {"caption left, top", S::shRectangle, 90, 70, {}, {}, Caption{{TzqOcEditModeFlag::emWrap}, Across::Left, Down::Top}},
        {"caption centred", S::shRectangle, 90, 70, {}, {},
         Caption{{TzqOcEditModeFlag::emCenter}, Across::Centre, Down::Top}},
        {"caption right", S::shRectangle, 90, 70, {}, {}, Caption{{TzqOcEditModeFlag::emRight}, Across::Right, Down::Top}},
        {"caption in the vertical middle", S::shRectangle, 90, 70, {}, {},
         Caption{{TzqOcEditModeFlag::emVCenter}, Across::Left, Down::Middle}},
        {"caption centred both ways", S::shRectangle, 90, 70, {}, {},
         Caption{{TzqOcEditModeFlag::emCenter, TzqOcEditModeFlag::emVCenter, TzqOcEditModeFlag::emWrap}, Across::Centre,
                 Down::Middle}},
        {"focus rectangle", S::shRectangle, 90, 70, {}, {}, {}, true},
        {"no focus rectangle without ocFocus", S::shRectangle, 90, 70, {}, {}, {}, false},
    };

    TzqOrgChart* chart = NewShownChart(300, 200);
    chart->SetColor(clWhite);
    TImageList images(32, 32);
    TBitmap solid(32, 32);
    solid.Fill(red);
    images.AddMasked(&solid, clFuchsia);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        chart->Clear();
        chart->SetImages(c.image ? &images : nullptr);
        chart->SetEditMode(c.caption ? c.caption->mode : TzqOcEditMode{TzqOcEditModeFlag::emWrap});
        TzqOcOptions options = chart->Options() - TzqOcOption::ocRect3D;
        options = c.focus && !*c.focus ? options - TzqOcOption::ocFocus : options + TzqOcOption::ocFocus;
        chart->SetOptions(options);
        TzqOcNode* n = chart->AddChild(nullptr, 0);
        n->SetWidth(c.width);
        n->SetHeight(c.height);
        n->SetShape(c.shape);
        n->SetColor(fill);
        if (c.image) {
            n->SetImageIndex(0);
            n->SetImageAlign(c.image->first);
        }
        if (c.caption)
            n->AssignText("Wi");
        chart->SetSelected(c.focus ? n : nullptr);
        ASSERT_EQ(n->Width(), c.width);
        ASSERT_EQ(n->Height(), c.height);
        const TRect slot = chart->NodeSlotRect(n);
        ASSERT_EQ(slot.Width(), c.width + 1);
        ASSERT_EQ(slot.Height(), 16 + c.height + 1);
        const auto picture = Picture(chart);
        auto at = [&](int x, int y) { return At(picture, slot.Left + x, slot.Top + y); };

        for (const Probe& p : c.probes)
            EXPECT_EQ(at(p.x, p.y), p.colour) << "at " << p.x << ", " << p.y;

        // The bounds of the pixels of a colour within a rectangle (relative to the slot).
        auto bounds = [&](const TRect& area, const std::function<bool(TColor)>& of) {
            TRect r(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
            for (int y = area.Top; y < area.Bottom; ++y)
                for (int x = area.Left; x < area.Right; ++x)
                    if (of(at(x, y))) {
                        r.Left = std::min(r.Left, x), r.Top = std::min(r.Top, y);
                        r.Right = std::max(r.Right, x + 1), r.Bottom = std::max(r.Bottom, y + 1);
                    }
            return r.Left == INT32_MAX ? TRect() : r;
        };
        const TRect whole(0, 0, slot.Width() + 2, slot.Height());
        if (c.image) {
            const TRect drawn = bounds(whole, [&](TColor colour) { return colour == red; });
            EXPECT_EQ(drawn, c.image->second);
            if (!c.image->second.IsEmpty()) {
                EXPECT_EQ(at(c.image->second.Left + 16, c.image->second.Top + 16), red) << "the image is whole";
            }
        }
        // The rectangle's text area: x 1..90, y 17..86.
        const TRect text(1, 17, 90, 86);
        if (c.caption) {
            const TRect ink = bounds(text, [&](TColor colour) { return colour != fill; });
            ASSERT_FALSE(ink.IsEmpty()) << "the caption is drawn";
            const int left = ink.Left - text.Left, right = text.Right - ink.Right;
            const int top = ink.Top - text.Top, bottom = text.Bottom - ink.Bottom;
            switch (c.caption->across) {
            case Across::Left: EXPECT_LE(left, 2); EXPECT_GT(right, 40); break;
            case Across::Right: EXPECT_LE(right, 2); EXPECT_GT(left, 40); break;
            case Across::Centre: EXPECT_NEAR(left, right, 2); EXPECT_GT(left, 20); break;
            }
            if (c.caption->down == Down::Top) {
                EXPECT_LE(top, 5);
                EXPECT_GT(bottom, 40);
            } else {
                // The line is centred; its ink sits within a few pixels of the middle.
                EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, (text.Top + text.Bottom) / 2.0, 4.0);
            }
        }
        if (c.focus) {
            // The dotted rectangle on the text area's edge: along its top and left lines
            // each pixel differs from the next (whatever the colours the dots take over
            // a highlighted box); one pixel further in, the box's fill is untouched.
            const TColor boxFill = at(45, 51);
            int changesTop = 0, changesLeft = 0, marked = 0, inside = 0;
            for (int x = text.Left; x + 1 < text.Right; ++x) {
                changesTop += at(x, text.Top) != at(x + 1, text.Top);
                marked += at(x, text.Top) != boxFill;
            }
            for (int y = text.Top; y + 1 < text.Bottom; ++y)
                changesLeft += at(text.Left, y) != at(text.Left, y + 1);
            for (int x = text.Left + 1; x + 1 < text.Right; ++x)
                inside += at(x, text.Top + 1) != boxFill;
            if (*c.focus) {
                EXPECT_GE(changesTop, text.Width() - 3) << "dotted, not solid";
                EXPECT_GE(changesLeft, text.Height() - 3);
            } else {
                EXPECT_EQ(marked, 0);
                EXPECT_EQ(changesTop, 0);
                EXPECT_EQ(changesLeft, 0);
            }
            EXPECT_EQ(inside, 0);
        }
    }
    chart->SetImages(nullptr);
}

// The chart hears of its image list's changes and of its end: a change repaints, and
// destroying the list (here with the form that owns it) clears Images.
TEST_F(PaintTest, ImageListChangesRepaintAndItsEndClearsImages)
{
    TzqOrgChart* chart = NewShownChart(300, 200);
    auto* owner = new TForm(app.get());
    auto* images = new TImageList(owner, 16, 16);
    chart->SetImages(images);
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    n->SetImageIndex(0);
    int drawn = 0;
    chart->OnDrawNode = [&](TObject*, TzqOcNode*, TCanvas*, const TRect&) { ++drawn; };
    driver.PaintAll();
    drawn = 0;
    TBitmap picture(16, 16);
    picture.Fill(clRed);
    images->AddMasked(&picture, clFuchsia);
    driver.PaintAll();
    EXPECT_GT(drawn, 0);

    delete owner;
    EXPECT_EQ(chart->Images(), nullptr);
    EXPECT_EQ(chart->MinNodeWidth(), 16);
    chart->Invalidate();
    driver.PaintAll(); // nothing left that points at the list
    n->SetWidth(16);
    EXPECT_EQ(n->Width(), 16);
}
