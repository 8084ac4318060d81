// Raw input from the back ends, and its conversion into window messages.
#include "platform/window/WindowSystem_p.h"

#include "platform/core/VirtualKeys.h"

#include <cstdlib>

using namespace ws;

namespace {

constexpr uint8_t kDown = 0x80;
constexpr uint8_t kToggled = 0x01;

WORD ButtonVk(TMouseButton b)
{
    switch (b) {
    case TMouseButton::mbRight:
        return VK_RBUTTON;
    case TMouseButton::mbMiddle:
        return VK_MBUTTON;
    default:
        return VK_LBUTTON;
    }
}

UINT ClientButtonMessage(TMouseButton b, bool down, bool dbl)
{
    const UINT base = b == TMouseButton::mbLeft ? WM_LBUTTONDOWN : b == TMouseButton::mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    return dbl ? base + 2 : (down ? base : base + 1);
}

UINT NcButtonMessage(TMouseButton b, bool down, bool dbl)
{
    const UINT base = b == TMouseButton::mbLeft ? WM_NCLBUTTONDOWN : b == TMouseButton::mbRight ? WM_NCRBUTTONDOWN : WM_NCMBUTTONDOWN;
    return dbl ? base + 2 : (down ? base : base + 1);
}

void SetKey(uint8_t* table, WORD vk, bool down)
{
    if (down) {
        if (!(table[vk] & kDown))
            table[vk] ^= kToggled;
        table[vk] |= kDown;
    } else {
        table[vk] &= static_cast<uint8_t>(~kDown);
    }
}

// Left/right variants keep the generic Shift, Ctrl and Alt in step.
void SetKeyWithGeneric(uint8_t* table, WORD vk, bool down)
{
    SetKey(table, vk, down);
    if (vk == VK_LSHIFT || vk == VK_RSHIFT)
        SetKey(table, VK_SHIFT, down);
    if (vk == VK_LCONTROL || vk == VK_RCONTROL)
        SetKey(table, VK_CONTROL, down);
    if (vk == VK_LMENU || vk == VK_RMENU)
        SetKey(table, VK_MENU, down);
}

WPARAM MouseFlags(const uint8_t* table)
{
    WPARAM f = 0;
    if (table[VK_LBUTTON] & kDown)
        f |= MK_LBUTTON;
    if (table[VK_RBUTTON] & kDown)
        f |= MK_RBUTTON;
    if (table[VK_MBUTTON] & kDown)
        f |= MK_MBUTTON;
    if (table[VK_SHIFT] & kDown)
        f |= MK_SHIFT;
    if (table[VK_CONTROL] & kDown)
        f |= MK_CONTROL;
    return f;
}

void Push(RawEvent raw)
{
    raw.time = GetTickCount();
    QueueEntry e;
    e.isRaw = true;
    e.raw = raw;
    Enqueue(e);
}

// The window under the pointer and its hit-test code; the capture window takes all.
HWND TargetAt(TPoint pt, LRESULT& hit)
{
    auto& s = S();
    if (Find(s.capture)) {
        hit = HTCLIENT;
        return s.capture;
    }
    HWND target = WindowFromPoint(pt);
    hit = target ? SendMessage(target, WM_NCHITTEST, 0, LParamFromPoint(pt)) : HTNOWHERE;
    return target;
}

// The window the pointer left hears it at once, before the window it moved to gets
// the move, so that a leave always comes before the next enter.
void NotifyLeave(HWND newTarget)
{
    auto& s = S();
    s.hoverWindow = newTarget;
    if (s.trackLeave && s.trackLeaveWindow && s.trackLeaveWindow != newTarget) {
        const HWND left = s.trackLeaveWindow;
        s.trackLeave = false;
        s.trackLeaveWindow = nullptr;
        if (Find(left))
            SendMessage(left, WM_MOUSELEAVE, 0, 0);
    }
}

bool MouseHookSwallows(UINT message, HWND hwnd, TPoint pt, LRESULT hit)
{
    if (!HasHooks(WH_MOUSE))
        return false;
    MOUSEHOOKSTRUCT mhs;
    mhs.pt = pt;
    mhs.hwnd = hwnd;
    mhs.wHitTestCode = static_cast<UINT>(hit);
    return CallHooks(WH_MOUSE, HC_ACTION, message, reinterpret_cast<LPARAM>(&mhs)) != 0;
}

MSG MakeMouseMessage(HWND target, LRESULT hit, UINT clientMsg, UINT ncMsg, TPoint pt, WPARAM extra, DWORD time)
{
    MSG m;
    m.hwnd = target;
    m.time = time;
    m.pt = pt;
    if (hit == HTCLIENT) {
        TPoint local = pt;
        ScreenToClient(target, local);
        m.message = clientMsg;
        m.wParam = MouseFlags(S().keySync) | extra;
        m.lParam = LParamFromPoint(local);
    } else {
        m.message = ncMsg;
        m.wParam = static_cast<WPARAM>(hit);
        m.lParam = LParamFromPoint(pt);
    }
    return m;
}

// The window under the pointer lies on a top-level window that is disabled (a form
// disabled while a modal one runs): it gets no mouse messages, though hooks see them.
bool OnDisabledTopLevel(HWND target)
{
    Window* w = Find(target);
    Window* top = w ? TopLevelOf(w) : nullptr;
    return top && (top->style & WS_DISABLED);
}

bool ConvertMouseMove(const RawEvent& raw, MSG& out)
{
    auto& s = S();
    LRESULT hit;
    const HWND target = TargetAt(raw.pt, hit);
    NotifyLeave(target);
    if (!target)
        return false;
    if (!s.capture && OnDisabledTopLevel(target)) {
        // The hook sees the move as a disabled window reports it.
        if (!MouseHookSwallows(WM_NCMOUSEMOVE, target, raw.pt, HTERROR) && Find(target))
            SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MakeLParam(static_cast<int>(HTERROR), WM_MOUSEMOVE));
        return false;
    }
    if (!s.capture)
        SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MakeLParam(static_cast<int>(hit), WM_MOUSEMOVE));
    if (!Find(target) || MouseHookSwallows(hit == HTCLIENT ? WM_MOUSEMOVE : WM_NCMOUSEMOVE, target, raw.pt, hit))
        return false;
    out = MakeMouseMessage(target, hit, WM_MOUSEMOVE, WM_NCMOUSEMOVE, raw.pt, 0, raw.time);
    return true;
}

