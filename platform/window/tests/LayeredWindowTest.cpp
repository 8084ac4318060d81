// Translucent top-level windows and windows the pointer passes through, on the headless
// back end; and the driver's drags and clock inside a modal loop.
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class LayeredWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto [name, colour] : {std::pair{"White", clWhite}, std::pair{"Red", clRed}}) {
            WNDCLASS wc;
            wc.lpszClassName = name;
            wc.hbrBackground = colour;
            wc.lpfnWndProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                if (m == WM_LBUTTONDOWN || m == WM_MOUSEMOVE || m == WM_LBUTTONUP || m == WM_TIMER)
                    received.push_back({h, m});
                return DefWindowProc(h, m, w, l);
            };
            RegisterClass(wc);
        }
    }

    HWND Popup(const char* cls, DWORD exStyle, TRect r)
    {
        HWND hwnd = CreateWindowEx(exStyle, cls, cls, WS_POPUP, r.Left, r.Top, r.Width(), r.Height(), nullptr);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        driver.PaintAll();
        return hwnd;
    }

    int Count(HWND h, UINT m) const
    {
        int n = 0;
        for (const auto& [hwnd, msg] : received)
            n += hwnd == h && msg == m;
        return n;
    }

    THeadlessDriver driver;
    std::vector<std::pair<HWND, UINT>> received;
};

TEST_F(LayeredWindowTest, OnlyALayeredTopLevelWindowTakesAnOpacityAndLosesItWithTheStyle)
{
    HWND plain = Popup("Red", 0, TRect(10, 10, 60, 60));
    HWND layered = Popup("Red", WS_EX_LAYERED, TRect(70, 10, 120, 60));
    HWND child = CreateWindowEx(WS_EX_LAYERED, "Red", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, layered);

    EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 100, LWA_ALPHA));
    EXPECT_FALSE(SetLayeredWindowAttributes(child, 0, 100, LWA_ALPHA));
    EXPECT_FALSE(SetLayeredWindowAttributes(layered, clRed, 0, LWA_COLORKEY));
    ASSERT_TRUE(SetLayeredWindowAttributes(layered, 0, 100, LWA_ALPHA));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(layered, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 100);
    EXPECT_EQ(flags, DWORD(LWA_ALPHA));
    EXPECT_EQ(driver.Backend().OpacityOf(layered), 100);

    SetWindowLong(layered, GWL_EXSTYLE, 0);
    EXPECT_EQ(driver.Backend().OpacityOf(layered), 255);
    EXPECT_FALSE(GetLayeredWindowAttributes(layered, nullptr, &alpha, nullptr));
    SetWindowLong(layered, GWL_EXSTYLE, WS_EX_LAYERED);
    ASSERT_TRUE(GetLayeredWindowAttributes(layered, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 255);
}

TEST_F(LayeredWindowTest, TheScreenShowsATranslucentWindowBlendedOverWhatLiesBeneath)
{
    Popup("White", 0, TRect(0, 0, 200, 200));
    HWND glass = Popup("Red", WS_EX_LAYERED, TRect(150, 150, 250, 250)); // half over the white one
    ASSERT_TRUE(SetLayeredWindowAttributes(glass, 0, 128, LWA_ALPHA));
    ASSERT_TRUE(LayeredWindowsAvailable());

    TBitmap shown;
    ASSERT_TRUE(ScreenPicture(glass, shown));
    // Over the white window: red half way to white; over the desktop: red half way to it.
    EXPECT_EQ(shown.Pixel(10, 10), RGB(255, 127, 127));
    const TColor desktop = ColorToRGB(clBackground);
    const auto half = [](int top, int below) { return (top * 128 + below * 127 + 127) / 255; };
    EXPECT_EQ(shown.Pixel(90, 90),
              RGB(half(255, GetRValue(desktop)), half(0, GetGValue(desktop)), half(0, GetBValue(desktop))));
    // The window's own picture stays opaque: only the screen blends it.
    EXPECT_EQ(WindowSurface(glass)->Pixel(10, 10), clRed);

    // A desktop that does not compose windows shows it opaque.
    driver.Backend().SetTranslucentWindowsAvailable(false);
    EXPECT_FALSE(LayeredWindowsAvailable());
    ASSERT_TRUE(ScreenPicture(glass, shown));
    EXPECT_EQ(shown.Pixel(10, 10), clRed);
}

TEST_F(LayeredWindowTest, ATransparentTopLevelWindowLetsThePointerReachTheWindowBeneath)
{
    HWND below = Popup("White", 0, TRect(0, 0, 200, 200));
    HWND glass = Popup("Red", WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE, TRect(50, 50, 150, 150));
    EXPECT_EQ(WindowFromPoint({100, 100}), below);

    // The style taken away, the window takes the pointer again; given back, it lets it through.
    SetWindowLong(glass, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_NOACTIVATE);
    EXPECT_EQ(WindowFromPoint({100, 100}), glass);
    SetWindowLong(glass, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE);

    driver.Click({100, 100});
    EXPECT_EQ(Count(below, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(Count(glass, WM_LBUTTONDOWN), 0);
}

TEST_F(LayeredWindowTest, ADragFeedsTheLoopAPressRunsAndTheClockMovesInsideItsSteps)
{
    HWND target = Popup("White", 0, TRect(0, 0, 300, 200));
    SetTimer(target, 7, 50, {});
    std::vector<TPoint> moves;
    DWORD released = 0;
    // The press runs a modal loop until the button comes up, as a drag loop does.
    HWND looping = CreateWindowEx(0, "White", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, target);
    SetWindowProc(looping, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m != WM_LBUTTONDOWN)
            return DefWindowProc(h, m, w, l);
        SetCapture(h);
        bool up = false;
        while (!up) {
            MSG msg;
            if (!GetMessage(msg))
                break;
            if (msg.message == WM_MOUSEMOVE)
                moves.push_back(PointFromLParam(msg.lParam));
            if (msg.message == WM_LBUTTONUP) {
                up = true;
                released = GetTickCount();
            }
            DispatchMessage(msg);
        }
        ReleaseCapture();
        return 0;
    });
    const DWORD start = GetTickCount();
    driver.Drag({10, 10}, {90, 50}, 4);
    EXPECT_EQ(moves, (std::vector<TPoint>{{30, 20}, {50, 30}, {70, 40}, {90, 50}}));
    EXPECT_NE(released, 0u);

    // A step of the loop moves the clock; the loop fires the timer that fell due.
    driver.Backend().PushIdleAction([&] { driver.AdvanceTime(60); });
    driver.Backend().PushIdleAction([] { RawInput::MouseButton({20, 20}, TMouseButton::mbLeft, false); });
    driver.Press({20, 20});
    EXPECT_EQ(Count(target, WM_TIMER), 1);
    EXPECT_GE(GetTickCount() - start, 60u);
}

} // namespace
