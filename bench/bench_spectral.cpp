#include <benchmark/benchmark.h>

#include <random>

#include "spectral/masking.h"

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

}  // namespace

static void BM_Ndvi(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(RunNdvi(FullCutout(), NdviSettings{}));
}
BENCHMARK(BM_Ndvi)->Unit(benchmark::kMillisecond);

// The default needle analysis: weight E1, divided by the counter-weight 1-E1.
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
