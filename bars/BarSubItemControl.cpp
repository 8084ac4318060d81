#include "bars/BarSubItemControl.h"

#include "bars/BarItem.h"
#include "bars/BarItemLink.h"

void TzqBarSubItemControl::Click()
{
    TzqBarItem* item = Item();
    if (!item)
        return;
    // The submenu window belongs to the menus; the item learns through which link it
    // was opened.
    item->SetActiveLink(Link());
    item->DirectClick();
}
