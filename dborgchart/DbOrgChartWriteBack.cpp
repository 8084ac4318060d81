// TzqDbOrgChart: every change to the tree written to the dataset at once.
//
// A change made while SyncEnabled is on is a user action and is written as one
// transaction (TzqOcWriteAction): a new node appends its record and renumbers the
// siblings after it, a move rewrites the parent field and renumbers, a deletion deletes
// the records of the whole branch, parent first, before any node leaves the chart, and
// a changed caption or attribute rewrites the node's record. While SyncEnabled is off
// the change is one the chart makes itself (loading, or inside another write-back) and
// nothing is written.
//
// When a write fails, the action is undone in the dataset (cancel, rollback), the chart
// is put back in line with it (a node whose insert failed is removed, a moved node goes
// back, the tree is reloaded in place when records had been touched), and the error
// reaches the caller.
#include "dborgchart/DbOrgChart.h"

#include "dborgchart/DbOrgChartError.h"
#include "dborgchart/OcFieldValues.h"
#include "dborgchart/OcScopes.h"
#include "dborgchart/OcWriteAction.h"
#include "platform/controls/ProgressIndicator.h"
#include "platform/data/DataSet.h"
#include "platform/data/DatabaseError.h"
#include "platform/data/Field.h"
#include "platform/data/IntegerField.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

constexpr int kToFirstRecord = -99999999;
const char* const kCannotCreateKey = "Cannot create new key.";

bool IsIntegerFieldType(TFieldType Type)
{
    return Type == TFieldType::ftSmallint || Type == TFieldType::ftInteger || Type == TFieldType::ftWord ||
           Type == TFieldType::ftAutoInc;
}

// The nodes of a branch in pre-order (the node itself first, then each child's branch
// in sibling order), without recursion.
std::vector<TzqDbOcNode*> BranchInPreOrder(TzqDbOcNode* Top)
{
    std::vector<TzqDbOcNode*> out;
    TzqOcNode* n = Top;
    while (n) {
        out.push_back(static_cast<TzqDbOcNode*>(n));
        if (n->Count() > 0) {
            n = n->Items(0);
            continue;
        }
        TzqOcNode* up = n;
        n = nullptr;
        while (up != Top) {
            if (TzqOcNode* sibling = up->GetNextSibling()) {
                n = sibling;
                break;
            }
            up = up->Parent();
        }
    }
    return out;
}

} // namespace

// ---- The frame of a write ----

template <typename Work, typename Revert>
void TzqDbOrgChart::RunWriteAction(Work&& DoWork, Revert&& UndoInChart, bool ReloadOnFailure, const char* UndoCaption)
{
    BusyScope busy(*this);
    bool touched = false;
    bool rolledBack = false;
    const int lastIndex = m_lastIndex;
    const Variant maxKey = m_maxKey;
    // An action inside another keeps the outer one's steps: its rollback undoes only
    // its own, and the outer one may still need them all.
    const bool outermost = m_action == nullptr;
    if (outermost) {
        m_journal.Clear();
        StartRecording(UndoCaption);
    }
    const size_t mark = m_journal.Mark();
    try {
        TzqOcWriteAction action(*this);
        try {
            DoWork();
            action.Commit();
        } catch (...) {
            touched = action.Touched();
            rolledBack = action.Transactional();
            action.Fail();
            throw;
        }
        if (outermost) {
            m_journal.Clear();
            FinishRecording();
        }
    } catch (...) {
        // Nothing of a failed action stays: there is nothing to undo.
        if (outermost)
            m_recording.reset();
        {
            TzqOcFlagScope suspended(m_syncEnabled, false);
            // The rollback gave the table back what it held: the chart takes back what
            // it changed in its nodes and record positions, and is as it was.
            if (rolledBack) {
                m_journal.Undo(*this, mark);
                m_lastIndex = lastIndex;
                m_maxKey = maxKey;
            }
            if (outermost)
                m_journal.Clear();
            try {
                UndoInChart();
            } catch (...) {
            }
        }
        // Without a transaction the dataset holds as much as was written: the chart
        // reads it again.
        if (touched && !rolledBack && ReloadOnFailure) {
            try {
                ReloadNodes();
            } catch (...) {
            }
        }
        throw;
    }
}

