#include "editors/InplaceTextEdit.h"

#include "editors/TextEditDrawing.h"
#include "platform/controls/PopupMenu.h"
#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/SystemServices.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

// The font's colour that asks for the automatic text colour besides the window-text
// colour itself.
constexpr TColor DefaultTextColorValue = 0x20000000;

std::string ToCase(const std::string& text, TEditCharCase charCase)
{
    switch (charCase) {
    case TEditCharCase::ecUpperCase: return Utf8ToUpper(text);
    case TEditCharCase::ecLowerCase: return Utf8ToLower(text);
    case TEditCharCase::ecNormal: break;
    }
    return text;
}

char32_t ToCase(char32_t ch, TEditCharCase charCase)
{
    if (charCase == TEditCharCase::ecNormal)
        return ch;
    const std::u32string converted = Utf8ToUtf32(ToCase(Utf32ToUtf8(ch), charCase));
    return converted.size() == 1 ? converted[0] : ch;
}

// Restores a flag however the scope ends.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~TFlagScope() { m_flag = m_old; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

} // namespace

// ---- The class ----

TzqInplaceEdit* TzqInplaceTextEditClass::Create(TComponent* AOwner) const
{
    return new TzqInplaceTextEdit(AOwner);
}

TzqEditViewDataClass TzqInplaceTextEditClass::GetViewDataClass() const
{
    return &NewViewDataOf<TzqTextEditViewData>;
}

bool TzqInplaceTextEditClass::DrawContent(HDC DC, const TRect& Rect, bool IsWindowPaint,
                                          TzqEditViewData& ViewData) const
{
    auto* data = dynamic_cast<TzqTextEditViewData*>(&ViewData);
    if (!data)
        return TzqInplaceEditClass::DrawContent(DC, Rect, IsWindowPaint, ViewData);
    return DrawTextEditContent(DC, Rect, IsWindowPaint, *data);
}

// ---- The editor ----

TzqInplaceTextEdit::TzqInplaceTextEdit(TComponent* AOwner) : TzqInplaceEdit(AOwner)
{
    m_controlStyle.include(TControlStyleFlag::csClickEvents);
    m_controlStyle.include(TControlStyleFlag::csDoubleClicks);
    m_controlStyle.include(TControlStyleFlag::csSetCaption);
    SetParentColor(false);
    SetCursor(crIBeam);
    // The editor selects on keyboard focus itself (not on a click).
    m_engine.SetAutoSelect(false);
}

TzqInplaceTextEdit::~TzqInplaceTextEdit() = default;

const TzqInplaceEditClass& TzqInplaceTextEdit::StaticClass()
{
    static const TzqInplaceTextEditClass instance;
    return instance;
}

const TzqInplaceEditClass& TzqInplaceTextEdit::EditClass() const
{
    return StaticClass();
}

std::string TzqInplaceTextEdit::WindowClassName() const
{
    return "TzqInplaceTextEdit";
}

// ---- Properties ----

void TzqInplaceTextEdit::SetCharCase(TEditCharCase Value)
{
    if (m_charCase == Value)
        return;
    m_charCase = Value;
    RecreateWnd();
    ApplyCharCase();
}

void TzqInplaceTextEdit::SetHideSelection(bool Value)
{
    if (m_hideSelection == Value)
        return;
    m_hideSelection = Value;
    RecreateWnd();
}

void TzqInplaceTextEdit::SetOEMConvert(bool Value)
{
    if (m_oemConvert == Value)
        return;
    m_oemConvert = Value;
    RecreateWnd();
}

void TzqInplaceTextEdit::SetPasswordChar(char32_t Value)
{
    if (m_passwordChar == Value)
        return;
    m_passwordChar = Value;
    m_engine.SetPasswordChar(Value);
    RecreateWnd();
}

void TzqInplaceTextEdit::SetSelectionBar(bool Value)
{
    if (m_selectionBar == Value)
        return;
    m_selectionBar = Value;
    m_engine.SetSelectionBar(Value);
    RecreateWnd();
}

void TzqInplaceTextEdit::SetMaxLength(int Value)
{
    Value = std::max(0, Value);
    if (m_maxLength == Value)
        return;
    m_maxLength = Value;
    SetWindowMaxLength(Value);
}

void TzqInplaceTextEdit::SetWindowMaxLength(int Value)
{
    if (HandleAllocated())
        Perform(EM_EXLIMITTEXT, 0, Value);
}

int TzqInplaceTextEdit::GetDefaultMaxLength()
{
    return 0;
}

// ---- Selection ----

