#include "scene_import.h"

#include <cmath>
#include <filesystem>

#include <gdal_priv.h>

#include "data/cutout_file.h"
#include "data/file_error.h"
#include "data/output_batch.h"
#include "mapping/spectral_resampling.h"
#include "mapping/value_scaling.h"
#include "mapping/wavelength_units.h"
#include "scene_refusal.h"

namespace lumera {

namespace {

std::string Describe(const PixelRect& w)
{
    return std::to_string(w.X) + "," + std::to_string(w.Y) + "," + std::to_string(w.Width) + "," +
           std::to_string(w.Height);
}

PixelRect CheckedWindow(const Scene& scene, const ImportOptions& options)
{
    const std::string size = std::to_string(scene.Width) + " x " + std::to_string(scene.Height);
    const std::string limit = std::to_string(kMaxWindowSide) + " x " + std::to_string(kMaxWindowSide);
    if (!options.Window) {
        if (scene.Width > kMaxWindowSide || scene.Height > kMaxWindowSide)
            throw SceneRefusal("Snímek " + scene.Path + " má " + size + " pixelů, výřez smí mít nejvýše " + limit +
                               "; zvolte okno.");
        return {0, 0, scene.Width, scene.Height};
    }
    const PixelRect& w = *options.Window;
    if (w.Width < 1 || w.Height < 1 || w.Width > kMaxWindowSide || w.Height > kMaxWindowSide)
        throw SceneRefusal("Okno " + Describe(w) + " musí mít 1 až " + std::to_string(kMaxWindowSide) +
                           " sloupců i řádků.");
    if (w.X < 0 || w.Y < 0 || w.X > scene.Width - w.Width || w.Y > scene.Height - w.Height)
        throw SceneRefusal("Okno " + Describe(w) + " neleží celé uvnitř snímku " + scene.Path + " (" + size +
                           " pixelů).");
    return w;
}

std::string UnitGuessNote(const std::string& source, double micrometresPerUnit)
{
    return source + " neuvádí jednotky vlnových délek; podle velikosti hodnot jde o " +
           (micrometresPerUnit == 1.0 ? "mikrometry." : "nanometry.");
}

std::vector<double> SceneCentres(const Scene& scene, const ImportOptions& options, std::vector<std::string>& notes)
{
    if (options.Wavelengths) {
        const WavelengthFile file = ReadWavelengthFile(*options.Wavelengths);
        if (int(file.CentresUm.size()) != scene.Bands)
            throw FileError("Soubor " + *options.Wavelengths + " uvádí " + std::to_string(file.CentresUm.size()) +
                            " vlnových délek, snímek " + scene.Path + " má " + std::to_string(scene.Bands) +
                            " bandů.");
        if (file.UnitGuessed) notes.push_back(UnitGuessNote("Soubor " + *options.Wavelengths, file.MicrometresPerUnit));
        return file.CentresUm;
    }
    if (!scene.CentresUm)
        throw SceneRefusal("Snímek " + scene.Path +
                           " neuvádí vlnové délky svých bandů; zadejte je souborem (jedna na řádek).");
    if (scene.UnitGuessed) notes.push_back(UnitGuessNote("Snímek " + scene.Path, scene.MicrometresPerUnit));
    return *scene.CentresUm;
}

// The weighted sums of one window, before scaling, band by band.
struct Accumulated {
    std::vector<std::vector<double>> Sums;  // per output band, per pixel
    std::vector<bool> NoData;
    bool IntegerValues = true;
    double Largest = 0.0;
};

Accumulated Accumulate(const Scene& scene, const PixelRect& w, const ResamplingPlan& plan)
{
    const std::size_t pixels = std::size_t(w.Width) * std::size_t(w.Height);
    Accumulated a;
    a.Sums.resize(plan.Bands.size());
    for (std::size_t o = 0; o < plan.Bands.size(); ++o)
        if (!plan.Bands[o].Inputs.empty()) a.Sums[o].assign(pixels, 0.0);
    a.NoData.assign(pixels, false);
    a.Largest = -HUGE_VAL;
    std::vector<double> plane(pixels);
    for (int input : plan.InputsUsed) {
        GDALRasterBand* band = scene.Dataset->GetRasterBand(input + 1);
        if (band->RasterIO(GF_Read, w.X, w.Y, w.Width, w.Height, plane.data(), w.Width, w.Height, GDT_Float64, 0, 0,
                           nullptr) != CE_None)
            throw FileError("Snímek " + scene.Path + " nelze přečíst (band " + std::to_string(input + 1) +
                            "): " + LastGdalError());
        int hasNoData = 0, hasScale = 0, hasOffset = 0;
        const double noData = band->GetNoDataValue(&hasNoData);
        const double scale = band->GetScale(&hasScale), offset = band->GetOffset(&hasOffset);
        const bool rescale = (hasScale && scale != 1.0) || (hasOffset && offset != 0.0);
        if (rescale || GDALDataTypeIsFloating(band->GetRasterDataType())) a.IntegerValues = false;
        for (std::size_t p = 0; p < pixels; ++p) {
            double& v = plane[p];
            if (!std::isfinite(v) || (hasNoData && v == noData)) {
                a.NoData[p] = true;
                continue;
            }
            if (rescale) v = v * scale + offset;
            if (v > a.Largest) a.Largest = v;
        }
        for (std::size_t o = 0; o < plan.Bands.size(); ++o) {
            const BandWeights& bw = plan.Bands[o];
            for (std::size_t k = 0; k < bw.Inputs.size(); ++k) {
                if (bw.Inputs[k] != input) continue;
                const double weight = bw.Weights[k];
                double* sums = a.Sums[o].data();
                for (std::size_t p = 0; p < pixels; ++p) sums[p] += weight * plane[p];
            }
        }
    }
    return a;
}

TData ToCounts(const Accumulated& a, const PixelRect& w, double scale, int64_t& clipped)
{
    TData cube;
    cube.NBands = static_cast<int32_t>(a.Sums.size());
    cube.NRows = w.Height;
    cube.NColumns = w.Width;
    cube.Values.assign(std::size_t(cube.NBands) * cube.PlaneSize(), 0);
    for (std::size_t o = 0; o < a.Sums.size(); ++o) {
        if (a.Sums[o].empty()) continue;
        int16_t* out = cube.Values.data() + o * cube.PlaneSize();
        for (std::size_t p = 0; p < cube.PlaneSize(); ++p) {
            if (a.NoData[p]) continue;
            bool wasClipped = false;
            out[p] = ToCount(a.Sums[o][p] * scale, wasClipped);
            clipped += wasClipped;
        }
    }
    return cube;
}

}  // namespace

ImportResult ImportScene(Scene& scene, const ImportOptions& options)
{
    ImportResult result;
    result.Window = CheckedWindow(scene, options);
    if (scene.Reference) {
        result.Reference = GeoReference{WindowGeoTransform(scene.Reference->Transform, result.Window.X,
                                                           result.Window.Y),
                                        scene.Reference->Crs};
        if (!FitsOnTheMap(result.Reference->Transform, result.Window.Width, result.Window.Height))
            throw FileError("Snímek " + scene.Path + " má georeferenci, v níž souřadnice rohů okna " +
                            Describe(result.Window) + " nebo plocha jeho pixelů nejsou konečná čísla.");
    }
    const TBandTable table = InitBandTable();
    const ResamplingPlan plan = PlanResampling(SceneCentres(scene, options, result.Notes), table);
    if (!plan.Uncovered.empty()) {
        if (!options.AllowPartial)
            throw SceneRefusal("Snímek " + scene.Path + " nepokrývá bandy " + NameBands(plan.Uncovered, table) + ".");
        result.Filled = plan.Uncovered;
        result.Notes.push_back("Bandy " + NameBands(plan.Uncovered, table) +
                               " snímek nepokrývá; jsou vyplněny nulami.");
    }
    const Accumulated sums = Accumulate(scene, result.Window, plan);
    result.Scale = options.Scale.value_or(GuessCountScale(sums.IntegerValues, sums.Largest));
    result.Cube = ToCounts(sums, result.Window, result.Scale, result.Clipped);
    for (bool noData : sums.NoData) result.NoDataPixels += noData;
    return result;
}

std::string ClippingNote(int64_t clipped)
{
    if (clipped == 0) return "";
    return "Hodnot mimo rozsah 0 až " + std::to_string(kMaxCount) + " bylo oříznuto: " + std::to_string(clipped) + ".";
}

std::vector<std::string> ImportNotes(const ImportResult& result)
{
    std::vector<std::string> notes = result.Notes;
    if (result.Clipped > 0) notes.push_back(ClippingNote(result.Clipped));
    return notes;
}

void WriteImportedCutout(const std::string& path, const ImportResult& result)
{
    WriteCutout(path, result.Cube);
    const std::string referencePath = GeoReferencePath(path);
    if (result.Reference) {
        WriteGeoReference(referencePath, *result.Reference);
        return;
    }
    if (OutputBatch* batch = OutputBatch::Current()) {
        batch->Remove(referencePath);
        return;
    }
    std::error_code ignored;
    std::filesystem::remove(referencePath, ignored);
}

}  // namespace lumera
