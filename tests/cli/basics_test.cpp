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

TEST(CliBasics, EachCommandShowsItsOwnHelp)
{
    for (const char *command : {"stats", "render", "set", "report", "convert", "random"}) {
        for (const char *option : {"--help", "-h"}) {
            // After an option as well: help wins over what is still missing.
            for (const char *before : {"", "--decimal-separator , "}) {
                const auto run =
                    runCli(std::string(command) + " " + before + option, "/dev/stdout");
                EXPECT_EQ(run.status, 0) << command << " " << before << option;
                EXPECT_EQ(run.out.rfind("Usage: quorel-cli " + std::string(command) + " ", 0), 0u)
                    << run.out;
                EXPECT_NE(run.out.find("--decimal-separator C"), std::string::npos) << run.out;
            }
        }
    }
}
