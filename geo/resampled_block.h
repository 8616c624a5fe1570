#pragma once
#include <cstdint>
#include <vector>

#include "data/cube.h"
#include "mapping/spectral_resampling.h"
#include "mapping/tile_grid.h"
#include "scene.h"

namespace lumera {

// The weighted sums of the program's bands over a rectangle of a scene,
// before scaling to counts.
struct ResampledBlock {
    PixelRect Rect;                         // in scene pixels
    std::vector<std::vector<double>> Sums;  // per output band (empty when not covered), per pixel row by row
    std::vector<uint8_t> NoData;            // per pixel: some band read had no data there
    std::vector<double> Largest;            // per pixel: the largest value with data read there, or -inf
    bool IntegerValues = true;              // every band read holds integers, unscaled
};

// Bytes a block holds per pixel, to size blocks within a memory budget.
std::size_t BlockBytesPerPixel(const ResamplingPlan& plan);

// Reads `rect` of the scene once, a few rows at a time for every band the
// plan needs together, and resamples it. `jobs` threads share the work; they
// read the scene one at a time. The block's storage is reused. Throws
// FileError when the scene cannot be read.
void ResampleRect(Scene& scene, const PixelRect& rect, const ResamplingPlan& plan, int jobs, ResampledBlock& block);

// Of `window` (in scene pixels, inside the block): the largest value read,
// and the pixels without data.
double LargestIn(const ResampledBlock& block, const PixelRect& window);
int64_t NoDataIn(const ResampledBlock& block, const PixelRect& window);

// The counts of `window` (in scene pixels, inside the block): each sum times
// the scale, rounded and clipped; 0 for pixels without data and bands not covered.
TData CountsIn(const ResampledBlock& block, const PixelRect& window, double scale, int64_t& clipped);

}  // namespace lumera
