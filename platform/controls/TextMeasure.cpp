#include "platform/controls/TextMeasure.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

// A fresh scratch bitmap each time: nothing outlives the graphics system it was made in.
TSize MeasureText(const TFont& font, const std::string& text)
{
    TBitmap scratch(1, 1);
    TCanvas* c = scratch.Canvas();
    c->Font()->Assign(font);
    return c->TextExtent(text);
}

int FontLineHeight(const TFont& font)
{
    return MeasureText(font, "0").cy;
}
