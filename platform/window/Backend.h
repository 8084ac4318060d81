// The seam between the window system and what shows its top-level windows and delivers
// input: the Qt back end for the real program, the headless back end for tests.
#pragma once

#include "platform/drawing/Bitmap.h"
#include "platform/window/SystemServices.h"
#include "platform/window/WindowTypes.h"

#include <memory>
#include <vector>

class TWindowBackend {
public:
    virtual ~TWindowBackend() = default;

    virtual std::string Name() const = 0;

    // Time: a millisecond tick count that wraps at 2^32.
    virtual DWORD TickCount() = 0;
    // Waits until the tick count reaches `target` (wrapping difference), at most maxWaitMs.
    virtual void WaitUntilTick(DWORD target, DWORD maxWaitMs) = 0;
    // Blocks until input arrives, Wake() is called or timeoutMs passed (-1: no limit).
    // Input arrives through the functions of InputInjection.h.
    virtual void WaitForEvents(int timeoutMs) = 0;
    // Ends a WaitForEvents from any thread.
    virtual void Wake() = 0;
    // Handles what the display has sent so far (exposure, geometry) without waiting,
    // leaving user input for later; for long work on the user-interface thread.
    virtual void ProcessDisplayEvents() {}

    // Native top-level windows follow the window system's top-level windows.
    virtual void TopLevelCreated(HWND hwnd) = 0;
    virtual void TopLevelDestroyed(HWND hwnd) = 0;
    virtual void TopLevelGeometryChanged(HWND hwnd, const TRect& screenRect) = 0;
    virtual void TopLevelShown(HWND hwnd, bool visible, bool activate) = 0;
    virtual void TopLevelTextChanged(HWND hwnd, const std::string& text) = 0;
    virtual void TopLevelRaised(HWND hwnd) = 0;
    virtual void TopLevelActivated(HWND hwnd) = 0;
    // The window's styles changed (GWL_STYLE, GWL_EXSTYLE), or its opacity: 255 is
    // opaque, less is translucent (a layered window). Called once the window is native.
    virtual void TopLevelStylesChanged(HWND hwnd, BYTE alpha) {}
    // Whether the desktop composes windows, so that a translucent window shows so.
    virtual bool TranslucentWindowsAvailable() { return false; }
    // Shows the part `rect` (window coordinates) of the window's surface on the screen.
    virtual void Present(HWND hwnd, const TBitmap& surface, const TRect& rect) = 0;
    // What the screen shows of the whole window, read back from the screen; false when
    // the back end cannot read it.
    virtual bool GrabScreen(HWND hwnd, TBitmap& picture) = 0;
    // Lets the desktop move or resize the window interactively (caption or border drag);
    // answers false when the back end cannot, and the window system then does it itself.
    virtual bool BeginSystemMove(HWND hwnd) = 0;
    virtual bool BeginSystemResize(HWND hwnd, int hitTest) = 0;

    virtual TRect ScreenRect() = 0;
    virtual TRect WorkArea() = 0;
    // Every monitor with its bounds and work area, the primary one first. An empty
    // answer stands for one monitor: ScreenRect with WorkArea.
    virtual std::vector<TMonitorInfo> Monitors() { return {}; }
    virtual int PixelsPerInch() = 0;
    // A standard cursor (IDC_*), a number registered with SetCustomCursor (its picture:
    // CustomCursorFor), or 0 for none.
    virtual void SetCursorShape(HCURSOR cursor) = 0;
    // The key and shift keys that type a character in the current keyboard layout, as
    // VkKeyScan answers; false when the back end cannot tell (the US layout answers).
    virtual bool KeyScan(char32_t, int16_t&) { return false; }
    virtual void SetCursorPos(TPoint screenPt) = 0;

    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual void Beep(UINT type) = 0;
    virtual bool PlaySystemSound(const std::string& alias) = 0;
    virtual bool OpenUrl(const std::string& target) = 0;
};

// A cursor the program registered under its own number (SetCustomCursor).
struct TCustomCursor {
    TBitmap image;
    TBitmap mask;   // monochrome, white where transparent; empty: the whole image shows
    TPoint hotSpot;
    unsigned version = 0; // grows with every registration, so back ends can cache
};
// The registered cursor of the number, or null.
const TCustomCursor* CustomCursorFor(HCURSOR number);

// Where the caret must be drawn over the window's picture (surface coordinates), for
// back ends presenting a top-level window; false while no caret shows there.
bool CaretOverlay(HWND topLevel, TRect& surfaceRect);

// The picture of a top-level window (its whole window rectangle), or null.
const TBitmap* WindowSurface(HWND topLevel);
// What the screen shows of a top-level window, which is the window's picture only once
// everything painted has been presented; false when it cannot be read.
bool ScreenPicture(HWND topLevel, TBitmap& picture);
// Milliseconds until the next timer is due (0: due now), -1 without timers; for drivers
// of virtual time.
int MillisecondsToNextTimerForTests();

// Installs the back end the window system works with (the window system owns it).
void SetWindowBackend(std::unique_ptr<TWindowBackend> backend);
TWindowBackend* WindowBackend();
// Destroys every window and removes the back end (end of program, between tests).
void ShutdownWindowSystem();
