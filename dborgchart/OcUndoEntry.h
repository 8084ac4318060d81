// TzqOcUndoEntry: one user action on a data-bound chart, as the records it touched saw
// it. For every record the action wrote it keeps the values of every field before the
// action and after it (none where the record did not exist), its key on both sides and,
// for a deleted record, whether its node's branch was expanded. With these the action
// can be reversed and made again, and it can be checked first that the records still
// hold what the action left.
//
// A record written several times in one action (an insert followed by a renumbering,
// a new node given its look) is one change: its first before-image and its last
// after-image. Actions grouped into one (TzqOcUndoGroup) are merged the same way.
#pragma once

#include "platform/data/Record.h"
#include "platform/data/Variant.h"

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TzqOcUndoEntry {
public:
    // One value per field, in the order of FieldNames().
    using TValues = std::vector<Variant>;
    // The images are kept packed as the dataset keeps its records (about a hundred
    // bytes for a record of a dozen small fields): a large deleted branch stays
    // affordable in the history.
    struct TRecordChange {
        Variant BeforeKey = Variant::Null();
        Variant AfterKey = Variant::Null();
        std::optional<TRecordValues> Before;
        std::optional<TRecordValues> After;
        // The record was deleted while its node's branch was expanded.
        bool Expanded = false;
    };

    explicit TzqOcUndoEntry(std::string Caption = {}) : m_caption(std::move(Caption)) {}

    // What the user did ("Delete Node"), for messages.
    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string Value) { m_caption = std::move(Value); }
    // The fields the values are of (the dataset's data fields when the action ran).
    const std::vector<std::string>& FieldNames() const { return m_fieldNames; }
    void SetFieldNames(std::vector<std::string> Names) { m_fieldNames = std::move(Names); }
    int FieldIndex(const std::string& Name) const;
    const std::vector<TRecordChange>& Changes() const { return m_changes; }
    // No record differs between before and after: nothing to reverse.
    bool Empty() const;

    // The key of the node selected before the action and after it (null: none).
    const Variant& SelectedBefore() const { return m_selectedBefore; }
    void SetSelectedBefore(const Variant& Key) { m_selectedBefore = Key; }
    const Variant& SelectedAfter() const { return m_selectedAfter; }
    void SetSelectedAfter(const Variant& Key) { m_selectedAfter = Key; }

    // A record is about to be edited or deleted; Values are what it holds now.
    void NoteBefore(const Variant& Key, const TValues& Values);
    // A record was posted. OldKey is the key it had before the post (null for a new
    // record); Values what it holds now.
    void NoteAfter(const Variant& OldKey, const Variant& Key, const TValues& Values);
    // A record was deleted; Values are what it held.
    void NoteDeleted(const Variant& Key, const TValues& Values, bool Expanded);
    // Takes the changes of an action that followed this one within the same group.
    // False when the two were taken from different fields (nothing merged then).
    bool Merge(const TzqOcUndoEntry& Later);

private:
    // A key as text that tells the value's type too, for the map of current keys.
    static std::string KeyText(const Variant& Key);
    TRecordChange* Current(const Variant& Key);
    void Rekey(size_t Index, const Variant& OldKey, const Variant& NewKey);

    std::string m_caption;
    std::vector<std::string> m_fieldNames;
    std::vector<TRecordChange> m_changes;
    // Change index by the key the record has now (after the action so far).
    std::unordered_map<std::string, size_t> m_byKey;
    Variant m_selectedBefore = Variant::Null();
    Variant m_selectedAfter = Variant::Null();
};
