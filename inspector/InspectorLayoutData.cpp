#include "inspector/InspectorLayoutData.h"

#include "platform/core/Utf8.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace {

constexpr uint32_t kRecordSize = 8;
// The least bytes a node or expanded record takes: record size, count or field, length.
constexpr size_t kRecordHeader = 12;

class TReader {
public:
    TReader(const uint8_t* bytes, size_t size) : m_bytes(bytes), m_size(size) {}

    bool ReadU32(uint32_t& v)
    {
        if (m_size - m_pos < 4)
            return false;
        v = uint32_t(m_bytes[m_pos]) | uint32_t(m_bytes[m_pos + 1]) << 8 | uint32_t(m_bytes[m_pos + 2]) << 16 |
            uint32_t(m_bytes[m_pos + 3]) << 24;
        m_pos += 4;
        return true;
    }
    // A record: size 8, a 32-bit field, a name whose length fits the bytes left.
    bool ReadRecord(uint32_t& field, std::string& name)
    {
        uint32_t recordSize = 0, length = 0;
        if (!ReadU32(recordSize) || recordSize != kRecordSize || !ReadU32(field) || !ReadU32(length))
            return false;
        if (length > std::numeric_limits<int32_t>::max() || length > m_size - m_pos)
            return false;
        name.assign(reinterpret_cast<const char*>(m_bytes + m_pos), length);
        m_pos += length;
        return true;
    }
    size_t Left() const { return m_size - m_pos; }

private:
    const uint8_t* m_bytes;
    size_t m_size;
    size_t m_pos = 0;
};

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutRecord(std::vector<uint8_t>& out, uint32_t field, const std::string& name)
{
    PutU32(out, kRecordSize);
    PutU32(out, field);
    PutU32(out, static_cast<uint32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
}

} // namespace

TzqInspectorLayoutData ReadInspectorLayout(const uint8_t* Bytes, size_t Size)
{
    TzqInspectorLayoutData data;
    if (Size < 4 || !Bytes) {
        data.Complete = Size == 0;
        return data;
    }
    TReader head(Bytes, Size);
    uint32_t total = 0;
    head.ReadU32(total);
    // A total beyond the bytes there are reads what there is (and stops where it ends);
    // a smaller one leaves the rest to whoever wrote after it.
    TReader in(Bytes + 4, std::min<size_t>(total, Size - 4));
    const bool cutShort = total > Size - 4;
    data.Complete = false;

    uint32_t topCount = 0;
    if (!in.ReadU32(topCount))
        return data;
    // Children still to read at each open level; the top level first.
    std::vector<uint32_t> pending{topCount};
    std::unordered_set<std::string> names;
    while (true) {
        while (!pending.empty() && pending.back() == 0)
            pending.pop_back();
        if (pending.empty())
            break;
        --pending.back();
        TzqInspectorLayoutRecord record;
        if (!in.ReadRecord(record.ChildCount, record.Name))
            return data;
        // Every child takes a record of its own: a count the bytes cannot hold is a lie.
        if (record.ChildCount > in.Left() / kRecordHeader)
            return data;
        // A row may appear once: twice (or as its own descendant) is refused.
        if (!names.insert(Utf8ToLower(record.Name)).second)
            return data;
        pending.push_back(record.ChildCount);
        data.Nodes.push_back(std::move(record));
    }
    if (in.Left() == 0) {
        data.Complete = !cutShort;
        return data;
    }
    data.HasExpandedSection = true;
    uint32_t expandedCount = 0;
    if (!in.ReadU32(expandedCount))
        return data;
    for (uint32_t i = 0; i < expandedCount; ++i) {
        uint32_t ignored = 0;
        std::string name;
        if (!in.ReadRecord(ignored, name))
            return data;
        data.Expanded.push_back(std::move(name));
    }
    data.Complete = !cutShort;
    return data;
}

std::vector<uint8_t> WriteInspectorLayout(const TzqInspectorLayoutData& Data)
{
    std::vector<uint8_t> out(4, 0);
    // The top-level records are those no parent's child count claims.
    uint32_t topCount = 0;
    std::vector<uint32_t> pending;
    for (const TzqInspectorLayoutRecord& record : Data.Nodes) {
        while (!pending.empty() && pending.back() == 0)
            pending.pop_back();
        if (pending.empty())
            ++topCount;
        else
            --pending.back();
        pending.push_back(record.ChildCount);
    }
    PutU32(out, topCount);
    for (const TzqInspectorLayoutRecord& record : Data.Nodes)
        PutRecord(out, record.ChildCount, record.Name);
    PutU32(out, static_cast<uint32_t>(Data.Expanded.size()));
    for (const std::string& name : Data.Expanded)
        PutRecord(out, 0, name);
    const uint32_t total = static_cast<uint32_t>(out.size() - 4);
    for (int i = 0; i < 4; ++i)
        out[static_cast<size_t>(i)] = static_cast<uint8_t>(total >> (8 * i));
    return out;
}
