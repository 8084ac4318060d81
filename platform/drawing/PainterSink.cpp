#include "platform/drawing/PainterSink_p.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPolygonF>

#include <cmath>

namespace {

QColor ToQColor(TColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QPen ToQPen(const TVectorPen& pen)
{
    QPen out(ToQColor(pen.Color), pen.Width);
    out.setCapStyle(pen.SquareCaps ? Qt::SquareCap : Qt::FlatCap);
    out.setJoinStyle(Qt::MiterJoin);
    if (!pen.Dashes.empty()) {
        // Qt measures dashes in pen widths.
        QList<qreal> pattern;
        for (double d : pen.Dashes)
            pattern << d / pen.Width;
        if (pattern.size() % 2)
            pattern << pattern.back();
        out.setDashPattern(pattern);
        out.setDashOffset(pen.DashOffset / pen.Width);
    }
    return out;
}

} // namespace

void TPainterSink::Place(const QTransform& transform, const QRect& area)
{
    m_transform = transform;
    m_area = area;
    m_painter.setTransform(m_transform);
    m_painter.setClipRect(m_area);
}

void TPainterSink::SetClip(const std::vector<TRect>& Rects)
{
    m_painter.setTransform(m_transform);
    if (Rects.empty()) {
        m_painter.setClipRect(m_area);
        return;
    }
    QRegion region;
    for (const TRect& r : Rects)
        region += QRect(r.Left, r.Top, r.Width(), r.Height());
    m_painter.setClipRegion(region.intersected(m_area));
}

void TPainterSink::Shape(const TVectorShape& Shape)
{
    m_painter.setPen(Shape.Pen ? ToQPen(*Shape.Pen) : QPen(Qt::NoPen));
    m_painter.setBrush(Shape.Fill ? QBrush(ToQColor(Shape.Fill->Color)) : QBrush(Qt::NoBrush));
    const TVectorRect& b = Shape.Bounds;
    const QRectF r(QPointF(b.Left, b.Top), QPointF(b.Right, b.Bottom));
    QPolygonF points;
    for (const TVectorPoint& p : Shape.Points)
        points << QPointF(p.X, p.Y);
    switch (Shape.Kind) {
    case TVectorShapeKind::Rectangle:
        if (Shape.RadiusX > 0 && Shape.RadiusY > 0)
            m_painter.drawRoundedRect(r, Shape.RadiusX, Shape.RadiusY, Qt::AbsoluteSize);
        else
            m_painter.drawRect(r);
        break;
    case TVectorShapeKind::Ellipse:
        m_painter.drawEllipse(r);
        break;
    case TVectorShapeKind::Polyline:
        m_painter.drawPolyline(points);
        break;
    case TVectorShapeKind::Polygon:
        m_painter.drawPolygon(points, Shape.Fill && !Shape.Fill->EvenOdd ? Qt::WindingFill : Qt::OddEvenFill);
        break;
    }
}

void TPainterSink::Text(const TVectorText& Text)
{
    QFont font(QString::fromStdString(Text.Family));
    font.setPixelSize(std::max(1, int(std::lround(Text.PixelSize))));
    font.setWeight(QFont::Weight(Text.Weight));
    font.setItalic(Text.Italic);
    font.setKerning(false);
    const QString text = QString::fromStdString(Text.Text);
    m_painter.save();
    m_painter.setFont(font);
    m_painter.setPen(ToQColor(Text.Color));
    m_painter.translate(Text.Origin.X, Text.Origin.Y);
    if (Text.Angle != 0)
        m_painter.rotate(-Text.Angle);
    // The page's font is laid out without the screen's hinting: the run is kept as
    // wide as the canvas measured it, so that it stays inside its box.
    const double natural = QFontMetricsF(font, m_painter.device()).horizontalAdvance(text);
    if (Text.Width > 0 && natural > 0 && std::abs(natural - Text.Width) > 0.01 * Text.Width)
        m_painter.scale(Text.Width / natural, 1);
    m_painter.drawText(QPointF(0, 0), text);
    m_painter.restore();
}

void TPainterSink::Image(const TVectorImage& Image)
{
    if (Image.Width <= 0 || Image.Height <= 0 || !Image.Pixels)
        return;
    const QImage picture(reinterpret_cast<const uchar*>(Image.Pixels), Image.Width, Image.Height, Image.Width * 4,
                         Image.HasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const TVectorRect& d = Image.Dest;
    m_painter.drawImage(QRectF(QPointF(d.Left, d.Top), QPointF(d.Right, d.Bottom)), picture);
}
