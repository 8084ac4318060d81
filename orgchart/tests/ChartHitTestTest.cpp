// Hit testing: the flags for every zone around a box (gap above, left, right, the box,
// the shape, the button, below a node that is not expanded, nowhere), the inside tests
// of each shape, boxes of 65,535 pixels whose products pass 32 bits, and agreement of
// the hit box with the drawn box.
#include "orgchart/tests/ChartFixture.h"

#include <string>

namespace {

using HT = TzqOcHitTest;
using Flags = TzqOcHitTests;

std::string Describe(Flags f)
{
    static const char* names[] = {"Nowhere", "Left", "Right", "Above", "Below", "OnRect", "OnShape", "OnButton"};
    std::string out;
    for (int i = 0; i < 8; ++i)
        if (f.contains(static_cast<HT>(i)))
            out += std::string(out.empty() ? "" : ",") + names[i];
    return "{" + out + "}";
}

const Flags kOnShape{HT::htOnRect, HT::htOnShape};
const Flags kOnRectOnly{HT::htOnRect};

} // namespace

using HitTestTest = ChartTest;

// One top-level node, 64 x 40, line width 1, gaps 16: its column is x 0..80, its box
// x 8..73 and y 16..57 (the last pixel row of the box is 56), its row reaches 6 pixels
// below the box.
TEST_F(HitTestTest, EveryZoneAroundABoxGetsItsFlags)
{
    auto chart = NewChart();
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    ASSERT_EQ(chart->NodeSlotRect(n), TRect(8, 0, 73, 57));

    struct Case {
        int x, y;
        Flags flags;
        bool hitsNode;
    };
    const Case leaf[] = {
        {40, 5, {HT::htAbove}, true},
        {3, 5, {HT::htAbove, HT::htLeft}, true},
        {78, 5, {HT::htAbove, HT::htRight}, true},
        {3, 30, {HT::htLeft}, true},
        {7, 30, {HT::htLeft}, true},
        {8, 16, kOnShape, true},  // the box's corner pixel
        {73, 30, kOnShape, true}, // the right edge still counts as the box
        {74, 30, {HT::htRight}, true},
        {80, 30, {HT::htRight}, true},
        {81, 30, {HT::htNowhere}, false}, // past the column
        {40, 56, kOnShape, true},
        // Below a node that is not expanded, where its children would go, as far down
        // as a box is high.
        {40, 57, {HT::htBelow}, true},
        {3, 97, {HT::htBelow}, true},
        {40, 98, {HT::htNowhere}, false},
        {-1, 30, {HT::htNowhere}, false},
    };
    for (const Case& c : leaf) {
        const Flags got = chart->GetHitTestInfoAt(c.x, c.y);
        EXPECT_EQ(got, c.flags) << c.x << "," << c.y << " got " << Describe(got);
        EXPECT_EQ(chart->GetNodeAt(c.x, c.y), c.hitsNode ? n : nullptr) << c.x << "," << c.y;
    }

    // With a child the node has a button: 11 pixels wide around x 40, from 6 pixels
    // above the box's bottom to 6 below it.
    TzqOcNode* child = chart->AddChild(n, 0);
    const Case withButton[] = {
        {40, 50, kOnShape, true},
        {40, 51, {HT::htOnRect, HT::htOnShape, HT::htOnButton}, true},
        {35, 56, {HT::htOnRect, HT::htOnShape, HT::htOnButton}, true},
        {34, 56, kOnShape, true},
        {35, 62, {HT::htOnButton}, true},
        {45, 62, {HT::htOnButton}, true},
        {46, 62, {HT::htBelow}, true}, // beside the button below the box: below the node
        {40, 63, {HT::htBelow}, true},
    };
    for (const Case& c : withButton) {
        const Flags got = chart->GetHitTestInfoAt(c.x, c.y);
        EXPECT_EQ(got, c.flags) << c.x << "," << c.y << " got " << Describe(got);
        EXPECT_EQ(chart->GetNodeAt(c.x, c.y), c.hitsNode ? n : nullptr) << c.x << "," << c.y;
    }

    // Expanded, the row below belongs to the child; the parent's button still wins
    // where it reaches into the child's gap.
    n->Expand(false);
    EXPECT_EQ(chart->GetHitTestInfoAt(40, 60), Flags{HT::htOnButton});
    EXPECT_EQ(chart->GetNodeAt(40, 60), n);
    EXPECT_EQ(chart->GetHitTestInfoAt(20, 60), Flags{HT::htAbove});
    EXPECT_EQ(chart->GetNodeAt(20, 60), child);
    EXPECT_EQ(chart->GetHitTestInfoAt(20, 90), kOnShape);
    EXPECT_EQ(chart->GetNodeAt(20, 90), child);
    EXPECT_EQ(chart->GetHitTestInfoAt(20, 120), Flags{HT::htBelow});
    EXPECT_EQ(chart->GetNodeAt(20, 120), child);
}

TEST_F(HitTestTest, RotatedChartsTestTheExchangedDirections)
{
    auto chart = NewChart();
    chart->SetRotated(true);
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    // Across is the screen's y, down its x: the gap lies left of the box.
    ASSERT_EQ(chart->NodeSlotRect(n), TRect(0, 8, 81, 49));
    EXPECT_EQ(chart->GetHitTestInfoAt(10, 20), Flags{HT::htAbove});
    EXPECT_EQ(chart->GetHitTestInfoAt(40, 20), kOnShape);
    EXPECT_EQ(chart->GetHitTestInfoAt(40, 3), Flags{HT::htLeft});
    EXPECT_EQ(chart->GetHitTestInfoAt(90, 20), Flags{HT::htBelow});
    EXPECT_EQ(chart->GetNodeAt(40, 20), n);
}

