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
    BeforeDestruction();
    // Told here, not only through free notification: no side bar keeps a dangling Store.
    while (!m_sideBars.empty())
        m_sideBars.back()->StoreDestroyed();
    // Being destroyed, the store leaves the side bars' items alone (see
    // TzqStoredSideItem::DestroyLinkedItems); the items linked elsewhere keep what they show.
    while (!m_items.empty()) {
        TzqStoredSideItem* item = m_items.back();
        if (item->Owner())
            delete item; // leaves the store and its owner
        else
            item->SetStore(nullptr);
    }
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

void TzqSideBarStore::SetDefaultImage(int& slot, int value)
{
    if (value < -1 || value == slot)
        return;
    slot = value;
    RepaintSideBars();
}

void TzqSideBarStore::SetDefaultLargeImage(int value)
{
    SetDefaultImage(m_defaultLargeImage, value);
}

void TzqSideBarStore::SetDefaultSmallImage(int value)
{
    SetDefaultImage(m_defaultSmallImage, value);
}

std::vector<TzqStoredSideItem*> TzqSideBarStore::Children(const TComponent* root) const
{
    std::vector<TzqStoredSideItem*> out;
    for (TzqStoredSideItem* item : m_items)
        if (item->Owner() == root)
            out.push_back(item);
    return out;
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
