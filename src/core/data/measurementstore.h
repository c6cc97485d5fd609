#pragma once

#include "core/data/directiontally.h"
#include "core/data/textlist.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quorel {

// The measurement list: one entry per valid measurement in file order, each the azimuth's
// stored text exactly as the reader keeps it (typed text for 0..360, else the normalised value
// with four decimals). Beside each text it keeps the entry's sector (1..36, 0 when the value is
// not binned), worked out once from the value the text reads as, so binning ten million entries
// does not parse them again, and it tallies those values for the circular statistics. About
// (text length + 2) bytes per entry, and 8 more for a value that is not a whole tenth of a
// degree.
class MeasurementStore
{
public:
    // The sector byte counts (as sectorTextBytes) of the entries before entry `index`: where a
    // range of entries starting there writes into the joined lists, so they can be joined on
    // several threads at once.
    struct SectorMark
    {
        std::size_t index = 0;
        std::array<std::size_t, 36> bytes {};
    };

    void clear();
    // A store that keeps no texts, only how many entries each sector has and the tally of
    // their values: for a read whose caller draws the counts and never lists a measurement.
    // Changing the mode empties the store.
    void setCountsOnly(bool countsOnly)
    {
        clear();
        m_countsOnly = countsOnly;
    }
    [[nodiscard]] bool countsOnly() const { return m_countsOnly; }
    // Empties the store but keeps its room, for a store filled again and again.
    void reset()
    {
        m_texts.reset();
        m_sectors.clear();
        m_sectorBytes.fill(0);
        m_marks.clear();
        m_directions.reset();
        m_count = 0;
        m_sectorCounts.fill(0);
    }
    void reserve(std::size_t count, std::size_t bytes);

    // `value` is the number `text` reads as with the decimal separator of the read.
    void append(std::string_view text, double value);
    // `sector` (0..36) worked out by the caller from `value`, the number `text` reads as;
    // `tenths` is that value in tenths of a degree when the caller knows it to be a whole
    // tenth in 0..360, else -1.
    void appendInSector(std::string_view text, int sector, double value, int tenths = -1)
    {
        if (m_countsOnly) {
            ++m_count;
            ++m_sectorCounts[static_cast<std::size_t>(sector)];
            if (tenths >= 0)
                m_directions.addTenths(tenths);
            else
                m_directions.add(value);
            return;
        }
        if (m_sectors.size() % markEvery == 0) [[unlikely]]
            addMark();
        // What the list keeps: a text ends at a NUL.
        const std::size_t stored = m_texts.append(text);
        if (tenths >= 0)
            m_directions.addTenths(tenths);
        else
            m_directions.add(value);
        m_sectors.push_back(static_cast<std::uint8_t>(sector));
        if (sector > 0)
            m_sectorBytes[static_cast<std::size_t>(sector - 1)] += stored + 2;
    }
    // Appends every entry of `other` after this store's own, sectors included.
    void appendStore(const MeasurementStore &other);
    // Reads `text` with `decimalSeparator` (trimmed first); a text that is not a number is
    // stored with sector 0 and so is not binned.
    void appendText(std::string_view text, char decimalSeparator);

    [[nodiscard]] std::size_t size() const { return m_countsOnly ? m_count : m_texts.size(); }
    [[nodiscard]] bool empty() const { return size() == 0; }
    // The entries of sector 1..36 (0: not binned). Kept only by a store that keeps counts
    // only; any other store has them in sectors().
    [[nodiscard]] std::size_t entriesInSector(int sector) const
    {
        return m_sectorCounts[static_cast<std::size_t>(sector)];
    }
    // Texts and sectors of single entries are kept only when the store is not counts only.
    [[nodiscard]] std::string_view at(std::size_t index) const { return m_texts.at(index); }
    [[nodiscard]] std::string_view operator[](std::size_t index) const { return at(index); }
    // Sector 1..36 of entry `index`, or 0 when it is not binned.
    [[nodiscard]] int sector(std::size_t index) const { return m_sectors[index]; }

    // Bytes of the texts of sector 1..36 with a "; " each: room enough for the joined list.
    [[nodiscard]] std::size_t sectorTextBytes(int sector) const
    {
        return m_sectorBytes[static_cast<std::size_t>(sector - 1)];
    }

    [[nodiscard]] const TextList &texts() const { return m_texts; }
    [[nodiscard]] const std::vector<std::uint8_t> &sectors() const { return m_sectors; }
    // Marks in entry order, one about every markEvery entries from entry 0 on.
    [[nodiscard]] const std::vector<SectorMark> &marks() const { return m_marks; }
    // The values the entries' texts read as (those that are numbers).
    [[nodiscard]] const DirectionTally &directions() const { return m_directions; }

private:
    static constexpr std::size_t markEvery = std::size_t(1) << 16;

    // Out of line, so that appending stays small enough to be inlined where lines are read.
    [[gnu::noinline]] void addMark() { m_marks.push_back({m_sectors.size(), m_sectorBytes}); }

    TextList m_texts;
    std::vector<std::uint8_t> m_sectors;
    std::array<std::size_t, 36> m_sectorBytes {};
    std::vector<SectorMark> m_marks;
    DirectionTally m_directions;
    bool m_countsOnly = false;
    std::size_t m_count = 0; // entries of a store that keeps counts only
    std::array<std::size_t, 37> m_sectorCounts {}; // by sector, 0 for not binned
};

} // namespace quorel
