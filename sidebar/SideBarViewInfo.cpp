#include "sidebar/SideBarViewInfo.h"

#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarPainter.h"
#include "sidebar/SideGroups.h"

#include <algorithm>

namespace {

// Sizes and SpaceHeight may be as large as a signed 32-bit value: sums are made in
// 64 bits and saturated when they become coordinates.
TRect RectOf(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    return TRect(Saturate32(left), Saturate32(top), Saturate32(right), Saturate32(bottom));
}

constexpr unsigned LargeCaptionFlags = DT_WORDBREAK | DT_CENTER | DT_NOPREFIX | DT_EDITCONTROL;
constexpr unsigned SmallCaptionFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

} // namespace

TzqSideBarViewInfo::TzqSideBarViewInfo(TzqSideBarPainter* Painter) : m_painter(Painter) {}

TzqSideBarViewInfo::~TzqSideBarViewInfo() = default;

TzqSideBar* TzqSideBarViewInfo::SideBar() const
{
    return m_painter->SideBar();
}

TCanvas& TzqSideBarViewInfo::MeasureCanvas()
{
    if (!m_measureCanvas)
        m_measureCanvas = std::make_unique<TCanvas>();
    return *m_measureCanvas;
}

TSize TzqSideBarViewInfo::ImageSize(bool large) const
{
    if (const TImageList* list = large ? SideBar()->LargeImagesInUse() : SideBar()->SmallImagesInUse())
        return TSize(list->Width(), list->Height());
    return large ? TSize(32, 32) : TSize(16, 16);
}

TzqSideBarViewInfo::TFrameKey TzqSideBarViewInfo::FrameKey() const
{
    const TzqSideBar* sideBar = SideBar();
    return TFrameKey{sideBar->ClientRect(), sideBar->BorderStyle() == TBorderStyle::bsSingle, sideBar->BorderWidth(),
                     sideBar->BevelWidth()};
}

void TzqSideBarViewInfo::CalculateIfNeeded()
{
    if (!m_valid || FrameKey() != m_frameKey)
        Calculate();
}

void TzqSideBarViewInfo::Calculate()
{
    m_frameKey = FrameKey();
    m_headers.clear();
    m_items.clear();
    m_upButton = TRect();
    m_downButton = TRect();
    m_bounds = GetBounds();
    m_headerHeight = GetHeaderHeight();
    m_headerGap = GetHeaderGap();
    m_itemsArea = m_bounds.Inflate(-1, -1);
    CalcHeaders();
    CalcItems();
    CalcScrollButtons();
    m_valid = true;
}

void TzqSideBarViewInfo::CalcHeaders()
{
    TzqSideBar* sideBar = SideBar();
    TzqSideGroup* active = sideBar->ActiveGroup();
    if (!sideBar->ShowGroups() || !active)
        return;
    const TzqSideGroups* groups = sideBar->Groups();
    const int activeIndex = active->Index();
    const int64_t step = int64_t(m_headerHeight) + m_headerGap;

    // Up to the active group from the top, the rest from the bottom (the last lowest).
    int64_t top = m_bounds.Top;
    for (int i = 0; i <= activeIndex; ++i) {
        TzqSideGroup* group = groups->Items(i);
        if (!group->Visible())
            continue;
        m_headers.push_back(CreateGroupViewInfo(group, RectOf(m_bounds.Left, top, m_bounds.Right, top + m_headerHeight)));
        top += step;
    }
    const size_t firstFollowing = m_headers.size();
    std::vector<std::unique_ptr<TzqSideGroupViewInfo>> following;
    int64_t bottom = m_bounds.Bottom;
    for (int i = groups->Count() - 1; i > activeIndex; --i) {
        TzqSideGroup* group = groups->Items(i);
        if (!group->Visible())
            continue;
        following.push_back(CreateGroupViewInfo(group, RectOf(m_bounds.Left, bottom - m_headerHeight, m_bounds.Right, bottom)));
        bottom -= step;
    }
    std::move(following.rbegin(), following.rend(), std::back_inserter(m_headers));

    if (const TzqSideGroupViewInfo* header = FindHeader(active))
        m_itemsArea.Top = header->Rect.Bottom;
    if (firstFollowing < m_headers.size())
        m_itemsArea.Bottom = m_headers[firstFollowing]->Rect.Top;
}

