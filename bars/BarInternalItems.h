// Item kinds the manager makes for its own menus and never offers to the user: the
// system menu of a maximized MDI child (placed first in the main menu bar), and the
// entries of the quick-customization popup (a check box per link, and the button that
// opens the customizing form). Their windows and behaviour belong to the menu and
// customizing code; here they are kinds the item-kind registry knows by class.
#pragma once

#include "bars/BarButton.h"
#include "bars/BarSubItem.h"

class TSystemMenuSubItem : public TCustomzqBarSubItem {
public:
    using TCustomzqBarSubItem::TCustomzqBarSubItem;
    bool HiddenInCustomizingLists() const override { return true; }
};

class TzqBarQuickCustItem : public TzqBarButton {
public:
    using TzqBarButton::TzqBarButton;
    bool HiddenInCustomizingLists() const override { return true; }
};

class TzqBarQuickCustExtButton : public TzqBarButton {
public:
    using TzqBarButton::TzqBarButton;
    bool HiddenInCustomizingLists() const override { return true; }
};
