// Dividing a cell of a complex row into item cells and the gaps between them.
#pragma once

#include "platform/core/Types.h"

#include <vector>

struct TzqComplexCellItem {
    bool Fixed = false;
    int MinWidth = 20;
    int Width = 50;
};

// One rectangle per entry, in order: item 0, gap, item 1, gap, ... Items that are not
// fixed share what the fixed items and the gaps leave in proportion to their Width; an
// item whose share is below its MinWidth gets exactly MinWidth and the rest is shared
// again. The last entry stretches to the cell's right edge; entries wider than the cell
// run past it. A cell 0 or fewer pixels wide, or no items, gives no entries.
std::vector<TRect> DivideComplexCell(const std::vector<TzqComplexCellItem>& Items, int GapWidth, const TRect& Cell);
