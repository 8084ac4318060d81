#include "platform/core/StringList.h"

#include "platform/core/TextCompare.h"

#include <algorithm>

// ---- TStrings ----

void TStrings::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TStrings::Compare(const std::string& a, const std::string& b) const
{
    return m_caseSensitive ? a.compare(b) : CompareText(a, b);
}

const std::string& TStrings::Strings(int index) const
{
    CheckIndex(index);
    return m_items[static_cast<size_t>(index)].text;
}

void TStrings::SetStrings(int index, const std::string& value)
{
    CheckIndex(index);
    if (m_items[static_cast<size_t>(index)].text == value)
        return;
    Changing();
    m_items[static_cast<size_t>(index)].text = value;
    Changed();
}

TObject* TStrings::Objects(int index) const
{
    return reinterpret_cast<TObject*>(Data(index));
}

void TStrings::SetObjects(int index, TObject* value)
{
    SetData(index, reinterpret_cast<intptr_t>(value));
}

intptr_t TStrings::Data(int index) const
{
    CheckIndex(index);
    return m_items[static_cast<size_t>(index)].data;
}

void TStrings::SetData(int index, intptr_t value)
{
    CheckIndex(index);
    if (m_items[static_cast<size_t>(index)].data == value)
        return;
    Changing();
    m_items[static_cast<size_t>(index)].data = value;
    Changed();
}

int TStrings::AddData(const std::string& s, intptr_t data)
{
    const int index = Count();
    InsertData(index, s, data);
    return index;
}

void TStrings::AddStrings(const TStrings& other)
{
    BeginUpdate();
    try {
        for (const Item& item : std::vector<Item>(other.m_items))
            AddData(item.text, item.data);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::InsertData(int index, const std::string& s, intptr_t data)
{
    if (index < 0 || index > Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    Changing();
    m_items.insert(m_items.begin() + index, Item{s, data, 0});
    Changed();
}

void TStrings::Delete(int index)
{
    CheckIndex(index);
    Changing();
    m_items.erase(m_items.begin() + index);
    Changed();
}

void TStrings::Clear()
{
    if (m_items.empty())
        return;
    Changing();
    m_items.clear();
    Changed();
}

void TStrings::Move(int fromIndex, int toIndex)
{
    CheckIndex(fromIndex);
    CheckIndex(toIndex);
    if (fromIndex == toIndex)
        return;
    Changing();
    Item item = std::move(m_items[static_cast<size_t>(fromIndex)]);
    m_items.erase(m_items.begin() + fromIndex);
    m_items.insert(m_items.begin() + toIndex, std::move(item));
    Changed();
}

void TStrings::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    if (index1 == index2)
        return;
    Changing();
    std::swap(m_items[static_cast<size_t>(index1)], m_items[static_cast<size_t>(index2)]);
    Changed();
}

void TStrings::Assign(const TStrings& other)
{
    if (&other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        AddStrings(other);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const
{
    for (int i = 0; i < Count(); ++i)
        if (Compare(m_items[static_cast<size_t>(i)].text, s) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_items[static_cast<size_t>(i)].data == reinterpret_cast<intptr_t>(object))
            return i;
    return -1;
}

void TStrings::SetCaseSensitive(bool value)
{
    if (value == m_caseSensitive)
        return;
    m_caseSensitive = value;
    CompareRuleChanged();
}

std::string TStrings::Names(int index) const
{
    const std::string& s = Strings(index);
    const size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const
{
    const std::string& s = Strings(index);
    const size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStrings::IndexOfName(const std::string& name) const
{
    for (int i = 0; i < Count(); ++i) {
        const std::string& s = m_items[static_cast<size_t>(i)].text;
        const size_t eq = s.find('=');
        if (eq != std::string::npos && Compare(s.substr(0, eq), name) == 0)
            return i;
    }
    return -1;
}

std::string TStrings::Values(const std::string& name) const
{
    const int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValues(const std::string& name, const std::string& value)
{
    const int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0)
            Delete(i);
        return;
    }
    if (i >= 0)
        SetStrings(i, name + "=" + value);
    else
        Add(name + "=" + value);
}

std::string TStrings::Text() const
{
    std::string out;
    for (const Item& item : m_items) {
        out += item.text;
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(const std::string& text)
{
    BeginUpdate();
    try {
        Clear();
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos) {
                Add(text.substr(start));
                break;
            }
            Add(text.substr(start, end - start));
            start = end + 1;
            if (text[end] == '\r' && start < text.size() && text[start] == '\n')
                ++start;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::vector<std::string> TStrings::ToVector() const
{
    std::vector<std::string> out;
    out.reserve(m_items.size());
    for (const Item& item : m_items)
        out.push_back(item.text);
    return out;
}

void TStrings::BeginUpdate()
{
    if (m_updateCount++ == 0)
        m_changedWhileUpdating = false;
}

void TStrings::EndUpdate()
{
    if (m_updateCount == 0)
        return;
    if (--m_updateCount == 0 && m_changedWhileUpdating) {
        m_changedWhileUpdating = false;
        Changed();
    }
}

void TStrings::Changing()
{
    if (m_updateCount == 0 && OnChanging)
        OnChanging(this);
}

void TStrings::Changed()
{
    if (m_updateCount > 0) {
        m_changedWhileUpdating = true;
        return;
    }
    if (OnChange)
        OnChange(this);
}

// ---- TStringList ----

void TStringList::RefuseInSortedList(const char* what) const
{
    if (m_sorted)
        throw EListError(std::string("Operation not allowed on sorted list: ") + what);
}

void TStringList::SetSorted(bool value)
{
    if (value == m_sorted)
        return;
    if (value)
        Sort();
    m_sorted = value;
}

void TStringList::CompareRuleChanged()
{
    if (m_sorted)
        Sort();
}

bool TStringList::Find(const std::string& s, int& index) const
{
    // The first of equal strings, so that a duplicate goes after them.
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = Compare(m_items[static_cast<size_t>(mid)].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0)
                found = true;
        }
    }
    index = lo;
    return found;
}

int TStringList::IndexOf(const std::string& s) const
{
    if (!m_sorted)
        return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

int TStringList::AddData(const std::string& s, intptr_t data)
{
    if (!m_sorted)
        return TStrings::AddData(s, data);
    int index;
    if (Find(s, index)) {
        switch (m_duplicates) {
        case TDuplicates::dupIgnore:
            return index;
        case TDuplicates::dupError:
            throw EListError("String list does not allow duplicates");
        case TDuplicates::dupAccept:
            // After the equal strings already there.
            while (index < Count() && Compare(m_items[static_cast<size_t>(index)].text, s) == 0)
                ++index;
            break;
        }
    }
    TStrings::InsertData(index, s, data);
    return index;
}

void TStringList::InsertData(int index, const std::string& s, intptr_t data)
{
    RefuseInSortedList("insert");
    TStrings::InsertData(index, s, data);
}

void TStringList::SetStrings(int index, const std::string& value)
{
    RefuseInSortedList("replace");
    TStrings::SetStrings(index, value);
}

void TStringList::Move(int fromIndex, int toIndex)
{
    RefuseInSortedList("move");
    TStrings::Move(fromIndex, toIndex);
}

void TStringList::Exchange(int index1, int index2)
{
    RefuseInSortedList("exchange");
    TStrings::Exchange(index1, index2);
}

void TStringList::Sort()
{
    const bool inOrder = std::is_sorted(m_items.begin(), m_items.end(),
                                        [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
    if (inOrder)
        return;
    Changing();
    std::stable_sort(m_items.begin(), m_items.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
    Changed();
}
