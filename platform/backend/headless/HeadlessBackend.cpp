#include "platform/backend/headless/HeadlessBackend.h"

#include "platform/core/Exception.h"

THeadlessBackend::THeadlessBackend(TRect screen) : m_screen(screen) {}

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

void THeadlessBackend::Present(HWND, const TBitmap&, const TRect&)
{
    ++m_presents;
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
