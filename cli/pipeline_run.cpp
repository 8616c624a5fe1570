#include "pipeline_run.h"

#include <chrono>

#include "crowns/tree_table.h"
#include "data/cutout_file.h"
#include "extrema/brightness.h"
#include "extrema/extrema_file.h"
#include "imaging/bmp_file.h"

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

std::vector<TTreeRow> TreeRows(const TTreeMatrix& trees, const TExtremaList& maxima, const Bitmap& equalized,
                               const std::vector<double>& ndvi)
{
    const std::vector<TTreeFigures> figures = MeasureTrees(trees, maxima);
    const std::vector<double> brightness = MeanPerTree(trees, BrightnessMatrix(equalized).Values);
    const std::vector<double> meanNdvi = MeanPerTree(trees, ndvi);
    std::vector<TTreeRow> rows;
    rows.reserve(figures.size());
    for (std::size_t i = 0; i < figures.size(); ++i) rows.push_back({figures[i], brightness[i], meanNdvi[i]});
    return rows;
}

}  // namespace

nlohmann::ordered_json RunPipeline(const std::string& cutout, const std::string& outDir,
                                   const PipelineOptions& o, const std::string& programDir,
                                   const StepProgress& progress)
{
    StepClock clock(progress);
    const MaskStep mask = RunMaskStep(ReadCutout(cutout), o.mask, programDir);
    clock.End("mask");
    const Bitmap equalized = RunEqualizeStep(mask.Picture, o.window);
    clock.End("equalize");
    const TExtremaList maxima = RunPictureSearchStep(equalized, o.search, o.crowns.filter);
    clock.End("maxima");
    const Bitmap background = o.background.empty() ? equalized : ReadBmp(o.background);
    const TCrownChainResult crowns = RunCrownStep(maxima, background, equalized, o.crowns);
    clock.End("crowns");
    const TTreeMatrix& trees = *crowns.State.TreeMatrix;
    const std::vector<TTreeRow> rows = TreeRows(trees, maxima, equalized, mask.Result.Ndvi.Grid);
    clock.End("trees");

    const std::string dir = outDir + "/";
    WriteBmp(dir + "mask.bmp", mask.Picture);
    WriteBmp(dir + "equalized.bmp", equalized);
    WriteExtremaFile(dir + "maxima.txt", maxima);
    WriteBmp(dir + "network.bmp", crowns.Network);
    WriteTreeMatrix(dir + "trees.dat", trees);
    WriteBmp(dir + "trees.bmp", crowns.Overlay);
    WriteTreeTable(dir + "trees.csv", rows);
    clock.End("write");
    return {{"cutout", cutout},
            {"maxima", maxima.size()},
            {"boundary_points", crowns.FirstNetwork.size()},
            {"trees", rows.size()},
            {"seconds", clock.Seconds()}};
}

}  // namespace lumera::cli
