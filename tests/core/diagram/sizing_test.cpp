#include "core/diagram/sizing.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorel;

namespace {

struct SizeCase
{
    const char *name;
    std::string text;
    std::optional<int> typed, enlarged, reduced;
};

class SizeCommands : public testing::TestWithParam<SizeCase>
{ };

TEST_P(SizeCommands, FollowTheTruncatedRemainderRules)
{
    const SizeCase &c = GetParam();
    EXPECT_EQ(typedSize(c.text), c.typed);
    EXPECT_EQ(enlargedSize(c.text), c.enlarged);
    EXPECT_EQ(reducedSize(c.text), c.reduced);
}

const std::optional<int> none;

INSTANTIATE_TEST_SUITE_P(Sizes, SizeCommands,
                         testing::Values(SizeCase {"multiple", "460", 460, 480, 440},
                                         SizeCase {"between", "465", 480, 480, 460},
                                         SizeCase {"nearLimit", "3990", 4000, 4000, 3980},
                                         SizeCase {"limit", "4000", 4000, 4000, 3980},
                                         SizeCase {"aboveLimit", "5000", 4000, 4000, 4980},
                                         SizeCase {"twenty", "20", 20, 40, 0},
                                         SizeCase {"zero", "0", 0, 20, 0},
                                         SizeCase {"belowTwenty", "10", 20, 20, 0},
                                         SizeCase {"negative", "-30", 0, 0, 0},
                                         SizeCase {"hex", "$1E0", 480, 500, 460},
                                         SizeCase {"largest", "2147483647", 4000, 4000, 2147483640},
                                         SizeCase {"smallest", "-2147483648", 0, 0, 0},
                                         SizeCase {"letters", "4x0", none, none, none},
                                         SizeCase {"empty", "", none, none, none},
                                         SizeCase {"fraction", "460.5", none, none, none}),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(Centring, SmallPictureStandsInTheMiddleLargeOneAtTheCorner)
{
    EXPECT_EQ(centredOffset(600, 460), 70);
    EXPECT_EQ(centredOffset(300, 460), 0);
    EXPECT_EQ(centredOffset(601, 461), 70); // both halvings truncate
    EXPECT_EQ(centredOffset(460, 460), 0);
}

TEST(Printing, TheSquareFillsTheSmallerSideOfThePage)
{
    const auto portrait = printSize(460, 460, 4800, 6600);
    ASSERT_TRUE(portrait);
    EXPECT_EQ(portrait->width, 4800);
    EXPECT_EQ(portrait->height, 4800);

    const auto landscape = printSize(460, 460, 6600, 4800);
    ASSERT_TRUE(landscape);
    EXPECT_EQ(landscape->width, 4800);
    EXPECT_EQ(landscape->height, 4800);

    const auto shrunk = printSize(4000, 4000, 3000, 3500);
    ASSERT_TRUE(shrunk);
    EXPECT_EQ(shrunk->width, 3000);
    EXPECT_EQ(shrunk->height, 3000);
}

TEST(Printing, AnEmptyPicturePrintsNothing)
{
    EXPECT_FALSE(printSize(0, 0, 4800, 6600));
    EXPECT_FALSE(printSize(460, 460, 0, 0));
}

} // namespace
