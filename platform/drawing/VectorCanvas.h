// TVectorCanvas: a canvas whose drawing goes to a vector sink (an SVG or PDF writer)
// instead of a bitmap. Code that paints a canvas paints this one unchanged: lines,
// shapes, fills, frames and text keep their raster geometry (text keeps its line
// breaks and positions) but arrive as outlines and text runs; bitmaps, blits and
// image-list pictures arrive as embedded images. Pens keep width, colour and style,
// brushes their colour (clear or solid: hatches and patterns fill with the brush
// colour); clip rectangles are honoured. Raster operations other than copying have no
// vector meaning: mixing pens draw as copies, inversions, focus rectangles and
// single pixels are left out, and the canvas cannot be read back (Pixel answers
// CLR_INVALID, it cannot be a blit's source).
#pragma once

#include "platform/drawing/Canvas.h"
#include "platform/drawing/VectorSink.h"

#include <string>

class TVectorCanvas : public TCanvas {
public:
    // Bounds: the surface's area in its own coordinates (drawing outside is cut
    // off); logical (0, 0) lies at the surface's (0, 0).
    TVectorCanvas(TVectorSink& Sink, const TRect& Bounds);
    ~TVectorCanvas() override;
};

// Whether the canvas draws to a vector sink.
bool IsVectorCanvas(TCanvas* Canvas);
// Mark the drawing of one item on a vector canvas (see TVectorSink::BeginGroup);
// nothing happens on other canvases, so painting code may call them always.
void BeginCanvasGroup(TCanvas* Canvas, const std::string& Kind, const std::string& Name);
void EndCanvasGroup(TCanvas* Canvas);
