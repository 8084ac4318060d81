#include "platform/controls/RadioButton.h"

#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    SetBounds(0, 0, 113, 17);
}

std::vector<TRadioButton*> TRadioButton::Group() const
{
    std::vector<TRadioButton*> group;
    if (!Parent()) {
        group.push_back(const_cast<TRadioButton*>(this));
        return group;
    }
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i)))
            group.push_back(r);
    return group;
}

void TRadioButton::SetParent(TWinControl* AParent)
{
    TButtonControl::SetParent(AParent);
    if (m_checked)
        for (TRadioButton* r : Group())
            if (r != this)
                r->SetChecked(false);
    UpdateGroupTabStops();
}

void TRadioButton::SetChecked(bool value)
{
    if (value == m_checked)
        return;
    m_checked = value;
    Invalidate();
    if (value)
        for (TRadioButton* r : Group())
            if (r != this && r->m_checked) {
                r->m_checked = false;
                r->Invalidate();
            }
    UpdateGroupTabStops();
}

void TRadioButton::UpdateGroupTabStops()
{
    // Tab reaches the group at its checked button; with none checked every button
    // is reachable, so that the group is never skipped.
    const std::vector<TRadioButton*> group = Group();
    const bool anyChecked = std::any_of(group.begin(), group.end(), [](TRadioButton* r) { return r->m_checked; });
    for (TRadioButton* r : group)
        r->SetTabStop(!anyChecked || r->m_checked);
}

void TRadioButton::Toggle()
{
    SetChecked(true);
}

unsigned TRadioButton::BoxState() const
{
    return DFCS_BUTTONRADIO | (m_checked ? DFCS_CHECKED : 0);
}

void TRadioButton::WndProc(TMessage& Message)
{
    TButtonControl::WndProc(Message);
    // Reached by an arrow key: the button checks itself, as the user expects when
    // walking a group. A mouse press checks on release instead.
    if (Message.Msg == WM_SETFOCUS && !m_checked && GetKeyState(VK_LBUTTON) >= 0 &&
        (GetKeyState(VK_LEFT) < 0 || GetKeyState(VK_RIGHT) < 0 || GetKeyState(VK_UP) < 0 || GetKeyState(VK_DOWN) < 0)) {
        SetChecked(true);
        Click();
    }
}
