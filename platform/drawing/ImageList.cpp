#include "platform/drawing/ImageList.h"

#include "platform/core/Exception.h"
#include "platform/drawing/Canvas_p.h"

#include <algorithm>
#include <string>
#include <vector>

// ---- TChangeLink -----------------------------------------------------------------

TChangeLink::~TChangeLink()
{
    if (m_sender)
        m_sender->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
    if (OnChange)
        OnChange(m_sender);
}

// ---- TImageList ------------------------------------------------------------------

namespace {

struct TImage {
    QImage pixels;                  // Format_RGB32, the list's size
    std::vector<uint8_t> clear;     // 1 where the image is transparent
};

uint32_t Mix(uint32_t a, uint32_t b, int percentOfB)
{
    auto channel = [&](int shift) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return uint32_t((ca * (100 - percentOfB) + cb * percentOfB + 50) / 100) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

} // namespace

struct TImageList::Private {
    int width = 16;
    int height = 16;
    bool masked = true;
    TColor bkColor = clNone;
    TColor blendColor = clNone;
    TDrawingStyle drawingStyle = TDrawingStyle::dsNormal;
    TImageType imageType = TImageType::itImage;
    std::vector<TImage> images;
    std::vector<TChangeLink*> links;

    void CheckIndex(int index) const
    {
        if (index < 0 || index >= int(images.size()))
            throw EInvalidOperation("Image list index " + std::to_string(index) + " out of bounds");
    }

    // The image at column `column` of a strip, cut to the list's size.
    TImage Cut(const TBitmap& strip, const TBitmap* mask, int column, const std::function<bool(uint32_t)>& isClear) const
    {
        TImage img;
        img.pixels = QImage(width, height, QImage::Format_RGB32);
        img.pixels.fill(0xFFFFFFFFu);
        img.clear.assign(size_t(width * height), 1);
        const QImage& src = BitmapImage(strip);
        const QImage* maskImage = mask ? &BitmapImage(*mask) : nullptr;
        for (int y = 0; y < height && y < src.height(); ++y)
            for (int x = 0; x < width; ++x) {
                const int sx = column * width + x;
                if (sx >= src.width())
                    break;
                const uint32_t p = reinterpret_cast<const uint32_t*>(src.constScanLine(y))[sx];
                reinterpret_cast<uint32_t*>(img.pixels.scanLine(y))[x] = p;
                bool transparent = isClear(p);
                if (maskImage && sx < maskImage->width() && y < maskImage->height())
                    transparent = (reinterpret_cast<const uint32_t*>(maskImage->constScanLine(y))[sx] & 0xFFFFFFu) != 0;
                img.clear[size_t(y * width + x)] = transparent ? 1 : 0;
            }
        return img;
    }

