// The pick editor: finding entries, completion as characters are typed, Backspace and
// Delete with and without DropDownListStyle, stepping, the Revertable double click, its
// list and the list's own type-ahead.
#include "editors/InplacePickEdit.h"
#include "editors/PopupFrame.h"
#include "editors/tests/DropDownFixture.h"
#include "platform/controls/TextMeasure.h"
#include "platform/core/Utf8.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

namespace {

class PickEditTest : public DropDownTest {
protected:
    TzqInplacePickEdit* OpenPick(const std::string& value = "", bool listStyle = false, bool canDelete = false)
    {
        auto* edit = static_cast<TzqInplacePickEdit*>(host->EditorOfClass(TzqInplacePickEdit::StaticClass()));
        edit->Items()->SetText("Apple\napricot\nBanana\nband\n\xC3\x84rger\nCherry");
        edit->SetDropDownListStyle(listStyle);
        edit->SetCanDeleteText(canDelete);
        host->Open<TzqInplacePickEdit>(Variant(value));
        driver.Pump();
        return edit;
    }
    // The text with its selection shown as [selected].
    static std::string Shown(TzqInplacePickEdit* edit)
    {
        const std::u32string text = Utf8ToUtf32(edit->Text());
        const size_t start = size_t(edit->GetSelStart()), length = size_t(edit->GetSelLength());
        return Utf32ToUtf8(text.substr(0, start)) + "[" + Utf32ToUtf8(text.substr(start, length)) + "]" +
               Utf32ToUtf8(text.substr(start + length));
    }
};

TEST_F(PickEditTest, FindItemAnswersTheFirstEntryThatBeginsWithTheTextCaseAside)
{
    TzqInplacePickEdit* edit = OpenPick();
    const std::pair<const char*, int> rows[] = {
        {"a", 0}, {"AP", 0}, {"apr", 1}, {"BAN", 2}, {"band", 3}, {"bands", -1},
        {"\xC3\xA4r", 4}, {"", -1}, {"x", -1}, {"Cherry pie", -1},
    };
    for (const auto& [text, index] : rows)
        EXPECT_EQ(edit->FindItem(text), index) << text;
}

TEST_F(PickEditTest, TypingCompletesToAnEntryAndSelectsTheRest)
{
    struct Row {
        const char* typed;
        bool listStyle;
        const char* shown;
    };
    const Row rows[] = {
        {"a", false, "A[pple]"},     {"apr", false, "apr[icot]"},  {"B", false, "B[anana]"},
        {"band", false, "band[]"},   {"bx", false, "Bx[]"},        {"bx", true, "B[anana]"},
        {"ch", false, "Ch[erry]"},   {"z", false, "z[]"},          {"z", true, "[]"},
        {"\xC3\xA4", false, "\xC3\x84[rger]"},
    };
    for (const Row& row : rows) {
        TzqInplacePickEdit* edit = OpenPick("", row.listStyle);
        TypeText(row.typed);
        EXPECT_EQ(Shown(edit), row.shown) << row.typed << (row.listStyle ? " list style" : "");
        if (edit->DroppedDown())
            Key(VK_ESCAPE);
    }
}

TEST_F(PickEditTest, CompletionMarksTheValueModifiedOnlyWhenItChangedAndOpensTheList)
{
    TzqInplacePickEdit* edit = OpenPick("Banana");
    edit->SelectAll();
    TypeText("b");
    EXPECT_FALSE(edit->GetModified()) << "the same entry";
    EXPECT_TRUE(edit->DroppedDown()) << "ImmediateDropDown";
    EXPECT_EQ(edit->List()->ItemIndex(), 2);
    TypeText("ad"); // "bad": no entry, typed as it is
    EXPECT_EQ(edit->Text(), "Bad");
    EXPECT_EQ(edit->List()->ItemIndex(), -1) << "the selection follows the text";
    EXPECT_TRUE(edit->GetModified());
}

TEST_F(PickEditTest, ATextAtMaxLengthStartsANewSearch)
{
    TzqInplacePickEdit* edit = OpenPick();
    edit->SetImmediateDropDown(false);
    TypeText("b");
    Key(VK_END);
    TypeText("a");
    EXPECT_EQ(Shown(edit), "Ba[nana]") << "without a limit the search goes on";
    edit->SetMaxLength(6);
    Key(VK_END);
    TypeText("a");
    EXPECT_EQ(Shown(edit), "A[pple]") << "the full text starts a new search";
}

TEST_F(PickEditTest, BackspaceShortensTheSearchAndCompletesAgain)
{
    struct Row {
        bool listStyle, canDelete, selectAll;
        const char* typed;
        std::vector<std::string> afterEachBackspace;
    };
    const Row rows[] = {
        {false, false, false, "apr", {"Ap[ple]", "A[pple]", "[]"}},
        {true, false, false, "apr", {"Ap[ple]", "A[pple]", "A[pple]"}},
        {true, true, false, "apr", {"Ap[ple]", "A[pple]", "[]"}},
        {true, true, true, "", {"[]"}},
        {true, false, true, "", {"[Cherry]"}},
    };
    for (const Row& row : rows) {
        TzqInplacePickEdit* edit = OpenPick(row.selectAll ? "Cherry" : "", row.listStyle, row.canDelete);
        edit->SetImmediateDropDown(false);
        if (row.selectAll)
            edit->SelectAll();
        TypeText(row.typed);
        for (const std::string& expected : row.afterEachBackspace) {
            Key(VK_BACK);
            EXPECT_EQ(Shown(edit), expected) << row.typed << " list " << row.listStyle << " delete " << row.canDelete;
        }
    }
}

TEST_F(PickEditTest, BackspaceWithoutARunningSearchEditsTheTextNormally)
{
    TzqInplacePickEdit* edit = OpenPick("Cherry pie");
    Key(VK_END);
    Key(VK_BACK);
    EXPECT_EQ(edit->Text(), "Cherry pi");
}

TEST_F(PickEditTest, DeleteClearsAWhollySelectedEntryOnlyWhenTextMayBeDeleted)
{
    const std::tuple<bool, bool, const char*> rows[] = {
        {true, true, ""}, {true, false, "Cherry"}, {false, false, ""},
    };
    for (const auto& [listStyle, canDelete, text] : rows) {
        TzqInplacePickEdit* edit = OpenPick("Cherry", listStyle, canDelete);
        edit->SelectAll();
        Key(VK_DELETE);
        EXPECT_EQ(edit->Text(), text) << listStyle << canDelete;
    }
}

TEST_F(PickEditTest, EscapeEndsTheSearchAndLoadingAValueToo)
{
    TzqInplacePickEdit* edit = OpenPick();
    edit->SetImmediateDropDown(false);
    TypeText("ap");
    EXPECT_TRUE(edit->Searching());
    edit->SetEditValue(Variant("band"));
    EXPECT_FALSE(edit->Searching());
    TypeText("c");
    Key(VK_ESCAPE);
    EXPECT_FALSE(edit->Searching());
}

TEST_F(PickEditTest, StepMovesThroughTheEntriesAndWrapsWhenAsked)
{
    struct Row {
        const char* text;
        int delta;
        bool wrap;
        const char* result;
    };
    const Row rows[] = {
        {"apricot", 1, false, "Banana"}, {"apricot", -1, false, "Apple"}, {"apricot", -5, false, "Apple"},
        {"band", 5, false, "Cherry"},    {"band", 5, true, "Apple"},      {"Cherry", 1, true, "Apple"},
        {"nothing", 1, false, "Apple"},  {"", -1, false, "Apple"},
    };
    for (const Row& row : rows) {
        TzqInplacePickEdit* edit = OpenPick(row.text);
        edit->Step(row.delta, row.wrap);
        EXPECT_EQ(Shown(edit), std::string("[") + row.result + "]") << row.text << " " << row.delta;
    }
}

TEST_F(PickEditTest, ARevertableEditorStepsToTheNextEntryOnADoubleClick)
{
    TzqInplacePickEdit* edit = OpenPick("Cherry");
    driver.DoubleClick(EditPoint(edit, 10, 5));
    EXPECT_EQ(edit->Text(), "Cherry") << "not revertable";
    edit->SetRevertable(true);
    driver.AdvanceTime(1000);
    driver.DoubleClick(EditPoint(edit, 10, 5));
    EXPECT_EQ(edit->Text(), "Apple") << "after the last the first";
    driver.AdvanceTime(1000);
    driver.DoubleClick(EditPoint(edit, 10, 5));
    EXPECT_EQ(edit->Text(), "apricot");
}

TEST_F(PickEditTest, TheListShowsTheEntriesWithTheCurrentOneSelectedAndIsSizedToThem)
{
    TzqInplacePickEdit* edit = OpenPick("banana");
    edit->SetDropDownRows(4);
    Key(VK_DOWN, THeadlessDriver::Alt);
    ASSERT_TRUE(edit->DroppedDown());
    TzqPopupPickListBox* list = edit->List();
    EXPECT_EQ(list->Count(), 6);
    EXPECT_EQ(list->ItemIndex(), 2) << "equal to the text, case aside";
    EXPECT_EQ(list->ClientHeight(), 4 * list->ItemHeight());
    int widest = 0;
    for (int i = 0; i < 6; ++i)
        widest = std::max(widest, MeasureText(*edit->Font(), edit->Items()->Strings(i)).cx);
    const int border = 2 * PopupBorderWidth(edit->ResolvedPopupBorder());
    const int minimum = widest + 4 + GetSystemMetrics(SM_CXVSCROLL) + border;
    EXPECT_EQ(list->Frame()->Width(), std::max(minimum, edit->Width() - 4)) << "at least the editor's width";
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Shown(edit), "[band]");
    EXPECT_FALSE(list->IsShown());
}

