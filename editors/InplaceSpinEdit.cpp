#include "editors/InplaceSpinEdit.h"

#include "editors/CustomzqContainer.h"
#include "editors/EditButtonPainter.h"
#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <cmath>

namespace {

// The repeat timer of a held button.
constexpr uintptr_t RepeatTimerId = 0x5350;

char32_t DecimalSeparatorChar()
{
    const std::u32string s = Utf8ToUtf32(Locale().DecimalSeparator);
    return s.empty() ? U'.' : s[0];
}

} // namespace

// ---- The class ----

TzqInplaceEdit* TzqInplaceSpinEditClass::Create(TComponent* AOwner) const
{
    return new TzqInplaceSpinEdit(AOwner);
}

TzqEditViewDataClass TzqInplaceSpinEditClass::GetViewDataClass() const
{
    return &NewViewDataOf<TzqSpinEditViewData>;
}

int TzqInplaceSpinEditClass::ButtonColumnWidth(TzqEditButtonViewStyle Style)
{
    int width = GetSystemMetrics(SM_CXVSCROLL);
    if (width % 2 == 0)
        --width;
    width = std::max(13, width);
    if (Style == TzqEditButtonViewStyle::btsFlat || Style == TzqEditButtonViewStyle::btsSimple)
        --width;
    return width;
}

void TzqInplaceSpinEditClass::CalcViewInfo(const TzqEditViewData& ViewData, bool AutoHeight,
                                           TzqEditViewInfo& ViewInfo) const
{
    TzqInplaceMaskEditClass::CalcViewInfo(ViewData, AutoHeight, ViewInfo);
    if (const auto* data = dynamic_cast<const TzqSpinEditViewData*>(&ViewData)) {
        TRect& c = ViewInfo.ClientRect;
        c.Right = std::max(c.Left, c.Right - std::max(0, data->ButtonWidth));
    }
}

TRect TzqInplaceSpinEditClass::HalfRect(const TzqEditViewInfo& ViewInfo, const TzqSpinEditViewData& ViewData,
                                        uint8_t Half)
{
    if (Half != zqSpinUp && Half != zqSpinDown)
        return TRect();
    const TRect& c = ViewInfo.ClientRect;
    const TRect column(c.Right, c.Top, c.Right + std::max(0, ViewData.ButtonWidth), c.Bottom);
    const int middle = column.Top + column.Height() / 2;
    return Half == zqSpinUp ? TRect(column.Left, column.Top, column.Right, middle)
                            : TRect(column.Left, middle, column.Right, column.Bottom);
}

uint8_t TzqInplaceSpinEditClass::HalfAt(const TzqEditViewInfo& ViewInfo, const TzqSpinEditViewData& ViewData,
                                        TPoint Point)
{
    if (HalfRect(ViewInfo, ViewData, zqSpinUp).Contains(Point))
        return zqSpinUp;
    if (HalfRect(ViewInfo, ViewData, zqSpinDown).Contains(Point))
        return zqSpinDown;
    return zqSpinNone;
}

void TzqInplaceSpinEditClass::DrawBorder(HDC DC, const TzqEditViewInfo& ViewInfo, const TzqEditViewData& ViewData) const
{
    TzqInplaceMaskEditClass::DrawBorder(DC, ViewInfo, ViewData);
    const auto* data = dynamic_cast<const TzqSpinEditViewData*>(&ViewData);
    if (!DC || !data || data->ButtonWidth <= 0)
        return;
    for (uint8_t half : {zqSpinUp, zqSpinDown}) {
        TzqEditButtonLook look;
        look.Style = data->ButtonStyle;
        look.Pressed = data->PressedButton == half;
        look.Hot = data->HotButton == half;
        look.Enabled = data->Enabled;
        look.BorderColor = data->BorderColor;
        DrawEditButton(DC, HalfRect(ViewInfo, *data, half), look,
                       half == zqSpinUp ? TzqButtonSymbol::bsUpArrow : TzqButtonSymbol::bsDownArrow);
    }
}

// ---- The editor ----

TzqInplaceSpinEdit::TzqInplaceSpinEdit(TComponent* AOwner) : TzqInplaceMaskEdit(AOwner)
{
    SetText("0");
}

TzqInplaceSpinEdit::~TzqInplaceSpinEdit()
{
    BeforeDestruction();
    StopRepeat();
}

const TzqInplaceEditClass& TzqInplaceSpinEdit::StaticClass()
{
    static const TzqInplaceSpinEditClass instance;
    return instance;
}

const TzqInplaceEditClass& TzqInplaceSpinEdit::EditClass() const
{
    return StaticClass();
}

void TzqInplaceSpinEdit::SetIncrement(double Value)
{
    if (std::isfinite(Value))
        m_increment = Value;
}

void TzqInplaceSpinEdit::SetMinValue(double Value)
{
    if (!std::isfinite(Value))
        return;
    if (Value > m_maxValue)
        Value = m_maxValue;
    if (Value == m_minValue)
        return;
    m_minValue = Value;
    RewriteValue();
}

