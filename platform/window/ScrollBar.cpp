// The standard scroll bars: their state, geometry, painting and the tracking loop that
// turns presses into WM_HSCROLL/WM_VSCROLL notifications.
#include "platform/window/NonClientMetrics.h"
#include "platform/window/WindowSystem_p.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Canvas.h"

#include <algorithm>

using namespace ws;

namespace {

constexpr uintptr_t kRepeatTimer = 0xFFF0;
constexpr UINT kFirstRepeatDelay = 350;
constexpr UINT kRepeatInterval = 50;

ScrollBarState& StateOf(Window* w, int bar)
{
    return bar == SB_VERT ? w->vscroll : w->hscroll;
}

// The parts of a bar along its length, in window coordinates.
struct BarLayout {
    TRect whole;
    TRect arrow1;
    TRect arrow2;
    TRect track;
    TRect thumb; // empty when the bar has no thumb
    bool vertical = true;
};

int Range(const ScrollBarState& s)
{
    return s.maxPos - s.minPos + 1;
}

// The largest position the thumb can reach.
int MaxScrollPos(const ScrollBarState& s)
{
    return s.page ? std::max(s.minPos, s.maxPos - static_cast<int>(s.page) + 1) : s.maxPos;
}

BarLayout Layout(Window* w, int bar)
{
    BarLayout l;
    l.whole = ScrollBarRect(w, bar);
    l.vertical = bar == SB_VERT;
    const ScrollBarState& st = StateOf(w, bar);
    const int length = l.vertical ? l.whole.Height() : l.whole.Width();
    const int arrow = std::min(kScrollBarSize, length / 2);
    auto span = [&](int from, int to) {
        return l.vertical ? TRect(l.whole.Left, l.whole.Top + from, l.whole.Right, l.whole.Top + to)
                          : TRect(l.whole.Left + from, l.whole.Top, l.whole.Left + to, l.whole.Bottom);
    };
    l.arrow1 = span(0, arrow);
    l.arrow2 = span(length - arrow, length);
    l.track = span(arrow, length - arrow);
    const int trackLength = length - 2 * arrow;
    const int range = Range(st);
    const bool disabled = st.disabledArrows == ESB_DISABLE_BOTH;
    if (trackLength <= 0 || range <= 1 || disabled || (st.page && static_cast<int>(st.page) >= range))
        return l;
    int thumbLength = st.page ? static_cast<int>(static_cast<int64_t>(trackLength) * st.page / range) : kScrollBarSize;
    thumbLength = std::max(thumbLength, std::min(kMinThumb, trackLength));
    if (thumbLength >= trackLength)
        return l;
    const int positions = MaxScrollPos(st) - st.minPos;
    const int travel = trackLength - thumbLength;
    const int pos = (st.tracking ? st.trackPos : st.pos) - st.minPos;
    const int offset = positions > 0 ? static_cast<int>(static_cast<int64_t>(travel) * pos / positions) : 0;
    l.thumb = span(arrow + offset, arrow + offset + thumbLength);
    return l;
}

void DrawTrack(TCanvas& c, const TRect& r)
{
    if (r.IsEmpty())
        return;
    // The classic track: a halftone of button face and highlight.
    static TBitmap halftone;
    static const bool made = (MakeHalftonePattern(halftone), true);
    (void)made;
    c.Brush()->SetBitmap(&halftone);
    const TColor text = c.SetTextColor(clBtnFace);
    const TColor back = c.SetBkColor(clBtnHighlight);
    c.FillRect(r);
    c.SetTextColor(text);
    c.SetBkColor(back);
    c.Brush()->SetBitmap(nullptr);
}

int PartAt(const BarLayout& l, TPoint p)
{
    if (l.arrow1.Contains(p))
        return 1;
    if (l.arrow2.Contains(p))
        return 2;
    if (l.thumb.Contains(p))
        return 3;
    if (l.track.Contains(p)) {
        if (l.thumb.IsEmpty())
            return 0;
        const bool before = l.vertical ? p.Y < l.thumb.Top : p.X < l.thumb.Left;
        return before ? 4 : 5;
    }
    return 0;
}

void Notify(HWND hwnd, int bar, WORD code, int pos = 0)
{
    SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MakeWParam(code, pos & 0xFFFF), 0);
}

void RedrawBar(Window* w)
{
    InvalidateFrame(w);
}

