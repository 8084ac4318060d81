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
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

enum class TVarType : uint8_t { varEmpty, varNull, varInteger, varDouble, varCurrency, varDate, varBoolean, varString };

// A currency amount in ten-thousandths (1.5 is stored as 15000).
struct TCurrency {
    int64_t Value = 0;
    static TCurrency FromDouble(double d);
    double ToDouble() const { return double(Value) / 10000.0; }
};

struct TDate {
    TDateTime Value = 0;
};

// 24 bytes: a dataset holds one per field of every record in memory, so the size
// counts. Strings of up to 22 bytes are kept inline, longer ones on the heap.
class Variant {
public:
    Variant() = default; // unassigned
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    Variant(T v) { SetNumber(TVarType::varInteger, int64_t(v)); }
    Variant(double v) { SetNumber(TVarType::varDouble, v); }
    Variant(TCurrency v) { SetNumber(TVarType::varCurrency, v.Value); }
    Variant(TDate v) { SetNumber(TVarType::varDate, v.Value); }
    Variant(bool v) { SetNumber(TVarType::varBoolean, int64_t(v ? 1 : 0)); }
    Variant(std::string_view v) { SetString(v); }
    Variant(const std::string& v) { SetString(v); }
    Variant(const char* v) { SetString(v); }

    Variant(const Variant& o) { CopyFrom(o); }
    Variant(Variant&& o) noexcept
    {
        std::memcpy(static_cast<void*>(this), &o, sizeof(Variant));
        o.m_type = TVarType::varEmpty;
    }
    Variant& operator=(const Variant& o)
    {
        if (this != &o) {
            Release();
            CopyFrom(o);
        }
        return *this;
    }
    Variant& operator=(Variant&& o) noexcept
    {
        if (this != &o) {
            Release();
            std::memcpy(static_cast<void*>(this), &o, sizeof(Variant));
            o.m_type = TVarType::varEmpty;
        }
        return *this;
    }
    ~Variant() { Release(); }

    static Variant Null();
    static Variant Unassigned() { return Variant(); }
    static Variant FromDate(TDateTime d) { return Variant(TDate{d}); }
    static Variant FromCurrency(double amount) { return Variant(TCurrency::FromDouble(amount)); }

    TVarType Type() const { return m_type; }
    bool IsNull() const { return m_type == TVarType::varNull; }
    bool IsEmpty() const { return m_type == TVarType::varEmpty; }
    // Null or unassigned: holds no value.
    bool IsClear() const { return IsNull() || IsEmpty(); }
    bool IsNumeric() const;
    bool IsString() const { return m_type == TVarType::varString; }

    // Conversions. Unassigned converts to 0, "" or false; null cannot be converted
    // to a number, date or Boolean (EVariantError), and reads "" as a string.
    int64_t AsInteger() const;   // rounds halves away from zero; strings are parsed
    double AsFloat() const;
    TCurrency AsCurrency() const;
    TDateTime AsDateTime() const;
    bool AsBoolean() const;
    std::string AsString() const; // never throws

    // The string held (empty for other types), without a copy; valid while the
    // variant lives unchanged.
    std::string_view StringView() const;

    // Same type and same value (NaN equals NaN): identity, not the comparison rules.
    bool IsIdentical(const Variant& other) const;

    // The name of the type, for messages ("Integer", "String", ...).
    static const char* TypeName(TVarType type);

    // Raw numeric payloads (integer, Boolean and currency as int64; float and date as double).
    int64_t RawInt() const
    {
        int64_t v;
        std::memcpy(&v, m_data, sizeof v);
        return v;
    }
    double RawDouble() const
    {
        double v;
        std::memcpy(&v, m_data, sizeof v);
        return v;
    }

private:
    static constexpr size_t kInline = 22;
    static constexpr uint8_t kHeap = 0xFF;

    template <typename N>
    void SetNumber(TVarType type, N value)
    {
        m_type = type;
        std::memcpy(m_data, &value, sizeof value);
    }
    void SetString(std::string_view s);
    std::string* HeapText() const
    {
        std::string* p;
        std::memcpy(&p, m_data, sizeof p);
        return p;
    }
    void CopyFrom(const Variant& o);
    void Release()
    {
        if (m_type == TVarType::varString && m_len == kHeap)
            delete HeapText();
        m_type = TVarType::varEmpty;
    }

    alignas(8) char m_data[kInline] = {};
    uint8_t m_len = 0;
    TVarType m_type = TVarType::varEmpty;
};

static_assert(sizeof(Variant) == 24, "a variant stays small: datasets keep millions");

bool VarEquals(const Variant& a, const Variant& b);
bool VarGreater(const Variant& a, const Variant& b);
bool VarGreaterOrEqual(const Variant& a, const Variant& b);

// Strict total order: unassigned < null < numbers (numerically; NaN first) <
// strings (by code value). Answers <0, 0 or >0. Consistent with the comparisons
// above wherever both values belong to the same class.
int VarCompareTotal(const Variant& a, const Variant& b);

// Parses a number in C syntax (optional sign, digits, '.', exponent) with optional
// surrounding blanks; integers that fit in 64 bits stay integers.
bool TryStrToNumber(std::string_view text, Variant& out);

std::ostream& operator<<(std::ostream& os, const Variant& v);
