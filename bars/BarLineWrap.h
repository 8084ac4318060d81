// How the item controls of a bar lie in it, apart from any window: one line (the links
// that fit, the rest left out) or several lines that break at group starts where they
// can. Lengths run along the bar, thicknesses across it.
#pragma once

#include "bars/BarTypes.h"

#include <vector>

struct TzqBarLineItem {
    int Length = 0;
    int Thickness = 0;
    bool BeginGroup = false;          // a separator before it (the effective value)
    TzqBarItemAlign Align = TzqBarItemAlign::iaLeft;
    bool CanStretch = false;          // iaClient may widen it
    // Results: the place along the bar and the line it is on; Shown false when it was
    // left out of a single line.
    int Position = 0;
    int Line = 0;
    bool LineStart = false;
    bool LineEnd = false;
    bool Shown = true;
    bool SeparatorLine = false;       // starts a line after a horizontal separator
};

struct TzqBarLine {
    int First = 0;       // index of its first item
    int Count = 0;
    int Offset = 0;      // across the bar, from the first line
    int Thickness = 0;
    int Width = 0;       // along the bar
};

struct TzqBarLines {
    std::vector<TzqBarLine> Lines;
    int Width = 0;       // the widest line
    int Height = 0;      // the lines and the spacing between groups
    bool Truncated = false;
};

// Places items on one line of the given length: the first one that does not fit and all
// after it are left out; an item aligned other than left ends the line.
TzqBarLines PlaceBarLine(std::vector<TzqBarLineItem>& Items, int Length, int SeparatorSize);

// Wraps items into lines of the given length. A line breaks before an item that would
// pass the length, and before a group start after a line that began by overflow; when
// the line holds a group start not used for a break yet, it breaks there instead, so
// that whole groups move down. A group start beginning a line adds SeparatorSize to the
// spacing of the lines instead of a separator along the line.
TzqBarLines WrapBarLines(std::vector<TzqBarLineItem>& Items, int Length, int SeparatorSize);

// Moves the items of each line by their alignment within the rest of the line (iaCenter,
// iaRight, iaClient where the item may stretch); Length is the line length.
void AlignBarLines(std::vector<TzqBarLineItem>& Items, const TzqBarLines& Lines, int Length);
