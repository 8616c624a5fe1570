#pragma once
#include "crowns/tree_matrix.h"
#include "crowns/vegetation_mask.h"
#include "data/matice.h"
#include "extrema/extremum.h"

namespace lumera {

// Where a crown may grow: inside the mask and no farther than MaxDistance
// from its own top.
struct FloodLimits {
    const VegetationMask* Mask;
    double MaxDistance;
};

// Crowns by marker-controlled watershed (Meyer 1991; priority flood, Barnes
// et al. 2014) on the inverted surface: tree k + 1 starts at tops[k] (tops
// outside the mask or repeated stay unlabelled), and the pixel taken next is
// always the brightest waiting one; among equally bright ones the one that
// began waiting first. A pixel taken passes its tree to its four neighbours
// (in the order up, left, right, down) that are still unclaimed and that the
// limits allow for that tree; they wait with their own brightness. Pixels no
// tree reaches stay 0. Costs O(pixels log pixels) with a binary heap.
TTreeMatrix MarkerWatershed(const TMatice& surface, const TExtremaList& tops, const FloodLimits& limits);

// The same flood by its plain definition: the waiting pixel taken next is
// found by scanning all waiting pixels. O(pixels^2); the reference the fast
// flood is checked against.
TTreeMatrix PlainMarkerWatershed(const TMatice& surface, const TExtremaList& tops, const FloodLimits& limits);

}  // namespace lumera
