#pragma once
#include <string>

#include "data/cube.h"

namespace lumera {

// Checks of 1-based positions against the loaded cube, so that no view reads
// outside it. Each returns an empty string when the position lies inside,
// else a clear Czech message naming the value and the allowed range.
std::string BandRangeError(const TData& cube, int band);
std::string PixelRangeError(const TData& cube, int column, int row);

}  // namespace lumera
