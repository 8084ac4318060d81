#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/core/Exception.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Region.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <set>
#include <string>
#include <vector>

namespace {

struct Logged {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Windows whose procedure records the messages a test cares about.
class WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASS wc;
        wc.lpszClassName = "Logged";
        wc.style = CS_DBLCLKS;
        wc.hbrBackground = clWhite;
        wc.lpfnWndProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (watched.count(m))
                log.push_back({h, m, w, l});
            auto it = answers.find({h, m});
            if (it != answers.end())
                return it->second;
            if (m == WM_PAINT && paintHandler)
                return paintHandler(h);
            return DefWindowProc(h, m, w, l);
        };
        RegisterClass(wc);
    }

    HWND TopLevel(int x, int y, int w, int h, DWORD style = WS_OVERLAPPEDWINDOW)
    {
        HWND hwnd = CreateWindowEx(0, "Logged", "Top", style, x, y, w, h, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        driver.Pump();
        return hwnd;
    }

    HWND Child(HWND parent, int x, int y, int w, int h, DWORD style = 0, DWORD exStyle = 0)
    {
        return CreateWindowEx(exStyle, "Logged", "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent);
    }

    std::vector<UINT> MessagesOf(HWND hwnd) const
    {
        std::vector<UINT> out;
        for (const auto& e : log)
            if (e.hwnd == hwnd)
                out.push_back(e.msg);
        return out;
    }

    std::vector<std::pair<HWND, UINT>> Sequence() const
    {
        std::vector<std::pair<HWND, UINT>> out;
        for (const auto& e : log)
            out.emplace_back(e.hwnd, e.msg);
        return out;
    }

    std::set<UINT> watched;
    std::vector<Logged> log;
    std::map<std::pair<HWND, UINT>, LRESULT> answers;
    std::function<LRESULT(HWND)> paintHandler;
    THeadlessDriver driver; // last: its windows go before the state their procedure uses
};

TEST_F(WindowSystemTest, ClickOnInactiveWindowActivatesFocusesThenDeliversTheButton)
{
    HWND first = TopLevel(10, 10, 200, 150);
    HWND second = TopLevel(300, 10, 200, 150);
    HWND button = Child(second, 20, 20, 60, 30);
    SetActiveWindow(first);
    driver.Pump();
    ASSERT_EQ(GetActiveWindow(), first);

    watched = {WM_MOUSEACTIVATE, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_LBUTTONDOWN, WM_LBUTTONUP};
    driver.ClickAt(button, {5, 5});

    const std::vector<std::pair<HWND, UINT>> expected = {
        {button, WM_MOUSEACTIVATE}, {second, WM_MOUSEACTIVATE}, // the parent is asked first
        {first, WM_NCACTIVATE},     {first, WM_ACTIVATE},
        {second, WM_NCACTIVATE},    {second, WM_ACTIVATE},
        {first, WM_KILLFOCUS},      {second, WM_SETFOCUS},      // the default activation focuses the window
        {button, WM_LBUTTONDOWN},   {button, WM_LBUTTONUP},
    };
    EXPECT_EQ(Sequence(), expected);
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(log[5].wParam, static_cast<WPARAM>(WA_CLICKACTIVE));
    EXPECT_EQ(PointFromLParam(log[8].lParam), TPoint(5, 5));
}

TEST_F(WindowSystemTest, NoActivateAnswerKeepsTheActiveWindowAndEatingDropsTheClick)
{
    HWND first = TopLevel(10, 10, 200, 150);
    HWND second = TopLevel(300, 10, 200, 150);
    SetActiveWindow(first);
    driver.Pump();
    watched = {WM_LBUTTONDOWN};
    answers[{second, WM_MOUSEACTIVATE}] = MA_NOACTIVATE;
    driver.ClickAt(second, {5, 5});
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(MessagesOf(second), std::vector<UINT>{WM_LBUTTONDOWN});

    log.clear();
    answers[{second, WM_MOUSEACTIVATE}] = MA_NOACTIVATEANDEAT;
    driver.ClickAt(second, {5, 5});
    EXPECT_TRUE(MessagesOf(second).empty());
}

TEST_F(WindowSystemTest, DoubleClickNeedsTheClassStyleTheTimeAndThePlace)
{
    HWND top = TopLevel(10, 10, 200, 150);
    watched = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK};
    driver.DoubleClickAt(top, {10, 10});
    EXPECT_EQ(MessagesOf(top), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));

    // Too slow: two single clicks.
    log.clear();
    driver.ClickAt(top, {10, 10});
    driver.ClickAt(top, {10, 10});
    EXPECT_EQ(MessagesOf(top), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));

    // A class without CS_DBLCLKS never gets a double click.
    WNDCLASS plain;
    plain.lpszClassName = "Plain";
    std::vector<UINT> plainLog;
    plain.lpfnWndProc = [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK)
            plainLog.push_back(m);
        return DefWindowProc(h, m, w, l);
    };
    RegisterClass(plain);
    HWND child = CreateWindowEx(0, "Plain", "", WS_CHILD | WS_VISIBLE, 50, 50, 40, 40, top);
    driver.DoubleClickAt(child, {3, 3});
    EXPECT_EQ(plainLog, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST_F(WindowSystemTest, CaptureRoutesTheMouseToItsWindowWhereverThePointerIs)
{
    HWND top = TopLevel(10, 10, 300, 200);
    HWND left = Child(top, 0, 0, 100, 100);
    HWND right = Child(top, 150, 0, 100, 100);
    watched = {WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED};
    SetCapture(left);
    driver.MoveTo(driver.ToScreen(right, {10, 10}));
    driver.Release(driver.ToScreen(right, {10, 10}));
    ASSERT_EQ(MessagesOf(left), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONUP}));
    EXPECT_TRUE(MessagesOf(right).empty());
    // Coordinates are the capture window's client coordinates, outside its area.
    EXPECT_EQ(PointFromLParam(log[1].lParam), TPoint(160, 10));

    log.clear();
    ReleaseCapture();
    EXPECT_EQ(MessagesOf(left), std::vector<UINT>{WM_CAPTURECHANGED});
    driver.MoveTo(driver.ToScreen(right, {12, 12}));
    EXPECT_EQ(MessagesOf(right), std::vector<UINT>{WM_MOUSEMOVE});
}

