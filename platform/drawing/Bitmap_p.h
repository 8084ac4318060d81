// Private: the QImage behind a bitmap, for the drawing code and the platform back
// ends. Pixels are Format_RGB32 (0xFFRRGGBB).
#pragma once

#include "platform/drawing/Bitmap.h"

#include <QImage>

#include <memory>
#include <vector>

struct TBitmap::Private {
    QImage image;
    bool monochrome = false;
    TColor transparentColor = clNone;
    TTransparentMode transparentMode = TTransparentMode::tmAuto;
    bool transparent = false;
    std::unique_ptr<TCanvas> canvas;
    // Canvases drawing on this bitmap, unbound when it dies.
    std::vector<TCanvas*> boundCanvases;
};

struct BitmapAccess {
    static TBitmap::Private& Get(TBitmap& b) { return *b.d; }
    static const TBitmap::Private& Get(const TBitmap& b) { return *b.d; }
};

inline QImage& BitmapImage(TBitmap& bitmap) { return BitmapAccess::Get(bitmap).image; }
inline const QImage& BitmapImage(const TBitmap& bitmap) { return BitmapAccess::Get(bitmap).image; }

// Pixel conversions between TColor (0x00BBGGRR) and the image's 0xFFRRGGBB.
inline uint32_t ColorToPixel(TColor c)
{
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline TColor PixelToColor(uint32_t p)
{
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}
// Black or white for a monochrome surface: light colours become white.
inline uint32_t MonochromePixel(uint32_t p)
{
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r * 299 + g * 587 + b * 114) >= 128000 ? 0xFFFFFFFFu : 0xFF000000u;
}
