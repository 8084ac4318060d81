#include "platform/drawing/Bitmap.h"

#include "platform/core/Exception.h"
#include "platform/drawing/Bitmap_p.h"
#include "platform/drawing/Canvas.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>

#include <string>

namespace {

void CheckInside(const QImage& image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        throw EPlatformError("Pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is outside the "
                             + std::to_string(image.width()) + "x" + std::to_string(image.height()) + " bitmap");
}

} // namespace

TBitmap::TBitmap() : d(std::make_unique<Private>())
{
    d->image = QImage(0, 0, QImage::Format_RGB32);
}

TBitmap::TBitmap(int width, int height) : TBitmap()
{
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    // Canvases bound here (the window system's, bitmap canvases of others) must not
    // draw on freed pixels.
    const auto bound = d->boundCanvases;
    for (TCanvas* canvas : bound)
        canvas->UnbindSurface();
}

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this)
        return;
    d->image = other.d->image.copy();
    d->monochrome = other.d->monochrome;
    d->transparentColor = other.d->transparentColor;
    d->transparentMode = other.d->transparentMode;
    d->transparent = other.d->transparent;
}

void TBitmap::SetSize(int width, int height)
{
    if (width < 0 || height < 0)
        throw EPlatformError("Invalid bitmap size " + std::to_string(width) + "x" + std::to_string(height));
    if (width == Width() && height == Height())
        return;
    QImage resized(width, height, QImage::Format_RGB32);
    resized.fill(0xFFFFFFFFu);
    const int w = std::min(width, Width()), h = std::min(height, Height());
    for (int y = 0; y < h; ++y)
        std::copy_n(reinterpret_cast<const uint32_t*>(d->image.constScanLine(y)), w,
                    reinterpret_cast<uint32_t*>(resized.scanLine(y)));
    d->image = std::move(resized);
}

int TBitmap::Width() const { return d->image.width(); }
int TBitmap::Height() const { return d->image.height(); }

TCanvas* TBitmap::Canvas()
{
    if (!d->canvas) {
        d->canvas = std::make_unique<TCanvas>();
        d->canvas->BindSurface(this);
    }
    return d->canvas.get();
}

TColor TBitmap::Pixel(int x, int y) const
{
    CheckInside(d->image, x, y);
    return PixelToColor(reinterpret_cast<const uint32_t*>(d->image.constScanLine(y))[x]);
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    CheckInside(d->image, x, y);
    uint32_t p = ColorToPixel(ColorToRGB(color));
    if (d->monochrome)
        p = MonochromePixel(p);
    reinterpret_cast<uint32_t*>(d->image.scanLine(y))[x] = p;
}

void TBitmap::Fill(TColor color)
{
    uint32_t p = ColorToPixel(ColorToRGB(color));
    if (d->monochrome)
        p = MonochromePixel(p);
    d->image.fill(p);
}

bool TBitmap::Monochrome() const { return d->monochrome; }

void TBitmap::SetMonochrome(bool value)
{
    if (value == d->monochrome)
        return;
    d->monochrome = value;
    if (!value)
        return;
    for (int y = 0; y < d->image.height(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(d->image.scanLine(y));
        for (int x = 0; x < d->image.width(); ++x)
            line[x] = (line[x] & 0xFFFFFFu) == 0xFFFFFFu ? 0xFFFFFFFFu : 0xFF000000u;
    }
}

TColor TBitmap::TransparentColor() const
{
    if (d->transparentMode == TTransparentMode::tmFixed)
        return d->transparentColor;
    if (Empty())
        return clNone;
    return Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor color)
{
    d->transparentColor = color;
    d->transparentMode = color == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
}

TTransparentMode TBitmap::TransparentMode() const { return d->transparentMode; }
void TBitmap::SetTransparentMode(TTransparentMode mode) { d->transparentMode = mode; }
bool TBitmap::Transparent() const { return d->transparent; }
void TBitmap::SetTransparent(bool value) { d->transparent = value; }

void TBitmap::Mask(TColor transparentColor)
{
    const uint32_t key = ColorToPixel(ColorToRGB(transparentColor)) & 0xFFFFFFu;
    for (int y = 0; y < d->image.height(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(d->image.scanLine(y));
        for (int x = 0; x < d->image.width(); ++x)
            line[x] = (line[x] & 0xFFFFFFu) == key ? 0xFFFFFFFFu : 0xFF000000u;
    }
    d->monochrome = true;
}

bool TBitmap::SaveToPngFile(const std::string& path) const
{
    return d->image.save(QString::fromStdString(path), "PNG");
}

std::vector<uint8_t> TBitmap::SaveToPngData() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!d->image.save(&buffer, "PNG"))
        throw EStreamError("Stream write error");
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void TBitmap::LoadFromPngFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError("Cannot open file \"" + path + "\"");
    const QByteArray bytes = file.readAll();
    LoadFromPngData(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
}

void TBitmap::LoadFromPngData(const std::vector<uint8_t>& data)
{
    LoadFromPngData(data.data(), data.size());
}

void TBitmap::LoadFromPngData(const uint8_t* data, size_t size)
{
    QImage loaded;
    if (!loaded.loadFromData(data, int(size), "PNG"))
        throw EStreamError("Bitmap image is not valid");
    // Transparent PNG pixels are composed over white, the bitmap's blank colour.
    QImage opaque(loaded.size(), QImage::Format_RGB32);
    opaque.fill(0xFFFFFFFFu);
    {
        QPainter p(&opaque);
        p.drawImage(0, 0, loaded);
    }
    d->image = std::move(opaque);
    d->monochrome = false;
}
