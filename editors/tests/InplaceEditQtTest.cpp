// The editor contract through the Qt back end on a real X display (run under Xvfb, the
// clicks sent by xdotool as a user's would be): a quick second click on a cell lands on
// the editor the first click opened and reaches the host as a double click; the editor
// has the focus and the host is the form's active control.
#include "editors/tests/EditorFixture.h"
#include "platform/backend/tests/DisplayTest.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WinApi.h"

#include <chrono>
#include <cstdlib>

namespace {


class InplaceEditQtTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped())
            return;
        form->SetBounds(100, 100, 400, 200);
        host = new TTestHost(form);
        host->SetParent(form);
        host->SetBounds(0, 0, 360, 150);
        ShowForm();
    }
    // Clicks at a screen point; the pointer is moved there only when it is elsewhere (a
    // synchronous move to where it already is waits for a motion that never comes).
    static void Clicks(TPoint screen, int count, int delayMs)
    {
        TPoint now;
        GetCursorPos(now);
        std::string command = "xdotool ";
        if (now != screen)
            command += "mousemove --sync " + std::to_string(screen.X) + " " + std::to_string(screen.Y) + " ";
        command += "click --repeat " + std::to_string(count) + " --delay " + std::to_string(delayMs) + " 1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    TTestHost* host = nullptr;
};

TEST_F(InplaceEditQtTest, AQuickSecondClickOnTheCellReachesTheHostAsADoubleClickThroughTheEditor)
{
    TPoint cell{host->cell.Left + 10, host->cell.Top + 6};
    ClientToScreen(host->Handle(), cell);
    Clicks(cell, 2, 80);
    auto dblClicks = [&] { return std::count(host->log.begin(), host->log.end(), "dblclick"); };
    ASSERT_TRUE(PumpUntil([&] { return dblClicks() >= 1; }, std::chrono::seconds(10)))
        << "no double click arrived; editor shown " << host->Edit()->Shown();
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(dblClicks(), 1);
    EXPECT_TRUE(host->Edit()->Shown());
    EXPECT_EQ(GetFocus(), host->Edit()->Handle());
    EXPECT_EQ(form->ActiveControl(), host);
}

TEST_F(InplaceEditQtTest, TwoSlowClicksAreTwoPresses)
{
    TPoint cell{host->cell.Left + 10, host->cell.Top + 6};
    ClientToScreen(host->Handle(), cell);
    Clicks(cell, 1, 0);
    ASSERT_TRUE(PumpUntil([&] { return host->Edit()->Shown(); }, std::chrono::seconds(10)));
    PumpFor(std::chrono::milliseconds(int(GetDoubleClickTime()) + 200));
    int presses = 0;
    host->Edit()->OnMouseDown = [&](TObject*, TMouseButton, TShiftState shift, int, int) {
        if (!shift.contains(TShiftStateFlag::ssDouble))
            ++presses;
    };
    Clicks(cell, 1, 0);
    ASSERT_TRUE(PumpUntil([&] { return presses >= 1; }, std::chrono::seconds(10)));
    EXPECT_EQ(std::count(host->log.begin(), host->log.end(), "dblclick"), 0);
}

} // namespace
