// Calendar arithmetic, checked against the standard library's calendar, and the day
// convention before 1899-12-30.
#include "platform/core/LocalClock.h"
#include "platform/data/DatabaseError.h"
#include "platform/data/DateTime.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <limits>
#include <tuple>

namespace {

using namespace std::chrono;

TEST(Calendar, EveryDayOfTheYearsOneTo9999MatchesTheStandardCalendar)
{
    const sys_days epoch = sys_days(year{1899} / December / 30);
    int checked = 0;
    for (sys_days day = sys_days(year{1} / January / 1); day <= sys_days(year{9999} / December / 31); day += days{1}) {
        const year_month_day ymd(day);
        const int y = int(ymd.year()), m = int(unsigned(ymd.month())), d = int(unsigned(ymd.day()));
        const double expected = double((day - epoch).count());
        TDateTime encoded = 0;
        if (!TryEncodeDate(y, m, d, encoded) || encoded != expected) {
            ADD_FAILURE() << "encoding " << y << "-" << m << "-" << d << " gave " << encoded;
            break;
        }
        int dy = 0, dm = 0, dd = 0;
        // Also with a time of day: the day stays, on either side of day 0.
        if (!TryDecodeDate(CombineDateTime(expected, 0.75), dy, dm, dd) || dy != y || dm != m || dd != d) {
            ADD_FAILURE() << "decoding " << expected << " gave " << dy << "-" << dm << "-" << dd;
            break;
        }
        if (DayOfWeek(expected) != int(weekday(day).c_encoding()) + 1) {
            ADD_FAILURE() << "weekday of " << y << "-" << m << "-" << d;
            break;
        }
        if (d == 1 && (DaysInMonth(y, m) != int(unsigned((ymd.year() / ymd.month() / last).day())) ||
                       IsLeapYear(y) != ymd.year().is_leap())) {
            ADD_FAILURE() << "month length of " << y << "-" << m;
            break;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 3652059);
}

TEST(Calendar, OutsideTheYearsOneTo9999NothingIsADate)
{
    int y = 0, m = 0, d = 0;
    for (double v : {MinDateTime - 1, -700000.0, MaxDateTime + 1, 1e300, -1e300, std::nan(""),
                     std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(TryDecodeDate(v, y, m, d)) << v;
        EXPECT_FALSE(IsValidDateTime(v)) << v;
        EXPECT_THROW(DecodeDateTime(v), EVariantError) << v;
        EXPECT_THROW(DateToIsoStr(v), EVariantError) << v;
    }
    ASSERT_TRUE(TryDecodeDate(MinDateTime, y, m, d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 10101);
    ASSERT_TRUE(TryDecodeDate(MaxDateTime + 0.5, y, m, d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 99991231);
    TDateTime out = 0;
    for (auto [yy, mm, ddd] : {std::tuple{0, 1, 1}, {10000, 1, 1}, {2023, 2, 29}, {2024, 13, 1}, {2024, 4, 31}, {2024, 1, 0}})
        EXPECT_FALSE(TryEncodeDate(yy, mm, ddd, out)) << yy << "-" << mm << "-" << ddd;
    EXPECT_TRUE(TryEncodeDate(2024, 2, 29, out));
}

TEST(Calendar, TimesBeforeDayZeroRunForward)
{
    const TDateTime dec29 = EncodeDate(1899, 12, 29);
    EXPECT_EQ(CombineDateTime(dec29, EncodeTime(6, 0, 0)), -1.25);
    EXPECT_EQ(CombineDateTime(EncodeDate(1900, 1, 1), 0.25), 2.25);
    // The stored value reads back as it was written, on both sides of day 0.
    struct Case {
        int y, m, d, h, n;
    };
    for (const Case& c : {Case{1899, 12, 29, 6, 0}, Case{1899, 12, 30, 18, 0}, Case{1800, 3, 1, 23, 59},
                          Case{1, 1, 1, 12, 30}, Case{2024, 2, 29, 0, 1}}) {
        const TDateTime v = CombineDateTime(EncodeDate(c.y, c.m, c.d), EncodeTime(c.h, c.n, 0));
        const TDateParts p = DecodeDateTime(v);
        EXPECT_EQ((std::array{p.Year, p.Month, p.Day, p.Hour, p.Minute}), (std::array{c.y, c.m, c.d, c.h, c.n}))
            << v;
        EXPECT_NEAR(TimeOf(v), EncodeTime(c.h, c.n, 0), 1e-8) << v;
    }
    // A time that rounds up to midnight moves on to the next day, also before day 0.
    const TDateParts late = DecodeDateTime(CombineDateTime(dec29, 0.9999999999));
    EXPECT_EQ((std::array{late.Month, late.Day, late.Hour}), (std::array{12, 30, 0}));
    EXPECT_EQ(TryIsoStrToDateTime("1899-12-29 06:00"), -1.25);
    EXPECT_EQ(DateTimeToIsoStr(-1.25), "1899-12-29 06:00:00");
}

TEST(Calendar, IncMonthClampsTheDay)
{
    struct Case {
        int y, m, d, months, ey, em, ed;
    };
    for (const Case& c : {Case{2024, 1, 31, 1, 2024, 2, 29}, Case{2023, 1, 31, 1, 2023, 2, 28},
                          Case{2024, 3, 31, -1, 2024, 2, 29}, Case{2024, 12, 15, 1, 2025, 1, 15},
                          Case{2024, 1, 15, -13, 2022, 12, 15}, Case{2024, 5, 31, 0, 2024, 5, 31},
                          Case{1899, 12, 29, 1, 1900, 1, 29}}) {
        const TDateTime v = IncMonth(CombineDateTime(EncodeDate(c.y, c.m, c.d), 0.5), c.months);
        int y = 0, m = 0, d = 0;
        ASSERT_TRUE(TryDecodeDate(v, y, m, d));
        EXPECT_EQ((std::array{y, m, d}), (std::array{c.ey, c.em, c.ed})) << c.y << "-" << c.m << "-" << c.d << " " << c.months;
        EXPECT_DOUBLE_EQ(TimeOf(v), 0.5);
    }
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EVariantError);
    EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EVariantError);
    EXPECT_THROW(IncMonth(EncodeDate(2000, 1, 1), std::numeric_limits<int>::min()), EVariantError);
}

TEST(Calendar, NowAndDateComeFromTheInstalledClock)
{
    const TDateTime fixed = CombineDateTime(EncodeDate(2003, 6, 15), EncodeTime(13, 30, 0));
    SetLocalClock([fixed] { return fixed; });
    EXPECT_EQ(Now(), fixed);
    EXPECT_EQ(Date(), EncodeDate(2003, 6, 15));
    SetLocalClock({});
    EXPECT_NEAR(Now(), SystemLocalClockNow(), 1.0 / 86400);
}

} // namespace
