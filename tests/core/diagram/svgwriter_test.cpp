#include "core/diagram/svgwriter.h"

#include "core/diagram/renderer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace quorel;

namespace {

bool contains(const std::string &haystack, const std::string &needle)
{
    return haystack.find(needle) != std::string::npos;
}

std::size_t countOf(const std::string &haystack, const std::string &needle)
{
    std::size_t n = 0;
    for (auto at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, at + 1))
        ++n;
    return n;
}

TEST(SvgWriter, DocumentSizeAndBackground)
{
    Picture picture(460, 460);
    picture.selectBrush(Brush {Brush::Kind::Solid, clWindow, BrushPattern::Solid});
    picture.selectPen(Pen {clWindow, PenPattern::Solid, 0});
    picture.rectangle(0, 0, 460, 460);
    const auto svg = pictureToSvg(picture, classicSystemColors());
    EXPECT_TRUE(contains(svg, "width=\"460\" height=\"460\" viewBox=\"0 0 460 460\""));
    EXPECT_TRUE(contains(svg,
                         "<rect x=\"0\" y=\"0\" width=\"460\" height=\"460\" fill=\"#ffffff\" "
                         "stroke=\"#ffffff\" stroke-width=\"1\"/>"));

    SystemColorTable dark = classicSystemColors();
    dark[5] = Rgb {0x20, 0x21, 0x22};
    EXPECT_TRUE(contains(pictureToSvg(picture, dark), "fill=\"#202122\""));
    EXPECT_TRUE(contains(pictureToSvg(Picture {}, dark), "viewBox=\"0 0 0 0\""));
}

TEST(SvgWriter, PenPatterns)
{
    struct Case
    {
        PenPattern pattern;
        int width;
        const char *dashes; // nullptr: solid
    };
    const Case cases[] = {
        {PenPattern::Solid, 0, nullptr},
        {PenPattern::Dash, 0, "18 6"},
        {PenPattern::Dot, 0, "3 3"},
        {PenPattern::DashDot, 1, "9 6 3 6"},
        {PenPattern::DashDotDot, 0, "9 3 3 3 3 3"},
        {PenPattern::Dot, 3, nullptr}, // wide: solid
    };
    for (const auto &c : cases) {
        Picture picture(10, 10);
        picture.selectPen(Pen {clRed, c.pattern, c.width});
        picture.line(1, 2, 3, 4);
        const auto svg = pictureToSvg(picture, classicSystemColors());
        EXPECT_TRUE(contains(svg, "<line x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\" stroke=\"#ff0000\""));
        if (c.dashes)
            EXPECT_TRUE(contains(svg, std::string("stroke-dasharray=\"") + c.dashes + "\"")) << svg;
        else
            EXPECT_FALSE(contains(svg, "stroke-dasharray")) << svg;
    }
}

TEST(SvgWriter, HatchedBrushesBecomeSharedPatterns)
{
    Picture picture(100, 100);
    picture.selectBrush(Brush {Brush::Kind::Hatched, clBlack, BrushPattern::BDiagonal});
    picture.ellipse(0, 0, 50, 50);
    picture.ellipse(10, 10, 40, 40);
    picture.selectBrush(Brush {Brush::Kind::Hatched, clBlue, BrushPattern::BDiagonal});
    picture.ellipse(0, 0, 50, 50);
    picture.selectBrush(Brush {Brush::Kind::Null, clBlue, BrushPattern::Solid});
    picture.ellipse(0, 0, 50, 50);
    const auto svg = pictureToSvg(picture, classicSystemColors());
    EXPECT_EQ(countOf(svg, "<pattern "), 2u);
    EXPECT_EQ(countOf(svg, "fill=\"url(#hatch0)\""), 2u);
    EXPECT_EQ(countOf(svg, "fill=\"url(#hatch1)\""), 1u);
    // Rising to the right: from the cell's bottom-left to its top-right.
    EXPECT_TRUE(contains(svg, "d=\"M0 8L8 0"));
    EXPECT_TRUE(contains(svg, "<ellipse cx=\"25\" cy=\"25\" rx=\"25\" ry=\"25\" fill=\"none\""));
}

