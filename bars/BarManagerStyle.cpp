// The manager's style metrics and the flat style's colours.
#include "bars/BarManager.h"

#include "platform/core/Color.h"
#include "platform/core/Types.h"
#include "platform/drawing/Brush.h"

#include <algorithm>

namespace {

uint8_t Channel(int value)
{
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

// Each channel scaled by num / den, rounded to the nearest.
COLORREF ScaledColor(COLORREF c, int num, int den)
{
    return RGB(Channel(MulDiv(GetRValue(c), num, den)), Channel(MulDiv(GetGValue(c), num, den)),
               Channel(MulDiv(GetBValue(c), num, den)));
}

// Each channel raised towards white by the percentage of what it lacks.
COLORREF Lightened(COLORREF c, int percents)
{
    auto up = [percents](int v) { return Channel(v + MulDiv(255 - v, percents, 100)); };
    return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

// face * p1% + highlight * p2% + window * p3%, channel by channel; on a black or white
// face the highlight colour as it is.
COLORREF Mixed(COLORREF face, COLORREF highlight, COLORREF window, int p1, int p2, int p3)
{
    if (face == RGB(0, 0, 0) || face == RGB(255, 255, 255))
        return highlight;
    auto mix = [&](uint8_t (*part)(TColor)) {
        return Channel(MulDiv(part(face), p1, 100) + MulDiv(part(highlight), p2, 100) + MulDiv(part(window), p3, 100));
    };
    return RGB(mix([](TColor c) { return GetRValue(c); }), mix([](TColor c) { return GetGValue(c); }),
               mix([](TColor c) { return GetBValue(c); }));
}

} // namespace

int TzqBarManager::BorderWidth() const
{
    return m_style == TzqBarManagerStyle::bmsStandard ? 2 : 1;
}

int TzqBarManager::GripSize() const
{
    return m_style == TzqBarManagerStyle::bmsStandard ? 9 : 6;
}

int TzqBarManager::SeparatorSize() const
{
    switch (m_style) {
    case TzqBarManagerStyle::bmsStandard:
        return 2;
    case TzqBarManagerStyle::bmsEnhanced:
        return 12;
    case TzqBarManagerStyle::bmsFlat:
        return 8;
    }
    return 2;
}

int TzqBarManager::ArrowWidth() const
{
    int width = (1 + (m_largeIcons ? 1 : 0)) * m_buttonArrowWidth;
    if (width % 2 == 0)
        ++width;
    if (m_style == TzqBarManagerStyle::bmsFlat)
        --width;
    return width;
}

TBrush* TzqBarManager::FlatSelectBrush(int Index) const
{
    return Index >= 0 && Index < 3 ? m_brushes[static_cast<size_t>(2 + Index)].get() : nullptr;
}

void TzqBarManager::RefreshSystemColors()
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF colors[5] = {
        ScaledColor(GetSysColor(COLOR_BTNSHADOW), 8, 10),
        Lightened(face, 16),
        Mixed(face, highlight, window, 11, 9, 73),
        Mixed(face, highlight, window, 14, 44, 40),
        Mixed(face, highlight, window, -2, 30, 72),
    };
    for (size_t i = 0; i < 5; ++i) {
        m_brushes[i]->SetColor(GetNearestColor(colors[i]));
        m_brushes[i]->SetStyle(TBrushStyle::bsSolid);
    }
}
