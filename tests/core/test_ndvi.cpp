#include <gtest/gtest.h>

#include "sample_data.h"
#include "spectral/ndvi.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// A row of pixels with the given red and near-infrared values in the default bands.
TData RedNirRow(const std::vector<std::pair<int16_t, int16_t>>& pixels)
{
    TData cube = MakeCube(65, 1, int(pixels.size()));
    for (int x = 0; x < int(pixels.size()); ++x) {
        SetBands(cube, x, 0, 31, 33, pixels[x].first);
        SetBands(cube, x, 0, 41, 43, pixels[x].second);
    }
    return cube;
}

std::vector<int> Greens(const AnalysisResult& r)
{
    std::vector<int> greens;
    for (int x = 0; x < r.Picture.Width(); ++x) greens.push_back(r.Picture.ScanLine(0)[3 * x + 1]);
    return greens;
}

std::vector<double> Figures(const AnalysisResult& r)
{
    return {r.Figures.Min, r.Figures.Max, r.Figures.Lower, r.Figures.Upper};
}

}  // namespace

TEST(Ndvi, IndexOfBandMeansAndAbsoluteAndPercentBoundsPaintKnownLevels)
{
    TData cube = RedNirRow({{100, 300}, {100, 100}});
    SetBands(cube, 0, 0, 31, 31, 99);  // red mean still 100
    SetBands(cube, 0, 0, 33, 33, 101);
    const AnalysisResult r = RunNdvi(cube, NdviSettings{});
    ASSERT_TRUE(r.Ran());
    EXPECT_EQ(r.Grid, (std::vector<double>{0.5, 0.0}));
    EXPECT_EQ(Figures(r), (std::vector<double>{0.0, 0.5, 0.5 * 30 / 100, 0.5 * 90 / 100}));
    EXPECT_EQ(r.Picture.Bytes(), (std::vector<uint8_t>{0, 255, 0, 0, 0, 0}));  // blue and red stay 0

    SetBands(cube, 0, 0, 32, 32, 300);
    EXPECT_EQ(RunNdvi(cube, {.RedFirst = 32, .RedLast = 32}).Grid[0], 0.0);

    // Indices 0.39, 0.5, 0.2, 0.96 and 0.4 between the absolute bounds 0.25 and 0.95.
    const AnalysisResult a =
        RunNdvi(RedNirRow({{61, 139}, {100, 300}, {40, 60}, {2, 98}, {30, 70}}), {.Absolute = true, .P1 = 25, .P2 = 95});
    EXPECT_EQ(std::make_pair(a.Figures.Lower, a.Figures.Upper), std::make_pair(0.25, 0.95));
    EXPECT_EQ(Greens(a), (std::vector<int>{51, 91, 0, 255, 55}));  // 54.64 rounds up
    // Indices 0, 0.5 and 0.998 between 0 % and 99 % of their range: 0.5 / (0.998 x 0.99) x 255 = 129.06...
    const AnalysisResult p = RunNdvi(RedNirRow({{100, 100}, {100, 300}, {1, 999}}), {.P1 = 0, .P2 = 99});
    EXPECT_EQ(Greens(p), (std::vector<int>{0, 129, 255}));
}

TEST(Ndvi, UndefinedPixelsAreZeroAndDoNotWidenTheRangeAndEqualBoundsPaintOnlyAbove)
{
    // Both means 0 or below; opposite signs of equal magnitude (sum 0).
    const AnalysisResult r = RunNdvi(RedNirRow({{-5, -7}, {0, 0}, {-50, 50}, {100, 300}, {100, 200}}), NdviSettings{});
    EXPECT_EQ(r.Grid, (std::vector<double>{0, 0, 0, 0.5, 1.0 / 3}));
    EXPECT_EQ(Greens(r), (std::vector<int>{0, 0, 0, 255, 0}));
    EXPECT_EQ(std::make_pair(r.Figures.Min, r.Figures.Max), std::make_pair(1.0 / 3, 0.5));
    // Equal bounds: indices 0.5, 0.25 (on the bound) and 0; only above the bound is painted.
    const AnalysisResult equal = RunNdvi(RedNirRow({{100, 300}, {60, 100}, {100, 100}}), {.P1 = 50, .P2 = 50});
    EXPECT_EQ(Figures(equal), (std::vector<double>{0.0, 0.5, 0.25, 0.25}));
    EXPECT_EQ(Greens(equal), (std::vector<int>{255, 0, 0}));
}

TEST(Ndvi, ReversedRangesAndBandsBeyondTheCubeStopBeforeAnythingIsComputed)
{
    const TData cube = RedNirRow({{100, 300}});
    EXPECT_EQ(RunNdvi(cube, {.RedFirst = 34}).Stopped, "Nesmyslný rozsah u RED a NIR.");
    const AnalysisResult r = RunNdvi(cube, {.P1 = 91});
    EXPECT_EQ(r.Stopped, "Nesmyslný rozsah u procent.");
    EXPECT_TRUE(r.Picture.Empty() && r.Grid.empty());
    const TData short42 = MakeCube(42, 1, 1, 100);
    EXPECT_NE(RunNdvi(short42, NdviSettings{}).Stopped.find("42"), std::string::npos);
    EXPECT_TRUE(RunNdvi(short42, {.NirLast = 42}).Ran());
}
