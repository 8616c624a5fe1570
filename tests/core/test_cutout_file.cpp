#include <gtest/gtest.h>

#include <tuple>

#include "data/cutout_file.h"
#include "data/file_error.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

std::string RefusalOf(const std::string& path)
{
    try {
        ReadCutout(path);
    } catch (const FileError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(CutoutFile, ValuesLandBandByRowByColumnSignedAndTrailingBytesIgnored)
{
    TempDir dir;
    WriteWords(dir.File("a.dat"), {2, 2, 3, 10, 20, 30, 40, 50, 60, 0xFFFF, 0x8000, 7, 0x7FFF, 1, 2, 99, 98});
    const TData cube = ReadCutout(dir.File("a.dat"));
    EXPECT_EQ(std::tie(cube.NBands, cube.NRows, cube.NColumns), std::make_tuple(2, 2, 3));
    EXPECT_EQ(cube.Values, (std::vector<int16_t>{10, 20, 30, 40, 50, 60, -1, -32768, 7, 32767, 1, 2}));
    EXPECT_EQ(cube.At(0, 1, 0), 40);
    EXPECT_EQ(cube.At(1, 0, 1), -32768);
    // Written back, the file is the same less the bytes after the values.
    WriteCutout(dir.File("b.dat"), cube);
    EXPECT_EQ(ReadAll(dir.File("b.dat")), ReadAll(dir.File("a.dat")).substr(0, 30));
}

TEST(CutoutFile, BadHeadersShortFilesAndMissingFilesRefusedNamingTheFile)
{
    TempDir dir;
    const std::vector<std::vector<int>> files = {
        {1, 2},  // header cut short
        {0, 2, 3}, {1, 0, 3}, {1, 2, 0}, {-1, 2, 3}, {1, 0x8000, 3}, {1, 2, -5}, {66, 1, 1},
        {1, 2, 3, 10, 20, 30, 40, 50},  // 16 bytes where the header promises 18
        {65, 32767, 32767, 1, 2, 3},    // a huge header in a small file, refused before allocating
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string name = "bad" + std::to_string(i) + ".dat";
        WriteWords(dir.File(name), files[i]);
        EXPECT_NE(RefusalOf(dir.File(name)).find(name), std::string::npos) << name;
    }
    EXPECT_NE(RefusalOf(dir.File("none.dat")).find("none.dat"), std::string::npos);
    const std::string shortFile = RefusalOf(dir.File("bad8.dat")), huge = RefusalOf(dir.File("bad9.dat"));
    const std::string lengths = shortFile.substr(shortFile.find("bad8.dat"));  // after the folder's random name
    EXPECT_TRUE(lengths.find("16") != std::string::npos && lengths.find("18") != std::string::npos) << shortFile;
    EXPECT_NE(huge.find("139577917576"), std::string::npos) << huge;
}
