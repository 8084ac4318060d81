// A pair of arrow buttons, up above down. Holding a button repeats its click: the
// first repeat after RepeatDelay milliseconds, then every RepeatInterval. The buttons
// never take the focus: a press gives it to FocusControl (the edit they serve).
#pragma once

#include "platform/controls/CustomControl.h"

class TSpinButton : public TCustomControl {
public:
    explicit TSpinButton(TComponent* AOwner);
    ~TSpinButton() override;

    TWinControl* FocusControl() const { return m_focusControl; }
    void SetFocusControl(TWinControl* value) { m_focusControl = value; }
    UINT RepeatDelay() const { return m_repeatDelay; }
    void SetRepeatDelay(UINT ms) { m_repeatDelay = ms; }
    UINT RepeatInterval() const { return m_repeatInterval; }
    void SetRepeatInterval(UINT ms) { m_repeatInterval = ms; }

    enum class TPart { None, Up, Down };
    // Which button is held down now (None when none).
    TPart PressedPart() const { return m_pressed; }
    TRect PartRect(TPart part) const;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TPart PartAt(int X, int Y) const;
    void Fire(TPart part);
    void StopRepeat();
    void PaintPart(TPart part);

    TWinControl* m_focusControl = nullptr;
    UINT m_repeatDelay = 400;
    UINT m_repeatInterval = 100;
    TPart m_pressed = TPart::None;  // shown pressed
    TPart m_tracking = TPart::None; // held by the mouse
    bool m_repeating = false;
};
