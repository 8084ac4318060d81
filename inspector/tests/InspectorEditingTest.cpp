// The editor over the focused line: which editor, loading, writing back and failures.
#include "inspector/tests/InspectorFixture.h"

#include "editors/InplaceTextEdit.h"
#include "inspector/InspectorMaskRow.h"

namespace {

class InspectorEditingTest : public InspectorTest {
protected:
    void SetUp() override
    {
        InspectorTest::SetUp();
        rows = AddRows(3);
        mask = new TzqInspectorMaskRow(form);
        mask->SetName("Mask");
        mask->SetText("M");
        mask->SetInspector(host);
        refusing = new TRefusingRow(form);
        refusing->SetName("Refusing");
        refusing->SetText("old");
        refusing->SetInspector(host);
        host->SetFocus();
        driver.Pump();
    }
    TzqInplaceTextEdit* TextEditor() { return dynamic_cast<TzqInplaceTextEdit*>(host->Editor()); }
    std::vector<TzqInspectorTextRow*> rows;
    TzqInspectorMaskRow* mask = nullptr;
    TRefusingRow* refusing = nullptr;
};

TEST_F(InspectorEditingTest, EditorFollowsTheFocusedRowAndWritesBackModifiedValues)
{
    std::vector<std::string> edited;
    host->OnEdited = [&](TObject*, TzqInspectorNode*, TzqInspectorRow* row) { edited.push_back(row->Name()); };
    host->SetFocusedNode(rows[0]->Node());
    ASSERT_NE(TextEditor(), nullptr);
    EXPECT_EQ(host->EditingNode(), rows[0]->Node());
    EXPECT_EQ(TextEditor()->Text(), "V0");
    EXPECT_FALSE(TextEditor()->GetModified());
    EXPECT_EQ(TextEditor()->BoundsRect().Inflate(-2, -2), host->EditorRect(rows[0]->Node(), -1));

    TextEditor()->SetTextModified("new value");
    host->SetFocusedNode(rows[1]->Node());
    EXPECT_EQ(rows[0]->Text(), "new value");
    EXPECT_EQ(host->LastWrittenValue().AsString(), "new value");
    EXPECT_EQ(TextEditor()->Text(), "V1");
    // Moving on without a change writes nothing.
    host->SetFocusedNode(rows[2]->Node());
    EXPECT_EQ(edited, std::vector<std::string>{"R0"});
    EXPECT_EQ(rows[1]->Text(), "V1");
}

TEST_F(InspectorEditingTest, OneEditorPerEditorClass)
{
    host->SetFocusedNode(rows[0]->Node());
    TzqInplaceEdit* text = host->Editor();
    host->SetFocusedNode(mask->Node());
    TzqInplaceEdit* masked = host->Editor();
    ASSERT_NE(masked, nullptr);
    EXPECT_NE(masked, text);
    EXPECT_EQ(&masked->EditClass(), &TzqInspectorMaskEdit::StaticClass());
    EXPECT_EQ(masked->Text(), "M");
    host->SetFocusedNode(rows[2]->Node());
    EXPECT_EQ(host->Editor(), text);
    host->SetFocusedNode(mask->Node());
    EXPECT_EQ(host->Editor(), masked);
}

TEST_F(InspectorEditingTest, NoEditorForCategoriesWithoutEditingOrWhenVetoed)
{
    bool allow = true;
    host->OnEditing = [&](TObject*, TzqInspectorNode*, TzqInspectorRow*, bool& a) { a = allow; };
    rows[1]->SetIsCategory(true);
    host->SetFocusedNode(rows[1]->Node());
    EXPECT_EQ(host->Editor(), nullptr);
    allow = false;
    host->SetFocusedNode(rows[0]->Node());
    EXPECT_EQ(host->Editor(), nullptr);
    allow = true;
    host->ShowEditor();
    EXPECT_NE(host->Editor(), nullptr);
    host->SetOptions(zqDefaultInspectorOptions - TzqDBInspectorOption::dioEditing);
    EXPECT_EQ(host->Editor(), nullptr);
}

TEST_F(InspectorEditingTest, PostEditorWritesBackAndKeepsTheEditorShown)
{
    host->SetFocusedNode(rows[0]->Node());
    TextEditor()->SetTextModified("posted");
    host->PostEditor();
    EXPECT_EQ(rows[0]->Text(), "posted");
    EXPECT_TRUE(host->Editor()->Shown());
    EXPECT_EQ(host->EditingNode(), rows[0]->Node());
    EXPECT_FALSE(host->Editor()->GetModified());
}

TEST_F(InspectorEditingTest, FailingWriteBackPropagatesAndLeavesNoPressedState)
{
    host->SetFocusedNode(refusing->Node());
    TextEditor()->SetTextModified("refused");
    refusing->refuse = true;
    host->SetMouseState(TzqInspectorMouseState::msRowPressed);
    EXPECT_THROW(host->CloseEditor(true), std::runtime_error);
    EXPECT_EQ(host->MouseState(), TzqInspectorMouseState::msNone);
    EXPECT_EQ(host->EditingNode(), refusing->Node());
    EXPECT_EQ(TextEditor()->Text(), "refused"); // the editor keeps what was typed
    EXPECT_EQ(refusing->Text(), "old");
    // The focus cannot leave the line while the value is refused.
    EXPECT_THROW(host->SetFocusedNode(rows[0]->Node()), std::runtime_error);
    EXPECT_EQ(host->FocusedNode(), refusing->Node());
    refusing->refuse = false;
    host->SetFocusedNode(rows[0]->Node());
    EXPECT_EQ(refusing->Text(), "refused");
}

TEST_F(InspectorEditingTest, EditorStyleFollowsThePaintStyleAndFlat)
{
    using S = TzqInspectorPaintStyle;
    struct Case {
        S style;
        bool flat;
        TzqEditBorderStyle border;
        TzqEditButtonViewStyle button;
    } cases[] = {
        {S::ipsStandard, false, TzqEditBorderStyle::xbsNone, TzqEditButtonViewStyle::bts3D},
        {S::ipsNET, false, TzqEditBorderStyle::xbsNone, TzqEditButtonViewStyle::bts3D},
        {S::ipsStandard, true, TzqEditBorderStyle::xbsNone, TzqEditButtonViewStyle::btsFlat},
        {S::ipsCategorized, false, TzqEditBorderStyle::xbsFlat, TzqEditButtonViewStyle::btsFlat},
    };
    host->SetFocusedNode(rows[0]->Node());
    TzqEditStyle* style = host->Editor()->Style();
    for (const Case& c : cases) {
        host->SetPaintStyle(c.style);
        host->SetFlat(c.flat);
        EXPECT_EQ(style->BorderStyle(), c.border) << int(c.style) << c.flat;
        EXPECT_EQ(style->ButtonStyle(), c.button) << int(c.style) << c.flat;
        EXPECT_EQ(style->BorderColor(), clWindowFrame);
        EXPECT_FALSE(style->HotTrack());
        EXPECT_FALSE(style->Shadow());
    }
}

TEST_F(InspectorEditingTest, EditorsTakeTheColourAndFontTheEventsGive)
{
    host->OnGetEditColor = [](TObject*, TColor& c) { c = clYellow; };
    host->OnGetEditFont = [](TObject*, TFont& f) { f.SetSize(14); };
    host->SetFocusedNode(rows[1]->Node());
    EXPECT_EQ(host->Editor()->Color(), clYellow);
    EXPECT_EQ(host->Editor()->Font()->Size(), 14);
    EXPECT_NE(host->Font()->Size(), 14);
}

} // namespace
