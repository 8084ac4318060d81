// The non-client area in the classic look: frames, the caption, client edges and the
// standard scroll bars, with their size calculation, hit testing and painting.
#include "platform/window/NonClientMetrics.h"
#include "platform/window/WindowSystem_p.h"

#include "platform/drawing/Canvas.h"

#include <algorithm>

using namespace ws;

namespace ws {

// The frame's thickness on each side, before the caption.
int FrameWidth(const Window* w)
{
    if (w->style & WS_THICKFRAME)
        return kFrameThick;
    if ((w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME))
        return kFrameDialog;
    if (w->style & WS_BORDER)
        return kFrameBorder;
    return 0;
}

bool HasCaption(const Window* w)
{
    return (w->style & WS_CAPTION) == WS_CAPTION;
}

int CaptionHeight(const Window* w)
{
    return (w->exStyle & WS_EX_TOOLWINDOW) ? kSmallCaptionHeight : kCaptionHeight;
}

int EdgeWidth(const Window* w)
{
    if (w->exStyle & WS_EX_CLIENTEDGE)
        return kClientEdge;
    if (w->exStyle & WS_EX_STATICEDGE)
        return kStaticEdge;
    return 0;
}

// The rectangle inside frame, caption and edges (window coordinates): the scroll bars
// and the client area share it.
TRect InnerRect(const Window* w)
{
    TRect r(0, 0, w->rect.Width(), w->rect.Height());
    const int frame = FrameWidth(w);
    r = r.Inflate(-frame, -frame);
    if (HasCaption(w))
        r.Top += CaptionHeight(w);
    const int edge = EdgeWidth(w);
    r = r.Inflate(-edge, -edge);
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

TRect CaptionRect(const Window* w)
{
    if (!HasCaption(w))
        return {};
    const int frame = FrameWidth(w);
    return TRect(frame, frame, w->rect.Width() - frame, frame + CaptionHeight(w) - 1);
}

// Caption buttons, right to left: close, maximize/restore, minimize.
TRect CaptionButtonRect(const Window* w, int index)
{
    const TRect caption = CaptionRect(w);
    const int bh = caption.Height() - 4;
    const int bw = bh + 2;
    int right = caption.Right - 2;
    if (index > 0)
        right -= bw + 2; // a gap after the close button
    if (index > 1)
        right -= bw;
    return TRect(right - bw, caption.Top + 2, right, caption.Top + 2 + bh);
}

bool HasScrollBar(const Window* w, int bar)
{
    return (w->style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

TRect ScrollBarRect(const Window* w, int bar)
{
    if (!HasScrollBar(w, bar))
        return {};
    const TRect inner = InnerRect(w);
    const bool both = HasScrollBar(w, SB_VERT) && HasScrollBar(w, SB_HORZ);
    if (bar == SB_VERT) {
        TRect r(inner.Right - kScrollBarSize, inner.Top, inner.Right, inner.Bottom);
        if (both)
            r.Bottom -= kScrollBarSize;
        r.Left = std::max(r.Left, inner.Left);
        r.Bottom = std::max(r.Bottom, r.Top);
        return r;
    }
    TRect r(inner.Left, inner.Bottom - kScrollBarSize, inner.Right, inner.Bottom);
    if (both)
        r.Right -= kScrollBarSize;
    r.Top = std::max(r.Top, inner.Top);
    r.Right = std::max(r.Right, r.Left);
    return r;
}

LRESULT DefNcCalcSize(Window* w, NCCALCSIZE_PARAMS* params)
{
    const TRect windowRect = params->rgrc[0];
    TRect inner = InnerRect(w).Offset(windowRect.TopLeft());
    if (HasScrollBar(w, SB_VERT))
        inner.Right = std::max(inner.Left, inner.Right - kScrollBarSize);
    if (HasScrollBar(w, SB_HORZ))
        inner.Bottom = std::max(inner.Top, inner.Bottom - kScrollBarSize);
    params->rgrc[0] = inner;
    return 0;
}

LRESULT DefNcHitTest(Window* w, TPoint screenPt)
{
    const TPoint p = screenPt - WindowOriginOnScreen(w);
    const TRect whole(0, 0, w->rect.Width(), w->rect.Height());
    if (!whole.Contains(p))
        return HTNOWHERE;
    if (w->clientRect.Contains(p))
        return HTCLIENT;
    if (ScrollBarRect(w, SB_VERT).Contains(p))
        return HTVSCROLL;
    if (ScrollBarRect(w, SB_HORZ).Contains(p))
        return HTHSCROLL;
    if (HasScrollBar(w, SB_VERT) && HasScrollBar(w, SB_HORZ)) {
        const TRect v = ScrollBarRect(w, SB_VERT);
        const TRect corner(v.Left, v.Bottom, v.Right, v.Bottom + kScrollBarSize);
        if (corner.Contains(p))
            return (w->style & WS_THICKFRAME) && !w->maximized ? HTBOTTOMRIGHT : HTNOWHERE;
    }
    const TRect caption = CaptionRect(w);
    if (caption.Contains(p)) {
        if ((w->style & WS_SYSMENU) && CaptionButtonRect(w, 0).Contains(p))
            return HTCLOSE;
        if ((w->style & WS_SYSMENU) && (w->style & WS_MAXIMIZEBOX) && CaptionButtonRect(w, 1).Contains(p))
            return HTMAXBUTTON;
        if ((w->style & WS_SYSMENU) && (w->style & WS_MINIMIZEBOX) && CaptionButtonRect(w, 2).Contains(p))
            return HTMINBUTTON;
        return HTCAPTION;
    }
    if ((w->style & WS_THICKFRAME) && !w->maximized) {
        const int corner = kResizeCorner;
        const bool left = p.X < kFrameThick, right = p.X >= whole.Right - kFrameThick;
        const bool top = p.Y < kFrameThick, bottom = p.Y >= whole.Bottom - kFrameThick;
        const bool nearLeft = p.X < corner, nearRight = p.X >= whole.Right - corner;
        const bool nearTop = p.Y < corner, nearBottom = p.Y >= whole.Bottom - corner;
        if ((top && nearLeft) || (left && nearTop))
            return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop))
            return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom))
            return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom))
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    return HTBORDER;
}

} // namespace ws

