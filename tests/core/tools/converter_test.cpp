#include "core/tools/converter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace quorel {
namespace {

using D = ConversionDirection;

struct LineCase
{
    const char *name;
    std::optional<D> direction;
    int places;
    char separator;
    const char *input;
    const char *expected;
};

class ConvertLine : public testing::TestWithParam<LineCase>
{ };

TEST_P(ConvertLine, KeepsSeparatorsAndConvertsTokens)
{
    const auto &c = GetParam();
    const AngleConverter converter(c.direction, c.places, c.separator);
    EXPECT_EQ(converter.convertLine(c.input), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertLine,
    testing::Values(
        LineCase {"DegToGradComma", D::DegToGrad, 2, ',', "90;45", "100,00;50,00"},
        LineCase {"DegToGradPoint", D::DegToGrad, 2, '.', "90;45", "100.00;50.00"},
        LineCase {"RadToDegPi", D::RadToDeg, 4, '.', "3.14159265", "180.0000"},
        LineCase {"RadToDegCommaToken", D::RadToDeg, 4, '.', "1,5", "85.9437"},
        LineCase {"RadToDegPointTokenCommaLocale", D::RadToDeg, 4, ',', "1.5", "85,9437"},
        LineCase {"MinusSignIsCopied", D::DegToGrad, 2, '.', "-30", "-33.33"},
        LineCase {"LoneCommaInTextIsCopied", D::DegToRad, 2, '.', "a, b", "a, b"},
        LineCase {"TwoPointsDoNotParse", D::DegToRad, 3, '.', "1.2.3", "0.000"},
        LineCase {"PointThenCommaDoNotParse", D::DegToRad, 1, ',', "1.2,3", "0,0"},
        LineCase {"ExponentBelongsToTheNumber", D::RadToDeg, 2, '.', "1e2", "5729.58"},
        LineCase {"SignedExponents", D::DegToGrad, 1, '.', "9E+1 9e-1", "100.0 1.0"},
        LineCase {"ExponentWithCommaMantissa", D::GradToDeg, 0, ',', "1,5e2", "135"},
        LineCase {"BadNumberWithExponentIsZero", D::DegToRad, 1, '.', "1.2.3e2", "0.0"},
        LineCase {"HugeExponentCopied", D::RadToDeg, 2, '.', "1e99999 2", "1e99999 114.59"},
        LineCase {"LabelsStay", D::GradToDeg, 2, '.', "127 75 J2 weathered",
                  "114.30 67.50 J2 weathered"},
        LineCase {"PolishLetterIsALabel", D::DegToGrad, 0, '.', "\u017c2 \u00f39",
                  "\u017c2 \u00f39"},
        LineCase {"PunctuationInRemarkKept", D::RadToDeg, 2, '.', "persistent, > 3 m",
                  "persistent, > 171.89 m"},
        LineCase {"LettersAfterNumbersDoNotStopThem", D::GradToDeg, 1, '.', "61S 45N",
                  "54.9S 40.5N"},
        LineCase {"DataSeparatorsConvertBothNumbers", D::GradToDeg, 1, ',', "100/50;20\t10",
                  "90,0/45,0;18,0\t9,0"},
        LineCase {"ZeroPlacesWholeNumbers", D::GradToDeg, 0, ',', "100 50", "90 45"},
        LineCase {"GradToRad", D::GradToRad, 5, '.', "200", "3.14159"},
        LineCase {"DegToRad", D::DegToRad, 6, '.', "180", "3.141593"},
        LineCase {"RadToGrad", D::RadToGrad, 3, '.', "1", "63.662"},
        LineCase {"TrailingSeparatorToken", D::DegToGrad, 1, '.', "9.", "10.0"},
        LineCase {"LeadingSeparatorToken", D::DegToGrad, 1, '.', ".9", "1.0"},
        LineCase {"WholeDataLineKeepsRemark", D::GradToDeg, 1, '.', "100\t45 remark x2",
                  "90.0\t40.5 remark x2"},
        LineCase {"EmptyLine", D::DegToGrad, 2, '.', "", ""},
        LineCase {"NoNumbers", D::DegToGrad, 2, '.', "// comment", "// comment"},
        LineCase {"SameUnitOnlyRounds", std::nullopt, 1, ',', "12.345;7", "12,3;7,0"},
        LineCase {"NonAsciiBytesCopied", D::DegToGrad, 0, '.', "\xc5\x82 90", "\xc5\x82 100"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(AngleConverter, DegreeGradRoundTripThroughRadians)
{
    // The two-step path must give exact round numbers for the right angle in both directions.
    EXPECT_EQ(AngleConverter::convertValue(90.0L, D::DegToGrad),
              90.0L * 0.017453292519943295769L * 63.661977236758134305L);
    EXPECT_NEAR(static_cast<double>(AngleConverter::convertValue(100.0L, D::GradToDeg)), 90.0,
                1e-15);
}

TEST(AngleConverter, OverflowKeepsValueUnconverted)
{
    const long double huge = __LDBL_MAX__ / 2;
    EXPECT_EQ(AngleConverter::convertValue(huge, D::RadToGrad), huge);
}

TEST(AngleConverter, ParseTokenFailsToNullopt)
{
    const AngleConverter converter(D::DegToRad, 2, ',');
    EXPECT_FALSE(converter.parseToken(","));
    EXPECT_FALSE(converter.parseToken("..."));
    EXPECT_FALSE(converter.parseToken("1e99999"));
    ASSERT_TRUE(converter.parseToken("2,5E-1"));
    EXPECT_EQ(*converter.parseToken("2,5E-1"), 0.25L);
    ASSERT_TRUE(converter.parseToken("2.5"));
    EXPECT_EQ(*converter.parseToken("2.5"), 2.5L);
    EXPECT_EQ(*converter.parseToken("2,5"), 2.5L);
}

struct PlacesCase
{
    const char *name;
    const char *text;
    int expected;
};

class PlacesFromText : public testing::TestWithParam<PlacesCase>
{ };

TEST_P(PlacesFromText, FollowsTheIntegerTestAndRange)
{
    EXPECT_EQ(placesFromText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacesFromText,
    testing::Values(PlacesCase {"Empty", "", 2}, PlacesCase {"NotANumber", "abc", 2},
                    PlacesCase {"Fraction", "1.5", 2}, PlacesCase {"Four", "4", 4},
                    PlacesCase {"LeadingBlanks", "  7", 7}, PlacesCase {"Hex", "$A", 10},
                    PlacesCase {"AboveRange", "25", 20}, PlacesCase {"Negative", "-3", 0},
                    PlacesCase {"Zero", "0", 0}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(AngleUnits, NamesAndDirections)
{
    EXPECT_EQ(angleUnitFromName("DEG"), AngleUnit::Degree);
    EXPECT_EQ(angleUnitFromName("grad"), AngleUnit::Grad);
    EXPECT_EQ(angleUnitFromName("Rad"), AngleUnit::Radian);
    EXPECT_FALSE(angleUnitFromName("gon"));
    EXPECT_EQ(directionBetween(AngleUnit::Grad, AngleUnit::Radian), D::GradToRad);
    EXPECT_EQ(directionBetween(AngleUnit::Radian, AngleUnit::Degree), D::RadToDeg);
    EXPECT_FALSE(directionBetween(AngleUnit::Grad, AngleUnit::Grad));
}

TEST(ConvertText, SplitsLinesAndReportsProgress)
{
    const AngleConverter converter(D::GradToDeg, 0, '.');
    std::size_t calls = 0;
    const auto result =
        convertText("100\r\n200\n\r300\r\n", converter, [&](std::size_t done, std::size_t total) {
            EXPECT_EQ(done, calls);
            EXPECT_EQ(total, 4u);
            ++calls;
            return true;
        });
    EXPECT_FALSE(result.aborted);
    EXPECT_EQ(calls, 4u);
    EXPECT_EQ(result.lines, (std::vector<std::string> {"90", "180", "", "270"}));
}

TEST(ConvertText, AbortLeavesNoLines)
{
    const AngleConverter converter(D::GradToDeg, 0, '.');
    const auto result =
        convertText("1\n2\n3", converter, [](std::size_t done, std::size_t) { return done < 2; });
    EXPECT_TRUE(result.aborted);
    EXPECT_TRUE(result.lines.empty());
}

TEST(ConvertText, EmptyTextHasNoLines)
{
    const AngleConverter converter(D::GradToDeg, 0, '.');
    EXPECT_TRUE(convertText("", converter).lines.empty());
}

} // namespace
} // namespace quorel
