// A group of the side bar: a header button with a caption and the items shown below it
// while the group is active, as large or small icons.
#pragma once

#include "platform/core/Collection.h"
#include "sidebar/SideBarTypes.h"

#include <memory>
#include <string>

class TzqSideBar;
class TzqSideBarItems;

class TzqSideGroup : public TCollectionItem {
public:
    explicit TzqSideGroup(TCollection* Collection);
    ~TzqSideGroup() override;

    const std::string& Caption() const { return m_caption; }
    // Fires the side bar's OnChangeGroupCaption with the group as Sender and Group (not
    // while the side bar loads or goes, nor while the group is assigned); repaints the
    // header.
    void SetCaption(const std::string& value);
    TzqSideGroupIconType IconType() const { return m_iconType; }
    // Starts the items again from the first one.
    void SetIconType(TzqSideGroupIconType value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    TzqSideBarItems* Items() const { return m_items.get(); }
    void SetItems(const TzqSideBarItems& value);

    // The first item shown (scrolling moves it); out-of-range values are ignored.
    int TopItemIndex() const { return m_topItemIndex; }
    void SetTopItemIndex(int value);

    TzqSideBar* SideBar() const;

    // Copies Caption, IconType, Visible and Items, without OnChangeGroupCaption.
    void Assign(const TCollectionItem& Source) override;
    std::string DisplayName() const override { return m_caption; }

private:
    friend class TzqSideBarItems;
    friend class TzqSideBar;
    // An item of the group changed, came or went.
    void ItemsChanged();
    void ResetTopItemIndex() { m_topItemIndex = 0; }
    bool IsActive() const;

    std::string m_caption = "New Group";
    TzqSideGroupIconType m_iconType = TzqSideGroupIconType::zqsgLargeIcon;
    bool m_visible = true;
    bool m_assigning = false;
    int m_topItemIndex = 0;
    std::unique_ptr<TzqSideBarItems> m_items;
};
