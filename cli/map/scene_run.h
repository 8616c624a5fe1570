#pragma once
#include <string>
#include <vector>

#include "pipeline_run.h"
#include "scene_import.h"

namespace lumera::cli {

struct SceneRunOptions {
    std::string scene, outDir;
    // Each tile masks by its own range of values: the smaller the tile, the
    // fewer stands of different brightness share one mask. The overlap keeps
    // trees at the seams whole.
    int size = 200, overlap = 40, jobs = 1;
    bool resume = false;
    ImportOptions import;
    PipelineOptions pipeline;
    // Everything that decides the outputs, as text: a run is resumed only
    // under the same.
    std::string settings;
};

struct SceneRunResult {
    int Tiles = 0;
    int Resumed = 0;                  // tiles found finished and not run again
    std::vector<std::string> Failed;  // tile folders, in the order of tiles.csv
    std::vector<std::string> Notes;   // the tiling's, for the user
};

// Tiles the scene into `outDir`/tiles and runs the chain on every tile into
// its own folder, `jobs` tiles at once. A tile is finished once its marker
// "done.json" (the chain's summary) is written, after all its files; with
// `resume` the tiles of an earlier run under the same settings that are
// finished are kept, without it the run starts afresh. A failing tile is
// named on standard error and the others go on; a reference spectrum, filter
// or background that cannot be read stops the run before it tiles.
SceneRunResult RunSceneTiles(const SceneRunOptions& options, const std::string& programDir);

}  // namespace lumera::cli
