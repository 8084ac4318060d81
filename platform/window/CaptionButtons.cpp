// Pressing a caption button: the button stays pressed while the pointer is on it, and
// the command is carried out when the button is released over it.
#include "platform/window/WindowSystem_p.h"

using namespace ws;

namespace ws {

void TrackCaptionButton(Window* w, LRESULT hit)
{
    const HWND hwnd = w->handle;
    SetCapture(hwnd);
    bool over = true;
    bool released = false;
    while (!released && GetCapture() == hwnd) {
        MSG msg;
        if (!GetMessage(msg)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.hwnd == hwnd && (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)) {
            TPoint p = PointFromLParam(msg.lParam);
            ClientToScreen(hwnd, p);
            Window* now = Find(hwnd);
            over = now && DefNcHitTest(now, p) == hit;
            released = msg.message == WM_LBUTTONUP;
            continue;
        }
        ProcessMessage(msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (!released || !over || !Find(hwnd))
        return;
    const WPARAM command = hit == HTCLOSE ? SC_CLOSE : hit == HTMINBUTTON ? SC_MINIMIZE : (IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE);
    SendMessage(hwnd, WM_SYSCOMMAND, command, 0);
}

} // namespace ws
