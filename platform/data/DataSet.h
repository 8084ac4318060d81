// A dataset: an ordered set of records with named fields and one current record.
//
// TDataSet holds the records of its current order and filter in memory, as a
// vector of records; the current record is an index into it, so relative moves,
// RecNo and RecordCount cost O(1). A subclass supplies the storage: it describes
// the columns, loads all records in order, and writes posted and deleted records
// (TTable keeps them in a table file).
//
// Notifications go to the data sources joined to the dataset and through them to
// their data links. While controls are disabled (DisableControls, nested) no
// notification reaches them; the last EnableControls then sends one state update
// and one data-set-changed (or layout-changed) notification if anything happened.
// Requests to the controls (update data before a post, check browse mode, focus
// control) are passed on even while controls are disabled, so that a value typed
// in a control is never lost.
//
// Scroll notifications carry the exact signed number of records the cursor moved,
// also for First, Last, Locate and RecNo changes.
#pragma once

#include "platform/data/DataTypes.h"
#include "platform/data/FieldDef.h"
#include "platform/data/Fields.h"
#include "platform/core/Component.h"
#include "platform/data/FreeNotifier.h"
#include "platform/data/Record.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TDataSource;
class TFilterExpression;

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TFilterRecordEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;

class TDataSet : public TComponent {
public:
    explicit TDataSet(TComponent* AOwner = nullptr);
    ~TDataSet() override;
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    // --- Opening and state ---
    void Open();
    // Discards a pending edit or insert, then closes.
    void Close();
    bool Active() const { return m_state != TDataSetState::dsInactive; }
    void SetActive(bool active) { active ? Open() : Close(); }
    TDataSetState State() const { return m_state; }
    // A field of the record being edited or inserted was changed since Edit/Insert.
    bool Modified() const { return m_modified; }
    // Active, not ReadOnly, and the storage accepts changes.
    bool CanModify() const;
    // Refuses changes when true even if the storage could take them.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);

    // --- Fields ---
    TFields& Fields() { return m_fields; }
    const TFields& Fields() const { return m_fields; }
    int FieldCount() const { return m_fields.Count(); }
    TField* FindField(std::string_view name) const { return m_fields.FindField(name); }
    TField* FieldByName(std::string_view name) const { return m_fields.FieldByName(name); }
    // Makes a persistent field (while closed). Data fields are bound to the column of
    // the same name on Open; set the kind first for a calculated or lookup field.
    template <typename F, typename... Args>
    F* CreateField(const std::string& fieldName, Args&&... args)
    {
        auto field = std::make_unique<F>(std::forward<Args>(args)...);
        F* raw = field.get();
        AddPersistentField(std::move(field), fieldName);
        return raw;
    }
    // Destroys a persistent field (while closed).
    void DestroyField(TField* field);
    // The columns of the storage (while open).
    const std::vector<TFieldDef>& FieldDefs() const { return m_fieldDefs; }

    // --- Navigation ---
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Moves by Distance records, stopping at either end, and answers the signed
    // number of records moved. A pending edit is posted first when modified and
    // cancelled when not. Asking to move past the end sets Eof (past the start, Bof).
    int MoveBy(int distance);
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool IsEmpty() const { return m_records.empty() && m_state != TDataSetState::dsInsert; }
    // 1-based position of the current record; 0 on an empty dataset, -1 when closed.
    // While inserting, the position the new record is shown at.
    int RecNo() const;
    void SetRecNo(int recNo);
    // Records in the current order and filter (a record being inserted not counted).
    int RecordCount() const;

    // Makes the first record whose fields (names separated by ';') match the values
    // current; answers whether one was found (the cursor stays otherwise). Values
    // compare by the variant rules; loCaseInsensitive and loPartialKey (a string field
    // starting with the value) apply to string fields.
    bool Locate(const std::string& keyFields, const std::vector<Variant>& values, TLocateOptions options = {});
    bool Locate(const std::string& keyFields, const Variant& value, TLocateOptions options = {});
    // The value of resultField in the first record matching, without moving; null
    // when none matches.
    Variant Lookup(const std::string& keyFields, const std::vector<Variant>& values, const std::string& resultField) const;
    Variant Lookup(const std::string& keyFields, const Variant& value, const std::string& resultField) const;

