// A reusable item definition kept in a side-bar store. Side-bar items linked to it show
// its caption, hint, images and enabled state while they keep its defaults; a change
// here repaints every side bar of the store, and the links are cut when it goes.
#pragma once

#include "platform/core/Component.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBasicAction;
class TObject;
class TPopupMenu;
class TzqSideBarItemActionLink;
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

    // The action the item takes its caption, enabled state, hint and large image from
    // (each only while the item still shows the action's value). Setting it takes the
    // action's values (while the action is loading, only into values still at their
    // defaults); none frees the link. The action's destruction sets none.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TzqSideBarItemActionLink* ActionLink() const { return m_actionLink.get(); }
    // Asks the action, if any, to update itself (its OnUpdate runs).
    void UpdateAction();
    // What a click on a linked side-bar item runs: OnClick when assigned, else the
    // action. Answers whether either ran.
    bool Click(TObject* Sender, TzqSideBarItem* Item);

    // Whether a form writer stores the value: not while the action link supplies it.
    bool IsCaptionStored() const;
    bool IsEnabledStored() const;
    bool IsHintStored() const;
    bool IsLargeImageStored() const;

    // Form streaming: a stored item's parent component is its store; a store given as
    // the parent (or read as the parent) is joined, as SetStore does.
    bool HasParent() const { return true; }
    TComponent* ParentComponent() const;
    void SetParentComponent(TComponent* value);

    // A click on a linked item, with the side bar as sender; it replaces the side
    // bar's OnItemClick for that item.
    std::function<void(TObject* Sender, TzqSideBarItem* Item)> OnClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // With an action, takes the action's values into those still at their defaults.
    void Loaded() override;

private:
    friend class TzqSideBarItem;
    friend class TStoredSideBarItemsStoreStrings;
    void Changed();
    // Takes the action's caption, enabled state, hint and image index; with
    // `checkDefaults` only into values still at their defaults.
    void ActionChange(TBasicAction* action, bool checkDefaults);
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
    std::unique_ptr<TzqSideBarItemActionLink> m_actionLink;
};
