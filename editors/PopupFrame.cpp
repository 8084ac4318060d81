#include "editors/PopupFrame.h"

#include "editors/SharedBrushes.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <algorithm>

void GetMonitorWorkArea(TPoint Point, TRect& Rect)
{
    Rect = MonitorWorkAreaAt(Point);
}

void AdjustPopupPosition(TPoint& Pos, int Width, int Height, int EditHeight)
{
    TRect area;
    GetMonitorWorkArea(Pos, area);
    int64_t x = std::max<int64_t>(Pos.X, area.Left);
    if (x + Width > area.Right)
        x = int64_t(area.Right) - Width;
    Pos.X = Saturate32(x);
    const int64_t y = Pos.Y;
    if (y + Height > area.Bottom) {
        const int64_t below = area.Bottom - y - EditHeight;
        const int64_t above = y - area.Top;
        if (below < above)
            Pos.Y = Saturate32(y - (int64_t(Height) + EditHeight));
    }
}

int PopupBorderWidth(TzqPopupBorder Border)
{
    switch (Border) {
    case TzqPopupBorder::pbSingle:
        return 1;
    case TzqPopupBorder::pbFrame3D:
        return 4;
    case TzqPopupBorder::pbFlat:
        return 2;
    default:
        return 0;
    }
}

void DrawWindowFrame(HDC DC, TRect Rect, TzqPopupBorder Border, int ShadowSize, bool HasShadow, bool HasSizeGrip)
{
    if (!DC)
        return;
    // A shadow never wider than the window.
    const int s = HasShadow ? std::clamp(ShadowSize, 0, std::max(0, std::min(Rect.Width(), Rect.Height()))) : 0;
    Rect.Right -= s;
    Rect.Bottom -= s;
    if (s > 0) {
        // The window's own rectangle, offset by the shadow, shows to the right and below.
        FillRectColor(DC, TRect(Rect.Right, Rect.Top + s, Rect.Right + s, Rect.Bottom + s), ShadowBrush()->Color());
        FillRectColor(DC, TRect(Rect.Left + s, Rect.Bottom, Rect.Right, Rect.Bottom + s), ShadowBrush()->Color());
    }
    switch (Border) {
    case TzqPopupBorder::pbSingle:
        DC->DrawEdge(Rect, BDR_RAISEDOUTER, BF_RECT | BF_ADJUST | BF_MONO);
        break;
    case TzqPopupBorder::pbFrame3D:
        DC->DrawEdge(Rect, EDGE_RAISED, BF_RECT | BF_ADJUST);
        DC->DrawEdge(Rect, BDR_SUNKENINNER, BF_RECT | BF_ADJUST | BF_FLAT);
        DC->DrawEdge(Rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        break;
    case TzqPopupBorder::pbFlat:
        DC->DrawEdge(Rect, EDGE_RAISED, BF_RECT | BF_ADJUST);
        break;
    default:
        break;
    }
    if (HasSizeGrip) {
        const TRect grip(Rect.Right - GetSystemMetrics(SM_CXVSCROLL), Rect.Bottom - GetSystemMetrics(SM_CYHSCROLL),
                         Rect.Right, Rect.Bottom);
        FillRectColor(DC, grip, clBtnFace);
    }
}

void PaintWindowFrame(HWND Window, TzqPopupBorder Border, int ShadowSize, bool HasShadow, bool HasSizeGrip)
{
    HDC dc = GetWindowDC(Window);
    if (!dc)
        return;
    const TRect r = WindowRect(Window);
    DrawWindowFrame(dc, TRect(0, 0, r.Width(), r.Height()), Border, ShadowSize, HasShadow, HasSizeGrip);
    ReleaseDC(Window, dc);
}

TRegion ShadowRegion(int Width, int Height, int ShadowSize)
{
    const TRect body(0, 0, Width - ShadowSize, Height - ShadowSize);
    return TRegion(body).United(TRegion(body.Offset(ShadowSize, ShadowSize)));
}

void SetShadowRegion(HWND Window, bool HasShadow, int ShadowSize)
{
    if (!IsWindow(Window))
        return;
    if (!HasShadow) {
        SetWindowRegion(Window, nullptr, true);
        return;
    }
    const TRect r = WindowRect(Window);
    const TRegion region = ShadowRegion(r.Width(), r.Height(), ShadowSize);
    SetWindowRegion(Window, &region, true);
}
