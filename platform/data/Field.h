// A field of a dataset: one named value of the current record, typed, with its
// display and edit text. Field objects are owned by their dataset. Fields made by
// code before the dataset opens (TDataSet::CreateField) are persistent: they stay
// across Close and Open and are bound to the table's columns by name on Open.
// Without persistent fields, Open makes one default field per column, and Close
// destroys them again.
#pragma once

#include "platform/data/DataTypes.h"
#include "platform/data/FreeNotifier.h"
#include "platform/data/Variant.h"

#include <functional>
#include <string>

class TDataSet;

class TField {
public:
    virtual ~TField();
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TDataSet* DataSet() const { return m_dataSet; }

    const std::string& FieldName() const { return m_fieldName; }
    // Only while the dataset is closed.
    void SetFieldName(const std::string& name);
    const std::string& DisplayLabel() const { return m_displayLabel; }
    void SetDisplayLabel(const std::string& label);
    // The display label, or the field name without one.
    const std::string& DisplayName() const { return m_displayLabel.empty() ? m_fieldName : m_displayLabel; }

    TFieldType DataType() const { return m_dataType; }
    TFieldKind FieldKind() const { return m_fieldKind; }
    // Only while the dataset is closed.
    void SetFieldKind(TFieldKind kind);
    bool IsDataField() const { return m_fieldKind == TFieldKind::fkData; }
    // Column number in the table (1-based) while open; 0 for calculated and lookup fields.
    int FieldNo() const { return m_fieldNo; }
    // Position in the dataset's field list.
    int Index() const;
    void SetIndex(int index);
    // Made by code rather than from the table's columns.
    bool IsPersistent() const { return m_persistent; }

    // Characters for string fields (code points, not bytes); 0 for most others.
    int Size() const { return m_size; }
    void SetSize(int size);
    bool Required() const { return m_required; }
    void SetRequired(bool value) { m_required = value; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    const std::string& EditMask() const { return m_editMask; }
    void SetEditMask(const std::string& mask) { m_editMask = mask; }
    // Width in characters a control should give the field.
    int DisplayWidth() const;
    void SetDisplayWidth(int width);

    // Lookup fields: the value is LookupResultField of the LookupDataSet record whose
    // LookupKeyFields equal this dataset's KeyFields (names separated by ';').
    TDataSet* LookupDataSet() const { return m_lookupDataSet; }
    void SetLookupDataSet(TDataSet* dataSet);
    const std::string& KeyFields() const { return m_keyFields; }
    void SetKeyFields(const std::string& names) { m_keyFields = names; }
    const std::string& LookupKeyFields() const { return m_lookupKeyFields; }
    void SetLookupKeyFields(const std::string& names) { m_lookupKeyFields = names; }
    const std::string& LookupResultField() const { return m_lookupResultField; }
    void SetLookupResultField(const std::string& name) { m_lookupResultField = name; }
    bool Lookup() const { return m_fieldKind == TFieldKind::fkLookup; }

    // The value of the current record. Writing needs the dataset in edit or insert
    // state (or, for calculated fields, inside OnCalcFields); the value is converted
    // to the field's type first, and a value that does not fit raises.
    Variant Value() const;
    void SetValue(const Variant& value);
    Variant AsVariant() const { return Value(); }
    void SetAsVariant(const Variant& value) { SetValue(value); }
    bool IsNull() const;
    void Clear() { SetValue(Variant::Null()); }

    // Typed access: null reads 0, "", false or 0.0.
    int AsInteger() const;
    int64_t AsLargeInt() const;
    double AsFloat() const;
    double AsCurrency() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;
    virtual std::string AsString() const;
    void SetAsInteger(int64_t value) { SetValue(Variant(value)); }
    void SetAsLargeInt(int64_t value) { SetValue(Variant(value)); }
    void SetAsFloat(double value) { SetValue(Variant(value)); }
    void SetAsCurrency(double value) { SetValue(Variant::FromCurrency(value)); }
    void SetAsBoolean(bool value) { SetValue(Variant(value)); }
    void SetAsDateTime(TDateTime value) { SetValue(Variant::FromDate(value)); }
    // Parses the text for the field's type; an empty text clears the field.
    virtual void SetAsString(const std::string& text);

    // The text shown for the value (OnGetText may replace it).
    std::string DisplayText() const;
    // The text an editor starts from (OnGetText may replace it).
    std::string EditText() const;
    std::string Text() const { return EditText(); }
    // Stores an edited text: through OnSetText when assigned, else as AsString.
    void SetEditText(const std::string& text);
    void SetText(const std::string& text) { SetEditText(text); }

    // The text of any value of this field's type (display or edit form), e.g. of
    // another record; OnGetText is not applied.
    std::string TextOf(const Variant& value, bool display = true) const { return value.IsClear() ? std::string() : FormatValue(value, display); }

    // Whether typing the character can be part of a valid value.
    virtual bool IsValidChar(char32_t ch) const;
    // Not read-only, on a dataset that can be modified; a lookup field can be
    // modified when all its key fields can.
    bool CanModify() const;
    // Asks the dataset's controls to focus the control that shows this field.
    void FocusControl();

    std::function<void(TField* Sender)> OnChange;
    // Runs before a new value is stored; may throw to refuse it.
    std::function<void(TField* Sender)> OnValidate;
    std::function<void(TField* Sender, std::string& Text, bool DisplayText)> OnGetText;
    std::function<void(TField* Sender, const std::string& Text)> OnSetText;

    int AddFreeNotification(std::function<void(TField*)> callback) { return m_freeNotifier.Add(std::move(callback)); }
    void RemoveFreeNotification(int handle) { m_freeNotifier.Remove(handle); }

protected:
    explicit TField(TFieldType dataType);

    // Converts a value to the stored form of this field type; throws EDatabaseError
    // when it does not fit. Null and unassigned become null.
    virtual Variant ConvertValue(const Variant& value) const;
    // The text of a non-null stored value.
    virtual std::string FormatValue(const Variant& value, bool display) const;
    // Default display width for the type.
    virtual int DefaultDisplayWidth() const { return 10; }

    [[noreturn]] void RaiseInvalidValue(const std::string& text, const char* what) const;
    [[noreturn]] void RaiseOutOfRange(const std::string& value, const std::string& min, const std::string& max) const;

private:
    friend class TDataSet;
    friend class TFields;

    void CheckInactive(const char* what) const;

    TDataSet* m_dataSet = nullptr;
    std::string m_fieldName;
    std::string m_displayLabel;
    std::string m_editMask;
    std::string m_keyFields, m_lookupKeyFields, m_lookupResultField;
    TDataSet* m_lookupDataSet = nullptr;
    int m_lookupFreeHandle = 0;
    TFieldType m_dataType;
    TFieldKind m_fieldKind = TFieldKind::fkData;
    int m_fieldNo = 0;
    int m_size = 0;
    int m_displayWidth = 0;
    bool m_required = false;
    bool m_readOnly = false;
    bool m_visible = true;
    bool m_persistent = false;
    TFreeNotifier<TField> m_freeNotifier;
};
