// Invalidation, WM_PAINT/WM_ERASEBKGND, device contexts and scrolling window contents.
//
// Every top-level window owns a surface (a bitmap of the whole window); its child windows
// draw into the same surface at their place, clipped to what of them can be seen. What
// is drawn reaches the screen when the device context is released (GetDC) or, for paint
// messages, when the queue runs empty.
#include "platform/window/WindowSystem_p.h"

#include "platform/drawing/Canvas.h"

#include <algorithm>
#include <unordered_map>

using namespace ws;

namespace {

struct DcInfo {
    HWND window = nullptr;
    HWND topLevel = nullptr;
    bool owned = false; // made by GetDC/BeginPaint, deleted on release
    TRect surfaceBounds; // where on the surface it may draw
};

std::unordered_map<TCanvas*, DcInfo>& Dcs()
{
    static std::unordered_map<TCanvas*, DcInfo> dcs;
    return dcs;
}

std::unordered_map<HWND, TRect>& DirtyRects()
{
    static std::unordered_map<HWND, TRect> dirty;
    return dirty;
}

bool g_paintPending = false;

bool RedrawSuppressed(const Window* w)
{
    for (; w; w = w->IsChild() ? w->parent : nullptr)
        if (w->redrawOff)
            return true;
    return false;
}

TRect ClientBounds(const Window* w)
{
    return TRect(0, 0, w->clientRect.Width(), w->clientRect.Height());
}

// Binds a canvas to a window's client area (or whole window) inside its surface.
bool Bind(TCanvas& canvas, Window* w, const TRegion* clientClip, bool wholeWindow, bool clipChildren)
{
    Window* top = TopLevelOf(w);
    EnsureSurface(top);
    const TPoint windowOrigin = WindowOriginInSurface(w);
    const TPoint origin = wholeWindow ? windowOrigin : windowOrigin + w->clientRect.TopLeft();
    TRegion clip = VisibleRegionInSurface(w, !wholeWindow, clipChildren);
    if (!IsVisibleChain(w))
        clip = TRegion();
    if (clientClip)
        clip = clip.Intersected(clientClip->Translated(origin.X, origin.Y));
    canvas.BindSurface(top->surface.get(), origin, clip);
    DcInfo& info = Dcs()[&canvas];
    info.window = w->handle;
    info.topLevel = top->handle;
    info.surfaceBounds = clip.BoundingRect();
    return true;
}

void Unbind(TCanvas& canvas, bool presentNow)
{
    auto it = Dcs().find(&canvas);
    if (it == Dcs().end())
        return;
    const DcInfo info = it->second;
    Dcs().erase(it);
    if (Window* top = Find(info.topLevel))
        MarkDirty(top, info.surfaceBounds);
    canvas.UnbindSurface();
    if (presentNow)
        PresentDirty();
}

void AddToUpdate(Window* w, const TRegion& region, bool erase)
{
    if (region.IsEmpty())
        return;
    w->updateRegion = w->updateRegion.United(region);
    if (erase)
        w->eraseNeeded = true;
    g_paintPending = true;
}

} // namespace

