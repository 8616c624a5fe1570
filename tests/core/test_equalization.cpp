#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "enhance/equalization.h"

using namespace lumera;

namespace {

Bitmap GreyPicture(int width, int height, uint8_t level)
{
    Bitmap picture(width, height);
    picture.Fill(level, level, level);
    return picture;
}

void SetGreen(Bitmap& picture, int x, int y, uint8_t level) { picture.ScanLine(y)[3 * x + 1] = level; }
uint8_t Green(const Bitmap& picture, int x, int y) { return picture.ScanLine(y)[3 * x + 1]; }

// Random bytes in every channel, drawn from only a few levels when `levels` is small
// so that windows hold many ties.
Bitmap RandomPicture(std::mt19937& random, int width, int height, int levels)
{
    std::uniform_int_distribution<int> level(0, levels - 1), byte(0, 255);
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* px = picture.ScanLine(y) + 3 * x;
            px[0] = static_cast<uint8_t>(byte(random));
            px[1] = static_cast<uint8_t>(level(random) * 255 / std::max(levels - 1, 1));
            px[2] = static_cast<uint8_t>(byte(random));
        }
    return picture;
}

}  // namespace

TEST(EqualizationWindow, PlacementFollowsTheEdgeRule)
{
    // e = 45 on 400 rows: rows 0..44 at the top, centred in the middle, 354..398 at the bottom.
    EXPECT_EQ(WindowStart(0, 400, 45), 0);
    EXPECT_EQ(WindowStart(22, 400, 45), 0);
    EXPECT_EQ(WindowStart(23, 400, 45), 1);
    EXPECT_EQ(WindowStart(200, 400, 45), 178);
    EXPECT_EQ(WindowStart(376, 400, 45), 354);
    EXPECT_EQ(WindowStart(399, 400, 45), 354);
    // An even side 46 gives h = 23: rows y - 23 .. y + 22.
    EXPECT_EQ(WindowStart(100, 400, 46), 77);
}

TEST(EqualizationWindow, ValueRoundsTiesToEven)
{
    THistogram cumulative{};
    cumulative[255] = 10;
    cumulative[1] = 1;  // 25.5
    cumulative[3] = 3;  // 76.5
    cumulative[4] = 2;  // 51
    EXPECT_EQ(EqualizeValue(1, cumulative), 26);
    EXPECT_EQ(EqualizeValue(3, cumulative), 76);
    EXPECT_EQ(EqualizeValue(4, cumulative), 51);
    EXPECT_EQ(EqualizeValue(255, cumulative), 255);
}

TEST(Equalize, UniformGreenBecomesWhiteWhateverBlueAndRed)
{
    Bitmap picture = GreyPicture(60, 50, 77);
    uint8_t* px = picture.ScanLine(20) + 3 * 20;
    px[0] = 0;
    px[2] = 255;
    EXPECT_EQ(Equalize(picture, 45), GreyPicture(60, 50, 255));
}

TEST(Equalize, OnlyDarkestPixelBecomesBlackAndBrightestWhite)
{
    Bitmap picture = GreyPicture(400, 400, 100);
    SetGreen(picture, 200, 200, 10);
    SetGreen(picture, 100, 300, 250);
    const Bitmap result = Equalize(picture, 45);
    EXPECT_EQ(Green(result, 200, 200), 0);  // 255 / 2025 rounded
    EXPECT_EQ(Green(result, 100, 300), 255);
    // A neighbour of the dark pixel sees it below itself: 2025 of 2025 at or under its level.
    EXPECT_EQ(Green(result, 201, 200), 255);
}

TEST(Equalize, LastRowAndColumnAreNeverCounted)
{
    // Darken the last row and column: no window holds them, so every other
    // pixel keeps the uniform result, and they themselves are the darkest.
    Bitmap picture = GreyPicture(30, 30, 200);
    for (int i = 0; i < 30; ++i) {
        SetGreen(picture, 29, i, 0);
        SetGreen(picture, i, 29, 0);
    }
    const Bitmap result = Equalize(picture, 5);
    EXPECT_EQ(Green(result, 28, 28), 255);
    EXPECT_EQ(Green(result, 0, 0), 255);
    EXPECT_EQ(Green(result, 29, 10), 0);
    EXPECT_EQ(Green(result, 10, 29), 0);
}

TEST(Equalize, SlidingHistogramMatchesTheDefinition)
{
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> side(5, 16), extra(1, 30), levels(1, 256);
    for (int trial = 0; trial < 150; ++trial) {
        const int e = side(random);
        const int width = e + extra(random), height = e + extra(random);
        const Bitmap picture = RandomPicture(random, width, height, levels(random));
        ASSERT_EQ(Equalize(picture, e), EqualizePerPixel(picture, e))
            << "e " << e << ", " << width << "x" << height << ", trial " << trial;
    }
    for (const int e : {45, 46, 99}) {
        const Bitmap picture = RandomPicture(random, 160, 130, e == 46 ? 7 : 256);
        ASSERT_EQ(Equalize(picture, e), EqualizePerPixel(picture, e)) << "e " << e;
    }
}

TEST(Equalize, PicturesWithoutRoomForTheWindowAreRefused)
{
    EXPECT_FALSE(EqualizationRefusal(GreyPicture(46, 46, 1), 45).has_value());
    for (const Bitmap& small : {GreyPicture(45, 100, 1), GreyPicture(100, 45, 1), Bitmap()}) {
        const auto refusal = EqualizationRefusal(small, 45);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_NE(refusal->find("46x46"), std::string::npos) << *refusal;
        EXPECT_THROW(Equalize(small, 45), std::invalid_argument);
        EXPECT_THROW(EqualizePerPixel(small, 45), std::invalid_argument);
    }
    EXPECT_TRUE(EqualizationRefusal(GreyPicture(200, 200, 1), 4).has_value());
    EXPECT_TRUE(EqualizationRefusal(GreyPicture(200, 200, 1), 100).has_value());
}