// Activation by a click: WM_MOUSEACTIVATE decides; answers false when the click is eaten.
bool ActivateByClick(HWND target, LRESULT hit, UINT message)
{
    auto& s = S();
    Window* w = Find(target);
    Window* top = w ? TopLevelOf(w) : nullptr;
    if (!top || top->handle == s.active)
        return true;
    const LRESULT answer = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                                       MakeLParam(static_cast<int>(hit), static_cast<int>(message)));
    if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && (top = Find(top->handle)))
        ActivateTopLevel(top, WA_CLICKACTIVE);
    return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

// A click on a window disabled by a modal form brings that form forward instead.
void ClickOnDisabledTopLevel(HWND target)
{
    Window* w = Find(target);
    Window* top = w ? TopLevelOf(w) : nullptr;
    if (!top)
        return;
    for (Window* t : S().topLevels)
        if (t->owner == top->handle && (t->style & WS_VISIBLE) && !(t->style & WS_DISABLED)) {
            ActivateTopLevel(t, WA_ACTIVE);
            break;
        }
    MessageBeep(0);
}

bool IsDoubleClick(HWND target, const RawEvent& raw)
{
    auto& s = S();
    const ClickState& last = s.lastClick;
    const int slopX = 2, slopY = 2;
    return last.valid && last.hwnd == target && last.button == raw.button &&
           static_cast<DWORD>(raw.time - last.time) <= s.doubleClickTime && std::abs(raw.pt.X - last.pt.X) <= slopX &&
           std::abs(raw.pt.Y - last.pt.Y) <= slopY;
}

bool ConvertMouseButton(const RawEvent& raw, MSG& out)
{
    auto& s = S();
    SetKey(s.keySync, ButtonVk(raw.button), raw.down);
    LRESULT hit;
    const HWND target = TargetAt(raw.pt, hit);
    NotifyLeave(target);
    if (!target)
        return false;
    if (!s.capture && OnDisabledTopLevel(target)) {
        // The hook sees the press first, as a disabled window reports it, and may take
        // it (customize mode does); otherwise a press beeps.
        if (MouseHookSwallows(NcButtonMessage(raw.button, raw.down, false), target, raw.pt, HTERROR))
            return false;
        if (raw.down)
            ClickOnDisabledTopLevel(target);
        return false;
    }
    if (!raw.down) {
        const UINT upMsg = hit == HTCLIENT ? ClientButtonMessage(raw.button, false, false) : NcButtonMessage(raw.button, false, false);
        if (MouseHookSwallows(upMsg, target, raw.pt, hit))
            return false;
        out = MakeMouseMessage(target, hit, ClientButtonMessage(raw.button, false, false),
                               NcButtonMessage(raw.button, false, false), raw.pt, 0, raw.time);
        return true;
    }
    const UINT downMsg = hit == HTCLIENT ? ClientButtonMessage(raw.button, true, false) : NcButtonMessage(raw.button, true, false);
    if (!s.capture) {
        if (!ActivateByClick(target, hit, downMsg))
            return false;
        if (!Find(target))
            return false;
        SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MakeLParam(static_cast<int>(hit), static_cast<int>(downMsg)));
        if (!Find(target))
            return false;
    }
    const bool classDbl = (GetClassStyle(target) & CS_DBLCLKS) != 0 || hit != HTCLIENT;
    const bool dbl = classDbl && IsDoubleClick(target, raw);
    if (dbl) {
        s.lastClick.valid = false;
    } else {
        s.lastClick = ClickState{target, raw.button, raw.time, raw.pt, true};
    }
    // The hook sees the message the window will get: client or non-client, single or double.
    const UINT message = hit == HTCLIENT ? ClientButtonMessage(raw.button, true, dbl) : NcButtonMessage(raw.button, true, dbl);
    if (MouseHookSwallows(message, target, raw.pt, hit))
        return false;
    out = MakeMouseMessage(target, hit, ClientButtonMessage(raw.button, true, dbl), NcButtonMessage(raw.button, true, dbl), raw.pt, 0, raw.time);
    return true;
}

