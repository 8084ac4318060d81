// Screen, clipboard, sounds and the desktop's opener, answered by the back end.
#include "platform/window/WindowSystem_p.h"

#include <algorithm>

using namespace ws;

TRect GetScreenRect()
{
    return S().backend ? S().backend->ScreenRect() : TRect(0, 0, 1024, 768);
}

TRect GetWorkArea()
{
    return S().backend ? S().backend->WorkArea() : GetScreenRect();
}

int GetScreenPixelsPerInch()
{
    return S().backend ? S().backend->PixelsPerInch() : 96;
}

bool OpenClipboardText(std::string& text)
{
    if (!S().backend)
        return false;
    text = S().backend->ClipboardText();
    return true;
}

bool SetClipboardText(const std::string& text)
{
    if (!S().backend)
        return false;
    S().backend->SetClipboardText(text);
    return true;
}

bool ClipboardHasText()
{
    return S().backend && !S().backend->ClipboardText().empty();
}

bool MessageBeep(UINT type)
{
    if (S().backend)
        S().backend->Beep(type);
    return true;
}

bool PlaySystemSound(const std::string& alias)
{
    return S().backend && S().backend->PlaySystemSound(alias);
}

bool ShellOpen(const std::string& target)
{
    return S().backend && S().backend->OpenUrl(target);
}

std::vector<TMonitorInfo> GetMonitors()
{
    std::vector<TMonitorInfo> monitors;
    if (S().backend)
        monitors = S().backend->Monitors();
    // Monitors without any area are no monitors.
    std::erase_if(monitors, [](const TMonitorInfo& m) { return m.Bounds.IsEmpty(); });
    for (TMonitorInfo& m : monitors)
        if (m.WorkArea.IsEmpty())
            m.WorkArea = m.Bounds;
    if (monitors.empty())
        monitors.push_back({GetScreenRect(), GetWorkArea(), true});
    // The primary monitor comes first; without one marked, the first one is it.
    auto primary = std::find_if(monitors.begin(), monitors.end(), [](const TMonitorInfo& m) { return m.Primary; });
    if (primary == monitors.end())
        monitors.front().Primary = true;
    else
        std::rotate(monitors.begin(), primary, primary + 1);
    for (size_t i = 1; i < monitors.size(); ++i)
        monitors[i].Primary = false;
    return monitors;
}

namespace {

// Squared distance from a point to the nearest pixel of a rectangle (0 inside).
int64_t DistanceSquared(const TRect& r, TPoint p)
{
    const int64_t dx = p.X < r.Left ? int64_t(r.Left) - p.X : p.X >= r.Right ? int64_t(p.X) - (r.Right - 1) : 0;
    const int64_t dy = p.Y < r.Top ? int64_t(r.Top) - p.Y : p.Y >= r.Bottom ? int64_t(p.Y) - (r.Bottom - 1) : 0;
    return dx * dx + dy * dy;
}

} // namespace

TMonitorInfo MonitorAt(TPoint screenPt)
{
    const std::vector<TMonitorInfo> monitors = GetMonitors();
    // Overlapping monitors: the first in order (the primary one first) wins.
    const TMonitorInfo* best = &monitors.front();
    int64_t bestDistance = DistanceSquared(best->Bounds, screenPt);
    for (const TMonitorInfo& m : monitors) {
        const int64_t d = DistanceSquared(m.Bounds, screenPt);
        if (d < bestDistance) {
            best = &m;
            bestDistance = d;
        }
    }
    return *best;
}

TRect MonitorWorkAreaAt(TPoint screenPt)
{
    return MonitorAt(screenPt).WorkArea;
}
