#include <gtest/gtest.h>

#include "imaging/drawing.h"

using namespace lumera;

namespace {

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

TEST(DrawLine, StraightAndDiagonalLinesIncludeBothEnds)
{
    EXPECT_EQ(Line(10, 10, 1, 2, 5, 2), (Pixels{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}}));
    EXPECT_EQ(Line(10, 10, 3, 3, 0, 0), (Pixels{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    // The pixels nearest to y = x / 3.
    EXPECT_EQ(Line(10, 10, 0, 0, 6, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}));
}

TEST(DrawLine, ClippedLineHasExactlyThePixelsOfTheUnclippedOne)
{
    // The same lines on a large canvas and on a small window into it at (40, 30).
    for (const auto& l : std::vector<std::array<int, 4>>{
             {0, 0, 100, 70}, {5, 90, 95, 3}, {50, -1000, 60, 1000}, {-3000, 45, 3000, 52}, {41, 31, 41, 31}}) {
        Pixels expected;
        for (const auto& [x, y] : Line(200, 200, l[0] + 100, l[1] + 100, l[2] + 100, l[3] + 100))
            if (x >= 140 && x < 160 && y >= 130 && y < 145) expected.emplace_back(x - 140, y - 130);
        EXPECT_EQ(Line(20, 15, l[0] - 40, l[1] - 30, l[2] - 40, l[3] - 30), expected);
    }
    EXPECT_TRUE(Line(5, 5, -100000, -100000, 100000, -99990).empty());
}

TEST(FillRect, RightAndBottomEdgesExcludedAndClipped)
{
    Bitmap b(4, 3);  // black
    FillRect(b, 1, 1, 3, 3, kWhite);
    EXPECT_EQ(BlackPixels(b), (Pixels{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {3, 1}, {0, 2}, {3, 2}}));
    FillRect(b, -5, -5, 50, 50, kWhite);
    EXPECT_TRUE(BlackPixels(b).empty());
}
