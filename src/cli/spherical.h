#pragma once

// The dips of a data file for the batch front end: the spherical statistics of `stats
// --spherical` and what `stereonet` draws and lists.

#include "core/diagram/diagramstyle.h"
#include "core/stereonet/dipreader.h"
#include "core/stereonet/orientation.h"
#include "core/stereonet/sphericalstats.h"
#include "core/util/result.h"

#include <optional>
#include <string>
#include <vector>

namespace quorel::cli {

// The measurements with a dip, as drawn: each plotted direction (a pole or a line) with its line.
struct PlottedDips
{
    AzimuthMeaning meaning = AzimuthMeaning::DipDirection;
    DipReading reading;
    std::vector<Direction> plotted; // one per reading.measurements entry
    SphericalStatistics stats;

    bool poles() const { return meaning != AzimuthMeaning::Trend; }
};

// Reads the file's dips and works out the statistics; `meaning` overrides the file's
// ";Azimuth=" line. With `style`, the file's display parameters are applied to it.
[[nodiscard]] Result<PlottedDips> readPlottedDips(const std::string &path, char decimalSeparator,
                                                  std::optional<AzimuthMeaning> meaning,
                                                  DiagramStyle *style = nullptr);

// The members of "spherical" for `stats --json --spherical`, from ",\n  \"spherical\": {" to
// its closing brace.
[[nodiscard]] std::string sphericalJson(const PlottedDips &dips);

// The section of `stats --spherical` in text: a heading and the sentences.
[[nodiscard]] std::string sphericalText(const PlottedDips &dips, char decimalSeparator);

// A number in the fewest digits that read back as the same double; null when undefined.
void appendJsonFigure(std::string &out, std::optional<double> value);

} // namespace quorel::cli
