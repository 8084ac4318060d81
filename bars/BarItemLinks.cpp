#include "bars/BarItemLinks.h"

#include "bars/BarWindows.h"

#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarInternalItems.h"
#include "bars/BarItemLink.h"
#include "bars/BarLinksWalk.h"
#include "bars/BarManager.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarSubItem.h"
#include "platform/core/Types.h"

#include <algorithm>

TzqBarItemLinks::TzqBarItemLinks(TzqBarManager* Manager, TObject* LinksOwner)
    : TCollection([](TCollection* c) -> TCollectionItem* { return new TzqBarItemLink(c); }), m_manager(Manager),
      m_linksOwner(LinksOwner)
{
    if (dynamic_cast<TzqBarPopupMenu*>(LinksOwner))
        m_useRecentItems = false;
    if (m_manager)
        m_manager->AddLinks(this);
}

TzqBarItemLinks::~TzqBarItemLinks()
{
    // The links go while the collection is still whole: each one leaves its item and
    // the lists here, and the manager hears of it.
    m_destroying = true;
    while (Count() > 0)
        delete Items(Count() - 1);
    if (m_manager)
        m_manager->RemoveLinks(this);
}

TzqBar* TzqBarItemLinks::OwnerBar() const
{
    return dynamic_cast<TzqBar*>(m_linksOwner);
}

TCustomzqBarSubItem* TzqBarItemLinks::OwnerSubItem() const
{
    return dynamic_cast<TCustomzqBarSubItem*>(m_linksOwner);
}

TzqBarPopupMenu* TzqBarItemLinks::OwnerPopupMenu() const
{
    return dynamic_cast<TzqBarPopupMenu*>(m_linksOwner);
}

void TzqBarItemLinks::SetBarManager(TzqBarManager* Manager)
{
    if (Manager == m_manager)
        return;
    if (m_manager)
        m_manager->RemoveLinks(this);
    m_manager = Manager;
    if (m_manager)
        m_manager->AddLinks(this);
    ListsChanged();
}

TzqBarItemLink* TzqBarItemLinks::Add()
{
    return static_cast<TzqBarItemLink*>(TCollection::Add());
}

TzqBarItemLink* TzqBarItemLinks::Insert(int Index)
{
    return static_cast<TzqBarItemLink*>(TCollection::Insert(Index));
}

TzqBarItemLink* TzqBarItemLinks::Items(int Index) const
{
    return static_cast<TzqBarItemLink*>(TCollection::Items(Index));
}

int TzqBarItemLinks::IndexOf(const TzqBarItemLink* Link) const
{
    return TCollection::IndexOf(Link);
}

bool TzqBarItemLinks::Loading() const
{
    return m_manager && m_manager->IsLoading();
}

// ---- Derived lists ----

void TzqBarItemLinks::ListsChanged()
{
    m_listsDirty = true;
    // The window showing the links lays them out again (once for a batch of changes).
    if (m_control)
        TzqBarWindows::LinksChanged(this);
}

void TzqBarItemLinks::EnsureLists() const
{
    if (m_listsDirty)
        RebuildLists();
}

void TzqBarItemLinks::RebuildLists() const
{
    m_listsDirty = false;
    m_available.clear();
    m_visible.clear();
    m_displayed.clear();
    m_shortCutEntries.clear();
    const bool designing = m_manager && m_manager->Designing();
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        TzqBarItemLink* link = Items(i);
        link->m_availableIndex = link->m_visibleIndex = link->m_displayedIndex = -1;
        TzqBarItem* item = link->Item();
        if (!item || !(designing || item->IsShown()))
            continue;
        link->m_availableIndex = static_cast<int>(m_available.size());
        m_available.push_back(link);
        if (item->Enabled()) {
            ShortCutEntry entry{item, nullptr, item->ShortCut(), false};
            if (item->IsSubItem()) {
                entry.nested = static_cast<TCustomzqBarSubItem*>(item)->ItemLinks();
            } else {
                entry.clickable = item->CanClicked();
                if (item->IsButton()) {
                    auto* button = static_cast<TzqBarButton*>(item);
                    if (button->ButtonStyle() == TzqBarButtonStyle::bsDropDown && button->DropDownMenu())
                        entry.nested = button->DropDownMenu()->ItemLinks();
                }
            }
            m_shortCutEntries.push_back(entry);
        }
        if (designing || link->Visible()) {
            link->m_visibleIndex = static_cast<int>(m_visible.size());
            m_visible.push_back(link);
        }
    }

    const int recentCount = designing ? -1 : RecentItemCount();
    if (recentCount < 0) {
        m_displayed = m_visible;
    } else {
        // The first RecentItemCount visible links of the recent order, in their order
        // among the visible links.
        std::vector<bool> shown(m_visible.size(), false);
        int taken = 0;
        for (TzqBarItemLink* link : m_recent) {
            if (taken >= recentCount)
                break;
            if (link->m_visibleIndex >= 0) {
                shown[static_cast<size_t>(link->m_visibleIndex)] = true;
                ++taken;
            }
        }
        for (size_t i = 0; i < m_visible.size(); ++i)
            if (shown[i])
                m_displayed.push_back(m_visible[i]);
    }
    for (size_t i = 0; i < m_displayed.size(); ++i)
        m_displayed[i]->m_displayedIndex = static_cast<int>(i);
}

