#pragma once

#include "core/util/result.h"

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace quorel {

// Uniformly random azimuths for the random diagram: each is a whole degree k in 0..359 plus a
// fraction r in [0, 1), so the values cover [0, 360) evenly.
class RandomAzimuths
{
public:
    explicit RandomAzimuths(std::uint64_t seed);

    // The next azimuth in degrees.
    [[nodiscard]] double next();

    // The next azimuth as a data-file line: the "0.0" picture with the given separator
    // (359.95 and above round to 360.0, which the reader accepts as 360).
    [[nodiscard]] std::string nextText(char decimalSeparator);

private:
    std::mt19937_64 m_engine;
};

// A seed that differs between two calls, even within one clock tick.
[[nodiscard]] std::uint64_t clockSeed();

// The contents of a random data file: `count` lines of azimuths, each ended by CR LF, nothing
// else (no comments, no display parameters). A count of 0 or less gives an empty text.
[[nodiscard]] std::string randomDataText(int count, char decimalSeparator, std::uint64_t seed);

// Name of the temporary data file, appended directly to the temporary folder.
inline constexpr const char *randomGraphFileName = "__QUOREL_RANDOM_GRAPH__.qrl";

// The temporary data file's full path in `tempFolder`.
[[nodiscard]] std::string randomGraphPath(std::string_view tempFolder);

// Writes randomDataText to `path`, creating or replacing the file.
[[nodiscard]] Status writeRandomDataFile(const std::string &path, int count, char decimalSeparator,
                                         std::uint64_t seed);

} // namespace quorel
