// The model of a lookup list: the records of a list dataset shown by ListField and
// identified by KeyField, with one chosen key. A drop-down or list control draws
// Count() rows of Text(i) and reports the chosen row with Select(i); KeyValue is the
// key of the chosen record (null for none).
//
// The list follows its data source through a data link: OnChange runs when the
// records or the list dataset's activity change, so the control can repaint.
#pragma once

#include "platform/data/Variant.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TDataSet;
class TDataSource;
class TField;

class TLookupList {
public:
    TLookupList();
    ~TLookupList();
    TLookupList(const TLookupList&) = delete;
    TLookupList& operator=(const TLookupList&) = delete;

    TDataSource* ListSource() const;
    void SetListSource(TDataSource* source);
    // The field whose value identifies a record (one name).
    const std::string& KeyField() const { return m_keyField; }
    void SetKeyField(const std::string& name) { m_keyField = name; }
    // The fields shown, separated by ';': the first is the text, others extra columns.
    const std::string& ListField() const { return m_listField; }
    void SetListField(const std::string& names) { m_listField = names; }

    // The list dataset is open and the key and list fields exist.
    bool Active() const;
    int Count() const;
    Variant Key(int index) const;
    // The display text of list column `column` of row `index`.
    std::string Text(int index, int column = 0) const;
    int ColumnCount() const;

    Variant KeyValue() const { return m_keyValue; }
    // Chooses the record with this key and makes it the list dataset's current record
    // when found; a key not in the list leaves no row selected.
    void SetKeyValue(const Variant& key);
    // Row of the chosen record, -1 for none.
    int SelectedIndex() const;
    // Chooses row `index` (its key becomes KeyValue).
    void Select(int index);
    // The first row whose text starts with `prefix`, ignoring case; -1 for none.
    int FindPrefix(const std::string& prefix) const;

    std::function<void(TLookupList* Sender)> OnChange;

private:
    class Link;
    TDataSet* DataSet() const;
    TField* Key() const;
    std::vector<TField*> ListFields() const;
    std::unique_ptr<Link> m_link;
    std::string m_keyField;
    std::string m_listField;
    Variant m_keyValue = Variant::Null();
};
