#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "crowns/tree_matrix.h"
#include "mapping/tile_grid.h"

namespace lumera {

// A crown of a tile near a seam, in scene pixels (row * scene width + column).
struct SeamCrown {
    int64_t Top = 0;
    std::vector<int64_t> Pixels;  // ascending
};

// The pixels of the given trees of a tile's matrix, in scene pixels, one list
// per tree in the order of `trees`.
std::vector<std::vector<int64_t>> TreePixelsInScene(const TTreeMatrix& trees, const PixelRect& window, int sceneWidth,
                                                    const std::vector<int32_t>& wanted);

// For each crown cut off at an inner edge of the tile whose core holds its
// top, the whole version a neighbour saw (whose top lies outside that
// neighbour's core): the one holding the cut crown's top within its pixels
// while its own top lies within the cut crown's, so both grew from the same
// tree. Each whole crown stands for one cut crown at most; none where no
// neighbour saw the crown whole.
std::vector<std::optional<std::size_t>> WholeVersionsOfCutCrowns(const std::vector<SeamCrown>& cut,
                                                                 const std::vector<SeamCrown>& whole);

}  // namespace lumera
