// Chart model and layout: defaults, subtree extents, alignment, rotation, zoom, minimum
// sizes with images, scrolling limits, and a randomized comparison of the cached,
// early-stopping layout against extents computed from scratch by the plain rules.
#include "orgchart/tests/ChartFixture.h"
#include "platform/drawing/ImageList.h"

#include <random>

using LayoutTest = ChartTest;

TEST_F(LayoutTest, NewChartHasTheDocumentedDefaults)
{
    auto chart = NewChart();
    EXPECT_EQ(chart->Width(), 320);
    EXPECT_EQ(chart->Height(), 200);
    EXPECT_EQ(chart->DefaultNodeWidth(), 64);
    EXPECT_EQ(chart->DefaultNodeHeight(), 40);
    EXPECT_EQ(chart->IndentX(), 16);
    EXPECT_EQ(chart->IndentY(), 16);
    EXPECT_EQ(chart->LineWidth(), 1);
    using O = TzqOcOption;
    EXPECT_EQ(chart->Options(), (TzqOcOptions{O::ocSelect, O::ocFocus, O::ocButtons, O::ocDblClick, O::ocEdit,
                                              O::ocCanDrag, O::ocShowDrag}));
    EXPECT_EQ(chart->EditMode(), TzqOcEditMode{TzqOcEditModeFlag::emWrap});
    EXPECT_EQ(chart->Count(), 0);
    EXPECT_EQ(chart->Selected(), nullptr);
    EXPECT_FALSE(chart->Zoom());
    EXPECT_TRUE(chart->TabStop());
    // An empty chart: width 0, height 6, scrolling pinned at 0, 0.
    EXPECT_EQ(chart->TotalWidth(), 0);
    EXPECT_EQ(chart->TotalHeight(), 6);
    chart->ScrollTo(50, 50);
    EXPECT_EQ(chart->LeftPos(), 0);
    EXPECT_EQ(chart->TopPos(), 0);
    chart->SetLineWidth(0);
    EXPECT_EQ(chart->LineWidth(), 1);
    chart->SetDefaultNodeWidth(10);
    EXPECT_EQ(chart->DefaultNodeWidth(), 16);
}

TEST_F(LayoutTest, SubtreeExtentsFollowTheNumbersOfOneNodeAndThreeChildren)
{
    auto chart = NewChart();
    TzqOcNode* p = chart->AddChild(nullptr, 0);
    EXPECT_EQ(chart->SubtreeWidth(p), 81);
    EXPECT_EQ(chart->SubtreeHeight(p), 57);
    EXPECT_EQ(chart->TotalWidth(), 81);
    EXPECT_EQ(chart->TotalHeight(), 63);
    for (int i = 0; i < 3; ++i)
        chart->AddChild(p, 0);
    p->Expand(false);
    EXPECT_EQ(chart->ChildrenWidth(p), 243);
    EXPECT_EQ(chart->SubtreeWidth(p), 243);
    EXPECT_EQ(chart->NodeSlotRect(p).Left, 89);
    EXPECT_EQ(chart->NodeSlotRect(p).Width(), 65);
    // A child's box is centred in its own 81-pixel column.
    EXPECT_EQ(chart->NodeSlotRect(p->Items(1)), TRect(81 + 8, 57, 81 + 8 + 65, 114));
    p->SetAlign(TzqOcNodeAlign::naRight);
    EXPECT_EQ(chart->NodeSlotRect(p).Left, 178);
    // A box wider than its children: the row of children moves by the difference.
    p->SetWidth(400);
    EXPECT_EQ(chart->SubtreeWidth(p), 417);
    EXPECT_EQ(chart->ChildOffset(p), 417 - 243);
    p->SetAlign(TzqOcNodeAlign::naCenter);
    EXPECT_EQ(chart->ChildOffset(p), (417 - 243) / 2);
    EXPECT_EQ(chart->NodeSlotRect(p->Items(0)).Left, (417 - 243) / 2 + 8);
    // An alignment from a table outside the enumeration: box at the left, children as naRight.
    p->SetAlign(static_cast<TzqOcNodeAlign>(7));
    EXPECT_EQ(chart->NodeSlotRect(p).Left, 0);
    EXPECT_EQ(chart->ChildOffset(p), 417 - 243);
}

