// The item hint on a shown side bar, on the virtual clock: where it goes, what the side
// bar's own Hint and ShowHint hold meanwhile, and what ends it.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/controls/HintWindow.h"
#include "platform/core/VirtualKeys.h"
#include "sidebar/SideBarItem.h"

namespace {

class SideBarHint : public SideBarTest {
protected:
    void Setup(TzqSideGroupIconType type = TzqSideGroupIconType::zqsgLargeIcon, int height = 300)
    {
        bar = NewShownSideBar(150, height);
        bar->SetShowHint(true);
        bar->SetHint("own hint");
        group = AddGroup(bar, "Group", 6, type);
        Item(0)->SetHint("Short 0|Long part 0");
        Item(1)->SetHint("Only one part");
        Item(2)->SetHint("Short 2|Long 2");
        bar->CalculateLayout();
    }
    TzqSideBarItem* Item(int i) const { return group->Items()->Items(i); }
    const TzqSideItemViewInfo& Info(int i)
    {
        bar->CalculateLayout();
        return *bar->ViewInfo()->FindItem(Item(i));
    }
    void MoveOnto(int i)
    {
        const TRect r = Info(i).CaptionRect;
        driver.MoveToAt(bar->Handle(), {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    bool HintVisible() { return bar->ItemHintWindow() && bar->ItemHintWindow()->IsHintVisible(); }
    std::string HintText() { return HintVisible() ? bar->ItemHintWindow()->Caption() : std::string("<hidden>"); }
    // The hint window's screen rectangle.
    TRect HintRect() { return bar->ItemHintWindow()->BoundsRect(); }
    TPoint ScreenOf(TPoint client) { return bar->ClientToScreen(client); }

    // The form's picture with the hint window drawn over it where it stands on the
    // screen, the picture grown to hold it.
    void SaveWithHint(const std::string& name)
    {
        driver.PaintAll();
        const TBitmap* formSurface = WindowSurface(form->Handle());
        const TBitmap* hintSurface = WindowSurface(bar->ItemHintWindow()->Handle());
        ASSERT_NE(formSurface, nullptr);
        ASSERT_NE(hintSurface, nullptr);
        const TPoint origin = form->ClientToScreen({0, 0});
        const TRect hint = HintRect();
        TBitmap picture;
        picture.SetSize(std::max(formSurface->Width(), hint.Right - origin.X),
                        std::max(formSurface->Height(), hint.Bottom - origin.Y));
        picture.Canvas()->Brush()->SetColor(clWhite);
        picture.Canvas()->FillRect(TRect{0, 0, picture.Width(), picture.Height()});
        picture.Canvas()->Draw(0, 0, const_cast<TBitmap*>(formSurface));
        picture.Canvas()->Draw(hint.Left - origin.X, hint.Top - origin.Y, const_cast<TBitmap*>(hintSurface));
        ASSERT_TRUE(picture.SaveToPngFile(std::string(SIDEBAR_PNG_DIR) + "/" + name + ".png"));
    }

    TzqSideBar* bar = nullptr;
    TzqSideGroup* group = nullptr;
};

TEST_F(SideBarHint, ShortPartShowsAtOnceAndTheLongPartIsTheSideBarsHint)
{
    Setup();
    struct Case {
        int item;
        const char* shown;
        const char* sideBarHint;
    } cases[] = {
        {0, "Short 0", "Long part 0"},
        {1, "Only one part", "Only one part"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        MoveOnto(c.item);
        EXPECT_TRUE(bar->ItemHintShown());
        EXPECT_EQ(HintText(), c.shown);
        EXPECT_EQ(bar->Hint(), c.sideBarHint);
        EXPECT_FALSE(bar->ShowHint()) << "the platform would show a hint of its own";
        driver.AdvanceTime(3000);
        // Back on neutral ground before the next case.
        driver.MoveToAt(bar->Handle(), {2, bar->ViewInfo()->ItemsArea().Bottom - 2});
    }
}

TEST_F(SideBarHint, HidesAtExactlyThreeSecondsAndRestoresTheOwnHint)
{
    Setup();
    MoveOnto(0);
    driver.AdvanceTime(2999);
    EXPECT_EQ(HintText(), "Short 0");
    driver.AdvanceTime(1);
    EXPECT_FALSE(HintVisible());
    EXPECT_FALSE(bar->ItemHintShown());
    EXPECT_EQ(bar->Hint(), "own hint");
    EXPECT_TRUE(bar->ShowHint());
}

TEST_F(SideBarHint, WhileShownOtherItemsShowNone)
{
    Setup();
    MoveOnto(0);
    MoveOnto(2);
    EXPECT_EQ(bar->FocusedItem(), Item(2));
    EXPECT_EQ(HintText(), "Short 0");
    EXPECT_EQ(bar->Hint(), "Long part 0");
    // Once it went, the next item the pointer reaches shows its own.
    driver.AdvanceTime(3000);
    MoveOnto(1);
    EXPECT_EQ(HintText(), "Only one part");
}

TEST_F(SideBarHint, ClickOrKeyEndsTheHint)
{
    Setup();
    struct Case {
        const char* name;
        std::function<void()> action;
    } cases[] = {
        {"left press on the item", [&] {
             const TRect r = Info(0).CaptionRect;
             driver.Press(ScreenOf({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}));
         }},
        {"right press on the side bar", [&] { driver.Press(ScreenOf({3, 3}), TMouseButton::mbRight); }},
        {"a key", [&] { driver.PressKey('A'); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        driver.MoveToAt(bar->Handle(), {2, bar->ViewInfo()->ItemsArea().Bottom - 2});
        MoveOnto(0);
        ASSERT_EQ(HintText(), "Short 0");
        c.action();
        EXPECT_FALSE(HintVisible());
        EXPECT_EQ(bar->Hint(), "own hint");
        EXPECT_TRUE(bar->ShowHint());
        driver.Release(ScreenOf({3, 3}), TMouseButton::mbLeft);
        driver.Release(ScreenOf({3, 3}), TMouseButton::mbRight);
    }
}

// Large icons: centred under the caption; small icons: SpaceHeight from the left edge.
TEST_F(SideBarHint, SitsTwoPixelsBelowTheCaption)
{
    for (auto type : {TzqSideGroupIconType::zqsgLargeIcon, TzqSideGroupIconType::zqsgSmallIcon}) {
        const bool large = type == TzqSideGroupIconType::zqsgLargeIcon;
        SCOPED_TRACE(large ? "large icons" : "small icons");
        Setup(type);
        MoveOnto(1);
        ASSERT_TRUE(HintVisible());
        const TRect hint = HintRect();
        const TRect measured = bar->ItemHintWindow()->CalcHintRect(150 - 2 * bar->SpaceHeight(), "Only one part");
        const int left = large ? (150 - measured.Width()) / 2 : bar->SpaceHeight();
        // Grown by one pixel on every side.
        EXPECT_EQ(hint.Top, ScreenOf({0, Info(1).CaptionRect.Bottom + 2}).Y - 1);
        EXPECT_EQ(hint.Left, ScreenOf({left, 0}).X - 1);
        EXPECT_EQ(hint.Width(), measured.Width() + 2);
        EXPECT_EQ(hint.Height(), measured.Height() + 2);
        driver.AdvanceTime(3000);
        delete form;
        form = nullptr;
    }
}

TEST_F(SideBarHint, CutOffItemShowsItBelowTheImage)
{
    Setup(TzqSideGroupIconType::zqsgLargeIcon, 150);
    bar->CalculateLayout();
    const TzqSideBarViewInfo* vi = bar->ViewInfo();
    const TzqSideItemViewInfo& last = vi->Items(vi->ItemCount() - 1);
    ASSERT_TRUE(last.CutOff) << "the fixture needs an item cut off at the bottom";
    TzqSideBarItem* item = last.Item;
    item->SetHint("Cut off");
    // The image of the cut-off item, where the pointer rests.
    const TRect image = last.ImageRect;
    driver.MoveToAt(bar->Handle(), {(image.Left + image.Right) / 2, (image.Top + image.Bottom) / 2});
    ASSERT_EQ(bar->FocusedItem(), item);
    ASSERT_EQ(HintText(), "Cut off");
    EXPECT_EQ(HintRect().Top, ScreenOf({0, image.Bottom + 2}).Y - 1);
    SaveWithHint("h22-hint-cut-off");
}

} // namespace