    // The value of a field in the record at a 0-based position of the current order,
    // without moving the cursor (for lists and grids).
    Variant ValueAt(int recordIndex, const TField* field) const;

    // --- Keys of the primary index (the record order) ---
    // Enters set-key state: assigning the key fields then fills the search key.
    void SetKey();
    // Leaves set-key state and moves to the record with that key; answers whether found.
    bool GotoKey();
    // SetKey, assign the key fields in index order, GotoKey. O(log n).
    bool FindKey(const std::vector<Variant>& keyValues);
    // The fields of the primary index (empty when the order is storage order).
    std::vector<TField*> IndexFields() const;

    // --- Editing ---
    // Starts editing the current record (no-op while editing; on an empty dataset,
    // appends).
    void Edit();
    // A new record at the end (Append) or before the current record (Insert), in
    // insert state; then OnNewRecord, AfterInsert and AfterScroll run.
    void Append();
    void Insert();
    // Writes the pending record; the cursor stays on it at its place in the order.
    // Errors leave the dataset in edit or insert state with the values typed.
    void Post();
    void Cancel();
    // Deletes the current record; the cursor then stands on the next record, or on
    // the new last one.
    void Delete();
    // Deletes the records at these positions of the current order as one change: the
    // storage deletes them together, all or none, in the order given (a position given
    // twice counts once), the records in memory are compacted once, BeforeDelete and
    // AfterDelete are called once, and the cursor then stands on the record that took
    // the place of the first one deleted, or on the new last one. A position outside
    // the records raises and deletes nothing.
    void DeleteRecords(std::vector<int> positions);
    // Adds records with these values of these data fields (the other columns null) as
    // one change: the storage writes each in the order given (inside the caller's
    // transaction they commit or roll back together), the records in memory take
    // their places in the order in one merge, however many there are, BeforePost and
    // AfterPost are called once, and the cursor stays on the record it was on. For
    // putting whole records back (an undo); no new-record handlers run and no field
    // is filled. A row of another length than the fields raises and adds nothing.
    void PostRecords(const std::vector<TField*>& fields, const std::vector<std::vector<Variant>>& rows);
    // Posts a modified pending edit, cancels an unmodified one.
    void CheckBrowseMode();
    // Asks the controls to write their pending values into the fields.
    void UpdateRecord();
    // Reloads the records from the storage, keeping the cursor on the same record
    // when it still exists.
    void Refresh();

    // --- Filtering ---
    // The filter text is parsed by the dataset itself (field names, comparisons,
    // AND/OR/NOT, literals, '*' wildcards in string literals compared with =, <>);
    // it never reaches the storage's query language. An invalid text raises and
    // changes nothing. Changing the filter reloads the records and goes to the first.
    bool Filtered() const { return m_filtered; }
    void SetFiltered(bool value);
    const std::string& Filter() const { return m_filterText; }
    void SetFilter(const std::string& text);
    TFilterOptions FilterOptions() const { return m_filterOptions; }
    void SetFilterOptions(TFilterOptions options);

    // --- Controls ---
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // --- Events (called only when assigned) ---
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent BeforeRefresh, AfterRefresh;
    TDataSetNotifyEvent OnNewRecord, OnCalcFields;
    TFilterRecordEvent OnFilterRecord;

    int AddFreeNotification(std::function<void(TDataSet*)> callback) { return m_freeNotifier.Add(std::move(callback)); }
    void RemoveFreeNotification(int handle) { m_freeNotifier.Remove(handle); }

