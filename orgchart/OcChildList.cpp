#include "orgchart/OcChildList.h"

#include "orgchart/OcNode.h"

#include <algorithm>
#include <iterator>

TzqOcChildList::TzqOcChildList() = default;
TzqOcChildList::~TzqOcChildList() = default;

TzqOcChildList::Extra& TzqOcChildList::TheExtra()
{
    if (!m_extra) {
        m_extra = std::make_unique<Extra>();
        m_extra->Count = static_cast<int32_t>(m_head.Items.size());
    }
    return *m_extra;
}

void TzqOcChildList::DropOffsets()
{
    if (m_extra && m_extra->HasOffsets) {
        m_extra->HasOffsets = false;
        m_extra->Offsets = {};
    }
}

TzqOcChildList::Chunk* TzqOcChildList::ChunkOf(const TzqOcNode* Child)
{
    return Child->m_chunk;
}

size_t TzqOcChildList::LocalIndex(const TzqOcNode* Child)
{
    // The place a child remembers is a hint: inserting or removing a sibling before it
    // in its chunk moves it without telling it. A wrong hint is corrected by a scan of
    // the chunk's pointers, which are side by side in memory, where keeping every
    // sibling's number up to date would write to each of them.
    const Chunk* chunk = Child->m_chunk;
    size_t local = static_cast<size_t>(Child->m_index);
    if (local >= chunk->Items.size() || chunk->Items[local] != Child) {
        local = chunk->Items.Find(Child);
        Child->m_index = static_cast<int32_t>(local);
    }
    return local;
}

int TzqOcChildList::CountBefore(int Ordinal) const
{
    if (!HasSizeTree())
        return 0;
    const std::vector<int32_t>& sizes = m_extra->Sizes;
    int sum = 0;
    for (int i = Ordinal; i > 0; i -= i & -i)
        sum += sizes[static_cast<size_t>(i)];
    return sum;
}

TzqOcChildList::Chunk* TzqOcChildList::Locate(int& Index) const
{
    if (!HasSizeTree())
        return ChunkAt(0);
    // Descends the Fenwick tree to the last chunk whose preceding children number at
    // most Index.
    const std::vector<int32_t>& sizes = m_extra->Sizes;
    const int chunks = static_cast<int>(ChunkCount());
    int position = 0;
    int step = 1;
    while (step * 2 <= chunks)
        step *= 2;
    for (; step > 0; step /= 2) {
        const int next = position + step;
        if (next <= chunks && sizes[static_cast<size_t>(next)] <= Index) {
            position = next;
            Index -= sizes[static_cast<size_t>(next)];
        }
    }
    return ChunkAt(static_cast<size_t>(position));
}

TzqOcNode* TzqOcChildList::At(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    Chunk* chunk = Locate(Index);
    return chunk->Items[static_cast<size_t>(Index)];
}

int TzqOcChildList::IndexOf(const TzqOcNode* Child) const
{
    return CountBefore(ChunkOf(Child)->Ordinal) + static_cast<int>(LocalIndex(Child));
}

TzqOcNode* TzqOcChildList::First() const
{
    return Count() ? m_head.Items.front() : nullptr;
}

TzqOcNode* TzqOcChildList::Last() const
{
    return Count() ? ChunkAt(ChunkCount() - 1)->Items.back() : nullptr;
}

TzqOcNode* TzqOcChildList::Next(const TzqOcNode* Child) const
{
    const Chunk* chunk = ChunkOf(Child);
    const size_t next = LocalIndex(Child) + 1;
    if (next < chunk->Items.size()) {
        // The sibling is visited next anyway: its hint is made right on the way, so a
        // walk along the siblings never scans.
        TzqOcNode* sibling = chunk->Items[next];
        sibling->m_index = static_cast<int32_t>(next);
        return sibling;
    }
    const size_t ordinal = static_cast<size_t>(chunk->Ordinal) + 1;
    if (ordinal >= ChunkCount())
        return nullptr;
    TzqOcNode* sibling = ChunkAt(ordinal)->Items.front();
    sibling->m_index = 0;
    return sibling;
}

TzqOcNode* TzqOcChildList::Prev(const TzqOcNode* Child) const
{
    const Chunk* chunk = ChunkOf(Child);
    const size_t local = LocalIndex(Child);
    if (local > 0) {
        TzqOcNode* sibling = chunk->Items[local - 1];
        sibling->m_index = static_cast<int32_t>(local - 1);
        return sibling;
    }
    if (chunk->Ordinal == 0)
        return nullptr;
    const Chunk* previous = ChunkAt(static_cast<size_t>(chunk->Ordinal) - 1);
    TzqOcNode* sibling = previous->Items.back();
    sibling->m_index = static_cast<int32_t>(previous->Items.size() - 1);
    return sibling;
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
    if (!HasSizeTree())
        return;
    std::vector<int32_t>& sizes = m_extra->Sizes;
    for (size_t i = static_cast<size_t>(Ordinal) + 1; i < sizes.size(); i += i & (~i + 1))
        sizes[i] += Delta;
}

