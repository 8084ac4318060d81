#include "platform/data/BooleanField.h"
#include "platform/data/DatabaseError.h"

#include <algorithm>
#include <cctype>

namespace {
std::string Lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower((unsigned char)c));
    return s;
}
} // namespace

std::string TBooleanField::TrueText() const
{
    size_t p = m_displayValues.find(';');
    return p == std::string::npos ? m_displayValues : m_displayValues.substr(0, p);
}

std::string TBooleanField::FalseText() const
{
    size_t p = m_displayValues.find(';');
    return p == std::string::npos ? std::string() : m_displayValues.substr(p + 1);
}

Variant TBooleanField::ConvertValue(const Variant& value) const
{
    if (value.IsClear())
        return Variant::Null();
    if (value.IsString()) {
        const std::string t = Lower(std::string(value.StringView()));
        if (!TrueText().empty() && t == Lower(TrueText()))
            return Variant(true);
        if (!FalseText().empty() && t == Lower(FalseText()))
            return Variant(false);
    }
    try {
        return Variant(value.AsBoolean());
    } catch (const Exception&) {
        RaiseInvalidValue(value.AsString(), "Boolean");
    }
}

std::string TBooleanField::FormatValue(const Variant& value, bool display) const
{
    return value.AsBoolean() ? TrueText() : FalseText();
}
