#include "data/cube.h"

#include "data/rounding.h"

namespace lumera {

double CubeValue(const TData& cube, int column, int row, int band)
{
    return cube.At(band - 1, row - 1, column - 1);
}

TSpectrumSequence SampleSpectrum(const TData& cube, const TBandTable& table, int column, int row,
                                 int plotWidth, int plotHeight)
{
    const int n = cube.NBands;
    const double lo = table[0].Center - 0.5 * table[0].Width;
    const double hi = table[n - 1].Center + 0.5 * table[n - 1].Width;
    const double sx = plotWidth / (hi - lo);
    const double sy = plotHeight / 4000.0;
    TSpectrumSequence points(n);
    for (int i = 0; i < n; ++i) {
        points[i].X = Round(sx * (table[i].Center - lo));
        points[i].Y = Round(sy * cube.At(i, row - 1, column - 1));
    }
    return points;
}

BandMaximumResult BandMaximum(const TData& cube, int band)
{
    BandMaximumResult result;
    result.Plane = cube.Plane(band - 1);
    const std::size_t count = cube.PlaneSize();
    for (std::size_t i = 0; i < count; ++i)
        if (result.Plane[i] > result.Maximum) result.Maximum = result.Plane[i];
    return result;
}

}  // namespace lumera
