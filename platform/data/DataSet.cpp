#include "platform/data/DataSet.h"

#include "platform/data/AutoIncField.h"
#include "platform/data/BlobField.h"
#include "platform/data/BooleanField.h"
#include "platform/data/CurrencyField.h"
#include "platform/data/DataSource.h"
#include "platform/data/DatabaseError.h"
#include "platform/data/DateField.h"
#include "platform/data/FilterExpression.h"
#include "platform/data/GraphicField.h"
#include "platform/data/LargeintField.h"
#include "platform/data/MemoField.h"
#include "platform/data/SmallintField.h"
#include "platform/data/StringField.h"
#include "platform/data/TimeField.h"
#include "platform/data/WordField.h"

#include <algorithm>
#include <iterator>

namespace {

std::unique_ptr<TField> MakeFieldForType(TFieldType type, int size)
{
    switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString: return std::make_unique<TStringField>(size);
    case TFieldType::ftSmallint: return std::make_unique<TSmallintField>();
    case TFieldType::ftInteger: return std::make_unique<TIntegerField>();
    case TFieldType::ftWord: return std::make_unique<TWordField>();
    case TFieldType::ftAutoInc: return std::make_unique<TAutoIncField>();
    case TFieldType::ftLargeint: return std::make_unique<TLargeintField>();
    case TFieldType::ftBoolean: return std::make_unique<TBooleanField>();
    case TFieldType::ftFloat:
    case TFieldType::ftBCD: return std::make_unique<TFloatField>();
    case TFieldType::ftCurrency: return std::make_unique<TCurrencyField>();
    case TFieldType::ftDate: return std::make_unique<TDateField>();
    case TFieldType::ftTime: return std::make_unique<TTimeField>();
    case TFieldType::ftDateTime: return std::make_unique<TDateTimeField>();
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo: return std::make_unique<TMemoField>();
    case TFieldType::ftGraphic: return std::make_unique<TGraphicField>();
    default: return std::make_unique<TBlobField>();
    }
}

// Field types that hold the same kind of value, so a persistent field of one may be
// bound to a column of another.
int TypeFamily(TFieldType t)
{
    switch (t) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint: return 1;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD: return 2;
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString:
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo: return 3;
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime: return 4;
    case TFieldType::ftBoolean: return 5;
    default: return 6;
    }
}

std::vector<std::string> SplitNames(const std::string& names)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= names.size()) {
        size_t end = names.find(';', start);
        if (end == std::string::npos)
            end = names.size();
        std::string part = names.substr(start, end - start);
        size_t b = part.find_first_not_of(' ');
        size_t e = part.find_last_not_of(' ');
        if (b != std::string::npos)
            out.push_back(part.substr(b, e - b + 1));
        start = end + 1;
    }
    return out;
}

// Restores a flag on every exit.
struct FlagGuard {
    bool& flag;
    bool saved;
    explicit FlagGuard(bool& f, bool v) : flag(f), saved(f) { flag = v; }
    ~FlagGuard() { flag = saved; }
};

} // namespace

const char* FieldTypeName(TFieldType type)
{
    static const char* const names[] = {
        "Unknown", "String", "Smallint", "Integer", "Word", "Boolean", "Float", "Currency", "BCD",
        "Date", "Time", "DateTime", "Bytes", "VarBytes", "AutoInc", "Blob", "Memo", "Graphic", "FmtMemo",
        "ParadoxOle", "DBaseOle", "TypedBinary", "Cursor", "FixedChar", "WideString", "Largeint"};
    const size_t i = size_t(type);
    return i < std::size(names) ? names[i] : "Unknown";
}

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet()
{
    // Components holding the dataset hear of its end while it is still whole.
    BeforeDestruction();
    // Subclasses close their storage in their own destructors (CloseQuietly).
    m_freeNotifier.Notify(this);
    while (!m_dataSources.empty())
        m_dataSources.back()->SetDataSet(nullptr);
    for (TField* f : m_fields)
        f->m_freeNotifier.Notify(f);
}

void TDataSet::DatabaseError(const std::string& message) const
{
    throw EDatabaseError(message);
}

void TDataSet::CheckActive() const
{
    if (!Active())
        DatabaseError("Cannot perform this operation on a closed dataset.");
}

void TDataSet::CheckInactive() const
{
    if (Active())
        DatabaseError("Cannot perform this operation on an open dataset.");
}

bool TDataSet::CanModify() const
{
    return Active() && !m_readOnly && !InternalReadOnly();
}

void TDataSet::SetReadOnly(bool value)
{
    if (value == m_readOnly)
        return;
    if (value && IsEditState(m_state))
        Cancel();
    m_readOnly = value;
}

void TDataSet::CheckCanModify() const
{
    CheckActive();
    if (m_readOnly || InternalReadOnly())
        DatabaseError(ReadOnlyMessage());
}

// ---------------------------------------------------------------- fields

void TDataSet::AddPersistentField(std::unique_ptr<TField> field, const std::string& fieldName)
{
    CheckInactive();
    if (fieldName.empty())
        DatabaseError("A field needs a name.");
    if (m_fields.FindField(fieldName))
        DatabaseError("Duplicate field name '" + fieldName + "'.");
    field->m_fieldName = fieldName;
    field->m_dataSet = this;
    field->m_persistent = true;
    m_fields.m_list.push_back(std::move(field));
}

