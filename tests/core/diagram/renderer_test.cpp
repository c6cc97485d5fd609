#include "core/diagram/renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace quorel;

namespace {

template<class Op>
std::vector<Op> opsOf(const Picture &picture)
{
    std::vector<Op> found;
    for (const auto &op : picture.ops()) {
        if (const auto *p = std::get_if<Op>(&op))
            found.push_back(*p);
    }
    return found;
}

Picture render(const std::string &size, const SectorCounts &counts = {}, int max = 0,
               DiagramStyle style = DiagramStyle::firstRun(), bool random = false)
{
    style.diagramSize = size;
    auto result = renderRoseDiagram(style, counts, max, random);
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.message());
    return result.ok() ? result.value() : Picture {};
}

TEST(RoseGeometry, DerivedQuantities)
{
    struct Case
    {
        int size;
        int q, r;
        double c;
        int v;
    };
    const Case cases[] = {
        {460, 23, 207, 230.0, 230},
        {461, 23, 207, 230.5, 230}, // D = 414.9; c = 230.5 goes to the
                                    // even 230
        {463, 23, 208, 231.5, 232}, // 231.5 goes up to the even 232
        {0, 0, 0, 0.0, 0},
        {20, 1, 9, 10.0, 10},
        {4000, 200, 1800, 2000.0, 2000},
    };
    for (const auto &c : cases) {
        const auto g = roseGeometry(c.size);
        EXPECT_EQ(g.ringStep, c.q) << c.size;
        EXPECT_EQ(g.radius, c.r) << c.size;
        EXPECT_DOUBLE_EQ(g.centre, c.c) << c.size;
        EXPECT_EQ(g.centrePixel, c.v) << c.size;
    }
}

TEST(RoseGeometry, AzimuthPointsRunClockwiseFromNorth)
{
    EXPECT_EQ(azimuthPoint(230, 0, 207), (PixelPoint {230, 23}));
    EXPECT_EQ(azimuthPoint(230, 90, 207), (PixelPoint {437, 230}));
    EXPECT_EQ(azimuthPoint(230, 180, 207), (PixelPoint {230, 437}));
    EXPECT_EQ(azimuthPoint(230, 270, 207), (PixelPoint {23, 230}));
    EXPECT_EQ(azimuthPoint(230, 10, 207), (PixelPoint {266, 26}));
}

TEST(RoseDiagram, CirclesAtSize460)
{
    const auto ellipses = opsOf<op::Ellipse>(render("460"));
    ASSERT_EQ(ellipses.size(), 18u);
    EXPECT_EQ(ellipses[0], (op::Ellipse {23, 23, 437, 437})); // outer main circle
    EXPECT_EQ(ellipses[8], (op::Ellipse {207, 207, 253, 253})); // innermost main circle
    EXPECT_EQ(ellipses[9], (op::Ellipse {34, 34, 426, 426})); // first secondary circle
    EXPECT_EQ(ellipses[17], (op::Ellipse {218, 218, 242, 242}));
}

TEST(RoseDiagram, PetalsWithBoxesAndRadialPoints)
{
    SectorCounts counts {};
    counts[0] = 10;
    counts[18] = 5;
    const auto pies = opsOf<op::Pie>(render("460", counts, 10));
    ASSERT_EQ(pies.size(), 2u);
    EXPECT_EQ(pies[0], (op::Pie {23, 23, 437, 437, 266, 26, 230, 23}));
    // r = 103.5: 126.5 and 333.5 go to the even neighbours.
    EXPECT_EQ(pies[1], (op::Pie {126, 126, 334, 334, 212, 332, 230, 334}));
}

TEST(RoseDiagram, SingleMeasurementFillsItsSectorToTheOuterCircle)
{
    SectorCounts counts {};
    counts[0] = 1;
    const auto pies = opsOf<op::Pie>(render("460", counts, 1));
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0], (op::Pie {23, 23, 437, 437, 266, 26, 230, 23}));
}

