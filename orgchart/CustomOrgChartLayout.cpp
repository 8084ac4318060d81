// TzqCustomOrgChart: the layout. Subtree extents are cached per node at full size and
// scaled once at the end; the caches are filled by an explicit post-order walk, so a
// chain of any depth is measured without recursion. Everything is 64-bit.
#include "orgchart/CustomOrgChart.h"

#include "platform/drawing/ImageList.h"
#include "platform/window/WinApi.h"

#include <algorithm>

// ---- Scale ----

bool TzqCustomOrgChart::ScaleInEffect()
{
    if (!m_zoom || m_zoomSuspension != 0)
        return false;
    UpdateLayout();
    return m_zoomSuspension == 0 && m_zoomNumerator < m_zoomDenominator;
}

int64_t TzqCustomOrgChart::Scale(int64_t Value)
{
    return ScaleInEffect() ? MulDiv64(Value, m_zoomNumerator, m_zoomDenominator) : Value;
}

// ---- Full-size values ----

int64_t TzqCustomOrgChart::FullNodeWidth(const TzqOcNode* Node) const
{
    return Node->m_width ? Node->m_width : m_defaultNodeWidth;
}

int64_t TzqCustomOrgChart::FullNodeHeight(const TzqOcNode* Node) const
{
    return Node->m_height ? Node->m_height : m_defaultNodeHeight;
}

int64_t TzqCustomOrgChart::FullAcross(const TzqOcNode* Node) const
{
    return m_rotated ? FullNodeHeight(Node) : FullNodeWidth(Node);
}

int64_t TzqCustomOrgChart::FullDown(const TzqOcNode* Node) const
{
    return m_rotated ? FullNodeWidth(Node) : FullNodeHeight(Node);
}

int64_t TzqCustomOrgChart::FullGapAcross() const
{
    return m_rotated ? m_indentY : m_indentX;
}

int64_t TzqCustomOrgChart::FullGapDown() const
{
    return m_rotated ? m_indentX : m_indentY;
}

int64_t TzqCustomOrgChart::FullSubtreeWidth(TzqOcNode* Node)
{
    if (Node == m_root)
        return FullChildrenWidth(Node);
    return std::max(FullAcross(Node) + m_lineWidth + FullGapAcross(), FullChildrenWidth(Node));
}

int64_t TzqCustomOrgChart::FullSubtreeHeight(TzqOcNode* Node)
{
    if (Node == m_root)
        return FullChildrenHeight(Node);
    return FullDown(Node) + m_lineWidth + FullGapDown() + FullChildrenHeight(Node);
}

int64_t TzqCustomOrgChart::FullChildrenWidth(TzqOcNode* Node)
{
    if (!Node->m_expanded)
        return 0;
    if (Node->m_childrenWidth == 0)
        FillCaches(Node, true);
    return Node->m_childrenWidth;
}

int64_t TzqCustomOrgChart::FullChildrenHeight(TzqOcNode* Node)
{
    if (!Node->m_expanded)
        return 0;
    if (Node->m_childrenHeight == 0)
        FillCaches(Node, false);
    return Node->m_childrenHeight;
}

// Fills the empty caches of one direction below and at Node (expanded, cache empty) in
// post-order. Children width is the sum of the children's subtree widths, children
// height the largest of their subtree heights.
void TzqCustomOrgChart::FillCaches(TzqOcNode* Node, bool Across)
{
    auto cacheOf = [Across](TzqOcNode* n) -> int64_t& { return Across ? n->m_childrenWidth : n->m_childrenHeight; };
    // A child's contribution once its own children are measured.
    auto extentOf = [&](TzqOcNode* n) { return RowExtent(n, Across); };

    // Each frame walks its children from sibling to sibling (a step costs nothing
    // however long the row), not by index.
    struct Frame {
        TzqOcNode* node;
        TzqOcNode* next;
        int64_t accumulated;
    };
    std::vector<Frame> stack{{Node, Node->GetFirstChild(), 0}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next) {
            TzqOcNode* child = frame.next;
            frame.next = child->GetNextSibling();
            if (child->m_expanded && cacheOf(child) == 0 && child->Count() > 0) {
                stack.push_back({child, child->GetFirstChild(), 0});
                continue;
            }
            const int64_t extent = extentOf(child);
            frame.accumulated = Across ? frame.accumulated + extent : std::max(frame.accumulated, extent);
            continue;
        }
        TzqOcNode* done = frame.node;
        cacheOf(done) = frame.accumulated;
        stack.pop_back();
        if (!stack.empty()) {
            Frame& parent = stack.back();
            const int64_t extent = extentOf(done);
            parent.accumulated = Across ? parent.accumulated + extent : std::max(parent.accumulated, extent);
        }
    }
}

