#include <benchmark/benchmark.h>

#include <filesystem>

#include "data/cutout_file.h"

using namespace lumera;

// Loading a full 65 x 400 x 400 cut-out (about 20 MB).
static void BM_ReadCutout(benchmark::State& state)
{
    TData cube;
    cube.NBands = 65;
    cube.NRows = 400;
    cube.NColumns = 400;
    cube.Values.resize(std::size_t(65) * 400 * 400);
    for (std::size_t i = 0; i < cube.Values.size(); ++i) cube.Values[i] = static_cast<int16_t>(i % 4096);
    const auto path = (std::filesystem::temp_directory_path() / "lumera-bench-cutout.dat").string();
    WriteCutout(path, cube);
    for (auto _ : state) benchmark::DoNotOptimize(ReadCutout(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadCutout)->Unit(benchmark::kMillisecond);