namespace ws {

void InvalidateWindowArea(Window* w, const TRegion& clientRegion, bool erase, bool children)
{
    if (!IsVisibleChain(w) || RedrawSuppressed(w))
        return;
    const TRegion own = clientRegion.Intersected(TRegion(ClientBounds(w)));
    if (own.IsEmpty())
        return;
    AddToUpdate(w, own, erase);
    if (!children)
        return;
    for (Window* c : w->children) {
        if (!(c->style & WS_VISIBLE))
            continue;
        const TRegion inChild = own.Translated(-c->rect.Left, -c->rect.Top);
        const TRegion frame = inChild.Intersected(TRegion(TRect(0, 0, c->rect.Width(), c->rect.Height())));
        if (frame.IsEmpty())
            continue;
        if (!frame.Subtracted(TRegion(c->clientRect)).IsEmpty())
            InvalidateFrame(c);
        InvalidateWindowArea(c, frame.Translated(-c->clientRect.Left, -c->clientRect.Top), erase, true);
    }
}

void InvalidateFrame(Window* w)
{
    if (!IsVisibleChain(w) || RedrawSuppressed(w))
        return;
    if (w->clientRect == TRect(0, 0, w->rect.Width(), w->rect.Height()) && !w->IsTopLevel())
        return; // no non-client area
    w->frameDirty = true;
    g_paintPending = true;
}

void MarkDirty(Window* top, const TRect& surfaceRect)
{
    if (surfaceRect.IsEmpty())
        return;
    TRect& r = DirtyRects()[top->handle];
    r = r.Union(surfaceRect);
}

void PresentDirty()
{
    auto& s = S();
    auto& dirty = DirtyRects();
    if (dirty.empty())
        return;
    auto pending = std::move(dirty);
    dirty.clear();
    if (!s.backend)
        return;
    for (const auto& [hwnd, rect] : pending) {
        Window* top = Find(hwnd);
        if (top && top->surface && top->createdNative && (top->style & WS_VISIBLE))
            s.backend->Present(hwnd, *top->surface, rect);
    }
}

bool HasPendingPaint()
{
    return g_paintPending;
}

Window* NextWindowToPaint()
{
    // Parents before children, top-level windows from the top of the z-order.
    std::vector<Window*> stack;
    for (auto it = S().topLevels.rbegin(); it != S().topLevels.rend(); ++it)
        stack.push_back(*it);
    while (!stack.empty()) {
        Window* w = stack.back();
        stack.pop_back();
        if (!(w->style & WS_VISIBLE) || w->redrawOff || w->minimized)
            continue;
        if (w->frameDirty || !w->updateRegion.IsEmpty() || w->internalPaint)
            return w;
        for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
            stack.push_back(*it);
    }
    g_paintPending = false;
    return nullptr;
}

} // namespace ws

bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase)
{
    if (!hwnd) {
        for (HWND h : GetTopLevelWindows())
            InvalidateRect(h, rect, erase);
        return true;
    }
    Window* w = Find(hwnd);
    if (!w)
        return false;
    const TRegion region(rect ? *rect : ClientBounds(w));
    InvalidateWindowArea(w, region, erase, !(w->style & WS_CLIPCHILDREN));
    if (!rect && !hwnd)
        InvalidateFrame(w);
    return true;
}

bool InvalidateRgn(HWND hwnd, const TRegion* region, bool erase)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    InvalidateWindowArea(w, region ? *region : TRegion(ClientBounds(w)), erase, !(w->style & WS_CLIPCHILDREN));
    return true;
}

bool ValidateRect(HWND hwnd, const TRect* rect)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    if (!rect) {
        w->updateRegion = TRegion();
        w->eraseNeeded = false;
    } else {
        w->updateRegion = w->updateRegion.Subtracted(TRegion(*rect));
    }
    return true;
}

bool ValidateRgn(HWND hwnd, const TRegion* region)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    w->updateRegion = region ? w->updateRegion.Subtracted(*region) : TRegion();
    return true;
}

bool GetUpdateRect(HWND hwnd, TRect* rect, bool erase)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    if (rect)
        *rect = w->updateRegion.BoundingRect();
    return !w->updateRegion.IsEmpty();
}

TRegion GetUpdateRegion(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w ? w->updateRegion : TRegion();
}

