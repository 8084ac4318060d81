// Renders every drawing primitive, edge and frame control into one PNG, for a
// person to look at: gallery [output.png] (default gallery.png).
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/GraphicsSystem.h"
#include "platform/drawing/ImageList.h"

#include <cstdio>
#include <string>

namespace {

void Label(TCanvas* c, int x, int y, const std::string& text)
{
    c->SetBkMode(TRANSPARENT);
    c->SetTextColor(clBlack);
    c->TextOut(x, y, text);
}

void Shapes(TCanvas* c, int x, int y)
{
    Label(c, x, y, "Shapes: rectangle, round rectangle, ellipse, polygon, wide and inside-frame pens");
    y += 18;
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(clYellow);
    c->Rectangle(x, y, x + 60, y + 40);
    c->RoundRect(x + 70, y, x + 130, y + 40, 16, 16);
    c->Ellipse(x + 140, y, x + 200, y + 40);
    const std::vector<TPoint> diamond = {{x + 210, y + 20}, {x + 240, y}, {x + 269, y + 20}, {x + 240, y + 39}};
    c->Polygon(diamond);
    c->Pen()->SetWidth(3);
    c->Brush()->SetColor(clAqua);
    c->Rectangle(x + 281, y + 1, x + 339, y + 39);
    c->Pen()->SetStyle(TPenStyle::psInsideFrame);
    c->Ellipse(x + 350, y, x + 410, y + 40);
    c->Pen()->SetStyle(TPenStyle::psSolid);
    c->Pen()->SetWidth(1);
    // Hatched and halftone brushes.
    const TBrushStyle hatches[] = {TBrushStyle::bsHorizontal, TBrushStyle::bsVertical, TBrushStyle::bsFDiagonal,
                                   TBrushStyle::bsBDiagonal, TBrushStyle::bsCross, TBrushStyle::bsDiagCross};
    int hx = x + 420;
    for (TBrushStyle style : hatches) {
        c->Brush()->SetColor(clNavy);
        c->Brush()->SetStyle(style);
        c->Rectangle(hx, y, hx + 30, y + 40);
        hx += 34;
    }
    TBitmap halftone;
    MakeHalftonePattern(halftone);
    c->Brush()->SetBitmap(&halftone);
    c->SetTextColor(clBtnHighlight);
    c->SetBkColor(clBtnFace);
    c->FillRect(TRect(hx, y, hx + 40, y + 40));
    c->Brush()->SetBitmap(nullptr);
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
}

void Lines(TCanvas* c, int x, int y)
{
    Label(c, x, y, "Lines: solid, dash, dot, dash-dot, dash-dot-dot, width 3, not-xor, focus rectangle, invert");
    y += 18;
    const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDot, TPenStyle::psDashDot,
                                TPenStyle::psDashDotDot};
    c->Brush()->SetColor(clWhite);
    int ly = y;
    for (TPenStyle style : styles) {
        c->Pen()->SetStyle(style);
        c->MoveTo(x, ly);
        c->LineTo(x + 120, ly);
        ly += 6;
    }
    c->Pen()->SetStyle(TPenStyle::psSolid);
    c->Pen()->SetWidth(3);
    c->MoveTo(x + 130, y);
    c->LineTo(x + 190, y + 30);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(clRed);
    for (int i = 0; i < 8; ++i) {
        c->MoveTo(x + 200, y + 20);
        c->LineTo(x + 200 + (i - 4) * 6, y + (i % 2 ? 0 : 40));
    }
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clLime);
    c->FillRect(TRect(x + 250, y, x + 310, y + 40));
    c->Pen()->SetMode(TPenMode::pmNotXor);
    c->Pen()->SetWidth(2);
    c->MoveTo(x + 240, y + 20);
    c->LineTo(x + 320, y + 20);
    c->Pen()->SetMode(TPenMode::pmCopy);
    c->Pen()->SetWidth(1);
    c->SetTextColor(clBlack);
    c->SetBkColor(clWhite);
    c->DrawFocusRect(TRect(x + 330, y, x + 400, y + 40));
    c->Brush()->SetColor(clYellow);
    c->FillRect(TRect(x + 410, y, x + 470, y + 40));
    c->InvertRect(TRect(x + 430, y + 10, x + 460, y + 30));
}

