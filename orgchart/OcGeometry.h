// 64-bit points and rectangles for the chart's layout arithmetic. A chart of many wide
// nodes is far larger than 32 bits can hold; positions stay exact here and saturate
// only when they are handed to the platform as a TPoint or TRect.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>

struct TPoint64 {
    int64_t X = 0;
    int64_t Y = 0;

    TPoint ToPoint() const { return {Saturate32(X), Saturate32(Y)}; }
    friend constexpr bool operator==(const TPoint64&, const TPoint64&) = default;
};

struct TRect64 {
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Right = 0;
    int64_t Bottom = 0;

    static TRect64 From(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
    TRect ToRect() const { return {Saturate32(Left), Saturate32(Top), Saturate32(Right), Saturate32(Bottom)}; }
    int64_t Width() const { return Right - Left; }
    int64_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend constexpr bool operator==(const TRect64&, const TRect64&) = default;
};

// V * Numerator / Denominator truncated toward zero, without overflow on the way.
inline int64_t MulDiv64(int64_t V, int64_t Numerator, int64_t Denominator)
{
    if (Denominator == 0)
        return V;
    const __int128 product = static_cast<__int128>(V) * Numerator;
    const __int128 q = product / Denominator;
    if (q > INT64_MAX)
        return INT64_MAX;
    if (q < INT64_MIN)
        return INT64_MIN;
    return static_cast<int64_t>(q);
}