TEST(RoseDiagram, PetalsAreLinearInTheCount)
{
    SectorCounts counts {};
    counts[8] = 4; // azimuth 80..90
    counts[9] = 1; // azimuth 90..100
    const auto pies = opsOf<op::Pie>(render("460", counts, 4));
    ASSERT_EQ(pies.size(), 2u);
    EXPECT_EQ(pies[0].left, 23);
    // r = 51.75: e = 178.25 -> 178, S - e = 281.75 -> 282; azimuths 100 and 90.
    EXPECT_EQ(pies[1], (op::Pie {178, 178, 282, 282, 281, 239, 282, 230}));
}

TEST(RoseDiagram, ScaleNeverBelowTheLargestCount)
{
    SectorCounts counts {};
    counts[3] = 7;
    for (int stale : {0, -3, 2}) {
        const auto pies = opsOf<op::Pie>(render("460", counts, stale));
        ASSERT_EQ(pies.size(), 1u) << stale;
        EXPECT_EQ(pies[0].left, 23) << stale;
    }
    counts[3] = -2; // never a petal for a count that is not positive
    EXPECT_TRUE(opsOf<op::Pie>(render("460", counts, 5)).empty());
}

TEST(RoseDiagram, OddSize461)
{
    const auto picture = render("461");
    EXPECT_EQ(picture.width(), 461);
    const auto lines = opsOf<op::Line>(picture);
    ASSERT_EQ(lines.size(), 72u + 4u);
    EXPECT_EQ(lines[72], (op::Line {230, 230, 230, 10}));
    EXPECT_EQ(lines[73], (op::Line {230, 230, 455, 230}));
    EXPECT_EQ(lines[74], (op::Line {230, 230, 230, 456}));
    EXPECT_EQ(lines[75], (op::Line {230, 230, 5, 230}));
    const auto texts = opsOf<op::Text>(picture);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], (op::Text {232, 0, "0"}));
    EXPECT_EQ(texts[1], (op::Text {449, 230, "90"}));
    EXPECT_EQ(texts[2], (op::Text {232, 449, "180"})); // 232.5 -> 232
    EXPECT_EQ(texts[3], (op::Text {0, 230, "270"}));
}

TEST(RoseDiagram, SizeZeroCollapsesToTheOrigin)
{
    SectorCounts counts {};
    counts[5] = 3;
    const auto picture = render("0", counts, 3);
    EXPECT_EQ(picture.width(), 0);
    for (const auto &e : opsOf<op::Ellipse>(picture))
        EXPECT_EQ(e, (op::Ellipse {0, 0, 0, 0}));
    const auto lines = opsOf<op::Line>(picture);
    ASSERT_EQ(lines.size(), 76u);
    for (std::size_t i = 0; i < 72; ++i)
        EXPECT_EQ(lines[i], (op::Line {0, 0, 0, 0}));
    EXPECT_EQ(lines[72], (op::Line {0, 0, 0, 10}));
    EXPECT_EQ(lines[73], (op::Line {0, 0, -5, 0}));
    EXPECT_EQ(lines[74], (op::Line {0, 0, 0, -5}));
    EXPECT_EQ(lines[75], (op::Line {0, 0, 5, 0}));
    const auto texts = opsOf<op::Text>(picture);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1], (op::Text {-12, 0, "90"}));
    EXPECT_EQ(texts[2], (op::Text {2, -12, "180"}));
    EXPECT_EQ(opsOf<op::Pie>(picture), (std::vector<op::Pie> {{0, 0, 0, 0, 0, 0, 0, 0}}));
}

TEST(RoseDiagram, SizeTexts)
{
    struct Case
    {
        const char *text;
        bool ok;
        int width;
        std::size_t ops;
    };
    const Case cases[] = {
        {"46x", false, 0, 0},   {"", false, 0, 0},      {"4 60", false, 0, 0},
        {" 460", true, 460, 0}, {"$1CC", true, 460, 0}, {"-20", true, 0, 0}, // empty picture
    };
    for (const auto &c : cases) {
        DiagramStyle style;
        style.diagramSize = c.text;
        const auto result = renderRoseDiagram(style, {}, 0, false);
        ASSERT_EQ(result.ok(), c.ok) << c.text;
        if (!c.ok) {
            EXPECT_EQ(result.message(),
                      "'" + std::string(c.text) + "' is not a valid integer value");
            continue;
        }
        EXPECT_EQ(result->width(), c.width) << c.text;
        EXPECT_EQ(result->height(), c.width) << c.text;
        if (c.width == 0) {
            EXPECT_TRUE(result->ops().empty()) << c.text;
        }
    }
}