void TzqSideBarViewInfo::CalcItems()
{
    TzqSideBar* sideBar = SideBar();
    TzqSideGroup* active = sideBar->ActiveGroup();
    if (!active)
        return;
    const TzqSideBarItems* items = active->Items();
    const int64_t space = sideBar->SpaceHeight();
    MeasureCanvas().Font()->Assign(*sideBar->ItemFont());
    int64_t y = m_itemsArea.Top;
    for (int i = active->TopItemIndex(); i < items->Count() && y + space < m_itemsArea.Bottom; ++i) {
        std::unique_ptr<TzqSideItemViewInfo> info = CreateItemViewInfo();
        info->Item = items->Items(i);
        info->Index = i;
        const int64_t bottom = CalcItem(*info, y + space);
        info->CutOff = bottom > m_itemsArea.Bottom;
        m_items.push_back(std::move(info));
        // Every item takes room; saturated coordinates still end the loop.
        y = std::max(bottom, y + 1);
    }
}

int64_t TzqSideBarViewInfo::CalcItem(TzqSideItemViewInfo& info, int64_t d)
{
    TzqSideBar* sideBar = SideBar();
    const bool large = sideBar->ActiveGroup()->IconType() == TzqSideGroupIconType::zqsgLargeIcon;
    const int64_t space = sideBar->SpaceHeight();
    const TSize image = ImageSize(large);
    const TRect& ia = m_itemsArea;
    const std::string caption = info.Item->Caption();
    TCanvas& canvas = MeasureCanvas();

    if (large) {
        const int64_t imageLeft = int64_t(m_bounds.Left) + (int64_t(m_bounds.Width()) - image.cx) / 2;
        const int64_t imageTop = d + space;
        info.ImageRect = RectOf(imageLeft, imageTop, imageLeft + image.cx, imageTop + image.cy);
        const int64_t captionTop = int64_t(info.ImageRect.Bottom) + space;
        TRect measured(ia.Left, Saturate32(captionTop), std::max(ia.Right, ia.Left), Saturate32(captionTop));
        canvas.DrawText(caption, measured, LargeCaptionFlags | DT_CALCRECT);
        const int64_t width = measured.Width();
        const int64_t left = int64_t(ia.Left) + (int64_t(ia.Width()) - width) / 2;
        info.CaptionRect = RectOf(left, captionTop, left + width, captionTop + measured.Height());
    } else {
        const int64_t rowHeight = std::max<int64_t>(canvas.GetTextMetrics().tmHeight + 2, image.cy);
        const int64_t imageLeft = int64_t(m_bounds.Left) + space;
        const int64_t imageTop = d + space + (rowHeight - image.cy) / 2;
        info.ImageRect = RectOf(imageLeft, imageTop, imageLeft + image.cx, imageTop + image.cy);
        const int64_t captionLeft = int64_t(info.ImageRect.Right) + space;
        const int64_t captionTop = d + space;
        TRect measured(Saturate32(captionLeft), Saturate32(captionTop), Saturate32(captionLeft), Saturate32(captionTop));
        canvas.DrawText(caption, measured, SmallCaptionFlags | DT_CALCRECT);
        const int64_t right = std::min<int64_t>(captionLeft + measured.Width(), int64_t(ia.Right) - space);
        info.CaptionRect = RectOf(captionLeft, captionTop, std::max(right, captionLeft), captionTop + measured.Height());
    }
    const int margin = GetImageFrameMargin();
    info.ImageFrame = RectOf(int64_t(info.ImageRect.Left) - margin, int64_t(info.ImageRect.Top) - margin,
                             int64_t(info.ImageRect.Right) + margin, int64_t(info.ImageRect.Bottom) + margin);
    return std::max<int64_t>(info.ImageFrame.Bottom, info.CaptionRect.Bottom);
}

void TzqSideBarViewInfo::CalcScrollButtons()
{
    if (m_items.empty())
        return;
    const TzqSideBar* sideBar = SideBar();
    const int64_t space = sideBar->SpaceHeight();
    const TRect& ia = m_itemsArea;
    const int itemCount = sideBar->ActiveGroup()->Items()->Count();
    const int64_t right = int64_t(ia.Right) - space;
    if (m_items.front()->Index > 0)
        m_upButton = RectOf(right - 16, int64_t(ia.Top) + space, right, int64_t(ia.Top) + space + 16);
    const TzqSideItemViewInfo& last = *m_items.back();
    if (last.Index < itemCount - 1 || last.CutOff)
        m_downButton = RectOf(right - 16, int64_t(ia.Bottom) - space - 16, right, int64_t(ia.Bottom) - space);
}

