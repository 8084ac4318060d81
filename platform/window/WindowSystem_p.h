// Private state of the window system, shared by its implementation files.
#pragma once

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Region.h"
#include "platform/window/Backend.h"
#include "platform/window/InputInjection.h"
#include "platform/window/WinApi.h"

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace ws {

struct WindowClass {
    WNDCLASS wc;
};

struct ScrollBarState {
    int minPos = 0;
    int maxPos = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool tracking = false;
    UINT disabledArrows = 0; // ESB_* flags
    bool disableNoScroll = false;
};

struct Window {
    HWND handle = nullptr;
    const WindowClass* cls = nullptr;
    std::shared_ptr<const WNDPROC> proc; // shared so a running procedure survives its replacement
    DWORD style = 0;
    DWORD exStyle = 0;
    Window* parent = nullptr;  // child windows only
    HWND owner = nullptr;      // top-level windows only
    std::vector<Window*> children; // z-order, top first
    TRect rect;        // relative to the parent's client area, or to the screen
    TRect clientRect;  // relative to the window's top-left corner
    std::string text;
    int id = 0;
    intptr_t userData = 0;

    TRegion updateRegion;    // client coordinates
    bool eraseNeeded = false;
    bool frameDirty = false; // the non-client area must be repainted
    bool internalPaint = false;
    bool redrawOff = false;  // WM_SETREDRAW false
    bool destroying = false;
    bool maximized = false;
    bool minimized = false;
    TRect restoredRect;

    ScrollBarState hscroll;
    ScrollBarState vscroll;
    std::unique_ptr<TRegion> windowRegion;

    // Top-level windows only: the picture of the whole window.
    std::unique_ptr<TBitmap> surface;
    bool createdNative = false;
    // Opacity of a layered top-level window (WS_EX_LAYERED, LWA_ALPHA); 255: opaque.
    BYTE alpha = 255;

    bool IsChild() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
    bool IsTopLevel() const { return !IsChild(); }
};

enum class RawKind { MouseMove, MouseButton, MouseWheel, Key, Text, MouseLeave };

struct RawEvent {
    RawKind kind = RawKind::MouseMove;
    TPoint pt;
    TMouseButton button = TMouseButton::mbLeft;
    bool down = false;
    int delta = 0;
    WORD vk = 0;
    char32_t text = 0;
    DWORD time = 0;
};

struct QueueEntry {
    bool isRaw = false;
    MSG msg;
    RawEvent raw;
};

struct Timer {
    HWND hwnd = nullptr;
    uintptr_t id = 0;
    UINT elapse = 0;
    DWORD due = 0;
    TIMERPROC proc;
    bool pending = false; // a WM_TIMER for it waits in the queue
};

struct Hook {
    HHOOK handle = nullptr;
    int type = 0;
    HOOKPROC proc;
    bool removed = false;
};

struct ClickState {
    HWND hwnd = nullptr;
    TMouseButton button = TMouseButton::mbLeft;
    DWORD time = 0;
    TPoint pt;
    bool valid = false;
};

struct Caret {
    HWND owner = nullptr;
    TRect rect; // client coordinates of the owner
    int hideCount = 1;
    bool drawn = false; // currently inverted on the surface
    bool blinkOn = true;
};

struct State {
    std::unique_ptr<TWindowBackend> backend;
    std::map<std::string, WindowClass> classes;
    std::unordered_map<uintptr_t, std::unique_ptr<Window>> windows;
    // Destroyed windows are freed only when no message is being handled, so that code
    // still running for them never touches freed memory.
    std::vector<std::unique_ptr<Window>> graveyard;
    uintptr_t nextHandle = 0x10000;
    std::vector<Window*> topLevels; // z-order, top first

    std::mutex queueMutex;
    std::deque<QueueEntry> queue;
    bool quitPosted = false;
    int quitCode = 0;

    std::vector<Timer> timers;
    std::vector<std::unique_ptr<Hook>> hooks;
    uintptr_t nextHook = 1;

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    HWND hoverWindow = nullptr;    // window the pointer is over (for mouse leave)
    bool trackLeave = false;
    HWND trackLeaveWindow = nullptr;
    TPoint cursorPos;
    HCURSOR cursor = IDC_ARROW;
    int cursorShowCount = 0;

    uint8_t keySync[256] = {};
    uint8_t keyAsync[256] = {};
    char32_t pendingChar = 0;     // text of the key-down last retrieved
    WORD pendingCharVk = 0;

    ClickState lastClick;
    UINT doubleClickTime = 500;

    MSG lastMessage;
    int loopDepth = 0;
    int sendDepth = 0;

    Caret caret;
};

State& S();
Window* Find(HWND hwnd);
Window* Require(HWND hwnd);

// Geometry helpers.
TPoint WindowOriginOnScreen(const Window* w);   // top-left of the window rectangle
TPoint ClientOriginOnScreen(const Window* w);
TPoint WindowOriginInSurface(const Window* w);  // within its top-level window's surface
Window* TopLevelOf(Window* w);
bool IsVisibleChain(const Window* w);
bool IsEnabledChain(const Window* w);
// The part of the window (window or client area) that can be seen, in surface coordinates.
TRegion VisibleRegionInSurface(const Window* w, bool clientOnly, bool clipChildren);

// Messages sent internally.
LRESULT Send(Window* w, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

// Painting internals.
void InvalidateWindowArea(Window* w, const TRegion& clientRegion, bool erase, bool children);
void InvalidateFrame(Window* w);
void MarkDirty(Window* top, const TRect& surfaceRect);
void PresentDirty();
bool HasPendingPaint();
Window* NextWindowToPaint();
void EnsureSurface(Window* top);
void HideCaretForPaint(Window* w);
void RestoreCaretAfterPaint(Window* w);

// Non-client internals.
void UpdateClientRect(Window* w, WINDOWPOS* pos);
LRESULT DefNcCalcSize(Window* w, NCCALCSIZE_PARAMS* params);
LRESULT DefNcHitTest(Window* w, TPoint screenPt);
void DefNcPaint(Window* w);
void TrackScrollBar(Window* w, int bar, TPoint screenPt);
TRect ScrollBarRect(const Window* w, int bar); // window coordinates; empty when absent
bool HasScrollBar(const Window* w, int bar);

// Input internals.
bool ConvertRawEvent(const RawEvent& raw, MSG& out);
void ForgetWindow(Window* w);
void ActivateTopLevel(Window* top, WPARAM how);
void ResetKeyboardState();

// Timers.
bool TakeDueTimer(HWND filter, MSG& out);
int MillisecondsToNextTimer();
void RemoveTimersOf(HWND hwnd);

// Hooks.
LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam);
bool HasHooks(int type);

void Enqueue(const QueueEntry& e);
void FreeGraveyard();
void ApplyWorkerFrames(HWND hwnd);
// The private message that brings a worker's frame to the user-interface thread.
constexpr UINT WM_WORKERFRAME = 0x03F0;
void MarkUiThread();
// What the back end is asked to show for a cursor number: the number itself for a
// standard or registered cursor, the arrow for any other.
HCURSOR CursorShapeFor(HCURSOR number);
void ClearCustomCursors();
bool OnUiThread();
void MoveInZOrder(Window* w, HWND insertAfter);
// The back end learns a native top-level window's opacity and styles (after it was made
// native, and when they change).
void NativeStylesChanged(Window* w);
std::vector<Window*>& SiblingsOf(Window* w);

} // namespace ws
