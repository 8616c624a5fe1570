#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "enhance/equalization.h"
#include "imaging/bmp_file.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(CliEqualize, WritesTheEqualizedPictureAndPrintsNothing)
{
    TempDir dir;
    const Bitmap picture = PatternPicture(60, 50);
    WriteBmp(dir.File("in.bmp"), picture);
    const CliResult r = RunCli("equalize " + Quote(dir.File("in.bmp")) + " -o " + Quote(dir.File("out.bmp")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadBmp(dir.File("out.bmp")), Equalize(picture, 45));

    const CliResult small = RunCli("equalize --window 7 " + Quote(dir.File("in.bmp")) + " -o " + Quote(dir.File("w7.bmp")));
    ASSERT_EQ(small.exitCode, 0) << small.err;
    EXPECT_EQ(ReadBmp(dir.File("w7.bmp")), Equalize(picture, 7));
}

TEST(CliEqualize, RefusedPictureExitsTwoAndBadWindowOrInputOne)
{
    TempDir dir;
    WriteBmp(dir.File("in.bmp"), PatternPicture(45, 80));
    const std::string output = " -o " + Quote(dir.File("out.bmp"));
    const CliResult small = RunCli("equalize " + Quote(dir.File("in.bmp")) + output);
    EXPECT_EQ(small.exitCode, 2);
    EXPECT_EQ(small.out, "");
    EXPECT_NE(small.err.find("46x46"), std::string::npos) << small.err;
    for (const char* window : {"4", "100"})
        EXPECT_EQ(RunCli("equalize --window " + std::string(window) + " " + Quote(dir.File("in.bmp")) + output).exitCode, 1);
    const CliResult missing = RunCli("equalize " + Quote(dir.File("missing.bmp")) + output);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("missing.bmp"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.bmp")));
}
