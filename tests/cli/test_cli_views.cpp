#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "data/cutout_file.h"
#include "imaging/bmp_file.h"
#include "imaging/detail.h"
#include "imaging/band_map.h"
#include "imaging/pixel_spectrum.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// A cut-out of `bands` bands, 70 rows and 80 columns with varied values,
// some of them negative.
TData SampleCube(int bands = 65, int rows = 70, int columns = 80)
{
    TData cube;
    cube.NBands = bands;
    cube.NRows = rows;
    cube.NColumns = columns;
    for (int b = 0; b < bands; ++b)
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                cube.Values.push_back(static_cast<int16_t>((b * 131 + r * 17 + c * 29) % 4000 - 20));
    return cube;
}

// The bytes the desktop program saves for this picture.
std::string SavedBytes(const TempDir& dir, const Bitmap& picture)
{
    WriteBmp(dir.File("window.bmp"), picture);
    return ReadAll(dir.File("window.bmp"));
}

}  // namespace

TEST(CliBandMap, WritesTheWindowsPictureAndPrintsTheMaximum)
{
    TempDir dir;
    const TData cube = SampleCube();
    WriteCutout(dir.File("a.dat"), cube);
    for (int band : {1, 19, 65}) {
        const CliResult r = RunCli("bandmap " + Quote(dir.File("a.dat")) + " --band " + std::to_string(band) + " -o " +
                                   Quote(dir.File("map.bmp")));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const BandMapResult map = MakeBandMap(cube, band);
        EXPECT_EQ(r.out, "{\"maximum\":" + std::to_string(map.Maximum) + "}\n");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(ReadAll(dir.File("map.bmp")), SavedBytes(dir, map.Picture)) << band;
    }
}

TEST(CliBandMap, ScalesAsTheWindowDoes)
{
    TempDir dir;
    TData cube;
    cube.NBands = 2;
    cube.NRows = 1;
    cube.NColumns = 4;
    cube.Values = {1, 3, 510, -4, 0, -1, 0, -9};
    WriteCutout(dir.File("a.dat"), cube);
    CliResult r = RunCli("bandmap " + Quote(dir.File("a.dat")) + " --band 1 -o " + Quote(dir.File("m.bmp")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"maximum\":510}\n");
    const Bitmap map = ReadBmp(dir.File("m.bmp"));
    EXPECT_EQ(map.ScanLine(0)[0], 0);
    EXPECT_EQ(map.ScanLine(0)[3], 2);
    EXPECT_EQ(map.ScanLine(0)[6], 255);
    EXPECT_EQ(map.ScanLine(0)[9], 0);
    r = RunCli("bandmap " + Quote(dir.File("a.dat")) + " --band 2 -o " + Quote(dir.File("m.bmp")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"maximum\":0}\n");
}

TEST(CliBandMap, BadBandOrFilesExitOneWithoutOutput)
{
    TempDir dir;
    WriteCutout(dir.File("a.dat"), SampleCube(10));
    WriteWords(dir.File("short.dat"), {1, 2, 3, 10});
    const std::string out = Quote(dir.File("m.bmp"));
    for (const char* band : {"0", "11", "-3", "66"}) {
        const CliResult r = RunCli("bandmap " + Quote(dir.File("a.dat")) + " --band " + band + " -o " + out);
        EXPECT_EQ(r.exitCode, 1) << band;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(std::string("Band ") + band), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("1 až 10"), std::string::npos) << r.err;
    }
    for (const std::string& args :
         {"bandmap " + Quote(dir.File("short.dat")) + " --band 1 -o " + out,
          "bandmap " + Quote(dir.File("missing.dat")) + " --band 1 -o " + out,
          "bandmap " + Quote(dir.File("a.dat")) + " --band x -o " + out, "bandmap " + Quote(dir.File("a.dat")) + " -o " + out,
          "bandmap " + Quote(dir.File("a.dat")) + " --band 1"}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err, "") << args;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("m.bmp")));
    const CliResult r = RunCli("bandmap " + Quote(dir.File("a.dat")) + " --band 1 -o " + Quote(dir.File("no/dir/m.bmp")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("m.bmp"), std::string::npos) << r.err;
}

TEST(CliSpectrum, PrintsTheValuesTheWindowLists)
{
    TempDir dir;
    const TData cube = SampleCube();
    WriteCutout(dir.File("a.dat"), cube);
    const CliResult r = RunCli("spectrum " + Quote(dir.File("a.dat")) + " --column 80 --row 2");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::string expected = "{\"values\":[";
    for (const std::string& line : SpectrumLines(cube, 80, 2)) {
        if (expected.back() != '[') expected += ',';
        expected += line.substr(line.find("  ") + 2);  // the value as the list shows it
    }
    expected += "]}\n";
    EXPECT_EQ(r.out, expected);
    // Band 1 of column 80, row 2: (17 + 79 * 29) % 4000 - 20.
    EXPECT_EQ(r.out.substr(0, 16), "{\"values\":[2288,");
}

