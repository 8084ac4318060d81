// The pen outlines shapes and draws lines: colour, width, style and the raster mode
// that combines it with what is already on the surface. Dashed and dotted styles
// apply to one-pixel pens; a wider pen always draws solid, as on the classic
// platform's basic pens.
#pragma once

#include "platform/core/Color.h"
#include "platform/drawing/GraphicsObject.h"

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

enum class TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

// The R2_* code of a pen mode.
int PenModeToRop2(TPenMode mode);

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    // Width in pixels; values below 1 are taken as 1 (a zero-width pen is one pixel
    // wide, as on the classic platform).
    int Width() const { return m_width; }
    void SetWidth(int value);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode value);

    void Assign(const TPen& other);

private:
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = TPenStyle::psSolid;
    TPenMode m_mode = TPenMode::pmCopy;
};
