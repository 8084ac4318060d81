// The class-level drawing of the text editors: the text shown, where it goes, the flag
// word, measuring requests, and what reaches the picture.
#include "editors/TextEditDrawing.h"

#include "editors/CellText.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

std::optional<TRect> InkBox(const TBitmap& picture, TColor background)
{
    std::optional<TRect> box;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.Pixel(x, y) != ColorToRGB(background)) {
                if (!box)
                    box = TRect(x, y, x + 1, y + 1);
                box = TRect(std::min(box->Left, x), std::min(box->Top, y), std::max(box->Right, x + 1),
                            std::max(box->Bottom, y + 1));
            }
    return box;
}

TzqTextEditViewData Cell(const std::string& text)
{
    TzqTextEditViewData data;
    data.Data = Variant(text);
    data.TextColor = clBlack;
    data.BkColor = clWhite;
    return data;
}

TEST(TextEditDrawingTest, DisplayTextFollowsCaseAndPassword)
{
    struct Case {
        const char* value;
        TEditCharCase charCase;
        char32_t password;
        const char* shown;
        int length;
    };
    const Case cases[] = {
        {"abc", TEditCharCase::ecUpperCase, 0, "ABC", 3},
        {"ÄbC", TEditCharCase::ecLowerCase, 0, "äbc", 3},
        {"ÄbC", TEditCharCase::ecNormal, 0, "ÄbC", 3},
        {"héllo", TEditCharCase::ecNormal, U'*', "*****", 5},   // one per character, not per byte
        {"abc", TEditCharCase::ecUpperCase, U'●', "●●●", 3},
        {"", TEditCharCase::ecNormal, U'*', "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        TzqTextEditViewData data = Cell(c.value);
        data.CharCase = c.charCase;
        data.PasswordChar = c.password;
        EXPECT_EQ(TextEditDisplayText(data), c.shown);
        EXPECT_EQ(data.TextLength, c.length);
    }
    TzqTextEditViewData null;
    EXPECT_EQ(TextEditDisplayText(null), "");
}

TEST(TextEditDrawingTest, TextRectangleTakesBordersOffsetsAndSelectionBar)
{
    struct Case {
        const char* name;
        bool oneBorder;
        TRect offsets;
        TAlignment alignment;
        bool selectionBar;
        TRect expected;
    };
    const TRect none;
    const TRect offsets(3, 2, 4, 7); // the bottom offset is never used
    const Case cases[] = {
        {"plain", false, none, TAlignment::taLeftJustify, false, TRect(11, 21, 109, 39)},
        {"offsets", false, offsets, TAlignment::taLeftJustify, false, TRect(14, 23, 105, 39)},
        {"right", false, offsets, TAlignment::taRightJustify, false, TRect(14, 23, 104, 39)},
        {"centre", false, none, TAlignment::taCenter, false, TRect(11, 21, 109, 39)},
        {"bar", false, offsets, TAlignment::taLeftJustify, true, TRect(22, 23, 105, 39)},
        {"one border", true, offsets, TAlignment::taRightJustify, false, TRect(12, 22, 108, 38)},
        {"one border, bar", true, none, TAlignment::taLeftJustify, true, TRect(20, 22, 108, 38)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TzqTextEditViewData data;
        data.OneBorder = c.oneBorder;
        data.TextOffsets = c.offsets;
        data.Alignment = c.alignment;
        data.SelectionBar = c.selectionBar;
        EXPECT_EQ(TextEditTextRect(TRect(10, 20, 110, 40), data), c.expected);
    }
}

TEST(TextEditDrawingTest, FormattingRectangleOfTheEditWindow)
{
    struct Case {
        const char* name;
        bool selectionBar;
        TAlignment alignment;
        TRect offsets;
        TRect expected;
    };
    const TRect client(0, 0, 100, 20);
    const Case cases[] = {
        {"plain", false, TAlignment::taLeftJustify, TRect(), TRect(1, 1, 99, 19)},
        {"centred", false, TAlignment::taCenter, TRect(), TRect(1, 1, 99, 19)},
        {"right", false, TAlignment::taRightJustify, TRect(), TRect(1, 1, 98, 19)},
        {"bar", true, TAlignment::taLeftJustify, TRect(), TRect(9, 1, 99, 19)},
        {"offsets", false, TAlignment::taLeftJustify, TRect(2, 3, 4, 5), TRect(3, 4, 95, 19)},
        {"all", true, TAlignment::taRightJustify, TRect(2, 3, 4, 5), TRect(11, 4, 94, 19)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextEditFormatRect(client, c.selectionBar, c.alignment, c.offsets), c.expected) << c.name;
}

TEST(TextEditDrawingTest, FlagWordFromAlignmentLayoutAndOptions)
{
    struct Case {
        TAlignment alignment;
        uint8_t layout;
        bool focusRect, focused, ellipsis, transparent;
        WORD expected;
    };
    const Case cases[] = {
        {TAlignment::taLeftJustify, 0, false, false, false, false, 0 | CTF_KEEPBKMODE},
        {TAlignment::taCenter, 1, false, false, false, false, 1 | 4 | CTF_KEEPBKMODE},
        {TAlignment::taRightJustify, 2, false, false, false, false, 2 | 8 | CTF_KEEPBKMODE},
        {TAlignment::taLeftJustify, 3, false, false, false, false, 16 | CTF_KEEPBKMODE},
        {TAlignment::taLeftJustify, 0, true, true, false, false, CTF_FOCUSRECT | CTF_KEEPBKMODE},
        {TAlignment::taLeftJustify, 0, true, false, false, false, CTF_KEEPBKMODE},   // not focused
        {TAlignment::taLeftJustify, 0, false, true, false, false, CTF_KEEPBKMODE},   // not asked
        {TAlignment::taLeftJustify, 0, false, false, true, true,
         CTF_END_ELLIPSIS | CTF_TRANSPARENT | CTF_KEEPBKMODE},
    };
    for (const Case& c : cases) {
        TzqTextEditViewData data;
        data.Alignment = c.alignment;
        data.LayoutMode = c.layout;
        data.FocusRect = c.focusRect;
        data.Focused = c.focused;
        data.EndEllipsis = c.ellipsis;
        data.Transparent = c.transparent;
        EXPECT_EQ(TextEditDrawFlags(data), c.expected) << int(c.alignment) << "/" << int(c.layout);
    }
}

class TextEditPaintTest : public ::testing::Test {
protected:
    TextEditPaintTest() : picture(160, 80) { picture.Fill(clWhite); }
    THeadlessDriver driver; // fonts need the graphics system
    TBitmap picture;
};

TEST_F(TextEditPaintTest, MeasuringCountsLinesAndDrawsNothing)
{
    // Word-wrapped into a rectangle one word wide: one line per word.
    TzqTextEditViewData data = Cell("mmmm mmmm mmmm");
    data.LayoutMode = 3;
    data.OneBorder = true;
    data.MeasureOnly = true;
    const int wordWidth = picture.Canvas()->TextWidth("mmmm");
    ASSERT_TRUE(DrawTextEditContent(picture.Canvas(), TRect(0, 0, wordWidth + 6, 80), false, data));
    EXPECT_GT(data.LineHeight, 2);
    EXPECT_EQ(data.LineCount, 3);
    EXPECT_EQ(data.TotalHeight, 3 * data.LineHeight + 2);
    EXPECT_FALSE(InkBox(picture, clWhite)) << "measuring draws nothing";

    // On one line, with a top offset that the total leaves out.
    TzqTextEditViewData line = Cell("mmmm mmmm mmmm");
    line.MeasureOnly = true;
    line.TextOffsets = TRect(0, 3, 0, 0);
    DrawTextEditContent(picture.Canvas(), TRect(0, 0, 150, 80), false, line);
    EXPECT_EQ(line.LineCount, 1);
    // Margins: 1 + 3 above and 1 below the line; the total drops 2 and the top offset.
    EXPECT_EQ(line.TotalHeight, line.LineHeight);
}

TEST_F(TextEditPaintTest, SelectionBarKeepsTheMarginFreeAndTransparentWindowPaintIsLeftAlone)
{
    TzqTextEditViewData data = Cell("Wide text");
    data.SelectionBar = true;
    ASSERT_TRUE(DrawTextEditContent(picture.Canvas(), TRect(0, 0, 160, 30), false, data));
    const std::optional<TRect> ink = InkBox(picture, clWhite);
    ASSERT_TRUE(ink);
    EXPECT_GE(ink->Left, 9);

    picture.Fill(clWhite);
    TzqTextEditViewData transparent = Cell("Wide text");
    transparent.Transparent = true;
    EXPECT_FALSE(DrawTextEditContent(picture.Canvas(), TRect(0, 0, 160, 30), true, transparent));
    EXPECT_FALSE(InkBox(picture, clWhite));
    // Painting the cell of a host (not the window) still draws it.
    EXPECT_TRUE(DrawTextEditContent(picture.Canvas(), TRect(0, 0, 160, 30), false, transparent));
    EXPECT_TRUE(InkBox(picture, clWhite));
}

} // namespace