void TDataSet::DestroyField(TField* field)
{
    CheckInactive();
    const int index = m_fields.IndexOf(field);
    if (index < 0)
        return;
    field->m_freeNotifier.Notify(field);
    m_fields.m_list.erase(m_fields.m_list.begin() + index);
}

void TDataSet::BindFields()
{
    m_defaultFields = m_fields.Count() == 0;
    if (m_defaultFields) {
        for (size_t i = 0; i < m_fieldDefs.size(); ++i) {
            const TFieldDef& def = m_fieldDefs[i];
            auto field = MakeFieldForType(def.DataType, def.Size);
            field->m_fieldName = def.Name;
            field->m_dataSet = this;
            field->m_fieldNo = int(i) + 1;
            field->m_size = def.DataType == TFieldType::ftString ? def.Size : field->m_size;
            field->m_required = def.Required;
            m_fields.m_list.push_back(std::move(field));
        }
        return;
    }
    for (TField* field : m_fields) {
        field->m_fieldNo = 0;
        if (!field->IsDataField())
            continue;
        auto def = std::find_if(m_fieldDefs.begin(), m_fieldDefs.end(),
                                [&](const TFieldDef& d) { return SameName(d.Name, field->FieldName()); });
        if (def == m_fieldDefs.end())
            DatabaseError("Field '" + field->FieldName() + "' not found.");
        if (TypeFamily(def->DataType) != TypeFamily(field->DataType()))
            DatabaseError("Type mismatch for field '" + field->FieldName() + "', expecting: " +
                          FieldTypeName(field->DataType()) + " actual: " + FieldTypeName(def->DataType) + ".");
        field->m_fieldNo = int(def - m_fieldDefs.begin()) + 1;
        if (def->DataType == TFieldType::ftString || def->DataType == TFieldType::ftFixedChar)
            field->m_size = def->Size;
        if (def->Required)
            field->m_required = true;
    }
}

void TDataSet::UnbindFields()
{
    for (TField* f : m_fields)
        f->m_fieldNo = 0;
}

void TDataSet::DestroyDefaultFields()
{
    if (!m_defaultFields)
        return;
    m_defaultFields = false;
    std::vector<std::unique_ptr<TField>> doomed = std::move(m_fields.m_list);
    m_fields.m_list.clear();
    for (auto& f : doomed)
        f->m_freeNotifier.Notify(f.get());
}

std::vector<TField*> TDataSet::FieldList(const std::string& names) const
{
    std::vector<TField*> fields;
    for (const std::string& name : SplitNames(names))
        fields.push_back(FieldByName(name));
    if (fields.empty())
        DatabaseError("No field names given.");
    return fields;
}

std::vector<TField*> TDataSet::IndexFields() const
{
    std::vector<TField*> out;
    for (size_t i = 0; i < m_fieldDefs.size(); ++i)
        if (m_fieldDefs[i].InPrimaryKey)
            for (TField* f : m_fields)
                if (f->FieldNo() == int(i) + 1) {
                    out.push_back(f);
                    break;
                }
    return out;
}

// ---------------------------------------------------------------- open and close

void TDataSet::Open()
{
    if (Active())
        return;
    DoEvent(BeforeOpen);
    InternalOpen();
    try {
        BindFields();
        // A filter set while closed was only checked for syntax; now its field names.
        if (m_filtered && !m_filterText.empty())
            CompileFilter(m_filterText, m_filterOptions, m_filter, true);
        LoadRecords();
    } catch (...) {
        m_records.clear();
        DestroyDefaultFields();
        UnbindFields();
        m_fieldDefs.clear();
        InternalClose();
        throw;
    }
    m_calcValues.assign(size_t(m_fields.Count()), Variant::Null());
    m_calcValid = false;
    m_modified = false;
    MoveTo(m_records.empty() ? -1 : 0, true, m_records.empty());
    SetState(TDataSetState::dsBrowse);
    DoEvent(AfterOpen);
    if (!m_records.empty())
        DoEvent(AfterScroll);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    DoEvent(BeforeClose);
    CloseQuietly();
    DoEvent(AfterClose);
}

void TDataSet::CloseQuietly()
{
    if (!Active())
        return;
    m_edit = TRecord{};
    m_keyBuffer = TRecord{};
    m_modified = false;
    // Controls hear of the closing while the fields still exist.
    SetState(TDataSetState::dsInactive);
    DestroyDefaultFields();
    UnbindFields();
    m_records.clear();
    m_records.shrink_to_fit();
    m_pos = -1;
    m_bof = m_eof = true;
    InternalClose();
    m_fieldDefs.clear();
}

void TDataSet::LoadRecords()
{
    m_records.clear();
    InternalLoadRecords(m_records);
    if (m_filtered && (m_filter || OnFilterRecord)) {
        std::erase_if(m_records, [this](const TRecord& r) { return !RecordAccepted(r); });
    }
    m_calcValid = false;
}

bool TDataSet::RecordAccepted(const TRecord& record)
{
    if (!m_filtered)
        return true;
    if (m_filter) {
        const std::vector<std::string>& names = m_filter->FieldNames();
        const bool ok = m_filter->Evaluate([&](int slot) -> Variant {
            const TField* f = m_fields.FindField(names[size_t(slot)]);
            if (!f || !f->IsDataField() || f->FieldNo() <= 0)
                return Variant();
            return record.Values[size_t(f->FieldNo() - 1)];
        });
        if (!ok)
            return false;
    }
    if (OnFilterRecord) {
        bool accept = true;
        const TRecord* saved = m_filterRecord;
        m_filterRecord = &record;
        m_calcValid = false;
        try {
            OnFilterRecord(this, accept);
        } catch (...) {
            m_filterRecord = saved;
            m_calcValid = false;
            throw;
        }
        m_filterRecord = saved;
        m_calcValid = false;
        return accept;
    }
    return true;
}

