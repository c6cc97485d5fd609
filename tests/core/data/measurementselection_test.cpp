#include "core/data/measurementselection.h"

#include "core/data/measurementstore.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quorel;

namespace {

SectorSet sectors(std::initializer_list<int> list)
{
    SectorSet set;
    for (int sector : list)
        set.set(static_cast<std::size_t>(sector - 1));
    return set;
}

TEST(MeasurementSelection, SectorsOfRowsAndFirstRows)
{
    MeasurementStore store;
    for (const char *text : {"5", "15", "5", "355", "abc"})
        store.appendText(text, '.');
    const SectorSet all = sectors({1, 2, 36});
    struct Case
    {
        const char *name;
        std::vector<RowRange> ranges;
        SectorSet present;
        SectorSet expected;
    };
    const Case cases[] = {
        {"OneRow", {{0, 0}}, all, sectors({1})},
        {"Ranges", {{1, 1}, {3, 4}}, all, sectors({2, 36})},
        {"PastTheEnd", {{3, 99}}, all, sectors({36})},
        // Once every sector with measurements is found, the rest is not read.
        {"StopsWhenAllFound", {{0, 4}}, sectors({1}), sectors({1})},
        {"Nothing", {}, all, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(sectorsOfRows(store, c.ranges, c.present), c.expected) << c.name;

    EXPECT_EQ(firstRowIn(store, sectors({36, 2})), 1u);
    EXPECT_EQ(firstRowIn(store, sectors({36})), 3u);
    EXPECT_EQ(firstRowIn(store, sectors({3})), store.size());
}

} // namespace
