// Frame controls in the classic look: push, check and radio buttons, caption
// buttons, scroll arrows, the size grip and menu glyphs.
#include "platform/drawing/Canvas.h"

#include "platform/drawing/Canvas_p.h"

#include <algorithm>

namespace {

// A glyph: pixels relative to the glyph's top-left.
using TGlyph = TSpans;

// Glyphs grow with their control up to this size; beyond it they stay centred.
constexpr int kMaxGlyph = 256;

int GlyphExtent(const TRect& r)
{
    return std::min({r.Width(), r.Height(), kMaxGlyph});
}

void PaintGlyph(TCanvas::Private& d, const TGlyph& glyph, int x, int y, TColor color)
{
    TSpans placed;
    placed.reserve(glyph.size());
    for (const TSpan& s : glyph)
        placed.push_back({s.y + y, s.x0 + x, s.x1 + x});
    d.PaintSpans(placed, d.SolidSource(color, R2_COPYPEN));
}

// Enabled glyphs in the button text colour; disabled ones embossed: a highlight copy
// one pixel down and right under a shadow copy.
void PaintButtonGlyph(TCanvas::Private& d, const TGlyph& glyph, int x, int y, bool inactive, TColor color = clBtnText)
{
    if (inactive) {
        PaintGlyph(d, glyph, x + 1, y + 1, clBtnHighlight);
        PaintGlyph(d, glyph, x, y, clBtnShadow);
    } else {
        PaintGlyph(d, glyph, x, y, color);
    }
}

// The classic check mark, 7 x 7: a stroke three pixels tall going down and up.
TGlyph CheckMark()
{
    static const int tops[7] = {2, 3, 4, 3, 2, 1, 0};
    TGlyph g;
    for (int x = 0; x < 7; ++x)
        for (int y = tops[x]; y < tops[x] + 3; ++y)
            g.push_back({y, x, x + 1});
    return g;
}

enum class TArrow { Up, Down, Left, Right };

// A solid triangle whose base is 2 * height - 1 pixels.
TGlyph Triangle(TArrow dir, int height)
{
    TGlyph g;
    const int base = 2 * height - 1;
    for (int i = 0; i < height; ++i) {
        const int from = height - 1 - i, to = height + i; // base row i counted from the tip
        switch (dir) {
        case TArrow::Up: g.push_back({i, from, to}); break;
        case TArrow::Down: g.push_back({height - 1 - i, from, to}); break;
        case TArrow::Left:
            for (int y = from; y < to; ++y) g.push_back({y, i, i + 1});
            break;
        case TArrow::Right:
            for (int y = from; y < to; ++y) g.push_back({y, height - 1 - i, height - i});
            break;
        }
    }
    (void)base;
    return g;
}

TGlyph CloseGlyph(int size)
{
    TGlyph g;
    for (int i = 0; i < size; ++i) {
        g.push_back({i, i, i + 2});
        g.push_back({i, size - 1 - i, size + 1 - i});
    }
    return g;
}

TGlyph MinimizeGlyph(int size)
{
    return {{size - 2, 0, size}, {size - 1, 0, size}};
}

void AddBox(TGlyph& g, int l, int t, int w, int h)
{
    g.push_back({t, l, l + w});
    g.push_back({t + 1, l, l + w});
    for (int y = t + 2; y < t + h - 1; ++y) {
        g.push_back({y, l, l + 1});
        g.push_back({y, l + w - 1, l + w});
    }
    g.push_back({t + h - 1, l, l + w});
}

TGlyph MaximizeGlyph(int size)
{
    TGlyph g;
    AddBox(g, 0, 0, size + 1, size);
    return g;
}

TGlyph RestoreGlyph(int size)
{
    TGlyph g;
    const int box = std::max(4, size * 2 / 3 + 1);
    const int shift = size + 1 - box;
    // The back window: only the parts the front one does not hide.
    TGlyph back;
    AddBox(back, shift, 0, box, box - 1);
    const TRect front(0, shift, box, shift + box - 1);
    for (const TSpan& s : back)
        for (int x = s.x0; x < s.x1; ++x)
            if (!front.Contains(x, s.y))
                g.push_back({s.y, x, x + 1});
    AddBox(g, 0, shift, box, box - 1);
    // The front window is cleared to the face colour before drawing.
    return g;
}

TRect CenteredSquare(const TRect& r, int side)
{
    const int l = r.Left + (r.Width() - side) / 2, t = r.Top + (r.Height() - side) / 2;
    return TRect(l, t, l + side, t + side);
}

void DrawButtonFace(TCanvas& c, TRect& r, unsigned state, bool pushedLooksFlat)
{
    const bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
    unsigned flags = BF_RECT | BF_MIDDLE | BF_ADJUST | BF_SOFT;
    if (state & DFCS_FLAT) flags |= BF_FLAT;
    if (state & DFCS_MONO) flags |= BF_MONO;
    if (down && pushedLooksFlat)
        c.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE | BF_ADJUST | BF_FLAT);
    else
        c.DrawEdge(r, down ? EDGE_SUNKEN : EDGE_RAISED, flags);
}

