// Glyphs of bar items as the bars draw them: a glyph bitmap is transparent where it has
// the colour of its bottom-left pixel, an image-list picture where it shows the
// manager's image-list background colour; both may be stretched to the glyph size, and
// drawn plain, lightened, raised over their shadow or embossed as disabled.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Types.h"

class TBitmap;
class TCanvas;
class TImageList;

// Where a glyph comes from: a bitmap, else an image of a list.
struct TzqBarGlyphSource {
    const TBitmap* Glyph = nullptr;
    const TImageList* Images = nullptr;
    int ImageIndex = -1;
    TColor ImageListBkColor = clFuchsia;
    bool Empty() const;
};

enum class TzqBarGlyphEffect {
    geNormal,
    // Each colour channel v becomes v + (255 - v) * 3 / 10.
    geLightened,
    // One pixel up and left of its place, over its silhouette in the shadow colour one
    // pixel down and right.
    geRaised,
    // A silhouette in the shadow colour, over one in the highlight colour one pixel down
    // and right.
    geEmbossed,
    // Only the silhouette in the shadow colour.
    geShadowOnly,
};

// Makes the picture of the glyph with the effect: stretched to Size x Size when Stretch
// and its size differs (else at its own size), with a margin of one pixel for the
// effects that move it, transparent (its TransparentColor) where nothing is drawn.
// Empty when the source has no picture.
void MakeBarGlyph(TBitmap& Picture, const TzqBarGlyphSource& Source, int Size, bool Stretch,
                  TzqBarGlyphEffect Effect);
// Draws a picture made by MakeBarGlyph with the glyph centred in Place.
void DrawBarGlyphPicture(TCanvas& Canvas, TBitmap& Picture, const TRect& Place);

// The flat style's lightening of one colour.
TColor LightenedGlyphColor(TColor Color);
