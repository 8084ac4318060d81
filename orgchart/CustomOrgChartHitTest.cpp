// TzqCustomOrgChart: hit testing. Which node lies under a client point, and where the
// point lies relative to it (its row, its box, its shape, its button, or below it where
// its children would go). The walk descends into the one column holding the point, so
// it costs the depth of the tree, without recursion.
#include "orgchart/CustomOrgChart.h"

#include <algorithm>
#include <cstdlib>

void TzqCustomOrgChart::ForgetHitTest()
{
    m_hitFlags = {};
    m_hitNode = nullptr;
}

TzqOcNode* TzqCustomOrgChart::GetNodeAt(int X, int Y)
{
    if (m_hitFlags.empty() || m_hitPoint != TPoint{X, Y})
        HitTest(X, Y);
    return m_hitNode;
}

TzqOcHitTests TzqCustomOrgChart::GetHitTestInfoAt(int X, int Y)
{
    if (m_hitFlags.empty() || m_hitPoint != TPoint{X, Y})
        HitTest(X, Y);
    return m_hitFlags;
}

void TzqCustomOrgChart::HitTest(int X, int Y)
{
    using HT = TzqOcHitTest;
    m_hitNode = nullptr;
    m_hitFlags = {};
    m_hitPoint = {X, Y};
    const TPoint64 p = ToScreen(TPoint64{X, Y});
    const int64_t a = p.X;
    const int64_t d = p.Y;
    const int64_t lw = EffectiveLineWidth();
    const int64_t gy = GapDown();

    TzqOcNode* n = m_root;
    TPoint64 origin = LayoutOrigin();
    while (n) {
        const bool isRoot = n == m_root;
        const int64_t x = origin.X;
        const int64_t y = origin.Y;
        const int64_t sw = SubtreeWidth(n);
        const int64_t h = isRoot ? 0 : DownSize(n);
        const int64_t c = isRoot ? y - 7 : y + h + gy + lw;
        if (a < x || a >= x + sw)
            break;
        if (y <= d && d < c + 6) {
            TzqOcHitTests flags;
            m_hitNode = n;
            const int64_t w = AcrossSize(n);
            // The box where painting puts it, whatever the alignment holds.
            const int64_t bl = BoxLeft(n, x);
            const int64_t br = bl + w + lw;
            const int64_t bt = y + gy;
            int64_t bb = c;
            if (d < bt)
                flags.include(HT::htAbove);
            if (a < bl)
                flags.include(HT::htLeft);
            if (a > br)
                flags.include(HT::htRight);
            if (flags.empty()) {
                if (d < bb) {
                    flags = {HT::htOnRect};
                    if (IsThreeDimensional(n))
                        bb -= lw;
                    if (InsideShape(n, a, d, bl, br, bt, bb))
                        flags.include(HT::htOnShape);
                }
                if (HasButton(n)) {
                    const int64_t bx = bl + w / 2 - 5;
                    if (bx <= a && a < bx + 11 && d >= bb - 6)
                        flags.include(HT::htOnButton);
                }
            }
            if (d >= c && !flags.contains(HT::htOnButton))
                m_hitNode = nullptr;
            else
                m_hitFlags = flags;
        }
        if (m_hitNode)
            break;
        if (!n->m_expanded) {
            if (c <= d && d <= c + h) {
                m_hitNode = n;
                m_hitFlags = {HT::htBelow};
            }
            break;
        }
        // Only the child whose column holds the point can be hit.
        int64_t childX = x + (isRoot ? 0 : ChildOffset(n));
        const int64_t childY = std::max(c, y);
        TzqOcNode* next = nullptr;
        for (int i = 0; i < n->Count(); ++i) {
            TzqOcNode* child = n->Items(i);
            const int64_t width = SubtreeWidth(child);
            if (a < childX)
                break;
            if (a < childX + width) {
                next = child;
                break;
            }
            childX += width;
        }
        n = next;
        origin = {childX, childY};
    }
    if (!m_hitNode)
        m_hitFlags = {HT::htNowhere};
}

bool TzqCustomOrgChart::InsideShape(TzqOcNode* Node, int64_t A, int64_t D, int64_t BL, int64_t BR, int64_t BT,
                                    int64_t BB)
{
    switch (Node->m_shape) {
    case TzqOcShape::shRectangle:
        return true;
    case TzqOcShape::shRoundRect: {
        const int64_t r = std::min(NodeWidth(Node), NodeHeight(Node)) / 4;
        if ((BL + r <= A && A <= BR - r) || (BT + r <= D && D <= BB - r))
            return true;
        const int64_t cx = A > BL + r ? BR - r : BL + r;
        const int64_t cy = D > BT + r ? BB - r : BT + r;
        const int64_t u = A - cx;
        const int64_t v = D - cy;
        return u * u + v * v <= r * r;
    }
    case TzqOcShape::shDiamond: {
        const int64_t rx = (BR - BL) / 2;
        const int64_t ry = (BB - BT) / 2;
        const int64_t u = std::llabs(A - (BL + rx));
        const int64_t v = std::llabs(D - (BT + ry));
        return u * ry + v * rx <= rx * ry;
    }
    default: {
        // shEllipse, and shapes outside the enumeration.
        const int64_t rx = (BR - BL) / 2;
        const int64_t ry = (BB - BT) / 2;
        const int64_t u = std::llabs(A - (BL + rx));
        const int64_t v = std::llabs(D - (BT + ry));
        if (rx <= 0 || ry <= 0)
            // A box scaled down to a line: only its own pixels.
            return u <= rx && v <= ry;
        if (ry <= rx) {
            const int64_t sv = v * rx / ry;
            return u * u + sv * sv <= rx * rx;
        }
        const int64_t su = u * ry / rx;
        return su * su + v * v <= ry * ry;
    }
    }
}
