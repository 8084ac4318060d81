// The text editor with its window: setting up a window, the forced case, the context
// menu, the undo point, automatic selection, selection notices, the formatting
// rectangle and the text colour.
#include "TextEditorFixture.h"

#include "platform/controls/PopupMenu.h"
#include "editors/TextEditDrawing.h"
#include "platform/window/Backend.h"
#include "platform/core/Utf8.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

namespace {

using D = THeadlessDriver;

// What the context menu showed while it was open.
struct SeenMenu {
    bool open = false;
    TPoint at;
    std::vector<bool> enabled;
};

class InplaceTextEditTest : public TextEditorTest {
protected:
    // The next time a loop waits (the menu's): note the menu, then close it with Escape.
    void NoteMenuThenClose(TzqInplaceTextEdit* edit, SeenMenu& seen)
    {
        driver.Backend().PushIdleAction([this, edit, &seen] {
            TPopupMenu* menu = edit->ContextMenu();
            seen.open = menu && menu->IsOpen();
            if (menu) {
                seen.at = menu->PopupPoint();
                for (int i = 0; i < menu->Count(); ++i)
                    seen.enabled.push_back(menu->Items(i)->Enabled());
            }
            driver.PressKey(VK_ESCAPE);
        });
    }
};

TEST_F(InplaceTextEditTest, LoadingAValueSendsNoChangeAndLeavesNothingToUndo)
{
    auto* edit = OpenText("first");
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetEditValue(Variant("second"));
    EXPECT_EQ(edit->Text(), "second");
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(edit->GetModified());
    EXPECT_EQ(edit->Perform(EM_CANUNDO), 0);
    // Typing afterwards is a change.
    Key(VK_END);
    TypeText("!");
    EXPECT_EQ(edit->Text(), "second!");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(edit->GetModified());
}

TEST_F(InplaceTextEditTest, ModifiedAndTextSurviveANewWindow)
{
    auto* edit = OpenText("abc");
    Key(VK_END);
    TypeText("d");
    ASSERT_TRUE(edit->GetModified());
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    // A new password character makes the window again.
    edit->SetPasswordChar(U'*');
    driver.Pump();
    EXPECT_EQ(edit->Text(), "abcd");
    EXPECT_TRUE(edit->GetModified());
    EXPECT_EQ(changes, 0) << "putting the text back into a new window is no change";
    edit->SetModified(false);
    edit->SetSelectionBar(true);
    EXPECT_FALSE(edit->GetModified());
}

TEST_F(InplaceTextEditTest, UpperCaseHoldsForTypingAndPastingAndKeepsSelectionAndModified)
{
    auto* edit = OpenText("");
    edit->SetCharCase(TEditCharCase::ecUpperCase);
    driver.Pump();
    TypeText("abc");
    EXPECT_EQ(edit->Text(), "ABC");
    SetClipboardText("def");
    Key(VK_HOME);
    Key('V', D::Ctrl);
    EXPECT_EQ(edit->Text(), "DEFABC");
    EXPECT_EQ(edit->GetSelStart(), 3);
    EXPECT_EQ(edit->GetSelLength(), 0);
    EXPECT_TRUE(edit->GetModified());
    // A text given in another case follows when the case is forced; Modified stays.
    edit->SetCharCase(TEditCharCase::ecNormal);
    edit->SetEditValue(Variant("Mixed Case"));
    edit->SetModified(true);
    edit->SetCharCase(TEditCharCase::ecLowerCase);
    EXPECT_EQ(edit->Text(), "mixed case");
    EXPECT_TRUE(edit->GetModified());
}

TEST_F(InplaceTextEditTest, PasswordCharacterDisablesCutAndCopy)
{
    auto* edit = OpenText("secret");
    edit->SelectAll();
    TzqTextEditMenuState state = edit->MenuState();
    EXPECT_TRUE(TextEditMenuEnabled(tecCut, state));
    edit->SetPasswordChar(U'*');
    driver.Pump();
    edit->SelectAll();
    state = edit->MenuState();
    EXPECT_EQ(state.SelLength, 6);
    EXPECT_FALSE(TextEditMenuEnabled(tecCut, state));
    EXPECT_FALSE(TextEditMenuEnabled(tecCopy, state));
    EXPECT_TRUE(TextEditMenuEnabled(tecDelete, state));
    // Copying from the window itself gives nothing away either.
    SetClipboardText("before");
    edit->CopyToClipboard();
    std::string clip;
    OpenClipboardText(clip);
    EXPECT_EQ(clip, "before");
}

TEST_F(InplaceTextEditTest, RightClickShowsTheNineItemMenuAtThePointer)
{
    auto* edit = OpenText("hello");
    SeenMenu seen;
    NoteMenuThenClose(edit, seen);
    const TPoint at = EditPoint(edit, 30, 5);
    driver.Click(at, TMouseButton::mbRight);
    driver.Pump();
    ASSERT_TRUE(seen.open);
    EXPECT_EQ(seen.at, at);
    ASSERT_EQ(edit->ContextMenu()->Count(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(edit->ContextMenu()->Items(i)->Caption(), TextEditMenuItems[size_t(i)].Caption);
        EXPECT_EQ(edit->ContextMenu()->Items(i)->Tag(), TextEditMenuItems[size_t(i)].Command);
    }
    // The whole text was selected when shown: nothing to undo, everything but
    // "Select All" and "Paste" (empty clipboard) apply.
    const std::vector<bool> expected{false, false, true, true, true, false, true, true, false};
    EXPECT_EQ(seen.enabled, expected);
}

TEST_F(InplaceTextEditTest, ShiftF10ShowsTheMenuAtTheCaret)
{
    auto* edit = OpenText("hello");
    Key(VK_END);
    SeenMenu seen;
    NoteMenuThenClose(edit, seen);
    Key(VK_F10, D::Shift);
    ASSERT_TRUE(seen.open);
    TPoint caret;
    ASSERT_TRUE(GetCaretPos(caret));
    EXPECT_EQ(seen.at, driver.ToScreen(edit->Handle(), caret));
}

TEST_F(InplaceTextEditTest, APointerRequestOutsideTheClientShowsNoMenu)
{
    auto* edit = OpenText("hello");
    bool opened = false;
    driver.Backend().PushIdleAction([this, edit, &opened] {
        opened = edit->ContextMenu() && edit->ContextMenu()->IsOpen();
        if (opened)
            driver.PressKey(VK_ESCAPE);
    });
    const TPoint outside = EditPoint(edit, -30, 5);
    edit->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->Handle()), MakeLParam(outside.X, outside.Y));
    driver.Pump();
    EXPECT_FALSE(opened);
    // A popup menu of the host replaces the editor's own.
    auto* hostMenu = new TPopupMenu(form);
    hostMenu->AddItem("Host item");
    host->SetPopupMenu(hostMenu);
    SeenMenu seen;
    driver.Backend().PushIdleAction([this, hostMenu, &seen] {
        seen.open = hostMenu->IsOpen();
        driver.PressKey(VK_ESCAPE);
    });
    driver.Click(EditPoint(edit, 30, 5), TMouseButton::mbRight);
    driver.Pump();
    EXPECT_TRUE(seen.open);
    EXPECT_TRUE(edit->ContextMenu() == nullptr || !edit->ContextMenu()->IsOpen());
    host->SetPopupMenu(nullptr);
}

