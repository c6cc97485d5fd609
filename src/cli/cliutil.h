#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorel::cli {

// The program's exit statuses; the commands return them as plain ints.
enum ExitStatus : int { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// Prints "quorel-cli: MESSAGE" and the pointer to --help on stderr; returns ExitUsage.
int usageError(std::string_view message);

// Prints "quorel-cli: MESSAGE" on stderr; returns ExitFailure.
int failure(std::string_view message);

// Tells on stderr, in one line, how many lines of a data file were not valid measurements and
// the first of them; nothing when there were none. Said once the output is complete, so a
// command that fails still says one line.
void warnInvalidLines(std::size_t count, std::size_t firstLine);

// The decimal separator of the user's locale (LC_NUMERIC), "," when the locale gives none.
char localeDecimalSeparator();

// Parses the value of --decimal-separator: exactly one character.
std::optional<char> parseDecimalSeparator(std::string_view value);

// Escapes a text as a JSON string literal (quotes included); bytes that are not valid UTF-8
// are first read as Windows-1250 so the output is always valid JSON.
std::string jsonString(std::string_view text);

// Appends jsonString(text) to `out` without a temporary for plain ASCII texts, which keeps
// the output of ten million measurements fast.
void appendJsonString(std::string &out, std::string_view text);

} // namespace quorel::cli
