// TzqDbOrgChart: the org chart whose nodes are the records of one dataset.
//
// Every record carries a key, the key of its parent record and optionally a caption, an
// order value and display attributes. The chart reads all records in one pass and
// builds (or, on a reload, updates) one node per record, places every node under the
// node of its parent record and keeps siblings sorted by their order value. From then
// on the selected node and the dataset's current record follow each other, and every
// change made to the tree (a new node, a deletion, a move, a caption or an attribute)
// is written to the dataset at once.
//
// The chart never positions the dataset by searching on the normal path: it knows the
// position of each node's record (its record index), moves the cursor there by a
// relative step and checks the key it arrives at. A key index sorted by key tells which
// node belongs to a record.
//
// Writing back. Each user action is one transaction on a table: an insert with the
// renumbering of its following siblings, a move with its renumbering, a branch deletion
// with all its records. Either every record of the action is written or none is, and
// it is committed when the action returns. When a write fails, the pending record is
// cancelled, the transaction rolled back, the cursor put back, the chart made to match
// the dataset again (a node whose insert failed is removed) and the error passed on.
//
// Undo and redo. Each user action (an add, a move, a deletion, a rename or another
// change of a node's record, or several of them grouped by the program) is recorded
// with the before- and after-images of every record it wrote. Undo checks that those
// records still hold what the action left, then writes their former images back in
// one transaction of its own; redo does the reverse. A record changed from outside
// meanwhile refuses the step (and drops it with the ones before it); a failed write
// leaves the table, the chart and the history as they were.
//
// SyncEnabled is the guard against feedback: while the chart moves the cursor, loads or
// writes, it is off, and the dataset's notifications and the chart's own tree changes
// are not acted on. It is given back on every exit.
#pragma once

#include "dborgchart/DbOcNode.h"
#include "dborgchart/OcKeyIndex.h"
#include "dborgchart/OcParentKeyTable.h"
#include "dborgchart/OcNewKeyEvent.h"
#include "dborgchart/OcRecordPositions.h"
#include "dborgchart/OcSiblingOrder.h"
#include "dborgchart/OcUndoHistory.h"
#include "dborgchart/OcUndoJournal.h"
#include "orgchart/CustomOrgChart.h"
#include "platform/data/Variant.h"

#include <array>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

class TDataSet;
class TDataSource;
class TField;
class TProgressIndicator;
class TzqOcDataLink;
class TzqOcUndoReplay;
class TzqOcWriteAction;

class TzqDbOrgChart : public TzqCustomOrgChart {
public:
    explicit TzqDbOrgChart(TComponent* AOwner);
    ~TzqDbOrgChart() override;

