// Focus, activation, mouse capture, keyboard state, cursors and the caret.
#pragma once

#include "platform/window/WindowTypes.h"

HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
bool SetForegroundWindow(HWND hwnd);

HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();

// The key state as of the message last retrieved (high bit: down, low bit: toggled).
int16_t GetKeyState(int vk);
// The key state now.
int16_t GetAsyncKeyState(int vk);
// Alt, Shift and Ctrl as the MK_ flags of a mouse message would report them.
WPARAM CurrentMouseKeyFlags();

UINT GetDoubleClickTime();
bool SetDoubleClickTime(UINT ms);
bool GetCursorPos(TPoint& pt);
bool SetCursorPos(int x, int y);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(bool show);
bool TrackMouseEvent(TRACKMOUSEEVENT& tme);
// The platform's drag threshold in pixels (SM_CXDRAG, SM_CYDRAG).
int DragThreshold();

// The caret: one per thread, owned by a window, blinking while shown.
bool CreateCaret(HWND hwnd, int width, int height);
bool DestroyCaret();
bool ShowCaret(HWND hwnd);
bool HideCaret(HWND hwnd);
bool SetCaretPos(int x, int y);
bool GetCaretPos(TPoint& pt);
// The window that owns the caret, or null.
HWND GetCaretWindow();
UINT GetCaretBlinkTime();
