#include <gtest/gtest.h>

#include "imaging/picture_tools.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

const uint8_t* Pixel(const Bitmap& b, int x, int y) { return b.ScanLine(y) + 3 * x; }

}  // namespace

TEST(PictureTools, AddPictureSaturatesOverTheCommonAreaOnly)
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

    // The larger target keeps its bytes outside the smaller source.
    Bitmap large = left;
    AddPicture(right, large);
    EXPECT_EQ(Pixel(large, 25, 5)[0], Pixel(left, 25, 5)[0]);
    EXPECT_EQ(Pixel(large, 5, 35)[1], Pixel(left, 5, 35)[1]);
}

TEST(PictureTools, ResizeKeepsTheOverlapAndFillsTheRest)
{
    const Bitmap original = PatternPicture(10, 8);
    Bitmap picture = original;
    ResizeKeeping(picture, 6, 12, kWhite);
    ASSERT_EQ(picture.Width(), 6);
    ASSERT_EQ(picture.Height(), 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 6; ++x)
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(Pixel(picture, x, y)[k], y < 8 ? Pixel(original, x, y)[k] : 255);
    ResizeKeeping(picture, 0, 0, kWhite);
    EXPECT_TRUE(picture.Empty());
}

TEST(PictureTools, PointsOutsideThePictureAreNotPainted)
{
    Bitmap picture(5, 4);
    PaintPoints(picture, {{0, 0}, {4, 3}, {5, 0}, {-1, 2}, {2, 4}, {2, -1}}, BgrColour{0, 0, 255});
    int red = 0;
    for (uint8_t byte : picture.Bytes()) red += byte == 255;
    EXPECT_EQ(red, 2);
    EXPECT_EQ(Pixel(picture, 4, 3)[2], 255);
}
