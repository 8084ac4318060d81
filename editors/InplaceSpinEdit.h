// TzqInplaceSpinEdit: a number edited as text, with a column of two buttons at the
// right that step it up and down (held: again after 400 ms, then every 100 ms while the
// pointer stays on the pressed half). The value keeps inside MinValue..MaxValue (no
// limits when the two are equal), is a whole number (vtInt, rounded half away from
// zero) or a floating-point one (vtFloat, 15 significant digits), and is re-written when
// the editor validates. Only digits, signs and (vtFloat) the locale's decimal separator
// can be typed; "," and "." are taken as that separator.
#pragma once

#include "editors/InplaceMaskEdit.h"
#include "editors/SpinEditViewData.h"
#include "editors/SpinValue.h"

class TzqInplaceSpinEditClass : public TzqInplaceMaskEditClass {
public:
    TzqInplaceEdit* Create(TComponent* AOwner) const override;
    TzqEditViewDataClass GetViewDataClass() const override;
    // The client area gives the column's room up at the right inside the border.
    void CalcViewInfo(const TzqEditViewData& ViewData, bool AutoHeight, TzqEditViewInfo& ViewInfo) const override;
    void DrawBorder(HDC DC, const TzqEditViewInfo& ViewInfo, const TzqEditViewData& ViewData) const override;

    // The column's width for a button style: SM_CXVSCROLL made odd, at least 13, one
    // less for flat and simple buttons.
    static int ButtonColumnWidth(TzqEditButtonViewStyle Style);
    // A half of the column (editor coordinates); empty for zqSpinNone.
    static TRect HalfRect(const TzqEditViewInfo& ViewInfo, const TzqSpinEditViewData& ViewData, uint8_t Half);
    static uint8_t HalfAt(const TzqEditViewInfo& ViewInfo, const TzqSpinEditViewData& ViewData, TPoint Point);
};

class TzqInplaceSpinEdit : public TzqInplaceMaskEdit {
public:
    // Delays of the held button: the first repeat, then every further one.
    static constexpr UINT FirstRepeatDelay = 400;
    static constexpr UINT RepeatInterval = 100;

    explicit TzqInplaceSpinEdit(TComponent* AOwner);
    ~TzqInplaceSpinEdit() override;

    static const TzqInplaceEditClass& StaticClass();
    const TzqInplaceEditClass& EditClass() const override;

    // ---- Properties ----
    // False: the text cannot be typed into (the buttons and keys still step it).
    bool EditorEnabled() const { return m_editorEnabled; }
    void SetEditorEnabled(bool Value) { m_editorEnabled = Value; }
    double Increment() const { return m_increment; }
    // Non-finite increments are ignored.
    void SetIncrement(double Value);
    double MinValue() const { return m_minValue; }
    double MaxValue() const { return m_maxValue; }
    // A minimum above the maximum is taken as the maximum (and the other way round);
    // the value is re-written. Non-finite limits are ignored.
    void SetMinValue(double Value);
    void SetMaxValue(double Value);
    // Up and Down go to the host unless Ctrl is held.
    bool UseCtrlIncrement() const { return m_useCtrlIncrement; }
    void SetUseCtrlIncrement(bool Value) { m_useCtrlIncrement = Value; }
    TzqValueType ValueType() const { return m_valueType; }
    void SetValueType(TzqValueType Value);

    uint8_t HotButton() const { return m_hotButton; }
    uint8_t PressedButton() const { return m_pressedButton; }

    // ---- The value ----
    // The text read as a number (MinValue when it does not read).
    double Value();
    // Limited, typed and written; the text changes only when it differs, and Modified
    // stays as it was.
    void SetValue(double Value);
    // Value +- Increment (Up adds), Modified; a beep when the text cannot be edited.
    void StepBy(bool Up);

    void ValidateEdit() override;
    bool HandlesMouseWheel() override;
    // A press on the host at (X, Y) (the host's client coordinates) that opened the
    // editor: a half under the point is pressed as if the press had been on it.
    void HostMouseDown(int X, int Y) override;
    bool IsValidChar(char32_t Key) override;
    std::unique_ptr<TzqEditViewData> CreateViewData(bool IsPaintCopy) override;
    void HandleKillFocus(TMessage& Message) override;

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

private:
    void CurrentViewInfo(std::unique_ptr<TzqEditViewData>& Holder, TzqEditViewInfo& Info);
    uint8_t HalfAtScreen(TPoint Screen);
    void SetHotButton(uint8_t Half);
    void SetPressedButton(uint8_t Half);
    void RepaintButtons();
    void StartRepeat(UINT Delay);
    void StopRepeat();
    void RepeatTick();
    // A paste that leaves a text that is not a number is undone.
    void CheckPaste();
    // Presses a half: a step now, the repeat timer started, the mouse captured.
    void PressHalf(uint8_t Half);
    void RewriteValue();

    bool m_editorEnabled = true;
    double m_increment = 1.0;
    double m_maxValue = 0;
    double m_minValue = 0;
    uint8_t m_hotButton = zqSpinNone;
    uint8_t m_pressedButton = zqSpinNone;
    bool m_repeating = false;
    bool m_mousePressed = false;
    bool m_useCtrlIncrement = false;
    TzqValueType m_valueType = TzqValueType::vtInt;
    bool m_trackingLeave = false;
};
