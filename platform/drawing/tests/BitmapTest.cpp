#include "platform/core/Exception.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/tests/PixelArt.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(Bitmap, ResizingKeepsPixelsAndPadsWithWhite)
{
    TBitmap b(2, 2);
    b.Fill(clRed);
    b.SetSize(3, 1);
    EXPECT_EQ(PixelArt(b, {{clRed, 'r'}, {clWhite, '.'}}), "rr.\n");
    EXPECT_THROW(b.SetSize(-1, 4), EPlatformError);
    EXPECT_THROW(b.Pixel(3, 0), EPlatformError);
    EXPECT_EQ(b.Canvas()->ClipRect(), TRect(0, 0, 3, 1)) << "the bitmap's canvas follows its size";
}

TEST(Bitmap, PngRoundTripAndBadData)
{
    TBitmap b(3, 2);
    b.SetPixel(0, 0, RGB(1, 2, 3));
    b.SetPixel(2, 1, clNavy);
    TBitmap copy;
    copy.LoadFromPngData(b.SaveToPngData());
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.Pixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(copy.Pixel(2, 1), clNavy);
    EXPECT_EQ(copy.TransparentColor(), clWhite) << "the bottom-left pixel";

    const std::vector<uint8_t> garbage = {1, 2, 3, 4};
    EXPECT_THROW(copy.LoadFromPngData(garbage), EStreamError);
    EXPECT_THROW(copy.LoadFromPngFile("/nonexistent/picture.png"), EStreamError);
    EXPECT_FALSE(b.SaveToPngFile("/nonexistent/dir/picture.png"));
}

TEST(Bitmap, MonochromeHoldsOnlyBlackAndWhite)
{
    TBitmap b(3, 1);
    b.SetPixel(0, 0, clWhite);
    b.SetPixel(1, 0, clSilver);
    b.SetPixel(2, 0, clYellow);
    b.SetMonochrome(true);
    EXPECT_EQ(PixelArt(b, {{clWhite, 'W'}, {clBlack, 'B'}}), "WBB\n") << "only white stays white";
    b.Canvas()->Brush()->SetColor(clYellow); // a light colour draws white
    b.Canvas()->FillRect(TRect(1, 0, 2, 1));
    EXPECT_EQ(PixelArt(b, {{clWhite, 'W'}, {clBlack, 'B'}}), "WWB\n");

    TBitmap mask(2, 1);
    mask.SetPixel(0, 0, clFuchsia);
    mask.Mask(clFuchsia);
    EXPECT_TRUE(mask.Monochrome());
    EXPECT_EQ(PixelArt(mask, {{clWhite, 'W'}, {clBlack, 'B'}}), "WB\n");
}
