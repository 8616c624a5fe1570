#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "sample_data.h"
#include "analysis/analysis_picture.h"
#include "analysis/masking.h"
#include "analysis/ndvi.h"
#include "analysis/needle.h"
#include "analysis_fixture.h"

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

// Pixel 0 is green in both analyses, pixel 1 only in the NDVI: NDVI bounds
// 0 to 0.1, needle bounds 5 to 20 on the plain integral of a flat weight.
TData TwoPixels()
{
    TData cube = MakeCube(65, 1, 2);
    SetBands(cube, 0, 0, 1, 65, 1000);
    SetBands(cube, 0, 0, 41, 43, 3000);
    SetBands(cube, 1, 0, 1, 65, -100);
    SetBands(cube, 1, 0, 41, 43, 300);
    return cube;
}

MaskSettings TwoPixelSettings()
{
    return {.Ndvi = {.Absolute = true, .P1 = 0, .P2 = 10},
            .Needle = {.Normalise = false, .Absolute = true, .P1 = 50, .P2 = 200},
            .Brightness = MaskBrightness::Band19};
}

SpectralState FlatWeight()
{
    SpectralState state = MakeSpectralState();
    state.ReferenceTable[0].assign(kSpectralBands, 1.0);
    return state;
}

}  // namespace

TEST(Ndvi, IndexOfBandMeansAndAbsoluteAndPercentBoundsPaintKnownLevels)
{
    const AnalysisResult r = RunNdvi(RedNirRow({{100, 300}, {100, 100}}), NdviSettings{});
    EXPECT_EQ(Figures(r), (std::vector<double>{0.0, 0.5, 0.5 * 30 / 100, 0.5 * 90 / 100}));
    EXPECT_EQ(r.Picture.Bytes(), (std::vector<uint8_t>{0, 255, 0, 0, 0, 0}));  // blue and red stay 0
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

TEST(Needle, RangeStartsAtZeroAbsoluteBoundsAreTenthsAndCounterWeightIsZeroAtTheReferencePeak)
{
    const AnalysisResult range = RunNeedle(RandomCube(65, 3, 4, 1, -500, -1), MakeSpectralState(),
                                       {.Normalise = false, .Absolute = true, .P1 = 50, .P2 = 200});
    ASSERT_TRUE(range.Ran());  // every measure is negative
    EXPECT_EQ(std::make_tuple(range.Figures.Min, range.Figures.Max, range.Figures.Lower, range.Figures.Upper),
              std::make_tuple(*std::min_element(range.Grid.begin(), range.Grid.end()), 0.0, 5.0, 20.0));

    SpectralState state = MakeSpectralState();
    state.ReferenceTable[0].assign(kSpectralBands, 0.6);
    state.ReferenceTable[0][10] = 1.0;  // the peak: 1 - E is 0 here
    state.ReferenceTable[0][40] = 0.2;  // the lowest: 1 - E is largest here, 1 after normalising
    TData cube = MakeCube(65, 1, 2);
    SetBands(cube, 0, 0, 12, 12, 1000);  // element 10 lies in band 12
    SetBands(cube, 1, 0, 42, 42, 1000);
    const AnalysisResult r = RunNeedle(cube, state, NeedleSettings{});
    ASSERT_TRUE(r.Ran());
    EXPECT_EQ(r.Grid[0], 0.0);  // divisor integral 0
    EXPECT_DOUBLE_EQ(r.Grid[1], 0.2);
}

TEST(Needle, RefusesUnsetCustomWeightMissingTableFewBandsAndWeightsWithoutPeak)
{
    const TData cube = RandomCube(65, 2, 3, 2, -100, 3000);
    SpectralState state = MakeSpectralState();
    EXPECT_EQ(RunNeedle(cube, state, {.Weight = kCustomEntry}).Stopped,
              "Použití vlastní váhové funkce bez jejího nastavení je nesmysl!");
    // An unset custom counter-weight divides by the plain integral.
    EXPECT_EQ(RunNeedle(cube, state, {.CounterWeight = kCustomEntry}).Grid,
              RunNeedle(cube, state, {.Divisor = NeedleDivisor::Integral}).Grid);
    EXPECT_NE(RunNeedle(MakeCube(64, 2, 2, 100), state, {}).Stopped.find("64"), std::string::npos);
    state.CustomFunctionSet = true;
    state.ReferenceTable.clear();
    EXPECT_NE(RunNeedle(cube, state, {}).Stopped.find("AllRefSp.dat"), std::string::npos);
    EXPECT_TRUE(RunNeedle(cube, state, {.Weight = kCustomEntry, .Divisor = NeedleDivisor::Integral}).Ran());

    SpectralState flat = MakeSpectralState();
    flat.ReferenceTable[0].assign(kSpectralBands, 0.0);  // no peak
    flat.ReferenceTable[3].assign(kSpectralBands, 0.4);  // 1 - E all 0: no counter-weight
    EXPECT_NE(RunNeedle(cube, flat, {}).Stopped.find("Váhová funkce"), std::string::npos);
    EXPECT_NE(RunNeedle(cube, flat, {.Weight = 3, .CounterWeight = 3}).Stopped.find("Protiváhová funkce"), std::string::npos);
}

// The last guard of every analysis: a range that is not finite is never
// shown or reported as a result.
TEST(AnalysisResult, ARangeThatIsNotFiniteStopsTheAnalysis)
{
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto& [min, max] : {std::pair{0.0, inf}, std::pair{-inf, 1.0}, std::pair{nan, 1.0}}) {
        const AnalysisResult result = FinishedAnalysis({min, max}, 2, 1, min, max, {0, 0, false, 1.0});
        EXPECT_FALSE(result.Ran());
        EXPECT_NE(result.Stopped.find("není konečný"), std::string::npos);
    }
    EXPECT_TRUE(FinishedAnalysis({0.0, 1.0}, 2, 1, 0.0, 1.0, {0, 0, false, 1.0}).Ran());
}

