// quorel-cli convert: the converter window's rules over standard input, line by line, so a file
// of any length streams through without being held in memory.
#include "core/tools/converter.h"

#include "cli/cliutil.h"
#include "cli/commandline.h"
#include "cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace quorel::cli {

namespace {

// Converts one input line (without its LF) and appends it with "\n". A CR inside the line
// ends a line as well (old Mac line ends), a CR right before the LF belongs to the line end.
void convertLine(std::string_view line, const AngleConverter &converter, std::string &out)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    while (true) {
        const auto cr = line.find('\r');
        converter.convertLine(line.substr(0, cr), out);
        out += '\n';
        if (cr == std::string_view::npos)
            break;
        line.remove_prefix(cr + 1);
    }
}

// Calls convert(line) for each LF-ended line of standard input, then for the bytes after the
// last LF as a line of their own, and flush() after each block the input gives: one write per
// block instead of one per line, while a line typed at a terminal still comes back as soon as
// it is entered. Stops when flush() fails; false when the input cannot be read.
template<class Convert, class Flush>
bool forEachInputLine(Convert &&convert, Flush &&flush)
{
    std::string pending;
    std::vector<char> block(std::size_t(1) << 16);
    while (true) {
        const ssize_t n = ::read(STDIN_FILENO, block.data(), block.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        pending.append(block.data(), static_cast<std::size_t>(n));
        std::string_view lines(pending);
        std::size_t used = 0;
        for (auto lf = lines.find('\n'); lf != std::string_view::npos;
             lf = lines.find('\n', used)) {
            convert(lines.substr(used, lf - used));
            used = lf + 1;
        }
        pending.erase(0, used);
        if (!flush())
            return true;
    }
    if (!pending.empty())
        convert(std::string_view(pending));
    flush();
    return true;
}

} // namespace

int runConvert(const CommandLine &line)
{
    if (!line.from || !line.to)
        return usageError("convert needs --from and --to");

    // The same unit on both sides only rounds every number to the places asked for.
    const AngleConverter converter(directionBetween(*line.from, *line.to), line.places,
                                   line.decimalSeparator());
    std::string out;
    bool written = true;
    const bool read =
        forEachInputLine([&](std::string_view input) { convertLine(input, converter, out); },
                         [&] {
                             written = written
                                 && std::fwrite(out.data(), 1, out.size(), stdout) == out.size()
                                 && std::fflush(stdout) == 0;
                             out.clear();
                             return written;
                         });
    if (!written)
        return failure("cannot write the output");
    if (!read)
        return failure("cannot read the input");
    return ExitOk;
}

} // namespace quorel::cli
