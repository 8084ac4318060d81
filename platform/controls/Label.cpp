#include "platform/controls/Label.h"

#include "platform/controls/WinControl.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 65, 17);
    m_controlStyle.include(TControlStyleFlag::csSetCaption);
}

unsigned TLabel::TextFlags() const
{
    unsigned flags = DT_EXPANDTABS;
    if (m_wordWrap)
        flags |= DT_WORDBREAK;
    else
        flags |= DT_SINGLELINE;
    if (!m_showAccelChar)
        flags |= DT_NOPREFIX;
    switch (m_alignment) {
    case TAlignment::taRightJustify:
        flags |= DT_RIGHT;
        break;
    case TAlignment::taCenter:
        flags |= DT_CENTER;
        break;
    default:
        break;
    }
    return flags;
}

void TLabel::AdjustBounds()
{
    if (!m_autoSize)
        return;
    // Measured on a scratch canvas: the label has no window of its own.
    TBitmap scratch;
    scratch.SetSize(1, 1);
    TCanvas* c = scratch.Canvas();
    c->Font()->Assign(*Font());
    TRect r(0, 0, m_wordWrap ? Width() : 0, 0);
    const std::string text = Caption().empty() ? std::string(" ") : Caption();
    c->DrawText(text, r, TextFlags() | DT_CALCRECT);
    int left = Left();
    if (m_alignment == TAlignment::taRightJustify)
        left += Width() - r.Width();
    else if (m_alignment == TAlignment::taCenter)
        left += (Width() - r.Width()) / 2;
    SetBounds(left, Top(), r.Width(), r.Height());
}

void TLabel::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value)
{
    if (value == m_layout)
        return;
    m_layout = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value)
{
    if (value == m_showAccelChar)
        return;
    m_showAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::TextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged()
{
    AdjustBounds();
    TGraphicControl::FontChanged();
}

void TLabel::Paint()
{
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    if (!m_transparent)
        FillRectColor(c, client, Color());
    c->SetBkMode(TRANSPARENT);
    c->Font()->Assign(*Font());
    TRect r = client;
    if (m_layout != TTextLayout::tlTop) {
        TRect measure = client;
        c->DrawText(Caption(), measure, TextFlags() | DT_CALCRECT);
        const int dy = m_layout == TTextLayout::tlCenter ? (client.Height() - measure.Height()) / 2
                                                         : client.Height() - measure.Height();
        r.Top += dy;
    }
    if (!Enabled()) {
        c->Font()->SetColor(clBtnHighlight);
        TRect shadow = r.Offset(1, 1);
        c->DrawText(Caption(), shadow, TextFlags());
        c->Font()->SetColor(clBtnShadow);
    }
    c->DrawText(Caption(), r, TextFlags());
}
