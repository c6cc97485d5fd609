#include "core/tools/circularwording.h"

#include "core/data/circularstats.h"

namespace quorel {

namespace {

std::vector<std::string> english(const std::vector<CircularSentence> &sentences, char separator)
{
    std::vector<std::string> lines;
    lines.reserve(sentences.size());
    for (const CircularSentence &sentence : sentences)
        lines.push_back(englishSentence(sentence, separator));
    return lines;
}

} // namespace

std::string englishSentence(const CircularSentence &sentence, char decimalSeparator)
{
    using Kind = CircularSentenceKind;
    const char sep = decimalSeparator;
    const bool axial = sentence.axial;
    const double first = sentence.figures[0];
    const double second = sentence.figures[1];
    const std::string directions = axial ? "orientations" : "directions";
    const std::string meanWord = axial ? "mean axis" : "mean direction";
    const auto mean = [&](double degrees) {
        return axial ? figures::axis(degrees, sep) : figures::bearing(degrees, sep);
    };
    switch (sentence.kind) {
    case Kind::NoMeasurements:
        return "No measurements, no circular statistics.";
    case Kind::OneMeasurement:
        return axial
            ? "One orientation, the " + mean(first) + " axis: no test with one measurement."
            : "One direction, " + mean(first) + ": no test with one measurement.";
    case Kind::Clustered:
        return axial ? "The orientations cluster around the " + mean(first) + " axis ("
                + figures::pValue(second, sep) + ")."
                     : "The directions are significantly clustered around " + mean(first)
                + " (Rayleigh test, " + figures::pValue(second, sep) + ").";
    case Kind::NotRandom:
        return axial
            ? "The orientations are not spread at random (" + figures::pValue(first, sep) + ")."
            : "The directions are not spread at random (Rayleigh test, "
                + figures::pValue(first, sep) + ").";
    case Kind::NoPreference:
        return std::string(axial ? "No preferred orientation" : "No preferred direction")
            + " can be shown (Rayleigh " + figures::pValue(first, sep) + ").";
    case Kind::OneModeCaveat:
        return "The Rayleigh test looks for one preferred direction: two opposite clusters cancel "
               "out, so treat orientations as axial data.";
    case Kind::OppositeGroups:
        return "The directions form two opposite groups: switch on Axial data.";
    case Kind::SeveralGroups:
        return "The " + directions + " form separate groups: their " + meanWord + ", " + mean(first)
            + ", falls where few of them lie and describes none of them.";
    case Kind::MeanResultantLength:
        return "Mean resultant length " + figures::fixed(first, 3, sep)
            + (axial ? " of the doubled angles" : "") + " (1 = all " + directions
            + " identical, 0 = no common " + (axial ? "orientation" : "direction") + ").";
    case Kind::CircularVariance:
        return "Circular variance " + figures::fixed(first, 3, sep)
            + " (0 = no spread, 1 = maximal spread).";
    case Kind::Spread:
        return "Typical spread around the mean: " + figures::spread(first, sep)
            + " (circular SD; angular deviation " + figures::spread(second, sep) + ").";
    case Kind::SpreadVeryLarge:
        return "Typical spread around the mean: very large (R\u0304 < "
            + figures::fixed(meaningfulSdLength, 1, sep) + "); angular deviation "
            + figures::spread(first, sep) + ".";
    case Kind::NoMean:
        return std::string(axial ? "No mean orientation" : "No mean direction") + ": the "
            + directions + " cancel out (angular deviation " + figures::spread(first, sep) + ").";
    case Kind::ConfidenceInterval:
        return std::string("The true mean ") + (axial ? "axis" : "direction") + " lies between "
            + figures::bearing(first, sep, axial ? 180 : 360) + " and "
            + figures::bearing(second, sep, axial ? 180 : 360) + " (95% confidence).";
    case Kind::NoConfidenceInterval:
        return "Too scattered for a confidence interval of the mean.";
    case Kind::Concentration:
        return "Concentration \u03BA = " + figures::kappa(first, sep)
            + " (von Mises model): the larger \u03BA, the tighter the cluster.";
    case Kind::ConcentrationUnbounded:
        return "Concentration \u03BA without bound (von Mises model): all " + directions
            + " are identical.";
    case Kind::Band:
        return "Band of chance: " + figures::count(first) + " to " + figures::count(second)
            + " measurements per petal; "
            + (axial ? "with random orientations all 18 pairs of petals"
                     : "with random directions all 36 petals")
            + " stay inside it at least 95 times in 100.";
    case Kind::BandLegend:
        return std::string("The shaded ring is the band of chance: ")
            + (axial ? "with random orientations all 18 pairs of petals"
                     : "with random directions all 36 petals")
            + " stay inside it at least 95 times in 100.";
    case Kind::MeanLegend:
        return "The red line shows the " + meanWord + ".";
    case Kind::MeanWithArcLegend:
        return "The red line shows the " + meanWord + ", the red arc" + (axial ? "s" : "")
            + " its 95% confidence interval.";
    case Kind::MeanNotSignificantLegend:
        return "The grey dashed line shows the " + meanWord + " (not significant).";
    case Kind::MeanBetweenGroupsLegend:
        return "The grey dashed line shows the " + meanWord + ", which falls between groups.";
    }
    return {};
}

std::vector<std::string> circularStatisticsLines(const CircularStatistics &stats,
                                                 char decimalSeparator)
{
    return english(circularSentences(stats), decimalSeparator);
}

std::vector<std::string> circularPanelLines(const CircularStatistics &stats, char decimalSeparator,
                                            bool showBand, bool showMeanDirection)
{
    return english(circularPanelSentences(stats, showBand, showMeanDirection), decimalSeparator);
}

} // namespace quorel
