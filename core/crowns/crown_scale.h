#pragma once
#include "crowns/vegetation_mask.h"
#include "data/matice.h"

namespace lumera {

// The typical crown radius in pixels, from the bright blobs of the picture
// in a scale space of the scale-normalised Laplacian of Gaussian (Lindeberg
// 1998): over sigma 1 to 48 (at most a sixth of the smaller side) in steps
// of 2^(1/3), the blob energy (strength of the blobs on vegetated pixels
// times the area they stand for, see BlobEnergy) is largest, for discs of
// radius r, at sigma = r; the peak refined by a parabola is the radius.
// Gives 0 when no blob is found.
double EstimateCrownRadius(const TMatice& brightness, const VegetationMask& mask);

}  // namespace lumera
