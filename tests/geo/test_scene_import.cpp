#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

#include "data/cutout_file.h"
#include "data/file_error.h"
#include "mapping/value_scaling.h"
#include "refusal.h"
#include "resampling_kernels.h"
#include "scene_files.h"
#include "scene_import.h"
#include "scene_refusal.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// Reflectance 0.1 + 0.05 x + 0.1 y, the same in every band.
double Reflectance(int x, int y) { return 0.1 + 0.05 * x + 0.1 * y; }

ImportResult Import(const std::string& path, const ImportOptions& options = {})
{
    Scene scene = OpenScene(path);
    return ImportScene(scene, options);
}

ImportOptions InWindow(const PixelRect& window)
{
    ImportOptions options;
    options.Window = window;
    return options;
}

// The import by its plain definition: each needed band read alone through
// GDAL, each output band the weighted sum of its inputs in their order.
TData PlainImport(const std::string& path, const PixelRect& w, double scale)
{
    Scene scene = OpenScene(path);
    const ResamplingPlan plan = PlanResampling(*scene.CentresUm, InitBandTable());
    const std::size_t pixels = std::size_t(w.Width) * w.Height;
    std::vector<std::vector<double>> planes(std::size_t(scene.Bands));
    std::vector<bool> noData(pixels, false);
    for (int input : plan.InputsUsed) {
        GDALRasterBand* band = scene.Dataset->GetRasterBand(input + 1);
        std::vector<double>& plane = planes[std::size_t(input)];
        plane.resize(pixels);
        EXPECT_EQ(band->RasterIO(GF_Read, w.X, w.Y, w.Width, w.Height, plane.data(), w.Width, w.Height, GDT_Float64,
                                 0, 0, nullptr),
                  CE_None);
        int hasNoData = 0;
        const double value = band->GetNoDataValue(&hasNoData);
        for (std::size_t p = 0; p < pixels; ++p)
            if (!std::isfinite(plane[p]) || (hasNoData && plane[p] == value)) noData[p] = true;
    }
    TData cube{65, w.Height, w.Width, {}};
    cube.Values.assign(65 * pixels, 0);
    for (std::size_t o = 0; o < 65; ++o)
        for (std::size_t p = 0; p < pixels; ++p) {
            double sum = 0.0;
            const BandWeights& bw = plan.Bands[o];
            for (std::size_t k = 0; k < bw.Inputs.size(); ++k) sum += bw.Weights[k] * planes[bw.Inputs[k]][p];
            bool clipped = false;
            if (!noData[p]) cube.Values[o * pixels + p] = ToCount(sum * scale, clipped);
        }
    return cube;
}

}  // namespace

// Random scenes in each interleave and value type, read as whole rows or
// bands or in pieces: the import is exactly the plain definition.
TEST(SceneImport, EveryInterleaveGivesThePlainDefinitionExactly)
{
    struct Case {
        std::string Interleave;
        GDALDataType Type;
    } cases[] = {{"BIL", GDT_Int16}, {"BSQ", GDT_Float32}, {"BIP", GDT_UInt16}, {"BSQ", GDT_CFloat32}};
    for (const Case& c : cases) {
        TempDir dir;
        std::mt19937 random(11);
        SceneRecipe recipe =
            UtmScene(37, 23, [&](int, int x, int y) { return (x + y) % 17 == 0 ? 7.0 : double(random() % 9000); });
        recipe.Interleave = c.Interleave;
        recipe.Type = c.Type;
        recipe.NoData = 7.0;
        WriteScene(dir.File("scene.img"), recipe);
        // A narrow window of a wide row is read piece by piece.
        for (const PixelRect& window : {PixelRect{3, 2, 31, 19}, PixelRect{30, 1, 3, 20}})
            EXPECT_EQ(Import(dir.File("scene.img"), InWindow(window)).Cube.Values,
                      PlainImport(dir.File("scene.img"), window, 1.0).Values)
                << c.Interleave << " " << window.X;
    }
}

