#pragma once
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "data/cube.h"
#include "analysis/analysis_state.h"

// The code the faster loading and needle measure replaced, kept as the
// baselines of their benchmarks (the checks and messages left out).
namespace lumera::before {

// The values read into a zero-filled vector.
inline std::vector<int16_t> ReadCutoutValues(const std::string& path, std::size_t count)
{
    std::ifstream in(path, std::ios::binary);
    in.seekg(6);
    std::vector<int16_t> values(count);
    in.read(reinterpret_cast<char*>(values.data()), static_cast<std::streamsize>(2 * count));
    return values;
}

// Row by row, interval by interval: each band value converted and multiplied
// twice per function, the weight and the divisor in separate loops.
inline std::vector<double> NeedleMeasure(const TData& cube, const SpectralVector& axis, const SpectralVector& f,
                                         const SpectralVector* g)
{
    const int width = cube.NColumns;
    std::vector<double> measure(cube.PlaneSize(), 0.0);
    std::vector<double> below(g ? width : 0);
    for (int y = 0; y < cube.NRows; ++y) {
        double* sumF = measure.data() + std::size_t(y) * width;
        std::fill(below.begin(), below.end(), 0.0);
        for (int i = 1; i < kSpectralBands; ++i) {
            const int16_t* a = cube.Row(i, y);
            const int16_t* b = cube.Row(i + 1, y);
            const double d = axis[i] - axis[i - 1];
            const double fa = f[i - 1], fb = f[i];
            for (int x = 0; x < width; ++x) sumF[x] += (a[x] * fa + b[x] * fb) * d * 0.5;
            if (!g) continue;
            const double ga = (*g)[i - 1], gb = (*g)[i];
            for (int x = 0; x < width; ++x) below[x] += (a[x] * ga + b[x] * gb) * d * 0.5;
        }
        if (!g) continue;
        for (int x = 0; x < width; ++x) sumF[x] = below[x] > 0 ? sumF[x] / below[x] : 0.0;
    }
    return measure;
}

}  // namespace lumera::before
