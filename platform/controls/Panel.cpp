#include "platform/controls/Panel.h"

#include "platform/controls/Frame3D.h"
#include "platform/drawing/Canvas.h"

#include <algorithm>

namespace {

// Highlight on top for a raised cut, shadow on top for a lowered one; a space cut
// takes room in the panel's colour.
void DrawCut(TCanvas* c, TRect& r, TBevelCut cut, int width, TColor face)
{
    switch (cut) {
    case TBevelCut::bvRaised:
        Frame3D(c, r, clBtnHighlight, clBtnShadow, width);
        break;
    case TBevelCut::bvLowered:
        Frame3D(c, r, clBtnShadow, clBtnHighlight, width);
        break;
    case TBevelCut::bvSpace:
        Frame3D(c, r, face, face, width);
        break;
    case TBevelCut::bvNone:
        break;
    }
}

} // namespace

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    m_controlStyle.include(TControlStyleFlag::csAcceptsControls);
    m_controlStyle.include(TControlStyleFlag::csOpaque);
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TPanel::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WinClassName = "TPanel";
    if (m_borderStyle == TBorderStyle::bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TPanel::FrameChanged()
{
    Realign();
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut value)
{
    if (value == m_bevelOuter)
        return;
    m_bevelOuter = value;
    FrameChanged();
}

void TPanel::SetBevelInner(TBevelCut value)
{
    if (value == m_bevelInner)
        return;
    m_bevelInner = value;
    FrameChanged();
}

void TPanel::SetBevelWidth(int value)
{
    value = std::max(1, value);
    if (value == m_bevelWidth)
        return;
    m_bevelWidth = value;
    FrameChanged();
}

void TPanel::SetBorderWidth(int value)
{
    value = std::max(0, value);
    if (value == m_borderWidth)
        return;
    m_borderWidth = value;
    FrameChanged();
}

void TPanel::SetBorderStyle(TBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    RecreateWnd();
    FrameChanged();
}

void TPanel::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

int TPanel::FrameSize() const
{
    int size = m_borderWidth;
    if (m_bevelOuter != TBevelCut::bvNone)
        size += m_bevelWidth;
    if (m_bevelInner != TBevelCut::bvNone)
        size += m_bevelWidth;
    return size;
}

TRect TPanel::InnerRect() const
{
    const int size = FrameSize();
    TRect r = ClientRect().Inflate(-size, -size);
    if (r.Right < r.Left)
        r.Right = r.Left;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
    return r;
}

void TPanel::AlignControls(TControl* AControl, TRect& rect)
{
    rect = InnerRect();
    TCustomControl::AlignControls(AControl, rect);
}

void TPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    DrawCut(c, r, m_bevelOuter, m_bevelWidth, Color());
    Frame3D(c, r, Color(), Color(), m_borderWidth);
    DrawCut(c, r, m_bevelInner, m_bevelWidth, Color());
    FillRectColor(c, r, Color());
    if (Caption().empty())
        return;
    c->SetBkMode(TRANSPARENT);
    c->Font()->Assign(*Font());
    if (!Enabled())
        c->Font()->SetColor(clGrayText);
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (m_alignment == TAlignment::taCenter)
        flags |= DT_CENTER;
    else if (m_alignment == TAlignment::taRightJustify)
        flags |= DT_RIGHT;
    c->DrawText(Caption(), r, flags);
}
