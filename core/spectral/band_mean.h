#pragma once
#include <vector>

#include "data/cube.h"

namespace lumera {

// Per pixel, row by row, the mean of bands first to last (1-based, inside the
// cube): the values summed as doubles in band order, divided by the count.
std::vector<double> BandMean(const TData& cube, int first, int last);

}  // namespace lumera