bool ConvertWheel(const RawEvent& raw, MSG& out)
{
    auto& s = S();
    HWND target = s.focus ? s.focus : s.active;
    if (!Find(target))
        return false;
    if (MouseHookSwallows(WM_MOUSEWHEEL, target, raw.pt, HTCLIENT))
        return false;
    out = MSG{};
    out.hwnd = target;
    out.message = WM_MOUSEWHEEL;
    out.wParam = MakeWParam(static_cast<int>(MouseFlags(s.keySync)), raw.delta);
    out.lParam = LParamFromPoint(raw.pt);
    out.time = raw.time;
    out.pt = raw.pt;
    return true;
}

bool ConvertKey(const RawEvent& raw, MSG& out)
{
    auto& s = S();
    const bool wasDown = (s.keySync[raw.vk] & kDown) != 0;
    SetKeyWithGeneric(s.keySync, raw.vk, raw.down);
    const bool alt = (s.keySync[VK_MENU] & kDown) != 0;
    const bool ctrl = (s.keySync[VK_CONTROL] & kDown) != 0;
    HWND target = s.focus;
    bool sys = (alt && !ctrl) || raw.vk == VK_F10 || raw.vk == VK_MENU;
    if (!Find(target)) {
        // Without a focus window the active window receives keys as system keys.
        target = s.active;
        sys = true;
    }
    if (!Find(target))
        return false;
    LPARAM lParam = 1;
    if (alt)
        lParam |= KF_ALTDOWN_LPARAM;
    if (wasDown)
        lParam |= KF_REPEAT_LPARAM;
    if (!raw.down)
        lParam |= KF_UP_LPARAM | KF_REPEAT_LPARAM;
    if (HasHooks(WH_KEYBOARD) && CallHooks(WH_KEYBOARD, HC_ACTION, raw.vk, lParam) != 0)
        return false;
    out = MSG{};
    out.hwnd = target;
    out.message = raw.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    out.wParam = raw.vk;
    out.lParam = lParam;
    out.time = raw.time;
    out.pt = s.cursorPos;
    if (raw.down) {
        s.pendingChar = raw.text;
        s.pendingCharVk = raw.vk;
    }
    return true;
}

} // namespace

namespace ws {

bool ConvertRawEvent(const RawEvent& raw, MSG& out)
{
    auto& s = S();
    switch (raw.kind) {
    case RawKind::MouseMove:
        s.cursorPos = raw.pt;
        return ConvertMouseMove(raw, out);
    case RawKind::MouseButton:
        s.cursorPos = raw.pt;
        return ConvertMouseButton(raw, out);
    case RawKind::MouseWheel:
        return ConvertWheel(raw, out);
    case RawKind::Key:
        return ConvertKey(raw, out);
    case RawKind::Text: {
        RawEvent key = raw;
        key.vk = VK_PACKET;
        key.down = true;
        return ConvertKey(key, out);
    }
    case RawKind::MouseLeave:
        NotifyLeave(nullptr);
        return false;
    }
    return false;
}

void ResetKeyboardState()
{
    for (auto& k : S().keySync)
        k &= kToggled;
    for (auto& k : S().keyAsync)
        k &= kToggled;
}

} // namespace ws

