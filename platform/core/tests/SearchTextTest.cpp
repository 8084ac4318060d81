#include "platform/core/SearchText.h"

#include <gtest/gtest.h>

TEST(SearchTextTest, CaseAndAccentsDoNotMatterInAnyScript)
{
    struct Case {
        const char* Pattern;
        const char* Text;
        bool Found;
    } cases[] = {
        {"jose", "JOSÉ MARÍA", true},
        {"José", "jose maria", true},
        {"MARIA", "José María", true},
        {"strasse", "Hauptstraße 5", true},
        {"ÅNGSTRÖM", "angstrom", true},
        {"ΣΟΦΊΑ", "σοφια", true},        // Greek, final sigma and tonos
        {"иван", "ИВАН ПЕТРОВ", true},    // Cyrillic
        {"ﬁnance", "Finance", true},     // a ligature decomposes
        {"sales", "Head of Sales", true},
        {"salez", "Head of Sales", false},
        {"é", "e", true},
        {"e", "é", true},
        {"ab", "a", false},
        {"", "anything", true},
        {"x", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Pattern) + " in " + c.Text);
        EXPECT_EQ(TSearchText(c.Pattern).FoundIn(c.Text), c.Found);
    }
}

TEST(SearchTextTest, APatternOfOnlyMarksIsEmptyAndMalformedBytesDoNotThrow)
{
    EXPECT_TRUE(TSearchText("\xCC\x81").Empty()); // a lone combining acute accent
    EXPECT_TRUE(TSearchText("").Empty());
    EXPECT_FALSE(TSearchText("a").Empty());
    EXPECT_FALSE(TSearchText("abc").FoundIn("\xFF\xFE broken"));
    EXPECT_TRUE(TSearchText("broken").FoundIn("\xFF\xFE broken"));
}