int TzqInplaceTextEdit::GetSelLength()
{
    CHARRANGE range;
    Perform(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMax - range.cpMin;
}

int TzqInplaceTextEdit::GetSelStart()
{
    CHARRANGE range;
    Perform(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMin;
}

void TzqInplaceTextEdit::GetSelText(std::string& Text)
{
    Text.clear();
    Perform(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(&Text));
}

int TzqInplaceTextEdit::GetSelTextBuf(std::string& Buffer, int Size)
{
    std::string selected;
    GetSelText(selected);
    std::u32string chars = Utf8ToUtf32(selected);
    if (int(chars.size()) > std::max(0, Size))
        chars.resize(size_t(std::max(0, Size)));
    Buffer = Utf32ToUtf8(chars);
    return int(chars.size());
}

void TzqInplaceTextEdit::SetSelStart(int Value)
{
    Value = std::max(0, Value);
    Perform(EM_SETSEL, WPARAM(Value), Value);
}

void TzqInplaceTextEdit::SetSelLength(int Value)
{
    const int start = GetSelStart();
    Perform(EM_SETSEL, WPARAM(start), start + std::max(0, Value));
}

bool TzqInplaceTextEdit::HasDropCallback()
{
    return false;
}

void TzqInplaceTextEdit::SelectionChanged()
{
    if (OnSelectionChange)
        OnSelectionChange(this);
}

void TzqInplaceTextEdit::SelectAll()
{
    Perform(EM_SETSEL, 0, -1);
}

void TzqInplaceTextEdit::MoveCaretToEnd()
{
    const int length = int(m_engine.Buffer().Length());
    Perform(EM_SETSEL, WPARAM(length), length);
}

void TzqInplaceTextEdit::CutToClipboard()
{
    Perform(WM_CUT);
}

void TzqInplaceTextEdit::CopyToClipboard()
{
    Perform(WM_COPY);
}

void TzqInplaceTextEdit::PasteFromClipboard()
{
    Perform(WM_PASTE);
}

void TzqInplaceTextEdit::ClearSelection()
{
    Perform(WM_CLEAR);
}

void TzqInplaceTextEdit::Undo()
{
    Perform(EM_UNDO);
}

void TzqInplaceTextEdit::Redo()
{
    Perform(EM_REDO);
}

// ---- Value and Modified ----

void TzqInplaceTextEdit::SetEditValue(const Variant& Value)
{
    {
        TFlagScope loading(m_loadingValue);
        TzqInplaceEdit::SetEditValue(Value);
    }
    Perform(EM_EMPTYUNDOBUFFER);
}

bool TzqInplaceTextEdit::GetModified()
{
    if (HandleAllocated())
        return Perform(EM_GETMODIFY) != 0;
    return m_modifiedCopy;
}

void TzqInplaceTextEdit::SetModified(bool Value)
{
    if (HandleAllocated())
        Perform(EM_SETMODIFY, Value ? 1 : 0);
    else
        m_modifiedCopy = Value;
}

void TzqInplaceTextEdit::SetReadOnly(bool Value)
{
    TzqInplaceEdit::SetReadOnly(Value);
    m_engine.SetReadOnlyFlag(!CanEditText());
    if (HandleAllocated())
        Perform(EM_SETREADONLY, CanEditText() ? 0 : 1);
}

bool TzqInplaceTextEdit::IsNativeEdit()
{
    return true;
}

void TzqInplaceTextEdit::RestoreDefaults()
{
    TzqInplaceEdit::RestoreDefaults();
    SetMaxLength(GetDefaultMaxLength());
}

void TzqInplaceTextEdit::ApplyCharCase()
{
    if (m_charCase == TEditCharCase::ecNormal)
        return;
    const std::string text = GetText();
    const std::string converted = ToCase(text, m_charCase);
    if (converted == text)
        return;
    TFlagScope applying(m_applyingCase);
    const TEditBuffer& buffer = m_engine.Buffer();
    const size_t anchor = buffer.Anchor(), caret = buffer.Caret();
    const bool modified = GetModified();
    m_engine.LoadText(converted);
    SetModified(modified);
    Perform(EM_SETSEL, WPARAM(anchor), LPARAM(caret));
}

std::string TzqInplaceTextEdit::GetText() const
{
    // An editor without an edit window keeps its text as any control does.
    if (!const_cast<TzqInplaceTextEdit*>(this)->IsNativeEdit())
        return TzqInplaceEdit::GetText();
    return m_engine.Buffer().TextUtf8();
}

void TzqInplaceTextEdit::TextChanged()
{
    if (!IsNativeEdit()) {
        TzqInplaceEdit::TextChanged();
        return;
    }
    m_engine.LoadText(m_text);
}

void TzqInplaceTextEdit::EditChanged()
{
    if (ComponentState().contains(TComponentStateFlag::csLoading) || m_applyingCase)
        return;
    ApplyCharCase();
    if (!m_creatingWindow && !m_loadingValue)
        Change();
}

// ---- The window ----

void TzqInplaceTextEdit::CreateParams(TCreateParams& Params)
{
    TzqInplaceEdit::CreateParams(Params);
    if (!IsNativeEdit()) {
        Params.WinClassName = WindowClassName() + "NoEdit";
        return;
    }
    Params.WinClassName = WindowClassName();
    Params.WindowClassCursor = IDC_IBEAM;
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (!CanEditText())
        Params.Style |= ES_READONLY;
    if (m_passwordChar)
        Params.Style |= ES_PASSWORD;
    if (m_charCase == TEditCharCase::ecUpperCase)
        Params.Style |= ES_UPPERCASE;
    else if (m_charCase == TEditCharCase::ecLowerCase)
        Params.Style |= ES_LOWERCASE;
    if (!m_hideSelection)
        Params.Style |= ES_NOHIDESEL;
    if (m_oemConvert)
        Params.Style |= ES_OEMCONVERT;
    if (Alignment() == TAlignment::taRightJustify)
        Params.Style |= ES_RIGHT;
    else if (Alignment() == TAlignment::taCenter)
        Params.Style |= ES_CENTER;
    if (m_selectionBar)
        Params.Style |= ES_SELECTIONBAR;
}

void TzqInplaceTextEdit::WindowCreated()
{
    if (IsNativeEdit()) {
        m_engine.WindowCreated();
        TFlagScope creating(m_creatingWindow);
        // The text goes out and back in, without a change notice.
        const std::string text = GetText();
        m_engine.LoadText(std::string());
        m_engine.LoadText(text);
        SetWindowMaxLength(m_maxLength);
        Perform(EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_DRAGDROPDONE);
        ApplyTextColor();
        if (m_passwordChar)
            Perform(EM_SETPASSWORDCHAR, m_passwordChar);
        Perform(EM_SETMODIFY, m_modifiedCopy ? 1 : 0);
    }
    TzqInplaceEdit::WindowCreated();
    if (IsNativeEdit())
        UpdateFormattingRect();
}

void TzqInplaceTextEdit::DestroyWnd()
{
    if (HandleAllocated() && IsNativeEdit())
        m_modifiedCopy = Perform(EM_GETMODIFY) != 0;
    TzqInplaceEdit::DestroyWnd();
}

void TzqInplaceTextEdit::UpdateFormattingRect()
{
    if (!HandleAllocated())
        return;
    const TRect rect = TextEditFormatRect(ClientRect(), (m_engine.EditStyle() & ES_SELECTIONBAR) != 0, Alignment(),
                                          TextOffsets());
    Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
}

void TzqInplaceTextEdit::ApplyTextColor()
{
    // The window-text colour, or the default colour value, asks for the automatic
    // colour; any other font colour is used as it is.
    const TColor color = Font()->Color();
    m_engine.SetTextColor(color == clWindowText || color == DefaultTextColorValue ? clWindowText : ColorToRGB(color));
}

void TzqInplaceTextEdit::FontChanged()
{
    m_engine.FontChanged();
    TzqInplaceEdit::FontChanged();
    ApplyTextColor();
    m_engine.Resized();
}

void TzqInplaceTextEdit::ColorChanged()
{
    TzqInplaceEdit::ColorChanged();
    Invalidate();
}

void TzqInplaceTextEdit::PaintWindow(HDC DC)
{
    if (!IsNativeEdit() || !DC) {
        TzqInplaceEdit::PaintWindow(DC);
        return;
    }
    m_engine.Paint(*DC);
}

std::unique_ptr<TzqEditViewData> TzqInplaceTextEdit::CreateViewData(bool IsPaintCopy)
{
    std::unique_ptr<TzqEditViewData> data = TzqInplaceEdit::CreateViewData(IsPaintCopy);
    if (auto* text = dynamic_cast<TzqTextEditViewData*>(data.get())) {
        text->CharCase = m_charCase;
        text->PasswordChar = m_passwordChar;
        text->SelectionBar = m_selectionBar;
    }
    return data;
}

// ---- Messages ----

void TzqInplaceTextEdit::DefaultHandler(TMessage& Message)
{
    if (IsNativeEdit())
        m_engine.WindowProc(Message);
    else
        TzqInplaceEdit::DefaultHandler(Message);
}

void TzqInplaceTextEdit::WndProc(TMessage& Message)
{
    if (!IsNativeEdit()) {
        TzqInplaceEdit::WndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case CN_NOTIFY:
        if (const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
            header && header->code == EN_SELCHANGE && HandleAllocated() && header->hwndFrom == Handle() &&
            !ComponentState().contains(TComponentStateFlag::csLoading))
            SelectionChanged();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        HandleButtonDown(Message);
        break;
    case WM_RBUTTONUP: {
        // The edit window never sees the release: the context menu is asked for at the
        // release point instead.
        HandleMouseMessage(Message);
        const TPoint screen = ClientToScreen(PointFromLParam(Message.LParam));
        if (HandleAllocated())
            PostMessage(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), MakeLParam(screen.X, screen.Y));
        break;
    }
    case WM_CONTEXTMENU:
        ShowContextMenu(Message);
        break;
    case WM_SETTEXT:
        TzqInplaceEdit::WndProc(Message);
        SetWindowMaxLength(m_maxLength);
        break;
    case WM_SIZE:
        TzqInplaceEdit::WndProc(Message);
        UpdateFormattingRect();
        break;
    case WM_SYSCOLORCHANGE:
        TzqInplaceEdit::WndProc(Message);
        Invalidate();
        break;
    default:
        TzqInplaceEdit::WndProc(Message);
        break;
    }
    m_engine.CheckSelectionChange();
}

void TzqInplaceTextEdit::HandleButtonDown(TMessage& Message)
{
    const bool hadFocus = IsFocused();
    TzqInplaceEdit::WndProc(Message);
    if (hadFocus || ComponentState().contains(TComponentStateFlag::csDesigning) || Dragging() ||
        !HandleAllocated() || GetCapture() != Handle())
        return;
    // The press only gave the focus: the capture the window took is let go, so that
    // moving the pointer selects nothing.
    ReleaseCapture();
    if (Message.Msg == WM_MBUTTONDOWN)
        PostMessage(Handle(), WM_MBUTTONUP, Message.WParam, Message.LParam);
}

void TzqInplaceTextEdit::WMSetFocus(TMessage& Message)
{
    TzqInplaceEdit::WMSetFocus(Message);
    // The whole text is selected when the focus comes by keyboard, not by a click.
    if (m_autoSelect && GetKeyState(VK_LBUTTON) >= 0)
        SelectAll();
}

void TzqInplaceTextEdit::KeyPress(char32_t& Key)
{
    TzqInplaceEdit::KeyPress(Key);
    if (Key >= 32)
        Key = ToCase(Key, m_charCase);
}

// ---- Context menu ----

TzqTextEditMenuState TzqInplaceTextEdit::MenuState()
{
    TzqTextEditMenuState state;
    state.WindowExists = HandleAllocated();
    state.CanUndo = Perform(EM_CANUNDO) != 0;
    state.CanRedo = Perform(EM_CANREDO) != 0;
    state.SelLength = GetSelLength();
    state.TextLength = int(m_engine.Buffer().Length());
    state.CanEditText = CanEditText();
    state.HasPasswordChar = m_passwordChar != 0;
    state.CanPaste = state.WindowExists && Perform(EM_CANPASTE) != 0;
    return state;
}

void TzqInplaceTextEdit::ShowContextMenu(TMessage& Message)
{
    const bool keyboard = IsKeyboardContextMenu(Message.LParam);
    const TPoint at = keyboard ? KeyboardContextPoint() : ScreenToClient(PointFromLParam(Message.LParam));
    if (DoContextPopup(at)) {
        Message.Result = 1;
        return;
    }
    for (TControl* control = this; control; control = control->Parent())
        if (control->PopupMenu()) {
            TWinControl::DefaultHandler(Message);
            return;
        }
    TPoint client;
    if (keyboard) {
        const TPoint caret = m_engine.CaretPoint();
        client = TPoint(std::clamp(caret.X, 0, std::max(0, ClientWidth())), caret.Y);
    } else {
        client = at;
        if (!ClientRect().Contains(client))
            return;
    }
    if (!m_contextMenu) {
        m_contextMenu = new TPopupMenu(this);
        for (const TzqTextEditMenuItem& entry : TextEditMenuItems) {
            TzqTextEditCommand command = entry.Command;
            TMenuItem* item = m_contextMenu->AddItem(entry.Caption, scNone,
                                                     [this, command](TObject*) { DoMenuCommand(command); });
            item->SetTag(command);
        }
    }
    const TzqTextEditMenuState state = MenuState();
    for (int i = 0; i < m_contextMenu->Count(); ++i) {
        TMenuItem* item = m_contextMenu->Items(i);
        item->SetEnabled(TextEditMenuEnabled(TzqTextEditCommand(item->Tag()), state));
    }
    const TPoint screen = ClientToScreen(client);
    m_contextMenu->SetPopupComponent(this);
    Message.Result = 1;
    m_contextMenu->Popup(screen.X, screen.Y);
}

void TzqInplaceTextEdit::DoMenuCommand(TzqTextEditCommand Command)
{
    switch (Command) {
    case tecUndo: Undo(); break;
    case tecRedo: Redo(); break;
    case tecCut: CutToClipboard(); break;
    case tecCopy: CopyToClipboard(); break;
    case tecPaste: PasteFromClipboard(); break;
    case tecDelete: ClearSelection(); break;
    case tecSelectAll: SelectAll(); break;
    case tecNone: break;
    }
}
