#include <filesystem>

#include "cli_checks.h"
#include "enhance/equalization.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(CliEqualize, WritesTheEqualizedPictureOrExitsTwoForARefusedPictureAndOneForBadInput)
{
    TempDir dir;
    const Bitmap picture = PatternPicture(60, 50);
    WriteBmp(dir.File("in.bmp"), picture);
    WriteBmp(dir.File("narrow.bmp"), PatternPicture(45, 80));
    std::string out = " -o ";
    out += Quote(dir.File("out.bmp"));
    ExpectFailure("equalize " + Quote(dir.File("narrow.bmp")) + out, 2, "46x46");  // the default window, 45
    ExpectFailure("equalize " + Quote(dir.File("missing.bmp")) + out, 1, "missing.bmp");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.bmp")));

    EXPECT_EQ(ExpectSuccess("equalize --window 7 " + Quote(dir.File("in.bmp")) + out), "");
    EXPECT_EQ(ReadBmp(dir.File("out.bmp")), Equalize(picture, 7));
}
