#include "platform/data/DateTime.h"

#include "platform/core/LocalClock.h"
#include "platform/data/DatabaseError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

constexpr long long kMsPerDay = 86400000;
// 1970-01-01 is day 25569 of the count that starts on 1899-12-30.
constexpr long long kUnixEpochDay = 25569;

// Days from 1970-01-01 to a civil date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153LL * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2));
}

// The day number (whole part toward zero) and the time of day in milliseconds; a time
// that rounds to a whole day moves on to the next day. False outside the years 1 to 9999.
bool SplitDateTime(TDateTime value, long long& day, long long& ms)
{
    if (!std::isfinite(value) || value <= MinDateTime - 1 || value >= MaxDateTime + 1)
        return false;
    const double whole = std::trunc(value);
    day = static_cast<long long>(whole);
    ms = std::llround(std::fabs(value - whole) * double(kMsPerDay));
    if (ms >= kMsPerDay) {
        ms = 0;
        ++day;
    }
    return day >= MinDateTime && day <= MaxDateTime;
}

[[noreturn]] void RaiseOutsideCalendar(TDateTime value)
{
    throw EVariantError(OutsideCalendarMessage(value));
}

// Reads exactly `count` digits at `pos`.
bool ReadDigits(std::string_view s, size_t& pos, int count, int& out)
{
    out = 0;
    for (int i = 0; i < count; ++i) {
        if (pos >= s.size() || s[pos] < '0' || s[pos] > '9')
            return false;
        out = out * 10 + (s[pos++] - '0');
    }
    return true;
}

bool ReadIsoTime(std::string_view s, size_t& pos, TDateTime& out)
{
    int h = 0, mi = 0, sec = 0, ms = 0;
    if (!ReadDigits(s, pos, 2, h) || pos >= s.size() || s[pos++] != ':' || !ReadDigits(s, pos, 2, mi))
        return false;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        if (!ReadDigits(s, pos, 2, sec))
            return false;
        if (pos < s.size() && s[pos] == '.') {
            ++pos;
            int digits = 0;
            ms = 0;
            while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
                if (digits < 3)
                    ms = ms * 10 + (s[pos] - '0');
                ++digits;
                ++pos;
            }
            if (digits == 0)
                return false;
            for (int i = digits; i < 3; ++i)
                ms *= 10;
        }
    }
    return TryEncodeTime(h, mi, sec, ms, out);
}

} // namespace

std::string OutsideCalendarMessage(TDateTime value)
{
    // Not through the C library, whose locale may write a decimal comma.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return "The value " + std::string(buf, r.ptr) + " is not a date of the years 1 to 9999.";
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return (month == 2 && IsLeapYear(year)) ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidDateTime(TDateTime value)
{
    long long day = 0, ms = 0;
    return SplitDateTime(value, day, ms);
}

int DayOfWeek(TDateTime value)
{
    // Day 1 (1899-12-31) was a Sunday.
    const long long day = static_cast<long long>(std::trunc(value));
    return int(((day - 1) % 7 + 7) % 7) + 1;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out)
{
    if (!IsValidDate(year, month, day))
        return false;
    out = double(DaysFromCivil(year, month, day) + kUnixEpochDay);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime out = 0;
    if (!TryEncodeDate(year, month, day, out)) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d is not a valid date.", year, month, day);
        throw EVariantError(buf);
    }
    return out;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& out)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return false;
    out = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / double(kMsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    TDateTime out = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, out)) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d is not a valid time.", hour, minute, second, millisecond);
        throw EVariantError(buf);
    }
    return out;
}

TDateTime CombineDateTime(TDateTime date, TDateTime time)
{
    const double day = std::trunc(date);
    const double t = std::fabs(time - std::trunc(time));
    return day < 0 ? day - t : day + t;
}

TDateTime DateOf(TDateTime value)
{
    return std::trunc(value);
}

