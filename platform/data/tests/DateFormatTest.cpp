// Dates and numbers in two fixed locales: m/d/yyyy with "/" and Sunday first, and
// dd.mm.yyyy with "." and Monday first.
#include "TestTables.h"

#include "platform/core/LocalClock.h"
#include "platform/data/DateFormat.h"
#include "platform/data/NumberFormat.h"
#include "platform/data/Table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TLocaleSettings American()
{
    return TLocaleSettings{};
}

TLocaleSettings German()
{
    TLocaleSettings l;
    l.ShortDateFormat = "dd.mm.yyyy";
    l.LongDateFormat = "dddd, d. mmmm yyyy";
    l.DateSeparator = ".";
    l.ShortTimeFormat = "hh:nn";
    l.LongTimeFormat = "hh:nn:ss";
    l.TimeAMString = "";
    l.TimePMString = "";
    l.DecimalSeparator = ",";
    l.ThousandSeparator = ".";
    l.CurrencyString = "\xE2\x82\xAC";
    l.CurrencyFormat = 3;
    l.NegCurrFormat = 8;
    l.ShortMonthNames = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    l.LongMonthNames = {"Januar", "Februar", "M\xC3\xA4rz", "April", "Mai", "Juni",
                        "Juli", "August", "September", "Oktober", "November", "Dezember"};
    l.ShortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    l.LongDayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    l.FirstDayOfWeek = 1;
    return l;
}

class DateFormatTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLocalClock([] { return EncodeDate(2025, 3, 10) + 0.5; });
    }
    void TearDown() override { SetLocalClock({}); }

    const TLocaleSettings us = American();
    const TLocaleSettings de = German();
};

TEST_F(DateFormatTest, FormatsInBothLocales)
{
    // Sunday, 1 June 2003, 14:05:09.007.
    const TDateTime v = CombineDateTime(EncodeDate(2003, 6, 1), EncodeTime(14, 5, 9, 7));
    struct Case {
        const char* format;
        const char* american;
        const char* german;
    };
    const Case cases[] = {
        {"d/m/yy", "1/6/03", "1.6.03"},
        {"dd/mm/yyyy", "01/06/2003", "01.06.2003"},
        {"ddd dddd", "Sun Sunday", "So Sonntag"},
        {"mmm mmmm", "Jun June", "Jun Juni"},
        {"DD/MM/YYYY", "01/06/2003", "01.06.2003"},
        {"h:n:s", "14:5:9", "14:5:9"},
        {"hh:nn:ss.zzz", "14:05:09.007", "14:05:09.007"},
        {"h:mm", "14:05", "14:05"},
        {"h am/pm", "2 pm", "2 pm"},
        {"hh AM/PM", "02 PM", "02 PM"},
        {"h a/p", "2 p", "2 p"},
        {"h:nn ampm", "2:05 PM", "2:05 "},
        {"'d' \"m\" d", "d m 1", "d m 1"},
        {"\"unclosed d", "unclosed d", "unclosed d"},
        {"ddddd", "6/1/2003", "01.06.2003"},
        {"dddddd", "Sunday, June 1, 2003", "Sonntag, 1. Juni 2003"},
        {"c", "6/1/2003 2:05:09 PM", "01.06.2003 14:05:09"},
        {"t", "2:05 PM", "14:05"},
        {"tt", "2:05:09 PM", "14:05:09"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDateTime(c.format, v, us), c.american) << c.format;
        EXPECT_EQ(FormatDateTime(c.format, v, de), c.german) << c.format;
    }
    EXPECT_EQ(DateTimeToStr(EncodeDate(2003, 6, 1), us), "6/1/2003") << "midnight shows no time";
    EXPECT_EQ(FormatDateTime("h AM/PM", EncodeTime(0, 30, 0), us), "12 AM");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", MinDateTime, us), "0001/01/01");
    EXPECT_EQ(DateToStr(-1.25, us), "12/29/1899");
    EXPECT_EQ(TimeToStr(-1.25, us), "6:00:00 AM");
}

TEST_F(DateFormatTest, NeverFormatsADateOutsideTheCalendar)
{
    for (double v : {-700000.0, MaxDateTime + 1, std::nan("")}) {
        EXPECT_THROW(DateToStr(v, us), EConvertError) << v;
        EXPECT_THROW(FormatDateTime("hh:nn", v, us), EConvertError) << v;
    }
}

TEST_F(DateFormatTest, AFormatThatNamesItselfEnds)
{
    TLocaleSettings loop = us;
    loop.ShortDateFormat = "ddddd";
    EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2003, 6, 1), loop), "");
}

