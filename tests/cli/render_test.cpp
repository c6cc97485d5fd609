#include "clitest.h"

#include "core/data/circularstats.h"
#include "core/data/datareader.h"
#include "core/diagram/diagramstyle.h"
#include "core/diagram/renderer.h"
#include "core/diagram/wmfwriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using quorel::test::runCli;
using quorel::test::shellQuote;
namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Width of a PNG from its IHDR chunk.
unsigned pngWidth(const std::string &bytes)
{
    if (bytes.size() < 24)
        return 0;
    unsigned width = 0;
    for (int i = 16; i < 20; ++i)
        width = width << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    return width;
}

class CliRender : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quorel-render-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        m_data = m_dir / "joints.qrl";
        std::ofstream(m_data) << "// joints\n5\n5\n185\n92#5 40\nnot a number\n"
                                 ";DiagWidth=300\n;FillStyle=0\n;DescText=Quarry N\n";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string render(const std::string &out, const std::string &extra = {},
                       const std::string &err = "/dev/null")
    {
        const auto run = runCli("render " + shellQuote(m_data.string()) + " -o "
                                    + shellQuote((m_dir / out).string()) + " " + extra,
                                err);
        m_status = run.status;
        return readAll(m_dir / out);
    }

    fs::path m_dir;
    fs::path m_data;
    int m_status = -1;
};

TEST_F(CliRender, EachExtensionPicksItsFormat)
{
    struct Case
    {
        const char *out;
        std::string magic;
    };
    const Case cases[] = {
        {"rose.wmf", std::string("\xD7\xCD\xC6\x9A", 4)},
        {"rose.emf", std::string("\x01\x00\x00\x00", 4)}, // the header record
        {"rose.svg", "<?xml"},
        {"ROSE.SVG", "<?xml"},
        {"rose.png", "\x89PNG"},
        {"rose.pdf", "%PDF-"},
    };
    for (const auto &c : cases) {
        const std::string bytes = render(c.out);
        EXPECT_EQ(m_status, 0) << c.out;
        EXPECT_EQ(bytes.substr(0, c.magic.size()), c.magic) << c.out;
    }
    EXPECT_NE(readAll(m_dir / "rose.svg").find("width=\"300\" height=\"300\""), std::string::npos);
    EXPECT_NE(readAll(m_dir / "rose.svg").find(">Quarry N<"), std::string::npos);
    EXPECT_EQ(pngWidth(readAll(m_dir / "rose.png")), 300u);
    EXPECT_EQ(readAll(m_dir / "rose.emf").substr(40, 4), " EMF");
}

TEST_F(CliRender, SizeOptionReplacesTheFilesSize)
{
    EXPECT_EQ(pngWidth(render("small.png", "--size 120")), 120u);
    EXPECT_EQ(m_status, 0);
    EXPECT_NE(render("small.svg", "--size 120").find("viewBox=\"0 0 120 120\""), std::string::npos);
}

TEST_F(CliRender, WmfIsWhatTheProgramSaves)
{
    const std::string bytes = render("rose.wmf");
    ASSERT_EQ(m_status, 0);

    quorel::DiagramStyle style = quorel::DiagramStyle::firstRun();
    quorel::DataReader reader(',');
    ASSERT_TRUE(reader.load(m_data.string(), style).ok());
    quorel::SectorCounts counts {};
    for (std::size_t k = 0; k < counts.size(); ++k)
        counts[k] = reader.sectors().counts[k];
    const auto picture = quorel::renderRoseDiagram(style, counts, reader.sectors().maxCount, false);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(bytes, quorel::writePlaceableWmf(*picture, quorel::classicSystemColors()));
    EXPECT_EQ(reader.sectors().count(1), 2); // 5 and 5
}

// --axial, --band and --mean-direction draw what the renderer draws for the file's circular
// statistics.
TEST_F(CliRender, CircularOptionsDrawTheFilesStatistics)
{
    const std::string bytes = render("rose.wmf", "--axial --band --mean-direction");
    ASSERT_EQ(m_status, 0);

    quorel::DiagramStyle style = quorel::DiagramStyle::firstRun();
    quorel::DataReader reader(',');
    ASSERT_TRUE(reader.load(m_data.string(), style).ok());
    quorel::SectorCounts counts {};
    for (std::size_t k = 0; k < counts.size(); ++k)
        counts[k] = reader.sectors().counts[k];
    const quorel::RenderOptions options = quorel::circularRenderOptions(
        quorel::circularStatistics(reader.measurements().directions(), true), true, true);
    ASSERT_TRUE(options.band && options.meanDirection);
    const auto picture =
        quorel::renderRoseDiagram(style, counts, reader.sectors().maxCount, false, options);
    EXPECT_EQ(bytes, quorel::writePlaceableWmf(*picture, quorel::classicSystemColors()));
}

// --equal-area and --ring-labels each set their own render option; ring labels write fractional
// counts with the decimal separator.
TEST_F(CliRender, PetalOptionsDrawWhatTheRendererDraws)
{
    quorel::DiagramStyle style = quorel::DiagramStyle::firstRun();
    quorel::DataReader reader(',');
    ASSERT_TRUE(reader.load(m_data.string(), style).ok());
    quorel::SectorCounts counts {};
    for (std::size_t k = 0; k < counts.size(); ++k)
        counts[k] = reader.sectors().counts[k];
    for (const bool equalArea : {true, false}) {
        quorel::RenderOptions options;
        if (equalArea)
            options.petalScale = quorel::PetalScale::Area;
        else
            options.ringLabels = quorel::RenderOptions::RingLabels {','};
        const auto picture =
            quorel::renderRoseDiagram(style, counts, reader.sectors().maxCount, false, options);
        EXPECT_EQ(
            render("rose.wmf", equalArea ? "--equal-area" : "--ring-labels --decimal-separator ,"),
            quorel::writePlaceableWmf(*picture, quorel::classicSystemColors()));
        EXPECT_EQ(m_status, 0);
    }
}

