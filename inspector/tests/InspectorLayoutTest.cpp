// Lines in view, scroll bars, bands, hit kinds and the division of complex cells.
#include "inspector/tests/InspectorFixture.h"

#include "inspector/ComplexCellDivision.h"
#include "inspector/InspectorComplexRow.h"
#include "platform/core/Messages.h"
#include "platform/window/ScrollBars.h"
#include "platform/window/WinApi.h"

namespace {

using O = TzqDBInspectorOption;
using K = TzqInspectorHitKind;

SCROLLINFO ScrollInfo(TWinControl* control, int bar)
{
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(control->Handle(), bar, info);
    return info;
}

class InspectorLayoutTest : public InspectorTest {
protected:
    // n lines of height h (the line height raised to h through the rows' own height).
    void Lines(int n, int h)
    {
        rows = AddRows(n);
        host->SetRowHeight(h);
        ASSERT_EQ(host->RowHeight(), h) << "the font's line is taller than the test needs";
    }
    std::vector<TzqInspectorTextRow*> rows;
};

TEST_F(InspectorLayoutTest, ThreeLinesInFortyPixelsShowThreeAndCountTwoAsFullyVisible)
{
    Lines(3, 18);
    SetClientSize(200, 40);
    EXPECT_EQ(host->VisibleLineCount(), 3);
    EXPECT_EQ(host->FullyVisibleLineCount(), 2);
    const SCROLLINFO v = ScrollInfo(host, SB_VERT);
    EXPECT_EQ(v.nMin, 0);
    EXPECT_EQ(v.nMax, 2);
    EXPECT_EQ(v.nPage, 2u);
    EXPECT_EQ(host->LineRect(rows[2]->Node()), TRect(0, 36, host->ClientWidth(), 54));
}

TEST_F(InspectorLayoutTest, VerticalScrollCodesMoveAndClampTheTopLine)
{
    Lines(10, 18);
    SetClientSize(200, 40); // two fully visible lines: the top index stops at 8
    struct Case {
        WORD code;
        int track;
        int top;
    } cases[] = {
        {SB_LINEDOWN, 0, 1}, {SB_PAGEDOWN, 0, 3}, {SB_LINEUP, 0, 2},       {SB_THUMBTRACK, 5, 5},
        {SB_PAGEUP, 0, 3},   {SB_THUMBTRACK, 0, 0}, {SB_THUMBTRACK, 99, 8}, {SB_LINEDOWN, 0, 8},
        {SB_TOP, 0, 8},      {SB_THUMBTRACK, 0, 0},
    };
    for (const Case& c : cases) {
        SendMessage(host->Handle(), WM_VSCROLL, MakeWParam(c.code, c.track), 0);
        EXPECT_EQ(host->TopIndex(), c.top) << "code " << c.code << " track " << c.track;
        EXPECT_EQ(ScrollInfo(host, SB_VERT).nPos, c.top);
    }
}

TEST_F(InspectorLayoutTest, CategorizedCategoryLineIsTwoPixelsLower)
{
    rows = AddRows(2);
    rows[0]->SetIsCategory(true);
    host->SetPaintStyle(TzqInspectorPaintStyle::ipsCategorized);
    EXPECT_EQ(host->NodeHeight(rows[0]->Node()), host->RowHeight() - 2);
    EXPECT_EQ(host->NodeHeight(rows[1]->Node()), host->RowHeight());
    host->SetPaintStyle(TzqInspectorPaintStyle::ipsStandard);
    EXPECT_EQ(host->NodeHeight(rows[0]->Node()), host->RowHeight());
}

TEST_F(InspectorLayoutTest, BandsOf200InA450PixelClientShowTwoFullBandsAndAPartialThird)
{
    Lines(30, 20);
    host->SetOptions(zqDefaultInspectorOptions + O::dioAutoBandCount);
    SetClientSize(450, 100);
    const int perBand = host->ClientHeight() / 20;
    EXPECT_EQ(host->FullBandCount(), 2);
    EXPECT_EQ(host->VisibleBandCount(), 3);
    EXPECT_GE(host->BandCount(), 3);
    const SCROLLINFO h = ScrollInfo(host, SB_HORZ);
    EXPECT_EQ(h.nPage, 2u);
    EXPECT_EQ(h.nMax, host->BandCount() - 1);
    EXPECT_EQ(ScrollInfo(host, SB_VERT).nMax, 0);
    EXPECT_EQ(host->FullyVisibleLineCount(), 2 * perBand);
    // The second band begins with the line after the first band's last.
    EXPECT_EQ(host->LineRect(rows[static_cast<size_t>(perBand)]->Node()).Left, 200);
    EXPECT_EQ(host->LineRect(rows[0]->Node()).Right, 200 - 3);
    // Scrolling right by a page and past the end keeps the first band within 0..B-F.
    SendMessage(host->Handle(), WM_HSCROLL, MakeWParam(SB_PAGERIGHT, 0), 0);
    EXPECT_EQ(host->FirstBand(), std::min(2, host->BandCount() - 2));
    SendMessage(host->Handle(), WM_HSCROLL, MakeWParam(SB_THUMBTRACK, 500), 0);
    EXPECT_EQ(host->FirstBand(), host->BandCount() - 2);
    EXPECT_EQ(host->TopNode(), rows[static_cast<size_t>(host->FirstBand() * perBand)]->Node());
}

TEST_F(InspectorLayoutTest, BandCountOpensAnEmptyBandAfterAnExactFit)
{
    host->SetOptions(zqDefaultInspectorOptions + O::dioAutoBandCount);
    rows = AddRows(1);
    host->SetRowHeight(20);
    SetClientSize(450, 100);
    const int clientHeight = host->ClientHeight();
    ASSERT_EQ(clientHeight % 20, 0) << "the client height must hold whole lines";
    const int perBand = clientHeight / 20;
    struct Case {
        int lines;
        int bands;
    } cases[] = {
        {1, 2},                     // one short band, but F = 2
        {perBand - 1, 2},
        {perBand, 2},               // exact fit: an empty band follows (2 begun)
        {perBand + 1, 2},
        {2 * perBand, 3},           // two exact bands: a third begun
        {2 * perBand + 1, 3},
    };
    for (const Case& c : cases) {
        while (host->RowCount() < c.lines)
            AddRows(1);
        while (host->RowCount() > c.lines)
            delete host->Rows(host->RowCount() - 1);
        host->RecalcLayout();
        EXPECT_EQ(host->BandCount(), c.bands) << c.lines << " lines of " << perBand << " per band";
    }
    // A line taller than the client stands alone and the next band begins empty.
    while (host->RowCount() > 2)
        delete host->Rows(host->RowCount() - 1);
    host->Rows(0)->SetRowHeight(clientHeight + 30);
    host->RecalcLayout();
    EXPECT_EQ(host->BandCount(), 2);
    EXPECT_EQ(host->LineRect(host->Rows(1)->Node()).Left, 200);
}

TEST_F(InspectorLayoutTest, BandEdgesAreTheSeparatorsAndWithOneBandTheClientsRightEdge)
{
    Lines(30, 20);
    host->SetOptions(zqDefaultInspectorOptions + O::dioAutoBandCount);
    SetClientSize(450, 100);
    host->SetDividerPos(75);
    struct Case {
        int x;
        K kind;
        int band;
    } cases[] = {
        {197, K::ihtBandEdge, 0}, {199, K::ihtBandEdge, 0}, {196, K::ihtValue, 0},
        {397, K::ihtBandEdge, 1}, {300, K::ihtValue, 1}, {420, K::ihtCaption, 2}, {205, K::ihtIndent, 1},
    };
    for (const Case& c : cases) {
        const TzqInspectorHitInfo hit = host->GetHitInfo({c.x, 5});
        EXPECT_EQ(hit.Kind, c.kind) << c.x;
        EXPECT_EQ(hit.Band, c.band) << c.x;
    }
    // One band narrower than the band width: its edge is the client's right edge.
    SetClientSize(150, 100);
    ASSERT_EQ(host->VisibleBandCount(), 1);
    EXPECT_EQ(host->GetHitInfo({host->ClientWidth() - 2, 5}).Kind, K::ihtBandEdge);
    EXPECT_NE(host->GetHitInfo({host->ClientWidth() - 4, 5}).Kind, K::ihtBandEdge);
}

TEST_F(InspectorLayoutTest, AutoHeightRowsGrowWithTheirTextUpToTheLineLimit)
{
    rows = AddRows(2);
    std::string words;
    for (int i = 0; i < 80; ++i)
        words += "word ";
    rows[0]->SetText(words);
    host->SetDividerPos(60);
    SetClientSize(160, 200);
    const int single = host->NodeHeight(rows[0]->Node());
    host->SetOptions(zqDefaultInspectorOptions + O::dioRowAutoHeight);
    const int capped = host->NodeHeight(rows[0]->Node());
    EXPECT_GT(capped, single);
    EXPECT_EQ(host->NodeHeight(rows[1]->Node()), host->RowHeight());
    host->SetMaxRowTextLineCount(1);
    const int oneLine = host->NodeHeight(rows[0]->Node());
    EXPECT_LT(oneLine, capped);
    EXPECT_GE(oneLine, host->RowHeight());
    host->SetMaxRowTextLineCount(0); // no limit
    EXPECT_GT(host->NodeHeight(rows[0]->Node()), capped);
    // A row with its own height keeps it.
    rows[0]->SetRowHeight(host->RowHeight() + 5);
    EXPECT_EQ(host->NodeHeight(rows[0]->Node()), host->RowHeight() + 5);
}

TEST_F(InspectorLayoutTest, HundredThousandTallestLinesLayOutWithoutOverflow)
{
    host->BeginUpdate();
    rows = AddRows(100000);
    host->EndUpdate();
    host->SetRowHeight(INT32_MAX);
    ASSERT_EQ(host->RowHeight(), TCustomzqInspector::MaxLineHeight);
    SetClientSize(300, 100);
    EXPECT_EQ(ScrollInfo(host, SB_VERT).nMax, 99999);
    host->SetFocusedNode(rows.back()->Node());
    EXPECT_EQ(host->TopIndex(), 99999);
    // Every line is taller than the client: each stands alone and the next band begins
    // empty, so 100,000 lines begin 100,001 bands.
    host->SetOptions(zqDefaultInspectorOptions + O::dioAutoBandCount);
    EXPECT_EQ(host->BandCount(), 100001);
    host->SetFocusedNode(rows.back()->Node());
    EXPECT_EQ(host->FirstBand(), 99999);
    EXPECT_EQ(ScrollInfo(host, SB_HORZ).nMax, 100000);
}

TEST_F(InspectorLayoutTest, MakingALineVisibleScrollsTheBands)
{
    Lines(40, 20);
    host->SetOptions(zqDefaultInspectorOptions + O::dioAutoBandCount);
    SetClientSize(450, 100);
    const int perBand = host->ClientHeight() / 20;
    host->SetFocusedNode(rows[static_cast<size_t>(5 * perBand)]->Node()); // in band 5
    EXPECT_EQ(host->FirstBand(), 5 - host->FullBandCount() + 1);
    host->SetFocusedNode(rows[0]->Node());
    EXPECT_EQ(host->FirstBand(), 0);
}

TEST_F(InspectorLayoutTest, BandWidthAfterADragNeverDividesByZeroOrLess)
{
    Lines(60, 20);
    host->SetOptions(zqDefaultInspectorOptions + O::dioAutoBandCount);
    SetClientSize(450, 100);
    SendMessage(host->Handle(), WM_HSCROLL, MakeWParam(SB_LINERIGHT, 0), 0);
    SendMessage(host->Handle(), WM_HSCROLL, MakeWParam(SB_LINERIGHT, 0), 0);
    ASSERT_EQ(host->FirstBand(), 2);
    EXPECT_EQ(host->BandWidthAfterDrag(300, 3), 150); // two bands to the edge
    EXPECT_EQ(host->BandWidthAfterDrag(300, 1), 300); // start band scrolled out: divisor 1
    EXPECT_EQ(host->BandWidthAfterDrag(300, 0), 300);
    EXPECT_EQ(host->BandWidthAfterDrag(10, 2), host->MinBandWidth());
}

TEST_F(InspectorLayoutTest, HitKindsAtChosenPoints)
{
    rows = AddRows(4);
    rows[1]->SetImageIndex(0);
    rows[0]->Node()->MoveTo(rows[3]->Node(), TzqInspectorMoveMode::imAddChild); // R3 has a child now
    host->FullExpand();
    host->SetRowHeight(20);
    SetClientSize(300, 200);
    host->SetDividerPos(100);
    // Lines: R1 (image), R2, R3 (with child R0), R0.
    const int indent = host->IndentWidth() + 2; // level 0 in the standard style
    struct Case {
        TPoint p;
        K kind;
        const char* row;
    } cases[] = {
        {{-1, 5}, K::ihtOutside, nullptr},
        {{150, 190}, K::ihtNone, nullptr},      // below all lines
        {{100, 190}, K::ihtDivider, nullptr},   // the divider runs on below the lines
        {{101, 5}, K::ihtDivider, "R1"},
        {{1, 5}, K::ihtIndent, "R1"},
        {{indent + 2, 5}, K::ihtCaption, "R1"}, // the image lies right of the indent
        {{50, 25}, K::ihtCaption, "R2"},
        {{150, 25}, K::ihtValue, "R2"},
        {{indent - 1, 45}, K::ihtButton, "R3"},
        {{150, 65}, K::ihtValue, "R0"},
    };
    for (const Case& c : cases) {
        const TzqInspectorHitInfo hit = host->GetHitInfo(c.p);
        EXPECT_EQ(hit.Kind, c.kind) << c.p.X << "," << c.p.Y;
        TzqInspectorRow* row = TCustomzqInspectorControl::RowOfNode(hit.Node);
        EXPECT_EQ(row ? row->Name() : std::string(), c.row ? c.row : "") << c.p.X << "," << c.p.Y;
    }
    host->SetOptions(zqDefaultInspectorOptions + O::dioRowSizing);
    EXPECT_EQ(host->GetHitInfo({150, 39}).Kind, K::ihtRowBottom);
    EXPECT_EQ(host->GetHitInfo({150, 37}).Kind, K::ihtValue);
}

TEST_F(InspectorLayoutTest, CategorizedStyleHitsTheCategoryButtonAtTheRightEnd)
{
    rows = AddRows(3); // R0 category { R1 }, R2
    rows[0]->SetIsCategory(true);
    rows[1]->Node()->MoveTo(rows[0]->Node(), TzqInspectorMoveMode::imAddChild);
    host->SetPaintStyle(TzqInspectorPaintStyle::ipsCategorized);
    host->SetDividerPos(100);
    SetClientSize(300, 200);
    const TRect category = host->LineRect(rows[0]->Node());
    const TzqInspectorLineGeometry g = host->LineGeometry(rows[0]->Node(), category);
    EXPECT_EQ(g.Button.Right, category.Right - 1);
    EXPECT_EQ(g.Button.Width(), host->CategoryButtonWidth());
    EXPECT_TRUE(g.Value.IsEmpty());
    const int y = category.Top + 3;
    struct Case {
        int x;
        K kind;
    } cases[] = {
        {category.Right - 4, K::ihtButton},
        {150, K::ihtCaption},                        // a category has no value cell
        {host->IndentWidth() - 2, K::ihtIndent},     // a top-level category's indent counts one wider
        {host->IndentWidth() + 2, K::ihtCaption},
    };
    for (const Case& c : cases)
        EXPECT_EQ(host->GetHitInfo({c.x, y}).Kind, c.kind) << c.x;
    // A row under a top-level category is indented one width less.
    const TzqInspectorLineGeometry child = host->LineGeometry(rows[1]->Node(), host->LineRect(rows[1]->Node()));
    const TzqInspectorLineGeometry plain = host->LineGeometry(rows[2]->Node(), host->LineRect(rows[2]->Node()));
    EXPECT_EQ(child.Indent.Width(), host->IndentWidth());
    EXPECT_EQ(plain.Indent.Width(), host->IndentWidth());
    EXPECT_EQ(child.Indent.Left, host->CellMargin());
}

TEST_F(InspectorLayoutTest, ComplexRowHitsItemsAndTheGapsBetweenThem)
{
    rows = AddRows(2);
    auto* complex = new TzqInspectorComplexRow(form);
    complex->SetName("Size");
    complex->SetInspector(host);
    complex->AddItem()->SetRow(rows[0]);
    complex->AddItem()->SetRow(rows[1]);
    host->SetDividerPos(100);
    SetClientSize(300, 100);
    const TRect value = host->LineGeometry(complex->Node(), host->LineRect(complex->Node())).Value;
    const auto items = complex->ItemRects(value, host->SeparatorWidth());
    ASSERT_EQ(items.size(), 2u);
    const int y = 5;
    EXPECT_EQ(host->GetHitInfo({items[0].Left + 1, y}).ItemIndex, 0);
    EXPECT_EQ(host->GetHitInfo({items[1].Left + 1, y}).ItemIndex, 1);
    const TzqInspectorHitInfo gap = host->GetHitInfo({items[0].Right, y});
    EXPECT_EQ(gap.Kind, K::ihtItemGap);
    EXPECT_EQ(gap.ItemIndex, -1);
}

TEST(ComplexCellDivision, ItemsShareTheCellAsTheTableSays)
{
    using I = TzqComplexCellItem;
    struct Case {
        const char* what;
        std::vector<I> items;
        int gap;
        int width;
        std::vector<int> widths; // items and gaps in order
    } cases[] = {
        {"two equal items", {{false, 20, 50}, {false, 20, 50}}, 10, 110, {50, 10, 50}},
        {"in proportion, remainder to the last", {{false, 20, 50}, {false, 20, 100}}, 0, 100, {33, 0, 67}},
        {"fixed item keeps its width", {{true, 20, 30}, {false, 20, 50}}, 4, 100, {30, 4, 66}},
        {"share below the minimum takes the minimum",
         {{false, 40, 10}, {false, 20, 90}},
         0,
         100,
         {40, 0, 60}},
        {"too narrow: minimums run past the edge", {{false, 30, 50}, {false, 30, 50}}, 10, 40, {30, 10, 30}},
    };
    for (const Case& c : cases) {
        const TRect cell(10, 0, 10 + c.width, 16);
        const std::vector<TRect> rects = DivideComplexCell(c.items, c.gap, cell);
        ASSERT_EQ(rects.size(), c.widths.size()) << c.what;
        int x = cell.Left;
        for (size_t i = 0; i < rects.size(); ++i) {
            EXPECT_EQ(rects[i].Left, x) << c.what << " entry " << i;
            EXPECT_EQ(rects[i].Width(), c.widths[i]) << c.what << " entry " << i;
            x = rects[i].Right;
        }
    }
    EXPECT_TRUE(DivideComplexCell({{false, 20, 50}}, 4, TRect(5, 0, 5, 10)).empty());
    EXPECT_TRUE(DivideComplexCell({}, 4, TRect(0, 0, 100, 10)).empty());
}

} // namespace
