// The push button in the classic look: raised when up, sunken while pressed, a dotted
// focus rectangle, and a dark frame when it is the form's default button. Space presses
// it; Enter presses the default button and Esc the cancel button of the form.
#pragma once

#include "platform/controls/CustomControl.h"
#include "platform/controls/Form.h"

class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* AOwner);

    bool Default() const { return m_default; }
    void SetDefault(bool value);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    // Closing result given to a modal form when clicked (mrNone: none).
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult value) { m_modalResult = value; }

    // Clicks the button as the user would (the form's modal result included).
    void Click() override;
    bool Pressed() const { return m_pressed; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void CMDialogKey(TMessage& Message) override;
    // The content inside the bevel: the caption, centred; buttons with glyphs draw more.
    virtual void PaintContent(TRect rect, bool pressed);
    // True when the default frame is drawn: the default button while no other button
    // has the focus, or any button that has it.
    bool ShowsDefaultFrame() const;

private:
    void SetPressed(bool value);
    bool m_default = false;
    bool m_cancel = false;
    TModalResult m_modalResult = mrNone;
    bool m_pressed = false;
    bool m_tracking = false;
    bool m_spaceDown = false;
};
