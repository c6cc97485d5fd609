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

// The line end the file uses throughout: LF, CR LF or a lone CR; CR LF when it mixes them or has
// none at all.
std::string_view lineEndOf(std::string_view text)
{
    std::string_view seen;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        std::string_view end = "\n";
        if (text[i] == '\r') {
            const bool pair = i + 1 < text.size() && text[i + 1] == '\n';
            end = pair ? "\r\n" : "\r";
            i += pair ? 1 : 0;
        }
        if (!seen.empty() && seen != end)
            return "\r\n";
        seen = end;
    }
    return seen.empty() ? "\r\n" : seen;
}

// ";NAME=" as written.
void appendPrefix(std::string &out, std::size_t row)
{
    out += ';';
    out += rowName(row);
    out += '=';
}

// A failed file operation as the write-back reports it: the shared file routines distinguish
// opening, reading, writing and replacing, the write-back only reading ("Cannot open file")
// and writing ("Cannot create file").
Error asWriteBackError(const Error &error, ErrorKind kind)
{
    switch (error.kind) {
    case ErrorKind::CannotOpen:
    case ErrorKind::CannotRead:
    case ErrorKind::CannotCreate:
    case ErrorKind::CannotWrite:
    case ErrorKind::CannotReplace:
        return fileError(kind, error.path, error.reason);
    default:
        return error;
    }
}

WriteBackResult outcome(WriteBackOutcome kind, std::size_t nulOffset = 0)
{
    WriteBackResult result;
    result.outcome = kind;
    result.nulOffset = nulOffset;
    return result;
}

WriteBackResult failed(const Error &error, ErrorKind kind)
{
    WriteBackResult result = outcome(WriteBackOutcome::Failed);
    result.error = asWriteBackError(error, kind);
    return result;
}

WriteBackResult writeParameterLines(const std::string &path, const DiagramStyle &style,
                                    std::string_view userName, std::optional<TextEncoding> encoding)
{
    if (path.empty() || !fileExists(path))
        return outcome(WriteBackOutcome::NoFile);
    if (!isQrlPath(path))
        return outcome(WriteBackOutcome::NotQrl);
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return failed(bytes.error(), ErrorKind::CannotOpen);
    // A file with a NUL byte is not text (UTF-16, a binary under a data file's name): its
    // "lines" are not lines, and rewriting them would destroy it.
    if (const std::size_t nul = bytes->find('\0'); nul != std::string::npos)
        return outcome(WriteBackOutcome::NotText, nul);
    const TextEncoding fileEncoding = encoding.value_or(detectEncoding(*bytes));
    const std::string rewritten = rewriteParameterLines(*bytes, style, userName, fileEncoding);
    if (rewritten == *bytes)
        return outcome(WriteBackOutcome::Unchanged);
    if (const Status written = writeFileAtomic(path, rewritten); !written)
        return failed(written.error(), ErrorKind::CannotCreate);
    return outcome(WriteBackOutcome::Written);
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
    const std::string_view lineEnd = lineEndOf(text);

    std::vector<bool> found(rowCount(), false);
    std::string out;
    out.reserve(bytes.size() + 512);
    LineCursor cursor(text);
    std::string_view line;
    bool lastLineEnded = true;
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
        out += lineEnd;
        lastLineEnded = line.data() + line.size() != text.data() + text.size();
    }
    bool appended = false;
    for (std::size_t row = 0; row < rowCount(); ++row) {
        if (found[row] || !isAppended(row, style))
            continue;
        appendPrefix(out, row);
        out += rowValue(row, style, userName, encoding, false);
        out += lineEnd;
        appended = true;
    }
    // A last line without a line end keeps it missing while nothing follows it.
    if (!lastLineEnded && !appended)
        out.resize(out.size() - lineEnd.size());
    out += tail;
    return out;
}

WriteBackResult::operator Status() const
{
    if (outcome == WriteBackOutcome::Failed)
        return Error {error};
    return success();
}

WriteBackResult writeDisplayParameters(const std::string &path, const DiagramStyle &style,
                                       std::string_view userName, TextEncoding encoding)
{
    return writeParameterLines(path, style, userName, encoding);
}

WriteBackResult writeDisplayParameters(const std::string &path, const DiagramStyle &style,
                                       std::string_view userName)
{
    return writeParameterLines(path, style, userName, std::nullopt);
}

} // namespace quorel
