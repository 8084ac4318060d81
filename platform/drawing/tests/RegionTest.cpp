#include "platform/drawing/Region.h"

#include <gtest/gtest.h>

TEST(Region, CombinesLikeSetsOfPixels)
{
    const TRegion a(TRect(0, 0, 10, 10));
    const TRegion b(TRect(5, 5, 15, 15));
    EXPECT_EQ(a.United(b).BoundingRect(), TRect(0, 0, 15, 15));
    EXPECT_EQ(a.Intersected(b), TRegion(TRect(5, 5, 10, 10)));
    EXPECT_FALSE(a.Subtracted(b).Contains(TPoint(7, 7)));
    EXPECT_TRUE(a.Subtracted(b).Contains(TPoint(4, 9)));
    EXPECT_TRUE(a.Xored(b).Contains(TPoint(12, 12)));
    EXPECT_FALSE(a.Xored(b).Contains(TPoint(6, 6)));
    EXPECT_EQ(a.Translated(3, -2).BoundingRect(), TRect(3, -2, 13, 8));
    EXPECT_TRUE(TRegion(TRect(5, 5, 5, 9)).IsEmpty());
}
