#pragma once

// Selections of measurements held as whole sectors (petals clicked on the diagram) and as row
// ranges (rows picked in the table), never one record per row: ten million selected rows cost
// no more than one.

#include <bitset>
#include <cstddef>
#include <span>

namespace quorel {

class MeasurementStore;

// Bit k - 1 stands for sector k (1..36).
using SectorSet = std::bitset<36>;

// Rows first..last of the measurement list, both included.
struct RowRange
{
    std::size_t first = 0;
    std::size_t last = 0;
};

// The sectors that the rows of `ranges` fall in. `present` are the sectors that have
// measurements at all: once each of them is found the rest is not read, so selecting every row
// of a large file costs no more than a few rows.
[[nodiscard]] SectorSet sectorsOfRows(const MeasurementStore &store,
                                      std::span<const RowRange> ranges, SectorSet present);

// The first row in one of `sectors`, or store.size() when there is none.
[[nodiscard]] std::size_t firstRowIn(const MeasurementStore &store, SectorSet sectors);

} // namespace quorel
