// TPopupMenu: a context menu component. Popup(X, Y) shows its visible items at a
// screen point and returns when the menu closes; the chosen item's Click runs after it
// closed. A control shows its PopupMenu by itself when asked for its context menu (a
// right-button release, the menu key, Shift+F10) and AutoPopup is set. Menus of other
// looks (the bar manager's) derive from it and override Popup.
#pragma once

#include "platform/controls/MenuItem.h"

#include <memory>
#include <vector>

class TPopupList;

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner = nullptr);
    // Closes the menu when it is open; its items owned by it go with it.
    ~TPopupMenu() override;

    // Items, in the order shown.
    int Count() const { return static_cast<int>(m_items.size()); }
    // The item at a position; raises EListError outside 0..Count-1.
    TMenuItem* Items(int index) const;
    int IndexOf(const TMenuItem* item) const;
    // Puts an item at the end (or at a position, clamped): it leaves any other menu.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Makes an item owned by the menu and adds it.
    TMenuItem* AddItem(const std::string& caption, TShortCut shortCut = scNone, TNotifyEvent onClick = {});
    // Takes an item out of the menu without freeing it.
    void Remove(TMenuItem* item);
    // Frees every item.
    void Clear();

    // Whether the control asked for its context menu opens this menu by itself.
    bool AutoPopup() const { return m_autoPopup; }
    void SetAutoPopup(bool value) { m_autoPopup = value; }
    // The component the menu was last opened for (set by the control that opened it).
    TComponent* PopupComponent() const { return m_popupComponent; }
    void SetPopupComponent(TComponent* value);
    // The screen point the menu was last opened at.
    TPoint PopupPoint() const { return m_popupPoint; }

    // Shows the menu at the screen point (kept in the work area of the monitor there)
    // and returns when it closes, running the chosen item's Click after it closed.
    // Nothing happens while the menu is open already, and nothing shows without a
    // visible item. OnPopup runs first and may change the items.
    virtual void Popup(int X, int Y);
    bool IsOpen() const { return m_open; }
    // Closes an open menu without choosing.
    void CloseMenu();

    // Runs the visible, enabled item whose shortcut it is; answers whether one ran.
    virtual bool IsShortCut(TShortCut shortCut);

    // The list showing the menu while it is open, for those driving it (tests, keys).
    TPopupList* PopupList() const { return m_list; }
    // The screen rectangle of an item while the menu is open (empty when not shown).
    TRect ItemRect(const TMenuItem* item) const;

    TNotifyEvent OnPopup;
    TNotifyEvent OnClose;

protected:
    virtual void DoPopup();
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TMenuItem;
    void ItemDestroyed(TMenuItem* item);
    HWND OwnerWindow() const;

    std::vector<TMenuItem*> m_items;
    std::vector<TMenuItem*> m_shown; // the items of the open list, in its order
    bool m_autoPopup = true;
    TComponent* m_popupComponent = nullptr;
    TPoint m_popupPoint;
    bool m_open = false;
    TMenuItem* m_chosen = nullptr;
    TPopupList* m_list = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
