#include "platform/drawing/Raster_p.h"

#include <algorithm>
#include <cmath>

namespace {

// Columns covered on one row of an ellipse inscribed in [left, left + w) x [top, top + h):
// the pixels whose centres lie inside it. The right end mirrors the left so that the
// shape is exactly symmetric.
TRowRange EllipseRow(int left, int top, int w, int h, int y)
{
    const double cy = top + h / 2.0, rx = w / 2.0, ry = h / 2.0;
    const double dy = (y + 0.5 - cy) / ry;
    if (dy * dy > 1.0)
        return {1, 0};
    const double half = rx * std::sqrt(1.0 - dy * dy);
    const double cx = left + rx;
    const int first = int(std::ceil(cx - half - 0.5 - 1e-9));
    const int last = 2 * left + w - 1 - first;
    return first <= last ? TRowRange{first, last} : TRowRange{1, 0};
}

void AppendRow(TSpans& out, int y, int first, int last)
{
    if (first <= last)
        out.push_back({y, first, last + 1});
}

// Boundary pixels of a shape given by rows: a pixel is on the outline when one of its
// four neighbours lies outside the shape.
void SplitBoundary(int top, const std::vector<TRowRange>& rows, TSpans& outline, TSpans& interior)
{
    const int n = int(rows.size());
    for (int i = 0; i < n; ++i) {
        const TRowRange row = rows[size_t(i)];
        if (row.first > row.last)
            continue;
        const TRowRange above = i > 0 ? rows[size_t(i - 1)] : TRowRange{1, 0};
        const TRowRange below = i + 1 < n ? rows[size_t(i + 1)] : TRowRange{1, 0};
        int innerFirst = std::max({row.first + 1, above.first, below.first});
        int innerLast = std::min({row.last - 1, above.last, below.last});
        if (above.first > above.last || below.first > below.last)
            innerFirst = row.last + 1, innerLast = row.last;
        const int y = top + i;
        if (innerFirst > innerLast) {
            AppendRow(outline, y, row.first, row.last);
            continue;
        }
        AppendRow(outline, y, row.first, innerFirst - 1);
        AppendRow(interior, y, innerFirst, innerLast);
        AppendRow(outline, y, innerLast + 1, row.last);
    }
}

} // namespace

std::vector<TRowRange> RoundRectRows(const TRect& box, int ew, int eh, TRowWindow window)
{
    const int w = box.Width(), h = box.Height();
    std::vector<TRowRange> rows;
    if (w <= 0 || h <= 0)
        return rows;
    const int firstRow = std::max(0, int(std::max<int64_t>(0, int64_t(window.from) - box.Top)));
    const int endRow = int(std::min<int64_t>(h, std::max<int64_t>(0, int64_t(window.to) - box.Top)));
    if (endRow <= firstRow)
        return rows;
    rows.resize(size_t(endRow - firstRow));
    ew = std::min(ew, w);
    eh = std::min(eh, h);
    const bool square = ew < 2 || eh < 2;
    for (int i = firstRow; i < endRow; ++i) {
        int cornerRow = -1;
        if (!square) {
            if (i < eh / 2)
                cornerRow = i;
            else if (h - 1 - i < eh / 2)
                cornerRow = eh - 1 - (h - 1 - i);
        }
        TRowRange& row = rows[size_t(i - firstRow)];
        if (cornerRow < 0) {
            row = {box.Left, box.Right - 1};
            continue;
        }
        const TRowRange corner = EllipseRow(box.Left, box.Top, ew, eh, box.Top + cornerRow);
        if (corner.first > corner.last) {
            row = {1, 0};
            continue;
        }
        const int indent = corner.first - box.Left;
        row = {box.Left + indent, box.Right - 1 - indent};
    }
    return rows;
}

