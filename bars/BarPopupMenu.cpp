#include "bars/BarPopupMenu.h"

#include "bars/BarButton.h"
#include "bars/BarErrors.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarManagerList.h"
#include "bars/BarMenuChain.h"
#include "bars/BarSubMenuControl.h"
#include "platform/window/WinApi.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Font.h"

#include <algorithm>

TzqBarPopupMenu::TzqBarPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner), m_font(std::make_unique<TFont>())
{
    TzqBarManager* manager = TzqBarManagerList::ForOwner(AOwner);
    if (!manager)
        throw EzqBarError("There are no TzqBarManagers available");
    m_itemLinks = std::make_unique<TzqBarItemLinks>(manager, this);
    m_font->OnChange = [this](TObject*) {
        if (!m_copyingFont)
            m_useOwnFont = true;
    };
    SetBarManager(manager);
}

TzqBarPopupMenu::~TzqBarPopupMenu()
{
    BeforeDestruction();
    if (TzqBarSubMenuControl* window = m_window) {
        window->OnClosed = nullptr;
        m_window = nullptr;
        window->Close();
    }
    m_itemLinks.reset();
    if (m_manager)
        m_manager->RemovePopupMenu(this);
}

void TzqBarPopupMenu::SetBarManager(TzqBarManager* value)
{
    if (value == m_manager || !value)
        return;
    if (m_manager)
        m_manager->RemovePopupMenu(this);
    m_manager = value;
    m_manager->AddPopupMenu(this);
    m_itemLinks->SetBarManager(m_manager);
    m_manager->JoinLoading(this);
    ManagerFontChanged();
}

void TzqBarPopupMenu::ManagerDestroyed()
{
    m_manager = nullptr;
    m_itemLinks->SetBarManager(nullptr);
}

void TzqBarPopupMenu::SetBarSize(int value)
{
    m_barSize = std::max(value, 0);
}

void TzqBarPopupMenu::SetFont(const TFont& value)
{
    m_font->Assign(value);
}

void TzqBarPopupMenu::SetUseOwnFont(bool value)
{
    if (value == m_useOwnFont)
        return;
    m_useOwnFont = value;
    if (!value)
        ManagerFontChanged();
}

void TzqBarPopupMenu::ManagerFontChanged()
{
    if (m_useOwnFont || !m_manager)
        return;
    m_copyingFont = true;
    m_font->Assign(*m_manager->Font());
    m_copyingFont = false;
}

void TzqBarPopupMenu::SetItemLinks(const TzqBarItemLinks& value)
{
    m_itemLinks->Assign(value);
}

bool TzqBarPopupMenu::UseRecentItems() const
{
    return m_itemLinks->UseRecentItems();
}

void TzqBarPopupMenu::SetUseRecentItems(bool value)
{
    m_itemLinks->SetUseRecentItems(value);
}

void TzqBarPopupMenu::SetOpenerButton(TzqBarButton* value)
{
    if (value == m_openerButton)
        return;
    if (m_openerButton)
        RemoveFreeNotification(m_openerButton);
    m_openerButton = value;
    if (m_openerButton)
        FreeNotification(m_openerButton);
}

void TzqBarPopupMenu::Popup(int X, int Y)
{
    if (m_window || m_popping || !m_manager)
        return;
    const auto alive = m_life.Watch();
    // The platform's part records the point and fires OnPopup (it shows no items of ours).
    m_popping = true;
    TPopupMenu::Popup(X, Y);
    if (!*alive)
        return;
    m_popping = false;
    if (!m_manager || m_itemLinks->VisibleCount() == 0)
        return;
    // Whoever holds the mouse lets it go, and any other menu closes.
    if (GetCapture())
        ReleaseCapture();
    if (TCustomzqBarControl* root = TzqBarMenuChain::Root())
        root->HideAll();

    HWND owner = nullptr;
    if (auto* control = dynamic_cast<TWinControl*>(PopupComponent()); control && control->HandleAllocated())
        owner = GetAncestorTopLevel(control->Handle());
    auto* window = new TzqBarSubMenuControl(m_manager, m_itemLinks.get(), owner);
    window->SetPopupMenu(this);
    window->Font()->Assign(*m_font);
    window->SetBarSize(m_barSize);
    window->SetAnimate(m_manager->MenuAnimations() != TzqBarMenuAnimations::maNone && !m_manager->IsCustomizing());
    window->OnClosed = [this, alive] {
        if (*alive)
            m_window = nullptr;
        // Wakes the loop below, which may be waiting for a message.
        PostMessage(nullptr, WM_NULL, 0, 0);
    };
    m_window = window;
    PlaySystemSound("MenuPopup");
    window->ShowFrom(TzqBarMenuAnchor::AtPoint, TRect(X, Y, X, Y), nullptr);

    // The menu's own loop: it ends when the menu closes.
    bool quit = false;
    while (*alive && m_window) {
        MSG msg;
        if (!GetMessage(msg)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            quit = true;
            break;
        }
        if (msg.message == WM_COMMAND)
            continue;
        ProcessMessage(msg);
    }
    // A loop this one ran inside may have lost its wake-up to this one: it looks again.
    if (!quit)
        PostMessage(nullptr, WM_NULL, 0, 0);
    if (!*alive)
        return;
    if (TzqBarSubMenuControl* open = m_window) {
        open->OnClosed = nullptr;
        m_window = nullptr;
        open->Close();
    }
    if (*alive && OnCloseUp)
        OnCloseUp(this);
}

bool TzqBarPopupMenu::IsShortCut(TShortCut ShortCut)
{
    return m_itemLinks->FindShortCut(ShortCut) || TPopupMenu::IsShortCut(ShortCut);
}

void TzqBarPopupMenu::Loaded()
{
    TPopupMenu::Loaded();
    m_itemLinks->ReinitializeUsage(true);
}

void TzqBarPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TPopupMenu::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_openerButton)
        m_openerButton = nullptr;
}
