// The side bar on a real display through the Qt back end (run under Xvfb): the first
// frame that reaches the screen shows the headers and items, and equals a full repaint.
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/Backend.h"
#include "platform/window/WinApi.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroups.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

class SideBarScreenTest : public ::testing::Test {
protected:
    void TearDown() override { app.reset(); }

    // Runs the message loop as the program's own loop does, for a while.
    void RunFor(int milliseconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        SetTimer(form->Handle(), 77, 20, nullptr);
        while (std::chrono::steady_clock::now() < end) {
            MSG msg;
            if (PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(msg);
                DispatchMessage(msg);
            } else {
                WaitMessage();
            }
        }
        KillTimer(form->Handle(), 77);
    }

    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
};

TEST_F(SideBarScreenTest, TheFirstFrameShowsHeadersAndItemsAndEqualsAFullRepaint)
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "this test needs a display (run it under xvfb-run)";
    app = std::make_unique<TApplication>();
    int argc = 0;
    app->Initialize(argc, nullptr, false);
    ASSERT_NE(WindowBackend()->Name(), "headless") << "the display could not be opened";
    form = new TForm(app.get());
    form->SetBounds(100, 100, 300, 400);
    auto* bar = new TzqSideBar(form);
    bar->SetParent(form);
    bar->SetColor(clNavy);
    for (const char* caption : {"Shortcuts", "Mail", "Other"}) {
        TzqSideGroup* group = bar->Groups()->Add();
        group->SetCaption(caption);
        for (int i = 0; i < 4; ++i)
            group->Items()->Add()->SetCaption(std::string(caption) + " " + std::to_string(i + 1));
    }
    bar->SetActiveGroupIndex(1);
    form->Show();
    RunFor(1000);
    TBitmap first;
    ASSERT_TRUE(ScreenPicture(form->Handle(), first)) << "the window never reached the screen";

    // Find the side bar's client area in the window's picture through a header's face.
    const TPoint origin = bar->ClientToScreen(TPoint(0, 0));
    TRect window;
    GetWindowRect(form->Handle(), window);
    const TPoint at = origin - window.TopLeft();
    const TzqSideBarViewInfo* vi = bar->ViewInfo();
    ASSERT_EQ(vi->HeaderCount(), 3);
    const TRect header = vi->Headers(2).Rect;
    EXPECT_EQ(first.Pixel(at.X + header.Left + 3, at.Y + header.Top + 3) & 0xFFFFFF, ColorToRGB(clBtnFace) & 0xFFFFFF);
    const TRect ia = vi->ItemsArea();
    EXPECT_EQ(first.Pixel(at.X + ia.Left + 2, at.Y + ia.Top + 2) & 0xFFFFFF, clNavy);

    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RunFor(500);
    TBitmap repainted;
    ASSERT_TRUE(ScreenPicture(form->Handle(), repainted));
    int differing = 0;
    for (int y = 0; y < first.Height(); ++y)
        for (int x = 0; x < first.Width(); ++x)
            differing += first.Pixel(x, y) != repainted.Pixel(x, y);
    EXPECT_EQ(differing, 0) << "the first frame differs from a full repaint";
}

} // namespace