void TzqOcChildList::RebuildSizes()
{
    const size_t chunks = ChunkCount();
    if (chunks <= 1) {
        if (m_extra)
            m_extra->Sizes = {};
        return;
    }
    // The linear construction: every entry passes its sum on to its parent entry.
    std::vector<int32_t>& sizes = TheExtra().Sizes;
    sizes.assign(chunks + 1, 0);
    for (size_t i = 1; i < sizes.size(); ++i) {
        sizes[i] += static_cast<int32_t>(ChunkAt(i - 1)->Items.size());
        const size_t parent = i + (i & (~i + 1));
        if (parent < sizes.size())
            sizes[parent] += sizes[i];
    }
}

void TzqOcChildList::RenumberChunksFrom(size_t Ordinal)
{
    for (size_t i = Ordinal; i < ChunkCount(); ++i)
        ChunkAt(i)->Ordinal = static_cast<int32_t>(i);
}

void TzqOcChildList::Insert(int Index, TzqOcNode* Child)
{
    DropOffsets();
    const int count = Count();
    if (Index < 0 || Index > count)
        Index = count;
    Chunk* chunk;
    int local = Index;
    if (Index == count) {
        // Appending, the usual case: the last chunk, without a search.
        chunk = ChunkAt(ChunkCount() - 1);
        local = static_cast<int>(chunk->Items.size());
    } else {
        chunk = Locate(local);
    }
    chunk->Items.InsertAt(static_cast<size_t>(local), Child);
    Child->m_chunk = chunk;
    Child->m_index = local;
    AddToCount(1);
    AddToSize(chunk->Ordinal, 1);
    if (chunk->Items.size() > kMaxChunk)
        Split(chunk);
}

void TzqOcChildList::Split(Chunk* Full)
{
    // Made before the children move, so that it counts them all.
    std::vector<std::unique_ptr<Chunk>>& tail = TheExtra().Tail;
    auto second = std::make_unique<Chunk>();
    const size_t half = Full->Items.size() / 2;
    second->Items = Full->Items.SplitOff(half);
    Full->Items.ShrinkToFit();
    Chunk* raw = second.get();
    // The new chunk follows Full: at tail index Full's ordinal (tail holds ordinals 1..).
    tail.insert(tail.begin() + Full->Ordinal, std::move(second));
    RenumberChunksFrom(static_cast<size_t>(Full->Ordinal) + 1);
    Renumber(raw, 0);
    RebuildSizes();
}

void TzqOcChildList::Remove(TzqOcNode* Child)
{
    DropOffsets();
    Chunk* chunk = ChunkOf(Child);
    const size_t local = LocalIndex(Child);
    chunk->Items.EraseAt(local);
    Child->m_chunk = nullptr;
    Child->m_index = 0;
    AddToCount(-1);
    if (chunk->Items.empty() && ChunkCount() > 1) {
        EraseChunk(chunk);
        return;
    }
    AddToSize(chunk->Ordinal, -1);
}

void TzqOcChildList::EraseChunk(Chunk* Empty)
{
    std::vector<std::unique_ptr<Chunk>>& tail = m_extra->Tail;
    const size_t ordinal = static_cast<size_t>(Empty->Ordinal);
    if (ordinal == 0) {
        // The first chunk stays in the list: the second one's children move into it.
        std::unique_ptr<Chunk> second = std::move(tail.front());
        tail.erase(tail.begin());
        m_head.Items = std::move(second->Items);
        Renumber(&m_head, 0);
    } else {
        tail.erase(tail.begin() + static_cast<std::ptrdiff_t>(ordinal - 1));
    }
    RenumberChunksFrom(ordinal);
    RebuildSizes();
}

void TzqOcChildList::Reorder(const std::vector<TzqOcNode*>& Ordered)
{
    DropOffsets();
    size_t next = 0;
    for (size_t c = 0, chunks = ChunkCount(); c < chunks && next < Ordered.size(); ++c) {
        Chunk* chunk = ChunkAt(c);
        for (size_t i = 0; i < chunk->Items.size() && next < Ordered.size(); ++i, ++next) {
            TzqOcNode* child = Ordered[next];
            chunk->Items[i] = child;
            child->m_chunk = chunk;
            child->m_index = static_cast<int32_t>(i);
        }
    }
}
