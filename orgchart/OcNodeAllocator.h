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

// The same memory for the standard containers of a chart's nodes (the child lists).
template <typename T>
struct TzqOcPoolAllocator {
    using value_type = T;
    TzqOcPoolAllocator() = default;
    template <typename U>
    TzqOcPoolAllocator(const TzqOcPoolAllocator<U>&) noexcept
    {
    }
    T* allocate(size_t Count) { return static_cast<T*>(TzqOcNodeAllocator::Allocate(Count * sizeof(T))); }
    void deallocate(T* Block, size_t Count) noexcept { TzqOcNodeAllocator::Free(Block, Count * sizeof(T)); }
    template <typename U>
    bool operator==(const TzqOcPoolAllocator<U>&) const noexcept
    {
        return true;
    }
};
