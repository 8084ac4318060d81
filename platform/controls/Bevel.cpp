#include "platform/controls/Bevel.h"

#include "platform/drawing/Canvas.h"

namespace {

void HLine(TCanvas* c, int x0, int x1, int y, TColor color)
{
    FillRectColor(c, TRect(x0, y, x1, y + 1), color);
}

void VLine(TCanvas* c, int x, int y0, int y1, TColor color)
{
    FillRectColor(c, TRect(x, y0, x + 1, y1), color);
}

// The outline of r (right and bottom inclusive): top and left in `first`, bottom and
// right in `second`.
void BevelRect(TCanvas* c, const TRect& r, TColor first, TColor second)
{
    HLine(c, r.Left, r.Right, r.Top, first);
    VLine(c, r.Left, r.Top, r.Bottom + 1, first);
    HLine(c, r.Left, r.Right + 1, r.Bottom, second);
    VLine(c, r.Right, r.Top, r.Bottom + 1, second);
}

} // namespace

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value)
{
    if (value == m_shape)
        return;
    m_shape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* c = Canvas();
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0)
        return;
    // A lowered bevel has its shadow where the light does not reach: top and left.
    TColor dark = clBtnShadow, light = clBtnHighlight;
    if (m_style == TBevelStyle::bsRaised)
        std::swap(dark, light);
    switch (m_shape) {
    case TBevelShape::bsBox:
        BevelRect(c, TRect(0, 0, w - 1, h - 1), dark, light);
        break;
    case TBevelShape::bsFrame:
        // Two outlines one pixel apart: the etched groove.
        BevelRect(c, TRect(1, 1, w - 1, h - 1), light, light);
        BevelRect(c, TRect(0, 0, w - 2, h - 2), dark, dark);
        break;
    case TBevelShape::bsTopLine:
        HLine(c, 0, w, 0, dark);
        HLine(c, 0, w, 1, light);
        break;
    case TBevelShape::bsBottomLine:
        HLine(c, 0, w, h - 2, dark);
        HLine(c, 0, w, h - 1, light);
        break;
    case TBevelShape::bsLeftLine:
        VLine(c, 0, 0, h, dark);
        VLine(c, 1, 0, h, light);
        break;
    case TBevelShape::bsRightLine:
        VLine(c, w - 2, 0, h, dark);
        VLine(c, w - 1, 0, h, light);
        break;
    case TBevelShape::bsSpacer:
        break;
    }
}
