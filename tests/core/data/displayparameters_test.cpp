#include "core/data/displayparameters.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorel;

namespace {

// A parameter line applied to the first-run style, and the field it leaves, read back as the
// write-back would write it.
struct ApplyCase
{
    const char *name;
    const char *parameter;
    const char *value;
    const char *field;
    const char *expected;
};

const ApplyCase applyCases[] = {
    {"DiagWidthWhole", "DiagWidth", "500", "DiagWidth", "500"},
    {"DiagWidthKeepsTypedText", "DIAGWIDTH", " 500", "DiagWidth", " 500"},
    {"DiagWidthHexIsWhole", "diagwidth", "$1F4", "DiagWidth", "$1F4"},
    {"DiagWidthFractionIgnored", "DiagWidth", "5.5", "DiagWidth", "460"},
    {"DiagWidthEmptyIgnored", "DiagWidth", "", "DiagWidth", "460"},
    {"DiagWidthTooBigIgnored", "DiagWidth", "99999999999", "DiagWidth", "460"},
    {"DescText", "DescText", "a=b", "DescText", "a=b"},
    {"DescTextEmpty", "DescText", "", "DescText", ""},
    {"DescTextLeadingBlanksKept", "DescText", "  joints", "DescText", "  joints"},
    {"DescXWhole", "DescX", "15", "DescX", "15"},
    {"DescXLowerCaseName", "descx", "15", "DescX", "15"},
    {"DescXNotWhole", "DescX", "abc", "DescX", "0"},
    {"DescXShownAsNumber", "DescX", "$10", "DescX", "16"},
    {"DescXLeadingBlanks", "DescX", "  7", "DescX", "7"},
    {"DescXNegativeKept", "DescX", "-5", "DescX", "-5"},
    {"DescXBeyondBarRangeKept", "DescX", "5000", "DescX", "5000"},
    {"DescYWhole", "DescY", "40", "DescY", "40"},
    {"DescYFraction", "DESCY", "4.5", "DescY", "0"},
    {"FontNameEmptyIgnored", "DescFontName", "", "DescFontName", "Arial"},
    {"FontNameTaken", "DescFontName", "Courier New", "DescFontName", "Courier New"},
    {"FontNameAnyText", "DescFontName", " no such font", "DescFontName", " no such font"},
    {"FontSizeWhole", "DescFontSize", "12", "DescFontSize", "12"},
    {"FontSizeFraction", "DescFontSize", "12.5", "DescFontSize", "10"},
    {"FontSizeEmpty", "DescFontSize", "", "DescFontSize", "10"},
    {"FontColorName", "DescFontColor", "clRed", "DescFontColor", "255"},
    {"FontColorUnknown", "DescFontColor", "rose", "DescFontColor", "-16777208"},
    {"BoldYes", "DescFontBold", "yes", "DescFontBold", "True"},
    {"BoldPrawda", "DescFontBold", "Prawda", "DescFontBold", "True"},
    {"BoldOne", "DescFontBold", "1", "DescFontBold", "True"},
    {"BoldLeadingBlankIsFalse", "DescFontBold", " TRUE", "DescFontBold", "False"},
    {"BoldEmptyIsFalse", "DescFontBold", "", "DescFontBold", "False"},
    {"ItalicEnable", "DescFontItalic", "ENABLE", "DescFontItalic", "True"},
    {"UnderlineOn", "DescFontUnderline", "on", "DescFontUnderline", "True"},
    {"UnderlineZero", "DescFontUnderline", "0", "DescFontUnderline", "False"},
    {"MainStyleInList", "MLinesStyle", "3", "MLinesStyle", "3"},
    {"MainStyleLast", "MLinesStyle", "4", "MLinesStyle", "4"},
    {"MainStyleBeyondList", "MLinesStyle", "9", "MLinesStyle", "-1"},
    {"MainStyleJustBeyond", "MLinesStyle", "5", "MLinesStyle", "-1"},
    {"MainStyleNegative", "MLinesStyle", "-3", "MLinesStyle", "-1"},
    {"MainStyleNotWhole", "MLinesStyle", "dash", "MLinesStyle", "0"},
    {"SecondaryStyle", "SLinesStyle", "1", "SLinesStyle", "1"},
    {"SecondaryStyleNotWhole", "SLinesStyle", "", "SLinesStyle", "0"},
    {"FillStyleLast", "FillStyle", "6", "FillStyle", "6"},
    {"FillStyleBeyondList", "FillStyle", "7", "FillStyle", "-1"},
    {"FillStyleNotWhole", "FillStyle", "x", "FillStyle", "0"},
    {"BgColorName", "BgColor", "White", "BgColor", "16777215"},
    {"BgColorSystem", "BgColor", "-16777211", "BgColor", "-16777211"},
    {"BgColorHex", "BGCOLOR", "$0000FF00", "BgColor", "65280"},
    {"MainColor", "MLinesColor", "clNavy", "MLinesColor", "8388608"},
    {"SecondaryColor", "SLinesColor", "clMaroon", "SLinesColor", "128"},
    {"FillColor", "FillColor", "clGreen", "FillColor", "32768"},
    {"LabelColor", "FontColor", "clBlue", "FontColor", "16711680"},
    {"LabelColorUnknown", "FontColor", "", "FontColor", "-16777208"},
    {"PetalScaleArea", "PetalScale", "area", "PetalScale", "Area"},
    {"PetalScaleOtherIsCount", "PETALSCALE", " Area", "PetalScale", "Count"},
    {"AxialOne", "Axial", "1", "Axial", "1"},
    {"AxialTrueWord", "AXIAL", "True", "Axial", "1"},
    {"AxialZero", "Axial", "0", "Axial", "0"},
    {"AxialOtherText", "Axial", "orientations", "Axial", "0"},
    {"AzimuthStrike", "Azimuth", "Strike", "Azimuth", "Strike"},
    {"AzimuthUnknownKeptAsWritten", "AZIMUTH", "dip-dir", "Azimuth", "dip-dir"},
};

class ApplyParameter : public testing::TestWithParam<ApplyCase>
{ };

TEST_P(ApplyParameter, SetsTheFieldAsTheFormatSays)
{
    const ApplyCase &c = GetParam();
    DiagramStyle style = DiagramStyle::firstRun();
    EXPECT_TRUE(applyParameter(style, c.parameter, c.value));
    EXPECT_EQ(parameterText(style, c.field), c.expected);
    // Nothing else changes.
    DiagramStyle others = DiagramStyle::firstRun();
    for (const auto &[name, value] : styleParameters(style)) {
        if (name != c.field) {
            EXPECT_EQ(value, parameterText(others, name)) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, ApplyParameter, testing::ValuesIn(applyCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(ApplyParameter, NamesThatSetNothing)
{
    for (const char *name : {"Author", "VERSION", "DescX ", " DescX", "DescTextX", "", "Desc",
                             "BG COLOR", "D\xC9SCX"}) {
        DiagramStyle style = DiagramStyle::firstRun();
        EXPECT_FALSE(applyParameter(style, name, "5")) << name;
        EXPECT_EQ(style, DiagramStyle::firstRun()) << name;
    }
}

TEST(ApplyParameter, LastOccurrenceWins)
{
    DiagramStyle style;
    ASSERT_TRUE(applyParameter(style, "DescText", "first"));
    ASSERT_TRUE(applyParameter(style, "DESCTEXT", "second"));
    EXPECT_EQ(style.descriptionText, "second");
}

TEST(StyleParameters, WriteBackOrderAndRoundTrip)
{
    DiagramStyle style = DiagramStyle::defaults();
    style.descriptionText = "Joints, quarry N";
    style.descriptionX = "120";
    style.descriptionY = "35";
    style.descriptionFontName = "Verdana";
    style.descriptionFontSize = "14";
    style.descriptionBold = true;
    style.descriptionUnderline = true;
    style.mainLineStyle = noSelection;
    style.secondaryLineStyle = 3;
    style.fillStyle = 6;
    style.fillColor = rgbColor(1, 2, 3);
    style.diagramSize = "640";
    style.backgroundColor = clWhite;

    const auto pairs = styleParameters(style);
    ASSERT_EQ(pairs.size(), 18u);
    EXPECT_EQ(pairs.front().first, "DescText");
    EXPECT_EQ(pairs.back().first, "BgColor");
    EXPECT_EQ(pairs[11].first, "MLinesStyle");
    EXPECT_EQ(pairs[11].second, "-1");
    EXPECT_EQ(pairs[13].second, "197121");

    // What is written reads back as the same style.
    DiagramStyle read = DiagramStyle::firstRun();
    for (const auto &[name, value] : pairs)
        EXPECT_TRUE(applyParameter(read, name, value)) << name;
    EXPECT_EQ(read, style);
}

TEST(ParameterText, UnknownNameGivesEmptyText)
{
    EXPECT_EQ(parameterText(DiagramStyle {}, "Author"), "");
    EXPECT_EQ(parameterText(DiagramStyle {}, "bgcolor"), "-16777211");
}

TEST(DisplayParameter, OptionalLineWrittenOnlyWhenNotDefault)
{
    const DisplayParameter *descriptionText = findDisplayParameter("desctext");
    ASSERT_NE(descriptionText, nullptr);
    DisplayParameter optional = *descriptionText;
    optional.rule = WriteRule::UnlessDefault;
    DiagramStyle style = DiagramStyle::firstRun();
    EXPECT_TRUE(isWritten(*descriptionText, style));
    EXPECT_FALSE(isWritten(optional, style));
    style.descriptionText = "Joints";
    EXPECT_TRUE(isWritten(optional, style));
}

TEST(DisplayParameter, AxialIsWrittenOnlyWhenOnAndReadAsOffWithoutItsLine)
{
    DiagramStyle style = DiagramStyle::firstRun();
    EXPECT_EQ(styleParameters(style).size(), 18u);
    style.axial = true;
    const auto pairs = styleParameters(style);
    ASSERT_EQ(pairs.size(), 19u);
    EXPECT_EQ(pairs.back(), (std::pair<std::string_view, std::string> {"Axial", "1"}));
    // A file is read from the defaults of the lines it may leave out; nothing else changes.
    DiagramStyle reset = style;
    reset.descriptionText = "kept";
    resetOptionalParameters(reset);
    EXPECT_FALSE(reset.axial);
    EXPECT_EQ(reset.descriptionText, "kept");
}

TEST(DisplayParameter, AzimuthMeansTheDipDirectionUnlessItSaysStrikeOrTrend)
{
    DiagramStyle style = DiagramStyle::firstRun();
    EXPECT_EQ(style.azimuthMeaning(), AzimuthMeaning::DipDirection);
    EXPECT_TRUE(styleParameters(style).back().first != "Azimuth"); // not written by default
    for (const auto &[value, meaning] : {std::pair {"trend", AzimuthMeaning::Trend},
                                         {"STRIKE", AzimuthMeaning::Strike},
                                         {"Strike ", AzimuthMeaning::DipDirection},
                                         {"", AzimuthMeaning::DipDirection}}) {
        applyParameter(style, "Azimuth", value);
        EXPECT_EQ(style.azimuthMeaning(), meaning) << value;
    }
    resetOptionalParameters(style);
    EXPECT_EQ(style.azimuth, "DipDirection");
}

} // namespace