void TDataSet::SetState(TDataSetState state)
{
    if (state == m_state)
        return;
    m_state = state;
    m_calcValid = false;
    DataEvent(TDataEvent::deUpdateState);
}

// ---------------------------------------------------------------- notifications

void TDataSet::DataEvent(TDataEvent event, intptr_t info)
{
    const bool request = event == TDataEvent::deUpdateRecord || event == TDataEvent::deCheckBrowseMode ||
                         event == TDataEvent::deFocusControl;
    if (m_disableCount > 0 && !request) {
        if (event == TDataEvent::deLayoutChange)
            m_pendingLayout = true;
        else if (event != TDataEvent::deUpdateState)
            m_pendingData = true;
        return;
    }
    const std::vector<TDataSource*> sources = m_dataSources;
    for (TDataSource* source : sources) {
        if (std::find(m_dataSources.begin(), m_dataSources.end(), source) == m_dataSources.end())
            continue;
        source->DataEvent(event, info);
        if (event == TDataEvent::deFocusControl && *reinterpret_cast<TField**>(info) == nullptr)
            break;
    }
}

void TDataSet::DisableControls()
{
    if (m_disableCount++ == 0) {
        m_pendingData = false;
        m_pendingLayout = false;
    }
}

void TDataSet::EnableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount > 0)
        return;
    DataEvent(TDataEvent::deUpdateState);
    if (m_pendingLayout)
        DataEvent(TDataEvent::deLayoutChange);
    else if (m_pendingData)
        DataEvent(TDataEvent::deDataSetChange);
    m_pendingData = m_pendingLayout = false;
}

void TDataSet::AttachDataSource(TDataSource* source)
{
    m_dataSources.push_back(source);
}

void TDataSet::DetachDataSource(TDataSource* source)
{
    std::erase(m_dataSources, source);
}

// ---------------------------------------------------------------- navigation

void TDataSet::MoveTo(int index, bool bof, bool eof)
{
    m_pos = index;
    m_bof = bof;
    m_eof = eof;
    m_calcValid = false;
}

int TDataSet::RecNo() const
{
    if (!Active())
        return -1;
    if (m_state == TDataSetState::dsInsert)
        return m_insertPos + 1;
    return m_pos + 1;
}

int TDataSet::RecordCount() const
{
    return Active() ? int(m_records.size()) : 0;
}

void TDataSet::SetRecNo(int recNo)
{
    CheckActive();
    CheckBrowseMode();
    if (m_records.empty())
        return;
    recNo = std::clamp(recNo, 1, int(m_records.size()));
    if (recNo != m_pos + 1)
        MoveBy(recNo - (m_pos + 1));
}

int TDataSet::MoveBy(int distance)
{
    CheckActive();
    CheckBrowseMode();
    if (distance == 0 || (distance > 0 && m_eof) || (distance < 0 && m_bof))
        return 0;
    DoEvent(BeforeScroll);
    const long long count = static_cast<long long>(m_records.size());
    const long long target = std::clamp<long long>((long long)m_pos + distance, 0, std::max<long long>(count - 1, 0));
    const int moved = count == 0 ? 0 : int(target - m_pos);
    MoveTo(count == 0 ? -1 : int(target), distance < 0 && moved != distance, distance > 0 && moved != distance);
    if (count == 0)
        m_bof = m_eof = true;
    if (moved != 0)
        DataEvent(TDataEvent::deDataSetScroll, moved);
    DoEvent(AfterScroll);
    return moved;
}

void TDataSet::First()
{
    CheckActive();
    CheckBrowseMode();
    DoEvent(BeforeScroll);
    const int old = m_pos;
    MoveTo(m_records.empty() ? -1 : 0, true, m_records.empty());
    if (m_pos != old && old >= 0)
        DataEvent(TDataEvent::deDataSetScroll, -old);
    DoEvent(AfterScroll);
}

void TDataSet::Last()
{
    CheckActive();
    CheckBrowseMode();
    DoEvent(BeforeScroll);
    const int old = m_pos;
    MoveTo(int(m_records.size()) - 1, m_records.empty(), true);
    if (m_pos != old && old >= 0)
        DataEvent(TDataEvent::deDataSetScroll, m_pos - old);
    DoEvent(AfterScroll);
}

bool TDataSet::RecordMatches(const TRecord& rec, const std::vector<TField*>& fields, const std::vector<Variant>& values,
                             TLocateOptions options) const
{
    for (size_t i = 0; i < fields.size(); ++i) {
        const TField* f = fields[i];
        Variant actual;
        if (f->IsDataField() && f->FieldNo() > 0) {
            actual = rec.Values[size_t(f->FieldNo() - 1)];
        } else {
            const TRecord* saved = m_filterRecord;
            const_cast<TDataSet*>(this)->m_filterRecord = &rec;
            m_calcValid = false;
            actual = GetFieldValue(f);
            const_cast<TDataSet*>(this)->m_filterRecord = saved;
            m_calcValid = false;
        }
        const Variant& wanted = values[i];
        const bool stringField = f->DataType() == TFieldType::ftString || f->DataType() == TFieldType::ftMemo ||
                                 f->DataType() == TFieldType::ftFixedChar || f->DataType() == TFieldType::ftWideString;
        if (stringField && !wanted.IsClear()) {
            if (actual.IsClear())
                return false;
            std::string a = actual.AsString(), w = wanted.AsString();
            if (options.contains(TLocateOption::loCaseInsensitive)) {
                a = FoldCase(a);
                w = FoldCase(w);
            }
            if (options.contains(TLocateOption::loPartialKey) ? a.compare(0, w.size(), w) != 0 : a != w)
                return false;
            continue;
        }
        if (!VarEquals(actual, wanted.IsEmpty() ? Variant::Null() : wanted))
            return false;
    }
    return true;
}

