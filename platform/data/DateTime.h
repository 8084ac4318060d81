// Dates and times as the dataset layer keeps them: a day count (double) whose whole
// part counts days since 1899-12-30 and whose fraction is the time of day.
// Text forms are ISO 8601 ("2024-05-31", "2024-05-31 14:05:00", "14:05:00"), which
// is also how date columns are stored in table files, so the files read well.
#pragma once

#include <optional>
#include <string>
#include <string_view>

using TDateTime = double;

struct TDateParts {
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// Builds a date; throws EVariantError for an impossible date (month 13, 31 April...).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
TDateParts DecodeDateTime(TDateTime value);
bool IsValidDate(int year, int month, int day);

std::string DateToStr(TDateTime value);      // "YYYY-MM-DD"
std::string TimeToStr(TDateTime value);      // "HH:MM:SS" (".mmm" when milliseconds)
std::string DateTimeToStr(TDateTime value);  // date, then the time when it is not midnight

// Parses "YYYY-MM-DD", "YYYY-MM-DD HH:MM[:SS[.mmm]]" (also with 'T') or "HH:MM[:SS]".
// Surrounding spaces are allowed; anything else gives no value.
std::optional<TDateTime> TryStrToDateTime(std::string_view text);
