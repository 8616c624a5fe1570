#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "imaging/band_map.h"

using namespace lumera;

namespace {

// A cube of one row of the given values per band.
TData Cube(const std::vector<std::vector<int16_t>>& bands)
{
    TData cube;
    cube.NBands = static_cast<int32_t>(bands.size());
    cube.NRows = 1;
    cube.NColumns = static_cast<int32_t>(bands[0].size());
    for (const auto& band : bands) cube.Values.insert(cube.Values.end(), band.begin(), band.end());
    return cube;
}

std::vector<int> Greys(const Bitmap& picture)
{
    std::vector<int> greys;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const uint8_t* px = picture.ScanLine(y) + 3 * x;
            EXPECT_EQ(px[0], px[1]);
            EXPECT_EQ(px[1], px[2]);
            greys.push_back(px[0]);
        }
    return greys;
}

}  // namespace

TEST(BandMap, ScaleFollowsTheMaximum)
{
    EXPECT_EQ(BandMapScale(0), 1.0);
    EXPECT_EQ(BandMapScale(1), 255.0);
    EXPECT_EQ(BandMapScale(510), 0.5);
}

TEST(BandMap, BandOfZerosAndNegativesUsesScaleOneAndShowsBlack)
{
    const TData cube = Cube({{0, -1, -32768, 0}});
    const BandMapResult map = MakeBandMap(cube, 1);
    EXPECT_EQ(map.Maximum, 0);
    EXPECT_EQ(Greys(map.Picture), (std::vector<int>{0, 0, 0, 0}));
}

TEST(BandMap, MaximumOneMapsTo255)
{
    const BandMapResult map = MakeBandMap(Cube({{0, 1, 0, 1}}), 1);
    EXPECT_EQ(map.Maximum, 1);
    EXPECT_EQ(Greys(map.Picture), (std::vector<int>{0, 255, 0, 255}));
}

TEST(BandMap, HalvesRoundToTheEvenNeighbour)
{
    // Scale 0.5: 1 -> 0.5 -> 0, 3 -> 1.5 -> 2, 5 -> 2.5 -> 2, 510 -> 255.
    const BandMapResult map = MakeBandMap(Cube({{9, 9, 9, 9, 9}, {1, 3, 5, 510, 0}}), 2);
    EXPECT_EQ(map.Maximum, 510);
    EXPECT_EQ(Greys(map.Picture), (std::vector<int>{0, 2, 2, 255, 0}));
}

TEST(BandMap, NegativeValuesShowAsZero)
{
    const BandMapResult map = MakeBandMap(Cube({{-5, 2, -32768, 1}}), 1);
    EXPECT_EQ(map.Maximum, 2);
    EXPECT_EQ(Greys(map.Picture), (std::vector<int>{0, 255, 0, 128}));  // 127.5 -> 128
}

TEST(BandMap, AgreesWithTheFormulaPixelByPixel)
{
    TData cube;
    cube.NBands = 2;
    cube.NRows = 37;
    cube.NColumns = 53;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(-200, 4095);
    for (std::size_t i = 0; i < 2 * cube.PlaneSize(); ++i) cube.Values.push_back(static_cast<int16_t>(value(random)));
    for (int band : {1, 2}) {
        const BandMapResult map = MakeBandMap(cube, band);
        ASSERT_EQ(map.Picture.Width(), 53);
        ASSERT_EQ(map.Picture.Height(), 37);
        int16_t maximum = 0;
        for (std::size_t i = 0; i < cube.PlaneSize(); ++i) maximum = std::max(maximum, cube.Plane(band - 1)[i]);
        ASSERT_EQ(map.Maximum, maximum);
        const double scale = 255.0 / maximum;
        for (int y = 0; y < 37; ++y)
            for (int x = 0; x < 53; ++x) {
                const int16_t v = cube.At(band - 1, y, x);
                const int expected = v <= 0 ? 0 : static_cast<int>(std::nearbyint(v * scale));
                ASSERT_EQ(map.Picture.ScanLine(y)[3 * x], expected) << x << "," << y;
            }
    }
}
