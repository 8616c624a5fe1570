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

uint8_t& Green(Bitmap& picture, int x, int y) { return picture.ScanLine(y)[3 * x + 1]; }

}  // namespace

TEST(EqualizationWindow, PlacementFollowsTheEdgeRuleAndValueRoundsTiesToEven)
{
    // e = 45 on 400 rows: rows 0..44 at the top, centred in the middle, 354..398 at the bottom.
    for (const auto& [position, start] : {std::pair{0, 0}, {22, 0}, {23, 1}, {200, 178}, {376, 354}, {399, 354}})
        EXPECT_EQ(WindowStart(position, 400, 45), start) << position;
    EXPECT_EQ(WindowStart(100, 400, 46), 77);  // an even side 46 gives h = 23: rows y - 23 .. y + 22
    // 1, 3 and 2 of 10 pixels counted at or under levels 1, 3 and 4: 25.5, 76.5 and 51.
    THistogram cumulative{};
    for (const auto& [level, count] : {std::pair{255, 10}, {1, 1}, {3, 3}, {4, 2}}) cumulative[level] = count;
    for (const auto& [level, value] : {std::pair{1, 26}, {3, 76}, {4, 51}, {255, 255}})
        EXPECT_EQ(EqualizeValue(level, cumulative), value) << level;
}

TEST(Equalize, OnlyGreenCountsAndOnlyTheDarkestPixelBecomesBlack)
{
    Bitmap uniform = GreyPicture(60, 50, 77);
    uniform.ScanLine(20)[3 * 20] = 0;  // blue and red do not count
    uniform.ScanLine(20)[3 * 20 + 2] = 255;
    EXPECT_EQ(Equalize(uniform, 45), GreyPicture(60, 50, 255));

    Bitmap picture = GreyPicture(400, 400, 100);
    Green(picture, 200, 200) = 10;
    Green(picture, 100, 300) = 250;
    Bitmap result = Equalize(picture, 45);
    EXPECT_EQ(Green(result, 200, 200), 0);  // 255 / 2025 rounded
    EXPECT_EQ(Green(result, 100, 300), 255);
    EXPECT_EQ(Green(result, 201, 200), 255);  // its neighbour has all 2025 at or under its level
}

TEST(Equalize, SlidingHistogramMatchesTheDefinition)
{
    // Green drawn from only a few levels at times so that windows hold many ties.
    std::mt19937 random(2024);
    const auto picture = [&](int width, int height, int levels) {
        std::uniform_int_distribution<int> level(0, levels - 1), byte(0, 255);
        Bitmap p(width, height);
        for (std::size_t i = 0; i < p.Bytes().size(); ++i)
            p.ScanLine(0)[i] = static_cast<uint8_t>(i % 3 == 1 ? level(random) * 255 / std::max(levels - 1, 1) : byte(random));
        return p;
    };
    std::uniform_int_distribution<int> side(5, 16), extra(1, 30), levels(1, 256);
    for (int trial = 0; trial < 150; ++trial) {
        const int e = side(random), width = e + extra(random), height = e + extra(random);
        const Bitmap p = picture(width, height, levels(random));
        ASSERT_EQ(Equalize(p, e), EqualizePerPixel(p, e)) << "e " << e << ", " << width << "x" << height;
    }
    for (const int e : {45, 46, 99}) {
        const Bitmap p = picture(160, 130, e == 46 ? 7 : 256);
        ASSERT_EQ(Equalize(p, e), EqualizePerPixel(p, e)) << "e " << e;
    }
}

TEST(Equalize, PicturesWithoutRoomForTheWindowAreRefused)
{
    EXPECT_FALSE(EqualizationRefusal(GreyPicture(46, 46, 1), 45).has_value());
    for (const Bitmap& small : {GreyPicture(45, 100, 1), GreyPicture(100, 45, 1)}) {
        EXPECT_NE(EqualizationRefusal(small, 45).value_or("").find("46x46"), std::string::npos);
        EXPECT_THROW(Equalize(small, 45), std::invalid_argument);
        EXPECT_THROW(EqualizePerPixel(small, 45), std::invalid_argument);
    }
    for (const int e : {4, 100}) EXPECT_TRUE(EqualizationRefusal(GreyPicture(200, 200, 1), e).has_value()) << e;
}
