#include "platform/core/LocalClock.h"

#include <chrono>
#include <ctime>

namespace {

std::function<double()>& InstalledClock()
{
    static std::function<double()> clock;
    return clock;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

} // namespace

double SystemLocalClockNow()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    const long long days = DaysFromCivil(local.tm_year + 1900LL, unsigned(local.tm_mon + 1), unsigned(local.tm_mday));
    // 1970-01-01 is day 25569 of the count that starts on 1899-12-30.
    const double dayCount = double(days + 25569);
    const double time = (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + double(millis < 0 ? 0 : millis) / 1000.0) / 86400.0;
    return dayCount + time;
}

double LocalClockNow()
{
    const auto& clock = InstalledClock();
    return clock ? clock() : SystemLocalClockNow();
}

void SetLocalClock(std::function<double()> clock)
{
    InstalledClock() = std::move(clock);
}
