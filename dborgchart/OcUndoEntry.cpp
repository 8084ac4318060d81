#include "dborgchart/OcUndoEntry.h"

#include <algorithm>

namespace {

bool SameValues(const std::optional<TRecordValues>& a, const std::optional<TRecordValues>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    if (!a)
        return true;
    if (a->size() != b->size())
        return false;
    for (size_t i = 0; i < a->size(); ++i) {
        if (!(*a)[i].IsIdentical((*b)[i]))
            return false;
    }
    return true;
}

} // namespace

int TzqOcUndoEntry::FieldIndex(const std::string& Name) const
{
    const auto it = std::find(m_fieldNames.begin(), m_fieldNames.end(), Name);
    return it == m_fieldNames.end() ? -1 : int(it - m_fieldNames.begin());
}

bool TzqOcUndoEntry::Empty() const
{
    return std::all_of(m_changes.begin(), m_changes.end(),
                       [](const TRecordChange& c) { return SameValues(c.Before, c.After); });
}

std::string TzqOcUndoEntry::KeyText(const Variant& Key)
{
    return std::to_string(int(Key.Type())) + ':' + Key.AsString();
}

TzqOcUndoEntry::TRecordChange* TzqOcUndoEntry::Current(const Variant& Key)
{
    const auto it = m_byKey.find(KeyText(Key));
    return it == m_byKey.end() ? nullptr : &m_changes[it->second];
}

void TzqOcUndoEntry::Rekey(size_t Index, const Variant& OldKey, const Variant& NewKey)
{
    const std::string oldText = KeyText(OldKey);
    if (const auto it = m_byKey.find(oldText); it != m_byKey.end() && it->second == Index)
        m_byKey.erase(it);
    m_byKey[KeyText(NewKey)] = Index;
}

void TzqOcUndoEntry::NoteBefore(const Variant& Key, const TValues& Values)
{
    // Only the first image of a record counts: later ones are images of this action's
    // own writes.
    if (Current(Key))
        return;
    TRecordChange change;
    change.BeforeKey = Key;
    change.AfterKey = Key;
    change.Before = TRecordValues(Values);
    change.After = change.Before;
    m_changes.push_back(std::move(change));
    m_byKey[KeyText(Key)] = m_changes.size() - 1;
}

void TzqOcUndoEntry::NoteAfter(const Variant& OldKey, const Variant& Key, const TValues& Values)
{
    TRecordChange* change = OldKey.IsClear() ? nullptr : Current(OldKey);
    if (!change) {
        // A new record: there was none before.
        TRecordChange added;
        added.AfterKey = Key;
        added.After = TRecordValues(Values);
        m_changes.push_back(std::move(added));
        m_byKey[KeyText(Key)] = m_changes.size() - 1;
        return;
    }
    const size_t index = size_t(change - m_changes.data());
    change->After = TRecordValues(Values);
    change->AfterKey = Key;
    Rekey(index, OldKey, Key);
}

void TzqOcUndoEntry::NoteDeleted(const Variant& Key, const TValues& Values, bool Expanded)
{
    NoteBefore(Key, Values);
    TRecordChange* change = Current(Key);
    change->After.reset();
    change->Expanded = Expanded;
    // No record has this key any more.
    m_byKey.erase(KeyText(Key));
}

bool TzqOcUndoEntry::Merge(const TzqOcUndoEntry& Later)
{
    if (m_fieldNames.empty())
        m_fieldNames = Later.m_fieldNames;
    else if (!Later.m_changes.empty() && Later.m_fieldNames != m_fieldNames)
        return false;
    for (const TRecordChange& later : Later.m_changes) {
        if (later.Before)
            NoteBefore(later.BeforeKey, later.Before->Unpacked());
        if (later.After) {
            NoteAfter(later.Before ? later.BeforeKey : Variant::Null(), later.AfterKey, later.After->Unpacked());
        } else if (later.Before) {
            NoteDeleted(later.BeforeKey, later.Before->Unpacked(), later.Expanded);
        }
    }
    return true;
}
