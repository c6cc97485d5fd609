#include "core/data/sectorarrays.h"

#include "core/data/measurementstore.h"
#include "core/util/numbers.h"
#include "core/util/text.h"

#include <algorithm>
#include <cmath>

namespace quorel {

int sectorOf(double azimuth)
{
    if (!std::isfinite(azimuth))
        return 0;
    const double rounded = roundHalfEven(azimuth);
    if (rounded == 0)
        return 1;
    if (azimuth <= 0 || rounded > 360)
        return 0;
    // The ceiling of rounded / 10: 1..10 -> 1, 11..20 -> 2, ..., 351..360 -> 36.
    const int r = static_cast<int>(rounded);
    return r / 10 + (r % 10 > 0 ? 1 : 0);
}

std::string sectorLabel(int sector)
{
    if (sector < 1 || sector > sectorCount)
        return {};
    if (sector == 1)
        return " 0 - 10";
    return std::to_string(10 * sector - 9) + " - " + std::to_string(10 * sector);
}

void ClearArrays(SectorArrays &arrays)
{
    arrays.counts.fill(0);
    for (std::string &list : arrays.lists) {
        list.clear();
        list.shrink_to_fit();
    }
}

void FillArrays(SectorArrays &arrays, const MeasurementStore &store)
{
    ClearArrays(arrays);
    const std::vector<std::uint8_t> &sectors = store.sectors();

    // Size every list first so joining ten million texts does not reallocate.
    std::array<std::size_t, sectorCount> bytes {};
    std::size_t index = 0;
    store.texts().forEach([&](std::string_view text) {
        if (const int sector = sectors[index++]; sector > 0)
            bytes[static_cast<std::size_t>(sector - 1)] += text.size() + 2;
    });
    for (std::size_t k = 0; k < arrays.lists.size(); ++k)
        arrays.lists[k].reserve(bytes[k]);

    index = 0;
    store.texts().forEach([&](std::string_view text) {
        const int sector = sectors[index++];
        if (sector == 0)
            return;
        const auto k = static_cast<std::size_t>(sector - 1);
        ++arrays.counts[k];
        std::string &list = arrays.lists[k];
        if (arrays.counts[k] > 1)
            list += "; ";
        list += text;
    });

    // Each joined list is trimmed as a whole: blanks kept inside a typed text ("45 ") stay
    // unless they end up at either end of the list.
    for (std::string &list : arrays.lists) {
        const std::string_view trimmed = trimControl(list);
        if (trimmed.size() != list.size())
            list = std::string(trimmed);
    }
    arrays.maxCount = *std::max_element(arrays.counts.begin(), arrays.counts.end());
}

} // namespace quorel
