// TzqDbOrgChart: the undo history. Every write-back that is a user action records the
// images of the records it wrote (TzqOcUndoEntry); Undo and Redo check them against the
// dataset and write the other side back in one transaction (TzqOcUndoReplay), then the
// chart follows: node by node when the step only added records back or only deleted
// records, otherwise built from every record again; the branches that came back show as
// they were, with the node the user had selected.
#include "dborgchart/DbOrgChart.h"

#include "dborgchart/DbOrgChartError.h"
#include "dborgchart/OcScopes.h"
#include "dborgchart/OcUndoReplay.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/data/Table.h"

#include <algorithm>
#include <exception>
#include <optional>

namespace {

constexpr int kToFirstRecord = -99999999;
const char* const kChangeCaption = "Change Node";
const char* const kRenameCaption = "Rename Node";

} // namespace

// ---- Recording ----

void TzqDbOrgChart::StartRecording(const char* Caption)
{
    m_recording.reset();
    m_recordedFields.clear();
    TDataSet* dataSet = DataSet();
    if (!Caption || !dataSet)
        return;
    std::vector<std::string> names;
    for (TField* field : dataSet->Fields()) {
        if (!field->IsDataField())
            continue;
        m_recordedFields.push_back(field);
        names.push_back(field->FieldName());
    }
    m_recording = std::make_unique<TzqOcUndoEntry>(Caption);
    m_recording->SetFieldNames(std::move(names));
    m_recording->SetSelectedBefore(SelectedKey());
}

void TzqDbOrgChart::FinishRecording()
{
    std::unique_ptr<TzqOcUndoEntry> entry = std::move(m_recording);
    m_recordedFields.clear();
    if (!entry || entry->Empty())
        return;
    // A change of the caption is a rename for the user.
    if (entry->Caption() == kChangeCaption && TextField()) {
        const int text = entry->FieldIndex(TextField()->FieldName());
        for (const auto& change : entry->Changes()) {
            if (text >= 0 && change.Before && change.After &&
                !(*change.Before)[size_t(text)].IsIdentical((*change.After)[size_t(text)]))
                entry->SetCaption(kRenameCaption);
        }
    }
    if (m_undoGroupDepth > 0) {
        // A change made with other fields than the group's cannot be merged into it:
        // the group is given up rather than recorded wrong.
        if (m_undoGroup && !m_undoGroup->Merge(*entry))
            m_undoGroup.reset();
        return;
    }
    m_history.Add(std::move(*entry));
}

TzqOcUndoEntry::TValues TzqDbOrgChart::RecordValues() const
{
    TzqOcUndoEntry::TValues values;
    values.reserve(m_recordedFields.size());
    for (const TField* field : m_recordedFields)
        values.push_back(field->Value());
    return values;
}

TzqOcUndoEntry::TValues TzqDbOrgChart::RecordValuesAt(int Position) const
{
    TzqOcUndoEntry::TValues values;
    values.reserve(m_recordedFields.size());
    const TDataSet* dataSet = DataSet();
    for (const TField* field : m_recordedFields)
        values.push_back(dataSet->ValueAt(Position, field));
    return values;
}

Variant TzqDbOrgChart::NoteRecordBefore()
{
    const Variant key = KeyField()->Value();
    if (m_recording)
        m_recording->NoteBefore(key, RecordValues());
    return key;
}

void TzqDbOrgChart::NoteRecordAfter(const Variant& OldKey)
{
    if (m_recording)
        m_recording->NoteAfter(OldKey, KeyField()->Value(), RecordValues());
}

void TzqDbOrgChart::NoteRecordDeleted(int Position, const TzqDbOcNode* Node)
{
    if (!m_recording)
        return;
    const bool expanded = Node && Node->Count() > 0 && Node->Expanded();
    m_recording->NoteDeleted(DataSet()->ValueAt(Position, KeyField()), RecordValuesAt(Position), expanded);
}

Variant TzqDbOrgChart::SelectedKey() const
{
    const TzqDbOcNode* node = DbNodeOf(Selected());
    return node ? node->m_key.Get() : Variant::Null();
}

// ---- Groups ----

void TzqDbOrgChart::BeginUndoGroup(const std::string& Caption)
{
    if (m_undoGroupDepth++ > 0)
        return;
    m_undoGroup = std::make_unique<TzqOcUndoEntry>(Caption);
    m_undoGroup->SetSelectedBefore(SelectedKey());
}