bool TDataSet::Locate(const std::string& keyFields, const std::vector<Variant>& values, TLocateOptions options)
{
    CheckActive();
    CheckBrowseMode();
    const std::vector<TField*> fields = FieldList(keyFields);
    if (fields.size() != values.size())
        DatabaseError("Locate needs one value for each of the " + std::to_string(fields.size()) + " key fields.");
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (!RecordMatches(m_records[i], fields, values, options))
            continue;
        DoEvent(BeforeScroll);
        const int old = m_pos;
        MoveTo(int(i), false, false);
        if (m_pos != old)
            DataEvent(TDataEvent::deDataSetScroll, m_pos - old);
        DoEvent(AfterScroll);
        return true;
    }
    return false;
}

bool TDataSet::Locate(const std::string& keyFields, const Variant& value, TLocateOptions options)
{
    return Locate(keyFields, std::vector<Variant>{value}, options);
}

Variant TDataSet::Lookup(const std::string& keyFields, const std::vector<Variant>& values, const std::string& resultField) const
{
    CheckActive();
    const std::vector<TField*> fields = FieldList(keyFields);
    if (fields.size() != values.size())
        DatabaseError("Lookup needs one value for each of the " + std::to_string(fields.size()) + " key fields.");
    const TField* result = FieldByName(resultField);
    for (const TRecord& rec : m_records) {
        if (!RecordMatches(rec, fields, values, {}))
            continue;
        if (result->IsDataField() && result->FieldNo() > 0)
            return rec.Values[size_t(result->FieldNo() - 1)];
        const TRecord* saved = m_filterRecord;
        const_cast<TDataSet*>(this)->m_filterRecord = &rec;
        m_calcValid = false;
        Variant v = GetFieldValue(result);
        const_cast<TDataSet*>(this)->m_filterRecord = saved;
        m_calcValid = false;
        return v;
    }
    return Variant::Null();
}

Variant TDataSet::Lookup(const std::string& keyFields, const Variant& value, const std::string& resultField) const
{
    return Lookup(keyFields, std::vector<Variant>{value}, resultField);
}

Variant TDataSet::ValueAt(int recordIndex, const TField* field) const
{
    CheckActive();
    if (recordIndex < 0 || recordIndex >= int(m_records.size()))
        DatabaseError("Record index " + std::to_string(recordIndex) + " is out of range.");
    const TRecord& rec = m_records[size_t(recordIndex)];
    if (field->IsDataField() && field->FieldNo() > 0)
        return rec.Values[size_t(field->FieldNo() - 1)];
    const TRecord* saved = m_filterRecord;
    const_cast<TDataSet*>(this)->m_filterRecord = &rec;
    m_calcValid = false;
    Variant v;
    try {
        v = GetFieldValue(field);
    } catch (...) {
        const_cast<TDataSet*>(this)->m_filterRecord = saved;
        m_calcValid = false;
        throw;
    }
    const_cast<TDataSet*>(this)->m_filterRecord = saved;
    m_calcValid = false;
    return v;
}

// ---------------------------------------------------------------- keys

int TDataSet::CompareRecords(const TRecord& a, const TRecord& b) const
{
    for (size_t i = 0; i < m_fieldDefs.size(); ++i) {
        if (!m_fieldDefs[i].InPrimaryKey)
            continue;
        const int c = VarCompareTotal(a.Values[i], b.Values[i]);
        if (c != 0)
            return c;
    }
    return a.RowId < b.RowId ? -1 : (a.RowId > b.RowId ? 1 : 0);
}

void TDataSet::SetKey()
{
    CheckActive();
    CheckBrowseMode();
    m_keyBuffer = TRecord{};
    m_keyBuffer.Values.assign(m_fieldDefs.size(), Variant::Null());
    SetState(TDataSetState::dsSetKey);
    DataEvent(TDataEvent::deDataSetChange);
}

bool TDataSet::GotoKey()
{
    CheckActive();
    if (m_state != TDataSetState::dsSetKey)
        DatabaseError("Dataset is not in set-key state.");
    const TRecord key = std::move(m_keyBuffer);
    m_keyBuffer = TRecord{};
    SetState(TDataSetState::dsBrowse);
    bool anyKey = false;
    for (const TFieldDef& d : m_fieldDefs)
        anyKey |= d.InPrimaryKey;
    if (!anyKey)
        DatabaseError("The dataset has no primary index to search by key.");
    // Binary search on the key values only (the row identity is not part of the key).
    auto keyLess = [this](const TRecord& a, const TRecord& b) {
        for (size_t i = 0; i < m_fieldDefs.size(); ++i)
            if (m_fieldDefs[i].InPrimaryKey) {
                const int c = VarCompareTotal(a.Values[i], b.Values[i]);
                if (c != 0)
                    return c < 0;
            }
        return false;
    };
    auto it = std::lower_bound(m_records.begin(), m_records.end(), key,
                               [&](const TRecord& r, const TRecord& k) { return keyLess(r, k); });
    const bool found = it != m_records.end() && !keyLess(key, *it);
    if (found) {
        DoEvent(BeforeScroll);
        const int old = m_pos;
        MoveTo(int(it - m_records.begin()), false, false);
        if (m_pos != old)
            DataEvent(TDataEvent::deDataSetScroll, m_pos - old);
        DoEvent(AfterScroll);
    } else {
        DataEvent(TDataEvent::deDataSetChange);
    }
    return found;
}

