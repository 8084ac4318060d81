#include "bars/BarShadow.h"

#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

TzqBarShadowPart::TzqBarShadowPart(bool Translucent) : TCustomControl(nullptr), m_translucent(Translucent)
{
    SetVisible(false);
}

void TzqBarShadowPart::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    // Never the mouse's, never active, above the windows it shades.
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TRANSPARENT |
                     (m_translucent ? DWORD(WS_EX_LAYERED) : 0u);
    Params.WinClassName = "TzqBarShadowPart";
    Params.WndParent = nullptr;
}

void TzqBarShadowPart::CreateWnd()
{
    TCustomControl::CreateWnd();
    if (m_translucent)
        SetLayeredWindowAttributes(Handle(), 0, TzqBarShadow::kOpacity, LWA_ALPHA);
}

void TzqBarShadowPart::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_NCHITTEST) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::WndProc(Message);
}

void TzqBarShadowPart::Paint()
{
    FillRectColor(Canvas(), ClientRect(), m_translucent ? clBlack : clBtnShadow);
}

TzqBarShadow::TzqBarShadow() = default;
TzqBarShadow::~TzqBarShadow() = default;

bool TzqBarShadow::Visible() const
{
    return m_right && m_right->Visible();
}

void TzqBarShadow::Show(const TRect& WindowRect)
{
    const bool translucent = LayeredWindowsAvailable();
    if (!m_right || translucent != m_translucent) {
        m_translucent = translucent;
        m_right = std::make_unique<TzqBarShadowPart>(translucent);
        m_bottom = std::make_unique<TzqBarShadowPart>(translucent);
    }
    const int size = Size();
    // Offset by the shadow's size from the window's top-left corner, as light from the
    // upper left casts it.
    m_right->SetBounds(WindowRect.Right, WindowRect.Top + size, size, WindowRect.Height());
    m_bottom->SetBounds(WindowRect.Left + size, WindowRect.Bottom, WindowRect.Width() - size, size);
    for (TzqBarShadowPart* part : {m_right.get(), m_bottom.get()}) {
        part->HandleNeeded();
        SetWindowPos(part->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        part->SetVisible(true);
        part->Invalidate();
    }
}

void TzqBarShadow::Hide()
{
    if (m_right)
        m_right->SetVisible(false);
    if (m_bottom)
        m_bottom->SetVisible(false);
}
