#pragma once
#include <string>

#include "crowns/scale_delineation.h"

namespace lumera::cli {

// The vegetation of a mask picture (its non-black pixels), which must be
// width x height; otherwise FileError naming maskPath.
VegetationMask FittingMask(const Bitmap& mask, int width, int height, const std::string& maskPath);

// The picture with every crown's outline painted over it.
Bitmap OutlinedCrowns(Bitmap picture, const TTreeMatrix& trees);

}  // namespace lumera::cli
