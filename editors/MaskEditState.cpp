#include "editors/MaskEditState.h"

#include "platform/core/Utf8.h"

#include <algorithm>
#include <cstdlib>

TzqMaskEditState::TzqMaskEditState(TzqEditMask mask) : fMask(std::move(mask)), fText(fMask.EmptyText())
{
    fCursor = fMask.NextInput(0);
}

std::string TzqMaskEditState::TextUtf8() const
{
    return Utf32ToUtf8(fText);
}

int TzqMaskEditState::SelStart() const
{
    if (HasRange())
        return std::min(fAnchor, fCursor);
    return std::min(fCursor, fMask.Length());
}

int TzqMaskEditState::SelLength() const
{
    if (HasRange())
        return std::abs(fAnchor - fCursor);
    return fCursor < fMask.Length() ? 1 : 0;
}

void TzqMaskEditState::SetValue(std::u32string_view value)
{
    fText = fMask.Format(value);
    SetCursor(0);
}

void TzqMaskEditState::SetText(std::u32string_view text)
{
    fText = fMask.EmptyText();
    for (int i = 0; i < fMask.Length() && size_t(i) < text.size(); ++i)
        if (const char32_t accepted = fMask.Accept(i, text[size_t(i)]))
            fText[size_t(i)] = accepted;
    SetCursor(std::min(fCursor, fMask.Length()));
}

void TzqMaskEditState::SetCursor(int position, bool forward)
{
    position = std::clamp(position, 0, fMask.Length());
    int target = forward ? fMask.NextInput(position) : fMask.PreviousInput(position);
    if (target < 0)
        target = fMask.NextInput(position);
    fCursor = target;
    fAnchor = -1;
}

void TzqMaskEditState::SetSelection(int start, int length)
{
    start = std::clamp(start, 0, fMask.Length());
    length = std::clamp(length, 0, fMask.Length() - start);
    if (length <= 1) {
        SetCursor(start);
        return;
    }
    fAnchor = start;
    fCursor = start + length;
}

void TzqMaskEditState::Move(TzqMaskMove move, bool extend)
{
    const int length = fMask.Length();
    if (extend) {
        if (fAnchor < 0)
            fAnchor = fCursor;
        switch (move) {
        case TzqMaskMove::Left: fCursor = std::max(0, fCursor - 1); break;
        case TzqMaskMove::Right: fCursor = std::min(length, fCursor + 1); break;
        case TzqMaskMove::Home: fCursor = 0; break;
        case TzqMaskMove::End: fCursor = length; break;
        }
        return;
    }
    switch (move) {
    case TzqMaskMove::Left: {
        const int previous = fMask.PreviousInput(fCursor - 1);
        SetCursor(previous >= 0 ? previous : fCursor);
        break;
    }
    case TzqMaskMove::Right: SetCursor(fCursor < length ? fCursor + 1 : length); break;
    case TzqMaskMove::Home: SetCursor(0); break;
    case TzqMaskMove::End:
        fCursor = length;
        fAnchor = -1;
        break;
    }
}

bool TzqMaskEditState::ClearRange(int first, int last)
{
    bool changed = false;
    first = std::max(first, 0);
    last = std::min(last, fMask.Length());
    for (int i = first; i < last; ++i)
        if (!fMask.IsLiteral(i) && fText[size_t(i)] != fMask.Blank()) {
            fText[size_t(i)] = fMask.Blank();
            changed = true;
        }
    return changed;
}

bool TzqMaskEditState::Backspace()
{
    if (HasRange()) {
        const int first = SelStart();
        const bool changed = ClearRange(first, first + SelLength());
        SetCursor(first);
        return changed;
    }
    const int previous = fMask.PreviousInput(fCursor - 1);
    if (previous < 0)
        return false;
    const bool changed = ClearRange(previous, previous + 1);
    SetCursor(previous);
    return changed;
}

bool TzqMaskEditState::Delete()
{
    if (HasRange()) {
        const int first = SelStart();
        const bool changed = ClearRange(first, first + SelLength());
        SetCursor(first);
        return changed;
    }
    return ClearRange(fCursor, fCursor + 1);
}

int TzqMaskEditState::TypeAtCursor(char32_t ch)
{
    const int length = fMask.Length();
    const int at = fMask.NextInput(fCursor);
    if (at >= length)
        return -1;
    if (const char32_t accepted = fMask.Accept(at, ch)) {
        fText[size_t(at)] = accepted;
        SetCursor(at + 1);
        return at + 1;
    }
    for (int k = at + 1; k < length; ++k)
        if (fMask.IsLiteral(k) && fMask.Position(k).Literal == ch) {
            SetCursor(k + 1);
            return k + 1;
        }
    return -1;
}

bool TzqMaskEditState::Type(char32_t ch)
{
    if (HasRange()) {
        const int first = SelStart();
        ClearRange(first, first + SelLength());
        SetCursor(first);
    }
    return TypeAtCursor(ch) >= 0;
}

void TzqMaskEditState::Clear()
{
    fText = fMask.EmptyText();
    SetCursor(0);
}

size_t TzqMaskEditState::Paste(std::u32string_view text)
{
    const int first = SelStart();
    ClearRange(first, first + SelLength());
    SetCursor(first);
    // A pasted value usually carries the literals the caret has already skipped: each
    // is taken as it comes instead of ending the paste.
    int literal = first;
    while (literal > 0 && fMask.IsLiteral(literal - 1))
        --literal;
    size_t used = 0;
    for (char32_t ch : text) {
        if (fCursor >= fMask.Length())
            break;
        if (literal < fCursor && fMask.IsLiteral(literal) && fMask.Position(literal).Literal == ch) {
            ++literal;
        } else {
            const int next = TypeAtCursor(ch);
            if (next < 0)
                break;
            literal = next;
        }
        ++used;
    }
    return used;
}
