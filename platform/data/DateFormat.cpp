#include "platform/data/DateFormat.h"

#include "platform/core/TextCompare.h"

#include <cstdio>

namespace {

// Nested formats (ddddd, c, t...) may name others; this deep and no deeper, so a locale
// whose short date format names itself cannot recurse for ever.
constexpr int kMaxFormatNesting = 3;

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view word)
{
    if (pos + word.size() > text.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (Lower(text[pos + i]) != Lower(word[i]))
            return false;
    return true;
}

// Whether the format holds an am/pm part outside quoted text (the hours are then 1-12).
bool HasAmPm(std::string_view format)
{
    char quote = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (Lower(c) == 'a' &&
                   (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                    StartsWithNoCase(format, i, "ampm"))) {
            return true;
        }
    }
    return false;
}

void AppendNumber(std::string& out, int value, int width)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    out += buf;
}

class Formatter {
public:
    Formatter(const TDateParts& parts, TDateTime value, const TLocaleSettings& locale)
        : p(parts), m_value(value), loc(locale)
    {
    }

    void Format(std::string_view format, std::string& out, int depth)
    {
        if (depth > kMaxFormatNesting)
            return;
        const bool twelveHour = HasAmPm(format);
        bool afterHour = false;
        size_t i = 0;
        while (i < format.size()) {
            const char c = format[i];
            const char l = Lower(c);
            size_t run = 1;
            while (i + run < format.size() && Lower(format[i + run]) == l)
                ++run;
            switch (l) {
            case '"':
            case '\'': {
                const size_t end = format.find(c, i + 1);
                const size_t stop = end == std::string_view::npos ? format.size() : end;
                out.append(format.substr(i + 1, stop - i - 1));
                i = end == std::string_view::npos ? format.size() : end + 1;
                continue;
            }
            case 'd':
                FormatDay(run, out, depth);
                afterHour = false;
                break;
            case 'm':
                if (afterHour && run <= 2)
                    AppendNumber(out, p.Minute, int(run));
                else
                    FormatMonth(run, out);
                afterHour = false;
                break;
            case 'y':
                if (run <= 2)
                    AppendNumber(out, p.Year % 100, 2);
                else
                    AppendNumber(out, p.Year, 4);
                afterHour = false;
                break;
            case 'h': {
                int hour = p.Hour;
                if (twelveHour) {
                    hour %= 12;
                    if (hour == 0)
                        hour = 12;
                }
                AppendNumber(out, hour, run >= 2 ? 2 : 1);
                run = std::min<size_t>(run, 2);
                afterHour = true;
                i += run;
                continue;
            }
            case 'n':
                AppendNumber(out, p.Minute, run >= 2 ? 2 : 1);
                afterHour = false;
                break;
            case 's':
                AppendNumber(out, p.Second, run >= 2 ? 2 : 1);
                afterHour = false;
                break;
            case 'z':
                AppendNumber(out, p.Millisecond, run >= 3 ? 3 : 1);
                afterHour = false;
                break;
            case 't':
                Format(run >= 2 ? loc.LongTimeFormat : loc.ShortTimeFormat, out, depth + 1);
                afterHour = false;
                break;
            case 'c':
                Format(loc.ShortDateFormat, out, depth + 1);
                if (p.Hour || p.Minute || p.Second || p.Millisecond) {
                    out += ' ';
                    Format(loc.LongTimeFormat, out, depth + 1);
                }
                afterHour = false;
                break;
            case 'a':
                i += FormatAmPm(format, i, out);
                continue;
            case '/':
                out += loc.DateSeparator;
                ++i;
                continue;
            case ':':
                out += loc.TimeSeparator;
                ++i;
                continue;
            default:
                out += c;
                ++i;
                continue;
            }
            i += run;
        }
    }

private:
    void FormatDay(size_t run, std::string& out, int depth)
    {
        const int weekday = DayOfWeek(m_value) - 1;
        switch (run) {
        case 1: AppendNumber(out, p.Day, 1); break;
        case 2: AppendNumber(out, p.Day, 2); break;
        case 3: out += loc.ShortDayNames[size_t(weekday)]; break;
        case 4: out += loc.LongDayNames[size_t(weekday)]; break;
        case 5: Format(loc.ShortDateFormat, out, depth + 1); break;
        default: Format(loc.LongDateFormat, out, depth + 1); break;
        }
    }

    void FormatMonth(size_t run, std::string& out)
    {
        switch (run) {
        case 1: AppendNumber(out, p.Month, 1); break;
        case 2: AppendNumber(out, p.Month, 2); break;
        case 3: out += loc.ShortMonthNames[size_t(p.Month - 1)]; break;
        default: out += loc.LongMonthNames[size_t(p.Month - 1)]; break;
        }
    }

