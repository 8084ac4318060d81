// Painting: the background (colour, gradient bands, tiled picture) painted last and only
// around what was drawn, header edges per style and state, scroll buttons, embossed
// disabled captions, the XP highlight colour and the W2K full-width frame.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/drawing/ImageList.h"
#include "platform/drawing/Picture.h"
#include "sidebar/SideBarBackGround.h"
#include "sidebar/SideBarXPPainter.h"

#include <functional>
#include <set>
#include <vector>

namespace {

using Paint = SideBarTest;

TColor Rgb(TColor c)
{
    return ColorToRGB(c) & 0xFFFFFF;
}

int CountPixels(const std::unique_ptr<TBitmap>& b, const TRect& r, TColor color)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += At(b, x, y) == color;
    return n;
}

TEST_F(Paint, ASideBarWithoutGroupsPaintsOnlyItsBackground)
{
    TzqSideBar* bar = NewShownSideBar(60, 80, TzqsbPaintStyle::sbpsStandard);
    bar->SetColor(clTeal);
    const auto picture = Picture();
    EXPECT_EQ(CountPixels(picture, TRect(0, 0, 60, 80), clTeal), 60 * 80);
}

TEST_F(Paint, FlatDrawsAThinSunkenBorderAroundTheBackground)
{
    TzqSideBar* bar = NewShownSideBar(60, 80, TzqsbPaintStyle::sbpsFlat);
    bar->SetColor(clTeal);
    const auto picture = Picture();
    EXPECT_EQ(At(picture, 0, 40), Rgb(clBtnShadow));
    EXPECT_EQ(At(picture, 30, 0), Rgb(clBtnShadow));
    EXPECT_EQ(At(picture, 59, 40), Rgb(clBtnHighlight));
    EXPECT_EQ(At(picture, 30, 79), Rgb(clBtnHighlight));
    EXPECT_EQ(CountPixels(picture, TRect(1, 1, 59, 79), clTeal), 58 * 78);
}

// The background comes last: without each drawn part excluded from the clip it would
// cover headers, images and captions.
TEST_F(Paint, HeadersImagesAndCaptionsSurviveTheBackgroundPaintedAfterThem)
{
    for (TzqsbPaintStyle style : {TzqsbPaintStyle::sbpsStandard, TzqsbPaintStyle::sbpsFlat, TzqsbPaintStyle::sbpsW2K,
                                  TzqsbPaintStyle::sbpsXP}) {
        SCOPED_TRACE(int(style));
        TzqSideBar* bar = NewShownSideBar(150, 300, style);
        bar->SetColor(clTeal);
        TImageList images(32, 32);
        TBitmap red(32, 32);
        red.Fill(clRed);
        images.Add(&red, nullptr);
        bar->SetLargeImages(&images);
        AddGroup(bar, "One", 0);
        TzqSideGroup* two = AddGroup(bar, "Two", 2);
        AddGroup(bar, "Three", 0);
        two->Items()->Items(0)->SetLargeImage(0);
        bar->SetActiveGroup(two);
        const auto picture = Picture();
        const TzqSideBarViewInfo* vi = bar->ViewInfo();

        const TRect header = vi->Headers(2).Rect;
        EXPECT_EQ(At(picture, header.Left + 3, header.Top + 3), Rgb(clBtnFace));
        const TzqSideItemViewInfo& first = vi->Items(0);
        EXPECT_EQ(CountPixels(picture, first.ImageRect, clRed), 32 * 32);
        // The caption shows in the item font's colour.
        EXPECT_GT(CountPixels(picture, first.CaptionRect, Rgb(clWindow)), 0);
        // The image index -1 of the second item draws nothing: background there.
        EXPECT_EQ(CountPixels(picture, vi->Items(1).ImageRect, clTeal), 32 * 32);
        form->Release();
        driver.Pump();
    }
}

TEST_F(Paint, ImageIndexesOutsideTheListDrawNothing)
{
    TzqSideBar* bar = NewShownSideBar(150, 300, TzqsbPaintStyle::sbpsStandard);
    bar->SetColor(clTeal);
    TImageList images(32, 32);
    TBitmap red(32, 32);
    red.Fill(clRed);
    images.Add(&red, nullptr);
    bar->SetLargeImages(&images);
    TzqSideGroup* group = AddGroup(bar, "A", 2);
    group->Items()->Items(0)->SetLargeImage(1);
    group->Items()->Items(1)->SetLargeImage(1000000);
    const auto picture = Picture();
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(CountPixels(picture, bar->ViewInfo()->Items(i).ImageRect, clTeal), 32 * 32) << "item " << i;
}

