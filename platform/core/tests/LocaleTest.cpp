#include "platform/core/Locale.h"
#include "platform/core/TextCompare.h"
#include "platform/core/Utf8.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Locale, ListenersHearOfRealChangesOnly)
{
    const TLocaleSettings before = Locale();
    std::vector<std::string> heard;
    const int first = AddLocaleListener([&] { heard.push_back("first " + Locale().DecimalSeparator); });
    int second = 0;
    second = AddLocaleListener([&] {
        heard.push_back("second");
        RemoveLocaleListener(second); // a listener may leave while being told
    });
    TLocaleSettings comma = before;
    comma.DecimalSeparator = ",";
    SetLocale(comma);
    SetLocale(comma); // no change: nobody is told
    SetLocale(before);
    RemoveLocaleListener(first);
    SetLocale(comma);
    SetLocale(before);
    EXPECT_EQ(heard, (std::vector<std::string>{"first ,", "second", "first ."}));
}

TEST(TextCompare, IgnoresCaseThroughTheOneFolding)
{
    struct Case {
        const char* a;
        const char* b;
        int compare;
    };
    const Case cases[] = {
        {"Bar0", "BAR0", 0},
        {"\xC3\x84rger", "\xC3\xA4RGER", 0},          // Ärger, äRGER
        {"\xD0\x9C\xD0\xB8\xD1\x80", "\xD0\xBC\xD0\x98\xD0\xA0", 0}, // Мир, мИР
        {"abc", "ABD", -1},
        {"b", "A", 1},
        {"ab", "A", 1},
        {"\xFF", "\xFE", 1},       // broken bytes stay apart
        {"a\xFF", "A\xFF", 0},
        {"", "", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareText(c.a, c.b), c.compare) << c.a << " / " << c.b;
        EXPECT_EQ(SameText(c.a, c.b), c.compare == 0) << c.a << " / " << c.b;
    }
    EXPECT_TRUE(StartsText("main", "MainForm.Bar0"));
    EXPECT_TRUE(StartsText("\xC3\xA4", "\xC3\x84rger"));
    EXPECT_TRUE(StartsText("", "x"));
    EXPECT_FALSE(StartsText("MainForm.", "MainForm"));
    EXPECT_EQ(Utf8ToLower("A\xFF\xC3"), "a\xFF\xC3") << "malformed bytes are kept";
    EXPECT_EQ(Utf8ToUpper("\xCF\x8A"), "\xCE\xAA");
}
