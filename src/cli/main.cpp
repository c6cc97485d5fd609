// quorel-cli: the batch front end. Reads data files exactly as the program does and writes
// statistics, diagrams, reports and rewritten data files without a display.
#include "cli/cliutil.h"
#include "cli/commandline.h"

#include <iostream>
#include <new>
#include <string_view>

int main(int argc, char *argv[])
{
    using namespace quorel::cli;
    if (argc < 2)
        return usageError("no command given");

    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h") {
        std::cout << overviewHelp();
        return ExitOk;
    }
    if (name == "--version") {
        std::cout << "quorel-cli " << QUOREL_VERSION << '\n';
        return ExitOk;
    }
    const Command *command = findCommand(name);
    if (!command)
        return usageError("unknown command '" + std::string(name) + "'");

    // The reader turns a file too large for the memory into its own message; anything else
    // that runs out of memory (a picture, the output) still ends with one line, not an abort.
    try {
        CommandLine line;
        if (const Problem problem = parseCommandLine(*command, Args(argv + 2, argv + argc), line))
            return usageError(*problem);
        if (line.help) {
            std::cout << commandHelp(*command);
            return ExitOk;
        }
        return command->run(line);
    } catch (const std::bad_alloc &) {
        return failure("not enough memory");
    }
}
