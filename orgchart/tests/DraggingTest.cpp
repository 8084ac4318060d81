// Dragging nodes: when a drag starts, where a drop puts the node, the feedback drawn
// while dragging, and scrolling near an edge.
#include "orgchart/tests/ChartFixture.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/Backend.h"
#include "platform/window/WinApi.h"

namespace {

class DraggingTest : public ChartTest {
protected:
    void SetUp() override
    {
        ChartTest::SetUp();
        chart = NewShownChart(600, 400);
        a = chart->AddChild(nullptr, 0);
        a1 = chart->AddChild(a, 0);
        a2 = chart->AddChild(a, 0);
        a11 = chart->AddChild(a1, 0);
        b = chart->AddChild(nullptr, 0);
        b1 = chart->AddChild(b, 0);
        for (auto [node, text] : {std::pair{a, "A"}, {a1, "A1"}, {a2, "A2"}, {a11, "A11"}, {b, "B"}, {b1, "B1"}})
            node->AssignText(text);
        a->Expand(false);
        a1->Expand(false);
        chart->SetFocus();
        driver.PaintAll();
    }

    // The middle of a node's box in the chart's client coordinates.
    TPoint BoxCentre(TzqOcNode* node)
    {
        const TRect slot = chart->NodeSlotRect(node);
        const int gap = static_cast<int>(chart->GapDown());
        return {slot.Left + slot.Width() / 2, slot.Top + gap + (slot.Height() - gap) / 2};
    }
    TPoint Screen(TPoint client) { return driver.ToScreen(chart->Handle(), client); }

    // Presses on `from`, moves past the drag distance, then to `to` (and one pixel on);
    // answers where the pointer is.
    TPoint DragOver(TPoint from, TPoint to)
    {
        driver.MoveTo(Screen(from));
        driver.Press(Screen(from));
        driver.MoveTo(Screen(from + TPoint(8, 0)));
        driver.MoveTo(Screen(from + TPoint(16, 0)));
        driver.MoveTo(Screen(to));
        driver.MoveTo(Screen(to + TPoint(1, 0)));
        return to + TPoint(1, 0);
    }
    // The same, released there.
    void DragTo(TPoint from, TPoint to) { driver.Release(Screen(DragOver(from, to))); }

    // Paints everything and keeps a copy of the screen as it is now.
    void TakeSnapshot()
    {
        driver.PaintAll();
        surface = WindowSurface(form->Handle());
        before.SetSize(surface->Width(), surface->Height());
        before.Canvas()->Draw(0, 0, const_cast<TBitmap*>(surface));
    }
    // Whether a pixel of the screen differs from the snapshot (the feedback inverts what
    // it covers, so every pixel it draws does).
    bool Changed(int x, int y) const { return surface->Pixel(x, y) != before.Pixel(x, y); }
    int ChangedPixels() const
    {
        int n = 0;
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x)
                n += Changed(x, y);
        return n;
    }

    TzqOrgChart* chart = nullptr;
    TzqOcNode *a, *a1, *a2, *a11, *b, *b1;
    const TBitmap* surface = nullptr;
    TBitmap before;
};

TEST_F(DraggingTest, APressThatSelectsANodeDoesNotDragIt)
{
    chart->SetSelected(a2);
    DragTo(BoxCentre(a1), BoxCentre(b));
    EXPECT_EQ(chart->Selected(), a1);
    EXPECT_EQ(a1->Parent(), a) << "the first press only selected it";
    driver.AdvanceTime(1000); // the next press is not the second half of a double click
    DragTo(BoxCentre(a1), BoxCentre(b));
    EXPECT_EQ(a1->Parent(), nullptr) << "pressed again, it is dragged";
}

