// The expand/collapse animation: 16 frames 10 ms apart on the virtual clock, each frame
// k drawing every node at current + k x (start - current) / 16 and reaching the screen,
// pacing that survives a wrapping tick counter and never waits to catch up, and
// FullExpand animating each collapsed top-level node in turn.
#include "orgchart/tests/ChartFixture.h"
#include "platform/window/WinApi.h"

#include <functional>
#include <tuple>
#include <vector>

namespace {

struct Drawn {
    TzqOcNode* node;
    DWORD tick;
    TRect rect;
    int presents;
};

// A (collapsed) with A1, A2, A3, then B; animation on.
class AnimationTest : public ChartTest {
protected:
    void SetUp() override
    {
        ChartTest::SetUp();
        chart = NewShownChart(500, 300);
        chart->SetOptions(chart->Options() + TzqOcOption::ocAnimate);
        a = chart->AddChild(nullptr, 0);
        for (int i = 0; i < 3; ++i)
            chart->AddChild(a, 0);
        b = chart->AddChild(nullptr, 0);
        a3 = a->Items(2);
        chart->OnDrawNode = [this](TObject*, TzqOcNode* n, TCanvas*, const TRect& r) {
            if (recording)
                drawn.push_back({n, GetTickCount(), r, driver.Backend().PresentCount()});
            if (onDraw)
                onDraw(n);
        };
        driver.PaintAll();
    }

    std::vector<Drawn> Of(TzqOcNode* n) const
    {
        std::vector<Drawn> out;
        for (const Drawn& d : drawn)
            if (d.node == n)
                out.push_back(d);
        return out;
    }
    // Where frame k draws a node's text area: its slot moved from `current` towards
    // `start` by k sixteenths, truncated toward zero.
    TRect FrameText(TzqOcNode* n, TPoint start, TPoint current, int k)
    {
        const int x = current.X + k * (start.X - current.X) / 16;
        const int y = current.Y + k * (start.Y - current.Y) / 16;
        return chart->NodeTextRect(n, TRect(x, y, x + 65, y + 57));
    }
    static TPoint Corner(const TRect& r) { return {r.Left, r.Top}; }

    TzqOrgChart* chart = nullptr;
    TzqOcNode* a = nullptr;
    TzqOcNode* a3 = nullptr;
    TzqOcNode* b = nullptr;
    bool recording = false;
    std::vector<Drawn> drawn;
    std::function<void(TzqOcNode*)> onDraw;
};

} // namespace

TEST_F(AnimationTest, ExpandingDrawsSixteenFramesTenMillisecondsApartEachOnTheScreen)
{
    const TPoint bStart = Corner(chart->NodeSlotRect(b));
    // A hidden child waits on its parent, a quarter of the down gap lower.
    const TPoint a3Start{chart->NodeSlotRect(a).Left, chart->NodeSlotRect(a).Top + 16 / 4};
    const DWORD t0 = GetTickCount();
    recording = true;
    a->Expand(false);
    recording = false;
    const TPoint bNow = Corner(chart->NodeSlotRect(b));
    const TPoint a3Now = Corner(chart->NodeSlotRect(a3));
    ASSERT_NE(bStart, bNow);

    for (auto [node, start, now] : {std::tuple{b, bStart, bNow}, std::tuple{a3, a3Start, a3Now}}) {
        const std::vector<Drawn> frames = Of(node);
        ASSERT_EQ(frames.size(), 16u);
        for (int i = 0; i < 16; ++i) {
            const int k = 15 - i;
            EXPECT_EQ(frames[i].tick, t0 + 10 * i) << "frame " << i;
            EXPECT_EQ(frames[i].rect, FrameText(node, start, now, k)) << "frame " << i;
            // The previous frame was on the screen before this one was drawn.
            if (i > 0) {
                EXPECT_GT(frames[i].presents, frames[i - 1].presents) << "frame " << i;
            }
        }
    }
    EXPECT_GT(driver.Backend().PresentCount(), Of(b).back().presents);
    EXPECT_EQ(GetTickCount(), t0 + 150);
    EXPECT_EQ(chart->AnimatedNode(), nullptr);
    EXPECT_EQ(chart->AnimationFrames(), 16);
}

