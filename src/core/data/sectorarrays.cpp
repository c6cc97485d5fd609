#include "core/data/sectorarrays.h"

#include "core/data/measurementstore.h"
#include "core/util/text.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <future>
#include <system_error>
#include <vector>

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

namespace {

using Cursors = std::array<char *, sectorCount>;
using Counts = std::array<std::int32_t, sectorCount>;

// A joined list's room past its end: short texts are copied 16 bytes at a time, whatever
// follows them, and the next text or the final resize overwrites the rest.
constexpr std::size_t listSlack = 16;

// Bytes before the first NUL among the 8 at `p`, or 8 when there is none.
inline std::size_t textLengthIn8(const char *p)
{
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    constexpr std::uint64_t ones = 0x0101010101010101;
    const std::uint64_t zeros = (word - ones) & ~word & (ones << 7);
    return zeros == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(zeros)) / 8;
}

// Length of the text at `p`, which ends in a NUL before `end`.
inline std::size_t entryLength(const char *p, const char *end)
{
    if constexpr (std::endian::native == std::endian::little) {
        if (end - p >= 16) {
            std::size_t length = textLengthIn8(p);
            if (length == 8)
                length += textLengthIn8(p + 8);
            return length == 16 ? 16 + std::strlen(p + 16) : length;
        }
    }
    return std::strlen(p);
}

// Joins entries `first` to `last` (exclusive; entry `first`'s text at `p`) into the lists
// through the cursors; a list whose count is not 0 takes "; " before the next text. Nothing is
// written at or past `limits` (where the next range's texts go).
void joinRange(const MeasurementStore &store, std::size_t first, std::size_t last, const char *p,
               Cursors &cursors, const Cursors &limits, Counts &counts)
{
    const std::uint8_t *sectors = store.sectors().data();
    const char *const end = store.texts().arenaData() + store.texts().byteSize();
    for (std::size_t index = first; index < last; ++index) {
        const std::size_t length = entryLength(p, end);
        if (const int sector = sectors[index]; sector != 0) {
            const auto k = static_cast<std::size_t>(sector - 1);
            char *out = cursors[k];
            if (counts[k]++ > 0) {
                std::memcpy(out, "; ", 2);
                out += 2;
            }
            const bool whole16 = length <= 16 && end - p >= 16 && limits[k] - out >= 16;
            // Two fixed sizes, so neither copy is a library call.
            if (whole16)
                std::memcpy(out, p, 16);
            else
                std::memcpy(out, p, length);
            cursors[k] = out + length;
        }
        p += length + 1;
    }
}

// Runs every task, the first on this thread and the others on threads of their own while
// threads can be had, and waits for all; a task's failure (out of memory) is passed on.
void runTogether(const std::vector<std::function<void()>> &tasks)
{
    std::vector<std::future<void>> others;
    std::size_t started = 1;
    for (; started < tasks.size(); ++started) {
        try {
            others.push_back(std::async(std::launch::async, tasks[started]));
        } catch (const std::system_error &) {
            break;
        }
    }
    tasks.front()();
    for (std::size_t t = started; t < tasks.size(); ++t)
        tasks[t]();
    for (std::future<void> &other : others)
        other.get();
}

} // namespace

void binSectors(SectorArrays &arrays, const MeasurementStore &store, std::size_t threads)
{
    clearSectors(arrays);
    const std::size_t size = store.sectors().size();

    // Ranges of about equal numbers of entries, each starting at a mark: the mark tells where in
    // every list the range's texts go.
    struct Range
    {
        std::size_t first = 0;
        std::size_t last = 0;
        MeasurementStore::SectorMark start;
        Counts counts {};
    };
    std::vector<Range> ranges(1);
    const auto &marks = store.marks();
    for (std::size_t t = 1; t < std::max<std::size_t>(threads, 1); ++t) {
        const auto mark = std::lower_bound(marks.begin(), marks.end(), size / threads * t,
                                           [](const MeasurementStore::SectorMark &m,
                                              std::size_t index) { return m.index < index; });
        if (mark == marks.end() || mark->index <= ranges.back().first)
            continue;
        ranges.back().last = mark->index;
        ranges.push_back({mark->index, 0, *mark, {}});
    }
    ranges.back().last = size;

    // Each list gets its final room at once (its pages first touched on the threads that
    // share the work), so joining ten million texts costs a few stores each, not three library
    // calls.
    std::vector<std::function<void()>> tasks;
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        tasks.push_back([&arrays, &store, r, parts = ranges.size()] {
            for (std::size_t k = sectorCount * r / parts; k < sectorCount * (r + 1) / parts; ++k)
                arrays.lists[k].resize(store.sectorTextBytes(static_cast<int>(k) + 1) + listSlack);
        });
    }
    runTogether(tasks);

    // Where each range starts writing in each list: after the texts before it, with "; "
    // between them.
    const auto startOf = [&arrays](const MeasurementStore::SectorMark &mark) {
        Cursors cursors {};
        for (std::size_t k = 0; k < sectorCount; ++k)
            cursors[k] = arrays.lists[k].data() + (mark.bytes[k] > 0 ? mark.bytes[k] - 2 : 0);
        return cursors;
    };
    tasks.clear();
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        tasks.push_back([&, r] {
            Range &range = ranges[r];
            Cursors cursors = startOf(range.start);
            // The next range's start, or the list's end with its room.
            Cursors limits {};
            if (r + 1 < ranges.size()) {
                limits = startOf(ranges[r + 1].start);
            } else {
                for (std::size_t k = 0; k < sectorCount; ++k)
                    limits[k] = arrays.lists[k].data() + arrays.lists[k].size();
            }
            for (std::size_t k = 0; k < sectorCount; ++k)
                range.counts[k] = range.start.bytes[k] > 0 ? 1 : 0;
            const char *p =
                range.first == 0 ? store.texts().arenaData() : store.texts().at(range.first).data();
            joinRange(store, range.first, range.last, p, cursors, limits, range.counts);
            for (std::size_t k = 0; k < sectorCount; ++k) {
                if (range.start.bytes[k] > 0)
                    --range.counts[k];
            }
        });
    }
    runTogether(tasks);
    for (const Range &range : ranges) {
        for (std::size_t k = 0; k < sectorCount; ++k)
            arrays.counts[k] += range.counts[k];
    }

    // Each joined list is trimmed as a whole: blanks kept inside a typed text ("45 ") stay
    // unless they end up at either end of the list.
    for (std::size_t k = 0; k < sectorCount; ++k) {
        std::string &list = arrays.lists[k];
        const std::size_t bytes = store.sectorTextBytes(static_cast<int>(k) + 1);
        list.resize(bytes >= 2 ? bytes - 2 : 0);
        const std::string_view trimmed = trimControl(list);
        if (trimmed.size() != list.size())
            list = std::string(trimmed);
    }
    arrays.maxCount = *std::max_element(arrays.counts.begin(), arrays.counts.end());
}

void countSectors(SectorArrays &arrays, const MeasurementStore &store)
{
    clearSectors(arrays);
    if (store.countsOnly()) {
        for (int sector = 1; sector <= 36; ++sector)
            arrays.counts[static_cast<std::size_t>(sector - 1)] =
                static_cast<std::int32_t>(store.entriesInSector(sector));
    }
    for (const std::uint8_t sector : store.sectors()) {
        if (sector > 0)
            ++arrays.counts[sector - 1u];
    }
    arrays.maxCount = *std::max_element(arrays.counts.begin(), arrays.counts.end());
}

} // namespace quorel
