#include <benchmark/benchmark.h>

#include "full_cutout.h"
#include "imaging/true_colour.h"
#include "plain_definitions.h"

using namespace lumera;

// Baseline: the plain definition, channel averages and stretch a pixel at a time.
static void BM_TrueColourPlain(benchmark::State& state)
{
    const TData cube = FullSizeCutout();
    for (auto _ : state) benchmark::DoNotOptimize(testing::plain::EnhanceColours(testing::plain::ChannelComposite(cube)));
}
BENCHMARK(BM_TrueColourPlain)->Unit(benchmark::kMillisecond);

// A full 400 x 400 x 65 cut-out in true colour, stretch included.
static void BM_TrueColourComposite(benchmark::State& state)
{
    const TData cube = FullSizeCutout();
    for (auto _ : state) benchmark::DoNotOptimize(TrueColourComposite(cube));
}
BENCHMARK(BM_TrueColourComposite)->Unit(benchmark::kMillisecond);