void TzqInplaceSpinEdit::SetMaxValue(double Value)
{
    if (!std::isfinite(Value))
        return;
    if (Value < m_minValue)
        Value = m_minValue;
    if (Value == m_maxValue)
        return;
    m_maxValue = Value;
    RewriteValue();
}

void TzqInplaceSpinEdit::SetValueType(TzqValueType Value)
{
    if (Value == m_valueType || (Value != TzqValueType::vtInt && Value != TzqValueType::vtFloat))
        return;
    // The value read with the old type is written with the new one.
    const double value = this->Value();
    m_valueType = Value;
    SetValue(value);
}

// ---- The value ----

double TzqInplaceSpinEdit::Value()
{
    return SpinTextValue(Text(), m_valueType, m_minValue);
}

void TzqInplaceSpinEdit::SetValue(double Value)
{
    const std::string text = SpinFormatValue(SpinLimitValue(Value, m_minValue, m_maxValue), m_valueType);
    if (text == Text())
        return;
    const bool modified = GetModified();
    SetText(text);
    SetModified(modified);
}

void TzqInplaceSpinEdit::RewriteValue()
{
    SetValue(Value());
}

void TzqInplaceSpinEdit::StepBy(bool Up)
{
    if (!CanEditText()) {
        MessageBeep(0);
        return;
    }
    if (!CanModify())
        return;
    SetValue(SpinAdd(Value(), Up ? m_increment : -m_increment));
    SetModified(true);
}

void TzqInplaceSpinEdit::ValidateEdit()
{
    TzqInplaceMaskEdit::ValidateEdit();
    if (GetModified())
        RewriteValue();
}

bool TzqInplaceSpinEdit::HandlesMouseWheel()
{
    return true;
}

bool TzqInplaceSpinEdit::IsValidChar(char32_t Key)
{
    const bool allowed = (Key >= U'0' && Key <= U'9') || Key == U'+' || Key == U'-' ||
                         (m_valueType == TzqValueType::vtFloat && Key == DecimalSeparatorChar());
    return allowed && TzqInplaceMaskEdit::IsValidChar(Key);
}

std::unique_ptr<TzqEditViewData> TzqInplaceSpinEdit::CreateViewData(bool IsPaintCopy)
{
    std::unique_ptr<TzqEditViewData> data = TzqInplaceMaskEdit::CreateViewData(IsPaintCopy);
    if (auto* spin = dynamic_cast<TzqSpinEditViewData*>(data.get())) {
        spin->ButtonWidth = TzqInplaceSpinEditClass::ButtonColumnWidth(spin->ButtonStyle);
        spin->HotButton = m_hotButton;
        spin->PressedButton = m_pressedButton;
    }
    return data;
}

void TzqInplaceSpinEdit::HandleKillFocus(TMessage& Message)
{
    StopRepeat();
    SetPressedButton(zqSpinNone);
    TzqInplaceMaskEdit::HandleKillFocus(Message);
}

// ---- Keys ----

void TzqInplaceSpinEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if ((Key == VK_UP || Key == VK_DOWN) && !Shift.contains(TShiftStateFlag::ssAlt) &&
        (!m_useCtrlIncrement || Shift.contains(TShiftStateFlag::ssCtrl))) {
        SetPressedButton(Key == VK_UP ? zqSpinUp : zqSpinDown);
        StepBy(Key == VK_UP);
        Key = 0;
        return;
    }
    if (!m_editorEnabled && IsModifyingKey(Key, Shift)) {
        Key = 0;
        return;
    }
    TzqInplaceMaskEdit::KeyDown(Key, Shift);
}

void TzqInplaceSpinEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    if ((Key == VK_UP || Key == VK_DOWN) && !m_mousePressed)
        SetPressedButton(zqSpinNone);
    TzqInplaceMaskEdit::KeyUp(Key, Shift);
}

void TzqInplaceSpinEdit::KeyPress(char32_t& Key)
{
    if (Key == U',' || Key == U'.')
        Key = DecimalSeparatorChar();
    if (!m_editorEnabled && (Key >= 32 || Key == 8)) {
        MessageBeep(0);
        Key = 0;
        return;
    }
    TzqInplaceMaskEdit::KeyPress(Key);
}

// ---- The button column ----

void TzqInplaceSpinEdit::CurrentViewInfo(std::unique_ptr<TzqEditViewData>& Holder, TzqEditViewInfo& Info)
{
    Holder = CreateViewData(false);
    if (HandleAllocated()) {
        const TRect window = WindowRect(Handle());
        Holder->Bounds = TRect(0, 0, window.Width(), window.Height());
    }
    EditClass().CalcViewInfo(*Holder, false, Info);
}

