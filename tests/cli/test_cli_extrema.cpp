#include <filesystem>
#include <fstream>

#include "cli_checks.h"
#include "extrema/brightness.h"
#include "extrema/filter_matrix.h"
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
    EXPECT_EQ(ReadAll(dir.File("f.bmp")), SavedBytes(FilteredPicture(FilteredBrightness(picture, GaussFilter(7, ',')))));

    WriteFilterFile(dir.File("box.flt"), NormalizeFilter(OnesFilter(5), ','));
    ExpectSuccess(in + " --filter box:5" + out);
    const std::string box = ReadAll(dir.File("f.bmp"));
    ExpectSuccess(in + " --filter " + Quote(dir.File("box.flt")) + out);
    EXPECT_EQ(ReadAll(dir.File("f.bmp")), box);
    ExpectSuccess(in + " --filter ones:3" + out);
    EXPECT_EQ(ReadAll(dir.File("f.bmp")), SavedBytes(FilteredPicture(FilteredBrightness(picture, OnesFilter(3)))));
}
