// Glyphs kept by items and links: a bitmap made on first use, and an empty one
// standing for "no glyph".
#pragma once

#include "platform/drawing/Bitmap.h"

#include <memory>

// The glyph, made empty the first time it is asked for.
inline TBitmap* GlyphOf(std::unique_ptr<TBitmap>& glyph)
{
    if (!glyph)
        glyph = std::make_unique<TBitmap>();
    return glyph.get();
}

// Copies the picture into the glyph; none empties it.
inline void CopyGlyph(TBitmap& glyph, const TBitmap* value)
{
    if (value)
        glyph.Assign(*value);
    else
        glyph.SetSize(0, 0);
}
