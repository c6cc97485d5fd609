#include "core/data/measurementstore.h"

#include "core/data/sectorarrays.h"
#include "core/util/numbers.h"
#include "core/util/text.h"

namespace quorel {

void MeasurementStore::clear()
{
    m_texts.clear();
    m_sectors.clear();
    m_sectors.shrink_to_fit();
}

void MeasurementStore::reserve(std::size_t count, std::size_t bytes)
{
    m_texts.reserve(count, bytes);
    m_sectors.reserve(count);
}

void MeasurementStore::append(std::string_view text, double value)
{
    m_texts.append(text);
    m_sectors.push_back(static_cast<std::uint8_t>(sectorOf(value)));
}

void MeasurementStore::appendText(std::string_view text, char decimalSeparator)
{
    const std::optional<double> value = toFloat(trimControl(text), decimalSeparator);
    m_texts.append(text);
    m_sectors.push_back(value ? static_cast<std::uint8_t>(sectorOf(*value)) : 0);
}

} // namespace quorel
