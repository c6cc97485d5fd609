#include "core/data/measurementstore.h"

#include "core/data/sectorarrays.h"
#include "core/util/numbers.h"
#include "core/util/text.h"

#include <cmath>

namespace quorel {

void MeasurementStore::clear()
{
    m_texts.clear();
    m_sectors.clear();
    m_sectors.shrink_to_fit();
    m_sectorBytes.fill(0);
    m_marks.clear();
    m_marks.shrink_to_fit();
    m_directions.clear();
    m_count = 0;
    m_sectorCounts.fill(0);
}

void MeasurementStore::reserve(std::size_t count, std::size_t bytes)
{
    if (m_countsOnly)
        return;
    m_texts.reserve(count, bytes);
    m_sectors.reserve(count);
}

void MeasurementStore::append(std::string_view text, double value)
{
    appendInSector(text, sectorOf(value), value);
}

void MeasurementStore::appendStore(const MeasurementStore &other)
{
    if (m_countsOnly) {
        m_count += other.size();
        for (std::size_t k = 0; k < m_sectorCounts.size(); ++k)
            m_sectorCounts[k] += other.m_sectorCounts[k];
        m_directions.addTally(other.m_directions);
        return;
    }
    // The other store's marks, moved past this store's entries.
    for (const SectorMark &mark : other.m_marks) {
        SectorMark moved {m_sectors.size() + mark.index, m_sectorBytes};
        for (std::size_t k = 0; k < moved.bytes.size(); ++k)
            moved.bytes[k] += mark.bytes[k];
        m_marks.push_back(moved);
    }
    m_texts.appendList(other.m_texts);
    m_sectors.insert(m_sectors.end(), other.m_sectors.begin(), other.m_sectors.end());
    for (std::size_t k = 0; k < m_sectorBytes.size(); ++k)
        m_sectorBytes[k] += other.m_sectorBytes[k];
    m_directions.addTally(other.m_directions);
}

void MeasurementStore::appendText(std::string_view text, char decimalSeparator)
{
    const std::optional<double> value = toFloat(trimControl(text), decimalSeparator);
    append(text, value ? *value : std::nan(""));
}

} // namespace quorel
