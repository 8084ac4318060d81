// A reusable item definition kept in a side-bar store. Side-bar items linked to it show
// its caption, hint, images and enabled state while they keep its defaults; a change
// here repaints every side bar of the store, and the links are cut when it goes.
#pragma once

#include "platform/core/Component.h"

#include <functional>
#include <string>
#include <vector>

class TObject;
class TPopupMenu;
class TzqSideBarItem;
class TzqSideBarStore;

class TzqStoredSideItem : public TComponent {
public:
    explicit TzqStoredSideItem(TComponent* AOwner = nullptr);
    // Destroys the side-bar items linked to it in its store's side bars (each firing
    // OnDeleteItem), cuts the links of any others, and leaves its store.
    ~TzqStoredSideItem() override;

    TzqSideBarStore* Store() const { return m_store; }
    // Leaves the old store's list and joins the new one's.
    void SetStore(TzqSideBarStore* value);

    // The index of the item's category among the store's Categories. Joining a store
    // (outside loading) sets 0; outside loading only indexes of the list are taken.
    int Category() const { return m_category; }
    void SetCategory(int value);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    int LargeImage() const { return m_largeImage; }
    void SetLargeImage(int value);
    int SmallImage() const { return m_smallImage; }
    void SetSmallImage(int value);
    // The context menu of the side-bar items linked to it (cleared when the menu goes).
    TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu* value);

    // A click on a linked item, with the side bar as sender; it replaces the side
    // bar's OnItemClick for that item.
    std::function<void(TObject* Sender, TzqSideBarItem* Item)> OnClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TzqSideBarItem;
    friend class TStoredSideBarItemsStoreStrings;
    void Changed();
    // Leaving the store (or dying) takes the side-bar items linked to it in the
    // store's side bars along.
    void DestroyLinkedItems();
    void Link(TzqSideBarItem* item);
    void Unlink(TzqSideBarItem* item);

    TzqSideBarStore* m_store = nullptr;
    std::string m_caption = "New Item";
    std::string m_hint;
    bool m_enabled = true;
    int m_largeImage = -1;
    int m_smallImage = -1;
    TPopupMenu* m_popupMenu = nullptr;
    int m_category = 0;
    std::vector<TzqSideBarItem*> m_links;
};