const TzqSideGroupViewInfo* TzqSideBarViewInfo::FindHeader(const TzqSideGroup* group) const
{
    for (const auto& header : m_headers)
        if (header->Group == group)
            return header.get();
    return nullptr;
}

const TzqSideItemViewInfo* TzqSideBarViewInfo::FindItem(const TzqSideBarItem* item) const
{
    for (const auto& info : m_items)
        if (info->Item == item)
            return info.get();
    return nullptr;
}

const TzqSideGroupViewInfo* TzqSideBarViewInfo::HeaderAt(TPoint p) const
{
    for (const auto& header : m_headers)
        if (header->Rect.Contains(p))
            return header.get();
    return nullptr;
}

const TzqSideItemViewInfo* TzqSideBarViewInfo::ItemAt(TPoint p) const
{
    const TzqSideGroup* active = SideBar()->ActiveGroup();
    const bool small = active && active->IconType() == TzqSideGroupIconType::zqsgSmallIcon;
    for (const auto& info : m_items) {
        // The caption reaches over the gap between it and the image.
        TRect caption = info->CaptionRect;
        if (small)
            caption.Left = info->ImageRect.Right;
        else
            caption.Top = info->ImageRect.Bottom;
        if (caption.Contains(p) || info->ItemFrame().Contains(p))
            return info.get();
    }
    return nullptr;
}

TzqSideBarViewInfo::TScrollButton TzqSideBarViewInfo::ScrollButtonAt(TPoint p) const
{
    if (m_upButton.Contains(p))
        return TScrollButton::sbUp;
    if (m_downButton.Contains(p))
        return TScrollButton::sbDown;
    return TScrollButton::sbNone;
}

TzqSideBarDropPosition TzqSideBarViewInfo::DropPositionAt(TPoint p, TzqSideBarItem*& item) const
{
    item = nullptr;
    if (!m_itemsArea.Contains(p))
        return TzqSideBarDropPosition::dpNone;
    for (const auto& info : m_items) {
        if (info->Bottom() < p.Y)
            continue;
        item = info->Item;
        return p.Y < info->Top() ? TzqSideBarDropPosition::dpBefore : TzqSideBarDropPosition::dpNone;
    }
    if (m_items.empty())
        return TzqSideBarDropPosition::dpBefore;
    item = m_items.back()->Item;
    return TzqSideBarDropPosition::dpAfter;
}

void TzqSideBarViewInfo::Forget(const TzqSideBarItem* item)
{
    m_items.erase(std::remove_if(m_items.begin(), m_items.end(), [item](const auto& info) { return info->Item == item; }),
                  m_items.end());
    m_valid = false;
}

void TzqSideBarViewInfo::Forget(const TzqSideGroup* group)
{
    m_headers.erase(
        std::remove_if(m_headers.begin(), m_headers.end(), [group](const auto& info) { return info->Group == group; }),
        m_headers.end());
    // The items of the group go with it.
    if (SideBar()->ActiveGroup() == group)
        m_items.clear();
    m_valid = false;
}

std::unique_ptr<TzqSideGroupViewInfo> TzqSideBarViewInfo::CreateGroupViewInfo(TzqSideGroup* group, const TRect& rect)
{
    return std::make_unique<TzqSideGroupViewInfo>(group, rect);
}

std::unique_ptr<TzqSideItemViewInfo> TzqSideBarViewInfo::CreateItemViewInfo()
{
    return std::make_unique<TzqSideItemViewInfo>();
}

int TzqSideBarViewInfo::GetHeaderHeight()
{
    TCanvas& canvas = MeasureCanvas();
    canvas.Font()->Assign(*SideBar()->GroupFont());
    const int offset = SideBar()->GroupHeightOffSet();
    return canvas.GetTextMetrics().tmHeight + (offset != 0 ? 2 * offset : 8);
}

TRect TzqSideBarViewInfo::GetBounds()
{
    return SideBar()->ClientRect();
}

int TzqSideBarViewInfo::GetHeaderGap()
{
    return 1;
}

int TzqSideBarViewInfo::GetImageFrameMargin()
{
    return 1;
}
