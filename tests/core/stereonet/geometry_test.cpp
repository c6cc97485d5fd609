#include "core/stereonet/orientation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace quorel;

namespace {

constexpr double degree = std::numbers::pi / 180;

// The net's radius straight from its textbook formula.
double textbookRadius(double plunge, NetKind net)
{
    const double theta = (90 - plunge) * degree;
    return net == NetKind::Schmidt ? std::sqrt(2.0) * std::sin(theta / 2) : std::tan(theta / 2);
}

struct ProjectionCase
{
    const char *name;
    Direction direction;
    NetKind net;
    NetPoint expected; // NaN: from the textbook radius
};

constexpr double fromFormula = std::numeric_limits<double>::quiet_NaN();

const ProjectionCase projectionCases[] = {
    {"VerticalAtCentreSchmidt", {0, 90}, NetKind::Schmidt, {0, 0}},
    {"VerticalAtCentreWulff", {123, 90}, NetKind::Wulff, {0, 0}},
    {"EastOnEdgeSchmidt", {90, 0}, NetKind::Schmidt, {1, 0}},
    {"EastOnEdgeWulff", {90, 0}, NetKind::Wulff, {1, 0}},
    {"NorthOnEdge", {0, 0}, NetKind::Schmidt, {0, 1}},
    {"SouthOnEdge", {180, 0}, NetKind::Wulff, {0, -1}},
    {"NorthEastHalfwaySchmidt", {45, 30}, NetKind::Schmidt, {fromFormula, 0}},
    {"NorthEastHalfwayWulff", {45, 30}, NetKind::Wulff, {fromFormula, 0}},
    {"SouthWestSteepSchmidt", {215, 62}, NetKind::Schmidt, {fromFormula, 0}},
    {"NorthWestShallowWulff", {305, 29}, NetKind::Wulff, {fromFormula, 0}},
};

class Projection : public testing::TestWithParam<ProjectionCase>
{ };

TEST_P(Projection, PlacesDirectionsAsTheTextbookNet)
{
    const ProjectionCase &c = GetParam();
    NetPoint expected = c.expected;
    if (std::isnan(expected.x)) {
        const double r = textbookRadius(c.direction.plunge, c.net);
        expected = {r * std::sin(c.direction.trend * degree),
                    r * std::cos(c.direction.trend * degree)};
    }
    const NetPoint at = project(c.direction, c.net);
    EXPECT_NEAR(at.x, expected.x, 1e-12);
    EXPECT_NEAR(at.y, expected.y, 1e-12);
    // And back: the place names the same direction.
    const Vector3 back = netVector(at, c.net);
    const Vector3 v = unitVector(c.direction);
    EXPECT_NEAR(dot(back, v), 1, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Net, Projection, testing::ValuesIn(projectionCases),
                         [](const auto &test) { return std::string(test.param.name); });

struct MeaningCase
{
    const char *name;
    double azimuth;
    double dip;
    AzimuthMeaning meaning;
    Direction plotted;
};

const MeaningCase meaningCases[] = {
    {"DipDirectionPole", 120, 40, AzimuthMeaning::DipDirection, {300, 50}},
    {"DipDirectionPoleWraps", 200, 10, AzimuthMeaning::DipDirection, {20, 80}},
    {"StrikeRightHandRule", 30, 40, AzimuthMeaning::Strike, {300, 50}},
    {"StrikeNearNorth", 350, 90, AzimuthMeaning::Strike, {260, 0}},
    {"TrendIsTheLine", 120, 40, AzimuthMeaning::Trend, {120, 40}},
    {"FullCircleIsNorth", 360, 0, AzimuthMeaning::Trend, {0, 0}},
    {"HorizontalPlanePoleIsVertical", 75, 0, AzimuthMeaning::DipDirection, {255, 90}},
};

class Meaning : public testing::TestWithParam<MeaningCase>
{ };

TEST_P(Meaning, GivesThePlottedDirection)
{
    const MeaningCase &c = GetParam();
    const Direction d = plottedDirection(c.azimuth, c.dip, c.meaning);
    EXPECT_DOUBLE_EQ(d.trend, c.plotted.trend);
    EXPECT_DOUBLE_EQ(d.plunge, c.plotted.plunge);
}

INSTANTIATE_TEST_SUITE_P(Azimuth, Meaning, testing::ValuesIn(meaningCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(GreatCircle, RunsFromStrikeToStrikeInStepsOfAtMostOneDegree)
{
    for (const NetKind net : {NetKind::Schmidt, NetKind::Wulff}) {
        for (const auto &[dipDirection, dip] :
             {std::pair {120.0, 40.0}, {0.0, 90.0}, {275.0, 5.0}}) {
            const auto points = greatCircle(dipDirection, dip, net);
            ASSERT_GE(points.size(), 181u);
            for (std::size_t k = 1; k < points.size(); ++k) {
                const double cosine = dot(netVector(points[k - 1], net), netVector(points[k], net));
                EXPECT_LE(std::acos(std::min(cosine, 1.0)) / degree, 1 + 1e-9);
            }
            // The ends lie on the primitive circle at the strike, the middle at the dip.
            const NetPoint first = points.front();
            EXPECT_NEAR(std::hypot(first.x, first.y), 1, 1e-12);
            EXPECT_NEAR(first.x, std::sin((dipDirection - 90) * degree), 1e-12);
            const NetPoint middle = points[points.size() / 2];
            const NetPoint expected = project(Direction {dipDirection, dip}, net);
            EXPECT_NEAR(middle.x, expected.x, 1e-12);
            EXPECT_NEAR(middle.y, expected.y, 1e-12);
        }
    }
}

TEST(SmallCircle, KeepsItsRadiusAndFoldsTheUpperHalfDown)
{
    const Direction axis {90, 10}; // near the primitive: a third of the cone is above it
    const Vector3 centre = unitVector(axis);
    const auto pieces = smallCircle(axis, 20, NetKind::Schmidt);
    EXPECT_GE(pieces.size(), 2u);
    for (const auto &piece : pieces) {
        for (const NetPoint &p : piece) {
            const Vector3 v = netVector(p, NetKind::Schmidt);
            // Either the point or its opposite lies 20 degrees from the axis.
            EXPECT_NEAR(std::abs(dot(v, centre)), std::cos(20 * degree), 1e-12);
        }
    }
}

} // namespace