TzqOcRecordPositions::Slot TzqDbOrgChart::AppendSlot()
{
    const TzqOcRecordPositions::Slot slot = m_positions.Append();
    if (m_action)
        m_journal.SlotAdded(slot);
    return slot;
}

void TzqDbOrgChart::MoveSlot(TzqOcRecordPositions::Slot Slot, int Position)
{
    if (m_action)
        m_journal.SlotMoved(Slot, m_positions.PositionOf(Slot));
    m_positions.MoveTo(Slot, Position);
}

void TzqDbOrgChart::EraseSlot(TzqOcRecordPositions::Slot Slot)
{
    if (m_action)
        m_journal.SlotErased(Slot, m_positions.PositionOf(Slot));
    m_positions.Erase(Slot);
}

void TzqDbOrgChart::RememberNode(TzqDbOcNode* Node)
{
    if (m_action)
        m_journal.RememberNode(Node);
}

void TzqDbOrgChart::CheckBound() const
{
    // A dataset event handler may close the dataset in the middle of a write; the
    // fields bound to it are gone then.
    if (!IsReady())
        throw EDatabaseError("Cannot perform this operation on a closed dataset.");
}

void TzqDbOrgChart::Touch()
{
    if (m_action)
        m_action->MarkTouched();
}

// ---- Insert ----

TzqOcNode* TzqDbOrgChart::InsertNode(TzqOcNode* Parent, uint32_t Data, int Index)
{
    const bool loadedNode = std::exchange(m_creatingLoadedNode, false);
    if (!IsReady())
        return nullptr;
    if (m_syncEnabled && !DataSetCanModify())
        return nullptr;
    const bool topLevel = !Parent || Parent == RootNode();
    // Nodes waiting for their parent record stay at the end of the top level.
    if (m_loading && !loadedNode && topLevel)
        Index = ClampTopLevelIndex(Index);
    TzqDbOcNode* node = DbNodeOf(TzqCustomOrgChart::InsertNode(Parent, Data, Index));
    if (!node)
        return nullptr;
    if (!loadedNode)
        MarkChildOrderUnknown(topLevel ? RootNode() : Parent);
    if (!m_syncEnabled) {
        // A node made while write-back is off has no record: it is in the key index
        // (as every node is) without a key, and the next load removes it.
        if (!loadedNode)
            AddToKeyIndex(node);
        return node;
    }
    // The chart never shows a node without a record: a node whose record could not be
    // written leaves again, and the error reaches the caller.
    RunWriteAction([&] { WriteNewRecord(node); }, [&] { DeleteNode(node); }, true, "Add Node");
    // Records waiting for a parent of the new key (left out until now) belong under
    // the new node, as they will when the table is read again: the chart is read again
    // now, as it looks to the user, and the node of the new record answered.
    if (RecordsWaitFor(node->m_key)) {
        const Variant key = node->m_key;
        RebuildKeepingView();
        return FindNodeByKey(key);
    }
    return node;
}

