#include "editors/InplaceCheckEdit.h"

#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

namespace {

int StateOf(const std::string& text)
{
    if (text == "1")
        return zqcbChecked;
    if (text == "2")
        return zqcbGrayed;
    return zqcbUnchecked;
}

} // namespace

// ---- The class ----

TzqInplaceEdit* TzqInplaceCheckEditClass::Create(TComponent* AOwner) const
{
    return new TzqInplaceCheckEdit(AOwner);
}

TzqEditViewDataClass TzqInplaceCheckEditClass::GetViewDataClass() const
{
    return &NewViewDataOf<TzqCheckEditViewData>;
}

TRect TzqInplaceCheckEditClass::BoxRect(const TRect& Cell, TAlignment Alignment)
{
    int left = Cell.Left + 2;
    if (Alignment == TAlignment::taCenter)
        left = Cell.Left + (Cell.Width() - BoxSize) / 2;
    else if (Alignment == TAlignment::taRightJustify)
        left = Cell.Right - 2 - BoxSize;
    const int top = Cell.Top + (Cell.Height() - BoxSize) / 2;
    return TRect(left, top, left + BoxSize, top + BoxSize);
}

bool TzqInplaceCheckEditClass::DrawContent(HDC DC, const TRect& Rect, bool IsWindowPaint,
                                           TzqEditViewData& ViewData) const
{
    TzqInplaceEditClass::DrawContent(DC, Rect, IsWindowPaint, ViewData);
    const auto* data = dynamic_cast<const TzqCheckEditViewData*>(&ViewData);
    if (!DC || !data)
        return true;
    unsigned state = DFCS_BUTTONCHECK;
    int shown = data->State;
    if (data->IsNull)
        shown = data->ShowNullFieldStyle == TzqShowNullFieldStyle::nsGrayedChecked ? zqcbGrayed : zqcbUnchecked;
    if (shown == zqcbChecked)
        state |= DFCS_CHECKED;
    else if (shown == zqcbGrayed)
        state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (data->IsNull && data->ShowNullFieldStyle == TzqShowNullFieldStyle::nsInactive)
        state |= DFCS_INACTIVE;
    if (data->Pressed)
        state |= DFCS_PUSHED;
    if (!data->Enabled)
        state |= DFCS_INACTIVE;
    switch (data->ButtonStyle) {
    case TzqEditButtonViewStyle::btsFlat:
        state |= DFCS_FLAT;
        break;
    case TzqEditButtonViewStyle::btsHotFlat:
        state |= DFCS_FLAT;
        if (data->Hot)
            state |= DFCS_HOT;
        break;
    case TzqEditButtonViewStyle::btsSimple:
        state |= DFCS_MONO;
        break;
    default:
        break;
    }
    TRect box = BoxRect(Rect, data->Alignment);
    DC->DrawFrameControl(box, DFC_BUTTON, state);
    return true;
}

// ---- The editor ----

TzqInplaceCheckEdit::TzqInplaceCheckEdit(TComponent* AOwner) : TzqInplaceEdit(AOwner)
{
    SetText("0");
}

TzqInplaceCheckEdit::~TzqInplaceCheckEdit()
{
    BeforeDestruction();
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
}

const TzqInplaceEditClass& TzqInplaceCheckEdit::StaticClass()
{
    static const TzqInplaceCheckEditClass instance;
    return instance;
}

const TzqInplaceEditClass& TzqInplaceCheckEdit::EditClass() const
{
    return StaticClass();
}

void TzqInplaceCheckEdit::SetState(int Value)
{
    if (Value < zqcbUnchecked || Value > zqcbGrayed || (Value == m_state && !m_isNull))
        return;
    SetText(std::to_string(Value));
}

void TzqInplaceCheckEdit::SetShowNullFieldStyle(TzqShowNullFieldStyle Value)
{
    if (m_showNullFieldStyle == Value)
        return;
    m_showNullFieldStyle = Value;
    Invalidate();
}

void TzqInplaceCheckEdit::TextChanged()
{
    // Null is kept as an empty text, which reads as unchecked.
    m_isNull = Text().empty();
    m_state = StateOf(Text());
    TzqInplaceEdit::TextChanged();
}

