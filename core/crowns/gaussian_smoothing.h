#pragma once
#include "data/matice.h"

namespace lumera {

// Convolves with a sampled Gaussian of standard deviation sigma, cut at
// 3 sigma and normalised to sum 1, rows first, then columns; outside the
// matrix the nearest edge value continues. Sigma below 0.3 copies.
TMatice GaussianSmooth(const TMatice& grid, double sigma);

// An approximate Gaussian in time independent of sigma: three box filters
// along each axis (Wells 1986; widths after Kovesi 2010), edges continued
// as above. Returns the standard deviation the boxes actually give, which
// may differ a little from the one asked for.
double BoxGaussianSmooth(const TMatice& grid, double sigma, TMatice& out);

}  // namespace lumera