bool UpdateWindow(HWND hwnd)
{
    return RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

namespace {

// Paints the window (and its children when asked) now, if it has something to paint.
void PaintNow(Window* w, bool children)
{
    const HWND hwnd = w->handle;
    if (IsVisibleChain(w) && !RedrawSuppressed(w)) {
        if (w->frameDirty && w->updateRegion.IsEmpty()) {
            w->frameDirty = false;
            SendMessage(hwnd, WM_NCPAINT, 1, 0);
        }
        if ((w = Find(hwnd)) && (!w->updateRegion.IsEmpty() || w->internalPaint)) {
            MSG msg;
            msg.hwnd = hwnd;
            msg.message = WM_PAINT;
            DispatchMessage(msg);
        }
    }
    if (!children || !(w = Find(hwnd)))
        return;
    std::vector<HWND> kids;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        kids.push_back((*it)->handle);
    for (HWND k : kids)
        if (Window* c = Find(k))
            PaintNow(c, true);
}

} // namespace

bool RedrawWindow(HWND hwnd, const TRect* rect, const TRegion* region, UINT flags)
{
    if (!hwnd) {
        for (HWND h : GetTopLevelWindows())
            RedrawWindow(h, rect, region, flags);
        return true;
    }
    Window* w = Find(hwnd);
    if (!w)
        return false;
    const bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
    const TRegion area = region ? *region : TRegion(rect ? *rect : ClientBounds(w));
    if (flags & RDW_INVALIDATE) {
        InvalidateWindowArea(w, area, (flags & RDW_ERASE) != 0, children);
        if (flags & RDW_FRAME)
            InvalidateFrame(w);
    }
    if (flags & RDW_INTERNALPAINT) {
        w->internalPaint = true;
        g_paintPending = true;
    }
    if (flags & RDW_VALIDATE) {
        w->updateRegion = w->updateRegion.Subtracted(area);
        if (flags & RDW_NOERASE)
            w->eraseNeeded = false;
        if (flags & RDW_NOFRAME)
            w->frameDirty = false;
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        PaintNow(w, (flags & RDW_ALLCHILDREN) || children);
        PresentDirty();
    }
    return true;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT& ps)
{
    Window* w = Find(hwnd);
    ps = PAINTSTRUCT{};
    if (!w)
        return nullptr;
    if (w->frameDirty) {
        w->frameDirty = false;
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = Find(hwnd)))
            return nullptr;
    }
    const TRegion update = w->updateRegion.Intersected(TRegion(ClientBounds(w)));
    const bool erase = w->eraseNeeded;
    w->updateRegion = TRegion();
    w->eraseNeeded = false;
    w->internalPaint = false;

    auto* dc = new TCanvas();
    Bind(*dc, w, &update, false, (w->style & WS_CLIPCHILDREN) != 0);
    Dcs()[dc].owned = true;
    ps.hdc = dc;
    ps.rcPaint = update.BoundingRect();
    ps.fErase = 1;
    if (erase)
        ps.fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? 0 : 1;
    return dc;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT& ps)
{
    if (!ps.hdc)
        return false;
    Unbind(*ps.hdc, false);
    delete ps.hdc;
    return true;
}

HDC GetDC(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return nullptr;
    auto* dc = new TCanvas();
    Bind(*dc, w, nullptr, false, (w->style & WS_CLIPCHILDREN) != 0);
    Dcs()[dc].owned = true;
    return dc;
}

HDC GetWindowDC(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return nullptr;
    auto* dc = new TCanvas();
    Bind(*dc, w, nullptr, true, true);
    Dcs()[dc].owned = true;
    return dc;
}

int ReleaseDC(HWND hwnd, HDC dc)
{
    if (!dc)
        return 0;
    auto it = Dcs().find(dc);
    const bool owned = it != Dcs().end() && it->second.owned;
    Unbind(*dc, true);
    if (owned)
        delete dc;
    return 1;
}

bool BindWindowCanvas(TCanvas& canvas, HWND hwnd, const TRegion* clientClip)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    return Bind(canvas, w, clientClip, false, (w->style & WS_CLIPCHILDREN) != 0);
}

void ReleaseWindowCanvas(TCanvas& canvas, bool presentNow)
{
    Unbind(canvas, presentNow);
}