TEST_F(DraggingTest, DroppingOnABoxPutsTheNodeWithItsSubtreeAfterIt)
{
    chart->SetSelected(a1);
    DragTo(BoxCentre(a1), BoxCentre(b));
    EXPECT_EQ(a1->Parent(), nullptr);
    EXPECT_EQ(a1->GetPrevSibling(), b);
    EXPECT_EQ(a11->Parent(), a1) << "the subtree comes along";
    EXPECT_EQ(chart->Selected(), a1);
}

TEST_F(DraggingTest, DroppingBelowACollapsedNodeMakesItTheLastChildAndRevealsIt)
{
    ASSERT_FALSE(b->Expanded());
    chart->SetSelected(a2);
    const TRect slot = chart->NodeSlotRect(b);
    DragTo(BoxCentre(a2), {slot.Left + slot.Width() / 2, slot.Bottom + 12});
    EXPECT_EQ(a2->Parent(), b);
    EXPECT_EQ(a2->Index(), 1);
    EXPECT_TRUE(b->Expanded()) << "MakeVisible expanded it";
}

TEST_F(DraggingTest, ANodeCannotGoIntoItsOwnSubtreeAndNoFeedbackShows)
{
    chart->SetSelected(a1);
    std::vector<bool> accepted;
    chart->OnDragOver = [&](TObject*, TObject*, int, int, TDragState state, bool& accept) {
        if (state == TDragState::dsDragMove)
            accepted.push_back(accept);
    };
    TakeSnapshot();
    driver.MoveTo(Screen(BoxCentre(a1)));
    driver.Press(Screen(BoxCentre(a1)));
    driver.MoveTo(Screen(BoxCentre(a1) + TPoint(10, 0)));
    driver.MoveTo(Screen(BoxCentre(a11)));
    driver.MoveTo(Screen(BoxCentre(a11) + TPoint(1, 1)));
    ASSERT_FALSE(accepted.empty());
    EXPECT_FALSE(accepted.back());
    EXPECT_EQ(ChangedPixels(), 0) << "no outline or line is drawn over a refused place";
    driver.Release(Screen(BoxCentre(a11) + TPoint(1, 1)));
    EXPECT_EQ(a1->Parent(), a);
    EXPECT_EQ(a11->Parent(), a1);
}

TEST_F(DraggingTest, FeedbackIsDrawnWhileDraggingAndGoneAfterwards)
{
    chart->SetSelected(a2);
    TakeSnapshot();
    driver.MoveTo(Screen(BoxCentre(a2)));
    driver.Press(Screen(BoxCentre(a2)));
    driver.MoveTo(Screen(BoxCentre(a2) + TPoint(10, 0)));
    driver.MoveTo(Screen(BoxCentre(b) + TPoint(0, 40)));
    driver.MoveTo(Screen(BoxCentre(b) + TPoint(2, 42)));
    EXPECT_GT(ChangedPixels(), 100) << "an outline and an elbow line are on the screen";
    driver.SavePng(form->Handle(), "orgchart-dragging.png");
    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(ChangedPixels(), 0) << "cancelling erased the feedback";
    driver.Release(Screen(BoxCentre(b) + TPoint(2, 42)));
    EXPECT_EQ(a2->Parent(), a) << "a cancelled drag moves nothing";
}

TEST_F(DraggingTest, TheOutlineAndTheElbowLineAreBothDotted)
{
    chart->SetSelected(a2);
    TakeSnapshot();
    const TPoint at = BoxCentre(b) + TPoint(2, 42);
    driver.MoveTo(Screen(BoxCentre(a2)));
    driver.Press(Screen(BoxCentre(a2)));
    driver.MoveTo(Screen(BoxCentre(a2) + TPoint(10, 0)));
    driver.MoveTo(Screen(BoxCentre(b) + TPoint(0, 40)));
    driver.MoveTo(Screen(at));
    // The outline's top edge runs from the pointer across the dragged box's width; the
    // elbow line leaves its middle upwards.
    const int w = static_cast<int>(chart->NodeWidth(a2));
    int outline = 0, runs = 0;
    for (int x = at.X; x < at.X + w; ++x) {
        outline += Changed(x, at.Y);
        runs += Changed(x, at.Y) && !Changed(x - 1, at.Y);
    }
    EXPECT_GT(outline, w / 3) << "the outline is drawn";
    EXPECT_LT(outline, w * 2 / 3) << "and dotted: about half its pixels";
    EXPECT_GT(runs, w / 8) << "in many short dashes";
    int elbow = 0;
    for (int y = at.Y - 12; y < at.Y; ++y)
        elbow += Changed(at.X + w / 2, y);
    EXPECT_GT(elbow, 2);
    EXPECT_LT(elbow, 10) << "the elbow line is dotted too";
    driver.PressKey(VK_ESCAPE);
    driver.Release(Screen(at));
}

