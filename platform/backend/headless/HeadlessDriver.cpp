#include "platform/backend/headless/HeadlessDriver.h"

#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/GraphicsSystem.h"
#include "platform/window/WinApi.h"

#include <memory>

namespace {

// Decodes UTF-8 into code points; malformed bytes become U+FFFD.
std::u32string DecodeUtf8(const std::string& s)
{
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + len > s.size()) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t cp = len == 1 ? c : c & (0xFF >> (len + 1));
        for (int k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(cp);
        i += len;
    }
    return out;
}

} // namespace

THeadlessDriver::THeadlessDriver()
{
    EnsureGraphicsSystem();
    auto backend = std::make_unique<THeadlessBackend>();
    m_backend = backend.get();
    SetWindowBackend(std::move(backend));
}

THeadlessDriver::~THeadlessDriver()
{
    ShutdownWindowSystem();
}

void THeadlessDriver::Pump()
{
    // Inside an idle action the waiting loop itself handles what was injected.
    if (!m_backend->RunningIdleAction())
        ProcessPendingMessages();
}

void THeadlessDriver::AdvanceTime(DWORD ms)
{
    const DWORD end = m_backend->TickCount() + ms;
    if (m_backend->RunningIdleAction()) {
        // A step of a waiting loop: the loop fires what fell due when the step returns.
        m_backend->SetTickCount(end);
        return;
    }
    Pump();
    for (;;) {
        const int next = MillisecondsToNextTimerForTests();
        const int32_t left = static_cast<int32_t>(end - m_backend->TickCount());
        if (next < 0 || next > left)
            break;
        m_backend->SetTickCount(m_backend->TickCount() + static_cast<DWORD>(next));
        Pump();
    }
    m_backend->SetTickCount(end);
    Pump();
}

void THeadlessDriver::MoveTo(TPoint p)
{
    RawInput::MouseMove(p);
    Pump();
}

void THeadlessDriver::Press(TPoint p, TMouseButton b)
{
    RawInput::MouseButton(p, b, true);
    Pump();
}

void THeadlessDriver::Release(TPoint p, TMouseButton b)
{
    RawInput::MouseButton(p, b, false);
    Pump();
}

void THeadlessDriver::Click(TPoint p, TMouseButton b)
{
    RawInput::MouseMove(p);
    RawInput::MouseButton(p, b, true);
    RawInput::MouseButton(p, b, false);
    Pump();
    // Consecutive clicks are separate clicks, not a double click.
    m_backend->SetTickCount(m_backend->TickCount() + GetDoubleClickTime() + 1);
}

void THeadlessDriver::DoubleClick(TPoint p)
{
    RawInput::MouseMove(p);
    RawInput::MouseButton(p, TMouseButton::mbLeft, true);
    RawInput::MouseButton(p, TMouseButton::mbLeft, false);
    Pump();
    m_backend->SetTickCount(m_backend->TickCount() + 50);
    RawInput::MouseButton(p, TMouseButton::mbLeft, true);
    RawInput::MouseButton(p, TMouseButton::mbLeft, false);
    Pump();
    m_backend->SetTickCount(m_backend->TickCount() + GetDoubleClickTime() + 1);
}

void THeadlessDriver::Drag(TPoint from, TPoint to, int steps)
{
    MoveTo(from);
    // The moves and the release wait as steps of a loop: a press that starts a loop of
    // its own (a modal drag) takes them from there; otherwise they run after the press.
    steps = std::max(1, steps);
    const size_t before = m_backend->PendingIdleActions();
    for (int i = 1; i <= steps; ++i) {
        const TPoint p{from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps};
        m_backend->PushIdleAction([p] { RawInput::MouseMove(p); });
    }
    m_backend->PushIdleAction([to] { RawInput::MouseButton(to, TMouseButton::mbLeft, false); });
    Press(from);
    while (m_backend->PendingIdleActions() > before) {
        m_backend->RunIdleAction();
        Pump();
    }
}

void THeadlessDriver::Wheel(TPoint p, int delta)
{
    RawInput::MouseWheel(p, delta);
    Pump();
}

TPoint THeadlessDriver::ToScreen(HWND hwnd, TPoint clientPt) const
{
    ClientToScreen(hwnd, clientPt);
    return clientPt;
}

char32_t THeadlessDriver::CharacterFor(WORD vk, unsigned modifiers)
{
    const bool shift = modifiers & Shift;
    const bool ctrl = modifiers & Ctrl;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl)
            return static_cast<char32_t>(vk - 'A' + 1);
        return shift ? vk : static_cast<char32_t>(vk - 'A' + 'a');
    }
    if (ctrl)
        return 0;
    if (vk >= '0' && vk <= '9' && !shift)
        return vk;
    switch (vk) {
    case VK_SPACE:
        return U' ';
    case VK_RETURN:
        return U'\r';
    case VK_ESCAPE:
        return 0x1B;
    case VK_BACK:
        return 0x08;
    case VK_TAB:
        return U'\t';
    case VK_ADD:
        return U'+';
    case VK_SUBTRACT:
        return U'-';
    case VK_OEM_MINUS:
        return shift ? U'_' : U'-';
    case VK_OEM_PLUS:
        return shift ? U'+' : U'=';
    default:
        return 0;
    }
}

void THeadlessDriver::KeyDown(WORD vk, unsigned modifiers)
{
    RawInput::Key(vk, true, CharacterFor(vk, modifiers));
    Pump();
}

void THeadlessDriver::KeyUp(WORD vk, unsigned)
{
    RawInput::Key(vk, false);
    Pump();
}

void THeadlessDriver::PressKey(WORD vk, unsigned modifiers)
{
    if (modifiers & Shift)
        RawInput::Key(VK_SHIFT, true);
    if (modifiers & Ctrl)
        RawInput::Key(VK_CONTROL, true);
    if (modifiers & Alt)
        RawInput::Key(VK_MENU, true);
    RawInput::Key(vk, true, CharacterFor(vk, modifiers));
    RawInput::Key(vk, false);
    if (modifiers & Alt)
        RawInput::Key(VK_MENU, false);
    if (modifiers & Ctrl)
        RawInput::Key(VK_CONTROL, false);
    if (modifiers & Shift)
        RawInput::Key(VK_SHIFT, false);
    Pump();
}

void THeadlessDriver::Type(const std::string& utf8)
{
    for (char32_t ch : DecodeUtf8(utf8)) {
        WORD vk = 0;
        bool shift = false;
        if (ch >= 'a' && ch <= 'z')
            vk = static_cast<WORD>(ch - 'a' + 'A');
        else if (ch >= 'A' && ch <= 'Z') {
            vk = static_cast<WORD>(ch);
            shift = true;
        } else if (ch >= '0' && ch <= '9')
            vk = static_cast<WORD>(ch);
        else if (ch == ' ')
            vk = VK_SPACE;
        if (!vk) {
            RawInput::Text(ch);
            continue;
        }
        if (shift)
            RawInput::Key(VK_SHIFT, true);
        RawInput::Key(vk, true, ch);
        RawInput::Key(vk, false);
        if (shift)
            RawInput::Key(VK_SHIFT, false);
    }
    Pump();
}

void THeadlessDriver::PaintAll()
{
    Pump();
    for (HWND h : GetTopLevelWindows())
        RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool THeadlessDriver::SavePng(HWND topLevel, const std::string& path)
{
    PaintAll();
    const TBitmap* surface = WindowSurface(topLevel);
    return surface && surface->SaveToPngFile(path);
}
