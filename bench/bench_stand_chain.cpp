#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "crowns/crown_chain.h"
#include "crowns/tree_table.h"
#include "data/cutout_file.h"
#include "enhance/equalization.h"
#include "extrema/brightness.h"
#include "extrema/picture_search.h"
#include "analysis/masking.h"
#include "analysis/reference_files.h"
#include "stand/stand_workspace.h"

using namespace lumera;

namespace {

// The sample stand of `make run` (400 x 400 x 65, seed 1) in a program
// directory of its own, and every intermediate picture of the chain's defaults,
// so each step is measured on what it meets in a real run.
struct SampleStand {
    std::string Dir = (std::filesystem::temp_directory_path() / "lumera-bench-stand").string();
    TData Cube;
    SpectralState Spectral;
    Bitmap Mask, Equalized;
    TMatice Brightness;
    TExtremaList Maxima;
    TCrownChainSettings Crowns;
    MaximaSettings Search;

    SampleStand()
    {
        WriteStandWorkspace(Dir, StandOptions{});
        Cube = ReadCutout(Dir + "/" + kStandCutout);
        BuildSpectralAxis(Spectral);
        InitCustomFunctions(Spectral);
        LoadReferenceTable(Spectral, Dir);
        RunMask(Cube, Spectral, MaskSettings{}, Mask);
        Equalized = Equalize(Mask, kDefaultEqualizationWindow);
        Brightness = BrightnessMatrix(Equalized);
        Crowns.Filter = GaussFilter(7, '.');
        Maxima = FindMaxima(Equalized, Crowns.Filter, Search);
    }
};

const SampleStand& Stand()
{
    static const SampleStand stand;
    return stand;
}

}  // namespace

static void BM_StandMask(benchmark::State& state)
{
    for (auto _ : state) {
        Bitmap picture;
        benchmark::DoNotOptimize(RunMask(Stand().Cube, Stand().Spectral, MaskSettings{}, picture));
    }
}
BENCHMARK(BM_StandMask)->Unit(benchmark::kMillisecond);

static void BM_StandEqualizePerPixel(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(EqualizePerPixel(Stand().Mask, kDefaultEqualizationWindow));
}
BENCHMARK(BM_StandEqualizePerPixel)->Unit(benchmark::kMillisecond);

static void BM_StandEqualize(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(Equalize(Stand().Mask, kDefaultEqualizationWindow));
}
BENCHMARK(BM_StandEqualize)->Unit(benchmark::kMillisecond);

// "Filtrovaný obraz" with gauss:7, literally and as the searches run it.
static void StandFilter(benchmark::State& state, void (*apply)(TMatice&, const TMatice&))
{
    const TMatice weights = FilterWeights(GaussFilter(7, '.'));
    for (auto _ : state) {
        TMatice matrix = Stand().Brightness;
        apply(matrix, weights);
        benchmark::DoNotOptimize(matrix.Values.data());
    }
}
static void BM_StandFilterPerPixel(benchmark::State& state) { StandFilter(state, ApplyFilterPerPixel); }
BENCHMARK(BM_StandFilterPerPixel)->Unit(benchmark::kMillisecond);
static void BM_StandFilter(benchmark::State& state) { StandFilter(state, ApplyFilter); }
BENCHMARK(BM_StandFilter)->Unit(benchmark::kMillisecond);

// The maxima test of the filtered equalized picture, literally and as searched.
static void BM_StandMaximaPerPixel(benchmark::State& state)
{
    TMatice filtered = FilteredBrightness(Stand().Equalized, Stand().Crowns.Filter);
    for (auto _ : state) benchmark::DoNotOptimize(FindExtremaPerPixel(filtered, MaximaRule(Stand().Search)));
}
BENCHMARK(BM_StandMaximaPerPixel)->Unit(benchmark::kMillisecond);

static void BM_StandMaxima(benchmark::State& state)
{
    TMatice filtered = FilteredBrightness(Stand().Equalized, Stand().Crowns.Filter);
    for (auto _ : state) benchmark::DoNotOptimize(FindMaxima(filtered, Stand().Search));
}
BENCHMARK(BM_StandMaxima)->Unit(benchmark::kMillisecond);

static void BM_StandCrownChain(benchmark::State& state)
{
    state.counters["maxima"] = double(Stand().Maxima.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(RunCrownChain(Stand().Maxima, Stand().Equalized, Stand().Equalized, Stand().Crowns));
}
BENCHMARK(BM_StandCrownChain)->Unit(benchmark::kMillisecond);

// The whole chain as `make demo` runs it: `lumera-cli pipeline`, and as the
// baseline the single commands one after another, each reading the files the
// previous one wrote.
static void StandProcesses(benchmark::State& state, const std::string& commands)
{
    const std::string& d = Stand().Dir;
    const std::string script = "cd " + d + " && mkdir -p out && (" + commands + ") >/dev/null";
    for (auto _ : state)
        if (std::system(script.c_str()) != 0) state.SkipWithError("lumera-cli failed");
}

static void BM_StandPipelineOneByOne(benchmark::State& state)
{
    const std::string cli = LUMERA_CLI_PATH;
    StandProcesses(state, cli + " mask data/vyrezy/stand.dat -o out/mask.bmp && " + cli +
                              " equalize out/mask.bmp -o out/equalized.bmp && " + cli +
                              " maxima --picture out/equalized.bmp -o out/maxima.txt && " + cli +
                              " crowns --maxima out/maxima.txt --background out/equalized.bmp --equalized "
                              "out/equalized.bmp --network out/network.bmp --overlay out/trees.bmp -o out/trees.dat");
}
BENCHMARK(BM_StandPipelineOneByOne)->Unit(benchmark::kMillisecond);

static void BM_StandPipeline(benchmark::State& state)
{
    StandProcesses(state, std::string(LUMERA_CLI_PATH) + " pipeline data/vyrezy/stand.dat -o out");
}
BENCHMARK(BM_StandPipeline)->Unit(benchmark::kMillisecond);

// The cube commands of the batch tool as whole processes on the stand, started
// without a shell (`BM_StandCubeCommand/0` info, /1 ndvi, /2 needle, /3 mask,
// /4 truecolor). Wall-clock time: the work happens in the child.
static void BM_StandCubeCommand(benchmark::State& state)
{
    static const char* const kCommands[] = {"info", "ndvi", "needle", "mask", "truecolor"};
    const std::string& d = Stand().Dir;
    const std::string cutout = d + "/" + kStandCutout, output = d + "/command.bmp", programDir = "--program-dir=" + d;
    const char* command = kCommands[state.range(0)];
    std::vector<const char*> argv = {LUMERA_CLI_PATH, command, cutout.c_str()};
    if (state.range(0) > 0) argv.insert(argv.end(), {"-o", output.c_str(), programDir.c_str()});
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    state.SetLabel(command);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 1;
        if (posix_spawn(&child, argv[0], &quiet, nullptr, const_cast<char* const*>(argv.data()), environ) != 0 ||
            waitpid(child, &status, 0) != child || status != 0)
            state.SkipWithError("lumera-cli failed");
    }
    posix_spawn_file_actions_destroy(&quiet);
}
BENCHMARK(BM_StandCubeCommand)->DenseRange(0, 4)->UseRealTime()->Unit(benchmark::kMillisecond);
