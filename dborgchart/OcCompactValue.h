// TzqOcCompactValue: a record value kept in 8 bytes, for the key and the order value
// every node of a data-bound chart carries.
//
// A chart of a million records holds two million of these, and nearly all of them are
// whole numbers: a whole number in 62 bits is kept in the word itself, tagged in its
// lowest bits, so a node spends 16 bytes on both values instead of 48. Any other value
// (text, a fraction, a date, a number beyond 62 bits) is kept whole in a separate
// allocation the word points to. Null is the zero word. Reading gives back a value
// identical to the one stored (type included).
#pragma once

#include "platform/data/Variant.h"

#include <cstdint>
#include <utility>

class TzqOcCompactValue {
public:
    TzqOcCompactValue() = default; // null
    TzqOcCompactValue(const Variant& Value) { Store(Value); }
    TzqOcCompactValue(const TzqOcCompactValue& Other) { Store(Other.Get()); }
    TzqOcCompactValue(TzqOcCompactValue&& Other) noexcept : m_word(std::exchange(Other.m_word, 0)) {}
    TzqOcCompactValue& operator=(const TzqOcCompactValue& Other)
    {
        if (this != &Other)
            *this = Other.Get();
        return *this;
    }
    TzqOcCompactValue& operator=(TzqOcCompactValue&& Other) noexcept
    {
        if (this != &Other) {
            Release();
            m_word = std::exchange(Other.m_word, 0);
        }
        return *this;
    }
    TzqOcCompactValue& operator=(const Variant& Value)
    {
        Release();
        Store(Value);
        return *this;
    }
    ~TzqOcCompactValue() { Release(); }

    // The value as stored.
    Variant Get() const
    {
        if (m_word == 0)
            return Variant::Null();
        switch (m_word & kTagMask) {
        case kIntegerTag:
            return Variant(static_cast<int64_t>(m_word) >> kTagBits);
        case kEmptyTag:
            return Variant();
        default:
            return *Held();
        }
    }
    operator Variant() const { return Get(); }

    bool IsNull() const { return m_word == 0 || (IsHeld() && Held()->IsNull()); }
    bool IsClear() const { return m_word == 0 || (m_word & kTagMask) == kEmptyTag || (IsHeld() && Held()->IsClear()); }
    bool IsIdentical(const Variant& Other) const { return Get().IsIdentical(Other); }
    // The whole number kept in the word itself, if that is what is stored.
    bool IsSmallInteger(int64_t& Value) const
    {
        if ((m_word & kTagMask) != kIntegerTag)
            return false;
        Value = static_cast<int64_t>(m_word) >> kTagBits;
        return true;
    }

private:
    static constexpr unsigned kTagBits = 2;
    static constexpr uintptr_t kTagMask = 3;
    static constexpr uintptr_t kHeldTag = 0; // a pointer (allocations are 8-aligned)
    static constexpr uintptr_t kIntegerTag = 1;
    static constexpr uintptr_t kEmptyTag = 2;
    static constexpr int64_t kSmallest = -(int64_t(1) << (63 - kTagBits));
    static constexpr int64_t kLargest = (int64_t(1) << (63 - kTagBits)) - 1;

    bool IsHeld() const { return m_word != 0 && (m_word & kTagMask) == kHeldTag; }
    const Variant* Held() const { return reinterpret_cast<const Variant*>(m_word); }

    void Store(const Variant& Value)
    {
        if (Value.IsNull()) {
            m_word = 0;
        } else if (Value.IsEmpty()) {
            m_word = kEmptyTag;
        } else if (Value.Type() == TVarType::varInteger && Value.RawInt() >= kSmallest && Value.RawInt() <= kLargest) {
            m_word = (static_cast<uintptr_t>(Value.RawInt()) << kTagBits) | kIntegerTag;
        } else {
            m_word = reinterpret_cast<uintptr_t>(new Variant(Value));
        }
    }
    void Release()
    {
        if (IsHeld())
            delete Held();
        m_word = 0;
    }

    uintptr_t m_word = 0;
};

static_assert(sizeof(TzqOcCompactValue) == 8, "two of these sit in every node");
