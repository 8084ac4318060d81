// Input the inspector must survive: rows destroyed or hidden by handlers in the middle of
// a press or an auto-scroll, sizing dragged far outside, storms of wheel turns. Nothing
// may be left pressed or captured (these tests also run under the sanitizers).
#include "inspector/tests/InspectorFixture.h"

#include "inspector/InspectorNode.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/Input.h"

namespace {

using O = TzqDBInspectorOption;
using M = TzqInspectorMouseState;

class InspectorBadInputTest : public InspectorTest {
protected:
    void SetUp() override
    {
        InspectorTest::SetUp();
        form->SetBounds(0, 0, 400, 300);
        rows = AddRows(30);
        SetClientSize(300, 200);
        host->SetDividerPos(100);
        host->SetFocus();
        driver.Pump();
    }
    TPoint At(int x, int y) { return driver.ToScreen(host->Handle(), TPoint(x, y)); }
    int MidY(int row)
    {
        const TRect r = host->LineRect(rows[static_cast<size_t>(row)]->Node());
        return (r.Top + r.Bottom) / 2;
    }
    void ExpectNothingHeld()
    {
        EXPECT_EQ(host->MouseState(), M::msNone);
        EXPECT_EQ(host->PressedNode(), nullptr);
        EXPECT_EQ(GetCapture(), nullptr);
    }
    std::vector<TzqInspectorTextRow*> rows;
};

TEST_F(InspectorBadInputTest, RowDestroyedByTheClickHandlerOfItsPress)
{
    host->OnClick = [&](TObject*) {
        if (TzqInspectorRow* row = host->FindRow("R2"))
            delete row;
    };
    driver.Press(At(200, MidY(2)));
    EXPECT_EQ(host->FindRow("R2"), nullptr);
    driver.MoveTo(At(200, 60));
    driver.AdvanceTime(200);
    driver.Release(At(200, 60));
    ExpectNothingHeld();
    EXPECT_TRUE(errors.empty());
}

TEST_F(InspectorBadInputTest, FocusedRowHiddenDuringAutoScroll)
{
    host->SetTopIndex(10);
    driver.Pump();
    // Every line the auto-scroll focuses is hidden at once.
    host->OnChangeNode = [&](TObject*, TzqInspectorNode*, TzqInspectorNode* node) {
        if (TzqInspectorRow* row = TCustomzqInspectorControl::RowOfNode(node); row && row->Name() != "R0")
            row->SetVisible(false);
    };
    driver.Press(At(50, 5));
    driver.MoveTo(At(50, -40));
    driver.AdvanceTime(60 * 20);
    driver.Release(At(50, -40));
    ExpectNothingHeld();
    EXPECT_NE(host->FocusedNode(), nullptr);
    EXPECT_LT(host->LineCount(), 30);
    EXPECT_TRUE(errors.empty());
}

TEST_F(InspectorBadInputTest, SizingDraggedFarOutsideEndsWithinItsLimits)
{
    host->SetOptions(zqDefaultInspectorOptions + O::dioRowSizing - O::dioDynamicColumnSizing);
    const TRect line = host->LineRect(rows[1]->Node());
    const TPoint far[] = {{-100000, -100000}, {100000, 100000}, {-100000, 100000}, {100000, -100000}};
    for (const TPoint& to : far) {
        driver.Drag(At(100, MidY(1)), At(to.X, to.Y), 3);
        EXPECT_GE(host->DividerPos(), host->MinColumnWidth());
        EXPECT_LE(host->DividerPos(), host->ClientWidth() - host->MinColumnWidth());
        ExpectNothingHeld();
        driver.Drag(At(150, host->LineRect(rows[1]->Node()).Bottom - 1), At(to.X, to.Y), 3);
        EXPECT_LE(host->LineRect(rows[1]->Node()).Bottom, host->ClientHeight());
        EXPECT_GE(host->NodeHeight(rows[1]->Node()), host->RowHeight());
        EXPECT_EQ(host->LineRect(rows[1]->Node()).Top, line.Top);
        ExpectNothingHeld();
    }
}

TEST_F(InspectorBadInputTest, WheelStormsKeepTheTopLineInRange)
{
    const int last = host->LineCount() - host->FullyVisibleLineCount();
    // Over the control, over its editor, and while a line is held.
    host->SetFocusedIndex(3);
    host->ShowEditor();
    driver.Pump();
    for (int i = 0; i < 300; ++i) {
        driver.Wheel(At(50, 50), (i / 50) % 2 ? 120 * 5 : -120 * 5);
        ASSERT_GE(host->TopIndex(), 0);
        ASSERT_LE(host->TopIndex(), last);
    }
    driver.Press(At(50, 50));
    for (int i = 0; i < 300; ++i)
        driver.Wheel(At(200, 50), i % 2 ? 120 : -120 * 3);
    driver.Release(At(50, 50));
    EXPECT_LE(host->TopIndex(), last);
    ExpectNothingHeld();
    EXPECT_TRUE(errors.empty());
}

} // namespace
