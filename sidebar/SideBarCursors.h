// The side bar's cursors in the platform's cursor table: an item drag that moves, one
// that copies (Ctrl held), one that would delete (registered, never shown), and the
// cursor over a hot group header. They are registered when the first side bar is made.
#pragma once

#include "platform/window/WindowTypes.h"

class TBitmap;

constexpr HCURSOR ZQSIDEBARDRAGCURSOR = -1121;
constexpr HCURSOR ZQSIDEBARDRAGCOPYCURSOR = -1122;
constexpr HCURSOR ZQSIDEBARDRAGDELETECURSOR = -1123;
constexpr HCURSOR ZQSIDEBARGROUPCURSOR = -1125;

// Registers the four cursors (again, if the table lost them).
void RegisterSideBarCursors();
// The picture and mask of one of the four cursors, as registered.
void PaintSideBarCursor(HCURSOR Cursor, TBitmap& Image, TBitmap& Mask);
// The point of the cursor's picture that marks the pointer's position.
TPoint SideBarCursorHotSpot(HCURSOR Cursor);
