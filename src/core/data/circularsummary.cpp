#include "core/data/circularsummary.h"

#include "core/data/circularstats.h"
#include "core/util/numbers.h"

#include <algorithm>
#include <cmath>

namespace quorel {

namespace {

constexpr const char *degreeSign = "\u00B0";

double tenths(double degrees, double period)
{
    const double rounded = std::round(degrees * 10) / 10;
    return rounded >= period ? rounded - period : rounded;
}

} // namespace

namespace figures {

std::string bearing(double degrees, char separator, double period)
{
    std::string text = formatFixed(tenths(degrees, period), 1, separator);
    text.insert(0, text.size() < 5 ? 5 - text.size() : 0, '0');
    return text + degreeSign;
}

std::string axis(double degrees, char separator)
{
    const double rounded = tenths(degrees, 180);
    return bearing(rounded, separator, 180) + "\u2013" + bearing(rounded + 180, separator);
}

std::string spread(double degrees, char separator)
{
    return "\u00B1" + formatFixed(degrees, 1, separator) + degreeSign;
}

std::string fixed(double value, int decimals, char separator)
{
    return formatFixed(value, decimals, separator);
}

std::string pValue(double p, char separator)
{
    return p < 0.001 ? "p < " + fixed(0.001, 3, separator) : "p = " + fixed(p, 3, separator);
}

std::string kappa(double kappa, char separator)
{
    return fixed(kappa, kappa < 1 ? 2 : 1, separator);
}

std::string count(double count)
{
    return std::to_string(static_cast<unsigned long long>(std::max(0.0, count)));
}

} // namespace figures

std::vector<CircularSentence> circularSentences(const CircularStatistics &stats)
{
    using Kind = CircularSentenceKind;
    std::vector<CircularSentence> sentences;
    const auto say = [&](Kind kind, double first = 0, double second = 0) {
        sentences.push_back(CircularSentence {kind, stats.axial, {first, second}});
    };
    if (stats.n == 0) {
        say(Kind::NoMeasurements);
        return sentences;
    }
    if (stats.n == 1 && stats.meanDirection) {
        say(Kind::OneMeasurement, *stats.meanDirection);
        return sentences;
    }

    const double p = stats.rayleighP.value_or(1);
    const bool betweenGroups = meanLiesBetweenGroups(stats);
    if (p < 0.05 && betweenGroups)
        say(Kind::NotRandom, p);
    else if (p < 0.05 && stats.meanDirection)
        say(Kind::Clustered, *stats.meanDirection, p);
    else
        say(Kind::NoPreference, p);
    if (!stats.axial)
        say(Kind::OneModeCaveat);
    if (looksLikeOppositeGroups(stats))
        say(Kind::OppositeGroups);
    else if (betweenGroups)
        say(Kind::SeveralGroups, *stats.meanDirection);
    if (stats.meanResultantLength)
        say(Kind::MeanResultantLength, *stats.meanResultantLength);
    if (stats.circularVariance)
        say(Kind::CircularVariance, *stats.circularVariance);
    if (stats.circularSd && stats.angularDeviation) {
        if (stats.meanResultantLength.value_or(0) < meaningfulSdLength)
            say(Kind::SpreadVeryLarge, *stats.angularDeviation);
        else
            say(Kind::Spread, *stats.circularSd, *stats.angularDeviation);
    } else if (stats.angularDeviation) {
        say(Kind::NoMean, *stats.angularDeviation);
    }
    if (stats.ci95)
        say(Kind::ConfidenceInterval, stats.ci95->lower, stats.ci95->upper);
    else
        say(Kind::NoConfidenceInterval);
    if (stats.kappa)
        say(Kind::Concentration, *stats.kappa);
    else
        say(Kind::ConcentrationUnbounded);
    if (stats.band) {
        say(Kind::Band, static_cast<double>(stats.band->lower),
            static_cast<double>(stats.band->upper));
    }
    return sentences;
}

std::vector<CircularSentence> circularPanelSentences(const CircularStatistics &stats, bool showBand,
                                                     bool showMeanDirection)
{
    using Kind = CircularSentenceKind;
    std::vector<CircularSentence> sentences = circularSentences(stats);
    const RenderOptions drawn = circularRenderOptions(stats, showBand, showMeanDirection);
    if (drawn.band
        && std::any_of(drawn.band->upper.begin(), drawn.band->upper.end(),
                       [](int upper) { return upper > 0; }))
        sentences.push_back(CircularSentence {Kind::BandLegend, stats.axial, {}});
    if (drawn.meanDirection) {
        const bool arc = drawn.meanDirection->halfWidth && *drawn.meanDirection->halfWidth > 0;
        const Kind legend = drawn.meanDirection->significant
            ? (arc ? Kind::MeanWithArcLegend : Kind::MeanLegend)
            : meanLiesBetweenGroups(stats) ? Kind::MeanBetweenGroupsLegend
                                           : Kind::MeanNotSignificantLegend;
        sentences.push_back(CircularSentence {legend, stats.axial, {}});
    }
    return sentences;
}

} // namespace quorel
