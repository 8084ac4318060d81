#include "sidebar/SideBarStore.h"

#include "platform/core/StringList.h"
#include "platform/drawing/ImageList.h"
#include "sidebar/SideBar.h"
#include "sidebar/StoredSideBarItemsStoreStrings.h"
#include "sidebar/StoredSideItem.h"

#include <algorithm>

TzqSideBarStore::TzqSideBarStore(TComponent* AOwner)
    : TComponent(AOwner), m_categories(std::make_unique<TStoredSideBarItemsStoreStrings>(this))
{
    m_categories->Add("Default");
    m_largeLink.OnChange = [this](TObject*) { RepaintSideBars(); };
    m_smallLink.OnChange = [this](TObject*) { RepaintSideBars(); };
}

TzqSideBarStore::~TzqSideBarStore()
{
    // Side bars asked to be told: they forget the store and keep their groups.
    BeforeDestruction();
    m_sideBars.clear();
    const std::vector<TzqStoredSideItem*> items = m_items;
    for (TzqStoredSideItem* item : items)
        item->SetStore(nullptr);
    SetLargeImages(nullptr);
    SetSmallImages(nullptr);
}

void TzqSideBarStore::SetCategories(const TStrings& value)
{
    m_categories->Assign(value);
}

TzqStoredSideItem* TzqSideBarStore::StoredItems(int index) const
{
    if (index < 0 || index >= StoredItemCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_items[size_t(index)];
}

TzqSideBar* TzqSideBarStore::SideBars(int index) const
{
    if (index < 0 || index >= SideBarCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_sideBars[size_t(index)];
}

void TzqSideBarStore::SetImageList(TImageList*& slot, TChangeLink& link, TImageList* value)
{
    if (value == slot)
        return;
    if (slot) {
        slot->UnRegisterChanges(&link);
        slot->RemoveFreeNotification(this);
    }
    slot = value;
    if (slot) {
        slot->RegisterChanges(&link);
        slot->FreeNotification(this);
    }
    RepaintSideBars();
}

void TzqSideBarStore::SetLargeImages(TImageList* value)
{
    SetImageList(m_largeImages, m_largeLink, value);
}

void TzqSideBarStore::SetSmallImages(TImageList* value)
{
    SetImageList(m_smallImages, m_smallLink, value);
}

void TzqSideBarStore::RepaintSideBars()
{
    for (TzqSideBar* sideBar : m_sideBars)
        sideBar->StoreChanged();
}

void TzqSideBarStore::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_largeImages) {
        m_largeImages = nullptr;
        RepaintSideBars();
    }
    if (AComponent == m_smallImages) {
        m_smallImages = nullptr;
        RepaintSideBars();
    }
}

void TzqSideBarStore::AddSideBar(TzqSideBar* sideBar)
{
    if (std::find(m_sideBars.begin(), m_sideBars.end(), sideBar) == m_sideBars.end())
        m_sideBars.push_back(sideBar);
}

void TzqSideBarStore::RemoveSideBar(TzqSideBar* sideBar)
{
    m_sideBars.erase(std::remove(m_sideBars.begin(), m_sideBars.end(), sideBar), m_sideBars.end());
}

void TzqSideBarStore::AddItem(TzqStoredSideItem* item)
{
    if (std::find(m_items.begin(), m_items.end(), item) == m_items.end())
        m_items.push_back(item);
}

void TzqSideBarStore::RemoveItem(TzqStoredSideItem* item)
{
    m_items.erase(std::remove(m_items.begin(), m_items.end(), item), m_items.end());
}
