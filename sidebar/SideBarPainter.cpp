#include "sidebar/SideBarPainter.h"

#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/Painting.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarCaption.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroup.h"

#include <algorithm>

namespace {

constexpr unsigned HeaderCaptionFlags = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
constexpr unsigned LargeCaptionFlags = DT_WORDBREAK | DT_CENTER | DT_NOPREFIX | DT_EDITCONTROL;
constexpr unsigned SmallCaptionFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

} // namespace

TzqSideBarPainter::TzqSideBarPainter(TzqSideBar* SideBar) : m_sideBar(SideBar) {}

TzqSideBarPainter::~TzqSideBarPainter() = default;

TzqSideBarViewInfo* TzqSideBarPainter::ViewInfo()
{
    if (!m_viewInfo)
        m_viewInfo = CreateViewInfo();
    return m_viewInfo.get();
}

void TzqSideBarPainter::Paint(TCanvas* canvas)
{
    TzqSideBarViewInfo* vi = ViewInfo();
    vi->CalculateIfNeeded();
    for (int i = 0; i < vi->HeaderCount(); ++i) {
        const TzqSideGroupViewInfo& header = vi->Headers(i);
        if (!canvas->RectVisible(header.Rect))
            continue;
        DrawGroupHeader(canvas, header);
        canvas->ExcludeClipRect(header.Rect);
    }
    DrawBorder(canvas);
    DrawScrollButtons(canvas);
    for (int i = 0; i < vi->ItemCount(); ++i)
        DrawItem(canvas, vi->Items(i));
    m_sideBar->PaintBackground(canvas, m_sideBar->ClientRect());
    DrawDropMarker(canvas);
}

void TzqSideBarPainter::DrawScrollButtons(TCanvas* canvas)
{
    const TzqSideBarViewInfo* vi = ViewInfo();
    const bool dragging = m_sideBar->ItemDragging();
    auto draw = [&](TRect r, unsigned kind, bool pressed) {
        if (r.IsEmpty())
            return;
        const TRect place = r;
        canvas->DrawFrameControl(r, DFC_SCROLL, kind | (pressed && !dragging ? DFCS_PUSHED : 0u));
        canvas->ExcludeClipRect(place);
    };
    draw(vi->UpButton(), DFCS_SCROLLUP, m_sideBar->UpButtonPressed());
    draw(vi->DownButton(), DFCS_SCROLLDOWN, m_sideBar->DownButtonPressed());
}

void TzqSideBarPainter::DrawItem(TCanvas* canvas, const TzqSideItemViewInfo& info)
{
    if (canvas->RectVisible(info.ImageFrame) || canvas->RectVisible(info.ItemFrame())) {
        DrawItemBackground(canvas, info);
        DrawItemImage(canvas, info);
        DrawItemImageFrame(canvas, info);
        canvas->ExcludeClipRect(info.ImageFrame);
    }
    if (canvas->RectVisible(info.CaptionRect))
        DrawItemCaption(canvas, info);
}

void TzqSideBarPainter::DrawItemBackground(TCanvas* canvas, const TzqSideItemViewInfo& info)
{
    m_sideBar->PaintBackground(canvas, info.ImageFrame);
}

void TzqSideBarPainter::DrawItemImage(TCanvas* canvas, const TzqSideItemViewInfo& info)
{
    const bool large = m_sideBar->ActiveGroup() &&
                       m_sideBar->ActiveGroup()->IconType() == TzqSideGroupIconType::zqsgLargeIcon;
    const TImageList* list = large ? m_sideBar->LargeImagesInUse() : m_sideBar->SmallImagesInUse();
    const int index = large ? info.Item->LargeImage() : info.Item->SmallImage();
    if (!list || index < 0 || index >= list->Count())
        return;
    list->Draw(canvas, info.ImageRect.Left, info.ImageRect.Top, index, info.Item->Enabled());
}

void TzqSideBarPainter::DrawItemImageFrame(TCanvas* canvas, const TzqSideItemViewInfo& info)
{
    const TzqSideBarItem* item = info.Item;
    if (!item->Enabled())
        return;
    const TRect frame = info.ItemFrame();
    TRect edge = frame;
    if (IsSelected(item) || IsPressed(item))
        canvas->DrawEdge(edge, BDR_SUNKENINNER, BF_RECT);
    else if (IsFocused(item))
        canvas->DrawEdge(edge, BDR_RAISEDOUTER, BF_RECT);
    else
        return;
    // A frame wider than the image frame keeps its edges: the background and the
    // caption are painted inside it later.
    if (frame != info.ImageFrame)
        ExcludeFrameSides(canvas, frame);
}

void TzqSideBarPainter::ExcludeFrameSides(TCanvas* canvas, const TRect& frame)
{
    canvas->ExcludeClipRect(TRect(frame.Left, frame.Top, frame.Right, frame.Top + 1));
    canvas->ExcludeClipRect(TRect(frame.Left, frame.Bottom - 1, frame.Right, frame.Bottom));
    canvas->ExcludeClipRect(TRect(frame.Left, frame.Top, frame.Left + 1, frame.Bottom));
    canvas->ExcludeClipRect(TRect(frame.Right - 1, frame.Top, frame.Right, frame.Bottom));
}

void TzqSideBarPainter::DrawThinBorder(TCanvas* canvas)
{
    TRect client = m_sideBar->ClientRect();
    const TRect inside = client.Inflate(-1, -1);
    canvas->DrawEdge(client, BDR_SUNKENOUTER, BF_RECT);
    canvas->IntersectClipRect(inside);
}

