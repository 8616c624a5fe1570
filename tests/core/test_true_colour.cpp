#include <gtest/gtest.h>

#include <stdexcept>

#include "enhance/colour_stretch.h"
#include "imaging/true_colour.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(TrueColour, EachChannelAveragesItsBandsAndScalesToItsMaximum)
{
    TData cube = MakeCube(65, 1, 2);
    // Pixel 0: blue bands 6-8 (cube 5-7) average 51, green 18-20 average 10, red 34-36 average 3.
    for (int b : {5, 6, 7}) SetCell(cube, b, 0, 0, 51);
    SetCell(cube, 17, 0, 0, 10);
    SetCell(cube, 18, 0, 0, 10);
    SetCell(cube, 19, 0, 0, 10);
    SetCell(cube, 33, 0, 0, 1);
    SetCell(cube, 34, 0, 0, 2);
    SetCell(cube, 35, 0, 0, 6);
    // Pixel 1: blue average 17, green average 20, red 1; bands outside the groups are ignored.
    for (int b : {5, 6, 7}) SetCell(cube, b, 0, 1, 17);
    for (int b : {17, 18, 19}) SetCell(cube, b, 0, 1, 20);
    SetCell(cube, 34, 0, 1, 3);
    SetCell(cube, 4, 0, 1, 4000);
    SetCell(cube, 36, 0, 1, 4000);
    const Bitmap picture = ChannelComposite(cube);
    const uint8_t* p = picture.ScanLine(0);
    EXPECT_EQ(p[0], 255);
    EXPECT_EQ(p[1], 128);  // 10 x 255 / 20 = 127.5, tie to even
    EXPECT_EQ(p[2], 255);
    EXPECT_EQ(p[3], 85);
    EXPECT_EQ(p[4], 255);
    EXPECT_EQ(p[5], 85);
    EXPECT_EQ(TrueColourComposite(cube), EnhanceColours(picture));
}

TEST(TrueColour, ZeroCutoutIsBlack)
{
    // Scales 1.0, and 160,000 pixels of level 0 give lo = hi = 0: no stretch.
    const TData cube = MakeCube(36, 400, 400);
    EXPECT_EQ(TrueColourComposite(cube), Bitmap(400, 400));
}

TEST(TrueColour, NegativeAveragesShowAsZero)
{
    TData cube = MakeCube(36, 1, 2, -5);
    for (int b : {5, 6, 7}) SetCell(cube, b, 0, 1, 30);
    const Bitmap picture = ChannelComposite(cube);
    EXPECT_EQ(picture.ScanLine(0)[0], 0);
    EXPECT_EQ(picture.ScanLine(0)[1], 0);
    EXPECT_EQ(picture.ScanLine(0)[3], 255);
}

TEST(TrueColour, CutoutsWithFewerThan36BandsAreRefused)
{
    EXPECT_FALSE(TrueColourRefusal(MakeCube(36, 2, 2)).has_value());
    const TData small = MakeCube(35, 2, 2);
    ASSERT_TRUE(TrueColourRefusal(small).has_value());
    EXPECT_NE(TrueColourRefusal(small)->find("35"), std::string::npos);
    EXPECT_THROW(TrueColourComposite(small), std::invalid_argument);
}
