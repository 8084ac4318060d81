// The geometry of the rows of a dock site, apart from any window: how the bars of one
// row share its length, and which row (or new row) a point across the rows asks for.
#pragma once

#include <vector>

// One bar of a row as the row layout sees it: what it asks for and what it gets.
// Lengths and positions run along the row.
struct TzqDockRowBar {
    int MinLength = 0;
    int MaxLength = 0;
    int Desired = 0;       // where the bar wants to start
    bool WholeRow = false;
    bool MultiLine = false;
    bool UseRestSpace = false;
    bool Dragged = false;  // the bar being dragged now
    // Results.
    int Position = 0;
    int Length = 0;
    bool Truncated = false;
};

// Places the bars of one row, in row order, into a row of the given length: a whole-row
// bar takes the row; bars that fit keep their full length and their wishes as far as
// the bars after them allow; bars that do not fit shrink from the first one on, none
// below its minimum. Bars using the rest space then stretch over the gaps, and a
// truncated last bar reaches the row's end.
void LayoutDockRow(std::vector<TzqDockRowBar>& Bars, int RowLength);

// Where a dragged bar lands across the rows of a site.
struct TzqDockRowTarget {
    int Row = 0;          // the row to join, or where the new row is inserted
    bool NewRow = false;
};

// The span of each row across the site (start and thickness, from the site's start), and
// the point's coordinate across the rows. `OuterAtStart` is true for top and left sites,
// whose rows face the form's edge with their start; bottom and right rows face it with
// their end. Each row has a 5-pixel band 9 to 14 pixels in from its outer edge, and so
// have virtual 23-pixel rows before the first row and after the last: a point in a band
// asks for a new row after that row (before the first for the virtual row in front); a
// point between two bands joins the row whose band closes the stretch; beyond the last
// band a new row is appended, in front of the first one a new row goes first.
struct TzqDockRowSpan {
    int Start = 0;
    int Thickness = 0;
};
TzqDockRowTarget LocateDockRow(const std::vector<TzqDockRowSpan>& Rows, bool OuterAtStart, int Across);
// The middle of the stretch of the cross axis that joins the row (dragging from there
// keeps a bar in its row for small movements).
int DockRowMiddle(const std::vector<TzqDockRowSpan>& Rows, bool OuterAtStart, int Row);

// The distances that make up the docking zones.
constexpr int kDockZoneMargin = 23;
constexpr int kNewRowBandOffset = 9;
constexpr int kNewRowBandWidth = 5;
