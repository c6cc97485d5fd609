// quorel-cli: the batch front end. Reads data files exactly as the program does and writes
// statistics, diagrams, reports and rewritten data files without a display.
#include "cli/cliutil.h"
#include "cli/commands.h"

#include <iostream>
#include <string_view>

namespace {

constexpr std::string_view helpText = R"(Usage: quorel-cli COMMAND [ARGS...]

Commands:
  stats FILE [--json] [--measurements] [--decimal-separator C]
        read FILE and print its measurements, sector counts and error report
  render FILE -o OUT [--size N] [--decimal-separator C]
        draw the rose diagram of FILE; OUT's extension (.wmf .emf .svg .png .pdf) picks the format
  set FILE NAME=VALUE... [--decimal-separator C]
        change display parameters and write them back into a .qrl FILE
  report FILE -o OUT.html [--decimal-separator C]
        write the HTML report (OUT.html with OUT.wmf and OUT.svg beside it)
  convert --from deg|grad|rad --to deg|grad|rad [--places N] [--decimal-separator C]
        convert the angles in standard input and write the result to standard output
  random N [-o FILE] [--seed S] [--decimal-separator C]
        write N random azimuths, one per line

Options:
  --help       show this help and exit
  --version    show the version and exit

Exit status: 0 success, 1 failure (message on stderr), 2 usage error.
)";

} // namespace

int main(int argc, char *argv[])
{
    using namespace quorel::cli;
    if (argc < 2)
        return usageError("no command given");

    const std::string_view command = argv[1];
    if (command == "--help" || command == "-h") {
        std::cout << helpText;
        return ExitOk;
    }
    if (command == "--version") {
        std::cout << "quorel-cli " << QUOREL_VERSION << '\n';
        return ExitOk;
    }

    const Args args(argv + 2, argv + argc);
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
    return usageError("unknown command '" + std::string(command) + "'");
}
