// The groups of a side bar, in order. Keeps the side bar's active group right as groups
// come, go, show and hide.
#pragma once

#include "platform/core/Collection.h"
#include "sidebar/SideGroup.h"

class TzqSideBar;

class TzqSideGroups : public TCollectionOf<TzqSideGroup> {
public:
    explicit TzqSideGroups(TzqSideBar* SideBar);

    TzqSideBar* SideBar() const { return m_sideBar; }

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    TzqSideBar* m_sideBar;
};