TDateTime TimeOf(TDateTime value)
{
    return std::fabs(value - std::trunc(value));
}

bool TryDecodeDateTime(TDateTime value, TDateParts& parts)
{
    long long day = 0, ms = 0;
    if (!SplitDateTime(value, day, ms))
        return false;
    CivilFromDays(day - kUnixEpochDay, parts.Year, parts.Month, parts.Day);
    parts.Hour = int(ms / 3600000);
    parts.Minute = int(ms / 60000 % 60);
    parts.Second = int(ms / 1000 % 60);
    parts.Millisecond = int(ms % 1000);
    return true;
}

bool TryDecodeDate(TDateTime value, int& year, int& month, int& day)
{
    TDateParts p;
    if (!TryDecodeDateTime(value, p))
        return false;
    year = p.Year;
    month = p.Month;
    day = p.Day;
    return true;
}

TDateParts DecodeDateTime(TDateTime value)
{
    TDateParts p;
    if (!TryDecodeDateTime(value, p))
        RaiseOutsideCalendar(value);
    return p;
}

TDateTime IncMonth(TDateTime value, int months)
{
    int y = 0, m = 0, d = 0;
    if (!TryDecodeDate(value, y, m, d))
        RaiseOutsideCalendar(value);
    const long long index = y * 12LL + (m - 1) + months;
    const long long newYear = index >= 0 ? index / 12 : -((-index + 11) / 12);
    const int newMonth = int(index - newYear * 12) + 1;
    if (newYear < 1 || newYear > 9999)
        throw EVariantError("The date is moved outside the years 1 to 9999.");
    const int newDay = std::min(d, DaysInMonth(int(newYear), newMonth));
    return CombineDateTime(EncodeDate(int(newYear), newMonth, newDay), TimeOf(value));
}

TDateTime Now()
{
    return LocalClockNow();
}

TDateTime Date()
{
    return std::trunc(LocalClockNow());
}

std::string DateToIsoStr(TDateTime value)
{
    const TDateParts p = DecodeDateTime(value);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", p.Year, p.Month, p.Day);
    return buf;
}

std::string TimeToIsoStr(TDateTime value)
{
    const TDateParts p = DecodeDateTime(value);
    char buf[32];
    if (p.Millisecond)
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", p.Hour, p.Minute, p.Second, p.Millisecond);
    else
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", p.Hour, p.Minute, p.Second);
    return buf;
}

std::string DateTimeToIsoStr(TDateTime value)
{
    const TDateParts p = DecodeDateTime(value);
    if (p.Hour == 0 && p.Minute == 0 && p.Second == 0 && p.Millisecond == 0)
        return DateToIsoStr(value);
    return DateToIsoStr(value) + " " + TimeToIsoStr(value);
}

std::optional<TDateTime> TryIsoStrToDateTime(std::string_view text)
{
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return std::nullopt;
    const size_t e = text.find_last_not_of(" \t");
    const std::string_view s = text.substr(b, e - b + 1);
    size_t pos = 0;
    TDateTime result = 0;
    if (s.size() >= 5 && s[2] == ':') {
        if (!ReadIsoTime(s, pos, result) || pos != s.size())
            return std::nullopt;
        return result;
    }
    int y = 0, m = 0, d = 0;
    if (!ReadDigits(s, pos, 4, y) || pos >= s.size() || s[pos++] != '-' || !ReadDigits(s, pos, 2, m) ||
        pos >= s.size() || s[pos++] != '-' || !ReadDigits(s, pos, 2, d))
        return std::nullopt;
    if (!TryEncodeDate(y, m, d, result))
        return std::nullopt;
    if (pos == s.size())
        return result;
    if (s[pos] != ' ' && s[pos] != 'T')
        return std::nullopt;
    ++pos;
    TDateTime time = 0;
    if (!ReadIsoTime(s, pos, time) || pos != s.size())
        return std::nullopt;
    return CombineDateTime(result, time);
}
