#include "spectral/band_mean.h"

#include <algorithm>

namespace lumera {

void BandMeanOfPixels(const TData& cube, int first, int last, std::size_t begin, std::size_t count, double* mean)
{
    std::fill(mean, mean + count, 0.0);
    for (int band = first; band <= last; ++band) {
        const int16_t* values = cube.Plane(band - 1) + begin;
        for (std::size_t p = 0; p < count; ++p) mean[p] += values[p];
    }
    const double bands = last - first + 1;
    for (std::size_t p = 0; p < count; ++p) mean[p] /= bands;
}

}  // namespace lumera
