// The caret: a blinking bar owned by one window. It is shown as an overlay when the
// window's picture reaches the screen, so painting never has to work around it.
#include "platform/window/WindowSystem_p.h"

using namespace ws;

namespace {

constexpr UINT kBlinkTime = 530;
uintptr_t g_blinkTimer = 0;

void PresentCaretArea()
{
    auto& caret = S().caret;
    Window* w = Find(caret.owner);
    if (!w)
        return;
    Window* top = TopLevelOf(w);
    const TPoint origin = WindowOriginInSurface(w) + w->clientRect.TopLeft();
    MarkDirty(top, caret.rect.Offset(origin));
    PresentDirty();
}

void Blink(HWND, UINT, uintptr_t, DWORD)
{
    auto& caret = S().caret;
    caret.blinkOn = !caret.blinkOn;
    if (caret.hideCount == 0)
        PresentCaretArea();
}

} // namespace

bool CreateCaret(HWND hwnd, int width, int height)
{
    if (!Find(hwnd))
        return false;
    DestroyCaret();
    auto& caret = S().caret;
    caret.owner = hwnd;
    caret.rect = TRect(0, 0, width > 0 ? width : 1, height > 0 ? height : 1);
    caret.hideCount = 1;
    caret.blinkOn = true;
    g_blinkTimer = SetTimer(nullptr, 0, kBlinkTime, Blink);
    return true;
}

bool DestroyCaret()
{
    auto& caret = S().caret;
    if (!caret.owner)
        return false;
    const bool wasShown = caret.hideCount == 0;
    if (wasShown) {
        caret.hideCount = 1;
        PresentCaretArea();
    }
    caret = Caret{};
    if (g_blinkTimer) {
        KillTimer(nullptr, g_blinkTimer);
        g_blinkTimer = 0;
    }
    return true;
}

bool ShowCaret(HWND hwnd)
{
    auto& caret = S().caret;
    if (!caret.owner || (hwnd && hwnd != caret.owner) || caret.hideCount == 0)
        return false;
    if (--caret.hideCount == 0) {
        caret.blinkOn = true;
        PresentCaretArea();
    }
    return true;
}

bool HideCaret(HWND hwnd)
{
    auto& caret = S().caret;
    if (!caret.owner || (hwnd && hwnd != caret.owner))
        return false;
    if (caret.hideCount++ == 0)
        PresentCaretArea();
    return true;
}

bool SetCaretPos(int x, int y)
{
    auto& caret = S().caret;
    if (!caret.owner)
        return false;
    const bool shown = caret.hideCount == 0;
    if (shown)
        PresentCaretArea();
    caret.rect = TRect::FromSize(x, y, caret.rect.Width(), caret.rect.Height());
    caret.blinkOn = true;
    if (shown)
        PresentCaretArea();
    return true;
}

bool GetCaretPos(TPoint& pt)
{
    auto& caret = S().caret;
    if (!caret.owner)
        return false;
    pt = caret.rect.TopLeft();
    return true;
}

HWND GetCaretWindow()
{
    return Find(S().caret.owner) ? S().caret.owner : nullptr;
}

UINT GetCaretBlinkTime()
{
    return kBlinkTime;
}

bool CaretOverlay(HWND topLevel, TRect& surfaceRect)
{
    auto& caret = S().caret;
    Window* w = Find(caret.owner);
    if (!w || caret.hideCount != 0 || !caret.blinkOn || !IsVisibleChain(w) || TopLevelOf(w)->handle != topLevel)
        return false;
    const TPoint origin = WindowOriginInSurface(w) + w->clientRect.TopLeft();
    const TRect clip = VisibleRegionInSurface(w, true, true).BoundingRect();
    surfaceRect = caret.rect.Offset(origin).Intersect(clip);
    return !surfaceRect.IsEmpty();
}
