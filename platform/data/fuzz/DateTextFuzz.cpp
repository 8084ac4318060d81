// Reading dates and times on any text, in two locales: a text is refused or read as a
// date of the years 1 to 9999, and the date written back in the locale reads back the
// same to the second.
#include "platform/core/LocalClock.h"
#include "platform/data/DateFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

TLocaleSettings Dotted()
{
    TLocaleSettings l;
    l.ShortDateFormat = "dd.mm.yyyy";
    l.DateSeparator = ".";
    l.LongTimeFormat = "hh:nn:ss";
    l.DecimalSeparator = ",";
    l.FirstDayOfWeek = 1;
    return l;
}

void Check(std::string_view text, const TLocaleSettings& locale)
{
    TDateTime v = 0;
    if (!TryStrToDateTime(text, v, locale))
        return;
    if (!IsValidDateTime(v))
        std::abort();
    const std::string shown = FormatDateTime("ddddd hh:nn:ss", v, locale);
    TDateTime back = 0;
    if (!TryStrToDateTime(shown, back, locale))
        std::abort();
    const TDateParts a = DecodeDateTime(v), b = DecodeDateTime(back);
    if (a.Year != b.Year || a.Month != b.Month || a.Day != b.Day || a.Hour != b.Hour || a.Minute != b.Minute ||
        a.Second != b.Second)
        std::abort();
    TDateTime date = 0, time = 0;
    if (TryStrToDate(text, date, locale) && (date != std::trunc(date) || !IsValidDateTime(date)))
        std::abort();
    if (TryStrToTime(text, time, locale) && (time < 0 || time >= 1))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SetLocalClock([] { return 45000.5; }); // 2023-03-15, so that the year window is fixed
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(text, TLocaleSettings{});
    Check(text, Dotted());
    return 0;
}
