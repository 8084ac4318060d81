// Mouse input through the Qt back end on a real X display (run under Xvfb, the clicks
// sent by xdotool as a user's would be): every physical press arrives once, and a
// quick second click on a window that wants double clicks arrives as the window
// system's own double-click message.
#include "platform/backend/tests/DisplayTest.h"
#include "platform/controls/Application.h"
#include "platform/controls/CustomControl.h"
#include "platform/controls/Form.h"
#include "platform/controls/SpinButton.h"
#include "platform/controls/SpinEdit.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {


// Counts the button messages it receives.
class TClickCounter : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Presses = 0;
    int DoubleClicks = 0;
    int Releases = 0;

protected:
    void WndProc(TMessage& Message) override
    {
        switch (Message.Msg) {
        case WM_LBUTTONDOWN: ++Presses; break;
        case WM_LBUTTONDBLCLK: ++DoubleClicks; break;
        case WM_LBUTTONUP: ++Releases; break;
        default: break;
        }
        TCustomControl::WndProc(Message);
    }
};

class QtInputTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped())
            return;
        form->SetBounds(100, 100, 300, 200);
        ShowForm();
    }

    // Two clicks 60 ms apart at a screen point, sent through the X server.
    static void DoubleClickAt(TPoint screen)
    {
        const std::string command = "xdotool mousemove --sync " + std::to_string(screen.X) + " " +
                                    std::to_string(screen.Y) + " click --repeat 2 --delay 60 1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
};

TEST_F(QtInputTest, TwoQuickClicksArriveAsOnePressAndOneDoubleClick)
{
    auto* counter = new TClickCounter(form);
    counter->SetParent(form);
    counter->SetBounds(20, 20, 100, 80);
    PumpFor(std::chrono::milliseconds(100));
    TPoint centre{70, 60};
    ClientToScreen(counter->Handle(), centre);
    DoubleClickAt(centre);
    ASSERT_TRUE(PumpUntil([&] { return counter->Releases >= 2; }, std::chrono::seconds(10)))
        << "the clicks never arrived (presses " << counter->Presses << ", releases " << counter->Releases << ")";
    // Anything late would have come by now.
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(counter->Presses, 1);
    EXPECT_EQ(counter->DoubleClicks, 1);
    EXPECT_EQ(counter->Releases, 2);
}

TEST_F(QtInputTest, TwoQuickClicksOnASpinArrowStepTwice)
{
    auto* spin = new TSpinEdit(form);
    spin->SetParent(form);
    spin->SetBounds(20, 20, 120, 24);
    spin->SetValue(5);
    PumpFor(std::chrono::milliseconds(100));
    TSpinButton* button = spin->Button();
    ASSERT_NE(button, nullptr);
    TPoint up{button->Width() / 2, button->Height() / 4};
    ClientToScreen(button->Handle(), up);
    DoubleClickAt(up);
    ASSERT_TRUE(PumpUntil([&] { return spin->Value() >= 7; }, std::chrono::seconds(10)))
        << "value " << spin->Value();
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(spin->Value(), 7) << "one step per physical press";
}

} // namespace
