#include "core/tools/decimalformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace quorel {
namespace {

struct FormatCase
{
    const char *name;
    long double value;
    int places;
    char separator;
    const char *expected;
};

class FormatRounded : public testing::TestWithParam<FormatCase>
{ };

TEST_P(FormatRounded, WritesThePicture)
{
    const auto &c = GetParam();
    EXPECT_EQ(formatRounded(c.value, c.places, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatRounded,
    testing::Values(FormatCase {"TwoPlacesPoint", 100.0L, 2, '.', "100.00"},
                    FormatCase {"TwoPlacesComma", 50.0L, 2, ',', "50,00"},
                    FormatCase {"HalfGoesAwayFromZero", 0.125L, 2, '.', "0.13"},
                    FormatCase {"NegativeHalfAwayFromZero", -0.125L, 2, '.', "-0.13"},
                    FormatCase {"CarryIntoNewDigit", 359.96L, 1, '.', "360.0"},
                    FormatCase {"CarryThroughNines", 9.9996L, 3, '.', "10.000"},
                    FormatCase {"ZeroPlacesNoSeparator", 2.5L, 0, ',', "3"},
                    FormatCase {"ZeroPlacesRoundsDown", 2.49L, 0, '.', "2"},
                    FormatCase {"NegativePlacesAsZero", 7.6L, -3, '.', "8"},
                    FormatCase {"SmallValueLeadingZero", 0.06L, 1, '.', "0.1"},
                    FormatCase {"TinyRoundsToZero", 0.0004L, 2, '.', "0.00"},
                    FormatCase {"NegativeZeroHasNoSign", -0.001L, 2, '.', "0.00"},
                    FormatCase {"ZeroValue", 0.0L, 3, ',', "0,000"},
                    FormatCase {"BelowOneHalfToZeroPlaces", 0.4L, 0, '.', "0"},
                    FormatCase {"BelowOneRoundsUpToOne", 0.6L, 0, '.', "1"},
                    FormatCase {"BeyondEighteenDigitsAreZeros", 1.0L / 3.0L, 20, '.',
                                "0.33333333333333333300"},
                    FormatCase {"LargeValue", 123456789012.5L, 1, '.', "123456789012.5"},
                    FormatCase {"NotFiniteIsZero", __builtin_huge_vall(), 1, '.', "0.0"}),
    [](const auto &test) { return std::string(test.param.name); });

// The digits worked out without printf are printf's own: converted azimuths in every unit,
// random values of every magnitude the quick way takes, and values whose 19th digit is an
// exact half (rounded to even) or whose digits carry into a new one.
TEST(FormatRounded, QuickDigitsAreThoseOfPrintf)
{
    std::vector<long double> values = {12345678901234567.25L,
                                       12345678901234567.75L,
                                       1234567890123456.125L,
                                       1234567890123456.375L,
                                       99999999999999999.5L,
                                       0.99999999999999999995L,
                                       1e-18L,
                                       1.0L,
                                       0.1L,
                                       359.95L,
                                       400.0L / 3};
    std::mt19937_64 random(7);
    const long double factors[] = {0.017453292519943295769L, 57.295779513082320877L,
                                   0.015707963267948966192L * 57.295779513082320877L,
                                   0.017453292519943295769L * 63.661977236758134305L};
    for (int tenths = 0; tenths <= 3600; ++tenths)
        for (const long double factor : factors)
            values.push_back(static_cast<long double>(tenths) / 10 * factor);
    std::uniform_int_distribution<int> exponent(-62, 60);
    for (int i = 0; i < 100000; ++i)
        values.push_back(
            std::ldexp(static_cast<long double>(random() | (1ull << 63)), exponent(random) - 64));

    int quick = 0;
    for (const long double value : values) {
        std::string digits;
        int intDigits = 0;
        if (!detail::quickSignificantDigits(value, digits, intDigits))
            continue;
        ++quick;
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.17Le", value);
        const std::string text(expected);
        ASSERT_EQ(digits, text.substr(0, 1) + text.substr(2, 17)) << text;
        ASSERT_EQ(intDigits, std::stoi(text.substr(text.find('e') + 1)) + 1) << text;
    }
    EXPECT_GT(quick, 100000);
}

} // namespace
} // namespace quorel
