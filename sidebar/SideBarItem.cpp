#include "sidebar/SideBarItem.h"

#include "sidebar/SideBar.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideGroup.h"
#include "sidebar/StoredSideItem.h"

TzqSideBarItem::TzqSideBarItem(TCollection* Collection) : TCollectionItem(Collection) {}

TzqSideBarItem::~TzqSideBarItem()
{
    if (m_storedItem)
        m_storedItem->Unlink(this);
    // Deleted directly (not through its collection): the side bar hears of a deletion,
    // with a complete item, before the item leaves its group.
    if (TzqSideBar* sideBar = SideBar())
        sideBar->ItemRemoving(this, true);
    SetCollection(nullptr);
}

TzqSideGroup* TzqSideBarItem::Group() const
{
    auto* items = dynamic_cast<TzqSideBarItems*>(Collection());
    return items ? items->Group() : nullptr;
}

TzqSideBar* TzqSideBarItem::SideBar() const
{
    TzqSideGroup* group = Group();
    return group ? group->SideBar() : nullptr;
}

bool TzqSideBarItem::Loading() const
{
    TzqSideBar* sideBar = SideBar();
    return sideBar && sideBar->IsLoading();
}

std::string TzqSideBarItem::Caption() const
{
    return Linked() ? m_storedItem->Caption() : m_caption;
}

std::string TzqSideBarItem::Hint() const
{
    return Linked() ? m_storedItem->Hint() : m_hint;
}

int TzqSideBarItem::LargeImage() const
{
    return Linked() ? m_storedItem->LargeImage() : m_largeImage;
}

int TzqSideBarItem::SmallImage() const
{
    return Linked() ? m_storedItem->SmallImage() : m_smallImage;
}

bool TzqSideBarItem::Enabled() const
{
    return Linked() ? m_storedItem->Enabled() : m_enabled;
}

template <typename T>
void TzqSideBarItem::SetOwnValue(T& field, const T& value, T current, T stored)
{
    if (value == current)
        return;
    field = value;
    if (m_storedItem && value != stored)
        m_isDefault = false;
    Changed(false);
}

void TzqSideBarItem::SetCaption(const std::string& value)
{
    SetOwnValue(m_caption, value, Caption(), m_storedItem ? m_storedItem->Caption() : std::string());
}

void TzqSideBarItem::SetHint(const std::string& value)
{
    SetOwnValue(m_hint, value, Hint(), m_storedItem ? m_storedItem->Hint() : std::string());
}

void TzqSideBarItem::SetLargeImage(int value)
{
    SetOwnValue(m_largeImage, value, LargeImage(), m_storedItem ? m_storedItem->LargeImage() : 0);
}

void TzqSideBarItem::SetSmallImage(int value)
{
    SetOwnValue(m_smallImage, value, SmallImage(), m_storedItem ? m_storedItem->SmallImage() : 0);
}

void TzqSideBarItem::SetEnabled(bool value)
{
    SetOwnValue(m_enabled, value, Enabled(), m_storedItem ? m_storedItem->Enabled() : false);
}

void TzqSideBarItem::SetCustomData(const std::string& value)
{
    m_customData = value;
}

void TzqSideBarItem::SetTag(int value)
{
    m_tag = value;
}

void TzqSideBarItem::SetIsDefault(bool value)
{
    if (value == m_isDefault)
        return;
    m_isDefault = value;
    if (value && m_storedItem) {
        m_caption = m_storedItem->Caption();
        m_hint = m_storedItem->Hint();
        m_enabled = m_storedItem->Enabled();
        m_largeImage = m_storedItem->LargeImage();
        m_smallImage = m_storedItem->SmallImage();
    }
    Changed(false);
}

void TzqSideBarItem::SetStoredItem(TzqStoredSideItem* value)
{
    if (value == m_storedItem)
        return;
    if (m_storedItem)
        m_storedItem->Unlink(this);
    m_storedItem = value;
    if (m_storedItem) {
        m_storedItem->Link(this);
        if (!Loading()) {
            m_caption = m_storedItem->Caption();
            m_largeImage = m_storedItem->LargeImage();
            m_smallImage = m_storedItem->SmallImage();
            m_tag = static_cast<int>(m_storedItem->Tag());
            m_isDefault = true;
        }
    }
    Changed(false);
}

void TzqSideBarItem::StoredItemChanged()
{
    if (m_isDefault)
        Changed(false);
}

void TzqSideBarItem::UnlinkKeepingValues()
{
    TzqStoredSideItem* stored = m_storedItem;
    if (!stored)
        return;
    StoredItemDestroyed();
    stored->Unlink(this);
}

void TzqSideBarItem::StoredItemDestroyed()
{
    if (Linked()) {
        m_caption = m_storedItem->Caption();
        m_hint = m_storedItem->Hint();
        m_enabled = m_storedItem->Enabled();
        m_largeImage = m_storedItem->LargeImage();
        m_smallImage = m_storedItem->SmallImage();
    }
    m_storedItem = nullptr;
    Changed(false);
}

void TzqSideBarItem::Assign(const TCollectionItem& Source)
{
    const auto* source = dynamic_cast<const TzqSideBarItem*>(&Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    if (m_storedItem != source->m_storedItem) {
        if (m_storedItem)
            m_storedItem->Unlink(this);
        m_storedItem = source->m_storedItem;
        if (m_storedItem)
            m_storedItem->Link(this);
    }
    m_hint = source->Hint();
    m_caption = source->Caption();
    m_isDefault = source->m_isDefault;
    m_tag = source->m_tag;
    m_customData = source->m_customData;
    m_largeImage = source->LargeImage();
    m_smallImage = source->SmallImage();
    m_enabled = source->Enabled();
}

std::string TzqSideBarItem::DisplayName() const
{
    const std::string caption = Caption();
    return caption.empty() ? TCollectionItem::DisplayName() : caption;
}
