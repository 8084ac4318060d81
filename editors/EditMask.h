// TzqEditMask: an edit mask read once into its positions. It answers what each position
// accepts, lays a value into the mask (the text the editor shows) and takes the value
// back out of a text. It holds no text of its own: the editing state that moves a caret
// over the positions is TzqMaskEditState.
//
// A mask is "characters[;save-literals[;blank]]", the two trailing sections recognised
// only within the last four characters, so that a ";" earlier in the mask is a literal.
// Mask characters:
//   L l  a letter (required, optional)       A a  a letter or a digit
//   C c  any character                       0 9  a digit
//   #    a digit, a space, "+" or "-" (optional)
//   : /  the locale's time and date separators (literals)
//   !    blanks are dropped from the front and input fills from the right
//   > <  letters after it upper / lower case; "<>" ends both
//   \    the next character is a literal
// Every other character is a literal. A position is one Unicode code point.
#pragma once

#include "platform/core/Locale.h"

#include <string>
#include <string_view>
#include <vector>

// The message of a masked value left with required positions empty (two blanks after
// the full stop, unlike the editors' general message).
inline constexpr const char* SzqMaskEditInvalidInput = "Invalid input value.  Use escape key to abandon changes";

enum class TzqMaskCharClass { Literal, Letter, LetterOrDigit, AnyChar, Digit, DigitOrSign };
enum class TzqMaskCase { None, Upper, Lower };

struct TzqMaskPosition {
    TzqMaskCharClass Class = TzqMaskCharClass::Literal;
    bool Required = false;
    TzqMaskCase Case = TzqMaskCase::None;
    // The character shown at a literal position.
    char32_t Literal = 0;
};

class TzqEditMask {
public:
    static constexpr char32_t DefaultBlank = U'_';

    TzqEditMask() = default;
    // The separators of ":" and "/" come from `locale`, read when the mask is made.
    explicit TzqEditMask(std::string_view mask, const TLocaleSettings& locale = Locale());

    // True when the mask has no positions; such a mask leaves the editor unconstrained.
    bool Empty() const { return fPositions.empty(); }
    // The number of positions (directives and sections occupy none).
    int Length() const { return int(fPositions.size()); }
    bool SaveLiterals() const { return fSaveLiterals; }
    char32_t Blank() const { return fBlank; }
    bool FillFromRight() const { return fFillFromRight; }
    const TzqMaskPosition& Position(int index) const { return fPositions[size_t(index)]; }
    bool IsLiteral(int index) const;

    // The character stored when `ch` is typed at `index` (case converted), or 0 when
    // the position does not take it. A literal position takes nothing.
    char32_t Accept(int index, char32_t ch) const;
    // True when the character at `index` of a text counts as empty there.
    bool IsBlankAt(int index, char32_t ch) const;

    // The first input position at or after `index` (Length() when none), and the last
    // one at or before it (-1 when none).
    int NextInput(int index) const;
    int PreviousInput(int index) const;

    // Every input position blank, every literal shown.
    std::u32string EmptyText() const;
    // The text showing `value`. With saved literals the value is read as containing the
    // literals, each field between them padded or cut; otherwise its characters are
    // laid into the input positions in order. Characters a position does not take are
    // shown as blanks there.
    std::u32string Format(std::u32string_view value) const;
    // The value of a text: the input characters, blanks dropped from the end (from the
    // front with "!"), inner blanks as spaces; with saved literals, laid into the mask
    // again with spaces for blanks so that the literals are part of it.
    std::u32string Value(std::u32string_view text) const;
    // The first required position of `text` that is empty, or -1 when none is.
    int FirstInvalidPosition(std::u32string_view text) const;

    // The same, UTF-8 in and out.
    std::string FormatUtf8(const std::string& value) const;
    std::string ValueUtf8(const std::string& text) const;

private:
    void Parse(const std::u32string& mask, const TLocaleSettings& locale);
    // The literals in place, `blank` at every input position.
    std::u32string BlankText(char32_t blank) const;
    std::u32string FormatWithLiterals(std::u32string_view value, char32_t blank) const;
    std::u32string FormatInOrder(std::u32string_view value, char32_t blank) const;
    void PlaceField(std::u32string& text, int first, int count, std::u32string_view chars, char32_t blank) const;

    std::vector<TzqMaskPosition> fPositions;
    bool fSaveLiterals = true;
    bool fFillFromRight = false;
    char32_t fBlank = DefaultBlank;
};

// Letters and digits as the mask classes see them: any script's letters, ASCII digits.
bool IsMaskLetter(char32_t ch);
bool IsMaskDigit(char32_t ch);
