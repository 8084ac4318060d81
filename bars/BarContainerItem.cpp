#include "bars/BarContainerItem.h"

#include "bars/BarButton.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManagerList.h"
#include "platform/core/Utf8.h"

namespace {

bool IsGroupMark(const std::string& s)
{
    return s == "-";
}

} // namespace

std::string ListEntryPrefix(int Number)
{
    if (Number < 0)
        return {};
    const char32_t mark = Number < 9 ? U'1' + static_cast<char32_t>(Number) : U'A' + static_cast<char32_t>(Number - 9);
    // Far down a very long list the character codes run out; those entries go unnumbered.
    if ((mark >= 0xD800 && mark <= 0xDFFF) || mark > 0x10FFFF)
        return {};
    return "&" + Utf32ToUtf8(mark) + " ";
}

// ---- TCustomzqBarContainerItem ----

TCustomzqBarContainerItem::TCustomzqBarContainerItem(TComponent* AOwner) : TCustomzqBarSubItem(AOwner) {}

void TCustomzqBarContainerItem::DoGetData()
{
    if (OnGetData)
        OnGetData(this);
}

// ---- TzqBarListItem ----

TzqBarListItem::TzqBarListItem(TComponent* AOwner) : TCustomzqBarContainerItem(AOwner), m_items(std::make_unique<TStringList>())
{
    m_items->OnChange = [this](TObject*) { StringsChanged(); };
}

TzqBarListItem::~TzqBarListItem()
{
    ItemDestroying();
    m_items->OnChange = nullptr;
    FreeEntries();
}

void TzqBarListItem::StringsChanged()
{
    FreeEntries();
    if (m_itemIndex >= m_items->Count())
        m_itemIndex = -1;
    NotifyChanged();
}

void TzqBarListItem::SetItemIndex(int value)
{
    if (value < 0 || value >= m_items->Count())
        value = -1;
    if (value == m_itemIndex)
        return;
    m_itemIndex = value;
    UpdateEntryStates();
    NotifyChanged();
}

int TzqBarListItem::DataIndex() const
{
    if (m_itemIndex < 0 || IsGroupMark(m_items->Strings(m_itemIndex)))
        return -1;
    int entries = 0;
    for (int i = 0; i < m_itemIndex; ++i)
        entries += IsGroupMark(m_items->Strings(i)) ? 0 : 1;
    return entries;
}

void TzqBarListItem::SetDataIndex(int value)
{
    int entries = 0;
    for (int i = 0; i < m_items->Count(); ++i) {
        if (IsGroupMark(m_items->Strings(i)))
            continue;
        if (entries++ == value) {
            SetItemIndex(i);
            return;
        }
    }
    SetItemIndex(-1);
}

void TzqBarListItem::SetShowCheck(bool value)
{
    if (value == m_showCheck)
        return;
    m_showCheck = value;
    UpdateEntryStates();
    NotifyChanged();
}

void TzqBarListItem::SetShowNumbers(bool value)
{
    if (value == m_showNumbers)
        return;
    m_showNumbers = value;
    FreeEntries();
    NotifyChanged();
}

int TzqBarListItem::EntryCount() const
{
    MakeEntries();
    return static_cast<int>(m_entries.size());
}

TzqBarButton* TzqBarListItem::Entries(int Index) const
{
    MakeEntries();
    return Index >= 0 && Index < static_cast<int>(m_entries.size()) ? m_entries[static_cast<size_t>(Index)].button : nullptr;
}

void TzqBarListItem::MakeEntries() const
{
    if (m_entriesMade)
        return;
    m_entriesMade = true;
    auto* self = const_cast<TzqBarListItem*>(this);
    int number = 0;
    for (int i = 0; i < m_items->Count(); ++i) {
        const std::string& text = m_items->Strings(i);
        if (IsGroupMark(text))
            continue;
        auto* button = new TzqBarButton(self);
        button->SetBarManager(BarManager());
        TzqBarManagerListPrivate::AddTemporary(button);
        button->SetCaption(m_showNumbers ? ListEntryPrefix(number) + text : text);
        button->OnClick = [self, i](TObject*) { self->EntryClicked(i); };
        m_entries.push_back(Entry{button, i});
        ++number;
    }
    UpdateEntryStates();
}

void TzqBarListItem::FreeEntries() const
{
    std::vector<Entry> entries;
    entries.swap(m_entries);
    m_entriesMade = false;
    // Newest first: each one leaves the lists it is in at their end.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        delete it->button;
}

void TzqBarListItem::UpdateEntryStates() const
{
    for (const Entry& entry : m_entries) {
        const bool chosen = m_showCheck && entry.stringIndex == m_itemIndex;
        entry.button->SetButtonStyle(chosen ? TzqBarButtonStyle::bsChecked : TzqBarButtonStyle::bsDefault);
        entry.button->SetDown(chosen);
        entry.button->SetEnabled(Enabled());
    }
}

void TzqBarListItem::EntryClicked(int StringIndex)
{
    SetItemIndex(StringIndex);
    DoClick();
}

int TzqBarListItem::InsertContent(TzqBarItemLinks* Links, int Index, TzqBarItemLink* ContainerLink)
{
    if (!Links)
        return 0;
    MakeEntries();
    int inserted = 0;
    for (const Entry& entry : std::vector<Entry>(m_entries)) {
        TzqBarItemLink* link = Links->Insert(Index + inserted);
        link->SetItem(entry.button);
        const bool followsMark = entry.stringIndex > 0 && IsGroupMark(m_items->Strings(entry.stringIndex - 1));
        link->SetBeginGroup(inserted == 0 || followsMark);
        if (ContainerLink) {
            link->AssignUsage(*ContainerLink);
            link->SetOriginalLink(ContainerLink);
        }
        ++inserted;
    }
    return inserted;
}

// ---- TzqBarContainerItem ----

TzqBarContainerItem::TzqBarContainerItem(TComponent* AOwner) : TCustomzqBarContainerItem(AOwner) {}

int TzqBarContainerItem::InsertContent(TzqBarItemLinks* Links, int Index, TzqBarItemLink* ContainerLink)
{
    if (!Links || Links == ItemLinks())
        return 0;
    std::vector<TzqBarItemLink*> sources;
    for (int i = 0; i < ItemLinks()->VisibleCount(); ++i)
        sources.push_back(ItemLinks()->VisibleItems(i));
    int inserted = 0;
    for (TzqBarItemLink* source : sources) {
        TzqBarItemLink* link = Links->Insert(Index + inserted);
        link->Assign(*source);
        if (Links->IndexOf(link) < 0)
            continue; // the copy found no item and went
        link->SetBeginGroup(inserted == 0 || source->BeginGroupFlag());
        if (ContainerLink)
            link->SetOriginalLink(ContainerLink);
        ++inserted;
    }
    return inserted;
}
