#pragma once
#include <string>

#include <CLI/CLI.hpp>

#include "crowns/scale_delineation.h"

namespace lumera::cli {

// The vegetation of a mask picture (its non-black pixels), which must be
// width x height; otherwise FileError naming maskPath.
VegetationMask FittingMask(const Bitmap& mask, int width, int height, const std::string& maskPath);

// --crown-radius in pixels, 0.5 to 1000, as delineate and pipeline take it.
void AddCrownRadiusOption(CLI::App& command, double& radius, const std::string& description);

// The picture with every crown's outline painted over it.
Bitmap OutlinedCrowns(Bitmap picture, const TTreeMatrix& trees);

}  // namespace lumera::cli