TEST(RoseDiagram, HugeSizeStaysInRange)
{
    SectorCounts counts {};
    counts[35] = 1;
    const auto picture = render("2147483647", counts, 1);
    EXPECT_EQ(picture.width(), 2147483647);
    EXPECT_EQ(opsOf<op::Pie>(picture).size(), 1u);
}

// The order in which the drawing is recorded: later steps paint over earlier ones.
TEST(RoseDiagram, OrderOfOperations)
{
    SectorCounts counts {};
    counts[2] = 1;
    DiagramStyle style;
    style.descriptionText = "Joints";
    const auto picture = render("460", counts, 1, style);
    std::string kinds;
    for (const auto &op : picture.ops())
        kinds += "PBFREL<T"[op.index()];
    // Selection letters: P pen, B brush, F font; shapes: R rectangle, E ellipse, L line,
    // < pie, T text.
    const std::string expected = "BPR" + std::string("BP") + std::string(9, 'E') + "P"
        + std::string(9, 'E') + "P" + std::string(36, 'L') + "P" + std::string(36, 'L') + "BPF"
        + "LTLTLTLT" + "BP<" + "FBT";
    EXPECT_EQ(kinds, expected);
}

TEST(RoseDiagram, PensBrushesAndFontsFollowTheStyle)
{
    DiagramStyle style;
    style.backgroundColor = clWindow;
    style.mainLineColor = clRed;
    style.mainLineStyle = 7; // outside the list: solid
    style.secondaryLineColor = clBlue;
    style.secondaryLineStyle = 3;
    style.fillColor = clGreen;
    style.fillStyle = 1;
    style.labelColor = clMaroon;
    SectorCounts counts {};
    counts[0] = 1;
    const auto picture = render("460", counts, 1, style);
    const auto pens = opsOf<op::SelectPen>(picture);
    ASSERT_EQ(pens.size(), 7u);
    EXPECT_EQ(pens[0].pen, (Pen {clWindow, PenPattern::Solid, 0}));
    EXPECT_EQ(pens[1].pen, (Pen {clRed, PenPattern::Solid, 0}));
    EXPECT_EQ(pens[2].pen, (Pen {clBlue, PenPattern::DashDot, 0}));
    EXPECT_EQ(pens[5].pen, (Pen {clRed, PenPattern::Solid, 1}));
    EXPECT_EQ(pens[6].pen, (Pen {clGreen, PenPattern::Solid, 1}));
    const auto brushes = opsOf<op::SelectBrush>(picture);
    ASSERT_EQ(brushes.size(), 4u);
    EXPECT_EQ(brushes[0].brush.kind, Brush::Kind::Solid);
    EXPECT_EQ(brushes[0].brush.color, clWindow);
    EXPECT_EQ(brushes[1].brush.kind, Brush::Kind::Null);
    EXPECT_EQ(brushes[3].brush, (Brush {Brush::Kind::Hatched, clGreen, BrushPattern::BDiagonal}));
    const auto fonts = opsOf<op::SelectFont>(picture);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].font, (Font {"Courier New", 7, clMaroon, false, false, false}));
}

struct DescriptionCase
{
    const char *name;
    const char *text;
    const char *x;
    const char *y;
    const char *points;
    bool random;
    bool drawn;
    int expectX;
    int expectY;
};

class Description : public testing::TestWithParam<DescriptionCase>
{ };

TEST_P(Description, DrawnOnlyWhenComplete)
{
    const auto &c = GetParam();
    DiagramStyle style;
    style.descriptionText = c.text;
    style.descriptionX = c.x;
    style.descriptionY = c.y;
    style.descriptionFontSize = c.points;
    style.descriptionFontName = "Verdana";
    style.descriptionColor = clNavy;
    style.descriptionItalic = true;
    const auto picture = render("460", {}, 0, style, c.random);
    const auto texts = opsOf<op::Text>(picture);
    const auto fonts = opsOf<op::SelectFont>(picture);
    if (!c.drawn) {
        EXPECT_EQ(texts.size(), 4u);
        EXPECT_EQ(fonts.size(), 1u);
        return;
    }
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[4], (op::Text {c.expectX, c.expectY, c.text}));
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[1].font, (Font {"Verdana", std::stoi(c.points), clNavy, false, true, false}));
}

