#include "clitest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using quorel::test::runCli;
using quorel::test::shellQuote;

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> crLfLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto end = text.find("\r\n", pos);
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

class CliReport : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path()
            / ("quorel-cli-report-" + std::to_string(::getpid()) + "-"
               + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path write(const std::string &name, const std::string &text)
    {
        const auto path = m_dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    fs::path m_dir;
};

TEST_F(CliReport, WritesPageWithBothPicturesBesideIt)
{
    const auto data = write("site4.qrl", "12;80\r\n15/75\r\n400\r\nbad\r\n// note\r\n");
    const auto page = m_dir / "site4.html";
    const auto run = runCli("report " + shellQuote(data.string()) + " -o "
                            + shellQuote(page.string()) + " --decimal-separator .");
    ASSERT_EQ(run.status, 0);

    const std::string wmf = readFile(m_dir / "site4.wmf");
    ASSERT_GE(wmf.size(), 22u);
    EXPECT_EQ(wmf.substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4)) << "placeable key";
    EXPECT_NE(readFile(m_dir / "site4.svg").find("<svg"), std::string::npos);

    const auto text = readFile(page);
    const auto lines = crLfLines(text);
    EXPECT_EQ(text.size(), [&] {
        std::size_t n = 0;
        for (const auto &line : lines)
            n += line.size() + 2;
        return n;
    }()) << "every line ends in CR LF";
    ASSERT_GT(lines.size(), 60u);
    EXPECT_EQ(lines[6], "  <title>site4</title>");
    EXPECT_EQ(lines[21], "<h3><center>site4</center></h3>");
    EXPECT_EQ(
        lines[32],
        R"(<center><picture><source srcset="site4.svg" type="image/svg+xml"><img src="site4.wmf"></picture></center><br><br><br><br>)");
    // Three measurements, the normalised one with four decimals.
    EXPECT_EQ(lines[38], "<tr>");
    EXPECT_EQ(lines[39], R"(  <td align="right">1.</td>)");
    EXPECT_EQ(lines[40], R"(  <td align="right"><font color="maroon">12</font></td>)");
    EXPECT_EQ(lines[48], R"(  <td align="right"><font color="maroon">40.0000</font></td>)");
    EXPECT_EQ(lines[50], "</table>");
    EXPECT_NE(text.find("<td>12; 15</td>"), std::string::npos);
    EXPECT_NE(text.find("All measurements: <b>3</b><br>"), std::string::npos);
    EXPECT_NE(text.find("Max: <b>2</b><br>"), std::string::npos);
}

