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

    // The defaults: gauss:7, unlimited moves, no cycle, threshold 70.
    ExpectSuccess(in.arguments);
    settings = TCrownChainSettings{};
    settings.Filter = GaussFilter(7, '.');
    EXPECT_EQ(ReadTreeMatrix(in.dir.File("trees.dat")).Values,
              RunCrownChain({{8, 10}, {30, 10}}, TwoCrowns(), TwoCrowns(), settings).State.TreeMatrix->Values);
}

TEST(CliCrowns, BadInputExitsOneWithoutOutput)
{
    CrownInputs in;
    std::ofstream(in.dir.File("bad.flt")) << "3\r\n1\r\n1\r\nx\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n";
    ExpectFailure(in.arguments + " --filter " + Quote(in.dir.File("bad.flt")), 1, "bad.flt");
    ExpectFailure("crowns --maxima " + Quote(in.dir.File("none.txt")) + in.arguments.substr(in.arguments.find(" --background")),
                  1, "none.txt");
    for (const char* option : {" --moves 0", " --moves ten", " --cycle-moves 10", " --threshold 256", " --cycles -1", " --filter gauss:4"})
        ExpectFailure(in.arguments + option, 1);
    EXPECT_FALSE(std::filesystem::exists(in.dir.File("trees.dat")));
    // A dump folder that cannot be made once failed the command after the tree matrix was written.
    std::ofstream(in.dir.File("dump")) << "a file";
    ExpectFailure(in.arguments + " --dump " + Quote(in.dir.File("dump")), 1, "dump");
    EXPECT_FALSE(std::filesystem::exists(in.dir.File("trees.dat")));
}
