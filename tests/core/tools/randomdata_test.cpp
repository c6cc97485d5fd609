#include "core/tools/randomdata.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorel {
namespace {

std::vector<std::string> splitCrLf(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto end = text.find("\r\n", pos);
        EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

struct CountCase
{
    const char *name;
    int count;
    std::size_t lines;
};

class RandomDataCount : public testing::TestWithParam<CountCase>
{ };

TEST_P(RandomDataCount, GivesOneLinePerAzimuth)
{
    const auto text = randomDataText(GetParam().count, '.', 42);
    EXPECT_EQ(splitCrLf(text).size(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, RandomDataCount,
                         testing::Values(CountCase {"Default", 500, 500}, CountCase {"One", 1, 1},
                                         CountCase {"Zero", 0, 0}, CountCase {"Negative", -5, 0}),
                         [](const auto &test) { return std::string(test.param.name); });

class RandomDataSeparator : public testing::TestWithParam<char>
{ };

TEST_P(RandomDataSeparator, LinesFollowTheOneDecimalPicture)
{
    const char separator = GetParam();
    for (const auto &line : splitCrLf(randomDataText(2000, separator, 7))) {
        const auto at = line.find(separator);
        ASSERT_NE(at, std::string::npos) << line;
        EXPECT_EQ(at, line.size() - 2) << line;
        ASSERT_GE(at, 1u) << line;
        std::string plain = line;
        plain[at] = '.';
        const double value = std::stod(plain);
        EXPECT_GE(value, 0.0);
        EXPECT_LE(value, 360.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Separators, RandomDataSeparator, testing::Values('.', ','));

TEST(RandomAzimuths, CoverTheWholeCircleUniformly)
{
    RandomAzimuths generator(1234);
    std::array<int, 36> sectors {};
    const int n = 36000;
    for (int i = 0; i < n; ++i) {
        const double value = generator.next();
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 360.0);
        ++sectors[static_cast<std::size_t>(value / 10)];
    }
    for (int count : sectors) {
        EXPECT_GT(count, 800);
        EXPECT_LT(count, 1200);
    }
}

TEST(RandomAzimuths, SeedMakesItReproducibleAndClockSeedsDiffer)
{
    EXPECT_EQ(randomDataText(50, '.', 99), randomDataText(50, '.', 99));
    EXPECT_NE(randomDataText(50, '.', 99), randomDataText(50, '.', 100));
    const auto first = clockSeed();
    const auto second = clockSeed();
    EXPECT_NE(first, second);
    EXPECT_NE(randomDataText(50, '.', first), randomDataText(50, '.', second));
}

TEST(RandomDataFile, TemporaryPathSitsInTheTemporaryFolder)
{
    EXPECT_EQ(randomGraphPath("/tmp/"), "/tmp/__QUOREL_RANDOM_GRAPH__.qrl");
    EXPECT_EQ(randomGraphPath("/opt/quorel"), "/opt/quorel/__QUOREL_RANDOM_GRAPH__.qrl");
}

TEST(RandomDataFile, WritesAndReportsFailure)
{
    const auto dir = std::filesystem::temp_directory_path()
        / ("quorel-random-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto path = (dir / randomGraphFileName).string();
    // More lines than one block holds: the blocks join into the same text.
    ASSERT_TRUE(writeRandomDataFile(path, 20000, ',', 5).ok());
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), randomDataText(20000, ',', 5));

    const auto failed = writeRandomDataFile((dir / "missing" / "x.qrl").string(), 3, ',', 5);
    EXPECT_FALSE(failed.ok());
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace quorel
