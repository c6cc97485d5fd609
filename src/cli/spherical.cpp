#include "cli/spherical.h"

#include "core/tools/sphericalwording.h"

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
        out += sphericalSentenceText(sentence, dips.poles(), decimalSeparator) + "\n";
    return out;
}

} // namespace quorel::cli
