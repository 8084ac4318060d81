#include "orgchart/OcChildArray.h"

#include <algorithm>
#include <cstring>

void TzqOcChildArray::Reserve(size_t Capacity)
{
    if (Capacity <= m_capacity || Capacity <= 1)
        return;
    auto** block = static_cast<TzqOcNode**>(TzqOcNodeAllocator::Allocate(Capacity * sizeof(TzqOcNode*)));
    if (m_size)
        std::memcpy(block, Data(), m_size * sizeof(TzqOcNode*));
    Release();
    m_many = block;
    m_capacity = static_cast<uint32_t>(Capacity);
}

void TzqOcChildArray::Release() noexcept
{
    if (!Inline())
        TzqOcNodeAllocator::Free(m_many, m_capacity * sizeof(TzqOcNode*));
    m_many = nullptr;
    m_capacity = 0;
    // m_size is left to the caller: Reserve keeps it, the destructor does not care.
}

void TzqOcChildArray::InsertAt(size_t Index, TzqOcNode* Child)
{
    if (m_size == 0 && Inline()) {
        m_one = Child;
        m_capacity = 1;
        m_size = 1;
        return;
    }
    if (m_size + 1 > std::max<uint32_t>(m_capacity, 1)) {
        const uint32_t size = m_size;
        Reserve(std::max<size_t>(4, size_t(m_capacity) * 2));
        m_size = size;
    }
    TzqOcNode** data = Data();
    std::memmove(data + Index + 1, data + Index, (m_size - Index) * sizeof(TzqOcNode*));
    data[Index] = Child;
    ++m_size;
}

void TzqOcChildArray::EraseAt(size_t Index)
{
    TzqOcNode** data = Data();
    std::memmove(data + Index, data + Index + 1, (m_size - Index - 1) * sizeof(TzqOcNode*));
    --m_size;
}

TzqOcChildArray TzqOcChildArray::SplitOff(size_t Count)
{
    TzqOcChildArray rest;
    const size_t moved = m_size - Count;
    rest.Reserve(std::max<size_t>(moved, 4));
    std::memcpy(rest.Data(), Data() + Count, moved * sizeof(TzqOcNode*));
    rest.m_size = static_cast<uint32_t>(moved);
    m_size = static_cast<uint32_t>(Count);
    return rest;
}

void TzqOcChildArray::ShrinkToFit()
{
    if (Inline() || m_size == m_capacity)
        return;
    if (m_size <= 1) {
        TzqOcNode* only = m_size ? m_many[0] : nullptr;
        const uint32_t size = m_size;
        Release();
        m_one = only;
        m_size = size;
        m_capacity = size;
        return;
    }
    TzqOcChildArray fitted;
    fitted.Reserve(m_size);
    std::memcpy(fitted.Data(), Data(), m_size * sizeof(TzqOcNode*));
    fitted.m_size = m_size;
    *this = std::move(fitted);
}
