#include <benchmark/benchmark.h>

#include <filesystem>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "code_before.h"
#include "data/cutout_file.h"
#include "full_cutout.h"

using namespace lumera;

namespace {

// A full 65 x 400 x 400 cut-out (about 20 MB) in a file.
struct CutoutFileOnDisk {
    std::string Path = (std::filesystem::temp_directory_path() / "lumera-bench-cutout.dat").string();

    CutoutFileOnDisk() { WriteCutout(Path, FullSizeCutout()); }
    ~CutoutFileOnDisk() { std::filesystem::remove(Path); }
};

// Gives the freed storage back to the system, untimed, so that every load
// takes fresh pages and their faults, as a new process does.
void ReleaseFreedMemory(benchmark::State& state)
{
    state.PauseTiming();
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    state.ResumeTiming();
}

}  // namespace

// Baseline: the values read into zero-filled storage on small pages.
static void BM_ReadCutoutBefore(benchmark::State& state)
{
    const CutoutFileOnDisk file;
    for (auto _ : state) {
        benchmark::DoNotOptimize(before::ReadCutoutValues(file.Path, std::size_t(65) * 400 * 400));
        ReleaseFreedMemory(state);
    }
}
BENCHMARK(BM_ReadCutoutBefore)->Unit(benchmark::kMillisecond);

// Uninitialised storage on large pages.
static void BM_ReadCutout(benchmark::State& state)
{
    const CutoutFileOnDisk file;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadCutout(file.Path));
        ReleaseFreedMemory(state);
    }
}
BENCHMARK(BM_ReadCutout)->Unit(benchmark::kMillisecond);
