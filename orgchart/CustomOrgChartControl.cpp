// TzqCustomOrgChart: the platform control side: window creation parameters, resizing,
// background erasing, focus, and bringing a node into view.
#include "orgchart/CustomOrgChart.h"

#include "platform/window/WinApi.h"

#include <algorithm>

void TzqCustomOrgChart::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_HSCROLL | WS_VSCROLL | WS_TABSTOP;
    // The chart repaints what a resize uncovers itself.
    Params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
    if (m_borderStyle == TBorderStyle::bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
    Params.WinClassName = "TzqOrgChart";
}

void TzqCustomOrgChart::WindowCreated()
{
    TCustomControl::WindowCreated();
    if (m_zoom)
        UpdateScrollBars();
}

void TzqCustomOrgChart::WMSize(TMessage& Message)
{
    if (Message.WParam != SIZE_RESTORED && Message.WParam != SIZE_MAXIMIZED) {
        TCustomControl::WMSize(Message);
        return;
    }
    if (IsEditing())
        HideEditor(false);
    TCustomControl::WMSize(Message);
    const bool wasScaled = ScaleInEffect();
    m_layoutChanged = true;
    UpdateLayout();
    if (wasScaled || ScaleInEffect())
        Invalidate();
}

void TzqCustomOrgChart::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        // Painting fills the background itself.
        UpdateLayout();
        Message.Result = 1;
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_HSCROLL:
        ScrollBarNotification(Message, SB_HORZ);
        return;
    case WM_VSCROLL:
        ScrollBarNotification(Message, SB_VERT);
        return;
    case WM_LBUTTONDBLCLK:
        // The double-click handling acts on what lies under this press.
        if (m_options.contains(TzqOcOption::ocDblClick)) {
            const TPoint p = PointFromLParam(Message.LParam);
            HitTest(p.X, p.Y);
        }
        TCustomControl::WndProc(Message);
        return;
    case WM_TIMER:
        if (Message.WParam == 1) {
            AutoScrollTick();
            return;
        }
        TCustomControl::WndProc(Message);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        // The selected node's highlight depends on the focus.
        InvalidateNode(m_selected);
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

void TzqCustomOrgChart::MakeNodeVisible(TzqOcNode* Node)
{
    if (!IsInTree(Node) || Node == m_root)
        return;
    m_animationSuppressed = true;
    // Only the collapsed ones are asked to expand: on a deep chain that is one flag
    // read per ancestor.
    for (TzqOcNode* p = Node->Parent(); p; p = p->Parent()) {
        if (!p->Expanded())
            p->Expand(false);
    }
    m_animationSuppressed = false;

    const TRect64 layoutSlot = NodeSlotLayout(Node);
    if (layoutSlot.IsEmpty())
        return;
    TRect64 s = ToScreen(layoutSlot);
    const int64_t cw = ClientWidth();
    const int64_t ch = ClientHeight();
    if (s.Width() > cw || s.Height() > ch)
        s = TRect64::From(NodeTextRect(Node, s.ToRect()));
    int64_t l = s.Left;
    if (s.Right > cw)
        l += cw - s.Right;
    l = std::max<int64_t>(l, 0);
    int64_t t = s.Top;
    if (s.Bottom > ch)
        t += ch - s.Bottom;
    t = std::max<int64_t>(t, 0);
    if (l == s.Left && t == s.Top)
        return;
    ScrollTo(LeftPos() + s.Left - l, TopPos() + s.Top - t);
}
