// Timers per window and id, fired as WM_TIMER when the queue has nothing more urgent.
#include "platform/window/WindowSystem_p.h"

#include <algorithm>
#include <climits>

using namespace ws;

namespace {

constexpr UINT kMinimumElapse = 10;

// True when `now` has reached `due`, comparing the wrapping difference.
bool Reached(DWORD now, DWORD due)
{
    return static_cast<int32_t>(now - due) >= 0;
}

} // namespace

uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs, TIMERPROC proc)
{
    auto& s = S();
    if (hwnd && !Find(hwnd))
        return 0;
    if (!hwnd && id == 0) {
        static uintptr_t nextId = 0x7000;
        id = ++nextId;
    }
    const UINT elapse = std::max(elapseMs, kMinimumElapse);
    const DWORD now = GetTickCount();
    for (Timer& t : s.timers)
        if (t.hwnd == hwnd && t.id == id) {
            t.elapse = elapse;
            t.due = now + elapse;
            t.proc = std::move(proc);
            return hwnd ? 1 : id;
        }
    Timer t;
    t.hwnd = hwnd;
    t.id = id;
    t.elapse = elapse;
    t.due = now + elapse;
    t.proc = std::move(proc);
    s.timers.push_back(std::move(t));
    return hwnd ? 1 : id;
}

bool KillTimer(HWND hwnd, uintptr_t id)
{
    auto& s = S();
    auto it = std::find_if(s.timers.begin(), s.timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == s.timers.end())
        return false;
    s.timers.erase(it);
    // A WM_TIMER already waiting in the queue for it is dropped too.
    std::lock_guard lock(s.queueMutex);
    auto& q = s.queue;
    q.erase(std::remove_if(q.begin(), q.end(),
                           [&](const QueueEntry& e) {
                               return !e.isRaw && e.msg.message == WM_TIMER && e.msg.hwnd == hwnd && e.msg.wParam == id;
                           }),
            q.end());
    return true;
}

DWORD GetTickCount()
{
    auto& s = S();
    return s.backend ? s.backend->TickCount() : 0;
}

void WaitUntilTick(DWORD target, DWORD maxWaitMs)
{
    if (S().backend)
        S().backend->WaitUntilTick(target, maxWaitMs);
}

namespace ws {

bool TakeDueTimer(HWND filter, MSG& out)
{
    auto& s = S();
    if (s.timers.empty())
        return false;
    const DWORD now = GetTickCount();
    // The timer that has waited longest goes first.
    Timer* best = nullptr;
    for (Timer& t : s.timers) {
        if (filter && t.hwnd != filter && !IsChild(filter, t.hwnd))
            continue;
        if (!Reached(now, t.due))
            continue;
        if (!best || static_cast<int32_t>(t.due - best->due) < 0)
            best = &t;
    }
    if (!best)
        return false;
    best->due = now + best->elapse;
    out = MSG{};
    out.hwnd = best->hwnd;
    out.message = WM_TIMER;
    out.wParam = best->id;
    out.lParam = best->proc ? 1 : 0;
    out.time = now;
    out.pt = s.cursorPos;
    return true;
}

int MillisecondsToNextTimer()
{
    auto& s = S();
    if (s.timers.empty())
        return -1;
    const DWORD now = GetTickCount();
    int64_t best = INT_MAX;
    for (const Timer& t : s.timers) {
        const int64_t left = static_cast<int32_t>(t.due - now);
        best = std::min(best, std::max<int64_t>(0, left));
    }
    return static_cast<int>(best);
}

void RemoveTimersOf(HWND hwnd)
{
    auto& timers = S().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
                 timers.end());
}

} // namespace ws
