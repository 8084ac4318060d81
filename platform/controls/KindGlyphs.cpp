#include "platform/controls/KindGlyphs.h"

#include "platform/controls/BitBtn.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

namespace {

constexpr int kSize = 16;
// Olive never appears in the pictures: it marks the transparent background.
constexpr TColor kTransparent = 0x00008080;
constexpr TColor kGreen = 0x00008000;
constexpr TColor kRed = 0x000000C0;
constexpr TColor kBlue = 0x00800000;

void ThickLine(TCanvas* c, std::initializer_list<TPoint> points, TColor color, int width)
{
    c->Pen()->SetColor(color);
    c->Pen()->SetWidth(width);
    std::vector<TPoint> p(points);
    c->Polyline(p);
    c->Pen()->SetWidth(1);
}

void DrawCheck(TCanvas* c, int dx)
{
    ThickLine(c, {{2 + dx, 8}, {6 + dx, 12}, {13 + dx, 3}}, kGreen, 3);
}

void DrawCross(TCanvas* c)
{
    ThickLine(c, {{3, 3}, {13, 13}}, kRed, 3);
    ThickLine(c, {{13, 3}, {3, 13}}, kRed, 3);
}

void DrawLetter(TCanvas* c, const char* text, TColor color)
{
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-14);
    c->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    c->Font()->SetColor(color);
    c->SetBkMode(TRANSPARENT);
    TRect r(0, 0, kSize, kSize);
    c->DrawText(text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawNo(TCanvas* c)
{
    // A red circle with a bar: "not allowed".
    c->Pen()->SetColor(kRed);
    c->Pen()->SetWidth(2);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    c->Ellipse(2, 2, 15, 15);
    c->Pen()->SetWidth(1);
    ThickLine(c, {{4, 12}, {12, 4}}, kRed, 2);
}

void DrawDoor(TCanvas* c)
{
    // An open door in its frame.
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(0x00C0C0C0);
    c->Rectangle(3, 1, 13, 15);
    c->Brush()->SetColor(0x00004080);
    const TPoint door[] = {{4, 2}, {9, 4}, {9, 15}, {4, 14}};
    c->Polygon(door, 4);
    c->SetPixel(8, 9, 0x0000FFFF);
}

void DrawRetry(TCanvas* c)
{
    // A circular arrow.
    c->Pen()->SetColor(kGreen);
    c->Pen()->SetWidth(2);
    const TPoint arc[] = {{12, 5}, {10, 3}, {6, 3}, {3, 6}, {3, 10}, {6, 13}, {10, 13}, {13, 10}};
    c->Polyline(arc, 8);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(kGreen);
    const TPoint head[] = {{9, 6}, {14, 6}, {14, 1}};
    c->Polygon(head, 3);
}

void DrawIgnore(TCanvas* c)
{
    // A step over a line: go on regardless.
    ThickLine(c, {{2, 13}, {14, 13}}, clBlack, 1);
    ThickLine(c, {{3, 10}, {8, 4}, {13, 10}}, kBlue, 2);
}

} // namespace

std::unique_ptr<TBitmap> MakeKindGlyph(TBitBtnKind kind)
{
    if (kind == TBitBtnKind::bkCustom)
        return nullptr;
    auto bitmap = std::make_unique<TBitmap>(kSize, kSize);
    bitmap->Fill(kTransparent);
    TCanvas* c = bitmap->Canvas();
    switch (kind) {
    case TBitBtnKind::bkOK:
    case TBitBtnKind::bkYes:
        DrawCheck(c, 0);
        break;
    case TBitBtnKind::bkAll:
        DrawCheck(c, -2);
        DrawCheck(c, 2);
        break;
    case TBitBtnKind::bkCancel:
    case TBitBtnKind::bkAbort:
        DrawCross(c);
        break;
    case TBitBtnKind::bkNo:
        DrawNo(c);
        break;
    case TBitBtnKind::bkHelp:
        DrawLetter(c, "?", kBlue);
        break;
    case TBitBtnKind::bkClose:
        DrawDoor(c);
        break;
    case TBitBtnKind::bkRetry:
        DrawRetry(c);
        break;
    case TBitBtnKind::bkIgnore:
        DrawIgnore(c);
        break;
    case TBitBtnKind::bkCustom:
        break;
    }
    // The corner pixel names the transparent colour.
    bitmap->SetPixel(0, kSize - 1, kTransparent);
    bitmap->SetTransparent(true);
    return bitmap;
}
