// Canvas binding, state, clipping and the pixel painting every primitive goes through.
#include "platform/drawing/Canvas.h"

#include "platform/core/Exception.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/Region_p.h"

#include <algorithm>

namespace {

bool BrushIsClear(const TBrush& brush)
{
    return brush.Style() == TBrushStyle::bsClear && !brush.HasPattern();
}

// Whether a hatch style puts a line on pattern pixel (x, y), both taken modulo 8.
bool HatchCovers(TBrushStyle style, int x, int y)
{
    x &= 7;
    y &= 7;
    switch (style) {
    case TBrushStyle::bsHorizontal: return y == 0;
    case TBrushStyle::bsVertical: return x == 0;
    case TBrushStyle::bsFDiagonal: return ((x - y) & 7) == 0;
    case TBrushStyle::bsBDiagonal: return ((x + y) & 7) == 7;
    case TBrushStyle::bsCross: return x == 0 || y == 0;
    case TBrushStyle::bsDiagCross: return ((x - y) & 7) == 0 || ((x + y) & 7) == 7;
    default: return true;
    }
}

void AddToSurface(TBitmap* surface, TCanvas* canvas)
{
    auto& list = BitmapAccess::Get(*surface).boundCanvases;
    if (std::find(list.begin(), list.end(), canvas) == list.end())
        list.push_back(canvas);
}

void RemoveFromSurface(TBitmap* surface, TCanvas* canvas)
{
    auto& list = BitmapAccess::Get(*surface).boundCanvases;
    list.erase(std::remove(list.begin(), list.end(), canvas), list.end());
}

} // namespace

// ---- Private -------------------------------------------------------------------

void TCanvas::Private::SyncTools()
{
    if (brushRevision != q->m_brush.Revision()) {
        brushRevision = q->m_brush.Revision();
        bkColor = q->m_brush.Color();
        bkMode = q->m_brush.Style() == TBrushStyle::bsSolid || q->m_brush.HasPattern() ? OPAQUE : TRANSPARENT;
    }
    if (fontRevision != q->m_font.Revision()) {
        fontRevision = q->m_font.Revision();
        textColor = q->m_font.Color();
    }
    if (penRevision != q->m_pen.Revision()) {
        penRevision = q->m_pen.Revision();
        rop2 = PenModeToRop2(q->m_pen.Mode());
    }
}

QImage* TCanvas::Private::Image() const
{
    return surface ? &BitmapImage(*surface) : nullptr;
}

bool TCanvas::Private::Monochrome() const
{
    return surface && surface->Monochrome();
}

QRect TCanvas::Private::SurfaceRect() const
{
    if (vector)
        return vectorBounds;
    return surface ? QRect(0, 0, surface->Width(), surface->Height()) : QRect();
}

const QRegion& TCanvas::Private::EffectiveClip() const
{
    const QSize size = surface ? QSize(surface->Width(), surface->Height()) : QSize();
    if (clipCacheValid && size == clipCacheSurfaceSize)
        return clipCache;
    clipCacheValid = true;
    clipCacheSurfaceSize = size;
    if (vector) {
        clipCache = hasUserClip ? userClip.intersected(vectorBounds) : QRegion(vectorBounds);
        return clipCache;
    }
    if (!surface) {
        clipCache = QRegion();
        return clipCache;
    }
    clipCache = wholeSurface ? QRegion(SurfaceRect()) : deviceClip.intersected(SurfaceRect());
    if (hasUserClip)
        clipCache = clipCache.intersected(userClip);
    return clipCache;
}

uint32_t TCanvas::Private::SurfacePixel(TColor color) const
{
    const uint32_t p = ColorToPixel(ColorToRGB(color) & 0xFFFFFF);
    return Monochrome() ? MonochromePixel(p) : p;
}

TPaintSource TCanvas::Private::SolidSource(TColor color, int rop) const
{
    TPaintSource s;
    s.kind = TPaintSource::Kind::Solid;
    s.pixel = SurfacePixel(color);
    s.rop2 = rop;
    return s;
}

TPaintSource TCanvas::Private::PenSource()
{
    SyncTools();
    return SolidSource(q->m_pen.Color(), rop2);
}

