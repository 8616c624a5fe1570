#pragma once
#include <cstddef>
#include <string>

namespace lumera::cli {

struct SceneCrownsSummary {
    int Found = 0;  // crowns in all tiles together
    std::size_t Crowns = 0;
    bool Spectra = false;
};

// Joins the crowns of the finished tiles in `tilesDir` (see MergeTileCrowns)
// and writes, together or not at all: the crowns file `crownsPath` and
// trees.csv beside it, each crown with its top, area, bounds and the mean
// brightness and NDVI of its tile's trees.csv, in map coordinates (scene
// pixels when not georeferenced); and spectra.csv beside it, the kept crowns'
// rows of the tiles' own, when every tile has one.
SceneCrownsSummary WriteSceneCrowns(const std::string& tilesDir, const std::string& crownsPath);

}  // namespace lumera::cli
