// Classic 3D edges: an outer and an inner one-pixel border, each with a top-left and
// a bottom-right colour; the bottom-right colour owns the top-right and bottom-left
// corner pixels, which gives raised and sunken boxes their familiar look.
#include "platform/drawing/Canvas.h"

#include "platform/drawing/Canvas_p.h"

namespace {

struct TBorderColors {
    TColor topLeft;
    TColor bottomRight;
};

// Colours of the outer and inner border for the edge and flags; an absent border
// is marked by clNone.
void EdgeColors(unsigned edge, unsigned flags, TBorderColors& outer, TBorderColors& inner)
{
    outer = inner = {clNone, clNone};
    const bool hasOuter = edge & BDR_OUTER, hasInner = edge & BDR_INNER;
    if (flags & BF_MONO) {
        if (hasOuter) outer = {clWindowFrame, clWindowFrame};
        if (hasInner) inner = {clWindow, clWindow};
        return;
    }
    if (flags & BF_FLAT) {
        if (hasOuter) outer = {clBtnShadow, clBtnShadow};
        if (hasInner) inner = {clBtnFace, clBtnFace};
        return;
    }
    const bool soft = flags & BF_SOFT;
    if (edge & BDR_RAISEDOUTER)
        outer = {soft ? clBtnHighlight : cl3DLight, cl3DDkShadow};
    else if (edge & BDR_SUNKENOUTER)
        outer = {soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight};
    if (edge & BDR_RAISEDINNER)
        inner = {soft ? cl3DLight : clBtnHighlight, clBtnShadow};
    else if (edge & BDR_SUNKENINNER)
        inner = {soft ? clBtnShadow : cl3DDkShadow, cl3DLight};
}

void DrawBorder(HDC dc, TRect& r, const TBorderColors& colors, unsigned sides)
{
    if (r.IsEmpty())
        return;
    const bool left = sides & BF_LEFT, top = sides & BF_TOP, right = sides & BF_RIGHT, bottom = sides & BF_BOTTOM;
    if (top)
        FillRectColor(dc, TRect(r.Left, r.Top, r.Right - (right ? 1 : 0), r.Top + 1), colors.topLeft);
    if (left)
        FillRectColor(dc, TRect(r.Left, r.Top, r.Left + 1, r.Bottom - (bottom ? 1 : 0)), colors.topLeft);
    if (bottom)
        FillRectColor(dc, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), colors.bottomRight);
    if (right)
        FillRectColor(dc, TRect(r.Right - 1, r.Top, r.Right, r.Bottom), colors.bottomRight);
    r = TRect(r.Left + (left ? 1 : 0), r.Top + (top ? 1 : 0), r.Right - (right ? 1 : 0), r.Bottom - (bottom ? 1 : 0));
}

} // namespace

bool TCanvas::DrawEdge(TRect& rect, unsigned edge, unsigned flags)
{
    // Diagonal edges are not part of this platform's look; nothing is drawn.
    if (flags & BF_DIAGONAL)
        return false;
    TBorderColors outer, inner;
    EdgeColors(edge, flags, outer, inner);
    TRect r = rect;
    const unsigned sides = flags & BF_RECT;
    if (outer.topLeft != clNone)
        DrawBorder(this, r, outer, sides);
    if (inner.topLeft != clNone)
        DrawBorder(this, r, inner, sides);
    if ((flags & BF_MIDDLE) && !r.IsEmpty())
        FillRectColor(this, r, (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST)
        rect = r;
    return true;
}
