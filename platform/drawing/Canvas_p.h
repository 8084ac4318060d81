// Private state of a canvas and the pixel-level painting shared by the canvas's
// source files and the image list.
#pragma once

#include "platform/drawing/Bitmap_p.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Raster_p.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <functional>
#include <vector>

class TVectorSink;
struct TVectorShape;

// What a run of pixels is painted with.
struct TPaintSource {
    enum class Kind { Solid, Brush };
    Kind kind = Kind::Solid;
    uint32_t pixel = 0xFF000000u;   // Solid: 0xFFRRGGBB
    const TBrush* brush = nullptr;  // Brush: hatch or pattern
    uint32_t brushPixel = 0;        // Brush: hatch line colour
    uint32_t textPixel = 0;         // monochrome pattern: black bits
    uint32_t bkPixel = 0;           // monochrome pattern white bits, hatch gaps
    bool gapsTransparent = false;   // hatch gaps left alone
    TPoint patternOrigin;           // device pixel where the pattern's (0, 0) lies
    int rop2 = 13;                  // R2_COPYPEN
};

struct TCanvas::Private {
    TCanvas* q = nullptr;
    TBitmap* surface = nullptr;
    QPoint origin;
    bool wholeSurface = false;
    QRegion deviceClip;
    bool hasUserClip = false;
    QRegion userClip; // device coordinates
    // The effective clip, kept until the binding, the clip or the surface size changes.
    mutable QRegion clipCache;
    mutable QSize clipCacheSurfaceSize;
    mutable bool clipCacheValid = false;
    void InvalidateClip() { clipCacheValid = false; }

    // A vector surface (TVectorCanvas): drawing goes to the sink instead of pixels;
    // bounds take the place of the surface's size. The clip last sent to the sink is
    // kept so that it is sent again only when a drawing needs another one.
    TVectorSink* vector = nullptr;
    QRect vectorBounds;
    QRegion sentClip;
    bool clipSent = false;

    int bkMode = OPAQUE;
    TColor bkColor = clWhite;
    TColor textColor = clWindowText;
    int rop2 = R2_COPYPEN;
    TPoint brushOrigin;
    int dashPhase = 0;
    uint64_t penRevision = 0, brushRevision = 0, fontRevision = 0;

    // ---- State ----
    // Re-reads background, text colour and raster mode from tools changed since.
    void SyncTools();
    QImage* Image() const;
    bool Monochrome() const;
    const QRegion& EffectiveClip() const;
    QRect SurfaceRect() const;
    // A colour as the surface stores it (system colours resolved; black or white on
    // a monochrome surface).
    uint32_t SurfacePixel(TColor color) const;

    // ---- Painting (device coordinates unless named logical) ----
    TPaintSource PenSource();
    TPaintSource BrushSource(bool forceCopy);
    TPaintSource SolidSource(TColor color, int rop2) const;
    // Paints logical spans through the clip.
    void PaintSpans(const TSpans& spans, const TPaintSource& source);
    void PaintLogicalRect(const TRect& rect, const TPaintSource& source);
    // Calls visit(y, x0, x1) for the parts of a device span inside the clip.
    void ForEachClippedSpan(int y, int x0, int x1, const std::function<void(int, int, int)>& visit) const;
    void PaintDeviceSpan(int y, int x0, int x1, const TPaintSource& source);
    // The colour a source gives device pixel (x, y); false for a transparent hatch gap.
    bool SourcePixelAt(const TPaintSource& source, int x, int y, uint32_t& pixel) const;
    // Applies a per-pixel function to every visible pixel of a logical rectangle;
    // fn(deviceX, deviceY, pixel&) may change the pixel.
    void ForEachVisiblePixel(const TRect& logical, const std::function<void(int, int, uint32_t&)>& fn);
    // Runs fn with a QPainter on the surface, clipped, translated to logical
    // coordinates; the affected logical area is snapped to black and white on a
    // monochrome surface afterwards.
    void WithPainter(const TRect& affected, const std::function<void(QPainter&)>& fn);

    // The logical area drawing can reach, grown by margin on every side: shapes are
    // only rasterised there.
    TRect VisibleLogical(int margin) const
    {
        const QRect b = EffectiveClip().boundingRect();
        if (b.isEmpty())
            return TRect();
        return TRect(b.left() - origin.x() - margin, b.top() - origin.y() - margin, b.right() + 1 - origin.x() + margin,
                     b.bottom() + 1 - origin.y() + margin);
    }

    TPoint ToDevice(TPoint p) const { return {p.X + origin.x(), p.Y + origin.y()}; }

    // ---- Vector surface (VectorCanvas.cpp; logical coordinates) ----
    // Makes sure the sink clips to `clip` wherever the device box reaches; false when
    // nothing of the box can show.
    bool SendVectorClip(const QRegion& clip, const QRectF& deviceBox);
    // A shape to the sink, clipped by the canvas.
    void VectorShape(TVectorShape& shape);
    void VectorFillRect(const TRect& rect, TColor color);
    void VectorSpans(const TSpans& spans, TColor color);
    // A picture (ARGB32, straight alpha) stretched into dest.
    void VectorImage(const QImage& picture, const TRect& dest);
    // Runs fn with a QPainter whose text and rectangles go to the sink.
    void VectorPainter(const std::function<void(QPainter&)>& fn);
    // The colour a paint source paints with (a brush's colour for hatches and patterns).
    static TColor SourceColor(const TPaintSource& source);
};

struct CanvasAccess {
    static TCanvas::Private& Get(TCanvas& c) { return *c.d; }
};

// Combines pen and destination by a binary raster code (R2_*), bit by bit.
inline uint32_t ApplyRop2(int rop2, uint32_t pen, uint32_t dest)
{
    const unsigned table = unsigned(rop2 - 1) & 0xF;
    uint32_t r = 0;
    if (table & 1) r |= ~pen & ~dest;
    if (table & 2) r |= ~pen & dest;
    if (table & 4) r |= pen & ~dest;
    if (table & 8) r |= pen & dest;
    return 0xFF000000u | (r & 0xFFFFFFu);
}

// Combines pattern, source and destination by the truth table of a ternary raster
// code (bits 16..23), bit by bit.
inline uint32_t ApplyRop3(uint32_t rop, uint32_t p, uint32_t s, uint32_t d)
{
    const unsigned table = (rop >> 16) & 0xFF;
    uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!(table & (1u << i)))
            continue;
        const uint32_t pm = (i & 4) ? p : ~p;
        const uint32_t sm = (i & 2) ? s : ~s;
        const uint32_t dm = (i & 1) ? d : ~d;
        r |= pm & sm & dm;
    }
    return 0xFF000000u | (r & 0xFFFFFFu);
}

inline bool Rop3UsesSource(uint32_t rop)
{
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 2) & 0x33) != (t & 0x33);
}
inline bool Rop3UsesPattern(uint32_t rop)
{
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 4) & 0x0F) != (t & 0x0F);
}