    // Answers how many format characters were used.
    size_t FormatAmPm(std::string_view format, size_t i, std::string& out)
    {
        const bool pm = p.Hour >= 12;
        if (StartsWithNoCase(format, i, "am/pm")) {
            const bool upper = format[i] == 'A';
            out += pm ? (upper ? "PM" : "pm") : (upper ? "AM" : "am");
            return 5;
        }
        if (StartsWithNoCase(format, i, "a/p")) {
            const bool upper = format[i] == 'A';
            out += pm ? (upper ? 'P' : 'p') : (upper ? 'A' : 'a');
            return 3;
        }
        if (StartsWithNoCase(format, i, "ampm")) {
            out += pm ? loc.TimePMString : loc.TimeAMString;
            return 4;
        }
        out += format[i];
        return 1;
    }

    const TDateParts& p;
    TDateTime m_value;
    const TLocaleSettings& loc;
};

// ---- Reading ----

enum class DateOrder { MDY, DMY, YMD };

DateOrder OrderOf(std::string_view shortDateFormat)
{
    for (char c : shortDateFormat) {
        switch (Lower(c)) {
        case 'd': return DateOrder::DMY;
        case 'm': return DateOrder::MDY;
        case 'y': return DateOrder::YMD;
        default: break;
        }
    }
    return DateOrder::MDY;
}

class Scanner {
public:
    Scanner(std::string_view text, const TLocaleSettings& locale) : s(text), loc(locale) {}

    bool AtEnd()
    {
        SkipBlanks();
        return pos == s.size();
    }

    void SkipBlanks()
    {
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
            ++pos;
    }

    // Reads up to `maxDigits` digits (at least one); answers the count read.
    int Number(int& value, int maxDigits)
    {
        value = 0;
        int digits = 0;
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
            if (digits == maxDigits)
                return 0; // too long to be a field of a date or time
            value = value * 10 + (s[pos] - '0');
            ++digits;
            ++pos;
        }
        return digits;
    }

    // A separator: the given text, possibly with blanks around it, or blanks alone.
    bool Separator(std::string_view separator)
    {
        const size_t start = pos;
        SkipBlanks();
        if (!separator.empty() && s.substr(pos, separator.size()) == separator) {
            pos += separator.size();
            SkipBlanks();
            return true;
        }
        return pos > start;
    }

    bool Word(std::string_view word)
    {
        if (word.empty() || !StartsWithNoCase(s, pos, word))
            return false;
        pos += word.size();
        return true;
    }

    std::string_view s;
    const TLocaleSettings& loc;
    size_t pos = 0;
};

int CurrentYear()
{
    int y = 0, m = 0, d = 0;
    if (!TryDecodeDate(Date(), y, m, d))
        return 2000;
    return y;
}

int ExpandYear(int year, int digits, const TLocaleSettings& loc)
{
    if (digits > 2)
        return year;
    const int current = CurrentYear();
    if (loc.TwoDigitYearCenturyWindow <= 0)
        return current - current % 100 + year;
    const int start = current - loc.TwoDigitYearCenturyWindow;
    int expanded = start - ((start % 100) + 100) % 100 + year;
    if (expanded < start)
        expanded += 100;
    return expanded;
}

