#include "core/data/sectorarrays.h"

#include "core/data/measurementstore.h"
#include "core/util/text.h"

#include <algorithm>

namespace quorel {

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

    // Sized once, so joining ten million texts never copies a list to grow it.
    for (int sector = 1; sector <= sectorCount; ++sector)
        arrays.lists[static_cast<std::size_t>(sector - 1)].reserve(store.sectorTextBytes(sector));

    std::size_t index = 0;
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
