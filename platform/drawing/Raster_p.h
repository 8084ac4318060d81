// Private: turns shapes into rows of pixels with the classic platform's geometry.
// All coordinates are integers; a span covers x0 <= x < x1 on row y.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

struct TSpan {
    int y;
    int x0;
    int x1;
};
using TSpans = std::vector<TSpan>;

// The pixels of a rounded rectangle inside box (right, bottom exclusive) whose corners
// are quarter ellipses ew x eh: per row, the first and last covered column (inclusive;
// first > last for an empty row). ew >= width and eh >= height give an ellipse,
// ew or eh below 2 a plain rectangle.
struct TRowRange {
    int first;
    int last;
};
std::vector<TRowRange> RoundRectRows(const TRect& box, int ew, int eh);

// Outline and interior of a closed shape drawn with a pen of the given width (0 for
// no pen), split so that no pixel belongs to both: a one-pixel outline runs along the
// shape's border pixels; a wide pen is centred on it, or kept inside box when
// insideFrame is set.
void ShapeSpans(const TRect& box, int ew, int eh, int penWidth, bool insideFrame, TSpans& outline, TSpans& interior);

// Pixels inside the polygon, vertices being pixel positions: the top and left edges
// belong to it, the bottom and right ones do not (a square polygon from (0, 0) to
// (10, 10) covers pixels 0..9).
TSpans PolygonSpans(const TPoint* points, int count, bool winding);

// Visits every pixel of the line from a to b (Bresenham), the end pixel only when
// includeLast is set.
template <typename F>
void ForEachLinePixel(TPoint a, TPoint b, bool includeLast, F&& visit)
{
    int x = a.X, y = a.Y;
    const int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
    const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        const bool atEnd = x == b.X && y == b.Y;
        if (atEnd && !includeLast)
            break;
        visit(x, y);
        if (atEnd)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// A set of pixels collected one by one (wide lines are stamped into it), so that a
// pixel covered twice is still painted once.
class TPixelSet {
public:
    explicit TPixelSet(const TRect& bounds);
    void Add(int x, int y);
    void AddRect(int left, int top, int right, int bottom);
    TSpans Spans() const;

private:
    TRect m_bounds;
    std::vector<uint8_t> m_bits;
};
