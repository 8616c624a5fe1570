#pragma once
#include "data/matice.h"

namespace lumera {

// Convolves with a sampled Gaussian of standard deviation sigma, cut at
// 3 sigma and normalised to sum 1, rows first, then columns; outside the
// matrix the nearest edge value continues. Sigma below 0.3 copies.
TMatice GaussianSmooth(const TMatice& grid, double sigma);

}  // namespace lumera
