#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "data/cutout_file.h"
#include "imaging/bmp_file.h"
#include "imaging/true_colour.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(CliTruecolor, WritesTheCompositeAndPrintsNothing)
{
    TempDir dir;
    const TData cube = PatternCube(65, 30, 40);
    WriteCutout(dir.File("a.dat"), cube);
    const CliResult r = RunCli("truecolor " + Quote(dir.File("a.dat")) + " -o " + Quote(dir.File("tc.bmp")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadBmp(dir.File("tc.bmp")), TrueColourComposite(cube));
}

TEST(CliTruecolor, TooFewBandsStopsWithExitTwoAndBadFileWithOne)
{
    TempDir dir;
    WriteCutout(dir.File("thin.dat"), PatternCube(35, 4, 4));
    const CliResult thin = RunCli("truecolor " + Quote(dir.File("thin.dat")) + " -o " + Quote(dir.File("tc.bmp")));
    EXPECT_EQ(thin.exitCode, 2);
    EXPECT_NE(thin.err.find("36"), std::string::npos) << thin.err;
    const CliResult missing = RunCli("truecolor " + Quote(dir.File("missing.dat")) + " -o " + Quote(dir.File("tc.bmp")));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("missing.dat"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("tc.bmp")));
}
