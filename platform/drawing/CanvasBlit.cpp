// Bit-block transfers with ternary raster operations, and bitmap drawing.
#include "platform/drawing/Canvas.h"

#include "platform/core/Exception.h"
#include "platform/drawing/Canvas_p.h"

#include <cmath>
#include <cstring>
#include <sstream>

// A snapshot of a source area, so that a surface can be copied onto itself.
struct TSourceArea {
    QImage pixels;     // the area, device pixels
    QRect device;      // where it was taken, device coordinates
    bool monochrome = false;
    uint32_t bkPixel = 0;

    bool Get(int dx, int dy, uint32_t& p) const
    {
        if (!device.contains(dx, dy))
            return false;
        p = reinterpret_cast<const uint32_t*>(pixels.constScanLine(dy - device.top()))[dx - device.left()];
        return true;
    }
};

namespace {

std::string RopName(uint32_t rop)
{
    std::ostringstream out;
    out << "0x" << std::hex << std::uppercase << rop;
    return out.str();
}

TSourceArea TakeSource(TCanvas& source, int sx, int sy, int sw, int sh)
{
    auto& s = CanvasAccess::Get(source);
    TSourceArea area;
    if (!s.surface)
        throw EPlatformError("The source device context has no surface");
    const QRect wanted(sx + s.origin.x(), sy + s.origin.y(), sw, sh);
    area.device = wanted.intersected(s.SurfaceRect());
    area.pixels = s.Image()->copy(area.device);
    area.monochrome = s.Monochrome();
    s.SyncTools();
    area.bkPixel = ColorToPixel(ColorToRGB(s.bkColor) & 0xFFFFFF);
    return area;
}

bool IsClear(const TBrush& brush)
{
    return brush.Style() == TBrushStyle::bsClear && !brush.HasPattern();
}

// A transfer onto a vector surface: a source becomes an embedded picture (whatever
// the raster code, the source is copied), a pattern a fill with the brush colour,
// blackness and whiteness fills; operations that only change the destination have
// nothing to work on and are left out.
void VectorBlit(TCanvas::Private& d, const TBrush& brush, const TSourceArea& src, const QRect& wanted, bool mirrorX,
                bool mirrorY, const TRect& dest, uint32_t rop)
{
    if (rop == BLACKNESS || rop == WHITENESS) {
        d.VectorFillRect(dest, rop == BLACKNESS ? clBlack : clWhite);
        return;
    }
    if (rop == PATCOPY) {
        if (!IsClear(brush))
            d.VectorFillRect(dest, ColorToRGB(brush.Color()) & 0xFFFFFF);
        return;
    }
    if (!Rop3UsesSource(rop) || src.pixels.isNull())
        return;
    // The part of the wanted source area the source has, placed where it lands.
    const QRect have = src.device;
    if (have.isEmpty())
        return;
    QImage picture = src.pixels.convertToFormat(QImage::Format_ARGB32);
    if (src.monochrome) {
        d.SyncTools();
        const uint32_t text = ColorToPixel(ColorToRGB(d.textColor) & 0xFFFFFF);
        const uint32_t back = ColorToPixel(ColorToRGB(d.bkColor) & 0xFFFFFF);
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<uint32_t*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                line[x] = (line[x] & 0xFFFFFFu) == 0 ? text : back;
        }
    }
    if (mirrorX || mirrorY)
        picture = picture.mirrored(mirrorX, mirrorY);
    const double fx = double(dest.Width()) / wanted.width(), fy = double(dest.Height()) / wanted.height();
    const int left = mirrorX ? wanted.right() - have.right() : have.left() - wanted.left();
    const int top = mirrorY ? wanted.bottom() - have.bottom() : have.top() - wanted.top();
    const TRect placed(dest.Left + int(std::lround(left * fx)), dest.Top + int(std::lround(top * fy)),
                       dest.Left + int(std::lround((left + have.width()) * fx)),
                       dest.Top + int(std::lround((top + have.height()) * fy)));
    d.VectorImage(picture, placed);
}

} // namespace

// Copies whole rows of a snapshot, shifted (device destination = device source +
// shift), inside the destination's clip.
static void CopyRows(TCanvas::Private& d, const TSourceArea& src, QPoint shift, const TRect& logical)
{
    const QRect device(logical.Left + d.origin.x(), logical.Top + d.origin.y(), logical.Width(), logical.Height());
    const QRect available = src.device.translated(shift).intersected(device);
    QImage* image = d.Image();
    for (const QRect& clipRect : d.EffectiveClip()) {
        const QRect r = clipRect.intersected(available);
        if (r.isEmpty())
            continue;
        const int fromX = r.left() - shift.x() - src.device.left();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto* from = reinterpret_cast<const uint32_t*>(src.pixels.constScanLine(y - shift.y() - src.device.top())) + fromX;
            auto* to = reinterpret_cast<uint32_t*>(image->scanLine(y)) + r.left();
            std::memcpy(to, from, sizeof(uint32_t) * static_cast<size_t>(r.width()));
        }
    }
}

void TCanvas::BitBlt(int x, int y, int width, int height, TCanvas* source, int sx, int sy, uint32_t rop)
{
    StretchBlt(x, y, width, height, source, sx, sy, width, height, rop);
}

void TCanvas::PatBlt(int x, int y, int width, int height, uint32_t rop)
{
    if (Rop3UsesSource(rop))
        throw EPlatformError("Raster operation " + RopName(rop) + " needs a source");
    StretchBlt(x, y, width, height, nullptr, 0, 0, width, height, rop);
}

