#include "platform/core/Exception.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/tests/PixelArt.h"

#include <gtest/gtest.h>

namespace {

const std::map<TColor, char> kLegend = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}};

// A white bitmap whose canvas has a black pen and a red brush.
struct Surface {
    TBitmap bitmap;
    TCanvas* c;
    Surface(int w, int h) : bitmap(w, h), c(bitmap.Canvas())
    {
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetColor(clRed);
    }
    std::string Art() const { return PixelArt(bitmap, kLegend); }
};

} // namespace

TEST(CanvasShapes, RectangleOutlinesTheRightAndBottomExclusiveBox)
{
    Surface s(8, 6);
    s.c->Rectangle(1, 1, 7, 5);
    EXPECT_EQ(s.Art(), Art("........",
                           ".######.",
                           ".#rrrr#.",
                           ".#rrrr#.",
                           ".######.",
                           "........"));
}

TEST(CanvasShapes, RectangleWithoutPenFillsOnePixelLess)
{
    Surface s(6, 5);
    s.c->Pen()->SetStyle(TPenStyle::psClear);
    s.c->Rectangle(1, 1, 5, 4);
    EXPECT_EQ(s.Art(), Art("......",
                           ".rrr..",
                           ".rrr..",
                           "......",
                           "......"));
}

TEST(CanvasShapes, WidePenIsCentredAndInsideFrameKeepsItInTheBox)
{
    // A 3-pixel pen on the box shrunk by half the width (what the chart does for a
    // node slot) covers the slot exactly; an inside-frame pen does so unshrunk.
    const std::string expected = Art("..........",
                                     ".########.",
                                     ".########.",
                                     ".########.",
                                     ".###rr###.",
                                     ".###rr###.",
                                     ".########.",
                                     ".########.",
                                     ".########.",
                                     "..........");
    Surface centred(10, 10);
    centred.c->Pen()->SetWidth(3);
    centred.c->Rectangle(2, 2, 8, 8);
    EXPECT_EQ(centred.Art(), expected);

    Surface inside(10, 10);
    inside.c->Pen()->SetWidth(3);
    inside.c->Pen()->SetStyle(TPenStyle::psInsideFrame);
    inside.c->Rectangle(1, 1, 9, 9);
    EXPECT_EQ(inside.Art(), expected);
}

TEST(CanvasShapes, LineLeavesOutItsLastPixelButAWidePenDoesNot)
{
    Surface s(8, 7);
    s.c->MoveTo(1, 1);
    s.c->LineTo(6, 1);  // x 1..5
    s.c->LineTo(6, 4);  // y 1..3 at x 6
    s.c->MoveTo(1, 3);
    s.c->LineTo(4, 6);  // diagonal (1,3) (2,4) (3,5)
    EXPECT_EQ(s.Art(), Art("........",
                           ".######.",
                           "......#.",
                           ".#....#.",
                           "..#.....",
                           "...#....",
                           "........"));
    EXPECT_EQ(s.c->PenPos(), TPoint(4, 6));

    Surface wide(8, 5);
    wide.c->Pen()->SetWidth(3);
    wide.c->MoveTo(2, 2);
    wide.c->LineTo(5, 2);
    EXPECT_EQ(wide.Art(), Art("........",
                              ".######.",
                              ".######.",
                              ".######.",
                              "........"));
}

TEST(CanvasShapes, EllipseIsSymmetricAndStaysInItsBox)
{
    Surface s(9, 9);
    s.c->Ellipse(1, 1, 8, 8);
    EXPECT_EQ(s.Art(), Art(".........",
                           "...###...",
                           "..#rrr#..",
                           ".#rrrrr#.",
                           ".#rrrrr#.",
                           ".#rrrrr#.",
                           "..#rrr#..",
                           "...###...",
                           "........."));
}

TEST(CanvasShapes, PolygonDiamondFillsInsideItsOutline)
{
    // The chart's diamond: (L, my), (mx, T), (R - 1, my), (mx, B - 1) for the box 0..9.
    Surface s(9, 9);
    const std::vector<TPoint> diamond = {{0, 4}, {4, 0}, {8, 4}, {4, 8}};
    s.c->Polygon(diamond);
    EXPECT_EQ(s.Art(), Art("....#....",
                           "...#r#...",
                           "..#rrr#..",
                           ".#rrrrr#.",
                           "#rrrrrrr#",
                           ".#rrrrr#.",
                           "..#rrr#..",
                           "...#r#...",
                           "....#...."));
}

