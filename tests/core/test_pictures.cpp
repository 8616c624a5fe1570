#include <gtest/gtest.h>

#include <filesystem>

#include "crowns/crown_outlines.h"
#include "data/cube_ranges.h"
#include "data/file_error.h"
#include "imaging/bmp_file.h"
#include "imaging/detail.h"
#include "imaging/drawing.h"
#include "imaging/picture_tools.h"
#include "imaging/pixel_bands.h"
#include "refusal.h"
#include "sample_data.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

const uint8_t* Pixel(const Bitmap& b, int x, int y) { return b.ScanLine(y) + 3 * x; }

// A 61 x 61 grey source whose level at (x, y) is level(x, y), magnified about its centre.
template <typename F>
Bitmap DetailOfGreys(F level)
{
    Bitmap detail;
    EXPECT_TRUE(ShowDetail(GreyPicture(61, 61, level), detail, 30, 30));
    return detail;
}

using Pixels = std::vector<std::pair<int, int>>;

Pixels BlackPixels(const Bitmap& b)
{
    Pixels pixels;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.ScanLine(y)[3 * x] == 0) pixels.emplace_back(x, y);
    return pixels;
}

Pixels Line(int w, int h, int x0, int y0, int x1, int y1)
{
    Bitmap b(w, h);
    b.Fill(255, 255, 255);
    DrawLine(b, x0, y0, x1, y1, kBlack);
    return BlackPixels(b);
}

// 2 rows of 3 pixels; pixel (column c, row r) of band b holds f(b, r, c), all 0-based.
template <typename F>
TData Cube(F f, int bands = 65)
{
    TData cube = MakeCube(bands, 2, 3);
    for (std::size_t i = 0; i < cube.Values.size(); ++i) cube.Values[i] = int16_t(f(int(i / 6), int(i / 3 % 2), int(i % 3)));
    return cube;
}

// The pixel (column, row) drawn onto a white plot.
Bitmap Plot(const TData& cube, int column, int row)
{
    Bitmap plot(kSpectrumPlotWidth, kSpectrumPlotHeight);
    plot.Fill(255, 255, 255);
    DrawSpectrum(plot, cube, InitBandTable(), column, row);
    return plot;
}

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

TEST(ShowDetail, CentreMovesInsideTheSourceAndASmallSourceIsNotMagnified)
{
    const Bitmap source = PatternPicture(400, 400);
    Bitmap a, b, far;
    ASSERT_TRUE(ShowDetail(source, a, 0, 0) && ShowDetail(source, b, 30, 30) && ShowDetail(source, far, 399, 399));
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::make_pair(a.Width(), a.Height()), std::make_pair(241, 241));
    // Detail pixel (4a, 4b) is source pixel (cx - 30 + a, cy - 30 + b), centre (369, 369).
    for (int a = 0; a <= 60; a += 10)
        for (int b : {0, 15, 30, 45, 59, 60})  // 59: the last row of source pixels with one below
            for (int k = 0; k < 3; ++k) EXPECT_EQ(Pixel(far, 4 * a, 4 * b)[k], Pixel(source, 339 + a, 339 + b)[k]);

    const Bitmap before = far;
    for (const Bitmap& small : {Bitmap(60, 400), Bitmap(400, 60), Bitmap()}) EXPECT_FALSE(ShowDetail(small, far, 10, 10));
    EXPECT_EQ(far, before);
}

TEST(ShowDetail, BlendsRoundTiesToEvenAlsoAlongTheRightAndBottomEdges)
{
    // Column 0 holds 10, the rest 13: 10, 10.75, 11.5, 12.25, 13 across each row.
    const Bitmap step = DetailOfGreys([](int x, int) { return x == 0 ? 10 : 13; });
    for (int row : {0, 100, 240})
        for (int u = 0; u < 5; ++u) EXPECT_EQ(Pixel(step, u, row)[1], (std::array{10, 11, 12, 12, 13}[u])) << row;
    const Bitmap ramp = DetailOfGreys([](int x, int y) { return 4 * x + y; });
    // Right column: source column 60, rows 0 and 1 hold 240 and 241; 240.5 is a tie to even.
    // Bottom row: source row 60, columns 0 and 1 hold 60 and 64, columns 59 and 60 hold 40 and 44
    // (levels wrap at 256); its last pixel is the corner, copied. Beside the
    // right column the interior's last block blends source columns 59 and 60.
    // Inside, (7, 7) lies 3/4 of the way from source pixel (1, 1) to (2, 2): 8.75.
    for (const auto& [x, y, grey] : {std::array{240, 0, 240}, {240, 2, 240}, {240, 3, 241}, {1, 240, 61}, {2, 240, 62},
                                     {239, 240, 43}, {240, 240, (4 * 60 + 60) % 256}, {239, 0, 239}, {7, 7, 9}})
        EXPECT_EQ(Pixel(ramp, x, y)[0], grey) << x << "," << y;
}

