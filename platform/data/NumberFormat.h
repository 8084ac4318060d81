// Numbers written and read with the locale's decimal and thousand separators, never
// through the C library, whose locale the desktop may have changed.
#pragma once

#include "platform/core/Locale.h"

#include <string>
#include <string_view>

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The shortest text with up to 15 significant digits ("1.5", "1E20", "-2.5E-5").
std::string FloatToStr(double value, const TLocaleSettings& locale = Locale());
// ffGeneral: `precision` significant digits, fixed while the number fits, else
//            scientific; no trailing zeros. `digits` is unused.
// ffExponent: d.dddE+xx with `precision` digits and at least `digits` exponent digits.
// ffFixed:   `digits` decimals.  ffNumber: the same with thousand separators.
// ffCurrency: ffNumber with the currency symbol placed by the locale's formats.
// NaN and the infinities are written "NAN", "INF" and "-INF".
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TLocaleSettings& locale = Locale());

// Reads [sign] digits [decimal separator digits] [E [sign] digits] with blanks around;
// false for anything else, for overflow, NaN and infinity.
bool TryStrToFloat(std::string_view text, double& value, const TLocaleSettings& locale = Locale());
