// System metrics and settings with the classic desktop's values. The screen size and
// the work area come from providers the window system installs; without one the
// screen is 1024 x 768 and the work area the whole screen.
#pragma once

#include "platform/core/Types.h"
#include "platform/drawing/Font.h"

#include <functional>

enum : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXDLGFRAME = 7,
    SM_CXFIXEDFRAME = 7,
    SM_CYDLGFRAME = 8,
    SM_CYFIXEDFRAME = 8,
    SM_CYVTHUMB = 9,
    SM_CXHTHUMB = 10,
    SM_CXICON = 11,
    SM_CYICON = 12,
    SM_CXCURSOR = 13,
    SM_CYCURSOR = 14,
    SM_CYMENU = 15,
    SM_CXFULLSCREEN = 16,
    SM_CYFULLSCREEN = 17,
    SM_CYKANJIWINDOW = 18,
    SM_MOUSEPRESENT = 19,
    SM_CYVSCROLL = 20,
    SM_CXHSCROLL = 21,
    SM_DEBUG = 22,
    SM_SWAPBUTTON = 23,
    SM_CXMIN = 28,
    SM_CYMIN = 29,
    SM_CXSIZE = 30,
    SM_CYSIZE = 31,
    SM_CXFRAME = 32,
    SM_CXSIZEFRAME = 32,
    SM_CYFRAME = 33,
    SM_CYSIZEFRAME = 33,
    SM_CXMINTRACK = 34,
    SM_CYMINTRACK = 35,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
    SM_CXICONSPACING = 38,
    SM_CYICONSPACING = 39,
    SM_MENUDROPALIGNMENT = 40,
    SM_CMOUSEBUTTONS = 43,
    SM_CXEDGE = 45,
    SM_CYEDGE = 46,
    SM_CXMINSPACING = 47,
    SM_CYMINSPACING = 48,
    SM_CXSMICON = 49,
    SM_CYSMICON = 50,
    SM_CYSMCAPTION = 51,
    SM_CXSMSIZE = 52,
    SM_CYSMSIZE = 53,
    SM_CXMENUSIZE = 54,
    SM_CYMENUSIZE = 55,
    SM_ARRANGE = 56,
    SM_CXMINIMIZED = 57,
    SM_CYMINIMIZED = 58,
    SM_CXMAXTRACK = 59,
    SM_CYMAXTRACK = 60,
    SM_CXMAXIMIZED = 61,
    SM_CYMAXIMIZED = 62,
    SM_NETWORK = 63,
    SM_CLEANBOOT = 67,
    SM_CXDRAG = 68,
    SM_CYDRAG = 69,
    SM_SHOWSOUNDS = 70,
    SM_CXMENUCHECK = 71,
    SM_CYMENUCHECK = 72,
    SM_SLOWMACHINE = 73,
    SM_MIDEASTENABLED = 74,
    SM_MOUSEWHEELPRESENT = 75,
    SM_XVIRTUALSCREEN = 76,
    SM_YVIRTUALSCREEN = 77,
    SM_CXVIRTUALSCREEN = 78,
    SM_CYVIRTUALSCREEN = 79,
    SM_CMONITORS = 80,
    SM_SAMEDISPLAYFORMAT = 81,
    SM_CXFOCUSBORDER = 83,
    SM_CYFOCUSBORDER = 84,
};

// The metric's value; 0 for an index the platform does not know, as on Win32.
int GetSystemMetrics(int index);

// Installs the screen-size provider (null restores the 1024 x 768 default).
void SetScreenSizeProvider(std::function<TSize()> provider);
// Installs the work-area provider (null restores "the whole screen").
void SetWorkAreaProvider(std::function<TRect()> provider);

// ---- SystemParametersInfo ----

enum : unsigned {
    SPI_GETNONCLIENTMETRICS = 0x0029,
    SPI_GETWORKAREA = 0x0030,
    SPI_GETICONTITLELOGFONT = 0x001F,
    SPI_GETDRAGFULLWINDOWS = 0x0026,
    SPI_GETMENUANIMATION = 0x1002,
    SPI_GETFOCUSBORDERWIDTH = 0x200E,
    SPI_GETFOCUSBORDERHEIGHT = 0x2010,
};

struct NONCLIENTMETRICS {
    unsigned cbSize = sizeof(NONCLIENTMETRICS);
    int iBorderWidth = 0;
    int iScrollWidth = 0;
    int iScrollHeight = 0;
    int iCaptionWidth = 0;
    int iCaptionHeight = 0;
    LOGFONT lfCaptionFont;
    int iSmCaptionWidth = 0;
    int iSmCaptionHeight = 0;
    LOGFONT lfSmCaptionFont;
    int iMenuWidth = 0;
    int iMenuHeight = 0;
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
};

// Answers the setting through param (a TRect for the work area, a NONCLIENTMETRICS,
// a LOGFONT, an int or a bool). False for an action it does not know; raises
// EPlatformError for a null param.
bool SystemParametersInfo(unsigned action, unsigned uiParam, void* param, unsigned winIni);