// Expected: a date and time as "yyyy-mm-dd hh:nn", or "" for text that must be refused.
struct ParseCase {
    const char* text;
    const char* expected;
};

std::string Show(TDateTime v)
{
    return FormatDateTime("yyyy-mm-dd hh:nn", v, TLocaleSettings{});
}

void CheckParsing(const TLocaleSettings& locale, std::initializer_list<ParseCase> cases)
{
    for (const ParseCase& c : cases) {
        TDateTime v = 12345;
        const bool ok = TryStrToDateTime(c.text, v, locale);
        EXPECT_EQ(ok, *c.expected != 0) << "'" << c.text << "'";
        if (ok && *c.expected)
            EXPECT_EQ(Show(v), c.expected) << "'" << c.text << "'";
        if (!ok)
            EXPECT_EQ(v, 12345) << "a refused text leaves the value";
    }
}

TEST_F(DateFormatTest, ReadsAmericanDates)
{
    CheckParsing(us, {
        {"6/1/2003", "2003-06-01 00:00"},
        {"  6/1/2003  ", "2003-06-01 00:00"},
        {"6/1", "2025-06-01 00:00"},       // the current year
        {"6 1 2003", "2003-06-01 00:00"},  // blanks apart
        {"6/1/03", "2003-06-01 00:00"},
        {"6/1/74", "2074-06-01 00:00"},    // the window: 1975 to 2074
        {"6/1/75", "1975-06-01 00:00"},
        {"6/1/0", "2000-06-01 00:00"},
        {"6/1/0003", "0003-06-01 00:00"},  // four digits stand as they are
        {"2/29/2024", "2024-02-29 00:00"},
        {"6/1/2003 14:05", "2003-06-01 14:05"},
        {"6/1/2003 2:05 PM", "2003-06-01 14:05"},
        {"6/1/2003 2:05pm", "2003-06-01 14:05"},
        {"6/1/2003 12:00 AM", "2003-06-01 00:00"},
        {"6/1 14:05", "2025-06-01 14:05"},
        {"14:05", "1899-12-30 14:05"},     // a time alone
        {"2003-06-01 14:05", "2003-06-01 14:05"},
        {"12/29/1899 6:00", "1899-12-29 06:00"},
        {"1899-12-29 06:00", "1899-12-29 06:00"},
        {"13/1/2003", ""},
        {"2/29/2023", ""},
        {"6.1.2003", ""},
        {"6/1/2003 25:00", ""},
        {"6/1/2003 13:00 PM", ""},
        {"6/1/2003x", ""},
        {"6/1/2003 14", ""},
        {"99999/1/1", ""},
        {"6", ""},
        {"", ""},
        {"   ", ""},
        {"abc", ""},
        {"0/0/0", ""},
    });
    TDateTime v = 0;
    ASSERT_TRUE(TryStrToDateTime("12/29/1899 6:00", v, us));
    EXPECT_EQ(v, -1.25);
    EXPECT_TRUE(TryStrToDate("6/1/2003", v, us));
    EXPECT_FALSE(TryStrToDate("6/1/2003 14:05", v, us));
    EXPECT_TRUE(TryStrToTime("PM 2:05", v, us));
    EXPECT_DOUBLE_EQ(v, EncodeTime(14, 5, 0));
    EXPECT_FALSE(TryStrToTime("6/1/2003", v, us));
    EXPECT_THROW(StrToDate("31/12/2003", us), EConvertError);
}

TEST_F(DateFormatTest, ReadsGermanDates)
{
    CheckParsing(de, {
        {"01.06.2003", "2003-06-01 00:00"},
        {"1.6.", "2025-06-01 00:00"},
        {"1.6", "2025-06-01 00:00"},
        {"1.6.03", "2003-06-01 00:00"},
        {"1 6 2003", "2003-06-01 00:00"},
        {"01.06.2003 14:05:09", "2003-06-01 14:05"},
        {"31.12.1899", "1899-12-31 00:00"},
        {"6/1/2003", ""},
        {"32.1.2003", ""},
    });
}

TEST_F(DateFormatTest, AMegabyteOfTextIsRefusedQuickly)
{
    TDateTime v = 0;
    for (const std::string& text : {std::string(1 << 20, '1'), std::string(1 << 20, ' '), "1/1/" + std::string(1 << 20, '2'),
                                    std::string(1 << 20, '/'), "6/1/2003" + std::string(1 << 20, ' ') + "x"}) {
        EXPECT_FALSE(TryStrToDateTime(text, v, us));
        EXPECT_FALSE(TryStrToDate(text, v, us));
        EXPECT_FALSE(TryStrToTime(text, v, us));
    }
}

