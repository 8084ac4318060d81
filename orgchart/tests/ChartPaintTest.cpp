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

#include <string>

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

// Root "Board" with three children, the middle one with two children of its own.
void BuildSample(TzqOrgChart* chart)
{
    chart->SetEditMode({TzqOcEditModeFlag::emCenter, TzqOcEditModeFlag::emVCenter, TzqOcEditModeFlag::emWrap});
    chart->SetColor(clWhite);
    TzqOcNode* board = chart->AddChild(nullptr, 0);
    board->AssignText("Board");
    board->SetColor(RGB(255, 240, 200));
    const char* names[] = {"Sales", "Engineering", "Finance"};
    for (const char* name : names) {
        TzqOcNode* n = chart->AddChild(board, 0);
        n->AssignText(name);
        n->SetColor(RGB(210, 230, 255));
    }
    TzqOcNode* eng = board->Items(1);
    for (const char* name : {"Platform", "Chart"})
        chart->AddChild(eng, 0)->AssignText(name);
    chart->AddChild(board->Items(2), 0)->AssignText("Audit");
    board->Expand(false);
    eng->Expand(false);
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
    BuildSample(chart);
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
