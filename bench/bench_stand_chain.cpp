#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "crowns/crown_chain.h"
#include "crowns/tree_table.h"
#include "data/cutout_file.h"
#include "enhance/equalization.h"
#include "extrema/brightness.h"
#include "extrema/picture_search.h"
#include "spectral/masking.h"
#include "spectral/reference_files.h"
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