TPaintSource TCanvas::Private::BrushSource(bool forceCopy)
{
    SyncTools();
    const TBrush& brush = q->m_brush;
    const int rop = forceCopy ? R2_COPYPEN : rop2;
    if (!brush.HasPattern() && brush.Style() == TBrushStyle::bsSolid)
        return SolidSource(brush.Color(), rop);
    TPaintSource s;
    s.kind = TPaintSource::Kind::Brush;
    s.brush = &brush;
    s.brushPixel = SurfacePixel(brush.Color());
    s.textPixel = SurfacePixel(textColor);
    s.bkPixel = SurfacePixel(bkColor);
    s.gapsTransparent = bkMode == TRANSPARENT;
    s.patternOrigin = ToDevice(brushOrigin);
    s.rop2 = rop;
    return s;
}

void TCanvas::Private::ForEachClippedSpan(int y, int x0, int x1, const std::function<void(int, int, int)>& visit) const
{
    if (x1 <= x0 || !surface)
        return;
    const QRegion& clip = EffectiveClip();
    for (const QRect& r : clip) {
        if (y < r.top() || y > r.bottom())
            continue;
        const int a = std::max(x0, r.left()), b = std::min(x1, r.right() + 1);
        if (b > a)
            visit(y, a, b);
    }
}

void TCanvas::Private::PaintDeviceSpan(int y, int x0, int x1, const TPaintSource& source)
{
    auto* line = reinterpret_cast<uint32_t*>(Image()->scanLine(y));
    if (source.kind == TPaintSource::Kind::Solid) {
        if (source.rop2 == R2_COPYPEN) {
            std::fill(line + x0, line + x1, source.pixel);
            return;
        }
        for (int x = x0; x < x1; ++x)
            line[x] = ApplyRop2(source.rop2, source.pixel, line[x]);
        return;
    }
    for (int x = x0; x < x1; ++x) {
        uint32_t pixel;
        if (!SourcePixelAt(source, x, y, pixel))
            continue;
        line[x] = source.rop2 == R2_COPYPEN ? pixel : ApplyRop2(source.rop2, pixel, line[x]);
    }
}

bool TCanvas::Private::SourcePixelAt(const TPaintSource& source, int x, int y, uint32_t& pixel) const
{
    if (source.kind == TPaintSource::Kind::Solid) {
        pixel = source.pixel;
        return true;
    }
    const TBrush& brush = *source.brush;
    const int px = x - source.patternOrigin.X, py = y - source.patternOrigin.Y;
    if (brush.HasPattern()) {
        const uint32_t p = ColorToPixel(brush.PatternPixel(px, py));
        if (brush.PatternIsMonochrome())
            pixel = (p & 0xFFFFFFu) == 0 ? source.textPixel : source.bkPixel;
        else
            pixel = Monochrome() ? MonochromePixel(p) : p;
        return true;
    }
    if (HatchCovers(brush.Style(), px, py)) {
        pixel = source.brushPixel;
        return true;
    }
    pixel = source.bkPixel;
    return !source.gapsTransparent;
}

void TCanvas::Private::PaintSpans(const TSpans& spans, const TPaintSource& source)
{
    if (vector) {
        VectorSpans(spans, SourceColor(source));
        return;
    }
    if (!surface || spans.empty())
        return;
    const QRegion& clip = EffectiveClip();
    if (clip.isEmpty())
        return;
    for (const TSpan& span : spans) {
        const int y = span.y + origin.y();
        const int x0 = span.x0 + origin.x(), x1 = span.x1 + origin.x();
        for (const QRect& r : clip) {
            if (y < r.top() || y > r.bottom())
                continue;
            const int a = std::max(x0, r.left()), b = std::min(x1, r.right() + 1);
            if (b > a)
                PaintDeviceSpan(y, a, b, source);
        }
    }
}

void TCanvas::Private::PaintLogicalRect(const TRect& rect, const TPaintSource& source)
{
    if (vector) {
        VectorFillRect(rect, SourceColor(source));
        return;
    }
    if (!surface || rect.IsEmpty())
        return;
    const QRect device(rect.Left + origin.x(), rect.Top + origin.y(), rect.Width(), rect.Height());
    for (const QRect& clipRect : EffectiveClip()) {
        const QRect r = clipRect.intersected(device);
        for (int y = r.top(); y <= r.bottom(); ++y)
            PaintDeviceSpan(y, r.left(), r.right() + 1, source);
    }
}

void TCanvas::Private::ForEachVisiblePixel(const TRect& logical, const std::function<void(int, int, uint32_t&)>& fn)
{
    if (!surface || logical.IsEmpty())
        return;
    const QRect device(logical.Left + origin.x(), logical.Top + origin.y(), logical.Width(), logical.Height());
    QImage* image = Image();
    for (const QRect& clipRect : EffectiveClip()) {
        const QRect r = clipRect.intersected(device);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* line = reinterpret_cast<uint32_t*>(image->scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x)
                fn(x, y, line[x]);
        }
    }
}

