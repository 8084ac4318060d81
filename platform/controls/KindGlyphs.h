// The pictures of the standard button kinds, drawn by our own code on a 16 x 16
// bitmap whose bottom-left pixel is the transparent colour.
#pragma once

#include <memory>

class TBitmap;
enum class TBitBtnKind;

// Null for bkCustom.
std::unique_ptr<TBitmap> MakeKindGlyph(TBitBtnKind kind);
