#include "sidebar/SideGroup.h"

#include "sidebar/SideBar.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideGroups.h"

TzqSideGroup::TzqSideGroup(TCollection* Collection)
    : TCollectionItem(Collection), m_items(std::make_unique<TzqSideBarItems>(this))
{
}

TzqSideGroup::~TzqSideGroup()
{
    // Deleted directly (not through its collection): the items go while the side bar
    // still sees them, each firing OnDeleteItem. Then the group leaves while still
    // whole: the side bar forgets it.
    if (SideBar())
        m_items->Clear();
    SetCollection(nullptr);
    m_items.reset();
}

TzqSideBar* TzqSideGroup::SideBar() const
{
    auto* groups = dynamic_cast<TzqSideGroups*>(Collection());
    return groups ? groups->SideBar() : nullptr;
}

bool TzqSideGroup::IsActive() const
{
    TzqSideBar* sideBar = SideBar();
    return sideBar && sideBar->ActiveGroup() == this;
}

void TzqSideGroup::SetCaption(const std::string& value)
{
    if (value == m_caption)
        return;
    m_caption = value;
    TzqSideBar* sideBar = SideBar();
    if (!sideBar)
        return;
    if (!m_assigning && !sideBar->IsLoading() && !sideBar->IsDestroying() && sideBar->OnChangeGroupCaption)
        sideBar->OnChangeGroupCaption(this, this);
    sideBar->InvalidateGroupHeader(this);
}

void TzqSideGroup::SetIconType(TzqSideGroupIconType value)
{
    if (value == m_iconType)
        return;
    m_iconType = value;
    m_topItemIndex = 0;
    Changed(false);
}

void TzqSideGroup::SetVisible(bool value)
{
    if (value == m_visible)
        return;
    m_visible = value;
    Changed(false);
}

void TzqSideGroup::SetItems(const TzqSideBarItems& value)
{
    m_topItemIndex = 0;
    m_items->Assign(value);
}

void TzqSideGroup::SetTopItemIndex(int value)
{
    if (value == m_topItemIndex || value < 0 || value >= m_items->Count())
        return;
    m_topItemIndex = value;
    if (IsActive())
        SideBar()->ActiveItemsChanged();
}

void TzqSideGroup::ItemsChanged()
{
    if (m_topItemIndex >= m_items->Count())
        m_topItemIndex = m_items->Count() > 0 ? m_items->Count() - 1 : 0;
    if (IsActive())
        SideBar()->ActiveItemsChanged();
}

void TzqSideGroup::Assign(const TCollectionItem& Source)
{
    const auto* source = dynamic_cast<const TzqSideGroup*>(&Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    m_assigning = true;
    try {
        SetCaption(source->Caption());
        SetIconType(source->IconType());
        SetVisible(source->Visible());
        SetItems(*source->Items());
    } catch (...) {
        m_assigning = false;
        throw;
    }
    m_assigning = false;
}
