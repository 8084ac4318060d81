// A floating toolbar through the Qt back end on a real X display (run under Xvfb, the
// clicks sent by xdotool as a user's would be): it shows painted, its buttons click,
// and it never takes the activation from the form.
#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarControl.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarMenuChain.h"
#include "bars/BarSubItem.h"
#include "bars/BarSubMenuControl.h"
#include "bars/Bars.h"
#include "platform/backend/tests/DisplayTest.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/Backend.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {


class BarQtTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped())
            return;
        form->SetBounds(100, 100, 400, 260);
        form->Show();
        manager = new TzqBarManager(form);
        bar = manager->Bars()->Add();
        bar->SetCaption("Tools");
        TBitmap glyph(16, 16);
        glyph.Fill(clFuchsia);
        FillRectColor(glyph.Canvas(), TRect(2, 2, 14, 14), clNavy);
        for (int i = 0; i < 3; ++i) {
            auto* button = new TzqBarButton(form);
            button->SetName("Tool" + std::to_string(i));
            button->SetCategory(0);
            button->SetGlyph(&glyph);
            button->OnClick = [this, i](TObject*) { clicked += 1 + i * 10; };
            bar->ItemLinks()->Add()->SetItem(button);
        }
        bar->SetFloatLeft(600);
        bar->SetFloatTop(200);
        PumpFor(std::chrono::milliseconds(300));
        SetActiveWindow(form->Handle());
        bar->SetVisible(true);
        PumpFor(std::chrono::milliseconds(300));
    }
    static void ClickAt(TPoint screen) { Xdotool("mousemove --sync " + At(screen) + " click 1"); }
    TzqBarControl* Window() const { return static_cast<TzqBarControl*>(bar->Control()); }

    TzqBarManager* manager = nullptr;
    TzqBar* bar = nullptr;
    int clicked = 0;
};

TEST_F(BarQtTest, AFloatingToolbarShowsPaintedAndItsButtonsClickWithoutTakingTheActivation)
{
    TzqBarControl* window = Window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->Floating());
    ASSERT_TRUE(IsWindowVisible(window->Handle()));
    // The screen shows the glyph of the first button.
    const TRect first = window->ItemControls(0)->Rect();
    const TPoint glyphPixel{first.Left + (first.Width() - 16) / 2 + 3, first.Top + (first.Height() - 16) / 2 + 3};
    const TPoint inWindow{glyphPixel.X + window->ClientOrigin().X - window->Left(),
                          glyphPixel.Y + window->ClientOrigin().Y - window->Top()};
    TBitmap shown;
    const TColor navy = ColorToRGB(RGB(0, 0, 128));
    ASSERT_TRUE(PumpUntil(
        [&] {
            return ScreenPicture(window->Handle(), shown) && (shown.Pixel(inWindow.X, inWindow.Y) & 0xFFFFFF) != 0 &&
                   (shown.Pixel(inWindow.X, inWindow.Y) & 0xFFFFFF) != ColorToRGB(clFuchsia);
        },
        std::chrono::seconds(5)));
    // The enhanced style draws resting glyphs as they are.
    EXPECT_EQ(shown.Pixel(inWindow.X, inWindow.Y) & 0xFFFFFF, navy);

    const TRect second = window->ItemControls(1)->Rect();
    ClickAt(window->ClientToScreen(TPoint{second.Left + second.Width() / 2, second.Top + second.Height() / 2}));
    ASSERT_TRUE(PumpUntil([&] { return clicked != 0; }, std::chrono::seconds(10))) << "the click never arrived";
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(clicked, 11);
    EXPECT_EQ(GetActiveWindow(), form->Handle());
}

TEST_F(BarQtTest, AClickOnAMainMenuItemOpensItsMenuPaintedAndAClickInItRunsTheCommand)
{
    TzqBar* main = manager->Bars()->Add();
    main->SetCaption("Main Menu");
    auto* file = new TzqBarSubItem(form);
    file->SetName("File");
    file->SetCaption("&File");
    file->SetCategory(0);
    main->ItemLinks()->Add()->SetItem(file);
    int opened = 0;
    for (const char* caption : {"&New", "&Open"}) {
        auto* command = new TzqBarButton(form);
        command->SetCaption(caption);
        command->SetCategory(0);
        command->OnClick = [this, &opened](TObject*) { opened += 1; };
        file->ItemLinks()->Add()->SetItem(command);
    }
    main->SetIsMainMenu(true);
    main->SetDockingStyle(TzqBarDockingStyle::dsTop);
    main->SetVisible(true);
    PumpFor(std::chrono::milliseconds(300));
    auto* bar = static_cast<TzqBarControl*>(main->Control());
    ASSERT_NE(bar, nullptr);
    const TRect item = bar->ItemControls(0)->Rect();
    ClickAt(bar->ClientToScreen(TPoint{item.Left + item.Width() / 2, item.Top + item.Height() / 2}));
    const auto head = [] { return dynamic_cast<TzqBarSubMenuControl*>(TzqBarMenuChain::Head()); };
    ASSERT_TRUE(PumpUntil([&] { return head() != nullptr; }, std::chrono::seconds(10))) << "the menu never opened";
    TzqBarSubMenuControl* menu = head();
    EXPECT_TRUE(IsWindowVisible(menu->Handle()));
    // Below the item, painted: the caption of "New" puts dark pixels in its row.
    EXPECT_EQ(menu->BoundsRect().Top, bar->ClientToScreen(TPoint{0, item.Bottom}).Y);
    const TRect row = menu->ItemControls(0)->Rect();
    TBitmap shown;
    int dark = 0;
    ASSERT_TRUE(PumpUntil(
        [&] {
            if (!ScreenPicture(menu->Handle(), shown))
                return false;
            dark = 0;
            for (int y = row.Top; y < row.Bottom; ++y)
                for (int x = row.Left; x < row.Right; ++x)
                    dark += (shown.Pixel(x, y) & 0xFFFFFF) == 0 ? 1 : 0;
            return dark > 10;
        },
        std::chrono::seconds(5)))
        << "no caption was painted in the first row (" << dark << " dark pixels)";
    EXPECT_EQ(GetActiveWindow(), form->Handle()) << "the menu never takes the activation";

    const TRect second = menu->ItemControls(1)->Rect();
    ClickAt(menu->ClientToScreen(TPoint{second.Left + second.Width() / 2, second.Top + second.Height() / 2}));
    ASSERT_TRUE(PumpUntil([&] { return opened != 0; }, std::chrono::seconds(10))) << "the click never arrived";
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(TzqBarMenuChain::Active());
}

} // namespace
