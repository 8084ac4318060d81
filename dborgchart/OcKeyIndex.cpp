#include "dborgchart/OcKeyIndex.h"

#include "dborgchart/DbOcNode.h"

#include <algorithm>

TzqOcKeyIndex::Probe::Probe(const Variant& AKey)
    : Key(AKey), IntegerKey(AKey.Type() == TVarType::varInteger ? AKey.RawInt() : 0),
      IsInteger(AKey.Type() == TVarType::varInteger)
{
}

TzqOcKeyIndex::Entry TzqOcKeyIndex::MakeEntry(TzqDbOcNode* Node)
{
    const Variant& key = Node->Key();
    const bool isInteger = key.Type() == TVarType::varInteger;
    return Entry{reinterpret_cast<uintptr_t>(Node) | (isInteger ? 1u : 0u), isInteger ? key.RawInt() : 0};
}

int TzqOcKeyIndex::Compare(const Entry& E, const Probe& P)
{
    if (E.IsInteger() && P.IsInteger)
        return E.IntegerKey < P.IntegerKey ? -1 : (E.IntegerKey > P.IntegerKey ? 1 : 0);
    return VarCompareTotal(E.Node()->Key(), P.Key);
}

void TzqOcKeyIndex::Clear()
{
    m_chunks = {};
    m_lasts = {};
    m_count = 0;
}

size_t TzqOcKeyIndex::LowerBound(const Chunk& C, const Probe& P)
{
    auto it = std::lower_bound(C.begin(), C.end(), P, [](const Entry& e, const Probe& p) { return Compare(e, p) < 0; });
    return size_t(it - C.begin());
}

size_t TzqOcKeyIndex::ChunkFor(const Probe& P) const
{
    auto it = std::lower_bound(m_lasts.begin(), m_lasts.end(), P,
                               [](const Entry& last, const Probe& p) { return Compare(last, p) < 0; });
    return size_t(it - m_lasts.begin());
}

void TzqOcKeyIndex::Add(TzqDbOcNode* Node)
{
    const Entry entry = MakeEntry(Node);
    if (m_chunks.empty()) {
        m_chunks.push_back({entry});
        m_lasts.push_back(entry);
        m_count = 1;
        return;
    }
    const Probe probe(Node->Key());
    size_t c = ChunkFor(probe);
    if (c == m_chunks.size())
        c = m_chunks.size() - 1; // larger than every key: the end of the last chunk
    Chunk& chunk = m_chunks[c];
    chunk.insert(chunk.begin() + std::ptrdiff_t(LowerBound(chunk, probe)), entry);
    m_lasts[c] = chunk.back();
    ++m_count;
    if (chunk.size() >= 2 * kChunkSize) {
        Chunk upper(chunk.begin() + std::ptrdiff_t(kChunkSize), chunk.end());
        chunk.resize(kChunkSize);
        m_lasts[c] = chunk.back();
        m_lasts.insert(m_lasts.begin() + std::ptrdiff_t(c) + 1, upper.back());
        m_chunks.insert(m_chunks.begin() + std::ptrdiff_t(c) + 1, std::move(upper));
    }
}

void TzqOcKeyIndex::EraseAt(size_t ChunkIndex, size_t Position)
{
    Chunk& chunk = m_chunks[ChunkIndex];
    chunk.erase(chunk.begin() + std::ptrdiff_t(Position));
    --m_count;
    if (chunk.empty()) {
        m_chunks.erase(m_chunks.begin() + std::ptrdiff_t(ChunkIndex));
        m_lasts.erase(m_lasts.begin() + std::ptrdiff_t(ChunkIndex));
    } else {
        m_lasts[ChunkIndex] = chunk.back();
    }
}

bool TzqOcKeyIndex::Remove(TzqDbOcNode* Node)
{
    const Probe probe(Node->Key());
    // Equal keys may run on over several chunks; the node is somewhere in that run.
    for (size_t c = ChunkFor(probe); c < m_chunks.size(); ++c) {
        const Chunk& chunk = m_chunks[c];
        for (size_t i = LowerBound(chunk, probe); i < chunk.size(); ++i) {
            if (chunk[i].Node() == Node) {
                EraseAt(c, i);
                return true;
            }
            if (Compare(chunk[i], probe) != 0)
                return RemoveByWalk(Node);
        }
    }
    return RemoveByWalk(Node);
}

bool TzqOcKeyIndex::RemoveByWalk(TzqDbOcNode* Node)
{
    for (size_t c = 0; c < m_chunks.size(); ++c) {
        auto it = std::find_if(m_chunks[c].begin(), m_chunks[c].end(), [&](const Entry& e) { return e.Node() == Node; });
        if (it != m_chunks[c].end()) {
            EraseAt(c, size_t(it - m_chunks[c].begin()));
            return true;
        }
    }
    return false;
}

TzqDbOcNode* TzqOcKeyIndex::Find(const Variant& Key) const
{
    const Probe probe(Key);
    const size_t c = ChunkFor(probe);
    if (c == m_chunks.size())
        return nullptr;
    const Chunk& chunk = m_chunks[c];
    const size_t i = LowerBound(chunk, probe);
    if (i < chunk.size() && Compare(chunk[i], probe) == 0)
        return chunk[i].Node();
    return nullptr;
}

std::vector<TzqDbOcNode*> TzqOcKeyIndex::Nodes() const
{
    std::vector<TzqDbOcNode*> out;
    out.reserve(size_t(m_count));
    ForEach([&](TzqDbOcNode* n) { out.push_back(n); });
    return out;
}
