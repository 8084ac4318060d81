// The items of a side-bar group, in order. Changes to the items of the active group lay
// the side bar out again; an item about to be freed is reported to the side bar.
#pragma once

#include "platform/core/Collection.h"
#include "sidebar/SideBarItem.h"

class TzqSideGroup;

class TzqSideBarItems : public TCollectionOf<TzqSideBarItem> {
public:
    explicit TzqSideBarItems(TzqSideGroup* Group);

    TzqSideGroup* Group() const { return m_group; }

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    TzqSideGroup* m_group;
};
