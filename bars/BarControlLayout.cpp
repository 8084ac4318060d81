// How a bar window lays out its links: its lengths along a row, the thickness it needs,
// fitting a single line (dropping the least recently used buttons of a personalized
// bar first) or wrapping several, and the rectangles of the item controls.
#include "bars/BarControl.h"

#include "bars/Bar.h"
#include "bars/BarItem.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/DockControl.h"
#include "platform/controls/Form.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace {

// Long enough for any bar: wrapping into it gives one line.
constexpr int kUnbounded = INT_MAX / 4;

} // namespace

int TzqBarControl::FrameAlong() const
{
    const TRect m = FrameMargins();
    return Vertical() ? m.Top + m.Bottom : m.Left + m.Right;
}

int TzqBarControl::FrameAcross() const
{
    const TRect m = FrameMargins();
    return Vertical() ? m.Left + m.Right : m.Top + m.Bottom;
}

std::vector<TzqBarItemLink*> TzqBarControl::DisplayedLinks() const
{
    std::vector<TzqBarItemLink*> links;
    TzqBarItemLinks* all = ItemLinks();
    const int count = all ? all->DisplayedCount() : 0;
    links.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        links.push_back(all->DisplayedItems(i));
    return links;
}

std::vector<TzqBarLineItem> TzqBarControl::LineItems(const std::vector<TzqBarItemControl*>& Controls) const
{
    std::vector<TzqBarLineItem> items(Controls.size());
    const bool vertical = Vertical(), rotated = Rotated();
    for (size_t i = 0; i < Controls.size(); ++i) {
        const TzqBarItemExtent extent = Controls[i]->CalcExtent(vertical, rotated);
        TzqBarLineItem& item = items[i];
        item.Length = extent.Length;
        item.Thickness = extent.Thickness;
        item.BeginGroup = Controls[i]->Link()->BeginGroup();
        item.Align = Controls[i]->Item() ? Controls[i]->Item()->Align() : TzqBarItemAlign::iaLeft;
        item.CanStretch = Controls[i]->CanStretch();
    }
    return items;
}

int TzqBarControl::ContentSum(const std::vector<TzqBarLineItem>& Items) const
{
    const int separator = BarManager() ? BarManager()->SeparatorSize() : 0;
    long long sum = 0;
    for (size_t i = 0; i < Items.size(); ++i)
        sum += Items[i].Length + (Items[i].BeginGroup && i > 0 ? separator : 0);
    return static_cast<int>(std::min<long long>(sum, kUnbounded));
}

void TzqBarControl::PrepareRowLayout()
{
    TzqBarItemLinks* links = ItemLinks();
    m_arranging = true;
    if (links && links->RecentItemCount() != -1)
        links->SetRecentItemCount(-1);
    m_arranging = false;
    m_truncated = false;
    m_rowTruncated = false;
    SyncItemControls(DisplayedLinks());
    std::vector<TzqBarItemControl*> controls;
    for (int i = 0; i < ItemControlCount(); ++i)
        controls.push_back(ItemControls(i));
    const std::vector<TzqBarLineItem> items = LineItems(controls);
    const int mark = MarkCounted() ? kMarkSize : 0;
    const int empty = BarManager() ? BarManager()->ButtonSize() : 23;
    int first = 0, widest = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i == 0)
            first = items[i].Length;
        widest = std::max(widest, items[i].Length);
    }
    const int min = items.empty() ? empty : (MultiLine() || Vertical() ? widest : first);
    const int max = items.empty() ? empty : ContentSum(items);
    m_minLength = min + FrameAlong() + mark;
    m_maxLength = std::max(max, min) + FrameAlong() + mark;
}

int TzqBarControl::ThicknessForLength(int Length)
{
    return ArrangeLinks(std::max(0, Length - FrameAlong()), false) + FrameAcross();
}

void TzqBarControl::FitRecentItems(int ContentLength)
{
    TzqBarItemLinks* links = ItemLinks();
    TzqBarManager* manager = BarManager();
    if (!links || !manager || manager->Designing() || MultiLine() || !links->PersonalizedBehaviour())
        return;
    m_arranging = true;
    links->SetRecentItemCount(-1);
    // The extent of every displayed link, measured once.
    SyncItemControls(DisplayedLinks());
    std::vector<TzqBarItemControl*> controls;
    for (int i = 0; i < ItemControlCount(); ++i)
        controls.push_back(ItemControls(i));
    const std::vector<TzqBarLineItem> all = LineItems(controls);
    if (ContentSum(all) <= ContentLength) {
        m_arranging = false;
        return;
    }
    std::unordered_map<const TzqBarItemLink*, int> lengths;
    for (size_t i = 0; i < all.size(); ++i)
        lengths[controls[i]->Link()] = all[i].Length;
    const int separator = manager->SeparatorSize();
    auto lengthOfDisplayed = [&]() {
        long long sum = 0;
        const int count = links->DisplayedCount();
        for (int i = 0; i < count; ++i) {
            const TzqBarItemLink* link = links->DisplayedItems(i);
            auto it = lengths.find(link);
            sum += (it == lengths.end() ? 0 : it->second) + (i > 0 && link->BeginGroup() ? separator : 0);
        }
        return sum;
    };
    // Room for the mark button the dropped buttons bring.
    const int room = ContentLength - (m_bar->ShowMark() && !MarkCounted() ? kMarkSize : 0);
    const int visible = links->VisibleCount();
    int best = 1;
    for (int count = 1; count <= visible; ++count) {
        links->SetRecentItemCount(count);
        if (count > 1 && lengthOfDisplayed() > room)
            break;
        best = count;
    }
    links->SetRecentItemCount(best);
    m_arranging = false;
}

