#include <benchmark/benchmark.h>

#include "crowns/crown_scale.h"
#include "crowns/crown_tops.h"
#include "crowns/gaussian_smoothing.h"
#include "crowns/marker_watershed.h"
#include "crowns/scale_delineation.h"
#include "imaging/bmp_file.h"
#include "analysis/reference_library.h"
#include "stand/stand_materials.h"
#include "stand/synthetic_stand.h"

using namespace lumera;

namespace {

const SyntheticStand& Stand()
{
    static const SyntheticStand stand =
        MakeSyntheticStand({1, 400, 400, 220}, MaterialsFromLibrary(BuiltinSpectralLibrary(), InitBandTable()));
    return stand;
}

// The smoothed brightness, mask and tops of the top-left side x side pixels,
// as the delineation hands them to the watershed.
struct FloodInput {
    TMatice Surface;
    VegetationMask Mask;
    TExtremaList Tops;
};

FloodInput Flood(int side)
{
    const TMatice full = CubeBrightness(Stand().Cube);
    const VegetationMask fullMask = NdviVegetationMask(Stand().Cube);
    FloodInput in{TMatice(side, side), VegetationMask(std::size_t(side) * side), {}};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            in.Surface.At(x, y) = full.At(x, y);
            in.Mask[std::size_t(y) * side + x] = fullMask[std::size_t(y) * 400 + x];
        }
    in.Surface = GaussianSmooth(in.Surface, 8.0 / 3.0);
    in.Tops = FindCrownTops(in.Surface, in.Mask, 8.0);
    return in;
}

}  // namespace

// The whole delineation of a 400 x 400 cut-out: NDVI mask, brightness, crown
// radius estimate, smoothing, tops, watershed (target: under 50 ms).
static void BM_DelineateCutout(benchmark::State& state)
{
    const TData& cube = Stand().Cube;
    for (auto _ : state) benchmark::DoNotOptimize(DelineateCutout(cube, nullptr, {}));
}
BENCHMARK(BM_DelineateCutout)->Unit(benchmark::kMillisecond);

// The same with the radius given: what the estimate costs.
static void BM_DelineateCutoutGivenRadius(benchmark::State& state)
{
    const TData& cube = Stand().Cube;
    for (auto _ : state) benchmark::DoNotOptimize(DelineateCutout(cube, nullptr, {8.0}));
}
BENCHMARK(BM_DelineateCutoutGivenRadius)->Unit(benchmark::kMillisecond);

// A 400 x 400 aerial photograph at 0.1 m: four real plots side by side.
static const Bitmap& Photograph()
{
    static const Bitmap picture = [] {
        Bitmap mosaic(400, 400);
        const char* plots[] = {"MLBS_1", "MLBS_20", "OSBS_25", "OSBS_4"};
        for (int k = 0; k < 4; ++k) {
            const Bitmap plot = ReadBmp(std::string(LUMERA_SOURCE_DIR "/tests/data/idtrees/colour/") + plots[k] + ".bmp");
            for (int y = 0; y < 200; ++y)
                std::copy_n(plot.ScanLine(y), 600, mosaic.ScanLine(200 * (k / 2) + y) + 600 * (k % 2));
        }
        return mosaic;
    }();
    return picture;
}

// The delineation of the photograph with its pixel size, and without it
// (the radius estimated from the correlation length); target: under 60 ms.
static void BM_DelineatePhotograph(benchmark::State& state)
{
    const DelineationSettings settings{0.0, state.range(0) ? 0.1 : 0.0};
    for (auto _ : state) benchmark::DoNotOptimize(DelineatePicture(Photograph(), nullptr, settings));
}
BENCHMARK(BM_DelineatePhotograph)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The heap flood against the plain definition that scans every waiting pixel.
static void BM_MarkerWatershed(benchmark::State& state)
{
    const FloodInput in = Flood(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(MarkerWatershed(in.Surface, in.Tops, {&in.Mask, 12.8}));
}
BENCHMARK(BM_MarkerWatershed)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

static void BM_PlainMarkerWatershed(benchmark::State& state)
{
    const FloodInput in = Flood(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(PlainMarkerWatershed(in.Surface, in.Tops, {&in.Mask, 12.8}));
}
BENCHMARK(BM_PlainMarkerWatershed)->Arg(100)->Unit(benchmark::kMillisecond);
