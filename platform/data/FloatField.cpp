#include "platform/data/FloatField.h"
#include "platform/data/DatabaseError.h"

#include "platform/data/CurrencyField.h"

#include <cmath>
#include <cstdio>

bool TFloatField::IsValidChar(char32_t ch) const
{
    return (ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == '.' || ch == 'e' || ch == 'E';
}

double TFloatField::CheckedFloat(const Variant& value) const
{
    double d = 0;
    if (value.IsString()) {
        Variant parsed;
        if (!TryStrToNumber(value.StringView(), parsed))
            RaiseInvalidValue(std::string(value.StringView()), "floating point");
        d = parsed.AsFloat();
    } else {
        try {
            d = value.AsFloat();
        } catch (const Exception&) {
            RaiseInvalidValue(value.AsString(), "floating point");
        }
    }
    if (!std::isfinite(d))
        RaiseInvalidValue(value.AsString(), "floating point");
    if ((m_minValue != 0 || m_maxValue != 0) && (d < m_minValue || d > m_maxValue))
        RaiseOutOfRange(Variant(d).AsString(), Variant(m_minValue).AsString(), Variant(m_maxValue).AsString());
    return d;
}

Variant TFloatField::ConvertValue(const Variant& value) const
{
    if (value.IsClear())
        return Variant::Null();
    return Variant(CheckedFloat(value));
}

std::string TFloatField::FormatValue(const Variant& value, bool display) const
{
    if (!display)
        return value.AsString();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", m_precision, value.AsFloat());
    return buf;
}

Variant TCurrencyField::ConvertValue(const Variant& value) const
{
    if (value.IsClear())
        return Variant::Null();
    if (value.Type() == TVarType::varCurrency || value.Type() == TVarType::varInteger) {
        CheckedFloat(value);
        return Variant(value.AsCurrency());
    }
    return Variant(TCurrency::FromDouble(CheckedFloat(value)));
}

std::string TCurrencyField::FormatValue(const Variant& value, bool display) const
{
    if (!display)
        return value.AsString();
    // Two decimals, rounded half away from zero on the exact ten-thousandths.
    int64_t c = value.AsCurrency().Value;
    const bool negative = c < 0;
    uint64_t v = negative ? uint64_t(0) - uint64_t(c) : uint64_t(c);
    uint64_t cents = (v + 50) / 100;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%llu.%02llu", negative ? "-" : "", (unsigned long long)(cents / 100),
                  (unsigned long long)(cents % 100));
    return buf;
}
