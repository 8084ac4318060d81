// Drawing routines the editors and the inspector share: halftone overlays, bitmaps
// with a transparent colour, image-list items, and growing work bitmaps.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Types.h"

class TCanvas;
class TBitmap;
class TBrush;
class TImageList;
using HDC = TCanvas*;

// Overlays Color on Rect through the halftone checkerboard: the pixels of one colour
// of the checkerboard (x + y even) become Color, the others keep their content.
void FillHalftone(HDC DC, const TRect& Rect, TColor Color);

// Paints the whole Area: Brush, and Bitmap at BitmapRect (relative to Area's top-left)
// with the pixels of the bitmap's transparent colour showing the brush. The picture is
// composed off-screen and copied to DC in one go.
void DrawBitmapTransparent(HDC DC, const TBrush* Brush, const TRect& Area, TBitmap* Bitmap, const TRect& BitmapRect);

// Draws image Index of the list at (X, Y) at its own size, in the list's drawing style,
// background and blend colours (an image list's image type itMask draws the mask).
void DrawImageListItem(HDC DC, int X, int Y, const TImageList* ImageList, int Index);

// Makes the bitmap at least Width x Height; it never shrinks.
void EnsureBitmapSize(TBitmap* Bitmap, int Width, int Height);
