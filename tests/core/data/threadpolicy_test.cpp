#include "core/data/threadpolicy.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace quorel;

namespace {

// A block read alone while the threads do not pay.
constexpr std::pair<double, double> alone {-1, -1};

struct FallbackCase
{
    const char *name;
    ThreadPolicy policy;
    std::vector<std::pair<double, double>> blocks; // seconds on the clock, on the processor
    bool threadsPay;
};

const std::vector<std::pair<double, double>> sharedAfterFirst = {
    {1, 0.1}, {1, 0.5}, {1, 0.5}, {1, 0.5}};

std::vector<std::pair<double, double>> sharedThenAlone(int blocksAlone)
{
    std::vector<std::pair<double, double>> blocks = sharedAfterFirst;
    blocks.insert(blocks.end(), static_cast<std::size_t>(blocksAlone), alone);
    return blocks;
}

const FallbackCase fallbackCases[] = {
    {"NoBlockYet", ThreadPolicy::automatic(), {}, true},
    {"FirstBlockIsNotJudged", ThreadPolicy::automatic(), {{1, 0.1}, {1, 0.5}, {1, 0.5}}, true},
    {"ThreeSharedBlocksAfterTheFirst", ThreadPolicy::automatic(), sharedAfterFirst, false},
    {"ProcessorForMostOfTheTime",
     ThreadPolicy::automatic(),
     {{1, 1}, {1, 0.7}, {1, 0.6}, {1, 0.6}},
     true},
    {"SumsOverTheWindow", ThreadPolicy::automatic(), {{1, 1}, {1, 1}, {1, 1}, {4, 0.1}}, false},
    {"ALaterWindowIsJudgedOnItsOwn",
     ThreadPolicy::automatic(),
     {{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 0.5}, {1, 0.5}, {1, 0.5}},
     false},
    {"SevenBlocksAloneAreNotEnoughToRetry", ThreadPolicy::automatic(), sharedThenAlone(7), false},
    {"TriedAgainAfterEightBlocksAlone", ThreadPolicy::automatic(), sharedThenAlone(8), true},
    {"AChosenNumberIsKept", ThreadPolicy::fixed(4), sharedAfterFirst, true},
};

class ThreadFallbackDecision : public testing::TestWithParam<FallbackCase>
{ };

TEST_P(ThreadFallbackDecision, FallsBackOnlyWhenTheThreadsTookTurns)
{
    ThreadFallback fallback(GetParam().policy);
    for (const auto &[wall, cpu] : GetParam().blocks) {
        if (wall < 0)
            fallback.blockReadAlone();
        else
            fallback.blockDone(wall, cpu);
    }
    EXPECT_EQ(fallback.threadsPay(), GetParam().threadsPay);
}

INSTANTIATE_TEST_SUITE_P(Blocks, ThreadFallbackDecision, testing::ValuesIn(fallbackCases),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(ThreadPolicyThreads, OnePerMinimumPartUpToTheLimit)
{
    const ThreadPolicy policy = ThreadPolicy::fixed(20, 100);
    EXPECT_EQ(policy.threadsFor(0), 1u);
    EXPECT_EQ(policy.threadsFor(350), 3u);
    EXPECT_EQ(policy.threadsFor(100000), ThreadPolicy::maxThreads);
    EXPECT_EQ(ThreadPolicy::fixed(2, 100).threadsFor(100000), 2u);
    EXPECT_EQ(ThreadPolicy::automatic().threads, allowedProcessors());
}

} // namespace