    // ---- Binding ----
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Value);
    TzqOcDataLink* DataLink() const { return m_dataLink.get(); }
    // The data source's dataset, or none.
    TDataSet* DataSet() const;

    // Field names; changing one rebinds the chart and loads it again.
    const std::string& KeyFieldName() const { return FieldName(kKey); }
    void SetKeyFieldName(const std::string& Value) { SetFieldName(kKey, Value); }
    const std::string& ParentFieldName() const { return FieldName(kParent); }
    void SetParentFieldName(const std::string& Value) { SetFieldName(kParent, Value); }
    const std::string& TextFieldName() const { return FieldName(kText); }
    void SetTextFieldName(const std::string& Value) { SetFieldName(kText, Value); }
    const std::string& OrderFieldName() const { return FieldName(kOrder); }
    void SetOrderFieldName(const std::string& Value) { SetFieldName(kOrder, Value); }
    const std::string& ImageFieldName() const { return FieldName(kImage); }
    void SetImageFieldName(const std::string& Value) { SetFieldName(kImage, Value); }
    // The attribute fields; empty unless a program sets them. Integer fields only.
    const std::string& WidthFieldName() const { return FieldName(kWidth); }
    void SetWidthFieldName(const std::string& Value) { SetFieldName(kWidth, Value); }
    const std::string& HeightFieldName() const { return FieldName(kHeight); }
    void SetHeightFieldName(const std::string& Value) { SetFieldName(kHeight, Value); }
    const std::string& ColorFieldName() const { return FieldName(kColor); }
    void SetColorFieldName(const std::string& Value) { SetFieldName(kColor, Value); }
    const std::string& ShapeFieldName() const { return FieldName(kShape); }
    void SetShapeFieldName(const std::string& Value) { SetFieldName(kShape, Value); }
    const std::string& AlignFieldName() const { return FieldName(kAlign); }
    void SetAlignFieldName(const std::string& Value) { SetFieldName(kAlign, Value); }
    const std::string& ImageAlignFieldName() const { return FieldName(kImageAlign); }
    void SetImageAlignFieldName(const std::string& Value) { SetFieldName(kImageAlign, Value); }

    // Without an order field: the key is the sibling order, and keeping siblings
    // ordered may give following siblings new keys.
    bool KeyOrder() const { return m_keyOrder; }
    void SetKeyOrder(bool Value) { m_keyOrder = Value; }

    // The fields found for the names; none where the name is empty, not found, or (for
    // order and attributes) not of an integer type.
    TField* KeyField() const { return m_fields[kKey]; }
    TField* ParentField() const { return m_fields[kParent]; }
    TField* TextField() const { return m_fields[kText]; }
    TField* OrderField() const { return m_fields[kOrder]; }
    TField* WidthField() const { return m_fields[kWidth]; }
    TField* HeightField() const { return m_fields[kHeight]; }
    TField* ColorField() const { return m_fields[kColor]; }
    TField* ShapeField() const { return m_fields[kShape]; }
    TField* AlignField() const { return m_fields[kAlign]; }
    TField* ImageField() const { return m_fields[kImage]; }
    TField* ImageAlignField() const { return m_fields[kImageAlign]; }

    // ---- State ----
    // The data link is active and both the key and the parent field are bound.
    bool IsReady() const;
    bool SyncEnabled() const { return m_syncEnabled; }
    // The record index the chart believes the cursor is on.
    int CurrentIndex() const { return m_currentIndex; }
    // Record index of the last record (-1 for none).
    int LastIndex() const { return m_lastIndex; }
    // The largest key met by the last load or made since; null before any.
    const Variant& MaxKey() const { return m_maxKey; }
    const TzqOcKeyIndex& KeyIndex() const { return m_keyIndex; }
    TzqDbOcNode* FindNodeByKey(const Variant& Key) const;
    // The longest caption the bound caption field holds (0: no limit); the in-place
    // editor accepts no more.
    int CaptionLimit() const;

    // ---- Tree changes, written back while SyncEnabled is on ----
    TzqOcNode* InsertNode(TzqOcNode* Parent, uint32_t Data, int Index) override;
    void MoveNode(TzqOcNode* Parent, TzqOcNode* Node, int Index) override;
    void DeleteNode(TzqOcNode* Node) override;
    // Editing starts only on a dataset that can be modified.
    void ShowEditor() override;

    // ---- Undo and redo ----
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    // What the next undo or redo would reverse or make again ("Delete Node"); empty
    // when there is nothing.
    std::string UndoCaption() const;
    std::string RedoCaption() const;
    // Reverses the last action (or makes the last undone one again) as one transaction.
    // Raises with a message when the records are no longer as the action left them (the
    // step is then dropped from the history with the ones before it) or when the write
    // fails (nothing changes). Does nothing while the caption is being edited.
    void Undo();
    void Redo();
    // How many actions are kept (100 unless set).
    int UndoLimit() const { return m_history.Limit(); }
    void SetUndoLimit(int Value) { m_history.SetLimit(Value); }
    void ClearUndo() { m_history.Clear(); }
    const TzqOcUndoHistory& UndoHistory() const { return m_history; }
    // The changes between these are one action in the history (see TzqOcUndoGroup).
    void BeginUndoGroup(const std::string& Caption);
    void EndUndoGroup(bool Keep);

    // ---- Events ----
    TzqOcNewKeyEvent OnNewKey;
    // The undo history changed: what can be undone or redone may be different now.
    TNotifyEvent OnUndoChange;
    // Fired for every record loaded, after the node took the record's values.
    TzqOcEvent OnLoadNode;

