// An item of a side-bar group: an image from the large or small image list and a
// caption. An item linked to a stored item shows the stored item's caption, hint, images
// and enabled state while IsDefault is true; giving it a value of its own that differs
// from the stored item's clears IsDefault.
#pragma once

#include "platform/core/Collection.h"

#include <string>

class TzqSideBar;
class TzqSideBarItems;
class TzqSideGroup;
class TzqStoredSideItem;

class TzqSideBarItem : public TCollectionItem {
public:
    explicit TzqSideBarItem(TCollection* Collection);
    ~TzqSideBarItem() override;

    std::string Caption() const;
    void SetCaption(const std::string& value);
    std::string Hint() const;
    void SetHint(const std::string& value);
    int LargeImage() const;
    void SetLargeImage(int value);
    int SmallImage() const;
    void SetSmallImage(int value);
    bool Enabled() const;
    void SetEnabled(bool value);

    const std::string& CustomData() const { return m_customData; }
    void SetCustomData(const std::string& value);
    int Tag() const { return m_tag; }
    void SetTag(int value);

    bool IsDefault() const { return m_isDefault; }
    // True with a stored item copies the stored item's caption, hint, enabled state and
    // images into the item.
    void SetIsDefault(bool value);
    TzqStoredSideItem* StoredItem() const { return m_storedItem; }
    // Outside loading, copies the stored item's caption, images and tag and sets IsDefault.
    void SetStoredItem(TzqStoredSideItem* value);

    // Cuts the link to the stored item; the item keeps what it shows as its own values.
    void UnlinkKeepingValues();

    // The group and side bar the item belongs to (null outside them).
    TzqSideGroup* Group() const;
    TzqSideBar* SideBar() const;

    // Copies the link, what the other item shows, IsDefault, Tag, CustomData and the
    // enabled state, without notifications.
    void Assign(const TCollectionItem& Source) override;
    std::string DisplayName() const override;

private:
    friend class TzqStoredSideItem;
    // The stored item changed: what the item shows may have changed with it.
    void StoredItemChanged();
    // The stored item is going: the item keeps what it shows as its own values.
    void StoredItemDestroyed();
    bool Linked() const { return m_storedItem && m_isDefault; }
    bool Loading() const;
    // A value of the item's own that differs from the stored item's ends the default.
    template <typename T>
    void SetOwnValue(T& field, const T& value, T current, T stored);

    std::string m_caption;
    std::string m_hint;
    std::string m_customData;
    int m_largeImage = -1;
    int m_smallImage = -1;
    int m_tag = 0;
    bool m_enabled = true;
    bool m_isDefault = true;
    TzqStoredSideItem* m_storedItem = nullptr;
};
