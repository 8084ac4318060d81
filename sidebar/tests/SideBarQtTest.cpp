// The side bar through the Qt back end on a real X display (run under Xvfb, the pointer
// moved and clicked through the X server by xdotool as a user's would be): a click
// reports the item under the pointer, resting on an item shows its hint on the screen,
// and dragging an item paints the drop marker.
#include "platform/backend/tests/DisplayTest.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/controls/HintWindow.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/Backend.h"
#include "platform/window/WinApi.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarDragObject.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroups.h"
#include "sidebar/SideItemViewInfo.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace std::chrono_literals;

class SideBarQtTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_NE(WindowBackend()->Name(), "headless") << "the display could not be opened";
        form->SetBounds(100, 100, 260, 460);
        bar = new TzqSideBar(form);
        bar->SetParent(form);
        bar->SetColor(clTeal);
        bar->SetShowHint(true);
        group = bar->Groups()->Add();
        group->SetCaption("Shortcuts");
        for (int i = 0; i < 3; ++i) {
            TzqSideBarItem* item = group->Items()->Add();
            item->SetCaption("Item " + std::to_string(i + 1));
            item->SetHint("Short " + std::to_string(i + 1) + "|Long hint " + std::to_string(i + 1));
        }
        bar->Groups()->Add()->SetCaption("Other");
        bar->OnItemClick = [this](TObject*, TzqSideBarItem* item) { clicked = item; };
        form->Show();
        // Park the pointer away from the form so the tests start from nothing hot.
        Xdotool("mousemove 5 5");
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form->Handle()) && bar->ViewInfo()->ItemCount() == 3; }, 5s));
        PumpFor(300ms);
    }
    void TearDown() override
    {
        if (app)
            Xdotool("mouseup 1 mousemove 5 5");
        DisplayTest::TearDown();
    }

    const TzqSideItemViewInfo& Info(int i) const { return *bar->ViewInfo()->FindItem(group->Items()->Items(i)); }
    // The middle of an item's image, on the screen.
    static TPoint Middle(const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    TPoint OnItem(int i) const { return bar->ClientToScreen(Middle(Info(i).ImageRect)); }
    // A client point of the side bar in the form's window picture.
    TPoint InWindow(TPoint client) const
    {
        TRect window;
        GetWindowRect(form->Handle(), window);
        return bar->ClientToScreen(client) - window.TopLeft();
    }

    TzqSideBar* bar = nullptr;
    TzqSideGroup* group = nullptr;
    TzqSideBarItem* clicked = nullptr;
};

TEST_F(SideBarQtTest, AClickReportsTheItemUnderThePointer)
{
    Xdotool("mousemove --sync " + At(OnItem(1)) + " click 1");
    ASSERT_TRUE(PumpUntil([&] { return clicked != nullptr; }, 10s)) << "the click never arrived";
    EXPECT_EQ(clicked, group->Items()->Items(1));
}

TEST_F(SideBarQtTest, RestingOnAnItemShowsTheShortHintBelowItOnTheScreen)
{
    Xdotool("mousemove --sync " + At(OnItem(0)));
    ASSERT_TRUE(PumpUntil([&] { return bar->ItemHintShown(); }, 10s)) << "no hint after the pointer came";
    THintWindow* hint = bar->ItemHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Caption(), "Short 1");
    EXPECT_EQ(bar->Hint(), "Long hint 1");
    // The hint window is on the screen, just below the caption, in the hint colour.
    TRect shown;
    GetWindowRect(hint->Handle(), shown);
    EXPECT_EQ(shown.Top, bar->ClientToScreen(TPoint{0, Info(0).CaptionRect.Bottom}).Y + 2 - 1);
    TBitmap picture;
    const TColor hintColor = ColorToRGB(Application->HintColor()) & 0xFFFFFF;
    ASSERT_TRUE(PumpUntil(
        [&] {
            return IsWindowVisible(hint->Handle()) && ScreenPicture(hint->Handle(), picture) &&
                   (picture.Pixel(2, 2) & 0xFFFFFF) == hintColor;
        },
        5s))
        << "the hint never reached the screen in the hint colour";
    // A click hides it.
    Xdotool("click 1");
    ASSERT_TRUE(PumpUntil([&] { return !bar->ItemHintShown(); }, 5s));
    EXPECT_FALSE(IsWindowVisible(hint->Handle()));
    EXPECT_EQ(bar->Hint(), "");
}

TEST_F(SideBarQtTest, DraggingAnItemPaintsTheDropMarkerOnTheScreen)
{
    bar->SetDragMode(TDragMode::dmAutomatic);
    const TPoint start = OnItem(0);
    Xdotool("mousemove --sync " + At(start) + " mousedown 1");
    ASSERT_TRUE(PumpUntil([&] { return bar->ClickArmed(); }, 5s));
    // Before the third item: the pointer just above its top.
    const TPoint target = bar->ClientToScreen(TPoint{Middle(Info(2).ImageRect).X, Info(2).Top() - 3});
    Xdotool("mousemove --sync " + At({start.X, start.Y + 10}));
    ASSERT_TRUE(PumpUntil([&] { return TzqSideBarDragObject::Current() != nullptr; }, 5s)) << "no drag started";
    Xdotool("mousemove --sync " + At(target));
    ASSERT_TRUE(PumpUntil(
        [&] {
            return bar->DropTarget() == group->Items()->Items(2) &&
                   bar->DropPosition() == TzqSideBarDropPosition::dpBefore;
        },
        5s));
    // The marker's line lies 4 pixels into the band that ends at the item's top, in black,
    // from 9 pixels inside the band's left edge.
    const TRect ia = bar->ViewInfo()->ItemsArea();
    const int lineY = Info(2).Top() - 8 + 4;
    const TPoint lineMiddle = InWindow({(ia.Left + ia.Right) / 2, lineY});
    const TPoint aboveLine = InWindow({(ia.Left + ia.Right) / 2, lineY - 3});
    TBitmap picture;
    const bool painted = PumpUntil(
        [&] {
            return ScreenPicture(form->Handle(), picture) && (picture.Pixel(lineMiddle.X, lineMiddle.Y) & 0xFFFFFF) == 0;
        },
        5s);
    EXPECT_TRUE(painted) << "the marker line never reached the screen";
    EXPECT_EQ(picture.Pixel(aboveLine.X, aboveLine.Y) & 0xFFFFFF, ColorToRGB(clTeal) & 0xFFFFFF);
    if (const char* dir = std::getenv("SIDEBAR_LOOK_DIR"))
        picture.SaveToPngFile(std::string(dir) + "/sidebar-qt-marker.png");
    Xdotool("mouseup 1");
    ASSERT_TRUE(PumpUntil([&] { return TzqSideBarDragObject::Current() == nullptr; }, 5s));
    EXPECT_EQ(group->Items()->Items(1)->Caption(), "Item 1") << "the move lands where the marker showed";
}

} // namespace
