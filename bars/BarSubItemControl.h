// TzqBarSubItemControl: a submenu item (or a list or container item) in a bar or menu:
// a captioned button that opens its menu. In a bar a press opens the menu (and a second
// one closes it); in a menu a press opens it at once and resting on it for a moment does
// too.
#pragma once

#include "bars/BarButtonControl.h"

class TzqBarSubItemControl : public TzqBarButtonControl {
public:
    using TzqBarButtonControl::TzqBarButtonControl;
    bool HasMenu() const override { return true; }
    // Fires OnPopup, then the item's click, builds the menu, plays "MenuPopup" and shows
    // it; by keyboard its first link is selected.
    void DropDown(bool ByMouse) override;
    void MouseDown(TPoint Pt) override;
    void MouseUp(TPoint Pt) override {}
    void Click() override { DropDown(false); }
};
