#include "cli_checks.h"
#include "crown_samples.h"
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
        arguments = Expand(dir, "crowns --maxima @max.txt --background @bg.bmp --equalized @bg.bmp -o @trees.dat");
    }
};

}  // namespace

TEST(CliCrowns, WritesTheChainsTreesPicturesAndDump)
{
    CrownInputs in;
    const std::string options = " --filter box:3 --moves 4 --cycles 1 --cycle-moves 2 --threshold 60";
    EXPECT_EQ(ExpectSuccess(in.arguments + options + Expand(in.dir, " --network @net.bmp --overlay @over.bmp --dump @dump/a")),
              "{\"maxima\":2,\"boundary_points\":20,\"trees\":2}\n");
    // The network moved onto the gap at column 23 splits the trees (the window's
    // chain gives the same matrix, see its tests); the overlay shows them.
    const TTreeMatrix trees = ReadTreeMatrix(in.dir.File("trees.dat"));
    EXPECT_EQ(std::make_tuple(trees.At(22, 10), trees.At(23, 10), trees.At(24, 10)), std::make_tuple(1, -1, 2));
    EXPECT_EQ(ReadBmp(in.dir.File("net.bmp")).ScanLine(10)[3 * 23], 255);
    EXPECT_NE(ReadAll(in.dir.File("over.bmp")), SavedBytes(TwoCrowns()));

    const TTreeMatrix labels = ReadTreeMatrix(in.dir.File("dump/a/labels.dat"));
    EXPECT_EQ(std::make_pair(labels.At(19, 10), labels.At(20, 10)), std::make_pair(0, 1));  // the Voronoi border
    const std::string boundary = ReadAll(in.dir.File("dump/a/boundary.txt"));
    EXPECT_EQ(boundary.rfind("19 1 2 -1 0 1 18\r\n19 2 2 1 0 0 2\r\n", 0), 0u) << boundary;
    EXPECT_NE(boundary.find("\r\n19 0 1 0 0 0\r\n"), std::string::npos);
    EXPECT_EQ(ReadAll(in.dir.File("dump/a/moved.txt")).rfind("20\r\n23 1\r\n23 2\r\n", 0), 0u);
    EXPECT_EQ(ReadBmp(in.dir.File("dump/a/network.bmp")).ScanLine(10)[3 * 23], 255);

    // One step leaves the network short of the gap that unlimited moves reach.
    ExpectSuccess(in.arguments + Expand(in.dir, " --moves 1 --dump @dump/one"));
    ExpectSuccess(in.arguments + Expand(in.dir, " --moves unlimited --dump @dump/all"));
    EXPECT_NE(ReadAll(in.dir.File("dump/one/moved.txt")), ReadAll(in.dir.File("dump/all/moved.txt")));
}

