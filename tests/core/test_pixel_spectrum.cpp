#include <gtest/gtest.h>

#include "data/cube_ranges.h"
#include "imaging/pixel_spectrum.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// 65 bands of 2 x 3 pixels; pixel (column c, row r) of band b holds f(b, r, c).
template <typename F>
TData Cube65(F f, int bands = 65)
{
    TData cube;
    cube.NBands = bands;
    cube.NRows = 2;
    cube.NColumns = 3;
    for (int b = 0; b < bands; ++b)
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) cube.Values.push_back(static_cast<int16_t>(f(b, r, c)));
    return cube;
}

Bitmap WhitePlot()
{
    Bitmap plot(kSpectrumPlotWidth, kSpectrumPlotHeight);
    plot.Fill(255, 255, 255);
    return plot;
}

}  // namespace

TEST(SpectrumList, LineHasTwoSpacesBetweenBandAndValue)
{
    EXPECT_EQ(SpectrumLine(3, 812), "B3  812");
    EXPECT_EQ(SpectrumLine(65, -12), "B65  -12");
    EXPECT_EQ(SpectrumLine(1, 0), "B1  0");
}

TEST(SpectrumList, OneLinePerBandBandOneFirst)
{
    const TData cube = Cube65([](int b, int r, int c) { return 100 * b + 10 * r + c - 50; });
    const auto lines = SpectrumLines(cube, 3, 2);  // column 3, row 2 (1-based)
    ASSERT_EQ(lines.size(), 65u);
    EXPECT_EQ(lines[0], "B1  -38");
    EXPECT_EQ(lines[1], "B2  62");
    EXPECT_EQ(lines[64], "B65  6362");
    const auto values = PixelSpectrum(cube, 3, 2);
    ASSERT_EQ(values.size(), 65u);
    EXPECT_EQ(values[64], 6362.0);
    EXPECT_EQ(SpectrumLines(Cube65([](int, int, int) { return 1; }, 10), 1, 1).size(), 10u);
}

TEST(SpectrumPlot, PointsLieAtTheirBandsWithFourThousandAtTheTop)
{
    const TBandTable table = InitBandTable();
    // Pixel (1, 1) holds 2000 in every band: a horizontal line at row 400 - 200.
    const TData cube = Cube65([](int, int r, int c) { return r == 0 && c == 0 ? 2000 : 4000; });
    Bitmap plot = WhitePlot();
    DrawSpectrum(plot, cube, table, 1, 1);
    // Band 1 lies at X = 4, band 65 at X = 541.
    for (int x = 4; x <= 541; ++x) EXPECT_TRUE(IsBlack(plot, x, 200)) << x;
    EXPECT_FALSE(IsBlack(plot, 3, 200));
    EXPECT_FALSE(IsBlack(plot, 542, 200));
    EXPECT_EQ(CountBlack(plot), 541 - 4 + 1);

    // 4000 reaches the top row.
    Bitmap top = WhitePlot();
    DrawSpectrum(top, cube, table, 2, 1);
    EXPECT_TRUE(IsBlack(top, 4, 0));
    EXPECT_TRUE(IsBlack(top, 541, 0));
    EXPECT_EQ(CountBlack(top), 541 - 4 + 1);
}

TEST(SpectrumPlot, CurvesAccumulate)
{
    const TBandTable table = InitBandTable();
    const TData cube = Cube65([](int b, int r, int c) { return c == 0 ? 1000 + 10 * b : 3000 - 10 * b + r; });
    Bitmap first = WhitePlot(), second = WhitePlot(), both = WhitePlot();
    DrawSpectrum(first, cube, table, 1, 1);
    DrawSpectrum(second, cube, table, 2, 1);
    DrawSpectrum(both, cube, table, 1, 1);
    DrawSpectrum(both, cube, table, 2, 1);
    for (int y = 0; y < both.Height(); ++y)
        for (int x = 0; x < both.Width(); ++x) ASSERT_EQ(IsBlack(both, x, y), IsBlack(first, x, y) || IsBlack(second, x, y));
    EXPECT_GT(CountBlack(first), 0);
    EXPECT_GT(CountBlack(second), 0);
}

TEST(SpectrumPlot, ValuesOutsideTheRangeAreClipped)
{
    const TBandTable table = InitBandTable();
    // Alternating 0 (row 400, just below the plot), 32767 and -32768.
    const TData cube = Cube65([](int b, int, int) { return b % 3 == 0 ? 0 : (b % 3 == 1 ? 32767 : -32768); });
    Bitmap plot = WhitePlot();
    DrawSpectrum(plot, cube, table, 1, 1);  // must stay inside the bitmap (sanitizers watch)
    EXPECT_GT(CountBlack(plot), 0);         // the steep lines cross the plot

    const TData zeros = Cube65([](int, int, int) { return 0; });
    Bitmap empty = WhitePlot();
    DrawSpectrum(empty, zeros, table, 1, 1);
    EXPECT_EQ(CountBlack(empty), 0);  // all on row 400, below the visible rows
}

TEST(SpectrumPlot, ClearingKeepsRowZeroAndColumnZero)
{
    Bitmap plot(kSpectrumPlotWidth, kSpectrumPlotHeight);  // black all over
    ClearSpectrumPlot(plot);
    for (int x = 0; x < plot.Width(); ++x) EXPECT_TRUE(IsBlack(plot, x, 0));
    for (int y = 0; y < plot.Height(); ++y) EXPECT_TRUE(IsBlack(plot, 0, y));
    EXPECT_EQ(CountBlack(plot), kSpectrumPlotWidth + kSpectrumPlotHeight - 1);
    EXPECT_EQ(plot.ScanLine(399)[3 * 544 + 2], 255);
}

TEST(CubeRanges, InsideIsEmptyOutsideNamesTheValueAndRange)
{
    const TData cube = Cube65([](int, int, int) { return 0; }, 10);
    EXPECT_EQ(BandRangeError(cube, 1), "");
    EXPECT_EQ(BandRangeError(cube, 10), "");
    EXPECT_EQ(BandRangeError(cube, 11), "Band 11 leží mimo datový výřez: výřez má bandy 1 až 10.");
    EXPECT_NE(BandRangeError(cube, 0), "");
    EXPECT_EQ(PixelRangeError(cube, 3, 2), "");
    EXPECT_EQ(PixelRangeError(cube, 4, 1), "Sloupec 4 leží mimo datový výřez: výřez má sloupce 1 až 3.");
    EXPECT_EQ(PixelRangeError(cube, 1, 3), "Řádek 3 leží mimo datový výřez: výřez má řádky 1 až 2.");
    EXPECT_NE(PixelRangeError(cube, 0, 1), "");
    EXPECT_NE(PixelRangeError(cube, 1, -1), "");
}
