// TzqOcNodeAllocator: the memory of org chart nodes.
//
// A chart may hold a million nodes, each a small object of one of a few sizes (the
// chart's node, a descendant's node). They are carved out of large blocks, one free
// list per size, instead of one heap allocation each: no per-allocation header, and
// making or freeing a node is a few instructions. Freed nodes are kept for the next
// ones; the blocks are given back when the program ends.
//
// Nodes are made and freed on the user-interface thread only, like every other part
// of a chart, so the allocator takes no lock.
#pragma once

#include <cstddef>

namespace TzqOcNodeAllocator {

void* Allocate(size_t Size);
void Free(void* Block, size_t Size) noexcept;

} // namespace TzqOcNodeAllocator
