#include "core/util/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <optional>

namespace quorel {
namespace {

struct IntegerCase
{
    const char *name;
    const char *text;
    std::optional<std::int32_t> expected;
};

class ToInteger : public testing::TestWithParam<IntegerCase>
{ };

TEST_P(ToInteger, FollowsTheProgramsIntegerRules)
{
    EXPECT_EQ(toInteger(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
    // The test and the conversion must never disagree.
    EXPECT_EQ(isInteger(GetParam().text), GetParam().expected.has_value());
}

constexpr std::nullopt_t fails = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Decimal, ToInteger,
    testing::Values(
        IntegerCase {"Zero", "0", 0}, IntegerCase {"Plain", "460", 460},
        IntegerCase {"LeadingBlanks", "   460", 460},
        IntegerCase {"LeadingZeros", "0000000000000000000460", 460}, IntegerCase {"Plus", "+7", 7},
        IntegerCase {"Minus", "-7", -7}, IntegerCase {"Max", "2147483647", INT_MAX},
        IntegerCase {"Min", "-2147483648", INT_MIN}, IntegerCase {"AboveMax", "2147483648", fails},
        IntegerCase {"BelowMin", "-2147483649", fails},
        IntegerCase {"FarAbove", "99999999999999999999999", fails},
        IntegerCase {"Empty", "", fails}, IntegerCase {"Blank", "   ", fails},
        IntegerCase {"SignOnly", "-", fails}, IntegerCase {"TwoSigns", "+-1", fails},
        IntegerCase {"TrailingBlank", "460 ", fails}, IntegerCase {"InnerBlank", "4 60", fails},
        IntegerCase {"LeadingTab", "\t460", fails}, IntegerCase {"BlankAfterSign", "- 1", fails},
        IntegerCase {"TrailingLetters", "12x", fails}, IntegerCase {"Fraction", "1.0", fails},
        IntegerCase {"Exponent", "1e3", fails}),
    [](const testing::TestParamInfo<IntegerCase> &test) { return test.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, ToInteger,
    testing::Values(
        IntegerCase {"Dollar", "$FF", 255}, IntegerCase {"LowerCase", "$ff", 255},
        IntegerCase {"X", "xFF", 255}, IntegerCase {"CapitalX", "XFF", 255},
        IntegerCase {"ZeroX", "0x1F", 31}, IntegerCase {"ZeroCapitalX", "0X1F", 31},
        IntegerCase {"BlanksBefore", "  $10", 16}, IntegerCase {"Negative", "-$10", -16},
        // All 32 bits are the value: system colour 5 and white with its top bit.
        IntegerCase {"SystemColour", "$FF000005", static_cast<std::int32_t>(0xFF000005)},
        IntegerCase {"AllBits", "$FFFFFFFF", -1}, IntegerCase {"TopBit", "$80000000", INT_MIN},
        IntegerCase {"ThirtyThreeBits", "$100000000", fails},
        IntegerCase {"PrefixOnly", "$", fails}, IntegerCase {"ZeroXOnly", "0x", fails},
        IntegerCase {"XOnly", "x", fails}, IntegerCase {"NotHex", "$FG", fails},
        IntegerCase {"SignAfterPrefix", "$-1", fails}, IntegerCase {"DoublePrefix", "$$1", fails},
        IntegerCase {"TrailingBlank", "$FF ", fails}),
    [](const testing::TestParamInfo<IntegerCase> &test) { return test.param.name; });

struct FloatCase
{
    const char *name;
    const char *text;
    char separator;
    std::optional<double> expected;
};

class ToFloat : public testing::TestWithParam<FloatCase>
{ };

TEST_P(ToFloat, FollowsTheProgramsFloatRules)
{
    const auto &c = GetParam();
    const auto value = toFloat(c.text, c.separator);
    ASSERT_EQ(value.has_value(), c.expected.has_value()) << '"' << c.text << '"';
    if (value) {
        EXPECT_DOUBLE_EQ(*value, *c.expected) << '"' << c.text << '"';
    }
    EXPECT_EQ(isFloat(c.text, c.separator), c.expected.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ToFloat,
    testing::Values(
        FloatCase {"Integer", "45", '.', 45.0}, FloatCase {"Point", "12.5", '.', 12.5},
        FloatCase {"Comma", "12,5", ',', 12.5}, FloatCase {"CommaUnderPoint", "12,5", '.', fails},
        FloatCase {"PointUnderComma", "12.5", ',', fails},
        FloatCase {"Blanks", "  12.5  ", '.', 12.5}, FloatCase {"Tab", "\t12.5", '.', fails},
        FloatCase {"Plus", "+3", '.', 3.0}, FloatCase {"Minus", "-0.5", '.', -0.5},
        FloatCase {"NoIntegerPart", ".5", '.', 0.5},
        FloatCase {"NoIntegerPartComma", ",5", ',', 0.5}, FloatCase {"NoFraction", "5.", '.', 5.0},
        FloatCase {"SeparatorOnly", ".", '.', fails}, FloatCase {"SignOnly", "-", '.', fails},
        FloatCase {"Empty", "", '.', fails}, FloatCase {"Blank", "   ", '.', fails},
        FloatCase {"TwoSeparators", "1.2.3", '.', fails},
        FloatCase {"InnerBlank", "1 5", '.', fails}, FloatCase {"Letters", "12x", '.', fails},
        FloatCase {"Hex", "0x10", '.', fails}, FloatCase {"Inf", "inf", '.', fails},
        FloatCase {"NaN", "nan", '.', fails},
        FloatCase {"ManyDigits", "123456789012345678901234567890", '.', 1.2345678901234568e29}),
    [](const testing::TestParamInfo<FloatCase> &test) { return test.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Exponent, ToFloat,
    testing::Values(
        FloatCase {"Lower", "1e3", '.', 1000.0}, FloatCase {"Upper", "1E3", '.', 1000.0},
        FloatCase {"PlusSign", "1e+3", '.', 1000.0}, FloatCase {"Negative", "25e-1", '.', 2.5},
        FloatCase {"WithComma", "1,5e2", ',', 150.0},
        FloatCase {"AfterSeparator", "5.e1", '.', 50.0}, FloatCase {"NoDigits", "1e", '.', fails},
        FloatCase {"SignNoDigits", "1e-", '.', fails}, FloatCase {"NoMantissa", "e3", '.', fails},
        FloatCase {"SeparatorMantissa", ".e3", '.', fails},
        FloatCase {"FractionalExponent", "1e1.5", '.', fails},
        FloatCase {"Large", "1e300", '.', 1e300}, FloatCase {"TooLarge", "1e309", '.', fails},
        FloatCase {"TooLargeNegative", "-1e309", '.', fails},
        FloatCase {"HugeExponent", "1e99999999999", '.', fails},
        FloatCase {"Underflow", "1e-400", '.', 0.0}),
    [](const testing::TestParamInfo<FloatCase> &test) { return test.param.name; });

struct RoundCase
{
    const char *name;
    double value;
    int expected;
};

class Rounding : public testing::TestWithParam<RoundCase>
{ };

TEST_P(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(nearestInt(GetParam().value), GetParam().expected);
    if (std::isfinite(GetParam().value) && std::fabs(GetParam().value) < 1e9) {
        EXPECT_EQ(roundHalfEven(GetParam().value), GetParam().expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, Rounding,
    testing::Values(RoundCase {"TenAndAHalf", 10.5, 10}, RoundCase {"ElevenAndAHalf", 11.5, 12},
                    RoundCase {"TwoAndAHalf", 2.5, 2}, RoundCase {"MinusTwoAndAHalf", -2.5, -2},
                    RoundCase {"MinusThreeAndAHalf", -3.5, -4},
                    RoundCase {"JustBelowHalf", 0.49999999999999994, 0},
                    RoundCase {"JustAboveHalf", 0.5000000000000001, 1},
                    RoundCase {"MinusHalf", -0.5, 0}, RoundCase {"Azimuth", 359.6, 360},
                    // Values beyond int saturate instead of being undefined.
                    RoundCase {"Huge", 1e300, INT_MAX}, RoundCase {"HugeNegative", -1e300, INT_MIN},
                    RoundCase {"Infinity", std::numeric_limits<double>::infinity(), INT_MAX},
                    RoundCase {"NaN", std::numeric_limits<double>::quiet_NaN(), 0},
                    RoundCase {"JustAboveIntMax", 2147483648.0, INT_MAX},
                    RoundCase {"IntMin", -2147483648.0, INT_MIN}),
    [](const testing::TestParamInfo<RoundCase> &test) { return test.param.name; });

TEST(Rounding, LargeValuesStayUnchanged)
{
    EXPECT_EQ(roundHalfEven(1e300), 1e300);
    EXPECT_EQ(roundHalfEven(4503599627370497.0), 4503599627370497.0);
}

struct FixedCase
{
    const char *name;
    double value;
    int decimals;
    char separator;
    const char *expected;
};

class FormatFixed : public testing::TestWithParam<FixedCase>
{ };

TEST_P(FormatFixed, WritesTheFixedPicture)
{
    const auto &c = GetParam();
    EXPECT_EQ(formatFixed(c.value, c.decimals, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatFixed,
    testing::Values(FixedCase {"Point", 12.5, 4, '.', "12.5000"},
                    FixedCase {"Comma", 12.5, 4, ',', "12,5000"},
                    FixedCase {"Rounds", 359.99996, 4, '.', "360.0000"},
                    FixedCase {"Negative", -12.34567, 2, '.', "-12.35"},
                    FixedCase {"TinyNegativeIsZero", -0.00001, 4, '.', "0.0000"},
                    FixedCase {"NegativeZero", -0.0, 4, ',', "0,0000"},
                    FixedCase {"NegativeZeroNoDecimals", -0.2, 0, '.', "0"},
                    FixedCase {"NoDecimalsNoSeparator", 123.456, 0, ',', "123"},
                    FixedCase {"HalfToEvenAtZeroDecimals", 2.5, 0, '.', "2"},
                    FixedCase {"NegativeDecimalsMeanNone", 7.7, -3, '.', "8"},
                    FixedCase {"Zero", 0.0, 4, '.', "0.0000"}),
    [](const testing::TestParamInfo<FixedCase> &test) { return test.param.name; });

TEST(FormatFixed, HugeValuesAreWrittenInFull)
{
    // 1e308 has 309 integer digits; a fixed small buffer would lose it.
    const std::string text = formatFixed(1e308, 4, ',');
    ASSERT_EQ(text.size(), 309u + 5u);
    EXPECT_EQ(text.substr(0, 5), "10000");
    EXPECT_EQ(text.substr(309), ",0000");
    EXPECT_EQ(formatFixed(-1e308, 100, '.').size(), 1u + 309u + 101u);
}

struct TrigCase
{
    const char *name;
    long double degrees;
    long double sine;
    long double cosine;
};

class DegreeTrig : public testing::TestWithParam<TrigCase>
{ };

TEST_P(DegreeTrig, TakesDegrees)
{
    EXPECT_NEAR(static_cast<double>(sinDeg(GetParam().degrees)),
                static_cast<double>(GetParam().sine), 1e-15);
    EXPECT_NEAR(static_cast<double>(cosDeg(GetParam().degrees)),
                static_cast<double>(GetParam().cosine), 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, DegreeTrig,
    testing::Values(TrigCase {"Zero", 0, 0, 1}, TrigCase {"Thirty", 30, 0.5L, 0.86602540378443865L},
                    TrigCase {"Sixty", 60, 0.86602540378443865L, 0.5L},
                    TrigCase {"Ninety", 90, 1, 0}, TrigCase {"HalfTurn", 180, 0, -1},
                    TrigCase {"MinusNinety", -90, -1, 0}, TrigCase {"PastFullTurn", 450, 1, 0},
                    TrigCase {"SectorEdge", 10, 0.17364817766693035L, 0.98480775301220806L}),
    [](const testing::TestParamInfo<TrigCase> &test) { return test.param.name; });

} // namespace
} // namespace quorel
