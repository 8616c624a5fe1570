#include <gtest/gtest.h>

#include "cli_runner.h"

using namespace lumera::testing;

TEST(CliInfo, PrintsDimensionsAsOneJsonLine)
{
    TempDir dir;
    WriteWords(dir.File("a.dat"), {1, 2, 3, 10, 20, 30, 40, 50, 60});
    const CliResult r = RunCli("info " + Quote(dir.File("a.dat")));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "{\"bands\":1,\"rows\":2,\"columns\":3}\n");
    EXPECT_EQ(r.err, "");
}

TEST(CliInfo, BadFileExitsOneWithMessageAndNoOutput)
{
    TempDir dir;
    WriteWords(dir.File("short.dat"), {1, 2, 3, 10});
    for (const char* name : {"short.dat", "missing.dat"}) {
        const CliResult r = RunCli("info " + Quote(dir.File(name)));
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_NE(r.err.find(name), std::string::npos) << r.err;
    }
}

TEST(CliInfo, UsageErrorsExitOneAndHelpExitsZero)
{
    EXPECT_EQ(RunCli("").exitCode, 1);
    EXPECT_EQ(RunCli("info").exitCode, 1);
    EXPECT_EQ(RunCli("frobnicate").exitCode, 1);
    const CliResult help = RunCli("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("info"), std::string::npos);
    const CliResult commandHelp = RunCli("info --help");
    EXPECT_EQ(commandHelp.exitCode, 0);
    EXPECT_NE(commandHelp.out.find("CUTOUT"), std::string::npos);
}