TEST_F(InplaceTextEditTest, MenuCommandsActOnTheText)
{
    auto* edit = OpenText("hello world");
    SetClipboardText("");
    edit->SetSelStart(0);
    edit->SetSelLength(6);
    // Run "Cu&t" from the open menu.
    driver.Backend().PushIdleAction([this, edit] {
        TPopupMenu* menu = edit->ContextMenu();
        const TRect r = menu->ItemRect(menu->Items(3));
        driver.Click({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    });
    driver.Click(EditPoint(edit, 30, 5), TMouseButton::mbRight);
    driver.Pump();
    EXPECT_EQ(edit->Text(), "world");
    std::string clip;
    OpenClipboardText(clip);
    EXPECT_EQ(clip, "hello ");
    edit->Undo();
    EXPECT_EQ(edit->Text(), "hello world");
    edit->Redo();
    EXPECT_EQ(edit->Text(), "world");
}

TEST_F(InplaceTextEditTest, EscapeReturnsToTheUndoPoint)
{
    auto* edit = OpenText("kept");
    TypeText("typed");
    EXPECT_EQ(edit->Text(), "typed");
    Key(VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "kept");
    EXPECT_FALSE(edit->GetModified());
}

TEST_F(InplaceTextEditTest, AutoSelectOnKeyboardFocusAndAClickPlacesTheCaret)
{
    auto* edit = OpenText("some text");
    // The focus goes to the host and comes back by keyboard.
    host->SetFocus();
    driver.Pump();
    edit->SetSelStart(2);
    ::SetFocus(edit->Handle());
    driver.Pump();
    EXPECT_EQ(edit->GetSelStart(), 0);
    EXPECT_EQ(edit->GetSelLength(), 9);
    // By a click: the caret goes where the click was, nothing is left selected.
    host->SetFocus();
    driver.Pump();
    driver.Click(EditPoint(edit, 40, 5));
    driver.Pump();
    EXPECT_TRUE(edit->IsFocused());
    EXPECT_EQ(edit->GetSelLength(), 0);
    EXPECT_GT(edit->GetSelStart(), 0);
}

TEST_F(InplaceTextEditTest, PressOnAnUnfocusedEditorStartsNoSelectionDrag)
{
    auto* edit = OpenText("a fairly long text");
    host->SetFocus();
    driver.Pump();
    const TPoint from = EditPoint(edit, 10, 5);
    driver.MoveTo(from);
    driver.Press(from);
    driver.Pump();
    EXPECT_TRUE(edit->IsFocused());
    EXPECT_NE(GetCapture(), edit->Handle());
    driver.MoveTo(EditPoint(edit, 120, 5));
    driver.Release(EditPoint(edit, 120, 5));
    driver.Pump();
    EXPECT_EQ(edit->GetSelLength(), 0);
    // Once focused, a drag selects.
    driver.Drag(EditPoint(edit, 10, 5), EditPoint(edit, 120, 5));
    driver.Pump();
    EXPECT_GT(edit->GetSelLength(), 0);
}

TEST_F(InplaceTextEditTest, KeyboardSelectionIsNotified)
{
    auto* edit = OpenText("abcdef");
    int notices = 0;
    edit->OnSelectionChange = [&](TObject*) { ++notices; };
    Key(VK_HOME);
    const int afterHome = notices;
    EXPECT_GE(afterHome, 1);
    Key(VK_RIGHT, D::Shift);
    Key(VK_RIGHT, D::Shift);
    EXPECT_EQ(notices, afterHome + 2);
    EXPECT_EQ(edit->GetSelLength(), 2);
    std::string selected;
    edit->GetSelText(selected);
    EXPECT_EQ(selected, "ab");
    std::string part;
    EXPECT_EQ(edit->GetSelTextBuf(part, 1), 1);
    EXPECT_EQ(part, "a");
}

TEST_F(InplaceTextEditTest, FormattingRectangleFollowsBarAlignmentAndOffsets)
{
    auto* edit = OpenText("x");
    const TRect client = edit->ClientRect();
    struct Case {
        bool bar;
        TAlignment alignment;
        TRect offsets;
        TRect expected;
    };
    const Case cases[] = {
        {false, TAlignment::taLeftJustify, {}, {1, 1, client.Right - 1, client.Bottom - 1}},
        {true, TAlignment::taLeftJustify, {}, {9, 1, client.Right - 1, client.Bottom - 1}},
        {false, TAlignment::taRightJustify, {}, {1, 1, client.Right - 2, client.Bottom - 1}},
        {true, TAlignment::taRightJustify, {2, 1, 3, 0}, {11, 2, client.Right - 5, client.Bottom - 1}},
    };
    for (const Case& c : cases) {
        edit->SetSelectionBar(c.bar);
        edit->SetAlignment(c.alignment);
        edit->SetTextOffsets(c.offsets);
        driver.Pump();
        EXPECT_EQ(edit->FormattingRect(), c.expected) << c.bar << " " << int(c.alignment);
    }
}

TEST_F(InplaceTextEditTest, TextColourIsAutomaticForWindowTextAndTheDefaultValue)
{
    auto* edit = OpenText("x");
    const TColor cases[][2] = {
        {clWindowText, clWindowText},
        {TColor(0x20000000), clWindowText},
        {clRed, ColorToRGB(clRed)},
        {clHighlight, ColorToRGB(clHighlight)},
    };
    for (const auto& c : cases) {
        edit->Font()->SetColor(c[0]);
        EXPECT_EQ(edit->NativeTextColor(), c[1]) << std::hex << c[0];
    }
}

TEST_F(InplaceTextEditTest, MaxLengthLimitsTypingAndNegativeIsNone)
{
    auto* edit = OpenText("");
    edit->SetMaxLength(3);
    TypeText("abcdef");
    EXPECT_EQ(edit->Text(), "abc");
    edit->SetMaxLength(-5);
    EXPECT_EQ(edit->MaxLength(), 0);
    TypeText("de");
    EXPECT_EQ(edit->Text(), "abcde");
    edit->SetMaxLength(2);
    edit->RestoreDefaults();
    EXPECT_EQ(edit->MaxLength(), 0);
}

TEST_F(InplaceTextEditTest, ReadOnlyRefusesTypingAndPaste)
{
    auto* edit = OpenText("fixed");
    edit->SetReadOnly(true);
    Key(VK_END);
    TypeText("x");
    SetClipboardText("y");
    Key('V', D::Ctrl);
    EXPECT_EQ(edit->Text(), "fixed");
    EXPECT_FALSE(TextEditMenuEnabled(tecPaste, edit->MenuState()));
}

// An editor class whose window is not an edit window.
class TPlainWindowEdit : public TzqInplaceMaskEdit {
public:
    using TzqInplaceMaskEdit::TzqInplaceMaskEdit;
    static const TzqInplaceEditClass& StaticClass()
    {
        static const TzqInplaceEditClassOf<TPlainWindowEdit, TzqInplaceMaskEditClass> instance;
        return instance;
    }
    const TzqInplaceEditClass& EditClass() const override { return StaticClass(); }
    bool IsNativeEdit() override { return false; }
};

TEST_F(InplaceTextEditTest, AnEditorWithoutAnEditWindowKeepsItsTextAndPaintsItByItsClass)
{
    auto* edit = host->Open<TPlainWindowEdit>(Variant("plain value"));
    driver.Pump();
    EXPECT_EQ(edit->Text(), "plain value");
    Variant value;
    edit->GetEditValue(value);
    EXPECT_EQ(value.AsString(), "plain value");
    // Characters typed do not reach an edit window's text.
    TypeText("x");
    EXPECT_EQ(edit->Text(), "plain value");
    // The window shows the value drawn by the class.
    TBitmap screen;
    ASSERT_TRUE(driver.Backend().GrabScreen(form->Handle(), screen));
    TPoint origin{0, 0};
    ClientToScreen(edit->Handle(), origin);
    int dark = 0;
    for (int y = 0; y < edit->ClientHeight(); ++y)
        for (int x = 0; x < edit->ClientWidth(); ++x)
            if (const TColor c = screen.Pixel(origin.X + x, origin.Y + y);
                (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 96)
                ++dark;
    EXPECT_GT(dark, 30);
    if (const char* dir = std::getenv("VELMORA_PNG_DIR"))
        screen.SaveToPngFile(std::string(dir) + "/plain-window-editor.png");
}

TEST_F(InplaceTextEditTest, CellsAreDrawnByTheClassAsTheEditorShowsThem)
{
    auto* edit = OpenText("abc");
    edit->SetPasswordChar(U'#');
    edit->SetSelectionBar(true);
    edit->SetCharCase(TEditCharCase::ecUpperCase);
    std::unique_ptr<TzqEditViewData> data = edit->CreateViewData(true);
    auto* text = dynamic_cast<TzqTextEditViewData*>(data.get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->PasswordChar, U'#');
    EXPECT_TRUE(text->SelectionBar);
    EXPECT_EQ(text->CharCase, TEditCharCase::ecUpperCase);
    EXPECT_EQ(TextEditDisplayText(*text), "###");
    // Drawn into a bitmap: text pixels inside, past the selection bar.
    TBitmap picture;
    picture.SetSize(120, 20);
    FillRectColor(picture.Canvas(), TRect(0, 0, 120, 20), clWhite);
    text->BkColor = clWhite;
    text->TextColor = clBlack;
    text->Brush = nullptr;
    ASSERT_TRUE(edit->EditClass().DrawContent(picture.Canvas(), TRect(0, 0, 120, 20), false, *data));
    int dark = 0, inBar = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 120; ++x)
            if (picture.Pixel(x, y) == clBlack)
                ++(x < 9 ? inBar : dark);
    EXPECT_GT(dark, 0);
    EXPECT_EQ(inBar, 0);
    // A transparent cell is left to the window in a window paint.
    text->Transparent = true;
    EXPECT_FALSE(edit->EditClass().DrawContent(picture.Canvas(), TRect(0, 0, 120, 20), true, *data));
}

} // namespace