TEST_F(LayoutTest, AParentCollapsedByAMoveOfItsOnlyChildShrinksTheTotal)
{
    // Moving the only child within its own parent takes it out first: the parent loses
    // its last child and collapses, and everything above it is measured again.
    auto chart = NewChart();
    TzqOcNode* p = chart->AddChild(nullptr, 0);
    TzqOcNode* c = chart->AddChild(p, 0);
    p->Expand(false);
    EXPECT_EQ(chart->TotalHeight(), 120);
    chart->MoveNode(p, c, -1);
    EXPECT_EQ(c->Parent(), p);
    EXPECT_FALSE(p->Expanded());
    EXPECT_EQ(chart->TotalHeight(), 63);
}

TEST_F(LayoutTest, SlotsInALongRowFollowWidthChangesOfTheirSiblings)
{
    // A row long enough for the chart to keep the sums of its widths: a change of one
    // sibling, or of a grandchild below it, moves every slot after it.
    auto chart = NewChart();
    TzqOcNode* top = chart->AddChild(nullptr, 0);
    std::vector<TzqOcNode*> row;
    for (int i = 0; i < 40; ++i) {
        row.push_back(chart->AddChild(top, 0));
        row.back()->SetWidth(static_cast<uint16_t>(20 + i));
    }
    top->Expand(false);
    auto expectPlainSums = [&](const char* when) {
        SCOPED_TRACE(when);
        int64_t column = chart->ChildOffset(top);
        for (TzqOcNode* n : row) {
            const int64_t sw = chart->SubtreeWidth(n);
            EXPECT_EQ(chart->NodeSlotRect(n).Left, column + (sw - (n->Width() + 1)) / 2);
            column += sw;
        }
    };
    expectPlainSums("at first");
    row[10]->SetWidth(300);
    expectPlainSums("a sibling grew");
    TzqOcNode* grandchild = chart->AddChild(row[20], 0);
    row[20]->Expand(false);
    grandchild->SetWidth(500);
    expectPlainSums("a grandchild widened its parent's column");
    row[20]->Collapse(false);
    expectPlainSums("that parent collapsed");
    chart->MoveNode(top, row[5], 30);
    row.erase(row.begin() + 5);
    row.insert(row.begin() + 30, top->Items(30));
    expectPlainSums("a sibling moved");
}

TEST_F(LayoutTest, RotationExchangesTheDirectionsButKeepsTheScreenGaps)
{
    auto chart = NewChart();
    TzqOcNode* p = chart->AddChild(nullptr, 0);
    chart->AddChild(p, 0);
    chart->AddChild(p, 0);
    p->Expand(false);
    chart->SetIndentX(10);
    chart->SetIndentY(20);
    chart->SetRotated(true);
    EXPECT_EQ(chart->IndentX(), 10);
    // Across is now the screen's y: a box 40 + 1 high plus the vertical gap 20.
    EXPECT_EQ(chart->SubtreeWidth(p->Items(0)), 61);
    EXPECT_EQ(chart->TotalHeight(), 122);
    // Down is the screen's x: width 64 + 1 + the horizontal gap 10, twice, + 6.
    EXPECT_EQ(chart->TotalWidth(), 2 * 75 + 6);
    const TRect child = chart->NodeSlotRect(p->Items(1));
    EXPECT_EQ(child.Left, 75);
    EXPECT_EQ(child.Top, 61 + 10); // the 41-pixel box centred in its 61-pixel column
    EXPECT_EQ(child.Width(), 75);
    EXPECT_EQ(child.Height(), 41);
}