int64_t TzqCustomOrgChart::RowExtent(const TzqOcNode* Child, bool Across)
{
    if (Across) {
        const int64_t own = FullAcross(Child) + m_lineWidth + FullGapAcross();
        return std::max(own, Child->m_expanded ? Child->m_childrenWidth : 0);
    }
    const int64_t own = FullDown(Child) + m_lineWidth + FullGapDown();
    return own + (Child->m_expanded ? Child->m_childrenHeight : 0);
}

bool TzqCustomOrgChart::GrowRowCaches(TzqOcNode* Parent, TzqOcNode* Child)
{
    // The parent's caches hold the row without the child (it had other children, all
    // measured); the child's own extents need no measuring below it.
    if (!Parent->m_expanded || Parent->Count() < 2 || Parent->m_childrenWidth == 0 || Parent->m_childrenHeight == 0)
        return false;
    if (Child->m_expanded && Child->Count() > 0 && (Child->m_childrenWidth == 0 || Child->m_childrenHeight == 0))
        return false;
    Parent->m_childrenWidth += RowExtent(Child, true);
    Parent->m_childrenHeight = std::max(Parent->m_childrenHeight, RowExtent(Child, false));
    // The parent's own extents changed: the caches above it go as after any change
    // there, and the chart is told as it would be for the parent.
    if (TzqOcNode* above = Parent->m_parent)
        above->DropLayoutCaches(TzqOcNode::CacheDirection::Both);
    if (!LayoutIsChanged() && Parent->IsVisible())
        LayoutChanged();
    return true;
}

// ---- Effective (scaled) values ----

int64_t TzqCustomOrgChart::NodeWidth(const TzqOcNode* Node)
{
    return Scale(FullNodeWidth(Node));
}

int64_t TzqCustomOrgChart::NodeHeight(const TzqOcNode* Node)
{
    return Scale(FullNodeHeight(Node));
}

int64_t TzqCustomOrgChart::AcrossSize(const TzqOcNode* Node)
{
    return m_rotated ? NodeHeight(Node) : NodeWidth(Node);
}

int64_t TzqCustomOrgChart::DownSize(const TzqOcNode* Node)
{
    return m_rotated ? NodeWidth(Node) : NodeHeight(Node);
}

int64_t TzqCustomOrgChart::EffectiveLineWidth()
{
    return ScaleInEffect() ? Scale(m_lineWidth) : m_lineWidth;
}

int64_t TzqCustomOrgChart::GapAcross()
{
    return Scale(FullGapAcross());
}

int64_t TzqCustomOrgChart::GapDown()
{
    return Scale(FullGapDown());
}

int64_t TzqCustomOrgChart::ChildrenWidth(TzqOcNode* Node)
{
    if (!Node->m_expanded)
        return 0;
    int64_t full;
    {
        FullSizeScope fullSize(this);
        full = FullChildrenWidth(Node);
    }
    return Scale(full);
}

int64_t TzqCustomOrgChart::ChildrenHeight(TzqOcNode* Node)
{
    if (!Node->m_expanded)
        return 0;
    int64_t full;
    {
        FullSizeScope fullSize(this);
        full = FullChildrenHeight(Node);
    }
    return Scale(full);
}

int64_t TzqCustomOrgChart::SubtreeWidth(TzqOcNode* Node)
{
    int64_t full;
    {
        FullSizeScope fullSize(this);
        full = FullSubtreeWidth(Node);
    }
    return Scale(full);
}

int64_t TzqCustomOrgChart::SubtreeHeight(TzqOcNode* Node)
{
    int64_t full;
    {
        FullSizeScope fullSize(this);
        full = FullSubtreeHeight(Node);
    }
    return Scale(full);
}

int64_t TzqCustomOrgChart::ChildOffset(TzqOcNode* Node)
{
    switch (Node->m_align) {
    case TzqOcNodeAlign::naLeft:
        return 0;
    case TzqOcNodeAlign::naCenter:
        return (SubtreeWidth(Node) - ChildrenWidth(Node)) / 2;
    default:
        return SubtreeWidth(Node) - ChildrenWidth(Node);
    }
}

