#include <benchmark/benchmark.h>

#include <filesystem>

#include "data/cutout_file.h"
#include "full_cutout.h"

using namespace lumera;

// Loading a full 65 x 400 x 400 cut-out (about 20 MB).
static void BM_ReadCutout(benchmark::State& state)
{
    const TData cube = FullSizeCutout();
    const auto path = (std::filesystem::temp_directory_path() / "lumera-bench-cutout.dat").string();
    WriteCutout(path, cube);
    for (auto _ : state) benchmark::DoNotOptimize(ReadCutout(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadCutout)->Unit(benchmark::kMillisecond);
