#include "sidebar/SideBarSlide.h"

#include <algorithm>

TzqSideBarSlide::TzqSideBarSlide(const TRect& area, int headerHeight, bool down, TTickCount tickCount)
    : m_area(area), m_headerHeight(headerHeight), m_down(down), m_tickCount(std::move(tickCount))
{
    m_noted = m_tickCount ? m_tickCount() : 0;
}

bool TzqSideBarSlide::Next(TRect& strip, TRect& scrollArea, int& dy)
{
    // The time is read after the caller's work of the step before.
    if (m_started && m_tickCount) {
        const DWORD now = m_tickCount();
        if (DWORD(now - m_noted) > 50) {
            m_noted = now;
            m_step += 2;
        }
    }
    m_started = true;
    if (int64_t(m_area.Bottom) - m_area.Top <= m_headerHeight)
        return false;
    const int cut = int(std::min<int64_t>(m_step, int64_t(m_area.Bottom) - m_area.Top));
    if (m_down) {
        strip = TRect(m_area.Left, m_area.Top, m_area.Right, m_area.Top + cut);
        m_area.Top += cut;
        dy = cut;
    } else {
        strip = TRect(m_area.Left, m_area.Bottom - cut, m_area.Right, m_area.Bottom);
        m_area.Bottom -= cut;
        dy = -cut;
    }
    scrollArea = m_area;
    return true;
}
