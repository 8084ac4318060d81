#include "platform/controls/ComboBox.h"

#include "platform/controls/CustomEdit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/TextMeasure.h"
#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <algorithm>

// ---- The edit of a csDropDown box ----

class TComboEdit : public TEdit {
public:
    TComboEdit(TComboBox* combo) : TEdit(combo), m_combo(combo)
    {
        SetBorderStyle(TBorderStyle::bsNone);
        SetParentColor(true);
    }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override
    {
        TEdit::KeyDown(Key, Shift);
        if (Key && m_combo->HandleKey(Key, Shift))
            Key = 0;
    }
    void Change() override
    {
        TEdit::Change();
        m_combo->EditTextChanged();
    }
    void WndProc(TMessage& Message) override
    {
        switch (Message.Msg) {
        case CM_WANTSPECIALKEY:
            // Enter and Esc belong to an open list, not to the dialog's buttons.
            if ((Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) && m_combo->DroppedDown()) {
                Message.Result = 1;
                return;
            }
            break;
        case WM_KILLFOCUS:
            TEdit::WndProc(Message);
            m_combo->CloseUp(false);
            return;
        default:
            break;
        }
        TEdit::WndProc(Message);
    }

private:
    TComboBox* m_combo;
};

// ---- The drop-down list: a popup list box that holds the mouse while open ----

class TComboDropDown : public TCustomListBox {
public:
    TComboDropDown(TComboBox* combo) : TCustomListBox(combo), m_combo(combo)
    {
        SetVisible(false);
        SetTabStop(false);
        SetParentFont(false);
        m_controlStyle.exclude(TControlStyleFlag::csCaptureMouse);
        m_controlStyle.exclude(TControlStyleFlag::csDoubleClicks);
    }

    bool IsOpen() const { return m_open; }

    void Open(const TRect& screenRect)
    {
        SetBounds(screenRect.Left, screenRect.Top, screenRect.Width(), screenRect.Height());
        HandleNeeded();
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_open = true;
        m_pressedInside = false;
        SetVisible(true);
        MakeVisible(ItemIndex());
        SetCapture(Handle());
    }

    void Close()
    {
        if (!m_open)
            return;
        m_open = false;
        if (HandleAllocated() && GetCapture() == Handle())
            ReleaseCapture();
        SetVisible(false);
    }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TCustomListBox::CreateParams(Params);
        Params.Style = WS_POPUP | WS_BORDER | WS_VSCROLL | WS_CLIPSIBLINGS;
        Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
        Params.WinClassName = "TComboDropDown";
        Params.WndParent = m_combo->HandleAllocated() ? GetAncestorTopLevel(m_combo->Handle()) : nullptr;
    }
    // The list follows the pointer; a release over an item chooses it. A press
    // outside closes the list and is spent on that.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        if (!ClientRect().Contains(X, Y)) {
            m_combo->CloseUp(false);
            return;
        }
        m_pressedInside = true;
        Track(X, Y);
    }
    void MouseMove(TShiftState Shift, int X, int Y) override
    {
        if (ClientRect().Contains(X, Y))
            Track(X, Y);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        if (Button != TMouseButton::mbLeft || !ClientRect().Contains(X, Y))
            return;
        if (ItemAtPos({X, Y}, true) >= 0)
            m_combo->CloseUp(true);
    }
    void WndProc(TMessage& Message) override
    {
        switch (Message.Msg) {
        case WM_MOUSEACTIVATE:
            Message.Result = MA_NOACTIVATE;
            return;
        case WM_CAPTURECHANGED:
            TCustomListBox::WndProc(Message);
            if (m_open && GetCapture() != Handle())
                m_combo->CloseUp(false);
            return;
        case WM_CANCELMODE:
            m_combo->CloseUp(false);
            return;
        default:
            TCustomListBox::WndProc(Message);
            return;
        }
    }

private:
    void Track(int X, int Y)
    {
        const int index = ItemAtPos({X, Y}, true);
        if (index >= 0 && index != ItemIndex())
            SetItemIndex(index);
    }
    TComboBox* m_combo;
    bool m_open = false;
    bool m_pressedInside = false;
};

// ---- The combo box ----

