// What a user does to a data-bound chart on a form, written to the table: keys that add
// and delete nodes, the in-place editor (limited to the caption field's size), and
// dragging a node to another parent; on a table that cannot be modified none of them
// changes anything.
#include "dborgchart/tests/DbChartFixture.h"

#include "orgchart/OcInplaceEdit.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <sys/stat.h>

namespace {

class InteractionTest : public DbChartTest {
protected:
    // The records: two top nodes, the first with two children.
    void OpenOnForm(bool readOnly = false)
    {
        Sql(std::string(kArboloSchema) +
            "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (1, NULL, 'Alpha', 0), (2, 1, 'Alpha one', 0),"
            "(3, 1, 'Alpha two', 1), (4, NULL, 'Beta', 1);");
        if (readOnly) {
            ASSERT_EQ(chmod(file.c_str(), 0444), 0);
        }
        Open([this](TestDbOrgChart& c) { PutOnForm(c); });
        Node(1)->Expand(false);
        chart->SetFocus();
        driver.PaintAll();
    }
    // The middle of a node's box in screen coordinates.
    TPoint BoxCentre(TzqOcNode* node)
    {
        const TRect slot = chart->NodeSlotRect(node);
        const int gap = static_cast<int>(chart->GapDown());
        return driver.ToScreen(chart->Handle(), {slot.Left + slot.Width() / 2, slot.Top + gap + (slot.Height() - gap) / 2});
    }
    void DragTo(TPoint from, TPoint to)
    {
        driver.MoveTo(from);
        driver.Press(from);
        driver.MoveTo(from + TPoint(8, 0));
        driver.MoveTo(from + TPoint(16, 0));
        driver.MoveTo(to);
        driver.MoveTo(to + TPoint(1, 0));
        driver.Release(to + TPoint(1, 0));
    }
    std::string Rows() { return Query("SELECT ID, PARENT, NAME, \"ORDER\" FROM ARBOLO ORDER BY ID"); }
};

TEST_F(InteractionTest, KeysAddAndDeleteRecords)
{
    OpenOnForm();
    chart->SetSelected(Node(2));
    driver.PressKey(VK_INSERT, THeadlessDriver::Ctrl); // a child of the selected node
    ASSERT_EQ(chart->Count(), 5);
    EXPECT_EQ(Query("SELECT PARENT, \"ORDER\" FROM ARBOLO WHERE ID = 5"), "2|0");
    chart->SetSelected(Node(1));
    driver.PressKey(VK_DELETE); // the node with its branch
    EXPECT_EQ(Tree(), "4");
    EXPECT_EQ(Query("SELECT group_concat(ID) FROM ARBOLO"), "4");
    ExpectConsistent();
}

TEST_F(InteractionTest, TheInPlaceEditorTakesNoMoreThanTheCaptionFieldHolds)
{
    OpenOnForm();
    chart->SetSelected(Node(4));
    driver.PressKey(VK_RETURN);
    ASSERT_TRUE(chart->IsEditing());
    EXPECT_EQ(chart->Editor()->MaxLength(), 100);
    driver.PressKey(VK_END);
    driver.Type(std::string(120, 'x'));
    driver.PressKey(VK_F2); // accepts the text
    EXPECT_FALSE(chart->IsEditing());
    const std::string expected = "Beta" + std::string(96, 'x');
    EXPECT_EQ(Node(4)->Text(), expected);
    EXPECT_EQ(Query("SELECT NAME FROM ARBOLO WHERE ID = 4"), expected);
    ExpectConsistent();
}

TEST_F(InteractionTest, DraggingANodeWritesItsNewParent)
{
    OpenOnForm();
    chart->SetSelected(Node(3));
    driver.AdvanceTime(1000);
    DragTo(BoxCentre(Node(3)), BoxCentre(Node(4)));
    EXPECT_EQ(Tree(), "1(2),4,3");
    EXPECT_EQ(Query("SELECT PARENT, \"ORDER\" FROM ARBOLO WHERE ID = 3"), "NULL|2");
    ExpectConsistent();
}

TEST_F(InteractionTest, OnATableThatCannotBeModifiedTheUserChangesNothing)
{
    OpenOnForm(true);
    ASSERT_FALSE(table->CanModify());
    const std::string before = ReadFileBytes(file);
    chart->SetSelected(Node(3));
    driver.PressKey(VK_INSERT);
    driver.PressKey(VK_INSERT, THeadlessDriver::Ctrl);
    driver.PressKey(VK_DELETE);
    driver.AdvanceTime(1000);
    DragTo(BoxCentre(Node(3)), BoxCentre(Node(4)));
    driver.PressKey(VK_RETURN);
    EXPECT_FALSE(chart->IsEditing());
    EXPECT_EQ(Tree(), "1(2,3),4");
    EXPECT_EQ(ReadFileBytes(file), before);
    ExpectConsistent();
}

} // namespace
