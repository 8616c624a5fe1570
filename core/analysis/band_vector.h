#pragma once
#include "data/reporter.h"
#include "analysis/analysis_state.h"

namespace lumera {

// Element-wise product; arrays of unequal length are reported and give an
// empty array.
SpectralVector Multiply(const SpectralVector& a, const SpectralVector& b, Reporter& reporter);

// Element-wise sum; arrays of unequal length are reported and give an empty array.
SpectralVector Add(const SpectralVector& a, const SpectralVector& b, Reporter& reporter);

// Trapezoidal integral of f over the axis, summed in index order. An f whose
// length differs from the axis is reported and gives 0.
double BandIntegral(const SpectralVector& f, const SpectralVector& axis, Reporter& reporter);

// Scales f in place so that its element of largest magnitude becomes +1 or -1
// (a one-element f becomes 1). A vector of zeros has no peak: it is left as it
// is and the result is false. An empty vector is left alone.
bool TryNormalisePeak(SpectralVector& f);

// TryNormalisePeak that reports a vector of zeros.
bool NormalisePeak(SpectralVector& f, Reporter& reporter);

}  // namespace lumera
