// TzqBarManagerCategories: the manager's category names. Items refer to their
// category by index, so deleting, inserting, exchanging and moving names renumbers the
// items with them; deleting a category destroys its items. Each name carries a small
// record (kept in the string's attached value): whether its items are visible, the
// value read while loading, and whether the category shows in lists. The list is never
// left empty: "Default" comes back when the last name goes.
#pragma once

#include "bars/BarTypes.h"
#include "platform/core/StringList.h"

#include <optional>
#include <vector>

class TzqBarManagerCategories : public TStrings {
public:
    explicit TzqBarManagerCategories(TzqBarManager* Manager);

    void InsertData(int index, const std::string& s, intptr_t data) override;
    void Delete(int index) override;
    void Move(int fromIndex, int toIndex) override;
    void Exchange(int index1, int index2) override;

    // The record of a category: (ivAlways, none, true) without one.
    TzqBarItemVisible ItemsVisible(int index) const;
    std::optional<TzqBarItemVisible> PendingItemsVisible(int index) const;
    bool Visible(int index) const;
    bool HasRecord(int index) const;

    // The stored lists beside the names, one value per category; reading stops where
    // a list ends, and values that name no visibility are skipped.
    std::vector<int> ItemsVisibles() const;
    void ReadItemsVisibles(const std::vector<int>& values);
    std::vector<bool> Visibles() const;
    void ReadVisibles(const std::vector<bool>& values);

protected:
    void Changed() override;

private:
    friend class TzqBarManager;
    struct Record {
        TzqBarItemVisible itemsVisible = TzqBarItemVisible::ivAlways;
        std::optional<TzqBarItemVisible> pending;
        bool visible = true;
    };
    Record RecordAt(int index) const;
    // Gives every item of the manager the category f makes of its own.
    template <typename F> void RenumberItems(F f);
    void StoreRecord(int index, const Record& record);

    TzqBarManager* m_manager;
};