TEST_F(WindowSystemTest, DisabledChildLetsItsParentHaveTheClick)
{
    HWND top = TopLevel(10, 10, 300, 200);
    HWND child = Child(top, 20, 20, 100, 100);
    EnableWindow(child, false);
    watched = {WM_LBUTTONDOWN};
    driver.ClickAt(child, {5, 5});
    EXPECT_TRUE(MessagesOf(child).empty());
    EXPECT_EQ(MessagesOf(top), std::vector<UINT>{WM_LBUTTONDOWN});
    // Asked for windows at a point, the disabled child is still found.
    EXPECT_EQ(ChildWindowFromPoint(top, {30, 30}), child);
}

TEST_F(WindowSystemTest, KeysGoToTheFocusAndTabMovesAmongTabStopsUnlessTheControlWantsIt)
{
    HWND dialog = TopLevel(10, 10, 300, 200);
    HWND a = Child(dialog, 0, 0, 50, 20, WS_TABSTOP);
    HWND b = Child(dialog, 0, 30, 50, 20, WS_TABSTOP);
    HWND notAStop = Child(dialog, 0, 60, 50, 20);
    HWND c = Child(dialog, 0, 90, 50, 20, WS_TABSTOP);
    (void)notAStop;
    SetMessageProcessor([&](MSG& m) { IsDialogMessage(dialog, m); });
    SetFocus(a);
    watched = {WM_KEYDOWN, WM_CHAR, WM_GETDLGCODE};

    driver.PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), b);
    driver.PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), c);
    driver.PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), a);
    driver.PressKey(VK_TAB, THeadlessDriver::Shift);
    EXPECT_EQ(GetFocus(), c);
    EXPECT_TRUE(MessagesOf(c).empty() == false);

    // A control that wants Tab receives it as a key and a character.
    log.clear();
    answers[{c, WM_GETDLGCODE}] = DLGC_WANTTAB;
    driver.PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), c);
    EXPECT_EQ(MessagesOf(c), (std::vector<UINT>{WM_GETDLGCODE, WM_KEYDOWN, WM_GETDLGCODE, WM_CHAR}));
    SetMessageProcessor({});
}

TEST_F(WindowSystemTest, AltKeysBecomeSystemKeysAndTypedTextArrivesAsCharacters)
{
    HWND top = TopLevel(10, 10, 300, 200);
    HWND edit = Child(top, 0, 0, 100, 20);
    SetFocus(edit);
    watched = {WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, WM_SYSCHAR};
    driver.PressKey('X', THeadlessDriver::Alt);
    driver.Type("Mü東");
    std::vector<std::pair<UINT, WPARAM>> got;
    for (const auto& e : log)
        got.emplace_back(e.msg, e.wParam);
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, 'X'}, {WM_SYSCHAR, 'x'},
        {WM_KEYDOWN, VK_SHIFT},   {WM_KEYDOWN, 'M'},    {WM_CHAR, 'M'},
        {WM_KEYDOWN, VK_PACKET},  {WM_CHAR, U'ü'},      {WM_KEYDOWN, VK_PACKET}, {WM_CHAR, U'東'},
    };
    EXPECT_EQ(got, expected);
}

