// Messages and the queue: sending, posting, retrieving and dispatching; nested loops;
// timers; thread hooks.
#pragma once

#include "platform/window/WindowTypes.h"

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Posts to the window's queue; safe to call from any thread (the menu animation worker).
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);

// Waits for and removes the next message; false for WM_QUIT. Filters select a window
// (nullptr: any) and an inclusive message range (0, 0: all).
bool GetMessage(MSG& msg, HWND hwnd = nullptr, UINT filterMin = 0, UINT filterMax = 0);
// Answers at once whether a message is available; removes it with PM_REMOVE.
bool PeekMessage(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Generates WM_CHAR (WM_SYSCHAR with Alt) from a key-down message that produced text.
bool TranslateMessage(const MSG& msg);
LRESULT DispatchMessage(const MSG& msg);
// Blocks until a message is available (or input arrives).
bool WaitMessage();
DWORD GetMessageTime();
TPoint GetMessagePos();
// The current nesting depth of message loops that run through RunMessageLoop.
int MessageLoopDepth();
// Runs a nested message loop until `done` answers true or WM_QUIT arrives (the quit is
// posted again for the outer loop). Answers false when ended by WM_QUIT.
bool RunMessageLoop(const std::function<bool()>& done);
// Processes every message available now without waiting; answers false on WM_QUIT.
bool ProcessPendingMessages();
// How the loops of the window system handle a retrieved message. The application
// installs its own (dialog keys, error reporting); the default translates and dispatches.
void SetMessageProcessor(std::function<void(MSG&)> processor);
void ProcessMessage(MSG& msg);

// Timers. Each (window, id) is one timer; setting it again restarts it.
uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs, TIMERPROC proc = {});
bool KillTimer(HWND hwnd, uintptr_t id);
// Milliseconds since the system started (virtual time in the headless back end). Wraps.
DWORD GetTickCount();
// Waits until GetTickCount has advanced to `target` (by the wrapping difference) or the
// given number of milliseconds passed; used by busy-paced animations. In the headless
// back end it advances the virtual clock instead of spinning.
void WaitUntilTick(DWORD target, DWORD maxWaitMs);

// Thread hooks, chained: the newest hook is called first and passes on with CallNextHookEx.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc);
bool UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int nCode, WPARAM wParam, LPARAM lParam);
