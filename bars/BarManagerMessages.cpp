// The messages of the owner form that the manager follows: activation and window state
// for the floating bars, the application losing the activation, and changes of the
// system's colours and settings.
#include "bars/BarManager.h"

#include "bars/Bar.h"
#include "bars/BarControl.h"
#include "bars/BarMenuChain.h"
#include "bars/BarWindowHooks.h"
#include "bars/Bars.h"
#include "platform/window/WinApi.h"

void TzqBarManager::HandleFormMessage(UINT Message, WPARAM WParam, LPARAM)
{
    if (IsDestroying())
        return;
    switch (Message) {
    case WM_ACTIVATEAPP:
        if (!WParam) {
            // The application goes to the background: its menus close and hot tracking ends.
            if (TzqBarMenuChain::Manager() == this)
                if (TCustomzqBarControl* root = TzqBarMenuChain::Root())
                    root->HideAll();
            for (int i = 0; m_bars && i < m_bars->Count(); ++i)
                if (auto* control = dynamic_cast<TCustomzqBarControl*>(m_bars->Items(i)->Control()))
                    control->SetSelectedControl(nullptr);
            m_selectedLink = nullptr;
        }
        [[fallthrough]];
    case WM_ACTIVATE:
    case WM_SHOWWINDOW:
    case WM_SIZE:
        if (m_windowHooks)
            m_windowHooks->UpdateFloatingBars();
        return;
    case WM_SYSCOMMAND: {
        const WPARAM command = WParam & 0xFFF0;
        if ((command == SC_MINIMIZE || command == SC_CLOSE || command == SC_MAXIMIZE || command == SC_RESTORE) &&
            m_windowHooks)
            m_windowHooks->UpdateFloatingBars();
        return;
    }
    case WM_SYSCOLORCHANGE:
        RefreshSystemColors();
        for (int i = 0; m_bars && i < m_bars->Count(); ++i)
            if (auto* control = dynamic_cast<TCustomzqBarControl*>(m_bars->Items(i)->Control()))
                control->Invalidate();
        return;
    case WM_SETTINGCHANGE:
        // The menu font may have changed with the non-client metrics; the bars follow it.
        if (m_useSystemFont)
            ApplySystemFont();
        else
            RelayoutBars();
        return;
    default:
        return;
    }
}
