// Every command of quorel-cli with its operands and options: the parser, the usage lines and
// the help are all made from this table, so they cannot drift apart.
#include "cli/commandline.h"
#include "cli/commands.h"
#include "core/util/numbers.h"

#include <charconv>
#include <cstdint>

namespace quorel::cli {

namespace {

// The largest density grid: 4 million nodes.
constexpr int maxDensityGrid = 2000;

bool looksLikeOption(const std::string &arg)
{
    return arg.size() > 1 && arg.front() == '-';
}

// Operands.

Problem statsOperand(CommandLine &line, const std::string &arg)
{
    if (looksLikeOption(arg))
        return "stats: unknown option '" + arg + "'";
    if (!line.operands.empty())
        return "stats takes one data file";
    line.operands.push_back(arg);
    return std::nullopt;
}

// One data file (render, report).
Problem fileOperand(CommandLine &line, const std::string &arg)
{
    if (looksLikeOption(arg))
        return "unknown option '" + arg + "'";
    if (!line.operands.empty())
        return "unexpected argument '" + arg + "'";
    line.operands.push_back(arg);
    return std::nullopt;
}

// The data file, then NAME=VALUE assignments (which may start with "-").
Problem setOperand(CommandLine &line, const std::string &arg)
{
    if (line.operands.empty()) {
        if (arg.starts_with("-"))
            return "unknown option '" + arg + "'";
    } else if (arg.find('=') == std::string::npos) {
        return "'" + arg + "' is not NAME=VALUE";
    }
    line.operands.push_back(arg);
    return std::nullopt;
}

Problem noOperand(CommandLine &, const std::string &arg)
{
    return "unexpected argument '" + arg + "'";
}

// The count; anything, "-5" included, is taken for it and judged when the command runs.
Problem countOperand(CommandLine &line, const std::string &arg)
{
    if (!line.operands.empty())
        return "unexpected argument '" + arg + "'";
    line.operands.push_back(arg);
    return std::nullopt;
}

// Options' effects.

Problem setOutput(CommandLine &line, const std::string &value)
{
    line.output = value;
    return std::nullopt;
}

Problem setAxial(CommandLine &line, const std::string &)
{
    line.axial = true;
    return std::nullopt;
}

Problem setUnit(std::optional<AngleUnit> &unit, const std::string &value)
{
    unit = angleUnitFromName(value);
    if (!unit)
        return "unknown unit '" + value + "' (use deg, grad or rad)";
    return std::nullopt;
}

Problem setAzimuth(CommandLine &line, const std::string &value)
{
    if (value == "dip-direction")
        line.azimuth = AzimuthMeaning::DipDirection;
    else if (value == "strike")
        line.azimuth = AzimuthMeaning::Strike;
    else if (value == "trend")
        line.azimuth = AzimuthMeaning::Trend;
    else
        return "unknown azimuth '" + value + "' (use dip-direction, strike or trend)";
    return std::nullopt;
}

constexpr Option azimuthOption {"",
                                "--azimuth",
                                "MEANING",
                                "what the azimuths are: dip directions, strikes (right-hand "
                                "rule) or trends of lines (default: the file's ;Azimuth= line)",
                                setAzimuth,
                                "needs dip-direction, strike or trend",
                                InUsage::Optional,
                                "dip-direction|strike|trend"};

constexpr Option statsOptions[] = {
    {"", "--json", "", "print one JSON object instead of text",
     [](CommandLine &line, const std::string &) -> Problem {
         line.json = true;
         return std::nullopt;
     }},
    {"", "--measurements", "", "list every measurement as well",
     [](CommandLine &line, const std::string &) -> Problem {
         line.measurements = true;
         return std::nullopt;
     }},
    {"", "--axial", "", "circular statistics of orientations (axes: 10 and 190 are one)", setAxial},
    {"", "--spherical", "", "add the spherical statistics of the measurements' dips",
     [](CommandLine &line, const std::string &) -> Problem {
         line.spherical = true;
         return std::nullopt;
     }},
    azimuthOption,
};

constexpr Option renderOptions[] = {
    {"-o", "--output", "OUT", "the picture to write", setOutput, "needs a file name",
     InUsage::Required},
    {"", "--size", "N", "the side of the diagram in pixels (default: the file's)",
     [](CommandLine &line, const std::string &value) -> Problem {
         line.size = value;
         return std::nullopt;
     },
     "needs a value"},
    {"", "--axial", "", "the rose of orientations: each petal also counts the opposite one",
     setAxial},
    {"", "--band", "", "shade the counts per petal that random directions stay within",
     [](CommandLine &line, const std::string &) -> Problem {
         line.band = true;
         return std::nullopt;
     }},
    {"", "--mean-direction", "", "draw the mean direction and its 95% confidence arc",
     [](CommandLine &line, const std::string &) -> Problem {
         line.meanDirection = true;
         return std::nullopt;
     }},
    {"", "--equal-area", "", "petal areas, not radii, in proportion to the counts",
     [](CommandLine &line, const std::string &) -> Problem {
         line.equalArea = true;
         return std::nullopt;
     }},
    {"", "--ring-labels", "", "label the main circles with the counts they stand for",
     [](CommandLine &line, const std::string &) -> Problem {
         line.ringLabels = true;
         return std::nullopt;
     }},
};

constexpr Option stereonetOptions[] = {
    {"-o", "--output", "OUT", "the picture to write", setOutput, "needs a file name"},
    {"", "--json", "", "print the plotted points as one JSON object instead",
     [](CommandLine &line, const std::string &) -> Problem {
         line.json = true;
         return std::nullopt;
     }},
    azimuthOption,
    {"", "--net", "NET", "the equal-area (Schmidt, the default) or equal-angle (Wulff) net",
     [](CommandLine &line, const std::string &value) -> Problem {
         if (value == "schmidt")
             line.net = NetKind::Schmidt;
         else if (value == "wulff")
             line.net = NetKind::Wulff;
         else
             return "unknown net '" + value + "' (use schmidt or wulff)";
         return std::nullopt;
     },
     "needs schmidt or wulff", InUsage::Optional, "schmidt|wulff"},
    {"", "--great-circles", "", "draw planes as great circles instead of poles",
     [](CommandLine &line, const std::string &) -> Problem {
         line.greatCircles = true;
         return std::nullopt;
     }},
    {"", "--no-points", "", "leave the poles (or lines, or great circles) out",
     [](CommandLine &line, const std::string &) -> Problem {
         line.noPoints = true;
         return std::nullopt;
     }},
    {"", "--contours", "", "shade the density (exponential Kamb) in bands of 2 sigma",
     [](CommandLine &line, const std::string &) -> Problem {
         line.contours = true;
         return std::nullopt;
     }},
    {"", "--mean", "", "draw the mean and its 95% cone of confidence",
     [](CommandLine &line, const std::string &) -> Problem {
         line.mean = true;
         return std::nullopt;
     }},
    {"", "--girdle", "", "draw the best-fit girdle and its beta axis",
     [](CommandLine &line, const std::string &) -> Problem {
         line.girdle = true;
         return std::nullopt;
     }},
    {"", "--grid-lines", "", "draw the 10 degree net",
     [](CommandLine &line, const std::string &) -> Problem {
         line.gridLines = true;
         return std::nullopt;
     }},
    {"", "--size", "S", "the side of the picture in pixels (default: the file's)",
     [](CommandLine &line, const std::string &value) -> Problem {
         line.size = value;
         return std::nullopt;
     },
     "needs a value"},
    {"", "--density-grid", "N",
     "with --json: the density at N x N nodes over the net, N from 2 to 2000",
     [](CommandLine &line, const std::string &value) -> Problem {
         const auto nodes = toInteger(value);
         if (!nodes || *nodes < 2 || *nodes > maxDensityGrid)
             return "--density-grid must be a whole number from 2 to 2000";
         line.densityGrid = *nodes;
         return std::nullopt;
     },
     "needs a number"},
};

constexpr Option reportOptions[] = {
    {"-o", "--output", "OUT.html", "the report to write", setOutput, "needs a file name",
     InUsage::Required},
    {"", "--circular", "", "add the circular statistics after the statistics table",
     [](CommandLine &line, const std::string &) -> Problem {
         line.circular = true;
         return std::nullopt;
     }},
};

constexpr Option convertOptions[] = {
    {"", "--from", "UNIT", "the unit of the input: deg, grad or rad",
     [](CommandLine &line, const std::string &value) { return setUnit(line.from, value); },
     "needs a unit: deg, grad or rad", InUsage::Required, "deg|grad|rad"},
    {"", "--to", "UNIT", "the unit of the output: deg, grad or rad",
     [](CommandLine &line, const std::string &value) { return setUnit(line.to, value); },
     "needs a unit: deg, grad or rad", InUsage::Required, "deg|grad|rad"},
    {"", "--places", "N", "round to N decimal places, 0 to 20 (default: 2)",
     [](CommandLine &line, const std::string &value) -> Problem {
         const auto places = toInteger(value);
         if (!places || *places < minPlaces || *places > maxPlaces)
             return "--places must be a whole number from 0 to 20";
         line.places = *places;
         return std::nullopt;
     },
     "needs a number"},
};

constexpr Option randomOptions[] = {
    {"-o", "--output", "FILE", "the file to write (default: standard output)", setOutput,
     "needs a file name"},
    {"", "--seed", "S", "the same S gives the same azimuths (default: the clock)",
     [](CommandLine &line, const std::string &value) -> Problem {
         std::uint64_t seed = 0;
         const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seed);
         if (error != std::errc() || end != value.data() + value.size() || value.empty())
             return "--seed must be a whole number from 0 to 18446744073709551615";
         line.seed = seed;
         return std::nullopt;
     },
     "needs a number"},
};

constexpr Command commandTable[] = {
    {"stats", "FILE",
     "read FILE and print its measurements, sector counts, error report and circular statistics",
     statsOptions, statsOperand, runStats},
    {"render", "FILE",
     "draw the rose diagram of FILE; OUT's extension (.wmf .emf .svg .png .pdf) picks the format",
     renderOptions, fileOperand, runRender},
    {"set",
     "FILE NAME=VALUE...",
     "change display parameters and write them back into a .qrl FILE",
     {},
     setOperand,
     runSet,
     "NAME=VALUE",
     "a display parameter as in the file's line ;NAME=VALUE"},
    {"report", "FILE", "write the HTML report (OUT.html with OUT.wmf and OUT.svg beside it)",
     reportOptions, fileOperand, runReport},
    {"convert", "", "convert the angles in standard input and write the result to standard output",
     convertOptions, noOperand, runConvert},
    {"random", "N", "write N random azimuths, one per line", randomOptions, countOperand,
     runRandom},
    {"stereonet", "FILE",
     "draw the lower-hemisphere stereonet of FILE's dips (-o OUT, the format by its extension "
     "as for render), or list its points as JSON (--json)",
     stereonetOptions, fileOperand, runStereonet},
};

} // namespace

std::span<const Command> commands()
{
    return commandTable;
}

} // namespace quorel::cli