int TzqBarItemLinks::AvailableCount() const
{
    EnsureLists();
    return static_cast<int>(m_available.size());
}

TzqBarItemLink* TzqBarItemLinks::AvailableItems(int Index) const
{
    EnsureLists();
    return Index >= 0 && Index < static_cast<int>(m_available.size()) ? m_available[static_cast<size_t>(Index)] : nullptr;
}

int TzqBarItemLinks::VisibleCount() const
{
    EnsureLists();
    return static_cast<int>(m_visible.size());
}

TzqBarItemLink* TzqBarItemLinks::VisibleItems(int Index) const
{
    EnsureLists();
    return Index >= 0 && Index < static_cast<int>(m_visible.size()) ? m_visible[static_cast<size_t>(Index)] : nullptr;
}

int TzqBarItemLinks::DisplayedCount() const
{
    EnsureLists();
    return static_cast<int>(m_displayed.size());
}

TzqBarItemLink* TzqBarItemLinks::DisplayedItems(int Index) const
{
    EnsureLists();
    return Index >= 0 && Index < static_cast<int>(m_displayed.size()) ? m_displayed[static_cast<size_t>(Index)] : nullptr;
}

int TzqBarItemLinks::RecentCount() const
{
    return static_cast<int>(m_recent.size());
}

TzqBarItemLink* TzqBarItemLinks::RecentItems(int Index) const
{
    return Index >= 0 && Index < RecentCount() ? m_recent[static_cast<size_t>(Index)] : nullptr;
}

// ---- Recent use ----

int TzqBarItemLinks::RecentItemCount() const
{
    return PersonalizedBehaviour() ? m_recentItemCount : -1;
}

void TzqBarItemLinks::SetRecentItemCount(int value)
{
    if (value < -1)
        value = -1;
    if (!PersonalizedBehaviour())
        value = -1;
    m_prevRecentItemCount = m_recentItemCount;
    if (value == m_recentItemCount)
        return;
    m_recentItemCount = value;
    ListsChanged();
}

void TzqBarItemLinks::SetUseRecentItems(bool value)
{
    if (value == m_useRecentItems)
        return;
    m_useRecentItems = value;
    ListsChanged();
}

bool TzqBarItemLinks::PersonalizedBehaviour() const
{
    TzqBarLinksWalk walk;
    return PersonalizedBehaviour(walk);
}

bool TzqBarItemLinks::PersonalizedBehaviour(TzqBarLinksWalk& Walk) const
{
    if (!m_manager || m_manager->Style() == TzqBarManagerStyle::bmsStandard)
        return false;
    // A submenu behaves as the menu that opened it, up to the bar or popup menu at the
    // top; a menu not opened from anywhere goes by its own setting.
    const TzqBarItemLinks* links = this;
    while (links->OwnerSubItem() && Walk.Enter(links)) {
        TzqBarItemLink* opener = links->OpenerLink();
        if (!opener || !opener->Links())
            break;
        links = opener->Links();
    }
    return links->m_useRecentItems;
}

int TzqBarItemLinks::CalcRecentItemCount() const
{
    if (!PersonalizedBehaviour())
        return -1;
    EnsureLists();
    const int visibleCount = static_cast<int>(m_visible.size());
    if (visibleCount == 0)
        return -1;
    int minUse = m_visible.front()->UseCount();
    int maxUse = minUse;
    for (const TzqBarItemLink* link : m_visible) {
        minUse = std::min(minUse, link->UseCount());
        maxUse = std::max(maxUse, link->UseCount());
    }
    const int percents = m_manager ? m_manager->MostRecentItemsPercents() : 95;
    const int limit = minUse + MulDiv(maxUse - minUse, 100 - percents, 100);
    int count = 0;
    for (int p = std::min(visibleCount, RecentCount()) - 1; p >= 0; --p)
        if (m_recent[static_cast<size_t>(p)]->UseCount() >= limit) {
            count = p + 1;
            break;
        }
    return count == visibleCount ? -1 : count;
}