TEST_F(AnimationTest, CollapsingChildrenGatherOnTheirParentAndThenVanish)
{
    a->Expand(false);
    const TPoint a3Start = Corner(chart->NodeSlotRect(a3));
    recording = true;
    a->Collapse(false);
    recording = false;
    const TPoint gathered{chart->NodeSlotRect(a).Left, chart->NodeSlotRect(a).Top + 16 / 4};
    // Drawn while the frames play (k = 15 .. 1), no longer in the final one.
    const std::vector<Drawn> frames = Of(a3);
    ASSERT_EQ(frames.size(), 15u);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(frames[i].rect, FrameText(a3, a3Start, gathered, 15 - i)) << "frame " << i;
    EXPECT_EQ(Of(b).size(), 16u);
}

// The pacing compares tick differences: a counter that wraps during the frames still
// gives 10 ms steps, and a frame that came late is not waited for.
TEST_F(AnimationTest, PacingSurvivesAWrappingClockAndDoesNotCatchUp)
{
    struct Case {
        DWORD start;
        int lateFrame;
        DWORD lateBy;
        DWORD elapsed;
    };
    const Case cases[] = {
        {0xFFFFFFFFu - 45, -1, 0, 150},
        {0xFFFFFFFFu - 5, -1, 0, 150},
        {0xFFFFFFF0u, 3, 1000, 1030},
    };
    for (const Case& c : cases) {
        driver.Backend().SetTickCount(c.start);
        int frame = 0;
        onDraw = [&](TzqOcNode* n) {
            if (n == b && frame++ == c.lateFrame)
                driver.Backend().SetTickCount(GetTickCount() + c.lateBy);
        };
        drawn.clear();
        recording = true;
        a->Expand(false);
        recording = false;
        onDraw = nullptr;
        const std::vector<Drawn> frames = Of(b);
        ASSERT_EQ(frames.size(), 16u);
        for (int i = 1; i < 16; ++i) {
            // 10 ms steps until a late frame; after it the frames follow without waiting.
            DWORD expected = 10;
            if (c.lateFrame >= 0 && i - 1 == c.lateFrame)
                expected = c.lateBy;
            else if (c.lateFrame >= 0 && i - 1 > c.lateFrame)
                expected = 0;
            EXPECT_EQ(frames[i].tick - frames[i - 1].tick, expected) << "frame " << i << " from " << c.start;
        }
        EXPECT_EQ(GetTickCount() - c.start, c.elapsed) << "from " << c.start;
        a->Collapse(false);
    }
}

TEST_F(AnimationTest, FullExpandAnimatesEachCollapsedTopLevelNodeInTurn)
{
    // X, W, Y, Z after A and B, each with a child that has a child. W is expanded: its
    // collapsed child is shown and animates in its turn; the children of X, Y and Z are
    // expanded while hidden and never animate.
    std::vector<TzqOcNode*> animatedInTurn{a};
    for (int i = 0; i < 4; ++i) {
        TzqOcNode* top = chart->AddChild(nullptr, 0);
        TzqOcNode* child = chart->AddChild(top, 0);
        chart->AddChild(child, 0);
        if (i == 1) {
            chart->SetOptions(chart->Options() - TzqOcOption::ocAnimate);
            top->Expand(false);
            chart->SetOptions(chart->Options() + TzqOcOption::ocAnimate);
            animatedInTurn.push_back(child);
        } else {
            animatedInTurn.push_back(top);
        }
    }
    const int frames = chart->AnimationFrames();
    const DWORD t0 = GetTickCount();
    std::vector<TzqOcNode*> animated;
    onDraw = [&](TzqOcNode*) {
        TzqOcNode* now = chart->AnimatedNode();
        if (now && (animated.empty() || animated.back() != now))
            animated.push_back(now);
    };
    chart->FullExpand();
    EXPECT_EQ(animated, animatedInTurn);
    EXPECT_EQ(chart->AnimationFrames() - frames, 16 * static_cast<int>(animatedInTurn.size()));
    EXPECT_EQ(GetTickCount() - t0, 150u * animatedInTurn.size());
    for (TzqOcNode* n = chart->GetFirstNode(); n; n = n->GetNext())
        EXPECT_TRUE(n->Expanded() || n->Count() == 0);
}
