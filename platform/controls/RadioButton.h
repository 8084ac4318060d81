// A radio button: checking it clears the radio buttons beside it (the siblings under
// the same parent form one group). Only the checked button of a group is a tab stop;
// the arrow keys move among the group and check the button they reach.
#pragma once

#include "platform/controls/ButtonControl.h"

#include <vector>

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    bool Checked() const { return m_checked; }
    // Setting true clears the other buttons of the group. No OnClick.
    void SetChecked(bool value);

    // The radio buttons sharing this one's parent, this one included.
    std::vector<TRadioButton*> Group() const;

    void SetParent(TWinControl* AParent) override;

protected:
    void Toggle() override;
    unsigned BoxState() const override;
    void WndProc(TMessage& Message) override;

private:
    void UpdateGroupTabStops();
    bool m_checked = false;
};
