#include <gtest/gtest.h>

#include "enhance/colour_stretch.h"

using namespace lumera;

using Rgb = std::array<uint8_t, 3>;

TEST(SetBrightness, KeepsHueOrMovesTowardsWhite)
{
    EXPECT_EQ(SetBrightness(100, 50, 30, 90), (Rgb{150, 75, 45}));
    EXPECT_EQ(SetBrightness(200, 100, 0, 200), (Rgb{255, 200, 145}));
    EXPECT_EQ(SetBrightness(10, 10, 10, 255), (Rgb{255, 255, 255}));
    EXPECT_EQ(SetBrightness(0, 0, 0, 5), (Rgb{5, 5, 5}));
    EXPECT_EQ(SetBrightness(255, 0, 0, 255), (Rgb{255, 255, 255}));
    for (const Rgb colour : {Rgb{1, 2, 3}, Rgb{255, 255, 255}, Rgb{0, 0, 9}})
        EXPECT_EQ(SetBrightness(colour[0], colour[1], colour[2], 0), (Rgb{0, 0, 0}));
}

TEST(StretchLevel, MapsTheClipLevelsToTheEndsAndLimits)
{
    EXPECT_EQ(StretchLevel(20, 20, 220), 0);
    EXPECT_EQ(StretchLevel(220, 20, 220), 255);
    EXPECT_EQ(StretchLevel(120, 20, 220), 128);  // 127.5, tie to even
    EXPECT_EQ(StretchLevel(5, 20, 220), 0);
    EXPECT_EQ(StretchLevel(250, 20, 220), 255);
    EXPECT_EQ(StretchLevel(0, -1, 256), 1);
    EXPECT_EQ(StretchLevel(90, 90, 90), 90);
}

TEST(ClipLevels, CountsFromBothEnds)
{
    THistogram histogram{};
    histogram[100] = 160000;
    EXPECT_EQ(ClipLevels(histogram, 0.01, 0.1).Lo, 100);
    EXPECT_EQ(ClipLevels(histogram, 0.01, 0.1).Hi, 100);

    // 160,000 pixels clip 16 at the dark end and 160 at the bright end.
    histogram[100] = 160000 - 15 - 1 - 159 - 1;
    histogram[3] = 15;
    histogram[4] = 1;
    histogram[250] = 159;
    histogram[249] = 1;
    EXPECT_EQ(ClipLevels(histogram, 0.01, 0.1).Lo, 4);
    EXPECT_EQ(ClipLevels(histogram, 0.01, 0.1).Hi, 249);
}

TEST(ClipLevels, SmallPicturesClipNothing)
{
    THistogram histogram{};
    histogram[50] = 4999;  // nLow = 0.4999 rounds to 0
    histogram[60] = 0;
    EXPECT_EQ(ClipLevels(histogram, 0.01, 0.1).Lo, -1);
    EXPECT_EQ(ClipLevels(histogram, 0.01, 0.1).Hi, 50);
    histogram[50] = 499;  // nHigh = 0.499 rounds to 0
    EXPECT_EQ(ClipLevels(histogram, 0.01, 0.1).Hi, 256);
    const THistogram empty{};
    EXPECT_EQ(ClipLevels(empty, 0.01, 0.1).Lo, -1);
    EXPECT_EQ(ClipLevels(empty, 0.01, 0.1).Hi, 256);
}

TEST(EnhanceColours, SingleLevelPictureStaysAsItWas)
{
    // 160,000 pixels of level 60 (60.33 rounded): lo = hi = 60.
    Bitmap picture(400, 400);
    picture.Fill(30, 60, 91);
    EXPECT_EQ(EnhanceColours(picture), picture);
}
