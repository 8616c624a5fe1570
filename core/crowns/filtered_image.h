#pragma once
#include "data/matice.h"
#include "imaging/bitmap.h"

namespace lumera {

// "Filtrovaný obraz": the brightness of the left picture passed through the
// filter weights (FilterWeights of the grid). The caller converts the grid
// first, so a bad cell leaves the previous filtered image untouched.
TMatice BuildFilteredImage(const Bitmap& left, const TMatice& weights);

}  // namespace lumera
