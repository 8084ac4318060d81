// The push button in the classic look: raised when up, sunken while pressed, a dotted
// focus rectangle, and a dark frame when it is the form's default button. Space presses
// it; Enter presses the default button and Esc the cancel button of the form.
#pragma once

#include "platform/controls/PushControl.h"
#include "platform/controls/Form.h"

class TButton : public TPushControl {
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

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void Pushed() override { Click(); }
    void CMDialogKey(TMessage& Message) override;
    // The content inside the bevel: the caption, centred; buttons with glyphs draw more.
    virtual void PaintContent(TRect rect, bool pressed);
    // True when the default frame is drawn: the default button while no other button
    // has the focus, or any button that has it.
    bool ShowsDefaultFrame() const;

private:
    bool m_default = false;
    bool m_cancel = false;
    TModalResult m_modalResult = mrNone;
};
