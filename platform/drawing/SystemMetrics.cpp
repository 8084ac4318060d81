#include "platform/drawing/SystemMetrics.h"

#include "platform/core/Exception.h"

#include <cstring>
#include <utility>

namespace {

std::function<TSize()>& ScreenSizeProvider()
{
    static std::function<TSize()> provider;
    return provider;
}

std::function<TRect()>& WorkAreaProvider()
{
    static std::function<TRect()> provider;
    return provider;
}

TSize ScreenSize()
{
    return ScreenSizeProvider() ? ScreenSizeProvider()() : TSize(1024, 768);
}

TRect WorkArea()
{
    if (WorkAreaProvider())
        return WorkAreaProvider()();
    const TSize s = ScreenSize();
    return TRect(0, 0, s.cx, s.cy);
}

// The classic desktop's fixed metrics.
int ClassicMetric(int index)
{
    switch (index) {
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 16;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXFIXEDFRAME: case SM_CYFIXEDFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXSIZE: case SM_CYSIZE: return 18;
    case SM_CYSMCAPTION: return 15;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 14;
    case SM_CXMENUSIZE: case SM_CYMENUSIZE: return 18;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    case SM_CXMIN: case SM_CXMINTRACK: return 112;
    case SM_CYMIN: case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
    case SM_CXMINSPACING: return 160;
    case SM_CYMINSPACING: return 24;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 24;
    case SM_MOUSEPRESENT: case SM_MOUSEWHEELPRESENT: case SM_CMONITORS: case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_ARRANGE: return 8; // from the bottom-left, going right
    case SM_CXFOCUSBORDER: case SM_CYFOCUSBORDER: return 1;
    default: return 0;
    }
}

LOGFONT DialogFont(bool bold)
{
    LOGFONT lf;
    lf.lfHeight = -11;
    lf.lfWeight = bold ? 700 : 400;
    lf.lfCharSet = 1;
    std::strncpy(lf.lfFaceName, "MS Sans Serif", sizeof lf.lfFaceName - 1);
    return lf;
}

template <typename T>
T& Target(void* param)
{
    if (!param)
        throw EPlatformError("SystemParametersInfo needs a place for its answer");
    return *static_cast<T*>(param);
}

} // namespace

int GetSystemMetrics(int index)
{
    const TSize screen = ScreenSize();
    const TRect work = WorkArea();
    switch (index) {
    case SM_CXSCREEN: case SM_CXVIRTUALSCREEN: return screen.cx;
    case SM_CYSCREEN: case SM_CYVIRTUALSCREEN: return screen.cy;
    case SM_CXFULLSCREEN: return work.Width();
    case SM_CYFULLSCREEN: return work.Height() - ClassicMetric(SM_CYCAPTION);
    case SM_CXMAXIMIZED: return work.Width() + 2 * ClassicMetric(SM_CXFRAME);
    case SM_CYMAXIMIZED: return work.Height() + 2 * ClassicMetric(SM_CYFRAME);
    case SM_CXMAXTRACK: return screen.cx + 2 * ClassicMetric(SM_CXFRAME);
    case SM_CYMAXTRACK: return screen.cy + 2 * ClassicMetric(SM_CYFRAME);
    default: return ClassicMetric(index);
    }
}

void SetScreenSizeProvider(std::function<TSize()> provider) { ScreenSizeProvider() = std::move(provider); }
void SetWorkAreaProvider(std::function<TRect()> provider) { WorkAreaProvider() = std::move(provider); }

bool SystemParametersInfo(unsigned action, unsigned, void* param, unsigned)
{
    switch (action) {
    case SPI_GETWORKAREA:
        Target<TRect>(param) = WorkArea();
        return true;
    case SPI_GETNONCLIENTMETRICS: {
        NONCLIENTMETRICS& m = Target<NONCLIENTMETRICS>(param);
        m.iBorderWidth = 1;
        m.iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
        m.iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
        m.iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
        m.iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
        m.lfCaptionFont = DialogFont(true);
        m.iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
        m.iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
        m.lfSmCaptionFont = DialogFont(true);
        m.iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
        m.iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
        m.lfMenuFont = DialogFont(false);
        m.lfStatusFont = DialogFont(false);
        m.lfMessageFont = DialogFont(false);
        return true;
    }
    case SPI_GETICONTITLELOGFONT:
        Target<LOGFONT>(param) = DialogFont(false);
        return true;
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETMENUANIMATION:
        Target<int>(param) = 1;
        return true;
    case SPI_GETFOCUSBORDERWIDTH:
    case SPI_GETFOCUSBORDERHEIGHT:
        Target<unsigned>(param) = 1;
        return true;
    default:
        return false;
    }
}
