#include "sidebar/SideBarBackGround.h"

#include <algorithm>
#include <cmath>

TzqSideBarBackGround::TzqSideBarBackGround(std::function<void()> Changed) : m_changed(std::move(Changed)) {}

void TzqSideBarBackGround::Change()
{
    if (m_changed)
        m_changed();
}

void TzqSideBarBackGround::SetBeginColor(TColor value)
{
    if (value == m_beginColor)
        return;
    m_beginColor = value;
    Change();
}

void TzqSideBarBackGround::SetEndColor(TColor value)
{
    if (value == m_endColor)
        return;
    m_endColor = value;
    Change();
}

void TzqSideBarBackGround::SetFillStyle(TzqSideBarFillStyle value)
{
    if (value == m_fillStyle)
        return;
    m_fillStyle = value;
    Change();
}

void TzqSideBarBackGround::SetStep(int value)
{
    if (value <= 0 || value == m_step)
        return;
    m_step = value;
    Change();
}

void TzqSideBarBackGround::Assign(const TzqSideBarBackGround& Source)
{
    if (&Source == this)
        return;
    m_beginColor = Source.m_beginColor;
    m_endColor = Source.m_endColor;
    m_fillStyle = Source.m_fillStyle;
    m_step = Source.m_step;
    Change();
}

bool TzqSideBarBackGround::HasGradient(TSize clientSize) const
{
    if (m_fillStyle == TzqSideBarFillStyle::bfsNone || m_beginColor == m_endColor)
        return false;
    // A client area without height (or width) has no span to spread the colours over.
    const int span = m_fillStyle == TzqSideBarFillStyle::bfsHorz ? clientSize.cy : clientSize.cx;
    return span > 0;
}

void TzqSideBarBackGround::ForEachBand(const TRect& area, TSize clientSize,
                                       const std::function<void(const TRect&, TColor)>& band) const
{
    if (!HasGradient(clientSize) || area.IsEmpty())
        return;
    const bool horz = m_fillStyle == TzqSideBarFillStyle::bfsHorz;
    const double span = horz ? clientSize.cy : clientSize.cx;
    // System colours are resolved first: the arithmetic is on red, green and blue.
    const COLORREF begin = ColorToRGB(m_beginColor);
    const COLORREF end = ColorToRGB(m_endColor);
    const double from[3] = {double(GetRValue(begin)), double(GetGValue(begin)), double(GetBValue(begin))};
    const double to[3] = {double(GetRValue(end)), double(GetGValue(end)), double(GetBValue(end))};

    const int64_t first = horz ? area.Top : area.Left;
    const int64_t last = horz ? area.Bottom : area.Right;
    double value[3], increment[3];
    for (int c = 0; c < 3; ++c) {
        increment[c] = m_step * (to[c] - from[c]) / span;
        value[c] = from[c] + double(first) * (to[c] - from[c]) / span;
    }
    auto channel = [](double v) { return uint8_t(std::clamp(std::trunc(v), 0.0, 255.0)); };
    int64_t start = first;
    while (start < last) {
        // The first band runs up to the next multiple of Step; every later one is Step long.
        int64_t next = (start >= 0 ? start / m_step + 1 : -((-start) / m_step)) * int64_t(m_step);
        if (next <= start)
            next = start + m_step;
        const int64_t stop = std::min(next, last);
        const TRect r = horz ? TRect(area.Left, int32_t(start), area.Right, int32_t(stop))
                             : TRect(int32_t(start), area.Top, int32_t(stop), area.Bottom);
        band(r, RGB(channel(value[0]), channel(value[1]), channel(value[2])));
        for (int c = 0; c < 3; ++c)
            value[c] += increment[c];
        start = stop;
    }
}
