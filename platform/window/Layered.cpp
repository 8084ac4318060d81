// Translucent (layered) top-level windows: their opacity, kept by the window system and
// handed to the back end, which shows it where the desktop composes windows.
#include "platform/window/WindowSystem_p.h"

using namespace ws;

namespace ws {

void NativeStylesChanged(Window* w)
{
    auto& s = S();
    if (w && w->IsTopLevel() && w->createdNative && s.backend)
        s.backend->TopLevelStylesChanged(w->handle, (w->exStyle & WS_EX_LAYERED) ? w->alpha : BYTE(255));
}

} // namespace ws

bool SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags)
{
    Window* w = Find(hwnd);
    if (!w || !w->IsTopLevel() || !(w->exStyle & WS_EX_LAYERED) || (flags & LWA_COLORKEY))
        return false;
    if (!(flags & LWA_ALPHA))
        alpha = 255;
    if (alpha == w->alpha)
        return true;
    w->alpha = alpha;
    NativeStylesChanged(w);
    return true;
}

bool GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags)
{
    Window* w = Find(hwnd);
    if (!w || !w->IsTopLevel() || !(w->exStyle & WS_EX_LAYERED))
        return false;
    if (key)
        *key = 0;
    if (alpha)
        *alpha = w->alpha;
    if (flags)
        *flags = LWA_ALPHA;
    return true;
}

bool LayeredWindowsAvailable()
{
    TWindowBackend* backend = S().backend.get();
    return backend && backend->TranslucentWindowsAvailable();
}
