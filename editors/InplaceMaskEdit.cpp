#include "editors/InplaceMaskEdit.h"

#include "editors/MaskEditKeys.h"
#include "editors/EditErrors.h"
#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/SystemServices.h"
#include "platform/window/WinApi.h"

// ---- The class ----

TzqInplaceEdit* TzqInplaceMaskEditClass::Create(TComponent* AOwner) const
{
    return new TzqInplaceMaskEdit(AOwner);
}

// ---- The editor ----

TzqInplaceMaskEdit::TzqInplaceMaskEdit(TComponent* AOwner) : TzqInplaceTextEdit(AOwner) {}

TzqInplaceMaskEdit::~TzqInplaceMaskEdit() = default;

const TzqInplaceEditClass& TzqInplaceMaskEdit::StaticClass()
{
    static const TzqInplaceMaskEditClass instance;
    return instance;
}

const TzqInplaceEditClass& TzqInplaceMaskEdit::EditClass() const
{
    return StaticClass();
}

std::string TzqInplaceMaskEdit::GetDefaultEditMask()
{
    return {};
}

void TzqInplaceMaskEdit::SetEditMask(const std::string& Mask)
{
    if (Mask == m_editMask)
        return;
    const bool modified = GetModified();
    SyncFromWindow();
    const std::u32string value = IsMasked() ? m_state.Value() : Utf8ToUtf32(GetText());
    const int cursor = m_state.Cursor();
    m_editMask = Mask;
    m_state = TzqMaskEditState(TzqEditMask(Mask));
    const bool masked = !m_state.Mask().Empty();
    if (masked)
        m_maskState |= msMasked;
    else
        m_maskState &= uint8_t(~msMasked);
    const std::u32string text = masked ? m_state.Mask().Format(value) : value;
    SetMaxLength(masked ? m_state.Mask().Length() : 0);
    SetText(Utf32ToUtf8(text));
    m_state.SetText(text);
    SetModified(modified);
    if (IsFocused()) {
        m_state.SetCursor(cursor);
        ShowState(false);
    }
    RecreateWnd();
}

void TzqInplaceMaskEdit::GetSel(int& Start, int& Finish)
{
    Start = Finish = 0;
    if (!IsNativeEdit())
        return;
    DWORD start = 0, finish = 0;
    Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&finish));
    Start = int(start);
    Finish = int(finish);
}

// ---- Value ----

void TzqInplaceMaskEdit::SetEditValue(const Variant& Value)
{
    if (!IsMasked()) {
        TzqInplaceTextEdit::SetEditValue(Value);
        return;
    }
    const std::u32string value = Value.IsClear() ? std::u32string() : Utf8ToUtf32(Value.AsString());
    m_state.SetValue(value);
    TzqInplaceTextEdit::SetEditValue(Variant(m_state.TextUtf8()));
}

void TzqInplaceMaskEdit::GetEditValue(Variant& Value)
{
    if (!IsMasked()) {
        TzqInplaceTextEdit::GetEditValue(Value);
        return;
    }
    SyncFromWindow();
    Value = Variant(Utf32ToUtf8(m_state.Value()));
}

void TzqInplaceMaskEdit::GetDisplayValue(Variant& Value, bool IsPaintCopy)
{
    if (!IsMasked()) {
        TzqInplaceTextEdit::GetDisplayValue(Value, IsPaintCopy);
        return;
    }
    GetEditValue(Value);
}

bool TzqInplaceMaskEdit::HasDropCallback()
{
    return IsMasked();
}

void TzqInplaceMaskEdit::RestoreDefaults()
{
    TzqInplaceTextEdit::RestoreDefaults();
    SetEditMask(GetDefaultEditMask());
}

void TzqInplaceMaskEdit::ValidateEdit()
{
    if (!IsMasked() || !GetModified() || KeyLock() != 0) {
        RecheckCursor();
        TzqInplaceTextEdit::ValidateEdit();
        return;
    }
    SyncFromWindow();
    const int failing = m_state.FirstInvalidPosition();
    if (failing < 0) {
        m_maskState &= uint8_t(~msShowingError);
        RecheckCursor();
        TzqInplaceTextEdit::ValidateEdit();
        return;
    }
    m_maskState |= msShowingError;
    if (HandleAllocated() && IsWindowVisible(Handle()))
        ::SetFocus(Handle());
    m_state.SetCursor(failing);
    ShowState(false);
    MessageBeep(0);
    throw EzqEditInvalidInput(SzqMaskEditInvalidInput);
}

// ---- Keeping the state and the window in step ----

bool TzqInplaceMaskEdit::MayModify()
{
    return CanModify() && CanEditText();
}

bool TzqInplaceMaskEdit::TakeWindowText(int& Start, int& Length)
{
    const TEditBuffer& buffer = Engine().Buffer();
    if (buffer.Text() != m_state.Text())
        m_state.SetText(buffer.Text());
    Start = int(buffer.SelStart());
    Length = int(buffer.SelEnd() - buffer.SelStart());
    return Start != m_state.SelStart() || Length != m_state.SelLength();
}

void TzqInplaceMaskEdit::SyncFromWindow()
{
    if (!IsMasked())
        return;
    // A selection made by the mouse or by a command replaces the state's own.
    int start = 0, length = 0;
    if (TakeWindowText(start, length))
        m_state.SetSelection(start, length);
}

