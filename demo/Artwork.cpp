#include "demo/Artwork.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"

#include <cmath>
#include <vector>

namespace Artwork {

namespace {

// The palette every picture shares, so they read as one family.
constexpr TColor kInk = RGB(0x30, 0x30, 0x38);
constexpr TColor kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr TColor kPaper = RGB(0xF4, 0xF1, 0xE6);
constexpr TColor kSky = RGB(0x5B, 0x9B, 0xD5);
constexpr TColor kSkyDark = RGB(0x2E, 0x66, 0xA8);
constexpr TColor kGreen = RGB(0x5A, 0xB0, 0x4A);
constexpr TColor kGreenDark = RGB(0x2F, 0x7A, 0x2A);
constexpr TColor kGold = RGB(0xF2, 0xC1, 0x2E);
constexpr TColor kGoldDark = RGB(0xC0, 0x8A, 0x10);
constexpr TColor kRed = RGB(0xD8, 0x4B, 0x3A);
constexpr TColor kGrey = RGB(0xA8, 0xAC, 0xB4);
constexpr TColor kGreyDark = RGB(0x6E, 0x72, 0x7C);
constexpr TColor kSkin = RGB(0xF0, 0xC8, 0x9E);
constexpr TColor kSkinDark = RGB(0xB8, 0x80, 0x50);
constexpr TColor kPurple = RGB(0x8A, 0x5C, 0xC8);

// Draws in a 32-unit design space, scaled to the picture's size.
class Painter {
public:
    Painter(TBitmap& bitmap, double scale) : m_c(*bitmap.Canvas()), m_s(scale)
    {
        m_c.Brush()->SetColor(clFuchsia);
        m_c.FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
        m_c.Pen()->SetColor(kInk);
        m_c.Pen()->SetWidth(1);
    }

    int P(double v) const { return static_cast<int>(std::lround(v * m_s)); }

