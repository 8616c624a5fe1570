#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "data/file_error.h"
#include "imaging/bmp_file.h"
#include "sample_data.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

std::string Bytes(std::initializer_list<int> values) { return std::string(values.begin(), values.end()); }

std::string Le(int64_t v, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return out;
}

// rows[y] holds the unpadded bytes of picture row y (row 0 at the top).
std::string BuildBmp(int width, int bits, const std::string& palette, const std::vector<std::string>& rows, bool topDown)
{
    const int height = int(rows.size()), rowBytes = (width * bits + 7) / 8, stride = (rowBytes + 3) / 4 * 4;
    const int offset = 54 + int(palette.size());
    std::string out = "BM" + Le(offset + stride * height, 4) + Le(0, 4) + Le(offset, 4) + Le(40, 4) + Le(width, 4) +
                      Le(topDown ? -height : height, 4) + Le(1, 2) + Le(bits, 2) + Le(0, 4) + Le(stride * height, 4) +
                      Le(2835, 4) + Le(2835, 4) + Le(int64_t(palette.size() / 4), 4) + Le(0, 4);
    out += palette;  // blue, green, red, 0 each
    for (int i = 0; i < height; ++i) out += rows[topDown ? i : height - 1 - i] + std::string(stride - rowBytes, '\0');
    return out;
}

}  // namespace

