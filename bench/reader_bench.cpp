// The reader's core without process start-up or output: classification, storing and binning
// of generated lines, and the pieces on their own, to find where the time of a read goes.
#include "core/data/datareader.h"
#include "core/data/lineclassifier.h"
#include "core/diagram/diagramstyle.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

// Lines as the generator writes them: "123.4\t56".
std::string generatedLines(long count)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> tenths(0, 3599);
    std::uniform_int_distribution<int> dip(0, 90);
    std::string text;
    for (long i = 0; i < count; ++i) {
        const int azimuth = tenths(random);
        text += std::to_string(azimuth / 10) + "." + std::to_string(azimuth % 10) + "\t"
            + std::to_string(dip(random)) + "\n";
    }
    return text;
}

void readLines(benchmark::State &state)
{
    const std::string text = generatedLines(state.range(0));
    const char separator = static_cast<char>(state.range(1));
    for (auto _ : state) {
        quorel::DataReader reader(separator);
        quorel::DiagramStyle style;
        reader.loadBytes("bench.qrl", text, style);
        benchmark::DoNotOptimize(reader.sectors().maxCount);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(readLines)
    ->Args({1000, '.'})
    ->Args({1000000, '.'})
    ->Args({1000000, ','})
    ->Unit(benchmark::kMillisecond);

void classifyLines(benchmark::State &state)
{
    const std::string text = generatedLines(state.range(0));
    for (auto _ : state) {
        quorel::LineClassifier classifier('.');
        quorel::LineCursor cursor(text);
        std::string_view line;
        double sum = 0;
        while (cursor.next(line))
            sum += classifier.classify(line).degrees;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(classifyLines)->Arg(1000000)->Unit(benchmark::kMillisecond);

void walkLines(benchmark::State &state)
{
    const std::string text = generatedLines(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(quorel::countLines(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(walkLines)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Joining the sector lists of a read's stored measurements, on one thread and on two.
void joinSectorLists(benchmark::State &state)
{
    const std::string text = generatedLines(state.range(0));
    quorel::DataReader reader('.');
    reader.setSectorListsWanted(false);
    quorel::DiagramStyle style;
    reader.loadBytes("bench.qrl", text, style);
    const auto threads = static_cast<std::size_t>(state.range(1));
    for (auto _ : state) {
        quorel::SectorArrays arrays;
        quorel::binSectors(arrays, reader.measurements(), threads);
        benchmark::DoNotOptimize(arrays.maxCount);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(joinSectorLists)
    ->Args({1000000, 1})
    ->Args({1000000, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
