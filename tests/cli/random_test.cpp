#include "clitest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using quorel::test::addressLimitWorks;
using quorel::test::runCli;
using quorel::test::shellQuote;

namespace {

std::size_t countCrLf(const std::string &text)
{
    std::size_t n = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++n;
    return n;
}

struct RandomCase
{
    const char *name;
    const char *args;
    int status;
    std::size_t lines;
};

class CliRandom : public testing::TestWithParam<RandomCase>
{ };

TEST_P(CliRandom, WritesLinesOrRefuses)
{
    const auto &c = GetParam();
    const auto run = runCli(std::string("random ") + c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(countCrLf(run.out), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRandom,
    testing::Values(RandomCase {"FiveHundred", "500", 0, 500}, RandomCase {"Zero", "0", 2, 0},
                    RandomCase {"Negative", "-4", 2, 0}, RandomCase {"NotInteger", "12abc", 2, 0},
                    RandomCase {"NoCount", "", 2, 0}, RandomCase {"BadSeed", "5 --seed x", 2, 0},
                    RandomCase {"TwoCounts", "5 6", 2, 0}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(CliRandomMessages, QuotesTheBadCount)
{
    struct Case
    {
        const char *count;
        const char *message;
    };
    const Case cases[] = {
        {"12abc", "quorel-cli: \"12abc\" is not a valid integer !\n"},
        {"-3", "quorel-cli: random needs at least 1 measurement, not '-3'\n"},
        {"0", "quorel-cli: random needs at least 1 measurement, not '0'\n"},
    };
    const auto err = std::filesystem::temp_directory_path()
        / ("quorel-random-err-" + std::to_string(::getpid()));
    for (const Case &c : cases) {
        runCli(std::string("random ") + c.count, err.string());
        std::ifstream in(err);
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_EQ(text.str().rfind(c.message, 0), 0u) << text.str();
    }
    std::filesystem::remove(err);
}

TEST(CliRandomSeed, SeedRepeatsAndRunsDiffer)
{
    const auto a = runCli("random 50 --seed 7 --decimal-separator ,");
    const auto b = runCli("random 50 --seed 7 --decimal-separator ,");
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(a.out.find(','), std::string::npos);
    EXPECT_EQ(a.out.find('.'), std::string::npos);
    EXPECT_NE(runCli("random 50").out, runCli("random 50").out);
}

TEST(CliRandomFile, WritesTheFile)
{
    const auto path = std::filesystem::temp_directory_path()
        / ("quorel-random-" + std::to_string(::getpid()) + ".qrl");
    const auto run = runCli("random 20 --seed 3 -o " + shellQuote(path.string()));
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.empty());
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), runCli("random 20 --seed 3").out);
    std::filesystem::remove(path);

    EXPECT_EQ(runCli("random 5 -o /nonexistent-dir/x.qrl").status, 1);
}

// Two thousand million lines (14 GB) are written as they are made: in a few hundred megabytes of
// address space the run reaches the full disk and stops there with one line. (The sanitizers
// reserve more address space than any limit allows; there the run goes without one.)
TEST(CliRandomFile, FullDiskFailsWithOneLineInLittleMemory)
{
    const auto err = std::filesystem::temp_directory_path()
        / ("quorel-random-full-" + std::to_string(::getpid()));
    for (const char *target : {"-o /dev/full", ">/dev/full"}) {
        const std::string args = std::string("random 2000000000 ") + target;
        const auto run = runCli(args, err, addressLimitWorks ? std::size_t(512) << 20 : 0);
        std::ifstream in(err);
        const std::string text(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(run.status, 1) << target << ": " << text;
        EXPECT_EQ(text.rfind("quorel-cli: ", 0), 0u) << text;
        EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
    }
    std::filesystem::remove(err);
}

} // namespace
