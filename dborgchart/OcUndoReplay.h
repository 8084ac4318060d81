// TzqOcUndoReplay: one action of a data-bound chart's history reversed (undo) or made
// again (redo) on its dataset.
//
// Check reads, without moving the cursor, whether every record the action touched
// holds exactly what the action left (undo) or what it found (redo): a record changed
// or deleted by someone else, or a record of the same key added meanwhile, is refused
// with a message naming the record and what changed, so that no other record is ever
// reversed. Apply then writes the other side's images: records to delete first (in
// one go), then the records to rewrite, then the records to add back (in one go too),
// each with every field. The caller runs Apply inside one transaction and puts the chart in line with
// the dataset afterwards.
#pragma once

#include "dborgchart/OcUndoEntry.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class TDataSet;
class TField;

class TzqOcUndoReplay {
public:
    enum class TDirection { Undo, Redo };
    // Where the chart believes the record of a key is (-1: it does not know); a guess
    // that is checked before it is used.
    using TPositionGuess = std::function<int(const Variant& Key)>;

    TzqOcUndoReplay(TDataSet& DataSet, const TField* KeyField, const TField* TextField, const TzqOcUndoEntry& Entry,
                    TDirection Direction, TPositionGuess Guess);

    // Raises EzqDbOrgChartError naming the first record that is not as expected.
    void Check();
    // Writes every record; Check must have passed. Errors of the dataset propagate.
    void Apply();

    // Puts the cursor on the record of this key; false (the cursor stays) when there is
    // none.
    bool MoveToKey(const Variant& Key);

    // The keys of the records Apply added back whose nodes had their branch expanded.
    std::vector<Variant> ExpandedKeys() const;

    // What Apply wrote, for a chart that follows it without reading every record:
    // whether it rewrote any record in place; the keys of the records it added back (in
    // the entry's order); the key of each record it deleted with the position Check
    // found it at.
    bool Rewrote() const;
    std::vector<Variant> AddedKeys() const;
    std::vector<std::pair<Variant, int>> DeletedRecords() const;
    // The position of the record with this key, tried at Hint first; -1 for none.
    int PositionOf(const Variant& Key, int Hint) { return Find(Key, Hint); }

private:
    enum class TStep { Delete, Rewrite, Add };
    struct TPlanned {
        TStep Step;
        size_t Change;
        int Position; // where Check found the record (Delete and Rewrite)
    };

    const std::optional<TRecordValues>& Expected(const TzqOcUndoEntry::TRecordChange& Change) const;
    const std::optional<TRecordValues>& Target(const TzqOcUndoEntry::TRecordChange& Change) const;
    const Variant& ExpectedKey(const TzqOcUndoEntry::TRecordChange& Change) const;
    const Variant& TargetKey(const TzqOcUndoEntry::TRecordChange& Change) const;
    // The position of the record with this key, or -1.
    int Find(const Variant& Key, int Hint);
    int FindByOrder(const Variant& Key) const;
    int FindByScan(const Variant& Key);
    [[noreturn]] void Refuse(const std::string& What, const TzqOcUndoEntry::TRecordChange& Change) const;
    std::string Describe(const Variant& Key, const std::optional<TRecordValues>& Values) const;
    void CompareRecord(int Position, const TzqOcUndoEntry::TRecordChange& Change) const;
    void MoveTo(int Position);
    // Stores the target values into the record being edited or inserted, only the
    // fields that differ (a field's change handler sees only real changes).
    void StoreValues(const TRecordValues& Values);

    TDataSet& m_dataSet;
    const TField* m_keyField;
    const TzqOcUndoEntry& m_entry;
    TDirection m_direction;
    TPositionGuess m_guess;
    std::vector<TField*> m_fields; // by the entry's field order
    int m_textIndex = -1;
    // The records are in the order of the key (a primary index on the key field alone).
    bool m_keyOrdered = false;
    // Positions by key, read once when the records are not in key order.
    std::unordered_map<std::string, int> m_scanned;
    bool m_scannedValid = false;
    std::vector<TPlanned> m_plan;
    bool m_checked = false;
};
