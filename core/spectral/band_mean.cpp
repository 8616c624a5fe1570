#include "spectral/band_mean.h"

#include <cstddef>

namespace lumera {

std::vector<double> BandMean(const TData& cube, int first, int last)
{
    const std::size_t count = cube.PlaneSize();
    std::vector<double> sum(count, 0.0);
    for (int band = first; band <= last; ++band) {
        const int16_t* plane = cube.Plane(band - 1);
        for (std::size_t p = 0; p < count; ++p) sum[p] += plane[p];
    }
    const double bands = last - first + 1;
    for (double& v : sum) v /= bands;
    return sum;
}

}  // namespace lumera
