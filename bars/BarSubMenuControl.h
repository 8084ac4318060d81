// TzqBarSubMenuControl: the window of an open menu (a submenu item's, or a popup
// menu's). It is a topmost popup window that never takes the activation; it lists its
// links in rows (containers expanded into their content), knows the window and item that
// opened it and the submenu it opened, opens and closes submenus after the mouse rested,
// scrolls when cut to the screen, and in personalized menus shows only the recently
// used links until it is expanded.
#pragma once

#include "bars/BarSubMenuMetrics.h"
#include "bars/CustomBarControl.h"

#include <functional>
#include <memory>
#include <vector>

class TCustomzqBarContainerItem;
class TzqBarPopupMenu;

class TzqBarSubMenuControl : public TCustomzqBarControl {
public:
    // Delays and repeats, in milliseconds.
    static constexpr unsigned kOpenDelay = 400;
    static constexpr unsigned kCloseDelay = 400;
    static constexpr unsigned kScrollInterval = 80;
    static constexpr unsigned kExpandDelay = 4000;
    static constexpr unsigned kHotExpandDelay = 1000;

    // A menu for the links; OwnerWindow owns the window (null: the manager's form).
    TzqBarSubMenuControl(TzqBarManager* Manager, TzqBarItemLinks* Links, HWND OwnerWindow);
    ~TzqBarSubMenuControl() override;

    TzqBarItemLinks* ItemLinks() const override { return m_links; }
    bool IsSubMenu() const override { return true; }
    TzqBarLook Look() const override;

    // The item control that opened the menu (null for a popup menu's first menu).
    TzqBarItemControl* OpenerControl() const { return m_opener; }
    // The popup menu whose first menu this is.
    TzqBarPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TzqBarPopupMenu* value) { m_popupMenu = value; }

    const TzqBarSubMenuMetrics& Metrics() const { return m_metrics; }
    // The side band (the opening submenu item's or popup menu's BarSize).
    int BarSize() const { return m_barSize; }
    void SetBarSize(int value) { m_barSize = value; }
    bool Detachable() const { return m_detachable; }
    bool OpensLeft() const { return m_opensLeft; }
    bool OpensUp() const { return m_opensUp; }
    int FlipWidth() const { return m_flipWidth; }
    int FlipHeight() const { return m_flipHeight; }
    // First row shown while the menu is cut.
    int TopIndex() const { return m_topIndex; }
    void SetTopIndex(int value);
    bool Cut() const { return m_cut; }
    // Rows that fit between the scroll arrows of a cut menu (all rows otherwise).
    int VisibleRowCount() const;
    // 0 normal, 1 hot, 2 expanded.
    int ExpandState() const { return m_expandState; }
    void SetExpandState(int State);
    // The reveal animation would run (left to the animation worker; shown at once now).
    bool Animate() const { return m_animate; }
    void SetAnimate(bool value) { m_animate = value; }

    // Personalized: the recently used links first, the rest behind the expand button.
    bool Personalized() const;
    bool ExpandButtonShown() const { return m_expandButton; }
    // A link shown on the lighter band of rarely used links.
    bool RarelyUsed(const TzqBarItemLink* Link) const;

    // Parts in client coordinates (empty when absent).
    TRect DetachRect() const;
    TRect ExpandButtonRect() const;
    TRect UpArrowRect() const;
    TRect DownArrowRect() const;

    // Builds the rows and shows the menu, placed from its opener (or at a point).
    void ShowFrom(TzqBarMenuAnchor Anchor, const TRect& Opener, TzqBarItemControl* OpenerControl);
    // Closes the child first, leaves the chain, gives the selection back to the opener,
    // frees the window and fires the opener's OnCloseUp. Nothing of the menu may be used
    // after it.
    void Close();
    // Shows every visible link (the whole chain opens expanded from now on).
    void Expand();
    void SelectControl(TzqBarItemControl* Control) override;
    void MenuKeyDown(WORD Key) override;

    // Told when the window goes (a popup menu's loop watches its first menu).
    std::function<void()> OnClosed;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void SelectedControlChanged(TzqBarItemControl* Previous) override;
    TzqBarItemLink* HiddenAccelerator(WORD Key, TShiftState Shift) const override;
    void ShowHiddenLink(TzqBarItemLink* Link) override;
    void LayoutScheduled() override;
    bool LayingOut() const override { return m_building; }
    void EmptySpaceMouseDown(TPoint Pt) override;
    const void* TooltipPart(TPoint Pt, std::string& Text) const override;
    bool IsSelectable(const TzqBarItemControl* Control) const override;

private:
    enum TimerId : uintptr_t { kOpenTimer = 1, kCloseTimer, kScrollTimer, kExpandTimer, kHotExpandTimer };
    struct Row {
        int Top = 0;        // in the unscrolled list of rows
        bool Separator = false;
    };
    // The links to show with containers expanded; personalized menus take the recent ones.
    std::vector<TzqBarItemLink*> BuildLinks();
    // Puts a container's content (made for this opening) at the end of Out.
    void AppendContent(TCustomzqBarContainerItem* Container, TzqBarItemLink* ContainerLink, bool Rare,
                       std::vector<TzqBarItemLink*>& Out);
    // Rows, sizes and the window's height for the links shown.
    TSize Measure();
    // Places the item controls for TopIndex.
    void Arrange();
    void Rebuild(bool KeepPlace);
    int RowsTop() const;
    int RowsBottom() const;
    int RowIndexOf(const TzqBarItemControl* Control) const;
    void StartTimer(TimerId Id, unsigned Delay);
    void StopTimer(TimerId Id);
    void TimerFired(TimerId Id);
    void MouseAt(TPoint Pt);
    void Scroll(int Step);
    void StartExpandTimer();
    // A press on the detach bar floats the bar the submenu item names.
    void Detach();
    void PaintRow(TCanvas& Canvas, TzqBarItemControl* Control, const TRect& R);
    void PaintFrameAndParts(TCanvas& Canvas);

    TzqBarItemLinks* m_links;
    HWND m_ownerWindow;
    TzqBarPopupMenu* m_popupMenu = nullptr;
    TzqBarItemControl* m_opener = nullptr;
    TzqBarSubMenuMetrics m_metrics;
    int m_barSize = 0;
    bool m_detachable = false;
    bool m_opensLeft = false;
    bool m_opensUp = false;
    int m_flipWidth = 0;
    int m_flipHeight = 0;
    int m_topIndex = 0;
    bool m_cut = false;
    int m_expandState = 0;
    bool m_animate = false;
    bool m_expandButton = false;
    bool m_closing = false;
    bool m_building = false;
    int m_scrollStep = 0;
    TzqBarMenuAnchor m_anchor = TzqBarMenuAnchor::AtPoint;
    TRect m_openerRect;
    std::vector<Row> m_rows;          // one per item control
    int m_rowsHeight = 0;
    std::vector<const TzqBarItemLink*> m_rare;
    // The links containers put into the menu, one collection per container.
    std::vector<std::unique_ptr<TzqBarItemLinks>> m_containerLinks;
};
