// The canvas: GDI-like drawing on a surface (a bitmap), with a pen, a brush and a
// font. Geometry follows the classic platform: right and bottom edges exclusive,
// pens centred on the outline, the last pixel of a thin line not drawn.
//
// A canvas is bound to a surface with an origin (the surface pixel where logical
// (0, 0) lies) and a device clip (surface coordinates) that drawing never leaves; the
// window system binds window canvases that way, TBitmap::Canvas() binds to the whole
// bitmap. The program may narrow the clip further with SelectClipRgn,
// IntersectClipRect and ExcludeClipRect (logical coordinates).
//
// Lines and shapes are rasterised here, without antialiasing, so that every pixel
// lands where a program written for the classic platform expects it. Text is drawn
// by Qt with greyscale antialiasing (no colour fringes): at the small sizes of dialog
// text it reads much better than bare outlines; glyph ink is clipped like any other
// drawing. On a monochrome bitmap text is drawn aliased.
// Text is laid out without kerning, so widths of parts add up to the whole.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Object.h"
#include "platform/core/Types.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/GdiConstants.h"
#include "platform/drawing/Pen.h"
#include "platform/drawing/Region.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TCanvas;
using HDC = TCanvas*;

struct TEXTMETRIC {
    int32_t tmHeight = 0;
    int32_t tmAscent = 0;
    int32_t tmDescent = 0;
    int32_t tmInternalLeading = 0;
    int32_t tmExternalLeading = 0;
    int32_t tmAveCharWidth = 0;
    int32_t tmMaxCharWidth = 0;
    int32_t tmWeight = 0;
    int32_t tmOverhang = 0;
    uint8_t tmItalic = 0;
    uint8_t tmUnderlined = 0;
    uint8_t tmStruckOut = 0;
    uint8_t tmCharSet = 0;
};

class TCanvas : public TObject {
public:
    TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    ~TCanvas() override;

    HDC Handle() { return this; }

    // ---- Binding ----
    void BindSurface(TBitmap* surface, TPoint origin, const TRegion& deviceClip);
    // The whole bitmap, origin (0, 0); the clip follows the bitmap's size.
    void BindSurface(TBitmap* surface);
    // Forgets the surface and the program's clip; drawing then does nothing.
    void UnbindSurface();
    bool HasSurface() const;
    TBitmap* Surface() const;
    TPoint Origin() const;

