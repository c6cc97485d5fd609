#include "core/diagram/color.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorel;

namespace {

struct ParseCase
{
    const char *name;
    const char *text;
    Color expected;
};

class ColorParse : public testing::TestWithParam<ParseCase>
{ };

TEST_P(ColorParse, GivesTheColourValue)
{
    EXPECT_EQ(parseColor(GetParam().text), GetParam().expected) << GetParam().text;
}

const ParseCase parseCases[] = {
    {"BareName", "Red", 0x0000FF},
    {"LowerBareName", "red", 0x0000FF},
    {"Identifier", "clRed", 0x0000FF},
    {"UpperIdentifier", "CLRED", 0x0000FF},
    {"Decimal", "255", 0x0000FF},
    {"DollarHex", "$00FF0000", 0xFF0000},
    {"ZeroXHex", "0xFF", 0x0000FF},
    {"LeadingBlanksDecimal", "  255", 0x0000FF},
    {"SignedSystemWindow", "-16777211", clWindow},
    {"SignedSystemWindowText", "-16777208", clWindowText},
    {"HexSystemColour", "$FF00000F", clBtnFace},
    {"UnknownName", "Rose", clWindowText},
    {"UnknownIdentifier", "clRose", clWindowText},
    {"Empty", "", clWindowText},
    {"SingleLetter", "c", clWindowText},
    {"TrailingBlank", "clRed ", clWindowText},
    {"OutOfRangeDecimal", "4294967296", clWindowText},
    {"TwoFiftySixBits", "16777215", clWhite},
    {"MixedCaseSystem", "BTNFACE", clBtnFace},
    {"DigitIdentifier", "3ddkshadow", systemColor(21)},
    {"HotLightSkipsTwentyFive", "clHotLight", systemColor(26)},
    {"None", "clNone", clNone},
    {"DefaultWithoutPrefix", "Default", clDefault},
    {"MedGray", "clMedGray", 0xA4A0A0},
    {"Cream", "Cream", 0xF0FBFF},
    {"SkyBlue", "clskyblue", 0xF0CAA6},
    {"MoneyGreen", "clMoneyGreen", 0xC0DCC0},
};

INSTANTIATE_TEST_SUITE_P(Texts, ColorParse, testing::ValuesIn(parseCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(ColorIdentifiers, EveryIdentifierRoundTripsThroughTheParser)
{
    // Every identifier's value must come back to the same identifier, and the parser must map
    // the identifier (in any case) to that value; 52 in all.
    int count = 0;
    const Color candidates[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, 0xC0DCC0, 0xF0CAA6,
                                0xF0FBFF, 0xA4A0A0, clNone,   clDefault};
    for (Color color : candidates) {
        const auto name = colorIdentifier(color);
        ASSERT_FALSE(name.empty()) << std::hex << color;
        EXPECT_EQ(parseColor(name), color) << name;
        ++count;
    }
    for (int index = 0; index <= 30; ++index) {
        const auto name = colorIdentifier(systemColor(index));
        if (index == 25) {
            EXPECT_TRUE(name.empty());
            continue;
        }
        ASSERT_FALSE(name.empty()) << index;
        EXPECT_EQ(parseColor(name), systemColor(index)) << name;
        ++count;
    }
    EXPECT_EQ(count, 52); // 20 direct + 30 system + clNone + clDefault
    EXPECT_TRUE(colorIdentifier(0x123456).empty());
}

struct ResolveCase
{
    const char *name;
    Color color;
    Rgb expected;
};

class ColorResolve : public testing::TestWithParam<ResolveCase>
{ };

TEST_P(ColorResolve, ThroughTheClassicScheme)
{
    EXPECT_EQ(resolveColor(GetParam().color, classicSystemColors()), GetParam().expected);
}

const ResolveCase resolveCases[] = {
    {"DirectIsBlueGreenRed", 0x336699, Rgb {0x99, 0x66, 0x33}},
    {"Window", clWindow, Rgb {255, 255, 255}},
    {"WindowText", clWindowText, Rgb {0, 0, 0}},
    {"BtnFace", clBtnFace, Rgb {192, 192, 192}},
    {"Highlight", clHighlight, Rgb {0, 0, 128}},
    {"NoneIsWindow", clNone, Rgb {255, 255, 255}},
    {"DefaultIsWindowText", clDefault, Rgb {0, 0, 0}},
    {"SystemPastSchemeIsBlack", systemColor(200), Rgb {0, 0, 0}},
    {"OtherHighByteIgnored", 0x02FF0000, Rgb {0, 0, 255}},
};

INSTANTIATE_TEST_SUITE_P(Values, ColorResolve, testing::ValuesIn(resolveCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(ColorResolve, UsesTheCallersTable)
{
    SystemColorTable dark = classicSystemColors();
    dark[5] = Rgb {30, 30, 30};
    EXPECT_EQ(resolveColor(clWindow, dark), (Rgb {30, 30, 30}));
    EXPECT_EQ(resolveColor(clNone, dark), (Rgb {30, 30, 30}));
}

} // namespace
