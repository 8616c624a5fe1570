#include <gtest/gtest.h>

#include "cli_runner.h"
#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"

using namespace lumera;
using namespace lumera::testing;

TEST(CliSynth, MakesAReadyProgramDirectoryTheSameForTheSameSeed)
{
    TempDir dir;
    const std::string a = dir.File("a"), b = dir.File("b"), c = dir.File("c");
    const CliResult r = RunCli("synth -o " + Quote(a) + " --seed 4 --size 90,70 --trees 12");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"columns\":90,\"rows\":70,\"trees\":", 0), 0u) << r.out;
    ASSERT_EQ(RunCli("synth -o " + Quote(b) + " --seed 4 --size 90,70 --trees 12").exitCode, 0);
    ASSERT_EQ(RunCli("synth -o " + Quote(c) + " --seed 5 --size 90,70 --trees 12").exitCode, 0);

    for (const char* file : {"data/vyrezy/stand.dat", "data/vystup/truth.dat", "data/refsp/AllRefSp.dat",
                             "data/refsp/RefSpE34.txt"})
        EXPECT_EQ(ReadAll(a + "/" + file), ReadAll(b + "/" + file)) << file;
    EXPECT_NE(ReadAll(a + "/data/vyrezy/stand.dat"), ReadAll(c + "/data/vyrezy/stand.dat"));
    EXPECT_EQ(ReadAll(a + "/data/refsp/AllRefSp.dat"), ReadAll(std::string(LUMERA_SOURCE_DIR) + "/workspace/data/refsp/AllRefSp.dat"));

    const TData cube = ReadCutout(a + "/data/vyrezy/stand.dat");
    const TTreeMatrix truth = ReadTreeMatrix(a + "/data/vystup/truth.dat");
    EXPECT_EQ(cube.NBands, 65);
    EXPECT_EQ(truth.Width, cube.NColumns);
    EXPECT_EQ(truth.Height, cube.NRows);
}
