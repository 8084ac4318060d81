// The painter of the flat style.
#include "bars/BarPainter.h"

#include "bars/BarManager.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Canvas.h"

#include <algorithm>

namespace {

TColor BrushColour(const TBrush* brush, TColor fallback)
{
    return brush ? brush->Color() : fallback;
}

} // namespace

TColor TzqBarFlatPainter::BarColor(const TzqBarLook& Look) const
{
    if (Look.MainMenu || Look.BorderlessBottom || !Look.Manager)
        return clBtnFace;
    return BrushColour(Look.Manager->FlatMenuBrush(), clBtnFace);
}

void TzqBarFlatPainter::DrawGrip(TCanvas& Canvas, const TRect& R, bool Vertical) const
{
    // A dotted line: shadow and background pixels by turns.
    if (!Vertical) {
        const int x = R.Left + std::max(0, R.Width() / 2 - 1);
        for (int y = R.Top + 3; y < R.Bottom - 3; y += 2)
            FillRectColor(&Canvas, TRect(x, y, x + 1, y + 1), clBtnShadow);
    } else {
        const int y = R.Top + std::max(0, R.Height() / 2 - 1);
        for (int x = R.Left + 3; x < R.Right - 3; x += 2)
            FillRectColor(&Canvas, TRect(x, y, x + 1, y + 1), clBtnShadow);
    }
}

void TzqBarFlatPainter::DrawSeparator(TCanvas& Canvas, const TRect& Band, bool LineAcross) const
{
    // One pixel of the shadow colour, (SeparatorSize - 1) / 2 in from the band's start.
    if (LineAcross) {
        const int x = Band.Left + std::max(0, (Band.Width() - 1) / 2);
        FillRectColor(&Canvas, TRect(x, Band.Top + 1, x + 1, Band.Bottom - 1), clBtnShadow);
    } else {
        const int y = Band.Top + std::max(0, (Band.Height() - 1) / 2);
        FillRectColor(&Canvas, TRect(Band.Left + 1, y, Band.Right - 1, y + 1), clBtnShadow);
    }
}

void TzqBarFlatPainter::DrawSelection(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State,
                                      const TzqBarLook& Look) const
{
    TzqBarManager* manager = Look.Manager;
    // Hot: the light mix; pressed (or hot while down): the strong one; down: the checked one.
    int mix = 0;
    if (State.Pressed || State.DroppedDown || (State.Down && State.Hot))
        mix = 1;
    else if (State.Down)
        mix = 2;
    FillRectColor(&Canvas, R, BrushColour(manager ? manager->FlatSelectBrush(mix) : nullptr, clHighlight));
    FrameRectColor(&Canvas, R, clHighlight);
}

void TzqBarFlatPainter::DrawMarkButton(TCanvas& Canvas, const TRect& R, int State, bool Truncated, bool Vertical,
                                       bool InTitle) const
{
    TzqBarItemState state;
    state.Hot = State == 1;
    state.Pressed = State == 2;
    if (State != 0) {
        TzqBarLook look;
        DrawSelection(Canvas, R, state, look);
    }
    const TColor ink = InTitle && State == 0 ? clCaptionText : clBtnText;
    if (!Vertical) {
        DrawTriangle(Canvas, {R.Left + R.Width() / 2, R.Bottom - 5}, 3, true, ink);
        if (Truncated)
            DrawChevrons(Canvas, TRect(R.Left, R.Top + 2, R.Right, R.Top + 11), false, ink);
    } else {
        DrawTriangle(Canvas, {R.Right - 5, R.Top + R.Height() / 2 + 1}, 3, true, ink);
        if (Truncated)
            DrawChevrons(Canvas, TRect(R.Left + 2, R.Top, R.Left + 11, R.Bottom), true, ink);
    }
}