const DescriptionCase descriptionCases[] = {
    {"Plain", "Joints", "35", "40", "12", false, true, 35, 40},
    {"RandomGraph", "Joints", "35", "40", "12", true, false, 0, 0},
    {"EmptyText", "", "35", "40", "12", false, false, 0, 0},
    {"BadX", "Joints", "3x", "40", "12", false, false, 0, 0},
    {"BadY", "Joints", "35", "", "12", false, false, 0, 0},
    {"BadFontSize", "Joints", "35", "40", "12pt", false, false, 0, 0},
    {"NegativeClampedToZero", "Joints", "-15", "-1", "12", false, true, 0, 0},
    {"LargeClampedTo4000", "Joints", "5000", "4001", "12", false, true, 4000, 4000},
    {"HexPosition", "Joints", "$10", "0x20", "8", false, true, 16, 32},
    {"OutsideThePicture", "Joints", "3000", "10", "10", false, true, 3000, 10},
};

INSTANTIATE_TEST_SUITE_P(Rules, Description, testing::ValuesIn(descriptionCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(RoseDiagram, DescriptionBoxFollowsTheFillPattern)
{
    struct Case
    {
        int fillStyle;
        Brush expected;
    };
    const Case cases[] = {
        {0, Brush {Brush::Kind::Solid, clBlue, BrushPattern::Solid}},
        {4, Brush {Brush::Kind::Hatched, clBlue, BrushPattern::DiagCross}},
        {9, Brush {Brush::Kind::Solid, clBlue, BrushPattern::Solid}},
    };
    for (const auto &c : cases) {
        DiagramStyle style;
        style.backgroundColor = clBlue;
        style.fillStyle = c.fillStyle;
        style.descriptionText = "Faults";
        const auto picture = render("460", {}, 0, style);
        const auto &last = picture.ops()[picture.ops().size() - 2];
        ASSERT_TRUE(std::holds_alternative<op::SelectBrush>(last)) << c.fillStyle;
        EXPECT_EQ(std::get<op::SelectBrush>(last).brush, c.expected) << c.fillStyle;
    }
}

TEST(RoseDiagram, EmptyCountsGiveTheBareGrid)
{
    const auto picture = render("460");
    EXPECT_TRUE(opsOf<op::Pie>(picture).empty());
    EXPECT_EQ(opsOf<op::Rectangle>(picture), (std::vector<op::Rectangle> {{0, 0, 460, 460}}));
}

} // namespace

namespace {

// Invariants over many random styles and counts: one petal per non-empty sector, each inside
// the outer circle's box with both radial points on its arc, and never more than the 140-odd
// primitives of a full diagram.
TEST(RoseDiagram, RandomDiagramsKeepTheirInvariants)
{
    std::mt19937 random(20261207);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 500; ++round) {
        DiagramStyle style;
        const int size = pick(0, 4000);
        style.diagramSize = std::to_string(size);
        style.fillStyle = pick(-2, 8);
        style.mainLineStyle = pick(-2, 6);
        style.descriptionText = round % 3 ? "Joints" : "";
        style.descriptionX = std::to_string(pick(-100, 5000));
        SectorCounts counts {};
        int positive = 0;
        for (auto &n : counts) {
            n = pick(0, 3) == 0 ? pick(1, 1000000) : 0;
            positive += n > 0;
        }
        const auto picture = renderRoseDiagram(style, counts, 0, round % 7 == 0);
        ASSERT_TRUE(picture.ok());
        const auto g = roseGeometry(size);
        const auto pies = opsOf<op::Pie>(*picture);
        ASSERT_EQ(static_cast<int>(pies.size()), positive);
        for (const auto &pie : pies) {
            EXPECT_GE(pie.left, g.centrePixel - g.radius - 1);
            EXPECT_LE(pie.right, g.centrePixel + g.radius + 1);
            const double r = (pie.right - pie.left) / 2.0;
            for (const auto &[x, y] : {std::pair {pie.x1, pie.y1}, std::pair {pie.x2, pie.y2}}) {
                const double distance = std::hypot(x - g.centre, y - g.centre);
                EXPECT_NEAR(distance, r, 1.5) << size;
            }
        }
        EXPECT_LE(picture->ops().size(), 1u + 18 + 72 + 4 + 4 + 36 + 1 + 16u);
    }
}

} // namespace

