#include "sidebar/StoredSideItem.h"

#include "platform/controls/Action.h"
#include "platform/controls/PopupMenu.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarItemActionLink.h"
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
    SetAction(nullptr);
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
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_popupMenu)
        m_popupMenu = nullptr;
    if (AComponent && AComponent == Action())
        SetAction(nullptr);
}

void TzqStoredSideItem::Loaded()
{
    TComponent::Loaded();
    if (TBasicAction* action = Action())
        ActionChange(action, true);
}

// ---- Action ----

TBasicAction* TzqStoredSideItem::Action() const
{
    return m_actionLink ? m_actionLink->TBasicActionLink::Action() : nullptr;
}

void TzqStoredSideItem::SetAction(TBasicAction* value)
{
    TBasicAction* old = Action();
    if (value == old && (value || !m_actionLink))
        return;
    if (old)
        old->RemoveFreeNotification(this);
    if (!value) {
        m_actionLink.reset();
        return;
    }
    if (!m_actionLink)
        m_actionLink = std::make_unique<TzqSideBarItemActionLink>(this);
    m_actionLink->SetAction(value);
    value->FreeNotification(this);
    ActionChange(value, value->IsLoading());
}

void TzqStoredSideItem::ActionChange(TBasicAction* action, bool checkDefaults)
{
    auto* source = dynamic_cast<TAction*>(action);
    if (!source)
        return;
    if (!checkDefaults || m_caption.empty() || m_caption == "New Item")
        SetCaption(source->Caption());
    if (!checkDefaults || m_enabled)
        SetEnabled(source->Enabled());
    if (!checkDefaults || m_hint.empty())
        SetHint(source->Hint());
    if (!checkDefaults || m_largeImage == -1)
        SetLargeImage(source->ImageIndex());
}

void TzqStoredSideItem::UpdateAction()
{
    if (m_actionLink)
        m_actionLink->Update();
}

bool TzqStoredSideItem::Click(TObject* Sender, TzqSideBarItem* Item)
{
    if (OnClick) {
        OnClick(Sender, Item);
        return true;
    }
    return m_actionLink && m_actionLink->Execute();
}

bool TzqStoredSideItem::IsCaptionStored() const
{
    return !m_actionLink || !m_actionLink->IsCaptionLinked();
}

bool TzqStoredSideItem::IsEnabledStored() const
{
    return !m_actionLink || !m_actionLink->IsEnabledLinked();
}

bool TzqStoredSideItem::IsHintStored() const
{
    return !m_actionLink || !m_actionLink->IsHintLinked();
}

bool TzqStoredSideItem::IsLargeImageStored() const
{
    return !m_actionLink || !m_actionLink->IsImageIndexLinked();
}

// ---- Form streaming ----

TComponent* TzqStoredSideItem::ParentComponent() const
{
    return m_store;
}

void TzqStoredSideItem::SetParentComponent(TComponent* value)
{
    if (auto* store = dynamic_cast<TzqSideBarStore*>(value))
        SetStore(store);
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