int64_t TzqCustomOrgChart::BoxLeft(TzqOcNode* Node, int64_t ColumnLeft)
{
    const int64_t box = AcrossSize(Node) + EffectiveLineWidth();
    switch (Node->m_align) {
    case TzqOcNodeAlign::naCenter:
        return ColumnLeft + (SubtreeWidth(Node) - box) / 2;
    case TzqOcNodeAlign::naRight:
        return ColumnLeft + SubtreeWidth(Node) - box;
    default:
        // naLeft, and values outside the enumeration.
        return ColumnLeft;
    }
}

// The drawing's size on the screen. Six pixels below the last row (right of it when
// rotated) leave room for the buttons of that row. Like every other extent the total
// is taken at full size and scaled once: the zoom factor is chosen so that the scaled
// full-size total lies strictly inside the client area, and an allowance added after
// scaling would push a zoomed drawing a few pixels past it (and bring back a bar).
int64_t TzqCustomOrgChart::TotalWidth()
{
    int64_t full;
    {
        FullSizeScope fullSize(this);
        full = m_rotated ? FullChildrenHeight(m_root) + 6 : FullChildrenWidth(m_root);
    }
    return Scale(full);
}

int64_t TzqCustomOrgChart::TotalHeight()
{
    int64_t full;
    {
        FullSizeScope fullSize(this);
        full = m_rotated ? FullChildrenWidth(m_root) : FullChildrenHeight(m_root) + 6;
    }
    return Scale(full);
}

bool TzqCustomOrgChart::HasButton(TzqOcNode* Node)
{
    return m_options.contains(TzqOcOption::ocButtons) && Node->Count() > 0 && !(ScaleInEffect() && Node->m_expanded);
}

bool TzqCustomOrgChart::IsThreeDimensional(const TzqOcNode* Node) const
{
    return Node->m_shape == TzqOcShape::shRectangle && m_options.contains(TzqOcOption::ocRect3D);
}

void TzqCustomOrgChart::DropAllLayoutCaches(TzqOcNode::CacheDirection Direction)
{
    // The rows' offset sums are stamped; a new stamp makes all of them stale at once.
    ++m_layoutStamp;
    const bool across = Direction != TzqOcNode::CacheDirection::Down;
    const bool down = Direction != TzqOcNode::CacheDirection::Across;
    for (TzqOcNode* node = m_root; node; node = node->GetNext()) {
        if (across)
            node->m_childrenWidth = 0;
        if (down)
            node->m_childrenHeight = 0;
    }
    LayoutChanged();
}

// ---- Geometry of single nodes ----

TPoint64 TzqCustomOrgChart::LayoutOrigin()
{
    return ToScreen(TPoint64{-static_cast<int64_t>(LeftPos()), -static_cast<int64_t>(TopPos())});
}

bool TzqCustomOrgChart::NodeColumn(TzqOcNode* Node, TPoint64& Column)
{
    if (!IsInTree(Node))
        return false;
    // A node's column is the origin plus what each ancestor adds: its row's place
    // below the row above, its children's offset within its column and the siblings
    // before the child on the way down. The parts are sums, so one walk up adds them
    // all, and answers on the way whether the node is shown (every ancestor below the
    // root expanded). A walk over a deep chain touches each ancestor once.
    const TPoint64 origin = LayoutOrigin();
    const int64_t rowStep = GapDown() + EffectiveLineWidth();
    TPoint64 offset{};
    for (TzqOcNode* n = Node; n != m_root; n = n->m_parent) {
        TzqOcNode* parent = n->m_parent;
        if (!parent || (parent != m_root && !parent->m_expanded))
            return false;
        if (parent != m_root) {
            offset.X += ChildOffset(parent);
            offset.Y += rowStep + DownSize(parent);
        }
        offset.X += OffsetInRow(parent, n);
    }
    Column = {origin.X + offset.X, origin.Y + offset.Y};
    return true;
}

uint32_t TzqCustomOrgChart::OffsetStamp()
{
    // Asked first: bringing the layout up to date may change the zoom factor.
    const bool scaled = ScaleInEffect();
    return (m_layoutStamp << 1) | (scaled ? 1u : 0u);
}