TEST_F(WindowSystemTest, KeyboardHookCanSwallowAKeyAndChainsToOlderHooks)
{
    HWND top = TopLevel(10, 10, 300, 200);
    SetFocus(top);
    watched = {WM_KEYDOWN};
    std::vector<std::string> calls;
    HHOOK older = SetWindowsHookEx(WH_KEYBOARD, [&](int code, WPARAM w, LPARAM l) -> LRESULT {
        calls.push_back("older");
        return 0;
    });
    HHOOK newer = nullptr;
    newer = SetWindowsHookEx(WH_KEYBOARD, [&](int code, WPARAM w, LPARAM l) -> LRESULT {
        calls.push_back("newer");
        if (w == VK_F5 && !(l & KF_UP_LPARAM))
            return 1; // swallowed: no older hook, no window
        return CallNextHookEx(newer, code, w, l);
    });
    driver.PressKey(VK_F5);
    driver.PressKey(VK_F6);
    EXPECT_EQ(MessagesOf(top), std::vector<UINT>{WM_KEYDOWN});
    EXPECT_EQ(log[0].wParam, static_cast<WPARAM>(VK_F6));
    EXPECT_EQ(calls, (std::vector<std::string>{"newer", "newer", "older", "newer", "older", "newer", "older"}));
    UnhookWindowsHookEx(newer);
    UnhookWindowsHookEx(older);
}

TEST_F(WindowSystemTest, TimersFireInVirtualTimeInOrderAndStopWhenKilled)
{
    HWND top = TopLevel(10, 10, 100, 100);
    watched = {WM_TIMER};
    const DWORD start = GetTickCount();
    SetTimer(top, 1, 220);
    SetTimer(top, 2, 100);
    driver.AdvanceTime(99);
    EXPECT_TRUE(log.empty());
    driver.AdvanceTime(1);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].wParam, 2u);
    driver.AdvanceTime(340); // now start + 440
    std::vector<WPARAM> ids;
    for (const auto& e : log)
        ids.push_back(e.wParam);
    EXPECT_EQ(ids, (std::vector<WPARAM>{2, 2, 1, 2, 2, 1}));
    KillTimer(top, 2);
    log.clear();
    driver.AdvanceTime(1000);
    EXPECT_EQ(log.size(), 4u);
    EXPECT_EQ(GetTickCount() - start, 1440u);
}