void ShapeSpans(const TRect& box, int ew, int eh, int penWidth, bool insideFrame, TSpans& outline, TSpans& interior,
                TRowWindow window)
{
    const bool ellipse = ew >= box.Width() && eh >= box.Height();
    if (penWidth <= 0) {
        // Without a pen the classic platform fills one pixel less to the right and bottom.
        const TRect fill(box.Left, box.Top, box.Right - 1, box.Bottom - 1);
        const auto rows = RoundRectRows(fill, ellipse ? fill.Width() : ew, ellipse ? fill.Height() : eh, window);
        const int top = std::max(fill.Top, window.from);
        for (size_t i = 0; i < rows.size(); ++i)
            AppendRow(interior, top + int(i), rows[i].first, rows[i].last);
        return;
    }
    if (penWidth == 1) {
        // One row more on each side: the outline test looks at the neighbours.
        const TRowWindow wider{window.from == INT32_MIN ? window.from : window.from - 1,
                               window.to == INT32_MAX ? window.to : window.to + 1};
        TSpans o, in;
        SplitBoundary(std::max(box.Top, wider.from), RoundRectRows(box, ew, eh, wider), o, in);
        for (const TSpan& s : o)
            if (s.y >= window.from && s.y < window.to)
                outline.push_back(s);
        for (const TSpan& s : in)
            if (s.y >= window.from && s.y < window.to)
                interior.push_back(s);
        return;
    }
    const int half = penWidth / 2;
    const TRect outer = insideFrame
        ? box
        : TRect(box.Left - half, box.Top - half, box.Right - 1 - half + penWidth, box.Bottom - 1 - half + penWidth);
    const TRect inner = outer.Inflate(-penWidth, -penWidth);
    const int growth = outer.Width() - box.Width();
    const auto outerRows = RoundRectRows(outer, ellipse ? outer.Width() : ew + growth, ellipse ? outer.Height() : eh + growth, window);
    const auto innerRows = inner.IsEmpty()
        ? std::vector<TRowRange>{}
        : RoundRectRows(inner, ellipse ? inner.Width() : std::max(0, ew - 2 * penWidth + growth),
                        ellipse ? inner.Height() : std::max(0, eh - 2 * penWidth + growth), window);
    const int outerTop = std::max(outer.Top, window.from), innerTop = std::max(inner.Top, window.from);
    for (size_t i = 0; i < outerRows.size(); ++i) {
        const int y = outerTop + int(i);
        const TRowRange row = outerRows[i];
        const int innerIndex = y - innerTop;
        const TRowRange hole = (!inner.IsEmpty() && innerIndex >= 0 && innerIndex < int(innerRows.size()))
            ? innerRows[size_t(innerIndex)] : TRowRange{1, 0};
        if (hole.first > hole.last) {
            AppendRow(outline, y, row.first, row.last);
            continue;
        }
        AppendRow(outline, y, row.first, hole.first - 1);
        AppendRow(interior, y, hole.first, hole.last);
        AppendRow(outline, y, hole.last + 1, row.last);
    }
}

TSpans PolygonSpans(const TPoint* points, int count, bool winding, TRowWindow window)
{
    TSpans spans;
    if (count < 3)
        return spans;
    int top = points[0].Y, bottom = points[0].Y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].Y);
        bottom = std::max(bottom, points[i].Y);
    }
    top = std::max(top, window.from);
    bottom = std::min(bottom, window.to);
    struct Crossing {
        double x;
        int dir;
    };
    std::vector<Crossing> crossings;
    for (int y = top; y < bottom; ++y) {
        const double yc = y;
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            const TPoint a = points[i], b = points[(i + 1) % count];
            if (a.Y == b.Y)
                continue;
            const bool down = a.Y < b.Y;
            const double y0 = down ? a.Y : b.Y, y1 = down ? b.Y : a.Y;
            if (yc < y0 || yc >= y1)
                continue;
            const double x = a.X + (yc - a.Y) * (double(b.X) - a.X) / (double(b.Y) - a.Y);
            crossings.push_back({x, down ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
        int wind = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            wind += crossings[i].dir;
            const bool inside = winding ? wind != 0 : (i % 2) == 0;
            if (!inside)
                continue;
            // Pixels in [xa, xb): the left edge belongs to the polygon, the right one not.
            const double limit = 1 << 29;
            const int x0 = int(std::ceil(std::clamp(crossings[i].x, -limit, limit)));
            const int x1 = int(std::ceil(std::clamp(crossings[i + 1].x, -limit, limit)));
            if (x1 > x0)
                spans.push_back({y, x0, x1});
        }
    }
    return spans;
}

TPixelSet::TPixelSet(const TRect& bounds) : m_bounds(bounds)
{
    m_bits.assign(size_t(std::max(0, bounds.Width())) * size_t(std::max(0, bounds.Height())), 0);
}

void TPixelSet::Add(int x, int y)
{
    if (!m_bounds.Contains(x, y))
        return;
    m_bits[size_t(y - m_bounds.Top) * size_t(m_bounds.Width()) + size_t(x - m_bounds.Left)] = 1;
}

void TPixelSet::AddRect(int left, int top, int right, int bottom)
{
    const TRect r = TRect(left, top, right, bottom).Intersect(m_bounds);
    for (int y = r.Top; y < r.Bottom; ++y)
        std::fill_n(m_bits.begin() + std::ptrdiff_t(size_t(y - m_bounds.Top) * size_t(m_bounds.Width()) + size_t(r.Left - m_bounds.Left)),
                    r.Width(), uint8_t(1));
}

TSpans TPixelSet::Spans() const
{
    TSpans spans;
    const int w = m_bounds.Width();
    for (int row = 0; row < m_bounds.Height(); ++row) {
        const uint8_t* line = m_bits.data() + size_t(row) * size_t(w);
        int x = 0;
        while (x < w) {
            while (x < w && !line[x])
                ++x;
            const int start = x;
            while (x < w && line[x])
                ++x;
            if (x > start)
                spans.push_back({m_bounds.Top + row, m_bounds.Left + start, m_bounds.Left + x});
        }
    }
    return spans;
}
