#include "editors/EditMask.h"

#include "platform/core/Utf8.h"

#include <algorithm>

bool IsMaskDigit(char32_t ch)
{
    return ch >= U'0' && ch <= U'9';
}

bool IsMaskLetter(char32_t ch)
{
    if ((ch >= U'a' && ch <= U'z') || (ch >= U'A' && ch <= U'Z'))
        return true;
    if (ch < 0xC0)
        return ch == 0xAA || ch == 0xBA;
    if (ch == 0xDF)
        return true;
    // Scripts without case: kana, the unified ideographs, Hangul syllables.
    if ((ch >= 0x3040 && ch <= 0x30FF) || (ch >= 0x4E00 && ch <= 0x9FFF) || (ch >= 0xAC00 && ch <= 0xD7A3))
        return true;
    return ToUpperChar(ch) != ch || ToLowerChar(ch) != ch;
}

namespace {

bool IsTypeable(char32_t ch)
{
    if (ch < 0x20 || ch == 0x7F || (ch >= 0x80 && ch < 0xA0))
        return false;
    return ch <= 0x10FFFF && !(ch >= 0xD800 && ch <= 0xDFFF);
}

char32_t FirstCodePoint(const std::string& text, char32_t fallback)
{
    const std::u32string u = Utf8ToUtf32(text);
    return u.empty() || !IsTypeable(u[0]) ? fallback : u[0];
}

TzqMaskPosition InputPosition(TzqMaskCharClass cls, bool required, TzqMaskCase letterCase)
{
    TzqMaskPosition p;
    p.Class = cls;
    p.Required = required;
    p.Case = letterCase;
    return p;
}

TzqMaskPosition LiteralPosition(char32_t ch)
{
    TzqMaskPosition p;
    p.Literal = ch;
    return p;
}

} // namespace

TzqEditMask::TzqEditMask(std::string_view mask, const TLocaleSettings& locale)
{
    Parse(Utf8ToUtf32(std::string(mask)), locale);
}

void TzqEditMask::Parse(const std::u32string& mask, const TLocaleSettings& locale)
{
    const size_t n = mask.size();
    std::vector<bool> escaped(n, false);
    for (size_t i = 0; i + 1 < n; ++i)
        if (mask[i] == U'\\' && !escaped[i])
            escaped[i + 1] = true;

    // The sections: the first unescaped ";" among the last four characters.
    size_t end = n;
    for (size_t i = n >= 4 ? n - 4 : 0; i < n; ++i)
        if (mask[i] == U';' && !escaped[i]) {
            end = i;
            break;
        }
    if (end < n) {
        const std::u32string rest = mask.substr(end + 1);
        const size_t second = rest.find(U';');
        const std::u32string flag = rest.substr(0, second);
        if (!flag.empty() && flag[0] == U'0')
            fSaveLiterals = false;
        if (second != std::u32string::npos && second + 1 < rest.size() && IsTypeable(rest[second + 1]))
            fBlank = rest[second + 1];
    }

    const char32_t timeSeparator = FirstCodePoint(locale.TimeSeparator, U':');
    const char32_t dateSeparator = FirstCodePoint(locale.DateSeparator, U'/');
    TzqMaskCase letterCase = TzqMaskCase::None;
    for (size_t i = 0; i < end; ++i) {
        const char32_t c = mask[i];
        switch (c) {
        case U'\\':
            if (i + 1 < end)
                fPositions.push_back(LiteralPosition(mask[++i]));
            break;
        case U'!': fFillFromRight = true; break;
        case U'>': letterCase = TzqMaskCase::Upper; break;
        case U'<':
            if (i + 1 < end && mask[i + 1] == U'>') {
                letterCase = TzqMaskCase::None;
                ++i;
            } else
                letterCase = TzqMaskCase::Lower;
            break;
        case U'L': fPositions.push_back(InputPosition(TzqMaskCharClass::Letter, true, letterCase)); break;
        case U'l': fPositions.push_back(InputPosition(TzqMaskCharClass::Letter, false, letterCase)); break;
        case U'A': fPositions.push_back(InputPosition(TzqMaskCharClass::LetterOrDigit, true, letterCase)); break;
        case U'a': fPositions.push_back(InputPosition(TzqMaskCharClass::LetterOrDigit, false, letterCase)); break;
        case U'C': fPositions.push_back(InputPosition(TzqMaskCharClass::AnyChar, true, letterCase)); break;
        case U'c': fPositions.push_back(InputPosition(TzqMaskCharClass::AnyChar, false, letterCase)); break;
        case U'0': fPositions.push_back(InputPosition(TzqMaskCharClass::Digit, true, letterCase)); break;
        case U'9': fPositions.push_back(InputPosition(TzqMaskCharClass::Digit, false, letterCase)); break;
        case U'#': fPositions.push_back(InputPosition(TzqMaskCharClass::DigitOrSign, false, letterCase)); break;
        case U':': fPositions.push_back(LiteralPosition(timeSeparator)); break;
        case U'/': fPositions.push_back(LiteralPosition(dateSeparator)); break;
        default: fPositions.push_back(LiteralPosition(c)); break;
        }
    }
}

