// Moving, sizing, stacking, showing, hiding and enabling windows.
#include "platform/window/WindowSystem_p.h"

#include <algorithm>

using namespace ws;

namespace {

// The area a window covers in its parent's client coordinates (child) or on the screen.
TRegion CoveredArea(const Window* w)
{
    return TRegion(w->rect);
}

void RepaintParentArea(Window* w, const TRegion& area)
{
    if (w->IsChild())
        InvalidateWindowArea(w->parent, area, true, true);
}

void InvalidateWhole(Window* w)
{
    InvalidateFrame(w);
    InvalidateWindowArea(w, TRegion(TRect(0, 0, w->clientRect.Width(), w->clientRect.Height())), true, true);
}

Window* NextActivationCandidate(Window* leaving)
{
    if (Window* owner = Find(leaving->owner))
        if ((owner->style & WS_VISIBLE) && IsEnabledChain(owner))
            return owner;
    for (Window* t : S().topLevels)
        if (t != leaving && (t->style & WS_VISIBLE) && !(t->exStyle & WS_EX_NOACTIVATE) && IsEnabledChain(t) &&
            !(t->style & WS_CHILD))
            return t;
    return nullptr;
}

} // namespace

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    auto& s = S();

    WINDOWPOS pos;
    pos.hwnd = hwnd;
    pos.hwndInsertAfter = insertAfter;
    pos.x = (flags & SWP_NOMOVE) ? w->rect.Left : x;
    pos.y = (flags & SWP_NOMOVE) ? w->rect.Top : y;
    pos.cx = (flags & SWP_NOSIZE) ? w->rect.Width() : std::max(0, cx);
    pos.cy = (flags & SWP_NOSIZE) ? w->rect.Height() : std::max(0, cy);
    pos.flags = flags;
    if (!(flags & SWP_NOSENDCHANGING))
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(w = Find(hwnd)))
        return false;
    flags = pos.flags;
    pos.cx = std::max(0, pos.cx);
    pos.cy = std::max(0, pos.cy);

    const TRect newRect = TRect::FromSize(pos.x, pos.y, pos.cx, pos.cy);
    const bool moved = newRect.TopLeft() != w->rect.TopLeft();
    const bool sized = newRect.Size() != w->rect.Size();
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool show = (flags & SWP_SHOWWINDOW) && !wasVisible;
    const bool hide = (flags & SWP_HIDEWINDOW) && wasVisible;
    const bool redraw = !(flags & SWP_NOREDRAW);
    const TRegion oldArea = CoveredArea(w);
    const TRect oldClient = w->clientRect;

    if (wasVisible && redraw && (moved || sized || hide))
        RepaintParentArea(w, oldArea);

    w->rect = newRect;
    if (sized || (flags & SWP_FRAMECHANGED)) {
        UpdateClientRect(w, &pos);
        if (!(w = Find(hwnd)))
            return false;
    }
    if (!(flags & SWP_NOZORDER))
        MoveInZOrder(w, pos.hwndInsertAfter);
    if (show)
        w->style |= WS_VISIBLE;
    if (hide)
        w->style &= ~WS_VISIBLE;

    if (w->IsTopLevel()) {
        if (sized || !w->surface)
            EnsureSurface(w);
        if (s.backend && w->createdNative) {
            if (moved || sized)
                s.backend->TopLevelGeometryChanged(hwnd, w->rect);
            if (show)
                s.backend->TopLevelShown(hwnd, true, !(flags & SWP_NOACTIVATE));
            if (hide)
                s.backend->TopLevelShown(hwnd, false, false);
            if (!(flags & SWP_NOZORDER) && (w->style & WS_VISIBLE))
                s.backend->TopLevelRaised(hwnd);
        }
    }

    const bool visible = (w->style & WS_VISIBLE) != 0;
    if (visible && redraw) {
        const UINT classStyle = w->cls->wc.style;
        const bool fullRedraw = show || (flags & SWP_FRAMECHANGED) || (w->IsChild() && (moved || sized)) ||
                                (sized && (classStyle & (CS_HREDRAW | CS_VREDRAW)));
        if (fullRedraw) {
            InvalidateWhole(w);
        } else if (sized) {
            // Only the newly uncovered part of the client area needs painting.
            InvalidateFrame(w);
            TRegion fresh(TRect(0, 0, w->clientRect.Width(), w->clientRect.Height()));
            fresh = fresh.Subtracted(TRegion(TRect(0, 0, oldClient.Width(), oldClient.Height())));
            if (!fresh.IsEmpty())
                InvalidateWindowArea(w, fresh, true, true);
        }
    }

    if (hide) {
        if (s.focus && (s.focus == hwnd || IsChild(hwnd, s.focus))) {
            if (w->IsTopLevel())
                SetFocus(nullptr);
            else
                SetFocus(TopLevelOf(w)->handle);
        }
        if (s.capture && (s.capture == hwnd || IsChild(hwnd, s.capture)))
            ReleaseCapture();
        if (w->IsTopLevel() && s.active == hwnd) {
            Window* next = NextActivationCandidate(w);
            if (next)
                ActivateTopLevel(next, WA_ACTIVE);
            else
                ActivateTopLevel(nullptr, WA_INACTIVE);
        }
    }

    if ((w = Find(hwnd))) {
        pos.flags = flags | (moved ? 0u : UINT(SWP_NOMOVE)) | (sized ? 0u : UINT(SWP_NOSIZE));
        SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    }
    if (show && (w = Find(hwnd)) && w->IsTopLevel() && !(flags & SWP_NOACTIVATE) && !(w->exStyle & WS_EX_NOACTIVATE))
        ActivateTopLevel(w, WA_ACTIVE);
    return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : static_cast<UINT>(SWP_NOREDRAW)));
}