void TzqDbOrgChart::RebuildKeepingView()
{
    std::vector<Variant> expanded;
    for (TzqOcNode* n = GetFirstNode(); n; n = n->GetNext()) {
        if (n->Expanded())
            expanded.push_back(static_cast<TzqDbOcNode*>(n)->m_key);
    }
    const TzqDbOcNode* selected = DbNodeOf(Selected());
    const Variant selectedKey = selected ? selected->m_key.Get() : Variant::Null();
    BeginUpdate();
    try {
        ResetBindings();
        for (const Variant& key : expanded) {
            if (TzqDbOcNode* n = FindNodeByKey(key); n && n->Count() > 0)
                n->Expand(false);
        }
        if (TzqDbOcNode* n = FindNodeByKey(selectedKey))
            SetSelected(n);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TzqDbOrgChart::RecordsWaitFor(const Variant& Key) const
{
    // Only a table with records the chart does not show can have any: then its records
    // are looked through once.
    if (Key.IsClear() || m_lastIndex + 1 <= Count() || !IsReady())
        return false;
    const TDataSet* dataSet = DataSet();
    for (int i = 0; i <= m_lastIndex; ++i) {
        if (!VarEquals(dataSet->ValueAt(i, ParentField()), Key))
            continue;
        const Variant childKey = dataSet->ValueAt(i, KeyField());
        if (childKey.IsClear())
            continue; // a record without a key is never shown
        const TzqDbOcNode* child = FindNodeByKey(childKey);
        if (!child || child->RecordIndex() != i)
            return true;
    }
    return false;
}

void TzqDbOrgChart::WriteNewRecord(TzqDbOcNode* Node)
{
    TDataSet* dataSet = DataSet();
    const bool autoInc = KeyIsAutoInc();
    if (!autoInc)
        Node->m_key = NewKey();
    if (auto* parent = static_cast<TzqDbOcNode*>(Node->Parent()))
        Node->SetParentKey(parent->m_key);
    if (TzqDbOcNode* previous = PrevSibling(Node))
        Node->m_orderValue = OcNextOrderValue(previous->m_orderValue).value_or(Variant(Node->Index()));
    else
        Node->m_orderValue = Variant(0);

    Touch();
    dataSet->Append();
    CheckBound();
    ++m_lastIndex;
    m_currentIndex = m_lastIndex;
    Node->m_slot = AppendSlot();
    if (!autoInc)
        KeyField()->SetValue(Node->m_key);
    WriteParentField(Node);
    if (OrderField())
        OrderField()->SetValue(Node->m_orderValue);
    dataSet->Post();
    CheckBound();
    if (autoInc && KeyField()->Value().IsClear()) {
        // The key field was taken for one the database fills, and it did not: the
        // record gets a new key of the chart's making, in the same transaction.
        const Variant key = NewKey();
        dataSet->Edit();
        KeyField()->SetValue(key);
        dataSet->Post();
        CheckBound();
    }
    NoteRecordAfter(Variant::Null());
    // The dataset's handlers may have filled the new record's caption and attributes:
    // the node shows what the record holds, as it will when the table is read again.
    ApplyAttributes(Node);

    // The key as the record holds it: the one an auto-increment field was given, or
    // the new key in the form the field stored it.
    Node->m_key = KeyField()->Value();
    if (!OrderField())
        Node->m_orderValue = Node->m_key;
    SyncRecordIndex(Node);
    AddToKeyIndex(Node);
    Node->m_loaded = true;
    RenumberFollowing(Node);
}

Variant TzqDbOrgChart::NewKey()
{
    Variant result = Variant::Null();
    if (OnNewKey) {
        Variant offered = Variant::Null();
        OnNewKey(this, m_maxKey, offered);
        CheckBound();
        // Only a key above every key known is new (any value is above null; an
        // unassigned value is above nothing).
        if (VarGreater(offered, m_maxKey))
            result = offered;
    }
    if (result.IsNull() && IsIntegerFieldType(KeyField()->DataType()))
        result = NextIntegerKey();
    if (result.IsClear())
        throw EzqDbOrgChartError(kCannotCreateKey);
    m_maxKey = result;
    return result;
}

Variant TzqDbOrgChart::NextIntegerKey() const
{
    if (m_maxKey.IsNull())
        return Variant(int64_t(0));
    // The whole number after MaxKey: a float key is counted on from its integral part.
    int64_t next = 0;
    Variant number = m_maxKey;
    if (number.IsString() && !TryStrToNumber(m_maxKey.StringView(), number))
        throw EzqDbOrgChartError(kCannotCreateKey);
    if (number.Type() == TVarType::varInteger || number.Type() == TVarType::varBoolean) {
        if (number.RawInt() == std::numeric_limits<int64_t>::max())
            throw EzqDbOrgChartError(kCannotCreateKey);
        next = number.RawInt() + 1;
    } else {
        double d = 0;
        try {
            d = std::floor(number.AsFloat());
        } catch (const Exception&) {
            throw EzqDbOrgChartError(kCannotCreateKey);
        }
        if (!(d >= -9.0e18 && d < 9.0e18))
            throw EzqDbOrgChartError(kCannotCreateKey);
        next = int64_t(d) + 1;
    }
    // A key that does not fit the field would wrap onto an existing one: refused.
    if (const auto* field = dynamic_cast<const TIntegerField*>(KeyField())) {
        int64_t low = field->TypeMin(), high = field->TypeMax();
        if (field->MinValue() != 0 || field->MaxValue() != 0) {
            low = std::max(low, field->MinValue());
            high = std::min(high, field->MaxValue());
        }
        if (next < low || next > high)
            throw EzqDbOrgChartError(kCannotCreateKey);
    }
    return Variant(next);
}

void TzqDbOrgChart::WriteParentField(TzqDbOcNode* Node)
{
    // A top-level record whose parent field must have a value names itself, which
    // reads back as top level.
    Variant value = Node->ParentKey();
    if (value.IsClear() && ParentField()->Required())
        value = Node->m_key;
    ParentField()->SetValue(value);
}

void TzqDbOrgChart::SyncRecordIndex(TzqDbOcNode* Node)
{
    // After a post the dataset may show the record elsewhere in its order; the record's
    // slot moves there, which shifts the records between the two places.
    TDataSet* dataSet = DataSet();
    int position = dataSet->RecNo() - 1;
    m_currentIndex = position;
    if (position < 0) {
        position = -dataSet->MoveBy(kToFirstRecord);
        m_currentIndex = 0;
    }
    if (Node->m_slot == TzqOcRecordPositions::kNoSlot || Node->RecordIndex() == position)
        return;
    MoveSlot(Node->m_slot, position);
}

void TzqDbOrgChart::RenumberFollowing(TzqDbOcNode* Node)
{
    if (!m_keyOrder && !OrderField())
        return;
    // Walks on to the last sibling, renumbering only where the order is not already
    // strictly increasing. Past a few records the positions of all records are read in
    // one pass rather than looked up one by one, as long as no post moves a record.
    constexpr int kLookupsBeforeTable = 64;
    std::vector<int> positions;
    bool positionsHold = true;
    int lookups = 0;
    for (TzqDbOcNode *current = Node, *next = NextSibling(Node); next; current = next, next = NextSibling(next)) {
        if (!VarGreaterOrEqual(current->m_orderValue, next->m_orderValue))
            continue;
        if (!OrderField()) {
            GiveNewKey(next);
            continue;
        }
        if (positionsHold && positions.empty() && ++lookups > kLookupsBeforeTable)
            positions = m_positions.AllPositions();
        const bool fromTable = positionsHold && next->m_slot >= 0 && size_t(next->m_slot) < positions.size();
        const bool located = fromTable ? LocateNodeAt(next, positions[size_t(next->m_slot)]) : LocateNode(next);
        // A record found elsewhere by its key has moved its slot: the table is stale.
        if (fromTable && (!located || m_currentIndex != positions[size_t(next->m_slot)]))
            positionsHold = false;
        const auto value = OcNextOrderValue(current->m_orderValue);
        if (!value)
            continue; // no number follows a value that is no number
        RememberNode(next);
        next->m_orderValue = *value;
        if (located) {
            const int position = m_currentIndex;
            Touch();
            const Variant recordKey = NoteRecordBefore();
            DataSet()->Edit();
            OrderField()->SetValue(next->m_orderValue);
            DataSet()->Post();
            NoteRecordAfter(recordKey);
            // A record that stays where it stood keeps its slot; only one the post moved
            // in the dataset's order needs its slot moved (and its position looked up).
            if (DataSet()->RecNo() - 1 == position) {
                m_currentIndex = position;
            } else {
                SyncRecordIndex(next);
                positionsHold = false;
            }
        }
    }
}

void TzqDbOrgChart::GiveNewKey(TzqDbOcNode* Node)
{
    // Key order: the sibling takes a new, largest key. The node's key changes, and its
    // children are pointed at it, only once its record holds that key; a record that
    // cannot be found keeps everything as it was.
    if (!LocateNode(Node))
        return;
    const Variant key = NewKey();
    Touch();
    const Variant oldKey = NoteRecordBefore();
    DataSet()->Edit();
    KeyField()->SetValue(key);
    DataSet()->Post();
    NoteRecordAfter(oldKey);
    // A cycle head naming the node's old key would name no record any more.
    if (TzqDbOcNode* top = TopLevelAncestor(Node); top != Node)
        StoreTopLevel(top);
    // The children are remembered while their parent key is still the old one: a
    // child's parent key follows its parent's key unless set otherwise.
    for (int i = 0; i < Node->Count(); ++i)
        RememberNode(static_cast<TzqDbOcNode*>(Node->Items(i)));
    RememberNode(Node);
    RemoveFromKeyIndex(Node);
    Node->m_key = KeyField()->Value();
    Node->m_orderValue = Node->m_key;
    AddToKeyIndex(Node);
    SyncRecordIndex(Node);
    for (int i = 0; i < Node->Count(); ++i) {
        auto* child = static_cast<TzqDbOcNode*>(Node->Items(i));
        child->SetParentKey(Node->m_key);
        if (LocateNode(child)) {
            const Variant childKey = NoteRecordBefore();
            DataSet()->Edit();
            ParentField()->SetValue(Node->m_key);
            DataSet()->Post();
            NoteRecordAfter(childKey);
            SyncRecordIndex(child);
        }
    }
}

// ---- Move ----

void TzqDbOrgChart::MoveNode(TzqOcNode* Parent, TzqOcNode* Node, int Index)
{
    const bool ordered = std::exchange(m_orderedMove, false);
    if (m_syncEnabled && !DataSetCanModify())
        return;
    TzqDbOcNode* node = DbNodeOf(Node);
    if (!node) {
        TzqCustomOrgChart::MoveNode(Parent, Node, Index);
        return;
    }
    TzqOcNode* target = Parent == RootNode() ? nullptr : Parent;
    if (m_loading && !target && !ordered)
        Index = ClampTopLevelIndex(Index);
    TzqOcNode* oldParent = node->Parent();
    const int oldIndex = node->Index();
    const Variant oldParentKey = node->ParentKey();
    TzqDbOcNode* oldTop = TopLevelAncestor(node);
    TzqCustomOrgChart::MoveNode(target, node, Index);
    if (node->Parent() == oldParent && node->Index() == oldIndex)
        return; // refused (a cycle, a node being deleted) or nothing to move
    Unstage(node);
    if (!ordered)
        MarkChildOrderUnknown(target ? target : RootNode());
    auto* newParent = static_cast<TzqDbOcNode*>(node->Parent());
    node->SetParentKey(newParent ? newParent->m_key.Get() : Variant::Null());
    if (!m_syncEnabled)
        return;
    RunWriteAction(
        [&] {
            // A cycle the node belonged to may be another shape now: its head is stored
            // as the chart shows it.
            if (oldTop != node)
                StoreTopLevel(oldTop);
            WriteMovedRecord(node);
        },
        [&] {
            TzqCustomOrgChart::MoveNode(oldParent, node, oldIndex);
            node->SetParentKey(oldParentKey);
        },
        true, "Move Node");
}

void TzqDbOrgChart::WriteMovedRecord(TzqDbOcNode* Node)
{
    if (LocateNode(Node)) {
        Touch();
        const Variant key = NoteRecordBefore();
        DataSet()->Edit();
        WriteParentField(Node);
        DataSet()->Post();
        NoteRecordAfter(key);
        SyncRecordIndex(Node);
    }
    // The node's own order value changes only when its previous sibling's is not below
    // it.
    TzqDbOcNode* previous = PrevSibling(Node);
    RenumberFollowing(previous ? previous : Node);
}

// ---- Delete ----

void TzqDbOrgChart::DeleteNode(TzqOcNode* Node)
{
    TzqDbOcNode* node = DbNodeOf(Node);
    if (!node || !m_syncEnabled || !IsReady() || node->m_branchWritten || !IsLinked(node)) {
        TzqCustomOrgChart::DeleteNode(Node);
        return;
    }
    // A large branch takes a while: the window says how far its deletion got, first of
    // the records, then of the boxes.
    const std::vector<TzqDbOcNode*> branch = BranchInPreOrder(node);
    TProgressIndicator progress(this, "Deleting records", int64_t(branch.size()));
    if (node->m_dying) {
        // Freed directly: the node goes whatever happens to its records.
        if (DataSetCanModify()) {
            try {
                DeleteBranchRecords(branch, false, &progress);
            } catch (...) {
            }
        }
    } else {
        if (!DataSetCanModify())
            return;
        // The editor's text is stored (or, in the branch, dropped) before any record
        // goes: a failure there leaves everything as it was.
        EndEditingBefore(node);
        DeleteBranchRecords(branch, true, &progress);
    }
    progress.SetStage("Removing boxes", int64_t(branch.size()));
    struct ProgressScope {
        TzqDbOrgChart& chart;
        ~ProgressScope() { chart.SetDeletionProgress(nullptr, 0); }
    } scope{*this};
    SetDeletionProgress(&progress, 0);
    TzqCustomOrgChart::DeleteNode(Node);
}

void TzqDbOrgChart::DeleteBranchRecords(const std::vector<TzqDbOcNode*>& Branch, bool ReloadOnFailure,
                                        TProgressIndicator* Progress)
{
    // All records of the branch go in one transaction, parent first; only then do the
    // nodes leave the chart. A failure leaves both the table and the chart as they were.
    RunWriteAction(
        [&] {
            // The head of a parent cycle this branch is part of names a record of it
            // as its parent: it is stored at the top level, where the chart shows it.
            TzqDbOcNode* head = Branch.front();
            if (TzqDbOcNode* top = TopLevelAncestor(head); top != head)
                StoreTopLevel(top);
            DeleteRecordsOf(Branch, Progress);
            DeleteShadowedRecords(Branch);
        },
        [] {}, ReloadOnFailure, "Delete Node");
    // A node whose record could not be found still goes; its record stays.
    for (TzqDbOcNode* n : Branch)
        n->m_branchWritten = true;
}

void TzqDbOrgChart::DeleteRecordsOf(const std::vector<TzqDbOcNode*>& Nodes, TProgressIndicator* Progress)
{
    // Each node's record is where the chart remembers it, checked by its key without
    // moving the cursor; one that moved behind the chart's back is searched for. Then
    // the dataset deletes them all at once, parent first, the record set compacted
    // once, however large the branch.
    TDataSet* dataSet = DataSet();
    std::vector<std::pair<int, TzqDbOcNode*>> records;
    records.reserve(Nodes.size());
    for (TzqDbOcNode* n : Nodes) {
        if (Progress)
            Progress->Step(int64_t(records.size()));
        if (n->m_slot == TzqOcRecordPositions::kNoSlot)
            continue;
        const int position = n->RecordIndex();
        if (position >= 0 && position <= m_lastIndex && VarEquals(dataSet->ValueAt(position, KeyField()), n->m_key)) {
            records.emplace_back(position, n);
        } else if (LocateNode(n)) {
            records.emplace_back(m_currentIndex, n);
        }
    }
    if (records.empty())
        return;
    std::vector<int> positions;
    positions.reserve(records.size());
    for (const auto& record : records)
        positions.push_back(record.first);
    for (const auto& [position, n] : records)
        NoteRecordDeleted(position, n);
    Touch();
    dataSet->DeleteRecords(positions);
    CheckBound();
    // The slots leave from the last position back, so that each position is still the
    // record's own when its slot goes (and a rollback puts them back in reverse).
    std::sort(records.begin(), records.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [position, n] : records) {
        if (m_action)
            m_action->SlotErased(n->m_slot, position);
        RememberNode(n);
        EraseSlot(n->m_slot);
        n->m_slot = TzqOcRecordPositions::kNoSlot;
    }
    m_lastIndex -= int(records.size());
    // The cursor stands where the dataset put it: on the record that took the place of
    // the first one deleted, or on the new last one.
    m_currentIndex = std::max(dataSet->RecNo() - 1, 0);
}

void TzqDbOrgChart::DeleteRecordHere(TzqOcRecordPositions::Slot Slot)
{
    Touch();
    const int position = m_currentIndex;
    NoteRecordDeleted(position, nullptr);
    DataSet()->Delete();
    if (m_action)
        m_action->SlotErased(Slot, position);
    EraseSlot(Slot);
    // The cursor stands on the record after the deleted one, or on the new last one.
    --m_lastIndex;
    if (m_lastIndex < m_currentIndex)
        m_currentIndex = std::max(m_lastIndex, 0);
}

void TzqDbOrgChart::DeleteShadowedRecords(const std::vector<TzqDbOcNode*>& Branch)
{
    // An earlier record of a duplicate key has no node of its own; left behind, it
    // would bring the deleted node back at the next reading. Only a table with records
    // the chart does not show can have any.
    if (m_lastIndex + 1 <= Count() - int(Branch.size()))
        return;
    const std::unordered_set<const TzqDbOcNode*> doomed(Branch.begin(), Branch.end());
    for (int i = m_lastIndex; i >= 0; --i) {
        const TzqDbOcNode* owner = FindNodeByKey(DataSet()->ValueAt(i, KeyField()));
        if (!owner || !doomed.count(owner) || owner->RecordIndex() == i)
            continue;
        GoToIndex(i);
        CheckBound();
        if (m_currentIndex == i)
            DeleteRecordHere(m_positions.At(i));
    }
}

// ---- Records that say other than the chart shows ----

TzqDbOcNode* TzqDbOrgChart::TopLevelAncestor(TzqDbOcNode* Node)
{
    TzqOcNode* top = Node;
    while (top->Parent())
        top = top->Parent();
    return static_cast<TzqDbOcNode*>(top);
}

void TzqDbOrgChart::StoreTopLevel(TzqDbOcNode* Node)
{
    // A top-level node whose record names a parent heads a parent cycle (the record of
    // the cycle read first). Once the cycle changes shape its record could put it
    // elsewhere at the next reading, or nowhere: the record is made to say top level.
    if (Node->Parent() || Node->ParentKey().IsClear() || !LocateNode(Node))
        return;
    Touch();
    const Variant key = NoteRecordBefore();
    DataSet()->Edit();
    RememberNode(Node);
    Node->SetParentKey(Variant::Null());
    WriteParentField(Node);
    DataSet()->Post();
    NoteRecordAfter(key);
    SyncRecordIndex(Node);
}

// ---- Captions and attributes ----

void TzqDbOrgChart::NodeChanged(TzqOcNode* Node)
{
    TzqDbOcNode* node = DbNodeOf(Node);
    if (!node || !m_syncEnabled || !IsReady() || node->m_slot == TzqOcRecordPositions::kNoSlot)
        return;
    // A change the table does not take is not kept: the box shows what the record
    // holds, whether the table cannot be modified or the write failed.
    if (!DataSetCanModify()) {
        ShowRecordValues(node);
        return;
    }
    RunWriteAction(
        [&] {
            if (!LocateNode(node))
                return;
            Touch();
            const Variant key = NoteRecordBefore();
            DataSet()->Edit();
            CheckBound();
            StoreAttributes(node);
            DataSet()->Post();
            NoteRecordAfter(key);
            SyncRecordIndex(node);
        },
        [&] { ShowRecordValues(node); }, true, "Change Node");
}

void TzqDbOrgChart::ShowRecordValues(TzqDbOcNode* Node)
{
    // Reading the record moves the cursor, which no control is to follow; it goes back
    // to the record it was on.
    TzqOcFlagScope suspended(m_syncEnabled, false);
    TzqOcControlsScope controls(DataSet());
    const int back = m_currentIndex;
    if (LocateNode(Node))
        ApplyAttributes(Node);
    GoToIndex(back);
}

void TzqDbOrgChart::StoreAttributes(TzqDbOcNode* Node)
{
    // Every bound attribute, not only the one that changed; the caption as the node
    // shows it.
    if (TextField())
        TextField()->SetValue(Variant(Node->GetText()));
    auto store = [](TField* field, int64_t value) {
        if (field)
            field->SetValue(Variant(value));
    };
    store(WidthField(), Node->Width());
    store(HeightField(), Node->Height());
    // A colour is 32 bits; an integer field keeps the system colours as negative numbers.
    store(ColorField(), int32_t(Node->Color()));
    store(ShapeField(), uint8_t(Node->Shape()));
    store(AlignField(), uint8_t(Node->Align()));
    store(ImageAlignField(), uint8_t(Node->ImageAlign()));
    store(ImageField(), Node->ImageIndex());
}
