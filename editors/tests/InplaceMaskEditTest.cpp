// The mask editor with its window: keys typed through the window system into a masked
// editor, the value taken back, validation on leaving, pastes and the clipboard
// messages, and a mask changed under a modified value.
#include "TextEditorFixture.h"

#include "editors/EditMask.h"
#include "editors/EditErrors.h"
#include "platform/core/Utf8.h"

namespace {

using D = THeadlessDriver;

class InplaceMaskEditTest : public TextEditorTest {
protected:
    std::string ValueOf(TzqInplaceMaskEdit* edit)
    {
        Variant v;
        edit->GetEditValue(v);
        return v.IsClear() ? std::string("<null>") : v.AsString();
    }
};

// Keys typed into a fresh editor: the text shown, the value and the cursor after them.
TEST_F(InplaceMaskEditTest, TypedKeysFillTheMask)
{
    struct Case {
        const char* mask;
        const char* value;
        const char* typed;
        const char* text;
        const char* editValue;
        int cursor;
    };
    const Case cases[] = {
        {"(999) 000-0000;1;_", "", "", "(___) ___-____", "(   )    -    ", 1},
        {"(999) 000-0000;1;_", "", "5551234567", "(555) 123-4567", "(555) 123-4567", 14},
        {"(999) 000-0000;0;_", "", "5551234567", "(555) 123-4567", "5551234567", 14},
        // A character that fits no position is refused; a literal typed jumps past it.
        {"000-000;0;_", "", "12x", "12_-___", "12", 2},
        {"000-000", "", "-", "___-___", "   -   ", 4},
        {"000-000", "", "1-5", "1__-5__", "1  -5  ", 5},
        // Letters follow ">" and "<".
        {">LL<ll", "", "abCD", "ABcd", "ABcd", 4},
        // Filling from the right with "!".
        {"!99999;0;_", "42", "", "___42", "42", 0},
    };
    for (const Case& c : cases) {
        auto* edit = OpenMask(c.mask, Variant(c.value));
        Key(VK_HOME);
        TypeText(c.typed);
        EXPECT_EQ(edit->Text(), c.text) << c.mask << " typed " << c.typed;
        EXPECT_EQ(ValueOf(edit), c.editValue) << c.mask << " typed " << c.typed;
        EXPECT_EQ(edit->CursorPosition(), c.cursor) << c.mask << " typed " << c.typed;
        host->SetActiveEdit(nullptr);
        edit->Hide();
    }
}

TEST_F(InplaceMaskEditTest, CaretIsOneSelectedCharacterMadeFromItsRightEnd)
{
    auto* edit = OpenMask("(999) 000-0000;1;_");
    Key(VK_HOME);
    EXPECT_EQ(edit->GetSelStart(), 1);
    EXPECT_EQ(edit->GetSelLength(), 1);
    TPoint caret;
    ASSERT_TRUE(GetCaretPos(caret));
    // The caret is at the selection's left: the position of character 1.
    const LRESULT at = edit->Perform(EM_POSFROMCHAR, 1);
    EXPECT_EQ(caret.X, int16_t(LoWord(uintptr_t(at))));
    // Right skips the literals ") " after the third digit.
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(edit->CursorPosition(), 6);
    Key(VK_LEFT);
    EXPECT_EQ(edit->CursorPosition(), 3);
    // Shift widens the selection one position at a time; Up and Down do nothing.
    Key(VK_RIGHT, D::Shift);
    Key(VK_RIGHT, D::Shift);
    EXPECT_EQ(edit->GetSelStart(), 3);
    EXPECT_EQ(edit->GetSelLength(), 2);
    Key(VK_UP);
    EXPECT_EQ(edit->GetSelLength(), 2);
    Key(VK_END);
    EXPECT_EQ(edit->CursorPosition(), 14);
    EXPECT_EQ(edit->GetSelLength(), 0);
}

TEST_F(InplaceMaskEditTest, CtrlArrowsMoveNativelyAndTheCursorIsCheckedOnRelease)
{
    auto* edit = OpenMask("000 000;1;_", Variant("123 456"));
    Key(VK_HOME);
    driver.KeyDown(VK_CONTROL);
    driver.KeyDown(VK_RIGHT, D::Ctrl);
    driver.Pump();
    // The edit window moved to the next word, with no selection yet.
    EXPECT_EQ(edit->GetSelStart(), 4);
    EXPECT_EQ(edit->GetSelLength(), 0);
    driver.KeyUp(VK_RIGHT, D::Ctrl);
    driver.KeyUp(VK_CONTROL);
    driver.Pump();
    EXPECT_EQ(edit->CursorPosition(), 4);
    EXPECT_EQ(edit->GetSelLength(), 1);
}

TEST_F(InplaceMaskEditTest, DeleteAndBackspaceBlankPositionsAndKeepLiterals)
{
    auto* edit = OpenMask("000-000", Variant("123-456"));
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "_23-456");
    Key(VK_END);
    Key(VK_BACK);
    Key(VK_BACK);
    EXPECT_EQ(edit->Text(), "_23-4__");
    EXPECT_EQ(edit->CursorPosition(), 5);
    // A selection across the literal blanks every input position in it.
    edit->Perform(EM_SETSEL, 1, 6);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "___-___");
    EXPECT_TRUE(edit->GetModified());
}