TEST_F(PickEditTest, AClickOnALineOfTheListPicksIt)
{
    TzqInplacePickEdit* edit = OpenPick("Apple");
    Key(VK_F4);
    TzqPopupPickListBox* list = edit->List();
    const TRect line = list->ItemRect(5);
    driver.Click(driver.ToScreen(list->Handle(), TPoint(line.Left + 5, line.Top + 3)));
    EXPECT_EQ(edit->Text(), "Cherry");
    EXPECT_TRUE(edit->GetModified());
}

TEST_F(PickEditTest, TheListsOwnTypeAheadResetsAfterTwoSecondsAndDropsWhatFindsNothing)
{
    TzqInplacePickEdit* edit = OpenPick("Apple");
    edit->Items()->Add(std::string(40, 'a'));
    Key(VK_F4);
    TzqPopupPickListBox* list = edit->List();
    auto type = [&](char32_t c) {
        SendMessage(list->Handle(), WM_CHAR, WPARAM(c), 0);
        driver.Pump();
    };
    type(U'b');
    type(U'a');
    type(U'n');
    type(U'd');
    EXPECT_EQ(list->ItemIndex(), 3);
    type(U'q');
    EXPECT_EQ(list->TypedSearch(), "band") << "dropped";
    driver.AdvanceTime(1999);
    type(U's');
    EXPECT_EQ(list->TypedSearch(), "band") << "still the same search";
    driver.AdvanceTime(2001);
    type(U'c');
    EXPECT_EQ(list->ItemIndex(), 5) << "a new search";
    SendMessage(list->Handle(), WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(list->TypedSearch(), "");
    for (int i = 0; i < 40; ++i)
        type(U'a');
    EXPECT_EQ(list->ItemIndex(), 6);
    EXPECT_EQ(list->TypedSearch(), std::string(TzqPopupPickListBox::MaxSearchLength, 'a'));
}

TEST_F(PickEditTest, AMegabyteOfTextTypedIntoIsTakenWithoutHarm)
{
    TzqInplacePickEdit* edit = OpenPick();
    const std::string big(1 << 20, 'b');
    edit->SetTextModified(big);
    Key(VK_END);
    TypeText("x");
    EXPECT_EQ(edit->Text().size(), big.size() + 1);
    Key(VK_BACK);
    EXPECT_EQ(edit->Text().size(), big.size());
}

} // namespace
