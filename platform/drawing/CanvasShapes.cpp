// Lines and closed shapes with the classic geometry.
#include "platform/drawing/Canvas.h"

#include "platform/core/Exception.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/VectorSink.h"

#include <algorithm>
#include <cmath>

namespace {

// On/off run lengths of the dashed styles of a one-pixel pen.
const std::vector<int>& DashPattern(TPenStyle style)
{
    static const std::vector<int> none;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case TPenStyle::psDash: return dash;
    case TPenStyle::psDot: return dot;
    case TPenStyle::psDashDot: return dashDot;
    case TPenStyle::psDashDotDot: return dashDotDot;
    default: return none;
    }
}

bool DashOn(const std::vector<int>& pattern, int phase)
{
    int period = 0;
    for (int run : pattern)
        period += run;
    phase %= period;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (phase < pattern[i])
            return i % 2 == 0;
        phase -= pattern[i];
    }
    return true;
}

void AppendPixel(TSpans& spans, int x, int y)
{
    if (!spans.empty() && spans.back().y == y && spans.back().x1 == x) {
        ++spans.back().x1;
        return;
    }
    spans.push_back({y, x, x + 1});
}

bool PenIsNull(const TPen& pen)
{
    return pen.Style() == TPenStyle::psClear;
}

// Coordinates are kept well inside the integer range so that pen offsets and
// corner arithmetic cannot overflow; nothing that far away can be visible anyway.
constexpr int kCoordinateLimit = 1 << 28;

int Clamp(int v)
{
    return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

TPoint Clamp(TPoint p)
{
    return TPoint(Clamp(p.X), Clamp(p.Y));
}

TRect Normalized(int l, int t, int r, int b)
{
    l = Clamp(l), t = Clamp(t), r = Clamp(r), b = Clamp(b);
    return TRect(std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b));
}

std::vector<TPoint> ClampedPoints(const TPoint* points, int count)
{
    std::vector<TPoint> out;
    out.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        out.push_back(Clamp(points[i]));
    return out;
}

TVectorPen VectorPenOf(const TPen& pen)
{
    TVectorPen out;
    out.Color = ColorToRGB(pen.Color()) & 0xFFFFFF;
    out.Width = std::max(1, pen.Width());
    return out;
}

// The centre of the last pixel a one-pixel pen draws from a to b (the end pixel is
// left out), as ForEachLinePixel steps; false when the segment draws nothing.
bool LastDrawnPixel(TPoint a, TPoint b, TPoint& pixel)
{
    const int64_t dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const int64_t steps = std::abs(major);
    if (steps == 0)
        return false;
    const int64_t t = steps - 1;
    const int64_t m = (xMajor ? a.X : a.Y) + (major < 0 ? -t : t);
    const int64_t o = (xMajor ? a.Y : a.X) + (minor < 0 ? -1 : 1) * ((2 * t * std::abs(minor) + steps) / (2 * steps));
    pixel = xMajor ? TPoint(int(m), int(o)) : TPoint(int(o), int(m));
    return true;
}

// Moves p by half a pixel away from `towards`, along the line between them.
TVectorPoint HalfPixelBeyond(TVectorPoint p, TVectorPoint towards)
{
    const double dx = p.X - towards.X, dy = p.Y - towards.Y;
    const double length = std::hypot(dx, dy);
    if (length == 0)
        return p;
    return {p.X + 0.5 * dx / length, p.Y + 0.5 * dy / length};
}

// The vector outline of a raster path: a wide pen's squares are centred on the path's
// pixels and reach past both ends; a one-pixel pen runs from the first pixel's outer
// edge to the last drawn pixel's, the end pixel of the path left out.
std::vector<TVectorPoint> VectorPath(const std::vector<TPoint>& path, int width)
{
    std::vector<TVectorPoint> out;
    if (width > 1) {
        const double c = width / 2.0 - width / 2;
        for (const TPoint& p : path)
            out.push_back({p.X + c, p.Y + c});
        return out;
    }
    std::vector<TPoint> pixels(path);
    while (pixels.size() >= 2) {
        TPoint last;
        if (LastDrawnPixel(pixels[pixels.size() - 2], pixels.back(), last)) {
            pixels.back() = last;
            break;
        }
        pixels.pop_back(); // a segment of no length draws nothing
    }
    if (pixels.size() < 2)
        return out;
    for (const TPoint& p : pixels)
        out.push_back({p.X + 0.5, p.Y + 0.5});
    if (out.size() == 2 && out[0].X == out[1].X && out[0].Y == out[1].Y) {
        // A single pixel: a square of one pixel.
        out[0].X -= 0.5;
        out[1].X += 0.5;
        return out;
    }
    out.front() = HalfPixelBeyond(out.front(), out[1]);
    out.back() = HalfPixelBeyond(out.back(), out[out.size() - 2]);
    return out;
}

