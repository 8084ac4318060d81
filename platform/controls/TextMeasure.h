// Text measured in a font without a window to draw on (sizing controls before their
// window exists, or controls without one).
#pragma once

#include "platform/core/Types.h"

#include <string>

class TFont;

TSize MeasureText(const TFont& font, const std::string& text);
// The height of a line of text in the font (the height of "0").
int FontLineHeight(const TFont& font);
