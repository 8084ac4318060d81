// Dates and times written and read the way the user's locale does (platform/core/Locale.h).
//
// FormatDateTime letters (either case; runs of a letter choose the form):
//   d  day 1-31      dd  01-31      ddd  short day name   dddd  long day name
//   ddddd  the short date format    dddddd  the long date format
//   m  month 1-12    mm  01-12      mmm  short month name mmmm  long month name
//      (m and mm right after an hour mean minutes)
//   yy  two-digit year              yyyy  four-digit year
//   h  hour 0-23     hh  00-23      (1-12 when the format holds an am/pm part)
//   n, nn minutes    s, ss seconds  z, zzz milliseconds
//   t  the short time format        tt  the long time format
//   c  the short date format, then the long time format unless the time is midnight
//   am/pm  "am" or "pm" in the letters' case    a/p  "a" or "p"
//   ampm  the locale's AM or PM text
//   /  the date separator           :  the time separator
//   "text" or 'text' copied as it stands; any other character too.
#pragma once

#include "platform/core/Locale.h"
#include "platform/data/ConvertError.h"
#include "platform/data/DateTime.h"

#include <string>
#include <string_view>

// Throws EConvertError for a value outside the years 1 to 9999.
std::string FormatDateTime(std::string_view format, TDateTime value, const TLocaleSettings& locale = Locale());
std::string DateToStr(TDateTime value, const TLocaleSettings& locale = Locale());
std::string TimeToStr(TDateTime value, const TLocaleSettings& locale = Locale());
std::string DateTimeToStr(TDateTime value, const TLocaleSettings& locale = Locale());

// Reading: the fields of a date stand in the order of the short date format, apart by
// the date separator or by blanks; without a year the current one is taken; a year of
// one or two digits is placed by the two-digit-year window. A time is hours, minutes and
// seconds apart by the time separator, with the AM or PM text before or after it.
// Text in ISO 8601 form ("2024-05-31 14:05") is read as well.
bool TryStrToDate(std::string_view text, TDateTime& value, const TLocaleSettings& locale = Locale());
bool TryStrToTime(std::string_view text, TDateTime& value, const TLocaleSettings& locale = Locale());
// A date optionally followed by a time, or a time alone (day 0).
bool TryStrToDateTime(std::string_view text, TDateTime& value, const TLocaleSettings& locale = Locale());
// The same, throwing EConvertError naming the text.
TDateTime StrToDate(std::string_view text, const TLocaleSettings& locale = Locale());
TDateTime StrToDateTime(std::string_view text, const TLocaleSettings& locale = Locale());
