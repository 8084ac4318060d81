// Fuzz target: the spin editor's numbers with any text, limits and increment. Every
// value is finite, a limited value lies within differing limits, a whole number is
// whole and within the 64-bit range, and a written value reads back as itself and is
// written the same way again.
//
// Input: one byte of flags (bit 0: vtFloat, bit 1: "," as the decimal separator), then
// the minimum, the maximum and the increment as raw 8-byte doubles (any bit pattern,
// NaN and infinities included), then the text.
#include "editors/SpinValue.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "Broken: %s\n", what);
        std::abort();
    }
}

double TakeDouble(const uint8_t*& data, size_t& size)
{
    double d = 0;
    if (size >= sizeof d) {
        std::memcpy(&d, data, sizeof d);
        data += sizeof d;
        size -= sizeof d;
    }
    return d;
}

// A value written and read back is the same value, written the same way again.
void CheckRoundTrip(double value, TzqValueType type, const TLocaleSettings& locale)
{
    const std::string text = SpinFormatValue(value, type, locale);
    double back = 0;
    Check(TrySpinReadText(text, type, back, locale), "written text reads");
    Check(std::isfinite(back), "read back finite");
    Check(SpinFormatValue(back, type, locale) == text, "written the same way again");
    if (type == TzqValueType::vtInt)
        Check(back == SpinTypedValue(value, type), "whole number reads back exactly");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t flags = data[0];
    ++data;
    --size;
    const TzqValueType type = (flags & 1) ? TzqValueType::vtFloat : TzqValueType::vtInt;
    TLocaleSettings locale;
    if (flags & 2) {
        locale.DecimalSeparator = ",";
        locale.ThousandSeparator = ".";
    }
    const double min = TakeDouble(data, size);
    const double max = TakeDouble(data, size);
    const double increment = TakeDouble(data, size);
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double read = SpinTextValue(text, type, min, locale);
    Check(std::isfinite(read), "text value finite");
    const double limited = SpinLimitValue(read, min, max);
    Check(std::isfinite(limited), "limited value finite");
    if (std::isfinite(min) && std::isfinite(max) && min < max)
        Check(limited >= min && limited <= max, "inside the limits");
    const double typed = SpinTypedValue(limited, type);
    Check(std::isfinite(typed), "typed value finite");
    if (type == TzqValueType::vtInt)
        Check(typed == std::trunc(typed) && std::fabs(typed) <= SpinIntLimit, "whole number in range");
    CheckRoundTrip(limited, type, locale);

    // Stepping many times by any increment stays finite and writable.
    double value = limited;
    for (int i = 0; i < 4; ++i) {
        value = SpinLimitValue(SpinAdd(value, (flags & 4) ? -increment : increment), min, max);
        Check(std::isfinite(value), "stepped value finite");
        CheckRoundTrip(value, type, locale);
    }
    return 0;
}
