#include "core/tools/htmlreport.h"

#include "core/data/measurementstore.h"
#include "core/data/sectorarrays.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace quorel {
namespace {

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Loaded
{
    MeasurementStore store;
    SectorArrays sectors;
};

Loaded load(std::initializer_list<const char *> texts)
{
    Loaded loaded;
    for (const char *text : texts)
        loaded.store.appendText(text, '.');
    binSectors(loaded.sectors, loaded.store);
    return loaded;
}

HtmlReportContent content(const std::string &name)
{
    HtmlReportContent c;
    c.author = "anna";
    c.name = name;
    c.pictureName = name + ".wmf";
    c.svgName = name + ".svg";
    c.allText = "3";
    c.maxText = "2";
    c.homePage = "";
    return c;
}

// The expected page of three measurements, 12, 15 and 40.0000, saved as site4.html.
std::vector<std::string> expectedSite4()
{
    std::vector<std::string> lines = {
        R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)",
        "",
        "<html>",
        "<head>",
        R"(  <meta name="language" content="en">)",
        R"(  <meta name="author" content="anna">)",
        "  <title>site4</title>",
        "  <style>",
        "  body {background-color: #dcd6be;font-family:Verdana;font-size:10pt;",
        "        margin-left:0.3cm;margin-right:0.3cm;scrollbar-face-color:#d3ccaf;",
        "        scrollbar-highlight-color:#dcd6be;scrollbar-shadow-color:gray;",
        "        scrollbar-3dlight-color:gray;scrollbar-arrow-color:black;}",
        "  td {font-size:8pt;font-family:Verdana;}",
        "  th {font-size:8pt;font-family:Verdana;}",
        "  a:link {color:maroon;text-decoration:none;}",
        "  a:visited {color:maroon;text-decoration:none;}",
        "  </style>",
        "</head>",
        "",
        "<body>",
        "",
        "<h3><center>site4</center></h3>",
        "<hr>",
        "<blockquote>",
        R"(  <a href="#graph">Graph</a><br>)",
        R"(  <a href="#measurements">Measurements</a><br>)",
        R"(  <a href="#stats">Statistics</a><br>)",
        "</blockquote>",
        "<br><br>",
        "",
        R"(<a name="graph">)",
        "<b><center>Graph</center></b><br>",
        R"(<center><picture><source srcset="site4.svg" type="image/svg+xml"><img src="site4.wmf"></picture></center><br><br><br><br>)",
        "",
        R"(<a name="measurements">)",
        "<b><center>Measurements</center></b><br>",
        "<table border=1 cellSpacing=0 cellPadding=3 align=center>",
        "<th>No.</th><th>Azimuth</th>",
    };
    const char *azimuths[] = {"12", "15", "40.0000"};
    for (int n = 1; n <= 3; ++n) {
        lines.push_back("<tr>");
        lines.push_back(R"(  <td align="right">)" + std::to_string(n) + ".</td>");
        lines.push_back(R"(  <td align="right"><font color="maroon">)"
                        + std::string(azimuths[n - 1]) + "</font></td>");
        lines.push_back("</tr>");
    }
    for (const char *line : {"</table>", "", "<br><br><br><br>", R"(<a name="stats">)",
                             "<b><center>Statistics</center></b><br>",
                             "<table border=1 cellSpacing=0 cellPadding=3 align=center>",
                             "<th>Range</th><th>Count</th><th>Azimuth</th>"})
        lines.push_back(line);
    for (int k = 1; k <= 36; ++k) {
        lines.push_back("<tr>");
        lines.push_back(k == 1 ? std::string(R"(  <td align="center">0 - 10</td>)")
                               : R"(  <td align="center">)" + std::to_string(10 * k - 9) + " - "
                                + std::to_string(10 * k) + "</td>");
        const int count = k == 2 ? 2 : k == 4 ? 1 : 0;
        const std::string list = k == 2 ? "12; 15" : k == 4 ? "40.0000" : "&nbsp;";
        lines.push_back(R"(  <td align="right"><font color="maroon">)" + std::to_string(count)
                        + "</font></td>");
        lines.push_back("  <td>" + list + "</td>");
        lines.push_back("</tr>");
    }
    for (const char *line : {"</table>", "", "<br><br>", "<center>",
                             "All measurements: <b>3</b><br>", "Max: <b>2</b><br>", "</center>",
                             "<hr>", R"(<div style="font-size:6pt;font-family:Verdana">)"})
        lines.push_back(line);
    lines.push_back("QUOREL<br>");
    for (const char *line : {"</div>", "</body>", "", "</html>"})
        lines.push_back(line);
    return lines;
}

