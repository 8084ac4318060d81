#include "editors/SpinValue.h"

#include "platform/data/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr double MaxDouble = std::numeric_limits<double>::max();

double Finite(double v)
{
    if (std::isnan(v))
        return 0;
    if (std::isinf(v))
        return v > 0 ? MaxDouble : -MaxDouble;
    return v;
}

bool TryReadWholeNumber(std::string_view text, double& value)
{
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return false;
    const size_t e = text.find_last_not_of(" \t") + 1;
    std::string_view s = text.substr(b, e - b);
    bool negative = false;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    double d = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), d, std::chars_format::fixed);
    if (r.ec == std::errc::result_out_of_range)
        d = MaxDouble;
    else if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        return false;
    value = negative ? -Finite(d) : Finite(d);
    return true;
}

} // namespace

bool TrySpinReadText(std::string_view Text, TzqValueType Type, double& Value, const TLocaleSettings& Locale)
{
    if (Type == TzqValueType::vtInt)
        return TryReadWholeNumber(Text, Value);
    double d = 0;
    if (!TryStrToFloat(Text, d, Locale) || !std::isfinite(d))
        return false;
    Value = d;
    return true;
}

double SpinTextValue(std::string_view Text, TzqValueType Type, double MinValue, const TLocaleSettings& Locale)
{
    double v = 0;
    if (TrySpinReadText(Text, Type, v, Locale))
        return v;
    const double min = Finite(MinValue);
    return Type == TzqValueType::vtInt ? std::trunc(SpinTypedValue(min, TzqValueType::vtFloat)) : min;
}

double SpinLimitValue(double Value, double MinValue, double MaxValue)
{
    const double min = Finite(MinValue), max = Finite(MaxValue);
    double v = std::isnan(Value) ? min : Finite(Value);
    if (min != max) {
        if (v < min)
            v = min;
        if (v > max)
            v = max;
    }
    return v;
}

double SpinTypedValue(double Value, TzqValueType Type)
{
    double v = Finite(Value);
    if (Type == TzqValueType::vtInt) {
        if (v > SpinIntLimit)
            v = SpinIntLimit;
        if (v < -SpinIntLimit)
            v = -SpinIntLimit;
        v = std::round(v); // half away from zero
    } else {
        v = std::clamp(v, -SpinFloatLimit, SpinFloatLimit);
    }
    return v == 0 ? 0.0 : v; // no "-0"
}

std::string SpinFormatValue(double Value, TzqValueType Type, const TLocaleSettings& Locale)
{
    const double v = SpinTypedValue(Value, Type);
    if (Type == TzqValueType::vtInt)
        return std::to_string(static_cast<long long>(v));
    return FloatToStrF(v, TFloatFormat::ffGeneral, 15, 0, Locale);
}

double SpinAdd(double Value, double Delta)
{
    return Finite(Finite(Value) + Finite(Delta));
}