protected:
    // Every node of this chart is a TzqDbOcNode.
    TzqOcNode* CreateNode() final;
    TzqOcInplaceEdit* CreateEditor() override;
    void NodeChanged(TzqOcNode* Node) override;
    // The key index's order: for a table read in key order, the order the nodes were made.
    void ForEachStoredNode(const std::function<bool(TzqOcNode*)>& Visit) const override;
    void Change(TzqOcNode* Node) override;
    void Changing(TzqOcNode* Node, bool& Allow) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // ---- Binding and loading ----
    void ResetBindings();
    void AttachFields();
    void ReloadNodes();
    void LoadNodes();
    void LoadRecord(TzqOcRecordPositions::Slot RecordSlot);
    TzqDbOcNode* CreateLoadedNode(const Variant& Key, TzqDbOcNode* ParentNode, const Variant& ParentValue,
                                  const Variant& Order, TzqOcRecordPositions::Slot RecordSlot);
    int IndexForOrder(const Variant& Order, TzqDbOcNode* Parent);
    // The place among Parent's children of a node with the order value Order whose
    // record was read at Seq: after the siblings of lower order, and of equal order
    // read later.
    int PositionFor(const Variant& Order, int32_t Seq, TzqDbOcNode* Parent);
    void PlaceWaitingNode(TzqDbOcNode* Node, TzqDbOcNode* Parent);
    bool MoveUnder(TzqDbOcNode* Node, TzqDbOcNode* NewParent);
    void ResolveParents();
    void RemoveUnloaded();
    // Deletes the nodes with their branches, last first; a node an event handler freed
    // meanwhile is not touched.
    void DeleteNodesSweeping(const std::vector<TzqDbOcNode*>& Nodes);
    void AddToKeyIndex(TzqDbOcNode* Node);
    void RemoveFromKeyIndex(TzqDbOcNode* Node);

    // ---- Cursor ----
    void GoToIndex(int Index);
    bool LocateNode(TzqDbOcNode* Node);
    // The same, for a node whose record position is already known.
    bool LocateNodeAt(TzqDbOcNode* Node, int Position);
    void CursorMoved(int Distance);
    void FieldChanged(TField* Field);

    // ---- Writing back ----
    Variant NewKey();
    void WriteParentField(TzqDbOcNode* Node);
    void SyncRecordIndex(TzqDbOcNode* Node);
    void RenumberFollowing(TzqDbOcNode* Node);