bool BrushIsClear(const TBrush& brush)
{
    return brush.Style() == TBrushStyle::bsClear && !brush.HasPattern();
}

void VectorPolyline(TCanvas& canvas, TCanvas::Private& d, const std::vector<TPoint>& path)
{
    const TPen& pen = *canvas.Pen();
    const int width = pen.Width();
    TVectorShape shape;
    shape.Kind = TVectorShapeKind::Polyline;
    shape.Points = VectorPath(path, width);
    TVectorPen outline = VectorPenOf(pen);
    outline.SquareCaps = width > 1;
    const auto& pattern = width > 1 ? DashPattern(TPenStyle::psSolid) : DashPattern(pen.Style());
    outline.Dashes.assign(pattern.begin(), pattern.end());
    outline.DashOffset = d.dashPhase;
    // The dashes run on from one segment to the next, as on a bitmap.
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        const TPoint delta = path[i + 1] - path[i];
        d.dashPhase = int((int64_t(d.dashPhase) + std::max(std::abs(delta.X), std::abs(delta.Y))) % 1000000);
    }
    if (shape.Points.size() < 2)
        return;
    if (!pattern.empty() && d.bkMode == OPAQUE) {
        // Gaps take the background colour.
        TVectorPen gaps = outline;
        gaps.Color = ColorToRGB(d.bkColor) & 0xFFFFFF;
        gaps.Dashes.clear();
        shape.Pen = &gaps;
        d.VectorShape(shape);
    }
    shape.Pen = &outline;
    d.VectorShape(shape);
}

void VectorPolygon(TCanvas& canvas, TCanvas::Private& d, const std::vector<TPoint>& points)
{
    const TPen& pen = *canvas.Pen();
    const TBrush& brush = *canvas.Brush();
    const bool outlined = !PenIsNull(pen);
    // Filled alone, the vertices are pixel corners (top and left edges inside); with
    // an outline, both run through the outline's pixels.
    const int width = outlined ? std::max(1, pen.Width()) : 0;
    const double c = width == 0 ? 0.0 : width == 1 ? 0.5 : width / 2.0 - width / 2;
    TVectorShape shape;
    shape.Kind = TVectorShapeKind::Polygon;
    for (const TPoint& p : points)
        shape.Points.push_back({p.X + c, p.Y + c});
    TVectorFill fill;
    fill.Color = ColorToRGB(brush.Color()) & 0xFFFFFF;
    fill.EvenOdd = canvas.PolyFillMode() == ALTERNATE;
    if (!BrushIsClear(brush))
        shape.Fill = &fill;
    TVectorPen outline = VectorPenOf(pen);
    if (outlined)
        shape.Pen = &outline;
    if (shape.Fill || shape.Pen)
        d.VectorShape(shape);
}

// A rectangle, rounded rectangle or ellipse in box with the raster geometry: without a
// pen the fill stops a pixel short at the right and bottom; a pen's band is centred on
// the border pixels (or kept inside box for an inside-frame pen) and the fill runs
// under it up to its middle.
void VectorShape(TCanvas::Private& d, const TPen& pen, const TBrush& brush, const TRect& box, int ew, int eh)
{
    const bool ellipse = ew >= box.Width() && eh >= box.Height();
    const int width = PenIsNull(pen) ? 0 : std::max(1, pen.Width());
    TVectorShape shape;
    shape.Kind = ellipse ? TVectorShapeKind::Ellipse : TVectorShapeKind::Rectangle;
    TVectorPen outline = VectorPenOf(pen);
    TVectorFill fill;
    fill.Color = ColorToRGB(brush.Color()) & 0xFFFFFF;
    if (!BrushIsClear(brush))
        shape.Fill = &fill;
    double rx = 0, ry = 0;
    if (width == 0) {
        shape.Bounds = {double(box.Left), double(box.Top), box.Right - 1.0, box.Bottom - 1.0};
        rx = ew / 2.0, ry = eh / 2.0;
    } else {
        const int half = width / 2;
        const TRect outer = pen.Style() == TPenStyle::psInsideFrame || width == 1
            ? box
            : TRect(box.Left - half, box.Top - half, box.Right - 1 - half + width, box.Bottom - 1 - half + width);
        const double inset = width / 2.0;
        shape.Bounds = {outer.Left + inset, outer.Top + inset, outer.Right - inset, outer.Bottom - inset};
        const int growth = outer.Width() - box.Width();
        rx = std::max(0.0, (ew + growth) / 2.0 - inset);
        ry = std::max(0.0, (eh + growth) / 2.0 - inset);
        shape.Pen = &outline;
    }
    if (!ellipse && ew >= 2 && eh >= 2) {
        shape.RadiusX = rx;
        shape.RadiusY = ry;
    }
    if (shape.Bounds.Width() < 0 || shape.Bounds.Height() < 0 || (!shape.Fill && !shape.Pen))
        return;
    d.VectorShape(shape);
}

} // namespace

