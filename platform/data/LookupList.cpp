#include "platform/data/LookupList.h"

#include "platform/data/DataLink.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/FilterExpression.h"

class TLookupList::Link : public TDataLink {
public:
    explicit Link(TLookupList& list) : m_list(list) {}

protected:
    void ActiveChanged() override { Changed(); }
    void DataSetChanged() override { Changed(); }
    void LayoutChanged() override { Changed(); }

private:
    void Changed()
    {
        if (m_list.OnChange)
            m_list.OnChange(&m_list);
    }
    TLookupList& m_list;
};

TLookupList::TLookupList() : m_link(std::make_unique<Link>(*this)) {}

TLookupList::~TLookupList() = default;

TDataSource* TLookupList::ListSource() const
{
    return m_link->DataSource();
}

void TLookupList::SetListSource(TDataSource* source)
{
    m_link->SetDataSource(source);
}

TDataSet* TLookupList::DataSet() const
{
    return m_link->Active() ? m_link->DataSet() : nullptr;
}

TField* TLookupList::Key() const
{
    TDataSet* ds = DataSet();
    return ds ? ds->FindField(m_keyField) : nullptr;
}

std::vector<TField*> TLookupList::ListFields() const
{
    std::vector<TField*> fields;
    TDataSet* ds = DataSet();
    if (!ds)
        return fields;
    size_t start = 0;
    while (start <= m_listField.size()) {
        size_t end = m_listField.find(';', start);
        if (end == std::string::npos)
            end = m_listField.size();
        if (TField* f = ds->FindField(m_listField.substr(start, end - start)))
            fields.push_back(f);
        start = end + 1;
    }
    // Without list fields the key itself is shown.
    if (fields.empty() && Key())
        fields.push_back(Key());
    return fields;
}

bool TLookupList::Active() const
{
    return Key() != nullptr;
}

int TLookupList::Count() const
{
    return Active() ? DataSet()->RecordCount() : 0;
}

int TLookupList::ColumnCount() const
{
    return int(ListFields().size());
}

Variant TLookupList::Key(int index) const
{
    TField* key = Key();
    return key ? DataSet()->ValueAt(index, key) : Variant::Null();
}

std::string TLookupList::Text(int index, int column) const
{
    const std::vector<TField*> fields = ListFields();
    if (column < 0 || column >= int(fields.size()))
        return {};
    return fields[size_t(column)]->TextOf(DataSet()->ValueAt(index, fields[size_t(column)]));
}

void TLookupList::SetKeyValue(const Variant& key)
{
    m_keyValue = key.IsEmpty() ? Variant::Null() : key;
    if (Active() && !m_keyValue.IsNull())
        DataSet()->Locate(m_keyField, m_keyValue);
}

int TLookupList::SelectedIndex() const
{
    if (!Active() || m_keyValue.IsNull())
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (VarEquals(Key(i), m_keyValue))
            return i;
    return -1;
}

void TLookupList::Select(int index)
{
    if (!Active() || index < 0 || index >= Count())
        return;
    SetKeyValue(Key(index));
}

int TLookupList::FindPrefix(const std::string& prefix) const
{
    const std::string folded = FoldCase(prefix);
    for (int i = 0; i < Count(); ++i)
        if (FoldCase(Text(i)).compare(0, folded.size(), folded) == 0)
            return i;
    return -1;
}