TComboBox::TComboBox(TComponent* AOwner) : TCustomControl(AOwner), m_items(std::make_unique<TStringList>())
{
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    m_controlStyle.exclude(TControlStyleFlag::csCaptureMouse);
    m_controlStyle.exclude(TControlStyleFlag::csClickEvents);
    m_controlStyle.exclude(TControlStyleFlag::csDoubleClicks);
    m_items->OnChange = [this](TObject*) { ItemsChanged(); };
    m_edit = new TComboEdit(this);
    m_edit->SetParent(this);
    m_list = new TComboDropDown(this);
    UpdateTabStops();
    SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox()
{
    // An open list lets go of the mouse now, while the box can still hear about it.
    if (m_list)
        m_list->Close();
    BeforeDestruction();
    m_items->OnChange = nullptr;
}

void TComboBox::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WinClassName = "TComboBox";
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TComboBox::WindowCreated()
{
    TCustomControl::WindowCreated();
    PlaceEdit();
}

int TComboBox::FixedHeight() const
{
    // The text, a few pixels of air and the 3D edge.
    return FontLineHeight(*Font()) + 8;
}

void TComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, AWidth, FixedHeight());
}

void TComboBox::FontChanged()
{
    TCustomControl::FontChanged();
    SetBounds(Left(), Top(), Width(), Height());
    PlaceEdit();
}

void TComboBox::Resize()
{
    TCustomControl::Resize();
    PlaceEdit();
}

void TComboBox::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    if (m_edit)
        m_edit->SetEnabled(Enabled());
    if (!Enabled())
        CloseUp(false);
}

TRect TComboBox::ButtonRect() const
{
    const TRect client = ClientRect();
    const int w = std::min(GetSystemMetrics(SM_CXVSCROLL), client.Width());
    return TRect(client.Right - w, client.Top, client.Right, client.Bottom);
}

void TComboBox::PlaceEdit()
{
    if (!m_edit)
        return;
    const TRect client = ClientRect();
    const TRect button = ButtonRect();
    const int textH = FontLineHeight(*Font());
    const int top = std::max(0, (client.Height() - textH) / 2);
    m_edit->SetBounds(1, top, std::max(0, button.Left - 1), std::min(client.Height() - top, textH + 2));
    m_edit->SetVisible(m_style == TComboBoxStyle::csDropDown);
}

void TComboBox::SetStyle(TComboBoxStyle value)
{
    if (value == m_style)
        return;
    const std::string text = GetText();
    m_style = value;
    m_settingText = true;
    if (value == TComboBoxStyle::csDropDown)
        m_edit->SetText(text);
    m_settingText = false;
    if (value == TComboBoxStyle::csDropDownList)
        m_listText = m_itemIndex >= 0 ? m_items->Strings(m_itemIndex) : std::string();
    PlaceEdit();
    UpdateTabStops();
    Invalidate();
}

void TComboBox::UpdateTabStops()
{
    // Tab goes straight to the edit of a box that has one; the box itself would only
    // hand the focus on (and trap Shift+Tab coming back from the edit).
    const bool hasEdit = m_style == TComboBoxStyle::csDropDown;
    m_edit->SetTabStop(hasEdit);
    SetTabStop(!hasEdit);
}

void TComboBox::SetSorted(bool value)
{
    m_items->SetSorted(value);
}

void TComboBox::SetDropDownCount(int value)
{
    m_dropDownCount = std::max(1, value);
}

void TComboBox::SetMaxLength(int value)
{
    m_maxLength = std::max(0, value);
    m_edit->SetMaxLength(m_maxLength);
}

void TComboBox::SelectAll()
{
    if (m_style == TComboBoxStyle::csDropDown)
        m_edit->SelectAll();
}

TCustomEdit* TComboBox::EditControl() const
{
    return m_style == TComboBoxStyle::csDropDown ? m_edit : nullptr;
}

TCustomListBox* TComboBox::ListControl() const
{
    return m_list;
}

std::string TComboBox::GetText() const
{
    if (m_style == TComboBoxStyle::csDropDown && m_edit)
        return m_edit->Text();
    return m_listText;
}

