#include "platform/core/Color.h"
#include "platform/core/Set.h"
#include "platform/core/Types.h"

#include <gtest/gtest.h>

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    struct Case { int a, b, c, expected; };
    const Case cases[] = {
        {10, 1, 3, 3},        // 3.33 -> 3
        {10, 2, 3, 7},        // 6.67 -> 7
        {5, 1, 2, 3},         // 2.5 -> 3
        {-5, 1, 2, -3},       // -2.5 -> -3
        {63, 16, 100, 10},    // 10.08 -> 10 (the side bar's colour step on 192)
        {7, 1, 0, -1},        // division by zero answers -1
        {2000000000, 2, 1, INT32_MAX}, // saturates instead of wrapping
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(Color, SystemColoursResolveThroughThePalette)
{
    EXPECT_EQ(clBtnFace, 0x8000000Fu);
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
    const COLORREF old = SetSysColor(COLOR_HIGHLIGHT, RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(1, 2, 3));
    SetSysColor(COLOR_HIGHLIGHT, old);
    EXPECT_EQ(GetSysColor(999), 0u);
}

enum class Fruit { Apple, Pear, Plum, Fig = 9 };

TEST(Set, StoresBitNForValueN)
{
    TSet<Fruit, uint16_t> s{Fruit::Pear, Fruit::Fig};
    EXPECT_EQ(s.ToWord(), (1u << 1) | (1u << 9));
    EXPECT_TRUE(s.contains(Fruit::Fig));
    EXPECT_FALSE(s.contains(Fruit::Apple));
    s.exclude(Fruit::Fig).include(Fruit::Apple);
    EXPECT_EQ(s, (TSet<Fruit, uint16_t>{Fruit::Apple, Fruit::Pear}));
    EXPECT_EQ((TSet<Fruit, uint16_t>::FromWord(0x0204)), (TSet<Fruit, uint16_t>{Fruit::Plum, Fruit::Fig}));
}

TEST(Rect, IntersectionAndUnionFollowExclusiveEdges)
{
    const TRect a{0, 0, 10, 10};
    EXPECT_TRUE(a.Contains(9, 9));
    EXPECT_FALSE(a.Contains(10, 5));
    EXPECT_TRUE(a.Intersect({10, 0, 20, 10}).IsEmpty());
    EXPECT_EQ(a.Intersect({5, 5, 20, 20}), TRect(5, 5, 10, 10));
    EXPECT_EQ(a.Union({}), a);
    EXPECT_EQ(PointFromLParam(MakeLParam(-3, 70)), TPoint(-3, 70));
}
