#pragma once
#include <optional>

#include "crowns/network_point.h"
#include "crowns/tree_matrix.h"
#include "data/matice.h"
#include "extrema/extremum.h"

namespace lumera {

// What the crown delineation keeps between its steps. The processing window
// owns one; the batch tool builds one per run. Each step replaces its own
// member and reads the ones before it.
struct TCrownState {
    TExtremaList MaxPoints;   // tree tops; index = Voronoi label, index + 1 = tree number
    TExtremaList MinPoints;   // gap points, only loaded, saved and shown
    TTreeMatrix VoroMatrix;   // Voronoi label of every pixel of the left picture
    TNetwork BoundaryPoints;  // the Voronoi network with neighbours and normals
    TMatice FilteredImage;    // brightness of the left picture after the filter
    TNetwork MovedPoints;     // the network after the last move
    std::optional<TTreeMatrix> TreeMatrix;  // single trees, once computed
};

}  // namespace lumera
