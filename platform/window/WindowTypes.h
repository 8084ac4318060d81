// Handles and structures of the window system. Values and layouts follow the classic
// desktop platform so that code written against it reads the same here.
#pragma once

#include "platform/core/Messages.h"
#include "platform/core/Types.h"

#include <functional>
#include <string>

class TCanvas;
using HDC = TCanvas*;

// HWND (declared with MSG in Messages.h) is an opaque handle: a stale handle is
// detected, never dereferenced.
using HCURSOR = intptr_t;
using HHOOK = struct HHOOK__*;

using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
using TIMERPROC = std::function<void(HWND, UINT, uintptr_t, DWORD)>;

// A window class: the defaults every window made from it shares.
struct WNDCLASS {
    UINT style = 0;                 // CS_* flags (CS_DBLCLKS makes double clicks)
    WNDPROC lpfnWndProc;            // the default procedure of the class
    HCURSOR hCursor = 0;            // cursor shown over the client area
    uint32_t hbrBackground = 0x1FFFFFFF; // colour the default erase fills with; clNone: no erase
    std::string lpszClassName;
};

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HWND hwndParent = nullptr;
    int id = 0;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    DWORD style = 0;
    std::string lpszName;
    std::string lpszClass;
    DWORD dwExStyle = 0;
};

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

struct NCCALCSIZE_PARAMS {
    TRect rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = 0;
    TRect rcPaint;
};

struct MINMAXINFO {
    TPoint ptReserved;
    TPoint ptMaxSize;
    TPoint ptMaxPosition;
    TPoint ptMinTrackSize;
    TPoint ptMaxTrackSize;
};

// Special insert-after handles of SetWindowPos.
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
// The parent a message-only window may be given.
inline const HWND HWND_MESSAGE = reinterpret_cast<HWND>(-3);

// Hooks.
enum : int {
    WH_GETMESSAGE = 3,
    WH_CALLWNDPROC = 4,
    WH_KEYBOARD = 2,
    WH_MOUSE = 7,
    WH_CALLWNDPROCRET = 12,
};
enum : int { HC_ACTION = 0, HC_NOREMOVE = 3 };
using HOOKPROC = std::function<LRESULT(int nCode, WPARAM wParam, LPARAM lParam)>;

// The lParam of a WH_CALLWNDPROC hook points to this.
struct CWPSTRUCT {
    LPARAM lParam = 0;
    WPARAM wParam = 0;
    UINT message = 0;
    HWND hwnd = nullptr;
};
// The header of every WM_NOTIFY notice (lParam points to it or to a structure that
// begins with it).
struct NMHDR {
    HWND hwndFrom = nullptr;
    uintptr_t idFrom = 0;
    UINT code = 0;
};

// The lParam of a WH_MOUSE hook points to this; wParam is the mouse message.
struct MOUSEHOOKSTRUCT {
    TPoint pt;
    HWND hwnd = nullptr;
    UINT wHitTestCode = 0;
    uintptr_t dwExtraInfo = 0;
};

// Standard cursors.
enum : HCURSOR {
    IDC_ARROW = 32512,
    IDC_IBEAM = 32513,
    IDC_WAIT = 32514,
    IDC_CROSS = 32515,
    IDC_UPARROW = 32516,
    IDC_SIZENWSE = 32642,
    IDC_SIZENESW = 32643,
    IDC_SIZEWE = 32644,
    IDC_SIZENS = 32645,
    IDC_SIZEALL = 32646,
    IDC_NO = 32648,
    IDC_HAND = 32649,
    IDC_APPSTARTING = 32650,
    IDC_HELP = 32651,
    // Shapes the component layer adds: split cursors and the drag cursors.
    IDC_HSPLIT = 40001,
    IDC_VSPLIT = 40002,
    IDC_DRAG = 40003,
    IDC_MULTIDRAG = 40004,
    IDC_NODROP = 40005,
};

// TrackMouseEvent.
enum : DWORD { TME_HOVER = 0x1, TME_LEAVE = 0x2, TME_CANCEL = 0x80000000 };
struct TRACKMOUSEEVENT {
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;
};

// MessageBeep and the sound types.
enum : UINT {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONHAND = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };
