#include "editors/ContainerHintWindow.h"

#include "platform/drawing/Canvas.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

namespace {

// The window is this much wider and taller than its text: edge and margins.
constexpr int kHintExtra = 6;
// The font size when the desktop does not tell its status-bar font.
constexpr int kFallbackFontSize = 8;

} // namespace

TzqContainerHintWindow::TzqContainerHintWindow(TComponent* AOwner) : THintWindow(AOwner)
{
    SetColor(clInfoBk);
}

void TzqContainerHintWindow::CreateParams(TCreateParams& Params)
{
    THintWindow::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
    Params.WindowClassStyle = CS_SAVEBITS;
    Params.WinClassName = "TzqContainerHintWindow";
}

TRect TzqContainerHintWindow::PlaceHint(TPoint Point, TSize Size, const TRect& Screen)
{
    int64_t left = Point.X, top = Point.Y;
    // Never larger than the screen (a very long word does not wrap).
    const int64_t width = std::clamp<int64_t>(Size.cx, 0, std::max(0, Screen.Width()));
    const int64_t height = std::clamp<int64_t>(Size.cy, 0, std::max(0, Screen.Height()));
    if (top + height > Screen.Bottom)
        top = int64_t(Screen.Bottom) - height;
    if (left + width > Screen.Right)
        left = int64_t(Screen.Right) - width;
    left = std::max<int64_t>(left, Screen.Left);
    top = std::max<int64_t>(top, Screen.Top);
    return TRect(Saturate32(left), Saturate32(top), Saturate32(left + width), Saturate32(top + height));
}

void TzqContainerHintWindow::ActivateHint(TPoint Point, int MaxWidth, bool UseFontSize, const TFont* Font,
                                          const std::string& Text)
{
    SetCaption(Text);
    TFont font;
    NONCLIENTMETRICS metrics;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0))
        font.AssignLogFont(metrics.lfStatusFont);
    else
        font.SetSize(kFallbackFontSize);
    font.SetColor(clInfoText);
    if (Font) {
        font.SetName(Font->Name());
        font.SetCharset(Font->Charset());
        if (UseFontSize)
            font.SetSize(Font->Size());
    }
    SetFont(font);

    const TRect screen = GetScreenRect();
    if (MaxWidth <= 0)
        MaxWidth = screen.Width();
    TRect measured(0, 0, MaxWidth, 0);
    Canvas()->Font()->Assign(*this->Font());
    Canvas()->DrawText(Text, measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const TSize size(Saturate32(int64_t(measured.Width()) + kHintExtra),
                     Saturate32(int64_t(measured.Height()) + kHintExtra));
    const TRect r = PlaceHint(Point, size, screen);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    HandleNeeded();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetVisible(true);
    Invalidate();
}

void TzqContainerHintWindow::HideHint()
{
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    SetVisible(false);
}

void TzqContainerHintWindow::Paint()
{
    TCanvas* c = Canvas();
    TRect client = ClientRect();
    FillRectColor(c, client, Color());
    TRect edge = client;
    c->DrawEdge(edge, BDR_RAISEDOUTER, BF_RECT);
    c->Font()->Assign(*Font());
    c->SetBkMode(TRANSPARENT);
    TRect text = client.Inflate(-1, -1).Offset(2, 2);
    c->DrawText(Caption(), text, DT_NOPREFIX | DT_NOCLIP | DT_WORDBREAK);
}
