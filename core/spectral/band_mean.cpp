#include "spectral/band_mean.h"

#include <algorithm>

namespace lumera {

void BandMeanOfPixels(const TData& cube, int first, int last, std::size_t begin, std::size_t count, double* mean)
{
    std::fill(mean, mean + count, 0.0);
    // Four bands a pass, added one after the other: the sums go through
    // memory once per four bands.
    int band = first;
    for (; band + 3 <= last; band += 4) {
        const int16_t* a = cube.Plane(band - 1) + begin;
        const int16_t* b = cube.Plane(band) + begin;
        const int16_t* c = cube.Plane(band + 1) + begin;
        const int16_t* d = cube.Plane(band + 2) + begin;
        for (std::size_t p = 0; p < count; ++p) mean[p] = (((mean[p] + a[p]) + b[p]) + c[p]) + d[p];
    }
    for (; band <= last; ++band) {
        const int16_t* values = cube.Plane(band - 1) + begin;
        for (std::size_t p = 0; p < count; ++p) mean[p] += values[p];
    }
    const double bands = last - first + 1;
    for (std::size_t p = 0; p < count; ++p) mean[p] /= bands;
}

std::vector<double> BandMean(const TData& cube, int first, int last)
{
    std::vector<double> mean(cube.PlaneSize());
    for (std::size_t begin = 0; begin < mean.size(); begin += kPixelChunk)
        BandMeanOfPixels(cube, first, last, begin, std::min(kPixelChunk, mean.size() - begin), mean.data() + begin);
    return mean;
}

}  // namespace lumera