TEST(CanvasShapes, RoundRectRoundsOnlyItsCorners)
{
    Surface s(10, 8);
    s.c->RoundRect(0, 0, 10, 8, 4, 4);
    const std::string art = s.Art();
    EXPECT_EQ(art, Art(".########.",
                       "#rrrrrrrr#",
                       "#rrrrrrrr#",
                       "#rrrrrrrr#",
                       "#rrrrrrrr#",
                       "#rrrrrrrr#",
                       "#rrrrrrrr#",
                       ".########."));
    Surface big(12, 9);
    big.c->RoundRect(0, 0, 12, 9, 8, 8);
    // The corners are the quadrants of an 8 x 8 circle: indents 2, 1, 0, 0.
    EXPECT_EQ(big.Art(), Art("..########..",
                             ".#rrrrrrrr#.",
                             "#rrrrrrrrrr#",
                             "#rrrrrrrrrr#",
                             "#rrrrrrrrrr#",
                             "#rrrrrrrrrr#",
                             "#rrrrrrrrrr#",
                             ".#rrrrrrrr#.",
                             "..########.."));
}

TEST(CanvasShapes, NotXorPenDrawnTwiceRestoresThePicture)
{
    Surface s(12, 12);
    s.c->Brush()->SetColor(clBlue);
    s.c->FillRect(TRect(0, 0, 6, 12));
    TBitmap before;
    before.Assign(s.bitmap);

    s.c->Pen()->SetMode(TPenMode::pmNotXor);
    s.c->Pen()->SetWidth(3);
    s.c->Brush()->SetStyle(TBrushStyle::bsClear);
    for (int pass = 0; pass < 2; ++pass) {
        s.c->MoveTo(1, 6);
        s.c->LineTo(11, 6);
        s.c->Rectangle(2, 2, 10, 10);
        if (pass == 0) {
            EXPECT_NE(s.bitmap.Pixel(0, 6), before.Pixel(0, 6)) << "the first pass changes the picture";
        }
    }
    EXPECT_EQ(PixelArt(s.bitmap, kLegend), PixelArt(before, kLegend));
}

TEST(CanvasShapes, FocusRectangleIsDottedAndVanishesWhenDrawnTwice)
{
    // The dots take the background colour and the gaps the text colour, both combined
    // by exclusive-or: white on black text inverts the dots and leaves the gaps.
    Surface s(7, 5);
    s.c->SetBkColor(clWhite);
    s.c->SetTextColor(clBlack);
    s.c->DrawFocusRect(TRect(0, 0, 7, 5));
    EXPECT_EQ(s.Art(), Art(".#.#.#.",
                           "#.....#",
                           ".......",
                           "#.....#",
                           ".#.#.#."));
    s.c->DrawFocusRect(TRect(0, 0, 7, 5));
    EXPECT_EQ(s.Art(), Art(".......", ".......", ".......", ".......", "......."));
}

TEST(CanvasShapes, DashedThinPenPaintsGapsOnlyInOpaqueMode)
{
    Surface s(12, 2);
    s.c->Pen()->SetStyle(TPenStyle::psDot);
    s.c->SetBkColor(clBlue);
    s.c->MoveTo(0, 0);
    s.c->LineTo(12, 0);
    s.c->SetBkMode(TRANSPARENT);
    s.c->MoveTo(0, 1);
    s.c->LineTo(12, 1);
    EXPECT_EQ(s.Art(), Art("###bbb###bbb",
                           "###...###..."));
}

