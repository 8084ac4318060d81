// How one row shares its length among its bars, apart from any window: a table of rows
// with what each bar asks for and where it ends up.
#include "bars/DockRowLayout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct Want {
    int min, max, desired;
    bool dragged = false, restSpace = false, wholeRow = false, multiLine = false;
};
struct Got {
    int position, length;
    bool truncated;
    bool operator==(const Got&) const = default;
};
void PrintTo(const Got& g, std::ostream* os)
{
    *os << "{" << g.position << ", " << g.length << (g.truncated ? ", truncated}" : "}");
}

std::vector<Got> Layout(const std::vector<Want>& wants, int length)
{
    std::vector<TzqDockRowBar> bars;
    for (const Want& w : wants) {
        TzqDockRowBar b;
        b.MinLength = w.min;
        b.MaxLength = w.max;
        b.Desired = w.desired;
        b.Dragged = w.dragged;
        b.UseRestSpace = w.restSpace;
        b.WholeRow = w.wholeRow;
        b.MultiLine = w.multiLine;
        bars.push_back(b);
    }
    LayoutDockRow(bars, length);
    std::vector<Got> got;
    for (const TzqDockRowBar& b : bars)
        got.push_back({b.Position, b.Length, b.Truncated});
    return got;
}

TEST(DockRowLayoutTest, RowsShareTheirLengthAsTheirBarsAskAndAllow)
{
    struct Case {
        const char* what;
        std::vector<Want> wants;
        int length;
        std::vector<Got> expected;
    };
    const Case cases[] = {
        {"room: a wish past the next bar moves it left",
         {{20, 100, 50}, {20, 100, 0}}, 300, {{0, 100, false}, {100, 100, false}}},
        {"room: wishes kept", {{20, 100, 10}, {20, 100, 250}}, 400, {{10, 100, false}, {250, 100, false}}},
        {"room: a wish past the row's end comes back", {{20, 100, 0}, {20, 100, 390}}, 400,
         {{0, 100, false}, {300, 100, false}}},
        {"short: the last bar shrinks when it wants to start late",
         {{20, 100, 0}, {20, 100, 100}}, 150, {{0, 100, false}, {100, 50, true}}},
        {"short: the first bar shrinks when the last one starts early",
         {{20, 100, 0}, {20, 100, 30}}, 150, {{0, 50, true}, {50, 100, false}}},
        {"short: nobody below its minimum", {{40, 100, 0}, {40, 100, 0}}, 30, {{0, 40, true}, {40, 40, true}}},
        {"short: a bar after the dragged one starts at its end",
         {{20, 60, 0}, {20, 60, 10, true}, {20, 100, 200}}, 180,
         {{0, 20, true}, {20, 60, false}, {80, 100, false}}},
        {"short: the same without a drag", {{20, 60, 0}, {20, 60, 10}, {20, 100, 200}}, 180,
         {{0, 60, false}, {60, 60, false}, {120, 60, true}}},
        {"short: a multi-line bar is not truncated", {{20, 100, 0, false, false, false, true}, {20, 100, 30}}, 150,
         {{0, 50, false}, {50, 100, false}}},
        {"rest space up to the next bar", {{20, 100, 0, false, true}, {20, 100, 200}}, 300,
         {{0, 200, false}, {200, 100, false}}},
        {"rest space of the last bar: from the bar before to the row's end",
         {{20, 100, 0}, {20, 100, 120, false, true}}, 300, {{0, 100, false}, {100, 200, false}}},
        {"a whole-row bar takes the row", {{50, 500, 40, false, false, true}}, 300, {{0, 300, true}}},
        {"a whole-row bar never below its minimum", {{350, 500, 0, false, false, true}}, 300, {{0, 350, true}}},
        {"a row of no length", {{20, 100, 0}, {20, 100, 0}}, 0, {{0, 20, true}, {20, 20, true}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Layout(c.wants, c.length), c.expected) << c.what;
}

TEST(DockRowLayoutTest, HugeLengthsAndWishesDoNotOverflow)
{
    const int big = 2147483647;
    const std::vector<Got> got = Layout({{big / 2, big, big}, {big / 2, big, big}}, big);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_GE(got[0].length, 0);
    EXPECT_GE(got[1].position, 0);
}

TEST(DockRowLayoutTest, ASiteWithoutRowsOffersANewRowEverywhere)
{
    for (int across : {-100, -12, 0, 11, 50})
        for (bool outerAtStart : {true, false}) {
            const TzqDockRowTarget t = LocateDockRow({}, outerAtStart, across);
            EXPECT_EQ(t.Row, 0);
            EXPECT_TRUE(t.NewRow);
        }
}

} // namespace
