#include "platform/core/Exception.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/drawing/tests/PixelArt.h"

#include <gtest/gtest.h>

namespace {

// Two 3 x 3 images side by side: a red plus and a blue corner on fuchsia, whose
// bottom-left pixel (fuchsia) is the transparent colour.
void PaintStrip(TBitmap& strip)
{
    strip.SetSize(6, 3);
    strip.Fill(clFuchsia);
    for (const TPoint& p : {TPoint{1, 0}, TPoint{0, 1}, TPoint{1, 1}, TPoint{2, 1}, TPoint{1, 2}})
        strip.SetPixel(p.X, p.Y, clRed);
    strip.SetPixel(3, 0, clBlue);
    strip.SetPixel(4, 0, clBlue);
    strip.SetPixel(3, 1, clBlue);
}

const std::map<TColor, char> kLegend = {{clGreen, 'g'}, {clRed, 'r'}, {clBlue, 'b'}, {clWhite, 'w'}, {clFuchsia, 'f'}};

} // namespace

TEST(ImageList, MaskedImageIsDrawnTransparentlyOverABrush)
{
    TBitmap strip;
    PaintStrip(strip);
    TImageList list(3, 3);
    EXPECT_EQ(list.AddMasked(&strip, clDefault), 0);
    EXPECT_EQ(list.Count(), 2);

    TBitmap target(4, 3);
    target.Canvas()->Brush()->SetColor(clGreen);
    target.Canvas()->FillRect(TRect(0, 0, 4, 3));
    list.Draw(target.Canvas(), 1, 0, 0);
    EXPECT_EQ(PixelArt(target, kLegend), Art("ggrg", "grrr", "ggrg"));

    // With a background colour the transparent pixels take it instead.
    list.SetBkColor(clWhite);
    list.Draw(target.Canvas(), 1, 0, 1);
    EXPECT_EQ(PixelArt(target, kLegend), Art("gbbw", "gbww", "gwww"));

    // The mask image type draws the mask: black where the image is.
    list.SetImageType(TImageType::itMask);
    list.Draw(target.Canvas(), 1, 0, 0);
    EXPECT_EQ(PixelArt(target, {{clGreen, 'g'}, {clBlack, '#'}, {clWhite, '.'}}), Art("g.#.", "g###", "g.#."));
}

TEST(ImageList, SelectionBlendsAndDisabledImagesAreEmbossed)
{
    TBitmap strip;
    PaintStrip(strip);
    TImageList list(3, 3);
    list.AddMasked(&strip, clFuchsia);
    TBitmap target(5, 4);
    target.Fill(clWhite);
    list.SetDrawingStyle(TDrawingStyle::dsSelected);
    list.SetBlendColor(clBlue);
    list.Draw(target.Canvas(), 0, 0, 0);
    EXPECT_EQ(target.Pixel(1, 1), RGB(128, 0, 128)) << "red blended half with blue";
    EXPECT_EQ(target.Pixel(0, 0), clWhite);

    target.Fill(clBtnFace);
    list.SetDrawingStyle(TDrawingStyle::dsNormal);
    list.Draw(target.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(target.Pixel(1, 1), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(target.Pixel(2, 3), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the highlight copy one pixel down-right";
    EXPECT_EQ(target.Pixel(0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST(ImageList, ChangesReachRegisteredLinks)
{
    auto list = std::make_unique<TImageList>(3, 3);
    TChangeLink link;
    std::vector<TObject*> heard;
    link.OnChange = [&](TObject* sender) { heard.push_back(sender); };
    list->RegisterChanges(&link);
    EXPECT_EQ(link.Sender(), list.get());

    TBitmap strip;
    PaintStrip(strip);
    list->AddMasked(&strip, clDefault);
    list->Delete(1);
    list->SetBkColor(clBlue);
    EXPECT_EQ(heard, (std::vector<TObject*>{list.get(), list.get(), list.get()}));
    EXPECT_EQ(list->Count(), 1);

    list->SetSize(16, 16);
    EXPECT_EQ(list->Count(), 0) << "a new size clears the images";

    // Either side may go first.
    list.reset();
    EXPECT_EQ(link.Sender(), nullptr);
    auto other = std::make_unique<TImageList>();
    {
        TChangeLink shortLived;
        other->RegisterChanges(&shortLived);
    }
    other->Clear();
    other->SetBkColor(clRed); // must not reach the dead link
}

TEST(ImageList, RejectsBadIndexesAndSizes)
{
    TImageList list(3, 3);
    TBitmap strip;
    PaintStrip(strip);
    list.AddMasked(&strip, clDefault);
    EXPECT_THROW(list.Delete(2), EInvalidOperation);
    EXPECT_THROW(list.SetSize(0, 3), EInvalidOperation);
    EXPECT_THROW(list.Add(nullptr, nullptr), EInvalidOperation);
    TBitmap target(3, 3);
    list.Draw(target.Canvas(), 0, 0, 7); // out of range: nothing
    EXPECT_EQ(InkBounds(target, clWhite), TRect());

    TBitmap copy, mask;
    list.GetBitmap(1, &copy);
    list.GetMask(1, &mask);
    EXPECT_EQ(copy.Pixel(0, 0), clBlue);
    EXPECT_TRUE(mask.Monochrome());
    EXPECT_EQ(PixelArt(mask, {{clWhite, '.'}, {clBlack, '#'}}), Art("##.", "#..", "..."));
}
