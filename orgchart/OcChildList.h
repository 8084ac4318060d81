// TzqOcChildList: the children of one org chart node, in order.
//
// A node may have a handful of children or a million (a flat organisation, a table
// whose every record sits at the top level). Inserting, removing and finding the
// position of a child must not cost a pass over its siblings, so the list is kept in
// chunks of at most a few hundred nodes. A Fenwick tree over the chunk sizes answers
// "how many children come before this chunk" and "which chunk holds position i" in
// logarithmic time; a chunk is split in two when it grows past its limit, and dropped
// when it becomes empty. Each child remembers its chunk, and as a hint its place inside
// it, so it finds its own position without a search of the list.
//
// The list also keeps, on demand, the offset of every child from the start of the row
// of children (the sum of the extents of the siblings before it), which turns finding
// the place of one node into a walk over its ancestors. The chart computes those
// offsets and tells the list when they become stale.
#pragma once

#include "orgchart/OcChildArray.h"
#include "orgchart/OcNodeAllocator.h"

#include <cstdint>
#include <memory>
#include <vector>

class TzqOcNode;

class TzqOcChildList {
public:
    // One run of consecutive children.
    struct Chunk {
        TzqOcChildArray Items;
        // The chunk's position among the list's chunks.
        int32_t Ordinal = 0;
    };

    TzqOcChildList();
    ~TzqOcChildList();
    TzqOcChildList(const TzqOcChildList&) = delete;
    TzqOcChildList& operator=(const TzqOcChildList&) = delete;
    // A chart has as many lists as nodes with children: they come from the nodes' pools.
    static void* operator new(size_t Size) { return TzqOcNodeAllocator::Allocate(Size); }
    static void operator delete(void* Block, size_t Size) noexcept { TzqOcNodeAllocator::Free(Block, Size); }

    int Count() const { return m_extra ? m_extra->Count : static_cast<int>(m_head.Items.size()); }
    // The child at Index (0 .. Count - 1).
    TzqOcNode* At(int Index) const;
    // The position of a child of this list.
    int IndexOf(const TzqOcNode* Child) const;
    TzqOcNode* First() const;
    TzqOcNode* Last() const;
    // The children after and before Child; none at either end.
    TzqOcNode* Next(const TzqOcNode* Child) const;
    TzqOcNode* Prev(const TzqOcNode* Child) const;

    // Links Child in at Index (0 .. Count).
    void Insert(int Index, TzqOcNode* Child);
    // Takes a child of this list out.
    void Remove(TzqOcNode* Child);
    // Puts the first Ordered.size() children in the order given; Ordered holds exactly
    // those children.
    void Reorder(const std::vector<TzqOcNode*>& Ordered);

    // Visits every child in order; Visit may not change the list.
    template <typename F>
    void ForEach(F&& Visit) const
    {
        for (size_t c = 0, chunks = ChunkCount(); c < chunks; ++c)
            for (TzqOcNode* child : ChunkAt(c)->Items)
                Visit(child);
    }

    // ---- Offsets along the row of children (kept by the chart) ----
    // Valid while the stamp the chart gave when it filled them is still its own.
    bool OffsetsValid(uint32_t Stamp) const { return m_extra && m_extra->HasOffsets && m_extra->OffsetStamp == Stamp; }
    // The offset of the child at Index; only while OffsetsValid.
    int64_t OffsetAt(int Index) const { return m_extra->Offsets[static_cast<size_t>(Index)]; }
    // Fills the offsets from the children's extents, in order.
    template <typename Extent>
    void FillOffsets(uint32_t Stamp, Extent&& ExtentOf)
    {
        Extra& extra = TheExtra();
        extra.Offsets.resize(static_cast<size_t>(Count()));
        int64_t offset = 0;
        size_t i = 0;
        ForEach([&](TzqOcNode* child) {
            extra.Offsets[i++] = offset;
            offset += ExtentOf(child);
        });
        extra.OffsetStamp = Stamp;
        extra.HasOffsets = true;
    }
    void DropOffsets();

private:
    static constexpr size_t kMaxChunk = 512;

    // What only long lists need (the chunks after the first and the size tree), and the
    // row offsets of a list that was asked for them. Most lists never have it.
    struct Extra {
        std::vector<std::unique_ptr<Chunk>> Tail;
        // Fenwick tree over the chunk sizes (index 1-based); empty while there is one chunk.
        std::vector<int32_t> Sizes;
        std::vector<int64_t> Offsets;
        uint32_t OffsetStamp = 0;
        bool HasOffsets = false;
        // The children in all chunks (without Extra, the first chunk's size).
        int32_t Count = 0;
    };

    size_t ChunkCount() const { return 1 + (m_extra ? m_extra->Tail.size() : 0); }
    Chunk* ChunkAt(size_t Ordinal) const
    {
        return Ordinal == 0 ? const_cast<Chunk*>(&m_head) : m_extra->Tail[Ordinal - 1].get();
    }
    Extra& TheExtra();
    bool HasSizeTree() const { return m_extra && !m_extra->Sizes.empty(); }

    static Chunk* ChunkOf(const TzqOcNode* Child);
    // The child's place in its chunk.
    static size_t LocalIndex(const TzqOcNode* Child);
    // Children before the chunk with this ordinal.
    int CountBefore(int Ordinal) const;
    // The chunk holding position Index, and Index made local to it.
    Chunk* Locate(int& Index) const;
    void AddToSize(int Ordinal, int Delta);
    void RebuildSizes();
    void Split(Chunk* Full);
    void EraseChunk(Chunk* Empty);
    void RenumberChunksFrom(size_t Ordinal);
    // Gives the children of a chunk from From on their places again.
    static void Renumber(Chunk* C, size_t From);

    void AddToCount(int Delta)
    {
        if (m_extra)
            m_extra->Count += Delta;
    }

    // The first chunk lives in the list itself: most lists have one. Thirty-two bytes
    // in all, so that a chart whose every node has a child keeps its lists small.
    Chunk m_head;
    std::unique_ptr<Extra> m_extra;
};