void TzqBarItemLinks::MoveToRecentPosition(TzqBarItemLink* Link, int Position)
{
    auto it = std::find(m_recent.begin(), m_recent.end(), Link);
    if (it == m_recent.end())
        return;
    const int from = static_cast<int>(it - m_recent.begin());
    Position = std::clamp(Position, 0, RecentCount() - 1);
    if (from == Position)
        return;
    if (from > Position)
        std::rotate(m_recent.begin() + Position, m_recent.begin() + from, m_recent.begin() + from + 1);
    else
        std::rotate(m_recent.begin() + from, m_recent.begin() + from + 1, m_recent.begin() + Position + 1);
    if (m_recentItemCount >= 0)
        ListsChanged();
}

void TzqBarItemLinks::MoveToRecentFront(TzqBarItemLink* Link)
{
    MoveToRecentPosition(Link, 0);
}

void TzqBarItemLinks::MoveToRecentEnd(TzqBarItemLink* Link)
{
    MoveToRecentPosition(Link, RecentCount() - 1);
}

void TzqBarItemLinks::RemoveFromRecent(const TzqBarItemLink* Link)
{
    auto it = std::find(m_recent.rbegin(), m_recent.rend(), Link);
    if (it != m_recent.rend())
        m_recent.erase(std::next(it).base());
}

void TzqBarItemLinks::CopyUsageFrom(const TzqBarItemLinks& Other)
{
    const int count = std::min(Count(), Other.Count());
    for (int i = 0; i < count; ++i)
        Items(i)->m_mostRecentlyUsed = Other.Items(i)->m_mostRecentlyUsed;
    ReinitializeUsage(false);
}

void TzqBarItemLinks::ReinitializeUsage(bool TakePendingVisible)
{
    const int count = Count();
    const int threshold = m_manager ? m_manager->UsageThreshold() : 0;
    // Links marked recently used lead the recent order in collection order, the others
    // follow, also in collection order.
    std::vector<TzqBarItemLink*> used, unused;
    for (int i = 0; i < count; ++i) {
        TzqBarItemLink* link = Items(i);
        if (link->Item())
            link->m_useCount = link->m_mostRecentlyUsed ? threshold : 0;
        (link->m_mostRecentlyUsed || !link->Item() ? used : unused).push_back(link);
    }
    m_recent = std::move(used);
    m_recent.insert(m_recent.end(), unused.begin(), unused.end());
    if (TakePendingVisible)
        for (int i = 0; i < count; ++i)
            Items(i)->ApplyPendingVisible();
    // Positions read with a layout, from the front.
    for (int position = 0; position < count; ++position)
        for (int i = 0; i < count; ++i) {
            TzqBarItemLink* link = Items(i);
            if (link->m_pendingRecentIndex != position)
                continue;
            if (link->m_pendingUseCount >= 0)
                link->m_useCount = link->m_pendingUseCount;
            MoveToRecentPosition(link, position);
            link->m_pendingRecentIndex = -1;
            link->m_pendingUseCount = -1;
        }
    for (int i = 0; i < count; ++i) {
        Items(i)->m_pendingRecentIndex = -1;
        Items(i)->m_pendingUseCount = -1;
    }
    std::stable_partition(m_recent.begin(), m_recent.end(), [](TzqBarItemLink* link) { return link->IsVisibleNow(); });
    ListsChanged();
    RequestBarLayout();
}

TzqBarItemLink* TzqBarItemLinks::OpenerLink() const
{
    if (TCustomzqBarSubItem* subItem = OwnerSubItem())
        return subItem->ActiveLink();
    if (TzqBarPopupMenu* menu = OwnerPopupMenu())
        if (TzqBarButton* button = menu->OpenerButton())
            return button->ActiveLink();
    return nullptr;
}

void TzqBarItemLinks::RequestBarLayout() const
{
    if (TzqBar* bar = OwnerBar())
        if (bar->DockingStyle() != TzqBarDockingStyle::dsNone && m_manager &&
            m_manager->Style() != TzqBarManagerStyle::bmsStandard)
            bar->RequestLayout();
}

// ---- Changes ----

void TzqBarItemLinks::Update(TCollectionItem* Item)
{
    ListsChanged();
    if (m_manager && !m_destroying)
        m_manager->Changed();
}