    // --- Used by fields, data sources and data links ---
    Variant GetFieldValue(const TField* field) const;
    Variant DataFieldValue(const TField* field) const;
    void SetFieldValue(TField* field, const Variant& value);
    void DataEvent(TDataEvent event, intptr_t info = 0);
    const std::vector<TDataSource*>& DataSources() const { return m_dataSources; }

protected:
    // --- The storage, supplied by a subclass ---
    // Prepares the storage and describes its columns (SetFieldDefs).
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    // Every record of the storage in the record order.
    virtual void InternalLoadRecords(std::vector<TRecord>& records) = 0;
    // Writes a record (original none for a new record; `changed` marks the values
    // assigned since Edit or Append) and answers it as stored, with the values the
    // storage gave it (keys, defaults). Throws EDatabaseError on failure.
    virtual TRecordPtr InternalPost(const TRecord* original, const TRecord& edited, const std::vector<bool>& changed) = 0;
    virtual void InternalDelete(const TRecord& record) = 0;
    // Deletes several records, all or none, in the order given; by default one
    // InternalDelete each.
    virtual void InternalDeleteRecords(const std::vector<const TRecord*>& records);
    // The storage refuses changes (a read-only file).
    virtual bool InternalReadOnly() const = 0;
    // The message for refused changes.
    virtual std::string ReadOnlyMessage() const { return "Cannot modify a read-only dataset."; }

    void SetFieldDefs(std::vector<TFieldDef> defs) { m_fieldDefs = std::move(defs); }
    // Record order: by the primary index fields, then by RowId (answers <0, 0, >0).
    int CompareRecords(const TRecord& a, const TRecord& b) const;
    // Drops a pending edit, reloads every record from the storage, keeps the cursor
    // on the same record (by RowId) or else at the same position, and tells the
    // controls. Used after the storage rolled back changes.
    void ReloadRecords();
    // Closes without events: for subclass destructors.
    void CloseQuietly();
    [[noreturn]] void DatabaseError(const std::string& message) const;
    void CheckActive() const;
    void CheckInactive() const;

private:
    friend class TField;
    friend class TDataSource;

    void AddPersistentField(std::unique_ptr<TField> field, const std::string& fieldName);
    void BindFields();
    void UnbindFields();
    void LoadRecords();
    bool RecordAccepted(const TRecord& record);
    void SetState(TDataSetState state);
    void CheckCanModify() const;
    void CheckRequiredFields();
    void BeginInsertAppend(bool append);
    void PlacePostedRecord(TRecord stored, bool inserting, int oldIndex);
    void MoveTo(int index, bool bof, bool eof);
    void ApplyFilterChange();
    void CompileFilter(const std::string& text, TFilterOptions options, std::unique_ptr<TFilterExpression>& out,
                       bool checkNames = false) const;
    const TRecord* ActiveRecord() const;
    void EnsureCalcFields() const;
    Variant LookupFieldValue(const TField* field) const;
    void SetLookupFieldValue(TField* field, const Variant& value);
    std::vector<TField*> FieldList(const std::string& names) const;
    bool RecordMatches(const TRecord& rec, const std::vector<TField*>& fields, const std::vector<Variant>& values,
                       TLocateOptions options) const;
    void DoEvent(const TDataSetNotifyEvent& event) { if (event) event(this); }
    void AttachDataSource(TDataSource* source);
    void DetachDataSource(TDataSource* source);
    void DestroyDefaultFields();
    int IndexOfRowId(int64_t rowId) const;

    TDataSetState m_state = TDataSetState::dsInactive;
    TFields m_fields;
    std::vector<TFieldDef> m_fieldDefs;
    std::vector<TRecord> m_records; // held by value: one allocation less per record
    int m_pos = -1;
    bool m_bof = true;
    bool m_eof = true;
    bool m_modified = false;
    bool m_readOnly = false;
    bool m_defaultFields = false;

    TRecord m_edit;                 // the record being edited or inserted
    std::vector<bool> m_changed;    // values assigned since Edit/Append
    int m_insertPos = -1;           // where an inserted record is shown
    int m_posBeforeInsert = -1;
    TRecord m_keyBuffer;            // set-key state
    const TRecord* m_filterRecord = nullptr; // the record OnFilterRecord is looking at
    const TRecord* m_calcRecord = nullptr;   // the record OnCalcFields is computing

    mutable std::vector<Variant> m_calcValues;
    mutable bool m_calcValid = false;

    bool m_filtered = false;
    std::string m_filterText;
    TFilterOptions m_filterOptions;
    std::unique_ptr<TFilterExpression> m_filter;

    int m_disableCount = 0;
    bool m_pendingData = false;
    bool m_pendingLayout = false;

    std::vector<TDataSource*> m_dataSources;
    TFreeNotifier<TDataSet> m_freeNotifier;
};
