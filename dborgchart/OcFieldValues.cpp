#include "dborgchart/OcFieldValues.h"

#include "platform/core/Exception.h"
#include "platform/data/Field.h"

#include <cmath>
#include <limits>

namespace {

std::optional<int64_t> RoundedDouble(double d)
{
    if (std::isnan(d))
        return std::nullopt;
    // Beyond these every attribute is limited anyway; stay inside the 64-bit range.
    if (d >= 9.0e18)
        return std::numeric_limits<int64_t>::max();
    if (d <= -9.0e18)
        return std::numeric_limits<int64_t>::min();
    return int64_t(std::llround(d));
}

} // namespace

std::optional<int64_t> OcIntegerOf(const Variant& Value)
{
    switch (Value.Type()) {
    case TVarType::varInteger:
    case TVarType::varBoolean: return Value.RawInt();
    case TVarType::varDouble:
    case TVarType::varDate: return RoundedDouble(Value.RawDouble());
    case TVarType::varCurrency: return RoundedDouble(TCurrency{Value.RawInt()}.ToDouble());
    case TVarType::varString: {
        Variant number;
        if (!TryStrToNumber(Value.StringView(), number))
            return std::nullopt;
        return OcIntegerOf(number);
    }
    default: return std::nullopt;
    }
}

std::optional<int64_t> OcReadInteger(const TField* Field)
{
    try {
        return OcIntegerOf(Field->Value());
    } catch (const Exception&) {
        return std::nullopt;
    }
}

std::string OcReadString(const TField* Field)
{
    try {
        return Field->AsString();
    } catch (const Exception&) {
        return std::string();
    }
}

uint16_t OcSizeFrom(int64_t Value)
{
    if (Value < 0)
        return 1;
    return Value > 0xFFFF ? uint16_t(0xFFFF) : uint16_t(Value);
}

TColor OcColorFrom(int64_t Value)
{
    if (Value >= std::numeric_limits<int32_t>::min() && Value <= int64_t(std::numeric_limits<uint32_t>::max()))
        return TColor(uint32_t(Value));
    return clNone;
}

uint8_t OcEnumFrom(int64_t Value)
{
    return Value >= 0 && Value <= 0xFF ? uint8_t(Value) : uint8_t(0xFF);
}

int16_t OcImageIndexFrom(int64_t Value)
{
    if (Value < std::numeric_limits<int16_t>::min() || Value > std::numeric_limits<int16_t>::max())
        return -1;
    return int16_t(Value);
}

std::optional<Variant> OcNextOrderValue(const Variant& Previous)
{
    switch (Previous.Type()) {
    case TVarType::varInteger:
    case TVarType::varBoolean: {
        const int64_t v = Previous.RawInt();
        if (v == std::numeric_limits<int64_t>::max())
            return Variant(double(v) + 1.0);
        return Variant(v + 1);
    }
    case TVarType::varDouble:
        if (std::isnan(Previous.RawDouble()))
            return std::nullopt;
        return Variant(Previous.RawDouble() + 1.0);
    case TVarType::varDate: return Variant::FromDate(Previous.RawDouble() + 1.0);
    case TVarType::varCurrency: return Variant(TCurrency{Previous.RawInt() + 10000});
    case TVarType::varString: {
        Variant number;
        if (!TryStrToNumber(Previous.StringView(), number))
            return std::nullopt;
        return OcNextOrderValue(number);
    }
    default: return std::nullopt;
    }
}
