// Dates and times as the dataset layer keeps them: a day count (double) whose whole
// part counts days since 1899-12-30 and whose fraction is the time of day. Before that
// day the whole part counts back while the time of day stays a positive fraction:
// 1899-12-29 06:00 is -1.25 (day -1, a quarter of a day), not -0.75.
// Only the years 1 to 9999 are dates; everything here refuses or reports the others.
//
// The ISO 8601 text forms ("2024-05-31", "2024-05-31 14:05:00", "14:05:00") are how date
// columns are stored in table files; the locale's forms are in DateFormat.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

using TDateTime = double;

struct TDateParts {
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// ---- Calendar ----
bool IsLeapYear(int year);
// 0 for a month outside 1 to 12.
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
// 1 Sunday to 7 Saturday.
int DayOfWeek(TDateTime value);

// The first and last day that are dates (0001-01-01 and 9999-12-31).
constexpr TDateTime MinDateTime = -693593;
constexpr TDateTime MaxDateTime = 2958465;
// True when the day of `value` lies in the years 1 to 9999.
bool IsValidDateTime(TDateTime value);
// The message of the errors that refuse a value outside the calendar.
std::string OutsideCalendarMessage(TDateTime value);

// ---- Encoding and decoding ----
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
// Throws EVariantError for an impossible date (month 13, 31 April, year 0...).
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& out);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
// A day plus a time of day, both as their own values: the time moves forward in time
// also on the negative days before 1899-12-30.
TDateTime CombineDateTime(TDateTime date, TDateTime time);
// The day alone and the time of day alone (always 0 <= time < 1).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// False (and the parts untouched) outside the years 1 to 9999 and for NaN or infinity.
bool TryDecodeDate(TDateTime value, int& year, int& month, int& day);
bool TryDecodeDateTime(TDateTime value, TDateParts& parts);
// Throws EVariantError outside the years 1 to 9999.
TDateParts DecodeDateTime(TDateTime value);

// The same day `months` months later (or earlier), the day clamped to the month's length;
// the time of day is kept. Throws EVariantError when the result leaves the years 1 to 9999.
TDateTime IncMonth(TDateTime value, int months = 1);

// ---- The clock ----
// The current local date and time, and today; from the platform's clock (fixed at start
// in the headless back end).
TDateTime Now();
TDateTime Date();

// ---- ISO 8601 text (table files) ----
// Each throws EVariantError for a value outside the years 1 to 9999.
std::string DateToIsoStr(TDateTime value);     // "YYYY-MM-DD"
std::string TimeToIsoStr(TDateTime value);     // "HH:MM:SS" (".mmm" when milliseconds)
std::string DateTimeToIsoStr(TDateTime value); // date, then the time when it is not midnight

// Parses "YYYY-MM-DD", "YYYY-MM-DD HH:MM[:SS[.mmm]]" (also with 'T') or "HH:MM[:SS]".
// Surrounding spaces are allowed; anything else gives no value.
std::optional<TDateTime> TryIsoStrToDateTime(std::string_view text);
