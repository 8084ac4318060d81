// The vector surface of a canvas: binding, clipping and the fills and pictures the
// primitives send to the sink.
#include "platform/drawing/VectorCanvas.h"

#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/VectorPaintEngine_p.h"
#include "platform/drawing/VectorSink.h"

#include <algorithm>

// ---- Binding -----------------------------------------------------------------------

TVectorCanvas::TVectorCanvas(TVectorSink& Sink, const TRect& Bounds)
{
    auto& d = CanvasAccess::Get(*this);
    d.vector = &Sink;
    d.vectorBounds = QRect(Bounds.Left, Bounds.Top, std::max(0, Bounds.Width()), std::max(0, Bounds.Height()));
    d.origin = QPoint();
    d.InvalidateClip();
}

TVectorCanvas::~TVectorCanvas() = default;

bool IsVectorCanvas(TCanvas* Canvas)
{
    return Canvas && CanvasAccess::Get(*Canvas).vector;
}

void BeginCanvasGroup(TCanvas* Canvas, const std::string& Kind, const std::string& Name)
{
    if (IsVectorCanvas(Canvas))
        CanvasAccess::Get(*Canvas).vector->BeginGroup(Kind, Name);
}

void EndCanvasGroup(TCanvas* Canvas)
{
    if (IsVectorCanvas(Canvas))
        CanvasAccess::Get(*Canvas).vector->EndGroup();
}

// ---- Clipping ----------------------------------------------------------------------

bool TCanvas::Private::SendVectorClip(const QRegion& clip, const QRectF& deviceBox)
{
    const QRect box = deviceBox.toAlignedRect();
    if (clip.isEmpty() || (!box.isEmpty() && !clip.intersects(box)))
        return false;
    // A drawing that lies inside both the clip it needs and the one the sink has looks
    // the same under either: the sink's stays.
    auto inside = [&](const QRegion& region) { return !box.isEmpty() && QRegion(box).subtracted(region).isEmpty(); };
    if (clipSent && (clip == sentClip || (inside(clip) && inside(sentClip))))
        return true;
    std::vector<TRect> rects;
    if (clip != QRegion(vectorBounds))
        for (const QRect& r : clip)
            rects.emplace_back(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    vector->SetClip(rects);
    sentClip = clip;
    clipSent = true;
    return true;
}

// ---- Primitives ----------------------------------------------------------------------

TColor TCanvas::Private::SourceColor(const TPaintSource& source)
{
    const uint32_t pixel = source.kind == TPaintSource::Kind::Solid ? source.pixel : source.brushPixel;
    return PixelToColor(pixel) & 0xFFFFFF;
}

void TCanvas::Private::VectorShape(TVectorShape& shape)
{
    const double dx = origin.x(), dy = origin.y();
    shape.Bounds = {shape.Bounds.Left + dx, shape.Bounds.Top + dy, shape.Bounds.Right + dx, shape.Bounds.Bottom + dy};
    for (TVectorPoint& p : shape.Points)
        p = {p.X + dx, p.Y + dy};
    TVectorRect box = shape.Bounds;
    if (!shape.Points.empty()) {
        box = {shape.Points[0].X, shape.Points[0].Y, shape.Points[0].X, shape.Points[0].Y};
        for (const TVectorPoint& p : shape.Points) {
            box.Left = std::min(box.Left, p.X), box.Top = std::min(box.Top, p.Y);
            box.Right = std::max(box.Right, p.X), box.Bottom = std::max(box.Bottom, p.Y);
        }
    }
    const double reach = shape.Pen ? shape.Pen->Width : 0;
    const QRectF deviceBox(QPointF(box.Left - reach, box.Top - reach), QPointF(box.Right + reach, box.Bottom + reach));
    if (SendVectorClip(EffectiveClip(), deviceBox))
        vector->Shape(shape);
}

void TCanvas::Private::VectorFillRect(const TRect& rect, TColor color)
{
    if (rect.IsEmpty())
        return;
    TVectorFill fill;
    fill.Color = color;
    TVectorShape shape;
    shape.Bounds = {double(rect.Left), double(rect.Top), double(rect.Right), double(rect.Bottom)};
    shape.Fill = &fill;
    VectorShape(shape);
}

void TCanvas::Private::VectorSpans(const TSpans& spans, TColor color)
{
    // Rows of spans with the same ends (the inside of a rectangle) make one rectangle.
    size_t i = 0;
    while (i < spans.size()) {
        const TSpan& first = spans[i];
        size_t j = i + 1;
        while (j < spans.size() && spans[j].y == spans[j - 1].y + 1 && spans[j].x0 == first.x0 && spans[j].x1 == first.x1)
            ++j;
        VectorFillRect(TRect(first.x0, first.y, first.x1, spans[j - 1].y + 1), color);
        i = j;
    }
}

void TCanvas::Private::VectorImage(const QImage& picture, const TRect& dest)
{
    if (picture.isNull() || dest.IsEmpty())
        return;
    const QImage argb = picture.format() == QImage::Format_ARGB32 ? picture : picture.convertToFormat(QImage::Format_ARGB32);
    const QRectF device(dest.Left + origin.x(), dest.Top + origin.y(), dest.Width(), dest.Height());
    if (!SendVectorClip(EffectiveClip(), device))
        return;
    // Rows of the sink's picture follow each other without padding.
    std::vector<uint32_t> pixels(size_t(argb.width()) * size_t(argb.height()));
    bool alpha = false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(argb.constScanLine(y));
        std::copy(line, line + argb.width(), pixels.begin() + ptrdiff_t(y) * argb.width());
        for (int x = 0; x < argb.width() && !alpha; ++x)
            alpha = (line[x] >> 24) != 0xFF;
    }
    TVectorImage image;
    image.Width = argb.width();
    image.Height = argb.height();
    image.Pixels = pixels.data();
    image.Dest = {device.left(), device.top(), device.right(), device.bottom()};
    image.HasAlpha = alpha;
    vector->Image(image);
}

void TCanvas::Private::VectorPainter(const std::function<void(QPainter&)>& fn)
{
    const QRegion& clip = EffectiveClip();
    if (clip.isEmpty())
        return;
    TVectorPaintDevice device(*this);
    QPainter painter(&device);
    if (clip.rectCount() == 1)
        painter.setClipRect(clip.boundingRect());
    else
        painter.setClipRegion(clip);
    painter.translate(origin);
    fn(painter);
}
