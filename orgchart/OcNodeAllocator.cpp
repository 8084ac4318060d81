#include "orgchart/OcNodeAllocator.h"

#include <array>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

// Under the address sanitizer every node is a heap allocation of its own, so that a node
// used after it was freed is caught.
#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_NODE_POOLS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_NODE_POOLS 0
#endif
#endif
#ifndef VELMORA_NODE_POOLS
#define VELMORA_NODE_POOLS 1
#endif

namespace {

constexpr size_t kGranule = 16;
// Objects up to this size come from the pools; larger ones from the heap.
constexpr size_t kLargest = 512;
constexpr size_t kBlockBytes = 256 * 1024;

struct FreeBlock {
    FreeBlock* Next;
};

class Pools {
public:
    void* Allocate(size_t size)
    {
        const size_t cls = ClassOf(size);
        FreeBlock*& head = m_free[cls];
        if (!head)
            Refill(cls);
        FreeBlock* block = head;
        head = block->Next;
        return block;
    }

    void Free(void* p, size_t size) noexcept
    {
        const size_t cls = ClassOf(size);
        auto* block = static_cast<FreeBlock*>(p);
        block->Next = m_free[cls];
        m_free[cls] = block;
    }

private:
    static size_t ClassOf(size_t size) { return (size + kGranule - 1) / kGranule; }

    void Refill(size_t cls)
    {
        const size_t objectSize = cls * kGranule;
        auto block = std::make_unique<std::byte[]>(kBlockBytes);
        std::byte* base = block.get();
        const size_t count = kBlockBytes / objectSize;
        // Threaded back to front, so that the first allocations come from the front.
        for (size_t i = count; i-- > 0;)
            Free(base + i * objectSize, objectSize);
        m_blocks.push_back(std::move(block));
    }

    std::array<FreeBlock*, kLargest / kGranule + 1> m_free{};
    std::vector<std::unique_ptr<std::byte[]>> m_blocks;
};

Pools& ThePools()
{
    // Never destroyed: nodes of charts that outlive static destruction can still go.
    static Pools* pools = new Pools;
    return *pools;
}

} // namespace

namespace TzqOcNodeAllocator {

void* Allocate(size_t Size)
{
    if (!VELMORA_NODE_POOLS || Size == 0 || Size > kLargest)
        return ::operator new(Size);
    return ThePools().Allocate(Size);
}

void Free(void* Block, size_t Size) noexcept
{
    if (!Block)
        return;
    if (!VELMORA_NODE_POOLS || Size == 0 || Size > kLargest) {
        ::operator delete(Block);
        return;
    }
    ThePools().Free(Block, Size);
}

} // namespace TzqOcNodeAllocator
