#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "crown_stand.h"
#include "crowns/boundary.h"
#include "crowns/crown_chain.h"
#include "crowns/neighbours.h"
#include "extrema/extrema_file.h"
#include "imaging/bmp_file.h"

using namespace lumera;

namespace {

const CrownStand& Stand()
{
    static const CrownStand stand = MakeCrownStand();
    return stand;
}

// The Voronoi network of the stand cut to 20,000 points.
TNetwork Network20000()
{
    TNetwork network = ExtractBoundary(VoronoiLabels(Stand().Tops, 400, 400));
    network.resize(std::min<std::size_t>(network.size(), 20000));
    return network;
}

}  // namespace

// The definition: every pixel against every maximum (160 million distances).
static void BM_VoronoiExhaustive(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(VoronoiLabelsExhaustive(Stand().Tops, 400, 400));
}
BENCHMARK(BM_VoronoiExhaustive)->Unit(benchmark::kMillisecond);

// Candidate blocks, as "Napočítat" runs it (target: under 15 ms).
static void BM_VoronoiLabels(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(VoronoiLabels(Stand().Tops, 400, 400));
}
BENCHMARK(BM_VoronoiLabels)->Unit(benchmark::kMillisecond);

// The definition: all pairs of a 20,000-point network.
static void BM_NeighboursAllPairs(benchmark::State& state)
{
    const TNetwork network = Network20000();
    for (auto _ : state) {
        TNetwork linked = network;
        FindNeighboursAllPairs(linked);
        benchmark::DoNotOptimize(linked.data());
    }
}
BENCHMARK(BM_NeighboursAllPairs)->Unit(benchmark::kMillisecond);

// The position index, as "Sousedi" runs it (target: under 5 ms).
static void BM_Neighbours(benchmark::State& state)
{
    const TNetwork network = Network20000();
    state.counters["points"] = double(network.size());
    for (auto _ : state) {
        TNetwork linked = network;
        FindNeighbours(linked);
        benchmark::DoNotOptimize(linked.data());
    }
}
BENCHMARK(BM_Neighbours)->Unit(benchmark::kMillisecond);

// The chain in one process: one move pass, one cycle, gauss:7.
static void BM_CrownChain(benchmark::State& state)
{
    TCrownChainSettings settings;
    settings.Filter = GaussFilter(7, '.');
    settings.Cycles = 1;
    for (auto _ : state) benchmark::DoNotOptimize(RunCrownChain(Stand().Tops, Stand().Picture, Stand().Picture, settings));
}
BENCHMARK(BM_CrownChain)->Unit(benchmark::kMillisecond);

// `lumera-cli crowns` as a whole process, files included (target: under 100 ms).
static void BM_CrownsProcess(benchmark::State& state)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "lumera-bench-crowns";
    std::filesystem::create_directories(dir);
    WriteExtremaFile((dir / "maxima.txt").string(), Stand().Tops);
    WriteBmp((dir / "stand.bmp").string(), Stand().Picture);
    const std::string d = dir.string();
    const std::string command = std::string(LUMERA_CLI_PATH) + " crowns --maxima " + d + "/maxima.txt --background " + d +
                                "/stand.bmp --equalized " + d + "/stand.bmp --cycles 1 -o " + d + "/trees.dat >/dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("lumera-cli crowns failed");
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_CrownsProcess)->Unit(benchmark::kMillisecond);
