// Services of the desktop: screen, clipboard, sounds and the desktop's document opener.
#pragma once

#include "platform/window/WindowTypes.h"

#include <vector>

TRect GetScreenRect();
TRect GetWorkArea();

// A monitor of the desktop: its bounds and its work area (without task bars and
// docks), in screen coordinates.
struct TMonitorInfo {
    TRect Bounds;
    TRect WorkArea;
    bool Primary = false;
};
// Every monitor, the primary one first; never empty.
std::vector<TMonitorInfo> GetMonitors();
// The monitor holding the point, else the nearest one.
TMonitorInfo MonitorAt(TPoint screenPt);
// The work area of the monitor holding the point (or nearest to it); the primary work
// area when the back end knows only one.
TRect MonitorWorkAreaAt(TPoint screenPt);
// Pixels per logical inch of the screen (96 when the display does not say).
int GetScreenPixelsPerInch();

// Clipboard formats (the clipboard holds text only).
enum : UINT { CF_TEXT = 1, CF_UNICODETEXT = 13 };

bool OpenClipboardText(std::string& text);
bool SetClipboardText(const std::string& text);
bool ClipboardHasText();

bool MessageBeep(UINT type);
// Plays a named system sound ("MenuPopup", "MenuCommand"); silent where the desktop has none.
bool PlaySystemSound(const std::string& alias);
// Opens a document or web address with the desktop's handler.
bool ShellOpen(const std::string& target);