bool TDataSet::FindKey(const std::vector<Variant>& keyValues)
{
    SetKey();
    const std::vector<TField*> keys = IndexFields();
    if (keyValues.size() > keys.size()) {
        Cancel();
        DatabaseError("FindKey got more values than the index has fields.");
    }
    try {
        for (size_t i = 0; i < keyValues.size(); ++i)
            keys[i]->SetValue(keyValues[i]);
    } catch (...) {
        Cancel();
        throw;
    }
    return GotoKey();
}

// ---------------------------------------------------------------- editing

void TDataSet::CheckBrowseMode()
{
    CheckActive();
    DataEvent(TDataEvent::deCheckBrowseMode);
    switch (m_state) {
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert:
        UpdateRecord();
        if (m_modified)
            Post();
        else
            Cancel();
        break;
    case TDataSetState::dsSetKey:
        Cancel();
        break;
    default:
        break;
    }
}

void TDataSet::UpdateRecord()
{
    if (!IsEditState(m_state))
        DatabaseError("Dataset not in edit or insert mode.");
    DataEvent(TDataEvent::deUpdateRecord);
}

void TDataSet::Edit()
{
    CheckActive();
    if (m_state == TDataSetState::dsEdit || m_state == TDataSetState::dsInsert)
        return;
    if (m_records.empty()) {
        Append();
        return;
    }
    CheckBrowseMode();
    CheckCanModify();
    DoEvent(BeforeEdit);
    m_edit = m_records[size_t(m_pos)];
    m_changed.assign(m_fieldDefs.size(), false);
    m_modified = false;
    SetState(TDataSetState::dsEdit);
    DataEvent(TDataEvent::deRecordChange);
    DoEvent(AfterEdit);
}

void TDataSet::BeginInsertAppend(bool append)
{
    CheckActive();
    CheckBrowseMode();
    CheckCanModify();
    DoEvent(BeforeInsert);
    DoEvent(BeforeScroll);
    m_posBeforeInsert = m_pos;
    m_insertPos = append ? int(m_records.size()) : std::max(m_pos, 0);
    m_edit = TRecord{};
    m_edit.Values.assign(m_fieldDefs.size(), Variant::Null());
    m_changed.assign(m_fieldDefs.size(), false);
    m_bof = m_eof = false;
    SetState(TDataSetState::dsInsert);
    try {
        DoEvent(OnNewRecord);
    } catch (...) {
        m_edit = TRecord{};
        m_modified = false;
        MoveTo(m_posBeforeInsert, m_records.empty(), m_records.empty());
        SetState(TDataSetState::dsBrowse);
        DataEvent(TDataEvent::deDataSetChange);
        throw;
    }
    // Values set by OnNewRecord are defaults: they do not make the record modified.
    m_modified = false;
    DataEvent(TDataEvent::deDataSetChange);
    DoEvent(AfterInsert);
    DoEvent(AfterScroll);
}

void TDataSet::Append()
{
    BeginInsertAppend(true);
}

void TDataSet::Insert()
{
    BeginInsertAppend(false);
}

void TDataSet::CheckRequiredFields()
{
    const bool inserting = m_state == TDataSetState::dsInsert;
    for (TField* f : m_fields) {
        if (!f->IsDataField() || !f->Required() || f->FieldNo() <= 0)
            continue;
        if (inserting && f->DataType() == TFieldType::ftAutoInc)
            continue;
        if (m_edit.Values[size_t(f->FieldNo() - 1)].IsClear()) {
            f->FocusControl();
            DatabaseError("Field '" + f->DisplayName() + "' must have a value.");
        }
    }
}

void TDataSet::Post()
{
    CheckActive();
    if (m_state == TDataSetState::dsSetKey) {
        GotoKey();
        return;
    }
    if (!IsEditState(m_state))
        return;
    UpdateRecord();
    if (!IsEditState(m_state))
        return; // a control's UpdateData ended the edit itself
    DoEvent(BeforePost);
    CheckRequiredFields();
    const bool inserting = m_state == TDataSetState::dsInsert;
    const int oldIndex = inserting ? -1 : m_pos;
    TRecordPtr stored = InternalPost(inserting ? nullptr : &m_records[size_t(m_pos)], m_edit, m_changed);
    PlacePostedRecord(std::move(*stored), inserting, oldIndex);
    m_edit = TRecord{};
    m_modified = false;
    SetState(TDataSetState::dsBrowse);
    DataEvent(TDataEvent::deDataSetChange);
    DoEvent(AfterPost);
}

