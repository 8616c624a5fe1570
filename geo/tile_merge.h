#pragma once
#include <string>

#include "crown_polygons.h"

namespace lumera {

struct MergeSummary {
    CrownLayer Layer;
    int Found = 0;  // crowns in all tiles together, before keeping each once
};

// Joins the crowns of a tiled scene: every folder listed in `dir`/tiles.csv
// must hold the tile's tree matrix "trees.dat" (as a delineation of its
// "cut.dat" writes it), and may hold the maxima its trees grew from,
// "maxima.txt" (as `pipeline` writes it), which give each crown its top.
// Each crown is kept once, from the tile whose core holds its top and whose
// window's inner edges it does not touch (there it may be cut off). A crown
// that tile saw cut off is kept as a neighbour saw it whole, or as it was cut
// when no tile saw it whole, unless a crown kept from another tile covers its
// top. A tree two tiles each saw whole with its top in the other's core is
// kept once. A crown only one tile saw whole, with its top in a core whose
// tile found nothing there, is left out; no other tree is lost at a seam.
// The crowns are in map coordinates when the tiles are georeferenced, else in
// scene pixels. Throws FileError for a missing or malformed file.
MergeSummary MergeTileCrowns(const std::string& dir);

}  // namespace lumera
