#include "cli/usage.h"

#include "cli/cliutil.h"

#include <cctype>
#include <iostream>

namespace quorel::cli {

namespace {

// One command's help; the overview and the command's own usage are both made from it, so they
// cannot drift apart.
struct CommandHelp
{
    std::string_view name;
    std::string_view arguments;
    std::string_view summary;
    std::string_view options; // one "  OPTION  meaning" line each
};

constexpr std::string_view separatorOption =
    "  --decimal-separator C  the decimal separator of the numbers (default: the locale's)\n";

constexpr CommandHelp commands[] = {
    {"stats", "FILE [--json] [--measurements] [--axial] [--decimal-separator C]",
     "read FILE and print its measurements, sector counts, error report and circular statistics",
     "  --json                 print one JSON object instead of text\n"
     "  --measurements         list every measurement as well\n"
     "  --axial                circular statistics of orientations (axes: 10 and 190 are one)\n"},
    {"render",
     "FILE -o OUT [--size N] [--axial] [--band] [--mean-direction] [--equal-area] "
     "[--ring-labels] [--decimal-separator C]",
     "draw the rose diagram of FILE; OUT's extension (.wmf .emf .svg .png .pdf) picks the format",
     "  -o, --output OUT       the picture to write\n"
     "  --size N               the side of the diagram in pixels (default: the file's)\n"
     "  --axial                the rose of orientations: each petal also counts the opposite one\n"
     "  --band                 shade the counts per petal that random directions stay within\n"
     "  --mean-direction       draw the mean direction and its 95% confidence arc\n"
     "  --equal-area           petal areas, not radii, in proportion to the counts\n"
     "  --ring-labels          label the main circles with the counts they stand for\n"},
    {"set", "FILE NAME=VALUE... [--decimal-separator C]",
     "change display parameters and write them back into a .qrl FILE",
     "  NAME=VALUE             a display parameter as in the file's line ;NAME=VALUE\n"},
    {"report", "FILE -o OUT.html [--decimal-separator C]",
     "write the HTML report (OUT.html with OUT.wmf and OUT.svg beside it)",
     "  -o, --output OUT.html  the report to write\n"},
    {"convert", "--from deg|grad|rad --to deg|grad|rad [--places N] [--decimal-separator C]",
     "convert the angles in standard input and write the result to standard output",
     "  --from UNIT            the unit of the input: deg, grad or rad\n"
     "  --to UNIT              the unit of the output: deg, grad or rad\n"
     "  --places N             round to N decimal places, 0 to 20 (default: 2)\n"},
    {"random", "N [-o FILE] [--seed S] [--decimal-separator C]",
     "write N random azimuths, one per line",
     "  -o, --output FILE      the file to write (default: standard output)\n"
     "  --seed S               the same S gives the same azimuths (default: the clock)\n"},
};

} // namespace

std::string overviewHelp()
{
    std::string text = "Usage: quorel-cli COMMAND [ARGS...]\n\nCommands:\n";
    for (const CommandHelp &command : commands) {
        text += "  ";
        text += command.name;
        text += ' ';
        text += command.arguments;
        text += "\n        ";
        text += command.summary;
        text += '\n';
    }
    text += "\nOptions:\n"
            "  --help       show this help and exit\n"
            "  --version    show the version and exit\n"
            "\n"
            "COMMAND --help shows the command's own help.\n"
            "\n"
            "Exit status: 0 success, 1 failure (message on stderr), 2 usage error.\n";
    return text;
}

bool isHelpOption(std::string_view arg)
{
    return arg == "--help" || arg == "-h";
}

int showCommandHelp(std::string_view name)
{
    for (const CommandHelp &command : commands) {
        if (command.name != name)
            continue;
        std::string text = "Usage: quorel-cli ";
        text += command.name;
        text += ' ';
        text += command.arguments;
        text += "\n\n";
        // The summary as a sentence of its own.
        text += static_cast<char>(std::toupper(static_cast<unsigned char>(command.summary[0])));
        text += command.summary.substr(1);
        text += ".\n\nOptions:\n";
        text += command.options;
        text += separatorOption;
        text += "  -h, --help             show this help and exit\n";
        text += "\nExit status: 0 success, 1 failure (message on stderr), 2 usage error.\n";
        std::cout << text;
        break;
    }
    return ExitOk;
}

} // namespace quorel::cli
