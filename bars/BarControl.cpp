// The bar window: its kind of window (child of a site or floating tool window), the
// switch between the two, and its mouse handling outside the item controls.
#include "bars/BarControl.h"

#include "bars/Bar.h"
#include "bars/BarDragLoop.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarTooltips.h"
#include "bars/BarWindowHooks.h"
#include "bars/BarWindows.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/controls/Form.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <algorithm>

TzqBarControl::TzqBarControl(TzqBar* Bar) : TCustomzqBarControl(Bar->BarManager()), m_bar(Bar)
{
    SetVisible(false);
    m_bar->SetControl(this);
    m_bar->ItemLinks()->SetControl(this);
    if (TFont* font = m_bar->Font())
        Font()->Assign(*font);
    // Floating bars follow the owner form's activation from now on.
    if (BarManager())
        BarManager()->WindowHooks();
}

TzqBarControl::~TzqBarControl()
{
    BeforeDestruction();
    if (TzqBarDragLoop::Current() && TzqBarDragLoop::Current()->BarControl() == this)
        TzqBarDragLoop::Current()->BarControlDestroyed();
    ClearItemControls();
    if (m_dockSite) {
        TzqDockControl* site = m_dockSite;
        m_dockSite = nullptr;
        site->RemoveBar(this);
    }
    if (m_bar->Control() == this)
        m_bar->SetControl(nullptr);
    if (m_bar->ItemLinks() && m_bar->ItemLinks()->Control() == this)
        m_bar->ItemLinks()->SetControl(nullptr);
    SetParent(nullptr);
}

const void* TzqBarControl::TooltipPart(TPoint Pt, std::string& Text) const
{
    if (!MarkShown() || Floating() || !MarkRect().Contains(Pt))
        return nullptr;
    Text = "More Buttons";
    return &m_markState;
}

TzqBarItemLinks* TzqBarControl::ItemLinks() const
{
    return m_bar->ItemLinks();
}

bool TzqBarControl::Vertical() const
{
    return m_dockingStyle == TzqBarDockingStyle::dsLeft || m_dockingStyle == TzqBarDockingStyle::dsRight;
}

bool TzqBarControl::Rotated() const
{
    return Vertical() && m_bar->RotateWhenVertical();
}

bool TzqBarControl::MultiLine() const
{
    return Floating() || m_bar->MultiLine();
}

bool TzqBarControl::MarkCounted() const
{
    TzqBarManager* manager = BarManager();
    return m_bar->ShowMark() && manager && manager->Style() != TzqBarManagerStyle::bmsStandard &&
           m_bar->AllowQuickCustomizing();
}

bool TzqBarControl::MarkShown() const
{
    return m_bar->ShowMark() && (m_truncated || MarkCounted());
}

TzqBarLook TzqBarControl::Look() const
{
    TzqBarLook look = TCustomzqBarControl::Look();
    look.MainMenu = m_bar->IsMainMenu();
    look.Floating = Floating();
    look.BorderlessBottom =
        m_bar->BorderStyle() == TzqBarBorderStyle::bbsNone && m_dockingStyle == TzqBarDockingStyle::dsBottom;
    TzqBarManager* manager = BarManager();
    TCustomForm* form = manager ? manager->OwnerForm() : nullptr;
    look.OwnerActive = form && form->HandleAllocated() && GetActiveWindow() == form->Handle();
    return look;
}

void TzqBarControl::CreateParams(TCreateParams& Params)
{
    TCustomzqBarControl::CreateParams(Params);
    Params.WinClassName = "TzqBarControl";
    Params.WindowClassStyle = CS_DBLCLKS;
    if (!Floating()) {
        Params.Style = (Params.Style & WS_VISIBLE) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        return;
    }
    Params.Style = (Params.Style & WS_VISIBLE) | WS_POPUP | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    TzqBarManager* manager = BarManager();
    TCustomForm* form = manager ? manager->OwnerForm() : nullptr;
    Params.WndParent = form && form->HandleAllocated() ? form->Handle() : nullptr;
}

void TzqBarControl::AttachToSite(TzqDockControl* Site)
{
    if (!Site)
        return;
    if (m_dockSite && m_dockSite != Site) {
        TzqDockControl* old = m_dockSite;
        m_dockSite = nullptr;
        old->RemoveBar(this);
    }
    const bool wasFloating = Floating();
    m_dockSite = Site;
    m_dockingStyle = Site->DockingStyle();
    TzqBarWindows::TellModelDocked(this, Site);
    if (Parent() != Site) {
        if (wasFloating && HandleAllocated())
            DestroyHandle();
        SetParent(Site);
    }
    SetVisible(true);
}

