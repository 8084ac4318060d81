// The brush fills shapes: a solid colour, nothing (clear), a hatch, or an 8x8
// pattern taken from a bitmap (a monochrome pattern paints its black pixels in the
// canvas's text colour and its white pixels in the background colour).
#pragma once

#include "platform/core/Color.h"
#include "platform/drawing/GraphicsObject.h"

#include <array>
#include <memory>

class TBitmap;

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TBrush();
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;
    ~TBrush() override;

    TColor Color() const { return m_color; }
    // Setting a colour turns a clear brush solid, as a program expects.
    void SetColor(TColor value);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle value);

    // Copies the top-left 8x8 pixels of the bitmap as the brush's pattern (tiled when
    // the bitmap is smaller); null removes the pattern. A pattern wins over Style.
    void SetBitmap(const TBitmap* pattern);
    bool HasPattern() const { return m_hasPattern; }
    bool PatternIsMonochrome() const { return m_patternMono; }
    // Pattern pixel (0x00BBGGRR; for a monochrome pattern black or white).
    TColor PatternPixel(int x, int y) const { return m_pattern[static_cast<size_t>((y & 7) * 8 + (x & 7))]; }

    void Assign(const TBrush& other);

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = TBrushStyle::bsSolid;
    bool m_hasPattern = false;
    bool m_patternMono = false;
    std::array<TColor, 64> m_pattern{};
};

// Fills the bitmap with the 8x8 monochrome halftone checkerboard: black where x and y
// have the same parity, white elsewhere.
void MakeHalftonePattern(TBitmap& bitmap);
