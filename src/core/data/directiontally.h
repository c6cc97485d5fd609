#pragma once

#include "core/data/sectorarrays.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorel {

// The azimuths of the measurement list as the circular statistics need them: how many times
// each tenth of a degree 0.0 .. 360.0 occurs, and every other value as it is. Measurements are
// typed to whole or tenth degrees almost always, so ten million of them come down to at most
// 3601 distinct angles and the statistics take one sine and cosine per angle, not per
// measurement. A value is counted on the grid only when the tenth it names is bit for bit the
// value itself, so the figures are those of the values, not of rounded ones. Counts are
// integers and other values keep their order, so a list filled in parts and joined gives the
// same figures as one filled in one go.
class DirectionTally
{
public:
    static constexpr int gridSteps = 3600; // tenths of a degree in the full circle

    // `degrees` as stored (0..360); a value that is not finite is not counted.
    void add(double degrees)
    {
        const double tenths = detail::nearestEven(degrees * 10);
        if (tenths >= 0 && tenths <= gridSteps && tenths / 10 == degrees) {
            ++m_tenths[static_cast<std::size_t>(tenths)];
        } else if (std::isfinite(degrees)) {
            m_others.push_back(degrees);
        }
    }
    // A value known to be `tenths` / 10 degrees, `tenths` in 0..3600.
    void addTenths(int tenths) { ++m_tenths[static_cast<std::size_t>(tenths)]; }
    // Adds every value of `other` after this tally's own.
    void addTally(const DirectionTally &other);
    void clear();
    // Empties the tally but keeps its room, for a tally filled again and again.
    void reset();

    // Number of values counted.
    [[nodiscard]] std::uint64_t count() const;
    // Whether every value counted is a whole degree (true for an empty tally). Whole degrees fall
    // into the sectors in other shares than readings of any value do, so the band of chance
    // asks. One look at the grid's 3601 places: values off the grid are never whole.
    [[nodiscard]] bool allWholeDegrees() const;
    // Calls visit(degrees, times) for every distinct tenth on the grid (ascending), then
    // visit(value, 1) for every other value in the order added.
    template<class Visitor>
    void forEachValue(Visitor &&visit) const
    {
        for (std::size_t k = 0; k < m_tenths.size(); ++k) {
            if (m_tenths[k] != 0)
                visit(static_cast<double>(k) / 10, m_tenths[k]);
        }
        for (const double value : m_others)
            visit(value, std::uint64_t(1));
    }

    friend bool operator==(const DirectionTally &, const DirectionTally &) = default;

private:
    std::array<std::uint64_t, gridSteps + 1> m_tenths {};
    std::vector<double> m_others;
};

} // namespace quorel
