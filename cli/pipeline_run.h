#pragma once
#include <functional>
#include <string>

#include <nlohmann/json.hpp>

#include "crown_step.h"
#include "enhance/equalization.h"
#include "mask_step.h"
#include "search_step.h"

namespace lumera::cli {

// Every option of the chain: the masking's, the equalization's window, the
// maxima search's and the crown chain's (the filter serves the search and
// "Filtrovaný obraz"), and the network's background when not the equalized
// picture.
struct PipelineOptions {
    MaskOptions mask;
    int window = kDefaultEqualizationWindow;
    SearchRules<MaximaSettings> search;
    CrownOptions crowns;
    std::string background;
};

// Told each step's name and seconds as it ends.
using StepProgress = std::function<void(const std::string& step, double seconds)>;

// The chain from a cut-out to single trees. Everything is computed before
// anything is written, so a cut-out that fails at a check or an unreadable
// input leaves OUTDIR as it was. Writes mask.bmp, equalized.bmp, maxima.txt,
// network.bmp, trees.dat, trees.bmp and trees.csv into the existing folder
// outDir, and returns the run's summary with the seconds of each step.
nlohmann::ordered_json RunPipeline(const std::string& cutout, const std::string& outDir,
                                   const PipelineOptions& options, const std::string& programDir,
                                   const StepProgress& progress);

}  // namespace lumera::cli