    int Append(TBitmap* image, TBitmap* mask, const std::function<bool(uint32_t)>& isClear)
    {
        if (!image)
            throw EInvalidOperation("No image to add");
        const int first = int(images.size());
        const int count = std::max(1, image->Width() / width);
        for (int i = 0; i < count; ++i)
            images.push_back(Cut(*image, mask, i, isClear));
        return first;
    }
};

TImageList::TImageList(int width, int height) : TImageList(nullptr, width, height) {}

TImageList::TImageList(TComponent* AOwner, int width, int height) : TComponent(AOwner), d(std::make_unique<Private>())
{
    SetSize(width, height);
}

TImageList::~TImageList()
{
    // Those holding the list hear of its end while it is still whole.
    BeforeDestruction();
    for (TChangeLink* link : d->links)
        link->m_sender = nullptr;
}

int TImageList::Width() const { return d->width; }
int TImageList::Height() const { return d->height; }
void TImageList::SetWidth(int value) { SetSize(value, d->height); }
void TImageList::SetHeight(int value) { SetSize(d->width, value); }

void TImageList::SetSize(int width, int height)
{
    if (width < 1 || height < 1)
        throw EInvalidOperation("Invalid image size " + std::to_string(width) + "x" + std::to_string(height));
    if (width == d->width && height == d->height)
        return;
    d->width = width;
    d->height = height;
    d->images.clear();
    Change();
}

int TImageList::Count() const { return int(d->images.size()); }
bool TImageList::Masked() const { return d->masked; }
TColor TImageList::BkColor() const { return d->bkColor; }
TColor TImageList::BlendColor() const { return d->blendColor; }
TDrawingStyle TImageList::DrawingStyle() const { return d->drawingStyle; }
TImageType TImageList::ImageType() const { return d->imageType; }

void TImageList::SetMasked(bool value)
{
    if (value != d->masked) d->masked = value, Change();
}
void TImageList::SetBkColor(TColor value)
{
    if (value != d->bkColor) d->bkColor = value, Change();
}
void TImageList::SetBlendColor(TColor value)
{
    if (value != d->blendColor) d->blendColor = value, Change();
}
void TImageList::SetDrawingStyle(TDrawingStyle value)
{
    if (value != d->drawingStyle) d->drawingStyle = value, Change();
}
void TImageList::SetImageType(TImageType value)
{
    if (value != d->imageType) d->imageType = value, Change();
}

int TImageList::Add(TBitmap* image, TBitmap* mask)
{
    const int index = d->Append(image, mask, [](uint32_t) { return false; });
    Change();
    return index;
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor)
{
    if (!image)
        throw EInvalidOperation("No image to add");
    const TColor key = maskColor == clDefault ? image->TransparentColor() : maskColor;
    const uint32_t keyPixel = ColorToPixel(ColorToRGB(key) & 0xFFFFFF) & 0xFFFFFFu;
    const int index = d->Append(image, nullptr, [&](uint32_t p) { return (p & 0xFFFFFFu) == keyPixel; });
    Change();
    return index;
}

void TImageList::Replace(int index, TBitmap* image, TBitmap* mask)
{
    d->CheckIndex(index);
    if (!image)
        throw EInvalidOperation("No image to add");
    d->images[size_t(index)] = d->Cut(*image, mask, 0, [](uint32_t) { return false; });
    Change();
}

void TImageList::Delete(int index)
{
    d->CheckIndex(index);
    d->images.erase(d->images.begin() + index);
    Change();
}

void TImageList::Clear()
{
    if (d->images.empty())
        return;
    d->images.clear();
    Change();
}

void TImageList::GetBitmap(int index, TBitmap* image) const
{
    d->CheckIndex(index);
    if (!image)
        throw EInvalidOperation("No bitmap to copy into");
    image->SetMonochrome(false);
    image->SetSize(d->width, d->height);
    BitmapImage(*image) = d->images[size_t(index)].pixels.copy();
}

void TImageList::GetMask(int index, TBitmap* mask) const
{
    d->CheckIndex(index);
    if (!mask)
        throw EInvalidOperation("No bitmap to copy into");
    mask->SetSize(d->width, d->height);
    const TImage& img = d->images[size_t(index)];
    for (int y = 0; y < d->height; ++y)
        for (int x = 0; x < d->width; ++x)
            mask->SetPixel(x, y, img.clear[size_t(y * d->width + x)] ? clWhite : clBlack);
    mask->SetMonochrome(true);
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const
{
    if (!canvas)
        throw EInvalidOperation("No canvas to draw on");
    if (index < 0 || index >= Count())
        return;
    auto rgb = [](TColor c) { return c == clNone ? CLR_NONE : c == clDefault ? CLR_DEFAULT : ColorToRGB(c); };
    unsigned style = ILD_NORMAL;
    switch (d->drawingStyle) {
    case TDrawingStyle::dsFocus: style = ILD_FOCUS; break;
    case TDrawingStyle::dsSelected: style = ILD_SELECTED; break;
    case TDrawingStyle::dsNormal: style = ILD_NORMAL; break;
    case TDrawingStyle::dsTransparent: style = ILD_TRANSPARENT; break;
    }
    if (d->imageType == TImageType::itMask)
        style |= ILD_MASK;
    if (enabled) {
        DrawEx(canvas, x, y, index, 0, 0, rgb(d->bkColor), rgb(d->blendColor), style);
        return;
    }
    // Disabled: the image's dark silhouette embossed, highlight one pixel down and
    // right under the shadow.
    const TImage& img = d->images[size_t(index)];
    auto& c = CanvasAccess::Get(*canvas);
    for (const auto& [dx, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
        const uint32_t pixel = c.SurfacePixel(color);
        if (c.vector) {
            // The silhouette as a picture of its own, transparent around it.
            QImage silhouette(d->width, d->height, QImage::Format_ARGB32);
            for (int j = 0; j < d->height; ++j)
                for (int i = 0; i < d->width; ++i) {
                    const uint32_t src = reinterpret_cast<const uint32_t*>(img.pixels.constScanLine(j))[i];
                    const bool opaque = !(d->masked && img.clear[size_t(j * d->width + i)]);
                    silhouette.setPixel(i, j, opaque && (src & 0xFFFFFFu) != 0xFFFFFFu ? pixel : 0u);
                }
            c.VectorImage(silhouette, TRect(x + dx, y + dx, x + dx + d->width, y + dx + d->height));
            continue;
        }
        const int ox = x + dx + c.origin.x(), oy = y + dx + c.origin.y();
        c.ForEachVisiblePixel(TRect(x + dx, y + dx, x + dx + d->width, y + dx + d->height), [&](int px, int py, uint32_t& dest) {
            const int i = px - ox, j = py - oy;
            const size_t k = size_t(j * d->width + i);
            const uint32_t src = reinterpret_cast<const uint32_t*>(img.pixels.constScanLine(j))[i];
            const bool opaque = !(d->masked && img.clear[k]);
            if (opaque && (src & 0xFFFFFFu) != 0xFFFFFFu)
                dest = pixel;
        });
    }
}

void TImageList::DrawEx(TCanvas* canvas, int x, int y, int index, int width, int height, TColor bk, TColor fg, unsigned style) const
{
    if (!canvas)
        throw EInvalidOperation("No canvas to draw on");
    if (index < 0 || index >= Count())
        return;
    const TImage& img = d->images[size_t(index)];
    const int w = width > 0 ? std::min(width, d->width) : d->width;
    const int h = height > 0 ? std::min(height, d->height) : d->height;
    auto& c = CanvasAccess::Get(*canvas);

    const TColor background = bk == CLR_DEFAULT ? (d->bkColor == clNone ? CLR_NONE : ColorToRGB(d->bkColor)) : bk;
    const bool transparent = d->masked && ((style & ILD_TRANSPARENT) || background == CLR_NONE);
    const uint32_t bkPixel = background == CLR_NONE ? 0 : c.SurfacePixel(background);
    const int blend = (style & ILD_BLEND50) ? 50 : (style & ILD_BLEND25) ? 25 : 0;
    const bool blendWithDest = fg == CLR_NONE;
    const uint32_t blendPixel = fg == CLR_DEFAULT ? c.SurfacePixel(clHighlight) : blendWithDest ? 0 : c.SurfacePixel(fg);
    const bool mono = c.Monochrome();
    const int ox = x + c.origin.x(), oy = y + c.origin.y();

    if (c.vector) {
        // A picture of its own: clear pixels transparent (or the background colour);
        // a blend with what lies under it has nothing to read and blends with nothing.
        QImage picture(w, h, QImage::Format_ARGB32);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                const bool clear = d->masked && img.clear[size_t(j * d->width + i)];
                uint32_t p = reinterpret_cast<const uint32_t*>(img.pixels.constScanLine(j))[i];
                if (style & ILD_MASK)
                    p = clear ? 0xFFFFFFFFu : 0xFF000000u;
                else if (clear)
                    p = transparent ? 0u : bkPixel;
                else if (blend && !blendWithDest)
                    p = Mix(p, blendPixel, blend);
                picture.setPixel(i, j, p);
            }
        c.VectorImage(picture, TRect(x, y, x + w, y + h));
        return;
    }

    c.ForEachVisiblePixel(TRect(x, y, x + w, y + h), [&](int px, int py, uint32_t& dest) {
        const int i = px - ox, j = py - oy;
        const bool clear = d->masked && img.clear[size_t(j * d->width + i)];
        if (style & ILD_MASK) {
            dest = clear ? 0xFFFFFFFFu : 0xFF000000u;
            return;
        }
        if (clear) {
            if (!transparent)
                dest = bkPixel;
            return;
        }
        uint32_t p = reinterpret_cast<const uint32_t*>(img.pixels.constScanLine(j))[i];
        if (blend)
            p = Mix(p, blendWithDest ? dest : blendPixel, blend);
        dest = mono ? MonochromePixel(p) : p;
    });
}

void TImageList::RegisterChanges(TChangeLink* link)
{
    if (!link)
        return;
    if (link->m_sender && link->m_sender != this)
        link->m_sender->UnRegisterChanges(link);
    link->m_sender = this;
    if (std::find(d->links.begin(), d->links.end(), link) == d->links.end())
        d->links.push_back(link);
}

void TImageList::UnRegisterChanges(TChangeLink* link)
{
    if (!link)
        return;
    d->links.erase(std::remove(d->links.begin(), d->links.end(), link), d->links.end());
    if (link->m_sender == this)
        link->m_sender = nullptr;
}

void TImageList::Change()
{
    // A link's handler may unregister links; walk a copy.
    const auto links = d->links;
    for (TChangeLink* link : links)
        if (std::find(d->links.begin(), d->links.end(), link) != d->links.end())
            link->Change();
    if (OnChange)
        OnChange(this);
}

bool ImageList_DrawEx(const TImageList* list, int index, TCanvas* dc, int x, int y, int dx, int dy, TColor bk, TColor fg,
                      unsigned style)
{
    if (!list || !dc)
        throw EPlatformError("Invalid image list or device context");
    if (index < 0 || index >= list->Count())
        return false;
    list->DrawEx(dc, x, y, index, dx, dy, bk, fg, style);
    return true;
}
