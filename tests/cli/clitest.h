#pragma once

// Runs quorel-cli as a child process and captures what it prints.
#include "../addresslimit.h"

#include <array>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// As runCli, with the command's address space limited to `bytes` (RLIMIT_AS, set in the child
// before it starts the command). A run that aborts has status -1.
inline CliRun runCliWithin(std::size_t bytes, const std::string &args,
                           const std::string &errFile = "/dev/null")
{
    CliRun run;
    const std::string command = "exec " + std::string(QUOREL_CLI) + " " + args + " 2>" + errFile;
    int out[2];
    if (pipe(out) != 0)
        return run;
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit {bytes, bytes};
        setrlimit(RLIMIT_AS, &limit);
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::array<char, 4096> buffer {};
    ssize_t n = 0;
    while ((n = read(out[0], buffer.data(), buffer.size())) > 0)
        run.out.append(buffer.data(), static_cast<std::size_t>(n));
    close(out[0]);
    int raw = 0;
    if (child > 0 && waitpid(child, &raw, 0) == child)
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

} // namespace quorel::test
