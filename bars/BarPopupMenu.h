// TzqBarPopupMenu: a context menu whose content is a link collection of the bar
// manager. It derives from the platform's popup menu, so the PopupMenu slot of any
// control takes it, and a key that is the shortcut of one of its commands runs it.
#pragma once

#include "bars/BarTypes.h"
#include "bars/LifeToken.h"
#include "platform/controls/PopupMenu.h"
#include "platform/core/Types.h"

#include <functional>
#include <memory>

class TFont;
class TCanvas;
class TzqBarButton;
class TzqBarSubMenuControl;

class TzqBarPopupMenu : public TPopupMenu {
public:
    // Joins the manager of the owner form, else the first manager; raises "There are no
    // TzqBarManagers available" when there is none.
    explicit TzqBarPopupMenu(TComponent* AOwner);
    ~TzqBarPopupMenu() override;

    TzqBarManager* BarManager() const { return m_manager; }
    void SetBarManager(TzqBarManager* value);
    // Width of the menu's side band; negative becomes 0.
    int BarSize() const { return m_barSize; }
    void SetBarSize(int value);
    // A copy of the manager's font unless UseOwnFont; changing it sets UseOwnFont.
    TFont* Font() const { return m_font.get(); }
    void SetFont(const TFont& value);
    bool UseOwnFont() const { return m_useOwnFont; }
    void SetUseOwnFont(bool value);
    TzqBarItemLinks* ItemLinks() const { return m_itemLinks.get(); }
    void SetItemLinks(const TzqBarItemLinks& value);
    bool UseRecentItems() const;
    void SetUseRecentItems(bool value);

    // The drop-down button the menu is open for now (set by the button's window while
    // it drops the menu down), none otherwise.
    TzqBarButton* OpenerButton() const { return m_openerButton; }
    void SetOpenerButton(TzqBarButton* value);

    // Shows the menu at the screen point and returns when it closes: OnPopup first, then
    // the menu window, and a loop of its own until the menu closes (commands sent to
    // windows meanwhile are dropped; a quit message ends it and is posted again), then
    // OnCloseUp. Nothing while the menu is open or when it has no visible link.
    void Popup(int X, int Y) override;
    // The window of the open menu, or null.
    TzqBarSubMenuControl* MenuWindow() const { return m_window; }
    bool MenuOpen() const { return m_window != nullptr; }

    // Runs the command of the links whose shortcut it is.
    bool IsShortCut(TShortCut ShortCut) override;

    TNotifyEvent OnCloseUp;
    TzqBarPaintSubMenuBarEvent OnPaintBar;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TzqBarManager;
    void ManagerFontChanged();
    void ManagerDestroyed();

    TzqBarManager* m_manager = nullptr;
    int m_barSize = 0;
    std::unique_ptr<TFont> m_font;
    bool m_useOwnFont = false;
    bool m_copyingFont = false;
    std::unique_ptr<TzqBarItemLinks> m_itemLinks;
    TzqBarButton* m_openerButton = nullptr;
    TzqBarSubMenuControl* m_window = nullptr;
    bool m_popping = false;
    TzqLifeToken m_life;
};
