// The non-client furniture of a bar window: the border and grip of a docked bar, the
// size grip of a borderless bottom bar, the title, close button and sizing edges of a
// floating one, and what the mouse hits there.
#include "bars/BarControl.h"

#include "bars/Bar.h"
#include "bars/BarManager.h"
#include "bars/DockControl.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

bool FlatStyle(const TzqBarManager* manager)
{
    return manager && manager->Style() == TzqBarManagerStyle::bmsFlat;
}

} // namespace

bool TzqBarControl::CloseButtonShown() const
{
    return Floating() && m_bar->AllowClose() && !m_bar->IsMainMenu();
}

bool TzqBarControl::HasSizeGrip() const
{
    if (Floating() || !m_dockSite || m_dockingStyle != TzqBarDockingStyle::dsBottom ||
        m_bar->BorderStyle() != TzqBarBorderStyle::bbsNone || !m_bar->SizeGrip())
        return false;
    TzqBarManager* manager = BarManager();
    TCustomForm* form = manager ? manager->OwnerForm() : nullptr;
    if (!form || form->WindowState() == TWindowState::wsMaximized)
        return false;
    // Only a bar reaching the form's bottom-right corner sizes the form.
    const TRect bounds = BoundsRect();
    const TRect site = m_dockSite->BoundsRect();
    const TRect formClient = form->ClientRect();
    return site.Left + bounds.Right >= formClient.Right && site.Top + bounds.Bottom >= formClient.Bottom;
}

TRect TzqBarControl::FrameMargins() const
{
    TzqBarManager* manager = BarManager();
    if (Floating()) {
        const bool flat = FlatStyle(manager);
        const int x = GetSystemMetrics(SM_CXFRAME) + (flat ? 0 : 4);
        const int top = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSMCAPTION) + (flat ? 0 : 2);
        const int bottom = GetSystemMetrics(SM_CYFRAME) + (flat ? 0 : 1);
        return TRect(x, top, x, bottom);
    }
    if (m_bar->BorderStyle() == TzqBarBorderStyle::bbsNone) {
        if (m_dockingStyle != TzqBarDockingStyle::dsBottom)
            return TRect(0, 0, 0, 0);
        return TRect(0, 2, HasSizeGrip() ? GetSystemMetrics(SM_CXVSCROLL) : 0, 0);
    }
    const int grip = manager ? manager->GripSize() : 9;
    return Vertical() ? TRect(2, 2 + grip, 2, 2) : TRect(2 + grip, 2, 2, 2);
}

TRect TzqBarControl::GripRect() const
{
    if (Floating() || m_bar->BorderStyle() == TzqBarBorderStyle::bbsNone)
        return {};
    const int grip = BarManager() ? BarManager()->GripSize() : 9;
    return Vertical() ? TRect(2, 2, Width() - 2, 2 + grip) : TRect(2, 2, 2 + grip, Height() - 2);
}

TRect TzqBarControl::TitleRect() const
{
    if (!Floating())
        return {};
    const int x = GetSystemMetrics(SM_CXFRAME), y = GetSystemMetrics(SM_CYFRAME);
    return TRect(x, y, Width() - x, y + GetSystemMetrics(SM_CYSMCAPTION));
}

TRect TzqBarControl::CloseButtonRect() const
{
    if (!CloseButtonShown())
        return {};
    const TRect title = TitleRect();
    const int size = title.Height();
    return TRect(title.Right - size, title.Top, title.Right, title.Bottom).Inflate(-1, -1);
}

TRect TzqBarControl::SizeGripRect() const
{
    if (!HasSizeGrip())
        return {};
    const int w = GetSystemMetrics(SM_CXVSCROLL);
    return TRect(Width() - w, 0, Width(), Height());
}

