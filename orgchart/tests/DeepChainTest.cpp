// A chain of 100,000 nodes, each the only child of the previous one: laid out,
// expanded, collapsed, positioned, painted, hit tested and deleted without running out
// of call stack.
#include "orgchart/tests/ChartFixture.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/Backend.h"
#include "platform/window/WinApi.h"

#include <string>
#include <vector>

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

namespace {

// The chart's client area as the window system last painted it, once every pending
// paint has run.
std::unique_ptr<TBitmap> WindowPicture(THeadlessDriver& driver, TForm* form)
{
    driver.PaintAll();
    const TBitmap* surface = WindowSurface(form->Handle());
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(surface->Width(), surface->Height());
    bitmap->Canvas()->Draw(0, 0, const_cast<TBitmap*>(surface));
    return bitmap;
}

// The first pixel where two pictures differ, as "x,y", or "" when they are the same.
std::string FirstDifference(const TBitmap& a, const TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return "sizes differ";
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF))
                return std::to_string(x) + "," + std::to_string(y);
    return "";
}

} // namespace

// Deep down a chain whose every link also has a leaf beside it (lines across and down,
// buttons, wide lines, 3D shadows), what partial repaints leave in the window is what
// one full paint draws: after a node far down is revealed and selected from far above,
// and after thin strips across and down the window are repainted one by one.
TEST_F(DeepChainTest, PartialRepaintsDeepDownAChainMatchAFullPaint)
{
    TzqOrgChart* chart = NewShownChart(300, 300);
    chart->SetColor(clWhite);
    chart->SetLineWidth(3);
    chart->SetOptions(chart->Options() + TzqOcOption::ocButtons + TzqOcOption::ocRect3D + TzqOcOption::ocSelect +
                      TzqOcOption::ocFocus);
    std::vector<TzqOcNode*> chain{chart->AddChild(nullptr, 0)};
    for (int i = 1; i < 20000; ++i) {
        // The links have no caption, so the middle of a selected box is highlight only.
        TzqOcNode* link = chart->AddChild(chain.back(), 0);
        chart->AddChild(chain.back(), 0)->AssignText("Leaf " + std::to_string(i));
        chain.push_back(link);
    }
    chart->FullExpand();
    chain.back()->Collapse(false);
    chart->SetFocus();
    chart->RevealNode(chain[300]);
    driver.PaintAll();

    // The old selection is far out of the window when the new one is revealed.
    chart->RevealNode(chain[18000]);
    ASSERT_EQ(chart->Selected(), chain[18000]);
    const TRect slot = chart->NodeSlotRect(chain[18000]);
    ASSERT_TRUE(slot.Top >= 0 && slot.Bottom <= 300);
    const auto revealed = WindowPicture(driver, form);
    chart->Invalidate();
    const auto full = WindowPicture(driver, form);
    EXPECT_EQ(FirstDifference(*revealed, *full), "");
    EXPECT_EQ(full->Pixel(slot.Left + 40, slot.Top + 36) & 0xFFFFFF, ColorToRGB(clHighlight) & 0xFFFFFF);

    // Strips one to three pixels wide, so the area being painted ends on every part of
    // a node: its lines, shadow, button and box.
    for (int at = 0; at < 300; at += 7) {
        const int width = 1 + at % 3;
        const TRect row{0, at, 300, at + width};
        const TRect column{at, 0, at + width, 300};
        InvalidateRect(chart->Handle(), &row, true);
        driver.PaintAll();
        InvalidateRect(chart->Handle(), &column, true);
        driver.PaintAll();
    }
    EXPECT_EQ(FirstDifference(*WindowPicture(driver, form), *full), "");
}
