#include "platform/drawing/Region.h"

#include "platform/core/Exception.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Raster_p.h"
#include "platform/drawing/Region_p.h"

#include <algorithm>
#include <unordered_map>

// ---- TRegion -------------------------------------------------------------------

TRegion::TRegion() : d(std::make_unique<Private>()) {}
TRegion::TRegion(const TRect& rect) : TRegion()
{
    if (!rect.IsEmpty())
        d->region = QRegion(ToQRect(rect));
}
TRegion::TRegion(const TRegion& other) : d(std::make_unique<Private>(*other.d)) {}
TRegion::TRegion(TRegion&& other) noexcept : d(std::make_unique<Private>())
{
    d->region.swap(other.d->region);
}
TRegion& TRegion::operator=(const TRegion& other)
{
    d->region = other.d->region;
    return *this;
}
TRegion& TRegion::operator=(TRegion&& other) noexcept
{
    d->region.swap(other.d->region);
    return *this;
}
TRegion::~TRegion() = default;

namespace {

// Regions are built row by row; a shape taller than any screen is a mistake.
void CheckRegionHeight(int64_t height)
{
    if (height > (1 << 16))
        throw EPlatformError("Region too large: " + std::to_string(height) + " rows");
}

} // namespace

TRegion TRegion::Elliptic(const TRect& bounds)
{
    CheckRegionHeight(int64_t(bounds.Bottom) - bounds.Top);
    QRegion r;
    const auto rows = RoundRectRows(bounds, bounds.Width(), bounds.Height());
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].first <= rows[i].last)
            r += QRect(rows[i].first, bounds.Top + int(i), rows[i].last - rows[i].first + 1, 1);
    return RegionAccess::Make(r);
}

TRegion TRegion::Polygonal(const std::vector<TPoint>& points)
{
    if (!points.empty()) {
        const auto [lo, hi] = std::minmax_element(points.begin(), points.end(),
                                                  [](const TPoint& a, const TPoint& b) { return a.Y < b.Y; });
        CheckRegionHeight(int64_t(hi->Y) - lo->Y);
    }
    QRegion r;
    for (const TSpan& s : PolygonSpans(points.data(), int(points.size()), false))
        r += QRect(s.x0, s.y, s.x1 - s.x0, 1);
    return RegionAccess::Make(r);
}

bool TRegion::IsEmpty() const { return d->region.isEmpty(); }
TRect TRegion::BoundingRect() const { return IsEmpty() ? TRect() : FromQRect(d->region.boundingRect()); }
bool TRegion::Contains(TPoint p) const { return d->region.contains(QPoint(p.X, p.Y)); }
bool TRegion::Intersects(const TRect& rect) const { return !rect.IsEmpty() && d->region.intersects(ToQRect(rect)); }

TRegion TRegion::United(const TRegion& o) const { return RegionAccess::Make(d->region.united(o.d->region)); }
TRegion TRegion::Intersected(const TRegion& o) const { return RegionAccess::Make(d->region.intersected(o.d->region)); }
TRegion TRegion::Subtracted(const TRegion& o) const { return RegionAccess::Make(d->region.subtracted(o.d->region)); }
TRegion TRegion::Xored(const TRegion& o) const { return RegionAccess::Make(d->region.xored(o.d->region)); }
TRegion TRegion::Translated(int dx, int dy) const { return RegionAccess::Make(d->region.translated(dx, dy)); }

std::vector<TRect> TRegion::Rects() const
{
    std::vector<TRect> rects;
    for (const QRect& r : d->region)
        rects.push_back(FromQRect(r));
    return rects;
}

bool operator==(const TRegion& a, const TRegion& b) { return a.d->region == b.d->region; }

int RegionKind(const TRegion& region)
{
    const int count = region.IsEmpty() ? 0 : RegionAccess::Get(region).rectCount();
    return count == 0 ? NULLREGION : count == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// ---- Handles ---------------------------------------------------------------------

namespace {

// Live region handles; a handle is the address of its region.
std::unordered_map<HRGN, std::unique_ptr<TRegion>>& Handles()
{
    static std::unordered_map<HRGN, std::unique_ptr<TRegion>> handles;
    return handles;
}

TRegion& Live(HRGN handle)
{
    auto it = Handles().find(handle);
    if (it == Handles().end())
        throw EPlatformError("Invalid region handle");
    return *it->second;
}

TCanvas& CheckedDC(HDC dc)
{
    if (!dc)
        throw EPlatformError("Invalid device context");
    return *dc;
}

} // namespace

HRGN CreateRegionHandle(const TRegion& region)
{
    auto owned = std::make_unique<TRegion>(region);
    HRGN handle = reinterpret_cast<HRGN>(owned.get());
    Handles().emplace(handle, std::move(owned));
    return handle;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    return CreateRegionHandle(TRegion(TRect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom))));
}

