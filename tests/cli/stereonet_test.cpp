#include "clitest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using quorel::test::runCli;
using quorel::test::shellQuote;

namespace {

class Stereonet : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorel-stereonet-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_file = m_dir + "/planes.qrl";
        std::ofstream(m_file) << "# planes\n120/40\n61/61S\n300/10\n45\n";
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string m_dir;
    std::string m_file;
};

TEST_F(Stereonet, JsonListsThePolesInFileOrderAndTheLinesWithoutDip)
{
    const auto run = runCli("stereonet " + shellQuote(m_file) + " --json");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("{\n  \"kind\": \"poles\",\n  \"net\": \"schmidt\",\n", 0), 0u);
    const std::size_t first = run.out.find("{\"line\": 2, \"trend\": 300, \"plunge\": 50, \"x\": ");
    const std::size_t second =
        run.out.find("{\"line\": 4, \"trend\": 120, \"plunge\": 80, \"x\": ");
    EXPECT_NE(first, std::string::npos) << run.out;
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_NE(run.out.find("\"without_dip\": [3, 5]\n}"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("density"), std::string::npos);
}

TEST_F(Stereonet, DensityGridListsTheNodesInsideThePrimitiveCircle)
{
    const auto run = runCli("stereonet " + shellQuote(m_file)
                            + " --json --density-grid 3 --azimuth trend --net wulff");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"kind\": \"lines\",\n  \"net\": \"wulff\""), std::string::npos);
    EXPECT_NE(run.out.find("\"density\": {\"method\": \"exponential-kamb\", \"sigma\": 3, "
                           "\"grid\": 3, \"values\": [\n    [0, -1, "),
              std::string::npos)
        << run.out;
    std::size_t rows = 0;
    for (std::size_t at = run.out.find("\n    ["); at != std::string::npos;
         at = run.out.find("\n    [", at + 1))
        ++rows;
    EXPECT_EQ(rows, 5u); // the centre and the four nodes on the circle
}

struct ExitCase
{
    const char *name;
    std::string args; // after the data file
    int status;
};

TEST_F(Stereonet, ExitStatusOfEachRequest)
{
    const ExitCase cases[] = {
        {"picture with every mark", "-o " + m_dir + "/net.svg --contours --mean --girdle", 0},
        {"great circles in a metafile", "-o " + m_dir + "/net.wmf --great-circles --grid-lines", 0},
        {"neither picture nor JSON", "", 2},
        {"both picture and JSON", "--json -o " + m_dir + "/net.svg", 2},
        {"grid too small", "--json --density-grid 1", 2},
        {"grid without JSON", "-o " + m_dir + "/net.svg --density-grid 10", 2},
        {"unknown extension", "-o " + m_dir + "/net.gif", 2},
        {"unknown net", "--json --net polar", 2},
        {"unknown meaning", "--json --azimuth azimuth", 2},
        {"size that is no number", "-o " + m_dir + "/net.svg --size big", 1},
    };
    for (const ExitCase &c : cases) {
        EXPECT_EQ(runCli("stereonet " + shellQuote(m_file) + " " + c.args).status, c.status)
            << c.name;
    }
    EXPECT_EQ(runCli("stereonet " + shellQuote(m_dir + "/none.qrl") + " --json").status, 1);
    std::ifstream svg(m_dir + "/net.svg");
    const std::string text {std::istreambuf_iterator<char>(svg), {}};
    EXPECT_NE(text.find("<polygon"), std::string::npos); // the contour bands
}

} // namespace