private:
    friend class TzqDbOcNode;
    friend class TzqOcDataLink;
    friend class TzqOcWriteAction;
    friend class TzqOcUndoJournal;
    class BusyScope;

    enum Binding { kKey, kParent, kText, kOrder, kWidth, kHeight, kColor, kShape, kAlign, kImage, kImageAlign, kBindings };

    const std::string& FieldName(Binding Which) const { return m_fieldNames[Which]; }
    void SetFieldName(Binding Which, const std::string& Value);
    bool DataSetCanModify() const;
    bool KeyIsAutoInc() const;
    TzqDbOcNode* DbNodeOf(TzqOcNode* Node) const;
    bool IsLinked(const TzqOcNode* Node) const;
    static TzqDbOcNode* PrevSibling(const TzqDbOcNode* Node);
    static TzqDbOcNode* NextSibling(const TzqDbOcNode* Node);
    void RunDeferredReset();
    void NodeFreed(TzqDbOcNode* Node);
    // Clears the chart with the guard as the caller set it, the key index at once.
    void DeleteAllNodes();

    // ---- Loading (DbOrgChartLoading.cpp) ----
    Variant ReadOrderValue(const Variant& Key) const;
    void NoteKey(const Variant& Key);
    // Gives a node that an earlier record made the place a later record of its key asks
    // for; true when the node was placed anew (a new parent, waiting, a new order value).
    bool PlaceLoadedNode(TzqDbOcNode* Node, TzqDbOcNode* ParentNode, const Variant& ParentValue, bool OrderChanged);
    void ApplyAttributes(TzqDbOcNode* Node);
    TzqOcSiblingOrder& ChildOrderOf(TzqOcNode* Parent);
    // The same, checked first by a look at the children when it is not known.
    TzqOcSiblingOrder& LearnChildOrder(TzqOcNode* List);
    void MarkChildOrderUnknown(TzqOcNode* Parent);
    void NoteOrderedInsert(TzqOcNode* Parent, const Variant& Order);
    int GenuineChildCount(const TzqOcNode* Parent) const;
    int ClampTopLevelIndex(int Index) const;
    bool Stage(TzqDbOcNode* Node);
    void Unstage(TzqDbOcNode* Node);
    void EndStaging();
    void Reposition(TzqDbOcNode* Node);
    // The position of the record that made or last placed the node in this load (-1 for
    // a node this load has not met).
    int32_t PlacedSeq(const TzqDbOcNode* Node) const;
    // Appending loads: a child appended out of order marks its list for SortAppended.
    void NoteAppended(TzqDbOcNode* Node);
    void SortAppendedLists();
    void SortChildren(TzqOcNode* List);

    // ---- Writing back (DbOrgChartWriteBack.cpp) ----
    template <typename Work, typename Revert>
    void RunWriteAction(Work&& DoWork, Revert&& UndoInChart, bool ReloadOnFailure, const char* UndoCaption);
    void Touch();
    void CheckBound() const;
    void WriteNewRecord(TzqDbOcNode* Node);
    void WriteMovedRecord(TzqDbOcNode* Node);
    void DeleteBranchRecords(const std::vector<TzqDbOcNode*>& Branch, bool ReloadOnFailure,
                             TProgressIndicator* Progress);
    void DeleteRecordsOf(const std::vector<TzqDbOcNode*>& Nodes, TProgressIndicator* Progress);
    void DeleteRecordHere(TzqOcRecordPositions::Slot Slot);
    // Changes of the record positions and of a node's record values made during a
    // write-back, noted so that a rollback can take them back.
    TzqOcRecordPositions::Slot AppendSlot();
    void MoveSlot(TzqOcRecordPositions::Slot Slot, int Position);
    void EraseSlot(TzqOcRecordPositions::Slot Slot);
    void RememberNode(TzqDbOcNode* Node);
    // Deletes the records of the branch's keys that no node stands for.
    void DeleteShadowedRecords(const std::vector<TzqDbOcNode*>& Branch);
    // Records the chart leaves out because no record of this key was there.
    bool RecordsWaitFor(const Variant& Key) const;
    // Builds the chart from the records again, with the same branches expanded and the
    // same record's node selected.
    void RebuildKeepingView();
    static TzqDbOcNode* TopLevelAncestor(TzqDbOcNode* Node);
    // Stores a top-level node whose record names a parent as top level.
    void StoreTopLevel(TzqDbOcNode* Node);
    void StoreAttributes(TzqDbOcNode* Node);
    // The node takes its record's caption and bound attributes again.
    void ShowRecordValues(TzqDbOcNode* Node);
    void GiveNewKey(TzqDbOcNode* Node);
    Variant NextIntegerKey() const;
    bool RelocateByKey(TzqDbOcNode* Node);

    // ---- Undo and redo (DbOrgChartUndo.cpp) ----
    void StartRecording(const char* Caption);
    void FinishRecording();
    // Images of the record under the cursor (or at a position) for the action recorded.
    TzqOcUndoEntry::TValues RecordValues() const;
    TzqOcUndoEntry::TValues RecordValuesAt(int Position) const;
    // Answers the record's key, for NoteRecordAfter.
    Variant NoteRecordBefore();
    void NoteRecordAfter(const Variant& OldKey);
    void NoteRecordDeleted(int Position, const TzqDbOcNode* Node);
    Variant SelectedKey() const;
    void Replay(bool Undoing);
    // The keys of the records an entry only rewrote in place (key, parent, order and the
    // record's place in the order unchanged); empty when it did more.
    std::vector<Variant> RewrittenInPlace(const TzqOcUndoEntry& Entry) const;
    // What an undo or redo wrote, when it only added records back or only deleted
    // records: enough to follow it without reading every record.
    struct TReplayedRecords {
        bool Known = false;
        // Key and position after the write of every record added back.
        std::vector<std::pair<Variant, int>> Added;
        // Key and position before the write of every record deleted.
        std::vector<std::pair<Variant, int>> Deleted;
    };
    TReplayedRecords ReplayedRecords(TzqOcUndoReplay& Replay) const;
    void ShowReplayed(const TReplayedRecords& Records, const std::vector<Variant>& ExpandedKeys,
                      const Variant& SelectKey);
    // The chart follows an undo or redo that only added or only deleted records, node by
    // node (DbOrgChartUndoFollow.cpp). False when it cannot be sure of showing what a
    // fresh load shows: the chart is then built from every record again.
    bool FollowReplayed(const TReplayedRecords& Records);
    bool RemoveReplayedNodes(const std::vector<std::pair<Variant, int>>& Deleted);
    bool AddReplayedNodes(const std::vector<std::pair<Variant, int>>& Added);
    // Where among Parent's children (or the top level) a node of this order value whose
    // record stands at Position goes, as a load places it; -1 when the list is not in
    // an order a binary search can rely on.
    int RestoredIndex(const Variant& Order, int Position, TzqDbOcNode* Parent);
    // For an entry that only rewrote records in place: their nodes take the records'
    // captions and attributes again, without reading every record.
    void ShowRewritten(const std::vector<Variant>& Keys, const Variant& SelectKey);

    std::unique_ptr<TzqOcDataLink> m_dataLink;
    std::array<std::string, kBindings> m_fieldNames;
    std::array<TField*, kBindings> m_fields{};
    TzqOcKeyIndex m_keyIndex;
    // The parent keys of the nodes whose parent key is not their parent's key.
    TzqOcParentKeyTable m_strayParentKeys;
    TzqOcRecordPositions m_positions;
    Variant m_maxKey = Variant::Null();
    int m_currentIndex = 0;
    int m_lastIndex = -1;
    bool m_syncEnabled = true;
    bool m_keyOrder = false;

    // Loading: the pass is running; the next InsertNode makes the node of a record; the
    // next MoveNode places a node by its order value.
    bool m_loading = false;
    bool m_creatingLoadedNode = false;
    bool m_orderedMove = false;
    // A load into an empty chart: nodes go to the end of their lists, and each list
    // that came out of order is sorted once when the pass is over.
    bool m_appendLoad = false;
    // By record slot, the position of the record that made or last placed its node.
    std::vector<int32_t> m_placedSeq;
    // Nodes of an appending load whose parent record does not exist.
    std::vector<TzqDbOcNode*> m_orphans;
    // Top-level nodes at the end of the top level whose parent record may come later.
    int m_stagedCount = 0;
    TzqOcSiblingOrder m_topLevelOrder;
    // DeleteAllNodes runs: the key index was emptied in one go.
    bool m_keyIndexDropped = false;
    // Nodes freed while RemoveUnloaded runs.
    std::unordered_set<TzqDbOcNode*>* m_sweepFreed = nullptr;

    // A load or a write-back runs; a ResetBindings arriving meanwhile waits for its end.
    int m_busyDepth = 0;
    bool m_resetPending = false;
    bool m_runningDeferredReset = false;
    TzqOcWriteAction* m_action = nullptr;
    // What the running write-back changed in the nodes and the record positions.
    TzqOcUndoJournal m_journal;
    // The user actions that can be undone and redone; the one being recorded; the
    // group it joins.
    TzqOcUndoHistory m_history;
    std::unique_ptr<TzqOcUndoEntry> m_recording;
    std::vector<TField*> m_recordedFields;
    std::unique_ptr<TzqOcUndoEntry> m_undoGroup;
    int m_undoGroupDepth = 0;
    bool m_destroying = false;
};

// Counts the loads and write-backs under way. A ResetBindings asked for meanwhile would
// delete the nodes they are working on; it runs when the outermost one ends instead.
class TzqDbOrgChart::BusyScope {
public:
    explicit BusyScope(TzqDbOrgChart& Chart) : m_chart(Chart) { ++m_chart.m_busyDepth; }
    ~BusyScope()
    {
        if (--m_chart.m_busyDepth == 0 && m_chart.m_resetPending && !m_chart.m_runningDeferredReset)
            m_chart.RunDeferredReset();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    TzqDbOrgChart& m_chart;
};
