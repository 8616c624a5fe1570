#pragma once
#include <string>
#include <vector>

#include "scene_import.h"

namespace lumera {

// The most a chunk of a strip of tiles holds resampled, about 2500 columns of
// 400 rows. Two chunks are held at once, one resampled while the other is
// written (with every job, a read buffer of 8 MB and one tile's cut-out of at
// most 21 MB besides).
constexpr std::size_t kStripChunkBytes = std::size_t(128) << 20;

struct TilingSummary {
    int Tiles = 0;
    double Scale = 1.0;
    int64_t Clipped = 0;              // in all tiles together
    std::vector<std::string> Notes;  // the first tile's, clipping aside (the same for every tile)
};

// Cuts a scene into the tiles of TileGrid: each tile a folder "rRR_cCC" in
// `dir` holding "cut.dat" (with "cut.dat.geo.json" when georeferenced), and
// "tiles.csv" listing every tile's folder, window and core in scene pixels.
// Every tile uses the scale of the first one, so that tiles of one scene
// agree. `options.Window` is ignored.
// The scene is read once, strip by strip (a strip is a row of tiles), a wide
// strip in chunks of whole tiles so that the resampled part held at once stays
// within kStripChunkBytes; `jobs` threads resample, and `jobs` more write
// the tiles of the chunk before meanwhile.
TilingSummary WriteSceneTiles(Scene& scene, int size, int overlap, const ImportOptions& options,
                              const std::string& dir, int jobs = 1);

}  // namespace lumera
