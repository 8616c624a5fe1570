#include <gtest/gtest.h>

#include "crowns/single_trees.h"
#include "crowns/tree_figures.h"
#include "temp_dir.h"

using namespace lumera;

namespace {

// A picture from rows: a digit is a grey level (digit x 20), '#' blue 255,
// 'r' red and green 255, '.' black.
Bitmap Picture(const std::vector<std::string>& rows)
{
    Bitmap picture(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            uint8_t* px = picture.ScanLine(y) + 3 * x;
            const char c = rows[y][x];
            if (c >= '0' && c <= '9') px[0] = px[1] = px[2] = static_cast<uint8_t>((c - '0') * 20);
            if (c == '#') px[0] = 255;
            if (c == 'r') px[1] = px[2] = 255;
        }
    return picture;
}

std::vector<std::string> Rows(const TTreeMatrix& trees)
{
    std::vector<std::string> rows;
    for (int y = 0; y < trees.Height; ++y) {
        std::string row;
        for (int x = 0; x < trees.Width; ++x) row += trees.At(x, y) < 0 ? '#' : char('0' + trees.At(x, y));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(SingleTrees, RegionsStopAtBarriersAndDarkPixels)
{
    const Bitmap left = Picture({"99999", "99999", "99199", "99999"});
    const Bitmap staircase = Picture({"..#..", ".#..r", "#....", "....."});
    // Threshold 0: each enclosed area whole; the staircase separates although
    // its pixels touch only at corners; red and green are no barrier.
    EXPECT_EQ(Rows(GrowTrees(left, staircase, {{0, 0}, {4, 3}}, 0)), (std::vector<std::string>{"11#22", "1#222", "#2222", "22222"}));
    // Threshold 70: the dark pixel (level 20) stays 0.
    EXPECT_EQ(Rows(GrowTrees(left, staircase, {{4, 3}}, 70)), (std::vector<std::string>{"00#11", "0#111", "#1011", "11111"}));
    // A maximum on a barrier, or in a region already taken, grows nothing.
    EXPECT_EQ(Rows(GrowTrees(left, staircase, {{2, 0}, {4, 0}, {0, 3}, {0, 0}}, 0)),
              (std::vector<std::string>{"44#22", "4#222", "#2222", "22222"}));
    // Maxima outside the left picture, and dark maxima, are skipped.
    EXPECT_EQ(Rows(GrowTrees(left, staircase, {{5, 0}, {-1, 2}, {2, 2}, {0, 0}}, 70)),
              (std::vector<std::string>{"44#00", "4#000", "#0000", "00000"}));
}

TEST(SingleTrees, PicturesOfDifferentSizesMeetOnTheirCommonArea)
{
    const Bitmap left = Picture({"9999", "9999", "9999"});
    EXPECT_EQ(Rows(GrowTrees(left, Picture({".#", ".#"}), {{3, 2}}, 70)), (std::vector<std::string>{"1#11", "1#11", "1111"}));
    EXPECT_EQ(Rows(GrowTrees(left, Picture({"......", "######", "......", "......"}), {{0, 0}}, 70)),
              (std::vector<std::string>{"1111", "####", "0000"}));
    EXPECT_EQ(Rows(GrowTrees(left, Bitmap(), {{0, 0}}, 70)), (std::vector<std::string>{"1111", "1111", "1111"}));

    Bitmap right(6, 2);
    right.Fill(1, 2, 3);
    TTreeMatrix trees(3, 3);
    trees.At(1, 0) = 2;
    trees.At(2, 0) = -1;
    PaintTreesOverlay(right, Picture({"1234", "5678"}), trees);
    ASSERT_EQ(right.Width(), 6);
    const uint8_t* row0 = right.ScanLine(0);
    EXPECT_EQ(std::vector<uint8_t>(row0, row0 + 18),
              (std::vector<uint8_t>{20, 20, 20, 0, 40, 0, 60, 60, 60, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(right.ScanLine(1)[6], 140);
    EXPECT_EQ(right.ScanLine(1)[9], 1);
}

TEST(SingleTrees, WholePictureRegionAndTheSmallMatrixFile)
{
    Bitmap big(400, 400);
    big.Fill(200, 0, 0);
    const TTreeMatrix all = GrowTrees(big, Bitmap(400, 400), {{399, 399}}, 70);
    EXPECT_EQ(std::count(all.Values.begin(), all.Values.end(), 1), 160000);

    Bitmap left(3, 2);
    left.Fill(100, 100, 100);
    lumera::testing::TempDir dir;
    WriteTreeMatrix(dir.File("t.dat"), GrowTrees(left, Bitmap(3, 2), {{1, 0}}, 70));
    EXPECT_EQ(lumera::testing::ReadAll(dir.File("t.dat")),
              std::string("\3\0\0\0\2\0\0\0", 8) + std::string("\1\0\0\0", 4) + std::string("\1\0\0\0", 4) +
                  std::string("\1\0\0\0", 4) + std::string("\1\0\0\0", 4) + std::string("\1\0\0\0", 4) +
                  std::string("\1\0\0\0", 4));
}

TEST(TreeFigures, CountCentroidBoxAndSeedPerTree)
{
    TTreeMatrix trees(4, 3);
    trees.Values = {3, 3, 0, -1,  //
                    3, 0, 0, 1,   //
                    0, 0, 0, 1};
    const std::vector<TTreeFigures> figures = MeasureTrees(trees, {{3, 2}, {9, 9}, {0, 0}});
    ASSERT_EQ(figures.size(), 2u);
    const TTreeFigures& first = figures[0];
    EXPECT_EQ(first.Tree, 1);
    EXPECT_EQ(first.Pixels, 2);
    EXPECT_EQ(std::make_pair(first.CentroidX, first.CentroidY), std::make_pair(3.0, 1.5));
    EXPECT_EQ(std::make_tuple(first.MinX, first.MinY, first.MaxX, first.MaxY), std::make_tuple(3, 1, 3, 2));
    EXPECT_EQ(std::make_pair(first.SeedX, first.SeedY), std::make_pair(3, 2));
    const TTreeFigures& third = figures[1];
    EXPECT_EQ(third.Tree, 3);
    EXPECT_EQ(third.Pixels, 3);
    EXPECT_EQ(std::make_pair(third.CentroidX, third.CentroidY), std::make_pair(1.0 / 3.0, 1.0 / 3.0));
    EXPECT_EQ(std::make_tuple(third.MinX, third.MinY, third.MaxX, third.MaxY), std::make_tuple(0, 0, 1, 1));
    EXPECT_EQ(MeasureTrees(trees, {})[1].SeedX, -1);
}
