// Container items do not open a menu of their own: when a menu that links one is
// shown, the container's content is put in its place. TzqBarListItem shows one entry
// per string; TzqBarContainerItem shows copies of its own links.
#pragma once

#include "bars/BarSubItem.h"
#include "platform/core/StringList.h"

#include <memory>
#include <vector>

class TzqBarButton;

class TCustomzqBarContainerItem : public TCustomzqBarSubItem {
public:
    explicit TCustomzqBarContainerItem(TComponent* AOwner);

    // Fires OnGetData; the menu calls it before filling itself when the user opens it.
    void DoGetData();
    // Inserts the content into `Links` at `Index` for the container's link
    // `ContainerLink`, each new link referring to it as its OriginalLink; answers how
    // many links were inserted.
    virtual int InsertContent(TzqBarItemLinks* Links, int Index, TzqBarItemLink* ContainerLink) = 0;

    TNotifyEvent OnGetData;
};

class TzqBarListItem : public TCustomzqBarContainerItem {
public:
    explicit TzqBarListItem(TComponent* AOwner);
    ~TzqBarListItem() override;

    // Strings shown as entries; "-" strings start groups and are not entries.
    TStringList* Items() const { return m_items.get(); }
    void SetItems(const TStrings& value) { m_items->Assign(value); }
    // The chosen string (counting "-" strings); outside the strings it is -1.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int value);
    // ItemIndex counting only entries; -1 when no entry is chosen.
    int DataIndex() const;
    void SetDataIndex(int value);
    // The chosen entry shows checked.
    bool ShowCheck() const { return m_showCheck; }
    void SetShowCheck(bool value);
    // Entries start with "&1 " to "&9 ", then "&A ", "&B " and so on.
    bool ShowNumbers() const { return m_showNumbers; }
    void SetShowNumbers(bool value);

    int InsertContent(TzqBarItemLinks* Links, int Index, TzqBarItemLink* ContainerLink) override;

    // The entry buttons, one per string other than "-" (made on first use, kept until
    // the strings change).
    int EntryCount() const;
    TzqBarButton* Entries(int Index) const;

private:
    void StringsChanged();
    void MakeEntries() const;
    void FreeEntries() const;
    void UpdateEntryStates() const;
    void EntryClicked(int StringIndex);

    std::unique_ptr<TStringList> m_items;
    int m_itemIndex = -1;
    bool m_showCheck = false;
    bool m_showNumbers = true;
    // Each entry with the index of its string.
    struct Entry {
        TzqBarButton* button;
        int stringIndex;
    };
    mutable std::vector<Entry> m_entries;
    mutable bool m_entriesMade = false;
};

class TzqBarContainerItem : public TCustomzqBarContainerItem {
public:
    explicit TzqBarContainerItem(TComponent* AOwner);

    // Inserts copies of the visible links, the first one beginning a group.
    int InsertContent(TzqBarItemLinks* Links, int Index, TzqBarItemLink* ContainerLink) override;
};

// The caption of the list entry number `Number` (0-based) with ShowNumbers: "&1 " to
// "&9 ", then letters from "A" on by character code.
std::string ListEntryPrefix(int Number);
