// A bitmap: a pixel store of 24-bit colours, or a monochrome mask whose pixels are
// only black or white. It has its own canvas for off-screen drawing and is also the
// surface the window system draws windows on.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Object.h"
#include "platform/core/Types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TCanvas;

enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TObject {
public:
    TBitmap();
    TBitmap(int width, int height);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    ~TBitmap() override;

    // Copies the other bitmap's pixels and settings (not its canvas state).
    void Assign(const TBitmap& other);

    // New pixels are white; the pixels that remain keep their colour. Negative sizes
    // raise EPlatformError.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    int Width() const;
    int Height() const;
    bool Empty() const { return Width() == 0 || Height() == 0; }

    // The canvas bound to this bitmap (made on first use, follows size changes).
    TCanvas* Canvas();

    // Pixels as 0x00BBGGRR; outside the bitmap they raise EPlatformError.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    // Fills every pixel with the colour.
    void Fill(TColor color);

    // A monochrome bitmap holds only black and white. Turning a colour bitmap
    // monochrome makes white pixels white and every other pixel black, the way the
    // classic platform converts colour to a mask.
    bool Monochrome() const;
    void SetMonochrome(bool value);

    // Transparent colour: the bottom-left pixel (tmAuto) or a fixed colour (tmFixed);
    // clNone for an empty bitmap in tmAuto mode.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const;
    void SetTransparentMode(TTransparentMode mode);
    bool Transparent() const;
    void SetTransparent(bool value);

    // Turns the bitmap into a monochrome mask: white where the pixel had the given
    // colour, black elsewhere.
    void Mask(TColor transparentColor);

    // PNG files and data. Saving answers false when the file cannot be written;
    // loading raises EStreamError for unreadable data.
    bool SaveToPngFile(const std::string& path) const;
    std::vector<uint8_t> SaveToPngData() const;
    void LoadFromPngFile(const std::string& path);
    void LoadFromPngData(const std::vector<uint8_t>& data);
    void LoadFromPngData(const uint8_t* data, size_t size);

private:
    struct Private;
    std::unique_ptr<Private> d;
    friend struct BitmapAccess;
};
