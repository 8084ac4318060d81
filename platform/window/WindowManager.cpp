// The window tree: classes, creation, destruction, relations, geometry and styles.
#include "platform/window/WindowSystem_p.h"

#include "platform/core/Exception.h"

#include <algorithm>

namespace ws {

State& S()
{
    static State state;
    return state;
}

Window* Find(HWND hwnd)
{
    auto& windows = S().windows;
    auto it = windows.find(reinterpret_cast<uintptr_t>(hwnd));
    return it == windows.end() ? nullptr : it->second.get();
}

Window* Require(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        throw EPlatformError("Invalid window handle.");
    return w;
}

TPoint WindowOriginOnScreen(const Window* w)
{
    TPoint p = w->rect.TopLeft();
    for (const Window* p2 = w; p2->IsChild(); p2 = p2->parent)
        p = p + p2->parent->rect.TopLeft() + p2->parent->clientRect.TopLeft();
    return p;
}

TPoint ClientOriginOnScreen(const Window* w)
{
    return WindowOriginOnScreen(w) + w->clientRect.TopLeft();
}

TPoint WindowOriginInSurface(const Window* w)
{
    TPoint p;
    for (const Window* c = w; c->IsChild(); c = c->parent)
        p = p + c->rect.TopLeft() + c->parent->clientRect.TopLeft();
    return p;
}

Window* TopLevelOf(Window* w)
{
    while (w && w->IsChild())
        w = w->parent;
    return w;
}

bool IsVisibleChain(const Window* w)
{
    for (; w; w = w->IsChild() ? w->parent : nullptr)
        if (!(w->style & WS_VISIBLE))
            return false;
    return true;
}

bool IsEnabledChain(const Window* w)
{
    for (; w; w = w->IsChild() ? w->parent : nullptr)
        if (w->style & WS_DISABLED)
            return false;
    return true;
}

namespace {

// The area a child window covers, its window origin at `at`: its rectangle, limited to
// its window region when it has one (what lies outside the region belongs to the
// parent and the windows below).
TRegion CoveredArea(const Window* c, TPoint at)
{
    TRegion area(TRect(0, 0, c->rect.Width(), c->rect.Height()).Offset(at));
    if (c->windowRegion)
        area = area.Intersected(c->windowRegion->Translated(at.X, at.Y));
    return area;
}

} // namespace

TRegion VisibleRegionInSurface(const Window* w, bool clientOnly, bool clipChildren)
{
    const TPoint origin = WindowOriginInSurface(w);
    TRect own = clientOnly ? w->clientRect.Offset(origin) : TRect(0, 0, w->rect.Width(), w->rect.Height()).Offset(origin);
    TRegion region(own);
    if (w->windowRegion)
        region = region.Intersected(w->windowRegion->Translated(origin.X, origin.Y));

    // Clipped by every ancestor's client area, and by the siblings above each level.
    const Window* child = w;
    while (child->IsChild()) {
        const Window* parent = child->parent;
        const TPoint parentOrigin = WindowOriginInSurface(parent);
        region = region.Intersected(TRegion(parent->clientRect.Offset(parentOrigin)));
        const TPoint parentClient = parentOrigin + parent->clientRect.TopLeft();
        for (const Window* sibling : parent->children) {
            if (sibling == child)
                break;
            if (sibling->style & WS_VISIBLE)
                region = region.Subtracted(CoveredArea(sibling, parentClient + sibling->rect.TopLeft()));
        }
        child = parent;
    }
    if (clipChildren) {
        const TPoint client = origin + w->clientRect.TopLeft();
        for (const Window* c : w->children)
            if (c->style & WS_VISIBLE)
                region = region.Subtracted(CoveredArea(c, client + c->rect.TopLeft()));
    }
    return region;
}

namespace {

HWND NewHandle()
{
    auto& s = S();
    s.nextHandle += 2;
    return reinterpret_cast<HWND>(s.nextHandle);
}

std::vector<Window*>& SiblingList(Window* w)
{
    return w->IsChild() ? w->parent->children : S().topLevels;
}

void Unlink(Window* w)
{
    auto& list = SiblingList(w);
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
}

// Top-level windows keep the topmost ones above the others.
void InsertTopLevel(Window* w, bool atTop)
{
    auto& list = S().topLevels;
    const bool topmost = (w->exStyle & WS_EX_TOPMOST) != 0;
    auto firstNonTopmost = std::find_if(list.begin(), list.end(), [](Window* o) { return !(o->exStyle & WS_EX_TOPMOST); });
    if (topmost)
        list.insert(atTop ? list.begin() : firstNonTopmost, w);
    else
        list.insert(atTop ? firstNonTopmost : list.end(), w);
}

void CollectOwned(Window* owner, std::vector<HWND>& out)
{
    for (Window* t : S().topLevels)
        if (t->owner == owner->handle)
            out.push_back(t->handle);
}

void SendDestroyMessages(Window* w)
{
    Send(w, WM_DESTROY);
    std::vector<HWND> children;
    for (Window* c : w->children)
        children.push_back(c->handle);
    for (HWND h : children)
        if (Window* c = Find(h)) {
            c->destroying = true;
            SendDestroyMessages(c);
        }
}

void FreeWindowTree(Window* w)
{
    std::vector<Window*> children = w->children;
    for (Window* c : children)
        FreeWindowTree(c);
    Send(w, WM_NCDESTROY);
    RemoveTimersOf(w->handle);
    ForgetWindow(w);
    {
        std::lock_guard lock(S().queueMutex);
        auto& q = S().queue;
        q.erase(std::remove_if(q.begin(), q.end(), [&](const QueueEntry& e) { return !e.isRaw && e.msg.hwnd == w->handle; }),
                q.end());
    }
    if (w->IsTopLevel() && w->createdNative && S().backend)
        S().backend->TopLevelDestroyed(w->handle);
    Unlink(w);
    auto& windows = S().windows;
    auto it = windows.find(reinterpret_cast<uintptr_t>(w->handle));
    S().graveyard.push_back(std::move(it->second));
    windows.erase(it);
}

} // namespace

LRESULT Send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return SendMessage(w->handle, msg, wParam, lParam);
}

