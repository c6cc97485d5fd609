#include "core/stereonet/sphericalstats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <vector>

using namespace quorel;

namespace {

constexpr double degree = std::numbers::pi / 180;
const double sin60 = std::sqrt(3.0) / 2;

std::vector<Vector3> vectorsOf(std::initializer_list<Direction> directions)
{
    std::vector<Vector3> out;
    for (const Direction &d : directions)
        out.push_back(unitVector(d));
    return out;
}

void expectFigure(const std::optional<double> &actual, const std::optional<double> &expected,
                  const char *what)
{
    ASSERT_EQ(actual.has_value(), expected.has_value()) << what;
    if (expected) {
        EXPECT_NEAR(*actual, *expected, 1e-12 * std::max(1.0, std::abs(*expected))) << what;
    }
}

// Fisher's figures worked by hand from the textbook formulas.
struct FisherCase
{
    const char *name;
    std::vector<Vector3> vectors;
    std::optional<Direction> mean;
    std::optional<double> meanResultantLength;
    std::optional<double> kappa;
    std::optional<double> alpha95;
};

double alpha95Of(double n, double r)
{
    return std::acos(1 - (n - r) / r * (std::pow(20.0, 1 / (n - 1)) - 1)) / degree;
}

const double coneR = 1 + 4 * sin60; // the vertical and four vectors plunging 60 degrees

class Fisher : public testing::TestWithParam<FisherCase>
{ };

TEST_P(Fisher, GivesTheTextbookFiguresOrNoneWhereUndefined)
{
    const FisherCase &c = GetParam();
    const SphericalStatistics s = sphericalStatistics(c.vectors);
    EXPECT_EQ(s.n, c.vectors.size());
    ASSERT_EQ(s.mean.has_value(), c.mean.has_value());
    if (c.mean) {
        EXPECT_NEAR(s.mean->plunge, c.mean->plunge, 1e-9);
        if (c.mean->plunge < 90) {
            EXPECT_NEAR(s.mean->trend, c.mean->trend, 1e-9);
        }
    }
    expectFigure(s.meanResultantLength, c.meanResultantLength, "R bar");
    expectFigure(s.kappa, c.kappa, "kappa");
    expectFigure(s.alpha95, c.alpha95, "alpha95");
}

INSTANTIATE_TEST_SUITE_P(
    Sets, Fisher,
    testing::Values(FisherCase {"None", {}, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
                    FisherCase {"One", vectorsOf({{120, 40}}), Direction {120, 40}, 1, std::nullopt,
                                std::nullopt},
                    FisherCase {"AntipodalPair", vectorsOf({{90, 0}, {270, 0}}), std::nullopt, 0,
                                0.5, std::nullopt},
                    FisherCase {"AllEqual", vectorsOf({{120, 40}, {120, 40}, {120, 40}, {120, 40}}),
                                Direction {120, 40}, 1, std::nullopt, 0},
                    FisherCase {"SymmetricCone",
                                vectorsOf({{0, 90}, {0, 60}, {90, 60}, {180, 60}, {270, 60}}),
                                Direction {0, 90}, coneR / 5, 4 / (5 - coneR), alpha95Of(5, coneR)},
                    FisherCase {"PairOfHorizontalLines", vectorsOf({{0, 0}, {90, 0}}),
                                Direction {45, 0}, std::sqrt(2.0) / 2, 1 / (2 - std::sqrt(2.0)),
                                std::nullopt}),
    [](const auto &test) { return std::string(test.param.name); });

// The eigenvalues of a symmetric 3 x 3 matrix in closed form (the trigonometric solution of
// its characteristic cubic), to check the rotations against.
std::array<double, 3> closedFormEigenvalues(const std::array<std::array<double, 3>, 3> &a)
{
    const double p1 = a[0][1] * a[0][1] + a[0][2] * a[0][2] + a[1][2] * a[1][2];
    const double q = (a[0][0] + a[1][1] + a[2][2]) / 3;
    const double p2 = (a[0][0] - q) * (a[0][0] - q) + (a[1][1] - q) * (a[1][1] - q)
        + (a[2][2] - q) * (a[2][2] - q) + 2 * p1;
    if (p2 == 0)
        return {q, q, q};
    const double p = std::sqrt(p2 / 6);
    std::array<std::array<double, 3>, 3> b {};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            b[i][j] = (a[i][j] - (i == j ? q : 0)) / p;
    const double det = b[0][0] * (b[1][1] * b[2][2] - b[1][2] * b[2][1])
        - b[0][1] * (b[1][0] * b[2][2] - b[1][2] * b[2][0])
        + b[0][2] * (b[1][0] * b[2][1] - b[1][1] * b[2][0]);
    const double phi = std::acos(std::clamp(det / 2, -1.0, 1.0)) / 3;
    const double e1 = q + 2 * p * std::cos(phi);
    const double e3 = q + 2 * p * std::cos(phi + 2 * std::numbers::pi / 3);
    return {e1, 3 * q - e1 - e3, e3};
}

std::array<std::array<double, 3>, 3> tensorOf(const std::vector<Vector3> &vectors)
{
    std::array<std::array<double, 3>, 3> t {};
    for (const Vector3 &v : vectors) {
        const double c[3] = {v.x, v.y, v.z};
        for (std::size_t i = 0; i < 3; ++i)
            for (std::size_t j = 0; j < 3; ++j)
                t[i][j] += c[i] * c[j] / double(vectors.size());
    }
    return t;
}

TEST(SymmetricEigen, DiagonalisesAnySymmetricMatrix)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> value(-1, 1);
    for (int trial = 0; trial < 200; ++trial) {
        std::array<std::array<double, 3>, 3> a {};
        for (std::size_t i = 0; i < 3; ++i)
            for (std::size_t j = i; j < 3; ++j)
                a[i][j] = a[j][i] = trial % 5 == 0 && i != j ? 0 : value(random);
        const SymmetricEigen eigen = symmetricEigen(a);
        const auto expected = closedFormEigenvalues(a);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_NEAR(eigen.values[k], expected[k], 1e-12);
            const Vector3 &v = eigen.vectors[k];
            const double c[3] = {v.x, v.y, v.z};
            for (std::size_t i = 0; i < 3; ++i) {
                const double av = a[i][0] * c[0] + a[i][1] * c[1] + a[i][2] * c[2];
                EXPECT_NEAR(av, eigen.values[k] * c[i], 1e-12);
            }
            EXPECT_NEAR(dot(v, v), 1, 1e-12);
        }
    }
}