// ---- Background ----

TEST_F(Paint, GradientBandsStartAtMultiplesOfStepAndCutTowardZero)
{
    TzqSideBarBackGround bk;
    bk.SetBeginColor(RGB(0, 10, 200));
    bk.SetEndColor(RGB(255, 10, 0));
    bk.SetFillStyle(TzqSideBarFillStyle::bfsHorz);
    bk.SetStep(3);
    struct Band {
        TRect rect;
        TColor color;
    };
    std::vector<Band> bands;
    auto collect = [&](const TRect& r, TColor c) { bands.push_back({r, c}); };

    // Span 10, step 3: red rises 76.5 a band, blue falls 60.
    bk.ForEachBand(TRect(0, 0, 5, 10), TSize(5, 10), collect);
    const std::vector<Band> whole = {{TRect(0, 0, 5, 3), RGB(0, 10, 200)},
                                     {TRect(0, 3, 5, 6), RGB(76, 10, 140)},
                                     {TRect(0, 6, 5, 9), RGB(153, 10, 80)},
                                     {TRect(0, 9, 5, 10), RGB(229, 10, 20)}};
    ASSERT_EQ(bands.size(), whole.size());
    for (size_t i = 0; i < whole.size(); ++i) {
        EXPECT_EQ(bands[i].rect, whole[i].rect) << "band " << i;
        EXPECT_EQ(bands[i].color, whole[i].color) << "band " << i;
    }

    // A part starting at 4: its value there, the first band up to 6, then steps of 3.
    bands.clear();
    bk.ForEachBand(TRect(1, 4, 3, 8), TSize(5, 10), collect);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].rect, TRect(1, 4, 3, 6));
    EXPECT_EQ(bands[0].color, RGB(102, 10, 120));
    EXPECT_EQ(bands[1].rect, TRect(1, 6, 3, 8));
    EXPECT_EQ(bands[1].color, RGB(178, 10, 60)); // 102 + 76.5 = 178.5

    // Vertical bands run right over the client width.
    bands.clear();
    bk.SetFillStyle(TzqSideBarFillStyle::bfsVert);
    bk.ForEachBand(TRect(0, 0, 4, 2), TSize(4, 100), collect);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].rect, TRect(0, 0, 3, 2));
    EXPECT_EQ(bands[1].rect, TRect(3, 0, 4, 2));
    EXPECT_EQ(bands[1].color, RGB(191, 10, 50)); // 255 * 3 / 4 = 191.25
}

TEST_F(Paint, NoGradientWithoutFillStyleOrWithEqualColoursOrAZeroSpan)
{
    TzqSideBarBackGround bk;
    bk.SetBeginColor(clBlack);
    bk.SetEndColor(clWhite);
    EXPECT_FALSE(bk.HasGradient(TSize(10, 10))) << "bfsNone";
    bk.SetFillStyle(TzqSideBarFillStyle::bfsHorz);
    EXPECT_TRUE(bk.HasGradient(TSize(10, 10)));
    // A side bar without height: no span to divide by.
    EXPECT_FALSE(bk.HasGradient(TSize(10, 0)));
    int calls = 0;
    bk.ForEachBand(TRect(0, 0, 10, 5), TSize(10, 0), [&](const TRect&, TColor) { ++calls; });
    EXPECT_EQ(calls, 0);
    bk.SetFillStyle(TzqSideBarFillStyle::bfsVert);
    EXPECT_FALSE(bk.HasGradient(TSize(0, 10)));
    bk.SetEndColor(clBlack);
    EXPECT_FALSE(bk.HasGradient(TSize(10, 10))) << "equal colours";
}