// A file's ";PetalScale=Area" (here written by `set`) draws what --equal-area draws.
TEST_F(CliRender, FilesPetalScaleLineDrawsEqualAreas)
{
    const std::string option = render("option.wmf", "--equal-area");
    const std::string plain = render("plain.wmf");
    ASSERT_EQ(runCli("set " + shellQuote(m_data.string()) + " PetalScale=Area").status, 0);
    EXPECT_EQ(render("file.wmf"), option);
    EXPECT_NE(plain, option);
}

TEST_F(CliRender, DecimalSeparatorDecidesWhatIsAMeasurement)
{
    // "92#5 40" is a measurement only where "#" is the decimal separator.
    const std::string hash = render("hash.svg", "--decimal-separator '#'");
    const std::string comma = render("comma.svg", "--decimal-separator ,");
    const auto petals = [](const std::string &svg) {
        std::size_t n = 0;
        for (auto at = svg.find("<path d=\"M150 150"); at != std::string::npos;
             at = svg.find("<path d=\"M150 150", at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(petals(hash), 3u);
    EXPECT_EQ(petals(comma), 2u);
}

TEST_F(CliRender, NeedsNoDisplay)
{
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    const std::string saved = platform ? platform : "";
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    const std::string png = render("headless.png");
    if (platform)
        setenv("QT_QPA_PLATFORM", saved.c_str(), 1);
    EXPECT_EQ(m_status, 0);
    EXPECT_EQ(pngWidth(png), 300u);
}

// A program copied away from its painter plugin still writes the vector formats; PNG, PDF and
// EMF fail with one line that names what is missing.
TEST_F(CliRender, WithoutThePainterOnlyItsFormatsFail)
{
    const fs::path alone = m_dir / "quorel-cli";
    fs::copy_file(QUOREL_CLI, alone);
    const std::string errFile = (m_dir / "stderr.txt").string();
    const std::string missing = "quorel-cli: PNG, PDF and EMF output is not available: "
                                "quorel-cli-painter.so is not installed\n";
    const std::string invalid = "quorel-cli: 2 lines are not valid measurements (first: line 5)\n";
    for (const std::string format : {"svg", "wmf", "png", "pdf", "emf"}) {
        const fs::path out = m_dir / ("alone." + format);
        const std::string command = shellQuote(alone.string()) + " render "
            + shellQuote(m_data.string()) + " -o " + shellQuote(out.string()) + " 2>" + errFile;
        const int raw = std::system(command.c_str());
        const bool vector = format == "svg" || format == "wmf";
        EXPECT_EQ(WEXITSTATUS(raw), vector ? 0 : 1) << format;
        EXPECT_EQ(fs::exists(out), vector) << format;
        EXPECT_EQ(readAll(errFile), vector ? invalid : missing) << format;
    }
}

TEST_F(CliRender, Failures)
{
    struct Case
    {
        const char *name;
        std::string args;
        int status;
        std::string message; // part of the one-line message, empty: not checked
    };
    const std::string data = shellQuote(m_data.string());
    const std::string out = shellQuote((m_dir / "x.wmf").string());
    const Case cases[] = {
        {"MissingInput", shellQuote((m_dir / "none.qrl").string()) + " -o " + out, 1, "none.qrl"},
        {"SizeNotWhole", data + " -o " + out + " --size 46x", 1,
         "'46x' is not a valid integer value"},
        {"Unwritable", data + " -o /nonexistent-dir/x.svg", 1, "/nonexistent-dir/x.svg"},
        {"UnwritablePng", data + " -o /nonexistent-dir/x.png", 1, "/nonexistent-dir/x.png"},
        {"NoOutput", data, 2, "-o"},
        {"NoInput", "-o " + out, 2, ""},
        {"UnknownExtension", data + " -o " + shellQuote((m_dir / "x.bmp").string()), 2, ".wmf"},
        {"NoExtension", data + " -o " + shellQuote((m_dir / "x").string()), 2, ""},
        {"UnknownOption", data + " -o " + out + " --colour red", 2, "--colour"},
        {"SizeWithoutValue", data + " -o " + out + " --size", 2, ""},
        {"TwoInputs", data + " " + data + " -o " + out, 2, ""},
        {"LongSeparator", data + " -o " + out + " --decimal-separator ab", 2, ""},
    };
    const std::string errFile = (m_dir / "stderr.txt").string();
    for (const auto &c : cases) {
        const auto run = runCli("render " + c.args, errFile);
        EXPECT_EQ(run.status, c.status) << c.name;
        const std::string err = readAll(errFile);
        EXPECT_NE(err.find(c.message), std::string::npos) << c.name << ": " << err;
        if (c.status == 1) {
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << c.name << ": " << err;
        }
    }
    EXPECT_FALSE(fs::exists(m_dir / "x.wmf"));
}

TEST_F(CliRender, NegativeSizeWritesAnEmptyVectorPicture)
{
    const std::string svg = render("empty.svg", "--size -20");
    EXPECT_EQ(m_status, 0);
    EXPECT_NE(svg.find("viewBox=\"0 0 0 0\""), std::string::npos);
    render("empty.png", "--size -20");
    EXPECT_EQ(m_status, 1);
}

} // namespace
