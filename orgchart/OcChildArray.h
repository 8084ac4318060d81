// TzqOcChildArray: the node pointers of one chunk of a child list.
//
// Most nodes that have children have one or two; a chart shaped as a chain has a
// child list in every node. The array keeps a single child in its own word, with no
// allocation, and larger runs in memory of the nodes' pools. Sixteen bytes, against
// twenty-four for a standard vector plus a separate allocation even for one child.
#pragma once

#include "orgchart/OcNodeAllocator.h"

#include <cstddef>
#include <cstdint>
#include <utility>

class TzqOcNode;

class TzqOcChildArray {
public:
    TzqOcChildArray() = default;
    TzqOcChildArray(const TzqOcChildArray&) = delete;
    TzqOcChildArray& operator=(const TzqOcChildArray&) = delete;
    TzqOcChildArray(TzqOcChildArray&& Other) noexcept { Take(Other); }
    TzqOcChildArray& operator=(TzqOcChildArray&& Other) noexcept
    {
        if (this != &Other) {
            Release();
            Take(Other);
        }
        return *this;
    }
    ~TzqOcChildArray() { Release(); }

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    TzqOcNode* const* begin() const { return Data(); }
    TzqOcNode* const* end() const { return Data() + m_size; }
    TzqOcNode* operator[](size_t Index) const { return Data()[Index]; }
    TzqOcNode*& operator[](size_t Index) { return Data()[Index]; }
    TzqOcNode* front() const { return Data()[0]; }
    TzqOcNode* back() const { return Data()[m_size - 1]; }
    // The place of Child, or size() when it is not here.
    size_t Find(const TzqOcNode* Child) const
    {
        TzqOcNode* const* data = Data();
        size_t i = 0;
        while (i < m_size && data[i] != Child)
            ++i;
        return i;
    }

    // Puts Child at Index (0 .. size()), moving the later ones up.
    void InsertAt(size_t Index, TzqOcNode* Child);
    // Takes out the pointer at Index.
    void EraseAt(size_t Index);
    // Keeps the first Count pointers and moves the others into the returned array.
    TzqOcChildArray SplitOff(size_t Count);
    // Gives back the room beyond size().
    void ShrinkToFit();

private:
    // Capacity 1 or less: the one pointer is kept in the word itself.
    bool Inline() const { return m_capacity <= 1; }
    TzqOcNode** Data() { return Inline() ? &m_one : m_many; }
    TzqOcNode* const* Data() const { return Inline() ? &m_one : m_many; }
    void Reserve(size_t Capacity);
    void Release() noexcept;
    void Take(TzqOcChildArray& Other) noexcept
    {
        m_many = Other.m_many; // copies the inline pointer as well
        m_size = std::exchange(Other.m_size, 0);
        m_capacity = std::exchange(Other.m_capacity, 0);
        Other.m_many = nullptr;
    }

    union {
        TzqOcNode* m_one;
        TzqOcNode** m_many = nullptr;
    };
    uint32_t m_size = 0;
    uint32_t m_capacity = 0;
};