TEST_F(DraggingTest, WithoutShowDragNothingIsDrawnButNodesStillMove)
{
    TzqOcOptions options = chart->Options();
    options.exclude(TzqOcOption::ocShowDrag);
    chart->SetOptions(options);
    chart->SetSelected(a1);
    TakeSnapshot();
    // In the middle of the drag, over an accepted place: the screen is untouched.
    bool accepted = false;
    chart->OnDragOver = [&](TObject*, TObject*, int, int, TDragState state, bool& accept) {
        if (state == TDragState::dsDragMove)
            accepted = accept;
    };
    const TPoint at = DragOver(BoxCentre(a1), BoxCentre(b));
    ASSERT_TRUE(accepted) << "the drag runs and the place is accepted";
    EXPECT_EQ(ChangedPixels(), 0) << "no outline or line is drawn";
    driver.Release(Screen(at));
    EXPECT_EQ(a1->Parent(), nullptr);
    EXPECT_EQ(a1->GetPrevSibling(), b) << "the drop still moves the node";
}

TEST_F(DraggingTest, AnOnDragDropHandlerTakesTheDropAndTheChartMovesNothing)
{
    int drops = 0;
    chart->OnDragDrop = [&](TObject*, TObject* source, int, int) {
        EXPECT_EQ(source, chart);
        ++drops;
    };
    chart->SetSelected(a1);
    DragTo(BoxCentre(a1), BoxCentre(b));
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(a1->Parent(), a);
}

TEST_F(DraggingTest, NearAnEdgeTheChartScrolls16PixelsEvery220MsUntilTheEnd)
{
    // A wide chart: forty top-level nodes side by side.
    for (int i = 0; i < 40; ++i)
        chart->AddChild(nullptr, 0);
    driver.PaintAll();
    chart->SetSelected(a);
    const int total = static_cast<int>(chart->TotalWidth());
    const int maxLeft = total - chart->ClientWidth();
    ASSERT_GT(maxLeft, 16 * 3);
    driver.MoveTo(Screen(BoxCentre(a)));
    driver.Press(Screen(BoxCentre(a)));
    driver.MoveTo(Screen(BoxCentre(a) + TPoint(10, 0)));
    driver.MoveTo(Screen({chart->ClientWidth() - 10, 100}));
    EXPECT_EQ(chart->LeftPos(), 0);
    driver.AdvanceTime(219);
    EXPECT_EQ(chart->LeftPos(), 0);
    driver.AdvanceTime(1);
    EXPECT_EQ(chart->LeftPos(), 16);
    driver.AdvanceTime(440);
    EXPECT_EQ(chart->LeftPos(), 48);
    // On to the end, where the timer stops.
    driver.AdvanceTime(220 * (maxLeft / 16 + 3));
    EXPECT_EQ(chart->LeftPos(), maxLeft);
    EXPECT_EQ(MillisecondsToNextTimerForTests() < 0 || MillisecondsToNextTimerForTests() > 220, true)
        << "no auto-scroll timer is left running";
    driver.PressKey(VK_ESCAPE);
    driver.Release(Screen({chart->ClientWidth() - 10, 100}));
}

} // namespace
