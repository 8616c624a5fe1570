#include <filesystem>
#include <fstream>

#include "cli_checks.h"
#include "data/cutout_file.h"
#include "extrema/brightness.h"
#include "extrema/extrema_file.h"
#include "extrema/filter_matrix.h"
#include "extrema/picture_search.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(CliFilter, WritesTheFilteredPictureForNamedMatricesAndFilesOrExitsOne)
{
    TempDir dir;
    const Bitmap picture = PatternPicture(30, 20);
    WriteBmp(dir.File("in.bmp"), picture);
    const std::string in = "filter " + Quote(dir.File("in.bmp")), out = " -o " + Quote(dir.File("f.bmp"));
    TFilterCells bad = OnesFilter(3);
    bad.Texts[4] = "x";
    WriteFilterFile(dir.File("bad.flt"), bad);
    ExpectFailure(in + " --filter gauss:4" + out, 1, "gauss:4");
    ExpectFailure(in + " --filter " + Quote(dir.File("bad.flt")) + out, 1, "bad.flt");
    ExpectFailure(in + " --filter " + Quote(dir.File("missing.flt")) + out, 1, "missing.flt");
    EXPECT_FALSE(std::filesystem::exists(dir.File("f.bmp")));

    EXPECT_EQ(ExpectSuccess(in + out), "");
    EXPECT_EQ(ReadAll(dir.File("f.bmp")),
              SavedBytes(FilteredPicture(FilteredBrightness(picture, GaussFilter(7, ',')))));

    WriteFilterFile(dir.File("box.flt"), NormalizeFilter(OnesFilter(5), ','));
    ExpectSuccess(in + " --filter box:5" + out);
    const std::string box = ReadAll(dir.File("f.bmp"));
    ExpectSuccess(in + " --filter " + Quote(dir.File("box.flt")) + out);
    EXPECT_EQ(ReadAll(dir.File("f.bmp")), box);
    ExpectSuccess(in + " --filter ones:3" + out);
    EXPECT_EQ(ReadAll(dir.File("f.bmp")), SavedBytes(FilteredPicture(FilteredBrightness(picture, OnesFilter(3)))));
}

TEST(CliMaxima, WritesTheExtremaFileOfTheCubeOrPictureSearchOrExitsOne)
{
    TempDir dir;
    const TData cube = RandomCube(5, 12, 14, 8, 0, 6);
    WriteCutout(dir.File("a.dat"), cube);
    const Bitmap picture = PatternPicture(20, 16);
    WriteBmp(dir.File("p.bmp"), picture);
    TFilterCells bad = OnesFilter(3);
    bad.Texts[0] = "";
    WriteFilterFile(dir.File("bad.flt"), bad);
    const std::string out = " -o " + Quote(dir.File("max.txt"));
    const std::string onCube = "maxima --cube " + Quote(dir.File("a.dat")),
                      onPicture = "maxima --picture " + Quote(dir.File("p.bmp"));
    ExpectFailure("maxima" + out, 1, "--cube");
    ExpectFailure(onCube + " --picture " + Quote(dir.File("p.bmp")) + out, 1, "--cube");
    ExpectFailure(onPicture + " --bands 3" + out, 1, "--bands");
    ExpectFailure(onCube + " --no-filter" + out, 1, "--no-filter");
    ExpectFailure(onCube + " --directions 5" + out, 1, "--directions");
    ExpectFailure("maxima --cube " + Quote(dir.File("p.bmp")) + out, 1, "p.bmp");
    ExpectFailure(onPicture + " --filter " + Quote(dir.File("bad.flt")) + out, 1, "bad.flt");
    EXPECT_FALSE(std::filesystem::exists(dir.File("max.txt")));

    MaximaSettings settings;
    settings.Test = ExtremumTest::Neighbourhood;
    settings.EqualityAllowed = true;
    settings.Neighbours = 6;
    settings.Bands = 2;
    const TExtremaList onBands = FindMaxima(cube, settings);
    ASSERT_FALSE(onBands.empty());
    EXPECT_EQ(ExpectSuccess(onCube + " --test neighbourhood --equality allow --neighbours 6 --bands 2" + out),
              "{\"count\":" + std::to_string(onBands.size()) + "}\n");
    EXPECT_EQ(ReadExtremaFile(dir.File("max.txt")), onBands);

    const TExtremaList onPicture1 = FindMaxima(picture, GaussFilter(7, '.'), MaximaSettings{});
    ASSERT_FALSE(onPicture1.empty());
    ExpectSuccess(onPicture + out);
    EXPECT_EQ(ReadExtremaFile(dir.File("max.txt")), onPicture1);
}

TEST(CliMinima, WritesTheExtremaFileOfTheGridSearchOrExitsOne)
{
    TempDir dir;
    const Bitmap picture = PatternPicture(20, 16, 3);
    WriteBmp(dir.File("p.bmp"), picture);
    const std::string search = "minima --picture " + Quote(dir.File("p.bmp")),
                      out = " -o " + Quote(dir.File("min.txt"));
    ExpectFailure(search + " --size 4" + out, 1, "--size");
    ExpectFailure(search + " --neighbours 25" + out, 1, "--neighbours");
    ExpectFailure(search + " -o " + Quote(dir.File("none/min.txt")), 1, "min.txt");
    EXPECT_FALSE(std::filesystem::exists(dir.File("min.txt")));

    const TExtremaList grid = FindMinima(picture, std::nullopt, MinimaSettings{});
    ASSERT_FALSE(grid.empty());
    EXPECT_EQ(ExpectSuccess(search + " --no-filter" + out), "{\"count\":" + std::to_string(grid.size()) + "}\n");
    EXPECT_EQ(ReadExtremaFile(dir.File("min.txt")), grid);

    MinimaSettings settings;
    settings.Size = 3;
    settings.Test = ExtremumTest::Neighbourhood;
    ExpectSuccess(search + " --size 3 --test neighbourhood --filter box:3" + out);
    EXPECT_EQ(ReadExtremaFile(dir.File("min.txt")), FindMinima(picture, NormalizeFilter(OnesFilter(3), '.'), settings));
}
