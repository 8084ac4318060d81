// Draws a side bar in one paint style, and tells the window which parts to repaint when
// the state of an item or header changes. The painter owns the view information of its
// style (the layout). A paint draws headers, border, scroll buttons and items, excluding
// each from the clipping area as it goes, so that the background is filled last and
// only around them: no pixel is painted twice.
#pragma once

#include "sidebar/SideBarTypes.h"

#include "platform/core/Types.h"

#include <string>

#include <memory>

class TCanvas;
class TRegion;
class TzqSideBar;
class TzqSideBarItem;
class TzqSideBarViewInfo;
class TzqSideGroup;
class TzqSideGroupViewInfo;
class TzqSideItemViewInfo;

class TzqSideBarPainter {
public:
    explicit TzqSideBarPainter(TzqSideBar* SideBar);
    TzqSideBarPainter(const TzqSideBarPainter&) = delete;
    TzqSideBarPainter& operator=(const TzqSideBarPainter&) = delete;
    virtual ~TzqSideBarPainter();

    TzqSideBar* SideBar() const { return m_sideBar; }
    // The layout of this style (made on first use).
    TzqSideBarViewInfo* ViewInfo();

    // One paint: lays out if needed, then headers, border, scroll buttons, items, the
    // background around them and the drop marker.
    void Paint(TCanvas* canvas);

    // Repaint requests, as small as the change needs.
    // An item's image (grown by 1 pixel) and its caption, within the items area.
    virtual void InvalidateItem(const TzqSideBarItem* item);
    // The ring between an item's image and its frame grown by 1 pixel, within the items
    // area: what focus and selection change.
    virtual void InvalidateItemFrame(const TzqSideBarItem* item);
    // One header.
    void InvalidateHeader(const TzqSideGroup* group);
    // The client area less the headers: what scrolling and item changes repaint.
    void InvalidateItems();
    // Whether headers show the pointer over them.
    virtual bool HotTrackHeaders() const { return false; }

    // The drawing steps, public so that each can be checked on its own canvas.
    virtual void DrawBorder(TCanvas* canvas) {}
    virtual void DrawGroupHeader(TCanvas* canvas, const TzqSideGroupViewInfo& header) = 0;
    // The image part (background under the frame, image, frame), then the caption.
    virtual void DrawItem(TCanvas* canvas, const TzqSideItemViewInfo& info);
    virtual void DrawItemCaption(TCanvas* canvas, const TzqSideItemViewInfo& info);
    virtual void DrawItemBackground(TCanvas* canvas, const TzqSideItemViewInfo& info);
    virtual void DrawItemImage(TCanvas* canvas, const TzqSideItemViewInfo& info);
    virtual void DrawItemImageFrame(TCanvas* canvas, const TzqSideItemViewInfo& info);
    virtual void DrawScrollButtons(TCanvas* canvas);
    // The drop marker of an item drag; the side bar's drag handling sets the drop target.
    virtual void DrawDropMarker(TCanvas* canvas);
    // The marker band of a drop target grown by 1 pixel up and down (nothing without a
    // target item).
    void InvalidateDropBand(const TzqSideBarItem* item, TzqSideBarDropPosition position);

protected:
    virtual std::unique_ptr<TzqSideBarViewInfo> CreateViewInfo() = 0;

    // Helpers of the styles.
    // The caption of a header in the group font, cut to fit and centred on one line.
    void DrawHeaderCaption(TCanvas* canvas, const TRect& rect, const std::string& caption);
    // The item is drawn as selected, or as focused (and pressed).
    bool IsSelected(const TzqSideBarItem* item) const;
    bool IsFocused(const TzqSideBarItem* item) const;
    bool IsPressed(const TzqSideBarItem* item) const;
    // A thin sunken edge around the client area; drawing then stays inside it.
    void DrawThinBorder(TCanvas* canvas);
    // A flat header: button face inside, caption, edges by hot and pressed state, and
    // (with `activeLine`) a raised line under the active group's header.
    void DrawFlatHeader(TCanvas* canvas, const TzqSideGroupViewInfo& header, bool activeLine);
    // Keeps the four one-pixel sides of a frame from later drawing.
    static void ExcludeFrameSides(TCanvas* canvas, const TRect& frame);
    // Invalidates a region of the client area (nothing without a window).
    void InvalidateRegion(const TRegion& region);

private:
    TzqSideBar* m_sideBar;
    std::unique_ptr<TzqSideBarViewInfo> m_viewInfo;
};
