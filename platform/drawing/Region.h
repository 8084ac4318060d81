// Regions: sets of pixels made of rectangles, for clipping and window shapes.
// TRegion is a value type; the HRGN functions below give the handle-based calls the
// controls are written against.
#pragma once

#include "platform/core/Types.h"

#include <memory>
#include <vector>

class TCanvas;

class TRegion {
public:
    TRegion();
    explicit TRegion(const TRect& rect);
    TRegion(const TRegion& other);
    TRegion(TRegion&& other) noexcept;
    TRegion& operator=(const TRegion& other);
    TRegion& operator=(TRegion&& other) noexcept;
    ~TRegion();

    // The ellipse inscribed in the rectangle (right and bottom exclusive): the pixels
    // an Ellipse call with a one-pixel pen covers, outline included.
    // Shapes taller than 65536 rows raise EPlatformError.
    static TRegion Elliptic(const TRect& bounds);
    // The pixels whose centres lie inside the polygon (alternate fill rule).
    static TRegion Polygonal(const std::vector<TPoint>& points);

    bool IsEmpty() const;
    TRect BoundingRect() const;
    bool Contains(TPoint p) const;
    bool Intersects(const TRect& rect) const;

    TRegion United(const TRegion& other) const;
    TRegion Intersected(const TRegion& other) const;
    TRegion Subtracted(const TRegion& other) const;
    TRegion Xored(const TRegion& other) const;
    TRegion Translated(int dx, int dy) const;

    // The disjoint rectangles covering the region, top to bottom, left to right.
    std::vector<TRect> Rects() const;

    friend bool operator==(const TRegion& a, const TRegion& b);

private:
    struct Private;
    std::unique_ptr<Private> d;
    friend struct RegionAccess;
};

// ---- Handle-based calls -------------------------------------------------------

using HRGN = struct HRGN__*;
using HDC = TCanvas*;

// New regions; each lives until DeleteObject.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect& rect);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreatePolygonRgn(const TPoint* points, int count);
HRGN CreateRegionHandle(const TRegion& region);
// Frees a region; false for a handle that is not a live region.
bool DeleteObject(HRGN region);

// The region behind a handle; raises EPlatformError for a handle that is not live.
const TRegion& RegionOf(HRGN region);
void SetRegionOf(HRGN region, const TRegion& value);

// Combines a and b (b unused for RGN_COPY) into dest, which may be a or b.
// Answers NULLREGION, SIMPLEREGION or COMPLEXREGION; raises on dead handles or an
// unknown mode.
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
bool PtInRegion(HRGN region, int x, int y);
bool RectInRegion(HRGN region, const TRect& rect);
int GetRgnBox(HRGN region, TRect* box);
bool EqualRgn(HRGN a, HRGN b);
bool SetRectRgn(HRGN region, int left, int top, int right, int bottom);

// The kind of a region value: NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionKind(const TRegion& region);

// Clipping of a device context (logical coordinates); null HRGN removes the clip
// chosen by the program, leaving the one of the binding.
int SelectClipRgn(HDC dc, HRGN region);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// Combines the current clip with a region by RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF or
// RGN_COPY (null region with RGN_COPY: no program clip).
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int GetClipBox(HDC dc, TRect* box);
// Copies the program's clip region into region: 1 when there is one, 0 when none.
int GetClipRgn(HDC dc, HRGN region);
