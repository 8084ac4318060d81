// What the in-place text editors need of the edit control: selection-change notices
// under an event mask, the selected text, whether the clipboard can be pasted, and a
// selection bar whose clicks select whole lines.
#include "ControlsFixture.h"

#include "platform/controls/CustomEdit.h"
#include "platform/core/VirtualKeys.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using D = THeadlessDriver;
using Range = std::pair<int, int>;

class EditSelectionTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        edit = Make<TEdit>();
        edit->SetBounds(10, 10, 200, 21);
        memo = Make<TMemo>();
        memo->SetBounds(10, 50, 200, 120);
        memo->SetWordWrap(false);
        ShowForm();
        for (TCustomEdit* e : {static_cast<TCustomEdit*>(edit), static_cast<TCustomEdit*>(memo)})
            e->OnSelectionChange = [this](TObject* sender) {
                auto* e = static_cast<TCustomEdit*>(sender);
                reported.push_back({e->SelStart(), e->SelStart() + e->SelLength()});
            };
    }
    // A point on a line of the memo's text below, x pixels from the client's left edge.
    TPoint MemoLine(int line, int x)
    {
        const int lineStarts[] = {0, 12, 25};
        const LRESULT pos = memo->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(lineStarts[line]));
        return At(memo, {x, GetYLParam(pos) + 6});
    }

    TEdit* edit = nullptr;
    TMemo* memo = nullptr;
    std::vector<Range> reported;
};

TEST_F(EditSelectionTest, SelectionChangesAreReportedOnlyUnderTheEventMask)
{
    edit->SetFocus();
    driver.Type("abc");
    EXPECT_TRUE(reported.empty()) << "no notices without ENM_SELCHANGE";

    EXPECT_EQ(edit->Perform(EM_SETEVENTMASK, 0, ENM_SELCHANGE), static_cast<LRESULT>(ENM_NONE));
    EXPECT_EQ(edit->Perform(EM_GETEVENTMASK), static_cast<LRESULT>(ENM_SELCHANGE));
    driver.Type("d");
    driver.PressKey(VK_LEFT, D::Shift);
    edit->Perform(EM_SETSEL, 3, 4); // the same selection: no notice
    edit->SelectAll();
    driver.PressKey(VK_HOME);
    edit->SetText("new"); // the caret goes back to the start: already there
    EXPECT_EQ(reported, (std::vector<Range>{{4, 4}, {3, 4}, {0, 4}, {0, 0}}));

    // A click in the text moves the caret.
    reported.clear();
    driver.Click(At(edit, {150, 10}));
    EXPECT_EQ(reported, (std::vector<Range>{{3, 3}}));

    edit->SetEventMask(ENM_NONE);
    driver.PressKey(VK_HOME);
    EXPECT_EQ(reported.size(), 1u);
}

TEST_F(EditSelectionTest, SelectedTextAndWhetherTheClipboardCanBePasted)
{
    edit->SetText("Grüße aus Köln");
    edit->Perform(EM_SETSEL, 2, 5);
    std::string selected;
    EXPECT_EQ(edit->Perform(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(&selected)), 3) << "characters, not bytes";
    EXPECT_EQ(selected, "üße");
    edit->Perform(EM_SETSEL, 4, 4);
    EXPECT_EQ(edit->Perform(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(&selected)), 0);
    EXPECT_EQ(selected, "");
    EXPECT_EQ(edit->Perform(EM_GETSELTEXT), 0) << "no buffer: the count alone";

    SetClipboardText("");
    EXPECT_EQ(edit->Perform(EM_CANPASTE), 0);
    SetClipboardText("pasted");
    EXPECT_EQ(edit->Perform(EM_CANPASTE), 1);
    EXPECT_EQ(edit->Perform(EM_CANPASTE, CF_UNICODETEXT), 1);
    EXPECT_EQ(edit->Perform(EM_CANPASTE, 2), 0) << "pictures cannot be pasted into text";
    EXPECT_EQ(edit->Perform(EM_CANREDO), 0);
}

TEST_F(EditSelectionTest, AClickInTheSelectionBarSelectsWholeLines)
{
    memo->SetText("first line\r\nsecond line\r\nthird line");
    TRect before;
    memo->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&before));
    EXPECT_EQ(memo->Perform(EM_SETOPTIONS, ECOOP_OR, ECO_SELECTIONBAR), static_cast<LRESULT>(ECO_SELECTIONBAR));
    EXPECT_EQ(memo->Perform(EM_GETOPTIONS), static_cast<LRESULT>(ECO_SELECTIONBAR));
    TRect after;
    memo->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&after));
    EXPECT_EQ(after.Left, before.Left + 8) << "the text moves right by the bar";

    // A click in the bar selects the line with its line break; dragging down the bar
    // selects the lines passed.
    driver.Click(MemoLine(1, 3));
    EXPECT_EQ(memo->SelText(), "second line\r\n");
    EXPECT_TRUE(memo->Focused());
    driver.Drag(MemoLine(0, 3), MemoLine(2, 3), 4);
    EXPECT_EQ(memo->SelText(), memo->Text());
    // Dragging up keeps the first line pressed selected.
    driver.Drag(MemoLine(2, 3), MemoLine(1, 3), 4);
    EXPECT_EQ(memo->SelText(), "second line\r\nthird line");

    // Over the bar the pointer is an arrow; over the text the I-beam.
    driver.MoveTo(MemoLine(0, 40));
    EXPECT_EQ(driver.Backend().CursorShape(), IDC_IBEAM);
    driver.MoveTo(MemoLine(0, 3));
    EXPECT_EQ(driver.Backend().CursorShape(), IDC_ARROW);
    driver.MoveTo(MemoLine(0, 40));
    EXPECT_EQ(driver.Backend().CursorShape(), IDC_IBEAM);
    // A click on the text places the caret as usual.
    driver.Click(MemoLine(0, after.Left));
    EXPECT_EQ(memo->SelLength(), 0);
    EXPECT_EQ(memo->SelStart(), 0);

    // Switched off, the bar's place is text again; a single-line edit selects all.
    EXPECT_EQ(memo->Perform(EM_SETOPTIONS, ECOOP_XOR, ECO_SELECTIONBAR), 0);
    EXPECT_FALSE(memo->SelectionBar());
    edit->SetText("single line");
    edit->SetSelectionBar(true);
    driver.Click(At(edit, {4, 8}));
    EXPECT_EQ(edit->SelText(), "single line");
}

} // namespace
