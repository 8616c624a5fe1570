#include "cli_checks.h"

using namespace lumera::testing;

TEST(CliInfo, PrintsDimensionsAsOneJsonLineOrExitsOneForABadFile)
{
    TempDir dir;
    WriteWords(dir.File("a.dat"), {1, 2, 3, 10, 20, 30, 40, 50, 60});
    EXPECT_EQ(ExpectSuccess("info " + Quote(dir.File("a.dat"))), "{\"bands\":1,\"rows\":2,\"columns\":3}\n");
    WriteWords(dir.File("short.dat"), {1, 2, 3, 10});
    ExpectFailure("info " + Quote(dir.File("short.dat")), 1, "short.dat");
}

TEST(Cli, UsageErrorsExitOneAndEveryCommandHasHelp)
{
    ExpectFailure("frobnicate");
    const std::string help = ExpectSuccess("--help");
    for (const std::string command : {"info", "bandmap", "spectrum", "truecolor", "detail", "ndvi", "needle", "mask",
                                      "equalize", "refdata", "evaluate"}) {
        EXPECT_NE(help.find(command), std::string::npos) << command;
        EXPECT_NE(ExpectSuccess(command + " --help").find(command), std::string::npos) << command;
    }
}
