// Private: a vector sink that draws on a QPainter (a PDF page, or a picture in the
// tests), the drawing's pixels mapped by a transform and cut to an area of its own.
#pragma once

#include "platform/drawing/VectorSink.h"

#include <QPainter>
#include <QRegion>
#include <QTransform>

class TPainterSink : public TVectorSink {
public:
    explicit TPainterSink(QPainter& painter) : m_painter(painter) {}

    // From now on pixel (x, y) of the drawing lands at transform.map(x, y), and only
    // the drawing's area `area` (pixels) shows.
    void Place(const QTransform& transform, const QRect& area);

    void SetClip(const std::vector<TRect>& Rects) override;
    void Shape(const TVectorShape& Shape) override;
    void Text(const TVectorText& Text) override;
    void Image(const TVectorImage& Image) override;
    // A page has no groups: the drawing goes on as one.
    void BeginGroup(const std::string&, const std::string&) override {}
    void EndGroup() override {}

private:
    QPainter& m_painter;
    QTransform m_transform;
    QRect m_area;
};