void Texts(TCanvas* c, int x, int y)
{
    Label(c, x, y, "Text: DrawText flags, prefixes, ellipses, word wrap, styles, vertical text, ExtTextOut");
    y += 18;
    struct Sample {
        const char* text;
        unsigned flags;
    };
    const Sample samples[] = {
        {"Left", DT_LEFT | DT_SINGLELINE | DT_VCENTER},
        {"Centre", DT_CENTER | DT_SINGLELINE | DT_VCENTER},
        {"Right", DT_RIGHT | DT_SINGLELINE | DT_BOTTOM},
        {"&Save && close", DT_CENTER | DT_SINGLELINE | DT_VCENTER},
        {"A long caption that does not fit", DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER},
        {"C:\\Program Files\\Velmora\\chart.db", DT_PATH_ELLIPSIS | DT_SINGLELINE | DT_VCENTER},
        {"Word wrapped caption centred both ways", DT_WORDBREAK | DT_CENTER},
        {"Tab\tstops\tat\teight", DT_EXPANDTABS | DT_SINGLELINE},
    };
    int sx = x;
    for (const Sample& s : samples) {
        c->Brush()->SetColor(clInfoBk);
        c->Pen()->SetColor(clGray);
        c->Rectangle(sx, y, sx + 110, y + 40);
        TRect r(sx + 2, y + 2, sx + 108, y + 38);
        c->Font()->SetColor(clBlack);
        c->Brush()->SetStyle(TBrushStyle::bsClear);
        c->DrawText(s.text, r, s.flags);
        c->Brush()->SetStyle(TBrushStyle::bsSolid);
        sx += 114;
    }
    y += 48;
    const char* faces[] = {"MS Sans Serif", "Tahoma", "Arial", "Times New Roman", "Courier New"};
    sx = x;
    for (const char* face : faces) {
        c->Font()->SetName(face);
        c->Font()->SetHeight(-11);
        Label(c, sx, y, face);
        c->Font()->SetStyle({TFontStyle::fsBold});
        Label(c, sx, y + 14, "Bold");
        c->Font()->SetStyle({TFontStyle::fsItalic, TFontStyle::fsUnderline});
        Label(c, sx + 40, y + 14, "Italic");
        c->Font()->SetStyle({TFontStyle::fsStrikeOut});
        Label(c, sx + 80, y + 14, "Struck");
        c->Font()->SetStyle({});
        sx += 130;
    }
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-16);
    c->Font()->SetOrientation(900);
    Label(c, x + 660, y + 60, "Vertical");
    c->Font()->SetOrientation(0);
    c->Font()->SetName("MS Sans Serif");
    c->Font()->SetHeight(-11);
    c->SetBkMode(OPAQUE);
    c->SetBkColor(clNavy);
    c->SetTextColor(clWhite);
    const TRect opaque(x + 700, y, x + 800, y + 20);
    c->ExtTextOut(x + 704, y + 3, ETO_OPAQUE | ETO_CLIPPED, &opaque, "ExtTextOut opaque, clipped");
}

void EdgesRow(TCanvas* c, int x, int y)
{
    Label(c, x, y, "DrawEdge: raised, sunken, etched, bump, outer/inner, soft, flat, mono, partial sides");
    y += 18;
    struct Edge {
        unsigned edge, flags;
    };
    const Edge edges[] = {
        {EDGE_RAISED, BF_RECT | BF_MIDDLE},         {EDGE_SUNKEN, BF_RECT | BF_MIDDLE},
        {EDGE_ETCHED, BF_RECT},                     {EDGE_BUMP, BF_RECT},
        {BDR_RAISEDOUTER, BF_RECT},                 {BDR_RAISEDINNER, BF_RECT},
        {BDR_SUNKENOUTER, BF_RECT},                 {BDR_SUNKENINNER, BF_RECT},
        {EDGE_RAISED, BF_RECT | BF_SOFT},           {EDGE_SUNKEN, BF_RECT | BF_SOFT},
        {EDGE_SUNKEN, BF_RECT | BF_FLAT},           {EDGE_RAISED, BF_RECT | BF_MONO | BF_MIDDLE},
        {EDGE_SUNKEN, BF_TOPLEFT},                  {EDGE_RAISED, BF_BOTTOMRIGHT},
        {EDGE_ETCHED, BF_TOP | BF_BOTTOM},
    };
    int ex = x;
    for (const Edge& e : edges) {
        TRect r(ex, y, ex + 50, y + 30);
        c->DrawEdge(r, e.edge, e.flags);
        ex += 56;
    }
}

void FrameControls(TCanvas* c, int x, int y)
{
    Label(c, x, y, "DrawFrameControl: push, check, radio (pushed, checked, inactive, flat), caption, scroll, grip, menu");
    y += 18;
    struct Control {
        unsigned type, state;
        int w, h;
    };
    const Control controls[] = {
        {DFC_BUTTON, DFCS_BUTTONPUSH, 50, 24},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED, 50, 24},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED, 50, 24},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT, 50, 24},
        {DFC_BUTTON, DFCS_BUTTONCHECK, 13, 13},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED, 13, 13},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, 13, 13},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT, 13, 13},
        {DFC_BUTTON, DFCS_BUTTONRADIO, 12, 12},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED, 12, 12},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_INACTIVE, 12, 12},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_PUSHED, 12, 12},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONMIN, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONMAX, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONRESTORE, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONHELP, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED, 16, 14},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE, 16, 14},
        {DFC_SCROLL, DFCS_SCROLLUP, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLDOWN, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLLEFT, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLRIGHT, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 16, 20},
        {DFC_SCROLL, DFCS_SCROLLSIZEGRIP, 16, 16},
        {DFC_MENU, DFCS_MENUCHECK, 13, 13},
        {DFC_MENU, DFCS_MENUBULLET, 13, 13},
        {DFC_MENU, DFCS_MENUARROW, 13, 13},
    };
    int fx = x;
    for (const Control& ctl : controls) {
        TRect r(fx, y, fx + ctl.w, y + ctl.h);
        c->DrawFrameControl(r, ctl.type, ctl.state);
        fx += ctl.w + 8;
    }
}

