#include "core/data/circularstats.h"

#include "core/data/circulardistributions.h"
#include "core/data/directiontally.h"
#include "core/data/sectorarrays.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace quorel {

namespace {

constexpr double degreesPerRadian = 180 / std::numbers::pi;
// The 95% point of the chi-squared distribution with one degree of freedom.
constexpr double chiSquared95 = 3.841458820694124;
// Rounding leaves identical directions a hair below R̄ = 1 and cancelling ones a hair above 0.
constexpr double roundingSlack = 1e-12;

// Cosine and sine of an angle in degrees. The angle is first reduced to within 45° of a
// multiple of 90° (exactly: the remainder of a division is exact), so 90°, 180° and the like
// give exact zeros and ones and opposite directions cancel exactly.
void cosSinDegrees(double degrees, double &cosine, double &sine)
{
    int quadrant = 0;
    const double rest = std::remquo(degrees, 90.0, &quadrant) / degreesPerRadian;
    const double c = std::cos(rest);
    const double s = std::sin(rest);
    switch (quadrant & 3) {
    case 0:
        cosine = c;
        sine = s;
        break;
    case 1:
        cosine = -s;
        sine = c;
        break;
    case 2:
        cosine = -c;
        sine = -s;
        break;
    default:
        cosine = s;
        sine = -c;
        break;
    }
}

// A sum that keeps the low bits lost in each addition (Neumaier), so ten million terms add up
// as exactly as a handful.
class CompensatedSum
{
public:
    void add(double x)
    {
        const double t = m_sum + x;
        m_lost += std::fabs(m_sum) >= std::fabs(x) ? (m_sum - t) + x : (x - t) + m_sum;
        m_sum = t;
    }
    double value() const { return m_sum + m_lost; }

private:
    double m_sum = 0;
    double m_lost = 0;
};

// Under the binning (rounding to whole degrees, halves to even), the part of the circle that
// falls into `sector` (1..36): for readings of any value sector 1 takes [0, 10.5], sector 36
// (350.5, 360) and every other one 10°; of the 360 whole degrees 0..359 sector 1 takes 11
// (0..10), sector 36 nine (351..359) and every other one ten.
double sectorShare(int sector, bool wholeDegrees)
{
    const double widest = wholeDegrees ? 11 : 10.5;
    const double narrowest = wholeDegrees ? 9 : 9.5;
    const double width = sector == 1 ? widest : sector == sectorCount ? narrowest : 10;
    return width / 360;
}

// The Bonferroni band of one of `petals` independent petals (36, or 18 pairs for orientations)
// that takes `share` of the circle: both tails at 0.05 / (2 petals), so that all petals at once
// stay inside in at least 95 of 100 random samples.
CountRange bonferroniBand(std::uint64_t n, double share, int petals)
{
    const double tail = 0.05 / (2.0 * petals);
    return CountRange {binomialQuantile(n, share, tail), binomialQuantile(n, share, 1 - tail)};
}

// Each petal's band. Only three shares occur (the first sector, the last and the rest; for
// orientations the pairs holding them), so only three bands are worked out.
std::array<CountRange, sectorCount> bandsBySector(std::uint64_t n, bool wholeDegrees, bool axial)
{
    const int petals = axial ? sectorCount / 2 : sectorCount;
    const auto share = [&](int sector) {
        return axial
            ? sectorShare(sector, wholeDegrees) + sectorShare(sector + petals, wholeDegrees)
            : sectorShare(sector, wholeDegrees);
    };
    const CountRange first = bonferroniBand(n, share(1), petals);
    const CountRange middle = bonferroniBand(n, share(2), petals);
    const CountRange last = bonferroniBand(n, share(petals), petals);
    std::array<CountRange, sectorCount> bands {};
    for (int sector = 1; sector <= sectorCount; ++sector) {
        const int petal = axial ? (sector - 1) % petals + 1 : sector;
        bands[static_cast<std::size_t>(sector - 1)] = petal == 1 ? first
            : petal == petals                                    ? last
                                                                 : middle;
    }
    return bands;
}

// The angle reduced into [0, period).
double wrap(double degrees, double period)
{
    double r = std::fmod(degrees, period);
    if (r < 0)
        r += period;
    return r >= period ? 0 : r;
}

} // namespace