// The position a thumb dragged to `offset` pixels into the track stands for.
int PositionForThumb(Window* w, int bar, int offset)
{
    const BarLayout l = Layout(w, bar);
    const ScrollBarState& st = StateOf(w, bar);
    const int trackLength = l.vertical ? l.track.Height() : l.track.Width();
    const int thumbLength = l.vertical ? l.thumb.Height() : l.thumb.Width();
    const int travel = trackLength - thumbLength;
    const int positions = MaxScrollPos(st) - st.minPos;
    if (travel <= 0)
        return st.minPos;
    offset = std::clamp(offset, 0, travel);
    return st.minPos + static_cast<int>((static_cast<int64_t>(offset) * positions + travel / 2) / travel);
}

} // namespace

namespace ws {

void PaintScrollBar(Window* w, TCanvas& c, int bar)
{
    if (!HasScrollBar(w, bar))
        return;
    const BarLayout l = Layout(w, bar);
    if (l.whole.IsEmpty())
        return;
    const ScrollBarState& st = StateOf(w, bar);
    const bool v = l.vertical;
    const bool noThumb = l.thumb.IsEmpty();
    const bool inactive = st.disabledArrows == ESB_DISABLE_BOTH || (noThumb && st.disableNoScroll);
    TRect a1 = l.arrow1, a2 = l.arrow2;
    UINT s1 = (v ? DFCS_SCROLLUP : DFCS_SCROLLLEFT), s2 = (v ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
    if (inactive || (st.disabledArrows & ESB_DISABLE_LTUP))
        s1 |= DFCS_INACTIVE;
    if (inactive || (st.disabledArrows & ESB_DISABLE_RTDN))
        s2 |= DFCS_INACTIVE;
    c.DrawFrameControl(a1, DFC_SCROLL, s1);
    c.DrawFrameControl(a2, DFC_SCROLL, s2);
    if (noThumb) {
        DrawTrack(c, l.track);
        return;
    }
    const TRect before = v ? TRect(l.track.Left, l.track.Top, l.track.Right, l.thumb.Top)
                           : TRect(l.track.Left, l.track.Top, l.thumb.Left, l.track.Bottom);
    const TRect after = v ? TRect(l.track.Left, l.thumb.Bottom, l.track.Right, l.track.Bottom)
                          : TRect(l.thumb.Right, l.track.Top, l.track.Right, l.track.Bottom);
    DrawTrack(c, before);
    DrawTrack(c, after);
    TRect thumb = l.thumb;
    c.DrawEdge(thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void TrackScrollBar(Window* w, int bar, TPoint screenPt)
{
    const HWND hwnd = w->handle;
    const TPoint start = screenPt - WindowOriginOnScreen(w);
    BarLayout l = Layout(w, bar);
    const int part = PartAt(l, start);
    if (part == 0)
        return;
    ScrollBarState& st = StateOf(w, bar);
    if (part == 1 && (st.disabledArrows & ESB_DISABLE_LTUP))
        return;
    if (part == 2 && (st.disabledArrows & ESB_DISABLE_RTDN))
        return;

    const WORD repeatCode = part == 1 ? SB_LINEUP : part == 2 ? SB_LINEDOWN : part == 4 ? SB_PAGEUP : SB_PAGEDOWN;
    const int grabOffset = l.vertical ? start.Y - l.thumb.Top : start.X - l.thumb.Left;
    SetCapture(hwnd);
    if (part == 3) {
        st.tracking = true;
        st.trackPos = st.pos;
    } else {
        Notify(hwnd, bar, repeatCode);
        SetTimer(hwnd, kRepeatTimer, kFirstRepeatDelay);
    }
    TPoint pointer = start;
    bool done = false;
    while (!done && GetCapture() == hwnd && (w = Find(hwnd))) {
        MSG msg;
        if (!GetMessage(msg)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.hwnd == hwnd && (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)) {
            TPoint p = PointFromLParam(msg.lParam);
            ClientToScreen(hwnd, p);
            pointer = p - WindowOriginOnScreen(w);
            if (part == 3 && msg.message == WM_MOUSEMOVE) {
                l = Layout(w, bar);
                const int offset = (l.vertical ? pointer.Y - l.track.Top : pointer.X - l.track.Left) - grabOffset;
                const int pos = PositionForThumb(w, bar, offset);
                if (pos != st.trackPos) {
                    st.trackPos = pos;
                    RedrawBar(w);
                    Notify(hwnd, bar, SB_THUMBTRACK, pos);
                }
            }
            if (msg.message == WM_LBUTTONUP)
                done = true;
            continue;
        }
        if (msg.hwnd == hwnd && msg.message == WM_TIMER && msg.wParam == kRepeatTimer) {
            SetTimer(hwnd, kRepeatTimer, kRepeatInterval);
            l = Layout(w, bar);
            const int now = PartAt(l, pointer);
            // Paging stops once the thumb reaches the pointer.
            if (now == part)
                Notify(hwnd, bar, repeatCode);
            continue;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == 0x1B)
            done = true;
        ProcessMessage(msg);
    }
    KillTimer(hwnd, kRepeatTimer);
    if ((w = Find(hwnd))) {
        ScrollBarState& s2 = StateOf(w, bar);
        if (part == 3) {
            const int pos = s2.trackPos;
            s2.tracking = false;
            Notify(hwnd, bar, SB_THUMBPOSITION, pos);
        }
        Notify(hwnd, bar, SB_ENDSCROLL);
        if ((w = Find(hwnd)))
            RedrawBar(w);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
}

} // namespace ws

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw)
{
    Window* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return 0;
    ScrollBarState& st = StateOf(w, bar);
    if (info.fMask & SIF_RANGE) {
        st.minPos = info.nMin;
        st.maxPos = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE)
        st.page = std::min<UINT>(info.nPage, static_cast<UINT>(std::max(0, Range(st))));
    if (info.fMask & SIF_POS)
        st.pos = info.nPos;
    st.pos = std::clamp(st.pos, st.minPos, MaxScrollPos(st));
    st.disableNoScroll = (info.fMask & SIF_DISABLENOSCROLL) != 0;

    if (info.fMask & (SIF_RANGE | SIF_PAGE)) {
        const bool needed = st.page ? Range(st) > static_cast<int>(st.page) : st.maxPos > st.minPos;
        const DWORD styleBit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
        const bool shown = (w->style & styleBit) != 0;
        if (needed != shown && !(st.disableNoScroll && shown)) {
            // The bar appears or disappears: the client area changes size.
            if (needed)
                w->style |= styleBit;
            else
                w->style &= ~styleBit;
            RecalcNonClient(hwnd);
            return (w = Find(hwnd)) ? StateOf(w, bar).pos : 0;
        }
    }
    if (redraw)
        RedrawBar(w);
    return st.pos;
}

bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info)
{
    Window* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return false;
    const ScrollBarState& st = StateOf(w, bar);
    if (info.fMask & SIF_RANGE) {
        info.nMin = st.minPos;
        info.nMax = st.maxPos;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = st.page;
    if (info.fMask & SIF_POS)
        info.nPos = st.pos;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = st.tracking ? st.trackPos : st.pos;
    return true;
}

int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw)
{
    Window* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return 0;
    const int old = StateOf(w, bar).pos;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(hwnd, bar, si, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar)
{
    SCROLLINFO si;
    si.fMask = SIF_POS;
    return GetScrollInfo(hwnd, bar, si) ? si.nPos : 0;
}

bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw)
{
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = minPos;
    si.nMax = maxPos;
    SetScrollInfo(hwnd, bar, si, redraw);
    return IsWindow(hwnd);
}

bool GetScrollRange(HWND hwnd, int bar, int& minPos, int& maxPos)
{
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    if (!GetScrollInfo(hwnd, bar, si))
        return false;
    minPos = si.nMin;
    maxPos = si.nMax;
    return true;
}

bool ShowScrollBar(HWND hwnd, int bar, bool show)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    DWORD bits = 0;
    if (bar == SB_VERT || bar == SB_BOTH)
        bits |= WS_VSCROLL;
    if (bar == SB_HORZ || bar == SB_BOTH)
        bits |= WS_HSCROLL;
    const DWORD next = show ? (w->style | bits) : (w->style & ~bits);
    if (next != w->style) {
        w->style = next;
        RecalcNonClient(hwnd);
    }
    return true;
}

bool EnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    if (bar == SB_VERT || bar == SB_BOTH)
        w->vscroll.disabledArrows = arrows;
    if (bar == SB_HORZ || bar == SB_BOTH)
        w->hscroll.disabledArrows = arrows;
    RedrawBar(w);
    return true;
}
