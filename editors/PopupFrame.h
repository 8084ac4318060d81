// Placement and frames of drop-down windows: the work area they must stay in, where a
// drop-down of a given size opens under (or above) its editor, and the frame, drop
// shadow and window region of a popup.
#pragma once

#include "editors/EditStyleTypes.h"
#include "platform/core/Types.h"
#include "platform/drawing/Region.h"
#include "platform/window/WindowTypes.h"

// The work area of the monitor at (or nearest to) the point.
void GetMonitorWorkArea(TPoint Point, TRect& Rect);

// Keeps a drop-down of Width x Height whose requested top-left is Pos (just below an
// editor EditHeight high) inside the work area of the monitor at Pos: moved right to
// the area's left edge and then left to its right edge; when it would pass the bottom
// and there is less room below the editor than above it, it opens above the editor.
void AdjustPopupPosition(TPoint& Pos, int Width, int Height, int EditHeight);

// Thickness of a popup border on every side (pbDefault: none).
int PopupBorderWidth(TzqPopupBorder Border);

// Draws a popup's frame in Rect (its window rectangle at the origin): the border, the
// drop shadow of ShadowSize pixels right and below when HasShadow, and the size-grip
// square in the button-face colour when HasSizeGrip.
void DrawWindowFrame(HDC DC, TRect Rect, TzqPopupBorder Border, int ShadowSize, bool HasShadow, bool HasSizeGrip);
// The same on the window's own device context, over its whole window rectangle.
void PaintWindowFrame(HWND Window, TzqPopupBorder Border, int ShadowSize, bool HasShadow, bool HasSizeGrip);
// The window's region: none without a shadow; with one, the window less the two
// corners the offset shadow leaves open.
void SetShadowRegion(HWND Window, bool HasShadow, int ShadowSize);
// That region for a window of the given size.
TRegion ShadowRegion(int Width, int Height, int ShadowSize);
