#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

namespace quorel {

class MeasurementStore;

// 36 sectors of 10 degrees over the full circle; sector k holds rounded azimuths 10k-9 .. 10k,
// sector 1 also 0.
inline constexpr int sectorCount = 36;

namespace detail {

// roundHalfEven without a library call: adding and taking away 2^52 leaves no fraction bits,
// so the sum is rounded to the nearest integer, halves to even, in the default rounding mode.
// Inline, as the reader bins every measurement as it is stored.
inline double nearestEven(double x)
{
    constexpr double noFraction = 4503599627370496.0; // 2^52
    if (!(std::fabs(x) < noFraction))
        return x;
    const double shift = std::copysign(noFraction, x);
    return (x + shift) - shift;
}

} // namespace detail

// The sector of an azimuth: rounded to the nearest degree with halves to the even neighbour,
// 0 goes to sector 1, positive values to the ceiling of rounded / 10. Returns 0 for a value
// that is not positive and does not round to 0 (the reader never stores one), and for values
// that round above 360 or are not finite.
[[nodiscard]] inline int sectorOf(double azimuth)
{
    if (!std::isfinite(azimuth))
        return 0;
    const double rounded = detail::nearestEven(azimuth);
    if (rounded == 0)
        return 1;
    if (azimuth <= 0 || rounded > 360)
        return 0;
    // The ceiling of rounded / 10: 1..10 -> 1, 11..20 -> 2, ..., 351..360 -> 36.
    const int r = static_cast<int>(rounded);
    return r / 10 + (r % 10 > 0 ? 1 : 0);
}

// The sector of an azimuth already rounded to whole degrees 0..360 (as sectorOf rounds it).
[[nodiscard]] constexpr int sectorOfWholeDegrees(int degrees)
{
    if (degrees == 0)
        return 1;
    if (degrees < 0 || degrees > 360)
        return 0;
    return (degrees + 9) / 10; // the ceiling of degrees / 10
}

// The range label of a sector as the statistics table shows it: " 0 - 10", "11 - 20", ...,
// "351 - 360". Empty for a number outside 1..36.
[[nodiscard]] std::string sectorLabel(int sector);

// Sector counts, sector lists and maximum count, derived from the measurement list.
struct SectorArrays
{
    std::array<std::int32_t, sectorCount> counts {}; // counts[k-1] is sector k
    std::array<std::string, sectorCount> lists; // the sector's texts in file order, "; " between
    std::int32_t maxCount = 0;

    [[nodiscard]] std::int32_t count(int sector) const
    {
        return counts[static_cast<std::size_t>(sector - 1)];
    }
    [[nodiscard]] const std::string &list(int sector) const
    {
        return lists[static_cast<std::size_t>(sector - 1)];
    }

    friend bool operator==(const SectorArrays &, const SectorArrays &) = default;
};

// Counts to 0 and lists emptied; the maximum count is left as it was.
void clearSectors(SectorArrays &arrays);

// Rebuilds counts, lists and maximum count from the store (starts with clearSectors). Each list
// entry is trimmed of bytes of code 32 or less at both ends after joining. A large store is
// joined on up to `threads` threads, each taking a range of entries; the lists are the same.
void binSectors(SectorArrays &arrays, const MeasurementStore &store, std::size_t threads = 1);

// As binSectors for the counts and the maximum count only; the lists stay empty (for callers
// that draw the diagram and never show the lists).
void countSectors(SectorArrays &arrays, const MeasurementStore &store);

} // namespace quorel
