// quorel-cli convert: the converter window's rules over standard input, line by line, so a file
// of any length streams through without being held in memory.
#include "core/tools/converter.h"

#include "cli/cliutil.h"
#include "cli/commandline.h"
#include "cli/commands.h"

#include <iostream>
#include <string>

namespace quorel::cli {

namespace {

// Converts one input line and writes it with "\n". A CR inside the line ends a line as well
// (old Mac line ends), a CR right before the LF belongs to the line end.
void convertAndWrite(std::string &line, const AngleConverter &converter, std::string &out)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    std::size_t pos = 0;
    while (true) {
        const auto cr = line.find('\r', pos);
        const auto piece = std::string_view(line).substr(
            pos, cr == std::string::npos ? std::string::npos : cr - pos);
        out.clear();
        converter.convertLine(piece, out);
        out += '\n';
        std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
        if (cr == std::string::npos)
            break;
        pos = cr + 1;
    }
}

} // namespace

int runConvert(const CommandLine &line)
{
    if (!line.from || !line.to)
        return usageError("convert needs --from and --to");

    // The same unit on both sides only rounds every number to the places asked for.
    const AngleConverter converter(directionBetween(*line.from, *line.to), line.places,
                                   line.decimalSeparator());
    std::ios::sync_with_stdio(false);
    std::string input;
    std::string out;
    while (std::getline(std::cin, input))
        convertAndWrite(input, converter, out);
    std::cout.flush();
    if (!std::cout)
        return failure("cannot write the output");
    return ExitOk;
}

} // namespace quorel::cli
