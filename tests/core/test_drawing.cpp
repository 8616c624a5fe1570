#include <gtest/gtest.h>

#include "imaging/drawing.h"

using namespace lumera;

namespace {

std::vector<std::pair<int, int>> BlackPixels(const Bitmap& b, int dx = 0, int dy = 0)
{
    std::vector<std::pair<int, int>> pixels;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.ScanLine(y)[3 * x] == 0) pixels.emplace_back(x + dx, y + dy);
    return pixels;
}

Bitmap White(int w, int h)
{
    Bitmap b(w, h);
    b.Fill(255, 255, 255);
    return b;
}

}  // namespace

TEST(DrawLine, StraightAndDiagonalLinesIncludeBothEnds)
{
    Bitmap b = White(10, 10);
    DrawLine(b, 1, 2, 5, 2, kBlack);
    EXPECT_EQ(BlackPixels(b), (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}}));
    b = White(10, 10);
    DrawLine(b, 3, 3, 0, 0, kBlack);
    EXPECT_EQ(BlackPixels(b), (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    b = White(10, 10);
    DrawLine(b, 0, 0, 6, 2, kBlack);  // the pixels nearest to y = x / 3
    EXPECT_EQ(BlackPixels(b), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}));
}

TEST(DrawLine, ClippedLineHasExactlyThePixelsOfTheUnclippedOne)
{
    // The same lines on a large canvas and on a small window into it.
    const int ox = 40, oy = 30;
    const std::vector<std::array<int, 4>> lines = {
        {0, 0, 100, 70}, {5, 90, 95, 3}, {50, -1000, 60, 1000}, {-3000, 45, 3000, 52}, {41, 31, 41, 31}};
    for (const auto& l : lines) {
        Bitmap big = White(200, 200), small = White(20, 15);
        DrawLine(big, l[0] + 100, l[1] + 100, l[2] + 100, l[3] + 100, kBlack);
        DrawLine(small, l[0] - ox, l[1] - oy, l[2] - ox, l[3] - oy, kBlack);
        std::vector<std::pair<int, int>> expected;
        for (const auto& [x, y] : BlackPixels(big))
            if (x - 100 >= ox && x - 100 < ox + 20 && y - 100 >= oy && y - 100 < oy + 15)
                expected.emplace_back(x - 100 - ox, y - 100 - oy);
        EXPECT_EQ(BlackPixels(small), expected);
    }
}

TEST(DrawLine, FarAwayLineTouchesNothing)
{
    Bitmap b = White(5, 5);
    DrawLine(b, -100000, -100000, 100000, -99990, kBlack);
    EXPECT_TRUE(BlackPixels(b).empty());
}

TEST(FillRect, RightAndBottomEdgesExcludedAndClipped)
{
    Bitmap b(4, 3);  // black
    FillRect(b, 1, 1, 3, 3, kWhite);
    EXPECT_EQ(BlackPixels(b), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {3, 1}, {0, 2}, {3, 2}}));
    Bitmap c(4, 3);
    FillRect(c, -5, -5, 50, 50, kWhite);
    EXPECT_TRUE(BlackPixels(c).empty());
}
