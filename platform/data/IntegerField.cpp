#include "platform/data/IntegerField.h"
#include "platform/data/DatabaseError.h"

bool TIntegerField::IsValidChar(char32_t ch) const
{
    return (ch >= '0' && ch <= '9') || ch == '+' || ch == '-';
}

Variant TIntegerField::ConvertValue(const Variant& value) const
{
    if (value.IsClear())
        return Variant::Null();
    int64_t v = 0;
    if (value.IsString()) {
        Variant parsed;
        if (!TryStrToNumber(value.StringView(), parsed) || parsed.Type() != TVarType::varInteger)
            RaiseInvalidValue(std::string(value.StringView()), "integer");
        v = parsed.AsInteger();
    } else {
        try {
            v = value.AsInteger();
        } catch (const Exception&) {
            RaiseInvalidValue(value.AsString(), "integer");
        }
    }
    int64_t lo = TypeMin(), hi = TypeMax();
    if (m_minValue != 0 || m_maxValue != 0) {
        lo = std::max(lo, m_minValue);
        hi = std::min(hi, m_maxValue);
    }
    if (v < lo || v > hi)
        RaiseOutOfRange(std::to_string(v), std::to_string(lo), std::to_string(hi));
    return Variant(v);
}
