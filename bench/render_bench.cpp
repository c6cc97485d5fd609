// The interactive redraw path: every colour click records the diagram, encodes it as the
// placeable metafile and plays it onto the screen. Measured at the default and the largest size.
#include "core/diagram/renderer.h"
#include "core/diagram/svgwriter.h"
#include "core/diagram/wmfwriter.h"
#include "gui/diagram/pictureplayer.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

quorel::SectorCounts fullCounts()
{
    quorel::SectorCounts counts {};
    for (std::size_t k = 0; k < counts.size(); ++k)
        counts[k] = static_cast<int>(1 + (k * 7) % 23);
    return counts;
}

quorel::DiagramStyle benchStyle(int size)
{
    quorel::DiagramStyle style = quorel::DiagramStyle::defaults();
    style.diagramSize = std::to_string(size);
    style.descriptionText = "Joints, quarry wall N";
    style.descriptionX = "20";
    style.descriptionY = "20";
    return style;
}

void renderOnly(benchmark::State &state)
{
    const auto style = benchStyle(static_cast<int>(state.range(0)));
    const auto counts = fullCounts();
    for (auto _ : state)
        benchmark::DoNotOptimize(quorel::renderRoseDiagram(style, counts, 23, false));
}

void renderAndEncodeWmf(benchmark::State &state)
{
    const auto style = benchStyle(static_cast<int>(state.range(0)));
    const auto counts = fullCounts();
    for (auto _ : state) {
        const auto picture = quorel::renderRoseDiagram(style, counts, 23, false);
        benchmark::DoNotOptimize(
            quorel::writePlaceableWmf(picture.value(), quorel::classicSystemColors()));
    }
}

void renderAndEncodeSvg(benchmark::State &state)
{
    const auto style = benchStyle(static_cast<int>(state.range(0)));
    const auto counts = fullCounts();
    for (auto _ : state) {
        const auto picture = quorel::renderRoseDiagram(style, counts, 23, false);
        benchmark::DoNotOptimize(
            quorel::pictureToSvg(picture.value(), quorel::classicSystemColors()));
    }
}

// The whole redraw: record, encode the metafile and play the picture into an S x S image.
void redraw(benchmark::State &state)
{
    const auto style = benchStyle(static_cast<int>(state.range(0)));
    const auto counts = fullCounts();
    for (auto _ : state) {
        const auto picture = quorel::renderRoseDiagram(style, counts, 23, false);
        benchmark::DoNotOptimize(
            quorel::writePlaceableWmf(picture.value(), quorel::classicSystemColors()));
        benchmark::DoNotOptimize(
            quorel::renderToImage(picture.value(), quorel::classicSystemColors()));
    }
}

} // namespace

BENCHMARK(renderOnly)->Arg(460)->Arg(4000)->Unit(benchmark::kMicrosecond);
BENCHMARK(renderAndEncodeWmf)->Arg(460)->Arg(4000)->Unit(benchmark::kMicrosecond);
BENCHMARK(renderAndEncodeSvg)->Arg(460)->Arg(4000)->Unit(benchmark::kMicrosecond);
BENCHMARK(redraw)->Arg(460)->Arg(4000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
