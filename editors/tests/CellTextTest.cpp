// DrawCellText: what it measures is what it then fills, how it aligns, clips and
// fills, the focus rectangle, and that the device context is left as it was.
#include "editors/CellText.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// The rows and columns holding ink (pixels that are not the background).
struct TInk {
    std::optional<TRect> box;
};

TInk InkIn(const TBitmap& picture, TColor background)
{
    TInk ink;
    TRect box(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.Pixel(x, y) != ColorToRGB(background)) {
                box = TRect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                            std::max(box.Bottom, y + 1));
                ink.box = box;
            }
    return ink;
}

class CellTextTest : public ::testing::Test {
protected:
    CellTextTest() : picture(200, 200) { picture.Fill(clWhite); }

    int Draw(const std::string& text, WORD flags, const TRect& textRect, const TRect& backRect, int count = -1,
             int* height = nullptr)
    {
        return DrawCellText(picture.Canvas(), text, count, height, clBlack, clWhite, &font, &brush, flags, textRect,
                            backRect);
    }

    THeadlessDriver driver; // fonts need the graphics system
    TBitmap picture;
    TFont font;
    TBrush brush; // white
};

TEST_F(CellTextTest, TheMeasuredHeightIsExactlyTheHeightDrawingThenFills)
{
    struct Row {
        std::string text;
        WORD flags;
        int width;
    };
    const Row rows[] = {
        {"One line", CTF_LEFT, 150},
        {"Several words that wrap onto more than one line here", CTF_WORDBREAK, 80},
        {"First\r\nSecond\r\nThird", CTF_WORDBREAK, 150},
        {"Centred words wrapped in a narrow cell", CTF_WORDBREAK | CTF_CENTER, 70},
        {"A long text ending in an ellipsis", CTF_END_ELLIPSIS, 60},
        {"Prefix &and more words that wrap", CTF_WORDBREAK | CTF_PREFIX, 60},
    };
    for (const Row& row : rows) {
        const TRect textRect(10, 10, 10 + row.width, 190);
        int lineHeight = 0;
        const int measured = Draw(row.text, row.flags | CTF_MEASURE, textRect, textRect, -1, &lineHeight);
        EXPECT_GT(lineHeight, 0) << row.text;
        EXPECT_GE(measured, lineHeight) << row.text;
        EXPECT_TRUE(!InkIn(picture, clWhite).box) << "measuring draws nothing: " << row.text;

        // Drawn in a cell exactly that high: all the ink lies inside, and the last line
        // reaches into its last line height.
        const TRect cell(10, 10, 10 + row.width, 10 + measured);
        Draw(row.text, row.flags, cell, cell);
        const TInk ink = InkIn(picture, clWhite);
        ASSERT_TRUE(ink.box) << row.text;
        EXPECT_GE(ink.box->Top, cell.Top) << row.text;
        EXPECT_LE(ink.box->Bottom, cell.Bottom) << row.text;
        EXPECT_GT(ink.box->Bottom, cell.Bottom - lineHeight) << row.text;
        picture.Fill(clWhite);
    }
}

TEST_F(CellTextTest, TheMeasuredHeightAddsTheBackgroundsMarginsAroundTheTextRectangle)
{
    int lineHeight = 0;
    const TRect textRect(10, 14, 100, 30), backRect(5, 10, 105, 34);
    const int measured = Draw("Text", CTF_MEASURE, textRect, backRect, -1, &lineHeight);
    EXPECT_EQ(measured, lineHeight + 4 + 4);
    // An empty text measures nothing at all.
    EXPECT_EQ(Draw("", CTF_MEASURE, textRect, backRect, -1, &lineHeight), 0);
    EXPECT_EQ(lineHeight, 0);
}

TEST_F(CellTextTest, AlignmentAndLineModePlaceTheTextInsideTheTextRectangle)
{
    struct Row {
        WORD flags;
        bool left, centre, right, top, middle, bottom;
    };
    const Row rows[] = {
        {CTF_LEFT | CTF_TOP, true, false, false, true, false, false},
        {CTF_CENTER | CTF_VCENTER, false, true, false, false, true, false},
        {CTF_RIGHT | CTF_BOTTOM, false, false, true, false, false, true},
    };
    const TRect cell(20, 20, 180, 120);
    for (const Row& row : rows) {
        picture.Fill(clWhite);
        Draw("Mid", row.flags, cell, cell);
        const TInk ink = InkIn(picture, clWhite);
        ASSERT_TRUE(ink.box);
        const int cx = (ink.box->Left + ink.box->Right) / 2, cy = (ink.box->Top + ink.box->Bottom) / 2;
        if (row.left) {
            EXPECT_LT(ink.box->Left, cell.Left + 5);
        }
        if (row.right) {
            EXPECT_GT(ink.box->Right, cell.Right - 5);
        }
        if (row.centre) {
            EXPECT_NEAR(cx, (cell.Left + cell.Right) / 2, 3);
        }
        if (row.top) {
            EXPECT_LT(ink.box->Top, cell.Top + 8);
        }
        if (row.bottom) {
            EXPECT_GT(ink.box->Bottom, cell.Bottom - 8);
        }
        if (row.middle) {
            EXPECT_NEAR(cy, (cell.Top + cell.Bottom) / 2, 4);
        }
    }
}

