#include "core/data/measurementselection.h"

#include "core/data/measurementstore.h"

#include <algorithm>

namespace quorel {

SectorSet sectorsOfRows(const MeasurementStore &store, std::span<const RowRange> ranges,
                        SectorSet present)
{
    SectorSet found;
    const std::vector<std::uint8_t> &sectors = store.sectors();
    for (const RowRange &range : ranges) {
        const std::size_t end = std::min(range.last + 1, sectors.size());
        for (std::size_t row = range.first; row < end; ++row) {
            const int sector = sectors[row];
            if (sector == 0 || found.test(static_cast<std::size_t>(sector - 1)))
                continue;
            found.set(static_cast<std::size_t>(sector - 1));
            if ((found & present) == present)
                return found;
        }
    }
    return found;
}

std::size_t firstRowIn(const MeasurementStore &store, SectorSet sectors)
{
    const std::vector<std::uint8_t> &all = store.sectors();
    const auto first = std::find_if(all.begin(), all.end(), [&sectors](std::uint8_t sector) {
        return sector > 0 && sectors.test(static_cast<std::size_t>(sector - 1));
    });
    return static_cast<std::size_t>(first - all.begin());
}

} // namespace quorel
