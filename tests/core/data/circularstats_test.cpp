#include "core/data/circularstats.h"

#include "core/data/circulardistributions.h"
#include "core/data/circularsummary.h"
#include "core/data/datareader.h"
#include "core/data/directiontally.h"
#include "core/diagram/diagramstyle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

using namespace quorel;

namespace {

constexpr double none = std::numeric_limits<double>::quiet_NaN();

DirectionTally tallyOf(const std::vector<double> &degrees)
{
    DirectionTally tally;
    for (const double value : degrees)
        tally.add(value);
    return tally;
}

std::vector<double> twoOppositeClusters() // at 40° and 220°
{
    std::vector<double> values;
    for (int i = 0; i < 60; ++i)
        values.push_back((i % 2 ? 40 : 220) + (i % 7) - 3);
    return values;
}

std::vector<double> hundredths() // none of them on the tally's grid of tenths
{
    std::vector<double> values;
    for (int k = 1; k <= 200; ++k)
        values.push_back(k * 1.37);
    return values;
}

// An optional figure against an expected one (NaN: undefined); angles modulo `period`.
void expectFigure(const char *what, std::optional<double> actual, double expected, double tolerance,
                  double period = 0)
{
    if (std::isnan(expected)) {
        EXPECT_FALSE(actual.has_value()) << what << " = " << actual.value_or(0);
        return;
    }
    ASSERT_TRUE(actual.has_value()) << what;
    EXPECT_TRUE(std::isfinite(*actual) && !std::signbit(*actual)) << what;
    double difference = std::fabs(*actual - expected);
    if (period > 0) {
        EXPECT_LT(*actual, period) << what;
        difference = std::min(difference, period - difference);
    }
    EXPECT_LE(difference, tolerance) << what << " = " << *actual;
}

struct DataCase
{
    const char *name;
    const char *file; // an example file, read as the program reads it; else `values`
    std::vector<double> values;
    bool axial;
    double mean, rbar, sd, deviation, p, ciLower, ciUpper, kappa;
    int bandLower, bandUpper; // -1: none
};

constexpr double degree = std::numbers::pi / 180;
const double sqrt2Degrees = std::sqrt(2.0) / degree; // the angular deviation at R̄ = 0

// Computed with R 4.2 and `circular` 0.4: mean.circular, rho.circular, sd.circular and
// angular.deviation (in degrees); rayleigh.test's p for 10 to 49 directions, its series with
// the second-order terms from 50 on, and the exact p of three directions by 20-digit
// integration over the angles (mpmath), of two δ apart δ / 180°; Zar's interval from its
// formulas with qchisq(0.95, 1); κ as the root of besselI(κ, 1) / besselI(κ, 0) = R̄; the band
// from qbinom. Axial sets: the same of the doubled angles, angles halved. NaN: undefined, and
// the edge cases (from "Nothing" on) leave undefined what has no value.
// clang-format off
const DataCase dataCases[] = {
    {"Bedding", "bedding.dat", {}, false, 219.7536508389109, 0.9765890569967874, 12.471366529794768,
     12.397870167952977, 6.762991448862943e-16, 215.74349153405146, 223.7638101437703,
     21.616876979330392, 0, 6},
    {"BeddingAxial", "bedding.dat", {}, true, 39.68825738175655, 0.9095948354584632,
     12.47127992032181, 12.181597765293631, 5.22688900755878e-14, 35.51884617158323,
     43.85766859192987, 5.827644880210019, 0, 8},
    {"Faults", "faults.txt", {}, false, 340.2306307908618, 0.7080443410108234, 47.61059043622705,
     43.78204863300785, 1.502708547763846e-08, 323.0864692855621, 357.37479229616156,
     2.064223246474004, 0, 5},
    {"FaultsAxial", "faults.txt", {}, true, 125.82194733508459, 0.2950955828140605,
     44.75779593392199, 34.015178206863254, 0.05066581892246157, 99.30115090948581,
     152.34274376068336, 0.6179223857651825, 0, 7},
    {"Joints", "joints.qrl", {}, false, 77.58905527842948, 0.6505609924053366, 53.12899092446409,
     47.898655368884064, 2.1431356898909283e-17, 66.27999405641762, 88.89811650044135,
     1.7422012491183694, 0, 9},
    {"JointsAxial", "joints.qrl", {}, true, 46.63420775512627, 0.09809911382104243,
     61.7330709637609, 38.47574532240734, 0.4057747997421989, none, none, 0.1971499189302134, 0,
     13},
    {"Three", nullptr, {10, 50, 70}, false, 43.657088693352165, 0.9074674238297465,
     25.248867340409216, 24.648185679057736, 0.0783822026788429, 355.3886484914156,
     91.92552889528872, 5.702143821047856, 0, 2},
    {"ThreeAxial", nullptr, {10, 50, 70}, true, 45, 0.6565385020081388, 26.280404874673042,
     23.743605313770573, 0.3142662140781306, none, none, 1.7719563351100254, 0, 2},
    {"Twelve", nullptr, {12, 25.5, 31, 8, 354, 41, 19.5, 60, 2, 27, 33.3, 15}, false,
     22.246182249395115, 0.9554671439410489, 17.294387645664493, 17.09928318114438,
     8.412184016063787e-07, 11.310316817042288, 33.182047681747946, 11.49662602233654, 0, 3},
    {"Opposite", nullptr, twoOppositeClusters(), false, 128.4999999999994, 0.0005816804269833973,
     221.15858220492987, 81.00489868905912, 0.9999798677799548, none, none, 0.0011633610507814408,
     0, 7},
    {"OppositeAxial", nullptr, twoOppositeClusters(), true, 39.89988041647687, 0.9975911777946644,
     1.9896276375084312, 1.9884286298136107, 9.564765166287165e-25, 39.38763301706149,
     40.41212781589225, 207.82123046410715, 0, 10},
    {"Hundredths", nullptr, hundredths(), false, 137.685, 0.28523035441813016, 90.75398863757489,
     68.504749197582, 6.341123657716499e-08, 117.97096106359574, 157.39903893640428,
     0.5953716911085927, 0, 14},
    {"HundredthsAxial", nullptr, hundredths(), true, 47.685000000000024, 0.20861918473888433,
     50.71962681393905, 36.04129552067088, 0.0001539201397265271, 33.80635395148936,
     61.563646048510684, 0.42666142256980494, 3, 22},
    {"Nothing", nullptr, {}, false, none, none, none, none, none, none, none, none, -1, -1},
    {"One", nullptr, {47}, false, 47, 1, 0, 0, 1, none, none, none, 0, 1},
    {"OneOrientation", nullptr, {200}, true, 20, 1, 0, 0, 1, none, none, none, 0, 1},
    // The series would give -3.4e-5 here; the exact p is 0 and the interval has no width.
    {"SixIdentical", nullptr, {47, 47, 47, 47, 47, 47}, false, 47, 1, 0, 0, 0, 47, 47, none, 0, 2},
    {"FullTurnIsNorth", nullptr, {0, 360}, false, 0, 1, 0, 0, 0, 0, 0, none, 0, 2},
    {"OppositeDirectionsOneAxis", nullptr, {10, 190}, true, 10, 1, 0, 0, 0, 10, 10, none, 0, 2},
    {"Cancelling", nullptr, {0, 120, 240}, false, none, 0, none, sqrt2Degrees, 1, none, none, 0, 0,
     2},
    {"CancellingPair", nullptr, {10, 190}, false, none, 0, none, sqrt2Degrees, 1, none, none, 0, 0,
     2},
    {"AcrossNorth", nullptr, {359, 1}, false, 0, std::cos(degree), 1.0000253865248747,
     0.99998730765573796, 2.0 / 180, 357.58534268511949, 2.4146573148805146, 3283.1397417591852, 0,
     2},
    // R̄ within 1e-10 of 1 (p and κ by 30-digit integration and root finding).
    {"NearlyIdentical", nullptr, {47, 47.001, 46.999}, false, 47, 0.99999999989846089,
     0.00081649646243792335, 0.00081649646241719676, 8.397219278862119e-11, 46.998683847624257,
     47.001316152375743, 4924210954.7183161616, 0, 2},
    // R̄ = cos 20° = 0.94 is at most √(χ²/2n) = 0.98 for two directions: no interval.
    {"TwoTooFewForAnInterval", nullptr, {0, 40}, false, 20, std::cos(20 * degree),
     20.208840576244874, 19.898615400905985, 40.0 / 180, none, none, 8.5680389757989008, 0, 2},
};
// clang-format on

class CircularData : public testing::TestWithParam<DataCase>
{ };

TEST_P(CircularData, AgreesWithR)
{
    const DataCase &c = GetParam();
    DirectionTally directions = tallyOf(c.values);
    if (c.file) {
        DataReader reader('.');
        DiagramStyle style;
        ASSERT_TRUE(reader.load(std::string(QUOREL_EXAMPLES_DIR) + "/" + c.file, style).ok());
        directions = reader.measurements().directions();
    }
    const CircularStatistics stats = circularStatistics(directions, c.axial);
    const double period = c.axial ? 180 : 360;
    EXPECT_EQ(stats.axial, c.axial);
    EXPECT_EQ(stats.n, directions.count());
    // A mean of directions that nearly cancel out moves with the last bits of the sums.
    const double angles = 1e-10 / std::max(c.rbar, 1e-3);
    expectFigure("mean", stats.meanDirection, c.mean, angles, period);
    expectFigure("R̄", stats.meanResultantLength, c.rbar, 1e-13);
    expectFigure("variance", stats.circularVariance, 1 - c.rbar, 1e-13);
    expectFigure("circular SD", stats.circularSd, c.sd, 1e-9);
    expectFigure("angular deviation", stats.angularDeviation, c.deviation, 1e-9);
    expectFigure("Z", stats.rayleighZ, static_cast<double>(stats.n) * c.rbar * c.rbar, 1e-12);
    expectFigure("p", stats.rayleighP, c.p, 1e-12);
    expectFigure("CI lower", stats.ci95 ? std::optional(stats.ci95->lower) : std::nullopt,
                 c.ciLower, angles, period);
    expectFigure("CI upper", stats.ci95 ? std::optional(stats.ci95->upper) : std::nullopt,
                 c.ciUpper, angles, period);
    expectFigure("κ", stats.kappa, c.kappa, 1e-9 * c.kappa);
    EXPECT_EQ(stats.band.has_value(), c.bandUpper >= 0);
    if (stats.band) {
        EXPECT_EQ(stats.band->lower, static_cast<std::uint64_t>(c.bandLower));
        EXPECT_EQ(stats.band->upper, static_cast<std::uint64_t>(c.bandUpper));
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, CircularData, testing::ValuesIn(dataCases),
                         [](const auto &test) { return std::string(test.param.name); });

// A tenth of a degree is tallied on the grid only when it is exactly the value; other values
// are kept as they are, so both give the figures of the values themselves.
TEST(DirectionTally, KeepsEveryValueExactly)
{
    DirectionTally tally;
    for (const double value :
         {12.3, 12.34, 360.0, 0.0, 12.3, std::numeric_limits<double>::quiet_NaN(), 1e-300})
        tally.add(value);
    std::vector<std::pair<double, std::uint64_t>> seen;
    tally.forEachValue(
        [&](double degrees, std::uint64_t times) { seen.emplace_back(degrees, times); });
    EXPECT_EQ(tally.count(), 6u);
    EXPECT_EQ(seen,
              (std::vector<std::pair<double, std::uint64_t>> {
                  {0.0, 1}, {12.3, 2}, {360.0, 1}, {12.34, 1}, {1e-300, 1}}));

    DirectionTally joined = tallyOf({1, 2.25});
    joined.addTally(tallyOf({1, 3.5}));
    EXPECT_EQ(joined, tallyOf({1, 2.25, 1, 3.5}));
}

// The exact distribution against the published critical values of R̄ (to four places) for
// p = 0.05 and 0.01: p crosses the level between the table's value ± 0.00005.
TEST(ExactRayleighP, CrossesTheLevelsAtTheCriticalValues)
{
    struct Critical
    {
        int n;
        double at05, at01;
    };
    const Critical table[] = {{2, 0.9969, 0.9999}, {3, 0.9405, 0.9879}, {4, 0.8456, 0.9454},
                              {5, 0.7581, 0.8859}, {6, 0.6901, 0.8251}, {7, 0.6416, 0.7705},
                              {8, 0.6022, 0.7246}, {9, 0.5686, 0.6872}};
    for (const Critical &c : table) {
        for (const auto &[rbar, level] : {std::pair(c.at05, 0.05), std::pair(c.at01, 0.01)}) {
            const double upper = std::min(rbar + 0.00005, 1.0);
            EXPECT_GT(exactRayleighPValue(c.n, c.n * (rbar - 0.00005)), level) << c.n;
            EXPECT_LT(exactRayleighPValue(c.n, c.n * upper), level) << c.n;
        }
    }
}

// Against 20-digit integration over the angles (mpmath): near the kinks of the distribution
// (r = 1), near the ends, and for a vanishing resultant.
TEST(ExactRayleighP, AgreesWithIntegrationOverTheAngles)
{
    struct Point
    {
        int n;
        double r, p;
    };
    const Point points[] = {
        {3, 0.001, 0.99999981622367089667},
        {3, 0.01, 0.99998162206384743134},
        {3, 0.999, 0.7514121729777515903},
        {3, 1.0, 0.75},
        {3, 1.001, 0.7485871207590876429},
        {3, 2.0, 0.30390335662965298799},
        {3, 2.99, 0.0027589455191148707778},
        {3, 2.9999, 0.000027566674495291463494},
        {4, 0.3, 0.974070699339231},
        {4, 1.0, 0.8},
        {4, 2.7, 0.1692291561367841},
        {4, 3.5, 0.03585827083347885},
        {2, 1.0, 2.0 / 3},
    };
    for (const Point &point : points)
        EXPECT_NEAR(exactRayleighPValue(point.n, point.r), point.p, 1e-12)
            << point.n << " " << point.r;
}

TEST(RayleighP, ExactBelowTenDirectionsSeriesFromTen)
{
    EXPECT_EQ(rayleighPValue(9, 4.0), exactRayleighPValue(9, 4.0));
    EXPECT_EQ(rayleighPValue(10, 4.0), rayleighSeriesPValue(10, 4.0));
    EXPECT_NEAR(rayleighSeriesPValue(10, 4.0), exactRayleighPValue(10, 4.0), 6e-5);
    EXPECT_EQ(rayleighPValue(1, 1.0), 1);
    EXPECT_EQ(rayleighSeriesPValue(6, 6.0), 0); // -3.4e-5 before clamping
    EXPECT_EQ(rayleighSeriesPValue(200, 0.0), 1);
}

// κ where Best and Fisher's approximation changes its form, and far beyond, where the slope of
// I1/I0 is below 1e-19; 40-digit roots of besselI(κ, 1) / besselI(κ, 0) = R̄ (mpmath).
TEST(VonMisesKappa, IsTheMaximumLikelihoodRoot)
{
    const std::pair<double, double> cases[] = {
        {0.1, 0.20100841330272078183},     {0.53, 1.2567234728798316251},
        {0.85, 3.6804078188911193364},     {0.99, 50.253847401099686802},
        {0.999999, 500000.24998599716868}, {0.9999999998984609, 4924210954.7183161616}};
    for (const auto &[rbar, kappa] : cases)
        EXPECT_NEAR(vonMisesKappa(rbar).value(), kappa, 1e-12 * kappa) << rbar;
    EXPECT_EQ(vonMisesKappa(0), 0);
    EXPECT_FALSE(vonMisesKappa(1).has_value());
}

// The band against R's qbinom: Binomial(n, 1/36) at 0.05/72 and 1 - 0.05/72, and for axial
// roses Binomial(n, 1/18) at 0.05/36 and 1 - 0.05/36. The same for every n from 1 to 3000.
TEST(BinomialQuantile, AgreesWithRsQbinom)
{
    struct Band
    {
        std::uint64_t n, lower, upper, axialLower, axialUpper;
    };
    const Band bands[] = {{1, 0, 1, 0, 1},
                          {2, 0, 2, 0, 2},
                          {36, 0, 5, 0, 7},
                          {100, 0, 9, 0, 13},
                          {143, 0, 12, 1, 17},
                          {1000, 13, 46, 35, 78},
                          {2000, 34, 80, 82, 143},
                          {10000, 227, 332, 488, 625},
                          {10000000, 276118, 279441, 553390, 557724}};
    for (const Band &b : bands) {
        EXPECT_EQ(binomialQuantile(b.n, 1.0 / 36, 0.05 / 72), b.lower) << b.n;
        EXPECT_EQ(binomialQuantile(b.n, 1.0 / 36, 1 - 0.05 / 72), b.upper) << b.n;
        EXPECT_EQ(binomialQuantile(b.n, 1.0 / 18, 0.05 / 36), b.axialLower) << b.n;
        EXPECT_EQ(binomialQuantile(b.n, 1.0 / 18, 1 - 0.05 / 36), b.axialUpper) << b.n;
    }
}

// Two groups at 40° and 220°, twice as many in the first.
std::vector<double> unevenOppositeClusters()
{
    std::vector<double> values;
    for (int i = 0; i < 60; ++i)
        values.push_back((i % 3 ? 40 : 220) + (i % 7) - 3);
    return values;
}

// What the sentences say of where the measurements point, and how the mean is drawn: solid only
// where it is significant and not between groups; the advice to read directions as orientations
// only where the doubled angles are clearly the stronger test.
TEST(CircularSentences, SayWhereTheMeasurementsPoint)
{
    using Kind = CircularSentenceKind;
    struct Case
    {
        const char *name;
        const char *file;
        std::vector<double> values;
        bool axial;
        Kind main;
        std::optional<Kind> groups;
        Kind spread;
        Kind meanLegend;
    };
    const Case cases[] = {
        {"OneCluster",
         nullptr,
         {12, 25.5, 31, 8, 354, 41, 19.5, 60, 2, 27, 33.3, 15},
         false,
         Kind::Clustered,
         std::nullopt,
         Kind::Spread,
         Kind::MeanWithArcLegend},
        // Sets about 040° and 130°: the mean, 077.6°, lies in an empty sector between them.
        {"JointsBetweenTheirSets",
         "joints.qrl",
         {},
         false,
         Kind::NotRandom,
         Kind::SeveralGroups,
         Kind::Spread,
         Kind::MeanBetweenGroupsLegend},
        {"JointsAsOrientations",
         "joints.qrl",
         {},
         true,
         Kind::NoPreference,
         std::nullopt,
         Kind::SpreadVeryLarge,
         Kind::MeanNotSignificantLegend},
        {"OppositeClusters", nullptr, twoOppositeClusters(), false, Kind::NoPreference,
         Kind::OppositeGroups, Kind::SpreadVeryLarge, Kind::MeanNotSignificantLegend},
        {"OppositeClustersAsOrientations", nullptr, twoOppositeClusters(), true, Kind::Clustered,
         std::nullopt, Kind::Spread, Kind::MeanWithArcLegend},
        {"UnevenOppositeClusters", nullptr, unevenOppositeClusters(), false, Kind::Clustered,
         Kind::OppositeGroups, Kind::Spread, Kind::MeanWithArcLegend},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DirectionTally directions = tallyOf(c.values);
        if (c.file) {
            DataReader reader('.');
            DiagramStyle style;
            ASSERT_TRUE(reader.load(std::string(QUOREL_EXAMPLES_DIR) + "/" + c.file, style).ok());
            directions = reader.measurements().directions();
        }
        const CircularStatistics stats = circularStatistics(directions, c.axial);
        const std::vector<CircularSentence> sentences = circularPanelSentences(stats, true, true);
        ASSERT_GE(sentences.size(), 3u);
        EXPECT_EQ(sentences.front().kind, c.main);
        std::optional<Kind> groups;
        bool spread = false;
        for (const CircularSentence &sentence : sentences) {
            if (sentence.kind == Kind::OppositeGroups || sentence.kind == Kind::SeveralGroups)
                groups = sentence.kind;
            spread = spread || sentence.kind == c.spread;
        }
        EXPECT_EQ(groups, c.groups);
        EXPECT_TRUE(spread);
        EXPECT_EQ(sentences[sentences.size() - 2].kind, Kind::BandLegend);
        EXPECT_EQ(sentences.back().kind, c.meanLegend);
        const RenderOptions drawn = circularRenderOptions(stats, false, true);
        ASSERT_TRUE(drawn.meanDirection);
        EXPECT_EQ(drawn.meanDirection->significant, c.meanLegend == Kind::MeanWithArcLegend);
    }
}

// The band of each petal follows the share of the circle its sector takes: whole degrees give
// sector 1 eleven of 360, continuous readings 10.5°; the 10° figure stays that of the middle.
TEST(CircularStatistics, BandBySectorFollowsTheSectorsShares)
{
    struct Case
    {
        const char *name;
        double offset; // added to every whole degree
        bool axial;
        CountRange first, middle, last;
    };
    // qbinom(0.05/72, 10000, p) and qbinom(1 - 0.05/72, ...) for p = 11/360, 10/360, 9/360 and
    // 10.5/360, 9.5/360; for pairs of sectors p = 21/360, 20/360, 19/360 at 0.05/36 (exact sums
    // of the binomial probabilities to 40 digits, mpmath).
    const Case cases[] = {
        {"WholeDegrees", 0, false, {252, 362}, {227, 332}, {202, 301}},
        {"Continuous", 0.25, false, {239, 347}, {227, 332}, {214, 317}},
        {"WholePairs", 0, true, {514, 655}, {488, 625}, {462, 596}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DirectionTally tally;
        for (int i = 0; i < 10000; ++i)
            tally.add(i % 360 + c.offset);
        EXPECT_EQ(tally.allWholeDegrees(), c.offset == 0);
        const CircularStatistics stats = circularStatistics(tally, c.axial);
        ASSERT_TRUE(stats.bandBySector && stats.band);
        EXPECT_EQ(*stats.band, c.middle);
        const auto &bands = *stats.bandBySector;
        EXPECT_EQ(bands[0], c.first);
        EXPECT_EQ(bands[1], c.middle);
        EXPECT_EQ(bands[c.axial ? 17 : 35], c.last);
        if (c.axial) {
            EXPECT_EQ(bands[18], c.first);
        }
    }
}

// The renderer's options follow the statistics: the band and the mean only where asked for and
// defined, the half width of the interval around the mean, the axial rose for axial data.
TEST(CircularRenderOptions, DrawWhatIsAskedAndDefined)
{
    const CircularStatistics stats = circularStatistics(tallyOf({350, 10, 20, 5, 355}), false);
    EXPECT_FALSE(circularRenderOptions(stats, false, false).band);
    EXPECT_FALSE(circularRenderOptions(stats, false, false).meanDirection);
    const RenderOptions both = circularRenderOptions(stats, true, true);
    ASSERT_TRUE(both.band && both.meanDirection && both.meanDirection->halfWidth);
    EXPECT_EQ(both.band->upper[1], 2);
    EXPECT_NEAR(both.meanDirection->direction, *stats.meanDirection, 1e-12);
    EXPECT_NEAR(*both.meanDirection->halfWidth,
                std::fmod(stats.ci95->upper - stats.ci95->lower + 360, 360) / 2, 1e-9);
    EXPECT_FALSE(both.axial);

    const CircularStatistics cancelling = circularStatistics(tallyOf({10, 190}), false);
    EXPECT_FALSE(circularRenderOptions(cancelling, true, true).meanDirection);
    EXPECT_TRUE(
        circularRenderOptions(circularStatistics(tallyOf({10, 190}), true), true, true).axial);
}

} // namespace