TEST(CliSpectrum, PositionOutsideTheCutoutExitsOne)
{
    TempDir dir;
    WriteCutout(dir.File("a.dat"), SampleCube(65, 70, 80));
    for (const char* position : {"--column 0 --row 1", "--column 81 --row 1", "--column 1 --row 71",
                                        "--column 1 --row 0", "--column 1", "--row 1", "--column a --row 1"}) {
        const CliResult r = RunCli("spectrum " + Quote(dir.File("a.dat")) + " " + position);
        EXPECT_EQ(r.exitCode, 1) << position;
        EXPECT_EQ(r.out, "") << position;
        EXPECT_NE(r.err, "") << position;
    }
    const CliResult r = RunCli("spectrum " + Quote(dir.File("a.dat")) + " --column 81 --row 1");
    EXPECT_NE(r.err.find("Sloupec 81"), std::string::npos) << r.err;
    EXPECT_EQ(RunCli("spectrum " + Quote(dir.File("missing.dat")) + " --column 1 --row 1").exitCode, 1);
}

TEST(CliDetail, WritesTheMagnifiersPicture)
{
    TempDir dir;
    const Bitmap source = PatternPicture(400, 400);
    WriteBmp(dir.File("in.bmp"), source);
    const auto run = [&](const std::string& at) {
        return RunCli("detail " + Quote(dir.File("in.bmp")) + " --at " + at + " -o " + Quote(dir.File("d.bmp")));
    };
    CliResult r = run("100,200");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    Bitmap expected;
    ASSERT_TRUE(ShowDetail(source, expected, 100, 200));
    EXPECT_EQ(ReadAll(dir.File("d.bmp")), SavedBytes(dir, expected));
    EXPECT_EQ(ReadBmp(dir.File("d.bmp")).Width(), 241);

    // (0, 0) and (30, 30) give the same detail; (399, 399) is centred on (369, 369).
    ASSERT_EQ(run("0,0").exitCode, 0);
    const std::string corner = ReadAll(dir.File("d.bmp"));
    ASSERT_EQ(run("30,30").exitCode, 0);
    EXPECT_EQ(ReadAll(dir.File("d.bmp")), corner);
    ASSERT_EQ(run("399,399").exitCode, 0);
    const Bitmap far = ReadBmp(dir.File("d.bmp"));
    ASSERT_TRUE(ShowDetail(source, expected, 369, 369));
    EXPECT_EQ(far, expected);
}

TEST(CliDetail, SmallPictureAndBadInputExitOne)
{
    TempDir dir;
    WriteBmp(dir.File("narrow.bmp"), PatternPicture(60, 100));
    WriteBmp(dir.File("low.bmp"), PatternPicture(100, 60));
    WriteBmp(dir.File("ok.bmp"), PatternPicture(61, 61));
    std::ofstream(dir.File("text.bmp")) << "not a picture";
    const std::string out = " -o " + Quote(dir.File("d.bmp"));
    for (const char* name : {"narrow.bmp", "low.bmp"}) {
        const CliResult r = RunCli(std::string("detail ") + Quote(dir.File(name)) + " --at 30,30" + out);
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_NE(r.err.find("61 x 61"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(name), std::string::npos) << r.err;
    }
    for (const std::string& args :
         {"detail " + Quote(dir.File("text.bmp")) + " --at 30,30" + out, "detail " + Quote(dir.File("missing.bmp")) + " --at 30,30" + out,
          "detail " + Quote(dir.File("ok.bmp")) + " --at 30" + out, "detail " + Quote(dir.File("ok.bmp")) + " --at 30,x" + out,
          "detail " + Quote(dir.File("ok.bmp")) + " --at 30,30,30" + out, "detail " + Quote(dir.File("ok.bmp")) + out,
          "detail " + Quote(dir.File("ok.bmp")) + " --at 30,30"}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err, "") << args;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("d.bmp")));
    EXPECT_EQ(RunCli("detail " + Quote(dir.File("ok.bmp")) + " --at 30,30" + out).exitCode, 0);
}

TEST(CliViews, EveryCommandHasHelp)
{
    for (const char* command : {"bandmap", "spectrum", "detail"}) {
        const CliResult r = RunCli(std::string(command) + " --help");
        EXPECT_EQ(r.exitCode, 0) << command;
        EXPECT_NE(r.out.find(command), std::string::npos) << command;
    }
    const CliResult all = RunCli("--help");
    for (const char* command : {"bandmap", "spectrum", "detail"}) EXPECT_NE(all.out.find(command), std::string::npos);
}
