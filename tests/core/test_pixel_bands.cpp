#include <gtest/gtest.h>

#include "data/cube_ranges.h"
#include "imaging/pixel_bands.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// 2 rows of 3 pixels; pixel (column c, row r) of band b holds f(b, r, c), all 0-based.
template <typename F>
TData Cube(F f, int bands = 65)
{
    TData cube = MakeCube(bands, 2, 3);
    for (std::size_t i = 0; i < cube.Values.size(); ++i) cube.Values[i] = int16_t(f(int(i / 6), int(i / 3 % 2), int(i % 3)));
    return cube;
}

// The pixel (column, row) drawn onto a white plot, over what `plot` already holds.
Bitmap Plot(const TData& cube, int column, int row, Bitmap plot = Bitmap())
{
    if (plot.Empty()) (plot = Bitmap(kSpectrumPlotWidth, kSpectrumPlotHeight)).Fill(255, 255, 255);
    DrawSpectrum(plot, cube, InitBandTable(), column, row);
    return plot;
}

}  // namespace

TEST(SpectrumList, OneLinePerBandTwoSpacesBeforeTheValueAndPositionsOutsideTheCubeNamed)
{
    const TData cube = Cube([](int b, int r, int c) { return 100 * b + 10 * r + c - 50; });
    const auto lines = SpectrumLines(cube, 3, 2);  // column 3, row 2 (1-based)
    ASSERT_EQ(lines.size(), 65u);
    EXPECT_EQ(lines[0], "B1  -38");
    EXPECT_EQ(lines[64], "B65  6362");
    EXPECT_EQ(PixelSpectrum(cube, 3, 2).at(64), 6362.0);
    EXPECT_EQ(SpectrumLines(Cube([](int, int, int) { return 1; }, 10), 1, 1).size(), 10u);
    const TData small = MakeCube(10, 2, 3);
    EXPECT_EQ(BandRangeError(small, 1) + BandRangeError(small, 10) + PixelRangeError(small, 3, 2), "");
    EXPECT_EQ(BandRangeError(small, 11), "Band 11 leží mimo datový výřez: výřez má bandy 1 až 10.");
    EXPECT_EQ(PixelRangeError(small, 4, 1), "Sloupec 4 leží mimo datový výřez: výřez má sloupce 1 až 3.");
    EXPECT_EQ(PixelRangeError(small, 1, 3), "Řádek 3 leží mimo datový výřez: výřez má řádky 1 až 2.");
    EXPECT_TRUE(!BandRangeError(small, 0).empty() && !PixelRangeError(small, 0, 1).empty() && !PixelRangeError(small, 1, 0).empty());
}

TEST(SpectrumPlot, PointsLieAtTheirBandsCurvesAccumulateValuesOutsideAreClippedAndClearingKeepsTheAxes)
{
    // Pixel (1, 1) holds 2000 in every band: a horizontal line at row 400 - 200
    // from band 1 at X = 4 to band 65 at X = 541; the others hold 4000, the top row.
    const TData cube = Cube([](int, int r, int c) { return r == 0 && c == 0 ? 2000 : 4000; });
    for (const auto& [column, y] : {std::pair{1, 200}, std::pair{2, 0}}) {
        const Bitmap plot = Plot(cube, column, 1);
        for (int x = 4; x <= 541; ++x) EXPECT_TRUE(IsBlack(plot, x, y)) << x;
        EXPECT_EQ(CountBlack(plot), 541 - 4 + 1);
    }

    const TData curves = Cube([](int b, int r, int c) { return c == 0 ? 1000 + 10 * b : 3000 - 10 * b + r; });
    const Bitmap first = Plot(curves, 1, 1), second = Plot(curves, 2, 1), both = Plot(curves, 2, 1, first);
    for (int y = 0; y < both.Height(); ++y)
        for (int x = 0; x < both.Width(); ++x) ASSERT_EQ(IsBlack(both, x, y), IsBlack(first, x, y) || IsBlack(second, x, y));
    EXPECT_GT(CountBlack(first) * CountBlack(second), 0);
    // Alternating 0 (row 400, just below the plot), 32767 and -32768: the steep lines stay inside the bitmap.
    EXPECT_GT(CountBlack(Plot(Cube([](int b, int, int) { return b % 3 == 0 ? 0 : (b % 3 == 1 ? 32767 : -32768); }), 1, 1)), 0);
    EXPECT_EQ(CountBlack(Plot(Cube([](int, int, int) { return 0; }), 1, 1)), 0);  // all on row 400

    Bitmap cleared(kSpectrumPlotWidth, kSpectrumPlotHeight);  // black all over
    ClearSpectrumPlot(cleared);
    EXPECT_TRUE(IsBlack(cleared, kSpectrumPlotWidth - 1, 0) && IsBlack(cleared, 0, kSpectrumPlotHeight - 1));
    EXPECT_EQ(CountBlack(cleared), kSpectrumPlotWidth + kSpectrumPlotHeight - 1);
}
