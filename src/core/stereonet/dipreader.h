#pragma once

// The dips of a data file: a pass of its own over the file's bytes, run only when a stereonet
// or the spherical statistics are asked for, so that reading the rose costs nothing more.

#include "core/diagram/diagramstyle.h"
#include "core/util/result.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

// A valid measurement with a valid dip, as the file has it.
struct DipMeasurement
{
    std::size_t line = 0; // the file's line number, from 1
    double azimuth = 0; // 0..360, as the rose reads it
    double dip = 0; // 0..90
};

struct DipReading
{
    std::vector<DipMeasurement> measurements; // in file order
    // The line numbers of valid measurements without a valid dip (missing, not a number, out of
    // 0..90), in file order.
    std::vector<std::size_t> withoutDip;
};

// The dip of a trimmed measurement line: the first field after the azimuth's separator (the
// first of "/", ";", "\", tab, blank that occurs in the line), blanks before it skipped, ending
// at the next of those separators, read with the azimuth's decimal rules; nothing when there is
// no such field or it is not a number from 0 to 90.
[[nodiscard]] std::optional<double> dipOfLine(std::string_view trimmedLine, char decimalSeparator);

// Reads the dips of every valid measurement of a file's bytes. With `style`, the file's display
// parameter lines are applied to it as the reader applies them.
[[nodiscard]] DipReading readDips(std::string_view bytes, char decimalSeparator,
                                  DiagramStyle *style = nullptr);

// The same for a file on disk.
[[nodiscard]] Result<DipReading> readDipFile(const std::string &path, char decimalSeparator,
                                             DiagramStyle *style = nullptr);

} // namespace quorel