bool TzqEditMask::IsLiteral(int index) const
{
    return Position(index).Class == TzqMaskCharClass::Literal;
}

char32_t TzqEditMask::Accept(int index, char32_t ch) const
{
    if (index < 0 || index >= Length() || !IsTypeable(ch))
        return 0;
    const TzqMaskPosition& p = Position(index);
    bool fits = false;
    switch (p.Class) {
    case TzqMaskCharClass::Literal: return 0;
    case TzqMaskCharClass::Letter: fits = IsMaskLetter(ch); break;
    case TzqMaskCharClass::LetterOrDigit: fits = IsMaskLetter(ch) || IsMaskDigit(ch); break;
    case TzqMaskCharClass::AnyChar: fits = true; break;
    case TzqMaskCharClass::Digit: fits = IsMaskDigit(ch); break;
    case TzqMaskCharClass::DigitOrSign: fits = IsMaskDigit(ch) || ch == U' ' || ch == U'+' || ch == U'-'; break;
    }
    if (!fits)
        return 0;
    if (p.Case == TzqMaskCase::Upper)
        return ToUpperChar(ch);
    if (p.Case == TzqMaskCase::Lower)
        return ToLowerChar(ch);
    return ch;
}

bool TzqEditMask::IsBlankAt(int index, char32_t ch) const
{
    if (ch == fBlank)
        return true;
    return ch == U' ' && Position(index).Class != TzqMaskCharClass::AnyChar;
}

int TzqEditMask::NextInput(int index) const
{
    for (int i = std::max(index, 0); i < Length(); ++i)
        if (!IsLiteral(i))
            return i;
    return Length();
}

int TzqEditMask::PreviousInput(int index) const
{
    for (int i = std::min(index, Length() - 1); i >= 0; --i)
        if (!IsLiteral(i))
            return i;
    return -1;
}

std::u32string TzqEditMask::EmptyText() const
{
    return BlankText(fBlank);
}

std::u32string TzqEditMask::BlankText(char32_t blank) const
{
    std::u32string text(size_t(Length()), blank);
    for (int i = 0; i < Length(); ++i)
        if (IsLiteral(i))
            text[size_t(i)] = Position(i).Literal;
    return text;
}

std::u32string TzqEditMask::Format(std::u32string_view value) const
{
    return fSaveLiterals ? FormatWithLiterals(value, fBlank) : FormatInOrder(value, fBlank);
}

void TzqEditMask::PlaceField(std::u32string& text, int first, int count, std::u32string_view chars,
                             char32_t blank) const
{
    const int used = int(std::min<size_t>(size_t(count), chars.size()));
    // From the right the field keeps the value's last characters, else its first ones.
    const std::u32string_view kept = fFillFromRight ? chars.substr(chars.size() - size_t(used)) : chars.substr(0, size_t(used));
    const int start = fFillFromRight ? first + count - used : first;
    for (int k = 0; k < used; ++k) {
        const char32_t ch = kept[size_t(k)];
        const char32_t accepted = ch == U' ' ? 0 : Accept(start + k, ch);
        text[size_t(start + k)] = accepted ? accepted : blank;
    }
}