TEST(SvgWriter, PiesRunCounterClockwiseFromTheFirstRadialPoint)
{
    struct Case
    {
        const char *name;
        op::Pie pie;
        const char *expected;
    };
    const Case cases[] = {
        // Petal of sector 1 at S = 460: a short arc from azimuth 10 back to north.
        {"Sector1", {23, 23, 437, 437, 266, 26, 230, 23}, "A207 207 0 0 0 230 23Z"},
        // From north counter-clockwise to azimuth 10: the long way round.
        {"LongWay", {23, 23, 437, 437, 230, 23, 266, 26}, "A207 207 0 1 0 265.97"},
        // West to east counter-clockwise passes through the south.
        {"HalfFromWest", {0, 0, 100, 100, 0, 50, 100, 50}, "M50 50L0 50A50 50 0 0 0 100 50Z"},
        {"Full", {0, 0, 100, 100, 100, 50, 100, 50}, "A50 50 0 0 0 0 50A50 50 0 0 0 100 50Z"},
    };
    for (const auto &c : cases) {
        Picture picture(460, 460);
        picture.pie(c.pie.left, c.pie.top, c.pie.right, c.pie.bottom, c.pie.x1, c.pie.y1, c.pie.x2,
                    c.pie.y2);
        const auto svg = pictureToSvg(picture, classicSystemColors());
        EXPECT_TRUE(contains(svg, c.expected)) << c.name << "\n" << svg;
    }
    Picture collapsed(0, 0);
    collapsed.pie(0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(contains(pictureToSvg(collapsed, classicSystemColors()), "<path"));
}

TEST(SvgWriter, PolygonsAreFilledAndPolylinesAreNot)
{
    Picture picture(100, 100);
    picture.selectBrush(Brush {Brush::Kind::Solid, clRed});
    picture.polygon({{10, 20}, {30, 5}, {40, 50}});
    picture.polyline({{1, 2}, {3, 4}});
    const std::string svg = pictureToSvg(picture, classicSystemColors());
    EXPECT_NE(svg.find("<polygon points=\"10,20 30,5 40,50\" fill=\"#ff0000\""), std::string::npos)
        << svg;
    EXPECT_NE(svg.find("<polyline points=\"1,2 3,4\" fill=\"none\""), std::string::npos);
}

TEST(SvgWriter, TextFontBoxAndEscaping)
{
    struct Case
    {
        const char *name;
        Brush brush;
        Font font;
        std::string text;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::vector<Case> cases = {
        {"LabelTransparent",
         Brush {Brush::Kind::Null, clWhite, BrushPattern::Solid},
         Font {"Courier New", 7, clWindowText, false, false, false},
         "90",
         {"font-family=\"Courier New\"", "font-size=\"9\"", "fill=\"#000000\">90<"},
         {"filter=", "font-weight"}},
        {"SolidBoxFromBrush",
         Brush {Brush::Kind::Solid, clBlue, BrushPattern::Solid},
         Font {"Arial", 12, clRed, true, true, true},
         "Joints",
         {"<feFlood flood-color=\"#0000ff\"/>", "filter=\"url(#box0)\"", "font-weight=\"bold\"",
          "font-style=\"italic\"", "text-decoration=\"underline\"", "y=\"34.4\""},
         {}},
        {"HatchedIsTransparent",
         Brush {Brush::Kind::Hatched, clBlue, BrushPattern::DiagCross},
         Font {},
         "Joints",
         {">Joints<"},
         {"filter="}},
        {"Escaped",
         Brush {Brush::Kind::Null, clWhite, BrushPattern::Solid},
         Font {"A\"&<B", 10, clBlack, false, false, false},
         "a<b & \"c\"\x01\x1f'",
         {">a&lt;b &amp; &quot;c&quot;&apos;<", "font-family=\"A&quot;&amp;&lt;B\""},
         {"\x01"}},
        {"Windows1250ShownAsUtf8",
         Brush {Brush::Kind::Null, clWhite, BrushPattern::Solid},
         Font {},
         "Sp\xea"
         "kania",
         {">Sp\xc4\x99kania<"},
         {}},
    };
    for (const auto &c : cases) {
        Picture picture(100, 100);
        picture.selectBrush(c.brush);
        picture.selectFont(c.font);
        picture.text(10, 20, c.text);
        const auto svg = pictureToSvg(picture, classicSystemColors());
        for (const auto &s : c.present)
            EXPECT_TRUE(contains(svg, s)) << c.name << ": " << s << "\n" << svg;
        for (const auto &s : c.absent)
            EXPECT_FALSE(contains(svg, s)) << c.name << ": " << s;
    }
}

TEST(SvgWriter, FontPixelsAt96Dpi)
{
    EXPECT_DOUBLE_EQ(fontPixels(72), 96.0);
    EXPECT_DOUBLE_EQ(fontPixels(-72), 96.0);
    EXPECT_DOUBLE_EQ(fontPixels(7), 9.0);
    EXPECT_DOUBLE_EQ(fontPixels(10), 13.0);
    EXPECT_DOUBLE_EQ(fontPixels(0), 1.0);
    EXPECT_DOUBLE_EQ(fontPixels(2147483647), 10000.0);
}

TEST(SvgWriter, WholeDiagramHasEveryPrimitive)
{
    DiagramStyle style;
    style.descriptionText = "Joints";
    style.fillStyle = 0;
    SectorCounts counts {};
    counts[0] = 2;
    counts[20] = 1;
    const auto picture = renderRoseDiagram(style, counts, 2, false);
    ASSERT_TRUE(picture.ok());
    const auto svg = pictureToSvg(*picture, classicSystemColors());
    EXPECT_EQ(countOf(svg, "<ellipse "), 18u);
    EXPECT_EQ(countOf(svg, "<line "), 76u);
    EXPECT_EQ(countOf(svg, "<text "), 5u);
    EXPECT_EQ(countOf(svg, "<path d=\"M230 230"), 2u);
    EXPECT_EQ(countOf(svg, "<filter "), 1u); // only the description stands on a box
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

} // namespace

namespace {

// An independent XML parser accepts the document whatever the description holds.
TEST(SvgWriter, WellFormedForAnyDescriptionBytes)
{
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xmllint is not installed";
    const std::string texts[] = {
        "plain",
        "<tag attr=\"v\">&amp;</tag>",
        "\x01\x02\x1b[31m control \x7f",
        "Sp\xea"
        "kania \xb9\x9c\x9f", // Windows-1250
        "\xff\xfe\xc3", // not valid UTF-8, not text either
        "\x81\x83\x88\x90\x98", // bytes Windows-1250 leaves undefined
        "]]> <!-- --> <?pi?>",
    };
    for (const auto &text : texts) {
        DiagramStyle style;
        style.descriptionText = text;
        style.descriptionFontName = "Font \"<&>\"";
        style.fillStyle = 0;
        const auto picture = renderRoseDiagram(style, {}, 0, false);
        ASSERT_TRUE(picture.ok());
        const std::string path = testing::TempDir() + "quorel-svg-wellformed.svg";
        {
            std::ofstream out(path, std::ios::binary);
            out << pictureToSvg(*picture, classicSystemColors());
        }
        EXPECT_EQ(std::system(("xmllint --noout '" + path + "' 2>/dev/null").c_str()), 0) << text;
        std::remove(path.c_str());
    }
}

} // namespace