void TzqBarControl::PlaceDocked(const TRect& R, bool RowTruncated)
{
    m_rowTruncated = RowTruncated;
    const bool moved = BoundsRect() != R;
    if (moved)
        SetBounds(R.Left, R.Top, R.Width(), R.Height());
    const bool wasTruncated = m_truncated;
    const size_t separators = m_separators.size();
    const int content = std::max(0, (Vertical() ? R.Height() : R.Width()) - FrameAlong());
    FitRecentItems(content);
    ArrangeLinks(content, true);
    if (!HandleAllocated())
        return;
    // A size grip coming or going changes the frame.
    const TRect margins = FrameMargins();
    if (margins != m_lastMargins) {
        m_lastMargins = margins;
        RecalcNonClient(Handle());
    }
    // The items repaint their own rectangles when they move; the rest only on a change
    // that the background shows (size, the mark, the separators).
    if (moved || wasTruncated != m_truncated || separators != m_separators.size())
        Invalidate();
}

TSize TzqBarControl::FloatSizeFor(int ClientWidth)
{
    const TRect m = FrameMargins();
    const int length = ClientWidth > 0 ? ClientWidth : kUnbounded;
    const int height = ArrangeLinks(length, false);
    const int width = std::min(m_lines.Width, length);
    const int empty = BarManager() ? BarManager()->ButtonSize() : 23;
    return {std::max(width, m_lines.Lines.empty() || m_lines.Width == 0 ? empty : 1) + m.Left + m.Right,
            height + m.Top + m.Bottom};
}

int TzqBarControl::ArrangeLinks(int ClientLength, bool Apply)
{
    TzqBarManager* manager = BarManager();
    const int separator = manager ? manager->SeparatorSize() : 0;
    const int empty = manager ? manager->ButtonSize() : 23;
    const bool multi = MultiLine();
    // Lines show every link: only a single line drops the least recently used ones.
    if (multi && ItemLinks() && ItemLinks()->RecentItemCount() != -1) {
        m_arranging = true;
        ItemLinks()->SetRecentItemCount(-1);
        m_arranging = false;
    }
    SyncItemControls(DisplayedLinks());
    std::vector<TzqBarItemControl*> controls;
    for (int i = 0; i < ItemControlCount(); ++i)
        controls.push_back(ItemControls(i));
    std::vector<TzqBarLineItem> items = LineItems(controls);
    const int markInClient = !Floating() && MarkCounted() ? kMarkSize : 0;
    int available = std::max(0, ClientLength - markInClient);
    TzqBarLines lines;
    if (multi) {
        lines = WrapBarLines(items, std::max(available, 1), separator);
    } else {
        if (ContentSum(items) > available && m_bar->ShowMark() && !MarkCounted())
            available = std::max(0, available - kMarkSize);
        lines = PlaceBarLine(items, available, separator);
    }
    AlignBarLines(items, lines, available);
    int thickness = 0;
    if (multi)
        thickness = lines.Height;
    else
        for (const TzqBarLineItem& item : items)
            thickness = std::max(thickness, item.Thickness);
    if (items.empty())
        thickness = empty;
    m_lines = lines;
    if (!Apply)
        return thickness;

    m_truncated = !multi && (lines.Truncated || m_rowTruncated);
    // The rectangles: along the bar by position, across centred in the bar (one line)
    // or in the line's thickness; vertical bars fill their lines from the right.
    const TRect client = ClientRect();
    const bool vertical = Vertical();
    const int clientAcross = vertical ? client.Width() : client.Height();
    std::vector<TzqBarItemLink*> shown;
    m_separators.clear();
    for (size_t i = 0; i < items.size(); ++i) {
        const TzqBarLineItem& item = items[i];
        if (!item.Shown)
            continue;
        shown.push_back(controls[i]->Link());
        int across;
        int lineThickness = clientAcross;
        if (multi) {
            const TzqBarLine& line = lines.Lines[static_cast<size_t>(item.Line)];
            lineThickness = line.Thickness;
            across = line.Offset + (line.Thickness - item.Thickness) / 2;
            if (vertical)
                across = clientAcross - line.Offset - line.Thickness + (line.Thickness - item.Thickness) / 2;
        } else {
            across = (clientAcross - item.Thickness) / 2;
        }
        const TRect r = vertical ? TRect(across, item.Position, across + item.Thickness, item.Position + item.Length)
                                 : TRect(item.Position, across, item.Position + item.Length, across + item.Thickness);
        controls[i]->SetRect(r);
        controls[i]->SetLineStart(item.LineStart);
        controls[i]->SetLineEnd(item.LineEnd);
        // The separator band before a group start.
        if (!item.BeginGroup)
            continue;
        if (item.LineStart && multi && item.Line > 0) {
            const TzqBarLine& line = lines.Lines[static_cast<size_t>(item.Line)];
            const int bandEnd = vertical ? clientAcross - line.Offset : line.Offset;
            const int bandStart = vertical ? bandEnd : bandEnd - separator;
            const int length = (vertical ? client.Height() : client.Width()) - markInClient;
            if (item.SeparatorLine)
                m_separators.push_back({vertical ? TRect(bandStart, 0, bandStart + separator, length)
                                                 : TRect(0, bandStart, length, bandEnd),
                                        vertical});
        } else if (item.Position > 0) {
            const int start = item.Position - separator;
            const int lineStart = multi ? across - (lineThickness - item.Thickness) / 2 : 0;
            const int lineEnd = multi ? lineStart + lineThickness : clientAcross;
            m_separators.push_back({vertical ? TRect(lineStart, start, lineEnd, item.Position)
                                             : TRect(start, lineStart, item.Position, lineEnd),
                                    !vertical});
        }
    }
    // Links not shown lose their controls.
    SyncItemControls(shown);
    return thickness;
}
