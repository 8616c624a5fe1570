#include <benchmark/benchmark.h>

#include "full_cutout.h"
#include "imaging/true_colour.h"

using namespace lumera;

// A full 400 x 400 x 65 cut-out in true colour, stretch included (target: under 10 ms).
static void BM_TrueColourComposite(benchmark::State& state)
{
    const TData cube = FullSizeCutout();
    for (auto _ : state) benchmark::DoNotOptimize(TrueColourComposite(cube));
}
BENCHMARK(BM_TrueColourComposite)->Unit(benchmark::kMillisecond);
