#pragma once
#include "crowns/network_point.h"

namespace lumera {

// "Sousedi": every point's Neighbours become the indices, ascending, of the
// points on one of the eight pixels around it. Found through an index of the
// positions; the lists are those of FindNeighboursAllPairs.
void FindNeighbours(TNetwork& network);

// The definition: every point against every point.
void FindNeighboursAllPairs(TNetwork& network);

// "Směry": a point with exactly two neighbours a < b gets the unit normal
// (-dy, dx) / |(dx, dy)| of the chord (dx, dy) = position of a - position of b.
// Other points, and a point whose two neighbours share a position, keep
// their normals.
void ComputeNormals(TNetwork& network);

}  // namespace lumera