TEST_F(CellTextTest, BackgroundIsFilledUnlessTransparentAndATooWideTextIsCutAtTheTextRectangle)
{
    picture.Fill(clWhite);
    TBrush red;
    red.SetColor(clRed);
    const TRect textRect(20, 20, 60, 40), backRect(10, 15, 120, 45);
    DrawCellText(picture.Canvas(), "A text far wider than its rectangle", -1, nullptr, clBlack, clRed, &font, &red,
                 CTF_LEFT, textRect, backRect);
    EXPECT_EQ(picture.Pixel(11, 16), ColorToRGB(clRed)) << "back rectangle filled";
    EXPECT_EQ(picture.Pixel(110, 30), ColorToRGB(clRed)) << "right of the text rectangle filled, no text";
    bool inkBeyond = false;
    for (int y = 15; y < 45; ++y)
        for (int x = 60; x < 120; ++x)
            inkBeyond |= picture.Pixel(x, y) != ColorToRGB(clRed);
    EXPECT_FALSE(inkBeyond) << "cut at the text rectangle's right";

    picture.Fill(clWhite);
    DrawCellText(picture.Canvas(), "Hi", -1, nullptr, clBlack, clRed, &font, &red, CTF_TRANSPARENT, textRect,
                 backRect);
    EXPECT_EQ(picture.Pixel(11, 16), ColorToRGB(clWhite));
    EXPECT_TRUE(InkIn(picture, clWhite).box) << "the text itself is drawn";
}

TEST_F(CellTextTest, AFocusRectangleSurroundsTheTextRectangleOrTheTextAndNothingForAnEmptyText)
{
    const TRect cell(20, 20, 180, 40);
    // The dotted frame lies one pixel outside the rectangle it surrounds.
    auto dotsInColumn = [&](int x) {
        int dots = 0;
        for (int y = cell.Top - 1; y <= cell.Bottom; ++y)
            dots += picture.Pixel(x, y) != ColorToRGB(clWhite);
        return dots;
    };
    Draw("Focus", CTF_FOCUSRECT, cell, cell);
    EXPECT_GT(dotsInColumn(cell.Right), 3) << "around the text rectangle";

    picture.Fill(clWhite);
    Draw("Focus", CTF_FOCUSRECT | CTF_FOCUSTEXT, cell, cell);
    EXPECT_EQ(dotsInColumn(cell.Right), 0) << "around the text only";
    const TInk ink = InkIn(picture, clWhite);
    ASSERT_TRUE(ink.box);
    EXPECT_LT(ink.box->Right, cell.Right - 50);
    EXPECT_LT(ink.box->Top, cell.Top) << "the frame reaches above the text";

    picture.Fill(clWhite);
    Draw("", CTF_FOCUSRECT | CTF_FOCUSTEXT | CTF_TRANSPARENT, cell, cell);
    EXPECT_FALSE(InkIn(picture, clWhite).box);
}

TEST_F(CellTextTest, CountLimitsTheCharactersDrawnAndTheDeviceContextIsLeftAsItWas)
{
    const TRect cell(10, 10, 190, 30);
    Draw("ABCDEFGH", CTF_LEFT, cell, cell, 2);
    const TInk two = InkIn(picture, clWhite);
    picture.Fill(clWhite);
    Draw("AB", CTF_LEFT, cell, cell);
    EXPECT_EQ(InkIn(picture, clWhite).box, two.box);
    picture.Fill(clWhite);
    Draw("AB", CTF_LEFT, cell, cell, 500);
    EXPECT_EQ(InkIn(picture, clWhite).box, two.box) << "a count beyond the text draws all of it";

    TCanvas* dc = picture.Canvas();
    dc->Font()->SetSize(17);
    dc->SetTextColor(clGreen);
    dc->SetBkColor(clNavy);
    dc->SetBkMode(OPAQUE);
    Draw("Restore", CTF_FOCUSRECT, cell, cell);
    EXPECT_EQ(dc->Font()->Size(), 17);
    EXPECT_EQ(dc->TextColor(), clGreen);
    EXPECT_EQ(dc->BkColor(), clNavy);
    EXPECT_EQ(dc->BkMode(), OPAQUE);
}

TEST_F(CellTextTest, BadRectanglesAndHugeTextsAreDrawnOrIgnoredWithoutFailing)
{
    const std::string huge(100000, 'x');
    std::string manyLines;
    for (int i = 0; i < 300; ++i)
        manyLines += "line\n";
    const TRect rects[] = {TRect(), TRect(50, 50, 10, 10), TRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX),
                           TRect(0, 0, 1, 1)};
    const WORD flagWords[] = {0, CTF_WORDBREAK, CTF_END_ELLIPSIS | CTF_PATH_ELLIPSIS, 0xFFFF, CTF_MEASURE | 0x1F};
    for (const TRect& r : rects)
        for (WORD flags : flagWords) {
            int height = -1;
            Draw(huge, flags, r, r, -1, &height);
            Draw(manyLines, flags, r, TRect(0, 0, 200, 200), 7, &height);
        }
    EXPECT_EQ(DrawCellText(nullptr, "x", -1, nullptr, clBlack, clWhite, nullptr, nullptr, 0, TRect(), TRect()), 0);
}

} // namespace
