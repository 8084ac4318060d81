// TSearchText: a text searched for inside other texts the way a user expects of a find
// box: case and accents do not matter ("Jose" finds "JOSÉ", "strasse" finds
// "Straße"), for every script.
//
// Both sides are folded the same way: compatibility decomposition, combining marks
// dropped, full case folding. Texts made only of ASCII letters are compared without
// folding them first, so that searching a million short captions stays fast.
#pragma once

#include <string>
#include <string_view>

class TSearchText {
public:
    explicit TSearchText(std::string_view Pattern);

    // Nothing to search for (empty, or only characters folding to nothing).
    bool Empty() const { return m_folded.empty(); }
    // Text contains the pattern, case and accents aside.
    bool FoundIn(std::string_view Text) const;

private:
    std::string m_folded; // UTF-8
    bool m_ascii = true;
};

// Text folded for searching (UTF-8 in, UTF-8 out). Malformed bytes become U+FFFD.
std::string FoldForSearch(std::string_view Text);
