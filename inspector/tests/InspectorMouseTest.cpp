// The inspector's mouse, driven as a user does: presses and toggles, the click-through
// to the editor, sizing and its limits, auto-scroll on the virtual clock, cursors and the
// hot category.
#include "inspector/tests/InspectorFixture.h"

#include "editors/ContainerHintWindow.h"
#include "editors/InplaceCheckEdit.h"
#include "inspector/InspectorNode.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/Input.h"

namespace {

using O = TzqDBInspectorOption;
using M = TzqInspectorMouseState;

// A row edited by a check box: its text is the state.
class TCheckRow : public TzqInspectorTextRow {
public:
    using TzqInspectorTextRow::TzqInspectorTextRow;
    const TzqInplaceEditClass& GetEditorClass() const override { return TzqInplaceCheckEdit::StaticClass(); }
};

class InspectorMouseTest : public InspectorTest {
protected:
    void SetUp() override
    {
        InspectorTest::SetUp();
        rows = AddRows(6);
        form->SetBounds(0, 0, 400, 300);
        SetClientSize(300, 200);
        host->SetDividerPos(100);
        host->SetFocus();
        driver.Pump();
    }
    TPoint At(int x, int y) { return driver.ToScreen(host->Handle(), TPoint(x, y)); }
    TRect Line(int row) { return host->LineRect(rows[static_cast<size_t>(row)]->Node()); }
    int MidY(int row) { return (Line(row).Top + Line(row).Bottom) / 2; }
    std::vector<TzqInspectorTextRow*> rows;
};

TEST_F(InspectorMouseTest, ExpandButtonTogglesAndDoubleClickOnCaptionToggles)
{
    rows[1]->Node()->MoveTo(rows[0]->Node(), TzqInspectorMoveMode::imAddChild);
    host->FullCollapse();
    host->SetFocusedNode(rows[2]->Node());
    driver.Pump();
    const TzqInspectorLineGeometry g = host->LineGeometry(rows[0]->Node(), Line(0));
    ASSERT_FALSE(g.Button.IsEmpty());
    driver.Click(At((g.Button.Left + g.Button.Right) / 2, MidY(0)));
    EXPECT_TRUE(rows[0]->Node()->Expanded());
    EXPECT_EQ(host->DividerPos(), 100);
    EXPECT_EQ(host->FocusedNode(), rows[0]->Node());
    EXPECT_EQ(host->MouseState(), M::msNone);
    EXPECT_EQ(host->PressedNode(), nullptr);

    int doubleClicks = 0;
    host->OnDblClick = [&](TObject*) { ++doubleClicks; };
    driver.DoubleClick(At(g.Caption.Left + 10, MidY(0)));
    EXPECT_FALSE(rows[0]->Node()->Expanded());
    EXPECT_EQ(doubleClicks, 1);
    // A single click on the caption does not toggle.
    driver.AdvanceTime(1000);
    driver.Click(At(g.Caption.Left + 10, MidY(0)));
    EXPECT_FALSE(rows[0]->Node()->Expanded());
}

TEST_F(InspectorMouseTest, CategorizedCategoryTogglesOnceByChevronOrCaptionClick)
{
    host->SetPaintStyle(TzqInspectorPaintStyle::ipsCategorized);
    rows[0]->SetIsCategory(true);
    rows[1]->Node()->MoveTo(rows[0]->Node(), TzqInspectorMoveMode::imAddChild);
    host->FullExpand();
    driver.Pump();
    const TzqInspectorLineGeometry g = host->LineGeometry(rows[0]->Node(), Line(0));
    ASSERT_FALSE(g.Button.IsEmpty());
    const TPoint chevron((g.Button.Left + g.Button.Right) / 2, MidY(0));
    const TPoint caption(g.Caption.Left + 10, MidY(0));
    struct Case {
        const char* name;
        TPoint press, release;
        bool expandedAfter;
    } cases[] = {
        {"chevron click", chevron, chevron, false},
        {"caption click", caption, caption, true},
        {"caption pressed, released elsewhere", caption, {caption.X, MidY(3)}, true},
    };
    for (const Case& c : cases) {
        driver.Press(At(c.press.X, c.press.Y));
        // Held down, the category is the pressed one.
        EXPECT_TRUE(host->PressedNode() == rows[0]->Node() || host->MouseState() == M::msNone) << c.name;
        driver.MoveTo(At(c.release.X, c.release.Y));
        driver.Release(At(c.release.X, c.release.Y));
        EXPECT_EQ(rows[0]->Node()->Expanded(), c.expandedAfter) << c.name;
        EXPECT_EQ(host->PressedNode(), nullptr) << c.name;
        driver.AdvanceTime(1000);
    }
}

TEST_F(InspectorMouseTest, PressBelowTheLinesFocusesTheLastLine)
{
    host->SetFocusedNode(rows[0]->Node());
    driver.Click(At(150, host->ClientHeight() - 5));
    EXPECT_EQ(host->FocusedNode(), rows[5]->Node());
    EXPECT_EQ(host->EditingNode(), rows[5]->Node());
}

TEST_F(InspectorMouseTest, BandEdgeDragSetsTheBandWidthWithinItsLimits)
{
    host->SetOptions(zqDefaultInspectorOptions + O::dioAutoBandCount);
    host->SetBandWidth(120);
    driver.Pump();
    const int edge = 120 - 2;
    // Away from the focused line, whose editor reaches over the band's edge.
    const int y = MidY(3);
    struct Case {
        int to, expected;
    } cases[] = {{160, 160}, {10, 43}, {-5000, 43}, {5000, 300}};
    for (const Case& c : cases) {
        host->SetBandWidth(120);
        driver.Drag(At(edge, y), At(c.to, y));
        EXPECT_EQ(host->BandWidth(), c.expected) << c.to;
        EXPECT_EQ(host->MouseState(), M::msNone) << c.to;
    }
    // The band follows the mouse at once; Escape takes it back.
    host->SetBandWidth(120);
    driver.Press(At(edge, y));
    driver.MoveTo(At(170, y));
    EXPECT_EQ(host->BandWidth(), 170);
    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(host->BandWidth(), 120);
    driver.Release(At(170, y));
    EXPECT_EQ(host->BandWidth(), 120);
}

TEST_F(InspectorMouseTest, ReleaseOnThePressedValueCellClicksTheEditor)
{
    auto* check = new TCheckRow(form);
    check->SetName("Check");
    check->SetText("0");
    check->SetInspector(host);
    driver.Pump();
    const TRect line = host->LineRect(check->Node());
    const int y = (line.Top + line.Bottom) / 2;
    struct Case {
        const char* name;
        TPoint press, release;
        int state;
    } cases[] = {
        {"same cell", {200, y}, {210, y}, 1},
        {"released on the caption", {200, y}, {50, y}, 0},
        {"released on another line", {200, y}, {200, MidY(0)}, 0},
        {"pressed on the caption", {50, y}, {200, y}, 0},
    };
    for (const Case& c : cases) {
        host->SetFocusedNode(rows[0]->Node());
        driver.Pump();
        driver.Press(At(c.press.X, c.press.Y));
        driver.MoveTo(At(c.release.X, c.release.Y));
        driver.Release(At(c.release.X, c.release.Y));
        auto* editor = dynamic_cast<TzqInplaceCheckEdit*>(host->Editor());
        if (c.state == 1) {
            ASSERT_NE(editor, nullptr) << c.name;
            EXPECT_EQ(editor->State(), 1) << c.name;
            editor->SetState(0);
            editor->SetModified(false);
        } else if (editor && host->EditingNode() == check->Node()) {
            EXPECT_EQ(editor->State(), 0) << c.name;
        }
        EXPECT_EQ(host->MouseState(), M::msNone) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
    }
}

TEST_F(InspectorMouseTest, DividerDragStopsAtTheLimitsAndEscapeRestoresALiveDrag)
{
    host->SetMinColumnWidth(40);
    struct Case {
        int to, expected;
    } cases[] = {{150, 150}, {10, 40}, {-5000, 40}, {290, 260}, {5000, 260}};
    for (const Case& c : cases) {
        host->SetDividerPos(100);
        driver.Drag(At(100, MidY(1)), At(c.to, MidY(1)));
        EXPECT_EQ(host->DividerPos(), c.expected) << c.to;
        EXPECT_EQ(host->MouseState(), M::msNone);
    }
    // Live sizing (the default) moves the divider while dragging; Escape takes it back.
    host->SetDividerPos(100);
    driver.Press(At(100, MidY(1)));
    driver.MoveTo(At(180, MidY(1)));
    EXPECT_EQ(host->DividerPos(), 180);
    EXPECT_EQ(host->MouseState(), M::msDividerSizing);
    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(host->DividerPos(), 100);
    EXPECT_EQ(host->MouseState(), M::msNone);
    driver.Release(At(180, MidY(1)));
    EXPECT_EQ(host->DividerPos(), 100);
    // Without live sizing the divider moves on release only; the right button cancels.
    host->SetOptions(zqDefaultInspectorOptions - O::dioDynamicColumnSizing);
    driver.Press(At(100, MidY(1)));
    driver.MoveTo(At(180, MidY(1)));
    EXPECT_EQ(host->DividerPos(), 100);
    driver.Release(At(180, MidY(1)));
    EXPECT_EQ(host->DividerPos(), 180);
    driver.Press(At(180, MidY(1)));
    driver.MoveTo(At(120, MidY(1)));
    driver.Press(At(120, MidY(1)), TMouseButton::mbRight);
    EXPECT_EQ(host->MouseState(), M::msNone);
    driver.Release(At(120, MidY(1)), TMouseButton::mbRight);
    driver.Release(At(120, MidY(1)));
    EXPECT_EQ(host->DividerPos(), 180);
}

TEST_F(InspectorMouseTest, RowSizingKeepsAtLeastTheLineHeightAndEndsAtTheClientBottom)
{
    host->SetOptions(zqDefaultInspectorOptions + O::dioRowSizing);
    const int standard = host->RowHeight();
    const TRect line = Line(1);
    // Dragged 100 pixels above its top: the line keeps its height, not set on the row.
    driver.Drag(At(150, line.Bottom - 1), At(150, line.Top - 100));
    EXPECT_EQ(rows[1]->OwnRowHeight(), 0);
    EXPECT_EQ(host->NodeHeight(rows[1]->Node()), standard);
    // Dragged far below the client: the line ends at the client's bottom.
    driver.Drag(At(150, line.Bottom - 1), At(150, 5000));
    EXPECT_EQ(host->NodeHeight(rows[1]->Node()), host->ClientHeight() - line.Top);
    EXPECT_EQ(Line(1).Bottom, host->ClientHeight());
    // In between, the line's bottom follows the mouse.
    driver.Drag(At(150, Line(1).Bottom - 1), At(150, line.Top + 40));
    EXPECT_EQ(host->NodeHeight(rows[1]->Node()), 41);
    EXPECT_EQ(host->MouseState(), M::msNone);
}

TEST_F(InspectorMouseTest, HoldingALineAboveTheTopScrollsTheFocusUpEvery60Milliseconds)
{
    AddRows(24); // 30 lines
    host->SetTopIndex(15);
    driver.Pump();
    const int top = host->TopIndex();
    ASSERT_EQ(top, 15);
    driver.Press(At(50, 5));
    EXPECT_EQ(host->FocusedIndex(), 15);
    driver.MoveTo(At(50, -20));
    driver.AdvanceTime(59);
    EXPECT_EQ(host->FocusedIndex(), 15);
    driver.AdvanceTime(1);
    EXPECT_EQ(host->FocusedIndex(), 14);
    EXPECT_EQ(host->TopIndex(), 14);
    driver.AdvanceTime(180);
    EXPECT_EQ(host->FocusedIndex(), 11);
    driver.Release(At(50, -20));
    driver.AdvanceTime(600);
    EXPECT_EQ(host->FocusedIndex(), 11);
    // Below the lines the focus goes to the last fully visible line first, then on.
    const int last = host->TopIndex() + host->FullyVisibleLineCount() - 1;
    driver.Press(At(50, 5));
    driver.MoveTo(At(50, host->ClientHeight() + 30));
    driver.AdvanceTime(60);
    EXPECT_EQ(host->FocusedIndex(), last);
    driver.AdvanceTime(60);
    EXPECT_EQ(host->FocusedIndex(), last + 1);
    driver.Release(At(50, host->ClientHeight() + 30));
    EXPECT_EQ(host->MouseState(), M::msNone);
}

TEST_F(InspectorMouseTest, AutoWidthKeepsTheDividersFractionOtherwiseItsPixels)
{
    host->SetDividerPos(100);
    const int width = host->Width();
    host->SetBounds(0, 0, width * 2, host->Height());
    driver.Pump();
    EXPECT_EQ(host->DividerPos(), 200);
    host->SetBounds(0, 0, width, host->Height());
    driver.Pump();
    EXPECT_EQ(host->DividerPos(), 100);
    host->SetOptions(zqDefaultInspectorOptions - O::dioAutoWidth);
    host->SetBounds(0, 0, width * 2, host->Height());
    driver.Pump();
    EXPECT_EQ(host->DividerPos(), 100);
    // Narrower than the divider allows: clamped, both columns keep their least width.
    host->SetBounds(0, 0, 110, host->Height());
    driver.Pump();
    EXPECT_EQ(host->DividerPos(), host->ClientWidth() - host->MinColumnWidth());
}

TEST_F(InspectorMouseTest, CursorsOverEdgesAndTheHotCategoryClearedOnLeave)
{
    host->SetOptions(zqDefaultInspectorOptions + O::dioRowSizing);
    struct Case {
        TPoint p;
        TCursor cursor;
    } cases[] = {
        {{100, MidY(1)}, crHSplit},
        {{150, Line(1).Bottom - 1}, crVSplit},
        {{150, MidY(1)}, crDefault},
    };
    for (const Case& c : cases) {
        driver.MoveTo(At(c.p.X, c.p.Y));
        const TCursor shown = static_cast<TCursor>(driver.Backend().CursorShape());
        if (c.cursor == crDefault)
            EXPECT_NE(shown, crHSplit);
        else
            EXPECT_EQ(shown, c.cursor) << c.p.X << "," << c.p.Y;
    }
    host->SetPaintStyle(TzqInspectorPaintStyle::ipsCategorized);
    rows[2]->SetIsCategory(true);
    driver.Pump();
    driver.MoveTo(At(50, MidY(2)));
    EXPECT_EQ(host->HotNode(), rows[2]->Node());
    driver.MoveTo(At(50, MidY(3)));
    EXPECT_EQ(host->HotNode(), nullptr);
    driver.MoveTo(At(50, MidY(2)));
    EXPECT_EQ(host->HotNode(), rows[2]->Node());
    driver.MoveTo(driver.ToScreen(form->Handle(), TPoint(350, 280)));
    EXPECT_EQ(host->HotNode(), nullptr);
}

TEST_F(InspectorMouseTest, RowHintsShowAfterTheirDelayOrAtOnceAndHideAfterFiveSeconds)
{
    host->SetShowRowHint(true);
    rows[1]->SetHint("The row's own hint");
    rows[1]->SetShowHint(true);
    rows[2]->SetText("A value much too long for a cell two hundred pixels wide, surely");
    rows[3]->SetHint("Not shown: ShowHint is off");
    auto shown = [&]() { return host->RowHintWindow() && host->RowHintWindow()->IsHintVisible(); };
    struct Case {
        const char* name;
        TPoint at;
        DWORD delay; // 0: not shown at all
        std::string text;
    } cases[] = {
        {"own hint over the caption", {50, MidY(1)}, 1000, "The row's own hint"},
        {"cut-off value", {200, MidY(2)}, 1, "A value much too long for a cell two hundred pixels wide, surely"},
        {"value that fits", {200, MidY(3)}, 0, ""},
        {"caption without ShowHint", {50, MidY(3)}, 0, ""},
    };
    for (const Case& c : cases) {
        driver.MoveTo(At(c.at.X, c.at.Y));
        if (c.delay == 0) {
            driver.AdvanceTime(6000);
            EXPECT_FALSE(shown()) << c.name;
        } else {
            if (c.delay > 1) {
                driver.AdvanceTime(c.delay - 1);
                EXPECT_FALSE(shown()) << c.name;
                driver.AdvanceTime(1);
            }
            ASSERT_TRUE(shown()) << c.name;
            EXPECT_EQ(host->RowHintWindow()->Caption(), c.text) << c.name;
            driver.AdvanceTime(4999);
            EXPECT_TRUE(shown()) << c.name;
            driver.AdvanceTime(1);
            EXPECT_FALSE(shown()) << c.name;
        }
        // Elsewhere, off every cell, the next cell starts afresh.
        driver.MoveTo(At(150, host->ClientHeight() - 2));
    }
    // A hint showing goes when the mouse leaves the control. It lies over the cell: one
    // pixel left of the value's left edge, two above the line's top.
    driver.MoveTo(At(200, MidY(2)));
    ASSERT_TRUE(shown());
    const TRect value = host->LineGeometry(rows[2]->Node(), Line(2)).Value;
    EXPECT_EQ(host->RowHintWindow()->BoundsRect().TopLeft(), At(value.Left - 1, Line(2).Top - 2));
    driver.MoveTo(driver.ToScreen(form->Handle(), TPoint(350, 280)));
    EXPECT_FALSE(shown());
}

TEST_F(InspectorMouseTest, RefusedValueOnPressLeavesNoPressOrCapture)
{
    auto* refusing = new TRefusingRow(form);
    refusing->SetName("Refusing");
    refusing->SetText("old");
    refusing->SetInspector(host);
    host->SetFocusedNode(refusing->Node());
    host->ShowEditor();
    driver.Pump();
    host->Editor()->SetTextModified("bad");
    refusing->refuse = true;
    driver.Press(At(150, MidY(0)));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(host->FocusedNode(), refusing->Node());
    EXPECT_EQ(host->MouseState(), M::msNone);
    EXPECT_EQ(host->PressedNode(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    driver.Release(At(150, MidY(0)));
    driver.AdvanceTime(300);
    EXPECT_EQ(host->FocusedNode(), refusing->Node());
}

} // namespace
