#pragma once

// Runs quorel-cli as a child process and captures what it prints.
#include "../addresslimit.h"

#include <array>
#include <cstddef>
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

// Runs `quorel-cli ARGS` through the shell (so ARGS may quote and redirect) with stdout
// captured; stderr goes to `errFile`. A nonzero `addressLimit` limits the command's address space
// to that many bytes (RLIMIT_AS, set in the child before it starts the command). A run that does
// not exit (an abort, a signal) has status -1.
inline CliRun runCli(const std::string &args, const std::string &errFile = "/dev/null",
                     std::size_t addressLimit = 0)
{
    CliRun run;
    const std::string command = "exec " + std::string(QUOREL_CLI) + " " + args + " 2>" + errFile;
    int out[2];
    if (pipe(out) != 0)
        return run;
    const pid_t child = fork();
    if (child == 0) {
        if (addressLimit != 0) {
            const rlimit limit {addressLimit, addressLimit};
            setrlimit(RLIMIT_AS, &limit);
        }
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
