// The drop marker of an item drag: its band for each target and position, what it
// draws there (line, triangle halves left out at the ends) and the repaint a move of
// the marker asks for.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/drawing/ImageList.h"
#include "platform/drawing/Region.h"

#include <cstdlib>

namespace {

class DropMarker : public SideBarTest {
protected:
    void Setup(TzqsbPaintStyle style = TzqsbPaintStyle::sbpsXP)
    {
        bar = NewShownSideBar(150, 400, style);
        // Items with images, as a side bar shows them.
        TBitmap icon(32, 32);
        icon.Fill(clFuchsia);
        icon.Canvas()->Brush()->SetColor(clNavy);
        icon.Canvas()->Ellipse(2, 2, 30, 30);
        images.Clear();
        images.AddMasked(&icon, clFuchsia);
        bar->SetLargeImages(&images);
        group = AddGroup(bar, "Group", 3);
        for (int i = 0; i < 3; ++i)
            Item(i)->SetLargeImage(0);
        bar->CalculateLayout();
    }
    TzqSideBarItem* Item(int i) const { return group->Items()->Items(i); }
    const TzqSideItemViewInfo& Info(int i) { return *bar->ViewInfo()->FindItem(Item(i)); }
    const TRect& Area() { return bar->ViewInfo()->ItemsArea(); }

    TImageList images{32, 32};
    TzqSideBar* bar = nullptr;
    TzqSideGroup* group = nullptr;
};

TEST_F(DropMarker, BandFollowsTargetAndPosition)
{
    Setup();
    using P = TzqSideBarDropPosition;
    struct Case {
        const char* name;
        int item; // -1: none
        P position;
        std::function<TRect()> expected;
    } cases[] = {
        {"before the first", 0, P::dpBefore, [&] { return TRect{Area().Left, Info(0).Top() - 8, Area().Right, Info(0).Top()}; }},
        {"before the second", 1, P::dpBefore, [&] { return TRect{Area().Left, Info(1).Top() - 8, Area().Right, Info(1).Top()}; }},
        {"after the last", 2, P::dpAfter, [&] { return TRect{Area().Left, Info(2).Bottom(), Area().Right, Info(2).Bottom() + 8}; }},
        {"on an item", 1, P::dpNone, [&] { return TRect{Area().Left, Info(1).Top(), Area().Right, Info(1).Bottom()}; }},
        {"no item", -1, P::dpBefore, [&] { return TRect{Area().Left, Area().Top, Area().Right, Area().Top + 8}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bar->ViewInfo()->DropBand(c.item < 0 ? nullptr : Item(c.item), c.position), c.expected());
    }
}

// Black where the line and the kept triangle halves are; the halves that would point
// out of the items are left out at the first and the last item.
TEST_F(DropMarker, DrawsLineAndTheTriangleHalvesThatPointAtItems)
{
    for (auto style : {TzqsbPaintStyle::sbpsXP, TzqsbPaintStyle::sbpsStandard}) {
        Setup(style);
        const std::string look = style == TzqsbPaintStyle::sbpsXP ? "xp" : "standard";
        using P = TzqSideBarDropPosition;
        struct Case {
            const char* name;
            int item;
            P position;
            bool upper;
            bool lower;
        } cases[] = {
            {"before-first", 0, P::dpBefore, false, true},
            {"between", 1, P::dpBefore, true, true},
            {"after-last", 2, P::dpAfter, true, false},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(look + " " + c.name);
            bar->SetDropTarget(Item(c.item), c.position);
            const auto picture = Picture();
            TRect band = bar->ViewInfo()->DropBand(Item(c.item), c.position);
            band.Left += bar->SpaceHeight();
            band.Right -= bar->SpaceHeight();
            const int lineY = band.Top + 4;
            EXPECT_EQ(At(picture, (band.Left + band.Right) / 2, lineY), clBlack) << "the line";
            EXPECT_EQ(At(picture, band.Left + 1, lineY), clBlack) << "the left tip row";
            EXPECT_EQ(At(picture, band.Right - 2, lineY), clBlack) << "the right tip row";
            EXPECT_EQ(At(picture, band.Left + 1, band.Top + 1) == clBlack, c.upper) << "upper left half";
            EXPECT_EQ(At(picture, band.Right - 2, band.Top + 1) == clBlack, c.upper) << "upper right half";
            EXPECT_EQ(At(picture, band.Left + 1, band.Bottom - 2) == clBlack, c.lower) << "lower left half";
            Save(std::string("marker-") + look + "-" + c.name);
            if (const char* dir = std::getenv("SIDEBAR_LOOK_DIR"))
                driver.SavePng(form->Handle(), std::string(dir) + "/marker-" + look + "-" + c.name + ".png");
        }
        bar->SetDropTarget(nullptr, TzqSideBarDropPosition::dpNone);
        delete form;
        form = nullptr;
    }
}

TEST_F(DropMarker, MovingTheMarkerRepaintsBothBands)
{
    Setup();
    bar->SetDropTarget(Item(0), TzqSideBarDropPosition::dpBefore);
    driver.PaintAll();
    const TRect oldBand = bar->ViewInfo()->DropBand(Item(0), TzqSideBarDropPosition::dpBefore);
    bar->SetDropTarget(Item(2), TzqSideBarDropPosition::dpAfter);
    const TRect newBand = bar->ViewInfo()->DropBand(Item(2), TzqSideBarDropPosition::dpAfter);
    const TRegion expected = TRegion(oldBand.Inflate(0, 1)).United(TRegion(newBand.Inflate(0, 1)));
    EXPECT_EQ(GetUpdateRegion(bar->Handle()), expected.Intersected(TRegion(bar->ClientRect())));
}

} // namespace