void TComboBox::TextChanged()
{
    // The program's text: an item with that text becomes the selection. A list box
    // can show nothing but its items.
    const int index = m_items->IndexOf(m_text);
    m_itemIndex = index;
    if (m_style == TComboBoxStyle::csDropDown) {
        m_settingText = true;
        m_edit->SetText(m_text);
        m_settingText = false;
    } else {
        m_listText = index >= 0 ? m_items->Strings(index) : std::string();
    }
    Invalidate();
}

void TComboBox::ShowItemText()
{
    const std::string text = m_itemIndex >= 0 ? m_items->Strings(m_itemIndex) : std::string();
    m_text = text;
    if (m_style == TComboBoxStyle::csDropDown) {
        m_settingText = true;
        m_edit->SetText(text);
        m_settingText = false;
        if (m_edit->Focused())
            m_edit->SelectAll();
    } else {
        m_listText = text;
    }
    Invalidate();
}

void TComboBox::SetItemIndex(int value)
{
    if (value < -1 || value >= m_items->Count())
        value = -1;
    m_itemIndex = value;
    ShowItemText();
}

void TComboBox::ItemsChanged()
{
    // The selection stays with its text when the items move, and goes when it is gone.
    const std::string text = GetText();
    if (m_itemIndex >= m_items->Count() || (m_itemIndex >= 0 && m_items->Strings(m_itemIndex) != text))
        m_itemIndex = m_items->IndexOf(text);
    if (m_style == TComboBoxStyle::csDropDownList && m_itemIndex < 0)
        m_listText.clear();
    if (DroppedDown())
        CloseUp(false);
    Invalidate();
}

void TComboBox::EditTextChanged()
{
    if (m_settingText)
        return;
    m_text = m_edit->Text();
    m_itemIndex = m_items->IndexOf(m_text);
    if (OnChange)
        OnChange(this);
}

void TComboBox::SelectByUser(int index)
{
    if (index < 0 || index >= m_items->Count())
        return;
    const bool changed = index != m_itemIndex || GetText() != m_items->Strings(index);
    m_itemIndex = index;
    ShowItemText();
    if (!changed)
        return;
    if (OnChange)
        OnChange(this);
    if (OnSelect)
        OnSelect(this);
}

bool TComboBox::DroppedDown() const
{
    return m_list && m_list->IsOpen();
}

void TComboBox::SetDroppedDown(bool value)
{
    if (value == DroppedDown())
        return;
    if (value)
        DropDown();
    else
        CloseUp(false);
}

void TComboBox::DropDown()
{
    if (DroppedDown() || !Enabled())
        return;
    if (OnDropDown)
        OnDropDown(this);
    m_list->SetFont(*Font());
    m_list->SetItems(*m_items);
    m_list->SetItemIndex(m_itemIndex);
    const int rows = std::clamp(m_items->Count(), 1, m_dropDownCount);
    const int height = rows * m_list->ItemHeight() + 2;
    // Below the box, or above it when the screen ends first.
    const TRect box = WindowRect(Handle());
    const TRect screen = GetWorkArea();
    int top = box.Bottom;
    if (top + height > screen.Bottom && box.Top - height >= screen.Top)
        top = box.Top - height;
    m_list->Open(TRect::FromSize(box.Left, top, box.Width(), height));
    Invalidate();
}

void TComboBox::CloseUp(bool accept)
{
    if (!DroppedDown())
        return;
    const int chosen = m_list->ItemIndex();
    m_list->Close();
    Invalidate();
    if (accept)
        SelectByUser(chosen);
    if (OnCloseUp)
        OnCloseUp(this);
}

