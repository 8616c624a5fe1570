#pragma once
#include <cstdint>
#include <vector>

#include "crowns/tree_matrix.h"
#include "mapping/tile_grid.h"

namespace lumera {

// What a tree matrix says about one crown, in the matrix's pixels.
struct CrownSummary {
    int32_t Tree = 0;
    int64_t Pixels = 0;
    // Mean of the pixel centres, in pixel-corner coordinates (the centre of
    // the top-left pixel is 0.5, 0.5).
    double CentroidColumn = 0.0;
    double CentroidRow = 0.0;
    PixelRect Bounds;
};

// One summary per tree number ≥ 1 present in the matrix, ascending.
std::vector<CrownSummary> SummarizeCrowns(const TTreeMatrix& matrix);

// Whether a tile keeps a crown it found: the crown must not touch a window
// edge that lies inside the scene (there it may be cut off), and the pixel
// holding its centroid must lie in the tile's core. A tree matrix holds no
// tree tops, so the centroid stands for the crown's position. `crown` is in
// the tile's own pixels.
bool TileOwnsCrown(const Tile& tile, const CrownSummary& crown, int sceneWidth, int sceneHeight);

}  // namespace lumera