namespace {

Picture renderWith(const SectorCounts &counts, int max, const RenderOptions &options)
{
    DiagramStyle style = DiagramStyle::firstRun();
    style.diagramSize = "460";
    style.descriptionText = "Joints";
    return renderRoseDiagram(style, counts, max, false, options).value();
}

// Each option adds its own operations to the plain picture and changes nothing else, unless the
// band's upper count is above the largest count: then the petals are scaled to it.
TEST(RenderOptions, BandIsARingUnderTheGrid)
{
    SectorCounts counts {};
    counts[3] = 10;
    const auto plain = renderWith(counts, 10, {}).ops();
    RenderOptions options;
    options.band = RenderOptions::Band::uniform(2, 8);
    const auto ops = renderWith(counts, 10, options).ops();
    const Brush band {Brush::Kind::Solid, bandColor, BrushPattern::Solid};
    const Brush background {Brush::Kind::Solid, clWindow, BrushPattern::Solid};
    // Radii 207 * 8 / 10 = 165.6 and 207 * 2 / 10 = 41.4 around the centre 230.
    const std::vector<PictureOp> ring = {op::SelectBrush {band},
                                         op::SelectPen {Pen {bandColor, PenPattern::Solid, 0}},
                                         op::Ellipse {64, 64, 396, 396},
                                         op::SelectBrush {background},
                                         op::SelectPen {Pen {clWindow, PenPattern::Solid, 0}},
                                         op::Ellipse {189, 189, 271, 271}};
    ASSERT_EQ(ops.size(), plain.size() + ring.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 3, ops.begin()));
    EXPECT_TRUE(std::equal(ring.begin(), ring.end(), ops.begin() + 3));
    EXPECT_TRUE(std::equal(plain.begin() + 3, plain.end(), ops.begin() + 9));

    options.band = RenderOptions::Band::uniform(0, 20);
    const Picture scaled = renderWith(counts, 10, options);
    EXPECT_EQ(opsOf<op::Ellipse>(scaled).front(), (op::Ellipse {23, 23, 437, 437}));
    EXPECT_EQ(opsOf<op::Pie>(scaled).front().left, 126); // the count of 10 reaches half way
}

// Petals of unequal width have bands of their own: the ring is one pie per petal in the band's
// colour, then one per petal in the background's up to the lower count.
TEST(RenderOptions, UnevenBandIsDrawnPetalByPetal)
{
    SectorCounts counts {};
    counts[3] = 10;
    RenderOptions options;
    options.band = RenderOptions::Band::uniform(2, 8);
    options.band->upper[0] = 9;
    options.band->lower[35] = 0;
    const Picture picture = renderWith(counts, 10, options);
    const auto pies = opsOf<op::Pie>(picture);
    ASSERT_EQ(pies.size(), 36u + 35u + 1u); // upper, lower but the last, the petal
    // Radius 207 * 9 / 10 = 186.3 for the first petal, 165.6 for the others; 41.4 inside.
    EXPECT_EQ(pies[0].left, 44);
    EXPECT_EQ(pies[1].left, 64);
    EXPECT_EQ(pies[36].left, 189);
    EXPECT_EQ(opsOf<op::Ellipse>(picture).size(), 18u); // the grid alone
}

