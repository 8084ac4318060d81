#include "dborgchart/OcParentKeyTable.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

namespace {

constexpr size_t kSmallest = 16;

} // namespace

size_t TzqOcParentKeyTable::HomeOf(const TzqDbOcNode* Node) const
{
    // Nodes are at least 16-byte aligned: the low bits carry nothing. A multiplicative
    // mix spreads the rest over the whole array.
    const uint64_t bits = uint64_t(reinterpret_cast<uintptr_t>(Node)) >> 4;
    return size_t((bits * 0x9E3779B97F4A7C15ull) >> 20) & (m_entries.size() - 1);
}

size_t TzqOcParentKeyTable::PlaceOf(const TzqDbOcNode* Node) const
{
    const size_t mask = m_entries.size() - 1;
    size_t i = HomeOf(Node);
    while (m_entries[i].Node && m_entries[i].Node != Node)
        i = (i + 1) & mask;
    return i;
}

const Variant* TzqOcParentKeyTable::Find(const TzqDbOcNode* Node) const
{
    if (m_size == 0)
        return nullptr;
    const Entry& entry = m_entries[PlaceOf(Node)];
    return entry.Node ? &entry.Key : nullptr;
}

void TzqOcParentKeyTable::Set(const TzqDbOcNode* Node, Variant Key)
{
    // At most three quarters full, so that every search ends soon at a free place.
    if ((m_size + 1) * 4 > m_entries.size() * 3)
        Rebuild(std::max(kSmallest, m_entries.size() * 2));
    Entry& entry = m_entries[PlaceOf(Node)];
    if (!entry.Node) {
        entry.Node = Node;
        ++m_size;
    }
    entry.Key = std::move(Key);
}

void TzqOcParentKeyTable::Erase(const TzqDbOcNode* Node)
{
    if (m_size == 0)
        return;
    const size_t mask = m_entries.size() - 1;
    size_t hole = PlaceOf(Node);
    if (!m_entries[hole].Node)
        return;
    // Entries after the hole that could not sit at their home move back into it, so
    // that no search stops early at the freed place.
    for (size_t next = (hole + 1) & mask; m_entries[next].Node; next = (next + 1) & mask) {
        const size_t home = HomeOf(m_entries[next].Node);
        const bool homeBetween = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
        if (homeBetween)
            continue;
        m_entries[hole] = std::move(m_entries[next]);
        hole = next;
    }
    m_entries[hole] = Entry{};
    --m_size;
}

void TzqOcParentKeyTable::Clear()
{
    std::vector<Entry>().swap(m_entries);
    m_size = 0;
}

void TzqOcParentKeyTable::Compact()
{
    if (m_size == 0) {
        Clear();
        return;
    }
    const size_t wanted = std::max(kSmallest, std::bit_ceil(m_size * 2));
    if (wanted < m_entries.size())
        Rebuild(wanted);
}

void TzqOcParentKeyTable::Rebuild(size_t Capacity)
{
    std::vector<Entry> old = std::exchange(m_entries, std::vector<Entry>(Capacity));
    m_size = 0;
    for (Entry& entry : old) {
        if (entry.Node)
            Set(entry.Node, std::move(entry.Key));
    }
}