int64_t TzqCustomOrgChart::OffsetInRow(TzqOcNode* Parent, TzqOcNode* Child)
{
    // The sum of the (scaled) subtree widths of the siblings before Child, as the
    // positioning pass adds them up. The parent's list keeps the sums for the whole row
    // until a layout cache of the row is dropped, so finding a node's place costs a
    // walk over its ancestors, not over their siblings.
    TzqOcChildList* row = Parent->m_children.get();
    // A short row is summed on the spot; the sums are kept only for long ones.
    constexpr int kShortRow = 16;
    if (row->Count() <= kShortRow) {
        int64_t offset = 0;
        for (TzqOcNode* n = row->First(); n && n != Child; n = row->Next(n))
            offset += SubtreeWidth(n);
        return offset;
    }
    const uint32_t stamp = OffsetStamp();
    if (!row->OffsetsValid(stamp)) {
        // The parent's own cache is filled first: a change below it then always drops
        // it, and with it these sums.
        ChildrenWidth(Parent);
        row->FillOffsets(stamp, [this](TzqOcNode* child) { return SubtreeWidth(child); });
    }
    return row->OffsetAt(Child->Index());
}

TRect64 TzqCustomOrgChart::NodeSlotLayout(TzqOcNode* Node)
{
    TPoint64 column;
    if (Node == m_root || !NodeColumn(Node, column))
        return {};
    const int64_t left = BoxLeft(Node, column.X);
    return {left, column.Y, left + AcrossSize(Node) + EffectiveLineWidth(),
            column.Y + GapDown() + DownSize(Node) + EffectiveLineWidth()};
}

TRect TzqCustomOrgChart::NodeSlotRect(TzqOcNode* Node)
{
    const TRect64 slot = NodeSlotLayout(Node);
    return slot.IsEmpty() ? TRect{} : ToScreen(slot).ToRect();
}

// ---- Layout changes, zoom and scrolling ----

void TzqCustomOrgChart::LayoutChanged()
{
    if (m_layoutChanged)
        return;
    HideEditor(true);
    Invalidate();
    m_layoutChanged = true;
    ForgetHitTest();
}

void TzqCustomOrgChart::UpdateLayout()
{
    if (!m_layoutChanged)
        return;
    m_layoutChanged = false;
    if (m_zoom)
        ComputeZoomFactor();
    else
        UpdateScrollBars();
}

void TzqCustomOrgChart::ComputeZoomFactor()
{
    FullSizeScope fullSize(this);
    const int64_t w = TotalWidth();
    const int64_t h = TotalHeight();
    const int64_t cw = ClientWidth();
    const int64_t ch = ClientHeight();
    const int64_t numerator = m_zoomNumerator;
    const int64_t denominator = m_zoomDenominator;
    if (static_cast<__int128>(cw) * h > static_cast<__int128>(ch) * w) {
        m_zoomNumerator = ch;
        m_zoomDenominator = h + 1;
    } else {
        m_zoomNumerator = cw;
        m_zoomDenominator = w + 1;
    }
    if (numerator != m_zoomNumerator || denominator != m_zoomDenominator)
        ++m_layoutStamp;
}

void TzqCustomOrgChart::UpdateScrollBars()
{
    if (!HandleAllocated())
        return;
    const HWND h = Handle();
    SCROLLINFO info;
    info.fMask = SIF_POS;
    GetScrollInfo(h, SB_HORZ, info);
    const int x = info.nPos;
    info = {};
    info.fMask = SIF_POS;
    GetScrollInfo(h, SB_VERT, info);
    const int y = info.nPos;
    // The range covers the drawing's pixels, so the largest position is the drawing's
    // size less the page, the same limit ScrollTo keeps to.
    auto setRange = [&](int bar, int64_t total, int page) {
        SCROLLINFO range;
        range.fMask = SIF_RANGE | SIF_PAGE;
        range.nMin = 0;
        range.nMax = Saturate32(std::max<int64_t>(total - 1, 0));
        range.nPage = static_cast<UINT>(std::max(page, 0));
        SetScrollInfo(h, bar, range, true);
    };
    setRange(SB_HORZ, TotalWidth(), ClientWidth());
    setRange(SB_VERT, TotalHeight(), ClientHeight());
    ScrollTo(x, y);
}

int TzqCustomOrgChart::LeftPos()
{
    if (!m_zoom)
        UpdateLayout();
    return m_leftPos;
}

int TzqCustomOrgChart::TopPos()
{
    if (!m_zoom)
        UpdateLayout();
    return m_topPos;
}

