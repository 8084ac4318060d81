// The standard horizontal and vertical scroll bars of a window's non-client area.
#pragma once

#include "platform/window/WindowTypes.h"

// Sets the range, page and position (SIF_*). A standard bar appears when its range
// exceeds its page and disappears otherwise (unless SIF_DISABLENOSCROLL); answers the
// new position.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw);
bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info);
int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw);
int GetScrollPos(HWND hwnd, int bar);
bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw);
bool GetScrollRange(HWND hwnd, int bar, int& minPos, int& maxPos);
bool ShowScrollBar(HWND hwnd, int bar, bool show);
enum : UINT { ESB_ENABLE_BOTH = 0, ESB_DISABLE_LTUP = 1, ESB_DISABLE_RTDN = 2, ESB_DISABLE_BOTH = 3 };
bool EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
