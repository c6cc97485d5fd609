#include "core/persist/writeback.h"

#include "core/data/displayparameters.h"
#include "core/data/lineclassifier.h"
#include "core/util/files.h"
#include "core/util/numbers.h"
#include "core/util/system.h"
#include "core/util/text.h"

#include <array>
#include <optional>

namespace quorel {

namespace {

// The 20 rows of the parameter table, in the order missing lines are appended.
enum Row {
    DescText,
    DescX,
    DescY,
    DescFontName,
    DescFontSize,
    DescFontColor,
    DescFontBold,
    DescFontItalic,
    DescFontUnderline,
    MLinesColor,
    SLinesColor,
    MLinesStyle,
    SLinesStyle,
    FillColor,
    FillStyle,
    DiagWidth,
    FontColor,
    BgColor,
    Author,
    Version,
    RowCount
};

struct RowNames
{
    std::string_view key; // as recognised: upper case with its "="
    std::string_view prefix; // as written
};

constexpr std::array<RowNames, RowCount> rows = {{
    {"DESCTEXT=", ";DescText="},
    {"DESCX=", ";DescX="},
    {"DESCY=", ";DescY="},
    {"DESCFONTNAME=", ";DescFontName="},
    {"DESCFONTSIZE=", ";DescFontSize="},
    {"DESCFONTCOLOR=", ";DescFontColor="},
    {"DESCFONTBOLD=", ";DescFontBold="},
    {"DESCFONTITALIC=", ";DescFontItalic="},
    {"DESCFONTUNDERLINE=", ";DescFontUnderline="},
    {"MLINESCOLOR=", ";MLinesColor="},
    {"SLINESCOLOR=", ";SLinesColor="},
    {"MLINESSTYLE=", ";MLinesStyle="},
    {"SLINESSTYLE=", ";SLinesStyle="},
    {"FILLCOLOR=", ";FillColor="},
    {"FILLSTYLE=", ";FillStyle="},
    {"DIAGWIDTH=", ";DiagWidth="},
    {"FONTCOLOR=", ";FontColor="},
    {"BGCOLOR=", ";BgColor="},
    {"AUTHOR=", ";Author="},
    {"VERSION=", ";VERSION="},
}};

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
std::string rowValue(Row row, const DiagramStyle &style, std::string_view userName,
                     TextEncoding encoding, bool existing)
{
    static_assert(std::size_t(Author) == styleParameterNames.size(),
                  "the style's rows come first, in the order of styleParameterNames");
    if (row == Author)
        return oneLine(userName, encoding);
    if (row >= Author)
        return "2.0";
    // A rewritten line gets a readable size; an appended one the text as it stands.
    if (row == DescFontSize && existing && !isInteger(style.descFontSize))
        return "10";
    return oneLine(parameterText(style, styleParameterNames[static_cast<std::size_t>(row)]),
                   encoding);
}

// The row whose key the line starts with (after ";" and blanks), or RowCount.
Row matchRow(std::string_view line)
{
    std::string_view trimmed = trimControl(line);
    if (trimmed.empty() || trimmed.front() != ';')
        return RowCount;
    const std::string probe = upperAscii(trimControl(trimmed.substr(1)));
    for (int row = 0; row < RowCount; ++row) {
        if (std::string_view(probe).starts_with(rows[row].key))
            return static_cast<Row>(row);
    }
    return RowCount;
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

    std::array<bool, RowCount> found {};
    std::string out;
    out.reserve(bytes.size() + 512);
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.next(line)) {
        const Row row = matchRow(line);
        if (row == RowCount || row == Author) {
            out += line;
        } else {
            out += rows[row].prefix;
            out += rowValue(row, style, userName, encoding, true);
        }
        if (row != RowCount)
            found[row] = true;
        out += "\r\n";
    }
    for (int row = 0; row < RowCount; ++row) {
        if (found[row])
            continue;
        out += rows[row].prefix;
        out += rowValue(static_cast<Row>(row), style, userName, encoding, false);
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
