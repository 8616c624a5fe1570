#pragma once
#include "data/matice.h"
#include "imaging/bitmap.h"

namespace lumera {

// The brightness matrix of a picture: (blue + green + red) / 3 of every pixel,
// one row per scan line.
TMatice BrightnessMatrix(const Bitmap& picture);

}  // namespace lumera
