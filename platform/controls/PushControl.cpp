#include "platform/controls/PushControl.h"

#include "platform/core/VirtualKeys.h"

TPushControl::TPushControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetTabStop(true);
    // The press is judged here, not by the generic click of a mouse release.
    m_controlStyle.exclude(TControlStyleFlag::csClickEvents);
}

void TPushControl::SetPressed(bool value)
{
    if (value == m_pressed)
        return;
    m_pressed = value;
    Invalidate();
    Update();
}

void TPushControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && Enabled()) {
        if (CanFocus() && !Focused())
            SetFocus();
        m_tracking = true;
        SetPressed(true);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TPushControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (m_tracking)
        SetPressed(ClientRect().Contains(X, Y));
    TCustomControl::MouseMove(Shift, X, Y);
}

void TPushControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && m_tracking) {
        m_tracking = false;
        const bool inside = ClientRect().Contains(X, Y);
        SetPressed(false);
        if (inside)
            Pushed();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TPushControl::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE && Shift.empty()) {
        m_spaceDown = true;
        SetPressed(true);
        Key = 0;
    }
}

void TPushControl::KeyUp(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
    if (Key == VK_SPACE && m_spaceDown) {
        m_spaceDown = false;
        SetPressed(false);
        Key = 0;
        Pushed();
    }
}

void TPushControl::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_KILLFOCUS) {
        // A press in progress ends without effect when the focus goes.
        m_spaceDown = false;
        m_tracking = false;
        SetPressed(false);
    }
    TCustomControl::WndProc(Message);
}