TEST_F(Paint, GradientOfSystemColoursWorksOnTheirRedGreenAndBlue)
{
    TzqSideBarBackGround bk;
    bk.SetBeginColor(clBtnFace);
    bk.SetEndColor(clHighlight);
    bk.SetFillStyle(TzqSideBarFillStyle::bfsHorz);
    bk.SetStep(1);
    std::vector<TColor> colors;
    bk.ForEachBand(TRect(0, 0, 1, 2), TSize(1, 2), [&](const TRect&, TColor c) { colors.push_back(c); });
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_EQ(colors[0], Rgb(clBtnFace));
    const COLORREF face = Rgb(clBtnFace), highlight = Rgb(clHighlight);
    EXPECT_EQ(GetRValue(colors[1]), (GetRValue(face) + GetRValue(highlight)) / 2);
    EXPECT_EQ(GetBValue(colors[1]), (GetBValue(face) + GetBValue(highlight)) / 2);
}

TEST_F(Paint, TheGradientFillsTheSideBar)
{
    TzqSideBar* bar = NewShownSideBar(20, 10, TzqsbPaintStyle::sbpsStandard);
    bar->BkGround()->SetBeginColor(RGB(0, 0, 0));
    bar->BkGround()->SetEndColor(RGB(100, 200, 50));
    bar->BkGround()->SetFillStyle(TzqSideBarFillStyle::bfsHorz);
    bar->BkGround()->SetStep(3);
    const auto picture = Picture();
    const TColor rows[10] = {RGB(0, 0, 0),      RGB(0, 0, 0),      RGB(0, 0, 0),      RGB(30, 60, 15),  RGB(30, 60, 15),
                             RGB(30, 60, 15),   RGB(60, 120, 30),  RGB(60, 120, 30),  RGB(60, 120, 30), RGB(90, 180, 45)};
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(CountPixels(picture, TRect(0, y, 20, y + 1), rows[y]), 20) << "row " << y;
}

TEST_F(Paint, APictureIsTiledFromTheTopLeftCornerAndWinsOverTheGradient)
{
    TzqSideBar* bar = NewShownSideBar(20, 10, TzqsbPaintStyle::sbpsStandard);
    bar->BkGround()->SetBeginColor(clBlack);
    bar->BkGround()->SetEndColor(clWhite);
    bar->BkGround()->SetFillStyle(TzqSideBarFillStyle::bfsHorz);
    TBitmap tile(3, 2);
    const TColor colors[2][3] = {{clRed, clLime, clBlue}, {clYellow, clFuchsia, clAqua}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            tile.SetPixel(x, y, colors[y][x]);
    TPicture picture;
    picture.SetBitmap(&tile);
    bar->SetBkPicture(picture);
    const auto shot = Picture();
    int wrong = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            wrong += At(shot, x, y) != colors[y % 2][x % 3];
    EXPECT_EQ(wrong, 0);
}

// ---- Headers ----

// One edge drawn on the header rectangle inset by `inset`.
struct Edge {
    int inset;
    unsigned kind;
    unsigned sides;
};

// Draws what a header's edges should look like on a bitmap of the header's size.
std::unique_ptr<TBitmap> ExpectedEdges(TSize size, const std::vector<Edge>& edges)
{
    auto b = std::make_unique<TBitmap>(size.cx, size.cy);
    b->Fill(clBtnFace);
    for (const Edge& e : edges) {
        TRect r = TRect(0, 0, size.cx, size.cy).Inflate(-e.inset, -e.inset);
        b->Canvas()->DrawEdge(r, e.kind, e.sides);
    }
    return b;
}

// The two-pixel ring of a header, where its edges are.
std::vector<std::string> Ring(const TBitmap& b, TPoint origin, TSize size)
{
    std::vector<std::string> differences;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const bool ring = x < 2 || y < 2 || x >= size.cx - 2 || y >= size.cy - 2;
            if (ring)
                differences.push_back(std::to_string(b.Pixel(origin.X + x, origin.Y + y) & 0xFFFFFF));
        }
    return differences;
}

