#include <gtest/gtest.h>

#include "data/cutout_file.h"
#include "data/file_error.h"
#include "temp_dir.h"

using namespace lumera;
using lumera::testing::TempDir;
using lumera::testing::WriteWords;

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

TEST(CutoutFile, SmallFileLandsBandByRowByColumn)
{
    TempDir dir;
    WriteWords(dir.File("a.dat"), {1, 2, 3, 10, 20, 30, 40, 50, 60});
    const TData cube = ReadCutout(dir.File("a.dat"));
    EXPECT_EQ(cube.NBands, 1);
    EXPECT_EQ(cube.NRows, 2);
    EXPECT_EQ(cube.NColumns, 3);
    EXPECT_EQ(cube.At(0, 0, 0), 10);
    EXPECT_EQ(cube.At(0, 0, 2), 30);
    EXPECT_EQ(cube.At(0, 1, 0), 40);
    EXPECT_EQ(cube.At(0, 1, 2), 60);
}

TEST(CutoutFile, ValuesAreSignedAndTrailingBytesIgnored)
{
    TempDir dir;
    WriteWords(dir.File("a.dat"), {2, 1, 2, 0xFFFF, 0x8000, 7, 0x7FFF, 99, 98, 97});
    const TData cube = ReadCutout(dir.File("a.dat"));
    EXPECT_EQ(cube.At(0, 0, 0), -1);
    EXPECT_EQ(cube.At(0, 0, 1), -32768);
    EXPECT_EQ(cube.At(1, 0, 0), 7);
    EXPECT_EQ(cube.At(1, 0, 1), 32767);
    EXPECT_EQ(cube.Values.size(), 4u);
}

TEST(CutoutFile, RoundTripThroughWriter)
{
    TempDir dir;
    TData cube;
    cube.NBands = 3;
    cube.NRows = 4;
    cube.NColumns = 5;
    for (int i = 0; i < 60; ++i) cube.Values.push_back(static_cast<int16_t>(i * 997 - 20000));
    WriteCutout(dir.File("b.dat"), cube);
    const TData back = ReadCutout(dir.File("b.dat"));
    EXPECT_EQ(back.NBands, 3);
    EXPECT_EQ(back.NRows, 4);
    EXPECT_EQ(back.NColumns, 5);
    EXPECT_EQ(back.Values, cube.Values);
}

TEST(CutoutFile, ShortFileRefusedWithBothLengths)
{
    TempDir dir;
    WriteWords(dir.File("short.dat"), {1, 2, 3, 10, 20, 30, 40, 50});
    const std::string message = RefusalOf(dir.File("short.dat"));
    EXPECT_NE(message.find("short.dat"), std::string::npos) << message;
    EXPECT_NE(message.find("16"), std::string::npos) << message;
    EXPECT_NE(message.find("18"), std::string::npos) << message;
}

TEST(CutoutFile, BadHeadersRefused)
{
    TempDir dir;
    const std::vector<std::vector<int>> headers = {
        {0, 2, 3}, {1, 0, 3}, {1, 2, 0}, {-1, 2, 3}, {1, 0x8000, 3}, {1, 2, -5}, {66, 1, 1}};
    for (const auto& header : headers) {
        WriteWords(dir.File("bad.dat"), header);
        EXPECT_NE(RefusalOf(dir.File("bad.dat")).find("bad.dat"), std::string::npos)
            << header[0] << "," << header[1] << "," << header[2];
    }
}

TEST(CutoutFile, TruncatedHeaderAndMissingFileRefused)
{
    TempDir dir;
    WriteWords(dir.File("tiny.dat"), {1, 2});
    EXPECT_NE(RefusalOf(dir.File("tiny.dat")).find("tiny.dat"), std::string::npos);
    EXPECT_NE(RefusalOf(dir.File("none.dat")).find("none.dat"), std::string::npos);
}

TEST(CutoutFile, HugeHeaderOfSmallFileRefusedBeforeAllocating)
{
    TempDir dir;
    WriteWords(dir.File("big.dat"), {65, 32767, 32767, 1, 2, 3});
    EXPECT_NE(RefusalOf(dir.File("big.dat")).find("139577917576"), std::string::npos);
}
