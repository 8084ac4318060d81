// The store of reusable side-bar item definitions: its stored items, the image lists
// side bars without lists of their own fall back to, and the side bars that use it.
#pragma once

#include "platform/core/Component.h"
#include "platform/drawing/ChangeLink.h"

#include <memory>
#include <vector>

class TImageList;
class TStrings;
class TStoredSideBarItemsStoreStrings;
class TzqSideBar;
class TzqStoredSideItem;

class TzqSideBarStore : public TComponent {
public:
    explicit TzqSideBarStore(TComponent* AOwner = nullptr);
    // Every side bar in the store's list forgets it (keeping its groups), whoever owns
    // the side bar. Then the stored items go, the last first: those with an owner are
    // destroyed, those without one (their maker holds them) only leave the store.
    ~TzqSideBarStore() override;

    // The category names the stored items are sorted into ("Default" at first).
    TStoredSideBarItemsStoreStrings* Categories() const { return m_categories.get(); }
    // Takes the names of another list; raises EzqSideBarError (nothing changed) when
    // categories that go still have stored items.
    void SetCategories(const TStrings& value);

    // Image indexes for the store's own use (-1, none, by default); values below -1
    // are ignored. A change repaints every side bar of the store.
    int DefaultLargeImage() const { return m_defaultLargeImage; }
    void SetDefaultLargeImage(int value);
    int DefaultSmallImage() const { return m_defaultSmallImage; }
    void SetDefaultSmallImage(int value);

    TImageList* LargeImages() const { return m_largeImages; }
    void SetLargeImages(TImageList* value);
    TImageList* SmallImages() const { return m_smallImages; }
    void SetSmallImages(TImageList* value);

    int StoredItemCount() const { return static_cast<int>(m_items.size()); }
    TzqStoredSideItem* StoredItems(int index) const;
    int SideBarCount() const { return static_cast<int>(m_sideBars.size()); }
    TzqSideBar* SideBars(int index) const;

    // Repaints every side bar of the store.
    void RepaintSideBars();

    // Form streaming: the stored items a writer of `root` stores as the store's
    // children, those whose owner is `root`, in the store's order.
    std::vector<TzqStoredSideItem*> Children(const TComponent* root) const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TzqSideBar;
    friend class TzqStoredSideItem;
    void AddSideBar(TzqSideBar* sideBar);
    void RemoveSideBar(TzqSideBar* sideBar);
    void AddItem(TzqStoredSideItem* item);
    void RemoveItem(TzqStoredSideItem* item);
    void SetImageList(TImageList*& slot, TChangeLink& link, TImageList* value);
    void SetDefaultImage(int& slot, int value);

    int m_defaultLargeImage = -1;
    int m_defaultSmallImage = -1;
    TImageList* m_largeImages = nullptr;
    TImageList* m_smallImages = nullptr;
    TChangeLink m_largeLink;
    TChangeLink m_smallLink;
    std::unique_ptr<TStoredSideBarItemsStoreStrings> m_categories;
    std::vector<TzqStoredSideItem*> m_items;
    std::vector<TzqSideBar*> m_sideBars;
};
