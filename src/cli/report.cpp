// quorel-cli report: reads a data file as the program does and writes the HTML report with its
// two pictures, as "Save data and graph as HTML file..." does.
#include "cli/cliutil.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "core/data/circularstats.h"
#include "core/data/datareader.h"
#include "core/diagram/color.h"
#include "core/diagram/diagramstyle.h"
#include "core/diagram/renderer.h"
#include "core/tools/circularwording.h"
#include "core/tools/htmlreport.h"
#include "core/util/system.h"

#include <iostream>

namespace quorel::cli {

int runReport(const CommandLine &line)
{
    if (line.operands.empty())
        return usageError("report needs a data file");
    if (!line.output)
        return usageError("report needs -o OUT.html");

    DiagramStyle style = DiagramStyle::firstRun();
    DataReader reader(line.decimalSeparator());
    if (Status read = reader.load(line.operands.front(), style); !read)
        return failure(read.message());

    const SectorArrays &sectors = reader.sectors();
    SectorCounts counts {};
    for (int k = 1; k <= sectorCount; ++k)
        counts[static_cast<std::size_t>(k - 1)] = sectors.count(k);
    // A file of orientations (";Axial=1") is drawn as the window draws it.
    RenderOptions options;
    options.axial = style.axial;
    const Result<Picture> picture =
        renderRoseDiagram(style, counts, sectors.maxCount, false, options);
    if (!picture)
        return failure(picture.message());

    HtmlReportRequest request;
    request.pagePath = *line.output;
    request.author = userName();
    request.allText = std::to_string(reader.measurements().size());
    request.maxText = std::to_string(sectors.maxCount);
    if (line.circular) {
        request.circularLines =
            circularPanelLines(circularStatistics(reader.measurements().directions(), style.axial),
                               line.decimalSeparator(), false);
    }
    if (Status saved = saveHtmlReport(request, *picture, classicSystemColors(),
                                      reader.measurements(), sectors);
        !saved)
        return failure(saved.message());
    return ExitOk;
}

} // namespace quorel::cli
