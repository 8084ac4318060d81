#include "dborgchart/OcKeyIndex.h"

#include "dborgchart/DbOcNode.h"

#include <algorithm>

void TzqOcKeyIndex::Clear()
{
    m_chunks.clear();
    m_count = 0;
}

size_t TzqOcKeyIndex::LowerBound(const Chunk& C, const Variant& Key)
{
    auto it = std::lower_bound(C.begin(), C.end(), Key,
                               [](const TzqDbOcNode* n, const Variant& k) { return VarCompareTotal(n->Key(), k) < 0; });
    return size_t(it - C.begin());
}

size_t TzqOcKeyIndex::ChunkFor(const Variant& Key) const
{
    auto it = std::lower_bound(m_chunks.begin(), m_chunks.end(), Key, [](const Chunk& c, const Variant& k) {
        return VarCompareTotal(c.back()->Key(), k) < 0;
    });
    return size_t(it - m_chunks.begin());
}

void TzqOcKeyIndex::Add(TzqDbOcNode* Node)
{
    const Variant& key = Node->Key();
    if (m_chunks.empty()) {
        m_chunks.push_back({Node});
        m_count = 1;
        return;
    }
    size_t c = ChunkFor(key);
    if (c == m_chunks.size())
        c = m_chunks.size() - 1; // larger than every key: the end of the last chunk
    Chunk& chunk = m_chunks[c];
    chunk.insert(chunk.begin() + std::ptrdiff_t(LowerBound(chunk, key)), Node);
    ++m_count;
    if (chunk.size() >= 2 * kChunkSize) {
        Chunk upper(chunk.begin() + std::ptrdiff_t(kChunkSize), chunk.end());
        chunk.resize(kChunkSize);
        m_chunks.insert(m_chunks.begin() + std::ptrdiff_t(c) + 1, std::move(upper));
    }
}

void TzqOcKeyIndex::EraseAt(size_t ChunkIndex, size_t Position)
{
    Chunk& chunk = m_chunks[ChunkIndex];
    chunk.erase(chunk.begin() + std::ptrdiff_t(Position));
    --m_count;
    if (chunk.empty())
        m_chunks.erase(m_chunks.begin() + std::ptrdiff_t(ChunkIndex));
}

bool TzqOcKeyIndex::Remove(TzqDbOcNode* Node)
{
    const Variant& key = Node->Key();
    // Equal keys may run on over several chunks; the node is somewhere in that run.
    for (size_t c = ChunkFor(key); c < m_chunks.size(); ++c) {
        const Chunk& chunk = m_chunks[c];
        for (size_t i = LowerBound(chunk, key); i < chunk.size(); ++i) {
            if (chunk[i] == Node) {
                EraseAt(c, i);
                return true;
            }
            if (VarCompareTotal(chunk[i]->Key(), key) != 0)
                return RemoveByWalk(Node);
        }
    }
    return RemoveByWalk(Node);
}

bool TzqOcKeyIndex::RemoveByWalk(TzqDbOcNode* Node)
{
    for (size_t c = 0; c < m_chunks.size(); ++c) {
        auto it = std::find(m_chunks[c].begin(), m_chunks[c].end(), Node);
        if (it != m_chunks[c].end()) {
            EraseAt(c, size_t(it - m_chunks[c].begin()));
            return true;
        }
    }
    return false;
}

TzqDbOcNode* TzqOcKeyIndex::Find(const Variant& Key) const
{
    const size_t c = ChunkFor(Key);
    if (c == m_chunks.size())
        return nullptr;
    const Chunk& chunk = m_chunks[c];
    const size_t i = LowerBound(chunk, Key);
    if (i < chunk.size() && VarCompareTotal(chunk[i]->Key(), Key) == 0)
        return chunk[i];
    return nullptr;
}

std::vector<TzqDbOcNode*> TzqOcKeyIndex::Nodes() const
{
    std::vector<TzqDbOcNode*> out;
    out.reserve(size_t(m_count));
    ForEach([&](TzqDbOcNode* n) { out.push_back(n); });
    return out;
}
