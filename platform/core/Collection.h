// Collections: ordered lists of items that belong to them, each item knowing its
// collection, its position and a unique ID. Groups of a side bar, link lists of menus
// and the buttons of an editor are collections. The collection makes its items through
// a factory (the item class), tells descendants of every addition and removal
// (Notify) and of every change (Update), and folds the changes of a batch between
// BeginUpdate and EndUpdate into one Update for the whole collection.
#pragma once

#include "platform/core/Object.h"

#include <functional>
#include <string>
#include <vector>

class TCollection;
class TComponent;

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TObject {
public:
    // Joins `Collection` at its end (when given).
    explicit TCollectionItem(TCollection* Collection);
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;
    // Leaves its collection, which is told first (cnDeleting).
    ~TCollectionItem() override;

    TCollection* Collection() const { return m_collection; }
    // Moves the item to another collection (or out of any, with null).
    void SetCollection(TCollection* value);

    // The position in the collection (-1 outside one). Setting it moves the item;
    // positions past either end are clamped to the first or last place.
    int Index() const;
    virtual void SetIndex(int value);
    // Unique within the collection for its lifetime; never reused.
    int ID() const { return m_id; }

    // The name shown in lists: the one set, else the item's class name.
    virtual std::string DisplayName() const;
    virtual void SetDisplayName(const std::string& value);

    // Copies what an item of the same kind holds. Items that can be copied override
    // it; the base raises EInvalidOperation, so that copying a collection of items that
    // cannot be copied fails loudly instead of producing blank items.
    virtual void Assign(const TCollectionItem& Source);

protected:
    // Tells the collection that this item (or, with AllItems, the whole collection)
    // changed; nothing is told while the collection is being updated in a batch.
    void Changed(bool AllItems);
    // The object that owns the collection (for names and notifications).
    TComponent* GetOwner() const;

private:
    friend class TCollection;
    TCollection* m_collection = nullptr;
    int m_id = 0;
    std::string m_displayName;
};

class TCollection : public TObject {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;

    // `ItemClass` makes one item in the given collection (its constructor joins it).
    explicit TCollection(TItemFactory ItemClass, TComponent* Owner = nullptr);
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;
    // Frees every item (without Notify calls: the collection is going away).
    ~TCollection() override;

    TComponent* Owner() const { return m_owner; }

    int Count() const { return static_cast<int>(m_items.size()); }
    // The item at a position; raises EListError outside 0..Count-1.
    TCollectionItem* Items(int Index) const;
    TCollectionItem* operator[](int Index) const { return Items(Index); }

    // Makes a new item at the end.
    TCollectionItem* Add();
    // Makes a new item at a position (clamped to 0..Count).
    TCollectionItem* Insert(int Index);
    // Frees the item at a position; raises EListError outside 0..Count-1.
    void Delete(int Index);
    // Frees every item, in one batch.
    void Clear();
    // The item with the ID, or null.
    TCollectionItem* FindItemID(int ID) const;
    int IndexOf(const TCollectionItem* Item) const;

    // Makes this collection a copy of another: the same number of items, each item
    // copied with its Assign, all in one batch.
    virtual void Assign(const TCollection& Source);

    // Batches: between BeginUpdate and the matching EndUpdate no Update is made; the
    // last EndUpdate makes one Update(null) for the whole batch.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return m_updateCount; }

    // The next ID an item will be given.
    int NextID() const { return m_nextID; }

protected:
    // The collection changed: Item when one item changed, null for the whole collection.
    virtual void Update(TCollectionItem* Item);
    // An item was added (cnAdded), or is about to leave (cnExtracting: moved to
    // another collection, cnDeleting: being freed).
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    // Tells Update(null) unless a batch is running.
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item, TCollectionNotification Action);
    void MoveItem(int From, int To);

    TItemFactory m_itemClass;
    TComponent* m_owner = nullptr;
    std::vector<TCollectionItem*> m_items;
    int m_updateCount = 0;
    int m_nextID = 0;
    bool m_destroying = false;
};

// A collection of items of one class: Add, Insert and Items answer that class.
// `TItem` is constructed from the collection (TItem(TCollection*)).
template <typename TItem, typename TBase = TCollection>
class TCollectionOf : public TBase {
public:
    explicit TCollectionOf(TComponent* Owner = nullptr)
        : TBase([](TCollection* c) -> TCollectionItem* { return new TItem(c); }, Owner)
    {
    }

    TItem* Items(int Index) const { return static_cast<TItem*>(TBase::Items(Index)); }
    TItem* operator[](int Index) const { return Items(Index); }
    TItem* Add() { return static_cast<TItem*>(TBase::Add()); }
    TItem* Insert(int Index) { return static_cast<TItem*>(TBase::Insert(Index)); }
};
