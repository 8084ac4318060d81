// TzqOcText: a node's stored caption in sixteen bytes.
//
// A chart may hold a million captions, most of them short ("Unit 4711", "Sales"): up to
// fifteen bytes are kept inside the object, longer ones on the heap. Half the size of a
// standard string, which is the difference between every node of a large chart fitting
// its budget or not.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class TzqOcText {
public:
    TzqOcText() { m_bytes[kTag] = 0; }
    ~TzqOcText() { Release(); }
    TzqOcText(const TzqOcText&) = delete;
    TzqOcText& operator=(const TzqOcText&) = delete;

    std::string_view View() const
    {
        if (OnHeap()) {
            const char* heap;
            uint32_t size;
            std::memcpy(&heap, m_bytes, sizeof heap);
            std::memcpy(&size, m_bytes + sizeof heap, sizeof size);
            return {heap, size};
        }
        return {m_bytes, static_cast<size_t>(m_bytes[kTag])};
    }
    std::string Str() const { return std::string(View()); }

    void Assign(std::string_view Value)
    {
        Release();
        if (Value.size() <= kInline) {
            std::memcpy(m_bytes, Value.data(), Value.size());
            m_bytes[kTag] = static_cast<char>(Value.size());
            return;
        }
        char* heap = new char[Value.size()];
        std::memcpy(heap, Value.data(), Value.size());
        const auto size = static_cast<uint32_t>(Value.size());
        std::memcpy(m_bytes, &heap, sizeof heap);
        std::memcpy(m_bytes + sizeof heap, &size, sizeof size);
        m_bytes[kTag] = kHeapTag;
    }

private:
    static constexpr size_t kTag = 15;
    static constexpr size_t kInline = 15;
    static constexpr char kHeapTag = char(0x7F);

    bool OnHeap() const { return m_bytes[kTag] == kHeapTag; }
    void Release()
    {
        if (OnHeap()) {
            char* heap;
            std::memcpy(&heap, m_bytes, sizeof heap);
            delete[] heap;
        }
        m_bytes[kTag] = 0;
    }

    alignas(8) char m_bytes[16];
};