TEST_F(InplaceMaskEditTest, LeavingWithRequiredPositionsEmptyRaisesAndPutsTheCaretThere)
{
    auto* edit = OpenMask("(999) 000-0000;1;_");
    Key(VK_HOME);
    TypeText("555");
    EXPECT_TRUE(errors.empty());
    Key(VK_RETURN);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Invalid input value.  Use escape key to abandon changes");
    EXPECT_TRUE(edit->IsFocused());
    EXPECT_EQ(edit->CursorPosition(), 6);
    EXPECT_EQ(edit->GetSelStart(), 6);
    EXPECT_TRUE(edit->MaskState() & TzqInplaceMaskEdit::msShowingError);
    // Escape abandons the changes; leaving is then allowed.
    Key(VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "(___) ___-____");
    errors.clear();
    Key(VK_RETURN);
    EXPECT_TRUE(errors.empty());
}

TEST_F(InplaceMaskEditTest, OnlyTheBlankCharacterFailsAnyCharacterPosition)
{
    auto* edit = OpenMask("CC;1;*");
    Key(VK_HOME);
    TypeText("  ");
    EXPECT_EQ(edit->Text(), "  ");
    EXPECT_NO_THROW(edit->ValidateEdit());
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_THROW(edit->ValidateEdit(), EzqEditInvalidInput);
}

TEST_F(InplaceMaskEditTest, PasteFillsFromTheSelectionAndValidatesAtOnce)
{
    struct Case {
        const char* clip;
        const char* text;
        bool raises;
    };
    const Case cases[] = {
        {"5551234567", "(555) 123-4567", false},
        {"(555) 123-4567", "(555) 123-4567", false},
        // Stops at the first character that fits nowhere, then validates.
        {"555x1234567", "(555) ___-____", true},
        {"12", "(12_) ___-____", true},
        {"\x01\x02", "(___) ___-____", true},
    };
    for (const Case& c : cases) {
        auto* edit = OpenMask("(999) 000-0000;1;_");
        errors.clear();
        SetClipboardText(c.clip);
        Key(VK_HOME);
        Key('V', D::Ctrl);
        EXPECT_EQ(edit->Text(), c.text) << c.clip;
        EXPECT_EQ(errors.size(), c.raises ? 1u : 0u) << c.clip;
        EXPECT_TRUE(edit->GetModified());
        EXPECT_LE(edit->CursorPosition(), edit->MaskLength());
        host->SetActiveEdit(nullptr);
        edit->Hide();
    }
}

TEST_F(InplaceMaskEditTest, AMegabyteOfPastedTextStopsAtTheMaskLength)
{
    auto* edit = OpenMask("000-000");
    SetClipboardText(std::string(1 << 20, '7'));
    Key(VK_INSERT, D::Shift);
    EXPECT_EQ(edit->Text(), "777-777");
    EXPECT_EQ(edit->CursorPosition(), 7);
}

