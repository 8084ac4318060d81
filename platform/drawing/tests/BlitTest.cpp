#include "platform/core/Exception.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/tests/PixelArt.h"

#include <gtest/gtest.h>

TEST(BitBlt, RasterOperationsCombinePatternSourceAndDestinationBitwise)
{
    const TColor P = 0x00F0F0F0 & 0xCCAA55, S = 0x00336699, D = 0x00A5A5A5;
    struct Case {
        uint32_t rop;
        TColor expected;
    };
    const Case cases[] = {
        {SRCCOPY, S},
        {SRCPAINT, S | D},
        {SRCAND, S & D},
        {SRCINVERT, S ^ D},
        {SRCERASE, S & (~D & 0xFFFFFF)},
        {NOTSRCCOPY, ~S & 0xFFFFFF},
        {MERGECOPY, P & S},
        {PATCOPY, P},
        {PATINVERT, P ^ D},
        {DSTINVERT, ~D & 0xFFFFFF},
        {BLACKNESS, 0},
        {WHITENESS, 0xFFFFFF},
        {0x00E20746, (D ^ (S & (P ^ D))) & 0xFFFFFF}, // DSPDxax: source bits choose the pattern
    };
    TBitmap source(1, 1);
    source.SetPixel(0, 0, S);
    for (const Case& k : cases) {
        TBitmap dest(1, 1);
        dest.SetPixel(0, 0, D);
        dest.Canvas()->Brush()->SetColor(P);
        dest.Canvas()->BitBlt(0, 0, 1, 1, source.Canvas(), 0, 0, k.rop);
        EXPECT_EQ(dest.Pixel(0, 0), k.expected) << std::hex << "rop 0x" << k.rop;
    }
}

TEST(BitBlt, CopiesOntoTheSameSurfaceWithOverlap)
{
    // Scrolling a window: the area moves two pixels right and one down over itself.
    TBitmap b(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            b.SetPixel(x, y, RGB(uint8_t(x * 40), uint8_t(y * 60), 0));
    TBitmap original;
    original.Assign(b);
    b.Canvas()->BitBlt(2, 1, 4, 3, b.Canvas(), 0, 0, SRCCOPY);
    for (int y = 1; y < 4; ++y)
        for (int x = 2; x < 6; ++x)
            EXPECT_EQ(b.Pixel(x, y), original.Pixel(x - 2, y - 1)) << x << "," << y;
    EXPECT_EQ(b.Pixel(0, 0), original.Pixel(0, 0));
}

TEST(BitBlt, MonochromeMasksConvertThroughTheColours)
{
    // Colour to monochrome: the source's background colour becomes white.
    TBitmap picture(3, 1);
    picture.SetPixel(0, 0, clFuchsia);
    picture.SetPixel(1, 0, clRed);
    picture.SetPixel(2, 0, clFuchsia);
    picture.Canvas()->SetBkColor(clFuchsia);
    TBitmap mask(3, 1);
    mask.SetMonochrome(true);
    mask.Canvas()->BitBlt(0, 0, 3, 1, picture.Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(PixelArt(mask, {{clWhite, 'W'}, {clBlack, 'B'}}), "WBW\n");

    // Monochrome to colour: black takes the text colour, white the background colour.
    TBitmap colour(3, 1);
    colour.Canvas()->SetTextColor(clBlue);
    colour.Canvas()->SetBkColor(clYellow);
    colour.Canvas()->BitBlt(0, 0, 3, 1, mask.Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(PixelArt(colour, {{clYellow, 'y'}, {clBlue, 'b'}}), "yby\n");

    // The transparent drawing idiom: paint the brush through the mask with 0xE20746.
    TBitmap work(3, 1);
    work.Canvas()->BitBlt(0, 0, 3, 1, picture.Canvas(), 0, 0, SRCCOPY);
    work.Canvas()->Brush()->SetColor(clGreen);
    work.Canvas()->SetTextColor(clBlack);
    work.Canvas()->SetBkColor(clWhite);
    work.Canvas()->BitBlt(0, 0, 3, 1, mask.Canvas(), 0, 0, 0x00E20746);
    EXPECT_EQ(PixelArt(work, {{clGreen, 'g'}, {clRed, 'r'}}), "grg\n");
}

TEST(StretchBlt, ScalesByNearestPixelAndMirrorsNegativeExtents)
{
    TBitmap src(2, 1);
    src.SetPixel(0, 0, clRed);
    src.SetPixel(1, 0, clBlue);
    TBitmap dest(4, 1);
    dest.Canvas()->StretchBlt(0, 0, 4, 1, src.Canvas(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(PixelArt(dest, {{clRed, 'r'}, {clBlue, 'b'}}), "rrbb\n");
    dest.Canvas()->StretchBlt(4, 0, -4, 1, src.Canvas(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(PixelArt(dest, {{clRed, 'r'}, {clBlue, 'b'}}), "bbrr\n");
}

TEST(BitBlt, ReportsMissingSourcesAndTransparentBitmaps)
{
    TBitmap b(2, 2);
    EXPECT_THROW(b.Canvas()->BitBlt(0, 0, 2, 2, nullptr, 0, 0, SRCCOPY), EPlatformError);
    EXPECT_THROW(b.Canvas()->PatBlt(0, 0, 2, 2, SRCCOPY), EPlatformError);
    b.Canvas()->PatBlt(0, 0, 2, 2, BLACKNESS);
    EXPECT_EQ(b.Pixel(1, 1), clBlack);

    // A transparent bitmap leaves the canvas where it has its bottom-left colour.
    TBitmap glyph(2, 2);
    glyph.Fill(clLime);
    glyph.SetPixel(1, 0, clNavy);
    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentColor(), clLime);
    TBitmap target(2, 2);
    target.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(PixelArt(target, {{clWhite, '.'}, {clNavy, 'n'}}), Art(".n", ".."));
}
