#include "core/data/lineclassifier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace quorel;

namespace {

// One trimmed-line case, with what it gives under a decimal point and under a decimal comma.
// For a measurement `point`/`comma` is the stored text, for an invalid line the quoted text.
struct LineCase
{
    const char *name;
    std::string line;
    LineKind kind;
    std::string point;
    std::string comma;
    double degrees = 0;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.name;
}

const char *kindName(LineKind kind)
{
    switch (kind) {
    case LineKind::Empty:
        return "Empty";
    case LineKind::Comment:
        return "Comment";
    case LineKind::Parameter:
        return "Parameter";
    case LineKind::Measurement:
        return "Measurement";
    case LineKind::Invalid:
        return "Invalid";
    }
    return "?";
}

const LineCase lineCases[] = {
    // Lines that are skipped.
    {"EmptyLine", "", LineKind::Empty, "", ""},
    {"BlanksAndTabsOnly", " \t  \t", LineKind::Empty, "", ""},
    {"ControlBytesOnly", "\x01\x1f \x7f", LineKind::Invalid, "\x7f", "\x7f"},
    {"DoubleSlashComment", "//12", LineKind::Comment, "", ""},
    {"HashComment", "#12", LineKind::Comment, "", ""},
    {"IndentedHashComment", "  \t# 12 remarks", LineKind::Comment, "", ""},
    {"SemicolonWithoutEquals", ";12 remarks", LineKind::Comment, "", ""},
    {"LoneSemicolon", " ; ", LineKind::Comment, "", ""},
    // Separators, in priority order, and the whole-line exception.
    {"SemicolonSeparates", "45;30", LineKind::Measurement, "45", "45", 45},
    {"SlashSeparates", "45/30", LineKind::Measurement, "45", "45", 45},
    {"BackslashSeparates", "45\\30", LineKind::Measurement, "45", "45", 45},
    {"BlankSeparates", "45 30", LineKind::Measurement, "45", "45", 45},
    {"TabSeparates", "45\t30", LineKind::Measurement, "45", "45", 45},
    {"RemarksIgnored", "45\t30 NE joint, wet", LineKind::Measurement, "45", "45", 45},
    {"RemarkSlashWinsOverTab", "45\t30 see /notes", LineKind::Invalid, "45\t30 see ",
     "45\t30 see "},
    {"SlashBeatsLeftmostBlank", "12 5/40", LineKind::Invalid, "12 5", "12 5"},
    {"SemicolonBeatsLeftmostTab", "12\t5;40", LineKind::Invalid, "12\t5", "12\t5"},
    {"FieldKeepsItsBlank", "45 /30", LineKind::Measurement, "45 ", "45 ", 45},
    {"SingleSlashAtStart", "/12", LineKind::Invalid, "", ""},
    {"WholeLineWithComma", "45,5", LineKind::Measurement, "45.5", "45,5", 45.5},
    {"WholeLineWithPoint", "45.5", LineKind::Measurement, "45.5", "45,5", 45.5},
    {"CommaIsNeverASeparator", "45,5 30", LineKind::Measurement, "45.5", "45,5", 45.5},
    {"CommaBeforeSlash", "12,5/3", LineKind::Measurement, "12.5", "12,5", 12.5},
    // Only the first "." and then the first "," are replaced.
    {"TwoPointsInField", "1.5.5 3", LineKind::Invalid, "1.5.5", "1,5.5"},
    {"ThousandsGroupingWithoutSeparator", "1,234.5", LineKind::Invalid, "1,234.5", "1,234.5"},
    {"GroupingQuotedAfterReplacement", "1,234.5 20", LineKind::Invalid, "1.234.5", "1,234,5"},
    // Typed texts kept exactly in 0..360.
    {"ExponentKept", "1e2", LineKind::Measurement, "1e2", "1e2", 100},
    {"UpperExponentKept", "3.6E+2", LineKind::Measurement, "3.6E+2", "3,6E+2", 360},
    {"LeadingZerosKept", "0045.50", LineKind::Measurement, "0045.50", "0045,50", 45.5},
    {"PlusSignKept", "+10", LineKind::Measurement, "+10", "+10", 10},
    {"NegativeZeroKept", "-0", LineKind::Measurement, "-0", "-0", 0},
    {"Zero", "0", LineKind::Measurement, "0", "0", 0},
    {"ThreeSixtyKept", "360", LineKind::Measurement, "360", "360", 360},
    {"SurroundingBlanksTrimmed", "  \t12\r  ", LineKind::Measurement, "12", "12", 12},
    // Values outside 0..360, reduced and written with four decimals.
    {"AboveFullCircle", "400", LineKind::Measurement, "40.0000", "40,0000", 40},
    {"TwoFullCircles", "720", LineKind::Measurement, "360.0000", "360,0000", 360},
    {"JustAbove360", "360.00001", LineKind::Measurement, "0.0000", "0,0000", 0.00001},
    {"MinusFullCircle", "-360", LineKind::Measurement, "0.0000", "0,0000", 0},
    {"JustBelowZero", "-0.00001", LineKind::Measurement, "360.0000", "360,0000", 359.99999},
    {"NegativeFraction", "-20.568762", LineKind::Measurement, "339.4312", "339,4312", 339.431238},
    {"NegativeTiny", "-1e-300", LineKind::Measurement, "360.0000", "360,0000", 360},
    {"NegativeWholeCircles", "-720.5", LineKind::Measurement, "359.5000", "359,5000", 359.5},
    // Texts that are not numbers.
    {"Letters", "abc", LineKind::Invalid, "abc", "abc"},
    {"TrailingLetter", "12x", LineKind::Invalid, "12x", "12x"},
    {"TrailingLetterBeforeSeparator", "12x 5", LineKind::Invalid, "12x", "12x"},
    {"OverflowingExponent", "1e999", LineKind::Invalid, "1e999", "1e999"},
    {"ExponentWithoutDigits", "12e", LineKind::Invalid, "12e", "12e"},
    {"SignOnly", "- 5", LineKind::Invalid, "-", "-"},
    {"ByteOrderMarkStaysInLine",
     "\xEF\xBB\xBF"
     "45",
     LineKind::Invalid,
     "\xEF\xBB\xBF"
     "45",
     "\xEF\xBB\xBF"
     "45"},
    {"InfinityWord", "inf", LineKind::Invalid, "inf", "inf"},
    {"NotANumberWord", "nan 4", LineKind::Invalid, "nan", "nan"},
    {"HexIsNotAnAzimuth", "0x10", LineKind::Invalid, "0x10", "0x10"},
};

class ClassifyLine : public testing::TestWithParam<std::tuple<LineCase, char>>
{ };

TEST_P(ClassifyLine, GivesKindAndText)
{
    const auto &[c, separator] = GetParam();
    LineClassifier classifier(separator);
    const ClassifiedLine result = classifier.classify(c.line);
    const std::string &expected = separator == '.' ? c.point : c.comma;
    ASSERT_STREQ(kindName(result.kind), kindName(c.kind));
    if (c.kind == LineKind::Measurement) {
        EXPECT_EQ(result.azimuth, expected);
        EXPECT_NEAR(result.degrees, c.degrees, 1e-9);
        EXPECT_GE(result.degrees, 0);
        EXPECT_LE(result.degrees, 360);
    } else if (c.kind == LineKind::Invalid) {
        EXPECT_EQ(result.offending, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, ClassifyLine,
                         testing::Combine(testing::ValuesIn(lineCases), testing::Values('.', ',')),
                         [](const auto &test) {
                             return std::string(std::get<0>(test.param).name)
                                 + (std::get<1>(test.param) == '.' ? "_Point" : "_Comma");
                         });

// A parameter line's name and value.
struct ParameterCase
{
    const char *name;
    const char *line;
    const char *expectedName;
    const char *expectedValue;
};

const ParameterCase parameterCases[] = {
    {"Plain", ";DescX=15", "DescX", "15"},
    {"BlanksAfterSemicolon", "; descx=15", "descx", "15"},
    {"BlankBeforeEqualsStaysInName", ";DescX =15", "DescX ", "15"},
    {"FurtherEqualsInValue", ";DescText=a=b", "DescText", "a=b"},
    {"EmptyValue", ";DescText=", "DescText", ""},
    {"BlanksAfterEqualsKept", ";DescText=   hello", "DescText", "   hello"},
    {"TrailingBlanksTrimmed", ";DescText=hello  \t", "DescText", "hello"},
    {"EmptyName", ";=5", "", "5"},
    {"SeparatorCharsInValue", ";DescText=12/5;4", "DescText", "12/5;4"},
    {"IndentedLine", "\t ;Author=jan", "Author", "jan"},
};

class ClassifyParameter : public testing::TestWithParam<ParameterCase>
{ };

TEST_P(ClassifyParameter, SplitsNameAndValue)
{
    for (char separator : {'.', ','}) {
        LineClassifier classifier(separator);
        const ClassifiedLine result = classifier.classify(GetParam().line);
        ASSERT_EQ(result.kind, LineKind::Parameter);
        EXPECT_EQ(result.name, GetParam().expectedName);
        EXPECT_EQ(result.value, GetParam().expectedValue);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, ClassifyParameter, testing::ValuesIn(parameterCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(ClassifyNormalisation, HugeValuesEndAndStayInRange)
{
    LineClassifier classifier('.');
    for (const char *line : {"1e300", "-1e300", "1.7976931348623157e308", "123456789012345678"}) {
        const ClassifiedLine result = classifier.classify(line);
        ASSERT_EQ(result.kind, LineKind::Measurement) << line;
        EXPECT_TRUE(result.normalised) << line;
        EXPECT_GE(result.degrees, 0) << line;
        EXPECT_LE(result.degrees, 360) << line;
        EXPECT_EQ(result.azimuth.find('-'), std::string_view::npos) << line;
        EXPECT_EQ(result.azimuth.size() - result.azimuth.find('.'), 5u) << line;
    }
}

TEST(ClassifyNormalisation, NeverWritesNegativeZero)
{
    LineClassifier classifier(',');
    for (const char *line : {"-360", "-720", "-1080", "720.00001", "-0.000001e-5"}) {
        const ClassifiedLine result = classifier.classify(line);
        ASSERT_EQ(result.kind, LineKind::Measurement) << line;
        EXPECT_NE(result.azimuth.substr(0, 1), "-") << line;
    }
}

TEST(ClassifyNormalisation, OnlyValuesOutsideTheCircleAreNormalised)
{
    LineClassifier classifier('.');
    EXPECT_FALSE(classifier.classify("360").normalised);
    EXPECT_FALSE(classifier.classify("0").normalised);
    EXPECT_TRUE(classifier.classify("360.0001").normalised);
    EXPECT_TRUE(classifier.classify("-0.0001").normalised);
}

TEST(ClassifyLocale, OtherSeparatorAcceptsPointCommaAndItsOwn)
{
    // A locale whose separator is neither "." nor ",": all three forms read, stored with it.
    LineClassifier classifier('\'');
    EXPECT_EQ(classifier.classify("45.5").azimuth, "45'5");
    EXPECT_EQ(classifier.classify("45,5").azimuth, "45'5");
    EXPECT_EQ(classifier.classify("45'5").azimuth, "45'5");
    EXPECT_EQ(classifier.classify("400.5").azimuth, "40'5000");
}

TEST(ClassifyViews, ResultsOfEarlierLinesAreNotNeededAcrossCalls)
{
    // Each call may reuse the classifier's buffers; the caller copies what it keeps.
    LineClassifier classifier(',');
    const std::string first(classifier.classify("10.5").azimuth);
    const std::string second(classifier.classify("20.5").azimuth);
    EXPECT_EQ(first, "10,5");
    EXPECT_EQ(second, "20,5");
}

// Line ends and the end of the text.
struct CursorCase
{
    const char *name;
    std::string bytes;
    std::vector<std::string> lines;
};

const CursorCase cursorCases[] = {
    {"NoBytes", "", {}},
    {"OneLineWithoutEnd", "a", {"a"}},
    {"OneLineWithLf", "a\n", {"a"}},
    {"LfOnly", "\n", {""}},
    {"CrLf", "a\r\nb\r\n", {"a", "b"}},
    {"CrOnly", "a\rb\r", {"a", "b"}},
    {"OnlyCrs", "\r\r\r", {"", "", ""}},
    {"LfCrIsTwoEnds", "a\n\rb", {"a", "", "b"}},
    {"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
    {"BlankLineBetween", "a\r\n\r\nb", {"a", "", "b"}},
    {"MixedEnds", "a\nb\rc\r\nd", {"a", "b", "c", "d"}},
    {"FinalLineCounts", "a\nb", {"a", "b"}},
    {"NulEndsText", std::string("a\0b\nc", 5), {"a"}},
    {"NulAtStart", std::string("\0abc\n", 5), {}},
    {"NulAfterLineEnd", std::string("a\nb\n\0c", 6), {"a", "b"}},
    {"NulInsideCrLf", std::string("a\r\0\nb", 5), {"a"}},
    {"BlanksKeptInLine", " a \t\n", {" a \t"}},
};

class WalkLines : public testing::TestWithParam<CursorCase>
{ };

TEST_P(WalkLines, YieldsTheLines)
{
    LineCursor cursor(GetParam().bytes);
    std::vector<std::string> lines;
    std::string_view line;
    while (cursor.next(line))
        lines.emplace_back(line);
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_EQ(countLines(GetParam().bytes), GetParam().lines.size());
    EXPECT_FALSE(cursor.next(line)) << "stays at the end";
}

INSTANTIATE_TEST_SUITE_P(Bytes, WalkLines, testing::ValuesIn(cursorCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(WalkLinesAtScale, SingleKindOfLineEndIsReadInOnePass)
{
    // Four hundred thousand lines with only CRs (or only LFs): a cursor that searched the
    // rest of the text for the other kind on every line would take minutes here.
    for (char end : {'\r', '\n'}) {
        std::string bytes;
        for (int i = 0; i < 400000; ++i) {
            bytes += "123.4";
            bytes += end;
        }
        EXPECT_EQ(countLines(bytes), 400000u);
    }
}

TEST(TextBeforeNul, CutsAtTheFirstNul)
{
    EXPECT_EQ(textBeforeNul(std::string_view("ab\0cd\0", 6)), "ab");
    EXPECT_EQ(textBeforeNul("abc"), "abc");
    EXPECT_EQ(textBeforeNul(std::string_view()), "");
}

} // namespace

namespace {

// The quick path for common measurement lines must agree with the full rules on every line:
// compare both on random lines made of the bytes the rules care about.
TEST(ClassifyQuickPath, AgreesWithTheFullRules)
{
    const std::string alphabet = "0123456789012345678901234567890123456789..,,/;\\\t  xe+-#=\x01";
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> length(0, 16);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (char separator : {'.', ',', '\''}) {
        LineClassifier quick(separator);
        LineClassifier full(separator, false);
        for (int i = 0; i < 200000; ++i) {
            std::string line;
            for (std::size_t n = length(random); n > 0; --n)
                line += alphabet[pick(random)];
            const ClassifiedLine a = quick.classify(line);
            const ClassifiedLine b = full.classify(line);
            ASSERT_EQ(a.kind, b.kind) << '"' << line << '"';
            ASSERT_EQ(a.azimuth, b.azimuth) << '"' << line << '"';
            ASSERT_EQ(a.degrees, b.degrees) << '"' << line << '"';
            ASSERT_EQ(a.normalised, b.normalised) << '"' << line << '"';
            ASSERT_EQ(a.offending, b.offending) << '"' << line << '"';
            ASSERT_EQ(a.name, b.name) << '"' << line << '"';
            ASSERT_EQ(a.value, b.value) << '"' << line << '"';
            if (a.wholeDegrees >= 0) {
                ASSERT_EQ(a.wholeDegrees, static_cast<int>(std::nearbyint(b.degrees)))
                    << '"' << line << '"';
            }
            if (a.tenths >= 0) {
                ASSERT_EQ(a.tenths / 10.0, b.degrees) << '"' << line << '"';
            }
        }
    }
}

TEST(ClassifyQuickPath, ExactValuesOfLongDecimals)
{
    // Fifteen digits still take the quick path; the value must be the correctly rounded one.
    LineClassifier quick('.');
    for (const char *line :
         {"359.999999999999", "0.1", "0.3", "123.456789012345", "0.000000000001"}) {
        const ClassifiedLine result = quick.classify(line);
        ASSERT_EQ(result.kind, LineKind::Measurement) << line;
        EXPECT_EQ(result.degrees, std::strtod(line, nullptr)) << line;
    }
}

} // namespace