// On every instruction set here: the weighted sums of any number of terms
// are added in their order, and the counts of ties, both ends of the range,
// values that are no numbers and pixels without data are ToCount's.
TEST(SceneImport, KernelsOfEveryInstructionSetGiveThePlainDefinition)
{
    const double inf = std::numeric_limits<double>::infinity();
    // Halves: the kernels multiply by the scale, 2, before rounding.
    std::vector<double> sums = {0.25,     0.75,      1.25,  -0.25, -0.255, -0.0, 16383.25,
                                16383.75, 16383.745, 1e300, -inf,  inf,    NAN};
    std::mt19937 random(5);
    std::uniform_real_distribution<double> value(-50.0, 16500.0);
    while (sums.size() < 1001) sums.push_back(value(random));
    std::vector<uint8_t> noData(sums.size());
    for (uint8_t& n : noData) n = random() % 5 == 0;
    std::vector<int16_t> counts(sums.size(), 0);
    std::vector<uint8_t> clipped(sums.size(), 2);
    for (std::size_t p = 0; p < sums.size(); ++p) {
        bool wasClipped = false;
        const int16_t count = ToCount(sums[p] * 2.0, wasClipped);
        if (!noData[p]) counts[p] = count, clipped[p] += wasClipped;
    }
    for (InstructionSet set : {InstructionSet::Baseline, InstructionSet::Avx2, InstructionSet::Avx512}) {
        if (!Runs(set) && set != InstructionSet::Baseline) continue;
        std::vector<int16_t> out(sums.size(), -7);
        std::vector<uint8_t> outClipped(sums.size(), 2);
        ResamplingKernelsFor(set).ToCounts(sums.data(), noData.data(), 2.0, sums.size(), out.data(), outClipped.data());
        EXPECT_EQ(out, counts) << int(set);
        EXPECT_EQ(outClipped, clipped) << int(set);
        for (std::size_t termCount = 0; termCount <= 6; ++termCount) {
            std::vector<const double*> terms;
            for (std::size_t k = 0; k < termCount; ++k) terms.push_back(sums.data() + 13 + 31 * k);
            const std::vector<double> weights = {0.3, 0.1, 0.25, 0.7, 1e-3, 0.45};
            std::vector<double> weighted(75);
            ResamplingKernelsFor(set).WeightedSum(terms.data(), weights.data(), termCount, 75, weighted.data());
            for (std::size_t p = 0; p < 75; ++p) {
                double sum = 0.0;
                for (std::size_t k = 0; k < termCount; ++k) sum += weights[k] * terms[k][p];
                EXPECT_EQ(weighted[p], sum) << int(set) << " " << termCount << " " << p;
            }
        }
    }
}

// A raw file cut short is refused for windows reaching past its end, never
// taken as zeros.
TEST(SceneImport, ScenesCutShortAreRefusedWhereTheirDataEnds)
{
    TempDir dir;
    SceneRecipe recipe = UtmScene(20, 10, [](int, int, int) { return 0.5; });
    recipe.Interleave = "BIL";
    WriteScene(dir.File("scene.img"), recipe);
    std::filesystem::resize_file(dir.File("scene.img"), std::filesystem::file_size(dir.File("scene.img")) / 2);
    EXPECT_EQ(Import(dir.File("scene.img"), InWindow({0, 0, 20, 4})).Cube.NRows, 4);
    ExpectRefused([&] { Import(dir.File("scene.img")); }, {"scene.img nelze přečíst (řádky 1 až 10): data jsou kratší"});
}

TEST(SceneImport, EnviReflectanceWindowWithNoDataAndGeoreference)
{
    TempDir dir;
    SceneRecipe recipe = UtmScene(4, 3, [](int band, int x, int y) {
        if (band == 2 && x == 1 && y == 1) return -1.0;  // no data in a band that band 1 reads
        if (band == 40 && x == 3 && y == 2) return std::nan("");
        if (band == 129 && x == 2 && y == 2) return -1.0;  // beyond 1 µm: never read
        return Reflectance(x, y);
    });
    recipe.NoData = -1.0;
    WriteScene(dir.File("scene.img"), recipe);

    const ImportResult r = Import(dir.File("scene.img"), InWindow({1, 1, 3, 2}));
    ASSERT_EQ(std::make_tuple(r.Cube.NBands, r.Cube.NRows, r.Cube.NColumns), std::make_tuple(65, 2, 3));
    EXPECT_EQ(std::make_pair(r.Scale, r.NoDataPixels), std::make_pair(10000.0, int64_t(2)));
    EXPECT_EQ(r.Cube.Values, PlainImport(dir.File("scene.img"), {1, 1, 3, 2}, 10000.0).Values);
    EXPECT_EQ(r.Cube.At(64, 1, 1), 4000);  // reflectance 0.4 at scene pixel (2, 2)
    ASSERT_TRUE(r.Reference);
    EXPECT_EQ(r.Reference->Transform, (GeoTransform{500002, 2, 0, 5499998, 0, -2}));
    EXPECT_NE(r.Reference->Crs.find("UTM zone 33N"), std::string::npos);
}

TEST(SceneImport, GeoTiffBandItemsHandComputedBandAndPartialFill)
{
    TempDir dir;
    SceneRecipe recipe;
    recipe.Driver = "GTiff";
    recipe.Style = SceneRecipe::Wavelengths::BandItems;
    recipe.Unit = "nm";
    recipe.Centres = {386.7, 391.7, 396.7};
    recipe.Value = [](int band, int, int) { return std::vector<double>{0.01, 0.02, 0.04}[band]; };
    WriteScene(dir.File("scene.tif"), recipe);

    ExpectRefused<SceneRefusal>([&] { Import(dir.File("scene.tif")); }, {"nepokrývá bandy 3 (0.4089 µm), 4 (0.4176 µm)"});
    ImportOptions options;
    options.AllowPartial = true;
    const ImportResult r = Import(dir.File("scene.tif"), options);
    // (0.01 w + 0.02 + 0.04 w) / (1 + 2 w) × 10000 with w = 0.39173: 221.96
    EXPECT_EQ(std::make_tuple(r.Cube.At(0, 1, 2), r.Cube.At(2, 0, 0), r.Filled.size(), r.Notes.size(), bool(r.Reference)),
              std::make_tuple(int16_t(222), int16_t(0), std::size_t(63), std::size_t(1), false));
    EXPECT_TRUE(r.Cube.At(1, 0, 0) > 222 && r.Filled.at(0) == 3);

    // A stale georeference of an earlier cut-out of that name goes.
    std::ofstream(dir.File("cut.dat.geo.json")) << "{}";
    WriteImportedCutout(dir.File("cut.dat"), r);
    EXPECT_FALSE(std::filesystem::exists(dir.File("cut.dat.geo.json")));
}

