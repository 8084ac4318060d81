#include "platform/controls/SpinEdit.h"

#include "platform/controls/SpinButton.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace {

constexpr int kButtonWidth = 15;

} // namespace

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
    SetBounds(0, 0, 121, 22);
    m_button = new TSpinButton(this);
    m_button->SetParent(this);
    m_button->SetFocusControl(this);
    m_button->OnUpClick = [this](TObject*) { StepUp(); };
    m_button->OnDownClick = [this](TObject*) { StepDown(); };
    ShowValue();
}

TSpinEdit::~TSpinEdit() = default;

void TSpinEdit::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    // The edit's own painting leaves the buttons alone.
    Params.Style |= WS_CLIPCHILDREN;
}

void TSpinEdit::WindowCreated()
{
    TCustomEdit::WindowCreated();
    PlaceButton();
}

void TSpinEdit::Resize()
{
    TCustomEdit::Resize();
    PlaceButton();
}

void TSpinEdit::PlaceButton()
{
    if (!m_button)
        return;
    const TRect client = ClientRect();
    m_button->SetBounds(client.Right - kButtonWidth, 0, kButtonWidth, client.Height());
    if (HandleAllocated())
        SendMessage(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MakeLParam(0, kButtonWidth + 2));
}

int TSpinEdit::UpperLimit() const
{
    // A maximum below the minimum is one not given yet (limits are set one after the
    // other): only the minimum holds then.
    return m_maxValue >= m_minValue ? m_maxValue : INT_MAX;
}

bool TSpinEdit::InLimits(long long value) const
{
    if (value < INT_MIN || value > INT_MAX)
        return false;
    return !HasLimits() || (value >= m_minValue && value <= UpperLimit());
}

int TSpinEdit::Clamp(long long value) const
{
    if (HasLimits())
        value = std::clamp<long long>(value, m_minValue, UpperLimit());
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void TSpinEdit::SetMinValue(int value)
{
    if (value == m_minValue)
        return;
    m_minValue = value;
    SetValue(m_value);
}

void TSpinEdit::SetMaxValue(int value)
{
    if (value == m_maxValue)
        return;
    m_maxValue = value;
    SetValue(m_value);
}

void TSpinEdit::SetEditorEnabled(bool value)
{
    m_editorEnabled = value;
    // Paste, cut and undo go through the edit's read-only state; the arrows do not.
    SetReadOnly(!value);
}

void TSpinEdit::ShowValue()
{
    m_showingValue = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_showingValue};
    SetText(std::to_string(m_value));
}

void TSpinEdit::ValueChanged(int value)
{
    m_value = value;
    TCustomEdit::Change();
}

void TSpinEdit::SetValue(int value)
{
    value = Clamp(value);
    const bool changed = value != m_value;
    m_value = value;
    if (Text() != std::to_string(value))
        ShowValue();
    if (changed)
        TCustomEdit::Change();
}

void TSpinEdit::Step(int direction)
{
    if (ReadOnly() && m_editorEnabled) {
        MessageBeep(0);
        return;
    }
    // Steps start from what is typed when it is a number.
    long long current = m_value;
    long long typed;
    if (ParseText(typed))
        current = typed;
    SetValue(Clamp(current + static_cast<long long>(direction) * m_increment));
    if (Focused())
        SelectAll();
}

bool TSpinEdit::ParseText(long long& value) const
{
    std::string text = Text();
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos)
        return false;
    text = text.substr(first, last - first + 1);
    if (!text.empty() && text[0] == '+')
        text.erase(0, 1);
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

void TSpinEdit::Change()
{
    if (m_showingValue)
        return;
    long long typed;
    if (!ParseText(typed) || !InLimits(typed))
        return;
    if (static_cast<int>(typed) != m_value)
        ValueChanged(static_cast<int>(typed));
}

void TSpinEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomEdit::KeyDown(Key, Shift);
    if (Key == VK_UP) {
        StepUp();
        Key = 0;
    } else if (Key == VK_DOWN) {
        StepDown();
        Key = 0;
    }
}

void TSpinEdit::KeyPress(char32_t& Key)
{
    TCustomEdit::KeyPress(Key);
    if (Key == 0 || Key < 0x20)
        return; // editing keys (Backspace) and Ctrl shortcuts pass
    const bool digit = Key >= U'0' && Key <= U'9';
    const bool sign = (Key == U'-' && (!HasLimits() || m_minValue < 0)) || Key == U'+';
    if (!m_editorEnabled || !(digit || sign)) {
        Key = 0;
        MessageBeep(0);
    }
}

void TSpinEdit::DoExit()
{
    // What is left in the field becomes the value, within the limits.
    long long typed;
    if (ParseText(typed))
        SetValue(Clamp(typed));
    else
        ShowValue();
    if (Text() != std::to_string(m_value))
        ShowValue();
    TCustomEdit::DoExit();
}

void TSpinEdit::WndProc(TMessage& Message)
{
    // Ctrl+V and the context menu's Paste are refused while the editor is off.
    if (!m_editorEnabled && (Message.Msg == WM_PASTE || Message.Msg == WM_CUT || Message.Msg == WM_CLEAR))
        return;
    TCustomEdit::WndProc(Message);
}
