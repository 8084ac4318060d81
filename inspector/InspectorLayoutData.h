// The inspector's layout stream ("Data"): the order and nesting of its lines and which
// of them are expanded, by row name. All integers are 32-bit little-endian:
//   total size (bytes that follow), node count N, N node records depth first (each
//   followed at once by its children's), expanded count M, M expanded records.
// A node record is: record size (8), child count, name length, name bytes. An expanded
// record is: record size (8), a field the reader ignores, name length, name bytes.
//
// The reader is a plain function over bytes, iterative, and never trusts a count: it
// keeps the records up to the first bad one (truncated, a record size other than 8, a
// name length out of range, a child count the bytes cannot hold, a row named twice)
// and marks the layout incomplete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TzqInspectorLayoutRecord {
    std::string Name;
    uint32_t ChildCount = 0;
};

struct TzqInspectorLayoutData {
    // Depth first; ChildCount records follow each record (recursively).
    std::vector<TzqInspectorLayoutRecord> Nodes;
    // Bytes followed the node records: the lines are collapsed and Expanded applied.
    bool HasExpandedSection = false;
    std::vector<std::string> Expanded;
    // False when reading stopped at a bad record.
    bool Complete = true;
};

// Reads a stream that begins with its total size.
TzqInspectorLayoutData ReadInspectorLayout(const uint8_t* Bytes, size_t Size);
inline TzqInspectorLayoutData ReadInspectorLayout(const std::vector<uint8_t>& Bytes)
{
    return ReadInspectorLayout(Bytes.data(), Bytes.size());
}
// Writes the stream with its total size; the number of top-level records is derived
// from the child counts.
std::vector<uint8_t> WriteInspectorLayout(const TzqInspectorLayoutData& Data);