TEST(SceneImport, CountsKeptScaledOrClippedAndUnitsGuessed)
{
    TempDir dir;
    SceneRecipe recipe =
        UtmScene(3, 2, [](int, int x, int y) { return y == 0 ? 1000.0 * (x + 1) : (x == 0 ? -50.0 : 40000.0); });
    recipe.Centres = Centres(0.38, 0.005, 130);
    recipe.Unit = "";
    WriteScene(dir.File("counts.img"), recipe);
    const ImportResult r = Import(dir.File("counts.img"));
    EXPECT_EQ(std::make_tuple(r.Scale, r.Cube.At(10, 0, 2), r.Cube.At(10, 1, 0), r.Cube.At(10, 1, 2), r.Clipped),
              std::make_tuple(1.0, int16_t(3000), int16_t(0), int16_t(32767), int64_t(3 * 65)));
    const std::vector<std::string> notes = ImportNotes(r);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_NE(notes[0].find("podle velikosti hodnot jde o mikrometry"), std::string::npos) << notes[0];
    EXPECT_NE(notes[1].find("oříznuto: 195"), std::string::npos) << notes[1];

    // Integers are counts however small they are: never taken for reflectances.
    recipe.Type = GDT_Int16;
    recipe.Value = [](int, int, int) { return 2.0; };
    WriteScene(dir.File("dark.img"), recipe);
    EXPECT_EQ(Import(dir.File("dark.img")).Scale, 1.0);
}

TEST(SceneImport, WavelengthFileForASceneWithout)
{
    TempDir dir;
    SceneRecipe recipe = UtmScene(3, 2, [](int, int, int) { return 0.5; });
    recipe.Style = SceneRecipe::Wavelengths::None;
    WriteScene(dir.File("bare.img"), recipe);
    ExpectRefused<SceneRefusal>([&] { Import(dir.File("bare.img")); }, {"neuvádí vlnové délky"});

    std::ofstream list(dir.File("wl.txt"));
    for (double c : recipe.Centres) list << c << '\n';
    list.close();
    ImportOptions options;
    options.Wavelengths = dir.File("wl.txt");
    const ImportResult r = Import(dir.File("bare.img"), options);
    EXPECT_EQ(r.Cube.At(64, 1, 2), 5000);
    EXPECT_NE(r.Notes.at(0).find("nanometry"), std::string::npos);

    std::ofstream(dir.File("short.txt")) << "nm\n400\n410\n";
    options.Wavelengths = dir.File("short.txt");
    EXPECT_THROW(Import(dir.File("bare.img"), options), FileError);
}

TEST(SceneImport, WindowsOutsideOrTooLargeAndScenesTooLargeAreRefused)
{
    TempDir dir;
    SceneRecipe recipe = UtmScene(401, 2, [](int, int, int) { return 0.5; });
    WriteScene(dir.File("wide.img"), recipe);
    ExpectRefused<SceneRefusal>([&] { Import(dir.File("wide.img")); }, {"401 x 2"});
    for (const PixelRect& w : {PixelRect{-1, 0, 10, 2}, PixelRect{392, 0, 10, 2}, PixelRect{0, 1, 10, 2}})
        ExpectRefused<SceneRefusal>([&] { Import(dir.File("wide.img"), InWindow(w)); }, {"neleží celé uvnitř"});
    for (const PixelRect& w : {PixelRect{0, 0, 401, 2}, PixelRect{0, 0, 0, 2}})
        ExpectRefused<SceneRefusal>([&] { Import(dir.File("wide.img"), InWindow(w)); }, {"1 až 400"});
    EXPECT_EQ(Import(dir.File("wide.img"), InWindow({1, 0, 400, 2})).Cube.NColumns, 400);
    const TData pixel = Import(dir.File("wide.img"), InWindow({400, 1, 1, 1})).Cube;  // the smallest window
    EXPECT_TRUE(pixel.NColumns == 1 && pixel.NRows == 1);

    // A container of several rasters names the ones to choose from.
    recipe.Driver = "GPKG";
    recipe.Width = 4;
    recipe.Centres = {500};
    recipe.Type = GDT_Byte;
    recipe.Transform = {0, 1, 0, 0, 0, -1};
    for (const char* table : {"RASTER_TABLE=a", "RASTER_TABLE=b"}) {
        recipe.Options = {table, "APPEND_SUBDATASET=YES"};
        WriteScene(dir.File("two.gpkg"), recipe);
    }
    const std::string two = dir.File("two.gpkg");
    ExpectRefused([&] { OpenScene(two); }, {"GPKG:" + two + ":a, GPKG:" + two + ":b"});
}
