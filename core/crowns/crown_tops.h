#pragma once
#include "crowns/vegetation_mask.h"
#include "data/matice.h"
#include "extrema/extremum.h"

namespace lumera {

// Tree tops: vegetated pixels not darker than any of their eight neighbours
// in the smoothed brightness and brighter than at least one, taken highest first (equal heights in row
// order, then column order) and kept only when no kept top lies closer than
// minDistance. The list is in that order, highest first.
TExtremaList FindCrownTops(const TMatice& smoothed, const VegetationMask& mask, double minDistance);

}  // namespace lumera
