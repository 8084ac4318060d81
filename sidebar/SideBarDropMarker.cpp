// The drop marker of an item drag: a black line across the items area with a triangle
// at each end, in an 8-pixel band above the target item (before it) or below it (after
// it). The halves of the triangles that would point out of the items are left out at
// the first and the last placed item.
#include "sidebar/SideBarPainter.h"

#include "platform/drawing/Canvas.h"
#include "platform/drawing/Region.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarViewInfo.h"

namespace {

// The height of the marker band, the depth of its triangles and its line's offset.
constexpr int BandHeight = 8;
constexpr int TriangleDepth = 8;
constexpr int LineOffset = 4;
// Where the line starts and ends, from the band's edges.
constexpr int LineInset = 9;

} // namespace

TRect TzqSideBarViewInfo::DropBand(const TzqSideBarItem* item, TzqSideBarDropPosition position) const
{
    const TzqSideItemViewInfo* info = item ? FindItem(item) : nullptr;
    const int left = m_itemsArea.Left;
    const int right = m_itemsArea.Right;
    if (!info)
        return item ? TRect{} : TRect{left, m_itemsArea.Top, right, m_itemsArea.Top + BandHeight};
    switch (position) {
    case TzqSideBarDropPosition::dpBefore:
        return {left, info->Top() - BandHeight, right, info->Top()};
    case TzqSideBarDropPosition::dpAfter:
        return {left, info->Bottom(), right, info->Bottom() + BandHeight};
    case TzqSideBarDropPosition::dpNone:
        break;
    }
    return {left, info->Top(), right, info->Bottom()};
}

void TzqSideBarPainter::InvalidateDropBand(const TzqSideBarItem* item, TzqSideBarDropPosition position)
{
    // A marker without a target item (an empty group) shows too, at the top.
    if (!item && position == TzqSideBarDropPosition::dpNone)
        return;
    TzqSideBarViewInfo* vi = ViewInfo();
    vi->CalculateIfNeeded();
    InvalidateRegion(TRegion(vi->DropBand(item, position).Inflate(0, 1)));
}

void TzqSideBarPainter::DrawDropMarker(TCanvas* canvas)
{
    const TzqSideBarDropPosition position = m_sideBar->DropPosition();
    if (position == TzqSideBarDropPosition::dpNone)
        return;
    const TzqSideBarViewInfo* vi = ViewInfo();
    const TzqSideBarItem* target = m_sideBar->DropTarget();
    TRect band = vi->DropBand(target, position);
    if (band.IsEmpty())
        return;
    const int space = m_sideBar->SpaceHeight();
    band.Left += space;
    band.Right -= space;

    const bool placed = vi->ItemCount() > 0;
    const bool beforeFirst =
        !target || (placed && position == TzqSideBarDropPosition::dpBefore && vi->Items(0).Item == target);
    const bool afterLast = placed && position == TzqSideBarDropPosition::dpAfter &&
                           vi->Items(vi->ItemCount() - 1).Item == target;

    canvas->Brush()->SetColor(clBlack);
    canvas->Pen()->SetColor(clBlack);
    const int lineY = band.Top + LineOffset;
    canvas->FillRect(TRect{band.Left + LineInset, lineY, band.Right - LineInset, lineY + 1});
    // Each triangle's base lies on the band's edge, its tip TriangleDepth inward on the
    // line: drawn as an upper and a lower half.
    for (const int side : {-1, +1}) {
        const int edge = side < 0 ? band.Left : band.Right - 1;
        const int tipX = edge - side * TriangleDepth;
        if (!beforeFirst)
            canvas->Polygon(std::vector<TPoint>{{edge, band.Top}, {tipX, lineY}, {edge, lineY}});
        if (!afterLast)
            canvas->Polygon(std::vector<TPoint>{{edge, lineY}, {tipX, lineY}, {edge, band.Bottom - 1}});
    }
}