void TCanvas::Private::WithPainter(const TRect& affected, const std::function<void(QPainter&)>& fn)
{
    if (vector) {
        VectorPainter(fn);
        return;
    }
    if (!surface)
        return;
    const QRegion& clip = EffectiveClip();
    if (clip.isEmpty())
        return;
    {
        QPainter painter(Image());
        if (clip.rectCount() == 1)
            painter.setClipRect(clip.boundingRect());
        else
            painter.setClipRegion(clip);
        painter.translate(origin);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, !Monochrome());
        fn(painter);
    }
    if (Monochrome())
        ForEachVisiblePixel(affected, [](int, int, uint32_t& p) { p = MonochromePixel(p); });
}

// ---- Binding -------------------------------------------------------------------

TCanvas::TCanvas() : d(std::make_unique<Private>())
{
    d->q = this;
    d->penRevision = m_pen.Revision();
    d->brushRevision = m_brush.Revision();
    d->fontRevision = m_font.Revision();
    d->bkColor = m_brush.Color();
    d->textColor = m_font.Color();
}

TCanvas::~TCanvas()
{
    UnbindSurface();
}

void TCanvas::BindSurface(TBitmap* surface, TPoint origin, const TRegion& deviceClip)
{
    if (!surface)
        throw EPlatformError("Cannot bind a canvas to no surface");
    if (d->surface && d->surface != surface)
        RemoveFromSurface(d->surface, this);
    d->surface = surface;
    d->vector = nullptr;
    d->origin = QPoint(origin.X, origin.Y);
    d->wholeSurface = false;
    d->deviceClip = RegionAccess::Get(deviceClip);
    d->hasUserClip = false;
    d->userClip = QRegion();
    d->dashPhase = 0;
    d->InvalidateClip();
    AddToSurface(surface, this);
}

void TCanvas::BindSurface(TBitmap* surface)
{
    BindSurface(surface, TPoint(0, 0), TRegion());
    d->wholeSurface = true;
    d->InvalidateClip();
}

void TCanvas::UnbindSurface()
{
    if (d->surface)
        RemoveFromSurface(d->surface, this);
    d->surface = nullptr;
    d->vector = nullptr;
    d->deviceClip = QRegion();
    d->hasUserClip = false;
    d->userClip = QRegion();
    d->InvalidateClip();
}

bool TCanvas::HasSurface() const { return d->surface != nullptr || d->vector != nullptr; }
TBitmap* TCanvas::Surface() const { return d->surface; }
TPoint TCanvas::Origin() const { return {d->origin.x(), d->origin.y()}; }

// ---- Background, text colour and modes --------------------------------------------

int TCanvas::BkMode()
{
    d->SyncTools();
    return d->bkMode;
}

int TCanvas::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        throw EPlatformError("Invalid background mode " + std::to_string(mode));
    d->SyncTools();
    return std::exchange(d->bkMode, mode);
}

TColor TCanvas::BkColor()
{
    d->SyncTools();
    return d->bkColor;
}

TColor TCanvas::SetBkColor(TColor color)
{
    d->SyncTools();
    return std::exchange(d->bkColor, color);
}

TColor TCanvas::TextColor()
{
    d->SyncTools();
    return d->textColor;
}

TColor TCanvas::SetTextColor(TColor color)
{
    d->SyncTools();
    return std::exchange(d->textColor, color);
}

int TCanvas::Rop2()
{
    d->SyncTools();
    return d->rop2;
}

int TCanvas::SetROP2(int rop2)
{
    if (rop2 < R2_BLACK || rop2 > R2_WHITE)
        throw EPlatformError("Invalid raster mode " + std::to_string(rop2));
    d->SyncTools();
    return std::exchange(d->rop2, rop2);
}

int TCanvas::SetPolyFillMode(int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        throw EPlatformError("Invalid polygon fill mode " + std::to_string(mode));
    return std::exchange(m_polyFillMode, mode);
}

TPoint TCanvas::SetBrushOrigin(TPoint origin)
{
    return std::exchange(d->brushOrigin, origin);
}

// ---- Clipping ------------------------------------------------------------------

TRegion TCanvas::ClipRegion() const
{
    return RegionAccess::Make(d->EffectiveClip().translated(-d->origin));
}

TRect TCanvas::ClipRect() const
{
    return FromQRect(d->EffectiveClip().boundingRect().translated(-d->origin));
}

bool TCanvas::HasClipRegion() const { return d->hasUserClip; }

