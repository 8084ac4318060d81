#include "sidebar/StoredSideItem.h"

#include "platform/controls/PopupMenu.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideGroups.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/StoredSideBarItemsStoreStrings.h"

#include <algorithm>

TzqStoredSideItem::TzqStoredSideItem(TComponent* AOwner) : TComponent(AOwner) {}

TzqStoredSideItem::~TzqStoredSideItem()
{
    DestroyLinkedItems();
    // Items elsewhere forget the link; each keeps what it shows now as its own values.
    const std::vector<TzqSideBarItem*> links = m_links;
    for (TzqSideBarItem* item : links)
        item->StoredItemDestroyed();
    SetStore(nullptr);
}

void TzqStoredSideItem::DestroyLinkedItems()
{
    // A dying store leaves its side bars' items alone.
    if (!m_store || m_store->IsDestroying())
        return;
    const std::vector<TzqSideBarItem*> links = m_links;
    for (TzqSideBarItem* item : links) {
        TzqSideBar* sideBar = item->SideBar();
        if (!sideBar || sideBar->Store() != m_store || sideBar->IsDestroying() || sideBar->Groups()->Count() == 0)
            continue;
        // Through the collection, so that the side bar fires OnDeleteItem.
        item->Collection()->Delete(item->Index());
    }
}

void TzqStoredSideItem::SetStore(TzqSideBarStore* value)
{
    if (value == m_store)
        return;
    if (m_store) {
        DestroyLinkedItems();
        m_store->RemoveItem(this);
    }
    m_store = value;
    if (m_store) {
        m_store->AddItem(this);
        if (!IsLoading())
            m_category = 0;
    }
}

void TzqStoredSideItem::SetCategory(int value)
{
    // Loading keeps any index: the categories may not all be read yet.
    if (!IsLoading()) {
        const int count = m_store ? m_store->Categories()->Count() : 0;
        if (value < 0 || value >= count)
            return;
    }
    m_category = value;
}

void TzqStoredSideItem::SetPopupMenu(TPopupMenu* value)
{
    if (value == m_popupMenu)
        return;
    if (m_popupMenu)
        m_popupMenu->RemoveFreeNotification(this);
    m_popupMenu = value;
    if (m_popupMenu)
        m_popupMenu->FreeNotification(this);
}

void TzqStoredSideItem::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_popupMenu)
        m_popupMenu = nullptr;
}

void TzqStoredSideItem::SetCaption(const std::string& value)
{
    if (value == m_caption)
        return;
    m_caption = value;
    Changed();
}

void TzqStoredSideItem::SetHint(const std::string& value)
{
    if (value == m_hint)
        return;
    m_hint = value;
    Changed();
}

void TzqStoredSideItem::SetEnabled(bool value)
{
    if (value == m_enabled)
        return;
    m_enabled = value;
    Changed();
}

void TzqStoredSideItem::SetLargeImage(int value)
{
    if (value == m_largeImage)
        return;
    m_largeImage = value;
    Changed();
}

void TzqStoredSideItem::SetSmallImage(int value)
{
    if (value == m_smallImage)
        return;
    m_smallImage = value;
    Changed();
}

void TzqStoredSideItem::Changed()
{
    const std::vector<TzqSideBarItem*> links = m_links;
    for (TzqSideBarItem* item : links)
        item->StoredItemChanged();
    if (m_store)
        m_store->RepaintSideBars();
}

void TzqStoredSideItem::Link(TzqSideBarItem* item)
{
    if (std::find(m_links.begin(), m_links.end(), item) == m_links.end())
        m_links.push_back(item);
}

void TzqStoredSideItem::Unlink(TzqSideBarItem* item)
{
    m_links.erase(std::remove(m_links.begin(), m_links.end(), item), m_links.end());
}
