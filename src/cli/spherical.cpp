#include "cli/spherical.h"

#include "core/util/numbers.h"

#include <charconv>
#include <cmath>

namespace quorel::cli {

void appendJsonFigure(std::string &out, std::optional<double> value)
{
    if (!value || !std::isfinite(*value)) {
        out += "null";
        return;
    }
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, *value).ptr;
    out.append(digits, end);
}

namespace {

void appendDirection(std::string &out, const std::optional<Direction> &direction)
{
    if (!direction) {
        out += "null";
        return;
    }
    out += "{\"trend\": ";
    appendJsonFigure(out, direction->trend);
    out += ", \"plunge\": ";
    appendJsonFigure(out, direction->plunge);
    out += '}';
}

} // namespace

std::string englishSentence(const SphericalSentence &sentence, bool poles, char decimalSeparator)
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

Result<PlottedDips> readPlottedDips(const std::string &path, char decimalSeparator,
                                    std::optional<AzimuthMeaning> meaning, DiagramStyle *style)
{
    DiagramStyle fileStyle = style ? *style : DiagramStyle::firstRun();
    Result<DipReading> reading = readDipFile(path, decimalSeparator, &fileStyle);
    if (!reading)
        return reading.error();
    if (style)
        *style = fileStyle;
    PlottedDips dips;
    dips.meaning = meaning.value_or(fileStyle.azimuthMeaning());
    dips.reading = std::move(*reading);
    dips.plotted.reserve(dips.reading.measurements.size());
    std::vector<Vector3> vectors;
    vectors.reserve(dips.reading.measurements.size());
    for (const DipMeasurement &m : dips.reading.measurements) {
        dips.plotted.push_back(plottedDirection(m.azimuth, m.dip, dips.meaning));
        vectors.push_back(unitVector(dips.plotted.back()));
    }
    dips.stats = sphericalStatistics(vectors);
    return dips;
}

std::string sphericalJson(const PlottedDips &dips)
{
    const SphericalStatistics &s = dips.stats;
    std::string out;
    const auto member = [&](const char *name) {
        out += ",\n    \"";
        out += name;
        out += "\": ";
    };
    out += ",\n  \"spherical\": {\n    \"kind\": ";
    out += dips.poles() ? "\"poles\"" : "\"lines\"";
    member("n");
    out += std::to_string(s.n);
    member("without_dip");
    out += std::to_string(dips.reading.withoutDip.size());
    member("mean");
    appendDirection(out, s.mean);
    member("mean_resultant_length");
    appendJsonFigure(out, s.meanResultantLength);
    member("kappa");
    appendJsonFigure(out, s.kappa);
    member("alpha95");
    appendJsonFigure(out, s.alpha95);
    member("eigenvalues");
    if (s.eigenvalues) {
        out += '[';
        for (std::size_t i = 0; i < 3; ++i) {
            out += i ? ", " : "";
            appendJsonFigure(out, (*s.eigenvalues)[i]);
        }
        out += ']';
    } else {
        out += "null";
    }
    member("eigenvectors");
    if (s.eigenvalues) {
        out += '[';
        for (std::size_t i = 0; i < 3; ++i) {
            out += i ? ", " : "";
            appendDirection(out, s.eigenvectors[i]);
        }
        out += ']';
    } else {
        out += "null";
    }
    member("woodcock_k");
    appendJsonFigure(out, s.woodcockK);
    member("woodcock_c");
    appendJsonFigure(out, s.woodcockC);
    member("girdle");
    if (s.girdle) {
        out += "{\"dip_direction\": ";
        appendJsonFigure(out, s.girdle->dipDirection);
        out += ", \"dip\": ";
        appendJsonFigure(out, s.girdle->dip);
        out += '}';
    } else {
        out += "null";
    }
    out += "\n  }";
    return out;
}

std::string sphericalText(const PlottedDips &dips, char decimalSeparator)
{
    std::string out =
        dips.poles() ? "\nSpherical statistics, poles of planes" : "\nSpherical statistics, lines";
    out += " (n = " + std::to_string(dips.stats.n) + "):\n";
    for (const SphericalSentence &sentence :
         sphericalSentences(dips.stats, dips.reading.withoutDip))
        out += englishSentence(sentence, dips.poles(), decimalSeparator) + "\n";
    return out;
}

} // namespace quorel::cli
