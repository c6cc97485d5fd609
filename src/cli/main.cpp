// quorel-cli: the batch front end. Reads data files exactly as the program does and writes
// statistics, diagrams, reports and rewritten data files without a display.
#include "cli/cliutil.h"
#include "cli/commands.h"
#include "cli/usage.h"

#include <iostream>
#include <new>
#include <string_view>

int main(int argc, char *argv[])
{
    using namespace quorel::cli;
    if (argc < 2)
        return usageError("no command given");

    const std::string_view command = argv[1];
    if (command == "--help" || command == "-h") {
        std::cout << overviewHelp();
        return ExitOk;
    }
    if (command == "--version") {
        std::cout << "quorel-cli " << QUOREL_VERSION << '\n';
        return ExitOk;
    }

    const Args args(argv + 2, argv + argc);
    // The reader turns a file too large for the memory into its own message; anything else
    // that runs out of memory (a picture, the output) still ends with one line, not an abort.
    try {
        if (command == "stats")
            return runStats(args);
        if (command == "render")
            return runRender(args);
        if (command == "set")
            return runSet(args);
        if (command == "report")
            return runReport(args);
        if (command == "convert")
            return runConvert(args);
        if (command == "random")
            return runRandom(args);
    } catch (const std::bad_alloc &) {
        return failure("not enough memory");
    }
    return usageError("unknown command '" + std::string(command) + "'");
}
