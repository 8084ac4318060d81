#include "platform/data/DatabaseError.h"
#include "platform/data/Variant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
const Variant kNull = Variant::Null();
const Variant kEmpty = Variant::Unassigned();
} // namespace

TEST(Variant, ComparisonsFollowTheKeyRulesAcrossTypes)
{
    struct Case {
        const char* what;
        Variant a, b;
        bool equal, greater, greaterOrEqual;
    };
    const Case cases[] = {
        {"null equals null", kNull, kNull, true, false, true},
        {"null below an integer", kNull, Variant(0), false, false, false},
        {"integer above null", Variant(-5), kNull, false, true, true},
        {"null below a string", kNull, Variant(""), false, false, false},
        {"string above null", Variant(""), kNull, false, true, true},
        {"unassigned against null", kEmpty, kNull, false, false, false},
        {"unassigned against itself", kEmpty, kEmpty, false, false, false},
        {"integer against unassigned", Variant(1), kEmpty, false, false, false},
        {"integers", Variant(3), Variant(2), false, true, true},
        {"integer equals float", Variant(2), Variant(2.0), true, false, true},
        {"float between integers", Variant(2.5), Variant(3), false, false, false},
        {"currency equals float", Variant::FromCurrency(1.5), Variant(1.5), true, false, true},
        {"currency above integer", Variant::FromCurrency(2.0001), Variant(2), false, true, true},
        {"date against number", Variant::FromDate(45000), Variant(44999.5), false, true, true},
        {"large integers stay exact", Variant(int64_t(9007199254740993)), Variant(9007199254740992.0), false, true, true},
        {"strings by code value", Variant("b"), Variant("a"), false, true, true},
        {"case matters: 'a' above 'B'", Variant("a"), Variant("B"), false, true, true},
        {"a prefix is smaller", Variant("ab"), Variant("abc"), false, false, false},
        {"code points beyond ASCII", Variant("\xC3\xA9"), Variant("z"), false, true, true},
        {"numeric string against integer", Variant("10"), Variant(9), false, true, true},
        {"integer against numeric string", Variant(10), Variant(" 10 "), true, false, true},
        {"not-a-number string cannot compare", Variant("ten"), Variant(10), false, false, false},
        {"number against bad string cannot compare", Variant(10), Variant("ten"), false, false, false},
        {"numeric strings compare as strings", Variant("10"), Variant("9"), false, false, false},
        {"NaN cannot compare", Variant(std::nan("")), Variant(1), false, false, false},
        {"Boolean is numeric", Variant(true), Variant(1), true, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VarEquals(c.a, c.b), c.equal) << c.what;
        EXPECT_EQ(VarGreater(c.a, c.b), c.greater) << c.what;
        EXPECT_EQ(VarGreaterOrEqual(c.a, c.b), c.greaterOrEqual) << c.what;
    }
}

TEST(Variant, TotalOrderSortsMixedKeysConsistently)
{
    std::vector<Variant> keys = {Variant("b"), Variant(2), kNull, Variant("10"), Variant(1.5), kEmpty,
                                 Variant::FromCurrency(1.25), Variant("a"), Variant(-7)};
    std::sort(keys.begin(), keys.end(), [](const Variant& x, const Variant& y) { return VarCompareTotal(x, y) < 0; });
    std::vector<std::string> shown;
    for (const Variant& v : keys) {
        std::ostringstream os;
        os << v;
        shown.push_back(os.str());
    }
    const std::vector<std::string> expected = {"Empty",         "Null",       "Integer(-7)", "Currency(1.25)", "Double(1.5)",
                                               "Integer(2)",    "String(10)", "String(a)",   "String(b)"};
    EXPECT_EQ(shown, expected);
    // Antisymmetric and reflexive where the comparison rules say equal.
    EXPECT_EQ(VarCompareTotal(Variant(2), Variant(2.0)), 0);
    EXPECT_LT(VarCompareTotal(Variant(std::nan("")), Variant(-1e300)), 0);
}

TEST(Variant, ConversionsAndTheirFailures)
{
    EXPECT_EQ(Variant(2.5).AsInteger(), 3);
    EXPECT_EQ(Variant(-2.5).AsInteger(), -3);
    EXPECT_EQ(Variant::FromCurrency(2.5).AsInteger(), 3);
    EXPECT_EQ(Variant(" 42 ").AsInteger(), 42);
    EXPECT_EQ(Variant("1e3").AsInteger(), 1000);
    EXPECT_EQ(kEmpty.AsInteger(), 0);
    EXPECT_DOUBLE_EQ(Variant("0.25").AsFloat(), 0.25);
    EXPECT_EQ(Variant(3.0).AsString(), "3");
    EXPECT_EQ(Variant(0.1).AsString(), "0.1");
    EXPECT_EQ(Variant::FromCurrency(-12.3456).AsString(), "-12.3456");
    EXPECT_EQ(Variant::FromDate(EncodeDate(2024, 2, 29)).AsString(), "2024-02-29");
    EXPECT_EQ(Variant("2024-02-29").AsDateTime(), EncodeDate(2024, 2, 29));
    EXPECT_EQ(kNull.AsString(), "");
    EXPECT_TRUE(Variant("yes").AsBoolean());
    EXPECT_FALSE(Variant("0").AsBoolean());

    EXPECT_THROW(kNull.AsInteger(), EVariantError);
    EXPECT_THROW(Variant("twelve").AsInteger(), EVariantError);
    EXPECT_THROW(Variant(1e30).AsInteger(), EVariantError);
    EXPECT_THROW(Variant("2024-02-30").AsDateTime(), EVariantError);
    try {
        Variant("abc").AsFloat();
        FAIL() << "no error";
    } catch (const EVariantError& e) {
        EXPECT_STREQ(e.what(), "Could not convert variant of type (String) into type (Double): 'abc'.");
    }
}

TEST(DateTime, EncodesDecodesAndParsesIsoText)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    const TDateTime t = EncodeDate(2023, 7, 14) + EncodeTime(13, 45, 30);
    EXPECT_EQ(DateTimeToIsoStr(t), "2023-07-14 13:45:30");
    EXPECT_EQ(TryIsoStrToDateTime("2023-07-14T13:45:30").value(), t);
    EXPECT_EQ(TimeToIsoStr(EncodeTime(0, 0, 1, 5)), "00:00:01.005");
    const TDateParts p = DecodeDateTime(EncodeDate(1600, 3, 1));
    EXPECT_EQ(p.Year * 10000 + p.Month * 100 + p.Day, 16000301);
    for (const char* bad : {"", "2023-13-01", "2023-02-29", "23-01-01", "2023-01-01 25:00", "2023-01-01x", "12:60"})
        EXPECT_FALSE(TryIsoStrToDateTime(bad).has_value()) << bad;
    EXPECT_THROW(EncodeDate(2023, 4, 31), EVariantError);
}
