// quorel-cli set: changes display parameters of a data file and writes them back into it, the
// way the program does when it leaves a file.
#include "cli/cliutil.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "core/data/datareader.h"
#include "core/data/displayparameters.h"
#include "core/data/lineclassifier.h"
#include "core/diagram/diagramstyle.h"
#include "core/persist/writeback.h"
#include "core/util/system.h"
#include "core/util/text.h"

#include <iostream>

namespace quorel::cli {

int runSet(const CommandLine &line)
{
    if (line.operands.empty())
        return usageError("set needs a data file");
    if (line.operands.size() == 1)
        return usageError("set needs at least one NAME=VALUE");
    const std::string &file = line.operands.front();
    const char separator = line.decimalSeparator();

    // Each assignment is read as the parameter line ";NAME=VALUE" would be, after the file's
    // own lines; a name that sets nothing is a mistake on the command line.
    LineClassifier classifier(separator);
    std::vector<std::pair<std::string, std::string>> parameters;
    for (std::size_t i = 1; i < line.operands.size(); ++i) {
        const std::string &assignment = line.operands[i];
        // The classified line points into the text, which must outlive it.
        const std::string text = ";" + assignment;
        const ClassifiedLine parameter = classifier.classify(text);
        if (parameter.kind != LineKind::Parameter || !findDisplayParameter(parameter.name))
            return usageError("unknown parameter in '" + assignment + "'");
        parameters.emplace_back(parameter.name, parameter.value);
    }

    DiagramStyle style = DiagramStyle::firstRun();
    DataReader reader(separator);
    if (Status read = reader.load(file, style); !read)
        return failure(read.message());
    for (const auto &[name, value] : parameters)
        applyParameter(style, name, value);

    const WriteBackResult written = writeDisplayParameters(file, style, userName());
    switch (written.outcome) {
    case WriteBackOutcome::Written:
        break;
    case WriteBackOutcome::Unchanged:
        std::cerr << "quorel-cli: no change to " << file << ": nothing written\n";
        break;
    case WriteBackOutcome::NotQrl:
        std::cerr << "quorel-cli: not a .qrl file: nothing written\n";
        break;
    case WriteBackOutcome::NoFile:
        // Gone since it was read a moment ago.
        return failure("\"" + file + "\" is no longer there; nothing written");
    case WriteBackOutcome::NotText:
        return failure(file + " is not a text file (NUL byte at offset "
                       + std::to_string(written.nulOffset) + "); nothing written");
    case WriteBackOutcome::Failed:
        return failure(written.message());
    }
    return ExitOk;
}

} // namespace quorel::cli
