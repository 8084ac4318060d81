#include "platform/controls/CheckBox.h"

#include "platform/drawing/Canvas.h"

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetState(TCheckBoxState value)
{
    if (value == m_state)
        return;
    m_state = value;
    Invalidate();
}

void TCheckBox::Toggle()
{
    // Unchecked, then grayed when allowed, then checked, then unchecked again.
    switch (m_state) {
    case TCheckBoxState::cbUnchecked:
        SetState(m_allowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
        break;
    case TCheckBoxState::cbGrayed:
        SetState(TCheckBoxState::cbChecked);
        break;
    case TCheckBoxState::cbChecked:
        SetState(TCheckBoxState::cbUnchecked);
        break;
    }
}

unsigned TCheckBox::BoxState() const
{
    switch (m_state) {
    case TCheckBoxState::cbChecked:
        return DFCS_BUTTONCHECK | DFCS_CHECKED;
    case TCheckBoxState::cbGrayed:
        return DFCS_BUTTON3STATE | DFCS_CHECKED;
    default:
        return DFCS_BUTTONCHECK;
    }
}