void TCanvas::StretchBlt(int x, int y, int width, int height, TCanvas* source, int sx, int sy, int sw, int sh, uint32_t rop)
{
    const bool usesSource = Rop3UsesSource(rop);
    if (usesSource && !source)
        throw EPlatformError("Raster operation " + RopName(rop) + " needs a source");
    if ((!d->surface && !d->vector) || width == 0 || height == 0 || (usesSource && (sw == 0 || sh == 0)))
        return;
    // Negative extents mirror the picture.
    bool mirrorX = false, mirrorY = false;
    if (width < 0) x += width, width = -width, mirrorX = !mirrorX;
    if (height < 0) y += height, height = -height, mirrorY = !mirrorY;
    if (sw < 0) sx += sw, sw = -sw, mirrorX = !mirrorX;
    if (sh < 0) sy += sh, sh = -sh, mirrorY = !mirrorY;

    TSourceArea src;
    if (usesSource)
        src = TakeSource(*source, sx, sy, sw, sh);
    const QPoint srcOrigin = usesSource ? CanvasAccess::Get(*source).origin : QPoint();

    if (d->vector) {
        VectorBlit(*d, m_brush, src, QRect(sx + srcOrigin.x(), sy + srcOrigin.y(), sw, sh), mirrorX, mirrorY,
                   TRect(x, y, x + width, y + height), usesSource ? rop : (Rop3UsesPattern(rop) ? PATCOPY : rop));
        return;
    }

    // A plain copy of the same size between pictures of one kind moves whole rows: the
    // common case of showing an off-screen picture (animation frames, scrolling).
    if (rop == SRCCOPY && !mirrorX && !mirrorY && sw == width && sh == height && src.monochrome == d->Monochrome()) {
        CopyRows(*d, src, QPoint(x + d->origin.x() - sx - srcOrigin.x(), y + d->origin.y() - sy - srcOrigin.y()),
                 TRect(x, y, x + width, y + height));
        return;
    }

    d->SyncTools();
    const bool brushClear = m_brush.Style() == TBrushStyle::bsClear && !m_brush.HasPattern();
    if (Rop3UsesPattern(rop) && brushClear)
        return; // nothing to paint with, as with a null brush on the classic platform
    const TPaintSource pattern = d->BrushSource(true);
    const bool destMono = d->Monochrome();
    const uint32_t textPixel = d->SurfacePixel(d->textColor), bkPixel = d->SurfacePixel(d->bkColor);
    const QPoint org = d->origin;

    d->ForEachVisiblePixel(TRect(x, y, x + width, y + height), [&](int dx, int dy, uint32_t& dest) {
        uint32_t s = 0;
        if (usesSource) {
            int i = dx - org.x() - x, j = dy - org.y() - y;
            if (mirrorX) i = width - 1 - i;
            if (mirrorY) j = height - 1 - j;
            // The source pixel under the centre of the destination pixel.
            const int si = int((int64_t(2 * i + 1) * sw) / (2 * int64_t(width)));
            const int sj = int((int64_t(2 * j + 1) * sh) / (2 * int64_t(height)));
            if (!src.Get(sx + si + srcOrigin.x(), sy + sj + srcOrigin.y(), s))
                return;
            // Monochrome to colour: black takes the text colour, white the background;
            // colour to monochrome: the source's background colour becomes white.
            if (src.monochrome && !destMono)
                s = (s & 0xFFFFFFu) == 0 ? textPixel : bkPixel;
            else if (!src.monochrome && destMono)
                s = (s & 0xFFFFFFu) == (src.bkPixel & 0xFFFFFFu) ? 0xFFFFFFFFu : 0xFF000000u;
        }
        uint32_t p = 0;
        if (!brushClear)
            d->SourcePixelAt(pattern, dx, dy, p);
        dest = ApplyRop3(rop, p, s, dest);
    });
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap)
{
    if (!bitmap)
        throw EPlatformError("No bitmap to draw");
    StretchDraw(TRect(x, y, x + bitmap->Width(), y + bitmap->Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& rect, TBitmap* bitmap)
{
    if (!bitmap)
        throw EPlatformError("No bitmap to draw");
    if (bitmap->Empty() || rect.IsEmpty())
        return;
    if (!bitmap->Transparent()) {
        StretchBlt(rect.Left, rect.Top, rect.Width(), rect.Height(), bitmap->Canvas(), 0, 0, bitmap->Width(),
                   bitmap->Height(), SRCCOPY);
        return;
    }
    // Pixels of the transparent colour leave the canvas as it was.
    const QImage& image = BitmapImage(*bitmap);
    const uint32_t key = ColorToPixel(ColorToRGB(bitmap->TransparentColor()) & 0xFFFFFF) & 0xFFFFFFu;
    if (d->vector) {
        QImage picture = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<uint32_t*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                if ((line[x] & 0xFFFFFFu) == key)
                    line[x] = 0;
        }
        d->VectorImage(picture, rect);
        return;
    }
    const QPoint org = d->origin;
    const bool destMono = d->Monochrome();
    d->ForEachVisiblePixel(rect, [&](int dx, int dy, uint32_t& dest) {
        const int i = dx - org.x() - rect.Left, j = dy - org.y() - rect.Top;
        const int si = int((int64_t(2 * i + 1) * image.width()) / (2 * int64_t(rect.Width())));
        const int sj = int((int64_t(2 * j + 1) * image.height()) / (2 * int64_t(rect.Height())));
        const uint32_t s = reinterpret_cast<const uint32_t*>(image.constScanLine(sj))[si];
        if ((s & 0xFFFFFFu) != key)
            dest = destMono ? MonochromePixel(s) : s;
    });
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src)
{
    StretchBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), source, src.Left, src.Top, src.Width(), src.Height(), SRCCOPY);
}