void FlushWindow(HWND hwnd)
{
    // Drawing through a context that is still bound (a paint in progress) is in the
    // surface already but would be marked for presenting only on its release.
    for (const auto& [canvas, info] : Dcs()) {
        if (info.window != hwnd)
            continue;
        if (Window* top = Find(info.topLevel))
            MarkDirty(top, info.surfaceBounds);
    }
    PresentDirty();
}

void UpdateDisplay()
{
    PresentDirty();
    if (S().backend)
        S().backend->ProcessDisplayEvents();
    PresentDirty();
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const TRect* scrollRect, const TRect* clipRect, TRegion* updateRegion,
                   TRect* updateRect, UINT flags)
{
    Window* w = Find(hwnd);
    if (!w)
        return 0;
    const TRect client = ClientBounds(w);
    TRect area = scrollRect ? scrollRect->Intersect(client) : client;
    TRect clip = clipRect ? clipRect->Intersect(client) : client;
    const TRect bounds = area.Intersect(clip);

    TRegion uncovered(bounds);
    if ((dx || dy) && IsVisibleChain(w) && !RedrawSuppressed(w) && !bounds.IsEmpty()) {
        // Copy what can be seen of the area to its new place, inside the clip.
        Window* top = TopLevelOf(w);
        EnsureSurface(top);
        const TPoint origin = WindowOriginInSurface(w) + w->clientRect.TopLeft();
        const TRegion visible = VisibleRegionInSurface(w, true, false).Translated(-origin.X, -origin.Y);
        const TRegion source = visible.Intersected(TRegion(area));
        const TRegion target = source.Translated(dx, dy).Intersected(TRegion(bounds)).Intersected(visible);
        if (!target.IsEmpty()) {
            TCanvas dst;
            TCanvas src;
            dst.BindSurface(top->surface.get(), origin, target.Translated(origin.X, origin.Y));
            src.BindSurface(top->surface.get(), origin, TRegion(TRect(0, 0, top->rect.Width(), top->rect.Height())));
            const TRect box = target.BoundingRect();
            BitBlt(&dst, box.Left, box.Top, box.Width(), box.Height(), &src, box.Left - dx, box.Top - dy, SRCCOPY);
            dst.UnbindSurface();
            src.UnbindSurface();
            MarkDirty(top, box.Offset(origin));
        }
        uncovered = TRegion(bounds).Subtracted(target);
        // A pending update moves with the contents it belongs to.
        const TRegion movedUpdate = w->updateRegion.Intersected(TRegion(area)).Translated(dx, dy);
        w->updateRegion = w->updateRegion.Subtracted(TRegion(area)).United(movedUpdate.Intersected(TRegion(client)));
        if (!w->updateRegion.IsEmpty())
            g_paintPending = true;
    }

    if (flags & SW_SCROLLCHILDREN) {
        std::vector<HWND> kids;
        for (Window* c : w->children)
            if (!scrollRect || c->rect.Intersects(area))
                kids.push_back(c->handle);
        for (HWND k : kids)
            if (Window* c = Find(k))
                SetWindowPos(k, nullptr, c->rect.Left + dx, c->rect.Top + dy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    auto& caret = S().caret;
    if (caret.owner == hwnd && area.Contains(caret.rect.TopLeft()))
        caret.rect = caret.rect.Offset(dx, dy);

    if ((flags & SW_INVALIDATE) && (w = Find(hwnd)))
        InvalidateWindowArea(w, uncovered, (flags & SW_ERASE) != 0, true);
    if (updateRegion)
        *updateRegion = uncovered;
    if (updateRect)
        *updateRect = uncovered.BoundingRect();
    return uncovered.IsEmpty() ? 1 : 2;
}

bool ScrollWindow(HWND hwnd, int dx, int dy, const TRect* scrollRect, const TRect* clipRect)
{
    return ScrollWindowEx(hwnd, dx, dy, scrollRect, clipRect, nullptr, nullptr,
                          SW_INVALIDATE | SW_ERASE | (scrollRect ? 0u : static_cast<UINT>(SW_SCROLLCHILDREN))) != 0;
}