void DrawPushButton(TCanvas& c, TCanvas::Private& d, TRect& r, unsigned state)
{
    DrawButtonFace(c, r, state, false);
    // A checked button that is not held down shows the halftone of highlight on face.
    if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED)) {
        const uint32_t hi = d.SurfacePixel(clBtnHighlight);
        d.ForEachVisiblePixel(r, [&](int x, int y, uint32_t& p) {
            if (((x - d.origin.x()) ^ (y - d.origin.y())) & 1)
                p = hi;
        });
    }
}

void DrawCheckBox(TCanvas& c, TCanvas::Private& d, const TRect& rect, unsigned state)
{
    TRect box = CenteredSquare(rect, std::min({rect.Width(), rect.Height(), 13}));
    const bool inactive = state & DFCS_INACTIVE;
    if (state & DFCS_FLAT) {
        FrameRectColor(&c, box, clBtnShadow);
        box = box.Inflate(-1, -1);
    } else if (state & DFCS_MONO) {
        FrameRectColor(&c, box, clWindowFrame);
        box = box.Inflate(-1, -1);
    } else {
        c.DrawEdge(box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    FillRectColor(&c, box, (state & DFCS_PUSHED) || inactive ? clBtnFace : clWindow);
    if (state & DFCS_CHECKED) {
        const bool third = state & DFCS_BUTTON3STATE;
        const int x = box.Left + (box.Width() - 7) / 2, y = box.Top + (box.Height() - 7) / 2;
        PaintGlyph(d, CheckMark(), x, y, inactive || third ? clGrayText : clWindowText);
    }
}

// A ring of an ellipse split into the half above the anti-diagonal (top-left colour)
// and the half below it (bottom-right colour).
void PaintRing(TCanvas::Private& d, const TRect& box, TColor topLeft, TColor bottomRight)
{
    TSpans outline, interior;
    ShapeSpans(box, box.Width(), box.Height(), 1, false, outline, interior);
    TSpans tl, br;
    const int diagonal = box.Width() - 1;
    for (const TSpan& s : outline)
        for (int x = s.x0; x < s.x1; ++x)
            ((x - box.Left) + (s.y - box.Top) < diagonal ? tl : br).push_back({s.y, x, x + 1});
    d.PaintSpans(tl, d.SolidSource(topLeft, R2_COPYPEN));
    d.PaintSpans(br, d.SolidSource(bottomRight, R2_COPYPEN));
}

void PaintDisc(TCanvas::Private& d, const TRect& box, TColor color)
{
    TSpans outline, interior;
    ShapeSpans(box, box.Width(), box.Height(), 1, false, outline, interior);
    d.PaintSpans(outline, d.SolidSource(color, R2_COPYPEN));
    d.PaintSpans(interior, d.SolidSource(color, R2_COPYPEN));
}

void DrawRadio(TCanvas& c, TCanvas::Private& d, const TRect& rect, unsigned state)
{
    const int side = std::min({rect.Width(), rect.Height(), 12});
    const TRect box = CenteredSquare(rect, side);
    if (state & DFCS_BUTTONRADIOMASK) {
        FillRectColor(&c, rect, clWhite);
        PaintDisc(d, box, clBlack);
        return;
    }
    const bool inactive = state & DFCS_INACTIVE;
    PaintDisc(d, box, (state & DFCS_PUSHED) || inactive ? clBtnFace : clWindow);
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        const TColor frame = (state & DFCS_MONO) ? clWindowFrame : clBtnShadow;
        PaintRing(d, box, frame, frame);
    } else {
        PaintRing(d, box, clBtnShadow, clBtnHighlight);
        PaintRing(d, box.Inflate(-1, -1), cl3DDkShadow, cl3DLight);
    }
    if (state & DFCS_CHECKED) {
        const int dot = std::max(2, side / 3);
        PaintDisc(d, CenteredSquare(box, dot), inactive ? clGrayText : clWindowText);
    }
}

void DrawCaptionButton(TCanvas& c, TCanvas::Private& d, TRect r, unsigned state)
{
    DrawButtonFace(c, r, state, false);
    const int size = std::max(3, GlyphExtent(r) - 2);
    const int shift = (state & DFCS_PUSHED) ? 1 : 0;
    const bool inactive = state & DFCS_INACTIVE;
    const unsigned part = state & 0xFF;
    TGlyph glyph;
    int gw = size, gh = size;
    switch (part) {
    case DFCS_CAPTIONCLOSE: glyph = CloseGlyph(size - 1); gw = size; gh = size - 1; break;
    case DFCS_CAPTIONMIN: glyph = MinimizeGlyph(size - 1); gw = size - 1; gh = size - 1; break;
    case DFCS_CAPTIONMAX: glyph = MaximizeGlyph(size - 1); gw = size; gh = size - 1; break;
    case DFCS_CAPTIONRESTORE: glyph = RestoreGlyph(size - 1); gw = size; gh = size - 1; break;
    case DFCS_CAPTIONHELP: {
        TRect text = r.Offset(shift, shift);
        c.Font()->SetStyle({TFontStyle::fsBold});
        c.SetBkMode(TRANSPARENT);
        c.SetTextColor(inactive ? clGrayText : clBtnText);
        c.DrawText("?", text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    default: return;
    }
    const int x = r.Left + (r.Width() - gw) / 2 + shift, y = r.Top + (r.Height() - gh) / 2 + shift;
    PaintButtonGlyph(d, glyph, x, y, inactive);
}

void DrawSizeGrip(TCanvas& c, TCanvas::Private& d, const TRect& r, unsigned state)
{
    if (!(state & DFCS_TRANSPARENT))
        FillRectColor(&c, r, clBtnFace);
    const int side = std::min(GlyphExtent(r), 64);
    const int groups = std::max(1, (side - 4) / 4);
    TSpans highlight, shadow;
    // Diagonals counted from the bottom-right corner: face, shadow, shadow, highlight.
    for (int y = r.Bottom - side; y < r.Bottom; ++y)
        for (int x = r.Right - side; x < r.Right; ++x) {
            const int dist = (r.Right - 1 - x) + (r.Bottom - 1 - y);
            if (dist >= groups * 4)
                continue;
            const int phase = dist % 4;
            if (phase == 1 || phase == 2)
                shadow.push_back({y, x, x + 1});
            else if (phase == 3)
                highlight.push_back({y, x, x + 1});
        }
    d.PaintSpans(shadow, d.SolidSource(clBtnShadow, R2_COPYPEN));
    d.PaintSpans(highlight, d.SolidSource(clBtnHighlight, R2_COPYPEN));
}

void DrawScrollButton(TCanvas& c, TCanvas::Private& d, TRect r, unsigned state)
{
    const unsigned part = state & 0xFF;
    if (part == DFCS_SCROLLSIZEGRIP || part == DFCS_SCROLLSIZEGRIPRIGHT) {
        DrawSizeGrip(c, d, r, state);
        return;
    }
    // A pressed scroll arrow is flat, its glyph one pixel down and right.
    DrawButtonFace(c, r, state, true);
    const int height = std::max(2, GlyphExtent(r) / 3);
    TArrow dir = TArrow::Down;
    switch (part) {
    case DFCS_SCROLLUP: dir = TArrow::Up; break;
    case DFCS_SCROLLLEFT: dir = TArrow::Left; break;
    case DFCS_SCROLLRIGHT: dir = TArrow::Right; break;
    default: dir = TArrow::Down; break;
    }
    const bool vertical = dir == TArrow::Up || dir == TArrow::Down;
    const int gw = vertical ? 2 * height - 1 : height, gh = vertical ? height : 2 * height - 1;
    const int shift = (state & DFCS_PUSHED) ? 1 : 0;
    const int x = r.Left + (r.Width() - gw) / 2 + shift, y = r.Top + (r.Height() - gh) / 2 + shift;
    PaintButtonGlyph(d, Triangle(dir, height), x, y, state & DFCS_INACTIVE);
}

// Menu glyphs are black on white, the way menus use them as masks.
void DrawMenuGlyph(TCanvas& c, TCanvas::Private& d, const TRect& r, unsigned state)
{
    FillRectColor(&c, r, clWhite);
    const unsigned part = state & 0xFF;
    if (part == DFCS_MENUCHECK) {
        PaintGlyph(d, CheckMark(), r.Left + (r.Width() - 7) / 2, r.Top + (r.Height() - 7) / 2, clBlack);
    } else if (part == DFCS_MENUBULLET) {
        const int dot = std::max(2, GlyphExtent(r) / 3);
        PaintDisc(d, CenteredSquare(r, dot), clBlack);
    } else {
        const int height = std::max(2, GlyphExtent(r) / 3);
        const TArrow dir = part == DFCS_MENUARROWRIGHT ? TArrow::Left : TArrow::Right;
        PaintGlyph(d, Triangle(dir, height), r.Left + (r.Width() - height) / 2, r.Top + (r.Height() - 2 * height + 1) / 2, clBlack);
    }
}

} // namespace

bool TCanvas::DrawFrameControl(TRect& rect, unsigned type, unsigned state)
{
    if (rect.IsEmpty())
        return false;
    // Glyph drawing may change the canvas tools; the caller's are put back after.
    TFont savedFont;
    savedFont.Assign(m_font);
    const int savedBkMode = BkMode();
    const TColor savedText = TextColor();
    bool drawn = true;
    switch (type) {
    case DFC_BUTTON: {
        const unsigned part = state & 0xFF;
        if (part & DFCS_BUTTONPUSH) {
            TRect r = rect;
            DrawPushButton(*this, *d, r, state);
            if (state & DFCS_ADJUSTRECT)
                rect = r;
        } else if (part & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            DrawRadio(*this, *d, rect, state);
        } else {
            DrawCheckBox(*this, *d, rect, state);
        }
        break;
    }
    case DFC_CAPTION: DrawCaptionButton(*this, *d, rect, state); break;
    case DFC_SCROLL: DrawScrollButton(*this, *d, rect, state); break;
    case DFC_MENU: DrawMenuGlyph(*this, *d, rect, state); break;
    default: drawn = false; break;
    }
    m_font.Assign(savedFont);
    SetBkMode(savedBkMode);
    SetTextColor(savedText);
    return drawn;
}
