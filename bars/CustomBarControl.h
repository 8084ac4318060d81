// TCustomzqBarControl: the window base of bars and submenus. It owns the item controls
// of the links it shows, tracks which of them is hot under the mouse, presses and clicks
// them, and asks the manager's tooltips to show their hints. Every live bar window is
// listed process-wide.
#pragma once

#include "bars/BarItemControl.h"
#include "bars/BarPainter.h"
#include "bars/BarTypes.h"
#include "bars/LifeToken.h"
#include "platform/controls/ControlTypes.h"
#include "platform/controls/CustomControl.h"

#include <memory>
#include <vector>

class TFont;
class TzqBarItemLinks;
class TzqBarSubMenuControl;

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
    // Whether the control is still one of this window's.
    bool HasItemControl(const TzqBarItemControl* Control) const;

    // ---- Menus ----
    // The window that opened this one (a submenu's opener's window), and the submenu
    // this one opened; both null outside a menu chain.
    TCustomzqBarControl* ParentControl() const { return m_parentControl; }
    TzqBarSubMenuControl* ChildMenu() const { return m_childMenu; }
    void SetChildMenu(TzqBarSubMenuControl* Menu);
    // A member of the active chain (a bar in menu mode, or an open submenu).
    bool InChain() const { return m_inChain; }
    virtual bool IsSubMenu() const { return false; }
    // Enters menu mode with the control (or the first selectable one) selected: the
    // focused window is remembered, the owner form comes to the top, the bar joins the
    // active chain and becomes the manager's keyboard bar.
    void ActivateKeyboard(TzqBarItemControl* Control);
    // Leaves menu mode: no selection, out of the chain, the remembered focus back.
    void DeactivateKeyboard();
    // Selects a control by keyboard (a submenu scrolls it into view).
    virtual void SelectControl(TzqBarItemControl* Control);
    // Closes the whole chain this window belongs to and leaves menu mode.
    void HideAll();
    // A key sent to the window while it is the head of the chain.
    virtual void MenuKeyDown(WORD Key);
    // Whether a control can be selected by the keyboard.
    virtual bool IsSelectable(const TzqBarItemControl* Control) const;
    TzqBarItemControl* FirstSelectable() const;
    TzqBarItemControl* LastSelectable() const;
    // The next selectable control after `From` in the direction (+1 or -1), cyclically;
    // from none it starts at the first or last.
    TzqBarItemControl* NextSelectable(TzqBarItemControl* From, int Step) const;
    // Searches the accelerator from the selected link on; a match is selected and, when
    // it is the only one, activated. Answers whether a link matched.
    bool AcceleratorKey(WORD Key, TShiftState Shift);
    // A letter or digit pressed in menu mode seeks its accelerator (with Shift when it
    // is held); other keys are left alone.
    void LetterOrDigitPressed(WORD Key, bool Shift);
    // Moves the selection of a bar in menu mode by one selectable control; with a menu
    // open, the submenu item reached opens its menu at once.
    void StepSelection(int Step);
    // Closes the submenu the control opened (any submenu for null).
    void CloseChildOpenedBy(const TzqBarItemControl* Control);
    // Opens a submenu item's menu or clicks any other item (Enter).
    void ActivateControl(TzqBarItemControl* Control, bool ByMouse);

protected:
    // The selection moved (by mouse or keyboard); submenus start their timers here.
    virtual void SelectedControlChanged(TzqBarItemControl* Previous);
    // True while the keyboard moves the selection (no hover delays).
    bool m_selectingByKey = false;
    void JoinChain(TCustomzqBarControl* Parent);
    void LeaveChain();
    // A hidden accelerator match: personalized menus expand before selecting it.
    virtual TzqBarItemLink* HiddenAccelerator(WORD Key, TShiftState Shift) const { return nullptr; }
    virtual void ShowHiddenLink(TzqBarItemLink* Link) {}
    // Runs a scheduled layout.
    virtual void LayoutScheduled() {}
    // True while the window changes its links itself (a personalized fit).
    virtual bool LayingOut() const { return false; }
    // The controls for these links, in this order: kept for links that had one, made
    // for the others, freed for links no longer listed.
    void SyncItemControls(const std::vector<TzqBarItemLink*>& Links);
    void ClearItemControls();
    // A part at a client point that has a tooltip of its own (null when none).
    virtual const void* TooltipPart(TPoint Pt, std::string& Text) const { return nullptr; }
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
    TCustomzqBarControl* m_parentControl = nullptr;
    TzqBarSubMenuControl* m_childMenu = nullptr;
    bool m_inChain = false;
    HWND m_savedFocus = nullptr;
    TzqLifeToken m_life;
};
