#include "editors/EditDrawing.h"

#include "editors/SharedBrushes.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"

#include <algorithm>
#include <cstdint>

namespace {

// The raster operation "pattern where the source is white, destination elsewhere"
// (DSPDxax).
constexpr uint32_t ROP_PATTERN_THROUGH_MASK = 0x00E20746;
// Destination AND pattern.
constexpr uint32_t ROP_PATTERN_AND = 0x00A000C9;

// The checkerboard on a canvas, its black pixels in `black` and white ones in `white`,
// aligned so that canvas pixel (0, 0) stands for logical pixel `phase` of the target.
void SelectHalftone(TCanvas& c, TPoint phase, TColor black, TColor white)
{
    c.SetBrush(*HalftoneBrush());
    c.SetBrushOrigin(TPoint(-phase.X, -phase.Y));
    c.SetTextColor(black);
    c.SetBkColor(white);
}

TColor ListColor(TColor c)
{
    if (c == clNone)
        return CLR_NONE;
    if (c == clDefault)
        return CLR_DEFAULT;
    return ColorToRGB(c);
}

unsigned ListStyle(const TImageList& list)
{
    unsigned style = ILD_NORMAL;
    switch (list.DrawingStyle()) {
    case TDrawingStyle::dsFocus:
        style = ILD_FOCUS;
        break;
    case TDrawingStyle::dsSelected:
        style = ILD_SELECTED;
        break;
    case TDrawingStyle::dsTransparent:
        style = ILD_TRANSPARENT;
        break;
    default:
        break;
    }
    if (list.ImageType() == TImageType::itMask)
        style |= ILD_MASK;
    return style;
}

} // namespace

void FillHalftone(HDC DC, const TRect& Rect, TColor Color)
{
    if (!DC)
        return;
    // Only what can be drawn is composed.
    const TRect r = Rect.Intersect(DC->ClipRect());
    if (r.IsEmpty())
        return;
    const int w = r.Width(), h = r.Height();
    // What lies under the pixels that keep their content, the others black.
    TBitmap copy(w, h);
    TCanvas& mem = *copy.Canvas();
    mem.BitBlt(0, 0, w, h, DC, r.Left, r.Top, SRCCOPY);
    SelectHalftone(mem, r.TopLeft(), clBlack, clWhite);
    mem.PatBlt(0, 0, w, h, ROP_PATTERN_AND);
    // Color where the pattern is black, black elsewhere; then the kept content joins.
    TBrush savedBrush;
    savedBrush.Assign(*DC->Brush());
    const TPoint savedOrigin = DC->SetBrushOrigin(TPoint());
    const TColor savedText = DC->TextColor(), savedBk = DC->BkColor();
    const int savedMode = DC->BkMode();
    SelectHalftone(*DC, TPoint(), Color, clBlack);
    DC->PatBlt(r.Left, r.Top, w, h, PATCOPY);
    DC->BitBlt(r.Left, r.Top, w, h, &mem, 0, 0, SRCPAINT);
    DC->SetBrush(savedBrush);
    DC->SetBrushOrigin(savedOrigin);
    DC->SetTextColor(savedText);
    DC->SetBkColor(savedBk);
    DC->SetBkMode(savedMode);
}

void DrawBitmapTransparent(HDC DC, const TBrush* Brush, const TRect& Area, TBitmap* Bitmap, const TRect& BitmapRect)
{
    if (!DC)
        return;
    // Only what can be drawn is composed: `visible` in DC coordinates, the work
    // bitmap's (0, 0) at its top-left.
    const TRect visible = Area.Intersect(DC->ClipRect());
    if (visible.IsEmpty())
        return;
    const int w = visible.Width(), h = visible.Height();
    TBitmap work(w, h);
    TCanvas& c = *work.Canvas();
    if (Brush) {
        c.SetBrush(*Brush);
        c.SetBrushOrigin(TPoint(-visible.Left, -visible.Top));
        c.FillRect(TRect(0, 0, w, h));
    } else {
        // Without a brush the transparent pixels show what was there.
        c.BitBlt(0, 0, w, h, DC, visible.Left, visible.Top, SRCCOPY);
    }
    if (Bitmap && !Bitmap->Empty() && !BitmapRect.IsEmpty()) {
        // The bitmap's top-left in work coordinates, far places kept far without overflow.
        const int64_t bx = int64_t(Area.Left) + BitmapRect.Left - visible.Left;
        const int64_t by = int64_t(Area.Top) + BitmapRect.Top - visible.Top;
        const int64_t bw = std::min<int64_t>(int64_t(BitmapRect.Right) - BitmapRect.Left, Bitmap->Width());
        const int64_t bh = std::min<int64_t>(int64_t(BitmapRect.Bottom) - BitmapRect.Top, Bitmap->Height());
        const TRect place = TRect(int32_t(std::clamp<int64_t>(bx, 0, w)), int32_t(std::clamp<int64_t>(by, 0, h)),
                                  int32_t(std::clamp<int64_t>(bx + bw, 0, w)), int32_t(std::clamp<int64_t>(by + bh, 0, h)));
        if (!place.IsEmpty()) {
            const TPoint from(int32_t(place.Left - bx), int32_t(place.Top - by));
            if (Brush) {
                // White where the bitmap shows its transparent colour.
                TBitmap mask;
                mask.Assign(*Bitmap);
                mask.SetTransparent(false);
                mask.Mask(Bitmap->TransparentColor());
                c.BitBlt(place.Left, place.Top, place.Width(), place.Height(), Bitmap->Canvas(), from.X, from.Y, SRCCOPY);
                c.SetTextColor(clBlack);
                c.SetBkColor(clWhite);
                c.BitBlt(place.Left, place.Top, place.Width(), place.Height(), mask.Canvas(), from.X, from.Y,
                         ROP_PATTERN_THROUGH_MASK);
            } else {
                // Without a brush: the bitmap drawn with its transparent colour left out.
                TBitmap ink;
                ink.Assign(*Bitmap);
                ink.SetTransparent(true);
                c.IntersectClipRect(place);
                c.Draw(place.Left - from.X, place.Top - from.Y, &ink);
            }
        }
    }
    DC->BitBlt(visible.Left, visible.Top, w, h, &c, 0, 0, SRCCOPY);
}

void DrawImageListItem(HDC DC, int X, int Y, const TImageList* ImageList, int Index)
{
    if (!DC || !ImageList)
        return;
    ImageList_DrawEx(ImageList, Index, DC, X, Y, 0, 0, ListColor(ImageList->BkColor()),
                     ListColor(ImageList->BlendColor()), ListStyle(*ImageList));
}

void EnsureBitmapSize(TBitmap* Bitmap, int Width, int Height)
{
    if (!Bitmap)
        return;
    const int w = std::max(Bitmap->Width(), Width), h = std::max(Bitmap->Height(), Height);
    if (w != Bitmap->Width() || h != Bitmap->Height())
        Bitmap->SetSize(w, h);
}
