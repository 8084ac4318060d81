// An edit for a whole number with arrow buttons at its right. Value moves by
// Increment with the buttons (repeating while held) and the Up and Down keys. With
// MinValue and MaxValue both 0 there is no limit; otherwise the value stays between
// them (a MaxValue below MinValue sets no upper limit: limits are given one by one).
//
// Typed text is taken as the value as soon as it reads as a number within the limits;
// other characters than digits and a leading minus sign are refused with a beep.
// Text that is not such a number (empty, a lone "-", too large, or pasted letters)
// leaves Value as it was, and leaving the control puts the value's text back, a value
// outside the limits brought to the nearest limit. OnChange fires once for each change
// of Value, whether typed, stepped or set by the program.
#pragma once

#include "platform/controls/CustomEdit.h"

class TSpinButton;

class TSpinEdit : public TCustomEdit {
public:
    explicit TSpinEdit(TComponent* AOwner);
    ~TSpinEdit() override;

    int Value() const { return m_value; }
    void SetValue(int value);
    int MinValue() const { return m_minValue; }
    void SetMinValue(int value);
    int MaxValue() const { return m_maxValue; }
    void SetMaxValue(int value);
    int Increment() const { return m_increment; }
    void SetIncrement(int value) { m_increment = value; }
    // Off: the text cannot be typed into, only stepped.
    bool EditorEnabled() const { return m_editorEnabled; }
    void SetEditorEnabled(bool value);

    TSpinButton* Button() const { return m_button; }
    // The value brought within the limits (unchanged when there are none).
    int Clamp(long long value) const;

    void StepUp() { Step(+1); }
    void StepDown() { Step(-1); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WindowCreated() override;
    void Resize() override;
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DoExit() override;
    void WndProc(TMessage& Message) override;

private:
    bool HasLimits() const { return m_minValue != 0 || m_maxValue != 0; }
    bool InLimits(long long value) const;
    int UpperLimit() const;
    void Step(int direction);
    void PlaceButton();
    void ShowValue();
    // Reads the text as a number; false when it is not one.
    bool ParseText(long long& value) const;
    void ValueChanged(int value);

    TSpinButton* m_button = nullptr;
    int m_value = 0;
    int m_minValue = 0;
    int m_maxValue = 0;
    int m_increment = 1;
    bool m_editorEnabled = true;
    bool m_showingValue = false;
};
