#include "bars/BarItemActionLink.h"

#include "bars/BarItem.h"

TzqBarItemActionLink::TzqBarItemActionLink(TzqBarItem* Item) : TActionLink(Item), m_item(Item) {}

void TzqBarItemActionLink::Change()
{
    TActionLink::Change();
    if (TBasicAction* action = TBasicActionLink::Action())
        m_item->ActionChange(action, false);
}