void TzqBarFlatPainter::DrawTitle(TCanvas& Canvas, const TRect& R, const std::string& Caption,
                                  const TzqBarLook&) const
{
    // The flat title always shows in the inactive caption colour.
    FillRectColor(&Canvas, R, clInactiveCaption);
    Canvas.Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    Canvas.SetBkMode(TRANSPARENT);
    Canvas.SetTextColor(clCaptionText);
    TRect text = R.Inflate(-2, 0);
    Canvas.DrawText(Caption, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    Canvas.Font()->SetStyle(TFontStyles{});
}

void TzqBarFlatPainter::DrawCloseButton(TCanvas& Canvas, const TRect& R, int State, const TzqBarLook& Look) const
{
    if (State != 0) {
        TzqBarItemState state;
        state.Hot = State == 1;
        state.Pressed = State == 2;
        DrawSelection(Canvas, R, state, Look);
    }
    const TColor ink = State == 0 ? clCaptionText : clBtnText;
    // An "x" of two 2-pixel strokes.
    const int size = std::min(R.Width(), R.Height()) - 6;
    const int x0 = R.Left + (R.Width() - size) / 2, y0 = R.Top + (R.Height() - size) / 2;
    for (int k = 0; k < size; ++k) {
        FillRectColor(&Canvas, TRect(x0 + k, y0 + k, x0 + k + 2, y0 + k + 1), ink);
        FillRectColor(&Canvas, TRect(x0 + size - 1 - k, y0 + k, x0 + size + 1 - k, y0 + k + 1), ink);
    }
}

void TzqBarFlatPainter::DrawFloatingFrame(TCanvas& Canvas, const TRect& Window, const TRect& Client,
                                          const TzqBarLook& Look) const
{
    const TRegion frame = TRegion(Window).Subtracted(TRegion(Client));
    Canvas.SelectClipRegion(&frame);
    FillRectColor(&Canvas, Window, BarColor(Look));
    const TColor line = BrushColour(Look.Manager ? Look.Manager->FlatShadowBrush() : nullptr, clBtnShadow);
    FrameRectColor(&Canvas, Window, line);
    FrameRectColor(&Canvas, Window.Inflate(-1, -1), clInactiveCaption);
    Canvas.SelectClipRegion(nullptr);
}

void TzqBarFlatPainter::DrawItemBackground(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State,
                                           const TzqBarLook& Look) const
{
    if (!State.Enabled)
        return;
    if (State.Hot || State.Pressed || State.Down || State.DroppedDown)
        DrawSelection(Canvas, R, State, Look);
}

TzqBarGlyphEffect TzqBarFlatPainter::GlyphEffect(const TzqBarItemState& State) const
{
    if (!State.Enabled)
        return TzqBarGlyphEffect::geShadowOnly;
    if (State.Hot && !State.Pressed)
        return TzqBarGlyphEffect::geRaised;
    if (!State.Hot && !State.Down)
        return TzqBarGlyphEffect::geLightened;
    return TzqBarGlyphEffect::geNormal;
}

void TzqBarFlatPainter::DrawCaption(TCanvas& Canvas, const TRect& R, const std::string& Caption, bool Enabled,
                                    bool Rotated, unsigned Align) const
{
    // Greyed in the shadow colour, without a highlight under it.
    DrawCaptionText(Canvas, R, Caption, Rotated, Align, Enabled ? clBtnText : clBtnShadow);
}

void TzqBarFlatPainter::DrawSplitArrow(TCanvas& Canvas, const TRect& R, const TzqBarItemState& State, bool Vertical,
                                       const TzqBarLook& Look) const
{
    // The arrow part is framed on its own.
    if (State.Enabled && (State.Hot || State.DroppedDown)) {
        TzqBarItemState part = State;
        part.Pressed = State.DroppedDown;
        DrawSelection(Canvas, R, part, Look);
    }
    const TPoint apex{R.Left + R.Width() / 2, R.Top + R.Height() / 2 + 2};
    DrawTriangle(Canvas, apex, 3, true, State.Enabled ? clBtnText : clBtnShadow);
}
