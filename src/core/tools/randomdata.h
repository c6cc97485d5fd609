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

// The lines of a random data file, made a block at a time: `count` azimuths, each line ended by
// CR LF, nothing else (no comments, no display parameters). A count of 0 or less makes none.
// Memory stays the same for any count.
class RandomDataLines
{
public:
    RandomDataLines(int count, char decimalSeparator, std::uint64_t seed);

    // Appends the next block of lines (some tens of kilobytes) to `out`; false when none are left.
    bool appendBlock(std::string &out);

private:
    RandomAzimuths m_generator;
    int m_left;
    char m_separator;
};

// All lines of RandomDataLines in one text (for small counts: the text is held whole).
[[nodiscard]] std::string randomDataText(int count, char decimalSeparator, std::uint64_t seed);

// The most measurements a random graph takes: the ten million the measurement store, the tables
// and the benchmarks are built for (about 150 MB in memory once read, a 67 MB temporary file
// and several seconds to make). Far more would only end, after minutes without a word, in a
// full disk or "Not enough memory".
inline constexpr int maxRandomGraphCount = 10'000'000;

// A count typed for a random graph that is more than it takes fails with the message to show.
[[nodiscard]] Status checkRandomGraphCount(int count);

// Name of the temporary data file, appended directly to the temporary folder.
inline constexpr const char *randomGraphFileName = "__QUOREL_RANDOM_GRAPH__.qrl";

// The temporary data file's full path in `tempFolder`.
[[nodiscard]] std::string randomGraphPath(std::string_view tempFolder);

// Writes the lines of RandomDataLines to `path` as they are made, creating or replacing the
// file (or writing into a device such as /dev/stdout); a full disk is a failure.
[[nodiscard]] Status writeRandomDataFile(const std::string &path, int count, char decimalSeparator,
                                         std::uint64_t seed);

} // namespace quorel
