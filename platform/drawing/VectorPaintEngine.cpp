#include "platform/drawing/VectorPaintEngine_p.h"

#include "platform/drawing/VectorSink.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextItem>

#include <cmath>

namespace {

TColor ToColor(const QColor& color)
{
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}

TVectorPoint ToPoint(const QPointF& p)
{
    return {p.x(), p.y()};
}

} // namespace

// Everything the painter draws is mapped to the surface here (the engine claims every
// feature, so the painter hands over untransformed primitives with its transform).
class TVectorPaintEngine : public QPaintEngine {
public:
    explicit TVectorPaintEngine(TCanvas::Private& canvas) : QPaintEngine(AllFeatures), m_canvas(canvas) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return User; }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QString text = item.text();
        if (text.isEmpty())
            return;
        const QTransform t = painter()->combinedTransform();
        const QFont font = item.font();
        TVectorText run;
        run.Text = text.toStdString();
        run.Origin = ToPoint(t.map(p));
        run.Angle = -std::atan2(t.m12(), t.m11()) * 180.0 / M_PI;
        if (std::abs(run.Angle) < 1e-9)
            run.Angle = 0;
        run.Width = item.width();
        run.Ascent = item.ascent();
        run.Descent = item.descent();
        run.Family = QFontInfo(font).family().toStdString();
        run.PixelSize = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
        run.Weight = font.weight();
        run.Italic = font.italic();
        run.Color = ToColor(painter()->pen().color());
        const QRectF box = t.mapRect(QRectF(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent()));
        if (Clip(box))
            m_canvas.vector->Text(run);
    }

    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            drawPolygon(rects[i], true);
    }

    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            drawPolygon(QRectF(rects[i]), true);
    }

    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            drawPolygon(QPolygonF({lines[i].p1(), lines[i].p2()}), false);
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon << points[i];
        drawPolygon(polygon, mode != PolylineMode);
    }

    void drawPath(const QPainterPath& path) override
    {
        for (const QPolygonF& polygon : path.toFillPolygons())
            drawPolygon(polygon, true);
    }

    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override
    {
        drawImage(r, pixmap.toImage(), sr, Qt::AutoColor);
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override
    {
        const QImage part = image.copy(sr.toRect()).convertToFormat(QImage::Format_ARGB32);
        const QRectF device = painter()->combinedTransform().mapRect(r);
        if (!Clip(device))
            return;
        TVectorImage picture;
        picture.Width = part.width();
        picture.Height = part.height();
        std::vector<uint32_t> pixels;
        for (int y = 0; y < part.height(); ++y) {
            const auto* line = reinterpret_cast<const uint32_t*>(part.constScanLine(y));
            pixels.insert(pixels.end(), line, line + part.width());
        }
        picture.Pixels = pixels.data();
        picture.Dest = {device.left(), device.top(), device.right(), device.bottom()};
        picture.HasAlpha = part.hasAlphaChannel();
        m_canvas.vector->Image(picture);
    }

private:
    // A rectangle, line or polygon in the painter's brush and pen.
    void drawPolygon(const QPolygonF& logical, bool closed)
    {
        const QTransform t = painter()->combinedTransform();
        const QPen pen = painter()->pen();
        const QBrush brush = painter()->brush();
        TVectorFill fill;
        fill.Color = ToColor(brush.color());
        TVectorPen outline;
        outline.Color = ToColor(pen.color());
        outline.Width = pen.widthF() > 0 ? pen.widthF() : 1;
        TVectorShape shape;
        const QPolygonF device = t.map(logical);
        const bool rectangle = closed && t.isAffine() && !t.isRotating() && logical.size() == 4 + (logical.isClosed() ? 1 : 0);
        if (rectangle) {
            const QRectF r = device.boundingRect();
            shape.Bounds = {r.left(), r.top(), r.right(), r.bottom()};
        } else {
            shape.Kind = closed ? TVectorShapeKind::Polygon : TVectorShapeKind::Polyline;
            for (const QPointF& p : device)
                shape.Points.push_back(ToPoint(p));
        }
        if (closed && brush.style() != Qt::NoBrush)
            shape.Fill = &fill;
        if (pen.style() != Qt::NoPen)
            shape.Pen = &outline;
        if (!shape.Fill && !shape.Pen)
            return;
        const double reach = shape.Pen ? outline.Width : 0;
        if (Clip(device.boundingRect().adjusted(-reach, -reach, reach, reach)))
            m_canvas.vector->Shape(shape);
    }

    // The sink's clip made the painter's for a drawing covering box (device
    // coordinates); false when nothing of it shows.
    bool Clip(const QRectF& box)
    {
        QRegion clip = m_canvas.EffectiveClip();
        if (painter()->hasClipping())
            clip = clip.intersected(painter()->transform().map(painter()->clipRegion()));
        return m_canvas.SendVectorClip(clip, box);
    }

    TCanvas::Private& m_canvas;
};

TVectorPaintDevice::TVectorPaintDevice(TCanvas::Private& canvas)
    : m_engine(std::make_unique<TVectorPaintEngine>(canvas)), m_bounds(canvas.vectorBounds)
{
    // Fonts measure as they do on a bitmap.
    const QImage probe(1, 1, QImage::Format_RGB32);
    m_dpiX = probe.logicalDpiX();
    m_dpiY = probe.logicalDpiY();
}

TVectorPaintDevice::~TVectorPaintDevice() = default;

QPaintEngine* TVectorPaintDevice::paintEngine() const
{
    return m_engine.get();
}

int TVectorPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_bounds.right() + 1;
    case PdmHeight: return m_bounds.bottom() + 1;
    case PdmWidthMM: return int((m_bounds.right() + 1) * 25.4 / m_dpiX);
    case PdmHeightMM: return int((m_bounds.bottom() + 1) * 25.4 / m_dpiY);
    case PdmNumColors: return 0xFFFFFF;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmPhysicalDpiX: return m_dpiX;
    case PdmDpiY:
    case PdmPhysicalDpiY: return m_dpiY;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    default: return 0;
    }
}