bool ShowWindow(HWND hwnd, int cmd)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible)
            return false;
        SendMessage(hwnd, WM_SHOWWINDOW, 0, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        break;
    case SW_SHOWMAXIMIZED: {
        if (!wasVisible)
            SendMessage(hwnd, WM_SHOWWINDOW, 1, 0);
        if (!(w = Find(hwnd)))
            return false;
        if (!w->maximized && w->IsTopLevel()) {
            w->restoredRect = w->rect;
            w->maximized = true;
            w->minimized = false;
            w->style |= WS_MAXIMIZE;
            const TRect area = GetWorkArea();
            SetWindowPos(hwnd, HWND_TOP, area.Left, area.Top, area.Width(), area.Height(),
                         SWP_SHOWWINDOW | SWP_FRAMECHANGED);
            if ((w = Find(hwnd)))
                SendMessage(hwnd, WM_SIZE, SIZE_MAXIMIZED, MakeLParam(w->clientRect.Width(), w->clientRect.Height()));
        } else {
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        }
        break;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (!wasVisible)
            SendMessage(hwnd, WM_SHOWWINDOW, 1, 0);
        if (!(w = Find(hwnd)))
            return false;
        if (w->maximized || w->minimized) {
            w->maximized = w->minimized = false;
            w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
            const TRect r = w->restoredRect;
            SetWindowPos(hwnd, HWND_TOP, r.Left, r.Top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        } else {
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        }
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        // Minimizing hides the window's picture; the desktop keeps its button.
        if (w->IsTopLevel()) {
            if (!w->minimized)
                w->restoredRect = w->maximized ? w->restoredRect : w->rect;
            w->minimized = true;
            w->style |= WS_MINIMIZE;
            SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
        }
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        if (!wasVisible)
            SendMessage(hwnd, WM_SHOWWINDOW, 1, 0);
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW |
                                                  (Find(hwnd) && Find(hwnd)->IsChild() ? SWP_NOZORDER : 0u));
        break;
    default: // SW_SHOW and the rest
        if (!wasVisible)
            SendMessage(hwnd, WM_SHOWWINDOW, 1, 0);
        if (!(w = Find(hwnd)))
            return false;
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW |
                                                  (w->IsChild() ? SWP_NOZORDER | SWP_NOACTIVATE : 0u));
        break;
    }
    return wasVisible;
}

bool IsWindowVisible(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && IsVisibleChain(w);
}

bool IsZoomed(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && w->maximized;
}

bool IsIconic(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && w->minimized;
}

bool EnableWindow(HWND hwnd, bool enable)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    const bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable)
        return wasDisabled;
    auto& s = S();
    if (!enable) {
        SendMessage(hwnd, WM_CANCELMODE);
        if (!(w = Find(hwnd)))
            return wasDisabled;
        if (s.focus && (s.focus == hwnd || IsChild(hwnd, s.focus)))
            SetFocus(nullptr);
        if (s.capture && (s.capture == hwnd || IsChild(hwnd, s.capture)))
            ReleaseCapture();
        w->style |= WS_DISABLED;
    } else {
        w->style &= ~WS_DISABLED;
    }
    SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

bool BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
