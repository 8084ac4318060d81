// The layout of each paint style: bounds, header height and places, the items area,
// image, caption and frame rectangles of large and small icons, and the scroll buttons.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/drawing/ImageList.h"
#include "sidebar/SideItemViewInfo.h"

#include <vector>

namespace {

using Layout = SideBarTest;

constexpr int W = 150, H = 300;

const char* Name(TzqsbPaintStyle style)
{
    switch (style) {
    case TzqsbPaintStyle::sbpsStandard: return "Standard";
    case TzqsbPaintStyle::sbpsFlat: return "Flat";
    case TzqsbPaintStyle::sbpsXP: return "XP";
    case TzqsbPaintStyle::sbpsW2K: return "W2K";
    }
    return "?";
}

// Bounds B of a 150 x 300 side bar for each style, with and without headers.
struct BoundsCase {
    TzqsbPaintStyle style;
    bool showGroups;
    TRect bounds;
};
const std::vector<BoundsCase> kBounds = {
    // Inset by the bevel width (1) although no bevel is drawn, then down by 1.
    {TzqsbPaintStyle::sbpsStandard, true, TRect(1, 2, 149, 300)},
    {TzqsbPaintStyle::sbpsStandard, false, TRect(0, 0, 150, 300)},
    {TzqsbPaintStyle::sbpsFlat, true, TRect(1, 1, 149, 300)},
    {TzqsbPaintStyle::sbpsFlat, false, TRect(1, 0, 149, 300)},
    {TzqsbPaintStyle::sbpsW2K, true, TRect(1, 1, 149, 300)},
    {TzqsbPaintStyle::sbpsW2K, false, TRect(1, 0, 149, 300)},
    // One less at the bottom with headers.
    {TzqsbPaintStyle::sbpsXP, true, TRect(1, 1, 149, 299)},
    {TzqsbPaintStyle::sbpsXP, false, TRect(1, 0, 149, 300)},
};

TEST_F(Layout, BoundsPerStyleWithAndWithoutHeaders)
{
    for (const BoundsCase& c : kBounds) {
        SCOPED_TRACE(std::string(Name(c.style)) + (c.showGroups ? " with headers" : " without headers"));
        auto bar = NewSideBar();
        bar->SetPaintStyle(c.style);
        bar->SetShowGroups(c.showGroups);
        bar->CalculateLayout();
        EXPECT_EQ(bar->ViewInfo()->Bounds(), c.bounds);
    }
}

TEST_F(Layout, StandardBoundsCountAPanelBorderWidthWithASingleBorder)
{
    TzqSideBar* bar = NewShownSideBar(W, H, TzqsbPaintStyle::sbpsStandard);
    bar->SetBorderStyle(TBorderStyle::bsSingle);
    bar->SetBorderWidth(3);
    driver.Pump();
    const TRect client = bar->ClientRect();
    ASSERT_LT(client.Width(), W) << "a single border takes room outside the client area";
    bar->CalculateLayout();
    EXPECT_EQ(bar->ViewInfo()->Bounds(), client.Inflate(-4, -4).Offset(0, 1));
}

TEST_F(Layout, HeaderHeightPerStyleAndOffset)
{
    auto probe = NewSideBar();
    const int th = FontHeight(*probe->GroupFont());
    struct Case {
        TzqsbPaintStyle style;
        int offset;
        int height;
    };
    const std::vector<Case> cases = {
        {TzqsbPaintStyle::sbpsStandard, 0, th + 4}, {TzqsbPaintStyle::sbpsFlat, 0, th + 8},
        {TzqsbPaintStyle::sbpsW2K, 0, th + 8},      {TzqsbPaintStyle::sbpsXP, 0, th + 8},
        {TzqsbPaintStyle::sbpsStandard, 3, th + 6}, {TzqsbPaintStyle::sbpsXP, 9, th + 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(Name(c.style)) + " offset " + std::to_string(c.offset));
        auto bar = NewSideBar();
        bar->SetPaintStyle(c.style);
        bar->SetGroupHeightOffSet(c.offset);
        AddGroup(bar.get(), "A", 0);
        bar->CalculateLayout();
        EXPECT_EQ(bar->ViewInfo()->HeaderHeight(), c.height);
        ASSERT_EQ(bar->ViewInfo()->HeaderCount(), 1);
        EXPECT_EQ(bar->ViewInfo()->Headers(0).Rect.Height(), c.height);
    }
}

// Three groups with the second active: the first two headers at the top, HG apart, the
// third at the bottom, and the items area between them.
TEST_F(Layout, HeadersUpToTheActiveOneAtTheTopTheRestAtTheBottom)
{
    for (TzqsbPaintStyle style : {TzqsbPaintStyle::sbpsStandard, TzqsbPaintStyle::sbpsFlat, TzqsbPaintStyle::sbpsW2K,
                                  TzqsbPaintStyle::sbpsXP}) {
        SCOPED_TRACE(Name(style));
        auto bar = NewSideBar();
        bar->SetPaintStyle(style);
        AddGroup(bar.get(), "One", 2);
        TzqSideGroup* two = AddGroup(bar.get(), "Two", 2);
        AddGroup(bar.get(), "Three", 2);
        bar->SetActiveGroup(two);
        bar->CalculateLayout();
        const TzqSideBarViewInfo* vi = bar->ViewInfo();
        const TRect b = vi->Bounds();
        const int hh = vi->HeaderHeight();
        const int hg = style == TzqsbPaintStyle::sbpsXP ? 0 : 1;
        ASSERT_EQ(vi->HeaderCount(), 3);
        EXPECT_EQ(vi->Headers(0).Rect, TRect(b.Left, b.Top, b.Right, b.Top + hh));
        EXPECT_EQ(vi->Headers(1).Rect, TRect(b.Left, b.Top + hh + hg, b.Right, b.Top + 2 * hh + hg));
        EXPECT_EQ(vi->Headers(2).Rect, TRect(b.Left, b.Bottom - hh, b.Right, b.Bottom));
        EXPECT_EQ(vi->Headers(1).Group, two);
        EXPECT_EQ(vi->ItemsArea(), TRect(b.Left + 1, vi->Headers(1).Rect.Bottom, b.Right - 1, vi->Headers(2).Rect.Top));
        ASSERT_EQ(vi->ItemCount(), 2);
        EXPECT_EQ(vi->Items(0).Item, two->Items()->Items(0));
    }
}

TEST_F(Layout, HiddenGroupsHaveNoHeaderAndTheLastGroupIsLowest)
{
    auto bar = NewSideBar();
    TzqSideGroup* one = AddGroup(bar.get(), "One", 0);
    TzqSideGroup* hidden = AddGroup(bar.get(), "Hidden", 0);
    TzqSideGroup* three = AddGroup(bar.get(), "Three", 0);
    TzqSideGroup* four = AddGroup(bar.get(), "Four", 0);
    hidden->SetVisible(false);
    bar->SetActiveGroup(one);
    bar->CalculateLayout();
    const TzqSideBarViewInfo* vi = bar->ViewInfo();
    ASSERT_EQ(vi->HeaderCount(), 3);
    EXPECT_EQ(vi->Headers(0).Group, one);
    EXPECT_EQ(vi->Headers(1).Group, three);
    EXPECT_EQ(vi->Headers(2).Group, four);
    EXPECT_EQ(vi->Headers(2).Rect.Bottom, vi->Bounds().Bottom);
    EXPECT_EQ(vi->Headers(1).Rect.Bottom, vi->Headers(2).Rect.Top - 1);
    EXPECT_EQ(vi->FindHeader(hidden), nullptr);
}

TEST_F(Layout, WithoutHeadersTheItemsAreaIsTheBoundsLessOne)
{
    auto bar = NewSideBar();
    AddGroup(bar.get(), "A", 1);
    AddGroup(bar.get(), "B", 1);
    bar->SetShowGroups(false);
    bar->CalculateLayout();
    EXPECT_EQ(bar->ViewInfo()->HeaderCount(), 0);
    EXPECT_EQ(bar->ViewInfo()->ItemsArea(), TRect(2, 1, W - 2, H - 1));
}

TEST_F(Layout, NoGroupsNoHeadersNoItems)
{
    auto bar = NewSideBar();
    bar->CalculateLayout();
    EXPECT_EQ(bar->ViewInfo()->HeaderCount(), 0);
    EXPECT_EQ(bar->ViewInfo()->ItemCount(), 0);
    EXPECT_TRUE(bar->ViewInfo()->UpButton().IsEmpty());
    EXPECT_TRUE(bar->ViewInfo()->DownButton().IsEmpty());
}

// Style x headers x icon type x SpaceHeight: the first two items' image, frame and
// caption rectangles follow from the items area, SpaceHeight and the image size.
TEST_F(Layout, ItemRectanglesPerStyleIconTypeAndSpaceHeight)
{
    auto probe = NewSideBar();
    const int ith = FontHeight(*probe->ItemFont());
    for (const BoundsCase& bc : kBounds)
        for (TzqSideGroupIconType type : {TzqSideGroupIconType::zqsgLargeIcon, TzqSideGroupIconType::zqsgSmallIcon})
            for (int space : {7, 11}) {
                const bool large = type == TzqSideGroupIconType::zqsgLargeIcon;
                SCOPED_TRACE(std::string(Name(bc.style)) + (bc.showGroups ? " headers" : " no headers") +
                             (large ? " large" : " small") + " space " + std::to_string(space));
                auto bar = NewSideBar();
                bar->SetPaintStyle(bc.style);
                bar->SetShowGroups(bc.showGroups);
                bar->SetSpaceHeight(space);
                AddGroup(bar.get(), "Group", 3, type);
                bar->CalculateLayout();
                const TzqSideBarViewInfo* vi = bar->ViewInfo();
                const TRect b = vi->Bounds();
                const TRect ia = vi->ItemsArea();
                EXPECT_EQ(b, bc.bounds);
                EXPECT_EQ(ia.Top, bc.showGroups ? b.Top + vi->HeaderHeight() : b.Top + 1);
                const int margin = bc.style == TzqsbPaintStyle::sbpsXP ? 5 : 1;
                ASSERT_EQ(vi->ItemCount(), 3);

                int d = ia.Top + space;
                for (int i = 0; i < 2; ++i) {
                    SCOPED_TRACE("item " + std::to_string(i));
                    const TzqSideItemViewInfo& info = vi->Items(i);
                    TRect img;
                    if (large) {
                        img = TRect::FromSize(b.Left + (b.Width() - 32) / 2, d + space, 32, 32);
                        EXPECT_EQ(info.CaptionRect.Top, img.Bottom + space);
                        // Centred across the items area, one line high, within it.
                        EXPECT_LE(std::abs((info.CaptionRect.Left - ia.Left) - (ia.Right - info.CaptionRect.Right)), 1);
                        EXPECT_EQ(info.CaptionRect.Height(), ith);
                        EXPECT_LE(info.CaptionRect.Width(), ia.Width());
                    } else {
                        const int rowHeight = std::max(ith + 2, 16);
                        img = TRect::FromSize(b.Left + space, d + space + (rowHeight - 16) / 2, 16, 16);
                        EXPECT_EQ(info.CaptionRect.Left, img.Right + space);
                        EXPECT_EQ(info.CaptionRect.Top, d + space);
                        EXPECT_EQ(info.CaptionRect.Height(), ith);
                        EXPECT_LE(info.CaptionRect.Right, ia.Right - space);
                    }
                    EXPECT_EQ(info.ImageRect, img);
                    EXPECT_EQ(info.ImageFrame, img.Inflate(margin, margin));
                    const int bottom = std::max(info.ImageFrame.Bottom, info.CaptionRect.Bottom);
                    EXPECT_EQ(info.Bottom(), bottom);
                    if (bc.style == TzqsbPaintStyle::sbpsW2K)
                        EXPECT_EQ(info.ItemFrame(), TRect(ia.Left, info.ImageFrame.Top - space, ia.Right, bottom + space - 1));
                    else
                        EXPECT_EQ(info.ItemFrame(), info.ImageFrame);
                    d = bottom + space;
                }
            }
}

TEST_F(Layout, FlatWithoutHeadersGivesTheItemsAreaFromTwoOneToWidthLessTwo)
{
    auto bar = NewSideBar();
    bar->SetShowGroups(false);
    AddGroup(bar.get(), "A", 1);
    bar->CalculateLayout();
    EXPECT_EQ(bar->ViewInfo()->ItemsArea(), TRect(2, 1, W - 2, H - 1));
}

TEST_F(Layout, SpaceHeightElevenPutsTheFirstLargeImage22BelowTheItemsArea)
{
    auto bar = NewSideBar();
    bar->SetSpaceHeight(11);
    AddGroup(bar.get(), "A", 1);
    bar->CalculateLayout();
    const TzqSideBarViewInfo* vi = bar->ViewInfo();
    ASSERT_EQ(vi->ItemCount(), 1);
    EXPECT_EQ(vi->Items(0).ImageRect.Top - vi->ItemsArea().Top, 22);
}

TEST_F(Layout, ImageSizesComeFromTheImageListsInUse)
{
    auto bar = NewSideBar();
    TImageList large(48, 40), small(20, 24);
    bar->SetLargeImages(&large);
    bar->SetSmallImages(&small);
    TzqSideGroup* group = AddGroup(bar.get(), "A", 1);
    bar->CalculateLayout();
    EXPECT_EQ(bar->ViewInfo()->Items(0).ImageRect.Size(), TSize(48, 40));
    group->SetIconType(TzqSideGroupIconType::zqsgSmallIcon);
    bar->CalculateLayout();
    EXPECT_EQ(bar->ViewInfo()->Items(0).ImageRect.Size(), TSize(20, 24));
    // A row as high as the image when the image is taller than the text.
    const TzqSideItemViewInfo& info = bar->ViewInfo()->Items(0);
    EXPECT_EQ(info.ImageRect.Top, bar->ViewInfo()->ItemsArea().Top + 2 * bar->SpaceHeight());
}

TEST_F(Layout, ItemsArePlacedWhileTheirSpaceStartsInsideTheItemsAreaTheLastOneCut)
{
    auto bar = NewSideBar();
    TzqSideGroup* group = AddGroup(bar.get(), "A", 50);
    bar->CalculateLayout();
    const TzqSideBarViewInfo* vi = bar->ViewInfo();
    const TRect ia = vi->ItemsArea();
    ASSERT_GT(vi->ItemCount(), 1);
    ASSERT_LT(vi->ItemCount(), group->Items()->Count());
    for (int i = 0; i < vi->ItemCount(); ++i) {
        const int y = i == 0 ? ia.Top : vi->Items(i - 1).Bottom();
        EXPECT_LT(y + bar->SpaceHeight(), ia.Bottom) << "item " << i;
    }
    // The next item would not have started inside the items area.
    EXPECT_GE(vi->Items(vi->ItemCount() - 1).Bottom() + bar->SpaceHeight(), ia.Bottom);
}

TEST_F(Layout, ScrollButtonsShowWhereItemsAreHidden)
{
    auto bar = NewSideBar();
    const int space = bar->SpaceHeight();
    TzqSideGroup* group = AddGroup(bar.get(), "A", 20);
    bar->CalculateLayout();
    const TzqSideBarViewInfo* vi = bar->ViewInfo();
    const TRect ia = vi->ItemsArea();
    const TRect down(ia.Right - space - 16, ia.Bottom - space - 16, ia.Right - space, ia.Bottom - space);
    const TRect up(ia.Right - space - 16, ia.Top + space, ia.Right - space, ia.Top + space + 16);
    EXPECT_TRUE(vi->UpButton().IsEmpty());
    EXPECT_EQ(vi->DownButton(), down);

    // One item scrolled: both.
    group->SetTopItemIndex(1);
    bar->CalculateLayout();
    EXPECT_EQ(vi->Items(0).Index, 1);
    EXPECT_EQ(vi->UpButton(), up);
    EXPECT_EQ(vi->DownButton(), down);

    // At the end: only the up button.
    group->SetTopItemIndex(19);
    bar->CalculateLayout();
    EXPECT_EQ(vi->UpButton(), up);
    EXPECT_TRUE(vi->DownButton().IsEmpty());

    // Few items: none.
    auto small = NewSideBar();
    AddGroup(small.get(), "B", 2);
    small->CalculateLayout();
    EXPECT_TRUE(small->ViewInfo()->UpButton().IsEmpty());
    EXPECT_TRUE(small->ViewInfo()->DownButton().IsEmpty());
}

TEST_F(Layout, ADownButtonShowsWhenTheLastItemIsCutOff)
{
    // Find a height that cuts the second (last) item.
    auto bar = NewSideBar();
    AddGroup(bar.get(), "A", 2);
    bar->CalculateLayout();
    const int secondBottom = bar->ViewInfo()->Items(1).Bottom();
    bar->SetBounds(0, 0, W, secondBottom - 5);
    bar->CalculateLayout();
    const TzqSideBarViewInfo* vi = bar->ViewInfo();
    ASSERT_EQ(vi->ItemCount(), 2);
    EXPECT_TRUE(vi->Items(1).CutOff);
    EXPECT_FALSE(vi->DownButton().IsEmpty());
}

TEST_F(Layout, ChangesClearTheValidFlag)
{
    auto bar = NewSideBar();
    TzqSideGroup* group = AddGroup(bar.get(), "A", 3);
    struct Case {
        const char* name;
        std::function<void()> change;
    };
    const std::vector<Case> cases = {
        {"SpaceHeight", [&] { bar->SetSpaceHeight(9); }},
        {"GroupHeightOffSet", [&] { bar->SetGroupHeightOffSet(2); }},
        {"ShowGroups", [&] { bar->SetShowGroups(false); }},
        {"size", [&] { bar->SetBounds(0, 0, 120, 200); }},
        {"item caption", [&] { group->Items()->Items(0)->SetCaption("Changed"); }},
        {"item added", [&] { group->Items()->Add(); }},
        {"item font", [&] { bar->ItemFont()->SetHeight(-15); }},
        {"group font", [&] { bar->GroupFont()->SetHeight(-15); }},
        {"icon type", [&] { group->SetIconType(TzqSideGroupIconType::zqsgSmallIcon); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar->CalculateLayout();
        ASSERT_TRUE(bar->ViewInfo()->Valid());
        c.change();
        EXPECT_FALSE(bar->ViewInfo()->Valid());
    }
}

} // namespace