TEST(RenderOptions, MeanDirectionLineAndConfidenceArc)
{
    SectorCounts counts {};
    counts[4] = 3;
    counts[22] = 3; // the same petals for orientations
    const auto plain = renderWith(counts, 3, {}).ops();
    const auto descriptionStart = plain.end() - 3;
    for (const bool axial : {false, true}) {
        RenderOptions options;
        options.axial = axial;
        options.meanDirection = RenderOptions::MeanDirection {45, 10};
        const auto ops = renderWith(counts, 3, options).ops();
        SCOPED_TRACE(axial ? "axial" : "directions");
        // The pen, the line, 10 chords of 2 degrees per end of the arc, before the description.
        ASSERT_EQ(ops.size(), plain.size() + 2 + (axial ? 20 : 10));
        const auto added = ops.begin() + (descriptionStart - plain.begin());
        EXPECT_EQ(std::get<op::SelectPen>(*added).pen,
                  (Pen {meanDirectionColor, PenPattern::Solid, 2}));
        const PixelPoint tip = azimuthPoint(230, 45, 207);
        const PixelPoint tail = axial ? azimuthPoint(230, 225, 207) : PixelPoint {230, 230};
        EXPECT_EQ(std::get<op::Line>(*(added + 1)), (op::Line {tail.x, tail.y, tip.x, tip.y}));
        const PixelPoint from = azimuthPoint(230, 35, 207);
        const PixelPoint to = azimuthPoint(230, 55, 207);
        EXPECT_EQ(std::get<op::Line>(*(added + 2)).x1, from.x);
        EXPECT_EQ(std::get<op::Line>(*(added + 11)).x2, to.x);
        EXPECT_EQ(std::get<op::Line>(*(added + 11)).y2, to.y);
        EXPECT_TRUE(std::equal(descriptionStart, plain.end(), ops.end() - 3));

        // Not significant: grey and dashed, the line in dashes with gaps between them, the arc
        // in every other chord.
        options.meanDirection->significant = false;
        const Picture dashed = renderWith(counts, 3, options);
        const auto pens = opsOf<op::SelectPen>(dashed);
        EXPECT_EQ(pens.back().pen, (Pen {insignificantMeanColor, PenPattern::Solid, 2}));
        const auto lines = opsOf<op::Line>(dashed);
        const std::size_t marks = lines.size() - opsOf<op::Line>(renderWith(counts, 3, {})).size();
        const std::size_t arcs = axial ? 10 : 5;
        ASSERT_GT(marks, arcs + 2);
        // Dashes along the line leave gaps of a third of a ring step (23 / 3 pixels).
        for (std::size_t k = lines.size() - marks; k + 1 < lines.size() - arcs; ++k) {
            const op::Line &dash = lines[k];
            const op::Line &next = lines[k + 1];
            if (next.x1 == 230 && next.y1 == 230)
                continue; // the axis's other half starts again at the centre
            EXPECT_GE(std::hypot(next.x1 - dash.x2, next.y1 - dash.y2), 6) << k;
        }
    }
}

// The rose of orientations: a measurement counts in its sector and in the opposite one.
TEST(RenderOptions, AxialRoseHasEqualOppositePetals)
{
    SectorCounts counts {};
    counts[1] = 3;
    counts[19] = 1;
    counts[30] = 2;
    SectorCounts folded = counts;
    folded[1] = folded[19] = 4;
    folded[12] = 2;
    RenderOptions options;
    options.axial = true;
    EXPECT_EQ(renderWith(counts, 3, options), renderWith(folded, 4, {}));
}

} // namespace