namespace {

void PaintFrame(Window* w, TCanvas& c)
{
    TRect r(0, 0, w->rect.Width(), w->rect.Height());
    if (w->style & WS_THICKFRAME) {
        c.DrawEdge(r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        FrameRectColor(&c, r, clBtnFace);
        FrameRectColor(&c, r.Inflate(-1, -1), clBtnFace);
    } else if ((w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME)) {
        c.DrawEdge(r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        FrameRectColor(&c, r, clBtnFace);
    } else if (w->style & WS_BORDER) {
        FrameRectColor(&c, r, clWindowFrame);
    }
}

void PaintCaption(Window* w, TCanvas& c)
{
    const TRect caption = CaptionRect(w);
    if (caption.IsEmpty())
        return;
    const bool active = S().active == TopLevelOf(w)->handle;
    FillRectColor(&c, caption, active ? clActiveCaption : clInactiveCaption);
    FillRectColor(&c, TRect(caption.Left, caption.Bottom, caption.Right, caption.Bottom + 1), clBtnFace);
    TRect text = caption;
    text.Left += 4;
    int buttons = 0;
    if (w->style & WS_SYSMENU) {
        buttons = 1 + ((w->style & WS_MAXIMIZEBOX) ? 1 : 0) + ((w->style & WS_MINIMIZEBOX) ? 1 : 0);
        TRect close = CaptionButtonRect(w, 0);
        c.DrawFrameControl(close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        if (w->style & WS_MAXIMIZEBOX) {
            TRect max = CaptionButtonRect(w, 1);
            c.DrawFrameControl(max, DFC_CAPTION, w->maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX);
        }
        if (w->style & WS_MINIMIZEBOX) {
            TRect min = CaptionButtonRect(w, 2);
            c.DrawFrameControl(min, DFC_CAPTION, DFCS_CAPTIONMIN);
        }
        text.Right = CaptionButtonRect(w, buttons - 1).Left - 2;
    }
    c.Font()->SetName("Tahoma");
    c.Font()->SetHeight(-11);
    c.Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    c.Font()->SetColor(active ? clCaptionText : clInactiveCaptionText);
    c.SetBkMode(TRANSPARENT);
    TRect t = text;
    c.DrawText(w->text, t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintEdge(Window* w, TCanvas& c)
{
    TRect r(0, 0, w->rect.Width(), w->rect.Height());
    const int frame = FrameWidth(w);
    r = r.Inflate(-frame, -frame);
    if (HasCaption(w))
        r.Top += CaptionHeight(w);
    if (w->exStyle & WS_EX_CLIENTEDGE)
        c.DrawEdge(r, EDGE_SUNKEN, BF_RECT);
    else if (w->exStyle & WS_EX_STATICEDGE)
        c.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
}

} // namespace

namespace ws {

void PaintScrollBar(Window* w, TCanvas& c, int bar); // ScrollBar.cpp

void DefNcPaint(Window* w)
{
    const HWND hwnd = w->handle;
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    // The client area belongs to WM_PAINT.
    dc->ExcludeClipRect(w->clientRect);
    PaintFrame(w, *dc);
    PaintCaption(w, *dc);
    PaintEdge(w, *dc);
    PaintScrollBar(w, *dc, SB_VERT);
    PaintScrollBar(w, *dc, SB_HORZ);
    if (HasScrollBar(w, SB_VERT) && HasScrollBar(w, SB_HORZ)) {
        const TRect v = ScrollBarRect(w, SB_VERT);
        FillRectColor(dc, TRect(v.Left, v.Bottom, v.Right, v.Bottom + kScrollBarSize), clBtnFace);
    }
    ReleaseDC(hwnd, dc);
}

} // namespace ws
