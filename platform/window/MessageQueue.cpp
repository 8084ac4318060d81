// The message queue: sending, posting, retrieval order, dispatching and nested loops.
//
// Retrieval follows the classic order: posted messages and input (in the order they
// arrived), then WM_QUIT, then WM_PAINT for windows with an update region, then WM_TIMER.
// Raw input is turned into window messages only when it is retrieved, so hit testing,
// activation and key state are those of the moment the program sees the input.
#include "platform/window/WindowSystem_p.h"

#include "platform/core/Exception.h"

#include <thread>

using namespace ws;

namespace {

std::thread::id g_uiThread = std::this_thread::get_id();

struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};

bool InRange(UINT message, UINT filterMin, UINT filterMax)
{
    if (filterMin == 0 && filterMax == 0)
        return true;
    return message >= filterMin && message <= filterMax;
}

bool MatchesWindow(HWND msgWindow, HWND filter)
{
    return !filter || msgWindow == filter || IsChild(filter, msgWindow);
}

// Raw input of a kind the range filter lets through.
bool RawMatchesRange(const RawEvent& raw, UINT filterMin, UINT filterMax)
{
    if (filterMin == 0 && filterMax == 0)
        return true;
    switch (raw.kind) {
    case RawKind::Key:
    case RawKind::Text:
        return filterMin <= WM_KEYLAST && filterMax >= WM_KEYFIRST;
    case RawKind::MouseLeave:
        return InRange(WM_MOUSELEAVE, filterMin, filterMax);
    default:
        return (filterMin <= WM_MOUSELAST && filterMax >= WM_MOUSEFIRST) ||
               (filterMin <= WM_NCMBUTTONDBLCLK && filterMax >= WM_NCMOUSEMOVE);
    }
}

std::function<void(MSG&)>& Processor()
{
    static std::function<void(MSG&)> processor;
    return processor;
}

// Looks for the next posted message or input; converts raw input on the way.
bool TakeQueued(MSG& out, HWND filter, UINT filterMin, UINT filterMax, bool remove)
{
    auto& s = S();
    for (;;) {
        QueueEntry entry;
        size_t index = 0;
        bool found = false;
        {
            std::lock_guard lock(s.queueMutex);
            for (; index < s.queue.size(); ++index) {
                const QueueEntry& e = s.queue[index];
                if (e.isRaw) {
                    // Input is handled strictly in order and only by unfiltered loops.
                    if (filter || !RawMatchesRange(e.raw, filterMin, filterMax))
                        break;
                    entry = e;
                    found = true;
                    break;
                }
                if (MatchesWindow(e.msg.hwnd, filter) && InRange(e.msg.message, filterMin, filterMax)) {
                    entry = e;
                    found = true;
                    break;
                }
            }
            if (found && remove)
                s.queue.erase(s.queue.begin() + static_cast<std::ptrdiff_t>(index));
        }
        if (!found)
            return false;
        if (!entry.isRaw) {
            out = entry.msg;
            return true;
        }
        MSG converted;
        const bool produced = ConvertRawEvent(entry.raw, converted);
        if (!produced)
            continue; // swallowed by a hook, or no window under the pointer
        if (!remove) {
            // Keep the converted message at the front so that it is not converted twice.
            std::lock_guard lock(s.queueMutex);
            QueueEntry keep;
            keep.msg = converted;
            if (index < s.queue.size() && s.queue[index].isRaw)
                s.queue[index] = keep;
        }
        out = converted;
        return true;
    }
}

bool PeekInternal(MSG& msg, HWND filter, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    auto& s = S();
    FreeGraveyard();
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    if (TakeQueued(msg, filter, filterMin, filterMax, remove)) {
        if (remove)
            s.lastMessage = msg;
        return true;
    }
    if (s.quitPosted && InRange(WM_QUIT, filterMin, filterMax)) {
        msg = MSG{};
        msg.message = WM_QUIT;
        msg.wParam = static_cast<WPARAM>(s.quitCode);
        msg.time = GetTickCount();
        if (remove)
            s.quitPosted = false;
        return true;
    }
    if (InRange(WM_PAINT, filterMin, filterMax) && HasPendingPaint()) {
        while (Window* w = NextWindowToPaint()) {
            if (filter && !MatchesWindow(w->handle, filter))
                break;
            if (w->updateRegion.IsEmpty() && !w->internalPaint) {
                // Only the frame needs painting: do it now and look further.
                w->frameDirty = false;
                Send(w, WM_NCPAINT, 1, 0);
                continue;
            }
            msg = MSG{};
            msg.hwnd = w->handle;
            msg.message = WM_PAINT;
            msg.time = GetTickCount();
            msg.pt = s.cursorPos;
            return true;
        }
    }
    if (InRange(WM_TIMER, filterMin, filterMax) && TakeDueTimer(filter, msg)) {
        if (!remove)
            for (Timer& t : s.timers)
                if (t.hwnd == msg.hwnd && t.id == msg.wParam)
                    t.pending = false;
        return true;
    }
    return false;
}

} // namespace

