// The inspector's keys, pressed as a user does (into the editor or the control): the
// rule at the first and last line, Tab and Enter through lines, refusals and categories.
#include "inspector/tests/InspectorFixture.h"

#include "editors/InplaceTextEdit.h"
#include "inspector/InspectorComplexRow.h"
#include "inspector/InspectorNode.h"
#include "platform/controls/Button.h"
#include "platform/core/VirtualKeys.h"

namespace {

using O = TzqDBInspectorOption;
using D = THeadlessDriver;

class InspectorKeyboardTest : public InspectorTest {
protected:
    void SetUp() override
    {
        InspectorTest::SetUp();
        rows = AddRows(4);
        host->SetOptions(zqDefaultInspectorOptions + O::dioTabs);
        host->SetFocus();
        driver.Pump();
    }
    TzqInplaceTextEdit* TextEditor() { return dynamic_cast<TzqInplaceTextEdit*>(host->Editor()); }
    void FocusLine(int index)
    {
        host->SetFocusedIndex(index);
        host->ShowEditor();
        driver.Pump();
    }
    std::vector<TzqInspectorTextRow*> rows;
};

TEST_F(InspectorKeyboardTest, KeysAtTheFirstOrLastLineWriteTheValueAndStayElsewhereTheyMove)
{
    struct Case {
        const char* name;
        WORD key;
        unsigned modifiers;
        int from;
        bool modify;
        int to;
    } cases[] = {
        {"Down on the last line", VK_DOWN, D::None, 3, true, 3},
        {"Tab on the last line", VK_TAB, D::None, 3, true, 3},
        {"Page Down on the last line", VK_NEXT, D::None, 3, true, 3},
        {"Up on the first line", VK_UP, D::None, 0, true, 0},
        {"Shift+Tab on the first line", VK_TAB, D::Shift, 0, true, 0},
        {"Down on the last line unchanged", VK_DOWN, D::None, 3, false, 3},
        {"Down in the middle", VK_DOWN, D::None, 1, true, 2},
        {"Tab in the middle", VK_TAB, D::None, 1, true, 2},
        {"Shift+Tab in the middle", VK_TAB, D::Shift, 2, true, 1},
        {"Up in the middle", VK_UP, D::None, 2, true, 1},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 4; ++i)
            rows[static_cast<size_t>(i)]->SetText("V" + std::to_string(i));
        FocusLine(c.from);
        ASSERT_NE(TextEditor(), nullptr) << c.name;
        if (c.modify)
            TextEditor()->SetTextModified("new");
        driver.PressKey(c.key, c.modifiers);
        EXPECT_EQ(host->FocusedIndex(), c.to) << c.name;
        const std::string expected = c.modify ? "new" : "V" + std::to_string(c.from);
        EXPECT_EQ(rows[static_cast<size_t>(c.from)]->Text(), expected) << c.name;
        // The editor shows the stored value, unmodified, on the line the focus is on.
        ASSERT_NE(TextEditor(), nullptr) << c.name;
        EXPECT_EQ(host->EditingNode(), host->FocusedNode()) << c.name;
        EXPECT_FALSE(TextEditor()->GetModified()) << c.name;
        EXPECT_EQ(TextEditor()->Text(), rows[static_cast<size_t>(c.to)]->Text()) << c.name;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(InspectorKeyboardTest, TabWalksTheItemsOfAComplexLineBeforeLeavingIt)
{
    // Lines: R0, Size (R1 | R2), R3.
    auto* complex = new TzqInspectorComplexRow(form);
    complex->SetName("Size");
    complex->SetInspector(host);
    complex->AddItem()->SetRow(rows[1]);
    complex->AddItem()->SetRow(rows[2]);
    complex->Node()->MoveTo(rows[3]->Node(), TzqInspectorMoveMode::imInsert);
    ASSERT_EQ(LineNames(), (std::vector<std::string>{"R0", "Size", "R3"}));
    FocusLine(0);
    struct Step {
        unsigned modifiers;
        const char* line;
        int item;
        const char* editorText;
    } steps[] = {
        {D::None, "Size", 0, "V1"}, {D::None, "Size", 1, "V2"}, {D::None, "R3", -1, "V3"},
        {D::Shift, "Size", 1, "V2"}, {D::Shift, "Size", 0, "V1"}, {D::Shift, "R0", -1, "V0"},
    };
    for (const Step& s : steps) {
        driver.PressKey(VK_TAB, s.modifiers);
        const std::string at = TCustomzqInspectorControl::RowOfNode(host->FocusedNode())->Name();
        EXPECT_EQ(at, s.line) << s.line << " " << s.item;
        if (s.item >= 0) {
            EXPECT_EQ(host->FocusedItemIndex(), s.item) << s.line << " " << s.item;
        }
        ASSERT_NE(TextEditor(), nullptr);
        EXPECT_EQ(TextEditor()->Text(), s.editorText) << s.line << " " << s.item;
    }
}

TEST_F(InspectorKeyboardTest, TabThroughLeavesTheControlAtTheLastLine)
{
    auto* next = new TButton(form);
    next->SetParent(form);
    next->SetBounds(0, 205, 80, 20);
    next->SetTabStop(true);
    host->SetOptions(zqDefaultInspectorOptions + O::dioTabs + O::dioTabThrough);
    FocusLine(3);
    TextEditor()->SetTextModified("new");
    driver.PressKey(VK_TAB);
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(rows[3]->Text(), "new");
    // Not at the last line, Tab still moves down a line.
    host->SetFocus();
    FocusLine(1);
    driver.PressKey(VK_TAB);
    EXPECT_EQ(host->FocusedIndex(), 2);
}

TEST_F(InspectorKeyboardTest, EnterMovesOnOnlyWithEnterThroughAndEscapeReloads)
{
    FocusLine(1);
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(host->FocusedIndex(), 1);
    host->SetOptions(zqDefaultInspectorOptions + O::dioEnterThrough);
    FocusLine(1);
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(host->FocusedIndex(), 2);
    driver.Type("abc");
    EXPECT_TRUE(TextEditor()->GetModified());
    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(TextEditor()->Text(), "V2");
    EXPECT_FALSE(TextEditor()->GetModified());
    EXPECT_EQ(rows[2]->Text(), "V2");
}

TEST_F(InspectorKeyboardTest, PageKeysMoveByTheFullyVisibleLines)
{
    AddRows(26); // 30 lines, about ten in view
    SetClientSize(300, 10 * host->RowHeight() + 5);
    const int page = host->FullyVisibleLineCount();
    ASSERT_EQ(page, 10);
    struct Case {
        WORD key;
        unsigned modifiers;
        int from, to;
    } cases[] = {
        {VK_NEXT, D::None, 0, page}, {VK_NEXT, D::Ctrl, 3, 29},     {VK_PRIOR, D::None, 15, 15 - page},
        {VK_PRIOR, D::Ctrl, 15, 0},  {VK_PRIOR, D::None, 4, 0},     {VK_NEXT, D::None, 25, 29},
    };
    for (const Case& c : cases) {
        FocusLine(c.from);
        driver.PressKey(c.key, c.modifiers);
        EXPECT_EQ(host->FocusedIndex(), c.to) << c.from << " key " << c.key << " mods " << c.modifiers;
    }
}

TEST_F(InspectorKeyboardTest, RefusedValueStopsUpAndLeavesTheEditorAsItWas)
{
    auto* refusing = new TRefusingRow(form);
    refusing->SetName("Refusing");
    refusing->SetText("old");
    refusing->SetInspector(host);
    FocusLine(4);
    TextEditor()->SetTextModified("bad");
    refusing->refuse = true;
    driver.PressKey(VK_UP);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Cannot store the value.");
    EXPECT_EQ(host->FocusedIndex(), 4);
    EXPECT_EQ(TextEditor()->Text(), "bad");
    EXPECT_EQ(host->MouseState(), TzqInspectorMouseState::msNone);
    EXPECT_EQ(refusing->Text(), "old");
}

TEST_F(InspectorKeyboardTest, CategoryKeysFoldAndUnfold)
{
    rows[0]->SetIsCategory(true);
    rows[1]->Node()->MoveTo(rows[0]->Node(), TzqInspectorMoveMode::imAddChild);
    rows[2]->Node()->MoveTo(rows[3]->Node(), TzqInspectorMoveMode::imAddChild);
    host->FullCollapse();
    struct Case {
        int row; // the focused row (0: the category; 3: a plain row with a child)
        WORD key;
        unsigned modifiers;
        bool expandedBefore, expandedAfter;
    } cases[] = {
        {0, VK_RIGHT, D::None, false, true},    {0, VK_LEFT, D::None, true, false},
        {0, VK_ADD, D::None, false, true},      {0, VK_SUBTRACT, D::None, true, false},
        {0, VK_MULTIPLY, D::None, false, true}, {3, VK_ADD, D::None, false, false},
        {3, VK_ADD, D::Ctrl, false, true},      {3, VK_SUBTRACT, D::Ctrl, true, false},
        {3, VK_RIGHT, D::None, false, false},
    };
    for (const Case& c : cases) {
        TzqInspectorNode* node = rows[static_cast<size_t>(c.row)]->Node();
        if (c.expandedBefore)
            node->Expand();
        else
            node->Collapse();
        host->SetFocusedNode(node);
        driver.Pump();
        driver.PressKey(c.key, c.modifiers);
        EXPECT_EQ(node->Expanded(), c.expandedAfter) << "row " << c.row << " key " << c.key;
    }
}

} // namespace