void EnsureSurface(Window* top)
{
    const int width = std::max(1, top->rect.Width());
    const int height = std::max(1, top->rect.Height());
    if (!top->surface)
        top->surface = std::make_unique<TBitmap>();
    if (top->surface->Width() != width || top->surface->Height() != height)
        top->surface->SetSize(width, height);
}

void UpdateClientRect(Window* w, WINDOWPOS* pos)
{
    NCCALCSIZE_PARAMS params;
    const TRect windowInParent = w->rect;
    params.rgrc[0] = windowInParent;
    params.lppos = pos;
    SendMessage(w->handle, WM_NCCALCSIZE, pos ? 1 : 0, reinterpret_cast<LPARAM>(&params));
    TRect client = params.rgrc[0];
    client.Right = std::max(client.Right, client.Left);
    client.Bottom = std::max(client.Bottom, client.Top);
    w->clientRect = client.Offset(-windowInParent.Left, -windowInParent.Top);
}

} // namespace ws

using namespace ws;

bool RegisterClass(const WNDCLASS& wc)
{
    if (wc.lpszClassName.empty())
        throw EPlatformError("A window class needs a name.");
    auto& cls = S().classes[wc.lpszClassName];
    cls.wc = wc;
    return true;
}

bool IsClassRegistered(const std::string& className)
{
    return S().classes.count(className) != 0;
}

HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style, int x,
                    int y, int width, int height, HWND parent, int id, void* param, WNDPROC proc)
{
    auto& s = S();
    auto clsIt = s.classes.find(className);
    if (clsIt == s.classes.end())
        throw EPlatformError("Window class '" + className + "' is not registered.");
    Window* parentWindow = nullptr;
    if (style & WS_CHILD) {
        parentWindow = Find(parent);
        if (!parentWindow)
            throw EPlatformError("A child window needs a valid parent window.");
    }

    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    w->handle = NewHandle();
    w->cls = &clsIt->second;
    w->proc = std::make_shared<const WNDPROC>(proc ? std::move(proc) : clsIt->second.wc.lpfnWndProc);
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->id = id;
    w->rect = TRect::FromSize(x, y, std::max(0, width), std::max(0, height));
    w->clientRect = TRect(0, 0, w->rect.Width(), w->rect.Height());
    s.windows.emplace(reinterpret_cast<uintptr_t>(w->handle), std::move(owned));
    if (parentWindow) {
        w->parent = parentWindow;
        parentWindow->children.push_back(w); // new children go to the bottom: creation order is tab order
    } else {
        Window* ownerWindow = Find(parent);
        w->owner = ownerWindow ? TopLevelOf(ownerWindow)->handle : nullptr;
        InsertTopLevel(w, true);
    }

    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hwndParent = parent;
    cs.id = id;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = style;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    const HWND handle = w->handle;
    if (!SendMessage(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!Find(handle))
        return nullptr;
    w->text = windowName;
    UpdateClientRect(w, nullptr);
    if (w->IsTopLevel()) {
        EnsureSurface(w);
        if (s.backend) {
            s.backend->TopLevelCreated(handle);
            w->createdNative = true;
            if (exStyle & WS_EX_LAYERED)
                NativeStylesChanged(w);
            s.backend->TopLevelTextChanged(handle, w->text);
        }
    }
    if (SendMessage(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!Find(handle))
        return nullptr;
    SendMessage(handle, WM_SIZE, SIZE_RESTORED, MakeLParam(w->clientRect.Width(), w->clientRect.Height()));
    SendMessage(handle, WM_MOVE, 0, MakeLParam(w->rect.Left + w->clientRect.Left, w->rect.Top + w->clientRect.Top));
    if ((style & WS_VISIBLE) && Find(handle))
        ShowWindow(handle, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    return Find(handle) ? handle : nullptr;
}

bool DestroyWindow(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w || w->destroying)
        return false;
    w->destroying = true;

    std::vector<HWND> owned;
    CollectOwned(w, owned);
    for (HWND h : owned)
        DestroyWindow(h);

    if (w->style & WS_VISIBLE)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    w = Find(hwnd);
    if (!w)
        return true;

    auto& s = S();
    Window* focused = Find(s.focus);
    if (focused && (focused == w || IsChild(hwnd, s.focus))) {
        const HWND old = s.focus;
        SendMessage(old, WM_KILLFOCUS, 0, 0);
        if (s.focus == old)
            s.focus = nullptr;
    }
    if (s.capture && (s.capture == hwnd || IsChild(hwnd, s.capture)))
        ReleaseCapture();

    SendDestroyMessages(w);
    if ((w = Find(hwnd)))
        FreeWindowTree(w);
    if (s.active == hwnd) {
        s.active = nullptr;
        // Activation passes to the owner or else the next visible top-level window.
        for (Window* t : s.topLevels)
            if ((t->style & WS_VISIBLE) && !(t->exStyle & WS_EX_NOACTIVATE) && IsEnabledChain(t)) {
                ActivateTopLevel(t, WA_ACTIVE);
                break;
            }
    }
    return true;
}

bool IsWindow(HWND hwnd)
{
    return Find(hwnd) != nullptr;
}

LRESULT CallWindowProc(const WNDPROC& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc)
{
    Window* w = Require(hwnd);
    WNDPROC old = w->proc ? *w->proc : WNDPROC{};
    w->proc = std::make_shared<const WNDPROC>(std::move(proc));
    return old;
}

WNDPROC GetWindowProc(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && w->proc ? *w->proc : WNDPROC{};
}

HWND GetParent(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return nullptr;
    return w->IsChild() ? w->parent->handle : w->owner;
}

HWND SetParent(HWND hwnd, HWND newParent)
{
    Window* w = Require(hwnd);
    Window* p = Find(newParent);
    const HWND old = GetParent(hwnd);
    const bool visible = (w->style & WS_VISIBLE) != 0;
    if (visible && w->IsChild())
        InvalidateWindowArea(w->parent, TRegion(w->rect), true, true);
    Unlink(w);
    if (p && (w->style & WS_CHILD)) {
        if (w->IsTopLevel() && w->createdNative && S().backend) {
            S().backend->TopLevelDestroyed(hwnd);
            w->createdNative = false;
            w->surface.reset();
        }
        w->parent = p;
        w->owner = nullptr;
        p->children.insert(p->children.begin(), w);
        if (visible)
            InvalidateWindowArea(w, TRegion(TRect(0, 0, w->clientRect.Width(), w->clientRect.Height())), true, true);
        InvalidateFrame(w);
    } else {
        w->parent = nullptr;
        w->owner = p ? TopLevelOf(p)->handle : nullptr;
        InsertTopLevel(w, true);
        if (!w->createdNative && S().backend) {
            EnsureSurface(w);
            S().backend->TopLevelCreated(hwnd);
            w->createdNative = true;
            NativeStylesChanged(w);
            S().backend->TopLevelGeometryChanged(hwnd, w->rect);
            if (visible)
                S().backend->TopLevelShown(hwnd, true, false);
        }
        InvalidateWindowArea(w, TRegion(TRect(0, 0, w->clientRect.Width(), w->clientRect.Height())), true, true);
        InvalidateFrame(w);
    }
    return old;
}

HWND GetAncestorTopLevel(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w ? TopLevelOf(w)->handle : nullptr;
}

HWND GetWindow(HWND hwnd, UINT relation)
{
    Window* w = Find(hwnd);
    if (!w)
        return nullptr;
    if (relation == GW_OWNER)
        return w->IsChild() ? nullptr : w->owner;
    if (relation == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front()->handle;
    auto& list = SiblingList(w);
    auto it = std::find(list.begin(), list.end(), w);
    switch (relation) {
    case GW_HWNDFIRST:
        return list.front()->handle;
    case GW_HWNDLAST:
        return list.back()->handle;
    case GW_HWNDNEXT:
        return (it + 1) == list.end() ? nullptr : (*(it + 1))->handle;
    case GW_HWNDPREV:
        return it == list.begin() ? nullptr : (*(it - 1))->handle;
    default:
        return nullptr;
    }
}

HWND GetTopWindow(HWND parent)
{
    if (!parent)
        return S().topLevels.empty() ? nullptr : S().topLevels.front()->handle;
    return GetWindow(parent, GW_CHILD);
}

std::vector<HWND> GetChildWindows(HWND parent)
{
    std::vector<HWND> out;
    if (Window* w = Find(parent))
        for (Window* c : w->children)
            out.push_back(c->handle);
    return out;
}

std::vector<HWND> GetTopLevelWindows()
{
    std::vector<HWND> out;
    for (Window* t : S().topLevels)
        out.push_back(t->handle);
    return out;
}

bool IsChild(HWND parent, HWND hwnd)
{
    Window* w = Find(hwnd);
    for (; w && w->IsChild(); w = w->parent)
        if (w->parent->handle == parent)
            return true;
    return false;
}

LONG GetWindowLong(HWND hwnd, int index)
{
    return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value)
{
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return static_cast<LONG>(SetWindowLongPtr(hwnd, index, static_cast<intptr_t>(static_cast<DWORD>(value))));
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, value));
}

intptr_t GetWindowLongPtr(HWND hwnd, int index)
{
    Window* w = Find(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<intptr_t>(w->style);
    case GWL_EXSTYLE:
        return static_cast<intptr_t>(w->exStyle);
    case GWL_ID:
        return w->id;
    case GWL_USERDATA:
        return w->userData;
    default:
        return 0;
    }
}

intptr_t SetWindowLongPtr(HWND hwnd, int index, intptr_t value)
{
    Window* w = Find(hwnd);
    if (!w)
        return 0;
    intptr_t old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWL_STYLE: {
        // Visibility and enabling change only through ShowWindow and EnableWindow.
        const DWORD keep = WS_VISIBLE | WS_DISABLED;
        const DWORD next = (static_cast<DWORD>(value) & ~keep) | (w->style & keep);
        SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(GWL_STYLE), 0);
        if (!(w = Find(hwnd)))
            return old;
        w->style = next;
        NativeStylesChanged(w);
        SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE), 0);
        break;
    }
    case GWL_EXSTYLE:
        SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(GWL_EXSTYLE), 0);
        if (!(w = Find(hwnd)))
            return old;
        w->exStyle = static_cast<DWORD>(value);
        if (!(w->exStyle & WS_EX_LAYERED))
            w->alpha = 255; // no longer layered: opaque
        NativeStylesChanged(w);
        SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(GWL_EXSTYLE), 0);
        break;
    case GWL_ID:
        w->id = static_cast<int>(value);
        break;
    case GWL_USERDATA:
        w->userData = value;
        break;
    default:
        break;
    }
    return old;
}

