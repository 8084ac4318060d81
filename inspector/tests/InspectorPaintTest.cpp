// The inspector's painting in its five styles: colours, frames, grid lines, buttons and
// the custom drawing of cells.
#include "inspector/tests/InspectorPaintFixture.h"

#include "platform/core/Color.h"

#include <cstdlib>
#include <filesystem>

namespace {

using S = TzqInspectorPaintStyle;

TColor Rgb(TColor color)
{
    return static_cast<TColor>(ColorToRGB(color));
}

// Pictures of every style for a person to look at, written where INSPECTOR_PNG_DIR says.
TEST_F(InspectorPaintTest, PicturesOfTheFiveStylesAndBandModeAreWritten)
{
    const char* dir = std::getenv("INSPECTOR_PNG_DIR");
    if (!dir)
        GTEST_SKIP() << "INSPECTOR_PNG_DIR is not set";
    std::filesystem::create_directories(dir);
    host->SetFocus();
    host->SetFocusedNode(rows[1]->Node());
    const std::pair<S, const char*> styles[] = {{S::ipsStandard, "standard"},
                                                {S::ipsSimple, "simple"},
                                                {S::ipsExtended, "extended"},
                                                {S::ipsNET, "net"},
                                                {S::ipsCategorized, "categorized"}};
    for (const auto& [style, name] : styles) {
        host->SetPaintStyle(style);
        host->SetDividerPos(110);
        driver.PaintAll();
        EXPECT_TRUE(driver.SavePng(form->Handle(), std::string(dir) + "/inspector-" + name + ".png")) << name;
    }
    host->SetOptions(zqDefaultInspectorOptions + TzqDBInspectorOption::dioAutoBandCount);
    host->SetBandWidth(200);
    SetClientSize(400, 90);
    host->SetDividerPos(90);
    driver.PaintAll();
    EXPECT_TRUE(driver.SavePng(form->Handle(), std::string(dir) + "/inspector-bands.png"));
}

TEST_F(InspectorPaintTest, StyleGroupChangeSwapsColoursStillAtTheirDefaults)
{
    struct Case {
        S from, to;
        bool explicitColours;
        TColor color, grid, value;
    } cases[] = {
        {S::ipsStandard, S::ipsNET, false, clWindow, clBtnFace, clWindowText},
        {S::ipsNET, S::ipsStandard, false, clBtnFace, clBtnShadow, clNavy},
        {S::ipsCategorized, S::ipsSimple, false, clWindow, clBtnFace, clWindowText},
        // Within a group nothing changes.
        {S::ipsStandard, S::ipsCategorized, false, clBtnFace, clBtnShadow, clNavy},
        {S::ipsSimple, S::ipsNET, false, clWindow, clBtnFace, clWindowText},
        // Colours chosen by hand are kept.
        {S::ipsStandard, S::ipsNET, true, clYellow, clRed, clGreen},
        {S::ipsNET, S::ipsExtended, true, clYellow, clRed, clGreen},
    };
    for (const Case& c : cases) {
        host->SetPaintStyle(c.from);
        if (c.explicitColours) {
            host->SetColor(clYellow);
            host->SetGridColor(clRed);
            host->SetValueColor(clGreen);
        }
        host->SetPaintStyle(c.to);
        EXPECT_EQ(host->Color(), c.color) << int(c.from) << "->" << int(c.to);
        EXPECT_EQ(host->GridColor(), c.grid) << int(c.from) << "->" << int(c.to);
        EXPECT_EQ(host->ValueColor(), c.value) << int(c.from) << "->" << int(c.to);
        // Back to the defaults of the classic group for the next case.
        host->SetPaintStyle(S::ipsStandard);
        host->SetColor(clBtnFace);
        host->SetGridColor(clBtnShadow);
        host->SetValueColor(clNavy);
    }
}

TEST_F(InspectorPaintTest, ValueColourIsInvertedOnABlackButtonFace)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(host->EffectiveValueColor(), clNavy);
    SetSysColor(COLOR_BTNFACE, 0);
    EXPECT_EQ(host->EffectiveValueColor(), static_cast<TColor>(0x800000 ^ 0xFFFFFF));
    host->SetValueColor(clRed);
    EXPECT_EQ(host->EffectiveValueColor(), static_cast<TColor>(0x0000FF ^ 0xFFFFFF));
    SetSysColor(COLOR_BTNFACE, face);
    EXPECT_EQ(host->EffectiveValueColor(), clRed);
}

TEST_F(InspectorPaintTest, StandardStyleFramesTheFocusedLineSunkenAndDrawsHalftoneGridLines)
{
    host->SetFocusedNode(rows[5]->Node());
    host->OnGetEditColor = [](TObject*, TColor& color) { color = clAqua; };
    host->HideEditor();
    auto picture = Picture();
    const TRect line = host->LineRect(rows[5]->Node());
    const TRect value = host->LineGeometry(rows[5]->Node(), line).Value;
    // The sunken frame: shadow then dark shadow along the top, highlight along the bottom.
    EXPECT_EQ(ClientPixel(*picture, 60, line.Top - 2), Rgb(clBtnShadow));
    EXPECT_EQ(ClientPixel(*picture, 60, line.Top - 1), Rgb(cl3DDkShadow));
    EXPECT_EQ(ClientPixel(*picture, 60, line.Bottom - 1), Rgb(clBtnHighlight));
    // The focused value cell takes the editor's colour; another one the background.
    EXPECT_EQ(ClientPixel(*picture, value.Right - 3, value.Top + 2), Rgb(clAqua));
    const TRect other = host->LineRect(complex->Node());
    EXPECT_EQ(ClientPixel(*picture, value.Right - 3, other.Top + 2), Rgb(clBtnFace));
    // A dotted grid line under another line: grid colour and background in turn.
    const int y = other.Bottom - 1;
    const TColor a = ClientPixel(*picture, 150, y), b = ClientPixel(*picture, 151, y);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == Rgb(clBtnShadow) && b == Rgb(clBtnFace)) || (a == Rgb(clBtnFace) && b == Rgb(clBtnShadow)));
}