int TCanvas::SelectClipRegion(const TRegion* region)
{
    if (!region) {
        d->hasUserClip = false;
        d->userClip = QRegion();
    } else {
        d->hasUserClip = true;
        d->userClip = RegionAccess::Get(*region).translated(d->origin);
    }
    d->InvalidateClip();
    return RegionKind(ClipRegion());
}

int TCanvas::IntersectClipRect(const TRect& rect)
{
    const QRegion r(ToQRect(rect).translated(d->origin));
    d->userClip = d->hasUserClip ? d->userClip.intersected(r) : r;
    d->hasUserClip = true;
    d->InvalidateClip();
    return RegionKind(ClipRegion());
}

int TCanvas::ExcludeClipRect(const TRect& rect)
{
    const QRegion r(ToQRect(rect).translated(d->origin));
    const QRegion base = d->hasUserClip ? d->userClip : d->EffectiveClip();
    d->userClip = base.subtracted(r);
    d->hasUserClip = true;
    d->InvalidateClip();
    return RegionKind(ClipRegion());
}

bool TCanvas::PtVisible(int x, int y) const
{
    return d->EffectiveClip().contains(QPoint(x + d->origin.x(), y + d->origin.y()));
}

bool TCanvas::RectVisible(const TRect& rect) const
{
    return !rect.IsEmpty() && d->EffectiveClip().intersects(ToQRect(rect).translated(d->origin));
}

// ---- Rectangles and pixels --------------------------------------------------------

void TCanvas::FillRect(const TRect& rect)
{
    if (BrushIsClear(m_brush))
        return;
    d->PaintLogicalRect(rect, d->BrushSource(true));
}

void TCanvas::FrameRect(const TRect& rect)
{
    if (BrushIsClear(m_brush) || rect.IsEmpty())
        return;
    const TPaintSource source = d->BrushSource(true);
    const TRect& r = rect;
    d->PaintLogicalRect(TRect(r.Left, r.Top, r.Right, r.Top + 1), source);
    if (r.Height() > 1)
        d->PaintLogicalRect(TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), source);
    if (r.Height() > 2) {
        d->PaintLogicalRect(TRect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), source);
        if (r.Width() > 1)
            d->PaintLogicalRect(TRect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1), source);
    }
}

void TCanvas::InvertRect(const TRect& rect)
{
    d->ForEachVisiblePixel(rect, [](int, int, uint32_t& p) { p = 0xFF000000u | (~p & 0xFFFFFFu); });
}

void TCanvas::DrawFocusRect(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    d->SyncTools();
    // A halftone pattern combined by exclusive-or: pattern pixels whose x and y have
    // different parity take the background colour, the others the text colour, so
    // with the usual black text on white the dots invert and the gaps stay.
    const uint32_t onDot = d->SurfacePixel(d->bkColor) & 0xFFFFFFu;
    const uint32_t offDot = d->SurfacePixel(d->textColor) & 0xFFFFFFu;
    const QPoint org = d->origin;
    const TPoint brushOrg = d->brushOrigin;
    auto xorFrame = [&](int dx, int dy, uint32_t& p) {
        const int x = dx - org.x() - brushOrg.X, y = dy - org.y() - brushOrg.Y;
        p ^= ((x + y) & 1) ? onDot : offDot;
    };
    const TRect r = rect;
    d->ForEachVisiblePixel(TRect(r.Left, r.Top, r.Right, r.Top + 1), xorFrame);
    if (r.Height() > 1)
        d->ForEachVisiblePixel(TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), xorFrame);
    if (r.Height() > 2) {
        d->ForEachVisiblePixel(TRect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), xorFrame);
        if (r.Width() > 1)
            d->ForEachVisiblePixel(TRect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1), xorFrame);
    }
}

TColor TCanvas::Pixel(int x, int y) const
{
    if (!d->surface || !PtVisible(x, y))
        return CLR_INVALID;
    const QImage* image = d->Image();
    return PixelToColor(reinterpret_cast<const uint32_t*>(image->constScanLine(y + d->origin.y()))[x + d->origin.x()]);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    const uint32_t pixel = d->SurfacePixel(color);
    d->ForEachVisiblePixel(TRect(x, y, x + 1, y + 1), [&](int, int, uint32_t& p) { p = pixel; });
}

// ---- Handle-based calls ------------------------------------------------------------

namespace {

TCanvas& Checked(HDC dc)
{
    if (!dc)
        throw EPlatformError("Invalid device context");
    return *dc;
}

} // namespace

