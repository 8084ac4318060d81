#include "platform/data/DateTimeField.h"
#include "platform/data/DatabaseError.h"

#include "platform/data/DateField.h"
#include "platform/data/TimeField.h"

#include <cmath>

bool TDateTimeField::IsValidChar(char32_t ch) const
{
    return (ch >= '0' && ch <= '9') || ch == '-' || ch == ':' || ch == ' ' || ch == '.' || ch == 'T';
}

TDateTime TDateTimeField::ToDateTime(const Variant& value) const
{
    if (value.IsString()) {
        if (auto d = TryIsoStrToDateTime(value.StringView()))
            return *d;
        RaiseInvalidValue(std::string(value.StringView()), "date");
    }
    TDateTime d = 0;
    try {
        d = value.AsDateTime();
    } catch (const Exception&) {
        RaiseInvalidValue(value.AsString(), "date");
    }
    // A field never holds a day outside the calendar: it could not be shown or stored.
    if (!IsValidDateTime(d))
        RaiseInvalidValue(Variant(double(d)).AsString(), "date");
    return d;
}

Variant TDateTimeField::ConvertValue(const Variant& value) const
{
    if (value.IsClear())
        return Variant::Null();
    return Variant::FromDate(ToDateTime(value));
}

std::string TDateTimeField::FormatValue(const Variant& value, bool display) const
{
    return DateTimeToIsoStr(value.AsDateTime());
}

Variant TDateField::ConvertValue(const Variant& value) const
{
    if (value.IsClear())
        return Variant::Null();
    return Variant::FromDate(std::trunc(ToDateTime(value)));
}

std::string TDateField::FormatValue(const Variant& value, bool display) const
{
    return DateToIsoStr(value.AsDateTime());
}

Variant TTimeField::ConvertValue(const Variant& value) const
{
    if (value.IsClear())
        return Variant::Null();
    const TDateTime d = ToDateTime(value);
    return Variant::FromDate(std::fabs(d - std::trunc(d)));
}

std::string TTimeField::FormatValue(const Variant& value, bool display) const
{
    return TimeToIsoStr(value.AsDateTime());
}
