#include "platform/controls/ButtonControl.h"

#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

constexpr int kBoxSize = 13;
constexpr int kCaptionGap = 4; // between the box and the caption

} // namespace

TButtonControl::TButtonControl(TComponent* AOwner) : TPushControl(AOwner)
{
    m_controlStyle.exclude(TControlStyleFlag::csDoubleClicks);
}

void TButtonControl::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TButtonControl::SetWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    Invalidate();
}

void TButtonControl::TextChanged()
{
    TPushControl::TextChanged();
    Invalidate();
}

TRect TButtonControl::BoxRect() const
{
    const int top = (Height() - kBoxSize) / 2;
    const int left = m_alignment == TAlignment::taLeftJustify ? Width() - kBoxSize : 0;
    return TRect::FromSize(left, top, kBoxSize, kBoxSize);
}

unsigned TButtonControl::TextFlags() const
{
    unsigned flags = m_wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    return flags | (m_alignment == TAlignment::taLeftJustify ? DT_RIGHT : DT_LEFT);
}

TRect TButtonControl::CaptionRect()
{
    TRect area = ClientRect();
    if (m_alignment == TAlignment::taLeftJustify)
        area.Right -= kBoxSize + kCaptionGap;
    else
        area.Left += kBoxSize + kCaptionGap;
    // The caption's own extent, centred vertically in the control.
    TBitmap scratch(1, 1);
    TCanvas* c = scratch.Canvas();
    c->Font()->Assign(*Font());
    TRect text(0, 0, area.Width(), 0);
    c->DrawText(Caption().empty() ? " " : Caption(), text, TextFlags() | DT_CALCRECT);
    const TSize size{text.Width(), text.Height()};
    const int w = std::min(size.cx, area.Width());
    const int h = std::min(size.cy, Height());
    const int top = (Height() - h) / 2;
    const int left = m_alignment == TAlignment::taLeftJustify ? area.Right - w : area.Left;
    return TRect::FromSize(left, top, w, h);
}

void TButtonControl::Paint()
{
    TCanvas* c = Canvas();
    FillRectColor(c, ClientRect(), Color());
    TRect box = BoxRect();
    unsigned state = BoxState();
    if (Pressed())
        state |= DFCS_PUSHED;
    if (!Enabled())
        state |= DFCS_INACTIVE;
    c->DrawFrameControl(box, DFC_BUTTON, state);

    c->Font()->Assign(*Font());
    if (!Enabled())
        c->Font()->SetColor(clGrayText);
    c->SetBkMode(TRANSPARENT);
    TRect text = CaptionRect();
    TRect draw = text;
    c->DrawText(Caption(), draw, TextFlags());
    if (Focused() && !Caption().empty()) {
        const TColor fore = c->SetTextColor(clBlack);
        const TColor back = c->SetBkColor(clWhite);
        c->DrawFocusRect(text.Inflate(1, 1).Intersect(ClientRect()));
        c->SetTextColor(fore);
        c->SetBkColor(back);
    }
}

void TButtonControl::Pushed()
{
    Toggle();
    Click();
}

void TButtonControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_BUTTON;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TPushControl::WndProc(Message);
        Invalidate();
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        TPushControl::WndProc(Message);
        return;
    }
}
