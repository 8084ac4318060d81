// A list box with a check box at the start of each item. The check zone is as wide as
// the item is high; a click in it, or Space on the focused item, toggles the item
// (unchecked, grayed when AllowGrayed, checked) and fires OnClickCheck. A disabled
// item's box is drawn inactive and cannot be toggled.
#pragma once

#include "platform/controls/CheckBox.h"
#include "platform/controls/ListBox.h"

class TCheckListBox : public TCustomListBox {
public:
    explicit TCheckListBox(TComponent* AOwner);

    bool Checked(int index) const { return State(index) == TCheckBoxState::cbChecked; }
    void SetChecked(int index, bool value)
    {
        SetState(index, value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
    }
    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState value);
    bool ItemEnabled(int index) const;
    void SetItemEnabled(int index, bool value);
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool value) { m_allowGrayed = value; }

    // The check zone of an item in client coordinates.
    TRect CheckRect(int index);

    TNotifyEvent OnClickCheck;

protected:
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyPress(char32_t& Key) override;

private:
    // The user's toggle of an item: next state, repaint, OnClickCheck.
    void ToggleByUser(int index);
    bool m_allowGrayed = false;
};