TEST_F(DateFormatTest, NumbersWithTheLocalesSeparators)
{
    struct Case {
        double value;
        TFloatFormat format;
        int precision, digits;
        const char* american;
        const char* german;
    };
    const Case cases[] = {
        {1.5, TFloatFormat::ffGeneral, 15, 0, "1.5", "1,5"},
        {1.0 / 3, TFloatFormat::ffGeneral, 15, 0, "0.333333333333333", "0,333333333333333"},
        {1e20, TFloatFormat::ffGeneral, 15, 0, "1E20", "1E20"},
        {-2.5e-5, TFloatFormat::ffGeneral, 15, 0, "-2.5E-5", "-2,5E-5"},
        {123.456, TFloatFormat::ffGeneral, 2, 0, "1.2E2", "1,2E2"},
        {0, TFloatFormat::ffGeneral, 15, 0, "0", "0"},
        {1234.5678, TFloatFormat::ffFixed, 15, 2, "1234.57", "1234,57"},
        {-0.001, TFloatFormat::ffFixed, 15, 2, "0.00", "0,00"},
        {1234567.5, TFloatFormat::ffNumber, 15, 1, "1,234,567.5", "1.234.567,5"},
        {-999.5, TFloatFormat::ffNumber, 15, 0, "-1,000", "-1.000"},
        {1234.5, TFloatFormat::ffCurrency, 15, 2, "$1,234.50", "1.234,50 \xE2\x82\xAC"},
        {-1234.5, TFloatFormat::ffCurrency, 15, 2, "($1,234.50)", "-1.234,50 \xE2\x82\xAC"},
        {1234.56, TFloatFormat::ffExponent, 4, 2, "1.235E+03", "1,235E+03"},
        {std::nan(""), TFloatFormat::ffFixed, 15, 2, "NAN", "NAN"},
        {-HUGE_VAL, TFloatFormat::ffGeneral, 15, 0, "-INF", "-INF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits, us), c.american) << c.value;
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits, de), c.german) << c.value;
    }
    EXPECT_EQ(FloatToStr(0.1 + 0.2, de), "0,3");

    struct Read {
        const char* text;
        bool american, german;
        double value;
    };
    for (const Read& r : {Read{"1.5", true, false, 1.5}, Read{"1,5", false, true, 1.5}, Read{" -2.5e3 ", true, false, -2500},
                          Read{"+7", true, true, 7}, Read{"5.", true, false, 5}, Read{",5", false, true, 0.5},
                          Read{"1e", false, false, 0}, Read{"1e999", false, false, 0}, Read{"inf", false, false, 0},
                          Read{"nan", false, false, 0}, Read{"", false, false, 0}, Read{".", false, false, 0},
                          Read{"1,234.5", false, false, 0}, Read{"--1", false, false, 0}}) {
        double v = -1;
        EXPECT_EQ(TryStrToFloat(r.text, v, us), r.american) << r.text;
        if (r.american)
            EXPECT_EQ(v, r.value) << r.text;
        v = -1;
        EXPECT_EQ(TryStrToFloat(r.text, v, de), r.german) << r.text;
        if (r.german)
            EXPECT_EQ(v, r.value) << r.text;
    }
}

TEST_F(DateFormatTest, AFloatFieldReadsBackTheTextItShows)
{
    TempDir dir;
    ExecSql(dir.File("T.DB"), "CREATE TABLE T (ID INTEGER PRIMARY KEY, F REAL); INSERT INTO T VALUES (1, 0.5);");
    TTable table;
    table.SetDatabaseName(dir.Path());
    table.SetTableName("T.DB");
    table.Open();
    table.Edit();
    TField* f = table.FieldByName("F");
    const TLocaleSettings before = Locale();
    SetLocale(de);
    f->SetAsFloat(2.25);
    EXPECT_EQ(f->DisplayText(), "2,25");
    f->SetAsString(f->DisplayText());
    EXPECT_EQ(f->AsFloat(), 2.25);
    f->SetAsString("3.5"); // the plain form is read as well
    EXPECT_EQ(f->AsFloat(), 3.5);
    EXPECT_TRUE(f->IsValidChar(','));
    SetLocale(before);
    EXPECT_EQ(f->DisplayText(), "3.5");
}

} // namespace
