#include "analysis/band_mean.h"

#include <algorithm>

namespace lumera {

namespace {

[[gnu::always_inline]] inline void SumBands(const TData& cube, int first, int last, std::size_t begin,
                                            std::size_t count, double* mean)
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

void SumBandsBaseline(const TData& cube, int first, int last, std::size_t begin, std::size_t count, double* mean)
{
    SumBands(cube, first, last, begin, count, mean);
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same loops on wider registers: each pixel's sum keeps its order.
[[gnu::target("avx2")]] void SumBandsAvx2(const TData& cube, int first, int last, std::size_t begin,
                                          std::size_t count, double* mean)
{
    SumBands(cube, first, last, begin, count, mean);
}

[[gnu::target("avx2,avx512f,avx512vl,avx512bw,avx512dq")]] void SumBandsAvx512(const TData& cube, int first,
                                                                               int last, std::size_t begin,
                                                                               std::size_t count, double* mean)
{
    SumBands(cube, first, last, begin, count, mean);
}
#endif

}  // namespace

BandMeanKernel BandMeanKernelFor(InstructionSet set)
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (set == InstructionSet::Avx512 && Runs(set)) return SumBandsAvx512;
    if (set == InstructionSet::Avx2 && Runs(set)) return SumBandsAvx2;
#endif
    (void)set;
    return SumBandsBaseline;
}

void BandMeanOfPixels(const TData& cube, int first, int last, std::size_t begin, std::size_t count, double* mean)
{
    static const BandMeanKernel widest = BandMeanKernelFor(WidestInstructionSet());
    widest(cube, first, last, begin, count, mean);
}

std::vector<double> BandMean(const TData& cube, int first, int last)
{
    std::vector<double> mean(cube.PlaneSize());
    for (std::size_t begin = 0; begin < mean.size(); begin += kPixelChunk)
        BandMeanOfPixels(cube, first, last, begin, std::min(kPixelChunk, mean.size() - begin), mean.data() + begin);
    return mean;
}

}  // namespace lumera
