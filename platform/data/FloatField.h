// A floating-point field. Precision is the number of significant digits shown;
// MinValue and MaxValue, when not both 0, limit the values accepted.
#pragma once

#include "platform/data/Field.h"

class TFloatField : public TField {
public:
    TFloatField() : TField(TFieldType::ftFloat) {}

    int Precision() const { return m_precision; }
    void SetPrecision(int digits) { m_precision = digits < 2 ? 2 : (digits > 17 ? 17 : digits); }
    double MinValue() const { return m_minValue; }
    void SetMinValue(double value) { m_minValue = value; }
    double MaxValue() const { return m_maxValue; }
    void SetMaxValue(double value) { m_maxValue = value; }

    bool IsValidChar(char32_t ch) const override;

protected:
    explicit TFloatField(TFieldType type) : TField(type) {}
    Variant ConvertValue(const Variant& value) const override;
    std::string FormatValue(const Variant& value, bool display) const override;
    int DefaultDisplayWidth() const override { return 10; }
    // Checks the range and converts; both float and currency fields use it.
    double CheckedFloat(const Variant& value) const;

private:
    int m_precision = 15;
    double m_minValue = 0;
    double m_maxValue = 0;
};
