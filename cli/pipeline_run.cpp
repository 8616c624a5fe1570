#include "pipeline_run.h"

#include <chrono>
#include <filesystem>
#include <optional>

#include "crowns/crown_reflectance.h"
#include "crowns/tree_table.h"
#include "data/cutout_file.h"
#include "data/file_error.h"
#include "data/staged_folder.h"
#include "delineate_step.h"
#include "extrema/brightness.h"
#include "extrema/extrema_file.h"
#include "imaging/bmp_file.h"
#include "map_program.h"
#include "mapping/geo_reference_file.h"
#include "mapping/geotransform.h"

namespace lumera::cli {

namespace {

// Times the steps one after another and reports each as it ends.
class StepClock {
public:
    explicit StepClock(const StepProgress& progress) : progress_(progress) {}

    void End(const std::string& step)
    {
        const auto now = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(now - last_).count();
        last_ = now;
        seconds_[step] = seconds;
        if (progress_) progress_(step, seconds);
    }

    nlohmann::ordered_json Seconds()
    {
        seconds_["total"] = std::chrono::duration<double>(last_ - start_).count();
        return seconds_;
    }

private:
    const StepProgress& progress_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now(), last_ = start_;
    nlohmann::ordered_json seconds_ = nlohmann::ordered_json::object();
};

// What either method of finding the crowns hands on.
struct Crowns {
    TExtremaList Tops;
    TTreeMatrix Trees;
    std::optional<Bitmap> Network;
    Bitmap Overlay;
    nlohmann::ordered_json Figures;  // the method's own figures for the summary
};

Crowns SpecifiedCrowns(const Bitmap& equalized, const PipelineOptions& o, const PipelineInputs& inputs,
                       StepClock& clock)
{
    Crowns c;
    c.Tops = RunPictureSearchStep(equalized, o.search, inputs.SearchFilter);
    clock.End("maxima");
    const Bitmap& background = inputs.Background ? *inputs.Background : equalized;
    TCrownChainResult chain = RunCrownStep(c.Tops, background, equalized, o.crowns, inputs.Filter);
    clock.End("crowns");
    c.Trees = std::move(*chain.State.TreeMatrix);
    c.Network = std::move(chain.Network);
    c.Overlay = std::move(chain.Overlay);
    c.Figures = {{"boundary_points", chain.FirstNetwork.size()}};
    return c;
}

Crowns ScaleCrowns(const Bitmap& mask, const Bitmap& equalized, const DelineationSettings& settings, StepClock& clock)
{
    const VegetationMask vegetation = FittingMask(mask, equalized.Width(), equalized.Height(), "mask.bmp");
    Delineation d = DelineatePicture(equalized, &vegetation, settings);
    clock.End("delineate");
    Crowns c;
    c.Tops = std::move(d.Tops);
    c.Overlay = OutlinedCrowns(equalized, d.Trees);
    c.Trees = std::move(d.Trees);
    c.Figures = {{"crown_radius", d.CrownRadius}};
    return c;
}

std::vector<TTreeRow> TreeRows(const Crowns& crowns, const Bitmap& equalized, const std::vector<double>& ndvi)
{
    const std::vector<TTreeFigures> figures = MeasureTrees(crowns.Trees, crowns.Tops);
    const std::vector<double> brightness = MeanPerTree(crowns.Trees, BrightnessMatrix(equalized).Values);
    const std::vector<double> meanNdvi = MeanPerTree(crowns.Trees, ndvi);
    std::vector<TTreeRow> rows;
    rows.reserve(figures.size());
    for (std::size_t i = 0; i < figures.size(); ++i) rows.push_back({figures[i], brightness[i], meanNdvi[i]});
    return rows;
}

// The crowns as polygons on the map beside the other files, by the map
// program (this one has no GDAL). Its message names the file the user knows:
// the output folder instead of the staging folder written into.
void WriteCrownsOnTheMap(const std::string& cutout, const std::string& dir, const std::string& shownDir)
{
    std::string message;
    if (RunMapProgram({"polygons", dir + "trees.dat", "--geo", GeoReferencePath(cutout), "--tops", dir + "maxima.txt",
                       "-o", dir + "crowns.gpkg"},
                      message) == 0)
        return;
    for (std::size_t at; (at = message.find(dir)) != std::string::npos;) message.replace(at, dir.size(), shownDir);
    while (!message.empty() && message.back() == '\n') message.pop_back();
    if (message.empty())
        message = "Soubor " + shownDir + "crowns.gpkg nelze zapsat: obrysy korun na mapě se nepodařilo vytvořit.";
    throw FileError(message);
}

}  // namespace

PipelineInputs PreparePipeline(const PipelineOptions& o, const std::string& programDir)
{
    PipelineInputs inputs;
    inputs.Mask = PrepareMask(o.mask, programDir);
    if (o.method == "scale") return inputs;
    inputs.Filter = FilterCells(o.crowns.filter.filter);
    if (!o.crowns.filter.none) inputs.SearchFilter = inputs.Filter;
    if (!o.background.empty()) inputs.Background = ReadBmp(o.background);
    return inputs;
}

nlohmann::ordered_json RunPipeline(const std::string& cutout, const std::string& outDir,
                                   const PipelineOptions& o, const PipelineInputs& inputs,
                                   const StepProgress& progress)
{
    StepClock clock(progress);
    const TData cube = MapCutout(cutout);
    const MaskStep mask = RunMaskStep(cube, inputs.Mask);
    clock.End("mask");
    const Bitmap equalized = RunEqualizeStep(mask.Picture, o.window);
    clock.End("equalize");
    const Crowns crowns = o.method == "scale"
                              ? ScaleCrowns(mask.Picture, equalized, {o.crownRadius, CutoutPixelSizeMetres(cutout), false}, clock)
                              : SpecifiedCrowns(equalized, o, inputs, clock);
    const std::vector<TTreeRow> rows = TreeRows(crowns, equalized, mask.Result.Ndvi.Grid);
    const std::vector<CrownSpectrum> spectra = CrownSpectra(cube, crowns.Trees);
    clock.End("trees");

    StagedFolder out(outDir);
    const std::string dir = out.Path() + "/";
    WriteBmp(dir + "mask.bmp", mask.Picture);
    WriteBmp(dir + "equalized.bmp", equalized);
    WriteExtremaFile(dir + "maxima.txt", crowns.Tops);
    if (crowns.Network) WriteBmp(dir + "network.bmp", *crowns.Network);
    WriteTreeMatrix(dir + "trees.dat", crowns.Trees);
    WriteBmp(dir + "trees.bmp", crowns.Overlay);
    WriteTreeTable(dir + "trees.csv", rows);
    WriteCrownSpectra(dir + "spectra.csv", spectra, cube.NBands);
    const bool onTheMap = o.crownsOnTheMap && std::filesystem::exists(GeoReferencePath(cutout));
    if (onTheMap) WriteCrownsOnTheMap(cutout, dir, (std::filesystem::path(outDir) / "").string());
    out.Commit();
    clock.End("write");
    nlohmann::ordered_json summary = {{"cutout", cutout}, {"method", o.method}, {"maxima", crowns.Tops.size()}};
    summary.update(crowns.Figures);
    summary["trees"] = rows.size();
    if (onTheMap) summary["crowns_map"] = "crowns.gpkg";
    summary["seconds"] = clock.Seconds();
    return summary;
}

}  // namespace lumera::cli
