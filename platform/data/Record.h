// One record as a dataset holds it in memory: the storage's row identity and the
// values of the data fields, in column order (TField::FieldNo - 1).
//
// A dataset keeps every record of its table in memory, so the values are packed into
// one block per record (a type byte each, whole numbers in as few bytes as they need,
// text without padding) instead of a tagged value of fixed size per field: a record of
// a dozen small fields takes about a hundred bytes rather than several hundred. A value
// is unpacked when it is read.
#pragma once

#include "platform/data/Variant.h"

#include <cstdint>
#include <memory>
#include <vector>

class TRecordValues {
public:
    TRecordValues() = default;
    explicit TRecordValues(const std::vector<Variant>& Values) { Assign(Values); }
    TRecordValues(const TRecordValues& Other);
    TRecordValues& operator=(const TRecordValues& Other);
    TRecordValues(TRecordValues&&) noexcept = default;
    TRecordValues& operator=(TRecordValues&&) noexcept = default;

    size_t size() const { return m_data ? Header().Count : 0; }
    bool empty() const { return size() == 0; }
    // The value at Index (unassigned outside the record).
    Variant operator[](size_t Index) const;
    // Every value, unpacked.
    std::vector<Variant> Unpacked() const;

    void Assign(const std::vector<Variant>& Values);
    // Count values, all equal to Value.
    void assign(size_t Count, const Variant& Value);
    // Replaces the value at Index (the record grows to hold it).
    void Set(size_t Index, const Variant& Value);
    // Bytes the packed block takes.
    size_t PackedSize() const { return m_data ? Header().Bytes : 0; }

private:
    struct HeaderFields {
        uint32_t Bytes; // the whole block, header included
        uint16_t Count;
    };
    const HeaderFields& Header() const { return *reinterpret_cast<const HeaderFields*>(m_data.get()); }

    std::unique_ptr<uint8_t[]> m_data;
};

struct TRecord {
    int64_t RowId = 0;
    TRecordValues Values;
};

using TRecordPtr = std::unique_ptr<TRecord>;
