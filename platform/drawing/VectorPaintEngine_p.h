// Private: a paint device whose painter sends text runs and filled rectangles to a
// vector canvas's sink. The canvas's text code paints with a QPainter (line breaks,
// tabs, underlines, rotation); on a vector surface that painter draws here, so text
// keeps exactly the runs and positions it has on a bitmap and stays text.
#pragma once

#include "platform/drawing/Canvas_p.h"

#include <QPaintDevice>
#include <QPaintEngine>

#include <memory>

class TVectorPaintEngine;

class TVectorPaintDevice : public QPaintDevice {
public:
    explicit TVectorPaintDevice(TCanvas::Private& canvas);
    ~TVectorPaintDevice() override;
    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<TVectorPaintEngine> m_engine;
    QRect m_bounds;
    int m_dpiX;
    int m_dpiY;
};
