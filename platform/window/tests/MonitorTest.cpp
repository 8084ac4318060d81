// Monitors: each one's bounds and work area, and the work area at a point (the
// monitor holding it, else the nearest one).
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

namespace {

class MonitorTest : public ::testing::Test {
protected:
    THeadlessDriver driver;
};

TEST_F(MonitorTest, TheWorkAreaIsThatOfTheMonitorAtThePointOrTheNearestOne)
{
    // A primary monitor with a task bar at the bottom, and a second one to its right,
    // lower down, with a bar on its left.
    const TMonitorInfo primary{TRect(0, 0, 1280, 800), TRect(0, 0, 1280, 760), true};
    const TMonitorInfo second{TRect(1280, 200, 3200, 1280), TRect(1340, 200, 3200, 1280), false};
    driver.Backend().SetMonitors({second, primary});

    const std::vector<TMonitorInfo> monitors = GetMonitors();
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(monitors[0].Bounds, primary.Bounds) << "the primary monitor comes first";
    EXPECT_EQ(GetScreenRect(), primary.Bounds);
    EXPECT_EQ(GetWorkArea(), primary.WorkArea);

    struct Case {
        TPoint at;
        TRect workArea;
    };
    const Case cases[] = {
        {{100, 100}, primary.WorkArea},
        {{1279, 799}, primary.WorkArea},
        {{1280, 200}, second.WorkArea},
        {{2000, 1000}, second.WorkArea},
        {{1300, 100}, primary.WorkArea}, // above the second monitor: the primary is nearer
        {{1400, 150}, second.WorkArea},
        {{5000, 5000}, second.WorkArea},
        {{-300, -40}, primary.WorkArea},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MonitorWorkAreaAt(c.at), c.workArea) << c.at.X << "," << c.at.Y;
}

TEST_F(MonitorTest, EmptyOverlappingAndUnmarkedListsStillAnswer)
{
    // No monitors: the one screen, whose work area is the whole screen.
    driver.Backend().SetMonitors({});
    ASSERT_EQ(GetMonitors().size(), 1u);
    EXPECT_EQ(MonitorWorkAreaAt({5000, -5000}), GetScreenRect());

    // Monitors without any area are no monitors; one without a work area works whole.
    driver.Backend().SetMonitors({{TRect(), TRect(), true}, {TRect(0, 0, 800, 600), TRect(), false}});
    ASSERT_EQ(GetMonitors().size(), 1u);
    EXPECT_TRUE(GetMonitors()[0].Primary) << "without a primary mark the first one is it";
    EXPECT_EQ(MonitorWorkAreaAt({10, 10}), TRect(0, 0, 800, 600));
    EXPECT_EQ(GetScreenRect(), TRect(0, 0, 800, 600));

    // Overlapping monitors (mirrored displays): the primary one wins where they overlap.
    const TMonitorInfo a{TRect(0, 0, 1024, 768), TRect(0, 30, 1024, 768), false};
    const TMonitorInfo b{TRect(512, 0, 1536, 768), TRect(512, 0, 1536, 700), true};
    driver.Backend().SetMonitors({a, b});
    EXPECT_EQ(MonitorWorkAreaAt({700, 300}), b.WorkArea);
    EXPECT_EQ(MonitorWorkAreaAt({100, 300}), a.WorkArea);
    EXPECT_EQ(MonitorAt({100, 300}).Primary, false);
}

} // namespace
