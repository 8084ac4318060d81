// Window management: classes, creation and destruction, the window tree, geometry,
// visibility, enabling, styles and text.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/WindowStyles.h"
#include "platform/window/WindowTypes.h"

#include <vector>

bool RegisterClass(const WNDCLASS& wc);
bool IsClassRegistered(const std::string& className);

// Creates a window of a registered class. Child windows (WS_CHILD) lie in their parent's
// client area; other windows are top-level windows positioned on the screen, the parent
// being their owner. `proc`, when given, replaces the class procedure from the very first
// message (WM_NCCREATE), which is how components bind a window to their object.
HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, int id = 0, void* param = nullptr,
                    WNDPROC proc = {});
// Sends WM_DESTROY to the window and then its children, destroys children first and
// ends with WM_NCDESTROY; focus, capture and activation leave the destroyed windows.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(const WNDPROC& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Replaces the window's procedure and answers the previous one (subclassing).
WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc);
WNDPROC GetWindowProc(HWND hwnd);

HWND GetParent(HWND hwnd);      // the parent of a child, the owner of a top-level window
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetAncestorTopLevel(HWND hwnd);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetTopWindow(HWND parent);  // topmost child; topmost top-level window for nullptr
std::vector<HWND> GetChildWindows(HWND parent); // top of the z-order first
std::vector<HWND> GetTopLevelWindows();         // top of the z-order first
bool IsChild(HWND parent, HWND hwnd);

LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);
intptr_t GetWindowLongPtr(HWND hwnd, int index);
intptr_t SetWindowLongPtr(HWND hwnd, int index, intptr_t value);
UINT GetClassStyle(HWND hwnd);
std::string GetClassName(HWND hwnd);

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint = true);
bool ShowWindow(HWND hwnd, int cmd);
bool IsWindowVisible(HWND hwnd); // the window and all its ancestors are visible
bool IsZoomed(HWND hwnd);
bool IsIconic(HWND hwnd);
bool EnableWindow(HWND hwnd, bool enable); // answers whether it was disabled before
bool IsWindowEnabled(HWND hwnd);
bool BringWindowToTop(HWND hwnd);

// Rectangles: GetWindowRect in screen coordinates, GetClientRect at (0,0).
bool GetWindowRect(HWND hwnd, TRect& rect);
bool GetClientRect(HWND hwnd, TRect& rect);
TRect WindowRect(HWND hwnd);
TRect ClientRect(HWND hwnd);
bool ClientToScreen(HWND hwnd, TPoint& pt);
bool ScreenToClient(HWND hwnd, TPoint& pt);
// Maps points from one window's client coordinates to another's (nullptr: the screen).
void MapWindowPoints(HWND from, HWND to, TPoint* points, int count);
TRect MapWindowRect(HWND from, HWND to, const TRect& rect);
// Recomputes the client area (WM_NCCALCSIZE) after a frame-affecting change.
void RecalcNonClient(HWND hwnd);

// The visible, enabled-or-not window at a screen point: the deepest child, asking
// WM_NCHITTEST so that HTTRANSPARENT windows let the point through. Disabled child
// windows are not answered; the point goes to their parent. Top-level windows with
// WS_EX_TRANSPARENT never take the mouse: the point reaches what lies beneath them.
HWND WindowFromPoint(TPoint screenPt);
// The child of `parent` (any depth 1) holding a client point; disabled and hidden
// children included. Answers `parent` itself when no child holds it, nullptr outside.
HWND ChildWindowFromPoint(HWND parent, TPoint clientPt);
// As above with the flags CWP_SKIPINVISIBLE, CWP_SKIPDISABLED, CWP_SKIPTRANSPARENT.
enum : UINT { CWP_ALL = 0, CWP_SKIPINVISIBLE = 1, CWP_SKIPDISABLED = 2, CWP_SKIPTRANSPARENT = 4 };
HWND ChildWindowFromPointEx(HWND parent, TPoint clientPt, UINT flags);

int GetWindowTextLength(HWND hwnd);
std::string GetWindowText(HWND hwnd);
bool SetWindowText(HWND hwnd, const std::string& text);
int GetDlgCtrlID(HWND hwnd);
HWND GetDlgItem(HWND parent, int id);

// A window region limits where the window is drawn and hit.
class TRegion;
bool SetWindowRegion(HWND hwnd, const TRegion* region, bool redraw);

// Translucent top-level windows. A top-level window with WS_EX_LAYERED shows its picture
// with the opacity given by LWA_ALPHA (0 invisible, 255 opaque) where the desktop composes
// windows (LayeredWindowsAvailable); elsewhere it shows opaque. Colour keys are not
// offered: LWA_COLORKEY answers false, as does a window without WS_EX_LAYERED or a child
// window. Clearing WS_EX_LAYERED makes the window opaque again.
enum : DWORD { LWA_COLORKEY = 0x1, LWA_ALPHA = 0x2 };
bool SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
bool GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);
// Whether translucent windows show translucent on this desktop.
bool LayeredWindowsAvailable();
