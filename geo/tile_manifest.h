#pragma once
#include <string>
#include <vector>

#include "mapping/tile_grid.h"

namespace lumera {

// The folder of a tile in a tiling: "rRR_cCC".
std::string TileFolder(const Tile& tile);

// Writes the list of a tiling's tiles ("tiles.csv"): each tile's folder,
// window and core in scene pixels.
void WriteTileManifest(const std::string& path, const std::vector<Tile>& tiles);

struct ManifestEntry {
    std::string Folder;
    Tile Place;  // its grid position unknown (0, 0)
};

struct TileManifest {
    std::vector<ManifestEntry> Entries;
    int SceneWidth = 0, SceneHeight = 0;  // the extent of the windows
};

// Reads a list of tiles and checks that it describes a tiling: every tile
// once, each core within its window, the cores covering the scene exactly once
// (else a crown would be kept twice or not at all). Throws FileError naming
// the file and the problem.
TileManifest ReadTileManifest(const std::string& path);

}  // namespace lumera