bool ScanDate(Scanner& sc, TDateTime& date)
{
    const TLocaleSettings& loc = sc.loc;
    sc.SkipBlanks();
    int n[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    digits[0] = sc.Number(n[0], 4);
    if (digits[0] == 0)
        return false;
    int count = 1;
    while (count < 3) {
        const size_t before = sc.pos;
        if (!sc.Separator(loc.DateSeparator) || sc.pos >= sc.s.size() || sc.s[sc.pos] < '0' || sc.s[sc.pos] > '9') {
            sc.pos = before;
            break;
        }
        digits[count] = sc.Number(n[count], 4);
        // A number followed by the time separator starts the time, not the date.
        const bool startsTime = !loc.TimeSeparator.empty() && loc.TimeSeparator != loc.DateSeparator &&
                                sc.s.substr(sc.pos, loc.TimeSeparator.size()) == loc.TimeSeparator;
        if (digits[count] == 0 || startsTime) {
            sc.pos = before;
            break;
        }
        ++count;
    }
    if (count < 2)
        return false;
    // The date separator may also end the date ("31.12.").
    if (!loc.DateSeparator.empty() && loc.DateSeparator != " " &&
        sc.s.substr(sc.pos, loc.DateSeparator.size()) == loc.DateSeparator)
        sc.pos += loc.DateSeparator.size();
    int y = 0, m = 0, d = 0, yDigits = 0;
    const DateOrder order = OrderOf(loc.ShortDateFormat);
    if (count == 2) {
        y = CurrentYear();
        yDigits = 4;
        if (order == DateOrder::DMY) {
            d = n[0];
            m = n[1];
        } else {
            m = n[0];
            d = n[1];
        }
        if (digits[0] > 2 || digits[1] > 2)
            return false;
    } else {
        switch (order) {
        case DateOrder::MDY:
            m = n[0], d = n[1], y = n[2], yDigits = digits[2];
            break;
        case DateOrder::DMY:
            d = n[0], m = n[1], y = n[2], yDigits = digits[2];
            break;
        case DateOrder::YMD:
            y = n[0], m = n[1], d = n[2], yDigits = digits[0];
            break;
        }
        y = ExpandYear(y, yDigits, loc);
    }
    return TryEncodeDate(y, m, d, date);
}

bool ScanAmPm(Scanner& sc, int& half)
{
    for (const auto& [word, value] : {std::pair<std::string_view, int>{sc.loc.TimeAMString, 0},
                                      {sc.loc.TimePMString, 1},
                                      {"AM", 0},
                                      {"PM", 1},
                                      {"A", 0},
                                      {"P", 1}}) {
        if (sc.Word(word)) {
            half = value;
            return true;
        }
    }
    return false;
}

bool ScanTime(Scanner& sc, TDateTime& time)
{
    sc.SkipBlanks();
    int half = -1;
    if (ScanAmPm(sc, half))
        sc.SkipBlanks();
    int h = 0, m = 0, s = 0, ms = 0;
    if (sc.Number(h, 2) == 0)
        return false;
    const std::string_view sep = sc.loc.TimeSeparator.empty() ? std::string_view(":") : sc.loc.TimeSeparator;
    bool hasMinutes = false;
    if (sc.s.substr(sc.pos, sep.size()) == sep) {
        sc.pos += sep.size();
        if (sc.Number(m, 2) == 0)
            return false;
        hasMinutes = true;
        if (sc.s.substr(sc.pos, sep.size()) == sep) {
            sc.pos += sep.size();
            if (sc.Number(s, 2) == 0)
                return false;
            const std::string_view dec = sc.loc.DecimalSeparator;
            if (!dec.empty() && sc.s.substr(sc.pos, dec.size()) == dec) {
                sc.pos += dec.size();
                int digits = sc.Number(ms, 3);
                if (digits == 0)
                    return false;
                for (; digits < 3; ++digits)
                    ms *= 10;
            }
        }
    }
    sc.SkipBlanks();
    if (half < 0)
        ScanAmPm(sc, half);
    if (!hasMinutes && half < 0)
        return false; // a bare number is not a time
    if (half >= 0) {
        if (h < 1 || h > 12)
            return false;
        h = h % 12 + (half == 1 ? 12 : 0);
    }
    return TryEncodeTime(h, m, s, ms, time);
}

bool LooksLikeIso(std::string_view text)
{
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos || text.size() - b < 5)
        return false;
    for (size_t i = b; i < b + 4; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return text[b + 4] == '-';
}

std::string Shorten(std::string_view text)
{
    return text.size() <= 64 ? std::string(text) : std::string(text.substr(0, 61)) + "...";
}

} // namespace

std::string FormatDateTime(std::string_view format, TDateTime value, const TLocaleSettings& locale)
{
    TDateParts parts;
    if (!TryDecodeDateTime(value, parts))
        throw EConvertError(OutsideCalendarMessage(value));
    std::string out;
    Formatter(parts, value, locale).Format(format, out, 0);
    return out;
}

std::string DateToStr(TDateTime value, const TLocaleSettings& locale)
{
    return FormatDateTime("ddddd", value, locale);
}

std::string TimeToStr(TDateTime value, const TLocaleSettings& locale)
{
    return FormatDateTime("tt", value, locale);
}

std::string DateTimeToStr(TDateTime value, const TLocaleSettings& locale)
{
    return FormatDateTime("c", value, locale);
}

bool TryStrToDate(std::string_view text, TDateTime& value, const TLocaleSettings& locale)
{
    Scanner sc(text, locale);
    TDateTime date = 0;
    if (ScanDate(sc, date) && sc.AtEnd()) {
        value = date;
        return true;
    }
    if (LooksLikeIso(text)) {
        const auto iso = TryIsoStrToDateTime(text);
        if (iso && TimeOf(*iso) == 0) {
            value = *iso;
            return true;
        }
    }
    return false;
}

bool TryStrToTime(std::string_view text, TDateTime& value, const TLocaleSettings& locale)
{
    Scanner sc(text, locale);
    TDateTime time = 0;
    if (!ScanTime(sc, time) || !sc.AtEnd())
        return false;
    value = time;
    return true;
}

bool TryStrToDateTime(std::string_view text, TDateTime& value, const TLocaleSettings& locale)
{
    {
        Scanner sc(text, locale);
        TDateTime date = 0, time = 0;
        if (ScanDate(sc, date)) {
            if (sc.AtEnd()) {
                value = date;
                return true;
            }
            if (ScanTime(sc, time) && sc.AtEnd()) {
                value = CombineDateTime(date, time);
                return true;
            }
        }
    }
    if (TryStrToTime(text, value, locale))
        return true;
    if (LooksLikeIso(text)) {
        if (const auto iso = TryIsoStrToDateTime(text)) {
            value = *iso;
            return true;
        }
    }
    return false;
}

TDateTime StrToDate(std::string_view text, const TLocaleSettings& locale)
{
    TDateTime value = 0;
    if (!TryStrToDate(text, value, locale))
        throw EConvertError("'" + Shorten(text) + "' is not a valid date");
    return value;
}

TDateTime StrToDateTime(std::string_view text, const TLocaleSettings& locale)
{
    TDateTime value = 0;
    if (!TryStrToDateTime(text, value, locale))
        throw EConvertError("'" + Shorten(text) + "' is not a valid date and time");
    return value;
}
