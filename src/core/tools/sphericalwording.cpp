#include "core/tools/sphericalwording.h"

#include "core/util/numbers.h"

namespace quorel {

std::string sphericalSentenceText(const SphericalSentence &sentence, bool poles,
                                  char decimalSeparator)
{
    using Kind = SphericalSentenceKind;
    const std::string things = poles ? "poles" : "lines";
    const auto fixed = [&](double value, int decimals) {
        return formatFixed(value, decimals, decimalSeparator);
    };
    switch (sentence.kind) {
    case Kind::NoDips:
        return "No measurement has a valid dip: the net is empty.";
    case Kind::WithoutDip: {
        const std::size_t count = sentence.lines.size();
        std::string text = std::to_string(count)
            + (count == 1 ? " measurement has no valid dip: line "
                          : " measurements have no valid dip: lines ");
        for (std::size_t i = 0; i < count; ++i)
            text += (i ? ", " : "") + std::to_string(sentence.lines[i]);
        return text;
    }
    case Kind::MeanWithCone:
        return std::string(poles ? "Mean pole " : "Mean line ") + directionText(sentence.direction)
            + " (trend/plunge), \u03b195 = " + fixed(sentence.value, 1)
            + "\u00b0 (95% cone of confidence)";
    case Kind::MeanWithoutCone:
        return std::string(poles ? "Mean pole " : "Mean line ") + directionText(sentence.direction)
            + " (trend/plunge)";
    case Kind::TooScattered:
        return "Too scattered for a cone of confidence.";
    case Kind::Concentration:
        return "Concentration \u03ba = " + fixed(sentence.value, sentence.value >= 10 ? 0 : 1)
            + " (Fisher): the larger \u03ba, the tighter the cluster.";
    case Kind::ShapeGirdle:
        return "Shape K = " + fixed(sentence.value, sentence.value < 0.1 ? 2 : 1)
            + ": a girdle (K < 1) \u2014 the " + things + " spread along a great circle";
    case Kind::ShapeCluster:
        return "Shape K = " + fixed(sentence.value, 1) + ": a cluster (K > 1) \u2014 the " + things
            + " gather about one direction";
    case Kind::ShapeBetween:
        return "Shape K = " + fixed(sentence.value, 1) + ": between a cluster and a girdle";
    case Kind::GirdleAdvice:
        return "Fisher statistics suit one cluster; for a girdle read the eigenvalues and the "
               "best-fit girdle.";
    case Kind::BestFitGirdle:
        return "Best-fit girdle " + directionText({sentence.plane.dipDirection, sentence.plane.dip})
            + ", \u03b2 axis " + directionText(sentence.direction)
            + (poles ? " (fold axis for bedding poles)." : ".");
    }
    return {};
}

StereonetWords englishStereonetWords(bool poles)
{
    StereonetWords words;
    words.contourLegend =
        "Contours every %1\u03c3 (exponential Kamb, \u03c3 = %2), maximum %3\u03c3";
    words.thinnedLegend =
        poles ? "%1 of %2 poles drawn (one in %3)" : "%1 of %2 lines drawn (one in %3)";
    words.meanLegend = "Mean %1, \u03b195 = %2\u00b0";
    words.meanWithoutConeLegend = "Mean %1";
    words.girdleLegend = "Girdle %1, \u03b2 axis %2";
    return words;
}

} // namespace quorel