// A perfect girdle: bedding poles of a cylindrical fold about the horizontal axis 090/00.
const std::vector<Vector3> perfectGirdle =
    vectorsOf({{0, 0}, {0, 30}, {0, 60}, {0, 90}, {180, 60}, {180, 30}});

TEST(OrientationTensor, PerfectGirdleGivesItsPlaneAndAxisButNoShape)
{
    const SphericalStatistics s = sphericalStatistics(perfectGirdle);
    ASSERT_TRUE(s.eigenvalues);
    EXPECT_EQ((*s.eigenvalues)[2], 0);
    EXPECT_NEAR((*s.eigenvalues)[0] + (*s.eigenvalues)[1], 1, 1e-12);
    ASSERT_TRUE(s.betaAxis);
    EXPECT_NEAR(s.betaAxis->trend, 90, 1e-9);
    EXPECT_NEAR(s.betaAxis->plunge, 0, 1e-9);
    ASSERT_TRUE(s.girdle);
    EXPECT_NEAR(s.girdle->dipDirection, 270, 1e-9);
    EXPECT_NEAR(s.girdle->dip, 90, 1e-9);
    EXPECT_FALSE(s.woodcockK); // ln(e2 / 0)
    EXPECT_FALSE(s.woodcockC);
}

TEST(OrientationTensor, PerfectClusterHasOneAxisOnly)
{
    const SphericalStatistics s = sphericalStatistics(vectorsOf({{215, 62}, {215, 62}, {215, 62}}));
    ASSERT_TRUE(s.eigenvalues);
    EXPECT_NEAR((*s.eigenvalues)[0], 1, 1e-12);
    EXPECT_EQ((*s.eigenvalues)[1], 0);
    ASSERT_TRUE(s.eigenvectors[0]);
    EXPECT_NEAR(s.eigenvectors[0]->trend, 215, 1e-9);
    EXPECT_FALSE(s.eigenvectors[1]); // any axis across the cluster would do
    EXPECT_FALSE(s.eigenvectors[2]);
    EXPECT_FALSE(s.girdle);
    EXPECT_FALSE(s.woodcockK);
    EXPECT_FALSE(s.woodcockC);
}