TEST(Masking, GreenWeightHalfAndHalfMixTimesBrightnessAndAUniformMaskIsBlack)
{
    for (const auto& [green, weight] : {std::pair{0, 0.0}, {1, 0.02}, {4, 0.02}, {5, 0.04}, {244, 0.98}, {245, 1.0}, {255, 1.0}})
        EXPECT_EQ(GreenWeight(uint8_t(green)), weight) << green;
    Bitmap picture;
    const MaskResult r = RunMask(TwoPixels(), FlatWeight(), TwoPixelSettings(), picture);
    ASSERT_TRUE(r.Stopped.empty() && r.Ndvi.Ran() && r.Needle.Ran());
    EXPECT_EQ(r.Grid, (std::vector<double>{1.0 * 1000, 0.5 * -100}));
    EXPECT_EQ(std::make_pair(r.Min, r.Max), std::make_pair(-50.0, 1000.0));
    EXPECT_EQ(picture.Bytes(), (std::vector<uint8_t>{255, 255, 255, 0, 0, 0}));
    const MaskResult uniform = RunMask(MakeCube(65, 2, 3), MakeSpectralState(), MaskSettings{}, picture);
    EXPECT_EQ(std::make_pair(uniform.Min, uniform.Max), std::make_pair(0.0, 0.0));
    EXPECT_EQ(picture, Bitmap(3, 2));
}

TEST(Masking, StoppedAnalysisLeavesItsGreensToThePictureUnlessThePictureIsRemade)
{
    MaskSettings s = TwoPixelSettings();
    s.Ndvi.P1 = 20;  // reversed percentages stop the NDVI
    Bitmap picture(2, 1), tall(2, 7);
    for (Bitmap* b : {&picture, &tall}) b->Fill(0, 255, 0);
    const MaskResult r = RunMask(TwoPixels(), FlatWeight(), s, picture);
    EXPECT_EQ(r.Ndvi.Stopped, "Nesmyslný rozsah u procent.");
    EXPECT_EQ(r.Grid, (std::vector<double>{1000.0, 0.5 * -100}));  // the old full green counts for the NDVI
    s.Needle.Weight = kCustomEntry;  // custom weight never set
    const MaskResult remade = RunMask(TwoPixels(), FlatWeight(), s, tall);
    EXPECT_FALSE(remade.Ndvi.Ran() || remade.Needle.Ran());
    EXPECT_EQ(remade.Grid, std::vector<double>(2, 0.0));  // the remade black picture has no greens
    EXPECT_EQ(tall, Bitmap(2, 1));
    s.Brightness = MaskBrightness::Bands1To65;
    const Bitmap before = picture;
    EXPECT_NE(RunMask(MakeCube(40, 1, 2), FlatWeight(), s, picture).Stopped.find("40"), std::string::npos);
    EXPECT_EQ(picture, before);
}
