#include "clitest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using quorel::test::runCli;
using quorel::test::shellQuote;

namespace {

// Writes `text` to a fresh file and returns its path.
std::string inputFile(const std::string &text)
{
    static int counter = 0;
    const auto path = std::filesystem::temp_directory_path()
        / ("quorel-convert-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

struct ConvertCase
{
    const char *name;
    const char *args;
    const char *input;
    const char *expected;
};

class CliConvert : public testing::TestWithParam<ConvertCase>
{ };

TEST_P(CliConvert, ConvertsStandardInput)
{
    const auto &c = GetParam();
    const auto path = inputFile(c.input);
    const auto run = runCli(std::string("convert ") + c.args + " < " + shellQuote(path));
    std::filesystem::remove(path);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliConvert,
    testing::Values(
        ConvertCase {"DegToGradComma", "--from deg --to grad --decimal-separator ,", "90;45\n",
                     "100,00;50,00\n"},
        ConvertCase {"RadToDegFourPlaces", "--from rad --to deg --places 4 --decimal-separator .",
                     "3.14159265\n1,5\n1.5\n", "180.0000\n85.9437\n85.9437\n"},
        ConvertCase {"CrLfBecomesLf", "--from grad --to deg --places 0 --decimal-separator .",
                     "100\r\n200\r\n", "90\n180\n"},
        ConvertCase {"LoneCrEndsALine", "--from grad --to deg --places 0 --decimal-separator .",
                     "100\r200", "90\n180\n"},
        ConvertCase {"LastLineWithoutEnd", "--from deg --to rad --places 3 --decimal-separator .",
                     "180", "3.142\n"},
        ConvertCase {"EmptyLinesKept", "--from deg --to grad --decimal-separator .", "\n\n9\n",
                     "\n\n10.00\n"},
        ConvertCase {"SameUnitRounds", "--from deg --to deg --places 1 --decimal-separator .",
                     "12.345 x 7\n", "12.3 x 7.0\n"},
        ConvertCase {"EmptyInput", "--from deg --to grad", "", ""}),
    [](const auto &test) { return std::string(test.param.name); });

struct UsageCase
{
    const char *name;
    const char *args;
};

class CliConvertUsage : public testing::TestWithParam<UsageCase>
{ };

TEST_P(CliConvertUsage, ExitsWithTwo)
{
    EXPECT_EQ(runCli(std::string("convert ") + GetParam().args + " < /dev/null").status, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliConvertUsage,
    testing::Values(UsageCase {"NoUnits", ""}, UsageCase {"NoTo", "--from deg"},
                    UsageCase {"UnknownUnit", "--from deg --to gon"},
                    UsageCase {"PlacesTooLarge", "--from deg --to rad --places 21"},
                    UsageCase {"PlacesNotNumber", "--from deg --to rad --places x"},
                    UsageCase {"LongSeparator", "--from deg --to rad --decimal-separator ab"},
                    UsageCase {"StrayArgument", "--from deg --to rad extra"}),
    [](const auto &test) { return std::string(test.param.name); });

// Standard input is taken in blocks of 64 KiB: a line longer than a block and a CR LF split
// between two blocks come out as from a line-by-line read.
TEST(CliConvertStream, LinesAcrossInputBlocks)
{
    const std::string longLine(65535, 'x');
    const auto path = inputFile(longLine + "\r\n9\n" + std::string(200000, 'y') + "\r9");
    const auto run =
        runCli("convert --from deg --to grad --decimal-separator . < " + shellQuote(path));
    std::filesystem::remove(path);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out, longLine + "\n10.00\n" + std::string(200000, 'y') + "\n10.00\n");
}

TEST(CliConvertStream, MillionLinesStream)
{
    std::string text;
    text.reserve(8'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        text += "100;50\n";
    const auto path = inputFile(text);
    const auto run = runCli("convert --from grad --to deg --places 1 --decimal-separator . < "
                            + shellQuote(path));
    std::filesystem::remove(path);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.size(), 1'000'000u * std::string("90.0;45.0\n").size());
    EXPECT_EQ(run.out.substr(0, 10), "90.0;45.0\n");
}

} // namespace
