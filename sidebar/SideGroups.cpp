#include "sidebar/SideGroups.h"

#include "sidebar/SideBar.h"
#include "sidebar/SideBarItems.h"

TzqSideGroups::TzqSideGroups(TzqSideBar* SideBar) : TCollectionOf<TzqSideGroup>(SideBar), m_sideBar(SideBar) {}

void TzqSideGroups::Update(TCollectionItem* Item)
{
    if (m_sideBar)
        m_sideBar->GroupsChanged();
}

void TzqSideGroups::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
    if (!m_sideBar)
        return;
    auto* group = static_cast<TzqSideGroup*>(Item);
    if (Action == TCollectionNotification::cnAdded) {
        m_sideBar->GroupAdded(group);
        return;
    }
    // A group that dies takes its items along while the side bar still sees them, so
    // that OnDeleteItem fires for each.
    if (Action == TCollectionNotification::cnDeleting)
        group->Items()->Clear();
    m_sideBar->GroupRemoving(group);
}
