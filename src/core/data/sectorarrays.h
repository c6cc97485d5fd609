#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorel {

class MeasurementStore;

// 36 sectors of 10 degrees over the full circle; sector k holds rounded azimuths 10k-9 .. 10k,
// sector 1 also 0.
inline constexpr int sectorCount = 36;

// The sector of an azimuth: rounded to the nearest degree with halves to the even neighbour,
// 0 goes to sector 1, positive values to the ceiling of rounded / 10. Returns 0 for a value
// that is not positive and does not round to 0 (the reader never stores one), and for values
// that round above 360 or are not finite.
[[nodiscard]] int sectorOf(double azimuth);

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
void ClearArrays(SectorArrays &arrays);

// Rebuilds counts, lists and maximum count from the store (starts with ClearArrays). Each list
// entry is trimmed of bytes of code 32 or less at both ends after joining.
void FillArrays(SectorArrays &arrays, const MeasurementStore &store);

} // namespace quorel
