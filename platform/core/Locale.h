// The user's locale: how dates, times, numbers and amounts of money are written. Read
// from the desktop by the Qt back end, fixed in the headless one (m/d/yyyy with "/",
// Sunday first, "." decimals, "$"), and replaceable by tests. A change is told to the
// registered listeners; the window system then sends WM_SETTINGCHANGE to its top-level
// windows.
//
// Format letters follow the date-time formatting of DateFormat.h: d, dd, ddd, dddd for
// days, m, mm, mmm, mmmm for months (minutes after h), yy and yyyy, h, hh, n, nn, s, ss,
// "AMPM", "/" and ":" standing for the separators below.
#pragma once

#include <array>
#include <functional>
#include <string>

struct TLocaleSettings {
    std::string ShortDateFormat = "m/d/yyyy";
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    std::string DateSeparator = "/";
    std::string TimeSeparator = ":";
    std::string ShortTimeFormat = "h:nn AMPM";
    std::string LongTimeFormat = "h:nn:ss AMPM";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";

    std::string DecimalSeparator = ".";
    std::string ThousandSeparator = ",";
    std::string CurrencyString = "$";
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    int CurrencyFormat = 0;
    // 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$", 6 "1-$", 7 "1$-", 8 "-1 $",
    // 9 "-$ 1", 10 "1 $-", 11 "$ 1-", 12 "$ -1", 13 "1- $", 14 "($ 1)", 15 "(1 $)".
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;

    // January first; days Sunday first.
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                               "July",    "August",   "September", "October", "November", "December"};
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

    // 0 Sunday to 6 Saturday.
    int FirstDayOfWeek = 0;
    // A two-digit year is read as the year ending in those digits that lies within the
    // 100 years starting this many years before the current one; 0 reads it in the
    // current century.
    int TwoDigitYearCenturyWindow = 50;

    bool operator==(const TLocaleSettings&) const = default;
};

// The locale in force.
const TLocaleSettings& Locale();
// Replaces the locale; when it differs, every listener is told.
void SetLocale(const TLocaleSettings& settings);

// Listeners hear of every change of the locale, in the order they were added.
int AddLocaleListener(std::function<void()> listener);
void RemoveLocaleListener(int id);
