#include "scene_import.h"

#include <filesystem>

#include "data/cutout_file.h"
#include "data/file_error.h"
#include "data/output_batch.h"
#include "mapping/band_resampling.h"
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

}  // namespace

std::optional<GeoReference> WindowReference(const Scene& scene, const PixelRect& window)
{
    if (!scene.Reference) return std::nullopt;
    GeoReference reference{WindowGeoTransform(scene.Reference->Transform, window.X, window.Y), scene.Reference->Crs};
    if (!FitsOnTheMap(reference.Transform, window.Width, window.Height))
        throw FileError("Snímek " + scene.Path + " má georeferenci, v níž souřadnice rohů okna " + Describe(window) +
                        " nebo plocha jeho pixelů nejsou konečná čísla.");
    return reference;
}

ImportPlan PlanImport(const Scene& scene, const ImportOptions& options)
{
    ImportPlan plan;
    const TBandTable table = InitBandTable();
    plan.Resampling = PlanResampling(SceneCentres(scene, options, plan.Notes), table);
    const std::vector<int>& uncovered = plan.Resampling.Uncovered;
    if (!uncovered.empty()) {
        if (!options.AllowPartial)
            throw SceneRefusal("Snímek " + scene.Path + " nepokrývá bandy " + NameBands(uncovered, table) + ".");
        plan.Filled = uncovered;
        plan.Notes.push_back("Bandy " + NameBands(uncovered, table) + " snímek nepokrývá; jsou vyplněny nulami.");
    }
    return plan;
}

double ScaleFor(const ImportOptions& options, Scene& scene, const ResamplingPlan& plan, const PixelRect& window)
{
    if (options.Scale) return *options.Scale;
    // Integers are counts already, whatever their values: nothing to read.
    if (IntegerValues(scene, plan)) return GuessCountScale(true, 0.0);
    return GuessCountScale(false, LargestValue(scene, window, plan));
}

ImportResult ImportFromBlock(const ImportPlan& plan, const ResampledBlock& block, const PixelRect& window,
                             double scale, std::optional<GeoReference> reference)
{
    ImportResult result;
    result.Window = window;
    result.Reference = std::move(reference);
    result.Scale = scale;
    result.Filled = plan.Filled;
    result.Notes = plan.Notes;
    result.Cube = CountsIn(block, window, result.Clipped);
    result.NoDataPixels = NoDataIn(block, window);
    return result;
}

ImportResult ImportScene(Scene& scene, const ImportOptions& options)
{
    const PixelRect window = CheckedWindow(scene, options);
    std::optional<GeoReference> reference = WindowReference(scene, window);
    const ImportPlan plan = PlanImport(scene, options);
    const double scale = ScaleFor(options, scene, plan.Resampling, window);
    ResampledBlock block;
    ResampleRect(scene, window, plan.Resampling, scale, 1, block);
    return ImportFromBlock(plan, block, window, scale, std::move(reference));
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
