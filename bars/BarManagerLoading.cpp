// Reading the manager's definition, the end of loading, category visibility and the
// resets that compare the bars with a fresh copy of the definition.
#include "bars/BarManager.h"

#include "bars/Bar.h"
#include "bars/BarGroup.h"
#include "bars/BarItem.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarLinksWalk.h"
#include "bars/BarManagerCategories.h"
#include "bars/BarManagerList.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarSubItem.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/controls/Application.h"
#include "platform/window/Input.h"

#include <algorithm>

namespace {

// Restores a counter or flag however the scope is left.
template <typename T>
class TScopedValue {
public:
    TScopedValue(T& target, T value) : m_target(target), m_old(target) { m_target = value; }
    ~TScopedValue() { m_target = m_old; }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

private:
    T& m_target;
    T m_old;
};

// Shows the wait cursor for a scope.
class TWaitCursor {
public:
    TWaitCursor() : m_old(SetCursor(IDC_WAIT)) {}
    ~TWaitCursor() { SetCursor(m_old); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    HCURSOR m_old;
};

} // namespace

// ---- Definition ----

std::vector<std::pair<TzqBarItem*, std::shared_ptr<const bool>>> TzqBarManager::WatchedItems() const
{
    std::vector<std::pair<TzqBarItem*, std::shared_ptr<const bool>>> items;
    items.reserve(m_items.size());
    for (TzqBarItem* item : m_items)
        items.emplace_back(item, item->m_life.Watch());
    return items;
}

void TzqBarManager::ReadDefinition(const TzqBarManagerDefinition& Definition)
{
    if (!Definition)
        return;
    m_definition = Definition;
    ++m_readCount;
    BeginLoading();
    try {
        Definition(*this);
    } catch (...) {
        EndLoading();
        throw;
    }
    EndLoading();
    m_modified = false;
}

void TzqBarManager::EndLoadingChildren()
{
    // Items, groups and popup menus made while loading end with the manager.
    std::vector<TComponent*> children;
    children.swap(m_loadingChildren);
    for (TComponent* child : children) {
        RemoveFreeNotification(child);
        child->EndLoading();
    }
}

void TzqBarManager::Loaded()
{
    TComponent::Loaded();
    TScopedValue<bool> ending(m_endingLoading, true);
    if (m_useSystemFont)
        ApplySystemFont();
    EndLoadingChildren();

    // (1) No docking events while the bars settle.
    m_bars->SetLoading(true);
    // (2) Items in pool order: submenus take their links' usage and visibility, then
    // the item its own visibility.
    for (const auto& [item, alive] : WatchedItems()) {
        if (!*alive)
            continue;
        if (item->IsSubItem())
            static_cast<TCustomzqBarSubItem*>(item)->ItemLinks()->ReinitializeUsage(true);
        item->ApplyPendingVisible();
    }
    // (3) Bars in order.
    for (int i = 0; i < m_bars->Count(); ++i) {
        TzqBar* bar = m_bars->Items(i);
        bar->m_predefined = true;
        bar->ItemLinks()->ReinitializeUsage(true);
        bar->ApplyPendingDocking();
        bar->ApplyPendingVisible();
    }
    // (4) The layout the user left.
    if (!Designing() && !m_readingDefinitionCopy)
        RestoreStoredLayout();
    // (5)
    m_bars->SetLoading(false);
    // (6) Category visibility read with the definition.
    for (int i = 0; i < m_categories->Count(); ++i) {
        if (!m_categories->HasRecord(i))
            continue;
        const std::optional<TzqBarItemVisible> pending = m_categories->PendingItemsVisible(i);
        if (!pending)
            continue;
        TzqBarManagerCategories::Record record = m_categories->RecordAt(i);
        record.pending.reset();
        m_categories->StoreRecord(i, record);
        SetCategoryItemsVisible(i, *pending);
    }
    // (7)
    for (TzqBarDockingStyle style : {TzqBarDockingStyle::dsLeft, TzqBarDockingStyle::dsTop, TzqBarDockingStyle::dsRight,
                                     TzqBarDockingStyle::dsBottom})
        if (TzqDockControl* site = m_bars->DockSite(style))
            site->Realign();
}

// ---- Categories ----

TzqBarItemVisible TzqBarManager::CategoryItemsVisible(int Index) const
{
    if (Index < 0 || Index >= m_categories->Count())
        return TzqBarItemVisible::ivAlways;
    return m_categories->ItemsVisible(Index);
}

void TzqBarManager::SetCategoryItemsVisible(int Index, TzqBarItemVisible Value)
{
    if (Index < 0 || Index >= m_categories->Count())
        return;
    TzqBarManagerCategories::Record record = m_categories->RecordAt(Index);
    if (IsLoading()) {
        record.pending = Value;
        m_categories->StoreRecord(Index, record);
        return;
    }
    const TzqBarItemVisible old = record.itemsVisible;
    std::vector<TzqBar*> emptyBefore;
    if (m_autoHideEmptyBars)
        for (int i = 0; i < m_bars->Count(); ++i)
            if (m_bars->Items(i)->ItemLinks()->AvailableCount() == 0)
                emptyBefore.push_back(m_bars->Items(i));
    {
        TzqBarManagerLock lock(this);
        record.itemsVisible = Value;
        m_categories->StoreRecord(Index, record);
        auto items = WatchedItems();
        items.erase(std::remove_if(items.begin(), items.end(),
                                   [&](const auto& watched) {
                                       return watched.first->Category() != Index || watched.first->Visible() != old;
                                   }),
                    items.end());
        // Shown items go first in the recent order one after the other: visiting them
        // from the last keeps them in pool order there.
        if (Value == TzqBarItemVisible::ivAlways)
            std::reverse(items.begin(), items.end());
        const auto life = m_life.Watch();
        for (const auto& [item, alive] : items)
            if (*alive)
                item->SetVisible(Value);
        if (!*life)
            return;
        if (m_autoHideEmptyBars) {
            for (int i = 0; i < m_bars->Count(); ++i) {
                TzqBar* bar = m_bars->Items(i);
                const bool empty = bar->ItemLinks()->AvailableCount() == 0;
                const bool wasEmpty = std::find(emptyBefore.begin(), emptyBefore.end(), bar) != emptyBefore.end();
                if (Value == TzqBarItemVisible::ivNever && empty && !wasEmpty && bar->Visible()) {
                    bar->SetVisible(false);
                    bar->SetAutoHidden(true);
                } else if (Value == TzqBarItemVisible::ivAlways && !empty && bar->AutoHidden()) {
                    bar->SetVisible(true);
                    bar->SetAutoHidden(false);
                }
            }
        }
    }
    if (Value != old)
        Changed();
}

bool TzqBarManager::CategoryVisible(int Index) const
{
    if (Index < 0 || Index >= m_categories->Count())
        return true;
    return m_categories->Visible(Index);
}

void TzqBarManager::SetCategoryVisible(int Index, bool Value)
{
    if (Index < 0 || Index >= m_categories->Count())
        return;
    TzqBarManagerCategories::Record record = m_categories->RecordAt(Index);
    record.visible = Value;
    m_categories->StoreRecord(Index, record);
    Changed();
}

// ---- Resets ----

bool TzqBarManager::CanReset(const TzqBar* Bar) const
{
    return Bar && m_allowReset && Bar->AllowReset() && m_readCount == 1;
}

std::unique_ptr<TCustomForm> TzqBarManager::ReadDefinitionCopy()
{
    if (!m_definition)
        return nullptr;
    TWaitCursor wait;
    auto form = std::make_unique<TForm>(nullptr);
    auto* copy = new TzqBarManager(form.get());
    copy->m_readingDefinitionCopy = true;
    const TzqBarManagerDefinition definition = m_definition;
    copy->ReadDefinition([&definition](TzqBarManager& manager) {
        definition(manager);
        manager.SetStoreInIniFile(false);
        manager.SetStoreInRegistry(false);
    });
    return form;
}

void TzqBarManager::ResetSubItems(TzqBarItemLinks* Links, TzqBarManager& Definition, TzqBarLinksWalk& Walk)
{
    if (!Walk.Enter(Links))
        return;
    for (int i = 0; i < Links->Count(); ++i) {
        TzqBarItem* item = Links->Items(i)->Item();
        if (!item || !item->IsSubItem())
            continue;
        auto* subItem = static_cast<TCustomzqBarSubItem*>(item);
        auto* defined = dynamic_cast<TCustomzqBarSubItem*>(Definition.ItemByName(subItem->Name()));
        if (!defined)
            continue;
        subItem->ItemLinks()->Assign(*defined->ItemLinks());
        subItem->ItemLinks()->CopyUsageFrom(*defined->ItemLinks());
        ResetSubItems(subItem->ItemLinks(), Definition, Walk);
    }
}

void TzqBarManager::ResetBar(TzqBar* Bar)
{
    if (!CanReset(Bar) || Bar->BarManager() != this)
        return;
    const std::string question = "Are you sure you want to reset the changes made to the '" + Bar->Caption() + "' toolbar?";
    if (ShowMessageBox(question, std::string(), MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    std::unique_ptr<TCustomForm> scratch = ReadDefinitionCopy();
    TzqBarManager* definition = scratch ? TzqBarManagerList::ForForm(scratch.get()) : nullptr;
    const int index = Bar->Index();
    if (!definition || index < 0 || index >= definition->Bars()->Count())
        return;
    TzqBar* defined = definition->Bars()->Items(index);

    const auto barAlive = Bar->m_life.Watch();
    DoBarBeforeReset(Bar);
    if (!*barAlive)
        return;
    {
        TScopedValue<int> resetting(m_resetting, m_resetting + 1);
        if (m_useFullReset) {
            TzqBarManagerLock lock(this);
            const bool wasVisible = Bar->Visible();
            Bar->SetVisible(false);
            if (*barAlive)
                Bar->Assign(*defined);
            if (*barAlive)
                Bar->SetVisible(wasVisible);
        } else {
            TScopedValue<bool> hold(Bar->m_holdLayout, true);
            Bar->ItemLinks()->Assign(*defined->ItemLinks());
        }
        if (!*barAlive)
            return;
        Bar->RequestLayout();
        Bar->ItemLinks()->CopyUsageFrom(*defined->ItemLinks());
        TzqBarLinksWalk walk;
        ResetSubItems(Bar->ItemLinks(), *definition, walk);
    }
    if (*barAlive)
        DoBarAfterReset(Bar);
}

void TzqBarManager::ResetUsageData()
{
    const char* question = "This will delete the record of the commands you've used in this application and restore the "
                           "default set of visible commands to the menus and toolbars. It will not undo any explicit "
                           "customizations.   Are you sure you want to proceed?";
    if (ShowMessageBox(question, std::string(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return;
    std::unique_ptr<TCustomForm> scratch = ReadDefinitionCopy();
    TzqBarManager* definition = scratch ? TzqBarManagerList::ForForm(scratch.get()) : nullptr;
    if (!definition)
        return;
    TzqBarManagerLock lock(this);
    for (TzqBarItem* item : std::vector<TzqBarItem*>(m_items)) {
        if (!item->IsSubItem())
            continue;
        if (auto* defined = dynamic_cast<TCustomzqBarSubItem*>(definition->ItemByName(item->Name())))
            static_cast<TCustomzqBarSubItem*>(item)->ItemLinks()->CopyUsageFrom(*defined->ItemLinks());
    }
    for (int i = 0; i < m_bars->Count() && i < definition->Bars()->Count(); ++i)
        m_bars->Items(i)->ItemLinks()->CopyUsageFrom(*definition->Bars()->Items(i)->ItemLinks());
}
