#include "bars/BarManagerCategories.h"

#include "bars/BarItem.h"
#include "bars/BarManager.h"

namespace {

// The record lives in the string's attached value: 0 means no record; otherwise bit
// 24 marks the record, bits 0-7 hold ItemsVisible, 8-15 the pending value (0xFF for
// none) and bit 16 Visible.
constexpr intptr_t kHasRecord = intptr_t(1) << 24;
constexpr int kNoPending = 0xFF;
constexpr int kParkedCategory = -1000;

bool ValidVisible(int value)
{
    return value >= static_cast<int>(TzqBarItemVisible::ivNever) && value <= static_cast<int>(TzqBarItemVisible::ivAlways);
}

} // namespace

TzqBarManagerCategories::TzqBarManagerCategories(TzqBarManager* Manager) : m_manager(Manager) {}

TzqBarManagerCategories::Record TzqBarManagerCategories::RecordAt(int index) const
{
    Record record;
    const intptr_t data = Data(index);
    if (!(data & kHasRecord))
        return record;
    record.itemsVisible = static_cast<TzqBarItemVisible>(data & 0xFF);
    const int pending = static_cast<int>((data >> 8) & 0xFF);
    if (pending != kNoPending)
        record.pending = static_cast<TzqBarItemVisible>(pending);
    record.visible = (data >> 16) & 1;
    return record;
}

void TzqBarManagerCategories::StoreRecord(int index, const Record& record)
{
    const intptr_t pending = record.pending ? static_cast<intptr_t>(*record.pending) : kNoPending;
    SetData(index, kHasRecord | static_cast<intptr_t>(record.itemsVisible) | (pending << 8) |
                       (static_cast<intptr_t>(record.visible) << 16));
}

bool TzqBarManagerCategories::HasRecord(int index) const
{
    return (Data(index) & kHasRecord) != 0;
}

TzqBarItemVisible TzqBarManagerCategories::ItemsVisible(int index) const
{
    return RecordAt(index).itemsVisible;
}

std::optional<TzqBarItemVisible> TzqBarManagerCategories::PendingItemsVisible(int index) const
{
    return RecordAt(index).pending;
}

bool TzqBarManagerCategories::Visible(int index) const
{
    return RecordAt(index).visible;
}

std::vector<int> TzqBarManagerCategories::ItemsVisibles() const
{
    std::vector<int> values;
    for (int i = 0; i < Count(); ++i)
        values.push_back(static_cast<int>(ItemsVisible(i)));
    return values;
}

void TzqBarManagerCategories::ReadItemsVisibles(const std::vector<int>& values)
{
    const int count = std::min(Count(), static_cast<int>(values.size()));
    for (int i = 0; i < count; ++i)
        if (ValidVisible(values[static_cast<size_t>(i)]))
            m_manager->SetCategoryItemsVisible(i, static_cast<TzqBarItemVisible>(values[static_cast<size_t>(i)]));
}

std::vector<bool> TzqBarManagerCategories::Visibles() const
{
    std::vector<bool> values;
    for (int i = 0; i < Count(); ++i)
        values.push_back(Visible(i));
    return values;
}

void TzqBarManagerCategories::ReadVisibles(const std::vector<bool>& values)
{
    const int count = std::min(Count(), static_cast<int>(values.size()));
    for (int i = 0; i < count; ++i)
        m_manager->SetCategoryVisible(i, values[static_cast<size_t>(i)]);
}

// ---- Keeping item categories in step ----

template <typename F>
void TzqBarManagerCategories::RenumberItems(F f)
{
    if (!m_manager)
        return;
    for (TzqBarItem* item : m_manager->m_items)
        item->m_category = f(item->m_category);
}

void TzqBarManagerCategories::InsertData(int index, const std::string& s, intptr_t data)
{
    if (index < 0 || index > Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    RenumberItems([index](int c) { return c >= index ? c + 1 : c; });
    TStrings::InsertData(index, s, data);
}

void TzqBarManagerCategories::Delete(int index)
{
    CheckIndex(index);
    if (m_manager) {
        // The items of the category go with it, newest first as the form frees its
        // components; a handler of their destruction may free others.
        const auto items = m_manager->WatchedItems();
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            if (*it->second && it->first->Category() == index)
                delete it->first;
    }
    RenumberItems([index](int c) { return c > index ? c - 1 : c; });
    TStrings::Delete(index);
}

void TzqBarManagerCategories::Move(int fromIndex, int toIndex)
{
    CheckIndex(fromIndex);
    CheckIndex(toIndex);
    if (fromIndex == toIndex)
        return;
    RenumberItems([fromIndex](int c) { return c == fromIndex ? kParkedCategory : c; });
    if (fromIndex < toIndex)
        RenumberItems([fromIndex, toIndex](int c) { return c > fromIndex && c <= toIndex ? c - 1 : c; });
    else
        RenumberItems([fromIndex, toIndex](int c) { return c >= toIndex && c < fromIndex ? c + 1 : c; });
    RenumberItems([toIndex](int c) { return c == kParkedCategory ? toIndex : c; });
    TStrings::Move(fromIndex, toIndex);
}

void TzqBarManagerCategories::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    if (index1 == index2)
        return;
    RenumberItems([index1, index2](int c) { return c == index1 ? index2 : c == index2 ? index1 : c; });
    TStrings::Exchange(index1, index2);
}

void TzqBarManagerCategories::Changed()
{
    TStrings::Changed();
    if (UpdateCount() > 0)
        return;
    // Never left empty outside loading.
    if (Count() == 0 && m_manager && !m_manager->IsLoading() && !m_manager->IsDestroying()) {
        Add("Default");
        return;
    }
    if (m_manager)
        m_manager->Changed();
}