void TzqCustomOrgChart::ScrollTo(int64_t X, int64_t Y)
{
    X = std::max<int64_t>(std::min<int64_t>(X, TotalWidth() - ClientWidth()), 0);
    Y = std::max<int64_t>(std::min<int64_t>(Y, TotalHeight() - ClientHeight()), 0);
    const int newLeft = Saturate32(X);
    const int newTop = Saturate32(Y);
    if (newLeft == m_leftPos && newTop == m_topPos)
        return;
    const int64_t dx = static_cast<int64_t>(m_leftPos) - newLeft;
    const int64_t dy = static_cast<int64_t>(m_topPos) - newTop;
    m_leftPos = newLeft;
    m_topPos = newTop;
    if (!HandleAllocated())
        return;
    const HWND h = Handle();
    ScrollWindowEx(h, Saturate32(dx), Saturate32(dy), nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    auto setPos = [h](int bar, int pos) {
        SCROLLINFO info;
        info.fMask = SIF_POS;
        info.nPos = pos;
        SetScrollInfo(h, bar, info, true);
    };
    if (dx != 0)
        setPos(SB_HORZ, newLeft);
    if (dy != 0)
        setPos(SB_VERT, newTop);
}

// ---- The positioning pass ----
//
// Walks the shown part of the tree top-down with a stack of its own, writing every
// visited node's current position (and start position when ResetStart) and marking
// the nodes whose column reaches into the area A. Whether a node is shown is handed
// down the walk instead of asked with IsVisible, which would walk the ancestors again.

void TzqCustomOrgChart::PositionNodes(const TRect64& A, bool ResetStart)
{
    if (ResetStart)
        m_startPositions.clear();
    struct Frame {
        TzqOcNode* node;
        int next;
        TPoint64 childOrigin;
        bool visible;
        bool descend;
    };
    const int64_t lw = EffectiveLineWidth();
    const int64_t gy = GapDown();
    std::vector<Frame> stack;

    auto visit = [&](TzqOcNode* n, TPoint64 origin, bool visible) {
        if (ResetStart)
            n->m_paint = false;
        const bool isRoot = n == m_root;
        if (isRoot) {
            origin = LayoutOrigin();
            n->m_paint = true;
        }
        TPoint64 childOrigin{};
        if (visible) {
            const int64_t sw = SubtreeWidth(n);
            const int64_t rowBottom = isRoot ? origin.Y : origin.Y + DownSize(n) + gy + lw;
            int64_t extra = 0;
            if (n->m_expanded)
                // Everything below an expanded node may reach into the area; a subtree
                // taller than the usual allowance keeps its whole height.
                extra = std::max<int64_t>(999999, ChildrenHeight(n));
            else if (HasButton(n))
                extra = std::max<int64_t>(6 - lw / 2, 0);
            if (A.Right >= origin.X && A.Left <= origin.X + sw && A.Bottom >= origin.Y && A.Top <= rowBottom + extra)
                n->m_paint = true;
            childOrigin = {origin.X + (isRoot ? 0 : ChildOffset(n)), rowBottom};
            n->m_currentX = isRoot ? origin.X : BoxLeft(n, origin.X);
            n->m_currentY = origin.Y;
        } else {
            TzqOcNode* parent = n->m_parent;
            n->m_paint = parent->m_paint;
            int64_t across = 0;
            const int64_t difference = AcrossSize(parent) - AcrossSize(n);
            if (parent->m_align == TzqOcNodeAlign::naCenter)
                across = difference / 2;
            else if (parent->m_align != TzqOcNodeAlign::naLeft)
                across = difference;
            n->m_currentX = parent->m_currentX + across;
            n->m_currentY = parent->m_currentY + gy / 4;
        }
        if (ResetStart) {
            // Start positions matter only to the frames of an animation about to play.
            if (m_animatedNode)
                m_startPositions[n] = TPoint64{n->m_currentX, n->m_currentY};
        }
        const bool reach = n->m_paint || (ResetStart && m_animatedNode);
        const bool descend = reach && (n->m_expanded || n == m_animatedNode) && n->Count() > 0;
        stack.push_back({n, 0, childOrigin, visible && n->m_expanded, descend});
    };

    visit(m_root, {}, true);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (!frame.descend || frame.next >= frame.node->Count()) {
            stack.pop_back();
            continue;
        }
        TzqOcNode* child = frame.node->Items(frame.next++);
        const TPoint64 origin = frame.childOrigin;
        if (frame.node->m_expanded)
            frame.childOrigin.X += SubtreeWidth(child);
        visit(child, origin, frame.visible);
    }
}