TEST_F(CliReport, CircularSectionOnlyWhenAskedFor)
{
    const auto data = write("c.qrl", "10\r\n190\r\n12\r\n");
    const auto report = [&](const std::string &options) {
        const auto page = m_dir / "c.html";
        EXPECT_EQ(runCli("report " + shellQuote(data.string()) + " -o " + shellQuote(page.string())
                         + " --decimal-separator ." + options)
                      .status,
                  0);
        return readFile(page);
    };
    const std::string plain = report("");
    EXPECT_EQ(plain.find("circular"), std::string::npos);
    const std::string circular = report(" --circular");
    EXPECT_NE(circular.find(R"(<a href="#circular">Circular statistics</a><br>)"),
              std::string::npos);
    EXPECT_NE(circular.find("<tr><td>No preferred direction can be shown"), std::string::npos)
        << circular;
}

TEST_F(CliReport, FileWithoutMeasurementsGivesEmptyTable)
{
    const auto data = write("empty.qrl", "# nothing here\r\n");
    const auto page = m_dir / "empty.html";
    ASSERT_EQ(
        runCli("report " + shellQuote(data.string()) + " -o " + shellQuote(page.string())).status,
        0);
    const auto text = readFile(page);
    EXPECT_NE(text.find("<th>No.</th><th>Azimuth</th>\r\n</table>"), std::string::npos);
    EXPECT_NE(text.find("All measurements: <b>0</b><br>"), std::string::npos);
}

TEST_F(CliReport, NamesAreEscaped)
{
    const auto data = write("d.qrl", "10\r\n");
    const auto page = m_dir / "<b>&x.html";
    ASSERT_EQ(
        runCli("report " + shellQuote(data.string()) + " -o " + shellQuote(page.string())).status,
        0);
    const auto text = readFile(page);
    EXPECT_NE(text.find("<title>&lt;b&gt;&amp;x</title>"), std::string::npos);
    EXPECT_EQ(text.find("<b>&x"), std::string::npos);
    EXPECT_TRUE(fs::exists(m_dir / "<b>&x.svg"));
}

struct FailureCase
{
    const char *name;
    const char *args; // %D is replaced by the test's folder
    int status;
};

class CliReportFailures : public CliReport, public testing::WithParamInterface<FailureCase>
{ };

TEST_P(CliReportFailures, ExitStatus)
{
    write("ok.qrl", "10\r\n");
    std::string args = GetParam().args;
    for (auto at = args.find("%D"); at != std::string::npos; at = args.find("%D"))
        args.replace(at, 2, m_dir.string());
    EXPECT_EQ(runCli("report " + args).status, GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliReportFailures,
    testing::Values(FailureCase {"NoFile", "", 2}, FailureCase {"NoOutput", "%D/ok.qrl", 2},
                    FailureCase {"UnknownOption", "%D/ok.qrl -o %D/r.html --x", 2},
                    FailureCase {"MissingData", "%D/none.qrl -o %D/r.html", 1},
                    FailureCase {"PageNamedLikePicture", "%D/ok.qrl -o %D/r.wmf", 1},
                    FailureCase {"UnwritableFolder", "%D/ok.qrl -o %D/no/dir/r.html", 1}),
    [](const auto &test) { return std::string(test.param.name); });

// Opens the report in headless Chromium, when it is installed, and checks that the diagram is
// drawn: the petals are solid red, a colour nothing else on the page has, so red pixels in the
// screenshot mean the browser loaded and drew the picture.
TEST_F(CliReport, ChromiumShowsTheDiagram)
{
    std::string chromium;
    for (const char *candidate : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
        if (fs::exists(candidate))
            chromium = candidate;
    }
    if (chromium.empty())
        GTEST_SKIP() << "Chromium is not installed";
    if (std::system("convert -version 2>/dev/null | grep -q ImageMagick") != 0)
        GTEST_SKIP() << "ImageMagick is not installed to inspect the screenshot";

    const auto data = write("c.qrl",
                            "5\r\n15\r\n16\r\n17\r\n95\r\n96\r\n185\r\n275\r\n276\r\n"
                            ";FillColor=clRed\r\n;FillStyle=0\r\n");
    const auto page = m_dir / "c.html";
    ASSERT_EQ(
        runCli("report " + shellQuote(data.string()) + " -o " + shellQuote(page.string())).status,
        0);
    const auto shot = m_dir / "shot.png";
    const std::string command = shellQuote(chromium)
        + " --headless --no-sandbox --disable-gpu --no-first-run"
          " --disable-background-networking --disable-component-update --disable-sync"
          " --hide-scrollbars --user-data-dir="
        + shellQuote((m_dir / "profile").string())
        + " --window-size=800,900 --screenshot=" + shellQuote(shot.string()) + " "
        + shellQuote("file://" + page.string()) + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(fs::exists(shot));
    if (const char *keep = std::getenv("QUOREL_KEEP_SCREENSHOT"))
        fs::copy_file(shot, keep, fs::copy_options::overwrite_existing);

    const auto histogram = m_dir / "hist.txt";
    const std::string inspect = "convert " + shellQuote(shot.string())
        + " -format %c histogram:info:- > " + shellQuote(histogram.string()) + " 2>/dev/null";
    ASSERT_EQ(std::system(inspect.c_str()), 0);
    EXPECT_NE(readFile(histogram).find("#FF0000"), std::string::npos)
        << "no red petals in the screenshot";
}

} // namespace
