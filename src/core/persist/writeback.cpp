#include "core/persist/writeback.h"

#include "core/data/displayparameters.h"
#include "core/data/lineclassifier.h"
#include "core/util/files.h"
#include "core/util/system.h"
#include "core/util/text.h"

#include <optional>
#include <vector>

namespace quorel {

namespace {

// The lines the write-back writes: one per display parameter, in the order missing lines are
// appended, then the author's name and the format's version, which set nothing when read.
constexpr std::string_view authorName = "Author";
constexpr std::string_view versionName = "VERSION";
constexpr std::string_view versionText = "2.0";

std::size_t rowCount()
{
    return displayParameters().size() + 2;
}

std::size_t authorRow()
{
    return displayParameters().size();
}

std::string_view rowName(std::size_t row)
{
    if (row < displayParameters().size())
        return displayParameters()[row].name;
    return row == authorRow() ? authorName : versionName;
}

// A value goes on one line: a line break would split it into a second line that the reader
// takes for a measurement or parameter, and a NUL would hide the rest of the file from it.
std::string oneLine(std::string_view utf8, TextEncoding encoding)
{
    std::string text = encodeText(utf8, encoding);
    for (char &c : text) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    return text;
}

// The value written for a row; `existing` tells whether an existing line is being rewritten.
std::string rowValue(std::size_t row, const DiagramStyle &style, std::string_view userName,
                     TextEncoding encoding, bool existing)
{
    if (row == authorRow())
        return oneLine(userName, encoding);
    if (row > authorRow())
        return std::string(versionText);
    const DisplayParameter &parameter = displayParameters()[row];
    const auto text =
        existing && parameter.rewrittenText ? parameter.rewrittenText : parameter.text;
    return oneLine(text(style), encoding);
}

// True when the row is appended to a file that does not have its line.
bool isAppended(std::size_t row, const DiagramStyle &style)
{
    return row >= authorRow() || isWritten(displayParameters()[row], style);
}

// The row whose name and "=" the line starts with (after ";" and blanks, without case), or
// rowCount().
std::size_t matchRow(std::string_view line)
{
    std::string_view trimmed = trimControl(line);
    if (trimmed.empty() || trimmed.front() != ';')
        return rowCount();
    const std::string_view probe = trimControl(trimmed.substr(1));
    for (std::size_t row = 0; row < rowCount(); ++row) {
        const std::string_view name = rowName(row);
        if (probe.size() > name.size() && probe[name.size()] == '='
            && equalsIgnoreCaseAscii(probe.substr(0, name.size()), name))
            return row;
    }
    return rowCount();
}

// ";NAME=" as written.
void appendPrefix(std::string &out, std::size_t row)
{
    out += ';';
    out += rowName(row);
    out += '=';
}

// The message of a failed file operation with the prefix the program reports: the shared
// file routines distinguish opening, reading, writing and replacing, the write-back only
// reading ("Cannot open file") and writing ("Cannot create file").
Error withPrefix(const Error &error, std::string_view prefix)
{
    const std::size_t quote = error.message.find('"');
    if (quote == std::string::npos)
        return error;
    return Error {std::string(prefix) + " " + error.message.substr(quote)};
}

Status saveDesc(const std::string &path, const DiagramStyle &style, std::string_view userName,
                std::optional<TextEncoding> encoding)
{
    if (path.empty() || !isQrlPath(path) || !fileExists(path))
        return success();
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return withPrefix(bytes.error(), "Cannot open file");
    const TextEncoding fileEncoding = encoding.value_or(detectEncoding(textBeforeNul(*bytes)));
    const Status written =
        writeFileAtomic(path, rewriteParameterLines(*bytes, style, userName, fileEncoding));
    if (!written)
        return withPrefix(written.error(), "Cannot create file");
    return success();
}

} // namespace

bool isQrlPath(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && equalsIgnoreCaseAscii(name.substr(dot), ".qrl");
}

std::string rewriteParameterLines(std::string_view bytes, const DiagramStyle &style,
                                  std::string_view userName, TextEncoding encoding)
{
    const std::string_view text = textBeforeNul(bytes);
    const std::string_view tail = bytes.substr(text.size());

    std::vector<bool> found(rowCount(), false);
    std::string out;
    out.reserve(bytes.size() + 512);
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.next(line)) {
        const std::size_t row = matchRow(line);
        if (row == rowCount() || row == authorRow()) {
            out += line;
        } else {
            appendPrefix(out, row);
            out += rowValue(row, style, userName, encoding, true);
        }
        if (row != rowCount())
            found[row] = true;
        out += "\r\n";
    }
    for (std::size_t row = 0; row < rowCount(); ++row) {
        if (found[row] || !isAppended(row, style))
            continue;
        appendPrefix(out, row);
        out += rowValue(row, style, userName, encoding, false);
        out += "\r\n";
    }
    out += tail;
    return out;
}

Status writeDisplayParameters(const std::string &path, const DiagramStyle &style,
                              std::string_view userName, TextEncoding encoding)
{
    return saveDesc(path, style, userName, encoding);
}

Status writeDisplayParameters(const std::string &path, const DiagramStyle &style,
                              std::string_view userName)
{
    return saveDesc(path, style, userName, std::nullopt);
}

} // namespace quorel