UINT GetClassStyle(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w ? w->cls->wc.style : 0;
}

std::string GetClassName(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w ? w->cls->wc.lpszClassName : std::string();
}

bool GetWindowRect(HWND hwnd, TRect& rect)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    rect = TRect(0, 0, w->rect.Width(), w->rect.Height()).Offset(WindowOriginOnScreen(w));
    return true;
}

bool GetClientRect(HWND hwnd, TRect& rect)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    rect = TRect(0, 0, w->clientRect.Width(), w->clientRect.Height());
    return true;
}

TRect WindowRect(HWND hwnd)
{
    TRect r;
    GetWindowRect(hwnd, r);
    return r;
}

TRect ClientRect(HWND hwnd)
{
    TRect r;
    GetClientRect(hwnd, r);
    return r;
}

bool ClientToScreen(HWND hwnd, TPoint& pt)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    pt = pt + ClientOriginOnScreen(w);
    return true;
}

bool ScreenToClient(HWND hwnd, TPoint& pt)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    pt = pt - ClientOriginOnScreen(w);
    return true;
}

void MapWindowPoints(HWND from, HWND to, TPoint* points, int count)
{
    TPoint delta;
    if (Window* f = Find(from))
        delta = delta + ClientOriginOnScreen(f);
    if (Window* t = Find(to))
        delta = delta - ClientOriginOnScreen(t);
    for (int i = 0; i < count; ++i)
        points[i] = points[i] + delta;
}

