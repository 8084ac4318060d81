// TzqBarSubItemControl: a submenu item (or a list or container item) in a bar: a
// captioned button whose click opens its menu (the menus fill in the opening).
#pragma once

#include "bars/BarButtonControl.h"

class TzqBarSubItemControl : public TzqBarButtonControl {
public:
    using TzqBarButtonControl::TzqBarButtonControl;
    void Click() override;
};
