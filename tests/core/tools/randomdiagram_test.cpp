#include "core/tools/randomdiagram.h"

#include "core/data/datareader.h"
#include "core/diagram/diagramstyle.h"
#include "core/tools/randomdata.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace quorel {
namespace {

namespace fs = std::filesystem;

class RandomDiagram : public testing::Test
{
protected:
    void SetUp() override
    {
        m_temp = (fs::temp_directory_path()
                  / ("quorel-randomdiag-" + std::to_string(::getpid()) + "-"
                     + testing::UnitTest::GetInstance()->current_test_info()->name()))
                     .string()
            + "/";
        fs::create_directories(m_temp);
    }
    void TearDown() override { fs::remove_all(m_temp); }

    std::string m_temp;
};

struct CountCase
{
    const char *name;
    int count;
    std::size_t measurements;
};

class RandomDiagramCount : public RandomDiagram, public testing::WithParamInterface<CountCase>
{ };

TEST_P(RandomDiagramCount, ReadsInRandomModeAndLeavesNoFile)
{
    DataReader reader(',');
    DiagramStyle style = DiagramStyle::firstRun();
    style.descriptionText = "";
    const DiagramStyle before = style;
    ASSERT_TRUE(generateRandomDiagram(reader, style, GetParam().count, m_temp, 11).ok());
    EXPECT_EQ(reader.measurements().size(), GetParam().measurements);
    EXPECT_FALSE(fs::exists(randomGraphPath(m_temp)));
    EXPECT_TRUE(fs::is_empty(m_temp));
    EXPECT_TRUE(reader.summary().randomGraph);
    const std::string caption =
        readTitles(randomGraphPath(m_temp), reader.summary().randomGraph).caption;
    EXPECT_NE(caption.find("RANDOM GRAPH"), std::string::npos) << caption;
    EXPECT_EQ(reader.summary().errorCount, 0u);
    EXPECT_EQ(style, before) << "a random file carries no display parameters";
    int total = 0;
    for (int k = 1; k <= sectorCount; ++k)
        total += reader.sectors().count(k);
    EXPECT_EQ(static_cast<std::size_t>(total), GetParam().measurements);
}

INSTANTIATE_TEST_SUITE_P(Cases, RandomDiagramCount,
                         testing::Values(CountCase {"Default", 500, 500}, CountCase {"One", 1, 1},
                                         CountCase {"Zero", 0, 0}, CountCase {"Negative", -7, 0}),
                         [](const auto &test) { return std::string(test.param.name); });

TEST_F(RandomDiagram, TwoGenerationsDiffer)
{
    DataReader first('.');
    DataReader second('.');
    DiagramStyle style;
    ASSERT_TRUE(generateRandomDiagram(first, style, 50, m_temp, clockSeed()).ok());
    ASSERT_TRUE(generateRandomDiagram(second, style, 50, m_temp, clockSeed()).ok());
    bool differ = false;
    for (std::size_t i = 0; i < 50; ++i)
        differ = differ || first.measurements()[i] != second.measurements()[i];
    EXPECT_TRUE(differ);
}

TEST_F(RandomDiagram, UnwritableFolderFailsWithoutReading)
{
    DataReader reader('.');
    DiagramStyle style;
    ASSERT_TRUE(generateRandomDiagram(reader, style, 20, m_temp, 1).ok());
    const Status failed = generateRandomDiagram(reader, style, 5, m_temp + "missing/", 1);
    EXPECT_FALSE(failed.ok());
    EXPECT_FALSE(failed.message().empty());
    EXPECT_EQ(reader.measurements().size(), 20u) << "the previous diagram stays";
}

TEST_F(RandomDiagram, TooManyFailsBeforeAnythingIsWritten)
{
    DataReader reader('.');
    DiagramStyle style;
    ASSERT_TRUE(generateRandomDiagram(reader, style, 20, m_temp, 1).ok());
    EXPECT_TRUE(checkRandomGraphCount(maxRandomGraphCount).ok());
    const Status refused = generateRandomDiagram(reader, style, 2000000000, m_temp, 1);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.message(),
              "\"2000000000\" is too many: a random graph takes at most 10000000 measurements !");
    EXPECT_EQ(reader.measurements().size(), 20u) << "the previous diagram stays";
    EXPECT_TRUE(fs::is_empty(m_temp));
}

} // namespace
} // namespace quorel
