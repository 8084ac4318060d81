// TzqOcParentKeyTable: the parent keys the data-bound chart keeps aside, for the nodes
// whose parent key is not their parent's own key (nodes waiting for a parent during a
// load, cycle heads, nodes left out).
//
// One open-addressing array rather than a node per entry: a load puts hundreds of
// thousands of waiting nodes in and takes them out again, and separate small
// allocations would leave the heap full of holes once they are gone. The array is one
// block, given back whole when Compact shrinks it.
#pragma once

#include "platform/data/Variant.h"

#include <cstddef>
#include <vector>

class TzqDbOcNode;

class TzqOcParentKeyTable {
public:
    // The key kept for Node; nullptr when none is. Valid until the table next changes.
    const Variant* Find(const TzqDbOcNode* Node) const;
    void Set(const TzqDbOcNode* Node, Variant Key);
    void Erase(const TzqDbOcNode* Node);
    void Clear();
    // Shrinks the array to what the entries left need.
    void Compact();
    size_t Size() const { return m_size; }

private:
    struct Entry {
        const TzqDbOcNode* Node = nullptr; // nullptr: the place is free
        Variant Key;
    };

    size_t HomeOf(const TzqDbOcNode* Node) const;
    // The place holding Node, or the free place where the search for it ends.
    size_t PlaceOf(const TzqDbOcNode* Node) const;
    void Rebuild(size_t Capacity);

    std::vector<Entry> m_entries; // a power of two in size, or empty
    size_t m_size = 0;
};