void TzqDbOrgChart::EndUndoGroup(bool Keep)
{
    if (m_undoGroupDepth == 0 || --m_undoGroupDepth > 0)
        return;
    std::unique_ptr<TzqOcUndoEntry> group = std::move(m_undoGroup);
    if (Keep && group && !group->Empty())
        m_history.Add(std::move(*group));
}

// ---- Undo and redo ----

std::string TzqDbOrgChart::UndoCaption() const
{
    return m_history.CanUndo() ? m_history.NextUndo().Caption() : std::string();
}

std::string TzqDbOrgChart::RedoCaption() const
{
    return m_history.CanRedo() ? m_history.NextRedo().Caption() : std::string();
}

void TzqDbOrgChart::Undo()
{
    Replay(true);
}

void TzqDbOrgChart::Redo()
{
    Replay(false);
}

void TzqDbOrgChart::Replay(bool Undoing)
{
    if (Undoing ? !CanUndo() : !CanRedo())
        return;
    // Not while the caption is edited, nor from inside a load or another write.
    if (IsEditing() || m_busyDepth > 0 || !m_syncEnabled)
        return;
    TzqOcUndoEntry& entry = Undoing ? m_history.NextUndo() : m_history.NextRedo();
    const std::string verb = Undoing ? "undo" : "redo";
    const std::string cannot = "Cannot " + verb + " \"" + entry.Caption() + "\": ";
    if (!IsReady())
        throw EzqDbOrgChartError(cannot + "the chart is not bound to an open table.");
    TDataSet* dataSet = DataSet();
    // An edit another control left pending is that control's change: it is posted on
    // its own first, and the check below sees it.
    if (IsEditState(dataSet->State()))
        dataSet->CheckBrowseMode();
    if (!DataSetCanModify())
        throw EzqDbOrgChartError(cannot + "the table cannot be modified.");

    if (Undoing)
        entry.SetSelectedAfter(SelectedKey());
    const Variant selectKey = Undoing ? entry.SelectedBefore() : entry.SelectedAfter();
    const std::vector<Variant> rewritten = RewrittenInPlace(entry);
    std::vector<Variant> expandedKeys;
    TReplayedRecords replayed;
    std::exception_ptr failure;
    bool refused = false;
    bool reloadAfterFailure = false;
    {
        BusyScope busy(*this);
        TzqOcFlagScope suspended(m_syncEnabled, false);
        TzqOcControlsScope controls(dataSet);
        TzqOcUndoReplay replay(*dataSet, KeyField(), TextField(), entry,
                               Undoing ? TzqOcUndoReplay::TDirection::Undo : TzqOcUndoReplay::TDirection::Redo,
                               [this](const Variant& Key) {
                                   const TzqDbOcNode* node = FindNodeByKey(Key);
                                   return node ? node->RecordIndex() : -1;
                               });
        const int startIndex = m_currentIndex;
        const Variant cursorKey = KeyField()->Value();
        TTable* table = dynamic_cast<TTable*>(dataSet);
        try {
            replay.Check();
        } catch (...) {
            failure = std::current_exception();
            refused = true;
        }
        if (!refused) {
            try {
                if (table) {
                    // All records or none: a failure rolls every one of them back.
                    TTableTransaction transaction(*table);
                    replay.Apply();
                    transaction.Commit();
                } else {
                    replay.Apply();
                }
                expandedKeys = replay.ExpandedKeys();
                if (rewritten.empty())
                    replayed = ReplayedRecords(replay);
                // The chart follows the cursor when it reads the records again: it is
                // put on the record to select (or back on its own), not left on the
                // last one written.
                if (!replay.MoveToKey(selectKey))
                    replay.MoveToKey(cursorKey);
            } catch (...) {
                failure = std::current_exception();
                try {
                    if (dataSet->Active() && IsEditState(dataSet->State()))
                        dataSet->Cancel();
                    if (dataSet->Active()) {
                        // The cursor goes back to the record it was on: the records
                        // are as they were again.
                        dataSet->MoveBy(kToFirstRecord);
                        m_currentIndex = 0;
                        GoToIndex(std::max(startIndex, 0));
                    }
                } catch (...) {
                }
                // Without a transaction the dataset keeps what was written: the chart
                // reads it again.
                reloadAfterFailure = !table;
            }
        }
    }
    if (refused) {
        // The records are not as the step left them: it cannot be made, nor can the
        // steps that built on it.
        if (Undoing)
            m_history.DropUndo();
        else
            m_history.DropRedo();
        std::rethrow_exception(failure);
    }
    if (failure) {
        if (reloadAfterFailure)
            ReloadNodes();
        std::rethrow_exception(failure);
    }
    if (Undoing)
        m_history.Undone();
    else
        m_history.Redone();
    if (!rewritten.empty())
        ShowRewritten(rewritten, selectKey);
    else
        ShowReplayed(replayed, expandedKeys, selectKey);
}

