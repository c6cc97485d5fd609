#include "core/stereonet/dipreader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

using namespace quorel;

namespace {

struct DipCase
{
    const char *name;
    const char *line; // trimmed
    char separator;
    std::optional<double> dip;
};

const DipCase dipCases[] = {
    {"Slash", "45/30", '.', 30},
    {"Semicolon", "45;30", '.', 30},
    {"Tab", "45\t30", '.', 30},
    {"Blank", "45 30", '.', 30},
    {"BlankBeforeTheSlash", "45 /30", '.', 30},
    {"BlanksAfterTheSlash", "45/  30", '.', 30},
    {"RemarkAfterTheDip", "45/30 SE bedding", '.', 30},
    {"SecondSlashEndsTheDip", "45/30/7", '.', 30},
    {"DecimalComma", "45/30,5", '.', 30.5},
    {"DecimalPointUnderCommaLocale", "45/30.5", ',', 30.5},
    {"Exponent", "45/1e1", '.', 10},
    {"Vertical", "45/90", '.', 90},
    {"NegativeZero", "45/-0", '.', 0},
    {"QuadrantLetter", "45/61S", '.', std::nullopt},
    {"Steeper Than Vertical", "45/90.5", '.', std::nullopt},
    {"Negative", "45/-1", '.', std::nullopt},
    {"LoneAzimuth", "45", '.', std::nullopt},
    {"LoneAzimuthWithDecimalComma", "45,5", '.', std::nullopt},
    {"NothingAfterTheSeparator", "45/", '.', std::nullopt},
    {"SlashWinsOverAnEarlierBlank", "45 x/30", '.', 30},
    {"TwoDecimalMarks", "45/30.5,2", ',', std::nullopt},
};

class DipOfLine : public testing::TestWithParam<DipCase>
{ };

TEST_P(DipOfLine, ReadsTheFieldAfterTheAzimuth)
{
    const DipCase &c = GetParam();
    const std::optional<double> dip = dipOfLine(c.line, c.separator);
    ASSERT_EQ(dip.has_value(), c.dip.has_value());
    if (dip) {
        EXPECT_DOUBLE_EQ(*dip, *c.dip);
        EXPECT_FALSE(std::signbit(*dip));
    }
}

INSTANTIATE_TEST_SUITE_P(Dips, DipOfLine, testing::ValuesIn(dipCases), [](const auto &test) {
    std::string name = test.param.name;
    std::erase(name, ' ');
    return name;
});

TEST(ReadDips, KeepsFileLinesAndListsMeasurementsWithoutADip)
{
    const std::string bytes = "# planes\r\n"
                              "120/40\r\n"
                              "\r\n"
                              "not a number/30\r\n"
                              "400/20\r\n"
                              "61/61S\r\n"
                              ";Azimuth=Strike\r\n"
                              "//10/10\r\n"
                              "30";
    DiagramStyle style;
    const DipReading reading = readDips(bytes, '.', &style);
    ASSERT_EQ(reading.measurements.size(), 2u);
    EXPECT_EQ(reading.measurements[0].line, 2u);
    EXPECT_EQ(reading.measurements[0].azimuth, 120);
    EXPECT_EQ(reading.measurements[0].dip, 40);
    EXPECT_EQ(reading.measurements[1].line, 5u);
    EXPECT_EQ(reading.measurements[1].azimuth, 40); // as the rose reads it
    EXPECT_EQ(reading.withoutDip, (std::vector<std::size_t> {6, 9}));
    EXPECT_EQ(style.azimuthMeaning(), AzimuthMeaning::Strike);
}

} // namespace