TEST_F(WindowSystemTest, NestedLoopEndsWithTheResultItsWindowSet)
{
    HWND top = TopLevel(10, 10, 200, 200);
    HWND dialog = CreateWindowEx(0, "Logged", "Dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50, 50, 120, 80, top);
    int result = 0;
    answers[{dialog, WM_KEYDOWN}] = 0;
    watched = {WM_KEYDOWN};
    EnableWindow(top, false);
    SetFocus(dialog);
    // The loop waits; the next steps of the script are the user's.
    driver.Backend().PushIdleAction([&] { RawInput::Key(VK_RETURN, true, '\r'); });
    const bool ended = RunMessageLoop([&] {
        for (const auto& e : log)
            if (e.hwnd == dialog && e.wParam == VK_RETURN)
                result = IDOK;
        return result != 0;
    });
    EnableWindow(top, true);
    EXPECT_TRUE(ended);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(MessageLoopDepth(), 0);
}

TEST_F(WindowSystemTest, HeadlessLoopWithNothingToDoRaisesInsteadOfHanging)
{
    TopLevel(10, 10, 100, 100);
    EXPECT_THROW(RunMessageLoop([] { return false; }), EInvalidOperation);
}

TEST_F(WindowSystemTest, ScrollingWithChildrenMovesThemAndInvalidatesTheUncoveredStrip)
{
    HWND top = TopLevel(10, 10, 300, 200, WS_POPUP);
    HWND child = Child(top, 40, 50, 30, 20);
    driver.PaintAll();
    TRect uncovered;
    ScrollWindowEx(top, 0, -30, nullptr, nullptr, nullptr, &uncovered, SW_SCROLLCHILDREN | SW_INVALIDATE);
    TRect r;
    GetWindowRect(child, r);
    EXPECT_EQ(r.TopLeft(), driver.ToScreen(top, {40, 20}));
    EXPECT_EQ(uncovered, TRect(0, 170, 300, 200));
    EXPECT_EQ(GetUpdateRegion(top).BoundingRect(), TRect(0, 170, 300, 200));
}

TEST_F(WindowSystemTest, ScrolledPixelsMoveWithTheContents)
{
    HWND top = TopLevel(10, 10, 100, 100, WS_POPUP);
    driver.PaintAll();
    HDC dc = GetDC(top);
    FillRectColor(dc, TRect(10, 60, 20, 70), clRed);
    ReleaseDC(top, dc);
    ScrollWindowEx(top, 5, -40, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    driver.Pump(); // paints the uncovered strips
    const TBitmap* surface = WindowSurface(top);
    EXPECT_EQ(surface->Pixel(15, 20), clRed);
    EXPECT_EQ(surface->Pixel(24, 29), clRed);
    EXPECT_EQ(surface->Pixel(15, 60), clWhite) << "the old place was uncovered and repainted";
    EXPECT_EQ(surface->Pixel(2, 20), clWhite);
}

TEST_F(WindowSystemTest, InvalidationThenPaintClipsToTheUpdateRegion)
{
    HWND top = TopLevel(10, 10, 200, 200, WS_POPUP);
    driver.PaintAll();
    TRect paintRect;
    int paints = 0;
    paintHandler = [&](HWND h) -> LRESULT {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, ps);
        paintRect = ps.rcPaint;
        ++paints;
        FillRectColor(dc, TRect(0, 0, 200, 200), clBlue); // the clip keeps it inside
        EndPaint(h, ps);
        return 0;
    };
    const TRect a(10, 10, 30, 30), b(50, 60, 70, 90);
    InvalidateRect(top, &a, true);
    InvalidateRect(top, &b, false);
    driver.Pump();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(paintRect, TRect(10, 10, 70, 90));
    const TBitmap* s = WindowSurface(top);
    EXPECT_EQ(s->Pixel(15, 15), clBlue);
    EXPECT_EQ(s->Pixel(55, 65), clBlue);
    EXPECT_EQ(s->Pixel(40, 40), clWhite) << "inside the bounding box but outside the region";
    // Nothing more to paint afterwards.
    driver.Pump();
    EXPECT_EQ(paints, 1);
}

TEST_F(WindowSystemTest, WhatLiesOutsideAChildsWindowRegionIsPaintedByItsParentAndTheSiblingsBelow)
{
    HWND top = TopLevel(10, 10, 200, 100, WS_POPUP | WS_CLIPCHILDREN);
    HWND lower = Child(top, 100, 10, 60, 60, WS_CLIPSIBLINGS);
    HWND upper = Child(top, 20, 10, 120, 60, WS_CLIPSIBLINGS);
    // The upper child keeps only a 20-pixel frame of itself.
    const TRegion frame = TRegion(TRect(0, 0, 120, 60)).Subtracted(TRegion(TRect(20, 20, 100, 40)));
    SetWindowRegion(upper, &frame, true);
    paintHandler = [&](HWND h) -> LRESULT {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, ps);
        FillRectColor(dc, TRect(0, 0, 200, 100), h == top ? clBlue : h == lower ? clRed : clLime);
        EndPaint(h, ps);
        return 0;
    };
    InvalidateRect(top, nullptr, true);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    driver.PaintAll();
    const TBitmap* s = WindowSurface(top);
    EXPECT_EQ(s->Pixel(25, 15), clLime) << "the upper child's frame";
    EXPECT_EQ(s->Pixel(50, 35), clBlue) << "the hole: the parent shows";
    EXPECT_EQ(s->Pixel(110, 35), clRed) << "the hole over the lower sibling: the sibling shows";
    EXPECT_EQ(s->Pixel(150, 35), clRed) << "the lower sibling beside the upper one";
    EXPECT_EQ(s->Pixel(5, 5), clBlue);
}

// A paint that shows frames one after the other (an animation) flushes after each.
TEST_F(WindowSystemTest, FlushInsideAPaintPresentsWhatWasDrawnSoFar)
{
    HWND top = TopLevel(10, 10, 200, 200, WS_POPUP);
    HWND child = Child(top, 20, 20, 100, 100);
    driver.PaintAll();
    std::vector<int> presents;
    paintHandler = [&](HWND h) -> LRESULT {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, ps);
        if (h == child) {
            for (TColor c : {clRed, clGreen, clBlue}) {
                FillRectColor(dc, TRect(0, 0, 100, 100), c);
                FlushWindow(h);
                presents.push_back(driver.Backend().PresentCount());
            }
        }
        EndPaint(h, ps);
        return 0;
    };
    const int before = driver.Backend().PresentCount();
    InvalidateRect(child, nullptr, true);
    UpdateWindow(child);
    EXPECT_EQ(presents, (std::vector<int>{before + 1, before + 2, before + 3}));
    EXPECT_EQ(WindowSurface(top)->Pixel(30, 30), clBlue);
}