namespace {

// Equal areas: r = R * sqrt(n / m), so a quarter of the scale reaches half way.
TEST(PetalScale, RadiusOfAPetal)
{
    EXPECT_DOUBLE_EQ(petalRadius(90, 1, 4, PetalScale::Area), 45);
    EXPECT_DOUBLE_EQ(petalRadius(207, 0, 16, PetalScale::Area), 0);
    EXPECT_DOUBLE_EQ(petalRadius(207, 3, 0, PetalScale::Area), 0);

    // At S = 460 (R = 207) the counts 16, 4, 1, 9 of 16 reach 207, 103.5, 51.75 and 155.25;
    // the band's ring from 4 to 16 takes the same radii.
    SectorCounts counts {};
    counts[0] = 16;
    counts[9] = 4;
    counts[18] = 1;
    counts[27] = 9;
    RenderOptions options;
    options.petalScale = PetalScale::Area;
    options.band = RenderOptions::Band::uniform(4, 16);
    const Picture picture = renderWith(counts, 16, options);
    std::vector<int> lefts;
    for (const auto &pie : opsOf<op::Pie>(picture))
        lefts.push_back(pie.left);
    EXPECT_EQ(lefts, (std::vector<int> {23, 126, 178, 75}));
    const auto ellipses = opsOf<op::Ellipse>(picture);
    EXPECT_EQ(ellipses[0], (op::Ellipse {23, 23, 437, 437}));
    EXPECT_EQ(ellipses[1], (op::Ellipse {126, 126, 334, 334}));
}

// The ring labels: the count each main circle stands for, outermost first, along the quadrant
// bisector whose petals are shortest.
TEST(RingLabels, ValuesAndPlaces)
{
    constexpr auto Count = PetalScale::Count;
    constexpr auto Area = PetalScale::Area;
    struct Case
    {
        const char *name;
        int size;
        std::vector<std::pair<std::size_t, int>> petals; // sector index, count
        PetalScale scale;
        const char *labels; // outermost first, one space apart
        PixelPoint outermost; // top-left corner of the first label
    };
    const Case cases[] = {
        {"WholeCountsAt45", 460, {{13, 9}}, Count, "9 8 7 6 5 4 3 2 1", {373, 79}},
        {"AwayFromThePetalsAt135", 460, {{4, 9}}, Count, "9 8 7 6 5 4 3 2 1", {373, 371}},
        {"OnlyTheOuterCircleOfSeven", 460, {{13, 7}}, Count, "7", {373, 79}},
        {"EveryThirdCircleOfTwelve", 460, {{13, 12}}, Count, "12 8 4", {371, 79}},
        {"OnlyWholeCountsFromTenOn", 460, {{13, 94}}, Count, "94", {371, 79}},
        {"SquareLawForEqualAreas", 460, {{13, 81}}, Area, "81 64 49 36 25 16 9 4 1", {371, 79}},
        {"NoFractionsForEqualAreas", 460, {{13, 1}}, Area, "1", {373, 79}},
        {"EveryOtherCircleWhenSmall", 200, {{13, 9}}, Count, "9 7 5 3 1", {161, 31}},
        {"WholeCountsCloseTogether", 200, {{13, 18}}, Count, "18 14 10 6 2", {159, 31}},
        // The inner four would lie on petals: drawn over them, after the petals.
        {"OverThePetalsToo",
         460,
         {{4, 9}, {13, 9}, {22, 9}, {31, 4}},
         Count,
         "9 8 7 6 5 4 3 2 1",
         {81, 79}},
        {"NoneWithoutMeasurements", 460, {}, Count, "", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        DiagramStyle style = DiagramStyle::firstRun();
        style.diagramSize = std::to_string(c.size);
        SectorCounts counts {};
        int max = 0;
        for (const auto &[sector, count] : c.petals) {
            counts[sector] = count;
            max = std::max(max, count);
        }
        if (c.petals.empty())
            max = 5; // the maximum of the file before, which an empty read leaves standing
        RenderOptions options;
        options.petalScale = c.scale;
        options.ringLabels = RenderOptions::RingLabels {','};
        const auto texts = opsOf<op::Text>(*renderRoseDiagram(style, counts, max, false, options));
        ASSERT_GE(texts.size(), 4u);
        std::string labels;
        for (std::size_t i = 4; i < texts.size(); ++i)
            labels += (i > 4 ? " " : "") + texts[i].text;
        EXPECT_EQ(labels, c.labels);
        if (texts.size() > 4) {
            EXPECT_EQ((PixelPoint {texts[4].x, texts[4].y}), c.outermost);
        }
    }
}

// Labels stand on a box of the colour under them, drawn with the grid, before the petals.
TEST(RingLabels, BoxesTakeTheColourUnderThem)
{
    SectorCounts counts {};
    counts[13] = 9;
    RenderOptions options;
    options.ringLabels = RenderOptions::RingLabels {};
    options.band = RenderOptions::Band::uniform(3, 6);
    const Picture picture = renderWith(counts, 9, options);
    std::vector<Color> under;
    std::size_t texts = 0;
    Color brush = clWhite;
    for (const auto &op : picture.ops()) {
        if (std::holds_alternative<op::Pie>(op))
            break;
        if (const auto *b = std::get_if<op::SelectBrush>(&op))
            brush = b->brush.color;
        if (std::holds_alternative<op::Text>(op) && ++texts > 4) // past the axis labels
            under.push_back(brush);
    }
    // The circles of 9 down to 1; the band runs from 3 to 6.
    EXPECT_EQ(under,
              (std::vector<Color> {clWindow, clWindow, clWindow, bandColor, bandColor, bandColor,
                                   bandColor, clWindow, clWindow}));
}

} // namespace
