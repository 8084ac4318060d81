// TPushControl: a control the user presses with the left button or the Space key. It
// looks pressed while the button is held over it (or Space is down), and a press
// completed over it runs Pushed. Push buttons, check boxes and radio buttons share it.
#pragma once

#include "platform/controls/CustomControl.h"

class TPushControl : public TCustomControl {
public:
    explicit TPushControl(TComponent* AOwner);

    bool Pressed() const { return m_pressed; }

protected:
    // What a completed press does.
    virtual void Pushed() = 0;
    void SetPressed(bool value);

    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;

private:
    bool m_pressed = false;
    bool m_tracking = false;
    bool m_spaceDown = false;
};