void TCanvas::MoveTo(int x, int y)
{
    m_penPos = TPoint(x, y);
    d->dashPhase = 0;
}

void TCanvas::LineTo(int x, int y)
{
    Polyline(std::vector<TPoint>{m_penPos, TPoint(x, y)});
    m_penPos = TPoint(x, y);
}

void TCanvas::Polyline(const TPoint* points, int count)
{
    if (count < 0 || (count > 0 && !points))
        throw EPlatformError("Invalid point list");
    if (count < 2 || PenIsNull(m_pen))
        return;
    const std::vector<TPoint> path = ClampedPoints(points, count);
    const TPaintSource pen = d->PenSource();
    const int width = m_pen.Width();
    if (d->vector) {
        VectorPolyline(*this, *d, path);
        return;
    }
    const TRect visible = d->VisibleLogical(width + 1);
    if (visible.IsEmpty())
        return;
    if (width > 1) {
        // A wide pen covers a width x width square around every pixel of the path,
        // ends included; collecting the pixels first paints each once.
        const int half = width / 2;
        int l = path[0].X, t = path[0].Y, r = l, b = t;
        for (const TPoint& p : path) {
            l = std::min(l, p.X), t = std::min(t, p.Y);
            r = std::max(r, p.X), b = std::max(b, p.Y);
        }
        TPixelSet pixels(TRect(l - half, t - half, r - half + width, b - half + width).Intersect(visible));
        for (size_t i = 0; i + 1 < path.size(); ++i)
            ForEachLinePixel(path[i], path[i + 1], true, visible, [&](int x, int y, int) {
                pixels.AddRect(x - half, y - half, x - half + width, y - half + width);
            });
        d->PaintSpans(pixels.Spans(), pen);
        return;
    }
    // A one-pixel pen leaves out the last pixel of each segment; dashes continue from
    // one segment to the next, and gaps take the background colour in opaque mode.
    const auto& pattern = DashPattern(m_pen.Style());
    TSpans on, off;
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        const int phase = d->dashPhase;
        ForEachLinePixel(path[i], path[i + 1], false, visible, [&](int x, int y, int n) {
            const bool drawn = pattern.empty() || DashOn(pattern, phase + n);
            AppendPixel(drawn ? on : off, x, y);
        });
        const TPoint delta = path[i + 1] - path[i];
        d->dashPhase = int((int64_t(phase) + std::max(std::abs(delta.X), std::abs(delta.Y))) % 1000000);
    }
    d->PaintSpans(on, pen);
    if (!off.empty() && d->bkMode == OPAQUE)
        d->PaintSpans(off, d->SolidSource(d->bkColor, d->rop2));
}

