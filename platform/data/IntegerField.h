// A 32-bit integer field. MinValue and MaxValue, when not both 0, narrow the range
// further; a value outside raises.
#pragma once

#include "platform/data/Field.h"

class TIntegerField : public TField {
public:
    TIntegerField() : TIntegerField(TFieldType::ftInteger) {}

    int64_t MinValue() const { return m_minValue; }
    void SetMinValue(int64_t value) { m_minValue = value; }
    int64_t MaxValue() const { return m_maxValue; }
    void SetMaxValue(int64_t value) { m_maxValue = value; }

    // The range of the type itself.
    virtual int64_t TypeMin() const { return INT32_MIN; }
    virtual int64_t TypeMax() const { return INT32_MAX; }

    bool IsValidChar(char32_t ch) const override;

protected:
    explicit TIntegerField(TFieldType type) : TField(type) {}
    Variant ConvertValue(const Variant& value) const override;
    std::string FormatValue(const Variant& value, bool display) const override { return value.AsString(); }
    int DefaultDisplayWidth() const override { return 11; }

private:
    int64_t m_minValue = 0;
    int64_t m_maxValue = 0;
};