uint8_t TzqInplaceSpinEdit::HalfAtScreen(TPoint Screen)
{
    if (!HandleAllocated())
        return zqSpinNone;
    std::unique_ptr<TzqEditViewData> holder;
    TzqEditViewInfo info;
    CurrentViewInfo(holder, info);
    const auto* data = dynamic_cast<const TzqSpinEditViewData*>(holder.get());
    return data ? TzqInplaceSpinEditClass::HalfAt(info, *data, Screen - WindowRect(Handle()).TopLeft())
                : uint8_t(zqSpinNone);
}

void TzqInplaceSpinEdit::RepaintButtons()
{
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TzqInplaceSpinEdit::SetHotButton(uint8_t Half)
{
    if (m_hotButton == Half)
        return;
    m_hotButton = Half;
    RepaintButtons();
}

void TzqInplaceSpinEdit::SetPressedButton(uint8_t Half)
{
    if (m_pressedButton == Half)
        return;
    m_pressedButton = Half;
    RepaintButtons();
}

void TzqInplaceSpinEdit::StartRepeat(UINT Delay)
{
    if (!HandleAllocated())
        return;
    SetTimer(Handle(), RepeatTimerId, Delay);
    m_repeating = true;
}

void TzqInplaceSpinEdit::StopRepeat()
{
    if (m_repeating && HandleAllocated())
        KillTimer(Handle(), RepeatTimerId);
    m_repeating = false;
    if (m_mousePressed) {
        m_mousePressed = false;
        if (HandleAllocated() && GetCapture() == Handle())
            ReleaseCapture();
    }
}

void TzqInplaceSpinEdit::RepeatTick()
{
    if (!m_mousePressed || m_pressedButton == zqSpinNone) {
        StopRepeat();
        return;
    }
    StartRepeat(RepeatInterval);
    TPoint p;
    GetCursorPos(p);
    if (HalfAtScreen(p) == m_pressedButton)
        StepBy(m_pressedButton == zqSpinUp);
}

void TzqInplaceSpinEdit::PressHalf(uint8_t Half)
{
    if (Half == zqSpinNone)
        return;
    if (HandleAllocated() && GetFocus() != Handle())
        ::SetFocus(Handle());
    if (!HandleAllocated() || GetFocus() != Handle())
        return;
    SetPressedButton(Half);
    m_mousePressed = true;
    SetCapture(Handle());
    StepBy(Half == zqSpinUp);
    StartRepeat(FirstRepeatDelay);
}

void TzqInplaceSpinEdit::HostMouseDown(int X, int Y)
{
    if (!HandleAllocated() || !Parent() || !Parent()->HandleAllocated())
        return;
    TPoint screen(X, Y);
    ::ClientToScreen(Parent()->Handle(), screen);
    PressHalf(HalfAtScreen(screen));
}

void TzqInplaceSpinEdit::CheckPaste()
{
    double value = 0;
    const std::string text = Text();
    if (!text.empty() && !TrySpinReadText(text, m_valueType, value))
        Undo();
}

void TzqInplaceSpinEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCHITTEST: {
        TzqInplaceMaskEdit::WndProc(Message);
        if (Message.Result == HTCLIENT || Message.Result == HTNOWHERE) {
            SetHotButton(zqSpinNone);
            return;
        }
        const uint8_t half = HalfAtScreen(PointFromLParam(Message.LParam));
        SetHotButton(half);
        Message.Result = HTBORDER;
        return;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        Message.Result = 0;
        PressHalf(HalfAtScreen(PointFromLParam(Message.LParam)));
        return;
    }
    case WM_MOUSEMOVE:
        if (m_mousePressed) {
            Message.Result = 0;
            return;
        }
        break;
    case WM_LBUTTONUP:
        if (m_mousePressed) {
            StopRepeat();
            SetPressedButton(zqSpinNone);
            Message.Result = 0;
            return;
        }
        break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        if (m_mousePressed && (Message.Msg == WM_CANCELMODE || reinterpret_cast<HWND>(Message.LParam) != Handle())) {
            StopRepeat();
            SetPressedButton(zqSpinNone);
        }
        break;
    case WM_NCMOUSEMOVE:
        if (!m_trackingLeave && HandleAllocated()) {
            TRACKMOUSEEVENT tme;
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = Handle();
            m_trackingLeave = TrackMouseEvent(tme);
        }
        break;
    case WM_MOUSELEAVE:
        m_trackingLeave = false;
        SetHotButton(zqSpinNone);
        break;
    case WM_TIMER:
        if (Message.WParam == RepeatTimerId) {
            RepeatTick();
            Message.Result = 0;
            return;
        }
        break;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<int16_t>(HiWord(Message.WParam));
        if (delta != 0)
            StepBy(delta > 0);
        Message.Result = 1;
        return;
    }
    case WM_CUT:
    case WM_CLEAR:
        if (!m_editorEnabled) {
            Message.Result = 0;
            return;
        }
        break;
    case WM_PASTE:
        if (!m_editorEnabled) {
            Message.Result = 0;
            return;
        }
        TzqInplaceMaskEdit::WndProc(Message);
        CheckPaste();
        return;
    default:
        break;
    }
    TzqInplaceMaskEdit::WndProc(Message);
}
