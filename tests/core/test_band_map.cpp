#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "imaging/band_map.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

TEST(BandMap, ScaleAndGreyLevelsOfWorkedExamples)
{
    EXPECT_EQ(BandMapScale(0), 1.0);
    EXPECT_EQ(BandMapScale(1), 255.0);
    EXPECT_EQ(BandMapScale(510), 0.5);
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
        cube.Values = c.values;
        const BandMapResult map = MakeBandMap(cube, 1);
        EXPECT_EQ(map.Maximum, c.maximum);
        for (int x = 0; x < cube.NColumns; ++x) {
            const uint8_t* px = map.Picture.ScanLine(0) + 3 * x;
            EXPECT_TRUE(px[0] == c.greys[x] && px[1] == c.greys[x] && px[2] == c.greys[x]) << c.maximum << " x " << x;
        }
    }
}

// The map looks grey levels up in a table; it must agree with value x scale, rounded.
TEST(BandMap, LookupAgreesWithThePlainDefinition)
{
    const TData cube = RandomCube(2, 37, 53, 7, -200, 4095);
    for (int band : {1, 2}) {
        const BandMapResult map = MakeBandMap(cube, band);
        ASSERT_EQ(map.Picture.Width(), 53);
        ASSERT_EQ(map.Picture.Height(), 37);
        const int16_t* plane = cube.Plane(band - 1);
        ASSERT_EQ(map.Maximum, *std::max_element(plane, plane + cube.PlaneSize()));
        for (int y = 0; y < 37; ++y)
            for (int x = 0; x < 53; ++x) {
                const int16_t v = cube.At(band - 1, y, x);
                const int expected = v <= 0 ? 0 : int(std::nearbyint(v * (255.0 / map.Maximum)));
                ASSERT_EQ(map.Picture.ScanLine(y)[3 * x], expected) << x << "," << y;
            }
    }
}
