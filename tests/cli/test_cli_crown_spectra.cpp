#include <gtest/gtest.h>

#include <filesystem>

#include "cli_checks.h"
#include "crowns/crown_spectra.h"
#include "data/cutout_file.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(CliCrownSpectra, WritesTheCoreSpectraAndRefusesAMatrixOfAnotherSize)
{
    TempDir dir;
    const TData cube = RandomCube(65, 6, 5, 4);
    WriteCutout(dir.File("c.dat"), cube);
    TTreeMatrix trees(5, 6);
    for (std::size_t p = 0; p < trees.Values.size(); ++p) trees.Values[p] = int32_t(p % 3);
    WriteTreeMatrix(dir.File("t.dat"), trees);
    EXPECT_EQ(ExpectSuccess("crown-spectra " + Quote(dir.File("c.dat")) + " " + Quote(dir.File("t.dat")) + " -o " +
                            Quote(dir.File("s.csv"))),
              "{\"crowns\":2}\n");
    WriteCrownSpectra(dir.File("expected.csv"), CrownSpectra(cube, trees), 65);
    EXPECT_EQ(ReadAll(dir.File("s.csv")), ReadAll(dir.File("expected.csv")));

    WriteTreeMatrix(dir.File("wide.dat"), TTreeMatrix(6, 5));
    ExpectFailure("crown-spectra " + Quote(dir.File("c.dat")) + " " + Quote(dir.File("wide.dat")) + " -o " +
                      Quote(dir.File("w.csv")),
                  2, "6 x 5, výřez 5 x 6");
    EXPECT_FALSE(std::filesystem::exists(dir.File("w.csv")));
}
