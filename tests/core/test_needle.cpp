#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "sample_data.h"
#include "spectral/analysis_picture.h"
#include "spectral/needle.h"
#include "spectral/spectral_vector.h"
#include "spectral_fixture.h"

using namespace lumera;
using namespace lumera::testing;

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
