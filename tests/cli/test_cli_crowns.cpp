#include <filesystem>

#include "cli_checks.h"
#include "crown_samples.h"
#include "crowns/crown_chain.h"
#include "extrema/extrema_file.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

struct CrownInputs {
    TempDir dir;
    std::string arguments;

    CrownInputs()
    {
        WriteExtremaFile(dir.File("max.txt"), {{8, 10}, {30, 10}});
        WriteBmp(dir.File("bg.bmp"), TwoCrowns());
        arguments = "crowns --maxima " + Quote(dir.File("max.txt")) + " --background " + Quote(dir.File("bg.bmp")) +
                    " --equalized " + Quote(dir.File("bg.bmp")) + " -o " + Quote(dir.File("trees.dat"));
    }
};

}  // namespace

TEST(CliCrowns, WritesTheChainsTreesPicturesAndDump)
{
    CrownInputs in;
    const std::string options = " --filter box:3 --moves 4 --cycles 1 --cycle-moves 2 --threshold 60";
    EXPECT_EQ(ExpectSuccess(in.arguments + options + " --network " + Quote(in.dir.File("net.bmp")) + " --overlay " +
                            Quote(in.dir.File("over.bmp")) + " --dump " + Quote(in.dir.File("dump/a"))),
              "{\"maxima\":2,\"boundary_points\":20,\"trees\":2}\n");

    TCrownChainSettings settings;
    settings.Filter = NormalizeFilter(OnesFilter(3), '.');
    settings.MoveSteps = 4;
    settings.Cycles = 1;
    settings.CycleMoveSteps = 2;
    settings.Threshold = 60;
    const TCrownChainResult r = RunCrownChain({{8, 10}, {30, 10}}, TwoCrowns(), TwoCrowns(), settings);
    EXPECT_EQ(ReadTreeMatrix(in.dir.File("trees.dat")).Values, r.State.TreeMatrix->Values);
    EXPECT_EQ(ReadAll(in.dir.File("net.bmp")), SavedBytes(r.Network));
    EXPECT_EQ(ReadAll(in.dir.File("over.bmp")), SavedBytes(r.Overlay));

    EXPECT_EQ(ReadTreeMatrix(in.dir.File("dump/a/labels.dat")).Values, r.State.VoroMatrix.Values);
    const std::string boundary = ReadAll(in.dir.File("dump/a/boundary.txt"));
    EXPECT_EQ(boundary.rfind("19 1 2 -1 0 1 18\r\n19 2 2 1 0 0 2\r\n", 0), 0u) << boundary;
    EXPECT_NE(boundary.find("\r\n19 0 1 0 0 0\r\n"), std::string::npos);
    EXPECT_EQ(ReadAll(in.dir.File("dump/a/moved.txt")).rfind("20\r\n23 1\r\n23 2\r\n", 0), 0u);
    EXPECT_EQ(ReadAll(in.dir.File("dump/a/network.bmp")), SavedBytes(r.FirstConnection));
}