void TDataSet::PlacePostedRecord(TRecord stored, bool inserting, int oldIndex)
{
    const bool visible = RecordAccepted(stored);
    if (!inserting) {
        // Fast path: the record keeps its place in the order.
        const bool fitsBefore = oldIndex == 0 || CompareRecords(m_records[size_t(oldIndex - 1)], stored) < 0;
        const bool fitsAfter = oldIndex + 1 >= int(m_records.size()) || CompareRecords(stored, m_records[size_t(oldIndex + 1)]) < 0;
        if (visible && fitsBefore && fitsAfter) {
            m_records[size_t(oldIndex)] = std::move(stored);
            MoveTo(oldIndex, false, false);
            return;
        }
        m_records.erase(m_records.begin() + oldIndex);
    }
    if (!visible) {
        // A record the filter no longer shows leaves the view; the cursor stays at
        // the position, as after a delete.
        const int anchor = inserting ? m_posBeforeInsert : oldIndex;
        const int count = int(m_records.size());
        MoveTo(count == 0 ? -1 : std::clamp(anchor, 0, count - 1), count == 0, count == 0);
        return;
    }
    auto it = std::lower_bound(m_records.begin(), m_records.end(), stored,
                               [this](const TRecord& a, const TRecord& b) { return CompareRecords(a, b) < 0; });
    it = m_records.insert(it, std::move(stored));
    MoveTo(int(it - m_records.begin()), false, false);
}

void TDataSet::Cancel()
{
    CheckActive();
    if (!IsEditState(m_state))
        return;
    if (m_state == TDataSetState::dsSetKey) {
        m_keyBuffer = TRecord{};
        SetState(TDataSetState::dsBrowse);
        DataEvent(TDataEvent::deDataSetChange);
        return;
    }
    const bool inserting = m_state == TDataSetState::dsInsert;
    DoEvent(BeforeCancel);
    if (inserting)
        DoEvent(BeforeScroll);
    m_edit = TRecord{};
    m_modified = false;
    if (inserting) {
        const bool empty = m_records.empty();
        MoveTo(empty ? -1 : std::clamp(m_posBeforeInsert, 0, int(m_records.size()) - 1), empty, empty);
    }
    m_calcValid = false;
    SetState(TDataSetState::dsBrowse);
    DataEvent(TDataEvent::deDataSetChange);
    DoEvent(AfterCancel);
    if (inserting)
        DoEvent(AfterScroll);
}

void TDataSet::Delete()
{
    CheckActive();
    if (m_state == TDataSetState::dsInsert || m_state == TDataSetState::dsSetKey) {
        Cancel();
        return;
    }
    if (m_records.empty())
        DatabaseError("Cannot perform this operation on an empty dataset.");
    CheckCanModify();
    DataEvent(TDataEvent::deCheckBrowseMode);
    DoEvent(BeforeDelete);
    DoEvent(BeforeScroll);
    InternalDelete(m_records[size_t(m_pos)]);
    m_records.erase(m_records.begin() + m_pos);
    const int count = int(m_records.size());
    MoveTo(count == 0 ? -1 : std::min(m_pos, count - 1), count == 0, count == 0);
    m_edit = TRecord{};
    m_modified = false;
    SetState(TDataSetState::dsBrowse);
    DataEvent(TDataEvent::deDataSetChange);
    DoEvent(AfterDelete);
    DoEvent(AfterScroll);
}

void TDataSet::DeleteRecords(std::vector<int> positions)
{
    CheckActive();
    CheckBrowseMode();
    for (int p : positions) {
        if (p < 0 || p >= int(m_records.size()))
            DatabaseError("Record index " + std::to_string(p) + " is out of range.");
    }
    // The storage is given each record once, in the order asked for.
    std::vector<bool> doomedAt(m_records.size(), false);
    std::vector<const TRecord*> doomed;
    doomed.reserve(positions.size());
    for (int p : positions) {
        if (!doomedAt[size_t(p)])
            doomed.push_back(&m_records[size_t(p)]);
        doomedAt[size_t(p)] = true;
    }
    if (doomed.empty())
        return;
    CheckCanModify();
    DataEvent(TDataEvent::deCheckBrowseMode);
    DoEvent(BeforeDelete);
    DoEvent(BeforeScroll);
    InternalDeleteRecords(doomed);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    // One pass moves every kept record to its new place.
    size_t kept = size_t(positions.front());
    size_t next = 0;
    for (size_t i = kept; i < m_records.size(); ++i) {
        if (next < positions.size() && int(i) == positions[next]) {
            ++next;
            continue;
        }
        m_records[kept++] = std::move(m_records[i]);
    }
    m_records.resize(kept);
    const int count = int(m_records.size());
    MoveTo(count == 0 ? -1 : std::min(positions.front(), count - 1), count == 0, count == 0);
    m_edit = TRecord{};
    m_modified = false;
    SetState(TDataSetState::dsBrowse);
    DataEvent(TDataEvent::deDataSetChange);
    DoEvent(AfterDelete);
    DoEvent(AfterScroll);
}

