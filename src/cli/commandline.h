#pragma once

#include "core/diagram/diagramstyle.h"
#include "core/stereonet/orientation.h"
#include "core/tools/converter.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorel::cli {

// The arguments after the command's name.
using Args = std::vector<std::string>;

// What the arguments of one command asked for. Each command's options fill in their own fields;
// the command reads those and its operands.
struct CommandLine
{
    std::vector<std::string> operands; // the data file, the count or NAME=VALUE, in order
    std::optional<std::string> output;
    std::optional<std::string> size;
    std::optional<char> separator;
    std::optional<AngleUnit> from;
    std::optional<AngleUnit> to;
    int places = defaultPlaces;
    std::optional<std::uint64_t> seed;
    bool json = false;
    bool measurements = false;
    bool axial = false;
    bool band = false;
    bool meanDirection = false;
    bool equalArea = false;
    bool ringLabels = false;
    bool circular = false; // report: the circular statistics section
    bool spherical = false; // stats: the spherical statistics of the dips
    std::optional<AzimuthMeaning> azimuth; // overrides the file's ";Azimuth=" line
    NetKind net = NetKind::Schmidt;
    bool greatCircles = false;
    bool noPoints = false;
    bool contours = false;
    bool mean = false;
    bool girdle = false;
    bool gridLines = false;
    std::optional<int> densityGrid; // stereonet --json: the density at N x N nodes
    bool help = false;

    // The separator asked for, else the locale's.
    [[nodiscard]] char decimalSeparator() const;
};

// The message of a usage error, or nothing when an argument was taken.
using Problem = std::optional<std::string>;

// How the usage line ("Usage: quorel-cli COMMAND ...") shows an option.
enum class InUsage { Optional, Required, Omitted };

// One option of a command: how it is parsed and how the help shows it.
struct Option
{
    std::string_view shortName; // "-o", or empty
    std::string_view longName; // "--output"
    std::string_view valueName; // "OUT" as the help shows it; empty for an option without one
    std::string_view help;
    // Sets the option's field; `value` is empty for an option without one.
    Problem (*apply)(CommandLine &line, const std::string &value);
    // What a missing value lacks, after the option as typed: "needs a file name".
    std::string_view missingValue = {};
    InUsage usage = InUsage::Optional;
    // The value as the usage line shows it, when it differs from valueName ("deg|grad|rad").
    std::string_view usageValue = {};
};

// One command: its arguments, its help and what runs it.
struct Command
{
    std::string_view name;
    std::string_view operands; // as the usage line shows them: "FILE", "N", ...
    std::string_view summary; // a sentence without its capital and full stop
    std::span<const Option> options;
    // Takes an argument that is none of the options: an operand, or a usage error.
    Problem (*takeOperand)(CommandLine &line, const std::string &arg);
    // Runs the command on what the arguments asked for; returns the exit status.
    int (*run)(const CommandLine &line);
    // The help's line for the operands, when they need one: {"NAME=VALUE", "meaning"}.
    std::string_view operandTerm = {};
    std::string_view operandHelp = {};
};

// Every command, in the order the overview lists them.
[[nodiscard]] std::span<const Command> commands();
[[nodiscard]] const Command *findCommand(std::string_view name);

// Reads the arguments left to right, as the command's options and operands; the first usage
// error stops it. "--help" or "-h" stops it too, with `line.help` set.
[[nodiscard]] Problem parseCommandLine(const Command &command, const Args &args, CommandLine &line);

// The overview that `quorel-cli --help` prints: every command with its arguments.
[[nodiscard]] std::string overviewHelp();

// What `quorel-cli COMMAND --help` prints: usage, summary and options.
[[nodiscard]] std::string commandHelp(const Command &command);

} // namespace quorel::cli