TEST_F(Paint, HeaderEdgesPerStyleAndState)
{
    enum class State { Normal, Hot, HotPressed };
    struct Case {
        const char* name;
        TzqsbPaintStyle style;
        State state;
        bool active;
        std::vector<Edge> edges;
    };
    const std::vector<Edge> normal = {{0, BDR_RAISEDINNER, BF_TOPLEFT}, {0, BDR_RAISEDINNER, BF_BOTTOMRIGHT}};
    const std::vector<Edge> hot = {
        {0, BDR_RAISEDINNER, BF_TOPLEFT}, {0, BDR_RAISEDOUTER, BF_BOTTOMRIGHT}, {1, BDR_RAISEDINNER, BF_BOTTOMRIGHT}};
    const std::vector<Edge> pressed = {
        {0, BDR_SUNKENINNER, BF_TOPLEFT}, {0, BDR_SUNKENOUTER, BF_BOTTOMRIGHT}, {1, BDR_SUNKENOUTER, BF_TOPLEFT}};
    auto withActiveLine = [](std::vector<Edge> e) {
        e.push_back({0, BDR_RAISEDOUTER, BF_BOTTOM});
        return e;
    };
    const std::vector<Edge> standard = {{0, EDGE_RAISED, BF_RECT}};
    const std::vector<Case> cases = {
        {"Flat normal", TzqsbPaintStyle::sbpsFlat, State::Normal, false, normal},
        {"Flat hot", TzqsbPaintStyle::sbpsFlat, State::Hot, false, hot},
        {"Flat hot and pressed", TzqsbPaintStyle::sbpsFlat, State::HotPressed, false, pressed},
        {"Flat active", TzqsbPaintStyle::sbpsFlat, State::Normal, true, withActiveLine(normal)},
        {"Flat active hot", TzqsbPaintStyle::sbpsFlat, State::Hot, true, withActiveLine(hot)},
        {"W2K hot", TzqsbPaintStyle::sbpsW2K, State::Hot, false, hot},
        {"W2K active", TzqsbPaintStyle::sbpsW2K, State::Normal, true, withActiveLine(normal)},
        {"XP normal", TzqsbPaintStyle::sbpsXP, State::Normal, false, normal},
        {"XP hot and pressed", TzqsbPaintStyle::sbpsXP, State::HotPressed, false, pressed},
        // No line under XP's active header.
        {"XP active", TzqsbPaintStyle::sbpsXP, State::Normal, true, normal},
        {"Standard normal", TzqsbPaintStyle::sbpsStandard, State::Normal, false, standard},
        // Standard does not track the pointer.
        {"Standard hot", TzqsbPaintStyle::sbpsStandard, State::HotPressed, false, standard},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto bar = NewSideBar();
        bar->SetPaintStyle(c.style);
        TzqSideGroup* one = AddGroup(bar.get(), "One", 0);
        TzqSideGroup* two = AddGroup(bar.get(), "Two", 0);
        bar->SetActiveGroup(c.active ? one : two);
        if (c.state != State::Normal)
            bar->SetHotGroup(one, c.state == State::HotPressed);
        bar->CalculateLayout();
        const TzqSideGroupViewInfo& header = *bar->ViewInfo()->FindHeader(one);
        TBitmap canvas(bar->Width(), bar->Height());
        canvas.Fill(clBlack);
        bar->Painter()->DrawGroupHeader(canvas.Canvas(), header);
        const auto expected = ExpectedEdges(header.Rect.Size(), c.edges);
        EXPECT_EQ(Ring(canvas, header.Rect.TopLeft(), header.Rect.Size()), Ring(*expected, {0, 0}, header.Rect.Size()));
    }
}

TEST_F(Paint, ScrollButtonsAreScrollArrowFrameControlsShownPushedWhilePressed)
{
    TzqSideBar* bar = NewShownSideBar(150, 300, TzqsbPaintStyle::sbpsFlat);
    TzqSideGroup* group = AddGroup(bar, "A", 30);
    group->SetTopItemIndex(1);
    bar->SetScrollButtonsPressed(false, true);
    const auto shot = Picture();
    const TzqSideBarViewInfo* vi = bar->ViewInfo();
    struct Case {
        TRect rect;
        unsigned state;
    };
    for (const Case& c : {Case{vi->UpButton(), DFCS_SCROLLUP}, Case{vi->DownButton(), DFCS_SCROLLDOWN | DFCS_PUSHED}}) {
        ASSERT_FALSE(c.rect.IsEmpty());
        TBitmap expected(16, 16);
        TRect r(0, 0, 16, 16);
        expected.Canvas()->DrawFrameControl(r, DFC_SCROLL, c.state);
        int wrong = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                wrong += At(shot, c.rect.Left + x, c.rect.Top + y) != (expected.Pixel(x, y) & 0xFFFFFF);
        EXPECT_EQ(wrong, 0) << "state " << c.state;
    }
    // No pushed look while an item is dragged.
    bar->SetItemDragging(true);
    bar->Invalidate();
    const auto dragging = Picture();
    TBitmap normal(16, 16);
    TRect r(0, 0, 16, 16);
    normal.Canvas()->DrawFrameControl(r, DFC_SCROLL, DFCS_SCROLLDOWN);
    EXPECT_EQ(At(dragging, vi->DownButton().Left + 1, vi->DownButton().Top + 1), normal.Pixel(1, 1) & 0xFFFFFF);
}

