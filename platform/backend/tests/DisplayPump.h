// Runs the message loop of a test on the Qt back end, where events come from a real
// display, until a condition holds or a time limit passes. A timer on the given window
// wakes the loop to look again, since the display may send nothing meanwhile.
#pragma once

#include "platform/window/MessageLoop.h"
#include "platform/window/WinApi.h"

#include <chrono>
#include <cstdint>
#include <functional>

// False when Done never held within Limit.
inline bool PumpUntil(HWND Wake, const std::function<bool()>& Done, std::chrono::milliseconds Limit)
{
    constexpr uintptr_t kWakeTimer = 0x7A7E;
    const auto end = std::chrono::steady_clock::now() + Limit;
    SetTimer(Wake, kWakeTimer, 20);
    bool reached = false;
    RunMessageLoop([&] {
        reached = Done();
        return reached || std::chrono::steady_clock::now() >= end;
    });
    KillTimer(Wake, kWakeTimer);
    return reached;
}

inline void PumpFor(HWND Wake, std::chrono::milliseconds Span)
{
    PumpUntil(Wake, [] { return false; }, Span);
}
