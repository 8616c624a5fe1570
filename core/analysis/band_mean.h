#pragma once
#include <cstddef>
#include <vector>

#include "data/cube.h"
#include "data/instruction_set.h"

namespace lumera {

// Pixels that loops over many bands take at a time: their running sums stay
// in the first-level cache while the band planes stream past.
constexpr std::size_t kPixelChunk = 1024;

// Per pixel, for the `count` pixels from position `begin` of the plane (row
// by row) on, the mean of bands first to last (1-based, inside the cube): the
// values summed as doubles in band order, divided by the count; into mean[0]
// to mean[count - 1].
// Built for each instruction set; BandMeanOfPixels uses the widest there is.
void BandMeanOfPixels(const TData& cube, int first, int last, std::size_t begin, std::size_t count, double* mean);
using BandMeanKernel = void (*)(const TData&, int first, int last, std::size_t begin, std::size_t count, double* mean);
BandMeanKernel BandMeanKernelFor(InstructionSet set);

// The same for every pixel of the cube, row by row.
std::vector<double> BandMean(const TData& cube, int first, int last);

}  // namespace lumera
