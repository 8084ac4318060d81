// A small set type over an enumeration, stored as a bit word (bit n for value n),
// the way option sets such as the chart's options are kept and streamed.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <typename Enum, typename Word = uint32_t>
class TSet {
    static_assert(std::is_enum_v<Enum>, "TSet holds enumeration values");

public:
    using value_type = Enum;
    using word_type = Word;

    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<Enum> values)
    {
        for (Enum v : values)
            m_bits |= bit(v);
    }

    static constexpr TSet FromWord(Word w)
    {
        TSet s;
        s.m_bits = w;
        return s;
    }
    constexpr Word ToWord() const { return m_bits; }

    constexpr bool contains(Enum v) const { return (m_bits & bit(v)) != 0; }
    constexpr bool empty() const { return m_bits == 0; }

    constexpr TSet& include(Enum v)
    {
        m_bits |= bit(v);
        return *this;
    }
    constexpr TSet& exclude(Enum v)
    {
        m_bits &= static_cast<Word>(~bit(v));
        return *this;
    }
    // Includes or excludes depending on the flag.
    constexpr TSet& set(Enum v, bool on) { return on ? include(v) : exclude(v); }

    constexpr TSet operator+(TSet o) const { return FromWord(static_cast<Word>(m_bits | o.m_bits)); }
    constexpr TSet operator-(TSet o) const { return FromWord(static_cast<Word>(m_bits & ~o.m_bits)); }
    constexpr TSet operator*(TSet o) const { return FromWord(static_cast<Word>(m_bits & o.m_bits)); }
    constexpr TSet operator+(Enum v) const { return TSet(*this).include(v); }
    constexpr TSet operator-(Enum v) const { return TSet(*this).exclude(v); }

    friend constexpr bool operator==(TSet a, TSet b) { return a.m_bits == b.m_bits; }

private:
    static constexpr Word bit(Enum v) { return static_cast<Word>(Word(1) << static_cast<unsigned>(v)); }
    Word m_bits = 0;
};
