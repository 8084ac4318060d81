#include "dborgchart/OcCompactValue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

// Values a key or order field can hold, at the edges of what fits in the word itself.
std::vector<Variant> SampleValues()
{
    const int64_t edge = int64_t(1) << 61;
    return {
        Variant::Null(),
        Variant(),
        Variant(0),
        Variant(1),
        Variant(-1),
        Variant(edge - 1),
        Variant(-edge),
        Variant(edge), // one beyond the word
        Variant(-edge - 1),
        Variant(std::numeric_limits<int64_t>::max()),
        Variant(std::numeric_limits<int64_t>::min()),
        Variant(22.5),
        Variant(true),
        Variant::FromDate(45000.25),
        Variant::FromCurrency(12.34),
        Variant(""),
        Variant("abc"),
        Variant(std::string(300, 'x')),
    };
}

TEST(CompactValueTest, EveryValueComesBackIdenticalThroughStoreCopyAndMove)
{
    for (const Variant& value : SampleValues()) {
        SCOPED_TRACE(value.AsString() + " of type " + Variant::TypeName(value.Type()));
        TzqOcCompactValue stored(value);
        EXPECT_TRUE(stored.Get().IsIdentical(value));
        EXPECT_EQ(stored.IsNull(), value.IsNull());
        EXPECT_EQ(stored.IsClear(), value.IsClear());

        TzqOcCompactValue copy(stored);
        EXPECT_TRUE(copy.Get().IsIdentical(value));
        TzqOcCompactValue moved(std::move(copy));
        EXPECT_TRUE(moved.Get().IsIdentical(value));

        TzqOcCompactValue assigned(Variant("something else, long enough to be held apart"));
        assigned = stored;
        EXPECT_TRUE(assigned.Get().IsIdentical(value));
        assigned = Variant(7);
        EXPECT_TRUE(assigned.Get().IsIdentical(Variant(7)));
        assigned = value;
        EXPECT_TRUE(assigned.Get().IsIdentical(value));
    }
}

TEST(CompactValueTest, OnlyWholeNumbersInSixtyTwoBitsAreKeptInTheWord)
{
    const int64_t edge = int64_t(1) << 61;
    struct Case {
        Variant Value;
        bool InWord;
    } cases[] = {
        {Variant(42), true},         {Variant(edge - 1), true}, {Variant(-edge), true},
        {Variant(edge), false},      {Variant(-edge - 1), false}, {Variant(42.0), false},
        {Variant("42"), false},      {Variant(true), false},      {Variant::Null(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value.AsString());
        int64_t inWord = 0;
        EXPECT_EQ(TzqOcCompactValue(c.Value).IsSmallInteger(inWord), c.InWord);
        if (c.InWord) {
            EXPECT_EQ(inWord, c.Value.RawInt());
        }
    }
}

} // namespace
