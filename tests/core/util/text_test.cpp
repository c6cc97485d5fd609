#include "core/util/text.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

struct TrimCase
{
    const char *name;
    std::string text;
    std::string expected;
};

class TrimControl : public testing::TestWithParam<TrimCase>
{ };

TEST_P(TrimControl, DropsBytesUpToCode32AtBothEnds)
{
    EXPECT_EQ(trimControl(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TrimControl,
    testing::Values(TrimCase {"Nothing", "45", "45"}, TrimCase {"Blanks", "  45  ", "45"},
                    TrimCase {"TabsAndCr", "\t45\r", "45"},
                    TrimCase {"NulAndControls", std::string("\0\x01 45\x1F\0", 7), "45"},
                    TrimCase {"InnerKept", " 45 \t dip ", "45 \t dip"},
                    TrimCase {"AllBlank", " \t\r\n", ""}, TrimCase {"Empty", "", ""},
                    // Bytes above 127 are text (Windows-1250 letters), never trimmed.
                    TrimCase {"HighBytesKept",
                              "\xA0"
                              "45\xB3",
                              "\xA0"
                              "45\xB3"},
                    TrimCase {"DeleteKept",
                              "\x7F"
                              "45",
                              "\x7F"
                              "45"}),
    [](const testing::TestParamInfo<TrimCase> &test) { return test.param.name; });

TEST(CaseFolding, OnlyAsciiLettersChange)
{
    EXPECT_EQ(upperAscii("DiagWidth=460"), "DIAGWIDTH=460");
    // Windows-1250 "ąę" and UTF-8 "ł" stay as they are.
    EXPECT_EQ(upperAscii("a\xB9\xEA"
                         "b\xC5\x82"),
              "A\xB9\xEA"
              "B\xC5\x82");
    EXPECT_EQ(upperAscii(""), "");
    EXPECT_EQ(upperAscii("`az{"), "`AZ{"); // the neighbours of a and z
}

struct CompareCase
{
    const char *name;
    const char *a;
    const char *b;
    bool equal;
    bool startsWith;
};

class CompareIgnoringCase : public testing::TestWithParam<CompareCase>
{ };

TEST_P(CompareIgnoringCase, FoldsAToZOnly)
{
    const auto &c = GetParam();
    EXPECT_EQ(equalsIgnoreCaseAscii(c.a, c.b), c.equal);
    EXPECT_EQ(startsWithIgnoreCaseAscii(c.a, c.b), c.startsWith);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, CompareIgnoringCase,
    testing::Values(CompareCase {"Same", "FillColor", "FillColor", true, true},
                    CompareCase {"MixedCase", "fillcolor", "FILLCOLOR", true, true},
                    CompareCase {"Prefix", "DescText=abc", "desctext", false, true},
                    CompareCase {"LongerPrefix", "Desc", "DescText", false, false},
                    CompareCase {"EmptyPrefix", "x", "", false, true},
                    CompareCase {"BothEmpty", "", "", true, true},
                    // '@' and '`' differ from 'A'/'a' by 32 too, but are not letters.
                    CompareCase {"NotLetters", "@", "`", false, false},
                    CompareCase {"HighBytes", "\xA5", "\xB9", false, false}),
    [](const testing::TestParamInfo<CompareCase> &test) { return test.param.name; });

TEST(BoolText, WritesTrueAndFalse)
{
    EXPECT_EQ(boolToText(true), "True");
    EXPECT_EQ(boolToText(false), "False");
}

struct BoolCase
{
    const char *name;
    const char *text;
    bool expected;
};

class TextToBool : public testing::TestWithParam<BoolCase>
{ };

TEST_P(TextToBool, AcceptsSixWordsInAnyCase)
{
    EXPECT_EQ(textToBool(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Words, TextToBool,
    testing::Values(BoolCase {"One", "1", true}, BoolCase {"True", "TRUE", true},
                    BoolCase {"LowerTrue", "true", true}, BoolCase {"MixedTrue", "tRuE", true},
                    BoolCase {"Yes", "yes", true}, BoolCase {"Prawda", "Prawda", true},
                    BoolCase {"On", "On", true}, BoolCase {"Enable", "ENABLE", true},
                    BoolCase {"WrittenTrue", "True", true}, BoolCase {"Zero", "0", false},
                    BoolCase {"False", "False", false}, BoolCase {"Empty", "", false},
                    BoolCase {"LeadingBlanks", "  TRUE", false},
                    BoolCase {"TrailingBlank", "TRUE ", false}, BoolCase {"Two", "2", false},
                    BoolCase {"Enabled", "ENABLED", false}, BoolCase {"Y", "Y", false},
                    BoolCase {"Tak", "TAK", false}, BoolCase {"PrefixOfTrue", "TRU", false}),
    [](const testing::TestParamInfo<BoolCase> &test) { return test.param.name; });

struct Utf8Case
{
    const char *name;
    std::string bytes;
    bool valid;
};

class ValidUtf8 : public testing::TestWithParam<Utf8Case>
{ };

TEST_P(ValidUtf8, AcceptsOnlyWellFormedText)
{
    EXPECT_EQ(isValidUtf8(GetParam().bytes), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ValidUtf8,
    testing::Values(
        Utf8Case {"Ascii", "45 joint", true}, Utf8Case {"Empty", "", true},
        Utf8Case {"PolishLetters", "\xC5\x82\xC4\x85ka", true},
        Utf8Case {"Degree", "45\xC2\xB0", true}, Utf8Case {"ThreeBytes", "\xE2\x82\xAC", true},
        Utf8Case {"FourBytes", "\xF0\x9F\x98\x80", true},
        Utf8Case {"LastCodePoint", "\xF4\x8F\xBF\xBF", true},
        Utf8Case {"Windows1250", "\xB3\xB9ka", false}, Utf8Case {"TruncatedAtEnd", "ab\xC5", false},
        Utf8Case {"MissingContinuation",
                  "\xE2\x82"
                  "A",
                  false},
        Utf8Case {"LoneContinuation", "\x80", false}, Utf8Case {"OverlongSlash", "\xC0\xAF", false},
        Utf8Case {"OverlongThree", "\xE0\x80\xAF", false},
        Utf8Case {"OverlongFour", "\xF0\x80\x80\xAF", false},
        Utf8Case {"Surrogate", "\xED\xA0\x80", false},
        Utf8Case {"BeyondUnicode", "\xF4\x90\x80\x80", false},
        Utf8Case {"FiveByteLead", "\xF8\x88\x80\x80\x80", false}, Utf8Case {"Ff", "\xFF", false}),
    [](const testing::TestParamInfo<Utf8Case> &test) { return test.param.name; });

struct DisplayCase
{
    const char *name;
    std::string bytes;
    std::string shown;
};

class DisplayText : public testing::TestWithParam<DisplayCase>
{ };

TEST_P(DisplayText, ShowsUtf8AsItIsAndOtherBytesAsWindows1250)
{
    EXPECT_EQ(displayText(GetParam().bytes), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DisplayText,
    testing::Values(DisplayCase {"Ascii", "45\tjoint", "45\tjoint"},
                    DisplayCase {"Utf8Unchanged", "\xC5\x82\xC4\x85ka", "\xC5\x82\xC4\x85ka"},
                    // l-stroke, a-ogonek, e-ogonek, z-dot, s-acute, capital L-stroke.
                    DisplayCase {"PolishLetters", "\xB3\xB9\xEA\xBF\x9C\xA3",
                                 "\xC5\x82\xC4\x85\xC4\x99\xC5\xBC\xC5\x9B\xC5\x81"},
                    DisplayCase {"EuroAndQuotes", "\x80\x84\x94",
                                 "\xE2\x82\xAC\xE2\x80\x9E\xE2\x80\x9D"},
                    DisplayCase {"Degree", "45\xB0", "45\xC2\xB0"},
                    DisplayCase {"UndefinedByte",
                                 "a\x81"
                                 "b",
                                 "a\xEF\xBF\xBD"
                                 "b"},
                    DisplayCase {"NoBreakSpace", "\xA0", "\xC2\xA0"}),
    [](const testing::TestParamInfo<DisplayCase> &test) { return test.param.name; });

} // namespace
} // namespace quorel
