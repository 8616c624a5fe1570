#include "scene_file.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "analysis/reference_library.h"
#include "stand/stand_materials.h"

namespace lumera::bench {

namespace {

constexpr int kSide = kStandsPerSide * kStandSide;

double CentreNm(int band) { return 380.0 + (2510.0 - 380.0) * band / (kSceneBands426 - 1); }

// Where each scene band falls between two of the stand's bands; outside the
// stand's range the nearest band is repeated.
struct Spread {
    int Lower;
    double Share;  // of the upper band
};

std::vector<Spread> SpreadOnto426(const TBandTable& table)
{
    std::vector<Spread> spread;
    const int last = int(table.size()) - 1;
    for (int b = 0; b < kSceneBands426; ++b) {
        const double um = CentreNm(b) / 1000.0;
        int lower = 0;
        while (lower < last - 1 && table[std::size_t(lower) + 1].Center <= um) ++lower;
        const double t = (um - table[std::size_t(lower)].Center) /
                         (table[std::size_t(lower) + 1].Center - table[std::size_t(lower)].Center);
        spread.push_back({lower, std::clamp(t, 0.0, 1.0)});
    }
    return spread;
}

// One row of stands as BIL lines: for each line, every band's 2000 values.
void WriteStandRow(GDALDataset& ds, int standRow, const std::vector<Spread>& spread, const StandMaterials& materials)
{
    std::vector<int16_t> lines(std::size_t(kStandSide) * kSceneBands426 * kSide);
    for (int c = 0; c < kStandsPerSide; ++c) {
        const TData cube = MakeSyntheticStand(SceneStand(standRow, c), materials).Cube;
        for (int y = 0; y < kStandSide; ++y)
            for (int b = 0; b < kSceneBands426; ++b) {
                const int16_t* low = cube.Row(spread[b].Lower, y);
                const int16_t* high = cube.Row(spread[b].Lower + 1, y);
                int16_t* out = lines.data() + (std::size_t(y) * kSceneBands426 + b) * kSide + c * kStandSide;
                for (int x = 0; x < kStandSide; ++x)
                    out[x] = int16_t(std::lround(low[x] + spread[b].Share * (high[x] - low[x])));
            }
    }
    const int bytes = int(sizeof(int16_t));
    if (ds.RasterIO(GF_Write, 0, standRow * kStandSide, kSide, kStandSide, lines.data(), kSide, kStandSide, GDT_Int16,
                    kSceneBands426, nullptr, bytes, GSpacing(bytes) * kSide * kSceneBands426, GSpacing(bytes) * kSide,
                    nullptr) != CE_None)
        throw std::runtime_error("cannot write the benchmark scene");
}

void WriteScene(const std::string& path)
{
    GDALAllRegister();
    GDALDriver* envi = GetGDALDriverManager()->GetDriverByName("ENVI");
    const char* options[] = {"INTERLEAVE=BIL", nullptr};
    GDALDataset* ds = envi->Create(path.c_str(), kSide, kSide, kSceneBands426, GDT_Int16, const_cast<char**>(options));
    if (!ds) throw std::runtime_error("cannot create the benchmark scene " + path);
    std::string list = "{";
    for (int b = 0; b < kSceneBands426; ++b) {
        if (b) list += ',';
        list += std::to_string(CentreNm(b));
    }
    ds->SetMetadataItem("wavelength", (list + "}").c_str(), "ENVI");
    ds->SetMetadataItem("wavelength_units", "Nanometers", "ENVI");
    // Pixels of 0.2 m: the stands' crowns (5 to 15 px in radius) are then of
    // a real tree's size, which the delineation assumes where it knows the pixel size.
    double transform[6] = {500000, 0.2, 0, 5500000, 0, -0.2};
    ds->SetGeoTransform(transform);
    OGRSpatialReference crs;
    crs.importFromEPSG(32633);
    ds->SetSpatialRef(&crs);
    const TBandTable table = InitBandTable();
    const StandMaterials materials = MaterialsFromLibrary(BuiltinSpectralLibrary(), table);
    const std::vector<Spread> spread = SpreadOnto426(table);
    for (int r = 0; r < kStandsPerSide; ++r) WriteStandRow(*ds, r, spread, materials);
    GDALClose(ds);
}

}  // namespace

StandOptions SceneStand(int row, int column)
{
    return {uint64_t(row * kStandsPerSide + column + 1), kStandSide, kStandSide, 220};
}

const std::string& BenchSceneFile()
{
    static const std::string path = [] {
        namespace fs = std::filesystem;
        const fs::path folder = fs::temp_directory_path() / "lumera-bench-scene-2000";
        const std::string file = (folder / "scene.img").string();
        // The finished scene is moved into place, so a run stopped while writing is not taken for it.
        if (fs::exists(file)) return file;
        fs::create_directories(folder);
        const std::string partial = (folder / "partial.img").string();
        WriteScene(partial);
        GDALAllRegister();
        if (GetGDALDriverManager()->GetDriverByName("ENVI")->Rename(file.c_str(), partial.c_str()) != CE_None)
            throw std::runtime_error("cannot move the benchmark scene to " + file);
        return file;
    }();
    return path;
}

}  // namespace lumera::bench