TEST_F(LayoutTest, ZoomShrinksByTheTighterDirectionAndNeverEnlarges)
{
    auto chart = NewChart();
    chart->SetBounds(0, 0, 400, 300);
    // Ten nodes 63 x 277: a drawing of 800 x 300.
    for (int i = 0; i < 10; ++i) {
        TzqOcNode* n = chart->AddChild(nullptr, 0);
        n->SetWidth(63);
        n->SetHeight(277);
    }
    ASSERT_EQ(chart->TotalWidth(), 800);
    ASSERT_EQ(chart->TotalHeight(), 300);
    chart->SetZoom(true);
    EXPECT_TRUE(chart->ScaleInEffect());
    EXPECT_EQ(chart->ZoomNumerator(), 400);
    EXPECT_EQ(chart->ZoomDenominator(), 801);
    EXPECT_EQ(chart->Scale(64), 31);
    EXPECT_LT(chart->TotalWidth(), 400);
    // Expanded nodes lose their button while shrunk, collapsed ones keep it.
    TzqOcNode* first = chart->GetFirstNode();
    chart->AddChild(first, 0);
    EXPECT_TRUE(chart->HasButton(first));
    first->Expand(false);
    EXPECT_FALSE(chart->HasButton(first));

    auto small = NewChart();
    small->SetBounds(0, 0, 400, 300);
    small->AddChild(nullptr, 0);
    small->SetZoom(true);
    EXPECT_FALSE(small->ScaleInEffect());
    EXPECT_EQ(small->Scale(64), 64);
}

TEST_F(LayoutTest, ImagesRaiseMinimumSizesOfChartAndNodes)
{
    auto chart = NewChart();
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    n->SetWidth(20);
    n->SetHeight(70);
    TImageList images(32, 32);
    chart->SetImages(&images);
    EXPECT_EQ(chart->MinNodeWidth(), 64);
    EXPECT_EQ(chart->DefaultNodeWidth(), 64);
    EXPECT_EQ(chart->DefaultNodeHeight(), 64);
    EXPECT_EQ(n->Width(), 64);
    EXPECT_EQ(n->Height(), 70);
    EXPECT_EQ(chart->DefaultImageAlign(), TzqOcImageAlign::iaLT);
    chart->SetDefaultNodeWidth(10);
    EXPECT_EQ(chart->DefaultNodeWidth(), 64);
    chart->SetImages(nullptr);
    EXPECT_EQ(chart->MinNodeWidth(), 16);
    n->SetWidth(5);
    EXPECT_EQ(n->Width(), 16);
}

TEST_F(LayoutTest, ScrollToClampsToTheDrawing)
{
    auto chart = NewChart();
    chart->SetBounds(0, 0, 100, 100);
    TzqOcNode* p = chart->AddChild(nullptr, 0);
    for (int i = 0; i < 5; ++i)
        chart->AddChild(p, 0);
    p->Expand(false);
    chart->ScrollTo(-40, 100000);
    EXPECT_EQ(chart->LeftPos(), 0);
    EXPECT_EQ(chart->TopPos(), chart->TotalHeight() - 100);
    chart->ScrollTo(100000, 0);
    EXPECT_EQ(chart->LeftPos(), 5 * 81 - 100);
}

TEST_F(LayoutTest, WideChartsStayExactBeyondThirtyTwoBits)
{
    auto chart = NewChart();
    for (int i = 0; i < 100000; ++i)
        chart->AddChild(nullptr, 0)->SetWidth(65535);
    const int64_t expected = int64_t(100000) * (65535 + 1 + 16);
    EXPECT_EQ(chart->TotalWidth(), expected);
    chart->SetBounds(0, 0, 500, 400);
    chart->ScrollTo(INT64_MAX / 4, 0);
    EXPECT_EQ(chart->LeftPos(), INT32_MAX);
    EXPECT_GT(chart->NodeSlotRect(chart->Items(99999)).Left, -1);
    chart->SetZoom(true);
    ASSERT_TRUE(chart->ScaleInEffect());
    EXPECT_EQ(chart->ZoomNumerator(), 500);
    EXPECT_EQ(chart->ZoomDenominator(), expected + 1);
    EXPECT_GE(chart->TotalWidth(), 0);
    EXPECT_LT(chart->TotalWidth(), 500);
}

