#pragma once
#include <cstdint>
#include <vector>

#include "data/cube.h"
#include "mapping/band_resampling.h"
#include "mapping/tile_grid.h"
#include "scene.h"

namespace lumera {

// The program's bands over a rectangle of a scene, as counts.
struct ResampledBlock {
    PixelRect Rect;                          // in scene pixels
    std::vector<std::vector<int16_t>> Counts;  // per output band (empty when not covered), per pixel row by row
    std::vector<uint8_t> NoData;             // per pixel: some band read had no data there
    std::vector<uint8_t> Clipped;            // per pixel: how many of its counts were clipped
};

// Bytes a block holds per pixel, to size blocks within a memory budget.
std::size_t BlockBytesPerPixel(const ResamplingPlan& plan);

// Whether every band the plan reads holds integers, unscaled.
bool IntegerValues(const Scene& scene, const ResamplingPlan& plan);

// The largest value with data among the bands the plan reads in `rect`, or
// -inf when there is none. Throws FileError when the scene cannot be read.
double LargestValue(Scene& scene, const PixelRect& rect, const ResamplingPlan& plan);

// Reads `rect` of the scene once, a few rows at a time for every band the
// plan needs together, and resamples it row by row to counts: each weighted
// sum times `scale`, rounded and clipped; 0 for pixels without data. `jobs`
// threads share the work; they read the scene one at a time. The block's
// storage is reused. Rows that `previous` (a block of the same plan and
// scale) holds over the same columns are copied from it, not read again.
// Throws FileError when the scene cannot be read.
void ResampleRect(Scene& scene, const PixelRect& rect, const ResamplingPlan& plan, double scale, int jobs,
                  ResampledBlock& block, const ResampledBlock* previous = nullptr);

// Of `window` (in scene pixels, inside the block): the pixels without data.
int64_t NoDataIn(const ResampledBlock& block, const PixelRect& window);

// The counts of `window` (in scene pixels, inside the block), 0 in bands not
// covered; `clipped` grows by the counts clipped there.
TData CountsIn(const ResampledBlock& block, const PixelRect& window, int64_t& clipped);

}  // namespace lumera
