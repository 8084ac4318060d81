// The category names of a side-bar store. The stored items refer to their category by
// index, so the list keeps them pointing at the same names: inserting, moving and
// exchanging entries carries the items' Category along, and an entry (or the whole
// list) that still has stored items cannot be deleted. Outside loading the list is
// never empty: "Default" comes back when the last entry goes.
#pragma once

#include "platform/core/StringList.h"

class TzqSideBarStore;

class TStoredSideBarItemsStoreStrings : public TStringList {
public:
    explicit TStoredSideBarItemsStoreStrings(TzqSideBarStore* Store);

    TzqSideBarStore* Store() const { return m_store; }

    // Raises EzqSideBarError when the store has stored items (outside loading).
    void Clear();
    // Raises EzqSideBarError when a stored item has this category.
    void Delete(int index) override;
    void InsertData(int index, const std::string& s, intptr_t data) override;
    void Move(int fromIndex, int toIndex) override;
    void Exchange(int index1, int index2) override;
    // Takes the other list's names in place: entries that go must have no items
    // (EzqSideBarError, nothing changed); an empty list clears.
    void Assign(const TStrings& other);

private:
    // The store is being loaded: no "Default" is added and no item is checked.
    bool Loading() const;
    bool HasItemsFrom(int index) const;
    // Every stored item whose Category satisfies `which` gets `change` applied.
    template <typename Which, typename Change>
    void Remap(Which which, Change change);
    void AddDefaultWhenEmpty();

    TzqSideBarStore* m_store;
};
