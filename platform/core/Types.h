// Basic geometry shared by every layer: points, sizes and rectangles in pixels.
// Rectangles follow the classic convention: right and bottom edges are exclusive.
#pragma once

#include <algorithm>
#include <cstdint>

using LONG = int32_t;
using UINT = uint32_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using BYTE = uint8_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using BOOL = int;

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}

    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
    constexpr TPoint operator+(const TPoint& o) const { return {X + o.X, Y + o.Y}; }
    constexpr TPoint operator-(const TPoint& o) const { return {X - o.X, Y - o.Y}; }
};

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;

    constexpr TSize() = default;
    constexpr TSize(int32_t w, int32_t h) : cx(w), cy(h) {}

    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int32_t l, int32_t t, int32_t r, int32_t b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr TRect(TPoint topLeft, TPoint bottomRight)
        : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}

    static constexpr TRect FromSize(int32_t l, int32_t t, int32_t w, int32_t h) { return {l, t, l + w, t + h}; }

    constexpr int32_t Width() const { return Right - Left; }
    constexpr int32_t Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr TSize Size() const { return {Width(), Height()}; }

    // Empty when it covers no pixel.
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    constexpr bool Contains(int32_t x, int32_t y) const { return Contains(TPoint{x, y}); }

    constexpr TRect Offset(int32_t dx, int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    constexpr TRect Offset(TPoint d) const { return Offset(d.X, d.Y); }
    constexpr TRect Inflate(int32_t dx, int32_t dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }

    // The common part; an empty rectangle (0,0,0,0) when they do not overlap.
    constexpr TRect Intersect(const TRect& o) const {
        TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right), std::min(Bottom, o.Bottom)};
        return r.IsEmpty() ? TRect{} : r;
    }
    constexpr bool Intersects(const TRect& o) const { return !Intersect(o).IsEmpty(); }

    // The smallest rectangle holding both; an empty operand is ignored.
    constexpr TRect Union(const TRect& o) const {
        if (IsEmpty()) return o;
        if (o.IsEmpty()) return *this;
        return {std::min(Left, o.Left), std::min(Top, o.Top), std::max(Right, o.Right), std::max(Bottom, o.Bottom)};
    }

    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int32_t l, int32_t t, int32_t r, int32_t b) { return {l, t, r, b}; }
constexpr TPoint Point(int32_t x, int32_t y) { return {x, y}; }

// Packs and unpacks the 16-bit halves of message parameters, sign-extending coordinates.
constexpr WORD LoWord(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HiWord(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LPARAM MakeLParam(int32_t lo, int32_t hi) {
    return static_cast<LPARAM>(static_cast<uint32_t>((static_cast<uint32_t>(lo) & 0xFFFF) | (static_cast<uint32_t>(hi) << 16)));
}
constexpr WPARAM MakeWParam(int32_t lo, int32_t hi) { return static_cast<WPARAM>(static_cast<uint32_t>(MakeLParam(lo, hi))); }
constexpr int32_t GetXLParam(LPARAM lp) { return static_cast<int16_t>(lp & 0xFFFF); }
constexpr int32_t GetYLParam(LPARAM lp) { return static_cast<int16_t>((lp >> 16) & 0xFFFF); }
constexpr TPoint PointFromLParam(LPARAM lp) { return {GetXLParam(lp), GetYLParam(lp)}; }
constexpr LPARAM LParamFromPoint(TPoint p) { return MakeLParam(p.X, p.Y); }

// a * b / c rounded to the nearest integer (halves away from zero); -1 when c is 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// Saturates a 64-bit value into the 32-bit range handed to the platform.
constexpr int32_t Saturate32(int64_t v) {
    return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v));
}
