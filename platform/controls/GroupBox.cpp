#include "platform/controls/GroupBox.h"

#include "platform/controls/TextMeasure.h"
#include "platform/drawing/Canvas.h"

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    m_controlStyle.include(TControlStyleFlag::csAcceptsControls);
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

void TGroupBox::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WinClassName = "TGroupBox";
}

int TGroupBox::CaptionHeight()
{
    return FontLineHeight(*Font());
}

TRect TGroupBox::InnerRect()
{
    TRect r = ClientRect();
    r.Top += CaptionHeight();
    r = r.Inflate(Ctl3D() ? -2 : -1, Ctl3D() ? -2 : -1);
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
    if (r.Right < r.Left)
        r.Right = r.Left;
    return r;
}

void TGroupBox::AlignControls(TControl* AControl, TRect& rect)
{
    rect = InnerRect();
    TCustomControl::AlignControls(AControl, rect);
}

void TGroupBox::TextChanged()
{
    TCustomControl::TextChanged();
    Invalidate();
}

void TGroupBox::FontChanged()
{
    TCustomControl::FontChanged();
    Realign();
}

void TGroupBox::Paint()
{
    TCanvas* c = Canvas();
    FillRectColor(c, ClientRect(), Color());
    c->Font()->Assign(*Font());
    const int h = c->TextHeight("0");
    // The frame's top line runs through the middle of the caption.
    TRect frame(0, h / 2 - 1, Width(), Height());
    if (Ctl3D()) {
        FrameRectColor(c, TRect(frame.Left + 1, frame.Top + 1, frame.Right, frame.Bottom), clBtnHighlight);
        FrameRectColor(c, TRect(frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1), clBtnShadow);
    } else {
        FrameRectColor(c, frame, clWindowFrame);
    }
    if (Caption().empty())
        return;
    TRect text(8, 0, 0, h);
    c->DrawText(Caption(), text, DT_SINGLELINE | DT_CALCRECT);
    FillRectColor(c, text, Color());
    c->SetBkMode(TRANSPARENT);
    if (!Enabled())
        c->Font()->SetColor(clGrayText);
    c->DrawText(Caption(), text, DT_SINGLELINE | DT_LEFT);
}