void TDataSet::PostRecords(const std::vector<TField*>& fields, const std::vector<std::vector<Variant>>& rows)
{
    CheckActive();
    CheckBrowseMode();
    for (const TField* f : fields) {
        if (!f || !f->IsDataField() || f->FieldNo() <= 0 || f->DataSet() != this)
            DatabaseError("PostRecords takes only data fields of this dataset.");
    }
    for (const std::vector<Variant>& row : rows) {
        if (row.size() != fields.size())
            DatabaseError("PostRecords got a row of " + std::to_string(row.size()) + " values for " +
                          std::to_string(fields.size()) + " fields.");
    }
    if (rows.empty())
        return;
    CheckCanModify();
    DataEvent(TDataEvent::deCheckBrowseMode);
    DoEvent(BeforePost);
    std::vector<bool> changed(m_fieldDefs.size(), false);
    for (const TField* f : fields)
        changed[size_t(f->FieldNo() - 1)] = true;
    std::vector<TRecord> added;
    added.reserve(rows.size());
    for (const std::vector<Variant>& row : rows) {
        TRecord record;
        record.Values.assign(m_fieldDefs.size(), Variant::Null());
        for (size_t i = 0; i < fields.size(); ++i)
            record.Values.Set(size_t(fields[i]->FieldNo() - 1), row[i]);
        TRecordPtr stored = InternalPost(nullptr, record, changed);
        if (RecordAccepted(*stored))
            added.push_back(std::move(*stored));
    }
    // The cursor's record moves down by the records placed before it.
    int current = m_pos;
    if (current >= 0 && current < int(m_records.size())) {
        const TRecord& here = m_records[size_t(current)];
        for (const TRecord& record : added)
            current += CompareRecords(record, here) < 0 ? 1 : 0;
    }
    auto less = [this](const TRecord& a, const TRecord& b) { return CompareRecords(a, b) < 0; };
    std::stable_sort(added.begin(), added.end(), less);
    const size_t old = m_records.size();
    m_records.reserve(old + added.size());
    std::move(added.begin(), added.end(), std::back_inserter(m_records));
    std::inplace_merge(m_records.begin(), m_records.begin() + std::ptrdiff_t(old), m_records.end(), less);
    const int count = int(m_records.size());
    MoveTo(count == 0 ? -1 : std::clamp(current, 0, count - 1), count == 0, count == 0);
    DataEvent(TDataEvent::deDataSetChange);
    DoEvent(AfterPost);
}

void TDataSet::InternalDeleteRecords(const std::vector<const TRecord*>& records)
{
    for (const TRecord* record : records)
        InternalDelete(*record);
}

int TDataSet::IndexOfRowId(int64_t rowId) const
{
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].RowId == rowId)
            return int(i);
    return -1;
}

void TDataSet::Refresh()
{
    CheckActive();
    CheckBrowseMode();
    DoEvent(BeforeRefresh);
    ReloadRecords();
    DoEvent(AfterRefresh);
}

void TDataSet::ReloadRecords()
{
    if (!Active())
        return;
    const int64_t rowId = m_pos >= 0 && m_pos < int(m_records.size()) ? m_records[size_t(m_pos)].RowId : 0;
    const int oldPos = m_pos;
    m_edit = TRecord{};
    m_keyBuffer = TRecord{};
    m_modified = false;
    if (IsEditState(m_state))
        SetState(TDataSetState::dsBrowse);
    LoadRecords();
    const int count = int(m_records.size());
    int index = rowId != 0 ? IndexOfRowId(rowId) : -1;
    if (index < 0)
        index = count == 0 ? -1 : std::clamp(oldPos, 0, count - 1);
    MoveTo(index, count == 0, count == 0);
    DataEvent(TDataEvent::deDataSetChange);
}

// ---------------------------------------------------------------- filters

void TDataSet::CompileFilter(const std::string& text, TFilterOptions options, std::unique_ptr<TFilterExpression>& out,
                             bool checkNames) const
{
    out.reset();
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        return;
    std::unique_ptr<TFilterExpression> expr = TFilterExpression::Parse(text, options);
    if (checkNames || Active())
        for (const std::string& name : expr->FieldNames())
            if (!m_fields.FindField(name))
                throw EFilterError("Invalid filter: field '" + name + "' not found.");
    out = std::move(expr);
}

void TDataSet::ApplyFilterChange()
{
    if (!Active())
        return;
    CheckBrowseMode();
    LoadRecords();
    const bool empty = m_records.empty();
    MoveTo(empty ? -1 : 0, true, empty);
    DataEvent(TDataEvent::deDataSetChange);
}

void TDataSet::SetFilter(const std::string& text)
{
    if (text == m_filterText)
        return;
    std::unique_ptr<TFilterExpression> compiled;
    CompileFilter(text, m_filterOptions, compiled); // raises before anything changes
    m_filterText = text;
    m_filter = std::move(compiled);
    if (m_filtered)
        ApplyFilterChange();
}

void TDataSet::SetFiltered(bool value)
{
    if (value == m_filtered)
        return;
    if (value && Active() && !m_filterText.empty())
        CompileFilter(m_filterText, m_filterOptions, m_filter);
    m_filtered = value;
    ApplyFilterChange();
}

void TDataSet::SetFilterOptions(TFilterOptions options)
{
    if (options == m_filterOptions)
        return;
    std::unique_ptr<TFilterExpression> compiled;
    CompileFilter(m_filterText, options, compiled);
    m_filterOptions = options;
    m_filter = std::move(compiled);
    if (m_filtered)
        ApplyFilterChange();
}

// ---------------------------------------------------------------- field values

const TRecord* TDataSet::ActiveRecord() const
{
    if (m_filterRecord)
        return m_filterRecord;
    switch (m_state) {
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert: return &m_edit;
    case TDataSetState::dsSetKey: return &m_keyBuffer;
    case TDataSetState::dsCalcFields: return m_calcRecord;
    case TDataSetState::dsInactive: return nullptr;
    default:
        return (m_pos >= 0 && m_pos < int(m_records.size())) ? &m_records[size_t(m_pos)] : nullptr;
    }
}