HRGN CreateRectRgnIndirect(const TRect& rect) { return CreateRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom); }

HRGN CreateEllipticRgn(int left, int top, int right, int bottom)
{
    return CreateRegionHandle(TRegion::Elliptic(TRect(left, top, right, bottom)));
}

HRGN CreatePolygonRgn(const TPoint* points, int count)
{
    if (count < 0 || (count > 0 && !points))
        throw EPlatformError("Invalid point list");
    return CreateRegionHandle(TRegion::Polygonal(std::vector<TPoint>(points, points + count)));
}

bool DeleteObject(HRGN region) { return Handles().erase(region) > 0; }

const TRegion& RegionOf(HRGN region) { return Live(region); }
void SetRegionOf(HRGN region, const TRegion& value) { Live(region) = value; }

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode)
{
    TRegion& target = Live(dest);
    const TRegion first = Live(a);
    switch (mode) {
    case RGN_COPY: target = first; break;
    case RGN_AND: target = first.Intersected(Live(b)); break;
    case RGN_OR: target = first.United(Live(b)); break;
    case RGN_XOR: target = first.Xored(Live(b)); break;
    case RGN_DIFF: target = first.Subtracted(Live(b)); break;
    default: throw EPlatformError("Invalid region combination mode " + std::to_string(mode));
    }
    return RegionKind(target);
}

int OffsetRgn(HRGN region, int dx, int dy)
{
    TRegion& r = Live(region);
    r = r.Translated(dx, dy);
    return RegionKind(r);
}

bool PtInRegion(HRGN region, int x, int y) { return Live(region).Contains(TPoint(x, y)); }
bool RectInRegion(HRGN region, const TRect& rect) { return Live(region).Intersects(rect); }

int GetRgnBox(HRGN region, TRect* box)
{
    const TRegion& r = Live(region);
    if (box)
        *box = r.BoundingRect();
    return RegionKind(r);
}

bool EqualRgn(HRGN a, HRGN b) { return Live(a) == Live(b); }

bool SetRectRgn(HRGN region, int left, int top, int right, int bottom)
{
    Live(region) = TRegion(TRect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)));
    return true;
}

int SelectClipRgn(HDC dc, HRGN region)
{
    TCanvas& canvas = CheckedDC(dc);
    if (!region)
        return canvas.SelectClipRegion(nullptr);
    return canvas.SelectClipRegion(&Live(region));
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom)
{
    return CheckedDC(dc).ExcludeClipRect(TRect(left, top, right, bottom));
}

int ExtSelectClipRgn(HDC dc, HRGN region, int mode)
{
    TCanvas& canvas = CheckedDC(dc);
    if (mode == RGN_COPY)
        return SelectClipRgn(dc, region);
    const TRegion& operand = Live(region);
    const TRegion current = canvas.ClipRegion();
    TRegion combined;
    switch (mode) {
    case RGN_AND: combined = current.Intersected(operand); break;
    case RGN_OR: combined = current.United(operand); break;
    case RGN_XOR: combined = current.Xored(operand); break;
    case RGN_DIFF: combined = current.Subtracted(operand); break;
    default: throw EPlatformError("Invalid region combination mode " + std::to_string(mode));
    }
    return canvas.SelectClipRegion(&combined);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom)
{
    return CheckedDC(dc).IntersectClipRect(TRect(left, top, right, bottom));
}

int GetClipBox(HDC dc, TRect* box)
{
    TCanvas& canvas = CheckedDC(dc);
    if (box)
        *box = canvas.ClipRect();
    return RegionKind(canvas.ClipRegion());
}

int GetClipRgn(HDC dc, HRGN region)
{
    TCanvas& canvas = CheckedDC(dc);
    TRegion& target = Live(region);
    if (!canvas.HasClipRegion())
        return 0;
    target = canvas.ClipRegion();
    return 1;
}
