#include "Color.h"

#include <array>
#include <cstddef>

namespace {

// The classic desktop palette.
std::array<COLORREF, COLOR_COUNT> g_palette = {
    RGB(0xC0, 0xC0, 0xC0), // scroll bar
    RGB(0x00, 0x80, 0x80), // desktop
    RGB(0x00, 0x00, 0x80), // active caption
    RGB(0x80, 0x80, 0x80), // inactive caption
    RGB(0xC0, 0xC0, 0xC0), // menu
    RGB(0xFF, 0xFF, 0xFF), // window
    RGB(0x00, 0x00, 0x00), // window frame
    RGB(0x00, 0x00, 0x00), // menu text
    RGB(0x00, 0x00, 0x00), // window text
    RGB(0xFF, 0xFF, 0xFF), // caption text
    RGB(0xC0, 0xC0, 0xC0), // active border
    RGB(0xC0, 0xC0, 0xC0), // inactive border
    RGB(0x80, 0x80, 0x80), // application workspace
    RGB(0x00, 0x00, 0x80), // highlight
    RGB(0xFF, 0xFF, 0xFF), // highlight text
    RGB(0xC0, 0xC0, 0xC0), // button face
    RGB(0x80, 0x80, 0x80), // button shadow
    RGB(0x80, 0x80, 0x80), // grey text
    RGB(0x00, 0x00, 0x00), // button text
    RGB(0xC0, 0xC0, 0xC0), // inactive caption text
    RGB(0xFF, 0xFF, 0xFF), // button highlight
    RGB(0x00, 0x00, 0x00), // 3D dark shadow
    RGB(0xDF, 0xDF, 0xDF), // 3D light
    RGB(0x00, 0x00, 0x00), // info text
    RGB(0xFF, 0xFF, 0xE1), // info background
    RGB(0xB5, 0xB5, 0xB5), // (unused slot 25)
    RGB(0x00, 0x00, 0xFF), // hot-tracked item
    RGB(0x10, 0x84, 0xD0), // gradient active caption
    RGB(0xB5, 0xB5, 0xB5), // gradient inactive caption
    RGB(0x00, 0x00, 0x80), // menu highlight
    RGB(0xC0, 0xC0, 0xC0), // menu bar
};

} // namespace

COLORREF GetSysColor(int index)
{
    if (index < 0 || index >= COLOR_COUNT)
        return 0;
    return g_palette[static_cast<size_t>(index)];
}

COLORREF SetSysColor(int index, COLORREF value)
{
    if (index < 0 || index >= COLOR_COUNT)
        return 0;
    const COLORREF old = g_palette[static_cast<size_t>(index)];
    g_palette[static_cast<size_t>(index)] = value & 0xFFFFFF;
    return old;
}

COLORREF ColorToRGB(TColor color)
{
    if (IsSystemColor(color))
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color;
}

COLORREF GetNearestColor(COLORREF color)
{
    return color & 0xFFFFFF;
}
