#include "platform/backend/headless/HeadlessBackend.h"

#include "platform/core/Exception.h"
#include "platform/core/LocalClock.h"
#include "platform/core/Locale.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

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
}

bool THeadlessBackend::GrabScreen(HWND hwnd, TBitmap& picture)
{
    auto it = m_screenPictures.find(hwnd);
    if (it == m_screenPictures.end())
        return false;
    picture.Assign(*it->second);
    return true;
}

bool THeadlessBackend::PlaySystemSound(const std::string& alias)
{
    m_sounds.push_back(alias);
    return true;
}

bool THeadlessBackend::OpenUrl(const std::string& target)
{
    m_urls.push_back(target);
    return true;
}
