#include "dborgchart/OcUndoReplay.h"

#include "dborgchart/DbOrgChartError.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

#include <algorithm>

namespace {

// The values a record holds compare as the dataset reads them: identical, or equal by
// the comparison rules (a value read back from the file may be of another numeric
// type), a null and an empty text being the same "nothing".
bool SameValue(const Variant& a, const Variant& b)
{
    if (a.IsIdentical(b))
        return true;
    const bool aNothing = a.IsClear() || (a.IsString() && a.StringView().empty());
    const bool bNothing = b.IsClear() || (b.IsString() && b.StringView().empty());
    if (aNothing || bNothing)
        return aNothing && bNothing;
    return VarEquals(a, b);
}

std::string Shown(const Variant& Value)
{
    if (Value.IsClear())
        return "empty";
    if (Value.IsString())
        return '"' + Value.AsString() + '"';
    return Value.AsString();
}

} // namespace

TzqOcUndoReplay::TzqOcUndoReplay(TDataSet& DataSet, const TField* KeyField, const TField* TextField,
                                 const TzqOcUndoEntry& Entry, TDirection Direction, TPositionGuess Guess)
    : m_dataSet(DataSet), m_keyField(KeyField), m_entry(Entry), m_direction(Direction), m_guess(std::move(Guess))
{
    for (const std::string& name : Entry.FieldNames()) {
        TField* field = DataSet.FindField(name);
        m_fields.push_back(field && field->IsDataField() ? field : nullptr);
    }
    if (TextField)
        m_textIndex = Entry.FieldIndex(TextField->FieldName());
    const std::vector<TField*> index = DataSet.IndexFields();
    m_keyOrdered = index.size() == 1 && index.front() == KeyField;
}

const std::optional<TRecordValues>& TzqOcUndoReplay::Expected(const TzqOcUndoEntry::TRecordChange& Change) const
{
    return m_direction == TDirection::Undo ? Change.After : Change.Before;
}

const std::optional<TRecordValues>& TzqOcUndoReplay::Target(const TzqOcUndoEntry::TRecordChange& Change) const
{
    return m_direction == TDirection::Undo ? Change.Before : Change.After;
}

const Variant& TzqOcUndoReplay::ExpectedKey(const TzqOcUndoEntry::TRecordChange& Change) const
{
    return m_direction == TDirection::Undo ? Change.AfterKey : Change.BeforeKey;
}

const Variant& TzqOcUndoReplay::TargetKey(const TzqOcUndoEntry::TRecordChange& Change) const
{
    return m_direction == TDirection::Undo ? Change.BeforeKey : Change.AfterKey;
}

// ---- Checking ----

void TzqOcUndoReplay::Check()
{
    m_plan.clear();
    m_checked = false;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_fields[i])
            throw EzqDbOrgChartError("Cannot " + std::string(m_direction == TDirection::Undo ? "undo" : "redo") +
                                     " \"" + m_entry.Caption() + "\": the table has no field " +
                                     m_entry.FieldNames()[i] + " any more.");
    }
    const auto& changes = m_entry.Changes();
    for (size_t i = 0; i < changes.size(); ++i) {
        const auto& change = changes[i];
        const auto& expected = Expected(change);
        const auto& target = Target(change);
        if (!expected && !target)
            continue; // added and deleted again within the action
        if (expected) {
            const Variant& key = ExpectedKey(change);
            const int position = Find(key, m_guess ? m_guess(key) : -1);
            if (position < 0)
                Refuse(Describe(key, expected) + " was deleted meanwhile", change);
            CompareRecord(position, change);
            m_plan.push_back({target ? TStep::Rewrite : TStep::Delete, i, position});
        } else {
            // The record comes back under its own key, which must still be free.
            const Variant& key = TargetKey(change);
            if (Find(key, m_guess ? m_guess(key) : -1) >= 0)
                Refuse("a record with the key " + Shown(key) + " was added meanwhile", change);
            m_plan.push_back({TStep::Add, i, -1});
        }
    }
    m_checked = true;
}

void TzqOcUndoReplay::CompareRecord(int Position, const TzqOcUndoEntry::TRecordChange& Change) const
{
    const TRecordValues& expected = *Expected(Change);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const Variant now = m_dataSet.ValueAt(Position, m_fields[i]);
        if (SameValue(now, expected[i]))
            continue;
        Refuse(Describe(ExpectedKey(Change), Expected(Change)) + " was changed meanwhile: " + m_entry.FieldNames()[i] +
                   " is " + Shown(now) + " now, not " + Shown(expected[i]),
               Change);
    }
}

std::string TzqOcUndoReplay::Describe(const Variant& Key, const std::optional<TRecordValues>& Values) const
{
    std::string out = "record " + Shown(Key);
    if (Values && m_textIndex >= 0 && !(*Values)[size_t(m_textIndex)].IsClear())
        out += " (" + Shown((*Values)[size_t(m_textIndex)]) + ")";
    return out;
}

void TzqOcUndoReplay::Refuse(const std::string& What, const TzqOcUndoEntry::TRecordChange&) const
{
    throw EzqDbOrgChartError("Cannot " + std::string(m_direction == TDirection::Undo ? "undo" : "redo") + " \"" +
                             m_entry.Caption() + "\": " + What + ".");
}

