#include <gtest/gtest.h>

#include "cube_builder.h"
#include "data/cube.h"
#include "data/rounding.h"

using namespace lumera;
using lumera::testing::MakeCube;

namespace {

void Set(TData& cube, int band, int row, int column, int16_t v)
{
    cube.Values[(std::size_t(band) * cube.NRows + row) * cube.NColumns + column] = v;
}

}  // namespace

TEST(BandTable, FirstAndLastRows)
{
    const TBandTable table = InitBandTable();
    ASSERT_EQ(table.size(), 65u);
    EXPECT_EQ(table[0].Center, 0.3917);
    EXPECT_EQ(table[0].Width, 0.0086);
    EXPECT_EQ(table[64].Center, 0.9816);
    EXPECT_EQ(table[64].Width, 0.0095);
    for (std::size_t i = 1; i < table.size(); ++i) EXPECT_GT(table[i].Center, table[i - 1].Center);
}

TEST(DataUnit, StartsWithSensorBandsAndNothingLoaded)
{
    DataUnit data;
    EXPECT_EQ(data.NBands(), 65);
    EXPECT_EQ(data.NRows(), 0);
    EXPECT_FALSE(data.DataLoaded);
}

TEST(CubeValue, FirstAndLastCellsAreOneBased)
{
    TData cube = MakeCube(2, 3, 4);
    Set(cube, 0, 0, 0, 11);
    Set(cube, 1, 2, 3, -7);
    EXPECT_EQ(CubeValue(cube, 1, 1, 1), 11.0);
    EXPECT_EQ(CubeValue(cube, 4, 3, 2), -7.0);
}

TEST(SampleSpectrum, PlotPositionsOfFirstAndLastBand)
{
    TData cube = MakeCube(65, 1, 1);
    Set(cube, 0, 0, 0, 1234);
    const TSpectrumSequence points = SampleSpectrum(cube, InitBandTable(), 1, 1, 545, 400);
    ASSERT_EQ(points.size(), 65u);
    EXPECT_EQ(points[0].X, 4);
    EXPECT_EQ(points[64].X, 541);
    EXPECT_EQ(points[0].Y, 123);
    EXPECT_EQ(points[1].Y, 0);
}

TEST(SampleSpectrum, ValueScalingRoundsTiesToEven)
{
    TData cube = MakeCube(65, 1, 1);
    Set(cube, 0, 0, 0, 25);  // 25 * 400/4000 = 2.5
    Set(cube, 1, 0, 0, 35);  // 3.5
    const TSpectrumSequence points = SampleSpectrum(cube, InitBandTable(), 1, 1, 545, 400);
    EXPECT_EQ(points[0].Y, 2);
    EXPECT_EQ(points[1].Y, 4);
}

TEST(Rounding, TiesGoToEven)
{
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.5000001), 3);
    EXPECT_EQ(RoundToByte(-3.0), 0);
    EXPECT_EQ(RoundToByte(255.6), 255);
    EXPECT_EQ(RoundToByte(0.5), 0);
}

TEST(BandMaximum, NeverBelowZeroAndStrictMaximum)
{
    TData cube = MakeCube(2, 2, 2, -5);
    EXPECT_EQ(BandMaximum(cube, 1).Maximum, 0);
    Set(cube, 1, 1, 0, 4095);
    Set(cube, 1, 0, 1, 12);
    const BandMaximumResult result = BandMaximum(cube, 2);
    EXPECT_EQ(result.Maximum, 4095);
    EXPECT_EQ(result.Plane, cube.Plane(1));
}
