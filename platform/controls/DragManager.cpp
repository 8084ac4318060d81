#include "platform/controls/DragObject.h"

#include "platform/controls/Control.h"
#include "platform/controls/WinControl.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <cstdlib>
#include <memory>

TCursor TDragObject::GetDragCursor(bool Accepted, int, int)
{
    if (!Accepted)
        return crNoDrop;
    return m_control ? m_control->DragCursor() : crDrag;
}

TObject* TDragControlObject::DragSource()
{
    return Control() ? static_cast<TObject*>(Control()) : this;
}

namespace {

struct DragState {
    TControl* source = nullptr;
    TControl* target = nullptr;
    bool started = false; // the threshold was passed
    bool accepted = false;
    int threshold = 5;
    TPoint origin;
    TPoint last;
    HWND captureWindow = nullptr;
    TDragObject* object = nullptr;               // the drag object in use
    std::unique_ptr<TDragObject> ownObject;      // set when the machinery made it
};

DragState g_drag;

// A hidden window holds the mouse capture while a drag runs, so that every move and
// the release come here whatever lies under the pointer.
LRESULT CaptureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

HWND CaptureWindow()
{
    if (g_drag.captureWindow && IsWindow(g_drag.captureWindow))
        return g_drag.captureWindow;
    if (!IsClassRegistered("VelmoraDragCapture")) {
        WNDCLASS wc;
        wc.lpszClassName = "VelmoraDragCapture";
        wc.lpfnWndProc = CaptureProc;
        RegisterClass(wc);
    }
    g_drag.captureWindow = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "VelmoraDragCapture", "", WS_POPUP, 0, 0, 0, 0, nullptr);
    return g_drag.captureWindow;
}

TObject* SourceOf(const DragState& state)
{
    return state.object ? state.object->DragSource() : state.source;
}

void SendDrag(TControl* target, int message, TPoint screenPt, bool& accept)
{
    if (!target || !g_drag.source)
        return;
    target->DoDragMsg(message, SourceOf(g_drag), target->ScreenToClient(screenPt), accept);
}

void MoveTo(TPoint screenPt)
{
    g_drag.last = screenPt;
    TControl* target = DragManager::FindDragTarget(screenPt);
    if (target != g_drag.target) {
        bool ignored = false;
        if (g_drag.target)
            SendDrag(g_drag.target, dmDragLeave, screenPt, ignored);
        g_drag.target = target;
        g_drag.accepted = false;
        if (target)
            SendDrag(target, dmDragEnter, screenPt, g_drag.accepted);
    }
    if (!g_drag.source)
        return;
    g_drag.accepted = false;
    if (g_drag.target)
        SendDrag(g_drag.target, dmDragMove, screenPt, g_drag.accepted);
    if (g_drag.source && g_drag.object)
        SetCursor(g_drag.object->GetDragCursor(g_drag.accepted, screenPt.X, screenPt.Y));
}

LRESULT CaptureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEMOVE: {
        TPoint p = PointFromLParam(lParam);
        ClientToScreen(hwnd, p);
        if (!g_drag.started) {
            const int t = g_drag.threshold;
            if (std::abs(p.X - g_drag.origin.X) < t && std::abs(p.Y - g_drag.origin.Y) < t)
                return 0;
            g_drag.started = true;
        }
        MoveTo(p);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        DragManager::End(g_drag.started);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            DragManager::End(false);
        return 0;
    case WM_CAPTURECHANGED:
        if (g_drag.source && reinterpret_cast<HWND>(lParam) != hwnd)
            DragManager::End(false);
        return 0;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace

namespace DragManager {

void Begin(TControl* source, bool immediate, int threshold)
{
    if (!source || g_drag.source)
        return;
    const HWND captureWindow = g_drag.captureWindow;
    g_drag = DragState{};
    g_drag.source = source;
    g_drag.threshold = threshold < 0 ? DragThreshold() : threshold;
    g_drag.captureWindow = captureWindow;
    GetCursorPos(g_drag.origin);
    g_drag.last = g_drag.origin;
    TDragObject* dragObject = nullptr;
    source->DoStartDrag(dragObject);
    if (!g_drag.source)
        return;
    if (!dragObject) {
        g_drag.ownObject = std::make_unique<TDragControlObject>(source);
        dragObject = g_drag.ownObject.get();
    }
    g_drag.object = dragObject;
    SetCapture(CaptureWindow());
    if (immediate) {
        g_drag.started = true;
        MoveTo(g_drag.origin);
    }
}

void End(bool drop)
{
    if (!g_drag.source)
        return;
    DragState state = std::move(g_drag);
    g_drag.source = nullptr;
    g_drag.target = nullptr;
    g_drag.object = nullptr;
    g_drag.captureWindow = state.captureWindow;
    if (GetCapture() == state.captureWindow)
        ReleaseCapture();
    SetCursor(crArrow);
    const TPoint p = state.last;
    bool ignored = false;
    // The target hears the drag leave first (its feedback goes), then the drop.
    TObject* source = SourceOf(state);
    if (state.target)
        state.target->DoDragMsg(dmDragLeave, source, state.target->ScreenToClient(p), ignored);
    const bool dropped = drop && state.started && state.accepted && state.target;
    if (dropped)
        state.target->DoDragMsg(dmDragDrop, source, state.target->ScreenToClient(p), ignored);
    else
        state.source->DragCanceled();
    TControl* target = dropped ? state.target : nullptr;
    const TPoint local = target ? target->ScreenToClient(p) : TPoint{};
    state.source->DoEndDrag(target, local.X, local.Y);
}

TDragObject* DragObject()
{
    return g_drag.source ? g_drag.object : nullptr;
}

bool IsDragging(const TControl* source)
{
    return g_drag.source && (!source || g_drag.source == source);
}

void Forget(TControl* control)
{
    if (g_drag.target == control)
        g_drag.target = nullptr;
    if (g_drag.source == control) {
        g_drag.source = nullptr;
        g_drag.object = nullptr;
        g_drag.ownObject.reset();
        if (GetCapture() == g_drag.captureWindow)
            ReleaseCapture();
    }
}

TControl* FindDragTarget(TPoint screenPt)
{
    return FindControlAtPoint(screenPt, false);
}

} // namespace DragManager
