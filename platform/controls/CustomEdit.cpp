#include "platform/controls/CustomEdit.h"

#include "platform/controls/PopupList.h"

#include "platform/core/Utf8.h"
#include "platform/window/WinApi.h"

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetCursor(crIBeam);
    m_controlStyle.include(TControlStyleFlag::csOpaque);
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WinClassName = "TEdit";
    Params.WindowClassCursor = IDC_IBEAM;
    if (m_borderStyle == TBorderStyle::bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
    if (IsMultiLine()) {
        Params.Style |= ES_MULTILINE;
        if (!WordWrapWanted())
            Params.Style |= ES_AUTOHSCROLL;
        if (WantReturns())
            Params.Style |= ES_WANTRETURN;
    } else {
        Params.Style |= ES_AUTOHSCROLL;
    }
    if (m_alignment == TAlignment::taCenter)
        Params.Style |= ES_CENTER;
    else if (m_alignment == TAlignment::taRightJustify)
        Params.Style |= ES_RIGHT;
    if (m_charCase == TEditCharCase::ecUpperCase)
        Params.Style |= ES_UPPERCASE;
    else if (m_charCase == TEditCharCase::ecLowerCase)
        Params.Style |= ES_LOWERCASE;
    if (m_engine.ReadOnly())
        Params.Style |= ES_READONLY;
    if (m_engine.PasswordChar())
        Params.Style |= ES_PASSWORD;
    if (!m_hideSelection)
        Params.Style |= ES_NOHIDESEL;
}

void TCustomEdit::WindowCreated()
{
    m_engine.WindowCreated();
}

void TCustomEdit::SetMaxLength(int value)
{
    m_engine.SetMaxLength(value);
}

void TCustomEdit::SetReadOnly(bool value)
{
    if (value == m_engine.ReadOnly())
        return;
    m_engine.SetReadOnlyFlag(value);
    if (HandleAllocated())
        Perform(EM_SETREADONLY, value ? 1 : 0);
}

void TCustomEdit::SetPasswordChar(char32_t value)
{
    m_engine.SetPasswordChar(value);
}

void TCustomEdit::SetCharCase(TEditCharCase value)
{
    if (value == m_charCase)
        return;
    m_charCase = value;
    RecreateWnd();
    // Text already there follows the new case.
    if (value != TEditCharCase::ecNormal) {
        const std::string t = GetText();
        SetText(value == TEditCharCase::ecUpperCase ? Utf8ToUpper(t) : Utf8ToLower(t));
    }
    m_engine.Buffer().SetCharCase(value);
}

void TCustomEdit::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value)
{
    if (value == m_hideSelection)
        return;
    m_hideSelection = value;
    RecreateWnd();
}

bool TCustomEdit::Modified() const
{
    return m_engine.Buffer().Modified();
}

void TCustomEdit::SetModified(bool value)
{
    m_engine.Buffer().SetModified(value);
}

int TCustomEdit::SelStart() const
{
    return static_cast<int>(m_engine.Buffer().SelStart());
}

void TCustomEdit::SetSelStart(int value)
{
    Perform(EM_SETSEL, static_cast<WPARAM>(std::max(0, value)), std::max(0, value));
}

int TCustomEdit::SelLength() const
{
    return static_cast<int>(m_engine.Buffer().SelEnd() - m_engine.Buffer().SelStart());
}

void TCustomEdit::SetSelLength(int value)
{
    const int start = SelStart();
    Perform(EM_SETSEL, static_cast<WPARAM>(start), start + std::max(0, value));
}

std::string TCustomEdit::SelText() const
{
    return Utf32ToUtf8(m_engine.Buffer().SelectedText());
}

void TCustomEdit::SetSelText(const std::string& value)
{
    Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(&value));
}

void TCustomEdit::SelectAll()
{
    Perform(EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection()
{
    Perform(WM_CLEAR);
}

void TCustomEdit::CutToClipboard()
{
    Perform(WM_CUT);
}

void TCustomEdit::CopyToClipboard()
{
    Perform(WM_COPY);
}

void TCustomEdit::PasteFromClipboard()
{
    Perform(WM_PASTE);
}

bool TCustomEdit::CanUndo() const
{
    return m_engine.Buffer().CanUndo();
}

void TCustomEdit::Undo()
{
    Perform(EM_UNDO);
}

void TCustomEdit::ClearUndo()
{
    Perform(EM_EMPTYUNDOBUFFER);
}

int TCustomEdit::LineCount()
{
    return m_engine.LineCount();
}

std::string TCustomEdit::LineText(int index)
{
    return m_engine.LineText(index);
}

std::string TCustomEdit::GetText() const
{
    return m_engine.Buffer().TextUtf8();
}

void TCustomEdit::TextChanged()
{
    m_engine.LoadText(m_text);
}

void TCustomEdit::FontChanged()
{
    m_engine.FontChanged();
    TCustomControl::FontChanged();
    m_engine.Resized();
}

void TCustomEdit::Resize()
{
    m_engine.Resized();
    TCustomControl::Resize();
    m_engine.Resized();
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::SelectionChange()
{
    if (OnSelectionChange)
        OnSelectionChange(this);
}

void TCustomEdit::Paint()
{
    m_engine.Paint(*Canvas());
}

void TCustomEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY:
        if (const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
            header && header->code == EN_SELCHANGE && HandleAllocated() && header->hwndFrom == Handle())
            SelectionChange();
        break;
    case WM_SETCURSOR:
        // Over the selection bar the edit's arrow wins over the control's cursor.
        if (!m_engine.SetBarCursor(Message))
            TCustomControl::WndProc(Message);
        break;
    case WM_ERASEBKGND:
        Message.Result = 1;
        break;
    case WM_CONTEXTMENU: {
        // OnContextPopup and the popup menu come first; a popup menu of a parent shows
        // instead of the edit's own one (the parent is asked).
        const TPoint at = ContextMenuPoint(Message);
        if (Message.Result == 0 && DoContextPopup(at)) {
            Message.Result = 1;
            break;
        }
        for (TControl* parent = Parent(); parent; parent = parent->Parent())
            if (parent->PopupMenu()) {
                TWinControl::DefaultHandler(Message);
                return;
            }
        m_engine.WindowProc(Message);
        break;
    }
    default:
        TCustomControl::WndProc(Message);
        break;
    }
    // Whatever the message did to the selection is reported once it is handled.
    m_engine.CheckSelectionChange();
}

void TCustomEdit::DefaultHandler(TMessage& Message)
{
    m_engine.WindowProc(Message);
}

TPoint TCustomEdit::KeyboardContextPoint()
{
    return m_engine.KeyboardContextPoint();
}

TPopupList* TCustomEdit::EditMenu()
{
    return m_engine.EditMenu();
}

void TCustomEdit::ShowEditMenu(TPoint screenPt)
{
    m_engine.ShowEditMenu(screenPt);
}

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner)
{
    SetBounds(0, 0, 185, 89);
    SetAutoSelect(false);
}

void TMemo::SetWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    RecreateWnd();
}