// ---- Randomized comparison against the plain rules ----

namespace {

struct Reference {
    TzqCustomOrgChart& c;
    int64_t across(TzqOcNode* n)
    {
        const int64_t w = n->Width() ? n->Width() : c.DefaultNodeWidth();
        const int64_t h = n->Height() ? n->Height() : c.DefaultNodeHeight();
        return c.Rotated() ? h : w;
    }
    int64_t down(TzqOcNode* n)
    {
        const int64_t w = n->Width() ? n->Width() : c.DefaultNodeWidth();
        const int64_t h = n->Height() ? n->Height() : c.DefaultNodeHeight();
        return c.Rotated() ? w : h;
    }
    int64_t gx() { return c.Rotated() ? c.IndentY() : c.IndentX(); }
    int64_t gy() { return c.Rotated() ? c.IndentX() : c.IndentY(); }
    int64_t childrenWidth(TzqOcNode* n)
    {
        if (!n->Expanded())
            return 0;
        int64_t sum = 0;
        for (int i = 0; i < n->Count(); ++i)
            sum += subtreeWidth(n->Items(i));
        return sum;
    }
    int64_t childrenHeight(TzqOcNode* n)
    {
        if (!n->Expanded())
            return 0;
        int64_t most = 0;
        for (int i = 0; i < n->Count(); ++i)
            most = std::max(most, subtreeHeight(n->Items(i)));
        return most;
    }
    int64_t subtreeWidth(TzqOcNode* n) { return std::max(across(n) + c.LineWidth() + gx(), childrenWidth(n)); }
    int64_t subtreeHeight(TzqOcNode* n) { return down(n) + c.LineWidth() + gy() + childrenHeight(n); }
    int64_t childOffset(TzqOcNode* n)
    {
        const int64_t spare = subtreeWidth(n) - childrenWidth(n);
        switch (n->Align()) {
        case TzqOcNodeAlign::naLeft: return 0;
        case TzqOcNodeAlign::naCenter: return spare / 2;
        default: return spare;
        }
    }
    // The across coordinate of the node's box, summing every sibling before it on the
    // way down from the top level.
    int64_t boxAcross(TzqOcNode* n)
    {
        std::vector<TzqOcNode*> path;
        for (TzqOcNode* p = n; p; p = p->Parent())
            path.insert(path.begin(), p);
        int64_t column = 0;
        for (TzqOcNode* p : path) {
            if (p->Parent())
                column += childOffset(p->Parent());
            for (TzqOcNode* s = p->GetPrevSibling(); s; s = s->GetPrevSibling())
                column += subtreeWidth(s);
        }
        const int64_t spare = subtreeWidth(n) - (across(n) + c.LineWidth());
        switch (n->Align()) {
        case TzqOcNodeAlign::naCenter: return column + spare / 2;
        case TzqOcNodeAlign::naRight: return column + spare;
        default: return column;
        }
    }
};

std::vector<TzqOcNode*> AllNodes(TzqCustomOrgChart& c)
{
    std::vector<TzqOcNode*> out;
    for (TzqOcNode* n = c.GetFirstNode(); n; n = n->GetNext())
        out.push_back(n);
    return out;
}

} // namespace