void Images(TCanvas* c, int x, int y)
{
    Label(c, x, y, "Bitmaps and image lists: masked, normal on background, focus, selected, disabled, mask, stretched, ROP 0xE20746");
    y += 18;
    TBitmap strip(32, 16);
    TCanvas* s = strip.Canvas();
    s->Brush()->SetColor(clFuchsia);
    s->FillRect(TRect(0, 0, 32, 16));
    s->Brush()->SetColor(clBlue);
    s->Pen()->SetColor(clNavy);
    s->Ellipse(1, 1, 15, 15);
    s->Brush()->SetColor(clRed);
    s->Pen()->SetColor(clMaroon);
    const std::vector<TPoint> triangle = {{16 + 8, 1}, {16 + 15, 14}, {16 + 1, 14}};
    s->Polygon(triangle);
    TImageList list(16, 16);
    list.AddMasked(&strip, clDefault);
    c->Brush()->SetColor(clTeal);
    c->FillRect(TRect(x, y, x + 400, y + 24));
    int ix = x + 4;
    auto draw = [&](TDrawingStyle style, TColor bk, TImageType type, bool enabled) {
        list.SetDrawingStyle(style);
        list.SetBkColor(bk);
        list.SetImageType(type);
        list.Draw(c, ix, y + 4, 0, enabled);
        list.Draw(c, ix + 18, y + 4, 1, enabled);
        ix += 44;
    };
    draw(TDrawingStyle::dsNormal, clNone, TImageType::itImage, true);
    draw(TDrawingStyle::dsNormal, clWhite, TImageType::itImage, true);
    draw(TDrawingStyle::dsFocus, clNone, TImageType::itImage, true);
    list.SetBlendColor(clDefault);
    draw(TDrawingStyle::dsSelected, clNone, TImageType::itImage, true);
    draw(TDrawingStyle::dsNormal, clNone, TImageType::itImage, false);
    draw(TDrawingStyle::dsNormal, clNone, TImageType::itMask, true);
    // Stretched copy and transparent drawing through a mask with 0xE20746.
    c->StretchBlt(ix, y, 48, 24, s, 0, 0, 32, 16, SRCCOPY);
    ix += 56;
    TBitmap mask(32, 16);
    mask.SetMonochrome(true);
    s->SetBkColor(clFuchsia);
    mask.Canvas()->BitBlt(0, 0, 32, 16, s, 0, 0, SRCCOPY);
    TBitmap work(32, 16);
    work.Canvas()->BitBlt(0, 0, 32, 16, s, 0, 0, SRCCOPY);
    work.Canvas()->Brush()->SetColor(clYellow);
    work.Canvas()->SetTextColor(clBlack);
    work.Canvas()->SetBkColor(clWhite);
    work.Canvas()->BitBlt(0, 0, 32, 16, mask.Canvas(), 0, 0, 0x00E20746);
    c->BitBlt(ix, y + 4, 32, 16, work.Canvas(), 0, 0, SRCCOPY);
}

} // namespace

int main(int argc, char** argv)
{
    EnsureGraphicsSystem();
    const std::string path = argc > 1 ? argv[1] : "gallery.png";
    TBitmap gallery(1000, 470);
    TCanvas* c = gallery.Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, gallery.Width(), gallery.Height()));
    Shapes(c, 8, 6);
    Lines(c, 8, 72);
    Texts(c, 8, 138);
    EdgesRow(c, 8, 300);
    FrameControls(c, 8, 360);
    Images(c, 8, 410);
    if (!gallery.SaveToPngFile(path)) {
        std::fprintf(stderr, "gallery: cannot write %s\n", path.c_str());
        return 1;
    }
    // The 3D rows again, four times larger, where single pixels can be judged.
    const TRect strips[] = {{0, 316, 250, 352}, {230, 376, 480, 400}, {480, 376, 730, 400}, {730, 376, 980, 400}};
    TBitmap zoom(1000, 4 * (36 + 3 * 24));
    int zy = 0;
    for (const TRect& strip : strips) {
        zoom.Canvas()->StretchBlt(0, zy, 4 * strip.Width(), 4 * strip.Height(), c, strip.Left, strip.Top, strip.Width(),
                                  strip.Height(), SRCCOPY);
        zy += 4 * strip.Height();
    }
    const std::string zoomPath = path.substr(0, path.size() - 4) + "-zoom.png";
    zoom.SaveToPngFile(zoomPath);
    std::printf("gallery written to %s and %s\n", path.c_str(), zoomPath.c_str());
    return 0;
}
