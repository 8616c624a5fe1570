#include <gtest/gtest.h>

#include <array>
#include <random>
#include <stdexcept>
#include <tuple>

#include "enhance/colour_stretch.h"
#include "enhance/equalization.h"
#include "imaging/band_map.h"
#include "imaging/true_colour.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(SetBrightnessAndStretchLevel, WorkedExamples)
{
    using Rgb = std::array<uint8_t, 3>;
    for (const auto& [b, g, r, v, out] : {std::tuple{100, 50, 30, 90, Rgb{150, 75, 45}}, {200, 100, 0, 200, Rgb{255, 200, 145}},
                                          {255, 0, 0, 255, Rgb{255, 255, 255}}, {0, 0, 0, 5, Rgb{5, 5, 5}},
                                          {1, 2, 3, 0, Rgb{0, 0, 0}}, {1, 2, 3, 1, Rgb{0, 1, 2}}})  // 0.5, 1, 1.5
        EXPECT_EQ(SetBrightness(b, g, r, v), out) << v;
    // 120 gives 127.5, a tie to even; 219 gives 253.725.
    for (const auto& [level, lo, hi, stretched] : {std::array{20, 20, 220, 0}, {220, 20, 220, 255}, {120, 20, 220, 128},
                                                   {219, 20, 220, 254}, {5, 20, 220, 0}, {250, 20, 220, 255},
                                                   {0, -1, 256, 1}, {90, 90, 90, 90}})
        EXPECT_EQ(StretchLevel(level, lo, hi), stretched) << level << " in " << lo << ".." << hi;
}

TEST(ClipLevels, CountsFromBothEndsAndSmallOrSingleLevelPicturesClipNothing)
{
    const auto clip = [](const THistogram& h) {
        const TClipLevels levels = ClipLevels(h, 0.01, 0.1);
        return std::make_pair(levels.Lo, levels.Hi);
    };
    THistogram h{};
    h[0] = 160000;  // the bright end's count runs down to level 0 itself
    EXPECT_EQ(clip(h), std::make_pair(0, 0));
    h[0] = 0;
    h[100] = 160000;
    EXPECT_EQ(clip(h), std::make_pair(100, 100));
    // 160,000 pixels clip 16 at the dark end and 160 at the bright end.
    for (const auto& [level, count] : {std::pair{100, 160000 - 176}, {3, 15}, {4, 1}, {250, 159}, {249, 1}}) h[level] = count;
    EXPECT_EQ(clip(h), std::make_pair(4, 249));

    THistogram small{};
    small[50] = 4999;  // nLow = 0.4999 rounds to 0
    EXPECT_EQ(clip(small), std::make_pair(-1, 50));
    small[50] = 499;  // nHigh = 0.499 rounds to 0
    EXPECT_EQ(clip(small), std::make_pair(-1, 256));

    Bitmap picture(400, 400);  // level 60 (60.33 rounded): lo = hi = 60
    picture.Fill(30, 60, 91);
    EXPECT_EQ(EnhanceColours(picture), picture);
}

TEST(TrueColour, CubesWithoutTheRedBandsAreRefused)
{
    EXPECT_FALSE(TrueColourRefusal(MakeCube(36, 1, 2, -5)).has_value());
    EXPECT_NE(TrueColourRefusal(MakeCube(35, 2, 2)).value_or("").find("35"), std::string::npos);
    EXPECT_THROW(TrueColourComposite(MakeCube(35, 2, 2)), std::invalid_argument);
}

TEST(BandMap, ScaleAndGreyLevelsOfWorkedExamples)
{
    EXPECT_EQ(std::make_tuple(BandMapScale(0), BandMapScale(1), BandMapScale(510)), std::make_tuple(1.0, 255.0, 0.5));
    const struct {
        std::vector<int16_t> values;
        int16_t maximum;
        std::vector<int> greys;
    } cases[] = {
        {{0, -1, -32768, 0}, 0, {0, 0, 0, 0}},        // nothing above 0: scale 1, all black
        {{0, 1, 0, 1}, 1, {0, 255, 0, 255}},          // maximum 1 maps to 255
        {{1, 3, 5, 510, 0}, 510, {0, 2, 2, 255, 0}},  // 0.5, 1.5, 2.5 go to the even neighbour
        {{-5, 2, -32768, 1}, 2, {0, 255, 0, 128}},    // negatives show as 0; 127.5 -> 128
        {{7, 1, 0, 3}, 7, {255, 36, 0, 109}},         // the maximum in the first pixel
    };
    for (const auto& c : cases) {
        TData cube = MakeCube(1, 1, int(c.values.size()));
        cube.Values.assign(c.values.begin(), c.values.end());
        const BandMapResult map = MakeBandMap(cube, 1);
        EXPECT_EQ(map.Maximum, c.maximum);
        for (int x = 0; x < cube.NColumns; ++x)
            EXPECT_EQ(std::vector<int>(map.Picture.ScanLine(0) + 3 * x, map.Picture.ScanLine(0) + 3 * x + 3),
                      std::vector<int>(3, c.greys[x])) << c.maximum << " x " << x;
    }
    TData two = MakeCube(2, 1, 2);
    two.Values = {1, 2, 500, 0};  // the maximum stays within its own band
    EXPECT_EQ(MakeBandMap(two, 1).Maximum, 2);
    TData rows = MakeCube(1, 2, 2);
    rows.Values = {0, 0, 4, 4};  // each row of the map shows its own row
    EXPECT_EQ(MakeBandMap(rows, 1).Picture.ScanLine(1)[0], 255);
}

TEST(EqualizationWindow, PlacementFollowsTheEdgeRuleAndValueRoundsTiesToEven)
{
    // e = 45 on 400 rows: rows 0..44 at the top, centred in the middle, 354..398 at the bottom.
    for (const auto& [position, start] :
         {std::pair{0, 0}, {22, 0}, {23, 1}, {200, 178}, {360, 338}, {375, 353}, {376, 354}, {377, 354}, {399, 354}})
        EXPECT_EQ(WindowStart(position, 400, 45), start) << position;
    EXPECT_EQ(WindowStart(100, 400, 46), 77);  // an even side 46 gives h = 23: rows y - 23 .. y + 22
    // 1, 3 and 2 of 10 pixels counted at or under levels 1, 3 and 4: 25.5, 76.5 and 51.
    THistogram cumulative{};
    for (const auto& [level, count] : {std::pair{255, 10}, {1, 1}, {3, 3}, {4, 2}}) cumulative[level] = count;
    for (const auto& [level, value] : {std::pair{1, 26}, {3, 76}, {4, 51}, {255, 255}})
        EXPECT_EQ(EqualizeValue(level, cumulative), value) << level;
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
}

TEST(Equalize, PicturesWithoutRoomForTheWindowAreRefused)
{
    EXPECT_FALSE(EqualizationRefusal(Bitmap(46, 46), 45).has_value() ||
                 EqualizationRefusal(Bitmap(100, 100), kMaxEqualizationWindow).has_value());
    for (const Bitmap& small : {Bitmap(45, 100), Bitmap(100, 45)}) {
        EXPECT_NE(EqualizationRefusal(small, 45).value_or("").find("46x46"), std::string::npos);
        EXPECT_THROW(Equalize(small, 45), std::invalid_argument);
        EXPECT_THROW(EqualizePerPixel(small, 45), std::invalid_argument);
    }
    for (const int e : {4, 100}) EXPECT_TRUE(EqualizationRefusal(Bitmap(200, 200), e).has_value()) << e;
}
