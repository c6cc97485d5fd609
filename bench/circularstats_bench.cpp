// The circular statistics of a read file: one pass over the measurements' tally of directions,
// the exact Rayleigh p of a small sample, and the band of chance. Goal: ten million
// measurements in under 50 ms on one core.
#include "core/data/circulardistributions.h"
#include "core/data/circularstats.h"
#include "core/data/directiontally.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// Azimuths as the generator writes them, to a tenth of a degree; with `decimals` 2, to a
// hundredth, none of which the tally keeps on its grid.
quorel::DirectionTally tallyOf(long count, int decimals)
{
    std::mt19937 random(20261207);
    const int steps = decimals == 1 ? 3600 : 36000;
    std::uniform_int_distribution<int> step(0, steps - 1);
    quorel::DirectionTally tally;
    for (long i = 0; i < count; ++i) {
        const int k = step(random);
        tally.add(decimals == 1 ? k / 10.0 : k / 100.0 + (k % 10 == 0 ? 0.001 : 0));
    }
    return tally;
}

void circularStatistics(benchmark::State &state)
{
    const quorel::DirectionTally tally = tallyOf(state.range(0), 1);
    const bool axial = state.range(1) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(quorel::circularStatistics(tally, axial));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(circularStatistics)
    ->Args({1000, 0})
    ->Args({1000000, 0})
    ->Args({10000000, 0})
    ->Args({10000000, 1})
    ->Unit(benchmark::kMillisecond);

// Values off the grid of tenths cost a sine and a cosine each.
void circularStatisticsOffTheGrid(benchmark::State &state)
{
    const quorel::DirectionTally tally = tallyOf(state.range(0), 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(quorel::circularStatistics(tally, false));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(circularStatisticsOffTheGrid)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The exact p of the smallest samples (three and nine directions).
void exactRayleighP(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(quorel::exactRayleighPValue(n, 0.6 * n));
}
BENCHMARK(exactRayleighP)->Arg(3)->Arg(9)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
