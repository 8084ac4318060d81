// The numbers of the spin editor: reading its text, keeping a value inside its limits
// and writing it back, for whole numbers (vtInt) and floating-point ones (vtFloat).
// Every result is finite: texts such as "1e999" or "NaN" do not read, sums past the
// largest double stop at it, and a value beyond the range of whole numbers is clamped
// before it is rounded, so no conversion to an integer overflows.
#pragma once

#include "platform/core/Locale.h"

#include <cstdint>
#include <string>
#include <string_view>

enum class TzqValueType : uint8_t { vtInt, vtFloat };

// The largest magnitude a vtInt value takes: the largest double below 2^63, which
// converts to a 64-bit integer exactly.
constexpr double SpinIntLimit = 9223372036854774784.0;

// The largest magnitude a vtFloat value takes: the largest double whose 15-digit text
// still reads (the largest double itself rounds up past the range when written).
constexpr double SpinFloatLimit = 1.79769313486231e308;

// Reads Text as a value of the type: vtFloat a floating-point number in the locale's
// notation, vtInt a whole number (sign and digits only; a number too long for a double
// reads as the largest one of its sign). False for anything else.
bool TrySpinReadText(std::string_view Text, TzqValueType Type, double& Value,
                     const TLocaleSettings& Locale = ::Locale());
// The value of a text: unreadable or empty texts give MinValue (whole for vtInt).
double SpinTextValue(std::string_view Text, TzqValueType Type, double MinValue,
                     const TLocaleSettings& Locale = ::Locale());
// Value inside [MinValue, MaxValue] unless the two are equal (no limits then); never
// NaN or infinite (NaN becomes MinValue, the infinities the largest finite values).
double SpinLimitValue(double Value, double MinValue, double MaxValue);
// Value for the type: vtInt clamped to +-SpinIntLimit and rounded half away from zero,
// vtFloat clamped to +-SpinFloatLimit.
double SpinTypedValue(double Value, TzqValueType Type);
// The text of a value: vtFloat in the general format with 15 significant digits and the
// locale's separator, vtInt as a whole number; -0 is written "0".
std::string SpinFormatValue(double Value, TzqValueType Type, const TLocaleSettings& Locale = ::Locale());
// Value + Delta, finite (stops at the largest double of its sign).
double SpinAdd(double Value, double Delta);
