#include "core/stereonet/stereonetrenderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorel;

namespace {

struct Counts
{
    std::size_t dots = 0;
    std::size_t polygons = 0;
    std::size_t polylines = 0;
    std::vector<std::string> texts;
};

Counts countOps(const Picture &picture)
{
    Counts counts;
    for (const PictureOp &op : picture.ops()) {
        counts.dots += std::holds_alternative<op::Ellipse>(op) ? 1u : 0u;
        counts.polygons += std::holds_alternative<op::Polygon>(op) ? 1u : 0u;
        counts.polylines += std::holds_alternative<op::Polyline>(op) ? 1u : 0u;
        if (const auto *text = std::get_if<op::Text>(&op))
            counts.texts.push_back(text->text);
    }
    return counts;
}

struct RenderCase
{
    const char *name;
    std::size_t poles;
    StereonetOptions options;
    std::size_t dots; // the primitive circle is one
    bool polygons;
    std::vector<std::string> legend; // the texts after "N"
};

StereonetOptions with(void (*change)(StereonetOptions &))
{
    StereonetOptions options;
    options.words.thinnedLegend = "%1 of %2 (1 in %3)";
    options.words.contourLegend = "every %1, sigma %2, max %3";
    options.decimalSeparator = ',';
    change(options);
    return options;
}

class Render : public testing::TestWithParam<RenderCase>
{ };

TEST_P(Render, DrawsWhatTheOptionsAskAndSaysSo)
{
    const RenderCase &c = GetParam();
    std::vector<Direction> poles;
    for (std::size_t k = 0; k < c.poles; ++k)
        poles.push_back({double(k % 360), 30 + double(k % 7)});
    DiagramStyle style;
    const Result<Picture> picture =
        renderStereonet(style, poles, true, SphericalStatistics {}, c.options);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 460);
    const Counts counts = countOps(*picture);
    EXPECT_EQ(counts.dots, c.dots);
    EXPECT_EQ(counts.polygons > 0, c.polygons);
    ASSERT_GE(counts.texts.size(), 1u);
    EXPECT_EQ(counts.texts.front(), "N");
    std::vector<std::string> legend(counts.texts.begin() + 1, counts.texts.end());
    if (!c.legend.empty() && c.legend.front() == "every 2, sigma 3, max *") {
        ASSERT_EQ(legend.size(), 1u);
        EXPECT_EQ(legend[0].rfind("every 2, sigma 3, max ", 0), 0u);
        EXPECT_NE(legend[0].find(','), std::string::npos); // the decimal separator
    } else {
        EXPECT_EQ(legend, c.legend);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stereonet, Render,
    testing::Values(
        RenderCase {"EmptyNet", 0, with([](StereonetOptions &) {}), 1, false, {}},
        RenderCase {"EveryPole", 40, with([](StereonetOptions &) {}), 41, false, {}},
        RenderCase {"ThinnedPastTheLimit",
                    7000,
                    with([](StereonetOptions &) {}),
                    2335,
                    false,
                    {"2334 of 7000 (1 in 3)"}},
        RenderCase {"GreatCirclesInsteadOfPoles",
                    40,
                    with([](StereonetOptions &o) { o.greatCircles = true; }),
                    1,
                    false,
                    {}},
        RenderCase {
            "NoPoints", 40, with([](StereonetOptions &o) { o.points = false; }), 1, false, {}},
        RenderCase {"ContoursUnderThePoles",
                    200,
                    with([](StereonetOptions &o) { o.contours = true; }),
                    201,
                    true,
                    {"every 2, sigma 3, max *"}}),
    [](const auto &test) { return std::string(test.param.name); });

// A caller that worked the density out beforehand (off the thread that draws) gets the picture
// the renderer would draw by itself, for either net.
TEST(Render, DensityAtHandDrawsTheSameContours)
{
    std::vector<Direction> poles;
    std::vector<Vector3> vectors;
    for (std::size_t k = 0; k < 300; ++k) {
        poles.push_back({double(k * 7 % 360), 20 + double(k % 50)});
        vectors.push_back(unitVector(poles.back()));
    }
    for (const NetKind net : {NetKind::Schmidt, NetKind::Wulff}) {
        StereonetOptions options = with([](StereonetOptions &o) { o.contours = true; });
        options.net = net;
        const DensityGrid grid = densityGrid(vectors, 100, net, true);
        const Result<Picture> computed = renderStereonet(DiagramStyle {}, poles, true, {}, options);
        options.density = &grid;
        const Result<Picture> given = renderStereonet(DiagramStyle {}, poles, true, {}, options);
        ASSERT_TRUE(computed && given);
        EXPECT_EQ(*given, *computed);
    }
}

// The window finds a pole under the pointer from the placement: a vertical pole's dot stands on
// the circle's centre, a horizontal one's on its edge.
TEST(Render, PlacementIsWhereThePolesAreDrawn)
{
    const std::vector<Direction> poles {{0, 90}, {90, 0}};
    DiagramStyle style;
    style.diagramSize = "600";
    const Result<Picture> picture = renderStereonet(style, poles, true, {}, StereonetOptions {});
    ASSERT_TRUE(picture);
    const StereonetPlacement at = stereonetPlacement(600);
    std::vector<op::Ellipse> dots;
    for (const PictureOp &op : picture->ops()) {
        if (const auto *ellipse = std::get_if<op::Ellipse>(&op))
            dots.push_back(*ellipse);
    }
    ASSERT_EQ(dots.size(), 3u); // the primitive circle, then the two poles
    const auto centre = [](const op::Ellipse &e) {
        return std::pair {(e.left + e.right - 1) / 2.0, (e.top + e.bottom - 1) / 2.0};
    };
    EXPECT_NEAR(centre(dots[1]).first, at.cx, 1);
    EXPECT_NEAR(centre(dots[1]).second, at.cy, 1);
    EXPECT_NEAR(centre(dots[2]).first, at.cx + at.radius, 1);
    EXPECT_NEAR(centre(dots[2]).second, at.cy, 1);
    EXPECT_EQ(dots[1].right - dots[1].left, 2 * at.marker + 1);
}

TEST(Render, SizeThatIsNoNumberIsAnError)
{
    DiagramStyle style;
    style.diagramSize = "wide";
    EXPECT_FALSE(renderStereonet(style, {}, true, {}, {}));
    style.diagramSize = "-5";
    EXPECT_TRUE(renderStereonet(style, {}, true, {}, {})->isEmpty());
}

} // namespace
