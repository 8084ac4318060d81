#include "orgchart/OcChildList.h"

#include "orgchart/OcNode.h"

#include <algorithm>
#include <iterator>

TzqOcChildList::TzqOcChildList() = default;
TzqOcChildList::~TzqOcChildList() = default;

TzqOcChildList::Chunk* TzqOcChildList::ChunkOf(const TzqOcNode* Child) const
{
    return Child->m_chunk;
}

int TzqOcChildList::CountBefore(int Ordinal) const
{
    if (m_sizes.empty())
        return 0;
    int sum = 0;
    for (int i = Ordinal; i > 0; i -= i & -i)
        sum += m_sizes[static_cast<size_t>(i)];
    return sum;
}

TzqOcChildList::Chunk* TzqOcChildList::Locate(int& Index) const
{
    if (m_sizes.empty())
        return m_chunks.front().get();
    // Descends the Fenwick tree to the last chunk whose preceding children number at
    // most Index.
    const int chunks = static_cast<int>(m_chunks.size());
    int position = 0;
    int step = 1;
    while (step * 2 <= chunks)
        step *= 2;
    for (; step > 0; step /= 2) {
        const int next = position + step;
        if (next <= chunks && m_sizes[static_cast<size_t>(next)] <= Index) {
            position = next;
            Index -= m_sizes[static_cast<size_t>(next)];
        }
    }
    return m_chunks[static_cast<size_t>(position)].get();
}

TzqOcNode* TzqOcChildList::At(int Index) const
{
    if (Index < 0 || Index >= m_count)
        return nullptr;
    Chunk* chunk = Locate(Index);
    return chunk->Items[static_cast<size_t>(Index)];
}

int TzqOcChildList::IndexOf(const TzqOcNode* Child) const
{
    return CountBefore(ChunkOf(Child)->Ordinal) + Child->m_index;
}

TzqOcNode* TzqOcChildList::First() const
{
    return m_count ? m_chunks.front()->Items.front() : nullptr;
}

TzqOcNode* TzqOcChildList::Last() const
{
    return m_count ? m_chunks.back()->Items.back() : nullptr;
}

TzqOcNode* TzqOcChildList::Next(const TzqOcNode* Child) const
{
    const Chunk* chunk = ChunkOf(Child);
    const size_t next = static_cast<size_t>(Child->m_index) + 1;
    if (next < chunk->Items.size())
        return chunk->Items[next];
    const size_t ordinal = static_cast<size_t>(chunk->Ordinal) + 1;
    return ordinal < m_chunks.size() ? m_chunks[ordinal]->Items.front() : nullptr;
}

TzqOcNode* TzqOcChildList::Prev(const TzqOcNode* Child) const
{
    const Chunk* chunk = ChunkOf(Child);
    if (Child->m_index > 0)
        return chunk->Items[static_cast<size_t>(Child->m_index) - 1];
    return chunk->Ordinal > 0 ? m_chunks[static_cast<size_t>(chunk->Ordinal) - 1]->Items.back() : nullptr;
}

void TzqOcChildList::Renumber(Chunk* C, size_t From)
{
    for (size_t i = From; i < C->Items.size(); ++i) {
        TzqOcNode* node = C->Items[i];
        node->m_chunk = C;
        node->m_index = static_cast<int32_t>(i);
    }
}

void TzqOcChildList::AddToSize(int Ordinal, int Delta)
{
    if (m_sizes.empty())
        return;
    for (size_t i = static_cast<size_t>(Ordinal) + 1; i < m_sizes.size(); i += i & (~i + 1))
        m_sizes[i] += Delta;
}

void TzqOcChildList::RebuildSizes()
{
    if (m_chunks.size() <= 1) {
        m_sizes.clear();
        m_sizes.shrink_to_fit();
        return;
    }
    // The linear construction: every entry passes its sum on to its parent entry.
    m_sizes.assign(m_chunks.size() + 1, 0);
    for (size_t i = 1; i < m_sizes.size(); ++i) {
        m_sizes[i] += static_cast<int32_t>(m_chunks[i - 1]->Items.size());
        const size_t parent = i + (i & (~i + 1));
        if (parent < m_sizes.size())
            m_sizes[parent] += m_sizes[i];
    }
}

void TzqOcChildList::Insert(int Index, TzqOcNode* Child)
{
    m_offsets.reset();
    if (Index < 0 || Index > m_count)
        Index = m_count;
    if (m_chunks.empty())
        m_chunks.push_back(std::make_unique<Chunk>());
    Chunk* chunk;
    int local = Index;
    if (Index == m_count) {
        // Appending, the usual case: the last chunk, without a search.
        chunk = m_chunks.back().get();
        local = static_cast<int>(chunk->Items.size());
    } else {
        chunk = Locate(local);
    }
    chunk->Items.insert(chunk->Items.begin() + local, Child);
    Renumber(chunk, static_cast<size_t>(local));
    ++m_count;
    AddToSize(chunk->Ordinal, 1);
    if (chunk->Items.size() > kMaxChunk)
        Split(chunk);
}

void TzqOcChildList::Split(Chunk* Full)
{
    auto second = std::make_unique<Chunk>();
    const size_t half = Full->Items.size() / 2;
    second->Items.assign(Full->Items.begin() + static_cast<std::ptrdiff_t>(half), Full->Items.end());
    Full->Items.resize(half);
    Chunk* raw = second.get();
    m_chunks.insert(m_chunks.begin() + Full->Ordinal + 1, std::move(second));
    for (size_t i = static_cast<size_t>(Full->Ordinal) + 1; i < m_chunks.size(); ++i)
        m_chunks[i]->Ordinal = static_cast<int32_t>(i);
    Renumber(raw, 0);
    RebuildSizes();
}

void TzqOcChildList::Remove(TzqOcNode* Child)
{
    m_offsets.reset();
    Chunk* chunk = ChunkOf(Child);
    const size_t local = static_cast<size_t>(Child->m_index);
    chunk->Items.erase(chunk->Items.begin() + static_cast<std::ptrdiff_t>(local));
    Child->m_chunk = nullptr;
    Child->m_index = 0;
    --m_count;
    if (chunk->Items.empty() && m_chunks.size() > 1) {
        EraseChunk(chunk);
        return;
    }
    Renumber(chunk, local);
    AddToSize(chunk->Ordinal, -1);
}

void TzqOcChildList::EraseChunk(Chunk* Empty)
{
    const size_t ordinal = static_cast<size_t>(Empty->Ordinal);
    m_chunks.erase(m_chunks.begin() + static_cast<std::ptrdiff_t>(ordinal));
    for (size_t i = ordinal; i < m_chunks.size(); ++i)
        m_chunks[i]->Ordinal = static_cast<int32_t>(i);
    RebuildSizes();
}
