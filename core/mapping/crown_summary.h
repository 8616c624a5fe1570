#pragma once
#include <cstdint>
#include <vector>

#include "crowns/tree_matrix.h"
#include "extrema/extremum.h"
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
    // The pixel of the tree's top, the maximum it grew from; -1 when not known.
    int32_t TopColumn = -1;
    int32_t TopRow = -1;

    bool HasTop() const { return TopColumn >= 0; }
};

// One summary per tree number ≥ 1 present in the matrix, ascending. With the
// maxima the trees grew from, tree k's top is maxima[k − 1] (unknown when the
// list is shorter or the point lies outside the matrix).
std::vector<CrownSummary> SummarizeCrowns(const TTreeMatrix& matrix, const TExtremaList* maxima = nullptr);

// Whether a crown a tile found touches an edge of the tile's window that lies
// inside the scene, where it may be cut off. `crown` is in the tile's own pixels.
bool TouchesInnerEdge(const Tile& tile, const CrownSummary& crown, int sceneWidth, int sceneHeight);

// Whether the pixel of a crown's top lies in the tile's core; the pixel holding
// its centroid stands for the top when that is not known.
bool TopInCore(const Tile& tile, const CrownSummary& crown);

// The scene pixel of that top (or centroid), as row * sceneWidth + column.
int64_t TopScenePixel(const Tile& tile, const CrownSummary& crown, int sceneWidth);

}  // namespace lumera