TPoint MoveToEx(HDC dc, int x, int y)
{
    const TPoint old = Checked(dc).PenPos();
    dc->MoveTo(x, y);
    return old;
}

bool LineTo(HDC dc, int x, int y) { Checked(dc).LineTo(x, y); return true; }
bool Rectangle(HDC dc, int l, int t, int r, int b) { Checked(dc).Rectangle(l, t, r, b); return true; }
bool Ellipse(HDC dc, int l, int t, int r, int b) { Checked(dc).Ellipse(l, t, r, b); return true; }
bool RoundRect(HDC dc, int l, int t, int r, int b, int ew, int eh) { Checked(dc).RoundRect(l, t, r, b, ew, eh); return true; }
bool Polygon(HDC dc, const TPoint* points, int count) { Checked(dc).Polygon(points, count); return true; }
bool Polyline(HDC dc, const TPoint* points, int count) { Checked(dc).Polyline(points, count); return true; }
bool InvertRect(HDC dc, const TRect& rect) { Checked(dc).InvertRect(rect); return true; }
bool DrawFocusRect(HDC dc, const TRect& rect) { Checked(dc).DrawFocusRect(rect); return true; }

void FillRectColor(HDC dc, const TRect& rect, TColor color)
{
    auto& p = CanvasAccess::Get(Checked(dc));
    p.PaintLogicalRect(rect, p.SolidSource(color, R2_COPYPEN));
}

void FrameRectColor(HDC dc, const TRect& rect, TColor color)
{
    if (rect.IsEmpty())
        return;
    FillRectColor(dc, TRect(rect.Left, rect.Top, rect.Right, rect.Top + 1), color);
    FillRectColor(dc, TRect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), color);
    FillRectColor(dc, TRect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom), color);
    FillRectColor(dc, TRect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom), color);
}

int DrawText(HDC dc, const std::string& text, TRect* rect, unsigned format)
{
    if (!rect)
        throw EPlatformError("DrawText needs a rectangle");
    return Checked(dc).DrawText(text, *rect, format);
}

bool ExtTextOut(HDC dc, int x, int y, unsigned options, const TRect* rect, const std::string& text)
{
    Checked(dc).ExtTextOut(x, y, options, rect, text);
    return true;
}

bool TextOut(HDC dc, int x, int y, const std::string& text) { Checked(dc).TextOut(x, y, text); return true; }

bool GetTextExtentPoint32(HDC dc, const std::string& text, TSize* size)
{
    if (!size)
        throw EPlatformError("GetTextExtentPoint32 needs a size");
    *size = Checked(dc).TextExtent(text);
    return true;
}

bool GetTextMetrics(HDC dc, TEXTMETRIC* metrics)
{
    if (!metrics)
        throw EPlatformError("GetTextMetrics needs a record");
    *metrics = Checked(dc).GetTextMetrics();
    return true;
}

bool DrawEdge(HDC dc, TRect* rect, unsigned edge, unsigned flags)
{
    if (!rect)
        throw EPlatformError("DrawEdge needs a rectangle");
    return Checked(dc).DrawEdge(*rect, edge, flags);
}

bool DrawFrameControl(HDC dc, TRect* rect, unsigned type, unsigned state)
{
    if (!rect)
        throw EPlatformError("DrawFrameControl needs a rectangle");
    return Checked(dc).DrawFrameControl(*rect, type, state);
}

bool BitBlt(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy, uint32_t rop)
{
    Checked(dest).BitBlt(x, y, w, h, source, sx, sy, rop);
    return true;
}

bool StretchBlt(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy, int sw, int sh, uint32_t rop)
{
    Checked(dest).StretchBlt(x, y, w, h, source, sx, sy, sw, sh, rop);
    return true;
}

bool PatBlt(HDC dc, int x, int y, int w, int h, uint32_t rop) { Checked(dc).PatBlt(x, y, w, h, rop); return true; }
int SetBkMode(HDC dc, int mode) { return Checked(dc).SetBkMode(mode); }
TColor SetBkColor(HDC dc, TColor color) { return Checked(dc).SetBkColor(color); }
TColor SetTextColor(HDC dc, TColor color) { return Checked(dc).SetTextColor(color); }
int SetROP2(HDC dc, int rop2) { return Checked(dc).SetROP2(rop2); }
TColor GetPixel(HDC dc, int x, int y) { return Checked(dc).Pixel(x, y); }

TColor SetPixel(HDC dc, int x, int y, TColor color)
{
    Checked(dc).SetPixel(x, y, color);
    return dc->Pixel(x, y);
}