// Scattered sets: a girdle with noise (K < 1) and a cluster with noise (K > 1), checked against
// the closed-form eigenvalues of their tensor.
TEST(OrientationTensor, WoodcockShapeOfScatteredGirdleAndCluster)
{
    std::mt19937_64 random(11);
    std::normal_distribution<double> noise(0, 4);
    std::uniform_real_distribution<double> along(0, 180);
    std::vector<Vector3> girdle;
    std::vector<Vector3> cluster;
    for (int k = 0; k < 400; ++k) {
        const double a = along(random);
        girdle.push_back(unitVector({a < 90 ? 0 + noise(random) : 180 + noise(random),
                                     std::abs(a < 90 ? a : 180 - a) + 0.0}));
        cluster.push_back(unitVector({215 + noise(random), 62 + noise(random)}));
    }
    for (const auto &[vectors, isGirdle] : {std::pair {girdle, true}, {cluster, false}}) {
        const SphericalStatistics s = sphericalStatistics(vectors);
        const auto e = closedFormEigenvalues(tensorOf(vectors));
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_NEAR((*s.eigenvalues)[k], e[k], 1e-12);
        }
        ASSERT_TRUE(s.woodcockK);
        EXPECT_NEAR(*s.woodcockK, std::log(e[0] / e[1]) / std::log(e[1] / e[2]), 1e-9);
        EXPECT_NEAR(*s.woodcockC, std::log(e[0] / e[2]), 1e-9);
        EXPECT_EQ(*s.woodcockK < 1, isGirdle);
    }
}

TEST(Sentences, NameWhatTheFiguresShow)
{
    using Kind = SphericalSentenceKind;
    const std::size_t withoutDip[] = {3, 17};
    std::vector<Kind> kinds;
    const auto sentences = sphericalSentences(sphericalStatistics(perfectGirdle), withoutDip);
    for (const SphericalSentence &sentence : sentences)
        kinds.push_back(sentence.kind);
    // A perfect girdle has no shape figure (e3 = 0) but its girdle and axis.
    EXPECT_EQ(kinds,
              (std::vector<Kind> {Kind::WithoutDip, Kind::MeanWithCone, Kind::Concentration,
                                  Kind::BestFitGirdle}));
    EXPECT_EQ(sentences[0].lines, (std::vector<std::size_t> {3, 17}));
    EXPECT_NEAR(sentences.back().plane.dipDirection, 270, 1e-9);
    EXPECT_NEAR(sentences.back().direction.trend, 90, 1e-9);
    const auto empty = sphericalSentences(sphericalStatistics({}), {});
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].kind, Kind::NoDips);
    // Two antipodal lines: a mean, no cone, and the reason.
    kinds.clear();
    for (const SphericalSentence &sentence :
         sphericalSentences(sphericalStatistics(vectorsOf({{0, 0}, {90, 0}, {180, 0}})), {}))
        kinds.push_back(sentence.kind);
    EXPECT_EQ(kinds[0], Kind::MeanWithoutCone);
    EXPECT_EQ(kinds[1], Kind::TooScattered);
    EXPECT_EQ(directionText({359.6, 61.5}), "000/62");
}

} // namespace
