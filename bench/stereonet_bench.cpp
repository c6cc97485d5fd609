// The stereonet's costs: the exponential Kamb density of 10^5 and 10^6 poles on a 100 x 100 grid
// (goals: under 20 ms and under 150 ms on one core), the sum over every vector beside it, and
// the pass that reads the dips of 10^7 lines.
#include "core/stereonet/density.h"
#include "core/stereonet/dipreader.h"
#include "core/stereonet/orientation.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace quorel;

// Poles uniform over the lower hemisphere (`spread` 0), or about 215/62 with a normal scatter
// of `spread` degrees in trend and plunge.
std::vector<Vector3> poles(long count, double spread)
{
    std::mt19937_64 random(20261208);
    std::normal_distribution<double> g(0, 1);
    std::vector<Vector3> out;
    out.reserve(static_cast<std::size_t>(count));
    for (long k = 0; k < count; ++k) {
        Vector3 v;
        if (spread > 0) {
            v = unitVector({215 + spread * g(random), 62 + spread * g(random)});
        } else {
            v = {g(random), g(random), g(random)};
            const double length = std::sqrt(dot(v, v));
            v = {v.x / length, v.y / length, v.z / length};
        }
        out.push_back(v.z > 0 ? Vector3 {-v.x, -v.y, -v.z} : v);
    }
    return out;
}

// Arguments: poles, spread in degrees.
void densityGrid(benchmark::State &state)
{
    const std::vector<Vector3> vectors = poles(state.range(0), double(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(quorel::densityGrid(vectors, 100, NetKind::Schmidt));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(densityGrid)
    ->Args({100000, 0})
    ->Args({100000, 10})
    ->Args({1000000, 0})
    ->Args({1000000, 10})
    ->Unit(benchmark::kMillisecond);

// The same grid summed over every vector: arguments poles, nodes along each axis.
void directDensityGrid(benchmark::State &state)
{
    const std::vector<Vector3> vectors = poles(state.range(0), 0);
    const int nodes = static_cast<int>(state.range(1));
    const double f = kambKernel(vectors.size()).exponent;
    for (auto _ : state) {
        double total = 0;
        for (int j = 0; j < nodes; ++j) {
            for (int i = 0; i < nodes; ++i) {
                const NetPoint p {-1 + 2.0 * i / (nodes - 1), -1 + 2.0 * j / (nodes - 1)};
                if (p.x * p.x + p.y * p.y <= 1)
                    total += directKambSum(vectors, netVector(p, NetKind::Schmidt), f);
            }
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(directDensityGrid)
    ->Args({100000, 100})
    ->Args({1000000, 10})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The dip pass over the bytes of a file of 10^7 lines such as "123.4/56".
void readDips(benchmark::State &state)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> azimuth(0, 3599);
    std::uniform_int_distribution<int> dip(0, 90);
    std::string bytes;
    for (long k = 0; k < state.range(0); ++k) {
        const int a = azimuth(random);
        bytes += std::to_string(a / 10) + "." + std::to_string(a % 10) + "/"
            + std::to_string(dip(random)) + "\n";
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(quorel::readDips(bytes, '.'));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(readDips)->Arg(10000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
