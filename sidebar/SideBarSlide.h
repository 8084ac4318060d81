// The sliding effect of a change of active group, as a sequence of steps: each step cuts
// a strip off the area (at its top when sliding down, at its bottom when sliding up),
// the rest of the area scrolls by the strip's height and the strip is painted with the
// background. Steps grow by 2 pixels each time more than 50 ms have passed, read through
// the tick-count source, so the effect never waits and keeps pace with a slow screen.
#pragma once

#include "platform/core/Types.h"

#include <functional>

class TzqSideBarSlide {
public:
    using TTickCount = std::function<DWORD()>;

    // `area`: what slides; it shrinks until it is no taller than `headerHeight`.
    TzqSideBarSlide(const TRect& area, int headerHeight, bool down, TTickCount tickCount);

    // The next step: the strip to paint, the area whose contents scroll and by how many
    // pixels (positive down). False when the effect is over.
    bool Next(TRect& strip, TRect& scrollArea, int& dy);

    int Step() const { return m_step; }
    const TRect& Area() const { return m_area; }

private:
    TRect m_area;
    int m_headerHeight;
    bool m_down;
    TTickCount m_tickCount;
    DWORD m_noted = 0;
    int m_step = 1;
    bool m_started = false;
};
