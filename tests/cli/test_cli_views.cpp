#include <filesystem>

#include <nlohmann/json.hpp>

#include "cli_checks.h"
#include "data/cutout_file.h"
#include "imaging/band_map.h"
#include "imaging/detail.h"
#include "imaging/true_colour.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(CliBandMap, WritesTheWindowsPictureAndPrintsTheMaximumOrExitsOne)
{
    TempDir dir;
    const TData cube = PatternCube(10, 20, 30);
    WriteCutout(dir.File("a.dat"), cube);
    const std::string cutout = "bandmap " + Quote(dir.File("a.dat")), out = " -o " + Quote(dir.File("map.bmp"));
    ExpectFailure(cutout + " --band 11" + out, 1, "1 až 10");
    EXPECT_FALSE(std::filesystem::exists(dir.File("map.bmp")));

    const BandMapResult map = MakeBandMap(cube, 2);
    EXPECT_EQ(ExpectSuccess(cutout + " --band 2" + out), "{\"maximum\":" + std::to_string(map.Maximum) + "}\n");
    EXPECT_EQ(ReadAll(dir.File("map.bmp")), SavedBytes(map.Picture));
}

TEST(CliSpectrum, PrintsThePixelsValuesOrExitsOneOutsideTheCutout)
{
    TempDir dir;
    const TData cube = PatternCube(65, 3, 4);
    WriteCutout(dir.File("a.dat"), cube);
    const std::string cutout = "spectrum " + Quote(dir.File("a.dat"));
    ExpectFailure(cutout + " --column 5 --row 1", 1, "Sloupec 5");

    std::vector<int> values;  // column 4, row 2, band 1 first
    for (int band = 0; band < 65; ++band) values.push_back(cube.Values[(band * 3 + 1) * 4 + 3]);
    EXPECT_EQ(ExpectSuccess(cutout + " --column 4 --row 2"), (nlohmann::json{{"values", values}}.dump() + "\n"));
}

TEST(CliDetail, WritesTheMagnifiersPictureOrExitsOneForASmallPicture)
{
    TempDir dir;
    const Bitmap source = PatternPicture(100, 100);
    WriteBmp(dir.File("in.bmp"), source);
    WriteBmp(dir.File("low.bmp"), PatternPicture(100, 60));
    const std::string out = " -o " + Quote(dir.File("d.bmp"));
    ExpectFailure("detail " + Quote(dir.File("low.bmp")) + " --at 30,30" + out, 1, "61 x 61");
    EXPECT_FALSE(std::filesystem::exists(dir.File("d.bmp")));

    EXPECT_EQ(ExpectSuccess("detail " + Quote(dir.File("in.bmp")) + " --at 50,60" + out), "");
    Bitmap expected;
    ASSERT_TRUE(ShowDetail(source, expected, 50, 60));
    EXPECT_EQ(ReadAll(dir.File("d.bmp")), SavedBytes(expected));
}

TEST(CliTruecolor, WritesTheCompositeOrStopsWithExitTwoForTooFewBands)
{
    TempDir dir;
    const TData cube = PatternCube(65, 30, 40);
    WriteCutout(dir.File("a.dat"), cube);
    WriteCutout(dir.File("thin.dat"), PatternCube(35, 4, 4));
    const std::string out = " -o " + Quote(dir.File("tc.bmp"));
    ExpectFailure("truecolor " + Quote(dir.File("thin.dat")) + out, 2, "36");
    EXPECT_FALSE(std::filesystem::exists(dir.File("tc.bmp")));
    EXPECT_EQ(ExpectSuccess("truecolor " + Quote(dir.File("a.dat")) + out), "");
    EXPECT_EQ(ReadAll(dir.File("tc.bmp")), SavedBytes(TrueColourComposite(cube)));
}
