#include "platform/data/Record.h"

#include "platform/core/Exception.h"

#include <cstring>
#include <limits>
#include <string_view>

namespace {

// The first byte of every value: its type.
enum Tag : uint8_t { kEmpty, kNull, kInteger, kDouble, kCurrency, kDate, kFalse, kTrue, kString };

constexpr size_t kHeaderSize = 8;

uint64_t ZigZag(int64_t v) { return (uint64_t(v) << 1) ^ uint64_t(v >> 63); }
int64_t UnZigZag(uint64_t v) { return int64_t(v >> 1) ^ -int64_t(v & 1); }

void PutVarint(std::vector<uint8_t>& out, uint64_t v)
{
    while (v >= 0x80) {
        out.push_back(uint8_t(v | 0x80));
        v >>= 7;
    }
    out.push_back(uint8_t(v));
}

uint64_t GetVarint(const uint8_t*& p)
{
    uint64_t v = 0;
    for (int shift = 0;; shift += 7) {
        const uint8_t b = *p++;
        v |= uint64_t(b & 0x7F) << shift;
        if (!(b & 0x80))
            return v;
    }
}

void PutBytes(std::vector<uint8_t>& out, const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

void Pack(std::vector<uint8_t>& out, const Variant& v)
{
    switch (v.Type()) {
    case TVarType::varEmpty: out.push_back(kEmpty); break;
    case TVarType::varNull: out.push_back(kNull); break;
    case TVarType::varInteger:
        out.push_back(kInteger);
        PutVarint(out, ZigZag(v.RawInt()));
        break;
    case TVarType::varCurrency:
        out.push_back(kCurrency);
        PutVarint(out, ZigZag(v.RawInt()));
        break;
    case TVarType::varDouble:
    case TVarType::varDate: {
        out.push_back(v.Type() == TVarType::varDouble ? kDouble : kDate);
        const double d = v.RawDouble();
        PutBytes(out, &d, sizeof d);
        break;
    }
    case TVarType::varBoolean: out.push_back(v.RawInt() ? kTrue : kFalse); break;
    case TVarType::varString: {
        const std::string_view s = v.StringView();
        out.push_back(kString);
        PutVarint(out, s.size());
        PutBytes(out, s.data(), s.size());
        break;
    }
    }
}

Variant Unpack(const uint8_t*& p)
{
    switch (*p++) {
    case kNull: return Variant::Null();
    case kInteger: return Variant(UnZigZag(GetVarint(p)));
    case kCurrency: return Variant(TCurrency{UnZigZag(GetVarint(p))});
    case kDouble:
    case kDate: {
        const bool date = p[-1] == kDate;
        double d;
        std::memcpy(&d, p, sizeof d);
        p += sizeof d;
        return date ? Variant::FromDate(d) : Variant(d);
    }
    case kFalse: return Variant(false);
    case kTrue: return Variant(true);
    case kString: {
        const size_t size = size_t(GetVarint(p));
        const std::string_view s(reinterpret_cast<const char*>(p), size);
        p += size;
        return Variant(s);
    }
    default: return Variant();
    }
}

// Steps over one packed value.
void Skip(const uint8_t*& p)
{
    switch (*p++) {
    case kInteger:
    case kCurrency: GetVarint(p); break;
    case kDouble:
    case kDate: p += sizeof(double); break;
    case kString: {
        const size_t size = size_t(GetVarint(p));
        p += size;
        break;
    }
    default: break;
    }
}

} // namespace

TRecordValues::TRecordValues(const TRecordValues& Other)
{
    *this = Other;
}

TRecordValues& TRecordValues::operator=(const TRecordValues& Other)
{
    if (this == &Other)
        return *this;
    if (!Other.m_data) {
        m_data.reset();
        return *this;
    }
    const size_t bytes = Other.Header().Bytes;
    auto copy = std::make_unique<uint8_t[]>(bytes);
    std::memcpy(copy.get(), Other.m_data.get(), bytes);
    m_data = std::move(copy);
    return *this;
}

Variant TRecordValues::operator[](size_t Index) const
{
    if (Index >= size())
        return Variant();
    const uint8_t* p = m_data.get() + kHeaderSize;
    for (size_t i = 0; i < Index; ++i)
        Skip(p);
    return Unpack(p);
}

std::vector<Variant> TRecordValues::Unpacked() const
{
    std::vector<Variant> values;
    values.reserve(size());
    const uint8_t* p = m_data ? m_data.get() + kHeaderSize : nullptr;
    for (size_t i = 0; i < size(); ++i)
        values.push_back(Unpack(p));
    return values;
}

void TRecordValues::Assign(const std::vector<Variant>& Values)
{
    if (Values.size() > std::numeric_limits<uint16_t>::max())
        throw EPlatformError("A record cannot hold " + std::to_string(Values.size()) + " values.");
    std::vector<uint8_t> packed(kHeaderSize, 0);
    for (const Variant& v : Values)
        Pack(packed, v);
    if (packed.size() > std::numeric_limits<uint32_t>::max())
        throw EPlatformError("A record of " + std::to_string(packed.size()) + " bytes is too large.");
    const HeaderFields header{uint32_t(packed.size()), uint16_t(Values.size())};
    std::memcpy(packed.data(), &header, sizeof header);
    auto block = std::make_unique<uint8_t[]>(packed.size());
    std::memcpy(block.get(), packed.data(), packed.size());
    m_data = std::move(block);
}

void TRecordValues::assign(size_t Count, const Variant& Value)
{
    Assign(std::vector<Variant>(Count, Value));
}

void TRecordValues::Set(size_t Index, const Variant& Value)
{
    std::vector<Variant> values = Unpacked();
    if (Index >= values.size())
        values.resize(Index + 1);
    values[Index] = Value;
    Assign(values);
}
