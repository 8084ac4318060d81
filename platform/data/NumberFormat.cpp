#include "platform/data/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

std::string ReplaceDecimalPoint(std::string text, const TLocaleSettings& locale)
{
    const size_t dot = text.find('.');
    if (dot != std::string::npos)
        text.replace(dot, 1, locale.DecimalSeparator);
    return text;
}

// "1e+20" -> "1E20", "2.5e-05" -> "2.5E-5".
std::string ClassicExponent(std::string text)
{
    const size_t e = text.find('e');
    if (e == std::string::npos)
        return text;
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    bool negative = false;
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
        negative = exponent[0] == '-';
        exponent.erase(0, 1);
    }
    const size_t nz = exponent.find_first_not_of('0');
    exponent = nz == std::string::npos ? "0" : exponent.substr(nz);
    return mantissa + "E" + (negative ? "-" : "") + exponent;
}

std::string NonFinite(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value > 0 ? "INF" : "-INF";
}

std::string General(double value, int precision)
{
    precision = std::clamp(precision, 1, 17);
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, precision);
    return ClassicExponent(std::string(buf, r.ptr));
}

std::string Fixed(double value, int digits)
{
    digits = std::clamp(digits, 0, 18);
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, digits);
    if (r.ec != std::errc())
        return General(value, 15);
    std::string s(buf, r.ptr);
    // "-0.00" is written without its sign.
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

// Puts the thousand separator into the integer part of a fixed-notation number.
std::string GroupThousands(const std::string& fixed, const TLocaleSettings& locale)
{
    const bool negative = !fixed.empty() && fixed[0] == '-';
    const size_t start = negative ? 1 : 0;
    size_t end = fixed.find('.');
    if (end == std::string::npos)
        end = fixed.size();
    std::string out = negative ? "-" : "";
    for (size_t i = start; i < end; ++i) {
        out += fixed[i];
        const size_t left = end - i - 1;
        if (left > 0 && left % 3 == 0)
            out += locale.ThousandSeparator;
    }
    if (end < fixed.size())
        out += locale.DecimalSeparator + fixed.substr(end + 1);
    return out;
}

std::string Currency(double value, int digits, const TLocaleSettings& loc)
{
    std::string amount = GroupThousands(Fixed(std::fabs(value), digits), loc);
    const std::string& c = loc.CurrencyString;
    const bool negative = value < 0 && Fixed(value, digits)[0] == '-';
    if (!negative) {
        switch (loc.CurrencyFormat) {
        case 1: return amount + c;
        case 2: return c + " " + amount;
        case 3: return amount + " " + c;
        default: return c + amount;
        }
    }
    switch (loc.NegCurrFormat) {
    case 1: return "-" + c + amount;
    case 2: return c + "-" + amount;
    case 3: return c + amount + "-";
    case 4: return "(" + amount + c + ")";
    case 5: return "-" + amount + c;
    case 6: return amount + "-" + c;
    case 7: return amount + c + "-";
    case 8: return "-" + amount + " " + c;
    case 9: return "-" + c + " " + amount;
    case 10: return amount + " " + c + "-";
    case 11: return c + " " + amount + "-";
    case 12: return c + " -" + amount;
    case 13: return amount + "- " + c;
    case 14: return "(" + c + " " + amount + ")";
    case 15: return "(" + amount + " " + c + ")";
    default: return "(" + c + amount + ")";
    }
}

} // namespace

std::string FloatToStr(double value, const TLocaleSettings& locale)
{
    return FloatToStrF(value, TFloatFormat::ffGeneral, 15, 0, locale);
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TLocaleSettings& locale)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    switch (format) {
    case TFloatFormat::ffGeneral:
        return ReplaceDecimalPoint(General(value, precision), locale);
    case TFloatFormat::ffExponent: {
        precision = std::clamp(precision, 1, 17);
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1);
        std::string s(buf, r.ptr);
        const size_t e = s.find('e');
        std::string exponent = s.substr(e + 2);
        while (exponent.size() > 1 && exponent[0] == '0' && int(exponent.size()) > std::max(digits, 1))
            exponent.erase(0, 1);
        while (int(exponent.size()) < digits)
            exponent.insert(0, "0");
        return ReplaceDecimalPoint(s.substr(0, e), locale) + "E" + s[e + 1] + exponent;
    }
    case TFloatFormat::ffFixed:
        return ReplaceDecimalPoint(Fixed(value, digits), locale);
    case TFloatFormat::ffNumber:
        return GroupThousands(Fixed(value, digits), locale);
    case TFloatFormat::ffCurrency:
        return Currency(value, digits, locale);
    }
    return {};
}

bool TryStrToFloat(std::string_view text, double& value, const TLocaleSettings& locale)
{
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return false;
    const size_t e = text.find_last_not_of(" \t") + 1;
    std::string_view s = text.substr(b, e - b);
    // Rewritten into the one form from_chars reads: [-]digits[.digits][e[sign]digits].
    std::string plain;
    plain.reserve(s.size());
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-') {
        if (s[i] == '-')
            plain += '-';
        ++i;
    }
    bool mantissaDigits = false, point = false, exponent = false;
    const std::string_view dec = locale.DecimalSeparator.empty() ? std::string_view(".") : locale.DecimalSeparator;
    while (i < s.size()) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            plain += c;
            mantissaDigits = true;
            ++i;
        } else if (!point && !exponent && s.substr(i, dec.size()) == dec) {
            plain += '.';
            point = true;
            i += dec.size();
        } else if (!exponent && mantissaDigits && (c == 'e' || c == 'E')) {
            plain += 'e';
            exponent = true;
            ++i;
            if (i < s.size() && (s[i] == '+' || s[i] == '-'))
                plain += s[i++];
            if (i >= s.size() || s[i] < '0' || s[i] > '9')
                return false;
        } else {
            return false;
        }
    }
    if (!mantissaDigits)
        return false;
    double d = 0;
    const auto r = std::from_chars(plain.data(), plain.data() + plain.size(), d, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != plain.data() + plain.size() || !std::isfinite(d))
        return false;
    value = d;
    return true;
}
