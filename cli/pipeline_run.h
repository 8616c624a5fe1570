#pragma once
#include <functional>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "crown_step.h"
#include "enhance/equalization.h"
#include "equalize_step.h"
#include "mask_step.h"
#include "search_step.h"

namespace lumera::cli {

// Every option of the chain: the masking's, the equalization's window, and
// the crowns' method: "specified", the maxima search and the crown chain (the
// filter serves the search and "Filtrovaný obraz"; the network's background is
// the equalized picture unless named), or "scale", the scale-based
// delineation inside the mask with its crown radius (0: estimated).
struct PipelineOptions {
    MaskOptions mask;
    int window = kDefaultEqualizationWindow;
    std::string method = "specified";
    SearchRules<MaximaSettings> search;
    CrownOptions crowns;
    std::string background;
    double crownRadius = 0.0;
    // Whether a georeferenced cut-out's crowns also go on the map (crowns.gpkg);
    // a whole scene puts its tiles' crowns on the map together instead.
    bool crownsOnTheMap = true;
};

// What every cut-out of a run shares, read once before the first: a missing
// reference spectrum, filter or background stops the run before any cut-out.
struct PipelineInputs {
    PreparedMask Mask;
    // "specified" only: the search's filter (none with --no-filter), the
    // filter of "Filtrovaný obraz" and the network's background when named.
    std::optional<TFilterCells> SearchFilter;
    TFilterCells Filter;
    std::optional<Bitmap> Background;
};

// Throws FileError naming a file that cannot be read.
PipelineInputs PreparePipeline(const PipelineOptions& options, const std::string& programDir);

// Told each step's name and seconds as it ends.
using StepProgress = std::function<void(const std::string& step, double seconds)>;

// The chain from a cut-out to single trees. Everything is computed before
// anything is written, and the files are staged and moved in together, so a
// cut-out that fails at a check, an unreadable input or an output that cannot
// be written leaves OUTDIR as it was. Writes mask.bmp, equalized.bmp, maxima.txt
// (the tree tops), network.bmp (not with "scale"), trees.dat, trees.bmp,
// trees.csv and spectra.csv (each crown's spectrum) into the folder outDir (made when missing), and returns the run's
// summary with the seconds of each step.
nlohmann::ordered_json RunPipeline(const std::string& cutout, const std::string& outDir,
                                   const PipelineOptions& options, const PipelineInputs& inputs,
                                   const StepProgress& progress);

}  // namespace lumera::cli