TRect TzqBarControl::MarkRect() const
{
    if (Floating()) {
        const TRect title = TitleRect();
        if (FlatStyle(BarManager())) {
            // A square at the right end, left of the close button.
            const int right = CloseButtonShown() ? CloseButtonRect().Left - 1 : title.Right;
            return TRect(right - title.Height(), title.Top, right, title.Bottom);
        }
        return TRect(title.Left, title.Top, title.Left + 13, title.Bottom);
    }
    const TRect client = ClientRect();
    const bool standard = BarManager() && BarManager()->Style() == TzqBarManagerStyle::bmsStandard;
    if (Vertical())
        return standard ? TRect(client.Right - 9, client.Bottom - kMarkSize, client.Right, client.Bottom)
                        : TRect(client.Left, client.Bottom - kMarkSize, client.Right, client.Bottom);
    return standard ? TRect(client.Right - kMarkSize, client.Top, client.Right, client.Top + 9)
                    : TRect(client.Right - kMarkSize, client.Top, client.Right, client.Bottom);
}

int TzqBarControl::HitTest(TPoint ScreenPt) const
{
    const TPoint p{ScreenPt.X - Left(), ScreenPt.Y - Top()};
    if (!Floating() && Parent()) {
        const TPoint origin = Parent()->ClientToScreen(TPoint{Left(), Top()});
        return HitTestAt(TPoint{ScreenPt.X - origin.X, ScreenPt.Y - origin.Y});
    }
    return HitTestAt(p);
}

int TzqBarControl::HitTestAt(TPoint p) const
{
    const TRect window(0, 0, Width(), Height());
    if (!window.Contains(p))
        return HTNOWHERE;
    const TRect m = FrameMargins();
    const TRect client(m.Left, m.Top, Width() - m.Right, Height() - m.Bottom);
    if (Floating()) {
        if (CloseButtonShown() && CloseButtonRect().Contains(p))
            return HTCLOSE;
        if (MarkShown() && MarkRect().Contains(p))
            return kHitMark;
        const int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
        // Corners count as the horizontal edge next to them.
        if (p.Y < fy)
            return HTTOP;
        if (p.Y >= Height() - fy)
            return HTBOTTOM;
        if (p.X < fx)
            return HTLEFT;
        if (p.X >= Width() - fx)
            return HTRIGHT;
        if (TitleRect().Contains(p))
            return HTCAPTION;
        return client.Contains(p) ? HTCLIENT : HTCAPTION;
    }
    if (HasSizeGrip() && SizeGripRect().Contains(p))
        return HTBOTTOMRIGHT;
    if (client.Contains(p))
        return HTCLIENT;
    return HTCAPTION;
}

void TzqBarControl::PaintFrame()
{
    if (!HandleAllocated())
        return;
    HDC dc = GetWindowDC(Handle());
    if (!dc)
        return;
    TCanvas& canvas = *dc;
    const TzqBarPainter& painter = Painter();
    const TzqBarLook look = Look();
    const TRect window(0, 0, Width(), Height());
    const TRect m = FrameMargins();
    const TRect client(m.Left, m.Top, Width() - m.Right, Height() - m.Bottom);
    const TRegion frame = TRegion(window).Subtracted(TRegion(client));
    canvas.SelectClipRegion(&frame);
    if (Floating()) {
        painter.DrawFloatingFrame(canvas, window, client, look);
        canvas.SelectClipRegion(&frame);
        TRect title = TitleRect();
        painter.DrawTitle(canvas, title, m_bar->Caption(), look);
        if (MarkShown()) {
            const TRect mark = MarkRect();
            painter.DrawMarkButton(canvas, mark, m_markState, m_truncated, false, true);
        }
        if (CloseButtonShown())
            painter.DrawCloseButton(canvas, CloseButtonRect(), m_closeState, look);
    } else {
        FillRectColor(&canvas, window, painter.BarColor(look));
        if (m_bar->BorderStyle() == TzqBarBorderStyle::bbsSingle) {
            TRect edge = window;
            if (BarManager() && BarManager()->Style() == TzqBarManagerStyle::bmsStandard)
                canvas.DrawEdge(edge, EDGE_RAISED, BF_RECT);
            else if (BarManager() && BarManager()->Style() == TzqBarManagerStyle::bmsEnhanced)
                canvas.DrawEdge(edge, BDR_RAISEDINNER, BF_RECT);
            painter.DrawGrip(canvas, GripRect(), Vertical());
        } else if (HasSizeGrip()) {
            TRect grip = SizeGripRect();
            canvas.DrawFrameControl(grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        }
    }
    canvas.SelectClipRegion(nullptr);
    ReleaseDC(Handle(), dc);
}
