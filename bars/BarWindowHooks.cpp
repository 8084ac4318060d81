#include "bars/BarWindowHooks.h"

#include "bars/Bar.h"
#include "bars/BarControl.h"
#include "bars/BarManager.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/controls/Form.h"
#include "platform/window/WinApi.h"

TzqBarWindowHooks::TzqBarWindowHooks(TzqBarManager* Manager) : m_manager(Manager) {}

TzqBarWindowHooks::~TzqBarWindowHooks() = default;

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