std::u32string TzqEditMask::FormatInOrder(std::u32string_view value, char32_t blank) const
{
    std::u32string text = BlankText(blank);
    std::vector<int> inputs;
    for (int i = 0; i < Length(); ++i)
        if (!IsLiteral(i))
            inputs.push_back(i);
    const size_t used = std::min(inputs.size(), value.size());
    const size_t firstInput = fFillFromRight ? inputs.size() - used : 0;
    const size_t firstChar = fFillFromRight ? value.size() - used : 0;
    for (size_t k = 0; k < used; ++k) {
        const int pos = inputs[firstInput + k];
        const char32_t ch = value[firstChar + k];
        const char32_t accepted = ch == U' ' ? 0 : Accept(pos, ch);
        text[size_t(pos)] = accepted ? accepted : blank;
    }
    return text;
}

std::u32string TzqEditMask::FormatWithLiterals(std::u32string_view value, char32_t blank) const
{
    std::u32string text = BlankText(blank);
    size_t vi = 0;
    int i = 0;
    while (i < Length()) {
        if (IsLiteral(i)) {
            if (vi < value.size() && value[vi] == Position(i).Literal)
                ++vi;
            ++i;
            continue;
        }
        int j = i;
        while (j < Length() && !IsLiteral(j))
            ++j;
        const size_t count = size_t(j - i);
        const std::u32string_view rest = value.substr(std::min(vi, value.size()));
        std::u32string_view chars;
        if (j == Length()) {
            chars = rest;
        } else {
            const char32_t literal = Position(j).Literal;
            // The literal where the field ends exactly, else the next one within a
            // mask's length: a field longer than the whole mask is no field.
            size_t at = std::u32string_view::npos;
            if (count < rest.size() && rest[count] == literal)
                at = count;
            else
                at = rest.substr(0, std::min(rest.size(), size_t(Length()) + count)).find(literal);
            chars = at == std::u32string_view::npos ? rest.substr(0, count) : rest.substr(0, at);
        }
        vi += chars.size();
        PlaceField(text, i, int(count), chars, blank);
        i = j;
    }
    return text;
}

std::u32string TzqEditMask::Value(std::u32string_view text) const
{
    auto isBlank = [this](char32_t ch) { return ch == fBlank || ch == U' '; };
    std::u32string input;
    for (int i = 0; i < Length(); ++i)
        if (!IsLiteral(i))
            input.push_back(size_t(i) < text.size() ? text[size_t(i)] : fBlank);
    size_t first = 0, last = input.size();
    if (fFillFromRight)
        while (first < last && isBlank(input[first]))
            ++first;
    else
        while (last > first && isBlank(input[last - 1]))
            --last;
    std::u32string kept = input.substr(first, last - first);
    std::replace(kept.begin(), kept.end(), fBlank, U' ');
    if (!fSaveLiterals)
        return kept;

    // Laid into the mask again where they stood, spaces for blanks.
    std::u32string value = BlankText(U' ');
    size_t k = 0;
    for (int i = 0, inputIndex = 0; i < Length(); ++i) {
        if (IsLiteral(i))
            continue;
        if (size_t(inputIndex) >= first && k < kept.size())
            value[size_t(i)] = kept[k++];
        ++inputIndex;
    }
    return value;
}

int TzqEditMask::FirstInvalidPosition(std::u32string_view text) const
{
    for (int i = 0; i < Length(); ++i) {
        const TzqMaskPosition& p = Position(i);
        if (p.Class == TzqMaskCharClass::Literal || !p.Required)
            continue;
        const char32_t ch = size_t(i) < text.size() ? text[size_t(i)] : fBlank;
        if (IsBlankAt(i, ch))
            return i;
    }
    return -1;
}

std::string TzqEditMask::FormatUtf8(const std::string& value) const
{
    return Utf32ToUtf8(Format(Utf8ToUtf32(value)));
}

std::string TzqEditMask::ValueUtf8(const std::string& text) const
{
    return Utf32ToUtf8(Value(Utf8ToUtf32(text)));
}
