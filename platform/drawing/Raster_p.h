// Private: turns shapes into rows of pixels with the classic platform's geometry.
// All coordinates are integers; a span covers x0 <= x < x1 on row y.
#pragma once

#include "platform/core/Types.h"

#include <algorithm>
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

// The rows a caller wants, [from, to): shapes far larger than the visible area are
// only rasterised where they can be seen.
struct TRowWindow {
    int from = INT32_MIN;
    int to = INT32_MAX;
};

// Rows of the shape from max(box.Top, window.from) on (the first returned row is
// that y) up to min(box.Bottom, window.to).
std::vector<TRowRange> RoundRectRows(const TRect& box, int ew, int eh, TRowWindow window = {});

// Outline and interior of a closed shape drawn with a pen of the given width (0 for
// no pen), split so that no pixel belongs to both: a one-pixel outline runs along the
// shape's border pixels; a wide pen is centred on it, or kept inside box when
// insideFrame is set.
void ShapeSpans(const TRect& box, int ew, int eh, int penWidth, bool insideFrame, TSpans& outline, TSpans& interior,
                TRowWindow window = {});

// Pixels inside the polygon, vertices being pixel positions: the top and left edges
// belong to it, the bottom and right ones do not (a square polygon from (0, 0) to
// (10, 10) covers pixels 0..9).
TSpans PolygonSpans(const TPoint* points, int count, bool winding, TRowWindow window = {});

// Visits the pixels of the line from a to b, the end pixel only when includeLast is
// set, as visit(x, y, n) with n the pixel's number along the line. Each step along
// the major axis moves the minor coordinate to the nearest pixel of the ideal line
// (halves away from the start). Only the steps whose major coordinate falls in
// [majorFrom, majorTo) of `visible` are visited, so a huge line costs what its
// visible part costs.
template <typename F>
void ForEachLinePixel(TPoint a, TPoint b, bool includeLast, const TRect& visible, F&& visit)
{
    const int64_t dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const int64_t steps = major < 0 ? -major : major;
    const int64_t majorStep = major < 0 ? -1 : 1, minorSign = minor < 0 ? -1 : 1, minorAbs = minor < 0 ? -minor : minor;
    const int64_t last = includeLast ? steps : steps - 1;
    if (last < 0)
        return;
    // The part of [0, last] whose major coordinate lies inside the visible range.
    const int64_t start = xMajor ? a.X : a.Y;
    const int64_t lo = xMajor ? visible.Left : visible.Top, hi = int64_t(xMajor ? visible.Right : visible.Bottom) - 1;
    int64_t t0 = 0, t1 = last;
    if (majorStep > 0) {
        t0 = std::max<int64_t>(t0, lo - start);
        t1 = std::min<int64_t>(t1, hi - start);
    } else {
        t0 = std::max<int64_t>(t0, start - hi);
        t1 = std::min<int64_t>(t1, start - lo);
    }
    for (int64_t t = t0; t <= t1; ++t) {
        const int64_t m = start + majorStep * t;
        const int64_t n = steps == 0 ? 0 : (2 * t * minorAbs + steps) / (2 * steps);
        const int64_t o = (xMajor ? a.Y : a.X) + minorSign * n;
        if (xMajor)
            visit(int(m), int(o), int(t));
        else
            visit(int(o), int(m), int(t));
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
