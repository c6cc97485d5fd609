// quorel-cli set: changes display parameters of a data file and writes them back into it, the
// way the program does when it leaves a file.
#include "cli/cliutil.h"
#include "cli/commands.h"
#include "cli/usage.h"
#include "core/data/datareader.h"
#include "core/data/displayparameters.h"
#include "core/data/lineclassifier.h"
#include "core/diagram/diagramstyle.h"
#include "core/persist/writeback.h"
#include "core/util/system.h"
#include "core/util/text.h"

#include <iostream>

namespace quorel::cli {

int runSet(const Args &args)
{
    std::optional<std::string> file;
    std::vector<std::string> assignments;
    char separator = localeDecimalSeparator();

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (isHelpOption(arg))
            return showCommandHelp("set");
        if (arg == "--decimal-separator") {
            const auto value =
                i + 1 < args.size() ? parseDecimalSeparator(args[++i]) : std::nullopt;
            if (!value)
                return usageError("--decimal-separator needs exactly one character");
            separator = *value;
        } else if (arg.starts_with("-") && !file) {
            return usageError("unknown option '" + arg + "'");
        } else if (!file) {
            file = arg;
        } else if (arg.find('=') == std::string::npos) {
            return usageError("'" + arg + "' is not NAME=VALUE");
        } else {
            assignments.push_back(arg);
        }
    }
    if (!file)
        return usageError("set needs a data file");
    if (assignments.empty())
        return usageError("set needs at least one NAME=VALUE");

    // Each assignment is read as the parameter line ";NAME=VALUE" would be, after the file's
    // own lines; a name that sets nothing is a mistake on the command line.
    LineClassifier classifier(separator);
    std::vector<std::pair<std::string, std::string>> parameters;
    for (const std::string &assignment : assignments) {
        const std::string text = ";" + assignment;
        const ClassifiedLine line = classifier.classify(text);
        if (line.kind != LineKind::Parameter || !findDisplayParameter(line.name))
            return usageError("unknown parameter in '" + assignment + "'");
        parameters.emplace_back(line.name, line.value);
    }

    DiagramStyle style = DiagramStyle::firstRun();
    DataReader reader(separator);
    if (Status read = reader.load(*file, style); !read)
        return failure(read.message());
    for (const auto &[name, value] : parameters)
        applyParameter(style, name, value);

    if (!isQrlPath(*file)) {
        std::cerr << "not a .qrl file: nothing written\n";
        return ExitOk;
    }
    if (Status written = writeDisplayParameters(*file, style, userName()); !written)
        return failure(written.message());
    return ExitOk;
}

} // namespace quorel::cli
