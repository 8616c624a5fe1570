#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include <gdal_alg.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "crown_polygons.h"
#include "scene_import.h"

using namespace lumera;

namespace {

constexpr int kSide = 400, kSceneBands = 426;

// A 400 x 400 ENVI scene of 426 16-bit bands from 380 nm in 5 nm steps, as
// airborne imaging spectrometers deliver, written once per run.
std::string EnviScene()
{
    static const std::string path = [] {
        const auto file = (std::filesystem::temp_directory_path() / "lumera-bench-scene.img").string();
        GDALAllRegister();
        GDALDataset* ds = GetGDALDriverManager()->GetDriverByName("ENVI")->Create(file.c_str(), kSide, kSide,
                                                                                    kSceneBands, GDT_Int16, nullptr);
        std::string list = "{";
        for (int b = 0; b < kSceneBands; ++b) {
            if (b) list += ',';
            list += std::to_string(380 + 5 * b);
        }
        ds->SetMetadataItem("wavelength", (list + "}").c_str(), "ENVI");
        ds->SetMetadataItem("wavelength_units", "Nanometers", "ENVI");
        std::vector<int16_t> plane(std::size_t(kSide) * kSide);
        for (int b = 0; b < kSceneBands; ++b) {
            for (std::size_t i = 0; i < plane.size(); ++i) plane[i] = static_cast<int16_t>((i * 7 + b * 13) % 9000);
            if (ds->GetRasterBand(b + 1)->RasterIO(GF_Write, 0, 0, kSide, kSide, plane.data(), kSide, kSide,
                                                   GDT_Int16, 0, 0, nullptr) != CE_None)
                std::abort();
        }
        GDALClose(ds);
        return file;
    }();
    return path;
}

// 250 crowns as the cells of random tops, with gaps of background and barriers.
TTreeMatrix TreeMatrixOf250()
{
    std::mt19937 random(3);
    std::vector<std::pair<int, int>> tops;
    for (int i = 0; i < 250; ++i) tops.emplace_back(int(random() % kSide), int(random() % kSide));
    TTreeMatrix m(kSide, kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            int best = 0, bestDistance = INT32_MAX;
            for (int i = 0; i < 250; ++i) {
                const int dx = x - tops[i].first, dy = y - tops[i].second, d = dx * dx + dy * dy;
                if (d < bestDistance) best = i, bestDistance = d;
            }
            m.At(x, y) = bestDistance > 400 ? 0 : ((x * 31 + y * 17) % 23 == 0 ? -1 : best + 1);
        }
    return m;
}

const GeoTransform kUtm = {500000, 1, 0, 5500000, 0, -1};

}  // namespace

// The whole import: open, read the bands the 65 output bands need, resample, scale.
static void BM_ImportEnvi426Window(benchmark::State& state)
{
    const std::string path = EnviScene();
    ImportOptions options;
    options.Window = PixelRect{0, 0, kSide, kSide};
    for (auto _ : state) {
        Scene scene = OpenScene(path);
        benchmark::DoNotOptimize(ImportScene(scene, options));
    }
}
BENCHMARK(BM_ImportEnvi426Window)->Unit(benchmark::kMillisecond);

// Baseline: only reading every band of the window as floating values, nothing computed.
static void BM_ReadEnvi426WindowOnly(benchmark::State& state)
{
    const std::string path = EnviScene();
    std::vector<double> plane(std::size_t(kSide) * kSide);
    for (auto _ : state) {
        Scene scene = OpenScene(path);
        for (int b = 1; b <= kSceneBands; ++b)
            if (scene.Dataset->GetRasterBand(b)->RasterIO(GF_Read, 0, 0, kSide, kSide, plane.data(), kSide, kSide,
                                                          GDT_Float64, 0, 0, nullptr) != CE_None)
                state.SkipWithError("read failed");
        benchmark::DoNotOptimize(plane.data());
    }
}
BENCHMARK(BM_ReadEnvi426WindowOnly)->Unit(benchmark::kMillisecond);

// The polygons command's work: outlines, attributes and the GeoPackage.
static void BM_CrownPolygonsToGeoPackage(benchmark::State& state)
{
    const TTreeMatrix trees = TreeMatrixOf250();
    const auto path = (std::filesystem::temp_directory_path() / "lumera-bench-crowns.gpkg").string();
    for (auto _ : state) WriteCrownLayer(path, {"", true, false, PolygonizeCrowns(trees, kUtm, 1.0)});
    std::filesystem::remove(path);
}
BENCHMARK(BM_CrownPolygonsToGeoPackage)->Unit(benchmark::kMillisecond);

// Baseline: GDAL's polygonize alone into a memory layer.
static void BM_GdalPolygonizeOnly(benchmark::State& state)
{
    TTreeMatrix trees = TreeMatrixOf250();
    GDALAllRegister();
    for (auto _ : state) {
        GDALDataset* raster = GetGDALDriverManager()->GetDriverByName("MEM")->Create("", kSide, kSide, 1, GDT_Int32,
                                                                                      nullptr);
        if (raster->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, kSide, kSide, trees.Values.data(), kSide, kSide,
                                               GDT_Int32, 0, 0, nullptr) != CE_None)
            state.SkipWithError("write failed");
        GDALDataset* vector = GetGDALDriverManager()->GetDriverByName("Memory")->Create("", 0, 0, 0, GDT_Unknown,
                                                                                         nullptr);
        OGRLayer* layer = vector->CreateLayer("crowns", nullptr, wkbPolygon, nullptr);
        OGRFieldDefn field("tree", OFTInteger);
        layer->CreateField(&field);
        GDALPolygonize(raster->GetRasterBand(1), nullptr, layer, 0, nullptr, nullptr, nullptr);
        benchmark::DoNotOptimize(layer->GetFeatureCount());
        GDALClose(vector);
        GDALClose(raster);
    }
}
BENCHMARK(BM_GdalPolygonizeOnly)->Unit(benchmark::kMillisecond);
