// quorel-cli random: the random generator's data file, to a file or to standard output, written
// as it is made so that any count runs in the same memory.
#include "core/tools/randomdata.h"

#include "cli/cliutil.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "core/util/numbers.h"

#include <iostream>

namespace quorel::cli {

int runRandom(const CommandLine &line)
{
    if (line.operands.empty())
        return usageError("random needs the number of measurements");
    const std::string &countText = line.operands.front();
    // The same words the input box answers with; a count that is not a number is a usage error.
    const auto count = toInteger(countText);
    if (!count)
        return usageError("\"" + countText + "\" is not a valid integer !");
    // A file of no measurements is never what a command line asks for: "random -3" is a slip.
    if (*count < 1)
        return usageError("random needs at least 1 measurement, not '" + countText + "'");

    const char separator = line.decimalSeparator();
    const std::uint64_t seed = line.seed ? *line.seed : clockSeed();
    if (line.output) {
        const Status written = writeRandomDataFile(*line.output, *count, separator, seed);
        if (!written)
            return failure(written.message());
        return ExitOk;
    }
    // Block by block, stopping at the first that cannot be written (a full disk, a closed pipe).
    RandomDataLines lines(*count, separator, seed);
    std::string block;
    while (lines.appendBlock(block)) {
        std::cout.write(block.data(), static_cast<std::streamsize>(block.size()));
        if (!std::cout)
            return failure("cannot write the output");
        block.clear();
    }
    std::cout.flush();
    if (!std::cout)
        return failure("cannot write the output");
    return ExitOk;
}

} // namespace quorel::cli
