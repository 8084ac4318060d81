#include "platform/data/DateTime.h"

#include "platform/data/DatabaseError.h"

#include <cmath>
#include <cstdio>

namespace {

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && IsLeapYear(y)) ? 29 : days[m - 1];
}

// Days from 0001-01-01 (day 1) using the proleptic Gregorian calendar.
long long DayNumber(int y, int m, int d)
{
    static const int before[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    long long yy = y - 1;
    long long n = yy * 365 + yy / 4 - yy / 100 + yy / 400 + before[m - 1] + (m > 2 && IsLeapYear(y) ? 1 : 0);
    return n + d;
}

const long long kDayNumberOf18991230 = DayNumber(1899, 12, 30);

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

bool ReadTime(std::string_view s, size_t& pos, TDateTime& out)
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
    if (h > 23 || mi > 59 || sec > 59)
        return false;
    out = EncodeTime(h, mi, sec, ms);
    return true;
}

} // namespace

bool IsValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

TDateTime EncodeDate(int year, int month, int day)
{
    if (!IsValidDate(year, month, day)) {
        char buf[80];
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d is not a valid date.", year, month, day);
        throw EVariantError(buf);
    }
    return double(DayNumber(year, month, day) - kDayNumberOf18991230);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    return (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / 86400000.0;
}

TDateParts DecodeDateTime(TDateTime value)
{
    TDateParts p;
    // Round to the millisecond first so that 0.99999999 of a day does not read 23:59:59.999.
    long long totalMs = std::llround(value * 86400000.0);
    long long days = totalMs / 86400000;
    long long ms = totalMs % 86400000;
    if (ms < 0) {
        // Negative values: the whole part counts back, the fraction is still the time of day.
        ms = -ms;
    }
    long long n = days + kDayNumberOf18991230; // day number from 0001-01-01
    if (n < 1)
        n = 1;
    // Find the year by estimate and correction.
    int y = int((n - 1) / 365.2425) + 1;
    while (DayNumber(y, 1, 1) > n)
        --y;
    while (DayNumber(y + 1, 1, 1) <= n)
        ++y;
    int m = 1;
    while (m < 12 && DayNumber(y, m + 1, 1) <= n)
        ++m;
    p.Year = y;
    p.Month = m;
    p.Day = int(n - DayNumber(y, m, 1)) + 1;
    p.Hour = int(ms / 3600000);
    p.Minute = int(ms / 60000 % 60);
    p.Second = int(ms / 1000 % 60);
    p.Millisecond = int(ms % 1000);
    return p;
}

std::string DateToStr(TDateTime value)
{
    TDateParts p = DecodeDateTime(value);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", p.Year, p.Month, p.Day);
    return buf;
}

std::string TimeToStr(TDateTime value)
{
    TDateParts p = DecodeDateTime(value);
    char buf[32];
    if (p.Millisecond)
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", p.Hour, p.Minute, p.Second, p.Millisecond);
    else
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", p.Hour, p.Minute, p.Second);
    return buf;
}

std::string DateTimeToStr(TDateTime value)
{
    TDateParts p = DecodeDateTime(value);
    if (p.Hour == 0 && p.Minute == 0 && p.Second == 0 && p.Millisecond == 0)
        return DateToStr(value);
    return DateToStr(value) + " " + TimeToStr(value);
}

std::optional<TDateTime> TryStrToDateTime(std::string_view text)
{
    size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return std::nullopt;
    size_t e = text.find_last_not_of(" \t");
    const std::string_view s = text.substr(b, e - b + 1);
    size_t pos = 0;
    TDateTime result = 0;
    if (s.size() >= 5 && s[2] == ':') {
        if (!ReadTime(s, pos, result) || pos != s.size())
            return std::nullopt;
        return result;
    }
    int y = 0, m = 0, d = 0;
    if (!ReadDigits(s, pos, 4, y) || pos >= s.size() || s[pos++] != '-' || !ReadDigits(s, pos, 2, m) ||
        pos >= s.size() || s[pos++] != '-' || !ReadDigits(s, pos, 2, d))
        return std::nullopt;
    if (!IsValidDate(y, m, d))
        return std::nullopt;
    result = EncodeDate(y, m, d);
    if (pos == s.size())
        return result;
    if (s[pos] != ' ' && s[pos] != 'T')
        return std::nullopt;
    ++pos;
    TDateTime time = 0;
    if (!ReadTime(s, pos, time) || pos != s.size())
        return std::nullopt;
    return result + time;
}