TEST(Drawing, LinesIncludeBothEndsAndLinesAndRectanglesClipToThePicture)
{
    EXPECT_EQ(Line(10, 10, 1, 2, 5, 2), (Pixels{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}}));
    EXPECT_EQ(Line(10, 10, 3, 3, 0, 0), (Pixels{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    // The pixels nearest to y = x / 3.
    EXPECT_EQ(Line(10, 10, 0, 0, 6, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}));
    EXPECT_EQ(Line(10, 10, 0, 0, 2, 1), (Pixels{{0, 0}, {1, 1}, {2, 1}}));  // a tie steps onto the next row
    // The same lines on a large canvas and on a small window into it at (40, 30).
    for (const auto& l : std::vector<std::array<int, 4>>{
             {0, 0, 100, 70}, {5, 90, 95, 3}, {50, -1000, 60, 1000}, {-3000, 45, 3000, 52}, {41, 31, 41, 31}}) {
        Pixels expected;
        for (const auto& [x, y] : Line(200, 200, l[0] + 100, l[1] + 100, l[2] + 100, l[3] + 100))
            if (x >= 140 && x < 160 && y >= 130 && y < 145) expected.emplace_back(x - 140, y - 130);
        EXPECT_EQ(Line(20, 15, l[0] - 40, l[1] - 30, l[2] - 40, l[3] - 30), expected);
    }
    EXPECT_TRUE(Line(5, 5, -100000, -100000, 100000, -99990).empty());
    Bitmap b(4, 3);  // black; a rectangle reaching past every edge paints exactly the picture
    FillRect(b, -5, -5, 50, 50, kWhite);
    EXPECT_TRUE(BlackPixels(b).empty());
    Bitmap dot(4, 3);
    DrawPolyline(dot, {}, kWhite);
    DrawPolyline(dot, {{2, 1}}, kWhite);  // a polyline of one point is that point
    EXPECT_EQ(BlackPixels(dot).size(), 11u);
}

TEST(PictureTools, AddPictureSaturatesOverTheCommonAreaResizingKeepsTheTopLeftAndPointsOutsideAreNotPainted)
{
    const Bitmap left = PatternPicture(40, 40, 3);
    const Bitmap right = PatternPicture(20, 30, 5);
    Bitmap sum = right;
    AddPicture(left, sum);
    ASSERT_EQ(sum.Width(), 20);
    ASSERT_EQ(sum.Height(), 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(Pixel(sum, x, y)[k], std::min(255, Pixel(left, x, y)[k] + Pixel(right, x, y)[k]));

    Bitmap resized = right;  // 20 x 30 becomes 25 x 10: its top-left 20 x 10 stays, the added columns are filled
    ResizeKeeping(resized, 25, 10, BgrColour{1, 2, 3});
    for (int y : {0, 9})
        for (int x : {0, 19, 20, 24})
            for (int k = 0; k < 3; ++k) EXPECT_EQ(Pixel(resized, x, y)[k], x < 20 ? Pixel(right, x, y)[k] : k + 1) << x << "," << y;

    Bitmap picture(5, 4);
    PaintPoints(picture, {{0, 0}, {4, 3}, {5, 0}, {-1, 2}, {2, 4}, {2, -1}}, BgrColour{0, 0, 255});
    int red = 0;
    for (uint8_t byte : picture.Bytes()) red += byte == 255;
    EXPECT_EQ(red, 2);
    EXPECT_EQ(Pixel(picture, 4, 3)[2], 255);
}

TEST(SpectrumList, OneLinePerBandTwoSpacesBeforeTheValueAndPositionsOutsideTheCubeNamed)
{
    const TData cube = Cube([](int b, int r, int c) { return 100 * b + 10 * r + c - 50; });
    const auto lines = SpectrumLines(cube, 3, 2);  // column 3, row 2 (1-based)
    ASSERT_EQ(lines.size(), 65u);
    EXPECT_EQ(std::make_pair(lines[0], lines[64]), std::make_pair(std::string("B1  -38"), std::string("B65  6362")));
    EXPECT_EQ(SpectrumLines(Cube([](int, int, int) { return 1; }, 10), 1, 1).size(), 10u);
    const TData small = MakeCube(10, 2, 3);
    EXPECT_EQ(BandRangeError(small, 1) + BandRangeError(small, 10) + PixelRangeError(small, 3, 2), "");
    EXPECT_EQ(BandRangeError(small, 11), "Band 11 leží mimo datový výřez: výřez má bandy 1 až 10.");
    EXPECT_EQ(PixelRangeError(small, 4, 1), "Sloupec 4 leží mimo datový výřez: výřez má sloupce 1 až 3.");
    EXPECT_EQ(PixelRangeError(small, 1, 3), "Řádek 3 leží mimo datový výřez: výřez má řádky 1 až 2.");
    EXPECT_TRUE(!BandRangeError(small, 0).empty() && !PixelRangeError(small, 0, 1).empty() && !PixelRangeError(small, 1, 0).empty());
}

TEST(SpectrumPlot, PointsLieAtTheirBandsAndValuesOutsideAreClipped)
{
    // Pixel (1, 1) holds 2000 in every band: a horizontal line at row 400 - 200
    // from band 1 at X = 4 to band 65 at X = 541; the others hold 4000, the top row.
    const TData cube = Cube([](int, int r, int c) { return r == 0 && c == 0 ? 2000 : 4000; });
    for (const auto& [column, y] : {std::pair{1, 200}, std::pair{2, 0}}) {
        const Bitmap plot = Plot(cube, column, 1);
        for (int x = 4; x <= 541; ++x) EXPECT_TRUE(IsBlack(plot, x, y)) << x;
        EXPECT_EQ(CountBlack(plot), 541 - 4 + 1);
    }
    // Alternating 0 (row 400, just below the plot), 32767 and -32768: the steep lines stay inside the bitmap.
    EXPECT_GT(CountBlack(Plot(Cube([](int b, int, int) { return b % 3 == 0 ? 0 : (b % 3 == 1 ? 32767 : -32768); }), 1, 1)), 0);
    EXPECT_EQ(CountBlack(Plot(Cube([](int, int, int) { return 0; }), 1, 1)), 0);  // all on row 400

    // A crown's mean spectrum is drawn on the very points of a pixel's.
    const TData rising = Cube([](int b, int, int c) { return 60 * b + 400 * c; });
    Bitmap mean(kSpectrumPlotWidth, kSpectrumPlotHeight);
    mean.Fill(255, 255, 255);
    DrawSpectrumValues(mean, {}, InitBandTable(), kBlack);  // a crown of no pixels draws nothing
    DrawSpectrumValues(mean, PixelSpectrum(rising, 2, 1), InitBandTable(), kBlack);
    EXPECT_EQ(mean, Plot(rising, 2, 1));
}

TEST(CrownOutlines, YellowOnEveryCrownsEdgePixelBlackBesideItAndTheRestUntouched)
{
    TTreeMatrix trees(8, 7);
    for (int y = 1; y <= 5; ++y)
        for (int x = 1; x <= 5; ++x) trees.Values[std::size_t(y) * 8 + x] = 1;
    trees.Values.front() = 3, trees.Values.back() = 2;  // crowns of one pixel in the corners
    Bitmap picture(8, 7);
    picture.Fill(90, 90, 90);
    DrawCrownOutlines(picture, trees);
    const char* const expected[] = {"YKKKKK..", "KYYYYYK.", "KYKKKYK.", "KYK.KYK.", "KYKKKYK.", "KYYYYYKK", ".KKKKKKY"};
    for (int y = 0; y < 7; ++y) {
        std::string row;
        for (int x = 0; x < 8; ++x) {
            const auto p = Pixel(picture, x, y);  // blue, green, red
            row += p[0] == 0 && p[1] == 255 && p[2] == 255 ? 'Y' : p[0] + p[1] + p[2] == 0 ? 'K' : p[0] == 90 ? '.' : '?';
        }
        EXPECT_EQ(row, expected[y]) << "row " << y;
    }
}

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

TEST(BmpFile, OneBitSixteenBitBitFieldAndOldestAndNewestHeadersDecodeExactly)
{
    TempDir dir;
    const std::string two = Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    WriteAll(dir.File("one.bmp"), BuildBmp(10, 1, two, {Bytes({0xA0, 0x40})}, false));  // 1010000001
    const Bitmap one = ReadBmp(dir.File("one.bmp"));
    for (int x = 0; x < 10; ++x) EXPECT_EQ(one.ScanLine(0)[3 * x], (x == 0 || x == 2 || x == 9) ? 255 : 0) << x;
    // No colour count in the header: the palette is what fits before the pixels.
    std::string undeclared = BuildBmp(3, 8, two, {Bytes({0, 1, 1})}, false);
    undeclared.replace(46, 4, Le(0, 4));
    WriteAll(dir.File("undeclared.bmp"), undeclared);
    EXPECT_EQ(ReadBmp(dir.File("undeclared.bmp")).ScanLine(0)[3], 255);

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

    // The old OS/2 header of 12 bytes: 16-bit sides, palette entries of 3 bytes.
    WriteAll(dir.File("os2.bmp"), "BM" + Le(36, 4) + Le(0, 4) + Le(32, 4) + Le(12, 4) + Le(2, 2) + Le(1, 2) + Le(1, 2) +
                                      Le(8, 2) + Bytes({10, 20, 30, 200, 100, 50}) + Bytes({1, 0, 0, 0}));
    const Bitmap os2 = ReadBmp(dir.File("os2.bmp"));
    EXPECT_EQ(std::string(os2.Bytes().begin(), os2.Bytes().end()), Bytes({200, 100, 50, 10, 20, 30}));

    // The newest header of 124 bytes (as image editors write it) before the same pixels.
    std::string v5 = BuildBmp(2, 24, "", {Bytes({1, 2, 3, 4, 5, 6})}, false);
    v5.replace(14, 4, Le(124, 4)).insert(54, std::string(84, '\0'));
    v5.replace(2, 4, Le(int64_t(v5.size()), 4)).replace(10, 4, Le(138, 4));
    WriteAll(dir.File("v5.bmp"), v5);
    const Bitmap newest = ReadBmp(dir.File("v5.bmp"));
    EXPECT_EQ(std::string(newest.Bytes().begin(), newest.Bytes().end()), Bytes({1, 2, 3, 4, 5, 6}));
}

TEST(BmpFile, DamagedForeignUndefinedOrUnboundedFilesRefusedNamingTheFile)
{
    TempDir dir;
    WriteBmp(dir.File("good.bmp"), PatternPicture(20, 20));
    std::string wide = ReadAll(dir.File("good.bmp")), huge = BuildBmp(1, 24, "", {Bytes({1, 2, 3})}, false);
    WriteAll(dir.File("cut.bmp"), wide.substr(0, 40));
    wide.replace(18, 3, "\x7f\x7f\x7f");                                // width far beyond the limit
    huge.replace(18, 8, Bytes({0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0}));  // 8000 x 8000: sides allowed, too many pixels
    WriteAll(dir.File("text.bmp"), "hello, this is not a picture at all, honestly");
    WriteAll(dir.File("wide.bmp"), wide);
    WriteAll(dir.File("huge.bmp"), huge);
    const std::string two = Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    WriteAll(dir.File("short-palette.bmp"), BuildBmp(3, 8, two, {Bytes({0, 1, 7})}, false));
    std::string beyond = BuildBmp(3, 8, two + two, {Bytes({0, 1, 3})}, false);
    beyond.replace(46, 4, Le(2, 4));  // two colours declared, room for four: index 3 lies past the palette
    WriteAll(dir.File("beyond.bmp"), beyond);
    std::string overdeclared = BuildBmp(3, 8, two, {Bytes({0, 1, 1})}, false);
    overdeclared.replace(46, 4, Le(4, 4));  // four colours declared, room for two
    WriteAll(dir.File("overdeclared.bmp"), overdeclared);
    std::string inside = BuildBmp(2, 24, "", {Bytes({1, 2, 3, 4, 5, 6})}, false);
    inside.replace(10, 4, Le(30, 4));  // pixel data "inside" the info header
    WriteAll(dir.File("inside.bmp"), inside);
    std::string vast = BuildBmp(8, 1, two, {Bytes({0})}, false);
    vast.replace(18, 8, Le(20000, 4) + Le(20000, 4));
    WriteAll(dir.File("vast.bmp"), vast);
    std::string packed = BuildBmp(1, 32, Le(0xFF0000, 4) + Le(0xFF00, 4) + Le(0xFF, 4), {Bytes({1, 2, 3, 0})}, false);
    packed.replace(30, 4, Le(1, 4));  // channel masks, but coded by runs, as no 32-bit picture can be
    packed.replace(46, 4, Le(0, 4));
    WriteAll(dir.File("packed.bmp"), packed);
    // Pixel data may start a whole palette and 64 KiB after the header, not a byte later.
    std::string far = BuildBmp(2, 24, "", {Bytes({1, 2, 3, 4, 5, 6})}, false);
    far.insert(54, std::string(256 * 4 + 65536, '\0')).replace(10, 4, Le(54 + 256 * 4 + 65536, 4));
    WriteAll(dir.File("far.bmp"), far);
    EXPECT_EQ(ReadBmp(dir.File("far.bmp")).Width(), 2);
    WriteAll(dir.File("farther.bmp"), far.insert(54, 1, '\0').replace(10, 4, Le(54 + 256 * 4 + 65537, 4)));
    std::filesystem::create_directory(dir.File("folder.bmp"));
    for (const char* name : {"cut.bmp", "text.bmp", "wide.bmp", "huge.bmp", "missing.bmp", "short-palette.bmp", "inside.bmp",
                             "vast.bmp", "folder.bmp", "overdeclared.bmp", "packed.bmp", "beyond.bmp", "farther.bmp"})
        ExpectRefused([&] { ReadBmp(dir.File(name)); }, {name});
    ExpectRefused([&] { ReadBmp(dir.File("huge.bmp")); }, {"8000 x 8000"});
    EXPECT_THROW(ReadBmp("/dev/zero"), FileError);  // stops after the header
}