namespace ws {

void Enqueue(const QueueEntry& e)
{
    auto& s = S();
    {
        std::lock_guard lock(s.queueMutex);
        s.queue.push_back(e);
    }
    if (std::this_thread::get_id() != g_uiThread && s.backend)
        s.backend->Wake();
}

} // namespace ws

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& s = S();
    Window* w = Find(hwnd);
    if (!w)
        return 0;
    if (HasHooks(WH_CALLWNDPROC)) {
        CWPSTRUCT cwp{lParam, wParam, msg, hwnd};
        CallHooks(WH_CALLWNDPROC, HC_ACTION, 1, reinterpret_cast<LPARAM>(&cwp));
        if (!(w = Find(hwnd)))
            return 0;
    }
    std::shared_ptr<const WNDPROC> proc = w->proc;
    DepthGuard guard(s.sendDepth);
    if (proc && *proc)
        return (*proc)(hwnd, msg, wParam, lParam);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && std::this_thread::get_id() == g_uiThread && !Find(hwnd))
        return false;
    QueueEntry e;
    e.msg.hwnd = hwnd;
    e.msg.message = msg;
    e.msg.wParam = wParam;
    e.msg.lParam = lParam;
    e.msg.time = GetTickCount();
    e.msg.pt = S().cursorPos;
    Enqueue(e);
    return true;
}

void PostQuitMessage(int exitCode)
{
    S().quitPosted = true;
    S().quitCode = exitCode;
}

bool PeekMessage(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    return PeekInternal(msg, hwnd, filterMin, filterMax, removeFlags);
}

bool GetMessage(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    auto& s = S();
    for (;;) {
        if (PeekInternal(msg, hwnd, filterMin, filterMax, PM_REMOVE))
            return msg.message != WM_QUIT;
        PresentDirty();
        if (!s.backend)
            throw EInvalidOperation("The window system has no back end to wait on.");
        s.backend->WaitForEvents(MillisecondsToNextTimer());
    }
}

bool WaitMessage()
{
    auto& s = S();
    MSG msg;
    if (PeekInternal(msg, nullptr, 0, 0, PM_NOREMOVE))
        return true;
    PresentDirty();
    if (!s.backend)
        return false;
    s.backend->WaitForEvents(MillisecondsToNextTimer());
    return true;
}

bool TranslateMessage(const MSG& msg)
{
    auto& s = S();
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    if (!s.pendingChar || s.pendingCharVk != static_cast<WORD>(msg.wParam))
        return false;
    QueueEntry e;
    e.msg.hwnd = msg.hwnd;
    e.msg.message = msg.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    e.msg.wParam = static_cast<WPARAM>(s.pendingChar);
    e.msg.lParam = msg.lParam;
    e.msg.time = msg.time;
    e.msg.pt = msg.pt;
    s.pendingChar = 0;
    {
        std::lock_guard lock(s.queueMutex);
        s.queue.push_front(e);
    }
    return true;
}

LRESULT DispatchMessage(const MSG& msg)
{
    auto& s = S();
    if (msg.message == WM_TIMER && msg.lParam) {
        for (const Timer& t : s.timers)
            if (t.hwnd == msg.hwnd && t.id == msg.wParam && t.proc) {
                TIMERPROC proc = t.proc;
                proc(msg.hwnd, WM_TIMER, msg.wParam, GetTickCount());
                return 0;
            }
        return 0;
    }
    if (msg.message == WM_WORKERFRAME) {
        ApplyWorkerFrames(msg.hwnd);
        return 0;
    }
    Window* w = Find(msg.hwnd);
    if (!w)
        return 0;
    std::shared_ptr<const WNDPROC> proc = w->proc;
    LRESULT result;
    {
        DepthGuard guard(s.sendDepth);
        result = proc && *proc ? (*proc)(msg.hwnd, msg.message, msg.wParam, msg.lParam)
                               : DefWindowProc(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    }
    if (msg.message == WM_PAINT) {
        // A procedure that ignored WM_PAINT must not make it come back for ever.
        if ((w = Find(msg.hwnd))) {
            w->updateRegion = TRegion();
            w->eraseNeeded = false;
            w->internalPaint = false;
        }
    }
    return result;
}

DWORD GetMessageTime()
{
    return S().lastMessage.time;
}

TPoint GetMessagePos()
{
    return S().lastMessage.pt;
}

int MessageLoopDepth()
{
    return S().loopDepth;
}

void SetMessageProcessor(std::function<void(MSG&)> processor)
{
    Processor() = std::move(processor);
}

void ProcessMessage(MSG& msg)
{
    if (Processor()) {
        Processor()(msg);
        return;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
}

bool RunMessageLoop(const std::function<bool()>& done)
{
    auto& s = S();
    DepthGuard guard(s.loopDepth);
    while (!done()) {
        MSG msg;
        if (!GetMessage(msg)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ProcessMessage(msg);
    }
    return true;
}

bool ProcessPendingMessages()
{
    MSG msg;
    while (PeekInternal(msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ProcessMessage(msg);
    }
    PresentDirty();
    return true;
}

namespace ws {

void MarkUiThread()
{
    g_uiThread = std::this_thread::get_id();
}

bool OnUiThread()
{
    return std::this_thread::get_id() == g_uiThread;
}

} // namespace ws