// ---- Finding records by key ----

int TzqOcUndoReplay::Find(const Variant& Key, int Hint)
{
    if (Key.IsClear())
        return -1;
    const int count = m_dataSet.RecordCount();
    if (Hint >= 0 && Hint < count && SameValue(m_dataSet.ValueAt(Hint, m_keyField), Key))
        return Hint;
    return m_keyOrdered ? FindByOrder(Key) : FindByScan(Key);
}

int TzqOcUndoReplay::FindByOrder(const Variant& Key) const
{
    // The records are in the order of their keys: a binary search.
    int low = 0, high = m_dataSet.RecordCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (VarCompareTotal(m_dataSet.ValueAt(middle, m_keyField), Key) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    if (low < m_dataSet.RecordCount() && SameValue(m_dataSet.ValueAt(low, m_keyField), Key))
        return low;
    return -1;
}

int TzqOcUndoReplay::FindByScan(const Variant& Key)
{
    // Records in another order are read once into a map of their keys; it holds until
    // a record is written.
    if (!m_scannedValid) {
        m_scanned.clear();
        const int count = m_dataSet.RecordCount();
        m_scanned.reserve(size_t(count));
        for (int i = 0; i < count; ++i)
            m_scanned.emplace(m_dataSet.ValueAt(i, m_keyField).AsString(), i);
        m_scannedValid = true;
    }
    const auto it = m_scanned.find(Key.AsString());
    if (it == m_scanned.end() || !SameValue(m_dataSet.ValueAt(it->second, m_keyField), Key))
        return -1;
    return it->second;
}

// ---- Writing ----

void TzqOcUndoReplay::MoveTo(int Position)
{
    m_dataSet.MoveBy(Position - (m_dataSet.RecNo() - 1));
}

bool TzqOcUndoReplay::MoveToKey(const Variant& Key)
{
    const int position = Find(Key, -1);
    if (position < 0)
        return false;
    MoveTo(position);
    return true;
}

void TzqOcUndoReplay::StoreValues(const TRecordValues& Values)
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_fields[i]->Value().IsIdentical(Values[i]))
            m_fields[i]->SetValue(Values[i]);
    }
}

void TzqOcUndoReplay::Apply()
{
    if (!m_checked)
        Check();
    const auto& changes = m_entry.Changes();

    // The records to delete go first, in one go, so that their keys are free.
    std::vector<int> gone;
    for (const TPlanned& step : m_plan) {
        if (step.Step == TStep::Delete)
            gone.push_back(step.Position);
    }
    if (!gone.empty()) {
        m_dataSet.DeleteRecords(gone);
        m_scannedValid = false;
        std::sort(gone.begin(), gone.end());
    }

    for (const TPlanned& step : m_plan) {
        if (step.Step != TStep::Rewrite)
            continue;
        const auto& change = changes[step.Change];
        // The record stands where it was found, less the records deleted before it,
        // unless a rewritten key moved it: its key says.
        const int shifted = step.Position - int(std::lower_bound(gone.begin(), gone.end(), step.Position) - gone.begin());
        const int position = Find(ExpectedKey(change), shifted);
        if (position < 0)
            Refuse(Describe(ExpectedKey(change), Expected(change)) + " was not found again", change);
        MoveTo(position);
        m_dataSet.Edit();
        StoreValues(*Target(change));
        m_dataSet.Post();
        m_scannedValid = false;
    }

    // The records that come back are put back whole, in one go: no new-record
    // handler fills them, and a large branch takes its place in one merge.
    std::vector<TzqOcUndoEntry::TValues> added;
    for (const TPlanned& step : m_plan) {
        if (step.Step == TStep::Add)
            added.push_back(Target(changes[step.Change])->Unpacked());
    }
    if (!added.empty())
        m_dataSet.PostRecords(m_fields, added);
}

std::vector<Variant> TzqOcUndoReplay::ExpandedKeys() const
{
    std::vector<Variant> keys;
    for (const TPlanned& step : m_plan) {
        const auto& change = m_entry.Changes()[step.Change];
        if (step.Step == TStep::Add && change.Expanded && m_direction == TDirection::Undo)
            keys.push_back(change.BeforeKey);
    }
    return keys;
}

bool TzqOcUndoReplay::Rewrote() const
{
    return std::any_of(m_plan.begin(), m_plan.end(), [](const TPlanned& step) { return step.Step == TStep::Rewrite; });
}

std::vector<Variant> TzqOcUndoReplay::AddedKeys() const
{
    std::vector<Variant> keys;
    for (const TPlanned& step : m_plan) {
        if (step.Step == TStep::Add)
            keys.push_back(TargetKey(m_entry.Changes()[step.Change]));
    }
    return keys;
}

std::vector<std::pair<Variant, int>> TzqOcUndoReplay::DeletedRecords() const
{
    std::vector<std::pair<Variant, int>> records;
    for (const TPlanned& step : m_plan) {
        if (step.Step == TStep::Delete)
            records.emplace_back(ExpectedKey(m_entry.Changes()[step.Change]), step.Position);
    }
    return records;
}
