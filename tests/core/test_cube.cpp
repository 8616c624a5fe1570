#include <gtest/gtest.h>

#include "data/cube.h"
#include "data/number_format.h"
#include "data/program_paths.h"
#include "data/rounding.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

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

TEST(CubeValue, OneBasedColumnRowBandAndBandMaximumNeverBelowZero)
{
    TData cube = MakeCube(2, 3, 4, -5);
    SetCell(cube, 0, 0, 0, 11);
    SetCell(cube, 1, 2, 3, -7);
    EXPECT_EQ(CubeValue(cube, 1, 1, 1), 11.0);
    EXPECT_EQ(CubeValue(cube, 4, 3, 2), -7.0);
    EXPECT_EQ(BandMaximum(cube, 2).Maximum, 0);
    SetCell(cube, 1, 1, 0, 4095);
    SetCell(cube, 1, 2, 0, 12);
    EXPECT_EQ(BandMaximum(cube, 2).Maximum, 4095);
    EXPECT_EQ(BandMaximum(cube, 2).Plane, cube.Plane(1));
}

TEST(SampleSpectrum, PlotPositionsOfFirstAndLastBandAndTiesToEven)
{
    TData cube = MakeCube(65, 1, 2);
    SetCell(cube, 0, 0, 0, 1234);
    SetCell(cube, 0, 0, 1, 25);  // 25 x 400 / 4000 = 2.5
    SetCell(cube, 1, 0, 1, 35);  // 3.5
    const TSpectrumSequence points = SampleSpectrum(cube, InitBandTable(), 1, 1, 545, 400);
    ASSERT_EQ(points.size(), 65u);
    EXPECT_EQ(points[0].X, 4);
    EXPECT_EQ(points[64].X, 541);
    EXPECT_EQ(points[0].Y, 123);
    EXPECT_EQ(points[1].Y, 0);
    const TSpectrumSequence ties = SampleSpectrum(cube, InitBandTable(), 2, 1, 545, 400);
    EXPECT_EQ(ties[0].Y, 2);
    EXPECT_EQ(ties[1].Y, 4);
}

TEST(FormatNumber, ShortestGeneralFormDecimalCommaAndExponents)
{
    EXPECT_EQ(FormatNumber(-1234), "-1234");
    EXPECT_EQ(FormatNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatNumber(-0.0), "0");
    EXPECT_EQ(FormatNumber(0.98635, ','), "0,98635");
    EXPECT_EQ(FormatNumber(1.5e-5, ','), "1,5E-5");
    EXPECT_EQ(FormatNumber(1e20), "1E20");
    EXPECT_EQ(FormatNumber(123456789012345.0), "123456789012345");
}

TEST(ProgramPath, EitherSeparatorJoinsBelowProgramDir)
{
    EXPECT_EQ(ProgramPath("/home/u/lumera", "\\data\\vyrezy\\"), "/home/u/lumera/data/vyrezy/");
    EXPECT_EQ(ProgramPath("/home/u/lumera/", "/data/refsp/AllRefSp.dat"), "/home/u/lumera/data/refsp/AllRefSp.dat");
    EXPECT_EQ(ProgramPath("/home/u/lumera", "obr"), "/home/u/lumera/obr");
    EXPECT_EQ(ProgramPath("/", "\\obr\\"), "/obr/");
}
