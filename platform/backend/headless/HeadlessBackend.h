// The headless back end: no display, a virtual clock, and input injected by tests.
// Top-level windows keep their picture in their surface, which can be saved as PNG.
// When a message loop would wait, the back end runs the next scripted idle action (a
// test's next step); with none left it raises, instead of hanging for ever.
#pragma once

#include "platform/window/Backend.h"

#include <deque>
#include <map>
#include <memory>
#include <functional>
#include <string>
#include <vector>

class THeadlessBackend : public TWindowBackend {
public:
    // Also fixes the locale (the default TLocaleSettings) and the date-time clock (at
    // the moment of creation) for as long as it lives.
    explicit THeadlessBackend(TRect screen = TRect(0, 0, 1280, 800));
    ~THeadlessBackend() override;

    std::string Name() const override { return "headless"; }

    DWORD TickCount() override { return m_clock; }
    void WaitUntilTick(DWORD target, DWORD maxWaitMs) override;
    void WaitForEvents(int timeoutMs) override;
    void Wake() override {}

    void TopLevelCreated(HWND) override {}
    void TopLevelDestroyed(HWND hwnd) override;
    void TopLevelGeometryChanged(HWND, const TRect&) override {}
    void TopLevelShown(HWND, bool, bool) override {}
    void TopLevelTextChanged(HWND, const std::string&) override {}
    void TopLevelRaised(HWND) override {}
    void TopLevelActivated(HWND) override {}
    // Opacity is kept: the screen picture of a translucent window is its picture blended
    // over what the windows beneath it (and the desktop) show.
    void TopLevelStylesChanged(HWND hwnd, BYTE alpha) override;
    bool TranslucentWindowsAvailable() override { return m_translucent; }
    // Copies the part presented to the window's picture on the virtual screen, which
    // GrabScreen answers: a test sees what a desktop would show.
    void Present(HWND hwnd, const TBitmap& surface, const TRect& rect) override;
    bool GrabScreen(HWND hwnd, TBitmap& picture) override;
    bool BeginSystemMove(HWND) override { return false; }
    bool BeginSystemResize(HWND, int) override { return false; }

    // The primary monitor's bounds and work area when monitors were given.
    TRect ScreenRect() override;
    TRect WorkArea() override;
    std::vector<TMonitorInfo> Monitors() override { return m_monitors; }
    int PixelsPerInch() override { return m_pixelsPerInch; }
    void SetCursorShape(HCURSOR cursor) override { m_cursor = cursor; }
    void SetCursorPos(TPoint) override {}

    std::string ClipboardText() override { return m_clipboard; }
    void SetClipboardText(const std::string& text) override { m_clipboard = text; }
    void Beep(UINT) override { ++m_beeps; }
    bool PlaySystemSound(const std::string& alias) override;
    bool OpenUrl(const std::string& target) override;

    // ---- For tests ----
    void SetTickCount(DWORD value) { m_clock = value; }
    void SetPixelsPerInch(int value) { m_pixelsPerInch = value; }
    // Monitors with bounds and work areas of their own (the primary one marked, or the
    // first); an empty list is the single screen whose work area is the whole screen.
    void SetMonitors(std::vector<TMonitorInfo> monitors) { m_monitors = std::move(monitors); }
    // The local date and time Now() answers (days since 1899-12-30).
    void SetNow(double value) { m_now = value; }
    // Whether the desktop's document opener succeeds (it does unless told); a failed
    // open is still recorded in OpenedUrls.
    void SetOpenUrlSucceeds(bool value) { m_openUrlSucceeds = value; }
    // Whether the virtual desktop composes translucent windows (it does unless told).
    void SetTranslucentWindowsAvailable(bool value) { m_translucent = value; }
    // The opacity the window system gave the window (255 when none).
    BYTE OpacityOf(HWND hwnd) const;
    // Steps a waiting message loop takes, one per wait, in order.
    void PushIdleAction(std::function<void()> action) { m_idle.push_back(std::move(action)); }
    size_t PendingIdleActions() const { return m_idle.size(); }
    // Runs the next step as a waiting loop would (nothing when none is left).
    void RunIdleAction();
    // True while an idle action runs: the waiting loop handles what it injects.
    bool RunningIdleAction() const { return m_inIdleAction; }

    HCURSOR CursorShape() const { return m_cursor; }
    int Beeps() const { return m_beeps; }
    int PresentCount() const { return m_presents; }
    const std::vector<std::string>& Sounds() const { return m_sounds; }
    const std::vector<std::string>& OpenedUrls() const { return m_urls; }

private:
    const TMonitorInfo* PrimaryMonitor() const;
    // What the screen shows of the rectangle without the window and those above it.
    void PictureBeneath(HWND hwnd, const TRect& screenRect, TBitmap& picture);

    TRect m_screen;
    std::vector<TMonitorInfo> m_monitors;
    int m_pixelsPerInch = 96;
    DWORD m_clock = 1000;
    double m_now = 0;
    HCURSOR m_cursor = 0;
    std::string m_clipboard;
    int m_beeps = 0;
    int m_presents = 0;
    std::vector<std::string> m_sounds;
    std::vector<std::string> m_urls;
    bool m_openUrlSucceeds = true;
    std::deque<std::function<void()>> m_idle;
    bool m_inIdleAction = false;
    std::map<HWND, std::unique_ptr<TBitmap>> m_screenPictures;
    std::map<HWND, BYTE> m_opacity;
    bool m_translucent = true;
};
