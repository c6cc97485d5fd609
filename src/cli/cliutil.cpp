#include "cli/cliutil.h"

#include "core/util/text.h"

#include <clocale>
#include <cstdio>
#include <iostream>

namespace quorel::cli {

int usageError(std::string_view message)
{
    std::cerr << "quorel-cli: " << message << "\nTry 'quorel-cli --help'.\n";
    return ExitUsage;
}

int failure(std::string_view message)
{
    std::cerr << "quorel-cli: " << message << '\n';
    return ExitFailure;
}

void warnInvalidLines(std::size_t count, std::size_t firstLine)
{
    if (count == 1)
        std::cerr << "quorel-cli: 1 line is not a valid measurement (line " << firstLine << ")\n";
    else if (count > 1)
        std::cerr << "quorel-cli: " << count << " lines are not valid measurements (first: line "
                  << firstLine << ")\n";
}

char localeDecimalSeparator()
{
    std::setlocale(LC_NUMERIC, "");
    const std::lconv *conv = std::localeconv();
    char separator = (conv && conv->decimal_point && conv->decimal_point[0] != '\0')
        ? conv->decimal_point[0]
        : ',';
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

std::optional<char> parseDecimalSeparator(std::string_view value)
{
    if (value.size() != 1)
        return std::nullopt;
    return value.front();
}

std::string jsonString(std::string_view text)
{
    std::string out;
    appendJsonString(out, text);
    return out;
}

namespace {

// True when no byte needs escaping or re-encoding: no control byte, no byte of 0x80 or above,
// no quote and no backslash. Counts the bytes that fail over the whole text rather than
// stopping at the first, so the compiler can vectorise the loop.
bool isPlainJsonText(std::string_view text)
{
    std::size_t special = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        special += (byte < 0x20) | (byte >= 0x80) | (byte == '"') | (byte == '\\');
    }
    return special == 0;
}

} // namespace

void appendJsonString(std::string &out, std::string_view text)
{
    if (isPlainJsonText(text)) {
        out += '"';
        out += text;
        out += '"';
        return;
    }

    const std::string utf8 = displayText(text);
    out += '"';
    for (char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
                out += buffer;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

} // namespace quorel::cli
