// Repaint requests, read from the window's pending update region before painting: focus
// and selection repaint the ring around an image (XP the whole image frame), a hot header
// its rectangle, and item changes the client area less the headers.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/drawing/Region.h"

namespace {

class Invalidation : public SideBarTest {
protected:
    TzqSideBar* Setup(TzqsbPaintStyle style)
    {
        bar = NewShownSideBar(150, 300, style);
        bar->SetCanSelected(true);
        AddGroup(bar, "One", 0);
        group = AddGroup(bar, "Two", 4);
        AddGroup(bar, "Three", 0);
        bar->SetActiveGroup(group);
        driver.PaintAll();
        EXPECT_TRUE(Pending().IsEmpty());
        return bar;
    }
    TRegion Pending() { return GetUpdateRegion(bar->Handle()); }
    const TzqSideItemViewInfo& Info(int i) { return *bar->ViewInfo()->FindItem(group->Items()->Items(i)); }
    TRegion Ring(int i)
    {
        const TzqSideItemViewInfo& info = Info(i);
        return TRegion(info.ItemFrame().Inflate(1, 1))
            .Subtracted(TRegion(info.ImageRect))
            .Intersected(TRegion(bar->ViewInfo()->ItemsArea()));
    }
    TRegion ClientLessHeaders()
    {
        TRegion r(bar->ClientRect());
        for (int i = 0; i < bar->ViewInfo()->HeaderCount(); ++i)
            r = r.Subtracted(TRegion(bar->ViewInfo()->Headers(i).Rect));
        return r;
    }

    TzqSideBar* bar = nullptr;
    TzqSideGroup* group = nullptr;
};

TEST_F(Invalidation, FocusAndSelectionRepaintTheRingBetweenImageAndFrame)
{
    for (TzqsbPaintStyle style : {TzqsbPaintStyle::sbpsStandard, TzqsbPaintStyle::sbpsFlat, TzqsbPaintStyle::sbpsW2K}) {
        SCOPED_TRACE(int(style));
        Setup(style);
        bar->SetFocusedItem(group->Items()->Items(0));
        EXPECT_EQ(Pending(), Ring(0));
        driver.PaintAll();
        // Moving the focus repaints both rings.
        bar->SetFocusedItem(group->Items()->Items(1));
        EXPECT_EQ(Pending(), Ring(0).United(Ring(1)));
        driver.PaintAll();
        bar->SetSelectedItem(group->Items()->Items(2));
        EXPECT_EQ(Pending(), Ring(2));
        driver.PaintAll();
        // Pressing the focused item.
        bar->SetFocusedItem(group->Items()->Items(1), true);
        EXPECT_EQ(Pending(), Ring(1));
        form->Release();
        driver.Pump();
    }
}

TEST_F(Invalidation, TheRingIsSmallAndLeavesTheImageAlone)
{
    Setup(TzqsbPaintStyle::sbpsFlat);
    bar->SetFocusedItem(group->Items()->Items(0));
    const TRegion pending = Pending();
    EXPECT_FALSE(pending.Intersects(Info(0).ImageRect));
    EXPECT_FALSE(pending.Intersects(Info(0).CaptionRect));
    EXPECT_TRUE(pending.Contains(Info(0).ImageFrame.TopLeft()));
}

TEST_F(Invalidation, XPRepaintsTheWholeImageFrame)
{
    Setup(TzqsbPaintStyle::sbpsXP);
    bar->SetFocusedItem(group->Items()->Items(0));
    EXPECT_EQ(Pending(), TRegion(Info(0).ImageFrame));
    driver.PaintAll();
    bar->SetSelectedItem(group->Items()->Items(1));
    EXPECT_EQ(Pending(), TRegion(Info(1).ImageFrame));
}

TEST_F(Invalidation, AHotOrPressedHeaderRepaintsItsRectangleAlone)
{
    Setup(TzqsbPaintStyle::sbpsFlat);
    TzqSideGroup* three = bar->Groups()->Items(2);
    const TRect header = bar->ViewInfo()->FindHeader(three)->Rect;
    bar->SetHotGroup(three);
    EXPECT_EQ(Pending(), TRegion(header));
    driver.PaintAll();
    bar->SetHotGroup(three, true);
    EXPECT_EQ(Pending(), TRegion(header));
    driver.PaintAll();
    // Moving to another header repaints both.
    TzqSideGroup* one = bar->Groups()->Items(0);
    bar->SetHotGroup(one);
    EXPECT_EQ(Pending(), TRegion(header).United(TRegion(bar->ViewInfo()->FindHeader(one)->Rect)));
}

TEST_F(Invalidation, ItemChangesAndScrollingRepaintTheClientAreaLessTheHeaders)
{
    Setup(TzqsbPaintStyle::sbpsFlat);
    group->Items()->Items(1)->SetCaption("Renamed");
    EXPECT_EQ(Pending(), ClientLessHeaders());
    driver.PaintAll();
    group->SetTopItemIndex(1);
    EXPECT_EQ(Pending(), ClientLessHeaders());
    driver.PaintAll();
    group->Items()->Add();
    EXPECT_EQ(Pending(), ClientLessHeaders());
}

TEST_F(Invalidation, ChangesToAnInactiveGroupsItemsRepaintNothing)
{
    Setup(TzqsbPaintStyle::sbpsFlat);
    TzqSideGroup* one = bar->Groups()->Items(0);
    one->Items()->Add()->SetCaption("Hidden");
    EXPECT_TRUE(Pending().IsEmpty());
}

TEST_F(Invalidation, InvalidateItemCoversTheImageGrownByOneAndTheCaption)
{
    Setup(TzqsbPaintStyle::sbpsFlat);
    bar->Painter()->InvalidateItem(group->Items()->Items(0));
    const TRegion expected = TRegion(Info(0).ImageRect.Inflate(1, 1))
                                 .United(TRegion(Info(0).CaptionRect))
                                 .Intersected(TRegion(bar->ViewInfo()->ItemsArea()));
    EXPECT_EQ(Pending(), expected);
}

} // namespace
