#include <benchmark/benchmark.h>

#include <random>

#include "code_before.h"
#include "plain_definitions.h"
#include "analysis/masking.h"

using namespace lumera;

namespace {

// A full 65 x 400 x 400 cut-out of plausible radiances.
const TData& FullCutout()
{
    static const TData cube = [] {
        TData c;
        c.NBands = 65;
        c.NRows = 400;
        c.NColumns = 400;
        c.Values.resize(std::size_t(65) * 400 * 400);
        std::mt19937 rng(1);
        std::uniform_int_distribution<int> value(0, 4000);
        for (int16_t& v : c.Values) v = static_cast<int16_t>(value(rng));
        return c;
    }();
    return cube;
}

SpectralState ReferenceState()
{
    SpectralState state;
    BuildSpectralAxis(state);
    InitCustomFunctions(state);
    for (int s = 0; s < kReferenceSpectra; ++s) {
        SpectralVector spectrum(kSpectralBands);
        for (int i = 0; i < kSpectralBands; ++i) spectrum[i] = 0.05 + 0.5 * i / 63.0 + 0.01 * s;
        state.ReferenceTable.push_back(spectrum);
    }
    return state;
}

// The default weight E1 and counter-weight 1 - E1 of ReferenceState, peak-normalised.
struct DefaultWeights {
    SpectralVector Weight, Counter;
    DefaultWeights()
    {
        const SpectralState state = ReferenceState();
        Weight = state.ReferenceTable[0];
        TryNormalisePeak(Weight);
        for (const double v : Weight) Counter.push_back(1.0 - v);
        TryNormalisePeak(Counter);
    }
};

}  // namespace

// Baseline: the plain definition, one pixel at a time down the columns.
static void BM_NdviPlain(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(testing::plain::Ndvi(FullCutout(), NdviSettings{}));
}
BENCHMARK(BM_NdviPlain)->Unit(benchmark::kMillisecond);

static void BM_Ndvi(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(RunNdvi(FullCutout(), NdviSettings{}));
}
BENCHMARK(BM_Ndvi)->Unit(benchmark::kMillisecond);

// Baseline: the measure as computed before, weight E1 divided by the counter-weight 1 - E1.
static void BM_NeedleMeasureBefore(benchmark::State& state)
{
    const DefaultWeights w;
    const SpectralVector axis = ReferenceState().Axis;
    for (auto _ : state) benchmark::DoNotOptimize(before::NeedleMeasure(FullCutout(), axis, w.Weight, &w.Counter));
}
BENCHMARK(BM_NeedleMeasureBefore)->Unit(benchmark::kMillisecond);

// The same measure on each instruction set (0: baseline x86-64, 1: AVX2, 2: AVX-512, where the processor has it).
static void BM_NeedleMeasure(benchmark::State& state)
{
    const auto set = InstructionSet(state.range(0));
    if (!Runs(set)) return state.SkipWithError("the processor lacks this instruction set");
    const DefaultWeights w;
    const SpectralVector axis = ReferenceState().Axis;
    for (auto _ : state) benchmark::DoNotOptimize(NeedleMeasure(FullCutout(), axis, w.Weight, &w.Counter, set));
}
BENCHMARK(BM_NeedleMeasure)->DenseRange(0, int(InstructionSet::Avx512))->Unit(benchmark::kMillisecond);

// The default needle analysis: the measure, its range and the green picture.
static void BM_NeedleCounterWeight(benchmark::State& state)
{
    const SpectralState spectral = ReferenceState();
    for (auto _ : state) benchmark::DoNotOptimize(RunNeedle(FullCutout(), spectral, NeedleSettings{}));
}
BENCHMARK(BM_NeedleCounterWeight)->Unit(benchmark::kMillisecond);

// The whole masking: both analyses, the green read-back, brightness and painting.
static void BM_Mask(benchmark::State& state)
{
    const SpectralState spectral = ReferenceState();
    Bitmap picture;
    for (auto _ : state) benchmark::DoNotOptimize(RunMask(FullCutout(), spectral, MaskSettings{}, picture));
}
BENCHMARK(BM_Mask)->Unit(benchmark::kMillisecond);
