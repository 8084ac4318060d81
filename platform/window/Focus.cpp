// Focus, activation, capture, and finding the window at a point.
#include "platform/window/WindowSystem_p.h"

using namespace ws;

namespace ws {

void ActivateTopLevel(Window* top, WPARAM how)
{
    auto& s = S();
    const HWND newActive = top ? top->handle : nullptr;
    const HWND oldActive = Find(s.active) ? s.active : nullptr;
    if (newActive == oldActive)
        return;
    s.active = newActive;
    if (oldActive) {
        SendMessage(oldActive, WM_NCACTIVATE, 0, 0);
        SendMessage(oldActive, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(newActive));
    }
    if (!oldActive || !newActive)
        for (HWND h : GetTopLevelWindows())
            SendMessage(h, WM_ACTIVATEAPP, newActive ? 1 : 0, 0);
    if (!newActive) {
        // The program lost activation: the focus goes with it.
        if (Find(s.focus))
            SetFocus(nullptr);
        return;
    }
    if (s.active != newActive || !(top = Find(newActive)))
        return;
    MoveInZOrder(top, HWND_TOP);
    if (s.backend && top->createdNative) {
        s.backend->TopLevelRaised(newActive);
        s.backend->TopLevelActivated(newActive);
    }
    SendMessage(newActive, WM_NCACTIVATE, 1, 0);
    SendMessage(newActive, WM_ACTIVATE, how, reinterpret_cast<LPARAM>(oldActive));
}

void ForgetWindow(Window* w)
{
    auto& s = S();
    if (s.focus == w->handle)
        s.focus = nullptr;
    if (s.capture == w->handle)
        s.capture = nullptr;
    if (s.hoverWindow == w->handle)
        s.hoverWindow = nullptr;
    if (s.trackLeaveWindow == w->handle) {
        s.trackLeave = false;
        s.trackLeaveWindow = nullptr;
    }
    if (s.lastClick.hwnd == w->handle)
        s.lastClick.valid = false;
    if (s.caret.owner == w->handle)
        s.caret = Caret{};
}

} // namespace ws

HWND SetFocus(HWND hwnd)
{
    auto& s = S();
    const HWND old = Find(s.focus) ? s.focus : nullptr;
    if (!hwnd) {
        if (old) {
            SendMessage(old, WM_KILLFOCUS, 0, 0);
            if (s.focus == old)
                s.focus = nullptr;
        }
        return old;
    }
    Window* w = Find(hwnd);
    if (!w || !IsEnabledChain(w))
        return nullptr;
    if (hwnd == old)
        return old;
    Window* top = TopLevelOf(w);
    if (top->handle != s.active) {
        ActivateTopLevel(top, WA_ACTIVE);
        if (!Find(hwnd))
            return nullptr;
    }
    const HWND previous = Find(s.focus) ? s.focus : nullptr;
    if (previous == hwnd)
        return old;
    if (previous) {
        SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        if (!Find(hwnd))
            return old;
    }
    s.focus = hwnd;
    SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return old;
}

HWND GetFocus()
{
    return Find(S().focus) ? S().focus : nullptr;
}

HWND SetActiveWindow(HWND hwnd)
{
    auto& s = S();
    const HWND old = s.active;
    Window* w = Find(hwnd);
    if (w)
        ActivateTopLevel(TopLevelOf(w), WA_ACTIVE);
    return old;
}

HWND GetActiveWindow()
{
    return Find(S().active) ? S().active : nullptr;
}

HWND GetForegroundWindow()
{
    return GetActiveWindow();
}

bool SetForegroundWindow(HWND hwnd)
{
    return SetActiveWindow(hwnd) != nullptr || GetActiveWindow() == hwnd;
}

HWND SetCapture(HWND hwnd)
{
    auto& s = S();
    const HWND old = Find(s.capture) ? s.capture : nullptr;
    if (!Find(hwnd) || old == hwnd)
        return old;
    s.capture = hwnd;
    if (old)
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

bool ReleaseCapture()
{
    auto& s = S();
    const HWND old = s.capture;
    s.capture = nullptr;
    if (Find(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture()
{
    return Find(S().capture) ? S().capture : nullptr;
}

namespace {

bool ContainsScreenPoint(const Window* w, TPoint screenPt)
{
    const TPoint origin = WindowOriginOnScreen(w);
    const TRect r = TRect(0, 0, w->rect.Width(), w->rect.Height()).Offset(origin);
    if (!r.Contains(screenPt))
        return false;
    if (w->windowRegion)
        return w->windowRegion->Contains(screenPt - origin);
    return true;
}

// The deepest enabled, visible window holding the point below `w`, asking hit tests.
HWND DeepestAt(Window* w, TPoint screenPt)
{
    const TPoint clientOrigin = ClientOriginOnScreen(w);
    const TRect client = TRect(0, 0, w->clientRect.Width(), w->clientRect.Height()).Offset(clientOrigin);
    if (client.Contains(screenPt)) {
        for (Window* c : w->children) {
            if (!(c->style & WS_VISIBLE) || !ContainsScreenPoint(c, screenPt))
                continue;
            if (c->style & WS_DISABLED)
                break; // the point belongs to the parent
            const HWND found = DeepestAt(c, screenPt);
            if (found)
                return found;
        }
    }
    if (SendMessage(w->handle, WM_NCHITTEST, 0, LParamFromPoint(screenPt)) == HTTRANSPARENT)
        return nullptr;
    return w->handle;
}

} // namespace

HWND WindowFromPoint(TPoint screenPt)
{
    for (Window* t : S().topLevels) {
        if (!(t->style & WS_VISIBLE) || t->minimized || (t->exStyle & WS_EX_TRANSPARENT) ||
            !ContainsScreenPoint(t, screenPt))
            continue;
        const HWND found = DeepestAt(t, screenPt);
        if (found)
            return found;
    }
    return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, TPoint clientPt)
{
    return ChildWindowFromPointEx(parent, clientPt, CWP_ALL);
}

HWND ChildWindowFromPointEx(HWND parent, TPoint clientPt, UINT flags)
{
    Window* w = Find(parent);
    if (!w)
        return nullptr;
    if (!TRect(0, 0, w->clientRect.Width(), w->clientRect.Height()).Contains(clientPt))
        return nullptr;
    for (Window* c : w->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE))
            continue;
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT))
            continue;
        if (c->rect.Contains(clientPt))
            return c->handle;
    }
    return parent;
}
