#include <benchmark/benchmark.h>

#include <random>

#include "imaging/true_colour.h"

using namespace lumera;

// A full 400 x 400 x 65 cut-out in true colour, stretch included (target: under 10 ms).
static void BM_TrueColourComposite(benchmark::State& state)
{
    TData cube;
    cube.NBands = 65;
    cube.NRows = 400;
    cube.NColumns = 400;
    cube.Values.resize(std::size_t(65) * 400 * 400);
    std::mt19937 random(24);
    std::uniform_int_distribution<int> value(0, 4000);
    for (auto& v : cube.Values) v = static_cast<int16_t>(value(random));
    for (auto _ : state) benchmark::DoNotOptimize(TrueColourComposite(cube));
}
BENCHMARK(BM_TrueColourComposite)->Unit(benchmark::kMillisecond);
