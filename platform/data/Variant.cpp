#include "platform/data/Variant.h"

#include "platform/data/DatabaseError.h"
#include "platform/data/DateFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <string_view>

namespace {

// A numeric value ready for comparison: exact integers stay exact, currency is kept
// in ten-thousandths so that 1.5 currency equals 1.5 float.
struct Number {
    enum Kind { Int, Curr, Real } kind = Int;
    int64_t i = 0;   // Int: the value; Curr: ten-thousandths
    long double r = 0;
    bool IsNaN() const { return kind == Real && std::isnan(r); }
};

bool ToNumber(const Variant& v, Number& n)
{
    switch (v.Type()) {
    case TVarType::varInteger:
    case TVarType::varBoolean: n.kind = Number::Int; n.i = v.RawInt(); return true;
    case TVarType::varCurrency: n.kind = Number::Curr; n.i = v.RawInt(); return true;
    case TVarType::varDouble:
    case TVarType::varDate: n.kind = Number::Real; n.r = v.RawDouble(); return true;
    case TVarType::varString: {
        Variant parsed;
        if (!TryStrToNumber(v.StringView(), parsed))
            return false;
        return ToNumber(parsed, n);
    }
    default:
        return false;
    }
}

// Compares two numbers exactly where possible: <0, 0, >0.
int CompareNumbers(const Number& a, const Number& b)
{
    if (a.kind == Number::Int && b.kind == Number::Int)
        return a.i < b.i ? -1 : (a.i > b.i ? 1 : 0);
    if (a.kind != Number::Real && b.kind != Number::Real) {
        // Integer against currency: scale the integer to ten-thousandths in 128 bits.
        __int128 x = a.kind == Number::Int ? __int128(a.i) * 10000 : __int128(a.i);
        __int128 y = b.kind == Number::Int ? __int128(b.i) * 10000 : __int128(b.i);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    // Integer against float, exactly: compare with the float's whole part first.
    auto intAgainstReal = [](int64_t i, long double r) {
        const double d = double(r);
        if (d >= 9223372036854775808.0)
            return -1;
        if (d < -9223372036854775808.0)
            return 1;
        const double whole = std::floor(d);
        const int64_t w = int64_t(whole);
        if (i != w)
            return i < w ? -1 : 1;
        return d > whole ? -1 : 0;
    };
    if (a.kind == Number::Int && b.kind == Number::Real)
        return intAgainstReal(a.i, b.r);
    if (a.kind == Number::Real && b.kind == Number::Int)
        return -intAgainstReal(b.i, a.r);
    auto asReal = [](const Number& n) -> long double {
        if (n.kind == Number::Int)
            return (long double)n.i;
        if (n.kind == Number::Curr)
            return (long double)n.i / 10000.0L;
        return n.r;
    };
    long double x = asReal(a), y = asReal(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

enum class Outcome { Less, Equal, Greater, Impossible };

Outcome Compare(const Variant& a, const Variant& b)
{
    const TVarType ta = a.Type(), tb = b.Type();
    if (ta == TVarType::varEmpty || tb == TVarType::varEmpty)
        return Outcome::Impossible;
    if (ta == TVarType::varNull || tb == TVarType::varNull) {
        if (ta == tb)
            return Outcome::Equal;
        return ta == TVarType::varNull ? Outcome::Less : Outcome::Greater;
    }
    if (ta == TVarType::varString && tb == TVarType::varString) {
        int c = a.StringView().compare(b.StringView());
        return c < 0 ? Outcome::Less : (c > 0 ? Outcome::Greater : Outcome::Equal);
    }
    Number x, y;
    if (!ToNumber(a, x) || !ToNumber(b, y) || x.IsNaN() || y.IsNaN())
        return Outcome::Impossible;
    int c = CompareNumbers(x, y);
    return c < 0 ? Outcome::Less : (c > 0 ? Outcome::Greater : Outcome::Equal);
}

[[noreturn]] void CannotConvert(const Variant& v, const char* target)
{
    std::string message = "Could not convert variant of type (";
    message += Variant::TypeName(v.Type());
    message += ") into type (";
    message += target;
    message += ")";
    if (v.IsString()) {
        message += ": '";
        message += v.StringView();
        message += "'";
    }
    message += ".";
    throw EVariantError(message);
}

int64_t RoundToInt64(long double d, const Variant& source)
{
    if (std::isnan(d) || d >= 9223372036854775807.5L || d < -9223372036854775808.5L)
        CannotConvert(source, "Integer");
    return (int64_t)std::llroundl(d);
}

std::string FormatDouble(double d)
{
    if (std::isnan(d))
        return "NAN";
    if (std::isinf(d))
        return d > 0 ? "INF" : "-INF";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, res.ptr);
}

std::string FormatCurrency(TCurrency c)
{
    const bool negative = c.Value < 0;
    // Work in unsigned to survive INT64_MIN.
    uint64_t v = negative ? uint64_t(0) - uint64_t(c.Value) : uint64_t(c.Value);
    std::string s = std::to_string(v / 10000);
    uint64_t frac = v % 10000;
    if (frac) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04u", unsigned(frac));
        std::string f = buf;
        while (!f.empty() && f.back() == '0')
            f.pop_back();
        s += "." + f;
    }
    return negative ? "-" + s : s;
}

} // namespace

TCurrency TCurrency::FromDouble(double d)
{
    long double scaled = (long double)d * 10000.0L;
    if (std::isnan(scaled) || scaled >= 9.2233720368547758e18L || scaled <= -9.2233720368547758e18L)
        throw EVariantError("The value " + FormatDouble(d) + " is out of the currency range.");
    return TCurrency{(int64_t)std::llroundl(scaled)};
}

Variant Variant::Null()
{
    Variant v;
    v.m_type = TVarType::varNull;
    return v;
}

void Variant::SetString(std::string_view s)
{
    m_type = TVarType::varString;
    if (s.size() <= kInline) {
        if (!s.empty())
            std::memcpy(m_data, s.data(), s.size());
        m_len = uint8_t(s.size());
    } else {
        std::string* p = new std::string(s);
        std::memcpy(m_data, &p, sizeof p);
        m_len = kHeap;
    }
}

void Variant::CopyFrom(const Variant& o)
{
    if (o.m_type == TVarType::varString && o.m_len == kHeap) {
        SetString(*o.HeapText());
        return;
    }
    std::memcpy(static_cast<void*>(this), &o, sizeof(Variant));
}

std::string_view Variant::StringView() const
{
    if (m_type != TVarType::varString)
        return {};
    if (m_len == kHeap)
        return *HeapText();
    return std::string_view(m_data, m_len);
}

bool Variant::IsNumeric() const
{
    switch (Type()) {
    case TVarType::varInteger:
    case TVarType::varDouble:
    case TVarType::varCurrency:
    case TVarType::varDate:
    case TVarType::varBoolean:
        return true;
    default:
        return false;
    }
}

const char* Variant::TypeName(TVarType type)
{
    switch (type) {
    case TVarType::varEmpty: return "Empty";
    case TVarType::varNull: return "Null";
    case TVarType::varInteger: return "Integer";
    case TVarType::varDouble: return "Double";
    case TVarType::varCurrency: return "Currency";
    case TVarType::varDate: return "Date";
    case TVarType::varBoolean: return "Boolean";
    case TVarType::varString: return "String";
    }
    return "Unknown";
}

int64_t Variant::AsInteger() const
{
    switch (Type()) {
    case TVarType::varEmpty: return 0;
    case TVarType::varNull: CannotConvert(*this, "Integer");
    case TVarType::varInteger:
    case TVarType::varBoolean: return RawInt();
    case TVarType::varDouble:
    case TVarType::varDate: return RoundToInt64(RawDouble(), *this);
    case TVarType::varCurrency: {
        int64_t c = RawInt();
        int64_t q = c / 10000, r = c % 10000;
        if (r >= 5000)
            ++q;
        else if (r <= -5000)
            --q;
        return q;
    }
    case TVarType::varString: {
        Variant n;
        if (!TryStrToNumber(StringView(), n))
            CannotConvert(*this, "Integer");
        return n.AsInteger();
    }
    }
    CannotConvert(*this, "Integer");
}

double Variant::AsFloat() const
{
    switch (Type()) {
    case TVarType::varEmpty: return 0;
    case TVarType::varInteger:
    case TVarType::varBoolean: return double(RawInt());
    case TVarType::varDouble:
    case TVarType::varDate: return RawDouble();
    case TVarType::varCurrency: return TCurrency{RawInt()}.ToDouble();
    case TVarType::varString: {
        Variant n;
        if (!TryStrToNumber(StringView(), n))
            CannotConvert(*this, "Double");
        return n.AsFloat();
    }
    default:
        CannotConvert(*this, "Double");
    }
}

TCurrency Variant::AsCurrency() const
{
    switch (Type()) {
    case TVarType::varCurrency: return TCurrency{RawInt()};
    case TVarType::varInteger: {
        int64_t i = RawInt();
        if (i > INT64_MAX / 10000 || i < INT64_MIN / 10000)
            CannotConvert(*this, "Currency");
        return TCurrency{i * 10000};
    }
    case TVarType::varEmpty:
    case TVarType::varBoolean:
    case TVarType::varDouble:
    case TVarType::varDate:
    case TVarType::varString:
        try {
            return TCurrency::FromDouble(AsFloat());
        } catch (const EVariantError&) {
            CannotConvert(*this, "Currency");
        }
    default:
        CannotConvert(*this, "Currency");
    }
}

TDateTime Variant::AsDateTime() const
{
    switch (Type()) {
    case TVarType::varDate: return RawDouble();
    case TVarType::varString: {
        // The locale's forms, and the ISO form dates are written in (AsString).
        TDateTime d = 0;
        if (TryStrToDateTime(StringView(), d))
            return d;
        CannotConvert(*this, "Date");
    }
    case TVarType::varNull:
        CannotConvert(*this, "Date");
    default:
        return AsFloat();
    }
}

bool Variant::AsBoolean() const
{
    switch (Type()) {
    case TVarType::varEmpty: return false;
    case TVarType::varBoolean: return RawInt() != 0;
    case TVarType::varString: {
        std::string s;
        for (char c : StringView())
            if (c != ' ')
                s += char(std::tolower((unsigned char)c));
        if (s == "true" || s == "yes")
            return true;
        if (s == "false" || s == "no")
            return false;
        Variant n;
        if (TryStrToNumber(StringView(), n))
            return n.AsFloat() != 0;
        CannotConvert(*this, "Boolean");
    }
    case TVarType::varNull:
        CannotConvert(*this, "Boolean");
    default:
        return AsFloat() != 0;
    }
}

std::string Variant::AsString() const
{
    switch (Type()) {
    case TVarType::varEmpty:
    case TVarType::varNull: return {};
    case TVarType::varInteger: return std::to_string(RawInt());
    case TVarType::varBoolean: return RawInt() ? "True" : "False";
    case TVarType::varDouble: return FormatDouble(RawDouble());
    case TVarType::varCurrency: return FormatCurrency(TCurrency{RawInt()});
    case TVarType::varDate: return DateTimeToIsoStr(RawDouble());
    case TVarType::varString: return std::string(StringView());
    }
    return {};
}

bool Variant::IsIdentical(const Variant& other) const
{
    if (Type() != other.Type())
        return false;
    switch (Type()) {
    case TVarType::varEmpty:
    case TVarType::varNull: return true;
    case TVarType::varInteger:
    case TVarType::varBoolean:
    case TVarType::varCurrency: return RawInt() == other.RawInt();
    case TVarType::varDouble:
    case TVarType::varDate: {
        double x = RawDouble(), y = other.RawDouble();
        return x == y || (std::isnan(x) && std::isnan(y));
    }
    case TVarType::varString: return StringView() == other.StringView();
    }
    return false;
}

bool VarEquals(const Variant& a, const Variant& b) { return Compare(a, b) == Outcome::Equal; }

bool VarGreater(const Variant& a, const Variant& b) { return Compare(a, b) == Outcome::Greater; }

bool VarGreaterOrEqual(const Variant& a, const Variant& b)
{
    Outcome o = Compare(a, b);
    return o == Outcome::Greater || o == Outcome::Equal;
}

int VarCompareTotal(const Variant& a, const Variant& b)
{
    auto rank = [](const Variant& v) {
        switch (v.Type()) {
        case TVarType::varEmpty: return 0;
        case TVarType::varNull: return 1;
        case TVarType::varString: return 3;
        default: return 2;
        }
    };
    const int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 3)
        {
        const int c = a.StringView().compare(b.StringView());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (ra < 2)
        return 0;
    Number x, y;
    ToNumber(a, x);
    ToNumber(b, y);
    if (x.IsNaN() || y.IsNaN())
        return x.IsNaN() == y.IsNaN() ? 0 : (x.IsNaN() ? -1 : 1);
    return CompareNumbers(x, y);
}

bool TryStrToNumber(std::string_view text, Variant& out)
{
    size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos)
        return false;
    size_t e = text.find_last_not_of(" \t") + 1;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    if (*first == '+')
        ++first;
    if (first == last)
        return false;
    int64_t i = 0;
    auto ir = std::from_chars(first, last, i);
    if (ir.ec == std::errc() && ir.ptr == last) {
        out = Variant(i);
        return true;
    }
    double d = 0;
    auto dr = std::from_chars(first, last, d, std::chars_format::general);
    // from_chars also accepts "inf" and "nan"; only real numbers count here.
    if (dr.ec == std::errc() && dr.ptr == last && std::isfinite(d)) {
        out = Variant(d);
        return true;
    }
    return false;
}

std::ostream& operator<<(std::ostream& os, const Variant& v)
{
    os << Variant::TypeName(v.Type());
    if (!v.IsClear())
        os << "(" << v.AsString() << ")";
    return os;
}