TEST_F(LayoutTest, CachedLayoutMatchesThePlainRulesUnderRandomChanges)
{
    std::mt19937 rng(20240611);
    size_t checkedNodes = 0;
    for (int round = 0; round < 20; ++round) {
        auto chart = NewChart();
        Reference ref{*chart};
        for (int step = 0; step < 300; ++step) {
            std::vector<TzqOcNode*> nodes = AllNodes(*chart);
            auto pick = [&]() -> TzqOcNode* {
                return nodes.empty() ? nullptr : nodes[rng() % nodes.size()];
            };
            switch (rng() % 14) {
            case 12:
            case 13:
            case 0:
            case 1:
            case 2:
                chart->InsertNode(pick(), 0, static_cast<int>(rng() % 4) - 1);
                break;
            case 3:
                if (TzqOcNode* n = pick())
                    n->MoveTo(pick(), static_cast<TzqOcAttachMode>(rng() % 5));
                break;
            case 4:
                if (nodes.size() > 40 && rng() % 3 == 0)
                    chart->DeleteNode(pick());
                break;
            case 5:
                if (TzqOcNode* n = pick())
                    n->SetWidth(static_cast<uint16_t>(rng() % 120));
                break;
            case 6:
                if (TzqOcNode* n = pick())
                    n->SetHeight(static_cast<uint16_t>(rng() % 120));
                break;
            case 7:
            case 8:
                if (TzqOcNode* n = pick())
                    n->Expand(rng() % 4 == 0);
                break;
            case 9:
                if (TzqOcNode* n = pick())
                    n->Collapse(rng() % 4 == 0);
                break;
            case 10:
                switch (rng() % 4) {
                case 0: chart->SetRotated(!chart->Rotated()); break;
                case 1: chart->SetLineWidth(static_cast<uint16_t>(1 + rng() % 4)); break;
                case 2: chart->SetIndentX(static_cast<uint16_t>(rng() % 30)); break;
                default: chart->SetDefaultNodeHeight(static_cast<uint16_t>(16 + rng() % 60)); break;
                }
                break;
            default:
                if (TzqOcNode* n = pick())
                    n->SetAlign(static_cast<TzqOcNodeAlign>(rng() % 3));
                break;
            }
            // Measure a random few in between so that caches fill at odd moments (among
            // the nodes that are left: a deletion above may have freed some).
            nodes = AllNodes(*chart);
            if (TzqOcNode* n = pick())
                chart->SubtreeWidth(n);
            if (step % 10 != 9)
                continue;
            nodes = AllNodes(*chart);
            ASSERT_EQ(static_cast<int>(nodes.size()), chart->Count());
            for (TzqOcNode* n : nodes) {
                ASSERT_EQ(chart->SubtreeWidth(n), ref.subtreeWidth(n)) << "round " << round << " step " << step;
                ASSERT_EQ(chart->SubtreeHeight(n), ref.subtreeHeight(n)) << "round " << round << " step " << step;
                ASSERT_EQ(n->Parent() ? n->Parent()->Items(n->Index()) : chart->Items(n->Index()), n);
                // The visibility walks agree with asking IsVisible step by step.
                TzqOcNode* prev = n->GetPrev();
                while (prev && !prev->IsVisible())
                    prev = prev->Parent();
                ASSERT_EQ(n->GetPrevVisible(), prev);
                // The slot found through the rows' offset sums is where the plain rules
                // put it.
                if (n->IsVisible() && step % 30 == 29) {
                    const TRect slot = chart->NodeSlotRect(n);
                    ASSERT_EQ(chart->Rotated() ? slot.Top : slot.Left, ref.boxAcross(n))
                        << "round " << round << " step " << step;
                }
            }
            checkedNodes += nodes.size();
            ASSERT_EQ(chart->TotalWidth(), chart->Rotated() ? ref.childrenHeight(chart->RootNode()) + 6
                                                            : ref.childrenWidth(chart->RootNode()));
        }
    }
    // The trees grew large enough for the comparison to mean something.
    EXPECT_GT(checkedNodes, 20000u);
}