void TzqInplaceMaskEdit::ShowState(bool textChanged)
{
    const int start = m_state.SelStart(), length = m_state.SelLength(), cursor = m_state.Cursor();
    // The caret stays at the cursor: a one-position selection is made from its right
    // end, a wider one towards the cursor.
    size_t anchor = size_t(start + length), caret = size_t(start);
    if (cursor != start) {
        anchor = size_t(start);
        caret = size_t(start + length);
    }
    if (textChanged && Engine().Buffer().Text() != m_state.Text())
        Engine().ReplaceText(m_state.Text(), anchor, caret);
    else
        Perform(EM_SETSEL, WPARAM(anchor), LPARAM(caret));
}

void TzqInplaceMaskEdit::RecheckCursor()
{
    if (!IsMasked())
        return;
    int start = 0, length = 0;
    // Nothing moved the selection the state shows (a Shift range stays as it is).
    if (!TakeWindowText(start, length))
        return;
    if (length > 1) {
        m_state.SetSelection(start, length);
        return;
    }
    m_state.SetCursor(start);
    ShowState(false);
}

// ---- Keys ----

void TzqInplaceMaskEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    m_recheckAfterKey = false;
    TzqInplaceTextEdit::KeyDown(Key, Shift);
    m_keyHandled = Key == 0;
    if (Key == 0)
        return;
    SyncFromWindow();
    const TzqMaskKeyResult result = MaskEditKeyDown(m_state, Key, Shift, MayModify());
    switch (result.Action) {
    case TzqMaskKeyAction::PostPaste:
        if (HandleAllocated())
            PostMessage(Handle(), WM_PASTE);
        Key = 0;
        break;
    case TzqMaskKeyAction::Consumed:
        ShowState(result.Changed);
        Key = 0;
        break;
    case TzqMaskKeyAction::RecheckOnKeyUp:
        m_recheckOnKeyUp = true;
        break;
    case TzqMaskKeyAction::PassOn:
        m_recheckAfterKey = IsMasked();
        break;
    }
}

void TzqInplaceMaskEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    TzqInplaceTextEdit::KeyUp(Key, Shift);
    if (m_recheckOnKeyUp && (Key == VK_LEFT || Key == VK_RIGHT)) {
        m_recheckOnKeyUp = false;
        RecheckCursor();
    }
}

void TzqInplaceMaskEdit::KeyPress(char32_t& Key)
{
    TzqInplaceTextEdit::KeyPress(Key);
    if (!IsMasked() || Key == 0)
        return;
    // Ctrl+C, Ctrl+V and Ctrl+X keep their clipboard meaning (their keys act); every
    // other character is the mask's.
    if (Key == 3 || Key == 22 || Key == 24)
        return;
    if (Key >= 32 && MayModify()) {
        SyncFromWindow();
        if (m_state.Type(Key))
            ShowState(true);
        else
            MessageBeep(0);
    }
    Key = 0;
}

void TzqInplaceMaskEdit::WMSetFocus(TMessage& Message)
{
    TzqInplaceTextEdit::WMSetFocus(Message);
    RecheckCursor();
}

// ---- Messages ----

void TzqInplaceMaskEdit::WndProc(TMessage& Message)
{
    if (IsMasked() && HandleMaskedClipboard(Message))
        return;
    TzqInplaceTextEdit::WndProc(Message);
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (m_recheckAfterKey) {
            m_recheckAfterKey = false;
            RecheckCursor();
        }
        break;
    case WM_LBUTTONUP:
        if (IsMasked() && Engine().Buffer().SelStart() == Engine().Buffer().SelEnd())
            RecheckCursor();
        break;
    default:
        break;
    }
}

bool TzqInplaceMaskEdit::HandleMaskedClipboard(TMessage& Message)
{
    switch (Message.Msg) {
    case EM_REPLACESEL: {
        // Only a replacement that keeps every position where it is.
        const auto* text = reinterpret_cast<const std::string*>(Message.LParam);
        const size_t length = text ? Utf8ToUtf32(*text).size() : 0;
        const TEditBuffer& buffer = Engine().Buffer();
        if (length == buffer.SelEnd() - buffer.SelStart())
            return false;
        Message.Result = 0;
        return true;
    }
    case WM_CLEAR:
    case WM_CUT:
    case WM_PASTE:
        break;
    default:
        return false;
    }
    if (!MayModify())
        return false; // the base refuses them
    Message.Result = 0;
    SyncFromWindow();
    if (Message.Msg == WM_PASTE) {
        std::string clip;
        if (!OpenClipboardText(clip))
            return true;
        m_state.Paste(Utf8ToUtf32(clip));
        ShowState(true);
        SetModified(true);
        ValidateEdit();
        return true;
    }
    if (Message.Msg == WM_CUT) {
        const TEditBuffer& buffer = Engine().Buffer();
        if (PasswordChar() || !buffer.HasSelection())
            return true;
        SetClipboardText(Utf32ToUtf8(buffer.SelectedText()));
    }
    m_state.Delete();
    ShowState(true);
    SetModified(true);
    RecheckCursor();
    return true;
}
