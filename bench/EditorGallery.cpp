// Pictures of the in-place editor foundation, for a person to look at:
//   editor_gallery [folder] (default: the current folder)
// writes editor-frames.png (five borders, plain and hot-tracked, with shadow and with
// missing edges), popup-frames.png (three popup borders without and with shadow) and
// hint.png (a hint window as the desktop shows it) and live-editors.png (editor windows
// over the cells of a host).
#include "editors/CellText.h"
#include "editors/CustomzqContainer.h"
#include "editors/ContainerHintWindow.h"
#include "editors/InplaceEdit.h"
#include "editors/PopupFrame.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/controls/Form.h"

#include <cstdio>
#include <string>

namespace {

using B = TzqEditBorderStyle;

const char* BorderName(B b)
{
    static const char* names[] = {"xbsNone", "xbsSingle", "xbsThick", "xbsFlat", "xbs3D"};
    return names[int(b)];
}

void Label(TCanvas* c, int x, int y, const std::string& text)
{
    c->SetBkMode(TRANSPARENT);
    c->SetTextColor(clBlack);
    c->TextOut(x, y, text);
}

// One editor drawn the way a host paints a cell that is not being edited.
void DrawEditor(TCanvas* c, const TRect& bounds, B border, bool hot, bool shadow, TzqEditEdges edges,
                const std::string& text)
{
    TBrush brush;
    brush.SetColor(clWindow);
    TFont font;
    TzqEditViewData data;
    data.Bounds = bounds;
    data.BorderStyle = HotTrackedBorderStyle(border, hot);
    data.ButtonStyle = ResolvedButtonStyle(TzqEditButtonViewStyle::btsDefault, data.BorderStyle);
    data.BorderColor = clWindowFrame;
    data.Shadow = shadow;
    data.Edges = edges;
    data.Brush = &brush;
    data.Font = &font;
    TzqEditViewInfo info;
    TzqInplaceEdit::StaticClass().CalcViewInfo(data, false, info);
    TzqInplaceEdit::StaticClass().Draw(c, data, nullptr);
    const TRect textRect = info.ClientRect.Inflate(-1, 0);
    DrawCellText(c, text, -1, nullptr, clWindowText, clWindow, &font, &brush, CTF_VCENTER | CTF_TRANSPARENT, textRect,
                 info.ClientRect);
}

void EditorFrames(const std::string& path)
{
    TBitmap picture(640, 330);
    picture.Fill(clBtnFace);
    TCanvas* c = picture.Canvas();
    Label(c, 10, 6, "Editor borders: plain, hot-tracked, with shadow");
    const B borders[] = {B::xbsNone, B::xbsSingle, B::xbsThick, B::xbsFlat, B::xbs3D};
    int y = 28;
    for (B b : borders) {
        Label(c, 10, y + 3, BorderName(b));
        DrawEditor(c, TRect(100, y, 260, y + 24), b, false, false, zqAllEdges, "plain");
        DrawEditor(c, TRect(280, y, 440, y + 24), b, true, false, zqAllEdges, "hot");
        DrawEditor(c, TRect(460, y, 620, y + 26), b, false, true, zqAllEdges, "shadow");
        y += 34;
    }
    Label(c, 10, y + 4, "Missing edges (xbs3D, xbsSingle): no left, no top, left+bottom only, none");
    y += 26;
    const TzqEditEdges edgeSets[] = {
        TzqEditEdges{TzqEditEdge::edgTop, TzqEditEdge::edgRight, TzqEditEdge::edgBottom},
        TzqEditEdges{TzqEditEdge::edgLeft, TzqEditEdge::edgRight, TzqEditEdge::edgBottom},
        TzqEditEdges{TzqEditEdge::edgLeft, TzqEditEdge::edgBottom},
        TzqEditEdges{},
    };
    int x = 10;
    for (const TzqEditEdges& e : edgeSets) {
        DrawEditor(c, TRect(x, y, x + 140, y + 24), B::xbs3D, false, false, e, "edges");
        DrawEditor(c, TRect(x, y + 34, x + 140, y + 58), B::xbsSingle, false, false, e, "edges");
        x += 155;
    }
    picture.SaveToPngFile(path);
}

void PopupFrames(const std::string& path)
{
    TBitmap picture(520, 230);
    picture.Fill(clWindow);
    TCanvas* c = picture.Canvas();
    Label(c, 10, 6, "Popup borders pbSingle, pbFrame3D, pbFlat; below with shadow and size grip");
    const TzqPopupBorder borders[] = {TzqPopupBorder::pbSingle, TzqPopupBorder::pbFrame3D, TzqPopupBorder::pbFlat};
    int x = 20;
    for (TzqPopupBorder b : borders) {
        TRect r(x, 30, x + 140, 110);
        FillRectColor(c, r, clBtnFace);
        TRect frame = r;
        DrawWindowFrame(c, frame, b, 2, false, false);
        TRect s(x, 130, x + 140, 210);
        FillRectColor(c, TRect(s.Left, s.Top, s.Right - 4, s.Bottom - 4), clBtnFace);
        DrawWindowFrame(c, s, b, 4, true, true);
        x += 165;
    }
    picture.SaveToPngFile(path);
}

void Hint(THeadlessDriver& driver, const std::string& path)
{
    TzqContainerHintWindow hint(nullptr);
    TFont font;
    hint.ActivateHint(TPoint(40, 40), 220, false, &font,
                      "A value too long for its cell shows in full in the hint window, wrapped at its width.");
    driver.PaintAll();
    driver.SavePng(hint.Handle(), path);
}

// Editors as windows over the cells of a host: the border of each drawn by the window
// system's non-client painting, with its window region.
void LiveEditors(THeadlessDriver& driver, const std::string& path)
{
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(0, 0, 360, 150);
    auto* host = new TCustomzqContainer(&form);
    host->SetParent(&form);
    host->SetBounds(0, 0, 360, 150);
    host->SetColor(clWindow);
    form.Show();
    const B borders[] = {B::xbsSingle, B::xbsThick, B::xbsFlat, B::xbs3D};
    int y = 12;
    for (B b : borders) {
        auto* edit = new TzqInplaceEdit(host);
        edit->SetParent(host);
        edit->Style()->SetBorderStyle(b);
        edit->Style()->SetShadow(b == B::xbs3D || b == B::xbsSingle);
        edit->SetColor(b == B::xbsFlat ? clInfoBk : clWindow);
        edit->ShowAt(TRect(20, y, 200, y + 18));
        y += 34;
    }
    driver.PaintAll();
    driver.SavePng(form.Handle(), path);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : std::string();
    THeadlessDriver driver;
    EditorFrames(folder + "editor-frames.png");
    PopupFrames(folder + "popup-frames.png");
    Hint(driver, folder + "hint.png");
    LiveEditors(driver, folder + "live-editors.png");
    std::printf("Wrote %seditor-frames.png, %spopup-frames.png and %shint.png\n", folder.c_str(), folder.c_str(),
                folder.c_str());
    return 0;
}
