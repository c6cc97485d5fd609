// quorel-cli random: the random generator's data file, to a file or to standard output, written
// as it is made so that any count runs in the same memory.
#include "core/tools/randomdata.h"

#include "cli/cliutil.h"
#include "cli/commands.h"
#include "cli/usage.h"
#include "core/util/numbers.h"

#include <charconv>
#include <iostream>

namespace quorel::cli {

int runRandom(const Args &args)
{
    std::optional<std::string> countText;
    std::optional<std::string> output;
    std::optional<std::uint64_t> seed;
    char separator = localeDecimalSeparator();

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (isHelpOption(arg))
            return showCommandHelp("random");
        if (arg == "-o" || arg == "--output") {
            if (!hasValue)
                return usageError(arg + " needs a file name");
            output = args[++i];
        } else if (arg == "--seed") {
            if (!hasValue)
                return usageError("--seed needs a number");
            const std::string &text = args[++i];
            std::uint64_t value = 0;
            const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (ec != std::errc() || ptr != text.data() + text.size() || text.empty())
                return usageError("--seed must be a whole number from 0 to 18446744073709551615");
            seed = value;
        } else if (arg == "--decimal-separator") {
            const auto value = hasValue ? parseDecimalSeparator(args[++i]) : std::nullopt;
            if (!value)
                return usageError("--decimal-separator needs exactly one character");
            separator = *value;
        } else if (!countText) {
            countText = arg;
        } else {
            return usageError("unexpected argument '" + arg + "'");
        }
    }
    if (!countText)
        return usageError("random needs the number of measurements");
    // The same words the input box answers with; a count that is not a number is a usage error.
    const auto count = toInteger(*countText);
    if (!count)
        return usageError("\"" + *countText + "\" is not a valid integer !");

    const std::uint64_t actualSeed = seed ? *seed : clockSeed();
    if (output) {
        const Status written = writeRandomDataFile(*output, *count, separator, actualSeed);
        if (!written)
            return failure(written.message());
        return ExitOk;
    }
    // Block by block, stopping at the first that cannot be written (a full disk, a closed pipe).
    RandomDataLines lines(*count, separator, actualSeed);
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