void TzqBarControl::MakeFloating(TPoint ScreenTopLeft)
{
    if (m_dockSite) {
        TzqDockControl* old = m_dockSite;
        m_dockSite = nullptr;
        m_dockingStyle = TzqBarDockingStyle::dsNone;
        old->RemoveBar(this);
    }
    m_dockingStyle = TzqBarDockingStyle::dsNone;
    m_rowTruncated = false;
    if (Parent())
        SetParent(nullptr);
    const TSize size = FloatSizeFor(m_bar->FloatClientWidth());
    SetBounds(ScreenTopLeft.X, ScreenTopLeft.Y, size.cx, size.cy);
    TzqBarWindows::TellModelFloating(this, ScreenTopLeft);
    Relayout();
    UpdateFloatingVisibility();
}

void TzqBarControl::UpdateFloatingVisibility()
{
    if (!Floating())
        return;
    TzqBarManager* manager = BarManager();
    TCustomForm* form = manager ? manager->OwnerForm() : nullptr;
    bool show = form && form->Visible() && form->WindowState() != TWindowState::wsMinimized;
    if (show && manager->HideFloatingBarsWhenInactive() && !manager->IsCustomizing())
        show = form->HandleAllocated() && GetActiveWindow() == form->Handle();
    if (show && !Visible()) {
        // A title outside every work area comes back into the nearest one.
        const TRect title = TitleRect().Offset(Left(), Top());
        bool reachable = false;
        for (const TMonitorInfo& m : GetMonitors())
            if (!m.WorkArea.Intersect(title).IsEmpty())
                reachable = true;
        if (!reachable) {
            const TRect area = MonitorWorkAreaAt(title.TopLeft());
            const int x = std::clamp(Left(), area.Left, std::max(area.Left, area.Right - Width()));
            const int y = std::clamp(Top(), area.Top, std::max(area.Top, area.Bottom - Height()));
            SetBounds(x, y, Width(), Height());
        }
    }
    HandleNeeded();
    SetVisible(show);
    // The title's colour follows the form's activation.
    if (show)
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TzqBarControl::Relayout()
{
    const TRect m = FrameMargins();
    const int along = Vertical() ? Height() - m.Top - m.Bottom : Width() - m.Left - m.Right;
    ArrangeLinks(std::max(0, along), true);
    Invalidate();
}

void TzqBarControl::LayoutScheduled()
{
    // What the links show may have changed where nothing moved: all of it repaints.
    Invalidate();
    m_bar->RequestLayout();
}

void TzqBarControl::EmptySpaceMouseDown(TPoint Pt)
{
    if (MarkShown() && !Floating() && MarkRect().Contains(Pt)) {
        MarkButtonClick();
        return;
    }
    BeginDrag(ClientToScreen(Pt));
}

void TzqBarControl::BeginDrag(TPoint ScreenPt)
{
    TzqBarDragLoop loop(this, ScreenPt);
    loop.Run();
}

void TzqBarControl::SetMarkState(int State)
{
    if (State == m_markState)
        return;
    m_markState = State;
    if (Floating())
        PaintFrame();
    else
        RepaintRect(MarkRect());
}

void TzqBarControl::MarkButtonClick()
{
    TzqBarManager* manager = BarManager();
    if (!manager)
        return;
    SetMarkState(2);
    const auto alive = Watch();
    manager->WindowHooks()->MarkButtonClicked(this);
    if (*alive)
        SetMarkState(0);
}

void TzqBarControl::CloseClicked()
{
    TzqBar* bar = m_bar;
    TzqBarManager* manager = BarManager();
    // Hiding the bar frees this window: nothing of it is used after.
    bar->SetVisible(false);
    if (manager)
        manager->DoBarClose(bar);
}

void TzqBarControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: {
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
        const TRect m = FrameMargins();
        TRect& r = params->rgrc[0];
        r = TRect(r.Left + m.Left, r.Top + m.Top, std::max(r.Left + m.Left, r.Right - m.Right),
                  std::max(r.Top + m.Top, r.Bottom - m.Bottom));
        Message.Result = 0;
        return;
    }
    case WM_NCHITTEST:
        Message.Result = HitTest(PointFromLParam(Message.LParam));
        return;
    case WM_NCPAINT:
        PaintFrame();
        Message.Result = 0;
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        const TPoint pt = PointFromLParam(Message.LParam);
        if (BarManager())
            BarManager()->Tooltips()->Hide();
        switch (static_cast<int>(Message.WParam)) {
        case HTCAPTION:
            BeginDrag(pt);
            return;
        case HTCLOSE:
            m_closeState = 2;
            PaintFrame();
            SetCapture(Handle());
            return;
        case kHitMark:
            MarkButtonClick();
            return;
        case HTBOTTOMRIGHT:
            if (HasSizeGrip()) {
                TCustomForm* form = BarManager()->OwnerForm();
                SendMessage(form->Handle(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, Message.LParam);
                return;
            }
            [[fallthrough]];
        case HTLEFT:
        case HTRIGHT:
        case HTTOP:
        case HTBOTTOM:
            if (Floating()) {
                ResizeFloating(static_cast<int>(Message.WParam), pt);
                return;
            }
            break;
        default:
            break;
        }
        break;
    }
    case WM_LBUTTONUP:
        if (m_closeState == 2) {
            m_closeState = 0;
            ReleaseCapture();
            const TPoint screen = ClientToScreen(PointFromLParam(Message.LParam));
            if (HitTest(screen) == HTCLOSE) {
                CloseClicked();
                return;
            }
            PaintFrame();
            return;
        }
        break;
    case WM_NCMOUSEMOVE:
        // The title's buttons of a floating bar light up under the mouse.
        if (Floating()) {
            const int hit = static_cast<int>(Message.WParam);
            const int close = m_closeState == 2 ? 2 : (hit == HTCLOSE ? 1 : 0);
            const int mark = m_markState == 2 ? 2 : (hit == kHitMark ? 1 : 0);
            if (close != m_closeState || mark != m_markState) {
                m_closeState = close;
                m_markState = mark;
                PaintFrame();
            }
        }
        break;
    case WM_MOUSEMOVE:
        if (Floating() && (m_closeState == 1 || m_markState == 1)) {
            m_closeState = m_closeState == 1 ? 0 : m_closeState;
            m_markState = m_markState == 1 ? 0 : m_markState;
            PaintFrame();
        }
        if (MarkShown() && !Floating() && m_markState != 2)
            SetMarkState(MarkRect().Contains(PointFromLParam(Message.LParam)) ? 1 : 0);
        break;
    case CM_MOUSELEAVE:
        if (m_markState == 1)
            SetMarkState(0);
        break;
    case WM_RBUTTONUP: {
        // The release ends the press first (the capture it took goes).
        TCustomzqBarControl::WndProc(Message);
        TzqBarManager* manager = BarManager();
        if (manager && !manager->IsCustomizing())
            manager->WindowHooks()->ContextMenu(this, ClientToScreen(PointFromLParam(Message.LParam)));
        return;
    }
    default:
        break;
    }
    TCustomzqBarControl::WndProc(Message);
}

