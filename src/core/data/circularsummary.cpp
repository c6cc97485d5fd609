#include "core/data/circularsummary.h"

#include "core/data/circularstats.h"
#include "core/util/numbers.h"

#include <cmath>

namespace quorel {

namespace {

constexpr const char *degreeSign = "\u00B0";

// Numbers as the sentences show them.
class Wording
{
public:
    explicit Wording(char separator)
        : m_separator(separator)
    { }

    // A bearing to 0.1° with three whole digits ("047.3°"); one that rounds up to a full turn
    // (or half turn, for an orientation) starts again at 000.0°.
    std::string angle(double degrees, double period = 360) const
    {
        std::string text = formatFixed(tenths(degrees, period), 1, m_separator);
        text.insert(0, text.size() < 5 ? 5 - text.size() : 0, '0');
        return text + degreeSign;
    }
    // An orientation as the axis through it: "023.0°–203.0°".
    std::string axis(double degrees) const
    {
        const double rounded = tenths(degrees, 180);
        return angle(rounded, 180) + "\u2013" + angle(rounded + 180);
    }
    std::string spread(double degrees) const
    {
        return "\u00B1" + formatFixed(degrees, 1, m_separator) + degreeSign;
    }
    std::string fixed(double value, int decimals) const
    {
        return formatFixed(value, decimals, m_separator);
    }
    std::string pValue(double p) const
    {
        return p < 0.001 ? "p < " + fixed(0.001, 3) : "p = " + fixed(p, 3);
    }

private:
    static double tenths(double degrees, double period)
    {
        const double rounded = std::round(degrees * 10) / 10;
        return rounded >= period ? rounded - period : rounded;
    }

    char m_separator;
};

} // namespace

std::vector<std::string> circularStatisticsLines(const CircularStatistics &stats,
                                                 char decimalSeparator)
{
    const Wording say(decimalSeparator);
    const bool axial = stats.axial;
    const std::string directions = axial ? "orientations" : "directions";
    std::vector<std::string> lines;
    if (stats.n == 0) {
        lines.push_back("No measurements, no circular statistics.");
        return lines;
    }
    if (stats.n == 1 && stats.meanDirection) {
        lines.push_back(axial ? "One orientation, the " + say.axis(*stats.meanDirection)
                                + " axis: no test with one measurement."
                              : "One direction, " + say.angle(*stats.meanDirection)
                                + ": no test with one measurement.");
        return lines;
    }

    const double p = stats.rayleighP.value_or(1);
    if (p < 0.05 && stats.meanDirection) {
        lines.push_back(axial ? "The orientations cluster around the "
                                + say.axis(*stats.meanDirection) + " axis (" + say.pValue(p) + ")."
                              : "The directions are significantly clustered around "
                                + say.angle(*stats.meanDirection) + " (Rayleigh test, "
                                + say.pValue(p) + ").");
    } else {
        lines.push_back(std::string(axial ? "No preferred orientation" : "No preferred direction")
                        + " can be shown (Rayleigh " + say.pValue(p) + ").");
    }
    if (!axial) {
        lines.push_back("The Rayleigh test looks for one preferred direction: two opposite "
                        "clusters cancel out, so treat orientations as axial data.");
    }
    if (stats.meanResultantLength) {
        lines.push_back("Mean resultant length " + say.fixed(*stats.meanResultantLength, 3)
                        + (axial ? " of the doubled angles" : "") + " (1 = all " + directions
                        + " identical, 0 = no common " + (axial ? "orientation" : "direction")
                        + ").");
    }
    if (stats.circularVariance) {
        lines.push_back("Circular variance " + say.fixed(*stats.circularVariance, 3)
                        + " (0 = no spread, 1 = maximal spread).");
    }
    if (stats.circularSd && stats.angularDeviation) {
        lines.push_back("Typical spread around the mean: " + say.spread(*stats.circularSd)
                        + " (circular SD; angular deviation " + say.spread(*stats.angularDeviation)
                        + ").");
    } else if (stats.angularDeviation) {
        lines.push_back(std::string(axial ? "No mean orientation" : "No mean direction") + ": the "
                        + directions + " cancel out (angular deviation "
                        + say.spread(*stats.angularDeviation) + ").");
    }
    if (stats.ci95) {
        lines.push_back(std::string("The true mean ") + (axial ? "axis" : "direction")
                        + " lies between " + say.angle(stats.ci95->lower, axial ? 180 : 360)
                        + " and " + say.angle(stats.ci95->upper, axial ? 180 : 360)
                        + " (95% confidence).");
    } else {
        lines.push_back("Too scattered for a confidence interval of the mean.");
    }
    if (stats.kappa) {
        lines.push_back("Concentration \u03BA = "
                        + say.fixed(*stats.kappa, *stats.kappa < 1 ? 2 : 1)
                        + " (von Mises model): the larger \u03BA, the tighter the cluster.");
    } else {
        lines.push_back("Concentration \u03BA without bound (von Mises model): all " + directions
                        + " are identical.");
    }
    if (stats.band) {
        lines.push_back("Band of chance: " + std::to_string(stats.band->lower) + " to "
                        + std::to_string(stats.band->upper) + " measurements per petal; "
                        + (axial ? "with random orientations all 18 pairs of petals"
                                 : "with random directions all 36 petals")
                        + " stay inside it 95 times in 100.");
    }
    return lines;
}

std::string significanceBandLegend(bool axial)
{
    return axial ? "The shaded ring shows how long petals get by chance: with random orientations "
                   "all 18 pairs stay inside it 95 times in 100."
                 : "The shaded ring shows how long petals get by chance: with random directions "
                   "all 36 stay inside it 95 times in 100.";
}

std::vector<std::string> circularPanelLines(const CircularStatistics &stats, char decimalSeparator,
                                            bool showBand)
{
    std::vector<std::string> lines = circularStatisticsLines(stats, decimalSeparator);
    const RenderOptions drawn = circularRenderOptions(stats, showBand, false);
    if (drawn.band && drawn.band->upper > 0)
        lines.push_back(significanceBandLegend(stats.axial));
    return lines;
}

} // namespace quorel