TEST_F(InplaceMaskEditTest, CutAndClearBlankTheSelectionAndReplaceSelNeedsEqualLength)
{
    auto* edit = OpenMask("000-000", Variant("123-456"));
    edit->Perform(EM_SETSEL, 4, 6);
    edit->CutToClipboard();
    EXPECT_EQ(edit->Text(), "123-__6");
    std::string clip;
    OpenClipboardText(clip);
    EXPECT_EQ(clip, "45");
    EXPECT_TRUE(edit->GetModified());
    edit->Perform(EM_SETSEL, 0, 2);
    const std::string shorter = "9";
    edit->Perform(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(&shorter));
    EXPECT_EQ(edit->Text(), "123-__6");
    const std::string same = "98";
    edit->Perform(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(&same));
    EXPECT_EQ(edit->Text(), "983-__6");
    edit->SelectAll();
    edit->ClearSelection();
    EXPECT_EQ(edit->Text(), "___-___");
}

TEST_F(InplaceMaskEditTest, ModifiedSurvivesAMaskChange)
{
    auto* edit = OpenMask("000-000");
    Key(VK_HOME);
    TypeText("12");
    ASSERT_TRUE(edit->GetModified());
    edit->SetEditMask("(000) 000;0;*");
    driver.Pump();
    EXPECT_EQ(edit->Text(), "(12*) ***");
    EXPECT_TRUE(edit->GetModified());
    EXPECT_EQ(edit->MaxLength(), 9);
    // No mask: the editor is a plain text editor.
    edit->SetEditMask("");
    driver.Pump();
    EXPECT_FALSE(edit->IsMasked());
    EXPECT_EQ(edit->MaxLength(), 0);
    EXPECT_TRUE(edit->GetModified());
    Key(VK_END);
    TypeText("xyz");
    EXPECT_EQ(edit->Text(), "12xyz");
}

TEST_F(InplaceMaskEditTest, SeparatorsShowTheLocales)
{
    TLocaleSettings saved = Locale();
    TLocaleSettings dmy = saved;
    dmy.DateSeparator = ".";
    dmy.TimeSeparator = "-";
    SetLocale(dmy);
    auto* edit = OpenMask("00/00/0000 00:00;1;_");
    Key(VK_HOME);
    TypeText("311220262359");
    EXPECT_EQ(edit->Text(), "31.12.2026 23-59");
    EXPECT_EQ(ValueOf(edit), "31.12.2026 23-59");
    SetLocale(saved);
}

TEST_F(InplaceMaskEditTest, HostileMasksGiveATextOfTheMaskLengthAndACaretInside)
{
    const std::string masks[] = {
        ";", "\\", "0\\", "!><<>", "000;0;0", "AA;1;L", std::string(10000, '0'), "e\xcc\x81" "e\xcc\x81;1;_",
        "00/00;1;/", "((((",
    };
    for (const std::string& m : masks) {
        auto* edit = OpenMask(m, Variant("1234567890"));
        SetClipboardText("a\tb\x01" + std::string(5000, '9'));
        Key(VK_HOME);
        TypeText("12ab");
        Key(VK_END);
        Key(VK_BACK);
        Key('V', D::Ctrl);
        const std::u32string text = Utf8ToUtf32(edit->Text());
        if (edit->IsMasked()) {
            EXPECT_EQ(int(text.size()), edit->MaskLength()) << m.substr(0, 20);
        }
        EXPECT_GE(edit->CursorPosition(), 0) << m.substr(0, 20);
        EXPECT_LE(edit->CursorPosition(), edit->MaskLength()) << m.substr(0, 20);
        EXPECT_LE(edit->GetSelStart() + edit->GetSelLength(), int(text.size())) << m.substr(0, 20);
        host->SetActiveEdit(nullptr);
        edit->Hide();
        errors.clear();
    }
}

} // namespace