void TzqInplaceCheckEdit::Toggle()
{
    if (!CanModify())
        return;
    // A null value toggles from what it shows.
    const int from = m_isNull && m_showNullFieldStyle == TzqShowNullFieldStyle::nsGrayedChecked ? zqcbGrayed : m_state;
    int next = zqcbChecked;
    if (from == zqcbUnchecked)
        next = m_allowGrayed ? zqcbGrayed : zqcbChecked;
    else if (from == zqcbChecked)
        next = zqcbUnchecked;
    SetSettingValue(true);
    try {
        SetState(next);
        SetModified(true);
        Change();
    } catch (...) {
        SetSettingValue(false);
        throw;
    }
    SetSettingValue(false);
    if (OnToggleClick)
        OnToggleClick(this, Text(), m_state);
}

void TzqInplaceCheckEdit::SetEditValue(const Variant& Value)
{
    SetText(Value.IsClear() ? std::string() : std::to_string(StateOf(Value.AsString())));
}

void TzqInplaceCheckEdit::GetEditValue(Variant& Value)
{
    Value = m_isNull ? Variant::Null() : Variant(m_state);
}

void TzqInplaceCheckEdit::GetDisplayValue(Variant& Value, bool IsPaintCopy)
{
    GetEditValue(Value);
    (void)IsPaintCopy;
}

std::unique_ptr<TzqEditViewData> TzqInplaceCheckEdit::CreateViewData(bool IsPaintCopy)
{
    std::unique_ptr<TzqEditViewData> data = TzqInplaceEdit::CreateViewData(IsPaintCopy);
    if (auto* check = dynamic_cast<TzqCheckEditViewData*>(data.get())) {
        check->State = m_state;
        check->Pressed = m_pressed;
        check->IsNull = m_isNull;
        check->ShowNullFieldStyle = m_showNullFieldStyle;
    }
    return data;
}

bool TzqInplaceCheckEdit::CanRestoreUndoPoint()
{
    return true;
}

void TzqInplaceCheckEdit::HostClick()
{
    Toggle();
}

void TzqInplaceCheckEdit::SetPressed(bool Value)
{
    if (m_pressed == Value)
        return;
    m_pressed = Value;
    Invalidate();
}

void TzqInplaceCheckEdit::EndMousePress()
{
    m_mouseDown = false;
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    SetPressed(m_spaceDown);
}

void TzqInplaceCheckEdit::HandleKillFocus(TMessage& Message)
{
    m_spaceDown = false;
    EndMousePress();
    SetPressed(false);
    TzqInplaceEdit::HandleKillFocus(Message);
}

// ---- Keys ----

void TzqInplaceCheckEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE && Shift.empty()) {
        m_spaceDown = true;
        SetPressed(true);
        Key = 0;
        return;
    }
    if ((Key == VK_LEFT || Key == VK_RIGHT) && !Shift.contains(TShiftStateFlag::ssAlt)) {
        NavigateHost(Key == VK_LEFT);
        Key = 0;
        return;
    }
    TzqInplaceEdit::KeyDown(Key, Shift);
}

void TzqInplaceCheckEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE && m_spaceDown) {
        m_spaceDown = false;
        SetPressed(m_mouseDown);
        Toggle();
        Key = 0;
        return;
    }
    TzqInplaceEdit::KeyUp(Key, Shift);
}

void TzqInplaceCheckEdit::KeyPress(char32_t& Key)
{
    if (Key == U' ') {
        Key = 0;
        return;
    }
    TzqInplaceEdit::KeyPress(Key);
}

// ---- Mouse ----

void TzqInplaceCheckEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        TzqInplaceEdit::WndProc(Message);
        if (HandleAllocated() && GetFocus() == Handle()) {
            m_mouseDown = true;
            SetCapture(Handle());
            SetPressed(true);
        }
        return;
    case WM_MOUSEMOVE:
        if (m_mouseDown)
            SetPressed(ClientRect().Contains(PointFromLParam(Message.LParam)) || m_spaceDown);
        break;
    case WM_LBUTTONUP:
        if (m_mouseDown) {
            const bool over = ClientRect().Contains(PointFromLParam(Message.LParam));
            EndMousePress();
            if (over)
                Toggle();
        }
        break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        if (m_mouseDown && (Message.Msg == WM_CANCELMODE || reinterpret_cast<HWND>(Message.LParam) != Handle()))
            EndMousePress();
        break;
    default:
        break;
    }
    TzqInplaceEdit::WndProc(Message);
}
