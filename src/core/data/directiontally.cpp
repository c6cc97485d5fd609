#include "core/data/directiontally.h"

namespace quorel {

void DirectionTally::addTally(const DirectionTally &other)
{
    for (std::size_t k = 0; k < m_tenths.size(); ++k)
        m_tenths[k] += other.m_tenths[k];
    m_others.insert(m_others.end(), other.m_others.begin(), other.m_others.end());
}

void DirectionTally::clear()
{
    reset();
    m_others.shrink_to_fit();
}

void DirectionTally::reset()
{
    m_tenths.fill(0);
    m_others.clear();
}

std::uint64_t DirectionTally::count() const
{
    std::uint64_t count = m_others.size();
    for (const std::uint64_t times : m_tenths)
        count += times;
    return count;
}

bool DirectionTally::allWholeDegrees() const
{
    if (!m_others.empty())
        return false;
    for (std::size_t k = 0; k < m_tenths.size(); ++k) {
        if (m_tenths[k] != 0 && k % 10 != 0)
            return false;
    }
    return true;
}

} // namespace quorel
