// The layout of a side bar in one paint style: the bounds B, the header rectangles, the
// items area IA, the placed items and the scroll buttons. Computed once and held until a
// change clears its valid flag; painting and hit tests only read it. Each style's class
// supplies the measures that differ (bounds, header height and gap, frame margin) and
// may place items its own way.
#pragma once

#include "platform/core/Types.h"
#include "sidebar/SideGroupViewInfo.h"
#include "sidebar/SideItemViewInfo.h"
#include "sidebar/SideBarTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

class TCanvas;
class TzqSideBar;
class TzqSideBarItem;
class TzqSideBarPainter;
class TzqSideGroup;

class TzqSideBarViewInfo {
public:
    explicit TzqSideBarViewInfo(TzqSideBarPainter* Painter);
    TzqSideBarViewInfo(const TzqSideBarViewInfo&) = delete;
    TzqSideBarViewInfo& operator=(const TzqSideBarViewInfo&) = delete;
    virtual ~TzqSideBarViewInfo();

    TzqSideBarPainter* Painter() const { return m_painter; }
    TzqSideBar* SideBar() const;

    // The valid flag. Invalidate keeps the records (the sliding effect plays on the
    // layout as it was) until the next Calculate.
    bool Valid() const { return m_valid; }
    void Invalidate() { m_valid = false; }
    void Calculate();
    void CalculateIfNeeded();

    // The layout queries (as of the last Calculate).
    const TRect& Bounds() const { return m_bounds; }
    const TRect& ItemsArea() const { return m_itemsArea; }
    int HeaderHeight() const { return m_headerHeight; }
    const TRect& UpButton() const { return m_upButton; }
    const TRect& DownButton() const { return m_downButton; }
    int HeaderCount() const { return static_cast<int>(m_headers.size()); }
    const TzqSideGroupViewInfo& Headers(int index) const { return *m_headers[size_t(index)]; }
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    const TzqSideItemViewInfo& Items(int index) const { return *m_items[size_t(index)]; }
    const TzqSideGroupViewInfo* FindHeader(const TzqSideGroup* group) const;
    const TzqSideItemViewInfo* FindItem(const TzqSideBarItem* item) const;

    // Hit tests on the layout (client coordinates).
    // The first header whose rectangle holds the point.
    const TzqSideGroupViewInfo* HeaderAt(TPoint p) const;
    // The first placed item whose caption (stretched to its image) or item frame holds
    // the point.
    const TzqSideItemViewInfo* ItemAt(TPoint p) const;
    enum class TScrollButton { sbNone, sbUp, sbDown };
    // The shown scroll button that holds the point.
    TScrollButton ScrollButtonAt(TPoint p) const;
    // Where a drop at the point lands: the item it refers to (none outside the items
    // area, and with no placed item) and the position relative to it; dpNone with an
    // item means the point is on that item.
    TzqSideBarDropPosition DropPositionAt(TPoint p, TzqSideBarItem*& item) const;

    // The band of the drop marker: 8 pixels above the item (before), below it (after)
    // or the item's own extent (none), across the items area; without an item, the top
    // 8 pixels of the items area. Empty for an item that is not placed.
    TRect DropBand(const TzqSideBarItem* item, TzqSideBarDropPosition position) const;

    // An item or group is going: its records are dropped and the layout made invalid.
    void Forget(const TzqSideBarItem* item);
    void Forget(const TzqSideGroup* group);

protected:
    // The parts each style may change, in this order.
    virtual std::unique_ptr<TzqSideGroupViewInfo> CreateGroupViewInfo(TzqSideGroup* group, const TRect& rect);
    virtual std::unique_ptr<TzqSideItemViewInfo> CreateItemViewInfo();
    // Places the item whose space begins at `y` (the top of the items area, or the
    // bottom of the item above) plus SpaceHeight; answers the item's bottom.
    virtual int64_t CalcItem(TzqSideItemViewInfo& info, int64_t y);
    virtual int GetHeaderHeight();
    virtual TRect GetBounds();
    virtual int GetHeaderGap();
    virtual int GetImageFrameMargin();

    // What CalcItem needs: the canvas text is measured on, the image size of the
    // active group's icon type.
    TCanvas& MeasureCanvas();
    TSize ImageSize(bool large) const;

private:
    void CalcHeaders();
    void CalcItems();
    void CalcScrollButtons();

    TzqSideBarPainter* m_painter;
    bool m_valid = false;
    // What the bounds were computed from: a border or client size that changed without
    // a notice (a window made again with another border) also makes a new layout.
    struct TFrameKey {
        TRect client;
        bool singleBorder = false;
        int borderWidth = 0;
        int bevelWidth = 0;
        friend bool operator==(const TFrameKey&, const TFrameKey&) = default;
    };
    TFrameKey FrameKey() const;
    TFrameKey m_frameKey;
    TRect m_bounds;
    TRect m_itemsArea;
    int m_headerHeight = 0;
    int m_headerGap = 0;
    TRect m_upButton;
    TRect m_downButton;
    std::vector<std::unique_ptr<TzqSideGroupViewInfo>> m_headers;
    std::vector<std::unique_ptr<TzqSideItemViewInfo>> m_items;
    std::unique_ptr<TCanvas> m_measureCanvas;
};
