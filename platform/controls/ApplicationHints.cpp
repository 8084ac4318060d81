// The application's control hints: which control the pointer rests on, the pauses
// before a hint shows and hides, and the hint window.
#include "platform/controls/Application.h"

#include "platform/controls/HintWindow.h"
#include "platform/window/WinApi.h"

namespace {

// How far below the pointer's hot spot a hint starts: below the arrow's picture.
constexpr int kCursorHeightMargin = 20;

// The control whose hint shows for the control under the pointer: the nearest one,
// going up the parents, whose ShowHint is set.
TControl* HintControlOf(TControl* control)
{
    while (control && !control->ShowHint())
        control = control->Parent();
    if (control && control->IsDesigning())
        return nullptr;
    return control;
}

// The hint text of a control: its own, else its nearest parent's.
std::string HintTextOf(const TControl* control)
{
    for (; control; control = control->Parent())
        if (!control->Hint().empty())
            return control->Hint();
    return {};
}

TRect ScreenClientRect(const TControl* control, const TRect& clientRect)
{
    return clientRect.Offset(control->ClientToScreen({0, 0}));
}

} // namespace

void TApplication::SetShowHint(bool value)
{
    if (value == m_showHint)
        return;
    m_showHint = value;
    if (!value)
        CancelHint();
}

void TApplication::SetHintColor(TColor value)
{
    m_hintColor = value;
    if (m_hintWindow)
        m_hintWindow->SetColor(value);
}

void TApplication::SetHint(const std::string& value)
{
    if (value == m_hint)
        return;
    m_hint = value;
    if (OnHint)
        OnHint(this);
}

THintWindow* TApplication::HintWindow()
{
    if (!m_hintWindow) {
        m_hintWindow = new THintWindow(this);
        m_hintWindow->SetName("HintWindow");
        m_hintWindow->SetColor(m_hintColor);
    }
    return m_hintWindow;
}

void TApplication::HintMessage(const MSG& msg)
{
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        // Without a capture the message's window is the one under the pointer.
        HintMouseMove(FindControlAtPoint(msg.pt, false, GetCapture() ? nullptr : msg.hwnd), msg.pt);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        CancelHint();
        break;
    default:
        break;
    }
}

void TApplication::HintMouseMove(TControl* Control, TPoint ScreenPt)
{
    if (!m_showHint)
        return;
    TControl* newControl = HintControlOf(Control);
    if (newControl && newControl == m_hintControl && m_hintCursorRect.Contains(ScreenPt))
        return;
    // Another control (or the same one left and entered again): a hint showing now, or
    // one that went with the pointer leaving its control a moment ago, makes the next
    // one come after the short pause.
    const bool wasActive =
        m_hintActive || (m_hintLeftTick && static_cast<int32_t>(GetTickCount() - *m_hintLeftTick) < m_hintPause);
    m_hintLeftTick.reset();
    HideHintWindow();
    StopHintTimers();
    m_hintActive = false;
    m_hintControl = newControl;
    SetHint(newControl ? GetLongHint(HintTextOf(newControl)) : std::string());
    if (!newControl)
        return;
    m_hintCursorRect = ScreenClientRect(newControl, newControl->ClientRect());
    StartHintTimer(wasActive ? m_hintShortPause : m_hintPause);
}

void TApplication::HintControlLeft(TControl* Control)
{
    if (!Control || Control != m_hintControl)
        return;
    const bool wasActive = m_hintActive;
    CancelHint();
    if (wasActive)
        m_hintLeftTick = GetTickCount();
}

void TApplication::ControlDestroyed(TControl* Control)
{
    if (Control && Control == m_hintControl)
        CancelHint();
}

void TApplication::CancelHint()
{
    m_hintLeftTick.reset();
    HideHintWindow();
    StopHintTimers();
    m_hintActive = false;
    m_hintControl = nullptr;
    m_hintCursorRect = TRect();
}

void TApplication::ActivateHint(TPoint CursorPos)
{
    TControl* control = HintControlOf(FindControlAtPoint(CursorPos, false));
    StopHintTimers();
    m_hintControl = control;
    if (control) {
        m_hintCursorRect = ScreenClientRect(control, control->ClientRect());
        HintTimerFired();
    }
}

void TApplication::StartHintTimer(int ms)
{
    m_hintTimer = SetTimer(nullptr, m_hintTimer, static_cast<UINT>(ms), [this](HWND, UINT, uintptr_t, DWORD) { HintTimerFired(); });
}

void TApplication::StopHintTimers()
{
    if (m_hintTimer)
        KillTimer(nullptr, m_hintTimer);
    if (m_hideTimer)
        KillTimer(nullptr, m_hideTimer);
}

void TApplication::HideHintWindow()
{
    if (m_hintWindow && m_hintWindow->Visible())
        m_hintWindow->ReleaseHandle();
}

void TApplication::HintTimerFired()
{
    if (m_hintTimer)
        KillTimer(nullptr, m_hintTimer);
    TControl* control = m_hintControl;
    if (!control || !m_showHint)
        return;
    TPoint cursor;
    GetCursorPos(cursor);
    THintInfo info;
    info.HintControl = control;
    info.HintPos = {cursor.X, cursor.Y + kCursorHeightMargin};
    info.HintMaxWidth = MonitorAt(cursor).Bounds.Width();
    info.HintColor = m_hintColor;
    info.CursorRect = control->ClientRect();
    info.CursorPos = control->ScreenToClient(cursor);
    info.HideTimeout = m_hintHidePause;
    info.HintStr = GetShortHint(HintTextOf(control));
    bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow && OnShowHint)
        OnShowHint(info.HintStr, canShow, info);
    // A handler may have destroyed the control (and so cancelled the hint).
    if (m_hintControl != control)
        return;
    m_hintCursorRect = ScreenClientRect(control, info.CursorRect);
    if (!canShow || info.HintStr.empty()) {
        m_hintActive = false;
        if (canShow && info.ReshowTimeout > 0)
            StartHintTimer(info.ReshowTimeout);
        return;
    }
    THintWindow* window = HintWindow();
    window->SetColor(info.HintColor);
    const TRect r = window->CalcHintRect(info.HintMaxWidth, info.HintStr).Offset(info.HintPos);
    window->ActivateHint(r, info.HintStr);
    m_hintActive = true;
    if (info.ReshowTimeout > 0)
        StartHintTimer(info.ReshowTimeout);
    if (info.HideTimeout > 0)
        m_hideTimer = SetTimer(nullptr, m_hideTimer, static_cast<UINT>(info.HideTimeout),
                               [this](HWND, UINT, uintptr_t, DWORD) { HideHintTimerFired(); });
}

void TApplication::HideHintTimerFired()
{
    if (m_hideTimer)
        KillTimer(nullptr, m_hideTimer);
    // The control stays the hint control: its hint comes back only after the pointer
    // left it and returned.
    HideHintWindow();
    m_hintActive = false;
}
