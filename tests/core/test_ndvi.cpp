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

uint8_t Green(const AnalysisResult& r, int x, int y = 0) { return r.Picture.ScanLine(y)[3 * x + 1]; }

}  // namespace

TEST(Ndvi, IndexOfBandMeans)
{
    TData cube = RedNirRow({{100, 300}, {100, 100}});
    SetBands(cube, 0, 0, 31, 31, 99);  // red mean still 100
    SetBands(cube, 0, 0, 33, 33, 101);
    const AnalysisResult r = RunNdvi(cube, NdviSettings{});
    ASSERT_TRUE(r.Ran());
    EXPECT_EQ(r.Grid[0], 0.5);
    EXPECT_EQ(r.Grid[1], 0.0);
    EXPECT_EQ(r.Figures.Min, 0.0);
    EXPECT_EQ(r.Figures.Max, 0.5);
    EXPECT_EQ(r.Figures.Lower, 0.5 * 30 / 100);
    EXPECT_EQ(r.Figures.Upper, 0.5 * 90 / 100);
    EXPECT_EQ(r.Picture.ScanLine(0)[0], 0);  // blue and red stay 0
    EXPECT_EQ(r.Picture.ScanLine(0)[2], 0);
}

TEST(Ndvi, SingleBandRange)
{
    TData cube = RedNirRow({{100, 300}});
    SetBands(cube, 0, 0, 32, 32, 300);
    NdviSettings s;
    s.RedFirst = s.RedLast = 32;
    EXPECT_EQ(RunNdvi(cube, s).Grid[0], 0.0);
}

TEST(Ndvi, AbsoluteBoundsPaintKnownLevels)
{
    // Indices 0.39, 0.5, 0.2 and 0.96.
    const TData cube = RedNirRow({{61, 139}, {100, 300}, {40, 60}, {2, 98}});
    NdviSettings s;
    s.Absolute = true;
    s.P1 = 25;
    s.P2 = 95;
    const AnalysisResult r = RunNdvi(cube, s);
    EXPECT_EQ(r.Figures.Lower, 0.25);
    EXPECT_EQ(r.Figures.Upper, 0.95);
    EXPECT_EQ(Green(r, 0), 51);
    EXPECT_EQ(Green(r, 1), 91);
    EXPECT_EQ(Green(r, 2), 0);
    EXPECT_EQ(Green(r, 3), 255);
}

TEST(Ndvi, PercentBoundsOverTheWholeRange)
{
    const TData cube = RedNirRow({{100, 100}, {100, 300}, {1, 999}, {100, 101}});
    NdviSettings s;
    s.P1 = 0;
    s.P2 = 99;
    const AnalysisResult r = RunNdvi(cube, s);
    EXPECT_EQ(r.Figures.Min, 0.0);
    EXPECT_EQ(r.Figures.Max, 0.998);
    EXPECT_EQ(r.Figures.Lower, 0.0);
    EXPECT_EQ(Green(r, 0), 0);    // the smallest index
    EXPECT_EQ(Green(r, 2), 255);  // above 99 % of the range
    EXPECT_EQ(Green(r, 1), 129);  // 0.5 / (0.998 x 0.99) x 255 = 129.06...
}

TEST(Ndvi, UndefinedPixelsAreZeroAndDoNotWidenTheRange)
{
    // Both means 0 or below; opposite signs of equal magnitude (sum 0).
    const TData cube = RedNirRow({{-5, -7}, {0, 0}, {-50, 50}, {100, 300}, {100, 200}});
    const AnalysisResult r = RunNdvi(cube, NdviSettings{});
    for (int x : {0, 1, 2}) {
        EXPECT_EQ(r.Grid[x], 0.0) << x;
        EXPECT_EQ(Green(r, x), 0) << x;
    }
    EXPECT_EQ(r.Figures.Min, 1.0 / 3);
    EXPECT_EQ(r.Figures.Max, 0.5);
}

TEST(Ndvi, EqualBoundsPaintAboveTheBoundFullAndTheRestZero)
{
    // Indices 0.5, 0.25 (on the bound) and 0.
    const TData cube = RedNirRow({{100, 300}, {60, 100}, {100, 100}});
    NdviSettings s;
    s.P1 = s.P2 = 50;
    const AnalysisResult r = RunNdvi(cube, s);
    EXPECT_EQ(r.Figures.Lower, 0.25);
    EXPECT_EQ(r.Figures.Upper, 0.25);
    EXPECT_EQ(Green(r, 0), 255);
    EXPECT_EQ(Green(r, 1), 0);
    EXPECT_EQ(Green(r, 2), 0);

    // A single-valued range: every pixel sits on the bound.
    const AnalysisResult flat = RunNdvi(RedNirRow({{100, 300}, {100, 300}}), NdviSettings{});
    EXPECT_EQ(flat.Figures.Lower, 0.5);
    EXPECT_EQ(flat.Figures.Upper, 0.5);
    EXPECT_EQ(Green(flat, 0), 0);
    EXPECT_EQ(Green(flat, 1), 0);
}

TEST(Ndvi, ChecksStopBeforeAnythingIsComputed)
{
    const TData cube = RedNirRow({{100, 300}});
    const std::vector<std::pair<NdviSettings, std::string>> cases = {
        {{34, 33, 41, 43, false, 30, 90}, "Nesmyslný rozsah u RED a NIR."},
        {{31, 33, 41, 40, false, 30, 90}, "Nesmyslný rozsah u RED a NIR."},
        {{31, 33, 41, 43, false, 91, 90}, "Nesmyslný rozsah u procent."}};
    for (const auto& [settings, message] : cases) {
        const AnalysisResult r = RunNdvi(cube, settings);
        EXPECT_EQ(r.Stopped, message);
        EXPECT_TRUE(r.Picture.Empty() && r.Grid.empty());
    }
}

TEST(Ndvi, BandsBeyondTheCubeAreRefused)
{
    TData cube = MakeCube(42, 1, 1);
    SetBands(cube, 0, 0, 31, 33, 100);
    SetBands(cube, 0, 0, 41, 42, 300);
    const AnalysisResult r = RunNdvi(cube, NdviSettings{});
    EXPECT_FALSE(r.Ran());
    EXPECT_NE(r.Stopped.find("42"), std::string::npos) << r.Stopped;
    NdviSettings inside;
    inside.NirLast = 42;
    EXPECT_TRUE(RunNdvi(cube, inside).Ran());
}
