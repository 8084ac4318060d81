#include "sidebar/SideBarItems.h"

#include "sidebar/SideBar.h"
#include "sidebar/SideGroup.h"

TzqSideBarItems::TzqSideBarItems(TzqSideGroup* Group) : m_group(Group) {}

void TzqSideBarItems::Update(TCollectionItem* Item)
{
    if (m_group)
        m_group->ItemsChanged();
}

void TzqSideBarItems::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
    if (Action == TCollectionNotification::cnAdded || !m_group)
        return;
    if (TzqSideBar* sideBar = m_group->SideBar())
        sideBar->ItemRemoving(static_cast<TzqSideBarItem*>(Item), Action == TCollectionNotification::cnDeleting);
}
