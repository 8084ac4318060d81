#include "platform/core/Exception.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Region.h"
#include "platform/drawing/tests/PixelArt.h"

#include <gtest/gtest.h>

TEST(CanvasBinding, DrawingUsesTheOriginAndNeverLeavesTheDeviceClip)
{
    // A child window at (2, 1) inside an 8 x 5 surface, visible only in its left part.
    TBitmap surface(8, 5);
    TCanvas c;
    c.BindSurface(&surface, TPoint(2, 1), TRegion(TRect(2, 1, 6, 4)));
    EXPECT_TRUE(c.HasSurface());
    EXPECT_EQ(c.ClipRect(), TRect(0, 0, 4, 3)) << "the area to paint, logical";
    c.Brush()->SetColor(clBlack);
    c.FillRect(TRect(-5, -5, 50, 50));
    EXPECT_EQ(PixelArt(surface, {{clWhite, '.'}, {clBlack, '#'}}), Art("........",
                                                                       "..####..",
                                                                       "..####..",
                                                                       "..####..",
                                                                       "........"));
    c.UnbindSurface();
    c.FillRect(TRect(-5, -5, 50, 50)); // without a surface: nothing, no crash
    EXPECT_FALSE(c.HasSurface());
}

TEST(CanvasBinding, ProgramClipNarrowsTheBindingClip)
{
    TBitmap surface(6, 4);
    TCanvas* c = surface.Canvas();
    EXPECT_EQ(c->IntersectClipRect(TRect(1, 0, 5, 4)), SIMPLEREGION);
    EXPECT_EQ(c->ExcludeClipRect(TRect(2, 1, 4, 3)), COMPLEXREGION);
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect(0, 0, 6, 4));
    EXPECT_EQ(PixelArt(surface, {{clWhite, '.'}, {clBlack, '#'}}), Art(".####.",
                                                                       ".#..#.",
                                                                       ".#..#.",
                                                                       ".####."));
    TRect box;
    EXPECT_EQ(GetClipBox(c, &box), COMPLEXREGION);
    EXPECT_EQ(box, TRect(1, 0, 5, 4));
    EXPECT_EQ(SelectClipRgn(c, nullptr), SIMPLEREGION);
    EXPECT_EQ(c->ClipRect(), TRect(0, 0, 6, 4));

    // Region handles select a clip in logical coordinates.
    HRGN rgn = CreateRectRgn(0, 0, 2, 2);
    HRGN other = CreateRectRgn(4, 2, 6, 4);
    EXPECT_EQ(CombineRgn(rgn, rgn, other, RGN_OR), COMPLEXREGION);
    SelectClipRgn(c, rgn);
    c->Brush()->SetColor(clRed);
    c->FillRect(TRect(0, 0, 6, 4));
    EXPECT_EQ(surface.Pixel(0, 0), clRed);
    EXPECT_EQ(surface.Pixel(5, 3), clRed);
    EXPECT_EQ(surface.Pixel(3, 0), clBlack);
    EXPECT_TRUE(DeleteObject(rgn));

    // A ring taken out of the clip, as a focused line keeps its frame from being
    // painted over.
    SelectClipRgn(c, nullptr);
    HRGN ring = CreateRectRgn(0, 0, 6, 4);
    HRGN hole = CreateRectRgn(1, 1, 5, 3);
    CombineRgn(ring, ring, hole, RGN_DIFF);
    EXPECT_EQ(ExtSelectClipRgn(c, ring, RGN_DIFF), SIMPLEREGION);
    EXPECT_EQ(c->ClipRect(), TRect(1, 1, 5, 3));
    EXPECT_THROW(ExtSelectClipRgn(c, ring, 0), EPlatformError);
    DeleteObject(ring);
    DeleteObject(hole);
    EXPECT_TRUE(DeleteObject(other));
}

TEST(CanvasBinding, ABitmapUnbindsItsCanvasesWhenItDies)
{
    TCanvas c;
    {
        TBitmap surface(4, 4);
        c.BindSurface(&surface, TPoint(0, 0), TRegion(TRect(0, 0, 4, 4)));
    }
    EXPECT_FALSE(c.HasSurface());
    c.Rectangle(0, 0, 3, 3);
    EXPECT_THROW(c.BindSurface(nullptr), EPlatformError);
}

TEST(RegionHandles, CombineOffsetAndTestLikeTheirValues)
{
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgnIndirect(TRect(5, 5, 15, 15));
    HRGN dest = CreateRectRgn(0, 0, 0, 0);
    struct Case {
        int mode;
        int kind;
        TRect box;
    };
    const Case cases[] = {
        {RGN_AND, SIMPLEREGION, TRect(5, 5, 10, 10)},
        {RGN_OR, COMPLEXREGION, TRect(0, 0, 15, 15)},
        {RGN_DIFF, COMPLEXREGION, TRect(0, 0, 10, 10)},
        {RGN_XOR, COMPLEXREGION, TRect(0, 0, 15, 15)},
        {RGN_COPY, SIMPLEREGION, TRect(0, 0, 10, 10)},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(CombineRgn(dest, a, b, k.mode), k.kind) << k.mode;
        TRect box;
        GetRgnBox(dest, &box);
        EXPECT_EQ(box, k.box) << k.mode;
    }
    EXPECT_EQ(OffsetRgn(dest, 3, 4), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(dest, 3, 4));
    EXPECT_FALSE(PtInRegion(dest, 13, 4));
    EXPECT_TRUE(RectInRegion(dest, TRect(12, 13, 20, 20)));
    EXPECT_EQ(CombineRgn(dest, a, a, RGN_DIFF), NULLREGION);

    EXPECT_THROW(CombineRgn(dest, a, b, 42), EPlatformError);
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_FALSE(DeleteObject(a)) << "a handle dies once";
    EXPECT_THROW(PtInRegion(a, 0, 0), EPlatformError);
    DeleteObject(b);
    DeleteObject(dest);

    // An elliptic region holds exactly the pixels an ellipse covers (a pen-less one
    // fills one pixel less to the right and bottom, hence the larger box there).
    const TRegion round = TRegion::Elliptic(TRect(0, 0, 8, 8));
    TBitmap canvasPicture(8, 8);
    canvasPicture.Canvas()->Pen()->SetStyle(TPenStyle::psClear);
    canvasPicture.Canvas()->Brush()->SetColor(clBlack);
    canvasPicture.Canvas()->Ellipse(0, 0, 9, 9);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(round.Contains(TPoint(x, y)), canvasPicture.Pixel(x, y) == clBlack) << x << "," << y;
}