namespace RawInput {

void MouseMove(TPoint screenPt)
{
    RawEvent raw;
    raw.kind = RawKind::MouseMove;
    raw.pt = screenPt;
    Push(raw);
}

void MouseButton(TPoint screenPt, TMouseButton button, bool down)
{
    SetKey(S().keyAsync, ButtonVk(button), down);
    RawEvent raw;
    raw.kind = RawKind::MouseButton;
    raw.pt = screenPt;
    raw.button = button;
    raw.down = down;
    Push(raw);
}

void MouseWheel(TPoint screenPt, int delta)
{
    RawEvent raw;
    raw.kind = RawKind::MouseWheel;
    raw.pt = screenPt;
    raw.delta = delta;
    Push(raw);
}

void Key(WORD vk, bool down, char32_t text)
{
    SetKeyWithGeneric(S().keyAsync, vk, down);
    RawEvent raw;
    raw.kind = RawKind::Key;
    raw.vk = vk;
    raw.down = down;
    raw.text = down ? text : 0;
    Push(raw);
}

void Text(char32_t ch)
{
    RawEvent raw;
    raw.kind = RawKind::Text;
    raw.text = ch;
    Push(raw);
}

void MouseLeftAll()
{
    RawEvent raw;
    raw.kind = RawKind::MouseLeave;
    Push(raw);
}

void NativeActivated(HWND topLevel, bool active)
{
    Window* w = Find(topLevel);
    if (active) {
        if (w && w->IsTopLevel() && !(w->exStyle & WS_EX_NOACTIVATE) && S().active != topLevel)
            ActivateTopLevel(w, WA_ACTIVE);
    } else if (S().active == topLevel) {
        ActivateTopLevel(nullptr, WA_INACTIVE);
    }
}

void NativeGeometryChanged(HWND topLevel, const TRect& screenRect)
{
    Window* w = Find(topLevel);
    if (!w || w->rect == screenRect)
        return;
    SetWindowPos(topLevel, nullptr, screenRect.Left, screenRect.Top, screenRect.Width(), screenRect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativeExposed(HWND topLevel)
{
    Window* w = Find(topLevel);
    if (w && w->surface && S().backend)
        S().backend->Present(topLevel, *w->surface, TRect(0, 0, w->rect.Width(), w->rect.Height()));
}

void NativeCloseRequested(HWND topLevel)
{
    if (Find(topLevel))
        PostMessage(topLevel, WM_SYSCOMMAND, SC_CLOSE, 0);
}

} // namespace RawInput

int16_t GetKeyState(int vk)
{
    const uint8_t v = S().keySync[vk & 0xFF];
    return static_cast<int16_t>(((v & kDown) ? 0x8000 : 0) | (v & kToggled));
}

int16_t GetAsyncKeyState(int vk)
{
    const uint8_t v = S().keyAsync[vk & 0xFF];
    return static_cast<int16_t>((v & kDown) ? 0x8000 : 0);
}

WPARAM CurrentMouseKeyFlags()
{
    return MouseFlags(S().keySync);
}

UINT GetDoubleClickTime()
{
    return S().doubleClickTime;
}

bool SetDoubleClickTime(UINT ms)
{
    S().doubleClickTime = ms ? ms : 500;
    return true;
}

bool GetCursorPos(TPoint& pt)
{
    pt = S().cursorPos;
    return true;
}

bool SetCursorPos(int x, int y)
{
    auto& s = S();
    s.cursorPos = {x, y};
    if (s.backend)
        s.backend->SetCursorPos(s.cursorPos);
    return true;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    auto& s = S();
    const HCURSOR old = s.cursor;
    if (cursor != old) {
        s.cursor = cursor;
        if (s.backend)
            s.backend->SetCursorShape(s.cursorShowCount >= 0 ? CursorShapeFor(cursor) : 0);
    }
    return old;
}

HCURSOR GetCursor()
{
    return S().cursor;
}

int ShowCursor(bool show)
{
    auto& s = S();
    s.cursorShowCount += show ? 1 : -1;
    if (s.backend)
        s.backend->SetCursorShape(s.cursorShowCount >= 0 ? CursorShapeFor(s.cursor) : 0);
    return s.cursorShowCount;
}

bool TrackMouseEvent(TRACKMOUSEEVENT& tme)
{
    auto& s = S();
    if (tme.dwFlags & TME_CANCEL) {
        if (s.trackLeaveWindow == tme.hwndTrack) {
            s.trackLeave = false;
            s.trackLeaveWindow = nullptr;
        }
        return true;
    }
    if (!(tme.dwFlags & TME_LEAVE) || !Find(tme.hwndTrack))
        return false;
    if (s.hoverWindow != tme.hwndTrack) {
        PostMessage(tme.hwndTrack, WM_MOUSELEAVE, 0, 0);
        return true;
    }
    s.trackLeave = true;
    s.trackLeaveWindow = tme.hwndTrack;
    return true;
}

int DragThreshold()
{
    return 5;
}
