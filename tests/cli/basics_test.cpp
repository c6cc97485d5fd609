#include "clitest.h"

#include <gtest/gtest.h>

using quorel::test::runCli;

TEST(CliBasics, VersionAndHelp)
{
    const auto version = runCli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("quorel-cli ", 0), 0u);

    const auto help = runCli("--help");
    EXPECT_EQ(help.status, 0);
    for (const char *command : {"stats", "render", "set", "report", "convert", "random"})
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
}

TEST(CliBasics, UsageErrorsExitWithTwo)
{
    EXPECT_EQ(runCli("").status, 2);
    EXPECT_EQ(runCli("no-such-command").status, 2);
}
