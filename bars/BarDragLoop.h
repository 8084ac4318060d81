// TzqBarDragLoop: the modal loop that moves a bar while the left button is held on its
// grip, title or empty space. The bar moves between rows and sites at once while
// docked; a floating bar docks only after resting over a site for the manager's
// WaitForDockingTime; with Ctrl held no site takes it. Releasing the button or Esc ends
// the loop with the bar where it is.
#pragma once

#include "bars/BarTypes.h"
#include "platform/core/Types.h"

class TzqBarControl;

class TzqBarDragLoop {
public:
    // The drag zones reach this far beyond a site.
    static constexpr int kZoneMargin = 23;

    TzqBarDragLoop(TzqBarControl* Control, TPoint ScreenPt);
    ~TzqBarDragLoop();
    TzqBarDragLoop(const TzqBarDragLoop&) = delete;
    TzqBarDragLoop& operator=(const TzqBarDragLoop&) = delete;

    void Run();
    TzqBarControl* BarControl() const { return m_control; }
    // The bar window went during its own drag: the loop ends.
    void BarControlDestroyed();
    // The loop running now, if any.
    static TzqBarDragLoop* Current();

    // The site whose drag zone holds the screen point and that takes the bar (null:
    // none); searched left, right, top, bottom, then the user sites.
    static TzqDockControl* SiteAt(TzqBarControl* Control, TPoint ScreenPt);

private:
    void MoveTo(TPoint Cursor);
    void StartDockingTimer();
    void StopDockingTimer();
    void DockingTimerFired();
    void Capture();
    void FitGrabOffset();
    TzqDockControl* Lookup(TPoint Cursor) const;
    void DockInto(TzqDockControl* Site, TPoint Cursor, bool SameSite);

    TzqBarControl* m_control;
    TzqBarManager* m_manager;
    TPoint m_grab;
    // Added across the rows so that the reference point stays in the bar's row.
    TPoint m_correction;
    TzqDockControl* m_lastSite = nullptr;
    uintptr_t m_timer = 0;
    TzqBarDragLoop* m_outer = nullptr;
    bool m_ended = false;
};
