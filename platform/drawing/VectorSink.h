// TVectorSink: what a canvas bound to a vector surface (TVectorCanvas) sends instead
// of pixels. Coordinates are the surface's, in pixels, as real numbers: the canvas has
// already turned its classic pixel geometry (exclusive right and bottom edges, pens
// centred on pixel rows) into outlines that cover exactly the pixels the raster canvas
// would paint, so a writer only has to copy them out. Colours are plain RGB.
//
// Writers: TSvgWriter (an SVG file, streamed) and TPdfWriter (PDF pages).
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <string>
#include <vector>

struct TVectorPoint {
    double X = 0;
    double Y = 0;
};

struct TVectorRect {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    double Width() const { return Right - Left; }
    double Height() const { return Bottom - Top; }
};

// An outline: its colour, width and dashes (on and off lengths, starting Offset into
// the pattern). Square caps reach half the width past the ends, butt caps stop there.
struct TVectorPen {
    TColor Color = 0;
    double Width = 1;
    std::vector<double> Dashes;
    double DashOffset = 0;
    bool SquareCaps = false;
};

struct TVectorFill {
    TColor Color = 0;
    // Polygons: even-odd rule (a self-crossing outline leaves holes) or non-zero.
    bool EvenOdd = true;
};

enum class TVectorShapeKind { Rectangle, Ellipse, Polyline, Polygon };

// A shape filled, outlined or both. Rectangle and ellipse use Bounds (a rectangle's
// corners rounded by RadiusX x RadiusY when those are above 0); polylines and polygons
// use Points.
struct TVectorShape {
    TVectorShapeKind Kind = TVectorShapeKind::Rectangle;
    TVectorRect Bounds;
    double RadiusX = 0;
    double RadiusY = 0;
    std::vector<TVectorPoint> Points;
    const TVectorFill* Fill = nullptr; // none when null
    const TVectorPen* Pen = nullptr;   // none when null
};

// A run of text in one font: drawn with its baseline's start at Origin, turned by
// Angle degrees counter-clockwise round it. Width is the run's advance as the canvas
// measured it (a writer may ask the viewer to keep it). Underlines and strike-outs
// come as separate filled rectangles.
struct TVectorText {
    std::string Text; // UTF-8
    TVectorPoint Origin;
    double Angle = 0;
    double Width = 0;
    double Ascent = 0;
    double Descent = 0;
    std::string Family;
    double PixelSize = 0;
    int Weight = 400; // 100 to 900, 400 regular, 700 bold
    bool Italic = false;
    TColor Color = 0;
};

// A picture placed into Dest (stretched when the sizes differ): Width x Height pixels,
// row after row, each 0xAARRGGBB with straight (not premultiplied) alpha.
struct TVectorImage {
    int Width = 0;
    int Height = 0;
    const uint32_t* Pixels = nullptr;
    TVectorRect Dest;
    bool HasAlpha = false;
};

class TVectorSink {
public:
    virtual ~TVectorSink() = default;

    // The area drawing may reach from now on, as rectangles (their union); an empty
    // list means the whole surface. Sent only when it changes.
    virtual void SetClip(const std::vector<TRect>& Rects) = 0;
    virtual void Shape(const TVectorShape& Shape) = 0;
    virtual void Text(const TVectorText& Text) = 0;
    virtual void Image(const TVectorImage& Image) = 0;
    // Marks the drawing of one item (a chart's node): everything up to the matching
    // EndGroup belongs to it. Kind names what the item is ("node"), Name identifies it
    // for a reader (a caption); either may be empty. Groups may nest.
    virtual void BeginGroup(const std::string& Kind, const std::string& Name) = 0;
    virtual void EndGroup() = 0;
};
