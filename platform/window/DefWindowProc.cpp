// The default behaviour of every window: what a window does with a message its own
// procedure leaves alone.
#include "platform/window/WindowSystem_p.h"

#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"

using namespace ws;

namespace ws {
void TrackCaptionButton(Window* w, LRESULT hit); // CaptionButtons.cpp
}

namespace {

HCURSOR CursorForHit(LRESULT hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
        return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM:
        return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return IDC_SIZENESW;
    default:
        return IDC_ARROW;
    }
}

LRESULT OnSetCursor(Window* w, WPARAM wParam, LPARAM lParam)
{
    const LRESULT hit = static_cast<int16_t>(LoWord(static_cast<uintptr_t>(lParam)));
    // The parent gets the first say.
    if (w->IsChild() && SendMessage(w->parent->handle, WM_SETCURSOR, wParam, lParam))
        return 1;
    if (hit == HTERROR) {
        // Over a disabled window: the arrow, and a beep for a press.
        const UINT mouseMsg = HiWord(static_cast<uintptr_t>(lParam));
        if (mouseMsg == WM_LBUTTONDOWN || mouseMsg == WM_RBUTTONDOWN || mouseMsg == WM_MBUTTONDOWN)
            MessageBeep(0);
        SetCursor(IDC_ARROW);
        return 0;
    }
    if (hit == HTCLIENT) {
        const HCURSOR classCursor = w->cls->wc.hCursor;
        SetCursor(classCursor ? classCursor : IDC_ARROW);
        return 0;
    }
    SetCursor(CursorForHit(hit));
    return 0;
}

LRESULT OnMouseActivate(Window* w, WPARAM wParam, LPARAM lParam)
{
    if (w->IsChild()) {
        const LRESULT parentAnswer = SendMessage(w->parent->handle, WM_MOUSEACTIVATE, wParam, lParam);
        if (parentAnswer)
            return parentAnswer;
    }
    return (w->exStyle & WS_EX_NOACTIVATE) ? MA_NOACTIVATE : MA_ACTIVATE;
}

LRESULT OnEraseBackground(Window* w, HDC dc)
{
    const TColor background = w->cls->wc.hbrBackground;
    if (!dc || background == clNone)
        return 0;
    FillRectColor(dc, dc->ClipRect(), background);
    return 1;
}

void OnSysCommand(HWND hwnd, WPARAM command)
{
    switch (command & 0xFFF0) {
    case SC_CLOSE:
        SendMessage(hwnd, WM_CLOSE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        break;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        break;
    default:
        break;
    }
}

void OnNcLeftButtonDown(Window* w, WPARAM hit, LPARAM lParam)
{
    const HWND hwnd = w->handle;
    const TPoint pt = PointFromLParam(lParam);
    auto& s = S();
    switch (hit) {
    case HTVSCROLL:
        TrackScrollBar(w, SB_VERT, pt);
        break;
    case HTHSCROLL:
        TrackScrollBar(w, SB_HORZ, pt);
        break;
    case HTCAPTION:
        if (w->IsTopLevel() && !w->maximized && s.backend)
            s.backend->BeginSystemMove(hwnd);
        break;
    case HTCLOSE:
    case HTMAXBUTTON:
    case HTMINBUTTON:
        TrackCaptionButton(w, static_cast<LRESULT>(hit));
        break;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTBOTTOM:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        if (w->IsTopLevel() && s.backend)
            s.backend->BeginSystemResize(hwnd, static_cast<int>(hit));
        break;
    default:
        break;
    }
}

void OnWindowPosChanged(Window* w, const WINDOWPOS* pos)
{
    const HWND hwnd = w->handle;
    if (!(pos->flags & SWP_NOMOVE))
        SendMessage(hwnd, WM_MOVE, 0, MakeLParam(w->rect.Left + w->clientRect.Left, w->rect.Top + w->clientRect.Top));
    if ((w = Find(hwnd)) && (!(pos->flags & SWP_NOSIZE) || (pos->flags & SWP_FRAMECHANGED)))
        SendMessage(hwnd, WM_SIZE, w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                    MakeLParam(w->clientRect.Width(), w->clientRect.Height()));
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = Find(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE:
        return 1;
    case WM_NCCALCSIZE:
        return DefNcCalcSize(w, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
    case WM_NCHITTEST:
        return DefNcHitTest(w, PointFromLParam(lParam));
    case WM_NCPAINT:
        DefNcPaint(w);
        return 0;
    case WM_NCACTIVATE:
        InvalidateFrame(w);
        return 1;
    case WM_ERASEBKGND:
        return OnEraseBackground(w, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, ps);
        EndPaint(hwnd, ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        return 0;
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const std::string*>(lParam);
        w->text = text ? *text : std::string();
        if (w->IsTopLevel()) {
            if (S().backend && w->createdNative)
                S().backend->TopLevelTextChanged(hwnd, w->text);
            InvalidateFrame(w);
        }
        return 1;
    }
    case WM_GETTEXT:
        if (auto* out = reinterpret_cast<std::string*>(lParam))
            *out = w->text;
        return static_cast<LRESULT>(w->text.size());
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SETCURSOR:
        return OnSetCursor(w, wParam, lParam);
    case WM_MOUSEACTIVATE:
        return OnMouseActivate(w, wParam, lParam);
    case WM_ACTIVATE:
        if (LoWord(wParam) != WA_INACTIVE && !w->minimized)
            SetFocus(hwnd);
        return 0;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(w, reinterpret_cast<const WINDOWPOS*>(lParam));
        return 0;
    case WM_NCLBUTTONDOWN:
        OnNcLeftButtonDown(w, wParam, lParam);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && w->IsTopLevel() && (w->style & WS_MAXIMIZEBOX))
            OnSysCommand(hwnd, w->maximized ? SC_RESTORE : SC_MAXIMIZE);
        return 0;
    case WM_SYSCOMMAND:
        OnSysCommand(hwnd, wParam);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0) {
            SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
            return 0;
        }
        if (wParam == VK_F4 && (lParam & KF_ALTDOWN_LPARAM)) {
            if (Window* top = TopLevelOf(w))
                PostMessage(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_RBUTTONUP: {
        // The right button's release asks the window for its context menu.
        TPoint pt = PointFromLParam(lParam);
        ClientToScreen(hwnd, pt);
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), LParamFromPoint(pt));
        return 0;
    }
    case WM_KEYUP:
        if (wParam == VK_APPS)
            SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
        return 0;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        if (w->IsChild())
            return SendMessage(w->parent->handle, msg, wParam, lParam);
        return 0;
    case WM_SETREDRAW:
        w->redrawOff = wParam == 0;
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_GETMINMAXINFO:
    case WM_GETDLGCODE:
    default:
        return 0;
    }
}
