// quorel-cli report: reads a data file as the program does and writes the HTML report with its
// two pictures, as "Save data and graph as HTML file..." does.
#include "cli/cliutil.h"
#include "cli/commands.h"
#include "cli/usage.h"
#include "core/data/datareader.h"
#include "core/diagram/color.h"
#include "core/diagram/diagramstyle.h"
#include "core/diagram/renderer.h"
#include "core/tools/htmlreport.h"
#include "core/util/system.h"

#include <iostream>

namespace quorel::cli {

int runReport(const Args &args)
{
    std::optional<std::string> file;
    std::optional<std::string> output;
    char separator = localeDecimalSeparator();

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (isHelpOption(arg))
            return showCommandHelp("report");
        if (arg == "-o" || arg == "--output") {
            if (!hasValue)
                return usageError(arg + " needs a file name");
            output = args[++i];
        } else if (arg == "--decimal-separator") {
            const auto value = hasValue ? parseDecimalSeparator(args[++i]) : std::nullopt;
            if (!value)
                return usageError("--decimal-separator needs exactly one character");
            separator = *value;
        } else if (arg.starts_with("-") && arg.size() > 1) {
            return usageError("unknown option '" + arg + "'");
        } else if (!file) {
            file = arg;
        } else {
            return usageError("unexpected argument '" + arg + "'");
        }
    }
    if (!file)
        return usageError("report needs a data file");
    if (!output)
        return usageError("report needs -o OUT.html");

    DiagramStyle style = DiagramStyle::firstRun();
    DataReader reader(separator);
    if (Status read = reader.load(*file, style); !read)
        return failure(read.message());

    const SectorArrays &sectors = reader.sectors();
    SectorCounts counts {};
    for (int k = 1; k <= sectorCount; ++k)
        counts[static_cast<std::size_t>(k - 1)] = sectors.count(k);
    const Result<Picture> picture = renderRoseDiagram(style, counts, sectors.maxCount, false);
    if (!picture)
        return failure(picture.message());

    HtmlReportRequest request;
    request.pagePath = *output;
    request.author = userName();
    request.allText = std::to_string(reader.measurements().size());
    request.maxText = std::to_string(sectors.maxCount);
    if (Status saved = saveHtmlReport(request, *picture, classicSystemColors(),
                                      reader.measurements(), sectors);
        !saved)
        return failure(saved.message());
    return ExitOk;
}

} // namespace quorel::cli