TzqDbOrgChart::TReplayedRecords TzqDbOrgChart::ReplayedRecords(TzqOcUndoReplay& Replay) const
{
    TReplayedRecords out;
    const std::vector<Variant> added = Replay.AddedKeys();
    std::vector<std::pair<Variant, int>> deleted = Replay.DeletedRecords();
    if (Replay.Rewrote() || added.empty() == deleted.empty())
        return out;
    // Records added back in one go usually stand at the end of a table kept in the
    // order of its inserts: each is looked for there first.
    const int oldCount = m_lastIndex + 1;
    out.Added.reserve(added.size());
    for (size_t i = 0; i < added.size(); ++i) {
        const int position = Replay.PositionOf(added[i], oldCount + int(i));
        if (position < 0)
            return {};
        out.Added.emplace_back(added[i], position);
    }
    out.Deleted = std::move(deleted);
    out.Known = true;
    return out;
}

std::vector<Variant> TzqDbOrgChart::RewrittenInPlace(const TzqOcUndoEntry& Entry) const
{
    // A rename or another change of a record's shown values (the same both ways): the
    // records stay where they are and the tree keeps its shape.
    std::vector<int> structural;
    for (const TField* field : {KeyField(), ParentField(), OrderField()}) {
        if (field)
            structural.push_back(Entry.FieldIndex(field->FieldName()));
    }
    for (const TField* field : DataSet()->IndexFields())
        structural.push_back(Entry.FieldIndex(field->FieldName()));
    std::vector<Variant> keys;
    for (const auto& change : Entry.Changes()) {
        if (!change.Before || !change.After || !change.BeforeKey.IsIdentical(change.AfterKey) ||
            !FindNodeByKey(change.AfterKey))
            return {};
        for (int index : structural) {
            if (index < 0 || !(*change.Before)[size_t(index)].IsIdentical((*change.After)[size_t(index)]))
                return {};
        }
        keys.push_back(change.AfterKey);
    }
    return keys;
}

void TzqDbOrgChart::ShowRewritten(const std::vector<Variant>& Keys, const Variant& SelectKey)
{
    // No record moved: the cursor's position is where the replay left it.
    m_currentIndex = std::max(DataSet()->RecNo() - 1, 0);
    BeginUpdate();
    try {
        for (const Variant& key : Keys) {
            if (TzqDbOcNode* node = FindNodeByKey(key))
                ShowRecordValues(node);
        }
        if (TzqDbOcNode* node = FindNodeByKey(SelectKey)) {
            SetSelected(node);
            if (Selected() == node)
                node->MakeVisible();
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TzqDbOrgChart::ShowReplayed(const TReplayedRecords& Records, const std::vector<Variant>& ExpandedKeys,
                                 const Variant& SelectKey)
{
    // Records only added back or only deleted: their nodes come or go one by one.
    // Otherwise the chart is built from the records again, as a fresh load builds it
    // (a reading in place can order siblings of equal order values, or records of one
    // key, otherwise), with the same branches expanded and the same node selected.
    if (!FollowReplayed(Records))
        RebuildKeepingView();
    BeginUpdate();
    try {
        for (const Variant& key : ExpandedKeys) {
            if (TzqDbOcNode* node = FindNodeByKey(key); node && node->Count() > 0 && !node->Expanded())
                node->Expand(false);
        }
        if (TzqDbOcNode* node = FindNodeByKey(SelectKey)) {
            SetSelected(node);
            if (Selected() == node)
                node->MakeVisible();
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
