#include "cli/commandline.h"

#include "cli/cliutil.h"

#include <algorithm>
#include <cctype>

namespace quorel::cli {

namespace {

// The options every command has after its own: the help lists them last, in this order.
constexpr Option commonOptions[] = {
    {"", "--decimal-separator", "C", "the decimal separator of the numbers (default: the locale's)",
     [](CommandLine &line, const std::string &value) -> Problem {
         line.separator = parseDecimalSeparator(value);
         if (!line.separator)
             return "--decimal-separator needs exactly one character";
         return std::nullopt;
     },
     "needs exactly one character"},
    {"-h",
     "--help",
     "",
     "show this help and exit",
     [](CommandLine &line, const std::string &) -> Problem {
         line.help = true;
         return std::nullopt;
     },
     {},
     InUsage::Omitted},
};

constexpr std::size_t helpTermWidth = 21;
constexpr std::string_view exitStatusHelp =
    "Exit status: 0 success, 1 failure (message on stderr), 2 usage error.\n";

const Option *findOption(std::span<const Option> options, std::string_view arg)
{
    for (const Option &option : options) {
        if (arg == option.longName || (!option.shortName.empty() && arg == option.shortName))
            return &option;
    }
    return nullptr;
}

// "  TERM                   meaning\n": the meanings start in one column.
void appendHelpLine(std::string &text, std::string_view term, std::string_view meaning)
{
    const std::size_t start = text.size();
    text += "  ";
    text += term;
    text.resize(std::max(text.size(), start + 2 + helpTermWidth), ' ');
    text += "  ";
    text += meaning;
    text += '\n';
}

void appendOptionHelp(std::string &text, const Option &option)
{
    std::string term;
    if (!option.shortName.empty()) {
        term += option.shortName;
        term += ", ";
    }
    term += option.longName;
    if (!option.valueName.empty()) {
        term += ' ';
        term += option.valueName;
    }
    appendHelpLine(text, term, option.help);
}

// " -o OUT" or " [--size N]" as the usage line shows an option.
void appendOptionUsage(std::string &text, const Option &option)
{
    if (option.usage == InUsage::Omitted)
        return;
    const bool optional = option.usage == InUsage::Optional;
    if (!text.empty())
        text += ' ';
    text += optional ? "[" : "";
    text += option.shortName.empty() ? option.longName : option.shortName;
    if (!option.valueName.empty()) {
        text += ' ';
        text += option.usageValue.empty() ? option.valueName : option.usageValue;
    }
    text += optional ? "]" : "";
}

// The arguments as the usage line shows them: operands, then options.
std::string usageArguments(const Command &command)
{
    std::string text(command.operands);
    for (const Option &option : command.options)
        appendOptionUsage(text, option);
    for (const Option &option : commonOptions)
        appendOptionUsage(text, option);
    return text;
}

} // namespace

char CommandLine::decimalSeparator() const
{
    return separator ? *separator : localeDecimalSeparator();
}

const Command *findCommand(std::string_view name)
{
    for (const Command &command : commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

Problem parseCommandLine(const Command &command, const Args &args, CommandLine &line)
{
    for (std::size_t i = 0; i < args.size() && !line.help; ++i) {
        const std::string &arg = args[i];
        const Option *option = findOption(command.options, arg);
        if (!option)
            option = findOption(commonOptions, arg);
        if (!option) {
            if (Problem problem = command.takeOperand(line, arg))
                return problem;
            continue;
        }
        if (option->valueName.empty()) {
            if (Problem problem = option->apply(line, {}))
                return problem;
            continue;
        }
        // A value is the next argument, whatever it looks like.
        if (i + 1 == args.size())
            return arg + " " + std::string(option->missingValue);
        if (Problem problem = option->apply(line, args[++i]))
            return problem;
    }
    return std::nullopt;
}

std::string overviewHelp()
{
    std::string text = "Usage: quorel-cli COMMAND [ARGS...]\n\nCommands:\n";
    for (const Command &command : commands()) {
        text += "  ";
        text += command.name;
        text += ' ';
        text += usageArguments(command);
        text += "\n        ";
        text += command.summary;
        text += '\n';
    }
    text += "\nOptions:\n"
            "  --help       show this help and exit\n"
            "  --version    show the version and exit\n"
            "\n"
            "COMMAND --help shows the command's own help.\n\n";
    text += exitStatusHelp;
    return text;
}

std::string commandHelp(const Command &command)
{
    std::string text = "Usage: quorel-cli ";
    text += command.name;
    text += ' ';
    text += usageArguments(command);
    text += "\n\n";
    // The summary as a sentence of its own.
    text += static_cast<char>(std::toupper(static_cast<unsigned char>(command.summary[0])));
    text += command.summary.substr(1);
    text += ".\n\nOptions:\n";
    if (!command.operandTerm.empty())
        appendHelpLine(text, command.operandTerm, command.operandHelp);
    for (const Option &option : command.options)
        appendOptionHelp(text, option);
    for (const Option &option : commonOptions)
        appendOptionHelp(text, option);
    text += '\n';
    text += exitStatusHelp;
    return text;
}

} // namespace quorel::cli
