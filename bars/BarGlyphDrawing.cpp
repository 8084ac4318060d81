#include "bars/BarGlyphDrawing.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"

#include <algorithm>
#include <vector>

bool TzqBarGlyphSource::Empty() const
{
    if (Glyph && !Glyph->Empty())
        return false;
    return !(Images && ImageIndex >= 0 && ImageIndex < Images->Count());
}

TColor LightenedGlyphColor(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    auto up = [](int v) { return static_cast<int>(v + MulDiv(255 - v, 3, 10)); };
    return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

namespace {

// The glyph as a picture of the drawn size and the colour that stands for "nothing".
struct Rendered {
    TBitmap pixels;
    TColor transparent = clNone;
};

bool Render(const TzqBarGlyphSource& source, int size, bool stretch, Rendered& out)
{
    if (source.Glyph && !source.Glyph->Empty()) {
        TBitmap& glyph = const_cast<TBitmap&>(*source.Glyph);
        out.transparent = glyph.Pixel(0, glyph.Height() - 1);
        const bool scale = stretch && (glyph.Width() != size || glyph.Height() != size);
        const int w = scale ? size : glyph.Width(), h = scale ? size : glyph.Height();
        out.pixels.SetSize(w, h);
        if (scale)
            out.pixels.Canvas()->StretchBlt(0, 0, w, h, glyph.Canvas(), 0, 0, glyph.Width(), glyph.Height(), SRCCOPY);
        else
            out.pixels.Canvas()->BitBlt(0, 0, w, h, glyph.Canvas(), 0, 0, SRCCOPY);
        return true;
    }
    if (!source.Images || source.ImageIndex < 0 || source.ImageIndex >= source.Images->Count())
        return false;
    const TImageList& list = *source.Images;
    out.transparent = ColorToRGB(source.ImageListBkColor);
    TBitmap natural(list.Width(), list.Height());
    natural.Fill(out.transparent);
    list.Draw(natural.Canvas(), 0, 0, source.ImageIndex, true);
    const bool scale = stretch && (list.Width() != size || list.Height() != size);
    if (!scale) {
        out.pixels.Assign(natural);
        return true;
    }
    out.pixels.SetSize(size, size);
    out.pixels.Canvas()->StretchBlt(0, 0, size, size, natural.Canvas(), 0, 0, natural.Width(), natural.Height(),
                                    SRCCOPY);
    return true;
}

bool Solid(const Rendered& p, int x, int y)
{
    return p.pixels.Pixel(x, y) != p.transparent;
}

// A pixel that belongs to the silhouette of a disabled glyph: its light parts drop out.
bool Dark(const Rendered& p, int x, int y)
{
    if (!Solid(p, x, y))
        return false;
    const TColor c = p.pixels.Pixel(x, y);
    return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100 < 0xC0;
}

// The picture being composed: colours where something was drawn, nothing elsewhere.
class Composition {
public:
    Composition(int w, int h) : m_w(w), m_h(h), m_pixels(size_t(w) * size_t(h), clNone) {}

    template <typename Keep, typename ColourOf>
    void Plot(const Rendered& p, TPoint at, Keep keep, ColourOf colour)
    {
        for (int y = 0; y < p.pixels.Height(); ++y)
            for (int x = 0; x < p.pixels.Width(); ++x)
                if (keep(x, y)) {
                    const int tx = at.X + x, ty = at.Y + y;
                    if (tx >= 0 && ty >= 0 && tx < m_w && ty < m_h)
                        m_pixels[size_t(ty) * size_t(m_w) + size_t(tx)] = colour(x, y);
                }
    }

    // Into the bitmap, with a transparent colour none of the drawn pixels has.
    void Store(TBitmap& out) const
    {
        TColor key = RGB(255, 0, 255);
        for (TColor candidate : {RGB(255, 0, 255), RGB(1, 254, 3), RGB(7, 3, 251), RGB(250, 5, 9)}) {
            key = candidate;
            if (std::find(m_pixels.begin(), m_pixels.end(), candidate) == m_pixels.end())
                break;
        }
        out.SetSize(m_w, m_h);
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x) {
                const TColor c = m_pixels[size_t(y) * size_t(m_w) + size_t(x)];
                out.SetPixel(x, y, c == clNone ? key : c);
            }
        out.SetTransparentMode(TTransparentMode::tmFixed);
        out.SetTransparentColor(key);
        out.SetTransparent(true);
    }

private:
    int m_w;
    int m_h;
    std::vector<TColor> m_pixels;
};

} // namespace

void MakeBarGlyph(TBitmap& Picture, const TzqBarGlyphSource& Source, int Size, bool Stretch, TzqBarGlyphEffect Effect)
{
    Rendered p;
    if (!Render(Source, Size, Stretch, p)) {
        Picture.SetSize(0, 0);
        return;
    }
    Composition out(p.pixels.Width() + 2, p.pixels.Height() + 2);
    const TPoint at{1, 1};
    auto solid = [&p](int x, int y) { return Solid(p, x, y); };
    auto dark = [&p](int x, int y) { return Dark(p, x, y); };
    auto own = [&p](int x, int y) { return p.pixels.Pixel(x, y); };
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor highlight = ColorToRGB(clBtnHighlight);
    switch (Effect) {
    case TzqBarGlyphEffect::geNormal:
        out.Plot(p, at, solid, own);
        break;
    case TzqBarGlyphEffect::geLightened:
        out.Plot(p, at, solid, [&p](int x, int y) { return LightenedGlyphColor(p.pixels.Pixel(x, y)); });
        break;
    case TzqBarGlyphEffect::geRaised:
        out.Plot(p, {at.X + 1, at.Y + 1}, solid, [shadow](int, int) { return shadow; });
        out.Plot(p, {at.X - 1, at.Y - 1}, solid, own);
        break;
    case TzqBarGlyphEffect::geEmbossed:
        out.Plot(p, {at.X + 1, at.Y + 1}, dark, [highlight](int, int) { return highlight; });
        out.Plot(p, at, dark, [shadow](int, int) { return shadow; });
        break;
    case TzqBarGlyphEffect::geShadowOnly:
        out.Plot(p, at, dark, [shadow](int, int) { return shadow; });
        break;
    }
    out.Store(Picture);
}

void DrawBarGlyphPicture(TCanvas& Canvas, TBitmap& Picture, const TRect& Place)
{
    if (Picture.Empty())
        return;
    // The glyph lies one pixel in from the picture's edges.
    const int x = Place.Left + (Place.Width() - (Picture.Width() - 2)) / 2 - 1;
    const int y = Place.Top + (Place.Height() - (Picture.Height() - 2)) / 2 - 1;
    Canvas.Draw(x, y, &Picture);
}
