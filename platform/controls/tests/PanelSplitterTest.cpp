#include "ControlsFixture.h"

#include "platform/controls/Bevel.h"
#include "platform/controls/GroupBox.h"
#include "platform/controls/Panel.h"
#include "platform/controls/Splitter.h"
#include "platform/core/VirtualKeys.h"

namespace {

class PanelSplitterTest : public ControlsFixture {
protected:
    // A panel 400 wide with a left side panel, a splitter and a client panel: the
    // main window's arrangement.
    void BuildSplitWindow(int minSize)
    {
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(40, 40, 400, 200);
        host = Make<TPanel>();
        host->SetAlign(TAlign::alClient);
        host->SetBevelOuter(TBevelCut::bvNone);
        side = Make<TPanel>(host);
        side->SetWidth(124);
        side->SetAlign(TAlign::alLeft);
        splitter = Make<TSplitter>(host);
        splitter->SetLeft(130);
        splitter->SetWidth(4);
        splitter->SetAlign(TAlign::alLeft);
        splitter->SetMinSize(minSize);
        rest = Make<TPanel>(host);
        rest->SetAlign(TAlign::alClient);
        ShowForm();
    }
    void DragSplitterBy(int dx)
    {
        const TPoint from = At(splitter, {2, 50});
        driver.MoveTo(from);
        driver.Drag(from, from + TPoint(dx, 0));
    }

    TPanel* host = nullptr;
    TPanel* side = nullptr;
    TSplitter* splitter = nullptr;
    TPanel* rest = nullptr;
};

TEST_F(PanelSplitterTest, AlignedChildrenOfAPanelSitInsideItsBevelsAndBorder)
{
    auto* panel = Make<TPanel>();
    panel->SetBounds(10, 10, 200, 100);
    panel->SetBevelOuter(TBevelCut::bvRaised);
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    auto* child = Make<TPanel>(panel);
    child->SetAlign(TAlign::alClient);
    ShowForm();
    EXPECT_EQ(child->BoundsRect(), TRect(7, 7, 193, 93));
    panel->SetBevelInner(TBevelCut::bvNone);
    EXPECT_EQ(child->BoundsRect(), TRect(5, 5, 195, 95));

    auto* group = Make<TGroupBox>();
    group->SetBounds(220, 10, 150, 100);
    group->SetCaption(" Edit Mode ");
    auto* inside = Make<TPanel>(group);
    inside->SetAlign(TAlign::alClient);
    EXPECT_GT(inside->Top(), 8) << "below the caption";
    EXPECT_LT(inside->BoundsRect().Right, 150);
}

TEST_F(PanelSplitterTest, DraggingTheSplitterResizesItsNeighbourOnRelease)
{
    BuildSplitWindow(90);
    EXPECT_EQ(splitter->Cursor(), crHSplit);
    EXPECT_EQ(splitter->FindNeighbour(), side);
    int moved = 0;
    splitter->OnMoved = [&](TObject*) { ++moved; };

    // The pattern line shows the new place; the neighbour changes on release.
    const TPoint from = At(splitter, {2, 50});
    driver.MoveTo(from);
    driver.Press(from);
    driver.MoveTo(from + TPoint(40, 0));
    EXPECT_EQ(side->Width(), 124);
    EXPECT_TRUE(splitter->Dragging());
    driver.Release(from + TPoint(40, 0));
    EXPECT_EQ(side->Width(), 164);
    EXPECT_EQ(splitter->Left(), 164);
    EXPECT_EQ(rest->Left(), 168);
    EXPECT_EQ(moved, 1);
}

TEST_F(PanelSplitterTest, TheNeighbourKeepsMinSizeAndSoDoesTheRestOfTheClientArea)
{
    BuildSplitWindow(90);
    DragSplitterBy(-100);
    EXPECT_EQ(side->Width(), 90);
    DragSplitterBy(+500);
    // 400 wide: the splitter's 4 and MinSize 90 stay for the others.
    EXPECT_EQ(side->Width(), 400 - 4 - 90);
    EXPECT_EQ(rest->Width(), 90);
}

TEST_F(PanelSplitterTest, LiveUpdatesAndEscapePutBack)
{
    BuildSplitWindow(30);
    splitter->SetResizeStyle(TResizeStyle::rsUpdate);
    const TPoint from = At(splitter, {2, 50});
    driver.MoveTo(from);
    driver.Press(from);
    driver.MoveTo(from + TPoint(20, 0));
    EXPECT_EQ(side->Width(), 144) << "live: the neighbour follows the pointer";
    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(side->Width(), 124) << "Esc puts the old size back";
    EXPECT_FALSE(splitter->Dragging());
    driver.Release(from + TPoint(20, 0));
    EXPECT_EQ(side->Width(), 124);
}

TEST_F(PanelSplitterTest, ARightAlignedSplitterGrowsItsNeighbourLeftwards)
{
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(40, 40, 400, 200);
    auto* client = Make<TPanel>();
    client->SetAlign(TAlign::alClient);
    auto* inspector = Make<TPanel>();
    inspector->SetWidth(100);
    inspector->SetAlign(TAlign::alRight);
    auto* split = Make<TSplitter>();
    split->SetWidth(3);
    split->SetAlign(TAlign::alRight);
    ShowForm();
    ASSERT_EQ(split->FindNeighbour(), inspector);
    const TPoint from = At(split, {1, 50});
    driver.MoveTo(from);
    driver.Drag(from, from - TPoint(30, 0));
    EXPECT_EQ(inspector->Width(), 130);
    EXPECT_EQ(split->BoundsRect().Right, inspector->Left());
}

} // namespace
