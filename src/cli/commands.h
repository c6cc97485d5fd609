#pragma once

namespace quorel::cli {

struct CommandLine;

// Each command runs on what its arguments asked for (commandtable.cpp parses them) and returns
// the exit status: 0 success, 1 failure with a one-line message on stderr, 2 usage error.
int runStats(const CommandLine &line);
int runRender(const CommandLine &line);
int runSet(const CommandLine &line);
int runReport(const CommandLine &line);
int runConvert(const CommandLine &line);
int runRandom(const CommandLine &line);
int runStereonet(const CommandLine &line);

} // namespace quorel::cli
