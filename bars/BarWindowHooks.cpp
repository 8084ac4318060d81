#include "bars/BarWindowHooks.h"

#include "bars/Bar.h"
#include "bars/BarControl.h"
#include "bars/BarManager.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/controls/Form.h"
#include "platform/window/WinApi.h"

TzqBarWindowHooks::TzqBarWindowHooks(TzqBarManager* Manager) : m_manager(Manager)
{
    // The owner form's activation reaches the floating bars.
    m_hook = SetWindowsHookEx(WH_CALLWNDPROC, [this](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (code == HC_ACTION) {
            const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
            TCustomForm* form = m_manager->OwnerForm();
            if (form && form->HandleAllocated() && msg->hwnd == form->Handle() &&
                (msg->message == WM_ACTIVATE || msg->message == WM_ACTIVATEAPP || msg->message == WM_SHOWWINDOW ||
                 msg->message == WM_SIZE))
                UpdateFloatingBars();
        }
        return CallNextHookEx(m_hook, code, wParam, lParam);
    });
}

TzqBarWindowHooks::~TzqBarWindowHooks()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
}

void TzqBarWindowHooks::UpdateFloatingBars()
{
    if (!m_manager->Bars() || m_manager->IsDestroying())
        return;
    for (int i = 0; i < m_manager->Bars()->Count(); ++i)
        if (auto* control = static_cast<TzqBarControl*>(m_manager->Bars()->Items(i)->Control()))
            control->UpdateFloatingVisibility();
}

void TzqBarWindowHooks::ContextMenu(TCustomzqBarControl* Control, TPoint ScreenPt)
{
    if (OnContextMenu && !m_manager->IsCustomizing())
        OnContextMenu(Control, ScreenPt);
}

void TzqBarWindowHooks::SiteDblClick(TzqDockControl* Site)
{
    if (OnSiteDblClick && m_manager->CanCustomize())
        OnSiteDblClick(Site);
}

void TzqBarWindowHooks::MarkButtonClicked(TzqBarControl* Control)
{
    if (OnMarkButtonClick)
        OnMarkButtonClick(Control);
}

void TzqBarWindowHooks::SiteThicknessChanged(TzqDockControl*)
{
    if (OnCloseMenus)
        OnCloseMenus();
}
