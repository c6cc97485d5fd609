#pragma once

// Runs quorel-cli as a child process and captures what it prints.
#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace quorel::test {

struct CliRun
{
    int status = -1;
    std::string out;
};

inline std::string shellQuote(const std::string &arg)
{
    std::string quoted = "'";
    for (char c : arg) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// Runs `quorel-cli ARGS` with stdout captured; stderr goes to `errFile` when given.
inline CliRun runCli(const std::string &args, const std::string &errFile = "/dev/null")
{
    CliRun run;
    const std::string command = std::string(QUOREL_CLI) + " " + args + " 2>" + errFile;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer {};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

} // namespace quorel::test
