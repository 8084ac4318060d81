#include "platform/data/FloatField.h"
#include "platform/data/DatabaseError.h"

#include "platform/data/CurrencyField.h"
#include "platform/data/NumberFormat.h"

#include <cmath>
#include <cstdio>

bool TFloatField::IsValidChar(char32_t ch) const
{
    const std::string& dec = Locale().DecimalSeparator;
    return (ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == '.' || ch == 'e' || ch == 'E' ||
           (dec.size() == 1 && ch == char32_t(static_cast<unsigned char>(dec[0])));
}

double TFloatField::CheckedFloat(const Variant& value) const
{
    double d = 0;
    if (value.IsString()) {
        // The plain form ("1.5") or the locale's, which the display text uses ("1,5").
        Variant parsed;
        if (TryStrToNumber(value.StringView(), parsed))
            d = parsed.AsFloat();
        else if (!TryStrToFloat(value.StringView(), d))
            RaiseInvalidValue(std::string(value.StringView()), "floating point");
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
    // Not through the C library: the desktop's locale there may write a decimal comma
    // the value's own reading would not take back.
    return FloatToStrF(value.AsFloat(), TFloatFormat::ffGeneral, m_precision, 0);
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