CircularStatistics circularStatistics(const DirectionTally &directions, bool axial)
{
    CircularStatistics stats;
    stats.axial = axial;

    // One pass: the sums of the unit vectors (of the doubled angles for orientations), and
    // whether every direction is the same one, whose mean is then that direction exactly.
    // For directions, the sums of the doubled angles go along for the test of opposite groups;
    // and the count in every sector, for the mean's own sector.
    const double factor = axial ? 2 : 1;
    CompensatedSum cosines;
    CompensatedSum sines;
    CompensatedSum doubledCosines;
    CompensatedSum doubledSines;
    std::array<std::uint64_t, sectorCount + 1> sectorCounts {}; // [0]: values in no sector
    std::uint64_t n = 0;
    std::optional<double> first;
    bool allEqual = true;
    directions.forEachValue([&](double degrees, std::uint64_t times) {
        double c = 0;
        double s = 0;
        cosSinDegrees(factor * degrees, c, s);
        const auto weight = static_cast<double>(times);
        cosines.add(weight * c);
        sines.add(weight * s);
        if (!axial) { // the double angle's cosine and sine, without another call
            doubledCosines.add(weight * (c - s) * (c + s));
            doubledSines.add(weight * 2 * s * c);
        }
        sectorCounts[static_cast<std::size_t>(sectorOf(degrees))] += times;
        n += times;
        if (!first)
            first = wrap(factor * degrees, 360);
        else if (wrap(factor * degrees, 360) != *first)
            allEqual = false;
    });
    stats.n = n;
    if (n == 0)
        return stats;

    const auto count = static_cast<double>(n);
    double rbar = std::min(1.0, std::hypot(cosines.value(), sines.value()) / count);
    if (allEqual || rbar >= 1 - roundingSlack)
        rbar = 1;
    else if (rbar <= roundingSlack)
        rbar = 0;
    const double resultant = count * rbar;

    std::optional<double> mean; // of the (doubled) angles
    if (allEqual)
        mean = *first;
    else if (rbar > 0)
        mean = wrap(std::atan2(sines.value(), cosines.value()) * degreesPerRadian, 360);

    stats.meanResultantLength = rbar;
    stats.circularVariance = 1 - rbar;
    stats.rayleighZ = count * rbar * rbar;
    stats.rayleighP = rayleighPValue(n, resultant);
    stats.kappa = vonMisesKappa(rbar);
    const double angularDeviation = std::sqrt(2 * (1 - rbar)) * degreesPerRadian;
    stats.angularDeviation = angularDeviation / factor;
    if (rbar > 0)
        stats.circularSd =
            std::sqrt(std::max(0.0, -2 * std::log(rbar))) * degreesPerRadian / factor; // not -0

    if (!axial) {
        double doubled =
            std::min(1.0, std::hypot(doubledCosines.value(), doubledSines.value()) / count);
        if (allEqual || doubled >= 1 - roundingSlack)
            doubled = 1;
        else if (doubled <= roundingSlack)
            doubled = 0;
        stats.doubledRayleighZ = count * doubled * doubled;
        stats.doubledRayleighP = rayleighPValue(n, count * doubled);
    }

    if (mean) {
        stats.meanDirection = *mean / factor;
        const auto sector = static_cast<std::size_t>(sectorOf(*stats.meanDirection));
        stats.meanSectorCount = sectorCounts[sector] + (axial ? sectorCounts[sector + 18] : 0);
        // Zar's interval: (26.24) for R̄ <= 0.9, (26.25) above; none for too scattered data.
        if (n >= 2 && rbar > std::sqrt(chiSquared95 / (2 * count))) {
            const double squared = rbar <= 0.9
                ? 2 * count * (2 * resultant * resultant - count * chiSquared95)
                    / (4 * count - chiSquared95)
                : count * count
                    - (count * count - resultant * resultant) * std::exp(chiSquared95 / count);
            if (squared >= 0) {
                const double halfWidth =
                    std::acos(std::min(1.0, std::sqrt(squared) / resultant)) * degreesPerRadian;
                const double period = 360 / factor;
                stats.ci95 =
                    DirectionInterval {wrap(*stats.meanDirection - halfWidth / factor, period),
                                       wrap(*stats.meanDirection + halfWidth / factor, period)};
            }
        }
    }

    // Each petal's count is Binomial(n, share) for random directions; 36 petals at once at 95%
    // gives 0.05/36 per petal, split between both ends. An axial rose has 18 independent pairs.
    // `band` is that of a petal of 10° (of 20° for a pair).
    const int petals = axial ? sectorCount / 2 : sectorCount;
    stats.band = bonferroniBand(n, 1.0 / petals, petals);
    stats.bandBySector = bandsBySector(n, directions.allWholeDegrees(), axial);
    return stats;
}

bool meanLiesBetweenGroups(const CircularStatistics &statistics)
{
    // count < (n / petals) / 3, in whole numbers.
    const std::uint64_t petals = statistics.axial ? sectorCount / 2 : sectorCount;
    return statistics.meanDirection && statistics.meanSectorCount && statistics.rayleighP
        && *statistics.rayleighP < 0.05 && *statistics.meanSectorCount * 3 * petals < statistics.n;
}

bool meanDirectionIsSignificant(const CircularStatistics &statistics)
{
    return statistics.rayleighP && *statistics.rayleighP < 0.05
        && !meanLiesBetweenGroups(statistics);
}

bool looksLikeOppositeGroups(const CircularStatistics &statistics)
{
    if (statistics.axial || !statistics.doubledRayleighP || !(*statistics.doubledRayleighP < 0.05))
        return false;
    return !(statistics.rayleighP.value_or(1) < 0.05)
        || statistics.doubledRayleighZ.value_or(0) > 2 * statistics.rayleighZ.value_or(0)
        || meanLiesBetweenGroups(statistics);
}

RenderOptions circularRenderOptions(const CircularStatistics &statistics, bool showBand,
                                    bool showMeanDirection)
{
    RenderOptions options;
    options.axial = statistics.axial;
    if (showBand && statistics.bandBySector) {
        const auto toInt = [](std::uint64_t count) {
            return static_cast<int>(std::min<std::uint64_t>(count, INT_MAX));
        };
        RenderOptions::Band band;
        for (std::size_t k = 0; k < band.lower.size(); ++k) {
            band.lower[k] = toInt((*statistics.bandBySector)[k].lower);
            band.upper[k] = toInt((*statistics.bandBySector)[k].upper);
        }
        options.band = band;
    }
    if (showMeanDirection && statistics.meanDirection) {
        RenderOptions::MeanDirection mark {*statistics.meanDirection, std::nullopt,
                                           meanDirectionIsSignificant(statistics)};
        if (statistics.ci95) {
            const double period = statistics.axial ? 180 : 360;
            mark.halfWidth = wrap(statistics.ci95->upper - statistics.ci95->lower, period) / 2;
        }
        options.meanDirection = mark;
    }
    return options;
}

} // namespace quorel
