// The sliding effect of a change of active group: its strips, cut without waiting and
// growing by 2 each time more than 50 ms have passed on the tick-count seam, and when a
// paint plays it.
#include "sidebar/SideBarSlide.h"
#include "sidebar/tests/SideBarFixture.h"

#include <vector>

namespace {

struct Step {
    TRect strip;
    TRect scrollArea;
    int dy;
};

std::vector<Step> Play(TzqSideBarSlide& slide)
{
    std::vector<Step> steps;
    Step s;
    while (slide.Next(s.strip, s.scrollArea, s.dy))
        steps.push_back(s);
    return steps;
}

TEST(SideBarSlide, AStandingClockCutsOnePixelStripsUntilAHeaderHeightIsLeft)
{
    TzqSideBarSlide slide(TRect(0, 20, 50, 40), 15, true, [] { return DWORD(1000); });
    const std::vector<Step> steps = Play(slide);
    ASSERT_EQ(steps.size(), 5u);
    for (size_t i = 0; i < steps.size(); ++i) {
        const int top = 20 + int(i);
        EXPECT_EQ(steps[i].strip, TRect(0, top, 50, top + 1)) << i;
        EXPECT_EQ(steps[i].scrollArea, TRect(0, top + 1, 50, 40)) << i;
        EXPECT_EQ(steps[i].dy, 1);
    }
    EXPECT_EQ(slide.Area(), TRect(0, 25, 50, 40));
}

TEST(SideBarSlide, StepsGrowByTwoEachTimeMoreThan50MillisecondsPassed)
{
    // The clock reads 0 at the start, then moves 30 ms per step: the step grows after
    // 60 ms (two steps), not after exactly 50.
    DWORD now = 0;
    TzqSideBarSlide slide(TRect(0, 0, 10, 200), 10, false, [&] {
        const DWORD t = now;
        now += 30;
        return t;
    });
    std::vector<int> sizes;
    std::vector<int> bottoms;
    Step s;
    while (slide.Next(s.strip, s.scrollArea, s.dy) && sizes.size() < 6) {
        sizes.push_back(s.strip.Height());
        bottoms.push_back(s.strip.Bottom);
        EXPECT_EQ(s.dy, -s.strip.Height());
        EXPECT_EQ(s.scrollArea.Bottom, s.strip.Top) << "sliding up cuts strips off the bottom";
    }
    EXPECT_EQ(sizes, (std::vector<int>{1, 1, 3, 3, 5, 5}));
    EXPECT_EQ(bottoms, (std::vector<int>{200, 199, 198, 195, 192, 187}));
}

TEST(SideBarSlide, TheLastStripIsCutToWhatIsLeftAndNoStripForAShortArea)
{
    DWORD now = 0;
    TzqSideBarSlide slide(TRect(0, 0, 10, 12), 0, true, [&] { return now += 100; });
    const std::vector<Step> steps = Play(slide);
    // 1, 3, 5, then the 3 pixels left (instead of 7).
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps.back().strip, TRect(0, 9, 10, 12));

    TzqSideBarSlide none(TRect(0, 0, 10, 12), 12, true, [] { return DWORD(0); });
    EXPECT_TRUE(Play(none).empty());
}

using Slide = SideBarTest;

TEST_F(Slide, APaintAfterAChangeOfActiveGroupPlaysTheSlideThroughTheTickSeam)
{
    TzqSideBar* bar = NewShownSideBar(150, 300, TzqsbPaintStyle::sbpsFlat);
    bar->SetColor(clNavy);
    int ticks = 0;
    bar->TickCount = [&] { return DWORD(++ticks * 100); };
    TzqSideGroup* one = AddGroup(bar, "One", 3);
    AddGroup(bar, "Two", 3);
    TzqSideGroup* three = AddGroup(bar, "Three", 3);
    driver.PaintAll();
    EXPECT_EQ(ticks, 0) << "the first paint has nothing to slide from";

    bar->SetActiveGroup(three);
    driver.PaintAll();
    EXPECT_GT(ticks, 1);
    // The new state is drawn after the slide.
    EXPECT_EQ(bar->ViewInfo()->FindHeader(three)->Rect.Top, bar->ViewInfo()->FindHeader(one)->Rect.Top + 2 * (bar->ViewInfo()->HeaderHeight() + 1));
    EXPECT_EQ(bar->ViewInfo()->Items(0).Item, three->Items()->Items(0));

    // Without headers there is nothing to slide.
    ticks = 0;
    bar->SetShowGroups(false);
    driver.PaintAll();
    bar->SetActiveGroup(one);
    driver.PaintAll();
    EXPECT_EQ(ticks, 0);
}

TEST_F(Slide, ThreeStepsOfASlideLookedAt)
{
    // A slow screen: every step takes 60 ms, so the steps grow 1, 3, 5... and the slide
    // finishes in few steps. The pictures show the window after 3 strips.
    TzqSideBar* bar = NewShownSideBar(124, 300, TzqsbPaintStyle::sbpsFlat);
    bar->SetColor(clNavy);
    AddGroup(bar, "Inbox", 4);
    AddGroup(bar, "Calendar", 4);
    TzqSideGroup* tasks = AddGroup(bar, "Tasks", 4);
    driver.PaintAll();
    DWORD now = 0;
    int steps = 0;
    bar->TickCount = [&] {
        now += 60;
        // Each reading after the first follows one strip; a picture of the screen
        // after strips 1, 3 and 6.
        ++steps;
        if (steps == 2 || steps == 4 || steps == 7)
            SaveSurface("slide-" + std::to_string(steps - 1));
        return now;
    };
    bar->SetActiveGroup(tasks);
    driver.PaintAll();
    EXPECT_GE(steps, 7);
    Save("slide-done");
}

} // namespace
