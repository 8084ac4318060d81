// The classic 3D frame: `width` rings, each with its top and left sides in one colour
// and its bottom and right sides in another; the rectangle shrinks to what is inside.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Types.h"

class TCanvas;

void Frame3D(TCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);
