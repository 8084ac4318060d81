// TzqMaskEditState: the text of a masked editor and the caret moving over its positions,
// without a window. The editor feeds it keys, typed characters and clipboard text and
// copies its text and selection to the edit control; everything the mask decides is
// decided here, so it can be checked without a display.
//
// The caret always sits at a mask position and is shown as a selection of the one
// character there, so that typing replaces it; the selection is made from its right
// end, which leaves the control's caret at its left. Positions never go beyond the
// mask length.
#pragma once

#include "editors/EditMask.h"

#include <string>
#include <string_view>

enum class TzqMaskMove { Left, Right, Home, End };

class TzqMaskEditState {
public:
    explicit TzqMaskEditState(TzqEditMask mask = {});

    const TzqEditMask& Mask() const { return fMask; }
    const std::u32string& Text() const { return fText; }
    std::string TextUtf8() const;
    int Cursor() const { return fCursor; }
    // The selection the control shows: the range between the anchor and the caret, or
    // the one character at the cursor when nothing more is selected.
    int SelStart() const;
    int SelLength() const;

    // Shows `value` (read by the mask's rules); the cursor goes to the first input
    // position.
    void SetValue(std::u32string_view value);
    // The text as it is, padded with blanks or cut to the mask length.
    void SetText(std::u32string_view text);
    std::u32string Value() const { return fMask.Value(fText); }

    // Puts the cursor at `position`, on the nearest input position (forward first when
    // `forward`, else backward and then forward), and drops any wider selection.
    void SetCursor(int position, bool forward = true);
    // Selects [start, start + length) as the control reports it; a range of at most one
    // position puts the cursor at its start.
    void SetSelection(int start, int length);

    // Caret movement; with `extend` the selection grows or shrinks from the remembered
    // cursor (Shift held).
    void Move(TzqMaskMove move, bool extend);
    // Backspace and Delete: the selected positions, or the one before / at the cursor,
    // become blank; literals stay. False when nothing changed.
    bool Backspace();
    bool Delete();
    // A typed character: a wider selection is cleared first; a character the position
    // does not take jumps past an equal literal further on, else it is refused (false,
    // the caller beeps).
    bool Type(char32_t ch);
    // Every position blank, the cursor on the first input position.
    void Clear();
    // The selected positions become blank, then the characters are typed from the
    // selection start until one fits nowhere; literals the caret skipped are taken as
    // they come. Returns the number of characters used.
    size_t Paste(std::u32string_view text);
    // The first required position left empty, or -1.
    int FirstInvalidPosition() const { return fMask.FirstInvalidPosition(fText); }

private:
    bool HasRange() const { return fAnchor != fCursor && fAnchor >= 0; }
    bool ClearRange(int first, int last);
    // The position after the character taken (placed, or the literal jumped past), or
    // -1 when it was refused.
    int TypeAtCursor(char32_t ch);

    TzqEditMask fMask;
    std::u32string fText;
    int fCursor = 0;
    // The other end of a selection made with Shift; -1 when there is none.
    int fAnchor = -1;
};
