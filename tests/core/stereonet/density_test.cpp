#include "core/stereonet/contours.h"
#include "core/stereonet/density.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace quorel;

namespace {

// The textbook sum, written out on its own: every vector, no cut-off.
double textbookSum(const std::vector<Vector3> &vectors, const Vector3 &d)
{
    const double n = double(vectors.size());
    const double f = 2 * (1 + n / 9);
    double sum = 0;
    for (const Vector3 &v : vectors)
        sum += std::exp(f * (std::abs(d.x * v.x + d.y * v.y + d.z * v.z) - 1));
    return sum;
}

Vector3 randomUnit(std::mt19937_64 &random)
{
    std::normal_distribution<double> g(0, 1);
    const Vector3 v {g(random), g(random), g(random)};
    const double length = std::sqrt(dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}

struct DensityCase
{
    const char *name;
    std::size_t n;
    double spread; // degrees about the centre; 0 for a uniform sample
    Direction centre {215, 62};
};

class FastDensity : public testing::TestWithParam<DensityCase>
{ };

// Every node of the grid, inside the circle and beyond it, against the sum over every vector;
// a cluster on the horizontal reaches round to the opposite side of the net.
TEST_P(FastDensity, MatchesTheSumOverEveryVector)
{
    const DensityCase &c = GetParam();
    std::mt19937_64 random(c.n);
    std::normal_distribution<double> noise(0, c.spread);
    std::vector<Vector3> vectors;
    for (std::size_t k = 0; k < c.n; ++k) {
        Vector3 v = c.spread > 0
            ? unitVector({c.centre.trend + noise(random), c.centre.plunge + noise(random)})
            : randomUnit(random);
        if (v.z > 0)
            v = {-v.x, -v.y, -v.z};
        vectors.push_back(v);
    }
    const double units = kambKernel(vectors.size()).units;
    for (const NetKind net : {NetKind::Schmidt, NetKind::Wulff}) {
        const DensityGrid grid = densityGrid(vectors, 31, net, true);
        double largest = 0;
        for (int j = 0; j < grid.nodes; ++j) {
            for (int i = 0; i < grid.nodes; ++i) {
                const double expected =
                    textbookSum(vectors, netVector({grid.x(i), grid.y(j)}, net));
                const double difference =
                    std::abs(grid.at(i, j) * units - expected) / std::max(expected, 1.0);
                largest = std::max(largest, difference);
            }
        }
        EXPECT_LE(largest, 1e-9) << (net == NetKind::Schmidt ? "Schmidt" : "Wulff");
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, FastDensity,
                         testing::Values(DensityCase {"FewUniform", 38, 0},
                                         DensityCase {"ManyUniform", 30000, 0},
                                         DensityCase {"TightCluster", 30000, 3},
                                         DensityCase {"WideCluster", 5000, 25},
                                         DensityCase {"OnTheHorizontal", 20000, 2, {100, 1}}),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(KambKernel, UniformSampleAveragesSigma)
{
    // For uniform directions the expected sum is n / f and the units n / (3 f): Z = 3.
    std::mt19937_64 random(5);
    std::vector<Vector3> vectors;
    for (int k = 0; k < 50000; ++k)
        vectors.push_back(randomUnit(random));
    const DensityGrid grid = densityGrid(vectors, 41, NetKind::Schmidt);
    double sum = 0;
    int count = 0;
    for (std::size_t k = 0; k < grid.values.size(); ++k) {
        if (grid.inside[k]) {
            sum += grid.values[k];
            ++count;
        }
    }
    EXPECT_NEAR(sum / count, kambSigma, 0.1);
    EXPECT_DOUBLE_EQ(kambKernel(9).exponent, 4);
    EXPECT_DOUBLE_EQ(kambKernel(9).units, 0.75);
}

TEST(DensityGrid, ComputesTheNodesInsideOrOnThePrimitiveOnly)
{
    const std::vector<Vector3> one {unitVector({0, 90})};
    const DensityGrid grid = densityGrid(one, 5, NetKind::Schmidt);
    int inside = 0;
    for (std::size_t k = 0; k < grid.values.size(); ++k) {
        EXPECT_EQ(grid.inside[k], !std::isnan(grid.values[k]));
        inside += grid.inside[k] ? 1 : 0;
    }
    EXPECT_EQ(inside, 13); // the centre, 8 at half the radius and diagonally, 4 on the circle
    EXPECT_DOUBLE_EQ(grid.maximum, grid.at(2, 2));
}

// A density that rises evenly from 0 on the west edge to 8 on the east one.
DensityGrid rampGrid(int nodes)
{
    DensityGrid grid;
    grid.nodes = nodes;
    for (int j = 0; j < nodes; ++j)
        for (int i = 0; i < nodes; ++i)
            grid.values.push_back(4 * (grid.x(i) + 1));
    grid.inside.assign(grid.values.size(), true);
    grid.maximum = 8;
    return grid;
}

bool contains(const std::vector<NetPoint> &polygon, NetPoint p)
{
    bool in = false;
    for (std::size_t k = 0, l = polygon.size() - 1; k < polygon.size(); l = k++) {
        const NetPoint &a = polygon[k];
        const NetPoint &b = polygon[l];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

TEST(Contours, LevelsLinesAndBandsOfAnEvenRamp)
{
    EXPECT_EQ(contourLevels(14.2), (std::vector<double> {2, 4, 6, 8, 10, 12, 14}));
    EXPECT_TRUE(contourLevels(1.9).empty());
    const DensityGrid grid = rampGrid(11);
    for (const ContourSegment &s : contourSegments(grid, 4)) {
        EXPECT_NEAR(s.from.x, 0, 1e-12);
        EXPECT_NEAR(s.to.x, 0, 1e-12);
    }
    // Drawn in order, the pieces show at each place the band of its density: no gap, and no
    // lower band over a higher one.
    const std::vector<double> levels {2, 4, 6};
    const std::vector<BandPiece> pieces = bandPieces(grid, levels);
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> coordinate(-0.999, 0.999);
    for (int k = 0; k < 2000; ++k) {
        const NetPoint p {coordinate(random), coordinate(random)};
        const double z = 4 * (p.x + 1);
        if (std::abs(z - std::round(z / 2) * 2) < 1e-6)
            continue; // on a band's edge
        int shown = -1;
        for (const BandPiece &piece : pieces) {
            if (contains(piece.polygon, p))
                shown = int(piece.band);
        }
        int expected = -1;
        for (const double level : levels)
            expected += z >= level ? 1 : 0;
        EXPECT_EQ(shown, expected) << p.x << ", " << p.y;
    }
}

} // namespace
