// The cursor table: besides the standard cursors (IDC_*), the program may register
// cursors of its own under numbers it chooses (the bar manager's drag cursors, the side
// bar's group cursor) with their own pictures. SetCursor takes any of these numbers; a
// number nobody registered shows the arrow.
#pragma once

#include "platform/window/WindowTypes.h"

class TBitmap;

// Registers (or replaces) the cursor under `number`: `image` is its picture and `mask`
// a monochrome bitmap of the same size, white where the cursor is transparent and black
// where the image shows (an empty mask shows the whole image); `hotSpot` is the point of
// the picture that marks the pointer's position. Answers false (and registers nothing)
// for an empty image, a mask of another size, a hot spot outside the picture, or a
// number of a standard cursor.
bool SetCustomCursor(HCURSOR number, const TBitmap& image, const TBitmap& mask, TPoint hotSpot);
// Removes a registered cursor; a window showing it shows the arrow from then on.
bool RemoveCustomCursor(HCURSOR number);
bool IsCustomCursor(HCURSOR number);
// The standard cursors and 0 (no cursor).
bool IsStandardCursor(HCURSOR number);
