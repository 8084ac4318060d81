// Installing and removing the back end.
#include "platform/window/WindowSystem_p.h"

#include "platform/core/Locale.h"
#include "platform/drawing/SystemMetrics.h"

using namespace ws;

void SetWindowBackend(std::unique_ptr<TWindowBackend> backend)
{
    MarkUiThread();
    S().backend = std::move(backend);
    // System metrics answer the screen the back end shows.
    SetScreenSizeProvider([] { return GetScreenRect().Size(); });
    SetWorkAreaProvider([] { return GetWorkArea(); });
    // A change of the locale reaches the top-level windows as the desktop's notice of
    // changed international settings.
    static const int localeListener = AddLocaleListener([] {
        static const char section[] = "intl";
        for (HWND h : GetTopLevelWindows())
            if (IsWindow(h))
                SendMessage(h, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(section));
    });
    (void)localeListener;
}

TWindowBackend* WindowBackend()
{
    return S().backend.get();
}

void ShutdownWindowSystem()
{
    auto& s = S();
    while (!s.topLevels.empty()) {
        const HWND h = s.topLevels.front()->handle;
        if (!DestroyWindow(h)) {
            // Already being destroyed further up the stack: unlink it so the loop ends.
            s.topLevels.erase(s.topLevels.begin());
        }
    }
    DestroyCaret();
    s.timers.clear();
    s.hooks.clear();
    {
        std::lock_guard lock(s.queueMutex);
        s.queue.clear();
    }
    s.quitPosted = false;
    s.focus = s.active = s.capture = s.hoverWindow = s.trackLeaveWindow = nullptr;
    s.trackLeave = false;
    s.lastClick = ClickState{};
    s.pendingChar = 0;
    s.cursor = IDC_ARROW;
    ClearCustomCursors();
    ResetKeyboardState();
    FreeGraveyard();
    s.backend.reset();
    SetScreenSizeProvider({});
    SetWorkAreaProvider({});
}

const TBitmap* WindowSurface(HWND topLevel)
{
    Window* w = Find(topLevel);
    if (!w || !w->IsTopLevel())
        return nullptr;
    EnsureSurface(w);
    return w->surface.get();
}

bool ScreenPicture(HWND topLevel, TBitmap& picture)
{
    TWindowBackend* backend = WindowBackend();
    return backend && IsWindow(topLevel) && backend->GrabScreen(topLevel, picture);
}

int MillisecondsToNextTimerForTests()
{
    return MillisecondsToNextTimer();
}
