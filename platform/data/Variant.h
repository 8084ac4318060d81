// A tagged value as read from and written to fields: unassigned, null, integer
// (64-bit), float, currency (fixed point, four decimals), date, Boolean or string.
//
// Comparisons (VarEquals, VarGreater, VarGreaterOrEqual) follow the rules the
// data-bound controls rely on for keys, parent keys and order values:
//  - null equals null and is less than every other assigned value;
//  - numbers (integer, float, currency, date, Boolean) compare numerically;
//  - two strings compare by code value (byte order of UTF-8 is code point order),
//    a string that is a prefix of another being the smaller;
//  - a string against a number compares numerically after converting the string;
//  - a comparison that cannot be made (an unassigned value, a string that is not a
//    number, a NaN) is false for all three tests and never throws.
// VarCompareTotal gives a strict total order for sorting values that these rules
// cannot order (by type class first), so keys of mixed types still sort consistently.
#pragma once

#include "platform/data/DateTime.h"

#include <concepts>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <variant>

enum class TVarType { varEmpty, varNull, varInteger, varDouble, varCurrency, varDate, varBoolean, varString };

// A currency amount in ten-thousandths (1.5 is stored as 15000).
struct TCurrency {
    int64_t Value = 0;
    static TCurrency FromDouble(double d);
    double ToDouble() const { return double(Value) / 10000.0; }
};

struct TDate {
    TDateTime Value = 0;
};

class Variant {
public:
    Variant() = default; // unassigned
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    Variant(T v) : m_v(int64_t(v)) {}
    Variant(double v) : m_v(v) {}
    Variant(TCurrency v) : m_v(v) {}
    Variant(TDate v) : m_v(v) {}
    Variant(bool v) : m_v(v) {}
    Variant(std::string v) : m_v(std::move(v)) {}
    Variant(const char* v) : m_v(std::string(v)) {}

    static Variant Null();
    static Variant Unassigned() { return Variant(); }
    static Variant FromDate(TDateTime d) { return Variant(TDate{d}); }
    static Variant FromCurrency(double amount) { return Variant(TCurrency::FromDouble(amount)); }

    TVarType Type() const;
    bool IsNull() const { return Type() == TVarType::varNull; }
    bool IsEmpty() const { return Type() == TVarType::varEmpty; }
    // Null or unassigned: holds no value.
    bool IsClear() const { return IsNull() || IsEmpty(); }
    bool IsNumeric() const;
    bool IsString() const { return Type() == TVarType::varString; }

    // Conversions. Unassigned converts to 0, "" or false; null cannot be converted
    // to a number, date or Boolean (EVariantError), and reads "" as a string.
    int64_t AsInteger() const;   // rounds halves away from zero; strings are parsed
    double AsFloat() const;
    TCurrency AsCurrency() const;
    TDateTime AsDateTime() const;
    bool AsBoolean() const;
    std::string AsString() const; // never throws

    // The string held (empty for other types); no conversion, no copy.
    const std::string& StringRef() const;

    // Same type and same value (NaN equals NaN): identity, not the comparison rules.
    bool IsIdentical(const Variant& other) const;

    // The name of the type, for messages ("Integer", "String", ...).
    static const char* TypeName(TVarType type);

private:
    struct NullTag {};
    using Storage = std::variant<std::monostate, NullTag, int64_t, double, TCurrency, TDate, bool, std::string>;
    Storage m_v;
    friend class VariantAccess;
};

bool VarEquals(const Variant& a, const Variant& b);
bool VarGreater(const Variant& a, const Variant& b);
bool VarGreaterOrEqual(const Variant& a, const Variant& b);

// Strict total order: unassigned < null < numbers (numerically; NaN first) <
// strings (by code value). Answers <0, 0 or >0. Consistent with the comparisons
// above wherever both values belong to the same class.
int VarCompareTotal(const Variant& a, const Variant& b);

// Parses a number in C syntax (optional sign, digits, '.', exponent) with optional
// surrounding blanks; integers that fit in 64 bits stay integers.
bool TryStrToNumber(const std::string& text, Variant& out);

std::ostream& operator<<(std::ostream& os, const Variant& v);
