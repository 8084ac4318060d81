// TzqCustomOrgChart: where a caption goes inside its box (the text area and the image's
// room), how it is formatted by EditMode, and how a node grows to fit its caption.
#include "orgchart/CustomOrgChart.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"

#include <algorithm>

void TzqCustomOrgChart::DrawTextFlags(HDC DC, const std::string& Text, unsigned ExtraFlags, TRect& Rect)
{
    unsigned flags = ExtraFlags | DT_EXPANDTABS;
    if (m_editMode.contains(TzqOcEditModeFlag::emCenter))
        flags |= DT_CENTER;
    if (m_editMode.contains(TzqOcEditModeFlag::emRight))
        flags |= DT_RIGHT;
    if (m_editMode.contains(TzqOcEditModeFlag::emWrap))
        flags |= DT_WORDBREAK;
    if (m_editMode.contains(TzqOcEditModeFlag::emVCenter)) {
        TRect measured = Rect;
        DC->DrawText(Text, measured, flags | DT_CALCRECT);
        const int th = measured.Height();
        if (th < Rect.Height()) {
            Rect.Top += (Rect.Height() - th) / 2;
            Rect.Bottom = Rect.Top + th;
        }
    }
    DC->DrawText(Text, Rect, flags | DT_EDITCONTROL);
}

TRect TzqCustomOrgChart::NodeTextRect(TzqOcNode* Node, const TRect& Slot)
{
    const int64_t w = NodeWidth(Node);
    const int64_t h = NodeHeight(Node);
    int64_t mx = 0;
    int64_t my = 0;
    switch (Node->m_shape) {
    case TzqOcShape::shRoundRect: {
        const int64_t r = std::min(w, h) / 2;
        mx = my = r * 3 / 20;
        break;
    }
    case TzqOcShape::shEllipse:
        mx = w * 3 / 20;
        my = h * 3 / 20;
        break;
    case TzqOcShape::shDiamond:
        mx = w / 4;
        my = h / 4;
        break;
    default:
        // shRectangle, and shapes outside the enumeration.
        break;
    }
    const int64_t extra = EffectiveLineWidth() / 2 + 1;
    mx += extra;
    my += extra;
    TRect64 t{Slot.Left + mx, Slot.Top + my, Slot.Right - mx, Slot.Bottom - my};
    if (m_rotated)
        t.Left += GapDown();
    else
        t.Top += GapDown();
    return t.ToRect();
}

bool TzqCustomOrgChart::ImagePosition(TzqOcNode* Node, TRect& T, TPoint& Pos)
{
    using IA = TzqOcImageAlign;
    const IA align = Node->m_imageAlign;
    if (!m_images || align == IA::iaNone || static_cast<uint8_t>(align) > static_cast<uint8_t>(IA::iaBR) ||
        Node->m_imageIndex == -1)
        return false;
    const int iw = Saturate32(Scale(m_images->Width()));
    const int ih = Saturate32(Scale(m_images->Height()));
    // Signed centring: an image larger than its room overhangs it on both sides.
    auto middleY = [&] { return T.Top + (T.Height() - ih) / 2; };
    auto middleX = [&] { return T.Left + (T.Width() - iw) / 2; };
    switch (align) {
    case IA::iaLT:
    case IA::iaLC:
    case IA::iaLB:
        Pos.X = T.Left;
        T.Left += iw;
        Pos.Y = align == IA::iaLT ? T.Top : align == IA::iaLC ? middleY() : T.Bottom - ih;
        return true;
    case IA::iaRT:
    case IA::iaRC:
    case IA::iaRB:
        T.Right -= iw;
        Pos.X = T.Right;
        Pos.Y = align == IA::iaRT ? T.Top : align == IA::iaRC ? middleY() : T.Bottom - ih;
        return true;
    case IA::iaTL:
    case IA::iaTC:
    case IA::iaTR:
        Pos.Y = T.Top;
        T.Top += ih;
        Pos.X = align == IA::iaTL ? T.Left : align == IA::iaTC ? middleX() : T.Right - iw;
        return true;
    default:
        T.Bottom -= ih;
        Pos.Y = T.Bottom;
        Pos.X = align == IA::iaBL ? T.Left : align == IA::iaBC ? middleX() : T.Right - iw;
        return true;
    }
}

void TzqCustomOrgChart::AdjustNodeSizeToText(TzqOcNode* Node, const std::string& Text)
{
    FullSizeScope fullSize(this);
    const int64_t lw = m_lineWidth;
    const int64_t nodeWidth = FullNodeWidth(Node);
    const int64_t nodeHeight = FullNodeHeight(Node);
    TRect64 r{0, 0, nodeWidth + lw, nodeHeight + lw};
    if (m_rotated)
        r.Right += FullGapDown();
    else
        r.Bottom += FullGapDown();
    TRect t = NodeTextRect(Node, r.ToRect());
    TPoint imagePos;
    ImagePosition(Node, t, imagePos);
    const int64_t availW = t.Width();
    const int64_t availH = t.Height();

    // A one-pixel bitmap's canvas measures with the same fonts as the screen.
    TBitmap measuring(1, 1);
    TCanvas* canvas = measuring.Canvas();
    canvas->SetFont(*Font());
    Node->SetFont(canvas->Font());
    TRect needed = t;
    DrawTextFlags(canvas, Text, DT_CALCRECT, needed);
    const int64_t nw = needed.Width();
    const int64_t nh = needed.Height();

    // The box grows by the shortfall scaled by box size over text area size: the text
    // area of a shaped node is only a fraction of its box. Sizes stop at 65,535.
    const int64_t dw = availW > 0 ? nodeWidth * (nw - availW) / availW : 0;
    const int64_t dh = availH > 0 ? nodeHeight * (nh - availH) / availH : 0;
    if (dw > 0 && !m_editMode.contains(TzqOcEditModeFlag::emWrap))
        Node->SetWidth(static_cast<uint16_t>(std::min<int64_t>(nodeWidth + dw, 0xFFFF)));
    if (dh > 0 && m_editMode.contains(TzqOcEditModeFlag::emGrow))
        Node->SetHeight(static_cast<uint16_t>(std::min<int64_t>(nodeHeight + dh, 0xFFFF)));
}