TEST_F(WindowSystemTest, ClickOnTheDownArrowOfAScrollBarSendsLineDownThenEndScroll)
{
    HWND top = TopLevel(10, 10, 300, 200, WS_POPUP);
    HWND view = Child(top, 0, 0, 200, 150, WS_VSCROLL);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 999;
    si.nPage = 150;
    SetScrollInfo(view, SB_VERT, si, true);
    EXPECT_EQ(ClientRect(view), TRect(0, 0, 184, 150));
    watched = {WM_VSCROLL};
    const TPoint arrow = driver.ToScreen(view, {184 + 8, 150 - 8}); // inside the bottom arrow
    EXPECT_EQ(SendMessage(view, WM_NCHITTEST, 0, LParamFromPoint(arrow)), HTVSCROLL);
    // The tracking loop waits for the button's release, which the user does next.
    driver.Backend().PushIdleAction([&] { RawInput::MouseButton(arrow, TMouseButton::mbLeft, false); });
    driver.Click(arrow);
    std::vector<WORD> codes;
    for (const auto& e : log)
        codes.push_back(LoWord(e.wParam));
    EXPECT_EQ(codes, (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL}));
}

TEST_F(WindowSystemTest, ScrollBarAppearsWhenTheRangeExceedsThePageAndLeavesWhenItFits)
{
    HWND top = TopLevel(10, 10, 300, 200, WS_POPUP);
    HWND view = Child(top, 0, 0, 200, 150);
    watched = {WM_SIZE};
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = 400;
    si.nPage = 200;
    SetScrollInfo(view, SB_HORZ, si, true);
    EXPECT_EQ(ClientRect(view).Height(), 134);
    si.nMax = 100;
    SetScrollInfo(view, SB_HORZ, si, true);
    EXPECT_EQ(ClientRect(view).Height(), 150);
    EXPECT_EQ(MessagesOf(view).size(), 2u) << "each change of the client size is reported";
}

TEST_F(WindowSystemTest, DestroyingAWindowDestroysChildrenAndOwnedWindowsAndDropsTheFocus)
{
    watched = {WM_DESTROY, WM_NCDESTROY};
    HWND top = TopLevel(10, 10, 300, 200);
    HWND child = Child(top, 0, 0, 50, 50);
    HWND owned = CreateWindowEx(0, "Logged", "", WS_POPUP, 0, 0, 10, 10, top);
    SetFocus(child);
    DestroyWindow(top);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(owned));
    EXPECT_EQ(GetFocus(), nullptr);
    const std::vector<std::pair<HWND, UINT>> expected = {
        {owned, WM_DESTROY}, {owned, WM_NCDESTROY}, {top, WM_DESTROY}, {child, WM_DESTROY},
        {child, WM_NCDESTROY}, {top, WM_NCDESTROY},
    };
    EXPECT_EQ(Sequence(), expected);
}

} // namespace

namespace {

TEST_F(WindowSystemTest, AWorkerThreadsFramesReachTheWindowThroughTheQueue)
{
    HWND top = TopLevel(10, 10, 100, 100, WS_POPUP);
    driver.PaintAll();
    const int presentsBefore = driver.Backend().PresentCount();
    std::thread worker([top] {
        for (int frame = 1; frame <= 4; ++frame) {
            TBitmap bitmap;
            bitmap.SetSize(10 * frame, 10);
            bitmap.Canvas()->Brush()->SetColor(clGreen);
            bitmap.Canvas()->FillRect(TRect(0, 0, 10 * frame, 10));
            PresentWorkerFrame(top, bitmap, {5, 5});
        }
    });
    worker.join();
    driver.Pump();
    const TBitmap* s = WindowSurface(top);
    EXPECT_EQ(s->Pixel(5, 5), clGreen);
    EXPECT_EQ(s->Pixel(44, 14), clGreen) << "the widest frame came last";
    EXPECT_EQ(s->Pixel(45, 5), clWhite);
    EXPECT_EQ(driver.Backend().PresentCount() - presentsBefore, 4) << "every frame reached the screen";
}

} // namespace
