#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "scene_file.h"
#include "scene_import.h"

using namespace lumera;

// The whole 2000 x 2000 x 426 scene, side by side: reading its file as `cat`
// would, cutting it into tiles, and importing one window. The first run
// writes the scene (3.4 GB in the temporary folder). The system's writes
// vary from run to run, so the file's reading and the tiling are repeated
// and their median reported.

static void BM_Scene2000ReadFile(benchmark::State& state)
{
    const std::string& path = bench::BenchSceneFile();
    std::vector<char> buffer(std::size_t(1) << 20);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file) state.SkipWithError("cannot open the scene");
        while (file && std::fread(buffer.data(), 1, buffer.size(), file) == buffer.size()) {}
        if (file) std::fclose(file);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_Scene2000ReadFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7)->ReportAggregatesOnly();

// The batch tool's tiles of 400 px overlapping by 40, with 1 and 2 jobs.
static void BM_Scene2000Tiles(benchmark::State& state)
{
    const std::string& path = bench::BenchSceneFile();
    const auto out = std::filesystem::temp_directory_path() / "lumera-bench-scene-tiles";
    const std::string command = std::string(LUMERA_CLI_PATH) + " tiles " + path + " --size 400 --overlap 40 --jobs " +
                                std::to_string(state.range(0)) + " -o " + out.string() + " > /dev/null 2>&1";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("lumera-cli tiles failed");
    std::filesystem::remove_all(out);
}
BENCHMARK(BM_Scene2000Tiles)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

// One 400 x 400 window in the middle of the scene: open, read, resample, scale.
static void BM_Scene2000ImportWindow(benchmark::State& state)
{
    const std::string& path = bench::BenchSceneFile();
    ImportOptions options;
    options.Window = PixelRect{800, 800, kMaxWindowSide, kMaxWindowSide};
    for (auto _ : state) {
        Scene scene = OpenScene(path);
        benchmark::DoNotOptimize(ImportScene(scene, options));
    }
}
BENCHMARK(BM_Scene2000ImportWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