    // ---- Tools ----
    TPen* Pen() { return &m_pen; }
    TBrush* Brush() { return &m_brush; }
    TFont* Font() { return &m_font; }
    void SetPen(const TPen& pen) { m_pen.Assign(pen); }
    void SetBrush(const TBrush& brush) { m_brush.Assign(brush); }
    void SetFont(const TFont& font) { m_font.Assign(font); }
    TPoint PenPos() const { return m_penPos; }
    void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }

    // Background mode and colour, and text colour. Changing the brush sets the
    // background (its colour; opaque for a solid brush, transparent otherwise) and
    // changing the font sets the text colour, as a component canvas does; these
    // calls override until the next such change. Each answers the previous value.
    int BkMode();
    int SetBkMode(int mode);
    TColor BkColor();
    TColor SetBkColor(TColor color);
    TColor TextColor();
    TColor SetTextColor(TColor color);
    // The pen's raster mode as an R2_* code; SetROP2 overrides the pen's mode until
    // the pen changes.
    int Rop2();
    int SetROP2(int rop2);
    int PolyFillMode() const { return m_polyFillMode; }
    int SetPolyFillMode(int mode);
    // Brush pattern alignment (logical coordinates); answers the previous origin.
    TPoint SetBrushOrigin(TPoint origin);

    // ---- Clipping (logical coordinates) ----
    // The bounding box of the area drawing can reach: the area to paint.
    TRect ClipRect() const;
    TRegion ClipRegion() const;
    bool HasClipRegion() const;
    // Null removes the program's clip. Each answers the kind of the resulting area.
    int SelectClipRegion(const TRegion* region);
    int IntersectClipRect(const TRect& rect);
    int ExcludeClipRect(const TRect& rect);
    bool PtVisible(int x, int y) const;
    bool RectVisible(const TRect& rect) const;

    // ---- Lines and shapes (pen outlines, brush fills) ----
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const TPoint* points, int count);
    void Polyline(const std::vector<TPoint>& points) { Polyline(points.data(), int(points.size())); }
    void Polygon(const TPoint* points, int count);
    void Polygon(const std::vector<TPoint>& points) { Polygon(points.data(), int(points.size())); }
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }

    // ---- Rectangles ----
    // Fills with the brush (a clear brush fills nothing); the pen mode is ignored.
    void FillRect(const TRect& rect);
    // A one-pixel frame in the brush.
    void FrameRect(const TRect& rect);
    void InvertRect(const TRect& rect);
    // A dotted frame, combined by exclusive-or: drawing it twice restores the pixels.
    void DrawFocusRect(const TRect& rect);
    // Pixel read and write; reads outside the clip answer CLR_INVALID.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // ---- Text ----
    // Text at (x, y), the top-left of its cell; in opaque mode the cell is filled
    // with the background colour first. Moves nothing.
    void TextOut(int x, int y, const std::string& text);
    // Text clipped to rect.
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    // ETO_OPAQUE fills rect with the background colour; ETO_CLIPPED clips to rect.
    void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const std::string& text);
    // Extents of one line of text; an empty text measures (0, 0).
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    TSize TextExtent(const std::string& text);
    TEXTMETRIC GetTextMetrics();
    // Formatted text (DT_* flags). Answers the height of the text; with DT_CALCRECT
    // nothing is drawn and rect receives the area the drawing would fill.
    int DrawText(const std::string& text, TRect& rect, unsigned format);

    // ---- Classic 3D look ----
    // Edges (BDR_*/EDGE_*) on the sides chosen by the BF_* flags.
    bool DrawEdge(TRect& rect, unsigned edge, unsigned flags);
    // Buttons, caption buttons, scroll arrows, size grips and menu glyphs (DFC_*, DFCS_*).
    bool DrawFrameControl(TRect& rect, unsigned type, unsigned state);

    // ---- Bit-block transfers ----
    // Raster operations are ternary codes (SRCCOPY ...); source may be this canvas,
    // even with overlapping rectangles. A code that needs a source raises
    // EPlatformError when source is null.
    void BitBlt(int x, int y, int width, int height, TCanvas* source, int sx, int sy, uint32_t rop);
    void StretchBlt(int x, int y, int width, int height, TCanvas* source, int sx, int sy, int sw, int sh, uint32_t rop);
    void PatBlt(int x, int y, int width, int height, uint32_t rop);
    // Copies a bitmap (its transparent colour left out when it is Transparent).
    void Draw(int x, int y, TBitmap* bitmap);
    void StretchDraw(const TRect& rect, TBitmap* bitmap);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);

    struct Private;

private:
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    TPoint m_penPos;
    int m_polyFillMode = ALTERNATE;
    std::unique_ptr<Private> d;
    friend struct CanvasAccess;
};

// ---- The handle-based calls, for code written against that API ----

TPoint MoveToEx(HDC dc, int x, int y);
bool LineTo(HDC dc, int x, int y);
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool Ellipse(HDC dc, int left, int top, int right, int bottom);
bool RoundRect(HDC dc, int left, int top, int right, int bottom, int ew, int eh);
bool Polygon(HDC dc, const TPoint* points, int count);
bool Polyline(HDC dc, const TPoint* points, int count);
bool InvertRect(HDC dc, const TRect& rect);
bool DrawFocusRect(HDC dc, const TRect& rect);
// Fills or frames with a solid colour (system colours allowed).
void FillRectColor(HDC dc, const TRect& rect, TColor color);
void FrameRectColor(HDC dc, const TRect& rect, TColor color);
int DrawText(HDC dc, const std::string& text, TRect* rect, unsigned format);
bool ExtTextOut(HDC dc, int x, int y, unsigned options, const TRect* rect, const std::string& text);
bool TextOut(HDC dc, int x, int y, const std::string& text);
bool GetTextExtentPoint32(HDC dc, const std::string& text, TSize* size);
bool GetTextMetrics(HDC dc, TEXTMETRIC* metrics);
bool DrawEdge(HDC dc, TRect* rect, unsigned edge, unsigned flags);
bool DrawFrameControl(HDC dc, TRect* rect, unsigned type, unsigned state);
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, uint32_t rop);
bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh, uint32_t rop);
bool PatBlt(HDC dc, int x, int y, int width, int height, uint32_t rop);
int SetBkMode(HDC dc, int mode);
TColor SetBkColor(HDC dc, TColor color);
TColor SetTextColor(HDC dc, TColor color);
int SetROP2(HDC dc, int rop2);
TColor GetPixel(HDC dc, int x, int y);
TColor SetPixel(HDC dc, int x, int y, TColor color);

constexpr TColor CLR_INVALID = 0xFFFFFFFF;
