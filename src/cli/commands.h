#pragma once

#include <string>
#include <vector>

namespace quorel::cli {

// Each command takes its own arguments (without the command name) and returns the exit status:
// 0 success, 1 failure with a one-line message on stderr, 2 usage error.
using Args = std::vector<std::string>;

int runStats(const Args &args);
int runRender(const Args &args);
int runSet(const Args &args);
int runReport(const Args &args);
int runConvert(const Args &args);
int runRandom(const Args &args);

} // namespace quorel::cli
