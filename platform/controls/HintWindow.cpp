#include "platform/controls/HintWindow.h"

#include "platform/controls/Application.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

// Text and border in all: 2 pixels of margin on either side plus the 1-pixel border.
constexpr int kExtraWidth = 6;
constexpr int kExtraHeight = 4;

} // namespace

std::string GetShortHint(const std::string& Hint)
{
    const size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string GetLongHint(const std::string& Hint)
{
    const size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
    SetParentColor(false);
    SetParentFont(false);
    SetColor(Application ? Application->HintColor() : clInfoBk);
    NONCLIENTMETRICS metrics;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0))
        Font()->AssignLogFont(metrics.lfStatusFont);
    Font()->SetColor(clInfoText);
    m_controlStyle.exclude(TControlStyleFlag::csCaptureMouse);
    m_controlStyle.exclude(TControlStyleFlag::csClickEvents);
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    // Transparent: the desktop gives the pointer to what lies below the hint.
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
    Params.WindowClassStyle = CS_SAVEBITS;
    Params.WinClassName = "THintWindow";
    Params.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint)
{
    if (MaxWidth <= 0)
        MaxWidth = GetScreenRect().Width();
    TRect r(0, 0, std::max(1, MaxWidth - kExtraWidth), 0);
    Canvas()->Font()->Assign(*Font());
    Canvas()->DrawText(AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    return TRect(0, 0, r.Width() + kExtraWidth, r.Height() + kExtraHeight);
}

void THintWindow::ActivateHint(TRect Rect, const std::string& AHint)
{
    SetCaption(AHint);
    // Kept in the work area of the monitor it starts on: moved back from the right and
    // bottom edges, then cut where it is larger than the area.
    const TRect area = MonitorWorkAreaAt(Rect.TopLeft());
    if (Rect.Right > area.Right)
        Rect = Rect.Offset(area.Right - Rect.Right, 0);
    if (Rect.Bottom > area.Bottom)
        Rect = Rect.Offset(0, area.Bottom - Rect.Bottom);
    if (Rect.Left < area.Left)
        Rect = Rect.Offset(area.Left - Rect.Left, 0);
    if (Rect.Top < area.Top)
        Rect = Rect.Offset(0, area.Top - Rect.Top);
    Rect.Right = std::min(Rect.Right, area.Right);
    Rect.Bottom = std::min(Rect.Bottom, area.Bottom);
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    HandleNeeded();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetVisible(true);
    Invalidate();
    Update();
}

void THintWindow::ReleaseHandle()
{
    SetVisible(false);
    DestroyHandle();
}

bool THintWindow::IsHintVisible()
{
    return Visible() && HandleAllocated() && IsWindowVisible(Handle());
}

void THintWindow::Paint()
{
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    FillRectColor(c, client, Color());
    c->Font()->Assign(*Font());
    c->SetBkMode(TRANSPARENT);
    TRect text = client.Inflate(-kTextMargin, -kTextMargin + 1);
    c->DrawText(Caption(), text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void THintWindow::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCHITTEST:
        Message.Result = HTTRANSPARENT;
        return;
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}