bool TComboBox::HandleKey(WORD key, TShiftState shift)
{
    const bool alt = shift.contains(TShiftStateFlag::ssAlt);
    if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
        SetDroppedDown(!DroppedDown());
        return true;
    }
    if (DroppedDown()) {
        switch (key) {
        case VK_RETURN:
            CloseUp(true);
            return true;
        case VK_ESCAPE:
            CloseUp(false);
            return true;
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT: {
            // The open list moves its highlight; the choice waits for Enter or a click.
            WORD k = key;
            m_list->Perform(WM_KEYDOWN, k, 0);
            return true;
        }
        default:
            return false;
        }
    }
    const int count = m_items->Count();
    if (count == 0)
        return false;
    const int page = std::max(1, m_dropDownCount - 1);
    int target;
    switch (key) {
    case VK_UP:
        target = m_itemIndex - 1;
        break;
    case VK_DOWN:
        target = m_itemIndex + 1;
        break;
    case VK_PRIOR:
        target = m_itemIndex - page;
        break;
    case VK_NEXT:
        target = m_itemIndex + page;
        break;
    case VK_HOME:
        // In the edit Home and End move the caret.
        if (m_style == TComboBoxStyle::csDropDown)
            return false;
        target = 0;
        break;
    case VK_END:
        if (m_style == TComboBoxStyle::csDropDown)
            return false;
        target = count - 1;
        break;
    default:
        return false;
    }
    SelectByUser(std::clamp(target, 0, count - 1));
    return true;
}

void TComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key && HandleKey(Key, Shift))
        Key = 0;
}

void TComboBox::KeyPress(char32_t& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key < 0x20 || m_style != TComboBoxStyle::csDropDownList || m_items->Count() == 0)
        return;
    const char32_t wanted = ToLowerChar(Key);
    const int count = m_items->Count();
    const int from = DroppedDown() ? m_list->ItemIndex() : m_itemIndex;
    for (int step = 1; step <= count; ++step) {
        const int i = (std::max(from, -1) + step) % count;
        const std::u32string text = Utf8ToUtf32(m_items->Strings(i));
        if (!text.empty() && ToLowerChar(text[0]) == wanted) {
            if (DroppedDown())
                m_list->SetItemIndex(i);
            else
                SelectByUser(i);
            break;
        }
    }
    Key = 0;
}

void TComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !Enabled())
        return;
    TWinControl* focusTarget = m_style == TComboBoxStyle::csDropDown ? static_cast<TWinControl*>(m_edit) : this;
    if (focusTarget->CanFocus() && !focusTarget->Focused())
        focusTarget->SetFocus();
    if (m_style == TComboBoxStyle::csDropDownList || ButtonRect().Contains(X, Y))
        SetDroppedDown(!DroppedDown());
}

void TComboBox::Paint()
{
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    TRect button = ButtonRect();
    FillRectColor(c, TRect(client.Left, client.Top, button.Left, client.Bottom), Enabled() ? Color() : clBtnFace);
    unsigned state = DFCS_SCROLLCOMBOBOX;
    if (DroppedDown())
        state |= DFCS_PUSHED | DFCS_FLAT;
    if (!Enabled())
        state |= DFCS_INACTIVE;
    c->DrawFrameControl(button, DFC_SCROLL, state);
    if (m_style != TComboBoxStyle::csDropDownList)
        return;
    // The chosen item, on the highlight while the box has the focus.
    TRect text(client.Left + 1, client.Top + 1, button.Left - 1, client.Bottom - 1);
    c->Font()->Assign(*Font());
    c->SetBkMode(TRANSPARENT);
    const bool focused = Focused() && !DroppedDown();
    if (focused) {
        FillRectColor(c, text, clHighlight);
        c->Font()->SetColor(clHighlightText);
    } else if (!Enabled()) {
        c->Font()->SetColor(clGrayText);
    }
    TRect t = text;
    t.Left += 2;
    c->DrawText(m_listText, t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (focused) {
        c->SetTextColor(clBlack);
        c->SetBkColor(clWhite);
        c->DrawFocusRect(text);
    }
}

void TComboBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case CM_WANTSPECIALKEY:
        if ((Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) && DroppedDown()) {
            Message.Result = 1;
            return;
        }
        break;
    case WM_SETFOCUS:
        TCustomControl::WndProc(Message);
        // The edit takes the focus for a box with one.
        if (m_style == TComboBoxStyle::csDropDown && m_edit->CanFocus())
            m_edit->SetFocus();
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        CloseUp(false);
        Invalidate();
        return;
    case WM_MOUSEWHEEL:
        if (DroppedDown()) {
            Message.Result = m_list->Perform(WM_MOUSEWHEEL, Message.WParam, Message.LParam);
            return;
        }
        break;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}
