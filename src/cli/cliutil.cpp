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

void appendJsonString(std::string &out, std::string_view text)
{
    bool plain = true;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x80 || c == '"' || c == '\\') {
            plain = false;
            break;
        }
    }
    if (plain) {
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
