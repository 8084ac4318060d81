// The shared drawing routines: halftone overlay, transparent bitmaps, image-list
// items and work bitmaps that only grow.
#include "editors/EditDrawing.h"
#include "editors/SharedBrushes.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"

#include <gtest/gtest.h>

namespace {

class EditDrawingTest : public ::testing::Test {
protected:
    THeadlessDriver driver;
};

TEST_F(EditDrawingTest, HalftoneColoursThePixelsWhoseCoordinatesHaveTheSameParity)
{
    TBitmap picture(20, 20);
    picture.Fill(clYellow);
    // An odd origin: the checkerboard follows the device's coordinates, not the rectangle.
    FillHalftone(picture.Canvas(), TRect(3, 5, 11, 13), clBlue);
    for (int y = 5; y < 13; ++y)
        for (int x = 3; x < 11; ++x) {
            const bool same = (x % 2) == (y % 2);
            EXPECT_EQ(picture.Pixel(x, y), ColorToRGB(same ? clBlue : clYellow)) << x << "," << y;
        }
    EXPECT_EQ(picture.Pixel(2, 5), ColorToRGB(clYellow)) << "outside the rectangle";
    EXPECT_EQ(picture.Pixel(12, 12), ColorToRGB(clYellow));
    // The shared brush is the checkerboard: black where the parities agree.
    EXPECT_EQ(HalftoneBrush()->PatternPixel(0, 0), ColorToRGB(clBlack));
    EXPECT_EQ(HalftoneBrush()->PatternPixel(1, 0), ColorToRGB(clWhite));
    EXPECT_EQ(ShadowBrush()->Color(), clBtnShadow);

    // Empty and inverted rectangles change nothing.
    TBitmap before;
    before.Assign(picture);
    FillHalftone(picture.Canvas(), TRect(15, 15, 10, 10), clRed);
    FillHalftone(nullptr, TRect(0, 0, 5, 5), clRed);
    EXPECT_EQ(picture.Pixel(12, 12), before.Pixel(12, 12));
}

TEST_F(EditDrawingTest, DrawBitmapTransparentShowsTheBrushWhereTheBitmapHasItsTransparentColour)
{
    TBitmap glyph(4, 4);
    glyph.Fill(clFuchsia);             // the bottom-left pixel: the transparent colour
    glyph.SetPixel(1, 1, clNavy);
    glyph.SetPixel(2, 1, clNavy);
    TBitmap picture(20, 20);
    picture.Fill(clWhite);
    TBrush green;
    green.SetColor(clLime);
    DrawBitmapTransparent(picture.Canvas(), &green, TRect(5, 5, 15, 15), &glyph, TRect(2, 2, 6, 6));
    EXPECT_EQ(picture.Pixel(5, 5), ColorToRGB(clLime)) << "the area is filled with the brush";
    EXPECT_EQ(picture.Pixel(8, 8), ColorToRGB(clNavy)) << "the bitmap's own pixels";
    EXPECT_EQ(picture.Pixel(7, 7), ColorToRGB(clLime)) << "transparent pixels show the brush";
    EXPECT_EQ(picture.Pixel(4, 4), ColorToRGB(clWhite)) << "nothing outside the area";
}

TEST_F(EditDrawingTest, EnsureBitmapSizeGrowsButNeverShrinks)
{
    struct Row {
        int w, h, askW, askH, expectW, expectH;
    };
    const Row rows[] = {{10, 10, 20, 5, 20, 10}, {10, 10, 5, 5, 10, 10}, {0, 0, 3, 4, 3, 4}, {8, 8, -5, -5, 8, 8}};
    for (const Row& row : rows) {
        TBitmap b(row.w, row.h);
        EnsureBitmapSize(&b, row.askW, row.askH);
        EXPECT_EQ(b.Width(), row.expectW);
        EXPECT_EQ(b.Height(), row.expectH);
    }
    EnsureBitmapSize(nullptr, 5, 5);
}

TEST_F(EditDrawingTest, DrawImageListItemDrawsTheImageAtItsNaturalSize)
{
    TImageList list(8, 8);
    TBitmap image(8, 8);
    image.Fill(clRed);
    list.Add(&image, nullptr);
    TBitmap picture(20, 20);
    picture.Fill(clWhite);
    DrawImageListItem(picture.Canvas(), 4, 6, &list, 0);
    EXPECT_EQ(picture.Pixel(4, 6), ColorToRGB(clRed));
    EXPECT_EQ(picture.Pixel(11, 13), ColorToRGB(clRed));
    EXPECT_EQ(picture.Pixel(12, 14), ColorToRGB(clWhite));
    // A missing list or index draws nothing.
    DrawImageListItem(picture.Canvas(), 0, 0, nullptr, 0);
    DrawImageListItem(picture.Canvas(), 0, 0, &list, 5);
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(clWhite));
}

} // namespace
