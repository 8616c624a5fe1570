// The whole scene command on a 2000 x 2000 x 426 scene of 25 synthetic
// stands, and its crowns scored against the stitched true crowns next to the
// same stands delineated one by one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "crowns/crown_accuracy.h"
#include "crowns/tree_matrix.h"
#include "data/band_table.h"
#include "data/cutout_file.h"

namespace fs = std::filesystem;
using namespace lumera;

namespace {

constexpr int kStand = 400, kStands = 5, kSide = kStand * kStands, kBands = 426;

struct SceneCase {
    fs::path Dir;
    std::string Scene;
    TTreeMatrix Truth{kSide, kSide};
};

std::string Cli() { return LUMERA_CLI_PATH; }

void Run(const std::string& command)
{
    if (std::system((command + " >/dev/null").c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
}

fs::path StandDir(const SceneCase& c, int k) { return c.Dir / ("stand" + std::to_string(k + 1)); }

// Each scene band (380 nm on in 5 nm steps) interpolated linearly between the
// two stand bands around it, the outermost stand band beyond them.
struct BandMix {
    int Low = 0, High = 0;
    double Weight = 0.0;  // of High
};

std::vector<BandMix> SceneBands()
{
    const TBandTable table = InitBandTable();
    std::vector<BandMix> mix(kBands);
    for (int b = 0; b < kBands; ++b) {
        const double nm = 380.0 + 5.0 * b;
        int high = 0;
        while (high < kSensorBands && table[high].Center * 1000.0 < nm) ++high;
        if (high == 0 || high == kSensorBands) {
            mix[b] = {std::min(high, kSensorBands - 1), std::min(high, kSensorBands - 1), 0.0};
            continue;
        }
        const double lo = table[high - 1].Center * 1000.0, hi = table[high].Center * 1000.0;
        mix[b] = {high - 1, high, (nm - lo) / (hi - lo)};
    }
    return mix;
}

// A BIL ENVI scene of 16-bit counts, the stands side by side, row by row.
void WriteScene(const std::string& path, const std::vector<TData>& stands)
{
    const std::vector<BandMix> mix = SceneBands();
    std::ofstream out(path, std::ios::binary);
    std::vector<int16_t> line(std::size_t(kBands) * kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int b = 0; b < kBands; ++b)
            for (int x = 0; x < kSide; ++x) {
                const TData& s = stands[std::size_t(y / kStand) * kStands + x / kStand];
                const int sy = y % kStand, sx = x % kStand;
                const double v = s.At(mix[b].Low, sy, sx) * (1.0 - mix[b].Weight) + s.At(mix[b].High, sy, sx) * mix[b].Weight;
                line[std::size_t(b) * kSide + x] = int16_t(std::nearbyint(v));
            }
        out.write(reinterpret_cast<const char*>(line.data()), std::streamsize(line.size() * 2));
    }
    std::ofstream header(fs::path(path).replace_extension(".hdr"));
    header << "ENVI\nsamples = " << kSide << "\nlines = " << kSide << "\nbands = " << kBands
           << "\nheader offset = 0\nfile type = ENVI Standard\ndata type = 2\ninterleave = bil\nbyte order = 0\n"
           << "wavelength units = Nanometers\nwavelength = {";
    for (int b = 0; b < kBands; ++b) header << (b ? "," : "") << 380 + 5 * b;
    header << "}\n";
}

const SceneCase& Case()
{
    static const SceneCase c = [] {
        SceneCase c;
        c.Dir = fs::temp_directory_path() / "lumera-bench-scene-run";
        fs::create_directories(c.Dir);
        std::vector<TData> stands;
        int offset = 0;
        for (int k = 0; k < kStands * kStands; ++k) {
            const fs::path d = StandDir(c, k);
            if (!fs::exists(d / "data/vystup/truth.dat"))
                Run(Cli() + " synth -o " + d.string() + " --seed " + std::to_string(k + 1));
            stands.push_back(ReadCutout((d / "data/vyrezy/stand.dat").string()));
            const TTreeMatrix truth = ReadTreeMatrix((d / "data/vystup/truth.dat").string());
            int32_t most = 0;
            for (int y = 0; y < kStand; ++y)
                for (int x = 0; x < kStand; ++x) {
                    const int32_t v = truth.Values[std::size_t(y) * kStand + x];
                    most = std::max(most, v);
                    c.Truth.Values[std::size_t((k / kStands) * kStand + y) * kSide + (k % kStands) * kStand + x] =
                        v >= 1 ? v + offset : v;
                }
            offset += most;
        }
        c.Scene = (c.Dir / "scene.img").string();
        if (!fs::exists(c.Scene)) WriteScene(c.Scene, stands);
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
    double sum = 0.0;
    for (int k = 0; k < kStands * kStands; ++k) {
        const fs::path d = StandDir(c, k), out = d / ("one-" + method);
        Run(Cli() + " pipeline " + (d / "data/vyrezy/stand.dat").string() + " --method " + method + " -o " +
            out.string() + " --program-dir " + d.string());
        sum += EvaluateCrowns(ReadTreeMatrix((out / "trees.dat").string()),
                              ReadTreeMatrix((d / "data/vystup/truth.dat").string()))
                   .F1;
    }
    return sum / (kStands * kStands);
}

}  // namespace

static void BM_SceneCat(benchmark::State& state)
{
    const std::string command = "cat " + Case().Scene + " > /dev/null";
    for (auto _ : state) Run(command);
}
BENCHMARK(BM_SceneCat)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

static void BM_SceneCommand(benchmark::State& state, const std::string& method)
{
    const SceneCase& c = Case();
    const fs::path out = c.Dir / ("out-" + method);
    for (auto _ : state)
        Run(Cli() + " scene " + c.Scene + " -o " + out.string() + " --size 400 --overlap 40 --jobs 2 --method " +
            method + " --program-dir " + StandDir(c, 0).string());
    state.counters["f1_scene"] = EvaluateCrowns(SceneCrowns(out), c.Truth).F1;
    state.counters["f1_stands"] = MeanStandF1(c, method);
}
BENCHMARK_CAPTURE(BM_SceneCommand, specified, std::string("specified"))
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(BM_SceneCommand, scale, std::string("scale"))
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
