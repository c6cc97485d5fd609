// The data work behind a selection at 10^7 measurements: the first row of the largest petal
// (a petal click scrolls there) and the petals of every row (select all outlines them). The
// window's 100 ms budget for either also covers its repaint of the rows in view.
#include "core/data/measurementselection.h"
#include "core/data/measurementstore.h"
#include "core/data/sectorarrays.h"

#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <string>

namespace {

constexpr std::size_t measurementCount = 10'000'000;

// Directions piled up around 95 degrees, so sector 10 holds the largest petal; the last row is
// the only one in sector 36, which keeps select-all reading to the end.
const quorel::MeasurementStore &store()
{
    static const quorel::MeasurementStore filled = [] {
        quorel::MeasurementStore s;
        s.reserve(measurementCount, measurementCount * 4);
        std::mt19937 random(18);
        std::normal_distribution<double> around(95, 40);
        for (std::size_t i = 0; i + 1 < measurementCount; ++i) {
            const int degrees = (static_cast<int>(around(random)) % 350 + 350) % 350;
            s.appendInSector(std::to_string(degrees), quorel::sectorOfWholeDegrees(degrees),
                             degrees);
        }
        s.appendInSector("355", 36, 355);
        return s;
    }();
    return filled;
}

} // namespace

static void largestPetalClick(benchmark::State &state)
{
    const quorel::MeasurementStore &s = store();
    quorel::SectorSet petal;
    petal.set(9);
    for (auto _ : state)
        benchmark::DoNotOptimize(quorel::firstRowIn(s, petal));
}
BENCHMARK(largestPetalClick)->Unit(benchmark::kMillisecond);

static void selectAllOutline(benchmark::State &state)
{
    const quorel::MeasurementStore &s = store();
    quorel::SectorSet present;
    for (std::size_t i = 0; i < s.size(); ++i)
        present.set(static_cast<std::size_t>(s.sector(i) - 1));
    const std::array<quorel::RowRange, 1> all {{{0, s.size() - 1}}};
    for (auto _ : state)
        benchmark::DoNotOptimize(quorel::sectorsOfRows(s, all, present));
}
BENCHMARK(selectAllOutline)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
