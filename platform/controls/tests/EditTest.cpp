#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/CustomEdit.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

namespace {

using D = THeadlessDriver;

class EditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        form = new TForm(app.get());
        form->SetBounds(20, 20, 400, 300);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        memo = new TMemo(form);
        memo->SetParent(form);
        memo->SetBounds(10, 50, 120, 200);
        form->Show();
        edit->SetFocus();
        driver.Pump();
    }
    void TearDown() override { app.reset(); }

    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TMemo* memo = nullptr;
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndReplacesTheSelection)
{
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    driver.Type("Hello world");
    EXPECT_EQ(edit->Text(), "Hello world");
    EXPECT_EQ(changes, 11);
    driver.PressKey(VK_HOME);
    driver.PressKey(VK_RIGHT, D::Ctrl | D::Shift); // selects "Hello "
    EXPECT_EQ(edit->SelText(), "Hello ");
    driver.Type("Goodbye ");
    EXPECT_EQ(edit->Text(), "Goodbye world");
    EXPECT_EQ(edit->SelStart(), 8);
    EXPECT_TRUE(edit->Modified());
}

TEST_F(EditTest, WordMovesAndDeletesWorkOnUnicodeText)
{
    edit->SetText("Müller & Söhne 東京支店");
    edit->SetFocus();
    driver.PressKey(VK_END);
    driver.PressKey(VK_LEFT, D::Ctrl);
    EXPECT_EQ(edit->SelStart(), 15);
    driver.PressKey(VK_LEFT, D::Ctrl | D::Shift);
    EXPECT_EQ(edit->SelText(), "Söhne ");
    driver.PressKey(VK_BACK);
    EXPECT_EQ(edit->Text(), "Müller & 東京支店");
    driver.PressKey(VK_BACK, D::Ctrl);
    EXPECT_EQ(edit->Text(), "Müller 東京支店") << "Ctrl+Backspace took the word before the caret";
    driver.PressKey(VK_END);
    driver.PressKey(VK_BACK);
    EXPECT_EQ(edit->Text(), "Müller 東京支");
}

TEST_F(EditTest, UndoAndRedoStepThroughEditsWithTypingRunsAsOneStep)
{
    driver.Type("abc");
    driver.PressKey(VK_BACK);
    driver.Type("X");
    EXPECT_EQ(edit->Text(), "abX");
    driver.PressKey('Z', D::Ctrl);
    EXPECT_EQ(edit->Text(), "ab");
    driver.PressKey('Z', D::Ctrl);
    EXPECT_EQ(edit->Text(), "abc");
    driver.PressKey('Z', D::Ctrl);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_FALSE(edit->CanUndo());
    driver.PressKey('Y', D::Ctrl);
    EXPECT_EQ(edit->Text(), "abc");
    driver.PressKey('Z', D::Ctrl | D::Shift);
    EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(EditTest, LimitCaseConversionAndReadOnly)
{
    edit->SetMaxLength(5);
    edit->SetCharCase(TEditCharCase::ecUpperCase);
    edit->SetFocus();
    driver.Type("straße+x");
    EXPECT_EQ(edit->Text(), "STRAß") << "five characters, upper case (ß has no single upper case)";
    edit->SetText("");
    edit->SetCharCase(TEditCharCase::ecLowerCase);
    edit->SetFocus();
    driver.Type("ÀÉÎ");
    EXPECT_EQ(edit->Text(), "àéî");
    edit->SetReadOnly(true);
    driver.Type("zz");
    driver.PressKey(VK_BACK);
    EXPECT_EQ(edit->Text(), "àéî");
}

TEST_F(EditTest, ClipboardCutCopyPasteAndTheModifiedFlag)
{
    edit->SetText("one two");
    EXPECT_FALSE(edit->Modified()) << "text set by the program is not a modification";
    edit->SetFocus();
    edit->SetSelStart(4);
    edit->SetSelLength(3);
    driver.PressKey('X', D::Ctrl);
    EXPECT_EQ(edit->Text(), "one ");
    EXPECT_TRUE(edit->Modified());
    driver.PressKey(VK_HOME);
    driver.PressKey('V', D::Ctrl);
    EXPECT_EQ(edit->Text(), "twoone ");
    edit->SelectAll();
    driver.PressKey(VK_INSERT, D::Ctrl);
    std::string clip;
    OpenClipboardText(clip);
    EXPECT_EQ(clip, "twoone ");
    SetClipboardText("line1\r\nline2");
    driver.PressKey(VK_END);
    driver.PressKey(VK_INSERT, D::Shift);
    EXPECT_EQ(edit->Text(), "twoone line1") << "a single-line control keeps the first line";
    edit->SetModified(false);
    EXPECT_EQ(edit->Perform(EM_GETMODIFY), 0);
}

TEST_F(EditTest, MultiLineWrapsAtWordsAndEnterStartsANewLine)
{
    memo->SetFocus();
    driver.Type("alpha beta gamma delta epsilon");
    EXPECT_GT(memo->LineCount(), 1) << "the memo is 120 pixels wide";
    for (int i = 0; i < memo->LineCount() - 1; ++i) {
        const std::string line = memo->LineText(i);
        EXPECT_EQ(line.back(), ' ') << "lines break after a space: '" << line << "'";
    }
    driver.PressKey(VK_RETURN);
    driver.Type("next");
    EXPECT_EQ(memo->Text(), "alpha beta gamma delta epsilon\r\nnext");
    driver.PressKey(VK_UP);
    driver.PressKey(VK_HOME);
    driver.PressKey(VK_END, D::Shift);
    EXPECT_EQ(memo->LineText(memo->Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(-1))), memo->SelText());
}

TEST_F(EditTest, MessagesSetAndReadTheSelectionAndReplaceIt)
{
    edit->SetText("0123456789");
    CHARRANGE cr{2, 5};
    edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    DWORD start = 0, end = 0;
    edit->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 5u);
    const std::string replacement = "abc";
    edit->Perform(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(&replacement));
    EXPECT_EQ(edit->Text(), "01abc56789");
    EXPECT_EQ(edit->Perform(EM_CANUNDO), 1);
    edit->Perform(EM_UNDO);
    EXPECT_EQ(edit->Text(), "0123456789");
    edit->Perform(EM_SETSEL, 0, -1);
    EXPECT_EQ(edit->SelLength(), 10);
}

TEST_F(EditTest, MouseClickPlacesTheCaretAndDragSelects)
{
    edit->SetText("abcdefghij");
    const HWND h = edit->Handle();
    const TPoint p0 = driver.ToScreen(h, {2, 5});
    const TPoint p1 = driver.ToScreen(h, {2 + 300, 5});
    driver.Drag(p0, p1, 4);
    EXPECT_EQ(edit->SelText(), "abcdefghij");
    driver.Backend().SetTickCount(GetTickCount() + 1000); // not a double click
    driver.ClickAt(h, {1, 5});
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->SelStart(), 0);
    driver.DoubleClickAt(h, {20, 5});
    EXPECT_EQ(edit->SelText(), "abcdefghij") << "a double click selects the word";
}

} // namespace
