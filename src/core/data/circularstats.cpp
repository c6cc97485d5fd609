#include "core/data/circularstats.h"

#include "core/data/circulardistributions.h"
#include "core/data/directiontally.h"

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
    const double factor = axial ? 2 : 1;
    CompensatedSum cosines;
    CompensatedSum sines;
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

    if (mean) {
        stats.meanDirection = *mean / factor;
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

    // Each petal's count is Binomial(n, 1/36) for random directions; 36 petals at once at 95%
    // gives 0.05/36 per petal, split between both ends. An axial rose has 18 independent pairs.
    const double petals = axial ? 18 : 36;
    const double tail = 0.05 / (2 * petals);
    stats.band = CountRange {binomialQuantile(n, 1 / petals, tail),
                             binomialQuantile(n, 1 / petals, 1 - tail)};
    return stats;
}

RenderOptions circularRenderOptions(const CircularStatistics &statistics, bool showBand,
                                    bool showMeanDirection)
{
    RenderOptions options;
    options.axial = statistics.axial;
    if (showBand && statistics.band) {
        const auto toInt = [](std::uint64_t count) {
            return static_cast<int>(std::min<std::uint64_t>(count, INT_MAX));
        };
        options.band =
            RenderOptions::Band {toInt(statistics.band->lower), toInt(statistics.band->upper)};
    }
    if (showMeanDirection && statistics.meanDirection) {
        RenderOptions::MeanDirection mark {*statistics.meanDirection, std::nullopt};
        if (statistics.ci95) {
            const double period = statistics.axial ? 180 : 360;
            mark.halfWidth = wrap(statistics.ci95->upper - statistics.ci95->lower, period) / 2;
        }
        options.meanDirection = mark;
    }
    return options;
}

} // namespace quorel
