#include "sidebar/StoredSideBarItemsStoreStrings.h"

#include "sidebar/SideBarError.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/StoredSideItem.h"

namespace {

const char* const CategoryHasItems = "Can't delete the group. It has items.";
const char* const DefaultCategory = "Default";

} // namespace

TStoredSideBarItemsStoreStrings::TStoredSideBarItemsStoreStrings(TzqSideBarStore* Store) : m_store(Store) {}

bool TStoredSideBarItemsStoreStrings::Loading() const
{
    return m_store && m_store->IsLoading();
}

bool TStoredSideBarItemsStoreStrings::HasItemsFrom(int index) const
{
    if (!m_store || Loading())
        return false;
    for (int i = 0; i < m_store->StoredItemCount(); ++i)
        if (m_store->StoredItems(i)->Category() >= index)
            return true;
    return false;
}

template <typename Which, typename Change>
void TStoredSideBarItemsStoreStrings::Remap(Which which, Change change)
{
    if (!m_store)
        return;
    for (int i = 0; i < m_store->StoredItemCount(); ++i) {
        TzqStoredSideItem* item = m_store->StoredItems(i);
        if (which(item->m_category))
            item->m_category = change(item->m_category);
    }
}

void TStoredSideBarItemsStoreStrings::AddDefaultWhenEmpty()
{
    if (Empty() && !Loading())
        TStringList::AddData(DefaultCategory, 0);
}

void TStoredSideBarItemsStoreStrings::Clear()
{
    if (m_store && !Loading() && m_store->StoredItemCount() > 0)
        throw EzqSideBarError(CategoryHasItems);
    BeginUpdate();
    while (!Empty())
        TStringList::Delete(Count() - 1);
    AddDefaultWhenEmpty();
    EndUpdate();
}

void TStoredSideBarItemsStoreStrings::Delete(int index)
{
    CheckIndex(index);
    if (!Loading())
        for (int i = 0; m_store && i < m_store->StoredItemCount(); ++i)
            if (m_store->StoredItems(i)->Category() == index)
                throw EzqSideBarError(CategoryHasItems);
    Remap([index](int c) { return c > index; }, [](int c) { return c - 1; });
    TStringList::Delete(index);
    AddDefaultWhenEmpty();
}

void TStoredSideBarItemsStoreStrings::InsertData(int index, const std::string& s, intptr_t data)
{
    TStringList::InsertData(index, s, data);
    Remap([index](int c) { return c >= index; }, [](int c) { return c + 1; });
}

void TStoredSideBarItemsStoreStrings::Move(int fromIndex, int toIndex)
{
    TStringList::Move(fromIndex, toIndex);
    if (fromIndex == toIndex)
        return;
    // The entries between the two places shift by one toward the old place.
    Remap([](int) { return true; },
          [fromIndex, toIndex](int c) {
              if (c == fromIndex)
                  return toIndex;
              if (fromIndex < toIndex && c > fromIndex && c <= toIndex)
                  return c - 1;
              if (toIndex < fromIndex && c >= toIndex && c < fromIndex)
                  return c + 1;
              return c;
          });
}

void TStoredSideBarItemsStoreStrings::Exchange(int index1, int index2)
{
    TStringList::Exchange(index1, index2);
    Remap([index1, index2](int c) { return c == index1 || c == index2; },
          [index1, index2](int c) { return c == index1 ? index2 : index1; });
}

void TStoredSideBarItemsStoreStrings::Assign(const TStrings& other)
{
    if (other.Empty())
        return Clear();
    if (other.Count() < Count() && HasItemsFrom(other.Count()))
        throw EzqSideBarError(CategoryHasItems);
    BeginUpdate();
    while (Count() > other.Count())
        TStringList::Delete(Count() - 1);
    while (Count() < other.Count())
        TStringList::AddData(other.Strings(Count()), 0);
    // Renaming in place leaves the items where they are.
    for (int i = 0; i < Count(); ++i)
        TStringList::SetStrings(i, other.Strings(i));
    EndUpdate();
}
