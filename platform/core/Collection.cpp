#include "platform/core/Collection.h"

#include "platform/core/Exception.h"
#include "platform/core/StringList.h"

#include <algorithm>

namespace {

[[noreturn]] void IndexError(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

// Ends a batch however the block is left.
struct UpdateGuard {
    TCollection& collection;
    explicit UpdateGuard(TCollection& c) : collection(c) { collection.BeginUpdate(); }
    ~UpdateGuard() { collection.EndUpdate(); }
};

} // namespace

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* Collection)
{
    // Joined quietly: the item is not complete yet, so the collection announces it
    // (Notify, Update) once Add or Insert has it whole.
    if (Collection)
        Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem()
{
    if (m_collection)
        m_collection->RemoveItem(this, TCollectionNotification::cnDeleting);
}

void TCollectionItem::SetCollection(TCollection* value)
{
    if (value == m_collection)
        return;
    if (m_collection)
        m_collection->RemoveItem(this, TCollectionNotification::cnExtracting);
    if (value) {
        value->InsertItem(this);
        value->Notify(this, TCollectionNotification::cnAdded);
        value->Changed();
    }
}

int TCollectionItem::Index() const
{
    return m_collection ? m_collection->IndexOf(this) : -1;
}

void TCollectionItem::SetIndex(int value)
{
    const int current = Index();
    if (current < 0)
        return;
    value = std::clamp(value, 0, m_collection->Count() - 1);
    if (value == current)
        return;
    m_collection->MoveItem(current, value);
    Changed(true);
}

std::string TCollectionItem::DisplayName() const
{
    return m_displayName.empty() ? ClassNameOf(*this) : m_displayName;
}

void TCollectionItem::SetDisplayName(const std::string& value)
{
    if (value == m_displayName)
        return;
    m_displayName = value;
    Changed(false);
}

void TCollectionItem::Assign(const TCollectionItem& Source)
{
    throw EInvalidOperation("Cannot assign a " + ClassNameOf(Source) + " to a " + ClassNameOf(*this));
}

void TCollectionItem::Changed(bool AllItems)
{
    if (m_collection && m_collection->m_updateCount == 0)
        m_collection->Update(AllItems ? nullptr : this);
}

TComponent* TCollectionItem::GetOwner() const
{
    return m_collection ? m_collection->Owner() : nullptr;
}

// ---- TCollection ----

TCollection::TCollection(TItemFactory ItemClass, TComponent* Owner) : m_itemClass(std::move(ItemClass)), m_owner(Owner) {}

TCollection::~TCollection()
{
    // No notices: descendants overriding Notify and Update are gone already.
    m_destroying = true;
    while (!m_items.empty()) {
        TCollectionItem* item = m_items.back();
        m_items.pop_back();
        item->m_collection = nullptr;
        delete item;
    }
}

TCollectionItem* TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        IndexError(Index);
    return m_items[static_cast<size_t>(Index)];
}

TCollectionItem* TCollection::Add()
{
    if (!m_itemClass)
        throw EInvalidOperation("The collection has no item class");
    TCollectionItem* item = m_itemClass(this);
    if (!item)
        throw EInvalidOperation("The collection's item class made no item");
    if (item->m_collection != this) {
        item->SetCollection(this); // a factory that made a free item: announced there
        return item;
    }
    Notify(item, TCollectionNotification::cnAdded);
    Changed();
    return item;
}

TCollectionItem* TCollection::Insert(int Index)
{
    UpdateGuard batch(*this);
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(int Index)
{
    TCollectionItem* item = Items(Index);
    RemoveItem(item, TCollectionNotification::cnDeleting);
    delete item;
}

void TCollection::Clear()
{
    if (m_items.empty())
        return;
    UpdateGuard batch(*this);
    while (!m_items.empty())
        Delete(Count() - 1);
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* item : m_items)
        if (item->m_id == ID)
            return item;
    return nullptr;
}

int TCollection::IndexOf(const TCollectionItem* Item) const
{
    auto it = std::find(m_items.begin(), m_items.end(), Item);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TCollection::Assign(const TCollection& Source)
{
    if (&Source == this)
        return;
    UpdateGuard batch(*this);
    Clear();
    // The source may change under a handler of ours; walk it by position.
    for (int i = 0; i < Source.Count(); ++i)
        Add()->Assign(*Source.Items(i));
}

void TCollection::BeginUpdate()
{
    ++m_updateCount;
}

void TCollection::EndUpdate()
{
    if (m_updateCount > 0 && --m_updateCount == 0)
        Changed();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed()
{
    if (m_updateCount == 0 && !m_destroying)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    Item->m_collection = this;
    Item->m_id = m_nextID++;
    m_items.push_back(Item);
}

void TCollection::RemoveItem(TCollectionItem* Item, TCollectionNotification Action)
{
    if (!m_destroying)
        Notify(Item, Action);
    // A handler of Notify may have moved or removed it already. Items mostly go newest
    // first, so the search starts at the end.
    auto it = std::find(m_items.rbegin(), m_items.rend(), Item);
    if (it == m_items.rend())
        return;
    m_items.erase(std::next(it).base());
    Item->m_collection = nullptr;
    Changed();
}

void TCollection::MoveItem(int From, int To)
{
    TCollectionItem* item = m_items[static_cast<size_t>(From)];
    m_items.erase(m_items.begin() + From);
    m_items.insert(m_items.begin() + To, item);
}
