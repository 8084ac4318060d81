// Invalidation and painting: update regions, WM_ERASEBKGND/WM_PAINT, device contexts of
// windows, synchronous updates and scrolling a window's contents.
#pragma once

#include "platform/window/WindowTypes.h"

class TRegion;
class TBitmap;

bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase);
bool InvalidateRgn(HWND hwnd, const TRegion* region, bool erase);
bool ValidateRect(HWND hwnd, const TRect* rect);
bool ValidateRgn(HWND hwnd, const TRegion* region);
bool GetUpdateRect(HWND hwnd, TRect* rect, bool erase);
// The window's pending update region in client coordinates.
TRegion GetUpdateRegion(HWND hwnd);
bool UpdateWindow(HWND hwnd);
bool RedrawWindow(HWND hwnd, const TRect* rect, const TRegion* region, UINT flags);

HDC BeginPaint(HWND hwnd, PAINTSTRUCT& ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT& ps);
// A device context on the window's client area (GetDC) or whole window (GetWindowDC),
// clipped to its visible part. Drawing reaches the screen when it is released.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
// Thread-safe variant for a worker drawing into a window (menu animation): the context
// is released with ReleaseDC on the same worker.
int ReleaseDC(HWND hwnd, HDC dc);
// Binds a canvas of one's own (a control's persistent canvas) to the window's client
// area, clipped to its visible part and to `clientClip` when given; the release makes the
// drawing reach the screen at once or with the next batch of paints.
bool BindWindowCanvas(TCanvas& canvas, HWND hwnd, const TRegion* clientClip);
void ReleaseWindowCanvas(TCanvas& canvas, bool presentNow);
// Thread-safe: a worker thread hands over a frame it drew for part of the window's
// client area (top-left at clientPos); the user-interface thread shows it when it next
// handles its messages.
void PresentWorkerFrame(HWND hwnd, const TBitmap& frame, TPoint clientPos);

// Makes what was drawn on the window so far reach the screen now.
void FlushWindow(HWND hwnd);
// During long work on the user-interface thread: lets the display catch up (a window
// shown just before gets onto the screen, what was drawn is presented) while user
// input waits for the message loop.
void UpdateDisplay();

// Scrolls the client area's contents by (dx, dy). With SW_SCROLLCHILDREN child windows
// move with the contents; with SW_INVALIDATE (and SW_ERASE) the uncovered area is
// invalidated. Answers the uncovered area through `updateRect` when given.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const TRect* scrollRect, const TRect* clipRect, TRegion* updateRegion,
                   TRect* updateRect, UINT flags);
bool ScrollWindow(HWND hwnd, int dx, int dy, const TRect* scrollRect, const TRect* clipRect);

// WM_PRINT/WM_PRINTCLIENT flags.
enum : LPARAM {
    PRF_CHECKVISIBLE = 0x1,
    PRF_NONCLIENT = 0x2,
    PRF_CLIENT = 0x4,
    PRF_ERASEBKGND = 0x8,
    PRF_CHILDREN = 0x10,
    PRF_OWNED = 0x20,
};