void TCanvas::Polygon(const TPoint* points, int count)
{
    if (count < 0 || (count > 0 && !points))
        throw EPlatformError("Invalid point list");
    if (count < 2)
        return;
    if (d->vector) {
        VectorPolygon(*this, *d, ClampedPoints(points, count));
        return;
    }
    // The outline is the closed one-pixel (or wide) path; the fill takes the pixels
    // inside the polygon that the outline does not cover.
    std::vector<TPoint> closed = ClampedPoints(points, count);
    closed.push_back(closed[0]);
    const TRect visible = d->VisibleLogical(m_pen.Width() + 1);
    if (visible.IsEmpty())
        return;
    TSpans outline;
    if (!PenIsNull(m_pen)) {
        const int width = m_pen.Width();
        const int half = width > 1 ? width / 2 : 0;
        const int w = std::max(1, width);
        int l = closed[0].X, t = closed[0].Y, r = l, b = t;
        for (const TPoint& p : closed)
            l = std::min(l, p.X), t = std::min(t, p.Y), r = std::max(r, p.X), b = std::max(b, p.Y);
        TPixelSet pixels(TRect(l - half, t - half, r - half + w, b - half + w).Intersect(visible));
        for (size_t i = 0; i + 1 < closed.size(); ++i)
            ForEachLinePixel(closed[i], closed[i + 1], true, visible, [&](int x, int y, int) {
                pixels.AddRect(x - half, y - half, x - half + w, y - half + w);
            });
        outline = pixels.Spans();
    }
    const bool brushClear = m_brush.Style() == TBrushStyle::bsClear && !m_brush.HasPattern();
    if (!brushClear) {
        TSpans fill = PolygonSpans(closed.data(), count, m_polyFillMode == WINDING, {visible.Top, visible.Bottom});
        // Take the outline's pixels out of the fill so that no pixel is painted twice.
        TSpans inside;
        for (const TSpan& s : fill) {
            int x = s.x0;
            for (const TSpan& o : outline) {
                if (o.y != s.y || o.x1 <= x || o.x0 >= s.x1)
                    continue;
                if (o.x0 > x)
                    inside.push_back({s.y, x, o.x0});
                x = std::max(x, o.x1);
            }
            if (x < s.x1)
                inside.push_back({s.y, x, s.x1});
        }
        d->PaintSpans(inside, d->BrushSource(false));
    }
    if (!outline.empty())
        d->PaintSpans(outline, d->PenSource());
}

namespace {

void DrawShape(TCanvas& canvas, TCanvas::Private& d, const TRect& box, int ew, int eh)
{
    if (box.IsEmpty())
        return;
    const TPen& pen = *canvas.Pen();
    const TBrush& brush = *canvas.Brush();
    const int penWidth = pen.Style() == TPenStyle::psClear ? 0 : pen.Width();
    if (d.vector) {
        VectorShape(d, pen, brush, box, ew, eh);
        return;
    }
    const TRect visible = d.VisibleLogical(penWidth + 1);
    if (visible.IsEmpty() || !visible.Intersects(box.Inflate(penWidth + 1, penWidth + 1)))
        return;
    TSpans outline, interior;
    ShapeSpans(box, ew, eh, penWidth, pen.Style() == TPenStyle::psInsideFrame, outline, interior,
               {visible.Top, visible.Bottom});
    if (!(brush.Style() == TBrushStyle::bsClear && !brush.HasPattern()))
        d.PaintSpans(interior, d.BrushSource(false));
    d.PaintSpans(outline, d.PenSource());
}

} // namespace

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    const TRect box = Normalized(left, top, right, bottom);
    if (m_pen.Width() > 1 || DashPattern(m_pen.Style()).empty() || box.IsEmpty()) {
        DrawShape(*this, *d, box, 0, 0);
        return;
    }
    // A dashed one-pixel pen: the fill as for a solid pen, then the frame as one closed
    // dashed path, so its dashes run on round the corners. Neither the pen position
    // nor the dash phase of line drawing changes.
    const TPoint penPos = m_penPos;
    const int phase = d->dashPhase;
    const bool brushClear = m_brush.Style() == TBrushStyle::bsClear && !m_brush.HasPattern();
    if (!brushClear && box.Width() > 2 && box.Height() > 2) {
        const TRect inside = box.Inflate(-1, -1).Intersect(d->VisibleLogical(1));
        TSpans interior;
        for (int y = inside.Top; y < inside.Bottom; ++y)
            interior.push_back({y, inside.Left, inside.Right});
        d->PaintSpans(interior, d->BrushSource(false));
    }
    d->dashPhase = 0;
    const int r = box.Right - 1, b = box.Bottom - 1;
    if (box.Height() == 1) {
        Polyline(std::vector<TPoint>{{box.Left, box.Top}, {box.Right, box.Top}});
    } else if (box.Width() == 1) {
        Polyline(std::vector<TPoint>{{box.Left, box.Top}, {box.Left, box.Bottom}});
    } else {
        Polyline(std::vector<TPoint>{{box.Left, box.Top}, {r, box.Top}, {r, b}, {box.Left, b}, {box.Left, box.Top}});
    }
    d->dashPhase = phase;
    m_penPos = penPos;
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    DrawShape(*this, *d, Normalized(left, top, right, bottom), std::abs(ellipseWidth), std::abs(ellipseHeight));
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    const TRect box = Normalized(left, top, right, bottom);
    DrawShape(*this, *d, box, box.Width(), box.Height());
}
