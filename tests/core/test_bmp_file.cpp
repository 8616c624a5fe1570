#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/file_error.h"
#include "imaging/bmp_file.h"
#include "temp_dir.h"

using namespace lumera;
using lumera::testing::TempDir;

TEST(BmpFile, RoundTripKeepsEveryByteOfOddWidths)
{
    TempDir dir;
    for (int width : {1, 2, 3, 5, 61}) {
        Bitmap picture(width, 7);
        for (int y = 0; y < 7; ++y)
            for (std::size_t i = 0; i < picture.RowBytes(); ++i) picture.ScanLine(y)[i] = static_cast<uint8_t>(i * 31 + y);
        WriteBmp(dir.File("p.bmp"), picture);
        EXPECT_EQ(ReadBmp(dir.File("p.bmp")), picture) << width;
    }
}

TEST(BmpFile, WrittenFileIsStandard24Bit)
{
    TempDir dir;
    Bitmap picture(3, 2);
    WriteBmp(dir.File("p.bmp"), picture);
    const std::string bytes = lumera::testing::ReadAll(dir.File("p.bmp"));
    ASSERT_GE(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24);  // bits per pixel
}

TEST(BmpFile, DamagedOrForeignFilesRefusedNamingTheFile)
{
    TempDir dir;
    Bitmap picture(20, 20);
    WriteBmp(dir.File("good.bmp"), picture);
    std::string bytes = lumera::testing::ReadAll(dir.File("good.bmp"));
    const auto write = [&](const std::string& name, const std::string& content) {
        std::ofstream(dir.File(name), std::ios::binary) << content;
    };
    write("cut.bmp", bytes.substr(0, 40));
    write("text.bmp", "hello, this is not a picture at all, honestly");
    std::string wide = bytes;
    wide[18] = '\x7f';
    wide[19] = '\x7f';
    wide[20] = '\x7f';  // width far beyond the data
    write("wide.bmp", wide);
    for (const char* name : {"cut.bmp", "text.bmp", "wide.bmp", "missing.bmp"}) {
        try {
            ReadBmp(dir.File(name));
            ADD_FAILURE() << name << " was accepted";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
    }
}

TEST(BmpFile, FailedWriteLeavesExistingFileAndNoTemporary)
{
    TempDir dir;
    Bitmap picture(4, 4);
    picture.Fill(9, 9, 9);
    WriteBmp(dir.File("p.bmp"), picture);
    EXPECT_THROW(WriteBmp(dir.File("p.bmp"), Bitmap()), FileError);
    EXPECT_THROW(WriteBmp(dir.File("no/such/folder/p.bmp"), picture), FileError);
    EXPECT_EQ(ReadBmp(dir.File("p.bmp")), picture);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
}

namespace {

// BMP files built byte by byte, the way other programs write them.
void Put16(std::string& out, int v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, int64_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// pixelRows[y] holds the stored bytes of picture row y (row 0 at the top),
// without padding; bottom-up files store the last row first.
std::string BuildBmp(int width, int height, int bitsPerPixel, const std::vector<std::string>& palette,
                     const std::vector<std::string>& pixelRows, bool topDown = false)
{
    const int rowBytes = (width * bitsPerPixel + 7) / 8;
    const int stride = (rowBytes + 3) / 4 * 4;
    const int offset = 14 + 40 + 4 * static_cast<int>(palette.size());
    std::string out = "BM";
    Put32(out, offset + stride * height);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, topDown ? -height : height);
    Put16(out, 1);
    Put16(out, bitsPerPixel);
    Put32(out, 0);  // BI_RGB
    Put32(out, stride * height);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<int64_t>(palette.size()));
    Put32(out, 0);
    for (const std::string& entry : palette) out += entry;  // blue, green, red, 0
    for (int i = 0; i < height; ++i) {
        const std::string& row = pixelRows[topDown ? i : height - 1 - i];
        out += row;
        out.append(std::size_t(stride - rowBytes), '\0');
    }
    return out;
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

void WriteFile(const std::string& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

// The expected 24-bit picture, given as rows of blue, green, red bytes.
Bitmap Expected(int width, const std::vector<std::string>& rows)
{
    Bitmap picture(width, static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y)
        std::copy(rows[y].begin(), rows[y].end(), picture.ScanLine(static_cast<int>(y)));
    return picture;
}

std::vector<std::string> GreyPalette()
{
    std::vector<std::string> palette;
    for (int i = 0; i < 256; ++i) palette.push_back(Bytes({i, i, i, 0}));
    return palette;
}

}  // namespace

TEST(BmpFile, EightBitGreyReadsAsTwentyFourBitGrey)
{
    TempDir dir;
    // 3 x 2, odd width: each stored row is padded from 3 to 4 bytes.
    WriteFile(dir.File("grey.bmp"), BuildBmp(3, 2, 8, GreyPalette(), {Bytes({0, 128, 255}), Bytes({7, 200, 31})}));
    const Bitmap expected = Expected(3, {Bytes({0, 0, 0, 128, 128, 128, 255, 255, 255}),
                                         Bytes({7, 7, 7, 200, 200, 200, 31, 31, 31})});
    EXPECT_EQ(ReadBmp(dir.File("grey.bmp")), expected);
}

TEST(BmpFile, EightBitPaletteReadsThroughThePalette)
{
    TempDir dir;
    // Four palette entries (blue, green, red, reserved), indices into them.
    const std::vector<std::string> palette = {Bytes({10, 20, 30, 0}), Bytes({255, 0, 0, 0}), Bytes({0, 255, 0, 0}),
                                              Bytes({1, 2, 250, 0})};
    const std::vector<std::string> rows = {Bytes({0, 1, 2, 3, 3}), Bytes({3, 2, 1, 0, 0}), Bytes({1, 1, 1, 1, 1})};
    const Bitmap expected = Expected(5, {Bytes({10, 20, 30, 255, 0, 0, 0, 255, 0, 1, 2, 250, 1, 2, 250}),
                                         Bytes({1, 2, 250, 0, 255, 0, 255, 0, 0, 10, 20, 30, 10, 20, 30}),
                                         Bytes({255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0})});
    WriteFile(dir.File("palette.bmp"), BuildBmp(5, 3, 8, palette, rows));
    WriteFile(dir.File("palette-topdown.bmp"), BuildBmp(5, 3, 8, palette, rows, true));
    EXPECT_EQ(ReadBmp(dir.File("palette.bmp")), expected);
    EXPECT_EQ(ReadBmp(dir.File("palette-topdown.bmp")), expected);
}

TEST(BmpFile, ThirtyTwoBitDropsTheFourthByte)
{
    TempDir dir;
    // Blue, green, red, then an unused (or alpha) byte per pixel.
    const std::vector<std::string> rows = {Bytes({1, 2, 3, 0, 40, 50, 60, 0}), Bytes({255, 254, 253, 0, 9, 8, 7, 0}),
                                           Bytes({100, 0, 200, 0, 0, 0, 0, 0})};
    const Bitmap expected =
        Expected(2, {Bytes({1, 2, 3, 40, 50, 60}), Bytes({255, 254, 253, 9, 8, 7}), Bytes({100, 0, 200, 0, 0, 0})});
    WriteFile(dir.File("rgbx.bmp"), BuildBmp(2, 3, 32, {}, rows));
    EXPECT_EQ(ReadBmp(dir.File("rgbx.bmp")), expected);

    std::vector<std::string> opaque = rows;
    for (std::string& row : opaque)
        for (std::size_t i = 3; i < row.size(); i += 4) row[i] = static_cast<char>(255);
    WriteFile(dir.File("rgba.bmp"), BuildBmp(2, 3, 32, {}, opaque));
    EXPECT_EQ(ReadBmp(dir.File("rgba.bmp")), expected);
}

TEST(BmpFile, HandBuiltTwentyFourBitMatchesWhatWeWrite)
{
    TempDir dir;
    const std::vector<std::string> rows = {Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9}), Bytes({9, 8, 7, 6, 5, 4, 3, 2, 1})};
    WriteFile(dir.File("hand.bmp"), BuildBmp(3, 2, 24, {}, rows));
    const Bitmap picture = ReadBmp(dir.File("hand.bmp"));
    EXPECT_EQ(picture, Expected(3, rows));
    WriteBmp(dir.File("ours.bmp"), picture);
    EXPECT_EQ(ReadBmp(dir.File("ours.bmp")), picture);
}

TEST(BmpFile, FileCutInsideThePixelDataIsRefused)
{
    TempDir dir;
    Bitmap picture(20, 20);
    picture.Fill(50, 60, 70);
    WriteBmp(dir.File("good.bmp"), picture);
    const std::string bytes = lumera::testing::ReadAll(dir.File("good.bmp"));
    WriteFile(dir.File("rows.bmp"), bytes.substr(0, bytes.size() - 200));
    try {
        ReadBmp(dir.File("rows.bmp"));
        ADD_FAILURE() << "a file missing rows was accepted";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("rows.bmp"), std::string::npos) << e.what();
    }
    // A huge size claimed by a tiny file is refused before anything is allocated.
    std::string huge = BuildBmp(1, 1, 24, {}, {Bytes({1, 2, 3})});
    for (int field : {18, 22}) huge.replace(field, 4, Bytes({0x98, 0x3A, 0, 0}));  // 15000 x 15000
    WriteFile(dir.File("huge.bmp"), huge);
    EXPECT_THROW(ReadBmp(dir.File("huge.bmp")), FileError);
}
