// Test helper: a bitmap's pixels as text, one row per line, so that a test states
// the expected picture directly.
#pragma once

#include "platform/drawing/Bitmap.h"

#include <map>
#include <string>

// Each pixel becomes the character its colour maps to; unmapped colours become '?'.
inline std::string PixelArt(const TBitmap& bitmap, const std::map<TColor, char>& legend)
{
    std::string art;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            auto it = legend.find(bitmap.Pixel(x, y));
            art += it == legend.end() ? '?' : it->second;
        }
        art += '\n';
    }
    return art;
}

// Rows joined with line feeds, for writing expected pictures one row per line.
template <typename... Rows>
std::string Art(Rows... rows)
{
    return ((std::string(rows) + "\n") + ...);
}

// The bounding box of pixels that differ from the colour.
inline TRect InkBounds(const TBitmap& bitmap, TColor background)
{
    TRect box;
    bool any = false;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) != background) {
                box = any ? box.Union(TRect(x, y, x + 1, y + 1)) : TRect(x, y, x + 1, y + 1);
                any = true;
            }
    return box;
}

// The bounding box of pixels of exactly the colour.
inline TRect ColorBounds(const TBitmap& bitmap, TColor color)
{
    TRect box;
    bool any = false;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) == color) {
                box = any ? box.Union(TRect(x, y, x + 1, y + 1)) : TRect(x, y, x + 1, y + 1);
                any = true;
            }
    return box;
}
