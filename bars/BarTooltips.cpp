#include "bars/BarTooltips.h"

#include "bars/BarItemControl.h"
#include "bars/BarManager.h"
#include "platform/controls/HintWindow.h"
#include "platform/window/WinApi.h"

TzqBarTooltips::TzqBarTooltips(TzqBarManager* Manager) : m_manager(Manager) {}

TzqBarTooltips::~TzqBarTooltips()
{
    StopTimers();
}

bool TzqBarTooltips::Visible() const
{
    return m_window && m_window->IsHintVisible();
}

std::string TzqBarTooltips::Text() const
{
    return Visible() ? m_text : std::string();
}

void TzqBarTooltips::StopTimers()
{
    if (m_showTimer)
        KillTimer(nullptr, m_showTimer);
    if (m_hideTimer)
        KillTimer(nullptr, m_hideTimer);
    m_showTimer = m_hideTimer = 0;
}

void TzqBarTooltips::MouseOver(TzqBarItemControl* Control, TPoint ScreenPt)
{
    Rest(Control, Control, {}, ScreenPt);
}

void TzqBarTooltips::MouseOverPart(const void* Part, const std::string& Text, TPoint ScreenPt)
{
    Rest(Part, nullptr, Text, ScreenPt);
}

void TzqBarTooltips::Rest(const void* Key, TzqBarItemControl* Control, const std::string& PartText, TPoint ScreenPt)
{
    m_cursor = ScreenPt;
    if (Key == m_key)
        return;
    const bool wasVisible = Visible();
    Hide();
    m_key = Key;
    m_control = Control;
    m_partText = PartText;
    if (!m_key || !m_manager || !m_manager->ShowHint() || m_manager->IsCustomizing())
        return;
    const bool recently = m_everHidden && GetTickCount() - m_hiddenAt < kReshowWindow;
    if (wasVisible || recently) {
        Show();
        return;
    }
    m_showTimer = SetTimer(nullptr, 0, kShowDelay, [this](HWND, UINT, uintptr_t, DWORD) {
        KillTimer(nullptr, m_showTimer);
        m_showTimer = 0;
        Show();
    });
}

void TzqBarTooltips::Show()
{
    if (!m_key)
        return;
    m_text = m_control ? m_control->HintText() : m_partText;
    if (m_text.empty())
        return;
    if (!m_window)
        m_window = std::make_unique<THintWindow>();
    TRect r = m_window->CalcHintRect(0, m_text);
    r = r.Offset(m_cursor.X, m_cursor.Y + kCursorOffset);
    m_window->ActivateHint(r, m_text);
    m_hideTimer = SetTimer(nullptr, 0, kHideDelay, [this](HWND, UINT, uintptr_t, DWORD) {
        KillTimer(nullptr, m_hideTimer);
        m_hideTimer = 0;
        Hide();
    });
}

void TzqBarTooltips::Hide()
{
    // The item stays the one under the mouse: resting on it does not bring the tooltip
    // back, moving to another does.
    StopTimers();
    if (Visible()) {
        m_window->ReleaseHandle();
        m_hiddenAt = GetTickCount();
        m_everHidden = true;
    }
}

void TzqBarTooltips::ControlDestroyed(TzqBarItemControl* Control)
{
    if (Control && Control == m_control) {
        Hide();
        m_control = nullptr;
        m_key = nullptr;
    }
}