TEST(HtmlReport, MatchesTheExpectedPageLineByLine)
{
    const auto loaded = load({"12", "15", "40.0000"});
    const auto lines = htmlReportLines(content("site4"), loaded.store, loaded.sectors);
    const auto expected = expectedSite4();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    // 61 fixed lines, of which two stand for the row blocks.
    EXPECT_EQ(lines.size(), 59u + 3 * 4 + 36 * 5);
}

TEST(HtmlReport, CircularSectionOnlyWithItsSentences)
{
    const auto loaded = load({"12", "15", "40.0000"});
    auto c = content("site4");
    const auto plain = htmlReportLines(c, loaded.store, loaded.sectors);
    c.circularLines = {"Circular variance 0.017 (0 = no spread, 1 = maximal spread).",
                       "Concentration \u03BA = 29.4 <tight>"};
    const auto lines = htmlReportLines(c, loaded.store, loaded.sectors);

    // The page with the section is the page without it plus an entry in the contents after
    // "Statistics" and the section after the two figures, nothing else moved.
    std::vector<std::string> expected = plain;
    const auto insertAfter = [&expected](std::string_view line, int skip,
                                         std::vector<std::string> added) {
        const auto at = std::find(expected.begin(), expected.end(), line);
        ASSERT_NE(at, expected.end()) << line;
        expected.insert(at + 1 + skip, added.begin(), added.end());
    };
    insertAfter(R"(  <a href="#stats">Statistics</a><br>)", 0,
                {R"(  <a href="#circular">Circular statistics</a><br>)"});
    // After the two figures and the "</center>" that closes them.
    insertAfter("Max: <b>2</b><br>", 1,
                {"", "<br><br>", R"(<a name="circular">)",
                 "<b><center>Circular statistics</center></b><br>",
                 "<table border=1 cellSpacing=0 cellPadding=3 align=center>",
                 "<tr><td>Circular variance 0.017 (0 = no spread, 1 = maximal spread).</td></tr>",
                 "<tr><td>Concentration &#954; = 29.4 &lt;tight&gt;</td></tr>", "</table>",
                 "<br>"});
    EXPECT_EQ(lines, expected);
}

// The stereonet's section follows the circular statistics' (or the figures when there are none)
// and has an entry in the contents after theirs; without its picture the page is as before.
TEST(HtmlReport, StereonetSectionOnlyWithItsPicture)
{
    const auto loaded = load({"12", "15", "40.0000"});
    auto c = content("site4");
    c.circularLines = {"Circular variance 0.017"};
    c.stereonetLines = {"Mean pole 215/62 <x>"};
    const auto withoutPicture = htmlReportLines(c, loaded.store, loaded.sectors);
    c.stereonetLines.clear();
    EXPECT_EQ(withoutPicture, htmlReportLines(c, loaded.store, loaded.sectors));

    c.stereonetPictureName = "site4-stereonet.wmf";
    c.stereonetSvgName = "site4-stereonet.svg";
    c.stereonetLines = {"Mean pole 215/62 <x>"};
    const auto lines = htmlReportLines(c, loaded.store, loaded.sectors);
    std::vector<std::string> expected = withoutPicture;
    const auto circularEntry = std::find(expected.begin(), expected.end(),
                                         R"(  <a href="#circular">Circular statistics</a><br>)");
    ASSERT_NE(circularEntry, expected.end());
    expected.insert(circularEntry + 1, R"(  <a href="#stereonet">Stereonet</a><br>)");
    const auto footer = std::find(expected.begin(), expected.end(), "<hr>") + 1;
    const auto rule = std::find(footer, expected.end(), "<hr>");
    ASSERT_NE(rule, expected.end());
    const std::vector<std::string> section {
        "",
        "<br><br>",
        R"(<a name="stereonet">)",
        "<b><center>Stereonet</center></b><br>",
        R"(<center><picture><source srcset="site4-stereonet.svg" type="image/svg+xml">)"
        R"(<img src="site4-stereonet.wmf"></picture></center><br>)",
        "<table border=1 cellSpacing=0 cellPadding=3 align=center>",
        "<tr><td>Mean pole 215/62 &lt;x&gt;</td></tr>",
        "</table>",
        "<br>"};
    expected.insert(rule, section.begin(), section.end());
    EXPECT_EQ(lines, expected);
}

TEST(HtmlReport, FooterLinksToTheHomePageOnlyWhenThereIsOne)
{
    const auto loaded = load({"12"});
    const auto footer = [&](const std::string &homePage) {
        auto c = content("a");
        c.homePage = homePage;
        const auto lines = htmlReportLines(c, loaded.store, loaded.sectors);
        return lines.at(lines.size() - 5);
    };
    EXPECT_EQ(footer(""), "QUOREL<br>");
    EXPECT_EQ(footer("https://example.org/q?a=1&b=2"),
              R"(<a href="https://example.org/q?a=1&amp;b=2" )"
              R"(title="https://example.org/q?a=1&amp;b=2">QUOREL</a><br>)");
    // Unless told otherwise a page takes the address the program was built with (none by
    // default), as the GUI's and the batch front end's reports do.
    EXPECT_EQ(HtmlReportContent().homePage, builtProjectAddresses().homePage);
}

TEST(HtmlReport, TextEndsEveryLineInCrLf)
{
    const auto loaded = load({"12"});
    const auto text = htmlReportText(content("a"), loaded.store, loaded.sectors);
    const auto lines = htmlReportLines(content("a"), loaded.store, loaded.sectors);
    std::string joined;
    for (const auto &line : lines)
        joined += line + "\r\n";
    EXPECT_EQ(text, joined);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

TEST(HtmlReport, EmptyStoreGivesEmptyMeasurementTable)
{
    const auto loaded = load({});
    const auto lines = htmlReportLines(content("empty"), loaded.store, loaded.sectors);
    const auto header = std::find(lines.begin(), lines.end(), "<th>No.</th><th>Azimuth</th>");
    ASSERT_NE(header, lines.end());
    EXPECT_EQ(*(header + 1), "</table>");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "<tr>"), 36);
}

struct EscapeCase
{
    const char *name;
    const char *input;
    const char *expected;
};

class HtmlEscape : public testing::TestWithParam<EscapeCase>
{ };

TEST_P(HtmlEscape, MakesPlainAsciiMarkupFree)
{
    EXPECT_EQ(htmlEscape(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HtmlEscape,
    testing::Values(EscapeCase {"Plain", "site 4", "site 4"},
                    EscapeCase {"Markup", "<b>&x", "&lt;b&gt;&amp;x"},
                    EscapeCase {"Quotes", R"(a"b'c)", "a&quot;b&#39;c"},
                    EscapeCase {"Utf8Polish", "\xc5\x82\xc3\xb3\xc5\xbc", "&#322;&#243;&#380;"},
                    EscapeCase {"Windows1250Polish", "\xb3\xf3\xbf", "&#322;&#243;&#380;"},
                    EscapeCase {"FourByteUtf8", "\xf0\x9f\x98\x80", "&#128512;"},
                    EscapeCase {"Empty", "", ""}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(HtmlReport, InsertedValuesCannotInjectMarkup)
{
    const auto loaded = load({"12"});
    auto c = content("<b>&x");
    c.author = R"(x"><script>)";
    const auto text = htmlReportText(c, loaded.store, loaded.sectors);
    EXPECT_EQ(text.find("<b>&x"), std::string::npos);
    EXPECT_EQ(text.find("<script>"), std::string::npos);
    EXPECT_NE(text.find("<title>&lt;b&gt;&amp;x</title>"), std::string::npos);
    EXPECT_NE(text.find("<h3><center>&lt;b&gt;&amp;x</center></h3>"), std::string::npos);
    EXPECT_NE(text.find(R"(content="x&quot;&gt;&lt;script&gt;">)"), std::string::npos);
    EXPECT_NE(text.find(R"(srcset="&lt;b&gt;&amp;x.svg")"), std::string::npos);
}

struct UrlCase
{
    const char *name;
    const char *picture;
    const char *expectedSrc;
};

class HtmlReportPictureUrl : public testing::TestWithParam<UrlCase>
{ };

TEST_P(HtmlReportPictureUrl, FileNameBecomesAWorkingRelativeUrl)
{
    const auto loaded = load({});
    auto c = content("x");
    c.pictureName = GetParam().picture;
    const auto text = htmlReportText(c, loaded.store, loaded.sectors);
    EXPECT_NE(text.find(std::string(R"(<img src=")") + GetParam().expectedSrc + "\">"),
              std::string::npos)
        << text.substr(text.find("<picture>"), 200);
}

INSTANTIATE_TEST_SUITE_P(Cases, HtmlReportPictureUrl,
                         testing::Values(UrlCase {"Plain", "site4.wmf", "site4.wmf"},
                                         UrlCase {"Blank", "my site.wmf", "my%20site.wmf"},
                                         UrlCase {"HashAndQuestion", "a#b?c.wmf", "a%23b%3Fc.wmf"},
                                         UrlCase {"Percent", "100%.wmf", "100%25.wmf"},
                                         UrlCase {"CommaSplitsSrcset", "a,b.wmf", "a%2Cb.wmf"},
                                         UrlCase {"Utf8Bytes", "\xc5\x82.wmf", "%C5%82.wmf"}),
                         [](const auto &test) { return std::string(test.param.name); });

struct PathCase
{
    const char *name;
    const char *page;
    const char *wmf;
    const char *svg;
    const char *base;
};

class HtmlReportPathsTest : public testing::TestWithParam<PathCase>
{ };

TEST_P(HtmlReportPathsTest, PicturesSitBesideThePage)
{
    const auto paths = htmlReportPaths(GetParam().page);
    EXPECT_EQ(paths.page, GetParam().page);
    EXPECT_EQ(paths.wmf, GetParam().wmf);
    EXPECT_EQ(paths.svg, GetParam().svg);
    EXPECT_EQ(paths.baseName, GetParam().base);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HtmlReportPathsTest,
    testing::Values(PathCase {"Html", "/d/site4.html", "/d/site4.wmf", "/d/site4.svg", "site4"},
                    PathCase {"Upper", "/d/R.HTML", "/d/R.wmf", "/d/R.svg", "R"},
                    PathCase {"NoExtension", "/d/report", "/d/report.wmf", "/d/report.svg",
                              "report"},
                    PathCase {"TwoDots", "/d/a.b.html", "/d/a.b.wmf", "/d/a.b.svg", "a.b"},
                    PathCase {"Relative", "out.html", "out.wmf", "out.svg", "out"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(HtmlReportFiles, WritesAllThreeOrNoPage)
{
    const auto dir = std::filesystem::temp_directory_path()
        / ("quorel-report-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto paths = htmlReportPaths((dir / "r.html").string());
    ASSERT_TRUE(writeHtmlReport(paths, "WMF", "<svg/>", "PAGE").ok());
    EXPECT_EQ(readFile(paths.wmf), "WMF");
    EXPECT_EQ(readFile(paths.svg), "<svg/>");
    EXPECT_EQ(readFile(paths.page), "PAGE");

    // A picture that cannot be written keeps the page from being written.
    auto blocked = htmlReportPaths((dir / "s.html").string());
    std::filesystem::create_directories(blocked.wmf); // a folder where the file should go
    EXPECT_FALSE(writeHtmlReport(blocked, "WMF", "<svg/>", "PAGE").ok());
    EXPECT_FALSE(std::filesystem::exists(blocked.page));
    std::filesystem::remove_all(dir);
}

TEST(HtmlReportFiles, StereonetPicturesBesideThePageWhenAsked)
{
    const auto dir = std::filesystem::temp_directory_path()
        / ("quorel-report-stereonet-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto paths = htmlReportPaths((dir / "fold.v2.html").string());
    EXPECT_EQ(paths.stereonetWmf, (dir / "fold.v2-stereonet.wmf").string());
    EXPECT_EQ(paths.stereonetSvg, (dir / "fold.v2-stereonet.svg").string());
    ASSERT_TRUE(writeHtmlReport(paths, "WMF", "<svg/>", "PAGE").ok());
    EXPECT_FALSE(std::filesystem::exists(paths.stereonetWmf));
    const HtmlReportStereonetFiles stereonet {"NET", "<svg n/>"};
    ASSERT_TRUE(writeHtmlReport(paths, "WMF", "<svg/>", "PAGE", &stereonet).ok());
    EXPECT_EQ(readFile(paths.stereonetWmf), "NET");
    EXPECT_EQ(readFile(paths.stereonetSvg), "<svg n/>");

    // A page named like the stereonet's picture would replace it.
    auto named = htmlReportPaths((dir / "a.html").string());
    named.page = named.stereonetWmf;
    EXPECT_FALSE(writeHtmlReport(named, "WMF", "<svg/>", "PAGE", &stereonet).ok());
    EXPECT_FALSE(std::filesystem::exists(named.stereonetWmf));
    std::filesystem::remove_all(dir);
}

TEST(HtmlReportFiles, PageNamedLikeItsPictureIsRefused)
{
    const auto dir = std::filesystem::temp_directory_path()
        / ("quorel-report-self-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    for (const char *name : {"x.wmf", "x.svg"}) {
        const auto paths = htmlReportPaths((dir / name).string());
        const auto status = writeHtmlReport(paths, "WMF", "<svg/>", "PAGE");
        EXPECT_FALSE(status.ok()) << name;
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    }
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace quorel
