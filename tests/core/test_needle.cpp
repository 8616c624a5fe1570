#include <gtest/gtest.h>

#include <random>

#include "sample_data.h"
#include "recording_reporter.h"
#include "spectral/needle.h"
#include "spectral/spectral_vector.h"
#include "spectral_fixture.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

SpectralVector PixelSpectrum(const TData& cube, int x, int y)
{
    SpectralVector s(kSpectralBands);
    for (int i = 0; i < kSpectralBands; ++i) s[i] = cube.At(i + 1, y, x);
    return s;
}

NeedleSettings Unnormalised()
{
    NeedleSettings s;
    s.Normalise = false;
    return s;
}

}  // namespace

// The measure is worked out a row and an interval at a time; it must agree
// bit for bit with the band integral of the product, pixel by pixel.
TEST(NeedleMeasure, AgreesWithThePlainDefinition)
{
    std::mt19937 rng(4);
    const SpectralState state = MakeSpectralState();
    RecordingReporter r;
    std::uniform_real_distribution<double> weight(-1.0, 1.0);
    for (int round = 0; round < 20; ++round) {
        const TData cube = RandomCube(65, 7, 9, rng(), -32768, 32767);
        SpectralVector w(kSpectralBands), c(kSpectralBands);
        for (int i = 0; i < kSpectralBands; ++i) {
            w[i] = weight(rng);
            c[i] = weight(rng);
        }
        const std::vector<double> plain = NeedleMeasure(cube, state.Axis, w, nullptr);
        const std::vector<double> divided = NeedleMeasure(cube, state.Axis, w, &c);
        for (int y = 0; y < cube.NRows; ++y)
            for (int x = 0; x < cube.NColumns; ++x) {
                const SpectralVector s = PixelSpectrum(cube, x, y);
                const double top = BandIntegral(Multiply(s, w, r), state.Axis, r);
                const double bottom = BandIntegral(Multiply(s, c, r), state.Axis, r);
                const std::size_t p = std::size_t(y) * cube.NColumns + x;
                ASSERT_EQ(plain[p], top);
                ASSERT_EQ(divided[p], bottom > 0 ? top / bottom : 0.0);
            }
    }
    EXPECT_TRUE(r.messages.empty());
}

TEST(Needle, WithoutNormalisationTheMaximumIsNeverBelowZero)
{
    const TData cube = RandomCube(65, 3, 4, 1, -500, -1);
    const AnalysisResult r = RunNeedle(cube, MakeSpectralState(), Unnormalised());
    ASSERT_TRUE(r.Ran());
    EXPECT_EQ(r.Figures.Max, 0.0);
    EXPECT_EQ(r.Figures.Min, *std::min_element(r.Grid.begin(), r.Grid.end()));
    EXPECT_LT(r.Figures.Min, 0.0);
}

TEST(Needle, CounterWeightIsZeroWhereTheReferencePeaksAndOneAtItsLowest)
{
    SpectralState state = MakeSpectralState();
    SpectralVector e(kSpectralBands, 0.6);
    e[10] = 1.0;  // the peak: 1 - E is 0 here
    e[40] = 0.2;  // the lowest: 1 - E is largest here, 1 after normalising
    state.ReferenceTable[0] = e;
    TData cube = MakeCube(65, 1, 2);
    SetBands(cube, 0, 0, 12, 12, 1000);  // element 10 lies in band 12
    SetBands(cube, 1, 0, 42, 42, 1000);
    const AnalysisResult r = RunNeedle(cube, state, NeedleSettings{});
    ASSERT_TRUE(r.Ran());
    EXPECT_EQ(r.Grid[0], 0.0);  // divisor integral 0
    EXPECT_DOUBLE_EQ(r.Grid[1], 0.2);
}

