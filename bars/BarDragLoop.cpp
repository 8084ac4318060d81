#include "bars/BarDragLoop.h"

#include "bars/Bar.h"
#include "bars/BarControl.h"
#include "bars/BarManager.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

TzqBarDragLoop* g_current = nullptr;

bool CtrlHeld()
{
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

// A site's drag zone in screen coordinates: grown on the axis its rows stack on (so that
// an empty side site of no width can be reached), top and bottom sites also along.
TRect ZoneOf(TzqDockControl* site)
{
    const TPoint origin = site->Parent() ? site->Parent()->ClientToScreen(TPoint{site->Left(), site->Top()})
                                         : TPoint{site->Left(), site->Top()};
    TRect r(origin.X, origin.Y, origin.X + site->Width(), origin.Y + site->Height());
    const int m = TzqBarDragLoop::kZoneMargin;
    if (site->Horizontal())
        return r.Inflate(m, m);
    return r.Inflate(m, 0);
}

bool Shown(TzqDockControl* site)
{
    for (TControl* c = site; c; c = c->Parent())
        if (!c->Visible())
            return false;
    return true;
}

} // namespace

TzqBarDragLoop* TzqBarDragLoop::Current()
{
    return g_current;
}

TzqBarDragLoop::TzqBarDragLoop(TzqBarControl* Control, TPoint ScreenPt)
    : m_control(Control), m_manager(Control->BarManager())
{
    const TPoint origin = Control->ClientOrigin();
    const TRect m = Control->FrameMargins();
    // The cursor's place in the whole window.
    m_grab = {ScreenPt.X - (origin.X - m.Left), ScreenPt.Y - (origin.Y - m.Top)};
    m_lastSite = Control->DockSite();
    if (TzqDockControl* site = Control->DockSite()) {
        int row = 0, col = 0;
        if (site->Find(Control, row, col)) {
            // The reference point goes to the middle of the stretch that keeps the bar in
            // its row: small movements across leave it there.
            const TPoint client = site->ScreenToClient(ScreenPt);
            const int middle = site->RowMiddle(row);
            if (site->Horizontal())
                m_correction = {0, middle - client.Y};
            else
                m_correction = {middle - client.X, 0};
        }
    }
}

TzqBarDragLoop::~TzqBarDragLoop()
{
    StopDockingTimer();
    if (g_current == this)
        g_current = m_outer;
}

void TzqBarDragLoop::BarControlDestroyed()
{
    m_control = nullptr;
    m_ended = true;
    StopDockingTimer();
}

void TzqBarDragLoop::Capture()
{
    if (m_control && m_control->HandleAllocated() && GetCapture() != m_control->Handle())
        SetCapture(m_control->Handle());
}

TzqDockControl* TzqBarDragLoop::SiteAt(TzqBarControl* Control, TPoint ScreenPt)
{
    TzqBarManager* manager = Control->BarManager();
    if (!manager || !manager->Bars())
        return nullptr;
    std::vector<TzqDockControl*> sites;
    for (TzqBarDockingStyle style : {TzqBarDockingStyle::dsLeft, TzqBarDockingStyle::dsRight, TzqBarDockingStyle::dsTop,
                                     TzqBarDockingStyle::dsBottom})
        if (TzqDockControl* site = manager->Bars()->DockSite(style))
            sites.push_back(site);
    for (int i = 0; i < manager->DockControlCount(); ++i)
        sites.push_back(manager->DockControls(i));
    TzqBar* bar = Control->Bar();
    for (TzqDockControl* site : sites) {
        if (!Shown(site) || !ZoneOf(site).Contains(ScreenPt))
            continue;
        if (manager->CanDocking(bar, site->DockingStyle(), site))
            return site;
    }
    return nullptr;
}

TzqDockControl* TzqBarDragLoop::Lookup(TPoint Cursor) const
{
    if (CtrlHeld())
        return nullptr;
    if (TzqDockControl* site = SiteAt(m_control, Cursor))
        return site;
    return SiteAt(m_control, {Cursor.X + m_correction.X, Cursor.Y + m_correction.Y});
}

