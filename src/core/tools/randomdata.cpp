#include "core/tools/randomdata.h"

#include "core/tools/decimalformat.h"
#include "core/tools/helppage.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

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

std::string randomDataText(int count, char decimalSeparator, std::uint64_t seed)
{
    std::string text;
    if (count <= 0)
        return text;
    text.reserve(static_cast<std::size_t>(count) * 8);
    RandomAzimuths generator(seed);
    for (int i = 0; i < count; ++i) {
        text += generator.nextText(decimalSeparator);
        text += "\r\n";
    }
    return text;
}

std::string randomGraphPath(std::string_view tempFolder)
{
    return joinPath(tempFolder, randomGraphFileName);
}

Status writeRandomDataFile(const std::string &path, int count, char decimalSeparator,
                           std::uint64_t seed)
{
    const std::string text = randomDataText(count, decimalSeparator, seed);
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return Error {"Cannot create file \"" + path + "\". " + std::strerror(errno)};
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        return Error {"Cannot write file \"" + path + "\"."};
    return success();
}

} // namespace quorel
