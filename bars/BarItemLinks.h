// TzqBarItemLinks: the ordered links a bar, a submenu item or a popup menu shows. The
// collection keeps four lists derived from its links: the available links (an item that
// is shown), the visible ones (the user did not hide the link), the displayed ones (the
// visible links a personalized menu shows now) and the recent order (most recently used
// first). The derived lists are brought up to date on the first read after a change, so
// a batch of changes costs one rebuild.
#pragma once

#include "bars/BarTypes.h"
#include "platform/controls/ControlTypes.h"
#include "platform/controls/ShortCuts.h"
#include "platform/core/Collection.h"

#include <vector>

class TzqBarItemLink;
class TzqBarLinksWalk;
class TzqBarPopupMenu;
class TCustomzqBarSubItem;

class TzqBarItemLinks : public TCollection {
public:
    // `LinksOwner` is what shows the links: a TzqBar, a TCustomzqBarSubItem, a
    // TzqBarPopupMenu, or another object of the manager (its own popups).
    TzqBarItemLinks(TzqBarManager* Manager, TObject* LinksOwner);
    ~TzqBarItemLinks() override;

    TzqBarManager* BarManager() const { return m_manager; }
    // The owner moved to another manager (or to none).
    void SetBarManager(TzqBarManager* Manager);
    TObject* LinksOwner() const { return m_linksOwner; }
    // The owner by kind; null when the owner is of another kind.
    TzqBar* OwnerBar() const;
    TCustomzqBarSubItem* OwnerSubItem() const;
    TzqBarPopupMenu* OwnerPopupMenu() const;

    TzqBarItemLink* Add();
    TzqBarItemLink* Insert(int Index);
    TzqBarItemLink* Items(int Index) const;
    TzqBarItemLink* operator[](int Index) const { return Items(Index); }
    int IndexOf(const TzqBarItemLink* Link) const;

    // The derived lists.
    int AvailableCount() const;
    TzqBarItemLink* AvailableItems(int Index) const;
    int VisibleCount() const;
    TzqBarItemLink* VisibleItems(int Index) const;
    int DisplayedCount() const;
    TzqBarItemLink* DisplayedItems(int Index) const;
    // Every link, most recently used first.
    int RecentCount() const;
    TzqBarItemLink* RecentItems(int Index) const;

    // How many links (taken in recent order) a personalized display shows; -1 shows
    // all. Writing keeps the previous value (PrevRecentItemCount) for restoring it;
    // while personalized behaviour is off it reads and stays -1.
    int RecentItemCount() const;
    void SetRecentItemCount(int value);
    int PrevRecentItemCount() const { return m_prevRecentItemCount; }

    // Personalized behaviour: off in the standard style; otherwise the UseRecentItems of
    // the bar or popup menu at the top, a submenu asking the menu that opened it.
    bool UseRecentItems() const { return m_useRecentItems; }
    void SetUseRecentItems(bool value);
    bool PersonalizedBehaviour() const;
    // How many links a personalized menu shows when it opens (-1: all).
    int CalcRecentItemCount() const;

    // Runs the first enabled command whose shortcut it is, searching submenus and the
    // drop-down menus of drop-down buttons, each collection once; answers whether one ran.
    bool FindShortCut(TShortCut ShortCut);
    // The next link after `After` (cyclically, ending with `After` itself) whose
    // accelerator matches the key and whose item can be activated by it; null if none.
    TzqBarItemLink* FindAccelerator(WORD Key, TShiftState Shift, TzqBarItemLink* After) const;
    // Whether the links reach `Item` through submenus and drop-down menus, at any depth.
    bool Contains(const TzqBarItem* Item) const;

    // Copies the links of another collection; a system-menu link at index 0 stays first.
    void Assign(const TCollection& Source) override;
    // Copies MostRecentlyUsed position by position, then re-initializes usage.
    void CopyUsageFrom(const TzqBarItemLinks& Other);
    // Every link re-applies MostRecentlyUsed (and, when asked, takes its pending Visible);
    // links read with a recent position and use count take them; visible links move
    // ahead of hidden ones in the recent order.
    void ReinitializeUsage(bool TakePendingVisible);

    // The link through which this collection was opened: the active link of the submenu
    // item that owns it, or of the drop-down button that dropped the popup menu down.
    TzqBarItemLink* OpenerLink() const;
    // Whether the links are those of a bar.
    bool InBar() const { return OwnerBar() != nullptr; }

    // The window showing the links (a bar or submenu window), none while not shown.
    TObject* Control() const { return m_control; }
    void SetControl(TObject* value) { m_control = value; }

    // The derived lists are stale: rebuilt on the next read. Every change of the links,
    // of a link's Visible or Item, of an item's Visible, of customizing and of
    // RecentItemCount calls it.
    void ListsChanged();

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    friend class TzqBarItemLink;
    friend class TzqBarManager;
    void EnsureLists() const;
    void RebuildLists() const;
    bool FindShortCut(TShortCut ShortCut, uint64_t Walk);
    bool Contains(const TzqBarItem* Item, TzqBarLinksWalk& Walk) const;
    bool PersonalizedBehaviour(TzqBarLinksWalk& Walk) const;
    // Recent order moves.
    void MoveToRecentFront(TzqBarItemLink* Link);
    void MoveToRecentEnd(TzqBarItemLink* Link);
    void MoveToRecentPosition(TzqBarItemLink* Link, int Position);
    void RemoveFromRecent(const TzqBarItemLink* Link);
    // A link is about to go: out of every list, events fired.
    void LinkDestroying(TzqBarItemLink* Link);
    // The bar showing the links re-lays them out (docked bars of the non-standard styles).
    void RequestBarLayout() const;
    bool Loading() const;

    TzqBarManager* m_manager;
    TObject* m_linksOwner;
    TObject* m_control = nullptr;
    bool m_useRecentItems = true;
    int m_recentItemCount = -1;
    int m_prevRecentItemCount = -1;
    bool m_destroying = false;
    std::vector<TzqBarItemLink*> m_recent;
    mutable bool m_listsDirty = true;
    mutable std::vector<TzqBarItemLink*> m_available;
    mutable std::vector<TzqBarItemLink*> m_visible;
    mutable std::vector<TzqBarItemLink*> m_displayed;
    // What a shortcut search needs of the available links whose item is enabled, kept
    // together so that a search through thousands of commands reads little memory: the
    // item, the shortcut it answers (when it can be clicked), and the links searched
    // after it (a submenu's, or a drop-down button's menu).
    struct ShortCutEntry {
        TzqBarItem* item;
        TzqBarItemLinks* nested;
        TShortCut shortCut;
        bool clickable;
    };
    mutable std::vector<ShortCutEntry> m_shortCutEntries;
    // The last shortcut search that entered the collection.
    uint64_t m_shortCutWalk = 0;
};
