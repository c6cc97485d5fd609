#include "core/data/sectorarrays.h"

#include "core/data/measurementstore.h"
#include "core/util/text.h"

#include <algorithm>
#include <cstring>

namespace quorel {

std::string sectorLabel(int sector)
{
    if (sector < 1 || sector > sectorCount)
        return {};
    if (sector == 1)
        return " 0 - 10";
    return std::to_string(10 * sector - 9) + " - " + std::to_string(10 * sector);
}

void clearSectors(SectorArrays &arrays)
{
    arrays.counts.fill(0);
    for (std::string &list : arrays.lists) {
        list.clear();
        list.shrink_to_fit();
    }
}

void binSectors(SectorArrays &arrays, const MeasurementStore &store)
{
    clearSectors(arrays);
    const std::vector<std::uint8_t> &sectors = store.sectors();

    // Each list gets its final room at once and is written through a cursor, so joining ten
    // million texts costs a byte copy each, not three library calls.
    std::array<char *, sectorCount> cursors {};
    for (std::size_t k = 0; k < cursors.size(); ++k) {
        arrays.lists[k].resize(store.sectorTextBytes(static_cast<int>(k) + 1));
        cursors[k] = arrays.lists[k].data();
    }
    const char *p = store.texts().arenaData();
    for (std::size_t index = 0; index < sectors.size(); ++index) {
        const int sector = sectors[index];
        if (sector == 0) {
            p += std::strlen(p) + 1;
            continue;
        }
        const auto k = static_cast<std::size_t>(sector - 1);
        char *&out = cursors[k];
        if (arrays.counts[k]++ > 0) {
            *out++ = ';';
            *out++ = ' ';
        }
        while (*p != '\0')
            *out++ = *p++;
        ++p;
    }
    for (std::size_t k = 0; k < cursors.size(); ++k)
        arrays.lists[k].resize(static_cast<std::size_t>(cursors[k] - arrays.lists[k].data()));

    // Each joined list is trimmed as a whole: blanks kept inside a typed text ("45 ") stay
    // unless they end up at either end of the list.
    for (std::string &list : arrays.lists) {
        const std::string_view trimmed = trimControl(list);
        if (trimmed.size() != list.size())
            list = std::string(trimmed);
    }
    arrays.maxCount = *std::max_element(arrays.counts.begin(), arrays.counts.end());
}

void countSectors(SectorArrays &arrays, const MeasurementStore &store)
{
    clearSectors(arrays);
    for (const std::uint8_t sector : store.sectors()) {
        if (sector > 0)
            ++arrays.counts[sector - 1u];
    }
    arrays.maxCount = *std::max_element(arrays.counts.begin(), arrays.counts.end());
}

} // namespace quorel
