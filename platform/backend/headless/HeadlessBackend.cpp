#include "platform/backend/headless/HeadlessBackend.h"

#include "platform/core/Exception.h"
#include "platform/core/LocalClock.h"
#include "platform/core/Locale.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

THeadlessBackend::THeadlessBackend(TRect screen) : m_screen(screen), m_now(SystemLocalClockNow())
{
    SetLocale(TLocaleSettings{});
    SetLocalClock([this] { return m_now; });
}

THeadlessBackend::~THeadlessBackend()
{
    SetLocalClock({});
}

const TMonitorInfo* THeadlessBackend::PrimaryMonitor() const
{
    const TMonitorInfo* first = nullptr;
    for (const TMonitorInfo& m : m_monitors) {
        if (m.Bounds.IsEmpty())
            continue;
        if (m.Primary)
            return &m;
        if (!first)
            first = &m;
    }
    return first;
}

TRect THeadlessBackend::ScreenRect()
{
    const TMonitorInfo* primary = PrimaryMonitor();
    return primary ? primary->Bounds : m_screen;
}

TRect THeadlessBackend::WorkArea()
{
    const TMonitorInfo* primary = PrimaryMonitor();
    if (!primary)
        return m_screen;
    return primary->WorkArea.IsEmpty() ? primary->Bounds : primary->WorkArea;
}

void THeadlessBackend::WaitUntilTick(DWORD target, DWORD maxWaitMs)
{
    const int32_t left = static_cast<int32_t>(target - m_clock);
    if (left > 0)
        m_clock += static_cast<DWORD>(std::min<int64_t>(left, maxWaitMs));
}

void THeadlessBackend::WaitForEvents(int)
{
    if (m_idle.empty())
        throw EInvalidOperation("The headless message loop has nothing left to do: it would wait for ever.");
    RunIdleAction();
}

void THeadlessBackend::RunIdleAction()
{
    if (m_idle.empty())
        return;
    auto action = std::move(m_idle.front());
    m_idle.pop_front();
    m_inIdleAction = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_inIdleAction};
    action();
}

void THeadlessBackend::Present(HWND hwnd, const TBitmap& surface, const TRect& rect)
{
    ++m_presents;
    std::unique_ptr<TBitmap>& screen = m_screenPictures[hwnd];
    if (!screen)
        screen = std::make_unique<TBitmap>();
    if (screen->Width() != surface.Width() || screen->Height() != surface.Height())
        screen->SetSize(surface.Width(), surface.Height());
    const TRect area = rect.Intersect(TRect(0, 0, surface.Width(), surface.Height()));
    if (!area.IsEmpty())
        screen->Canvas()->CopyRect(area, const_cast<TBitmap&>(surface).Canvas(), area);
}

void THeadlessBackend::TopLevelDestroyed(HWND hwnd)
{
    m_screenPictures.erase(hwnd);
    m_opacity.erase(hwnd);
}

void THeadlessBackend::TopLevelStylesChanged(HWND hwnd, BYTE alpha)
{
    if (alpha == 255)
        m_opacity.erase(hwnd);
    else
        m_opacity[hwnd] = alpha;
}

BYTE THeadlessBackend::OpacityOf(HWND hwnd) const
{
    auto it = m_opacity.find(hwnd);
    return it == m_opacity.end() ? BYTE(255) : it->second;
}

bool THeadlessBackend::GrabScreen(HWND hwnd, TBitmap& picture)
{
    auto it = m_screenPictures.find(hwnd);
    if (it == m_screenPictures.end())
        return false;
    picture.Assign(*it->second);
    const int alpha = OpacityOf(hwnd);
    if (alpha == 255 || !m_translucent)
        return true;
    TBitmap beneath;
    PictureBeneath(hwnd, WindowRect(hwnd), beneath);
    const int w = std::min(picture.Width(), beneath.Width());
    const int h = std::min(picture.Height(), beneath.Height());
    auto mix = [alpha](int top, int below) { return (top * alpha + below * (255 - alpha) + 127) / 255; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor top = picture.Pixel(x, y);
            const TColor below = beneath.Pixel(x, y);
            picture.SetPixel(x, y,
                             RGB(mix(GetRValue(top), GetRValue(below)), mix(GetGValue(top), GetGValue(below)),
                                 mix(GetBValue(top), GetBValue(below))));
        }
    return true;
}

void THeadlessBackend::PictureBeneath(HWND hwnd, const TRect& screenRect, TBitmap& picture)
{
    picture.SetSize(screenRect.Width(), screenRect.Height());
    picture.Fill(ColorToRGB(clBackground));
    // The windows below this one, painted from the bottom up.
    const std::vector<HWND> order = GetTopLevelWindows();
    auto self = std::find(order.begin(), order.end(), hwnd);
    if (self == order.end())
        return;
    for (auto it = order.rbegin(); it.base() != std::next(self); ++it) {
        const HWND below = *it;
        TBitmap shown;
        if (!IsWindowVisible(below) || !GrabScreen(below, shown))
            continue;
        const TRect r = WindowRect(below);
        const TRect part = r.Intersect(screenRect);
        if (part.IsEmpty())
            continue;
        picture.Canvas()->CopyRect(part.Offset(-screenRect.Left, -screenRect.Top), shown.Canvas(),
                                   part.Offset(-r.Left, -r.Top));
    }
}

bool THeadlessBackend::PlaySystemSound(const std::string& alias)
{
    m_sounds.push_back(alias);
    return true;
}

bool THeadlessBackend::OpenUrl(const std::string& target)
{
    m_urls.push_back(target);
    return m_openUrlSucceeds;
}
