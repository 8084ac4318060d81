#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/backend/qt/QtLocale.h"
#include "platform/core/LocalClock.h"
#include "platform/core/Locale.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

TEST(SettingChange, ALocaleChangeReachesEveryTopLevelWindow)
{
    THeadlessDriver driver;
    std::vector<std::pair<HWND, std::string>> heard;
    WNDCLASS wc;
    wc.lpszClassName = "Listening";
    wc.lpfnWndProc = [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_SETTINGCHANGE)
            heard.emplace_back(h, reinterpret_cast<const char*>(l));
        return DefWindowProc(h, m, w, l);
    };
    RegisterClass(wc);
    HWND a = CreateWindowEx(0, "Listening", "A", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr);
    HWND b = CreateWindowEx(0, "Listening", "B", WS_POPUP, 0, 0, 100, 100, nullptr);
    CreateWindowEx(0, "Listening", "", WS_CHILD, 0, 0, 10, 10, a); // children are not told

    TLocaleSettings changed = Locale();
    changed.ShortDateFormat = "dd.mm.yyyy";
    SetLocale(changed);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].second, "intl");
    EXPECT_TRUE((heard[0].first == a && heard[1].first == b) || (heard[0].first == b && heard[1].first == a));
    SetLocale(changed);
    EXPECT_EQ(heard.size(), 2u) << "no change, no message";
}

TEST(SettingChange, TheHeadlessBackEndFixesLocaleAndClock)
{
    TLocaleSettings odd;
    odd.DecimalSeparator = ",";
    SetLocale(odd);
    THeadlessDriver driver;
    EXPECT_EQ(Locale(), TLocaleSettings{});
    EXPECT_EQ(Locale().ShortDateFormat, "m/d/yyyy");
    EXPECT_EQ(Locale().FirstDayOfWeek, 0);
    const double start = LocalClockNow();
    EXPECT_NEAR(start, SystemLocalClockNow(), 1.0 / 24);
    EXPECT_EQ(LocalClockNow(), start) << "fixed";
    driver.Backend().SetNow(1000.5);
    EXPECT_EQ(LocalClockNow(), 1000.5);
}

// The desktop's locale in the platform's terms (format letters, separators, names).
// Relies on being the first use of the system locale in its process (ctest runs each
// case alone).
TEST(SettingChange, TheDesktopLocaleInThePlatformsTerms)
{
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    const TLocaleSettings de = DesktopLocale();
    EXPECT_EQ(de.ShortDateFormat, "dd.mm.yy");
    EXPECT_EQ(de.DateSeparator, ".");
    EXPECT_EQ(de.TimeSeparator, ":");
    EXPECT_EQ(de.ShortTimeFormat, "hh:nn");
    EXPECT_EQ(de.DecimalSeparator, ",");
    EXPECT_EQ(de.ThousandSeparator, ".");
    EXPECT_EQ(de.CurrencyString, "\xE2\x82\xAC");
    EXPECT_EQ(de.CurrencyFormat, 3);
    EXPECT_EQ(de.NegCurrFormat, 8);
    EXPECT_EQ(de.CurrencyDecimals, 2);
    EXPECT_EQ(de.LongMonthNames[2], "M\xC3\xA4rz");
    EXPECT_EQ(de.LongDayNames[0], "Sonntag");
    EXPECT_EQ(de.FirstDayOfWeek, 1);
}
