#include "platform/controls/SpinButton.h"

#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

constexpr uintptr_t kRepeatTimer = 1;

} // namespace

TSpinButton::TSpinButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 15, 21);
    SetParentColor(false);
    SetColor(clBtnFace);
    m_controlStyle.exclude(TControlStyleFlag::csClickEvents);
    m_controlStyle.exclude(TControlStyleFlag::csDoubleClicks);
}

TSpinButton::~TSpinButton()
{
    if (HandleAllocated())
        KillTimer(Handle(), kRepeatTimer);
}

void TSpinButton::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WindowClassStyle = 0; // a quick second press is a second click
    Params.WinClassName = "TSpinButton";
}

TRect TSpinButton::PartRect(TPart part) const
{
    const int half = Height() / 2;
    if (part == TPart::Up)
        return TRect(0, 0, Width(), half);
    if (part == TPart::Down)
        return TRect(0, half, Width(), Height());
    return TRect();
}

TSpinButton::TPart TSpinButton::PartAt(int X, int Y) const
{
    if (PartRect(TPart::Up).Contains(X, Y))
        return TPart::Up;
    if (PartRect(TPart::Down).Contains(X, Y))
        return TPart::Down;
    return TPart::None;
}

void TSpinButton::PaintPart(TPart part)
{
    TCanvas* c = Canvas();
    TRect r = PartRect(part);
    const bool down = m_pressed == part;
    FillRectColor(c, r, clBtnFace);
    c->DrawEdge(r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | (down ? BF_FLAT : 0));
    // A small solid triangle, three rows high, in the middle of the button.
    const int size = std::max(2, std::min((r.Width() - 4) / 2, (r.Height() - 2) / 2));
    const int rows = std::min(3, size);
    int cx = (r.Left + r.Right) / 2 + (down ? 1 : 0);
    int top = r.Top + (r.Height() - rows) / 2 + (down ? 1 : 0);
    const TColor ink = Enabled() ? clBtnText : clGrayText;
    for (int i = 0; i < rows; ++i) {
        const int row = part == TPart::Up ? i : rows - 1 - i;
        FillRectColor(c, TRect(cx - i, top + row, cx + i + 1, top + row + 1), ink);
    }
}

void TSpinButton::Paint()
{
    PaintPart(TPart::Up);
    PaintPart(TPart::Down);
}

void TSpinButton::Fire(TPart part)
{
    if (part == TPart::Up && OnUpClick)
        OnUpClick(this);
    else if (part == TPart::Down && OnDownClick)
        OnDownClick(this);
}

void TSpinButton::StopRepeat()
{
    if (HandleAllocated())
        KillTimer(Handle(), kRepeatTimer);
    m_repeating = false;
}

void TSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !Enabled())
        return;
    const TPart part = PartAt(X, Y);
    if (part == TPart::None)
        return;
    if (m_focusControl && m_focusControl->CanFocus() && !m_focusControl->Focused())
        m_focusControl->SetFocus();
    m_tracking = part;
    m_pressed = part;
    Invalidate();
    Fire(part);
    if (HandleAllocated()) {
        SetTimer(Handle(), kRepeatTimer, m_repeatDelay);
        m_repeating = true;
    }
}

void TSpinButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (m_tracking == TPart::None)
        return;
    // Repeating pauses while the pointer is off the held button.
    const TPart shown = PartAt(X, Y) == m_tracking ? m_tracking : TPart::None;
    if (shown != m_pressed) {
        m_pressed = shown;
        Invalidate();
    }
}

void TSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && m_tracking != TPart::None) {
        m_tracking = TPart::None;
        m_pressed = TPart::None;
        StopRepeat();
        Invalidate();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TSpinButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        if (Message.WParam == kRepeatTimer) {
            if (m_tracking == TPart::None) {
                StopRepeat();
                return;
            }
            // After the first delay the repeat speeds up.
            SetTimer(Handle(), kRepeatTimer, m_repeatInterval);
            if (m_pressed == m_tracking)
                Fire(m_tracking);
            return;
        }
        break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        if (m_tracking != TPart::None && (Message.Msg == WM_CANCELMODE || GetCapture() != Handle())) {
            m_tracking = TPart::None;
            m_pressed = TPart::None;
            StopRepeat();
            Invalidate();
        }
        break;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}
