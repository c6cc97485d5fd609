// quorel-cli render: reads a data file as the program does and writes its rose diagram. The
// output's extension picks the format; the WMF bytes are those "Save graph..." writes.
#include "cli/cliutil.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/painterloader.h"
#include "core/data/circularstats.h"
#include "core/data/datareader.h"
#include "core/diagram/diagramstyle.h"
#include "core/diagram/renderer.h"
#include "core/diagram/svgwriter.h"
#include "core/diagram/wmfwriter.h"
#include "core/util/files.h"
#include "core/util/text.h"

#include <optional>

namespace quorel::cli {

namespace {

enum class Format { Wmf, Emf, Svg, Png, Pdf };

std::optional<Format> formatOf(const std::string &path)
{
    const auto dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.')
        return std::nullopt;
    const std::string extension = upperAscii(std::string_view(path).substr(dot + 1));
    if (extension == "WMF")
        return Format::Wmf;
    if (extension == "EMF")
        return Format::Emf;
    if (extension == "SVG")
        return Format::Svg;
    if (extension == "PNG")
        return Format::Png;
    if (extension == "PDF")
        return Format::Pdf;
    return std::nullopt;
}

} // namespace

int runRender(const CommandLine &line)
{
    if (line.operands.empty())
        return usageError("render needs a data file");
    if (!line.output)
        return usageError("render needs an output file (-o OUT)");
    const std::string &output = *line.output;
    const auto format = formatOf(output);
    if (!format)
        return usageError("the output's extension must be .wmf, .emf, .svg, .png or .pdf");

    // The style the program starts with, then the file's own display parameters.
    DiagramStyle style = DiagramStyle::firstRun();
    DataReader reader(line.decimalSeparator());
    // Only the counts (and, for the band and mean direction, the values' tally) are drawn:
    // keeping every text would cost memory and copying that nothing reads.
    reader.setMeasurementsKept(false);
    if (const Status read = reader.load(line.operands.front(), style); !read)
        return failure(read.message());
    if (line.size)
        style.diagramSize = *line.size;

    SectorCounts counts {};
    const auto &sectors = reader.sectors();
    for (std::size_t k = 0; k < counts.size(); ++k)
        counts[k] = sectors.counts[k];
    // Orientations when asked for, or when the file says so with its ";Axial=1" line.
    const bool axial = line.axial || style.axial;
    RenderOptions options;
    options.axial = axial;
    if (line.band || line.meanDirection) {
        options =
            circularRenderOptions(circularStatistics(reader.measurements().directions(), axial),
                                  line.band, line.meanDirection);
    }
    // The file's ";PetalScale=Area" asks for equal areas as the option does.
    if (line.equalArea)
        style.petalScale = PetalScale::Area;
    options.petalScale = style.petalScale;
    if (line.ringLabels)
        options.ringLabels = RenderOptions::RingLabels {line.decimalSeparator()};
    const Result<Picture> picture =
        renderRoseDiagram(style, counts, sectors.maxCount, false, options);
    if (!picture)
        return failure(picture.message());

    // Without a desktop the usual Windows scheme stands in for the user's colours.
    const SystemColorTable &colors = classicSystemColors();
    Status written = success();
    switch (*format) {
    case Format::Wmf:
        written = writeFile(output, writePlaceableWmf(*picture, colors));
        break;
    case Format::Svg:
        written = writeFile(output, pictureToSvg(*picture, colors));
        break;
    // PNG, PDF and EMF need Qt's fonts and painter, which only they load.
    case Format::Emf:
        written = writeWithPainter(PainterFormat::Emf, *picture, colors, output);
        break;
    case Format::Png:
        written = writeWithPainter(PainterFormat::Png, *picture, colors, output);
        break;
    case Format::Pdf:
        written = writeWithPainter(PainterFormat::Pdf, *picture, colors, output);
        break;
    }
    if (!written)
        return failure(written.message());
    warnInvalidLines(reader.summary().errorCount, reader.summary().firstInvalidLine);
    return ExitOk;
}

} // namespace quorel::cli