TRect MapWindowRect(HWND from, HWND to, const TRect& rect)
{
    TPoint pts[2] = {rect.TopLeft(), rect.BottomRight()};
    MapWindowPoints(from, to, pts, 2);
    return {pts[0], pts[1]};
}

void RecalcNonClient(HWND hwnd)
{
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int GetWindowTextLength(HWND hwnd)
{
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH));
}

std::string GetWindowText(HWND hwnd)
{
    std::string text;
    SendMessage(hwnd, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&text));
    return text;
}

bool SetWindowText(HWND hwnd, const std::string& text)
{
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&text)) != 0;
}

int GetDlgCtrlID(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w ? w->id : 0;
}

HWND GetDlgItem(HWND parent, int id)
{
    Window* p = Find(parent);
    if (!p)
        return nullptr;
    for (Window* c : p->children)
        if (c->id == id)
            return c->handle;
    return nullptr;
}

bool SetWindowRegion(HWND hwnd, const TRegion* region, bool redraw)
{
    Window* w = Find(hwnd);
    if (!w)
        return false;
    if (w->IsChild() && redraw)
        InvalidateWindowArea(w->parent, TRegion(w->rect), true, true);
    w->windowRegion = region ? std::make_unique<TRegion>(*region) : nullptr;
    if (redraw) {
        InvalidateFrame(w);
        InvalidateRect(hwnd, nullptr, true);
    }
    return true;
}

namespace ws {

void FreeGraveyard()
{
    if (S().sendDepth == 0)
        S().graveyard.clear();
}

std::vector<Window*>& SiblingsOf(Window* w)
{
    return SiblingList(w);
}

void MoveInZOrder(Window* w, HWND insertAfter)
{
    auto& list = SiblingList(w);
    if (w->IsTopLevel()) {
        if (insertAfter == HWND_TOPMOST)
            w->exStyle |= WS_EX_TOPMOST;
        else if (insertAfter == HWND_NOTOPMOST)
            w->exStyle &= ~WS_EX_TOPMOST;
    }
    Unlink(w);
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        if (w->IsTopLevel())
            InsertTopLevel(w, true);
        else
            list.insert(list.begin(), w);
    } else if (insertAfter == HWND_BOTTOM) {
        if (w->IsTopLevel())
            InsertTopLevel(w, false);
        else
            list.push_back(w);
    } else {
        Window* after = Find(insertAfter);
        auto it = std::find(list.begin(), list.end(), after);
        list.insert(it == list.end() ? list.end() : it + 1, w);
    }
}

} // namespace ws