TEST(CanvasShapes, ADottedPenDrawsADottedFrameRoundARectangle)
{
    Surface s(20, 12);
    s.c->Pen()->SetStyle(TPenStyle::psDot);
    s.c->SetBkMode(TRANSPARENT);
    s.c->Rectangle(2, 2, 18, 10);
    int frame = 0, drawn = 0, longestRun = 0, run = 0;
    // Round the frame in one direction: top, right, bottom, left.
    std::vector<TPoint> path;
    for (int x = 2; x < 17; ++x) path.push_back({x, 2});
    for (int y = 2; y < 9; ++y) path.push_back({17, y});
    for (int x = 17; x > 2; --x) path.push_back({x, 9});
    for (int y = 9; y > 2; --y) path.push_back({2, y});
    for (const TPoint& p : path) {
        ++frame;
        const bool on = s.bitmap.Pixel(p.X, p.Y) == clBlack;
        drawn += on;
        run = on ? run + 1 : 0;
        longestRun = std::max(longestRun, run);
    }
    EXPECT_NEAR(drawn, frame / 2, 2) << s.Art();
    EXPECT_LE(longestRun, 4) << "dots, not a line\n" << s.Art();
    EXPECT_EQ(s.bitmap.Pixel(9, 5), clRed) << "filled inside";
    EXPECT_EQ(s.bitmap.Pixel(1, 1), clWhite);
    EXPECT_EQ(s.bitmap.Pixel(18, 10), clWhite);

    // Drawn again in not-xor mode, the frame vanishes: the feedback of a drag relies on it.
    Surface t(20, 12);
    TBitmap before;
    before.Assign(t.bitmap);
    t.c->Pen()->SetStyle(TPenStyle::psDot);
    t.c->Pen()->SetMode(TPenMode::pmNotXor);
    t.c->Brush()->SetStyle(TBrushStyle::bsClear);
    t.c->Rectangle(2, 2, 18, 10);
    EXPECT_NE(PixelArt(t.bitmap, kLegend), PixelArt(before, kLegend));
    t.c->Rectangle(2, 2, 18, 10);
    EXPECT_EQ(PixelArt(t.bitmap, kLegend), PixelArt(before, kLegend));
}

TEST(CanvasShapes, PatternBrushesUseTextAndBackgroundColoursAndHatchesKeepTheirGaps)
{
    // The halftone pattern in a monochrome brush: black pattern pixels take the text
    // colour, white ones the background colour.
    Surface s(4, 2);
    TBitmap halftone;
    MakeHalftonePattern(halftone);
    s.c->Brush()->SetBitmap(&halftone);
    s.c->SetTextColor(clRed);
    s.c->SetBkColor(clBlue);
    s.c->FillRect(TRect(0, 0, 4, 2));
    EXPECT_EQ(s.Art(), Art("rbrb", "brbr"));

    // A hatch in transparent mode leaves the gaps alone.
    Surface h(8, 3);
    h.c->Brush()->SetColor(clBlack);
    h.c->Brush()->SetStyle(TBrushStyle::bsVertical);
    EXPECT_EQ(h.c->BkMode(), TRANSPARENT);
    h.c->FillRect(TRect(0, 0, 8, 3));
    EXPECT_EQ(h.Art(), Art("#.......", "#.......", "#......."));
}

TEST(CanvasShapes, HugeAndDegenerateShapesCostOnlyTheirVisiblePart)
{
    // Far larger than any surface: drawn only where the 8 x 8 bitmap can see them.
    Surface s(8, 8);
    s.c->Pen()->SetWidth(3);
    s.c->Ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
    s.c->MoveTo(-1000000000, -1000000000);
    s.c->LineTo(1000000000, 1000000000);
    const std::vector<TPoint> wedge = {{-1000000000, 0}, {1000000000, -5}, {1000000000, 5}};
    s.c->Polygon(wedge);
    EXPECT_EQ(s.bitmap.Pixel(3, 3), clBlack) << "the diagonal crosses the bitmap";
    TRect grip(0, 0, 2000000000, 2000000000);
    s.c->DrawFrameControl(grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);

    // Empty and inverted boxes.
    Surface e(4, 4);
    e.c->Rectangle(2, 2, 2, 3);
    e.c->Ellipse(3, 3, 1, 1); // normalised: the same as (1, 1, 3, 3)
    EXPECT_EQ(e.Art(), Art("....", ".##.", ".##.", "...."));
    EXPECT_THROW(e.c->Polyline(nullptr, 3), EPlatformError);
}
