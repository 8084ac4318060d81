// A chain of 100,000 nodes, each the only child of the previous one: laid out,
// expanded, collapsed, positioned, painted, hit tested and deleted without running out
// of call stack.
#include "orgchart/tests/ChartFixture.h"

using DeepChainTest = ChartTest;

TEST_F(DeepChainTest, HundredThousandDeepChainLaysOutAndDeletes)
{
    constexpr int kDepth = 100000;
    auto chart = NewChart();
    TzqOcNode* top = chart->AddChild(nullptr, 0);
    TzqOcNode* bottom = top;
    for (int i = 1; i < kDepth; ++i)
        bottom = chart->AddChild(bottom, 0);
    ASSERT_EQ(chart->Count(), kDepth);
    chart->FullExpand();
    EXPECT_TRUE(bottom->IsVisible());
    EXPECT_EQ(chart->TotalHeight(), int64_t(kDepth) * 57 + 6);
    EXPECT_EQ(chart->TotalWidth(), 81);
    EXPECT_EQ(chart->NodeSlotRect(bottom).Top, (kDepth - 1) * 57);
    bottom->MakeVisible();
    // Just far enough to show the bottom of its slot.
    EXPECT_EQ(chart->TopPos(), int64_t(kDepth) * 57 - chart->ClientHeight());
    EXPECT_EQ(top->GetNextVisible(), top->Items(0));
    chart->FullCollapse();
    EXPECT_FALSE(top->Expanded());
    EXPECT_EQ(chart->TotalHeight(), 63);
    int deletions = 0;
    chart->OnDeletion = [&](TObject*, TzqOcNode*) { ++deletions; };
    chart->DeleteNode(top);
    EXPECT_EQ(deletions, kDepth);
    EXPECT_EQ(chart->Count(), 0);
}

TEST_F(DeepChainTest, DestroyingAChartWithADeepChainDoesNotRecurse)
{
    auto chart = NewChart();
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    for (int i = 1; i < 100000; ++i)
        n = chart->AddChild(n, 0);
    chart->FullExpand();
    chart.reset();
    SUCCEED();
}

// Painting and hit testing walk the tree with stacks of their own: the bottom of a
// 100,000-deep chain paints and is hit where it is drawn.
TEST_F(DeepChainTest, PaintingAndHitTestingTheBottomOfADeepChain)
{
    TzqOrgChart* chart = NewShownChart(300, 300);
    chart->SetColor(clWhite);
    TzqOcNode* bottom = chart->AddChild(nullptr, 0);
    for (int i = 1; i < 100000; ++i)
        bottom = chart->AddChild(bottom, 0);
    chart->FullExpand();
    int drawn = 0;
    chart->OnDrawNode = [&](TObject*, TzqOcNode* n, TCanvas*, const TRect&) { drawn += n == bottom; };
    bottom->MakeVisible();
    driver.PaintAll();
    EXPECT_GE(drawn, 1);
    const TRect slot = chart->NodeSlotRect(bottom);
    ASSERT_GT(slot.Top, 0);
    ASSERT_LE(slot.Bottom, 300);
    EXPECT_EQ(chart->GetNodeAt(slot.Left + 5, slot.Top + 30), bottom);
    EXPECT_EQ(chart->GetHitTestInfoAt(slot.Left + 5, slot.Top + 30),
              (TzqOcHitTests{TzqOcHitTest::htOnRect, TzqOcHitTest::htOnShape}));
    EXPECT_EQ(chart->GetNodeAt(slot.Left + 5, slot.Top - 30), bottom->Parent());
}