// The shape tests are made on the box as drawn. A 90 x 70 node: box x 8..99, y 16..87,
// half-sizes 45 and 35, centre (53, 51).
TEST_F(HitTestTest, EachShapeAnswersInsideOnlyWithinItsOutline)
{
    auto chart = NewChart();
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    n->SetWidth(90);
    n->SetHeight(70);
    struct Case {
        TzqOcShape shape;
        int x, y;
        bool inside;
    };
    const Case cases[] = {
        // Ellipse: the corners of its bounding box are on the rectangle only.
        {TzqOcShape::shEllipse, 9, 17, false},
        {TzqOcShape::shEllipse, 98, 86, false},
        {TzqOcShape::shEllipse, 53, 51, true},
        {TzqOcShape::shEllipse, 53, 17, true}, // top of the outline
        {TzqOcShape::shEllipse, 9, 51, true},  // left of the outline
        {TzqOcShape::shEllipse, 20, 25, false},
        {TzqOcShape::shEllipse, 25, 30, true},
        // Round rectangle: corner arcs of radius 17 (a quarter of the smaller side).
        {TzqOcShape::shRoundRect, 8, 16, false},
        {TzqOcShape::shRoundRect, 12, 20, false},
        {TzqOcShape::shRoundRect, 14, 22, true},
        {TzqOcShape::shRoundRect, 30, 16, true}, // along the top edge, between the arcs
        {TzqOcShape::shRoundRect, 8, 40, true},  // along the left edge
        {TzqOcShape::shRoundRect, 97, 85, false},
        {TzqOcShape::shRoundRect, 93, 81, true},
        // Diamond: |u| * 35 + |v| * 45 <= 45 * 35.
        {TzqOcShape::shDiamond, 9, 17, false},
        {TzqOcShape::shDiamond, 53, 17, true},
        {TzqOcShape::shDiamond, 9, 51, true},
        {TzqOcShape::shDiamond, 20, 40, false},
        {TzqOcShape::shDiamond, 31, 51, true},
        {TzqOcShape::shDiamond, 98, 86, false},
        // Rectangles, and a shape from a table outside the enumeration (tested as an ellipse).
        {TzqOcShape::shRectangle, 8, 16, true},
        {static_cast<TzqOcShape>(9), 9, 17, false},
        {static_cast<TzqOcShape>(9), 53, 51, true},
    };
    for (const Case& c : cases) {
        n->SetShape(c.shape);
        const Flags got = chart->GetHitTestInfoAt(c.x, c.y);
        EXPECT_EQ(got, c.inside ? kOnShape : kOnRectOnly)
            << "shape " << int(c.shape) << " at " << c.x << "," << c.y << " got " << Describe(got);
    }
}

// Boxes of the largest size: the squares and cross products of the inside tests pass
// 2^31 at the far corners, which a 32-bit computation would take for "inside".
TEST_F(HitTestTest, InsideTestsHoldForBoxesOfSixtyFiveThousandPixels)
{
    auto chart = NewChart();
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    struct Case {
        TzqOcShape shape;
        uint16_t w, h;
        int x, y;
        bool inside;
    };
    // A w x h node's box runs from x 8 to 8 + w + 1 and from y 16 to 16 + h + 1.
    const Case cases[] = {
        {TzqOcShape::shDiamond, 65535, 65535, 8, 16, false},
        {TzqOcShape::shDiamond, 65535, 65535, 65544, 65551, false},
        {TzqOcShape::shDiamond, 65535, 65535, 32776, 20, true},
        {TzqOcShape::shEllipse, 65535, 16, 8, 16, false},
        {TzqOcShape::shEllipse, 65535, 16, 65544, 32, false},
        {TzqOcShape::shEllipse, 65535, 16, 32776, 24, true},
        {TzqOcShape::shEllipse, 16, 65535, 8, 16, false},
        {TzqOcShape::shEllipse, 16, 65535, 16, 32784, true},
        {TzqOcShape::shEllipse, 65535, 65535, 9, 17, false},
        {TzqOcShape::shEllipse, 65535, 65535, 32776, 17, true},
        {TzqOcShape::shRoundRect, 65535, 65535, 9, 17, false},
        {TzqOcShape::shRoundRect, 65535, 65535, 9, 30000, true},
    };
    for (const Case& c : cases) {
        n->SetWidth(c.w);
        n->SetHeight(c.h);
        n->SetShape(c.shape);
        const Flags got = chart->GetHitTestInfoAt(c.x, c.y);
        EXPECT_EQ(got, c.inside ? kOnShape : kOnRectOnly) << "shape " << int(c.shape) << " " << c.w << "x" << c.h
                                                          << " at " << c.x << "," << c.y << " got " << Describe(got);
    }
}

// An alignment from a table outside the enumeration: the box is hit where it is drawn.
TEST_F(HitTestTest, TheHitBoxIsTheDrawnBoxForAnyAlignment)
{
    auto chart = NewChart();
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    for (uint8_t align : {0, 1, 2, 7}) {
        n->SetAlign(static_cast<TzqOcNodeAlign>(align));
        const TRect slot = chart->NodeSlotRect(n);
        EXPECT_EQ(chart->GetHitTestInfoAt(slot.Left, 30), kOnShape) << int(align);
        EXPECT_EQ(chart->GetHitTestInfoAt(slot.Right - 1, 30), kOnShape) << int(align);
        EXPECT_EQ(chart->GetNodeAt(slot.Left + 1, 30), n) << int(align);
    }
}