// ---- Items ----

TEST_F(Paint, ADisabledCaptionIsEmbossedInHighlightAndShadow)
{
    TzqSideBar* bar = NewShownSideBar(150, 300, TzqsbPaintStyle::sbpsFlat);
    bar->SetColor(clNavy);
    bar->ItemFont()->SetColor(clYellow);
    TzqSideGroup* group = AddGroup(bar, "Caption", 2);
    group->Items()->Items(1)->SetEnabled(false);
    const auto shot = Picture();
    const TzqSideItemViewInfo& enabled = bar->ViewInfo()->Items(0);
    const TzqSideItemViewInfo& disabled = bar->ViewInfo()->Items(1);
    EXPECT_GT(CountPixels(shot, enabled.CaptionRect, clYellow), 0);
    EXPECT_EQ(CountPixels(shot, enabled.CaptionRect, Rgb(clBtnShadow)), 0);
    // Highlight one pixel right and down (it may reach past the caption rectangle),
    // then the shadow at the caption's place; never the font's colour.
    EXPECT_GT(CountPixels(shot, disabled.CaptionRect.Inflate(1, 1), Rgb(clBtnHighlight)), 0);
    EXPECT_GT(CountPixels(shot, disabled.CaptionRect, Rgb(clBtnShadow)), 0);
    EXPECT_EQ(CountPixels(shot, disabled.CaptionRect.Inflate(1, 1), clYellow), 0);
    EXPECT_EQ(bar->ItemFont()->Color(), clYellow) << "the font's colour is restored";
}

TEST_F(Paint, ImageFramesShowSelectionFocusAndPressNotForDisabledItems)
{
    struct Case {
        const char* name;
        bool selected, focused, pressed, disabled;
        unsigned edge; // 0: none
    };
    const std::vector<Case> cases = {
        {"plain", false, false, false, false, 0},
        {"focused", false, true, false, false, BDR_RAISEDOUTER},
        {"focused and pressed", false, true, true, false, BDR_SUNKENINNER},
        {"selected", true, false, false, false, BDR_SUNKENINNER},
        {"selected and focused", true, true, false, false, BDR_SUNKENINNER},
        {"disabled and focused", false, true, true, true, 0},
    };
    for (TzqsbPaintStyle style : {TzqsbPaintStyle::sbpsStandard, TzqsbPaintStyle::sbpsFlat, TzqsbPaintStyle::sbpsW2K})
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(int(style)) + " " + c.name);
            TzqSideBar* bar = NewShownSideBar(150, 300, style);
            bar->SetColor(clNavy);
            bar->SetCanSelected(true);
            TzqSideBarItem* item = AddGroup(bar, "A", 1)->Items()->Items(0);
            item->SetEnabled(!c.disabled);
            bar->CalculateLayout();
            if (c.selected)
                bar->SetSelectedItem(item);
            if (c.focused)
                bar->SetFocusedItem(item, c.pressed);
            const auto shot = Picture();
            const TRect frame = bar->ViewInfo()->Items(0).ItemFrame();
            TBitmap expected(frame.Width(), frame.Height());
            expected.Fill(clNavy);
            TRect r(0, 0, frame.Width(), frame.Height());
            if (c.edge)
                expected.Canvas()->DrawEdge(r, c.edge, BF_RECT);
            // The frame's left and top sides: its edge, or the background.
            for (int y = 0; y < frame.Height(); y += std::max(1, frame.Height() / 7))
                EXPECT_EQ(At(shot, frame.Left, frame.Top + y), expected.Pixel(0, y) & 0xFFFFFF) << "y " << y;
            EXPECT_EQ(At(shot, frame.Left + frame.Width() / 3, frame.Top), expected.Pixel(frame.Width() / 3, 0) & 0xFFFFFF);
            EXPECT_EQ(At(shot, frame.Right - 1, frame.Bottom - 1), expected.Pixel(frame.Width() - 1, frame.Height() - 1) & 0xFFFFFF);
            form->Release();
            driver.Pump();
        }
}

