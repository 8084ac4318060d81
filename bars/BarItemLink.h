// TzqBarItemLink: one place where an item is shown (in a bar, a submenu or a popup
// menu), with the user's overrides of caption, glyph, paint style and width, the user's
// hiding of the link, and its recent-use counters.
#pragma once

#include "bars/BarTypes.h"
#include "bars/LifeToken.h"
#include "platform/controls/ControlTypes.h"
#include "platform/core/Collection.h"
#include "platform/core/Types.h"

#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TzqBarLinksWalk;

class TzqBarItemLink : public TCollectionItem {
public:
    explicit TzqBarItemLink(TCollection* Collection);
    // Fires OnItemLinkDelete (unless the manager is going), leaves every list and its
    // item's links.
    ~TzqBarItemLink() override;

    TzqBarItemLinks* Links() const;
    TzqBarManager* BarManager() const;

    // The linked item. Setting none destroys the link. In a submenu's links, an item
    // that would make the submenu contain itself is refused with "You cannot create
    // recursive subitems".
    TzqBarItem* Item() const { return m_item; }
    void SetItem(TzqBarItem* value);

    // A separator before the link: the value read is the effective one (a hidden
    // link's separator moves to the next displayed link; the first displayed link never
    // shows one). BeginGroupFlag is the link's own setting.
    bool BeginGroup() const;
    bool BeginGroupFlag() const { return m_beginGroup; }
    void SetBeginGroup(bool value);

    bool MostRecentlyUsed() const { return m_mostRecentlyUsed; }
    void SetMostRecentlyUsed(bool value);

    // Overrides; setting one adds its member to UserDefine, removing a member clears it.
    const std::string& UserCaption() const { return m_userCaption; }
    void SetUserCaption(const std::string& value);
    TzqBarUserDefines UserDefine() const { return m_userDefine; }
    void SetUserDefine(TzqBarUserDefines value);
    // Never null; an empty bitmap while no glyph is set.
    TBitmap* UserGlyph() const;
    void SetUserGlyph(const TBitmap* value);
    TzqBarPaintStyle UserPaintStyle() const { return m_userPaintStyle; }
    void SetUserPaintStyle(TzqBarPaintStyle value);
    // Values below 20 become 20.
    int UserWidth() const { return m_userWidth; }
    void SetUserWidth(int value);

    // The user hid or showed the link; while loading the value waits for the end.
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);

    // A value the application keeps with the link (copied by Assign).
    intptr_t Data() const { return m_data; }
    void SetData(intptr_t value) { m_data = value; }

    // Effective values: the override when set, else the item's.
    const std::string& Caption() const;
    // The glyph to draw, or null when neither the link nor the item has one.
    TBitmap* Glyph() const;
    TzqBarPaintStyle PaintStyle() const;
    int Width() const;

    // The accelerator: the character after the last "&" that is not part of "&&", or 0.
    char32_t Accelerator() const;
    // Whether a key press with the shift keys matches the accelerator.
    bool Matches(WORD Key, TShiftState Shift) const;

    // Whether the item is shown now (available), and the link with it (visible).
    bool IsAvailable() const;
    bool IsVisibleNow() const { return IsAvailable() && m_visible; }
    // Positions in the derived lists, -1 when absent.
    int AvailableIndex() const;
    int VisibleIndex() const;
    int DisplayedIndex() const;

    // Recent use.
    int UseCount() const { return m_useCount; }
    // Position in the recent order of the collection.
    int RecentIndex() const;
    // Values read from a stored layout, applied when usage is re-initialized (-1: none).
    void SetPendingUsage(int UseCount, int RecentIndex);
    int PendingUseCount() const { return m_pendingUseCount; }
    int PendingRecentIndex() const { return m_pendingRecentIndex; }
    // The link goes first in the recent order (counting one more use with Increment),
    // and so does the link that opened its menu.
    void MarkUsed(bool Increment);
    // The link goes last in the recent order.
    void MarkNotUsed();
    // Takes the use count and MostRecentlyUsed of another link (a container's entries
    // take those of the container's link).
    void AssignUsage(const TzqBarItemLink& Source);

    // For a link generated from a container item: the container's link; for a copy in
    // the quick-customization list: the bar link it was copied from.
    TzqBarItemLink* OriginalLink() const { return m_originalLink; }
    void SetOriginalLink(TzqBarItemLink* value);

    // Kept by the window that lays the link out.
    TRect ItemRect() const { return m_itemRect; }
    void SetItemRect(const TRect& value) { m_itemRect = value; }
    TObject* Control() const { return m_control; }
    void SetControl(TObject* value) { m_control = value; }

    void Assign(const TCollectionItem& Source) override;

private:
    friend class TzqBarItemLinks;
    friend class TzqBarItem;
    void MarkUsed(bool Increment, TzqBarLinksWalk& Walk);
    bool Loading() const;
    // A property changed: OnItemLinkChange, the manager changed.
    void LinkChanged();
    void ApplyMostRecentlyUsed();
    void ApplyPendingVisible();
    void CheckRecursion(const TzqBarItem* Item) const;
    void ItemDestroyed() { m_item = nullptr; }

    TzqBarItem* m_item = nullptr;
    bool m_beginGroup = false;
    bool m_mostRecentlyUsed = true;
    std::string m_userCaption;
    TzqBarUserDefines m_userDefine;
    mutable std::unique_ptr<TBitmap> m_userGlyph;
    TzqBarPaintStyle m_userPaintStyle = TzqBarPaintStyle::psStandard;
    int m_userWidth = 0;
    bool m_visible = true;
    bool m_hasPendingVisible = false;
    bool m_pendingVisible = true;
    intptr_t m_data = 0;
    int m_useCount = 0;
    int m_pendingUseCount = -1;
    int m_pendingRecentIndex = -1;
    TzqBarItemLink* m_originalLink = nullptr;
    std::vector<TzqBarItemLink*> m_copies; // links whose OriginalLink is this one
    TRect m_itemRect;
    TObject* m_control = nullptr;
    // Positions in the derived lists as of their last rebuild.
    int m_availableIndex = -1;
    int m_visibleIndex = -1;
    int m_displayedIndex = -1;
    TzqLifeToken m_life;
};
