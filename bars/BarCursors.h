// The bar manager's cursors: dragging a link, dragging a copy, a place where it cannot
// be dropped, and sizing an edit item. They are registered in the platform's cursor
// table once, when the first manager is made.
#pragma once

#include "platform/window/WindowTypes.h"

constexpr HCURSOR ZQBARDRAGCURSOR = 1041;
constexpr HCURSOR ZQBARDRAGCOPYCURSOR = 1042;
constexpr HCURSOR ZQBARDRAGNODROPCURSOR = 1043;
constexpr HCURSOR ZQBAREDITSIZINGCURSOR = 1044;

class TBitmap;

// Registers the four cursors (again, if the table lost them).
void RegisterBarCursors();
// The picture and mask of one of the four cursors, as registered.
void PaintBarCursor(HCURSOR Cursor, TBitmap& Image, TBitmap& Mask);