TEST_F(InspectorPaintTest, CategorizedStyleRaisesTheFocusedCategoryOverTheShadowAndHasNoGridLines)
{
    host->SetPaintStyle(S::ipsCategorized);
    host->SetFocusedNode(category->Node());
    auto picture = Picture();
    const TRect cat = host->LineRect(category->Node());
    // The category's outer ring is the shadow brush; inside it the raised edge begins
    // with the highlight at the top-left.
    EXPECT_EQ(ClientPixel(*picture, 40, cat.Top), Rgb(clBtnShadow));
    EXPECT_EQ(ClientPixel(*picture, 40, cat.Top + 1), Rgb(clBtnHighlight));
    EXPECT_TRUE(host->LineGeometry(category->Node(), cat).Value.IsEmpty());
    // A data line: a white value cell and no grid line at its bottom.
    const TRect line = host->LineRect(rows[1]->Node());
    const TRect value = host->LineGeometry(rows[1]->Node(), line).Value;
    EXPECT_EQ(ClientPixel(*picture, value.Right - 2, value.Top + 1), Rgb(clWindow));
    EXPECT_EQ(ClientPixel(*picture, 60, line.Bottom - 1), Rgb(clBtnFace));
    // Not focused and not hot: framed with the background instead of raised.
    host->SetFocusedNode(rows[1]->Node());
    picture = Picture();
    EXPECT_EQ(ClientPixel(*picture, 40, cat.Top + 1), Rgb(clBtnFace));
}

TEST_F(InspectorPaintTest, FocusedCaptionAndGutterColoursPerStyle)
{
    struct Case {
        S style;
        TColor focusedCaption; // behind the focused line's caption
        TColor gutter;         // the first indent strip of a line in a category
    } cases[] = {
        {S::ipsStandard, clBtnFace, clBtnFace},
        {S::ipsExtended, clBtnFace, clBtnFace},
        {S::ipsSimple, clHighlight, clWindow},
        {S::ipsNET, clHighlight, clBtnFace},
    };
    for (const Case& c : cases) {
        host->SetPaintStyle(c.style);
        host->SetFocusedNode(rows[2]->Node());
        auto picture = Picture();
        const TRect line = host->LineRect(rows[2]->Node());
        const TzqInspectorLineGeometry g = host->LineGeometry(rows[2]->Node(), line);
        EXPECT_EQ(ClientPixel(*picture, g.Caption.Right - 3, g.Caption.Top + 2), Rgb(c.focusedCaption))
            << int(c.style);
        const TRect other = host->LineRect(rows[5]->Node());
        EXPECT_EQ(ClientPixel(*picture, other.Left + 2, other.Top + 2), Rgb(c.gutter)) << int(c.style);
    }
}

TEST_F(InspectorPaintTest, CustomDrawingRunsInspectorThenRowAndDoneSkipsTheOwnDrawing)
{
    host->SetFocusedNode(rows[5]->Node());
    host->HideEditor();
    std::vector<std::string> calls;
    host->OnDrawValue = [&](TObject* sender, TCanvas*, const TRect&, std::string&, TFont*, TColor& color, bool&) {
        if (sender == rows[1]) {
            calls.push_back("inspector");
            color = clRed;
        }
    };
    rows[1]->OnDrawValue = [&](TObject*, TCanvas*, const TRect&, std::string& text, TFont*, TColor& color, bool&) {
        calls.push_back("row");
        EXPECT_EQ(color, clRed);
        text.clear();
    };
    bool captionDone = false;
    rows[2]->OnDrawCaption = [&](TObject*, TCanvas* canvas, const TRect& r, std::string&, TFont*, TColor&,
                                 bool& done) {
        canvas->Brush()->SetColor(clLime);
        canvas->FillRect(r);
        done = captionDone = true;
    };
    auto picture = Picture();
    EXPECT_EQ(calls, (std::vector<std::string>{"inspector", "row"}));
    // The colour the inspector's handler chose fills the cell the row then drew.
    const TRect value = host->LineGeometry(rows[1]->Node(), host->LineRect(rows[1]->Node())).Value;
    EXPECT_EQ(ClientPixel(*picture, value.Right - 3, value.Top + 3), Rgb(clRed));
    // A caption whose handler is done shows only what the handler drew: no text.
    ASSERT_TRUE(captionDone);
    const TRect caption = host->LineGeometry(rows[2]->Node(), host->LineRect(rows[2]->Node())).Caption;
    for (int x = caption.Left; x < caption.Right; ++x)
        ASSERT_EQ(ClientPixel(*picture, x, (caption.Top + caption.Bottom) / 2), Rgb(clLime)) << x;
}

TEST_F(InspectorPaintTest, RowDestroyedByItsDrawHandlerEndsThePaintSafely)
{
    rows[2]->OnDrawCaption = [&](TObject* sender, TCanvas*, const TRect&, std::string&, TFont*, TColor&, bool&) {
        delete static_cast<TzqInspectorRow*>(sender);
    };
    auto picture = Picture();
    EXPECT_EQ(host->FindRow("R2"), nullptr);
    // Its line went, and with it the line of its child.
    EXPECT_EQ(host->LineCount(), 3);
    // The next paint shows the lines without it.
    picture = Picture();
    EXPECT_TRUE(host->LineRect(complex->Node()).Top > 0);
}

} // namespace
