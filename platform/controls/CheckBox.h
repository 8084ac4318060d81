// A check box: checked, unchecked or (with AllowGrayed) grayed. The user toggles it
// with the mouse or Space; OnClick follows each such toggle. Setting Checked or State
// from the program does not fire OnClick.
#pragma once

#include "platform/controls/ButtonControl.h"

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* AOwner);

    bool Checked() const { return m_state == TCheckBoxState::cbChecked; }
    void SetChecked(bool value) { SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
    TCheckBoxState State() const { return m_state; }
    void SetState(TCheckBoxState value);
    // Lets the user's toggling pass through the grayed state.
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool value) { m_allowGrayed = value; }

protected:
    void Toggle() override;
    unsigned BoxState() const override;

private:
    TCheckBoxState m_state = TCheckBoxState::cbUnchecked;
    bool m_allowGrayed = false;
};
