// Bad input: side bars of no size or one pixel wide, a group of 100,000 items, captions of
// 100,000 characters and very large SpaceHeight lay out and paint without crash, hang or
// overflow.
#include "sidebar/tests/SideBarFixture.h"

#include <climits>

namespace {

using BadInput = SideBarTest;

TEST_F(BadInput, TinySideBarsLayOutAndPaintInEveryStyle)
{
    struct Size {
        int w, h;
    };
    for (TzqsbPaintStyle style : {TzqsbPaintStyle::sbpsStandard, TzqsbPaintStyle::sbpsFlat, TzqsbPaintStyle::sbpsW2K,
                                  TzqsbPaintStyle::sbpsXP})
        for (Size size : {Size{0, 0}, Size{1, 300}, Size{150, 1}, Size{2, 2}}) {
            SCOPED_TRACE(std::to_string(int(style)) + " " + std::to_string(size.w) + "x" + std::to_string(size.h));
            TzqSideBar* bar = NewShownSideBar(size.w, size.h, style);
            bar->BkGround()->SetBeginColor(clBlack);
            bar->BkGround()->SetEndColor(clWhite);
            bar->BkGround()->SetFillStyle(TzqSideBarFillStyle::bfsVert);
            AddGroup(bar, "One", 3);
            TzqSideGroup* two = AddGroup(bar, "Two", 3, TzqSideGroupIconType::zqsgSmallIcon);
            AddGroup(bar, "Three", 3);
            bar->SetActiveGroup(two);
            driver.PaintAll();
            // A window without pixels is never painted: lay out by hand.
            bar->CalculateLayout();
            const TzqSideBarViewInfo* vi = bar->ViewInfo();
            EXPECT_TRUE(vi->Valid());
            // Items are placed only where their space begins inside the items area.
            if (vi->ItemCount() > 0)
                EXPECT_LT(vi->ItemsArea().Top + bar->SpaceHeight(), vi->ItemsArea().Bottom);
            else
                EXPECT_GE(int64_t(vi->ItemsArea().Top) + bar->SpaceHeight(), vi->ItemsArea().Bottom);
            bar->SetActiveGroup(bar->Groups()->Items(0));
            driver.PaintAll();
            form->Release();
            driver.Pump();
        }
}

TEST_F(BadInput, AHundredThousandItemsPlaceOnlyWhatShows)
{
    TzqSideBar* bar = NewShownSideBar(124, 600, TzqsbPaintStyle::sbpsFlat);
    TzqSideGroup* group = AddGroup(bar, "Many", 100000);
    group->SetTopItemIndex(50000);
    driver.PaintAll();
    const TzqSideBarViewInfo* vi = bar->ViewInfo();
    ASSERT_GT(vi->ItemCount(), 0);
    EXPECT_LT(vi->ItemCount(), 20);
    EXPECT_EQ(vi->Items(0).Index, 50000);
    EXPECT_FALSE(vi->UpButton().IsEmpty());
    EXPECT_FALSE(vi->DownButton().IsEmpty());
    // Clearing them all leaves an empty, valid side bar.
    group->Items()->Clear();
    driver.PaintAll();
    EXPECT_EQ(bar->ViewInfo()->ItemCount(), 0);
    EXPECT_EQ(group->TopItemIndex(), 0);
}

TEST_F(BadInput, CaptionsOfAHundredThousandCharactersAreCutToFit)
{
    const std::string huge(100000, 'W');
    std::string words;
    for (int i = 0; i < 20000; ++i)
        words += "word ";
    for (TzqsbPaintStyle style : {TzqsbPaintStyle::sbpsStandard, TzqsbPaintStyle::sbpsXP}) {
        SCOPED_TRACE(int(style));
        TzqSideBar* bar = NewShownSideBar(150, 300, style);
        TzqSideGroup* large = AddGroup(bar, huge, 0);
        large->Items()->Add()->SetCaption(huge);
        large->Items()->Add()->SetCaption(words);
        TzqSideGroup* small = AddGroup(bar, words, 0, TzqSideGroupIconType::zqsgSmallIcon);
        small->Items()->Add()->SetCaption(huge);
        driver.PaintAll();
        const TzqSideBarViewInfo* vi = bar->ViewInfo();
        ASSERT_GE(vi->ItemCount(), 1);
        // A word-wrapped caption without spaces is broken into lines inside the area.
        EXPECT_LE(vi->Items(0).CaptionRect.Width(), vi->ItemsArea().Width());
        bar->SetActiveGroup(small);
        driver.PaintAll();
        ASSERT_EQ(bar->ViewInfo()->ItemCount(), 1);
        EXPECT_LE(bar->ViewInfo()->Items(0).CaptionRect.Right, bar->ViewInfo()->ItemsArea().Right - bar->SpaceHeight());
        form->Release();
        driver.Pump();
    }
}

TEST_F(BadInput, HugeSpaceHeightPlacesNothingAndDoesNotOverflow)
{
    for (int space : {INT_MAX, INT_MAX / 2, 1000000}) {
        SCOPED_TRACE(space);
        auto bar = NewSideBar();
        bar->SetSpaceHeight(space);
        ASSERT_EQ(bar->SpaceHeight(), space);
        AddGroup(bar.get(), "A", 10);
        bar->CalculateLayout();
        EXPECT_EQ(bar->ViewInfo()->ItemCount(), 0);
        EXPECT_TRUE(bar->ViewInfo()->DownButton().IsEmpty());
    }
}

TEST_F(BadInput, ASpaceHeightThatCutsTheFirstItemShowsTheDownButton)
{
    for (TzqsbPaintStyle style : {TzqsbPaintStyle::sbpsFlat, TzqsbPaintStyle::sbpsW2K}) {
        auto bar = NewSideBar();
        bar->SetPaintStyle(style);
        AddGroup(bar.get(), "A", 3);
        bar->CalculateLayout();
        const int iaHeight = bar->ViewInfo()->ItemsArea().Height();
        bar->SetSpaceHeight(iaHeight - 1);
        bar->CalculateLayout();
        const TzqSideBarViewInfo* vi = bar->ViewInfo();
        ASSERT_EQ(vi->ItemCount(), 1);
        const TzqSideItemViewInfo& info = vi->Items(0);
        EXPECT_TRUE(info.CutOff);
        EXPECT_GT(info.ImageRect.Top, vi->ItemsArea().Bottom);
        EXPECT_GT(info.CaptionRect.Top, info.ImageRect.Bottom);
        EXPECT_GE(info.ItemFrame().Bottom, info.ItemFrame().Top);
        // The only item placed is cut off: the down button shows.
        EXPECT_FALSE(vi->DownButton().IsEmpty());
    }
}

} // namespace
