#pragma once

#include <string>
#include <string_view>

namespace quorel::cli {

// The overview that `quorel-cli --help` prints: every command with its arguments.
std::string overviewHelp();

// True for "--help" and "-h", where a command expects an option or an argument.
bool isHelpOption(std::string_view arg);

// Prints the command's own usage, arguments and options on stdout; returns ExitOk.
int showCommandHelp(std::string_view name);

} // namespace quorel::cli
