// TCustomzqBarControl: the window base of bars and submenus. It owns the item controls
// of the links it shows, tracks which of them is hot under the mouse, presses and clicks
// them, and asks the manager's tooltips to show their hints. Every live bar window is
// listed process-wide.
#pragma once

#include "bars/BarItemControl.h"
#include "bars/BarPainter.h"
#include "bars/BarTypes.h"
#include "bars/LifeToken.h"
#include "platform/controls/CustomControl.h"

#include <memory>
#include <vector>

class TFont;
class TzqBarItemLinks;

class TCustomzqBarControl : public TCustomControl {
public:
    explicit TCustomzqBarControl(TzqBarManager* Manager);
    ~TCustomzqBarControl() override;

    TzqBarManager* BarManager() const { return m_manager; }
    virtual TzqBarItemLinks* ItemLinks() const = 0;
    // Runs along a vertical edge; Rotated: its captions are turned.
    virtual bool Vertical() const { return false; }
    virtual bool Rotated() const { return false; }
    // How the painters see the window.
    virtual TzqBarLook Look() const;
    const TzqBarPainter& Painter() const;

    int ItemControlCount() const { return static_cast<int>(m_itemControls.size()); }
    TzqBarItemControl* ItemControls(int Index) const { return m_itemControls[static_cast<size_t>(Index)].get(); }
    // The control at a client point (null over empty space).
    TzqBarItemControl* ItemControlAt(TPoint Pt) const;
    // The control of a link shown here, or null.
    TzqBarItemControl* ControlOf(const TzqBarItemLink* Link) const;

    // The hot control (selected by mouse or keyboard); selecting another deselects it.
    TzqBarItemControl* SelectedControl() const { return m_selected; }
    void SetSelectedControl(TzqBarItemControl* Control);
    // Frees a control whose link goes, and lays the rest out again later.
    void RemoveItemControl(TzqBarItemControl* Control);
    // Lays the links out again when the window next handles its messages; nothing while
    // it lays them out itself.
    void ScheduleLayout();
    // The message that runs a scheduled layout.
    static constexpr UINT kLayoutMessage = WM_USER + 0x2A0;
    void RepaintRect(const TRect& R);

    // Reads true while the window lives (a command run from it may free it).
    std::shared_ptr<const bool> Watch() const { return m_life.Watch(); }

    // Every bar and submenu window alive now.
    static const std::vector<TCustomzqBarControl*>& LiveControls();

protected:
    // Runs a scheduled layout.
    virtual void LayoutScheduled() {}
    // True while the window changes its links itself (a personalized fit).
    virtual bool LayingOut() const { return false; }
    // The controls for these links, in this order: kept for links that had one, made
    // for the others, freed for links no longer listed.
    void SyncItemControls(const std::vector<TzqBarItemLink*>& Links);
    void ClearItemControls();
    // A press on empty space (not on an item control).
    virtual void EmptySpaceMouseDown(TPoint Pt) {}
    void WndProc(TMessage& Message) override;
    void MouseMoved(TPoint Pt);
    void MouseLeft();

private:
    TzqBarManager* m_manager;
    std::vector<std::unique_ptr<TzqBarItemControl>> m_itemControls;
    TzqBarItemControl* m_selected = nullptr;
    TzqBarItemControl* m_pressedControl = nullptr;
    bool m_layoutScheduled = false;
    TzqLifeToken m_life;
};
