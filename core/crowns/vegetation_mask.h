#pragma once
#include <cstdint>
#include <vector>

#include "data/cube.h"
#include "imaging/bitmap.h"

namespace lumera {

// One flag per pixel, row by row: 1 where the pixel may belong to a crown.
using VegetationMask = std::vector<uint8_t>;

// The threshold that splits the values into two classes with the largest
// between-class variance (Otsu 1979), over a 256-bin histogram between the
// smallest and largest value. Values above it form the upper class; with
// fewer than two distinct values the threshold lies below them all.
double OtsuThreshold(const std::vector<double>& values);

// The vegetated pixels of a cut-out: NDVI of the NDVI panel's default bands
// above its Otsu threshold. Pixels whose index is undefined count as 0.
VegetationMask NdviVegetationMask(const TData& cube);

// A mask picture of the picture's size: every pixel that is not black.
VegetationMask PictureVegetationMask(const Bitmap& mask);

}  // namespace lumera
