// The Qt back end on a real X display (run under Xvfb, clicks made by xdotool through
// the X server): windows the pointer passes through, and translucency offered only where
// a compositing manager runs.
#include "platform/backend/qt/QtBackend.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/WinApi.h"

#include <QGuiApplication>
#include <QWindow>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class QtScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        int argc = 1;
        static char name[] = "qt-screen-test";
        static char* argv[] = {name, nullptr};
        SetWindowBackend(CreateQtBackend(argc, argv));
        for (auto [cls, colour] : {std::pair{"ScreenWhite", clWhite}, std::pair{"ScreenRed", clRed}}) {
            WNDCLASS wc;
            wc.lpszClassName = cls;
            wc.hbrBackground = colour;
            wc.lpfnWndProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                if (m == WM_LBUTTONDOWN)
                    pressed.push_back(h);
                return DefWindowProc(h, m, w, l);
            };
            RegisterClass(wc);
        }
    }
    void TearDown() override { ShutdownWindowSystem(); }

    HWND Popup(const char* cls, DWORD exStyle, TRect r)
    {
        HWND hwnd = CreateWindowEx(exStyle, cls, cls, WS_POPUP, r.Left, r.Top, r.Width(), r.Height(), nullptr);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        return hwnd;
    }

    // Handles messages until the condition holds or two seconds passed.
    bool RunUntil(const std::function<bool()>& condition)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!condition() && std::chrono::steady_clock::now() < end) {
            QGuiApplication::processEvents(QEventLoop::AllEvents, 20);
            ProcessPendingMessages();
        }
        return condition();
    }

    bool Exposed(const std::string& title)
    {
        // Windows of an earlier test may still wait for their deletion: any match counts.
        for (QWindow* w : QGuiApplication::topLevelWindows())
            if (w->title() == QString::fromStdString(title) && w->isExposed())
                return true;
        return false;
    }

    // A click of the X server's pointer, as a user makes it.
    static void ClickOnScreen(TPoint p)
    {
        const std::string command =
            "xdotool mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y) + " click 1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    std::vector<HWND> pressed;
};

TEST_F(QtScreenTest, AClickOnATransparentWindowReachesTheWindowBeneath)
{
    HWND below = Popup("ScreenWhite", 0, TRect(100, 100, 400, 300));
    HWND glass = Popup("ScreenRed", WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                       TRect(150, 150, 350, 250));
    SetLayeredWindowAttributes(glass, 0, 160, LWA_ALPHA);
    ASSERT_TRUE(RunUntil([&] { return Exposed("ScreenWhite") && Exposed("ScreenRed"); }));

    ClickOnScreen({250, 200});
    ASSERT_TRUE(RunUntil([&] { return !pressed.empty(); }));
    EXPECT_EQ(pressed, std::vector<HWND>{below});
}

TEST_F(QtScreenTest, AWindowMadeTransparentAfterItWasShownLetsClicksThroughToo)
{
    HWND below = Popup("ScreenWhite", 0, TRect(100, 100, 400, 300));
    HWND cover = Popup("ScreenRed", WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, TRect(150, 150, 350, 250));
    ASSERT_TRUE(RunUntil([&] { return Exposed("ScreenWhite") && Exposed("ScreenRed"); }));
    ClickOnScreen({250, 200});
    ASSERT_TRUE(RunUntil([&] { return !pressed.empty(); }));
    EXPECT_EQ(pressed, std::vector<HWND>{cover});

    pressed.clear();
    SetWindowLong(cover, GWL_EXSTYLE, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT);
    RunUntil([] { return false; }); // let the display take the new input shape
    ClickOnScreen({260, 210});
    ASSERT_TRUE(RunUntil([&] { return !pressed.empty(); }));
    EXPECT_EQ(pressed, std::vector<HWND>{below});
}

TEST_F(QtScreenTest, WithoutACompositingManagerATranslucentWindowShowsOpaque)
{
    // Xvfb runs no compositing manager: the desktop cannot show translucency.
    EXPECT_FALSE(LayeredWindowsAvailable());
    Popup("ScreenWhite", 0, TRect(100, 100, 400, 300));
    HWND glass = Popup("ScreenRed", WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, TRect(150, 150, 350, 250));
    SetWindowText(glass, "Translucent");
    ASSERT_TRUE(SetLayeredWindowAttributes(glass, 0, 100, LWA_ALPHA));
    ASSERT_TRUE(RunUntil([&] { return Exposed("ScreenWhite") && Exposed("Translucent"); }));
    // The native window was told its opacity all the same.
    for (QWindow* w : QGuiApplication::topLevelWindows()) {
        if (w->title() == "Translucent") {
            EXPECT_NEAR(w->opacity(), 100 / 255.0, 0.01);
        }
    }
    TBitmap shown;
    ASSERT_TRUE(RunUntil([&] { return ScreenPicture(glass, shown) && shown.Pixel(100, 50) == clRed; }));
    EXPECT_EQ(shown.Pixel(100, 50), clRed);
}

} // namespace