Variant TDataSet::DataFieldValue(const TField* field) const
{
    const TRecord* rec = ActiveRecord();
    if (!rec || field->FieldNo() <= 0 || size_t(field->FieldNo()) > rec->Values.size())
        return Variant::Null();
    return rec->Values[size_t(field->FieldNo() - 1)];
}

Variant TDataSet::GetFieldValue(const TField* field) const
{
    switch (field->FieldKind()) {
    case TFieldKind::fkData:
        return DataFieldValue(field);
    case TFieldKind::fkLookup:
        return LookupFieldValue(field);
    case TFieldKind::fkCalculated: {
        EnsureCalcFields();
        const int index = m_fields.IndexOf(field);
        return index >= 0 && size_t(index) < m_calcValues.size() ? m_calcValues[size_t(index)] : Variant::Null();
    }
    }
    return Variant::Null();
}

void TDataSet::EnsureCalcFields() const
{
    if (m_calcValid || !Active())
        return;
    m_calcValid = true;
    m_calcValues.assign(size_t(m_fields.Count()), Variant::Null());
    if (!OnCalcFields || !ActiveRecord())
        return;
    auto* self = const_cast<TDataSet*>(this);
    const TDataSetState saved = m_state;
    // Fields read inside OnCalcFields see the record that was active.
    self->m_calcRecord = ActiveRecord();
    self->m_state = TDataSetState::dsCalcFields;
    try {
        OnCalcFields(self);
    } catch (...) {
        self->m_state = saved;
        self->m_calcRecord = nullptr;
        throw;
    }
    self->m_state = saved;
    self->m_calcRecord = nullptr;
}

Variant TDataSet::LookupFieldValue(const TField* field) const
{
    TDataSet* lookup = field->LookupDataSet();
    if (!lookup || !lookup->Active() || field->KeyFields().empty() || field->LookupKeyFields().empty() ||
        field->LookupResultField().empty())
        return Variant::Null();
    std::vector<Variant> keys;
    for (TField* keyField : FieldList(field->KeyFields())) {
        Variant v = GetFieldValue(keyField);
        if (v.IsClear())
            return Variant::Null();
        keys.push_back(std::move(v));
    }
    return lookup->Lookup(field->LookupKeyFields(), keys, field->LookupResultField());
}

void TDataSet::SetLookupFieldValue(TField* field, const Variant& value)
{
    TDataSet* lookup = field->LookupDataSet();
    if (!lookup || !lookup->Active())
        DatabaseError("Field '" + field->DisplayName() + "' has no open lookup dataset.");
    const std::vector<TField*> keyFields = FieldList(field->KeyFields());
    const std::vector<TField*> lookupKeys = lookup->FieldList(field->LookupKeyFields());
    if (keyFields.size() != lookupKeys.size())
        DatabaseError("Field '" + field->DisplayName() + "' has key fields that do not match its lookup key fields.");
    if (value.IsClear()) {
        for (TField* k : keyFields)
            k->Clear();
        return;
    }
    const TField* result = lookup->FieldByName(field->LookupResultField());
    for (const TRecord& rec : lookup->m_records) {
        if (!lookup->RecordMatches(rec, {const_cast<TField*>(result)}, {value}, {}))
            continue;
        for (size_t i = 0; i < keyFields.size(); ++i)
            keyFields[i]->SetValue(rec.Values[size_t(lookupKeys[i]->FieldNo() - 1)]);
        return;
    }
    DatabaseError("'" + value.AsString() + "' is not one of the values of field '" + field->DisplayName() + "'.");
}

void TDataSet::SetFieldValue(TField* field, const Variant& value)
{
    CheckActive();
    if (field->FieldKind() == TFieldKind::fkCalculated) {
        if (m_state != TDataSetState::dsCalcFields)
            DatabaseError("Field '" + field->DisplayName() + "' is calculated: it can be set only in OnCalcFields.");
        const int index = m_fields.IndexOf(field);
        m_calcValues[size_t(index)] = field->ConvertValue(value);
        return;
    }
    if (!IsEditState(m_state))
        DatabaseError("Dataset not in edit or insert mode.");
    if (field->ReadOnly() && m_state != TDataSetState::dsSetKey)
        DatabaseError("Field '" + field->DisplayName() + "' cannot be modified.");
    if (field->FieldKind() == TFieldKind::fkLookup) {
        SetLookupFieldValue(field, value);
        return;
    }
    if (field->FieldNo() <= 0)
        DatabaseError("Field '" + field->DisplayName() + "' is not bound to a column.");
    const size_t slot = size_t(field->FieldNo() - 1);
    Variant converted = field->ConvertValue(value);
    if (m_state == TDataSetState::dsSetKey) {
        m_keyBuffer.Values.Set(slot, converted);
        return;
    }
    Variant previous = m_edit.Values[slot];
    m_edit.Values.Set(slot, converted);
    if (field->OnValidate) {
        try {
            field->OnValidate(field);
        } catch (...) {
            if (IsEditState(m_state) && slot < m_edit.Values.size())
                m_edit.Values.Set(slot, previous);
            throw;
        }
    }
    m_changed[slot] = true;
    m_modified = true;
    m_calcValid = false;
    if (field->OnChange)
        field->OnChange(field);
    DataEvent(TDataEvent::deFieldChange, reinterpret_cast<intptr_t>(field));
}
