// quorel-cli convert: the converter window's rules over standard input, line by line, so a file
// of any length streams through without being held in memory.
#include "core/tools/converter.h"

#include "cli/cliutil.h"
#include "cli/commands.h"
#include "cli/usage.h"
#include "core/util/numbers.h"

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

int runConvert(const Args &args)
{
    std::optional<AngleUnit> from;
    std::optional<AngleUnit> to;
    int places = defaultPlaces;
    char separator = localeDecimalSeparator();

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (isHelpOption(arg))
            return showCommandHelp("convert");
        if (arg == "--from" || arg == "--to") {
            if (!hasValue)
                return usageError(arg + " needs a unit: deg, grad or rad");
            const auto unit = angleUnitFromName(args[++i]);
            if (!unit)
                return usageError("unknown unit '" + args[i] + "' (use deg, grad or rad)");
            (arg == "--from" ? from : to) = unit;
        } else if (arg == "--places") {
            if (!hasValue)
                return usageError("--places needs a number");
            const auto value = toInteger(args[++i]);
            if (!value || *value < minPlaces || *value > maxPlaces)
                return usageError("--places must be a whole number from 0 to 20");
            places = *value;
        } else if (arg == "--decimal-separator") {
            const auto value = hasValue ? parseDecimalSeparator(args[++i]) : std::nullopt;
            if (!value)
                return usageError("--decimal-separator needs exactly one character");
            separator = *value;
        } else {
            return usageError("unexpected argument '" + arg + "'");
        }
    }
    if (!from || !to)
        return usageError("convert needs --from and --to");

    // The same unit on both sides only rounds every number to the places asked for.
    const AngleConverter converter(directionBetween(*from, *to), places, separator);
    std::ios::sync_with_stdio(false);
    std::string line;
    std::string out;
    while (std::getline(std::cin, line))
        convertAndWrite(line, converter, out);
    std::cout.flush();
    if (!std::cout)
        return failure("cannot write the output");
    return ExitOk;
}

} // namespace quorel::cli
