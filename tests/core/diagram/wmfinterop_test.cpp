// Our metafiles through libwmf's independent converters (wmf2svg, wmf2gd), when installed.

#include "core/diagram/renderer.h"
#include "core/diagram/wmfwriter.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using namespace quorel;
namespace fs = std::filesystem;

namespace {

bool onPath(const std::string &program)
{
    const char *path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        std::error_code error;
        if (!folder.empty() && fs::exists(fs::path(folder) / program, error))
            return true;
    }
    return false;
}

struct ToolRun
{
    int status = -1;
    std::string output; // stdout and stderr
};

ToolRun run(const std::string &command)
{
    ToolRun result;
    FILE *pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, n);
    result.status = pclose(pipe);
    return result;
}

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class WmfInterop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path()
            / ("quorel-wmf-" + std::to_string(::getpid()) + "-" + info->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code error;
        fs::remove_all(m_dir, error);
    }

    fs::path save(const Picture &picture, const std::string &name)
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << writePlaceableWmf(picture, classicSystemColors());
        return path;
    }

    fs::path m_dir;
};

Picture diagram(DiagramStyle style, const SectorCounts &counts, int max)
{
    auto result = renderRoseDiagram(style, counts, max, false);
    EXPECT_TRUE(result.ok());
    return result.ok() ? result.value() : Picture {};
}

struct SvgEllipse
{
    double cx, cy, rx, ry;
};

std::vector<SvgEllipse> ellipsesOf(const std::string &svg)
{
    static const std::regex pattern(
        R"re(<ellipse cx="([-0-9.]+)" cy="([-0-9.]+)" rx="([-0-9.]+)" ry="([-0-9.]+)")re");
    std::vector<SvgEllipse> found;
    for (std::sregex_iterator it(svg.begin(), svg.end(), pattern), end; it != end; ++it)
        found.push_back(
            {std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4])});
    return found;
}

TEST_F(WmfInterop, EmptyGridCirclesLandWhereTheyShould)
{
    if (!onPath("wmf2svg"))
        GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    const fs::path wmf = save(diagram(DiagramStyle::firstRun(), {}, 0), "grid.wmf");
    const fs::path svgPath = m_dir / "grid.svg";
    const ToolRun converted = run("wmf2svg -o '" + svgPath.string() + "' '" + wmf.string() + "'");
    ASSERT_EQ(converted.status, 0) << converted.output;
    EXPECT_EQ(converted.output.find("ERROR"), std::string::npos) << converted.output;
    const std::string svg = readFile(svgPath);
    EXPECT_NE(svg.find(R"(<svg width="460" height="460")"), std::string::npos);

    const auto ellipses = ellipsesOf(svg);
    ASSERT_EQ(ellipses.size(), 18u) << "nine main and nine secondary circles";
    // The outer main circle: box (23, 23) to (437, 437), so centre 230 and radius 207. The
    // converter maps 460 units onto pixel centres 0.5 .. 459.5, a scale of 459/460.
    const SvgEllipse outer = ellipses.front();
    EXPECT_NEAR(outer.cx, 230.0, 1.0);
    EXPECT_NEAR(outer.cy, 230.0, 1.0);
    EXPECT_NEAR(outer.rx, 207.0, 1.0);
    EXPECT_NEAR(outer.ry, 207.0, 1.0);
    for (const auto &e : ellipses) {
        EXPECT_LE(e.rx, outer.rx + 1e-9);
        EXPECT_NEAR(e.cx, 230.0, 1.0);
    }
}

TEST_F(WmfInterop, FullDiagramsConvertCleanly)
{
    if (!onPath("wmf2svg") || !onPath("wmf2gd"))
        GTEST_SKIP() << "wmf2svg / wmf2gd (libwmf-bin) are not installed";
    SectorCounts counts {};
    for (int i = 0; i < int(counts.size()); ++i)
        counts[std::size_t(i)] = (i * 7) % 11;
    struct Case
    {
        const char *name;
        int fillStyle;
        int mainStyle;
        std::string size;
    };
    const Case cases[] = {
        {"solid petals", 0, 0, "460"},
        {"diagonal cross", 4, 1, "460"},
        {"vertical hatch at odd size", 6, 3, "461"},
        {"large", 2, 4, "1000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        DiagramStyle style = DiagramStyle::defaults();
        style.diagramSize = c.size;
        style.fillStyle = c.fillStyle;
        style.mainLineStyle = c.mainStyle;
        style.descriptionText = "Pr\xC3\xB3"
                                "ba \xC5\xBC\xC3\xB3\xC5\x82wia, 10\xC2\xB0";
        style.descriptionX = "20";
        style.descriptionY = "30";
        style.descriptionBold = true;
        const fs::path wmf = save(diagram(style, counts, 10), "full.wmf");

        const ToolRun svg =
            run("wmf2svg -o '" + (m_dir / "full.svg").string() + "' '" + wmf.string() + "'");
        EXPECT_EQ(svg.status, 0) << svg.output;
        EXPECT_EQ(svg.output.find("ERROR"), std::string::npos) << svg.output;
        // Its pie drawing turns some petals into whole ellipses, so only the grid is counted.
        EXPECT_GE(ellipsesOf(readFile(m_dir / "full.svg")).size(), 18u);

        const fs::path png = m_dir / "full.png";
        const ToolRun gd = run("wmf2gd --maxwidth=" + c.size + " --maxheight=" + c.size
                               + " --maxsize -o '" + png.string() + "' '" + wmf.string() + "'");
        EXPECT_EQ(gd.status, 0) << gd.output;
        EXPECT_EQ(gd.output.find("ERROR"), std::string::npos) << gd.output;
        const std::string image = readFile(png);
        ASSERT_GE(image.size(), 24u);
        EXPECT_EQ(image.substr(1, 3), "PNG");
        const auto be32 = [&](std::size_t at) {
            return (std::uint32_t(std::uint8_t(image[at])) << 24)
                | (std::uint32_t(std::uint8_t(image[at + 1])) << 16)
                | (std::uint32_t(std::uint8_t(image[at + 2])) << 8)
                | std::uint32_t(std::uint8_t(image[at + 3]));
        };
        EXPECT_EQ(be32(16), std::uint32_t(std::stoi(c.size))) << "width";
        EXPECT_EQ(be32(20), std::uint32_t(std::stoi(c.size))) << "height";
    }
}

} // namespace
