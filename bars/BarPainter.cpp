// The painters of the standard and enhanced styles, and what every style shares.
#include "bars/BarPainter.h"

#include "bars/BarManager.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Canvas.h"

#include <algorithm>

namespace {

// The 8 x 8 halftone of the highlight and face colours a down item is filled with.
void FillHalftone(TCanvas& canvas, const TRect& r)
{
    static TBitmap* pattern = [] {
        auto* bitmap = new TBitmap();
        MakeHalftonePattern(*bitmap);
        return bitmap;
    }();
    TBrush saved;
    saved.Assign(*canvas.Brush());
    canvas.Brush()->SetBitmap(pattern);
    const TColor text = canvas.SetTextColor(clBtnHighlight);
    const TColor back = canvas.SetBkColor(clBtnFace);
    canvas.FillRect(r);
    canvas.SetTextColor(text);
    canvas.SetBkColor(back);
    canvas.SetBrush(saved);
}

std::string WithoutAmpersands(const std::string& caption)
{
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

} // namespace

const TzqBarPainter& TzqBarPainter::For(TzqBarManagerStyle Style)
{
    static const TzqBarStandardPainter standard;
    static const TzqBarEnhancedPainter enhanced;
    static const TzqBarFlatPainter flat;
    switch (Style) {
    case TzqBarManagerStyle::bmsStandard:
        return standard;
    case TzqBarManagerStyle::bmsFlat:
        return flat;
    case TzqBarManagerStyle::bmsEnhanced:
        break;
    }
    return enhanced;
}

TColor TzqBarPainter::BarColor(const TzqBarLook&) const
{
    return clBtnFace;
}

void TzqBarPainter::DrawGrip(TCanvas& Canvas, const TRect& R, bool Vertical) const
{
    // One raised line three pixels wide; the standard style has two, three pixels apart.
    const int lines = Style() == TzqBarManagerStyle::bmsStandard ? 2 : 1;
    for (int k = 0; k < lines; ++k) {
        TRect line = Vertical ? TRect(R.Left + 2, R.Top + 1 + 3 * k, R.Right - 2, R.Top + 4 + 3 * k)
                              : TRect(R.Left + 1 + 3 * k, R.Top + 2, R.Left + 4 + 3 * k, R.Bottom - 2);
        Canvas.DrawEdge(line, BDR_RAISEDINNER, BF_RECT);
    }
}

void TzqBarPainter::DrawSeparator(TCanvas& Canvas, const TRect& Band, bool LineAcross) const
{
    // An etched line in the middle of the band.
    if (LineAcross) {
        const int x = Band.Left + std::max(0, (Band.Width() - 2) / 2);
        TRect line(x, Band.Top, x + 2, Band.Bottom);
        Canvas.DrawEdge(line, EDGE_ETCHED, BF_LEFT);
    } else {
        const int y = Band.Top + std::max(0, (Band.Height() - 2) / 2);
        TRect line(Band.Left, y, Band.Right, y + 2);
        Canvas.DrawEdge(line, EDGE_ETCHED, BF_TOP);
    }
}

void TzqBarPainter::DrawTitle(TCanvas& Canvas, const TRect& R, const std::string& Caption, const TzqBarLook& Look) const
{
    FillRectColor(&Canvas, R, Look.OwnerActive ? clActiveCaption : clInactiveCaption);
    Canvas.Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    Canvas.SetBkMode(TRANSPARENT);
    Canvas.SetTextColor(Look.OwnerActive ? clCaptionText : clInactiveCaptionText);
    TRect text = R.Inflate(-2, 0);
    Canvas.DrawText(Caption, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    Canvas.Font()->SetStyle(TFontStyles{});
}

void TzqBarPainter::DrawCloseButton(TCanvas& Canvas, const TRect& R, int State, const TzqBarLook&) const
{
    TRect r = R;
    Canvas.DrawFrameControl(r, DFC_CAPTION, DFCS_CAPTIONCLOSE | (State == 2 ? DFCS_PUSHED : 0u));
}

void TzqBarPainter::DrawFloatingFrame(TCanvas& Canvas, const TRect& Window, const TRect& Client,
                                      const TzqBarLook& Look) const
{
    const TRegion frame = TRegion(Window).Subtracted(TRegion(Client));
    Canvas.SelectClipRegion(&frame);
    FillRectColor(&Canvas, Window, BarColor(Look));
    TRect edge = Window;
    Canvas.DrawEdge(edge, EDGE_RAISED, BF_RECT);
    Canvas.SelectClipRegion(nullptr);
}

TzqBarGlyphEffect TzqBarPainter::GlyphEffect(const TzqBarItemState& State) const
{
    return State.Enabled ? TzqBarGlyphEffect::geNormal : TzqBarGlyphEffect::geEmbossed;
}

int TzqBarPainter::PressedOffset(const TzqBarItemState& State) const
{
    return State.Pressed || (State.Down && !State.Hot) || (State.Down && State.Pressed) ? 1 : 0;
}

void TzqBarPainter::DrawCaptionText(TCanvas& Canvas, const TRect& R, const std::string& Caption, bool Rotated,
                                    unsigned Align, TColor Colour) const
{
    Canvas.SetBkMode(TRANSPARENT);
    Canvas.SetTextColor(Colour);
    if (!Rotated) {
        TRect r = R;
        Canvas.DrawText(Caption, r, Align | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    // Reading downwards: the text's top faces the right of the bar.
    const std::string text = WithoutAmpersands(Caption);
    const int saved = Canvas.Font()->Orientation();
    Canvas.Font()->SetOrientation(2700);
    const TSize extent = Canvas.TextExtent(text);
    Canvas.TextOut(R.Right - (R.Width() - extent.cy) / 2, R.Top + (R.Height() - extent.cx) / 2, text);
    Canvas.Font()->SetOrientation(saved);
}

void TzqBarPainter::DrawCaption(TCanvas& Canvas, const TRect& R, const std::string& Caption, bool Enabled,
                                bool Rotated, unsigned Align) const
{
    if (Enabled) {
        DrawCaptionText(Canvas, R, Caption, Rotated, Align, clBtnText);
        return;
    }
    // Embossed: the highlight one pixel down and right under the shadow colour.
    DrawCaptionText(Canvas, R.Offset(1, 1), Caption, Rotated, Align, clBtnHighlight);
    DrawCaptionText(Canvas, R, Caption, Rotated, Align, clBtnShadow);
}

void TzqBarPainter::DrawSplitArrow(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State, bool Vertical,
                                   const TzqBarLook& Look) const
{
    if (State.Enabled && (State.Hot || State.DroppedDown)) {
        TRect r = R;
        Canvas.DrawEdge(r, State.DroppedDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    const int offset = State.DroppedDown ? 1 : 0;
    const TPoint apex{R.Left + R.Width() / 2 + offset, R.Top + R.Height() / 2 + 2 + offset};
    DrawTriangle(Canvas, apex, 3, true, State.Enabled ? clBtnText : clBtnShadow);
}

void TzqBarPainter::DrawTriangle(TCanvas& Canvas, TPoint Apex, int Size, bool Down, TColor Colour) const
{
    // Rows of 2 * Size - 1, ... 1 pixels narrowing to the apex.
    for (int k = 0; k < Size; ++k) {
        const int half = Size - 1 - k;
        if (Down) {
            const int y = Apex.Y - (Size - 1) + k;
            FillRectColor(&Canvas, TRect(Apex.X - half, y, Apex.X + half + 1, y + 1), Colour);
        } else {
            const int x = Apex.X - (Size - 1) + k;
            FillRectColor(&Canvas, TRect(x, Apex.Y - half, x + 1, Apex.Y + half + 1), Colour);
        }
    }
}

void TzqBarPainter::DrawChevrons(TCanvas& Canvas, const TRect& R, bool Vertical, TColor Colour) const
{
    // Two ">" (or "v" in vertical bars) of 3 pixels' depth, 4 pixels apart.
    const int cx = R.Left + R.Width() / 2, cy = R.Top + R.Height() / 2;
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < 3; ++k) {
            if (!Vertical) {
                const int x = cx - 3 + 4 * c + k;
                FillRectColor(&Canvas, TRect(x, cy - 2 + k, x + 2, cy - 1 + k), Colour);
                FillRectColor(&Canvas, TRect(x, cy + 2 - k, x + 2, cy + 3 - k), Colour);
            } else {
                const int y = cy - 3 + 4 * c + k;
                FillRectColor(&Canvas, TRect(cx - 2 + k, y, cx - 1 + k, y + 2), Colour);
                FillRectColor(&Canvas, TRect(cx + 2 - k, y, cx + 3 - k, y + 2), Colour);
            }
        }
}

// ---- Standard ----

void TzqBarStandardPainter::DrawMarkButton(TCanvas& Canvas, const TRect& R, int State, bool Truncated, bool Vertical,
                                           bool InTitle) const
{
    if (State != 0) {
        TRect r = R;
        Canvas.DrawEdge(r, State == 2 ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    if (Truncated)
        DrawChevrons(Canvas, R.Offset(State == 2 ? 1 : 0, State == 2 ? 1 : 0), Vertical, InTitle ? clCaptionText : clBtnText);
}

void TzqBarStandardPainter::DrawItemBackground(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State,
                                               const TzqBarLook&) const
{
    if (State.Down && !State.Hot && !State.Pressed)
        FillHalftone(Canvas, R.Inflate(-1, -1));
    if (!State.Enabled)
        return;
    TRect r = R;
    if (State.Pressed || State.Down || State.DroppedDown)
        Canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
    else if (State.Hot)
        Canvas.DrawEdge(r, BDR_RAISEDINNER, BF_RECT);
}

// ---- Enhanced ----

void TzqBarEnhancedPainter::DrawMarkButton(TCanvas& Canvas, const TRect& R, int State, bool Truncated, bool Vertical,
                                           bool InTitle) const
{
    if (State != 0) {
        TRect r = R;
        Canvas.DrawEdge(r, State == 2 ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    const int shift = State == 2 ? 1 : 0;
    const TColor ink = InTitle ? clCaptionText : clBtnText;
    // The triangle at the end, the chevrons before it.
    const TRect r = R.Offset(shift, shift);
    if (!Vertical) {
        DrawTriangle(Canvas, {r.Left + r.Width() / 2, r.Bottom - 5}, 3, true, ink);
        if (Truncated)
            DrawChevrons(Canvas, TRect(r.Left, r.Top + 2, r.Right, r.Top + 11), false, ink);
    } else {
        DrawTriangle(Canvas, {r.Right - 5, r.Top + r.Height() / 2 + 1}, 3, true, ink);
        if (Truncated)
            DrawChevrons(Canvas, TRect(r.Left + 2, r.Top, r.Left + 11, r.Bottom), true, ink);
    }
}
