#include "core/tools/decimalformat.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace quorel