void TzqBarDragLoop::FitGrabOffset()
{
    // The cursor stays over the window whatever shape it takes.
    m_grab.X = std::clamp(m_grab.X, 0, std::max(0, m_control->Width() - 1));
    m_grab.Y = std::clamp(m_grab.Y, 0, std::max(0, m_control->Height() - 1));
}

void TzqBarDragLoop::DockInto(TzqDockControl* Site, TPoint Cursor, bool SameSite)
{
    if (!SameSite) {
        m_correction = {};
        m_lastSite = Site;
    }
    const TPoint reference{Cursor.X + m_correction.X, Cursor.Y + m_correction.Y};
    Site->DockBarAt(m_control, reference, m_grab);
    FitGrabOffset();
    Capture();
}

void TzqBarDragLoop::MoveTo(TPoint Cursor)
{
    if (!m_control)
        return;
    TzqDockControl* site = Lookup(Cursor);
    if (m_control->Floating()) {
        if (site) {
            // A floating bar docks only after resting over the site.
            StartDockingTimer();
        } else {
            StopDockingTimer();
        }
        m_control->SetBounds(Cursor.X - m_grab.X, Cursor.Y - m_grab.Y, m_control->Width(), m_control->Height());
        m_control->Bar()->SetFloatLeft(m_control->Left());
        m_control->Bar()->SetFloatTop(m_control->Top());
        return;
    }
    if (site) {
        DockInto(site, Cursor, site == m_control->DockSite());
        return;
    }
    m_control->MakeFloating({Cursor.X - m_grab.X, Cursor.Y - m_grab.Y});
    if (!m_control)
        return;
    FitGrabOffset();
    m_control->SetBounds(Cursor.X - m_grab.X, Cursor.Y - m_grab.Y, m_control->Width(), m_control->Height());
    m_correction = {};
    Capture();
}

void TzqBarDragLoop::StartDockingTimer()
{
    const UINT wait = static_cast<UINT>(m_manager ? m_manager->WaitForDockingTime() : 0);
    m_timer = SetTimer(nullptr, m_timer, wait, [this](HWND, UINT, uintptr_t, DWORD) { DockingTimerFired(); });
}

void TzqBarDragLoop::StopDockingTimer()
{
    if (m_timer)
        KillTimer(nullptr, m_timer);
    m_timer = 0;
}

void TzqBarDragLoop::DockingTimerFired()
{
    StopDockingTimer();
    if (!m_control || !m_control->Floating())
        return;
    TPoint cursor;
    GetCursorPos(cursor);
    if (TzqDockControl* site = Lookup(cursor))
        DockInto(site, cursor, false);
}

void TzqBarDragLoop::Run()
{
    m_outer = g_current;
    g_current = this;
    TzqBarControl* control = m_control;
    control->SetMoving(true);
    Capture();
    bool ctrl = CtrlHeld();
    while (!m_ended && m_control) {
        MSG msg;
        if (!GetMessage(msg)) {
            // A quit ends the drag and stays for the loop outside.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!m_control)
            break;
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            TPoint cursor;
            GetCursorPos(cursor);
            MoveTo(cursor);
            continue;
        }
        case WM_LBUTTONUP:
            m_ended = true;
            continue;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (msg.wParam == VK_ESCAPE) {
                m_ended = true;
                continue;
            }
            if (msg.wParam == VK_CONTROL) {
                if (CtrlHeld() != ctrl) {
                    ctrl = CtrlHeld();
                    TPoint cursor;
                    GetCursorPos(cursor);
                    MoveTo(cursor);
                }
                continue;
            }
            break;
        default:
            break;
        }
        DispatchMessage(msg);
    }
    StopDockingTimer();
    if (!m_control)
        return;
    m_control->SetMoving(false);
    if (m_control->HandleAllocated() && GetCapture() == m_control->Handle())
        ReleaseCapture();
    if (TzqDockControl* site = m_control->DockSite()) {
        site->BarChanged(m_control); // no longer dragged: its row settles
        site->RefreshPositions();
    }
}
