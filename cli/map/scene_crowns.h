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
// and writes into `outDir`, together or not at all: crowns.gpkg and
// trees.csv, each crown with its top, area, bounds and the mean brightness
// and NDVI of its tile's trees.csv, in map coordinates (scene pixels when not
// georeferenced); and spectra.csv, the kept crowns' rows of the tiles' own,
// when every tile has one.
SceneCrownsSummary WriteSceneCrowns(const std::string& tilesDir, const std::string& outDir);

}  // namespace lumera::cli