TEST(BmpFile, WrittenFileIsStandard24BitAndReadsBackByteForByteAndAFailedWriteLeavesItAndPaletteFilesReadBothWays)
{
    TempDir dir;
    for (int width : {1, 2, 3, 4}) {  // every padding of a row
        const Bitmap picture = PatternPicture(width, 7, width);
        WriteBmp(dir.File("p.bmp"), picture);
        EXPECT_EQ(ReadBmp(dir.File("p.bmp")), picture) << width;
    }
    const std::string bytes = ReadAll(dir.File("p.bmp"));
    // Header without resolution or palette, rows bottom-up padded to 4 bytes, as written before.
    const Bitmap small = PatternPicture(2, 3);
    WriteBmp(dir.File("s.bmp"), small);
    std::string layout = "BM" + Le(54 + 8 * 3, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(2, 4) + Le(3, 4) + Le(1, 2) +
                         Le(24, 2) + std::string(24, '\0');
    for (int y = 2; y >= 0; --y) layout += std::string(reinterpret_cast<const char*>(small.ScanLine(y)), 6) + Le(0, 2);
    EXPECT_EQ(ReadAll(dir.File("s.bmp")), layout);
    std::filesystem::remove(dir.File("s.bmp"));
    EXPECT_THROW(WriteBmp(dir.File("p.bmp"), Bitmap()), FileError);
    EXPECT_THROW(WriteBmp(dir.File("no/such/folder/p.bmp"), PatternPicture(4, 4)), FileError);
    EXPECT_EQ(ReadAll(dir.File("p.bmp")), bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);

    const std::string palette = Bytes({10, 20, 30, 0, 255, 0, 0, 0, 0, 255, 0, 0, 1, 2, 250, 0});
    const std::string expected = Bytes({10, 20, 30, 255, 0, 0, 0, 255, 0, 1, 2, 250, 1, 2, 250,  //
                                        1, 2, 250, 0, 255, 0, 255, 0, 0, 10, 20, 30, 10, 20, 30});
    for (bool topDown : {false, true}) {  // rows padded from 5 to 8 bytes
        WriteAll(dir.File("f.bmp"), BuildBmp(5, 8, palette, {Bytes({0, 1, 2, 3, 3}), Bytes({3, 2, 1, 0, 0})}, topDown));
        const Bitmap b = ReadBmp(dir.File("f.bmp"));
        EXPECT_EQ(std::string(b.Bytes().begin(), b.Bytes().end()), expected) << topDown;
    }
}

TEST(BmpFile, DamagedOrForeignFilesRefusedNamingTheFile)
{
    TempDir dir;
    WriteBmp(dir.File("good.bmp"), PatternPicture(20, 20));
    std::string wide = ReadAll(dir.File("good.bmp")), huge = BuildBmp(1, 24, "", {Bytes({1, 2, 3})}, false);
    WriteAll(dir.File("cut.bmp"), wide.substr(0, 40));
    wide.replace(18, 3, "\x7f\x7f\x7f");                                // width far beyond the limit
    huge.replace(18, 8, Bytes({0x98, 0x3A, 0, 0, 0x98, 0x3A, 0, 0}));  // 15000 x 15000 in a tiny file
    WriteAll(dir.File("text.bmp"), "hello, this is not a picture at all, honestly");
    WriteAll(dir.File("wide.bmp"), wide);
    WriteAll(dir.File("huge.bmp"), huge);
    for (const char* name : {"cut.bmp", "text.bmp", "wide.bmp", "huge.bmp", "missing.bmp"}) {
        try {
            ReadBmp(dir.File(name));
            ADD_FAILURE() << name << " was accepted";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
    }
}

namespace {

// An old OS/2 file: 12-byte info header, 16-bit sides, 3-byte palette entries.
std::string BuildOs2Bmp(int width, const std::string& palette, const std::vector<std::string>& rows)
{
    const int height = int(rows.size()), stride = (width + 3) / 4 * 4, offset = 26 + int(palette.size());
    std::string out = "BM" + Le(offset + stride * height, 4) + Le(0, 4) + Le(offset, 4) + Le(12, 4) + Le(width, 2) +
                      Le(height, 2) + Le(1, 2) + Le(8, 2) + palette;
    for (int i = height - 1; i >= 0; --i) out += rows[i] + std::string(stride - width, '\0');
    return out;
}

}  // namespace

TEST(BmpFile, EveryUncompressedDepthDecodesExactlyIncludingOs2AndSixteenBitColour)
{
    TempDir dir;
    std::string greys;  // 256 grey levels, 3 bytes each
    for (int i = 0; i < 256; ++i) greys += std::string(3, char(i));
    WriteAll(dir.File("os2.bmp"), BuildOs2Bmp(4, greys, {Bytes({0, 251, 252, 255})}));
    const Bitmap os2 = ReadBmp(dir.File("os2.bmp"));
    EXPECT_EQ(std::string(os2.Bytes().begin(), os2.Bytes().end()),
              Bytes({0, 0, 0, 251, 251, 251, 252, 252, 252, 255, 255, 255}));

    const std::string two = Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    WriteAll(dir.File("one.bmp"), BuildBmp(10, 1, two, {Bytes({0xA0, 0x40})}, false));  // 1010000001
    const Bitmap one = ReadBmp(dir.File("one.bmp"));
    for (int x = 0; x < 10; ++x) EXPECT_EQ(one.ScanLine(0)[3 * x], (x == 0 || x == 2 || x == 9) ? 255 : 0) << x;

    // 5-5-5: full red, mid green, blue 1 widen by repeating their bits.
    const int pixel = 31 << 10 | 16 << 5 | 1;
    WriteAll(dir.File("16.bmp"), BuildBmp(1, 16, "", {Bytes({pixel & 0xFF, pixel >> 8})}, false));
    const Bitmap sixteen = ReadBmp(dir.File("16.bmp"));
    EXPECT_EQ(std::string(sixteen.Bytes().begin(), sixteen.Bytes().end()), Bytes({8, 132, 255}));

    // 32 bits in bit fields: a channel whose mask is empty reads 0.
    std::string fields = BuildBmp(1, 32, Le(0xFF0000, 4) + Le(0, 4) + Le(0xFF, 4), {Bytes({0xCD, 0x12, 0xAB, 0})}, false);
    fields.replace(30, 4, Le(3, 4));  // BI_BITFIELDS
    fields.replace(46, 4, Le(0, 4));  // no palette
    WriteAll(dir.File("32.bmp"), fields);
    const Bitmap masked = ReadBmp(dir.File("32.bmp"));
    EXPECT_EQ(std::string(masked.Bytes().begin(), masked.Bytes().end()), Bytes({0xCD, 0, 0xAB}));
}

TEST(BmpFile, UndefinedColoursAndUnboundedInputsRefusedBeforeDecoding)
{
    TempDir dir;
    const std::string two = Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    WriteAll(dir.File("short-palette.bmp"), BuildBmp(3, 8, two, {Bytes({0, 1, 7})}, false));
    std::string inside = BuildBmp(2, 24, "", {Bytes({1, 2, 3, 4, 5, 6})}, false);
    inside.replace(10, 4, Le(30, 4));  // pixel data "inside" the info header
    WriteAll(dir.File("inside.bmp"), inside);
    std::string vast = BuildBmp(8, 1, two, {Bytes({0})}, false);
    vast.replace(18, 8, Le(20000, 4) + Le(20000, 4));
    WriteAll(dir.File("vast.bmp"), vast);
    std::filesystem::create_directory(dir.File("folder.bmp"));
    for (const std::string name : {"short-palette.bmp", "inside.bmp", "vast.bmp", "folder.bmp"}) {
        try {
            ReadBmp(dir.File(name));
            ADD_FAILURE() << name << " was accepted";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(ReadBmp("/dev/zero"), FileError);  // stops after the header
}