void TzqBarControl::ResizeFloating(int Hit, TPoint ScreenPt)
{
    HWND hwnd = Handle();
    SetCapture(hwnd);
    const TRect start = BoundsRect();
    const TRect m = FrameMargins();
    PrepareRowLayout(); // the widest link and the whole line bound the width
    const int widest = std::max(1, m_minLength - FrameAlong());
    const int full = std::max(widest, m_maxLength - FrameAlong());
    for (;;) {
        MSG msg;
        if (!GetMessage(msg)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message != WM_MOUSEMOVE) {
            DispatchMessage(msg);
            continue;
        }
        TPoint p;
        GetCursorPos(p);
        int width = start.Width() - m.Left - m.Right;
        if (Hit == HTRIGHT)
            width += p.X - ScreenPt.X;
        else if (Hit == HTLEFT)
            width -= p.X - ScreenPt.X;
        else {
            // Taller asks for more lines: the widest client whose lines reach the height.
            const int wanted = start.Height() + (Hit == HTBOTTOM ? p.Y - ScreenPt.Y : ScreenPt.Y - p.Y);
            width = full;
            for (int w = full; w >= widest; --w)
                if (FloatSizeFor(w).cy <= wanted)
                    width = w;
                else
                    break;
        }
        width = std::clamp(width, widest, full);
        const TSize size = FloatSizeFor(width);
        const int left = Hit == HTLEFT ? start.Right - size.cx : start.Left;
        const int top = Hit == HTTOP ? start.Bottom - size.cy : start.Top;
        m_bar->SetFloatClientWidth(width);
        SetBounds(left, top, size.cx, size.cy);
        Relayout();
        if (!IsWindow(hwnd))
            return;
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
}
