#include "editors/EditButtonPainter.h"

#include "editors/EditDrawing.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Canvas.h"

#include <algorithm>

int ArrowWidthFor(int ButtonWidth)
{
    int w = ButtonWidth / 2;
    if (w % 2 == 0)
        --w;
    return std::max(1, w);
}

namespace {

// A filled triangle of `width` (odd) pixels at its base, pointing down or up, centred
// in the rectangle.
void FillTriangle(HDC dc, const TRect& r, int width, bool down, TColor color)
{
    const int height = (width + 1) / 2;
    const int left = r.Left + (r.Width() - width) / 2;
    const int top = r.Top + (r.Height() - height) / 2;
    for (int row = 0; row < height; ++row) {
        const int inset = down ? row : height - 1 - row;
        FillRectColor(dc, TRect(left + inset, top + row, left + width - inset, top + row + 1), color);
    }
}

// Three square dots one dot apart, centred.
void FillEllipsis(HDC dc, const TRect& r, int dot, TColor color)
{
    const int width = dot * 5;
    const int left = r.Left + (r.Width() - width) / 2;
    const int top = r.Top + (r.Height() - dot) / 2;
    for (int i = 0; i < 3; ++i)
        FillRectColor(dc, TRect(left + i * 2 * dot, top, left + i * 2 * dot + dot, top + dot), color);
}

void DrawSymbolOnce(HDC dc, const TRect& r, TzqButtonSymbol symbol, TColor color, TzqEditButtonViewStyle style,
                    int buttonWidth)
{
    switch (symbol) {
    case TzqButtonSymbol::bsDownArrow:
    case TzqButtonSymbol::bsUpArrow:
        FillTriangle(dc, r, ArrowWidthFor(buttonWidth), symbol == TzqButtonSymbol::bsDownArrow, color);
        break;
    case TzqButtonSymbol::bsEllipsis: {
        const bool big = buttonWidth > 15 &&
                         (style == TzqEditButtonViewStyle::bts3D || style == TzqEditButtonViewStyle::btsFlat);
        FillEllipsis(dc, r, big ? 2 : 1, color);
        break;
    }
    case TzqButtonSymbol::bsGlyph:
        break;
    }
}

} // namespace

TRect DrawEditButtonFace(HDC DC, TRect Rect, const TzqEditButtonLook& Look, TColor& SymbolColor)
{
    SymbolColor = clBtnText;
    if (!DC || Rect.IsEmpty())
        return Rect;
    TzqEditButtonViewStyle style = Look.Style;
    // A simple button looks flat while hot or pressed.
    if (style == TzqEditButtonViewStyle::btsSimple && (Look.Hot || Look.Pressed))
        style = TzqEditButtonViewStyle::btsFlat;
    switch (style) {
    case TzqEditButtonViewStyle::btsFlat: {
        // A one-pixel separator in the face colour between the text and the button.
        const TRect separator = Look.SeparatorLeft ? TRect(Rect.Left, Rect.Top, Rect.Left + 1, Rect.Bottom)
                                                   : TRect(Rect.Right - 1, Rect.Top, Rect.Right, Rect.Bottom);
        FillRectColor(DC, separator, clBtnFace);
        if (Look.SeparatorLeft)
            ++Rect.Left;
        else
            --Rect.Right;
        FillRectColor(DC, Rect, clBtnFace);
        TRect edge = Rect;
        DC->DrawEdge(edge, Look.Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        break;
    }
    case TzqEditButtonViewStyle::btsSimple:
        FillRectColor(DC, Rect, clBtnFace);
        FrameRectColor(DC, Rect, Look.BorderColor);
        break;
    case TzqEditButtonViewStyle::btsHotFlat:
        FillRectColor(DC, Rect, Look.Pressed ? clBtnText : Look.Hot ? clBtnShadow : clBtnFace);
        FrameRectColor(DC, Rect, clBtnShadow);
        if (Look.Pressed || Look.Hot)
            SymbolColor = clBtnHighlight;
        // Hot-flat buttons never move their symbol.
        return Rect.Inflate(-1, -1);
    default: {
        FillRectColor(DC, Rect, clBtnFace);
        TRect edge = Rect;
        DC->DrawEdge(edge, Look.Pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        break;
    }
    }
    TRect content = Rect.Inflate(-1, -1);
    if (Look.Pressed)
        content = content.Offset(1, 1);
    return content;
}

void DrawEditButtonSymbol(HDC DC, const TRect& Rect, TzqButtonSymbol Symbol, TColor Color, bool Enabled,
                          TzqEditButtonViewStyle Style, TBitmap* Glyph, int ButtonWidth)
{
    if (ButtonWidth <= 0)
        ButtonWidth = Rect.Width();
    if (!DC || Rect.IsEmpty())
        return;
    if (Symbol == TzqButtonSymbol::bsGlyph) {
        if (!Glyph || Glyph->Empty())
            return;
        const int w = Glyph->Width(), h = Glyph->Height();
        const TRect area(Rect.Left + (Rect.Width() - w) / 2, Rect.Top + (Rect.Height() - h) / 2,
                         Rect.Left + (Rect.Width() - w) / 2 + w, Rect.Top + (Rect.Height() - h) / 2 + h);
        TBrush face;
        face.SetColor(clBtnFace);
        DrawBitmapTransparent(DC, &face, area, Glyph, TRect(0, 0, w, h));
        return;
    }
    if (!Enabled) {
        DrawSymbolOnce(DC, Rect.Offset(1, 1), Symbol, clBtnHighlight, Style, ButtonWidth);
        DrawSymbolOnce(DC, Rect, Symbol, clBtnShadow, Style, ButtonWidth);
        return;
    }
    DrawSymbolOnce(DC, Rect, Symbol, Color, Style, ButtonWidth);
}

void DrawEditButton(HDC DC, const TRect& Rect, const TzqEditButtonLook& Look, TzqButtonSymbol Symbol, TBitmap* Glyph)
{
    TColor symbolColor = clBtnText;
    const TRect content = DrawEditButtonFace(DC, Rect, Look, symbolColor);
    DrawEditButtonSymbol(DC, content, Symbol, symbolColor, Look.Enabled, Look.Style, Glyph, Rect.Width());
}