TEST_F(Paint, XPHighlightColourBlendsFaceHighlightAndWindow)
{
    struct Case {
        const char* name;
        COLORREF face, highlight, window;
        COLORREF expected;
    };
    const std::vector<Case> cases = {
        // -2 % of 200 is -4; 30 % of 128 is 38.4; 72 % of 255 is 183.6: terms round.
        {"grey face", RGB(200, 200, 200), RGB(0, 0, 128), RGB(255, 255, 255), RGB(180, 180, 218)},
        // A dark face makes the sum pass 255: clamped.
        {"dark face", RGB(1, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)},
        {"sum below zero", RGB(250, 250, 250), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)},
        {"black face", RGB(0, 0, 0), RGB(10, 20, 30), RGB(255, 255, 255), RGB(10, 20, 30)},
        {"white face", RGB(255, 255, 255), RGB(10, 20, 30), RGB(0, 0, 0), RGB(10, 20, 30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const COLORREF face = SetSysColor(COLOR_BTNFACE, c.face);
        const COLORREF highlight = SetSysColor(COLOR_HIGHLIGHT, c.highlight);
        const COLORREF window = SetSysColor(COLOR_WINDOW, c.window);
        const TColor blended = TzqSideBarXPPainter::HighlightColor();
        SetSysColor(COLOR_BTNFACE, face);
        SetSysColor(COLOR_HIGHLIGHT, highlight);
        SetSysColor(COLOR_WINDOW, window);
        EXPECT_EQ(blended, c.expected);
    }
}

TEST_F(Paint, XPFillsAFocusedOrSelectedItemsFrameWithTheBlendInAThinFrame)
{
    TzqSideBar* bar = NewShownSideBar(150, 300, TzqsbPaintStyle::sbpsXP);
    bar->SetColor(clNavy);
    bar->SetCanSelected(true);
    TzqSideGroup* group = AddGroup(bar, "A", 3);
    bar->SetFocusedItem(group->Items()->Items(0));
    bar->SetSelectedItem(group->Items()->Items(1));
    const auto shot = Picture();
    const TColor blend = TzqSideBarXPPainter::HighlightColor();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TzqSideItemViewInfo& info = bar->ViewInfo()->Items(i);
        const TRect frame = info.ImageFrame;
        const bool lit = i < 2;
        EXPECT_EQ(At(shot, frame.Left, frame.Top + 10), lit ? Rgb(clActiveCaption) : clNavy);
        EXPECT_EQ(At(shot, frame.Left + 2, frame.Top + 2), lit ? blend : clNavy);
    }
}

TEST_F(Paint, W2KKeepsTheFullWidthFrameAroundAFocusedItem)
{
    TzqSideBar* bar = NewShownSideBar(150, 300, TzqsbPaintStyle::sbpsW2K);
    bar->SetColor(clNavy);
    TzqSideGroup* group = AddGroup(bar, "A", 2);
    bar->SetFocusedItem(group->Items()->Items(0));
    const auto shot = Picture();
    const TRect frame = bar->ViewInfo()->Items(0).ItemFrame();
    const TRect ia = bar->ViewInfo()->ItemsArea();
    EXPECT_EQ(frame.Left, ia.Left);
    EXPECT_EQ(frame.Right, ia.Right);
    // Outer raised: light on the top-left, dark shadow on the bottom-right, also below
    // the caption, which the background around the caption does not cover.
    EXPECT_EQ(At(shot, frame.Left, frame.Top + 3), Rgb(cl3DLight));
    EXPECT_EQ(At(shot, frame.Right - 1, frame.Bottom - 3), Rgb(cl3DDkShadow));
    EXPECT_EQ(At(shot, frame.Left + 3, frame.Bottom - 1), Rgb(cl3DDkShadow));
    // The second item's frame is not drawn.
    const TRect second = bar->ViewInfo()->Items(1).ItemFrame();
    EXPECT_EQ(At(shot, second.Left, second.Top + 3), clNavy);
}

} // namespace
