#include "core/tools/randomdata.h"

#include "core/tools/decimalformat.h"
#include "core/tools/helppage.h"
#include "core/util/files.h"

#include <algorithm>
#include <atomic>
#include <chrono>

namespace quorel {

RandomAzimuths::RandomAzimuths(std::uint64_t seed)
    : m_engine(seed)
{ }

double RandomAzimuths::next()
{
    // The fraction is drawn before the whole degree, as the generator always did, so a seed
    // keeps giving the same data.
    const double fraction = std::uniform_real_distribution<double>(0.0, 1.0)(m_engine);
    const int degree = std::uniform_int_distribution<int>(0, 359)(m_engine);
    return degree + fraction;
}

std::string RandomAzimuths::nextText(char decimalSeparator)
{
    return formatRounded(next(), 1, decimalSeparator);
}

std::uint64_t clockSeed()
{
    static std::atomic<std::uint64_t> calls {0};
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    // Mix a call counter in so two generations within one tick still differ.
    return ticks ^ (0x9E3779B97F4A7C15ull * ++calls);
}

RandomDataLines::RandomDataLines(int count, char decimalSeparator, std::uint64_t seed)
    : m_generator(seed)
    , m_left(std::max(count, 0))
    , m_separator(decimalSeparator)
{ }

bool RandomDataLines::appendBlock(std::string &out)
{
    constexpr int linesPerBlock = 8192;
    if (m_left == 0)
        return false;
    for (int i = std::min(m_left, linesPerBlock); i > 0; --i, --m_left) {
        out += m_generator.nextText(m_separator);
        out += "\r\n";
    }
    return true;
}

std::string randomDataText(int count, char decimalSeparator, std::uint64_t seed)
{
    std::string text;
    RandomDataLines lines(count, decimalSeparator, seed);
    while (lines.appendBlock(text)) { }
    return text;
}

Status checkRandomGraphCount(int count)
{
    if (count <= maxRandomGraphCount)
        return success();
    return Error {"\"" + std::to_string(count) + "\" is too many: a random graph takes at most "
                      + std::to_string(maxRandomGraphCount) + " measurements !",
                  ErrorKind::TooManyForRandomGraph, std::to_string(count), maxRandomGraphCount};
}

std::string randomGraphPath(std::string_view tempFolder)
{
    return joinPath(tempFolder, randomGraphFileName);
}

Status writeRandomDataFile(const std::string &path, int count, char decimalSeparator,
                           std::uint64_t seed)
{
    RandomDataLines lines(count, decimalSeparator, seed);
    return writeFileInPieces(path,
                             [&lines](std::string &piece) { return lines.appendBlock(piece); });
}

} // namespace quorel
