#include <gtest/gtest.h>

#include "imaging/detail.h"
#include "imaging/drawing.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

const uint8_t* Pixel(const Bitmap& b, int x, int y) { return b.ScanLine(y) + 3 * x; }

// A 61 x 61 grey source whose level at (x, y) is level(x, y), magnified about its centre.
template <typename F>
Bitmap DetailOfGreys(F level)
{
    Bitmap source(61, 61), detail;
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 61; ++x) std::fill_n(source.ScanLine(y) + 3 * x, 3, static_cast<uint8_t>(level(x, y)));
    EXPECT_TRUE(ShowDetail(source, detail, 30, 30));
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
        for (int b = 0; b <= 60; b += 15)
            for (int k = 0; k < 3; ++k) EXPECT_EQ(Pixel(far, 4 * a, 4 * b)[k], Pixel(source, 339 + a, 339 + b)[k]);

    const Bitmap before = far;
    for (const Bitmap& small : {Bitmap(60, 400), Bitmap(400, 60), Bitmap()}) EXPECT_FALSE(ShowDetail(small, far, 10, 10));
    EXPECT_EQ(far, before);
    EXPECT_EQ(DetailRangeText(100, 30), "70-130x0-60");
    EXPECT_EQ(DetailRangeText(30, 30), "0-60x0-60");
}

TEST(ShowDetail, BlendsRoundTiesToEvenAlsoAlongTheRightAndBottomEdges)
{
    // Column 0 holds 10, the rest 13: 10, 10.75, 11.5, 12.25, 13 across each row.
    const Bitmap step = DetailOfGreys([](int x, int) { return x == 0 ? 10 : 13; });
    for (int row : {0, 100, 240})
        for (int u = 0; u < 5; ++u) EXPECT_EQ(Pixel(step, u, row)[1], (std::array{10, 11, 12, 12, 13}[u])) << row;
    const Bitmap ramp = DetailOfGreys([](int x, int y) { return 4 * x + y; });
    // Right column: source column 60, rows 0 and 1 hold 240 and 241; 240.5 is a tie to even.
    // Bottom row: source row 60, columns 0 and 1 hold 60 and 64; its last pixel is the corner, copied.
    for (const auto& [x, y, grey] : {std::array{240, 0, 240}, {240, 2, 240}, {240, 3, 241}, {1, 240, 61}, {2, 240, 62},
                                     {240, 240, (4 * 60 + 60) % 256}})
        EXPECT_EQ(Pixel(ramp, x, y)[0], grey) << x << "," << y;
}

TEST(RampColour, KnownColours)
{
    using C = std::array<uint8_t, 3>;
    for (const auto& [level, top, colour] : {std::tuple{0, 1, C{254, 166, 229}}, {0, 250, C{254, 166, 229}}, {1, 10, C{1, 149, 252}},
                                             {5, 10, C{247, 3, 43}}, {10, 10, C{237, 242, 249}}, {11, 10, C{237, 242, 249}}})
        EXPECT_EQ(RampColour(level, top), colour) << level;
}

TEST(Drawing, LinesIncludeBothEndsClipToExactlyTheirOwnPixelsAndRectanglesLeaveOutTheRightAndBottomEdges)
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
    Bitmap b(4, 3);  // black
    FillRect(b, 1, 1, 3, 3, kWhite);
    EXPECT_EQ(BlackPixels(b), (Pixels{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {3, 1}, {0, 2}, {3, 2}}));
    FillRect(b, -5, -5, 50, 50, kWhite);
    EXPECT_TRUE(BlackPixels(b).empty());
}