void TzqBarItemLinks::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
    // A link being deleted is told here when only its base is left: it has left the
    // lists already (LinkDestroying).
    if (Action == TCollectionNotification::cnDeleting) {
        ListsChanged();
        return;
    }
    auto* link = static_cast<TzqBarItemLink*>(Item);
    switch (Action) {
    case TCollectionNotification::cnAdded:
        m_recent.push_back(link);
        link->m_useCount = m_manager ? m_manager->UsageThreshold() : 0;
        ListsChanged();
        if (m_manager && !Loading())
            m_manager->LinkAdded(link);
        break;
    case TCollectionNotification::cnExtracting:
        RemoveFromRecent(link);
        ListsChanged();
        break;
    case TCollectionNotification::cnDeleting:
        break;
    }
}

void TzqBarItemLinks::LinkDestroying(TzqBarItemLink* Link)
{
    // Its control goes now: nothing may paint or click a link that is gone.
    if (Link->Control())
        TzqBarWindows::LinkDestroying(Link);
    RemoveFromRecent(Link);
    ListsChanged();
    if (m_manager)
        m_manager->LinkDestroying(Link);
}

// ---- Copying ----

void TzqBarItemLinks::Assign(const TCollection& Source)
{
    if (&Source == this)
        return;
    BeginUpdate();
    try {
        // The system menu of a maximized MDI child stays first.
        TzqBarItemLink* systemLink = nullptr;
        if (Count() > 0 && dynamic_cast<TSystemMenuSubItem*>(Items(0)->Item())) {
            systemLink = Items(0);
            systemLink->SetCollection(nullptr);
        }
        while (Count() > 0)
            delete Items(Count() - 1);
        for (int i = 0; i < Source.Count(); ++i)
            Add()->Assign(*Source.Items(i));
        if (systemLink) {
            systemLink->SetCollection(this);
            systemLink->SetIndex(0);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- Searches ----

bool TzqBarItemLinks::FindShortCut(TShortCut ShortCut)
{
    if (ShortCut == scNone)
        return false;
    // Each search marks the collections it enters with a number of its own. No handler
    // runs before the search ends (the command found ends it at once), so a search
    // started by a handler never meets the marks of one still going on.
    static uint64_t lastWalk = 0;
    return FindShortCut(ShortCut, ++lastWalk);
}

bool TzqBarItemLinks::FindShortCut(TShortCut ShortCut, uint64_t Walk)
{
    if (m_shortCutWalk == Walk)
        return false;
    m_shortCutWalk = Walk;
    EnsureLists();
    for (const ShortCutEntry& entry : m_shortCutEntries) {
        if (entry.clickable && entry.shortCut == ShortCut) {
            entry.item->DirectClick();
            return true;
        }
        if (entry.nested && entry.nested->FindShortCut(ShortCut, Walk))
            return true;
    }
    return false;
}

TzqBarItemLink* TzqBarItemLinks::FindAccelerator(WORD Key, TShiftState Shift, TzqBarItemLink* After) const
{
    EnsureLists();
    // A bar goes through its displayed links, a menu through its visible ones.
    const std::vector<TzqBarItemLink*>& links = InBar() ? m_displayed : m_visible;
    const int count = static_cast<int>(links.size());
    if (count == 0)
        return nullptr;
    int start = -1;
    if (After) {
        auto it = std::find(links.begin(), links.end(), After);
        if (it != links.end())
            start = static_cast<int>(it - links.begin());
    }
    for (int step = 1; step <= count; ++step) {
        TzqBarItemLink* link = links[static_cast<size_t>((start + step + count) % count)];
        if (link->Item()->CanBeActivatedByKey(link) && link->Matches(Key, Shift))
            return link;
    }
    return nullptr;
}

bool TzqBarItemLinks::Contains(const TzqBarItem* Item) const
{
    TzqBarLinksWalk walk;
    return Contains(Item, walk);
}

bool TzqBarItemLinks::Contains(const TzqBarItem* Item, TzqBarLinksWalk& Walk) const
{
    if (!Walk.Enter(this))
        return false;
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        const TzqBarItem* linked = Items(i)->Item();
        if (!linked)
            continue;
        if (linked == Item)
            return true;
        if (linked->IsSubItem() && static_cast<const TCustomzqBarSubItem*>(linked)->ItemLinks()->Contains(Item, Walk))
            return true;
        if (linked->IsButton())
            if (TzqBarPopupMenu* menu = static_cast<const TzqBarButton*>(linked)->DropDownMenu())
                if (menu->ItemLinks()->Contains(Item, Walk))
                    return true;
    }
    return false;
}
