#include "platform/data/Field.h"

#include "platform/data/DataSet.h"
#include "platform/data/DatabaseError.h"

#include <algorithm>
#include <climits>

TField::TField(TFieldType dataType) : m_dataType(dataType) {}

TField::~TField()
{
    if (m_lookupDataSet && m_lookupFreeHandle)
        m_lookupDataSet->RemoveFreeNotification(m_lookupFreeHandle);
}

void TField::CheckInactive(const char* what) const
{
    if (m_dataSet && m_dataSet->Active())
        throw EDatabaseError(std::string("Cannot change the ") + what + " of field '" + m_fieldName +
                             "' while its dataset is open.");
}

void TField::SetFieldName(const std::string& name)
{
    if (name == m_fieldName)
        return;
    CheckInactive("name");
    if (m_dataSet) {
        TField* other = m_dataSet->FindField(name);
        if (other && other != this)
            throw EDatabaseError("Duplicate field name '" + name + "'.");
    }
    m_fieldName = name;
}

void TField::SetFieldKind(TFieldKind kind)
{
    if (kind == m_fieldKind)
        return;
    CheckInactive("kind");
    m_fieldKind = kind;
}

void TField::SetDisplayLabel(const std::string& label)
{
    if (label == m_displayLabel)
        return;
    m_displayLabel = label;
    if (m_dataSet && m_dataSet->Active())
        m_dataSet->DataEvent(TDataEvent::deLayoutChange);
}

int TField::Index() const
{
    return m_dataSet ? m_dataSet->Fields().IndexOf(this) : -1;
}

void TField::SetIndex(int index)
{
    if (!m_dataSet)
        return;
    auto& list = m_dataSet->m_fields.m_list;
    const int current = Index();
    index = std::clamp(index, 0, int(list.size()) - 1);
    if (current < 0 || index == current)
        return;
    std::unique_ptr<TField> self = std::move(list[size_t(current)]);
    list.erase(list.begin() + current);
    list.insert(list.begin() + index, std::move(self));
    if (m_dataSet->Active()) {
        // Calculated values are kept by field position.
        m_dataSet->m_calcValid = false;
        m_dataSet->DataEvent(TDataEvent::deLayoutChange);
    }
}

void TField::SetSize(int size)
{
    CheckInactive("size");
    m_size = std::max(0, size);
}

void TField::SetReadOnly(bool value)
{
    if (value == m_readOnly)
        return;
    m_readOnly = value;
    if (m_dataSet && m_dataSet->Active())
        m_dataSet->DataEvent(TDataEvent::deLayoutChange);
}

void TField::SetVisible(bool value)
{
    if (value == m_visible)
        return;
    m_visible = value;
    if (m_dataSet && m_dataSet->Active())
        m_dataSet->DataEvent(TDataEvent::deLayoutChange);
}

int TField::DisplayWidth() const
{
    return m_displayWidth > 0 ? m_displayWidth : DefaultDisplayWidth();
}

void TField::SetDisplayWidth(int width)
{
    if (width == m_displayWidth)
        return;
    m_displayWidth = width;
    if (m_dataSet && m_dataSet->Active())
        m_dataSet->DataEvent(TDataEvent::deLayoutChange);
}

void TField::SetLookupDataSet(TDataSet* dataSet)
{
    if (dataSet == m_lookupDataSet)
        return;
    CheckInactive("lookup dataset");
    if (dataSet == m_dataSet && dataSet)
        throw EDatabaseError("Field '" + m_fieldName + "' cannot look up its own dataset.");
    if (m_lookupDataSet && m_lookupFreeHandle)
        m_lookupDataSet->RemoveFreeNotification(m_lookupFreeHandle);
    m_lookupDataSet = dataSet;
    m_lookupFreeHandle = 0;
    if (m_lookupDataSet)
        m_lookupFreeHandle = m_lookupDataSet->AddFreeNotification([this](TDataSet*) {
            m_lookupDataSet = nullptr;
            m_lookupFreeHandle = 0;
        });
}

Variant TField::Value() const
{
    if (!m_dataSet)
        throw EDatabaseError("Field '" + m_fieldName + "' has no dataset.");
    return m_dataSet->GetFieldValue(this);
}

void TField::SetValue(const Variant& value)
{
    if (!m_dataSet)
        throw EDatabaseError("Field '" + m_fieldName + "' has no dataset.");
    m_dataSet->SetFieldValue(this, value);
}

bool TField::IsNull() const
{
    if (m_fieldKind == TFieldKind::fkData && m_dataSet)
        return m_dataSet->DataFieldValue(this).IsClear();
    return Value().IsClear();
}

