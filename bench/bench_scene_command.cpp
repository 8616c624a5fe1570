// The whole scene command on the 2000 x 2000 x 426 scene of 25 synthetic
// stands, and its crowns scored against the stitched true crowns next to the
// same stands delineated one by one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "crowns/crown_accuracy.h"
#include "crowns/tree_matrix.h"
#include "data/band_table.h"
#include "scene_file.h"
#include "analysis/reference_library.h"
#include "stand/stand_materials.h"

namespace fs = std::filesystem;
using namespace lumera;

namespace {

constexpr int kSide = bench::kStandsPerSide * bench::kStandSide;

struct SceneCase {
    fs::path Dir;  // a program folder (references) and the stands cut out of the scene one by one
    TTreeMatrix Truth{kSide, kSide};  // the stands' true crowns side by side, numbered through
};

void Run(const std::string& command)
{
    if (std::system((command + " >/dev/null").c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
}

fs::path StandCutout(const SceneCase& c, int k) { return c.Dir / ("stand" + std::to_string(k + 1) + ".dat"); }

const SceneCase& Case()
{
    static const SceneCase c = [] {
        SceneCase c;
        c.Dir = fs::temp_directory_path() / "lumera-bench-scene-run";
        if (!fs::exists(c.Dir / "data")) Run(std::string(LUMERA_CLI_PATH) + " synth -o " + c.Dir.string());
        const StandMaterials materials = MaterialsFromLibrary(BuiltinSpectralLibrary(), InitBandTable());
        int32_t offset = 0;
        for (int k = 0; k < bench::kStandsPerSide * bench::kStandsPerSide; ++k) {
            const int row = k / bench::kStandsPerSide, column = k % bench::kStandsPerSide;
            const SyntheticStand stand = MakeSyntheticStand(bench::SceneStand(row, column), materials);
            // Cut out of the scene, so that the stand has the scene's georeference and values.
            if (!fs::exists(StandCutout(c, k)))
                Run(std::string(LUMERA_CLI_PATH) + " import " + bench::BenchSceneFile() + " --window " +
                    std::to_string(column * bench::kStandSide) + "," + std::to_string(row * bench::kStandSide) + "," +
                    std::to_string(bench::kStandSide) + "," + std::to_string(bench::kStandSide) + " -o " +
                    StandCutout(c, k).string());
            int32_t most = 0;
            for (int y = 0; y < bench::kStandSide; ++y)
                for (int x = 0; x < bench::kStandSide; ++x) {
                    const int32_t v = stand.Truth.Values[std::size_t(y) * bench::kStandSide + x];
                    most = std::max(most, v);
                    c.Truth.Values[std::size_t(row * bench::kStandSide + y) * kSide + column * bench::kStandSide + x] =
                        v >= 1 ? v + offset : v;
                }
            offset += most;
        }
        return c;
    }();
    return c;
}

// The crowns the scene kept, painted from their tiles' tree matrices.
TTreeMatrix SceneCrowns(const fs::path& out)
{
    std::map<std::string, std::array<int, 2>> origin;
    std::ifstream tiles(out / "tiles/tiles.csv");
    std::string line;
    std::getline(tiles, line);
    while (std::getline(tiles, line)) {
        std::replace(line.begin(), line.end(), ',', ' ');
        std::istringstream fields(line);
        std::string name;
        int x = 0, y = 0;
        fields >> name >> x >> y;
        origin[name] = {x, y};
    }
    std::map<std::string, std::map<int32_t, int32_t>> kept;  // tile -> tile tree -> scene tree
    std::ifstream trees(out / "trees.csv");
    std::getline(trees, line);
    while (std::getline(trees, line)) {
        std::replace(line.begin(), line.end(), ',', ' ');
        std::istringstream fields(line);
        int32_t tree = 0, tileTree = 0;
        std::string tile;
        fields >> tree >> tile >> tileTree;
        kept[tile][tileTree] = tree;
    }
    TTreeMatrix scene(kSide, kSide);
    for (const auto& [tile, numbers] : kept) {
        const TTreeMatrix t = ReadTreeMatrix((out / "tiles" / tile / "trees.dat").string());
        for (int y = 0; y < t.Height; ++y)
            for (int x = 0; x < t.Width; ++x) {
                const auto n = numbers.find(t.Values[std::size_t(y) * t.Width + x]);
                if (n != numbers.end())
                    scene.Values[std::size_t(origin[tile][1] + y) * kSide + origin[tile][0] + x] = n->second;
            }
    }
    return scene;
}

double MeanStandF1(const SceneCase& c, const std::string& method)
{
    const StandMaterials materials = MaterialsFromLibrary(BuiltinSpectralLibrary(), InitBandTable());
    double sum = 0.0;
    const int stands = bench::kStandsPerSide * bench::kStandsPerSide;
    for (int k = 0; k < stands; ++k) {
        const fs::path out = c.Dir / ("one-" + method + std::to_string(k + 1));
        Run(std::string(LUMERA_CLI_PATH) + " pipeline " + StandCutout(c, k).string() + " --method " + method +
            " -o " + out.string() + " --program-dir " + c.Dir.string());
        const TTreeMatrix truth =
            MakeSyntheticStand(bench::SceneStand(k / bench::kStandsPerSide, k % bench::kStandsPerSide), materials).Truth;
        sum += EvaluateCrowns(ReadTreeMatrix((out / "trees.dat").string()), truth).F1;
    }
    return sum / stands;
}

}  // namespace

static void BM_Scene2000Command(benchmark::State& state, const std::string& method)
{
    const std::string& scene = bench::BenchSceneFile();
    const SceneCase& c = Case();
    const fs::path out = c.Dir / ("out-" + method);
    for (auto _ : state)
        Run(std::string(LUMERA_CLI_PATH) + " scene " + scene + " -o " + out.string() +
            " --size 200 --overlap 40 --jobs 2 --method " + method + " --program-dir " + c.Dir.string());
    state.counters["f1_scene"] = EvaluateCrowns(SceneCrowns(out), c.Truth).F1;
    state.counters["f1_stands"] = MeanStandF1(c, method);
}
BENCHMARK_CAPTURE(BM_Scene2000Command, specified, std::string("specified"))
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(BM_Scene2000Command, scale, std::string("scale"))
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
