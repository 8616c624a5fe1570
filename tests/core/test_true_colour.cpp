#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "enhance/colour_stretch.h"
#include "imaging/band_map.h"
#include "imaging/true_colour.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

using Rgb = std::array<uint8_t, 3>;

TEST(SetBrightnessAndStretchLevel, WorkedExamples)
{
    for (const auto& [b, g, r, v, out] : {std::tuple{100, 50, 30, 90, Rgb{150, 75, 45}}, {200, 100, 0, 200, Rgb{255, 200, 145}},
                                          {255, 0, 0, 255, Rgb{255, 255, 255}}, {0, 0, 0, 5, Rgb{5, 5, 5}},
                                          {1, 2, 3, 0, Rgb{0, 0, 0}}})
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

TEST(TrueColour, EachChannelAveragesItsBandsScalesToItsMaximumAndNegativesShowAsZero)
{
    TData cube = MakeCube(65, 1, 2);
    // Pixel 0: blue bands 6-8 average 51, green 18-20 average 10, red 34-36 average 3.
    // Pixel 1: blue average 17, green 20, red 1; the bands next to the groups are ignored.
    for (const auto& [x, first, last, v] : std::vector<std::array<int, 4>>{
             {0, 6, 8, 51}, {0, 18, 20, 10}, {0, 34, 34, 1}, {0, 35, 35, 2}, {0, 36, 36, 6},
             {1, 6, 8, 17}, {1, 18, 20, 20}, {1, 35, 35, 3}})
        SetBands(cube, x, 0, first, last, int16_t(v));
    for (int band : {5, 9, 17, 21, 33, 37}) SetBands(cube, 1, 0, band, band, 4000);
    const Bitmap picture = ChannelComposite(cube);
    // Green of pixel 0: 10 x 255 / 20 = 127.5, tie to even.
    EXPECT_EQ(std::vector<int>(picture.Bytes().begin(), picture.Bytes().end()),
              (std::vector<int>{255, 128, 255, 85, 255, 85}));
    EXPECT_EQ(TrueColourComposite(cube), EnhanceColours(picture));

    TData negative = MakeCube(36, 1, 2, -5);
    SetBands(negative, 1, 0, 6, 8, 30);
    const Bitmap shown = ChannelComposite(negative);
    EXPECT_EQ(std::vector<int>(shown.Bytes().begin(), shown.Bytes().end()), (std::vector<int>{0, 0, 0, 255, 0, 0}));
    EXPECT_FALSE(TrueColourRefusal(negative).has_value());
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
}