    void Rect(double l, double t, double r, double b, TColor fill, bool outline = true)
    {
        m_c.Brush()->SetColor(fill);
        m_c.Pen()->SetStyle(outline ? TPenStyle::psSolid : TPenStyle::psClear);
        m_c.Rectangle(P(l), P(t), P(r) + (outline ? 0 : 1), P(b) + (outline ? 0 : 1));
        m_c.Pen()->SetStyle(TPenStyle::psSolid);
    }
    void Round(double l, double t, double r, double b, double radius, TColor fill)
    {
        m_c.Brush()->SetColor(fill);
        m_c.RoundRect(P(l), P(t), P(r), P(b), P(radius), P(radius));
    }
    void Oval(double l, double t, double r, double b, TColor fill, bool outline = true)
    {
        m_c.Brush()->SetColor(fill);
        m_c.Pen()->SetStyle(outline ? TPenStyle::psSolid : TPenStyle::psClear);
        m_c.Ellipse(P(l), P(t), P(r) + (outline ? 0 : 1), P(b) + (outline ? 0 : 1));
        m_c.Pen()->SetStyle(TPenStyle::psSolid);
    }
    void Poly(std::initializer_list<std::pair<double, double>> pts, TColor fill)
    {
        std::vector<TPoint> p;
        for (auto [x, y] : pts)
            p.push_back({P(x), P(y)});
        m_c.Brush()->SetColor(fill);
        m_c.Polygon(p.data(), static_cast<int>(p.size()));
    }
    void Line(double x1, double y1, double x2, double y2, TColor color, int width = 1)
    {
        m_c.Pen()->SetColor(color);
        m_c.Pen()->SetWidth(std::max(1, static_cast<int>(std::lround(width * m_s))));
        m_c.MoveTo(P(x1), P(y1));
        m_c.LineTo(P(x2), P(y2));
        m_c.Pen()->SetWidth(1);
        m_c.Pen()->SetColor(kInk);
    }
    void Dot(double x, double y, TColor color) { m_c.SetPixel(P(x), P(y), color); }
    void Fill(double l, double t, double r, double b, TColor color)
    {
        m_c.Brush()->SetColor(color);
        m_c.FillRect(TRect(P(l), P(t), P(r), P(b)));
    }
    void Text(double l, double t, double r, double b, const char* text, TColor color, int height, bool bold = true)
    {
        m_c.Font()->SetName("Arial");
        m_c.Font()->SetHeight(-std::max(6, P(height)));
        m_c.Font()->SetStyle(bold ? TFontStyles{TFontStyle::fsBold} : TFontStyles{});
        m_c.Font()->SetColor(color);
        m_c.SetBkMode(TRANSPARENT);
        TRect box(P(l), P(t), P(r), P(b));
        m_c.DrawText(text, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

private:
    TCanvas& m_c;
    double m_s;
};

void Person(Painter& p)
{
    p.Round(6, 17, 26, 31, 10, kSky);
    p.Poly({{13, 17}, {16, 23}, {19, 17}}, kWhite);
    p.Oval(10, 3, 22, 16, kSkin);
    p.Line(11, 8, 21, 8, RGB(0x6B, 0x45, 0x25), 2);
}

void Chemical(Painter& p)
{
    p.Poly({{12, 3}, {20, 3}, {20, 12}, {28, 28}, {4, 28}, {12, 12}}, kPaper);
    p.Poly({{9, 19}, {23, 19}, {27, 27}, {5, 27}}, kGreen);
    p.Rect(10, 2, 22, 5, kGrey);
    p.Oval(13, 21, 16, 24, kWhite, false);
    p.Oval(18, 23, 20, 25, kWhite, false);
    p.Line(14, 7, 14, 12, kGrey);
}

void Chip(Painter& p)
{
    for (int i = 0; i < 4; ++i) {
        const double x = 9 + i * 4.5;
        p.Line(x, 3, x, 8, kGreyDark, 2);
        p.Line(x, 24, x, 29, kGreyDark, 2);
        p.Line(3, x, 8, x, kGreyDark, 2);
        p.Line(24, x, 29, x, kGreyDark, 2);
    }
    p.Rect(7, 7, 25, 25, RGB(0x3A, 0x3D, 0x46));
    p.Rect(11, 11, 21, 21, kGold);
    p.Dot(9, 9, kWhite);
}

void Construct(Painter& p)
{
    // A hard hat over a wrench.
    p.Line(6, 28, 24, 12, kGreyDark, 4);
    p.Oval(21, 7, 29, 15, kGrey);
    p.Fill(24, 8, 27, 11, clFuchsia);
    p.Poly({{4, 20}, {6, 11}, {11, 6}, {18, 5}, {23, 8}, {26, 14}, {27, 20}}, kGold);
    p.Rect(2, 19, 30, 23, kGoldDark);
    p.Line(15, 5, 15, 19, kGoldDark);
}

void Earth(Painter& p)
{
    p.Oval(3, 3, 29, 29, kSky);
    p.Poly({{8, 8}, {14, 6}, {16, 11}, {13, 15}, {9, 14}, {6, 11}}, kGreen);
    p.Poly({{17, 15}, {24, 13}, {27, 18}, {23, 25}, {18, 24}}, kGreen);
    p.Poly({{9, 19}, {12, 18}, {13, 23}, {10, 25}}, kGreen);
    p.Oval(3, 3, 29, 29, clFuchsia, true);
    p.Oval(4, 4, 28, 28, kSky, false);
    p.Poly({{8, 8}, {14, 6}, {16, 11}, {13, 15}, {9, 14}, {6, 11}}, kGreen);
    p.Poly({{17, 15}, {24, 13}, {27, 18}, {23, 25}, {18, 24}}, kGreen);
    p.Poly({{9, 19}, {12, 18}, {13, 23}, {10, 25}}, kGreen);
}

void Factory(Painter& p)
{
    p.Oval(21, 2, 27, 7, kGrey, false);
    p.Oval(17, 4, 23, 9, kGrey, false);
    p.Rect(22, 8, 26, 20, kRed);
    p.Poly({{3, 29}, {3, 16}, {9, 12}, {9, 16}, {15, 12}, {15, 16}, {21, 12}, {21, 16}, {29, 16}, {29, 29}}, kGrey);
    for (int i = 0; i < 3; ++i)
        p.Rect(5 + i * 8, 20, 9 + i * 8, 24, kGold);
    p.Rect(24, 22, 28, 29, kGreyDark);
}

void Finance(Painter& p)
{
    for (int i = 3; i >= 0; --i) {
        p.Oval(4, 14 + i * 3.5, 20, 21 + i * 3.5, kGold);
    }
    p.Oval(13, 3, 29, 19, kGold);
    p.Oval(15, 5, 27, 17, kGoldDark, false);
    p.Oval(16, 6, 26, 16, kGold, false);
    p.Text(13, 3, 29, 19, "$", kGoldDark, 11);
}

void Handshake(Painter& p)
{
    // Two sleeves meeting in a clasp.
    p.Poly({{1, 12}, {8, 10}, {10, 18}, {3, 20}}, kSky);
    p.Poly({{31, 12}, {24, 10}, {22, 18}, {29, 20}}, kPurple);
    p.Poly({{8, 11}, {16, 9}, {24, 11}, {23, 19}, {16, 24}, {10, 19}}, kSkin);
    p.Line(12, 14, 20, 12, kSkinDark);
    p.Line(13, 17, 21, 15, kSkinDark);
    p.Line(14, 20, 20, 18, kSkinDark);
}

void Shipping(Painter& p)
{
    p.Rect(8, 8, 14, 16, kRed);
    p.Rect(14, 8, 20, 16, kSky);
    p.Rect(20, 10, 26, 16, kGreen);
    p.Rect(11, 4, 14, 8, kGrey);
    p.Poly({{2, 16}, {30, 16}, {26, 24}, {6, 24}}, kSkyDark);
    p.Line(1, 27, 31, 27, kSky, 2);
    p.Line(4, 29, 28, 29, kSky);
}

void Skyline(Painter& p)
{
    p.Rect(2, 14, 9, 30, kGreyDark);
    p.Rect(8, 6, 16, 30, kSky);
    p.Rect(15, 11, 22, 30, kGrey);
    p.Rect(21, 3, 29, 30, kSkyDark);
    p.Line(25, 0, 25, 3, kInk);
    for (int y = 9; y < 28; y += 4) {
        p.Fill(10, y, 12, y + 2, kGold);
        p.Fill(13, y, 15, y + 2, kWhite);
        p.Fill(23, y - 2, 25, y, kGold);
        p.Fill(26, y - 2, 28, y, kWhite);
    }
}

void Technology(Painter& p)
{
    p.Rect(3, 4, 29, 21, kGreyDark);
    p.Rect(5, 6, 27, 19, kSkyDark);
    p.Line(7, 10, 15, 10, kGreen);
    p.Line(7, 13, 20, 13, kWhite);
    p.Line(7, 16, 12, 16, kGold);
    p.Rect(13, 21, 19, 25, kGrey);
    p.Rect(6, 25, 26, 29, kGrey);
}

void OrgChart(Painter& p)
{
    p.Line(16, 10, 16, 15, kInk);
    p.Line(6, 15, 26, 15, kInk);
    p.Line(6, 15, 6, 19, kInk);
    p.Line(26, 15, 26, 19, kInk);
    p.Line(16, 15, 16, 19, kInk);
    p.Rect(10, 2, 22, 10, kGold);
    p.Rect(1, 19, 11, 27, kSky);
    p.Rect(11, 19, 21, 27, kGreen);
    p.Rect(21, 19, 31, 27, kSky);
}

void Web(Painter& p)
{
    p.Oval(3, 3, 29, 29, kSky);
    p.Oval(10, 3, 22, 29, kSky);
    p.Line(16, 3, 16, 29, kInk);
    p.Line(3, 16, 29, 16, kInk);
    p.Line(6, 9, 26, 9, kInk);
    p.Line(6, 23, 26, 23, kInk);
    p.Rect(14, 19, 30, 29, kWhite);
    p.Text(14, 19, 30, 29, "www", kSkyDark, 7);
}

void Help(Painter& p)
{
    p.Rect(5, 4, 25, 29, kPurple);
    p.Rect(8, 4, 27, 27, kPaper);
    p.Text(8, 5, 27, 27, "?", kPurple, 16);
}

using Picture = void (*)(Painter&);

void AddPictures(TImageList& list, const Picture* pictures, int count, int size)
{
    TBitmap bitmap;
    bitmap.SetSize(size, size);
    for (int i = 0; i < count; ++i) {
        Painter p(bitmap, size / 32.0);
        pictures[i](p);
        list.AddMasked(&bitmap, clFuchsia);
    }
}

const Picture kTrades[10] = {Chemical, Chip, Construct, Earth, Factory, Finance, Handshake, Shipping, Skyline, Technology};

void ShapePicture(TBitmap& bitmap, int shape)
{
    Painter p(bitmap, 0.5);
    switch (shape) {
    case 0:
        p.Rect(3, 7, 29, 25, kWhite);
        break;
    case 1:
        p.Round(3, 7, 29, 25, 12, kWhite);
        break;
    case 2:
        p.Oval(3, 7, 29, 25, kWhite);
        break;
    default:
        p.Poly({{2, 16}, {16, 5}, {30, 16}, {16, 27}}, kWhite);
        break;
    }
}

} // namespace

void FillTreeLarge(TImageList& list)
{
    list.SetSize(32, 32);
    const Picture first[1] = {Person};
    AddPictures(list, first, 1, 32);
    AddPictures(list, kTrades, 10, 32);
}

void FillSideBar(TImageList& list)
{
    list.SetSize(32, 32);
    const Picture pictures[3] = {OrgChart, Web, Help};
    AddPictures(list, pictures, 3, 32);
}

void FillInspectorImage(TImageList& list)
{
    list.SetSize(16, 16);
    AddPictures(list, kTrades, 10, 16);
}

void FillInspectorShape(TImageList& list)
{
    list.SetSize(16, 16);
    TBitmap bitmap;
    bitmap.SetSize(16, 16);
    for (int shape = 0; shape < 4; ++shape) {
        ShapePicture(bitmap, shape);
        list.AddMasked(&bitmap, clFuchsia);
    }
}

void PaintToolbarGlyph(ToolbarGlyph glyph, TBitmap& bitmap)
{
    bitmap.SetSize(16, 16);
    Painter p(bitmap, 0.5);
    auto box = [&](double l, double t, TColor fill) { p.Rect(l, t, l + 16, t + 10, fill); };
    auto plus = [&](double x, double y) {
        p.Fill(x - 1, y - 5, x + 2, y + 6, kGreenDark);
        p.Fill(x - 5, y - 1, x + 6, y + 2, kGreenDark);
    };
    switch (glyph) {
    case tgAddNode:
        box(2, 6, kSky);
        box(14, 16, kWhite);
        plus(24, 9);
        break;
    case tgAddChild:
        box(2, 2, kSky);
        p.Line(10, 12, 10, 20, kInk, 2);
        box(10, 20, kWhite);
        plus(25, 8);
        break;
    case tgRenameNode:
        box(2, 12, kWhite);
        p.Text(2, 12, 18, 22, "A", kInk, 9);
        p.Poly({{18, 20}, {28, 6}, {31, 9}, {21, 23}, {17, 24}}, kGold);
        break;
    case tgDeleteNode:
        box(2, 10, kWhite);
        p.Line(16, 6, 28, 18, kRed, 4);
        p.Line(28, 6, 16, 18, kRed, 4);
        break;
    case tgFullExpand:
    case tgFullCollapse: {
        p.Line(8, 10, 8, 26, kGreyDark, 2);
        p.Line(8, 26, 18, 26, kGreyDark, 2);
        p.Line(8, 16, 18, 16, kGreyDark, 2);
        p.Rect(2, 2, 14, 12, kWhite);
        p.Rect(18, 12, 30, 20, kWhite);
        p.Rect(18, 22, 30, 30, kWhite);
        p.Line(5, 7, 11, 7, kInk, 2);
        if (glyph == tgFullExpand)
            p.Line(8, 4, 8, 10, kInk, 2);
        break;
    }
    default:
        break;
    }
}

} // namespace Artwork
