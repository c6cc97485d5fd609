#include "core/data/measurementstore.h"
#include "core/data/sectorarrays.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace quorel;

namespace {

struct SectorCase
{
    const char *name;
    double azimuth;
    int sector;
};

const SectorCase sectorCases[] = {
    {"Zero", 0, 1},
    {"RoundsToZero", 0.4, 1},
    {"HalfRoundsToEvenZero", 0.5, 1},
    {"One", 1, 1},
    {"Ten", 10, 1},
    {"TenPointFour", 10.4, 1},
    {"TenAndAHalfRoundsDown", 10.5, 1},
    {"TenPointSix", 10.6, 2},
    {"ElevenAndAHalfRoundsUp", 11.5, 2},
    {"Twenty", 20, 2},
    {"TwentyAndAHalf", 20.5, 2},
    {"TwentyOneAndAHalf", 21.5, 3},
    {"ThreeFiftyFive", 355, 36},
    {"ThreeFiftyNinePointSix", 359.6, 36},
    {"ThreeSixty", 360, 36},
    {"ThreeSixtyAndAHalfRoundsDown", 360.5, 36},
    {"SmallNegativeRoundsToZero", -0.4, 1},
    {"NegativeSkipped", -0.6, 0},
    {"BeyondTheCircleSkipped", 360.6, 0},
    {"HugeSkipped", 1e300, 0},
    {"NotANumberSkipped", std::numeric_limits<double>::quiet_NaN(), 0},
    {"InfinitySkipped", std::numeric_limits<double>::infinity(), 0},
};

class SectorOf : public testing::TestWithParam<SectorCase>
{ };

TEST_P(SectorOf, FollowsTheSectorRule)
{
    EXPECT_EQ(sectorOf(GetParam().azimuth), GetParam().sector);
}

INSTANTIATE_TEST_SUITE_P(Azimuths, SectorOf, testing::ValuesIn(sectorCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(SectorOf, EveryWholeDegreeFallsIntoItsRange)
{
    for (int degree = 0; degree <= 360; ++degree) {
        const int sector = sectorOf(degree);
        ASSERT_GE(sector, 1) << degree;
        ASSERT_LE(sector, sectorCount) << degree;
        ASSERT_LE(degree, 10 * sector) << degree;
        ASSERT_GE(degree, sector == 1 ? 0 : 10 * sector - 9) << degree;
    }
}

TEST(SectorOf, WholeDegreesAgreeWithTheValueRule)
{
    for (int degree = -2; degree <= 362; ++degree)
        EXPECT_EQ(sectorOfWholeDegrees(degree), degree < 0 ? 0 : sectorOf(degree)) << degree;
}

TEST(SectorLabel, NamesTheRanges)
{
    EXPECT_EQ(sectorLabel(1), " 0 - 10");
    EXPECT_EQ(sectorLabel(2), "11 - 20");
    EXPECT_EQ(sectorLabel(10), "91 - 100");
    EXPECT_EQ(sectorLabel(36), "351 - 360");
    EXPECT_EQ(sectorLabel(0), "");
    EXPECT_EQ(sectorLabel(37), "");
}

MeasurementStore storeOf(std::initializer_list<const char *> texts, char separator = '.')
{
    MeasurementStore store;
    for (const char *text : texts)
        store.appendText(text, separator);
    return store;
}

TEST(SectorBinning, JoinsTextsOfASectorInFileOrder)
{
    SectorArrays arrays;
    binSectors(arrays, storeOf({"12", "355", "15", "19.2"}));
    EXPECT_EQ(arrays.count(2), 3);
    EXPECT_EQ(arrays.list(2), "12; 15; 19.2");
    EXPECT_EQ(arrays.count(36), 1);
    EXPECT_EQ(arrays.list(36), "355");
    EXPECT_EQ(arrays.count(1), 0);
    EXPECT_EQ(arrays.list(1), "");
    EXPECT_EQ(arrays.maxCount, 3);
}

TEST(SectorBinning, BoundariesFromTheTexts)
{
    SectorArrays arrays;
    binSectors(arrays, storeOf({"0", "0.4", "10", "10.5", "11.5", "359.6", "360"}));
    EXPECT_EQ(arrays.list(1), "0; 0.4; 10; 10.5");
    EXPECT_EQ(arrays.list(2), "11.5");
    EXPECT_EQ(arrays.list(36), "359.6; 360");
}

TEST(SectorBinning, DecimalCommaTexts)
{
    SectorArrays arrays;
    binSectors(arrays, storeOf({"10,5", "10,6"}, ','));
    EXPECT_EQ(arrays.list(1), "10,5");
    EXPECT_EQ(arrays.list(2), "10,6");
}

TEST(SectorBinning, ListIsTrimmedAsAWholeOnly)
{
    // A typed field may end in a blank ("45 " from the line "45 /30"): inside a list it
    // stays, at the list's end it goes.
    SectorArrays arrays;
    binSectors(arrays, storeOf({"45 ", "46", "47 "}));
    EXPECT_EQ(arrays.list(5), "45 ; 46; 47");
}

TEST(SectorBinning, AllInOneSectorGivesMaxEqualToCount)
{
    SectorArrays arrays;
    binSectors(arrays, storeOf({"100", "99", "95.5", "91"}));
    EXPECT_EQ(arrays.maxCount, 4);
    EXPECT_EQ(arrays.count(10), 4);
}

TEST(SectorBinning, UnbinnedEntriesAreSkipped)
{
    SectorArrays arrays;
    binSectors(arrays, storeOf({"-5", "abc", "400", "20"}));
    int total = 0;
    for (int sector = 1; sector <= sectorCount; ++sector)
        total += arrays.count(sector);
    EXPECT_EQ(total, 1);
    EXPECT_EQ(arrays.list(2), "20");
}

TEST(SectorBinning, RebuildsFromScratch)
{
    SectorArrays arrays;
    binSectors(arrays, storeOf({"12", "13", "14"}));
    binSectors(arrays, storeOf({"200"}));
    EXPECT_EQ(arrays.count(2), 0);
    EXPECT_EQ(arrays.list(2), "");
    EXPECT_EQ(arrays.maxCount, 1);
}

TEST(SectorBinning, EmptyStoreGivesZeroMax)
{
    SectorArrays arrays;
    binSectors(arrays, storeOf({"12"}));
    binSectors(arrays, MeasurementStore {});
    EXPECT_EQ(arrays.maxCount, 0);
    EXPECT_EQ(arrays, SectorArrays {});
}

// Joined on several threads, each from a mark of the store (its own, and those of stores it
// took whole), the lists are those of one thread: texts of every length, short ones beside a
// range's end and the arena's end, sectors left empty in some ranges.
TEST(SectorBinning, ThreadsJoinWhatOneThreadJoins)
{
    const std::vector<std::string> texts = {"5",        "15.25",    " 12 ", "359.99999999999999",
                                            "123.4567", "abc",      "17",   "0",
                                            "20",       "360.0000", "8 ",   "45.123456789012345"};
    MeasurementStore store;
    for (std::size_t part = 0; part < 7; ++part) {
        MeasurementStore piece;
        for (std::size_t i = 0; i < 3 + part * part; ++i)
            piece.appendText(texts[(part * 5 + i * 7) % texts.size()], '.');
        store.appendStore(piece);
    }
    store.appendText("12", '.');
    SectorArrays one;
    binSectors(one, store, 1);
    for (const std::size_t threads : {2u, 3u, 8u, 40u}) {
        SectorArrays many;
        binSectors(many, store, threads);
        EXPECT_EQ(many, one) << threads << " threads";
    }
}

TEST(SectorClearing, EmptiesCountsAndListsButKeepsTheMaximum)
{
    SectorArrays arrays;
    binSectors(arrays, storeOf({"12", "15"}));
    clearSectors(arrays);
    for (int sector = 1; sector <= sectorCount; ++sector) {
        EXPECT_EQ(arrays.count(sector), 0);
        EXPECT_EQ(arrays.list(sector), "");
    }
    EXPECT_EQ(arrays.maxCount, 2);
}

} // namespace