namespace {
// Reads a value or, for null, the type's zero.
template <typename F>
auto OrZero(const Variant& v, F read) -> decltype(read(v))
{
    if (v.IsClear())
        return decltype(read(v)){};
    return read(v);
}
} // namespace

int TField::AsInteger() const
{
    const int64_t v = AsLargeInt();
    if (v < INT_MIN || v > INT_MAX)
        throw EDatabaseError("The value " + std::to_string(v) + " of field '" + DisplayName() + "' does not fit in 32 bits.");
    return int(v);
}

int64_t TField::AsLargeInt() const
{
    if (m_fieldKind == TFieldKind::fkData && m_dataSet) {
        const Variant& v = m_dataSet->DataFieldValue(this);
        if (v.Type() == TVarType::varInteger)
            return v.AsInteger();
        return OrZero(v, [](const Variant& x) { return x.AsInteger(); });
    }
    return OrZero(Value(), [](const Variant& x) { return x.AsInteger(); });
}

double TField::AsFloat() const
{
    return OrZero(Value(), [](const Variant& x) { return x.AsFloat(); });
}

double TField::AsCurrency() const
{
    return OrZero(Value(), [](const Variant& x) { return x.AsCurrency().ToDouble(); });
}

bool TField::AsBoolean() const
{
    return OrZero(Value(), [](const Variant& x) { return x.AsBoolean(); });
}

TDateTime TField::AsDateTime() const
{
    return OrZero(Value(), [](const Variant& x) { return x.AsDateTime(); });
}

std::string TField::AsString() const
{
    if (m_fieldKind == TFieldKind::fkData && m_dataSet) {
        const Variant& v = m_dataSet->DataFieldValue(this);
        return v.IsClear() ? std::string() : FormatValue(v, false);
    }
    const Variant v = Value();
    return v.IsClear() ? std::string() : FormatValue(v, false);
}

void TField::SetAsString(const std::string& text)
{
    if (text.empty() && m_dataType != TFieldType::ftMemo && m_dataType != TFieldType::ftBlob)
        SetValue(Variant::Null());
    else
        SetValue(Variant(text));
}

std::string TField::DisplayText() const
{
    std::string text;
    const Variant v = Value();
    if (!v.IsClear())
        text = FormatValue(v, true);
    if (OnGetText)
        OnGetText(const_cast<TField*>(this), text, true);
    return text;
}

std::string TField::EditText() const
{
    std::string text = AsString();
    if (OnGetText)
        OnGetText(const_cast<TField*>(this), text, false);
    return text;
}

void TField::SetEditText(const std::string& text)
{
    if (OnSetText)
        OnSetText(this, text);
    else
        SetAsString(text);
}

bool TField::IsValidChar(char32_t ch) const
{
    return ch >= 32 || ch == '\t';
}

bool TField::CanModify() const
{
    if (m_readOnly || !m_dataSet || !m_dataSet->CanModify())
        return false;
    switch (m_fieldKind) {
    case TFieldKind::fkData: return true;
    case TFieldKind::fkCalculated: return false;
    case TFieldKind::fkLookup: {
        if (m_keyFields.empty())
            return false;
        size_t start = 0;
        while (start <= m_keyFields.size()) {
            size_t end = m_keyFields.find(';', start);
            if (end == std::string::npos)
                end = m_keyFields.size();
            TField* key = m_dataSet->FindField(m_keyFields.substr(start, end - start));
            if (!key || !key->CanModify())
                return false;
            start = end + 1;
        }
        return true;
    }
    }
    return false;
}

void TField::FocusControl()
{
    if (!m_dataSet || !m_dataSet->Active())
        return;
    TField* field = this;
    m_dataSet->DataEvent(TDataEvent::deFocusControl, reinterpret_cast<intptr_t>(&field));
}

Variant TField::ConvertValue(const Variant& value) const
{
    return value.IsClear() ? Variant::Null() : value;
}

std::string TField::FormatValue(const Variant& value, bool display) const
{
    return value.AsString();
}

void TField::RaiseInvalidValue(const std::string& text, const char* what) const
{
    throw EDatabaseError("'" + text + "' is not a valid " + what + " value for field '" + DisplayName() + "'.");
}

void TField::RaiseOutOfRange(const std::string& value, const std::string& min, const std::string& max) const
{
    throw EDatabaseError(value + " is not a valid value for field '" + DisplayName() + "'. The allowed range is " + min +
                         " to " + max + ".");
}