void TzqSideBarPainter::DrawFlatHeader(TCanvas* canvas, const TzqSideGroupViewInfo& header, bool activeLine)
{
    const TRect h = header.Rect;
    const TRect inner = h.Inflate(-1, -1);
    FillRectColor(canvas, inner, clBtnFace);
    DrawHeaderCaption(canvas, inner, header.Group->Caption());
    const bool hot = HotTrackHeaders() && m_sideBar->HotGroup() == header.Group;
    const bool pressed = hot && m_sideBar->HotGroupPressed();
    auto edge = [canvas](TRect r, unsigned kind, unsigned sides) { canvas->DrawEdge(r, kind, sides); };
    if (pressed) {
        edge(h, BDR_SUNKENINNER, BF_TOPLEFT);
        edge(h, BDR_SUNKENOUTER, BF_BOTTOMRIGHT);
        edge(inner, BDR_SUNKENOUTER, BF_TOPLEFT);
    } else if (hot) {
        edge(h, BDR_RAISEDINNER, BF_TOPLEFT);
        edge(h, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
        edge(inner, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
    } else {
        edge(h, BDR_RAISEDINNER, BF_TOPLEFT);
        edge(h, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
    }
    if (activeLine && header.Group == m_sideBar->ActiveGroup())
        edge(h, BDR_RAISEDOUTER, BF_BOTTOM);
}

void TzqSideBarPainter::DrawItemCaption(TCanvas* canvas, const TzqSideItemViewInfo& info)
{
    m_sideBar->PaintBackground(canvas, info.CaptionRect);
    const bool large = m_sideBar->ActiveGroup() &&
                       m_sideBar->ActiveGroup()->IconType() == TzqSideGroupIconType::zqsgLargeIcon;
    canvas->Font()->Assign(*m_sideBar->ItemFont());
    canvas->SetBkMode(TRANSPARENT);
    TRect r = info.CaptionRect;
    // Lines below the area being painted are not drawn (a long caption may wrap into
    // thousands of lines); one line more keeps a partly visible one.
    const int lineHeight = canvas->GetTextMetrics().tmHeight;
    r.Bottom = int(std::min<int64_t>(r.Bottom, int64_t(canvas->ClipRect().Bottom) + lineHeight));
    // Small captions are cut here: the search is quick even for very long captions.
    const std::string caption = large ? info.Item->Caption() : FitCaption(*canvas, info.Item->Caption(), r.Width());
    const unsigned flags = large ? LargeCaptionFlags : SmallCaptionFlags;
    if (info.Item->Enabled()) {
        canvas->DrawText(caption, r, flags);
    } else {
        // Embossed: a highlight one pixel right and down, the shadow at its place.
        const TColor color = canvas->Font()->Color();
        canvas->Font()->SetColor(clBtnHighlight);
        TRect shifted = r.Offset(1, 1);
        canvas->DrawText(caption, shifted, flags);
        canvas->Font()->SetColor(clBtnShadow);
        canvas->DrawText(caption, r, flags);
        canvas->Font()->SetColor(color);
    }
    canvas->ExcludeClipRect(info.CaptionRect);
}

void TzqSideBarPainter::DrawHeaderCaption(TCanvas* canvas, const TRect& rect, const std::string& caption)
{
    canvas->Font()->Assign(*m_sideBar->GroupFont());
    canvas->SetBkMode(TRANSPARENT);
    TRect r = rect;
    canvas->DrawText(FitCaption(*canvas, caption, r.Width()), r, HeaderCaptionFlags);
}

bool TzqSideBarPainter::IsSelected(const TzqSideBarItem* item) const
{
    return m_sideBar->SelectedItem() == item;
}

bool TzqSideBarPainter::IsFocused(const TzqSideBarItem* item) const
{
    return m_sideBar->FocusedItem() == item;
}

bool TzqSideBarPainter::IsPressed(const TzqSideBarItem* item) const
{
    return IsFocused(item) && m_sideBar->FocusedItemPressed();
}

void TzqSideBarPainter::InvalidateRegion(const TRegion& region)
{
    if (region.IsEmpty() || !m_sideBar->HandleAllocated())
        return;
    InvalidateRgn(m_sideBar->Handle(), &region, false);
}

void TzqSideBarPainter::InvalidateItem(const TzqSideBarItem* item)
{
    TzqSideBarViewInfo* vi = ViewInfo();
    const TzqSideItemViewInfo* info = vi->FindItem(item);
    if (!info)
        return;
    const TRegion area(vi->ItemsArea());
    InvalidateRegion(TRegion(info->ImageRect.Inflate(1, 1)).United(TRegion(info->CaptionRect)).Intersected(area));
}

void TzqSideBarPainter::InvalidateItemFrame(const TzqSideBarItem* item)
{
    TzqSideBarViewInfo* vi = ViewInfo();
    const TzqSideItemViewInfo* info = vi->FindItem(item);
    if (!info)
        return;
    const TRegion ring = TRegion(info->ItemFrame().Inflate(1, 1)).Subtracted(TRegion(info->ImageRect));
    InvalidateRegion(ring.Intersected(TRegion(vi->ItemsArea())));
}

void TzqSideBarPainter::InvalidateHeader(const TzqSideGroup* group)
{
    if (const TzqSideGroupViewInfo* header = ViewInfo()->FindHeader(group))
        InvalidateRegion(TRegion(header->Rect));
}

void TzqSideBarPainter::InvalidateItems()
{
    TzqSideBarViewInfo* vi = ViewInfo();
    TRegion region(m_sideBar->ClientRect());
    for (int i = 0; i < vi->HeaderCount(); ++i)
        region = region.Subtracted(TRegion(vi->Headers(i).Rect));
    InvalidateRegion(region);
}
