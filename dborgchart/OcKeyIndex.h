// TzqOcKeyIndex: every node of a data-bound chart, sorted ascending by key, so that
// the node of a record is found by binary search.
//
// Keys are variants of any kind, so the index sorts them by a consistent total order:
// null first, then numbers by value, then strings by code value; kinds that do not
// compare are ordered by kind rather than left in an order that depends on how they
// arrived. Equal keys (nodes that have no key yet) stand side by side, a new one before
// the others.
//
// The list is kept in chunks of a few hundred nodes, so that adding or removing a node
// moves at most one chunk, whether a million nodes arrive in key order or shuffled.
// A node is removed by identity: the node itself leaves, never another with the same
// key.
#pragma once

#include "platform/data/Variant.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TzqDbOcNode;

class TzqOcKeyIndex {
public:
    int Count() const { return m_count; }
    void Clear();

    // Inserts the node at the place of its key, before nodes with an equal key.
    void Add(TzqDbOcNode* Node);
    // Removes this node, found near its key (or, should its key have changed since it
    // was added, by a walk over the index). False when the node is not in the index.
    bool Remove(TzqDbOcNode* Node);
    // A node whose key equals Key in the total order; none when there is none.
    TzqDbOcNode* Find(const Variant& Key) const;

    // The nodes in key order.
    std::vector<TzqDbOcNode*> Nodes() const;
    template <typename F>
    void ForEach(F&& Visit) const
    {
        for (const auto& chunk : m_chunks)
            for (const Entry& entry : chunk)
                Visit(entry.Node());
    }

private:
    // A node with its key as a whole number when it is one: most keys are, and
    // comparing them then needs no visit to the node. Sixteen bytes: whether the key is
    // a whole number is kept in the lowest bit of the node's address, which is always
    // clear for a node.
    struct Entry {
        uintptr_t TaggedNode;
        int64_t IntegerKey;
        TzqDbOcNode* Node() const { return reinterpret_cast<TzqDbOcNode*>(TaggedNode & ~uintptr_t(1)); }
        bool IsInteger() const { return TaggedNode & 1; }
    };
    // A key being searched for, prepared the same way.
    struct Probe {
        Variant Key;
        int64_t IntegerKey;
        bool IsInteger;
        explicit Probe(const Variant& AKey);
    };
    using Chunk = std::vector<Entry>;
    static constexpr size_t kChunkSize = 512;

    static Entry MakeEntry(TzqDbOcNode* Node);
    // <0, 0, >0 as the entry's key is below, equal to or above the probe's.
    static int Compare(const Entry& E, const Probe& P);
    // The first chunk whose last key is not below Key (the end when there is none).
    size_t ChunkFor(const Probe& P) const;
    static size_t LowerBound(const Chunk& C, const Probe& P);
    void EraseAt(size_t ChunkIndex, size_t Position);
    bool RemoveByWalk(TzqDbOcNode* Node);

    std::vector<Chunk> m_chunks;
    // The last entry of every chunk, side by side, so that finding the chunk of a key
    // reads one array instead of visiting every chunk it passes.
    std::vector<Entry> m_lasts;
    int m_count = 0;
};