TEST(Needle, CustomWeightNeedsTheEditorFirst)
{
    SpectralState state = MakeSpectralState();
    const TData cube = MakeCube(65, 2, 2, 100);
    NeedleSettings custom;
    custom.Weight = kCustomEntry;
    const AnalysisResult refused = RunNeedle(cube, state, custom);
    EXPECT_EQ(refused.Stopped, "Použití vlastní váhové funkce bez jejího nastavení je nesmysl!");
    EXPECT_TRUE(refused.Picture.Empty());
    // Setting either custom function sets the flag; the weight is then 64 ones.
    state.CustomFunctionSet = true;
    EXPECT_TRUE(RunNeedle(cube, state, custom).Ran());
}

TEST(Needle, UnsetCustomCounterWeightDividesByThePlainIntegral)
{
    const TData cube = RandomCube(65, 5, 6, 2, -100, 3000);
    const SpectralState state = MakeSpectralState();
    NeedleSettings counter;
    counter.CounterWeight = kCustomEntry;
    NeedleSettings integral;
    integral.Divisor = NeedleDivisor::Integral;
    EXPECT_EQ(RunNeedle(cube, state, counter).Grid, RunNeedle(cube, state, integral).Grid);
}

TEST(Needle, DisplayBounds)
{
    const TData cube = RandomCube(65, 4, 4, 3, 0, 3000);
    NeedleSettings absolute;
    absolute.Absolute = true;
    absolute.P1 = 50;
    absolute.P2 = 200;
    const AnalysisResult a = RunNeedle(cube, MakeSpectralState(), absolute);
    EXPECT_EQ(a.Figures.Lower, 5.0);
    EXPECT_EQ(a.Figures.Upper, 20.0);
    const AnalysisResult p = RunNeedle(cube, MakeSpectralState(), NeedleSettings{});
    EXPECT_EQ(p.Figures.Lower, p.Figures.Min + (p.Figures.Max - p.Figures.Min) * 20 / 100);
    EXPECT_EQ(p.Figures.Upper, p.Figures.Min + (p.Figures.Max - p.Figures.Min) * 85 / 100);
}

TEST(Needle, RefusesWhatItCannotRead)
{
    const TData cube = MakeCube(65, 2, 2, 100);
    SpectralState noTable = MakeSpectralState();
    noTable.ReferenceTable.clear();
    const AnalysisResult missing = RunNeedle(cube, noTable, NeedleSettings{});
    EXPECT_NE(missing.Stopped.find("AllRefSp.dat"), std::string::npos) << missing.Stopped;

    // Custom weight and plain integral need no table.
    noTable.CustomFunctionSet = true;
    NeedleSettings custom;
    custom.Weight = kCustomEntry;
    custom.Divisor = NeedleDivisor::Integral;
    EXPECT_TRUE(RunNeedle(cube, noTable, custom).Ran());

    const AnalysisResult fewBands = RunNeedle(MakeCube(64, 2, 2, 100), MakeSpectralState(), NeedleSettings{});
    EXPECT_NE(fewBands.Stopped.find("64"), std::string::npos) << fewBands.Stopped;
}

TEST(Needle, WeightsWithoutPeakAreRefused)
{
    const TData cube = MakeCube(65, 2, 2, 100);
    SpectralState zeros = MakeSpectralState();
    zeros.ReferenceTable[0].assign(kSpectralBands, 0.0);
    EXPECT_NE(RunNeedle(cube, zeros, NeedleSettings{}).Stopped.find("Váhová funkce"), std::string::npos);

    // A flat reference leaves 1 - E all 0: no counter-weight.
    SpectralState flat = MakeSpectralState();
    flat.ReferenceTable[3].assign(kSpectralBands, 0.4);
    NeedleSettings counter;
    counter.CounterWeight = 3;
    EXPECT_NE(RunNeedle(cube, flat, counter).Stopped.find("Protiváhová funkce"), std::string::npos);
    EXPECT_TRUE(RunNeedle(cube, flat, Unnormalised()).Ran());
}
